// Live previews on the real server: Ann and Ben play a whole Tumblix match
// and a whole Backgammon match while Cy, a third wire user, watches it in a
// slot of the preview strip. The players' payloads go out one at a time;
// after each has been handled, Cy's preview (kept from the preview messages
// alone, as a client applies them) must equal the preview the game's state
// gives at that moment, and must agree with the referee itself: the same
// wells cell for cell, the same Backgammon position seen from the
// creator's side. The match ends with the end message naming the winner.
#include <gtest/gtest.h>

#include "GammonWirePlayer.h"
#include "PreviewModel.h"
#include "TumblixDuel.h"
#include "referees/GammonReferee.h"
#include "referees/TumblixReferee.h"
#include "tables/GameTables.h"

namespace e2etest {
namespace {

constexpr int kSlot = 3;

// Cy, logged on beside Ann and Ben, with the preview of one slot.
class TWatcher {
public:
    TWatcher(uint16_t port, const std::function<bool(const std::function<bool()>&)>& until)
        : user("Cy", port), model(kSlot) {
        EXPECT_TRUE(user.LogOn(true, until));
        m_read = user.Line().messages.size();
    }
    void Watch(int kind) { user.Send(protocol::Build(protocol::TWatch{kind, "Ann", kSlot})); }
    void Read() {
        const std::vector<std::string>& messages = user.Line().messages;
        for (; m_read < messages.size(); ++m_read) model.Apply(messages[m_read]);
    }

    TWireUser user;
    TPreviewModel model;

private:
    size_t m_read = 0;
};

// The preview of Ann's game as the server would send it now, and a look at
// the referee; none once the game has ended.
template <class TReferee>
std::optional<protocol::TPreviewState> Current(TServerThread& server,
                                               const std::function<void(const TReferee&)>& look) {
    std::optional<protocol::TPreviewState> state;
    EXPECT_TRUE(server.OnServerThread([&](server::Server& s) {
        const server::GameTables& tables = s.GetZone().Tables();
        const server::GamePreview* preview = tables.PreviewOf("Ann");
        const auto* referee = dynamic_cast<const TReferee*>(tables.RefereeOf("Ann"));
        if (!preview || !referee) return;
        state = preview->Snapshot();
        look(*referee);
    }));
    return state;
}

class PreviewWatchTumblixTest : public TumblixDuelTest {
protected:
    // Each payload alone; once it has been handled, the preview is compared.
    void Flush(TTumblixSide& side) override {
        if (!m_watcher) return TumblixDuelTest::Flush(side);
        for (const std::string& payload : side.outbox) {
            const bool junk = rules::tumblix::PayloadCode(payload) == static_cast<int>(rules::tumblix::TCode::JunkRow);
            const size_t rowsBefore = junk ? AllOf<protocol::TTumblixRowAdded>(m_watcher->user).size() : 0;
            const bool taken = junk && GameRuns();
            SendPayload(*side.user, kTumblix, payload);
            ++m_sent;
            ASSERT_TRUE(Sync(*side.user));
            ComparePreview();
            if (HasFatalFailure()) return;
            if (junk) ExpectJunkRowShown(side, payload, rowsBefore, taken);
        }
        side.outbox.clear();
    }

    // A junk row a player pushed in reaches the watcher as one row added
    // to that player's board, with the row's own colours, never as cells.
    // One that comes after the game ended (the opponent's well filled
    // before the junk was answered) is dropped and shows nothing.
    void ExpectJunkRowShown(const TTumblixSide& side, const std::string& payload, size_t rowsBefore, bool taken) {
        const std::vector<protocol::TTumblixRowAdded> added = AllOf<protocol::TTumblixRowAdded>(m_watcher->user);
        ASSERT_EQ(added.size(), rowsBefore + (taken ? 1 : 0))
            << side.user->Alias() << "'s junk row after " << m_sent << " payloads";
        if (!taken) return;
        ++m_junkRowsShown;
        const auto junk = std::get<rules::tumblix::TJunkRow>(*rules::tumblix::ParsePayload(payload));
        protocol::TTumblixRowAdded expected{kSlot, &side == &m_ann ? 1 : 2, {}};
        std::transform(junk.Row.begin(), junk.Row.end(), expected.Row.begin(), [](uint8_t c) { return c + 1; });
        ASSERT_EQ(added.back(), expected);
    }

    bool GameRuns() {
        bool runs = false;
        EXPECT_TRUE(m_server.OnServerThread([&](server::Server& s) {
            const auto* referee = dynamic_cast<const server::TumblixReferee*>(s.GetZone().Tables().RefereeOf("Ann"));
            runs = referee && referee->Playing();
        }));
        return runs;
    }

    void ComparePreview() {
        ASSERT_TRUE(Sync(m_watcher->user));
        m_watcher->Read();
        std::string wells[2];
        auto expected = Current<server::TumblixReferee>(m_server, [&](const server::TumblixReferee& referee) {
            for (int seat : {0, 1}) wells[seat] = referee.Well(seat).Well().Snapshot();
        });
        if (!expected) return;  // the match is over
        const auto& held = m_watcher->model.State();
        ASSERT_TRUE(held.has_value());
        ASSERT_EQ(*held, *expected) << "after " << m_sent << " payloads";
        const auto& boards = std::get<protocol::TTumblixSnapshot>(held->State).Boards;
        ASSERT_EQ(std::string(boards.begin(), boards.end()), wells[0] + wells[1]);
        ++m_compared;
    }

    std::unique_ptr<TWatcher> m_watcher;
    int m_compared = 0, m_junkRowsShown = 0;
};

TEST_F(PreviewWatchTumblixTest, AThirdUserWatchesEveryChangeOfBothWellsToTheEnd) {
    const uint32_t seed = BeginMatch("1");
    SCOPED_TRACE("seed " + std::to_string(seed));
    ASSERT_FALSE(HasFailure());
    m_watcher = std::make_unique<TWatcher>(m_server.Port(), [this](const std::function<bool()>& done) {
        return Until(done);
    });
    m_watcher->Watch(kTumblix);
    ComparePreview();
    PlayToEnd();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(m_ann.closed && m_ben.closed) << "the match did not end";
    ASSERT_TRUE(Sync(m_watcher->user));
    m_watcher->Read();

    EXPECT_GT(m_compared, 100);
    EXPECT_GT(m_watcher->model.Changes(), 100);
    EXPECT_EQ(m_watcher->model.Faults(), 0);
    // What a match holds varies with the server's seeds; the watcher's
    // state was compared with the game's after every change above.
    ASSERT_TRUE(m_watcher->model.Ended());
    const bool annWon = m_ann.results.back().Won;
    EXPECT_EQ(m_watcher->model.Winner(), annWon ? 1 : 2);
}

class PreviewWatchGammonTest : public DuelTest {
protected:
    // Sends one held message of either player; false when none is held.
    bool SendOne() {
        for (auto* side : {&m_annHeld, &m_benHeld}) {
            if (side->empty()) continue;
            TWireUser& user = side == &m_annHeld ? *ann : *ben;
            user.Send(side->front());
            side->erase(side->begin());
            EXPECT_TRUE(Sync(user));
            return true;
        }
        return false;
    }

    void ComparePreview() {
        ASSERT_TRUE(Sync(m_watcher->user));
        m_watcher->Read();
        gm::TPosition position;
        bool annWhite = true;
        auto expected = Current<server::GammonReferee>(m_server, [&](const server::GammonReferee& referee) {
            position = referee.Position();
            annWhite = referee.ColourOf(0) == gm::TColour::White;
        });
        if (!expected) return;
        const auto& held = m_watcher->model.State();
        ASSERT_TRUE(held.has_value());
        ASSERT_EQ(*held, *expected) << "after " << m_messages << " messages";
        // Ann, the creator, is white in the preview: the board seen from her
        // side, her borne-off checkers in white's tray.
        const auto& points = std::get<protocol::TGammonSnapshot>(held->State).Points;
        for (int point = 0; point < gm::kPointCount; ++point) {
            const int shown = points[static_cast<size_t>(annWhite ? point : 25 - point)] - 1;
            const gm::TColour annColour = annWhite ? gm::TColour::White : gm::TColour::Black;
            ASSERT_EQ(gm::WhiteCount(shown), position.Count(annColour, point)) << point;
            ASSERT_EQ(gm::BlackCount(shown), position.Count(gm::Other(annColour), point)) << point;
        }
        ASSERT_EQ(points[26] - 1, position.Off(annWhite ? gm::TColour::White : gm::TColour::Black));
        ++m_compared;
    }

    std::unique_ptr<TWatcher> m_watcher;
    std::vector<std::string> m_annHeld, m_benHeld;
    int m_compared = 0, m_messages = 0;
};

TEST_F(PreviewWatchGammonTest, AThirdUserWatchesEveryMoveUndoDieAndCubeToTheEnd) {
    constexpr int kGammon = 2;
    ann->Send(OpenTable(kGammon, "3"));
    ASSERT_TRUE(Sync(*ann));
    ben->Send(AskTable(kGammon, "Ann"));
    ASSERT_TRUE(Until([&] { return !All<protocol::TJoinRequest>(*ann).empty(); }));
    ann->Send(StartTable(kGammon, {"Ben"}));
    int doubles = 0;
    TGammonPlayer annSide(*ann), benSide(*ben);
    annSide.doublesSeen = benSide.doublesSeen = &doubles;
    annSide.held = &m_annHeld;
    benSide.held = &m_benHeld;
    ASSERT_TRUE(Until([&] {
        annSide.Read();
        benSide.Read();
        return annSide.Started() && benSide.Started();
    }));
    m_watcher = std::make_unique<TWatcher>(m_server.Port(), [this](const std::function<bool()>& done) {
        return Until(done);
    });
    m_watcher->Watch(kGammon);
    ComparePreview();

    auto over = [&] { return !All<protocol::TGameResult>(*ann).empty() && !All<protocol::TGameResult>(*ben).empty(); };
    for (int round = 0; round < 20000 && !over(); ++round) {
        if (!SendOne()) {
            ASSERT_TRUE(Until([&] {
                annSide.Read();
                benSide.Read();
                return !m_annHeld.empty() || !m_benHeld.empty() || over();
            })) << "the match stalled";
            continue;
        }
        ++m_messages;
        ComparePreview();
        if (HasFatalFailure()) return;
    }
    ASSERT_TRUE(over()) << "the match did not end";
    ASSERT_TRUE(Sync(m_watcher->user));
    m_watcher->Read();

    EXPECT_EQ(annSide.Faults(), std::vector<std::string>{});
    EXPECT_EQ(benSide.Faults(), std::vector<std::string>{});
    EXPECT_GT(m_compared, 100);
    EXPECT_EQ(m_watcher->model.Faults(), 0);
    EXPECT_GE(annSide.Undos() + benSide.Undos(), 2);
    EXPECT_EQ(annSide.Accepted() + benSide.Accepted(), 1);
    EXPECT_EQ(AllOf<protocol::TGammonCube>(m_watcher->user).size(), 1u);
    EXPECT_GE(AllOf<protocol::TGammonUndo>(m_watcher->user).size(), 2u);
    ASSERT_TRUE(m_watcher->model.Ended());
    const bool annWon = All<protocol::TGameResult>(*ann).front().Result == protocol::TGameResult::kResultWon;
    EXPECT_EQ(m_watcher->model.Winner(), annWon ? 1 : 2);
}

}  // namespace
}  // namespace e2etest
