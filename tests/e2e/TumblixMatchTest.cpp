// A Tumblix match on the real server, to its end: Ann and Ben play their
// wells with the rules library exactly as their windows would (every
// payload the own game makes goes out, every payload that comes in is
// answered as the window answers it), through the zone's tables and the
// Tumblix referee. After every landing, once every message has been
// handled, the referee's copy of each well, the player's own well and the
// opponent's copy are the same. Ann places three pieces for each of Ben's
// and chooses her places well, so she clears lines: junk rows travel and
// the level rises. The match ends with its results, and the statistics
// count it.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "DuelFixture.h"
#include "referees/TumblixReferee.h"
#include "rules/tumblix/OwnGame.h"
#include "rules/tumblix/WellReplay.h"

namespace e2etest {
namespace {

using namespace rules::tumblix;

constexpr int kTumblix = 1;

// Where to put a piece: turns, then side steps (negative: left).
struct TPlan {
    int turns = 0, shift = 0;
};

// One player's window as far as the game goes.
struct TSide {
    TWireUser* user = nullptr;
    TOwnGame game;
    TWellReplay opponent;
    std::vector<std::string> outbox;
    std::vector<TResult> results;
    int pieces = 0, junkRows = 0, levelUps = 0, landings = 0;
    bool closed = false;

    bool Playing() const { return !closed && !game.Dead(); }
    // Moves the game's payloads to the outbox; true when a piece landed
    // (the next one entered) or the well filled.
    bool Collect() {
        bool landed = false;
        for (std::string& payload : game.TakePayloads()) {
            const int code = PayloadCode(payload);
            landed = landed || code == '2' || code == static_cast<int>(TCode::Died);
            outbox.push_back(std::move(payload));
        }
        game.TakeEvents();
        game.TakePendingSound();
        return landed;
    }
};

// Plays the plan on the game until the piece has landed: the turns, a few
// ticks of gravity, a position report, the side steps, then the drop key
// twice (the first press on an unmoved piece only marks it).
bool Play(TSide& side, const TPlan& plan) {
    std::vector<std::function<void()>> keys;
    for (int i = 0; i < plan.turns; ++i) keys.push_back([&] { side.game.TurnBlock(); });
    for (int i = 0; i < 3; ++i) keys.push_back([&] { side.game.Tick(); });
    keys.push_back([&] { side.game.Sendpos(); });
    for (int i = 0; i < std::abs(plan.shift); ++i)
        keys.push_back([&] { plan.shift < 0 ? side.game.BlockLeft() : side.game.BlockRight(); });
    keys.push_back([&] { side.game.DropPress(); });
    keys.push_back([&] { side.game.DropPress(); });
    for (const auto& key : keys) {
        if (side.game.Dead()) break;
        key();
        if (side.Collect()) return true;
    }
    return side.Collect();
}

// Holes under the stack, the columns' heights and their differences, the
// falling piece left out.
int Badness(const TOwnGame& game) {
    TWell well = game.Well();
    if (game.Piece().Exists()) well.RemoveBlock(game.Piece());
    int holes = 0, heights = 0, bumps = 0, previous = -1;
    for (int x = 0; x < TWell::kColumns; ++x) {
        int top = TWell::kRows;
        for (int y = TWell::kRows - 1; y >= 0; --y)
            if (well.Cell(x, y) != 0) top = y;
        for (int y = top + 1; y < TWell::kRows; ++y)
            if (well.Cell(x, y) == 0) ++holes;
        const int height = TWell::kRows - top;
        heights += height;
        if (previous >= 0) bumps += std::abs(height - previous);
        previous = height;
    }
    return holes * 35 + heights * 5 + bumps * 2;
}

// The plan that clears most lines and leaves the fewest holes, tried on
// copies of the game.
TPlan BestPlan(const TSide& side) {
    TPlan best;
    int bestScore = -1000000;
    for (int turns = 0; turns < 4; ++turns)
        for (int shift = -7; shift <= 7; ++shift) {
            TSide trial;
            trial.game = side.game;
            trial.game.TakePayloads();
            Play(trial, {turns, shift});
            if (trial.game.Dead()) continue;
            const int lines = static_cast<int>(std::count_if(trial.outbox.begin(), trial.outbox.end(),
                                                             [](const std::string& p) { return p[0] == '5'; }));
            const int score = lines * 30 - Badness(trial.game);
            if (score > bestScore) best = {turns, shift}, bestScore = score;
        }
    return best;
}

class TumblixMatchTest : public DuelTest {
protected:
    TSide& Other(TSide& side) { return &side == &m_ann ? m_ben : m_ann; }

    void Flush(TSide& side) {
        for (const std::string& payload : side.outbox) SendPayload(*side.user, kTumblix, payload);
        side.outbox.clear();
    }

    // What the window does with a payload from the server.
    void Receive(TSide& side, const std::string& data) {
        const int code = PayloadCode(data);
        if (code == static_cast<int>(TCode::Died)) {
            side.closed = true;
            return;
        }
        std::optional<TPayload> payload = ParsePayload(data);
        ASSERT_TRUE(payload.has_value()) << side.user->Alias() << " cannot read a payload of code " << code;
        switch (code) {
            case '2':
            case '3':
            case '4':
            case '5':
            case '7':
            case '9':
            case ':':
                side.opponent.Apply(*payload);
                if (code == '5') side.game.AddOpponentLine();
                break;
            case '6':
                ++side.junkRows;
                side.game.Annoy();
                break;
            case '8':
                ++side.levelUps;
                side.game.NewLevel();
                break;
            case '>':
                side.opponent.Reset();
                side.game.NewGame();
                break;
            case static_cast<int>(TCode::Won):
            case static_cast<int>(TCode::Lost):
                side.results.push_back(std::get<TResult>(*payload));
                side.game.SetSeeds(side.results.back().Seed);
                side.outbox.push_back(">");
                break;
            default: FAIL() << side.user->Alias() << " got the unexpected code " << code;
        }
        side.Collect();
    }

    // Both windows answer what they received until nothing moves.
    void Settle() {
        DuelTest::Settle([this](TWireUser& user, const std::vector<std::string>& payloads) {
            TSide& side = &user == ann.get() ? m_ann : m_ben;
            for (const std::string& payload : payloads) Receive(side, payload);
            Flush(side);
        });
    }

    // Each well as its player, the referee and the opponent hold it.
    void CompareWells(const std::string& when) {
        std::optional<TWell> kept[2];
        WithReferee("Ann", [&](const server::Referee* referee) {
            const auto* tumblix = dynamic_cast<const server::TumblixReferee*>(referee);
            if (!tumblix) return;
            for (int seat : {0, 1}) kept[seat] = tumblix->Well(seat).Well();
        });
        if (!kept[0]) return;  // the match has ended
        TSide* seats[2] = {&m_ann, &m_ben};
        for (int seat : {0, 1}) {
            const TWell& own = seats[seat]->game.Well();
            ASSERT_EQ(*kept[seat], own) << seats[seat]->user->Alias() << "'s well at the referee, " << when;
            ASSERT_EQ(seats[1 - seat]->opponent.Well(), own)
                << seats[seat]->user->Alias() << "'s well at the opponent, " << when;
        }
        ++m_checks;
    }

    // One piece of the side, placed by plan, then everything settles and
    // the wells are compared.
    void Place(TSide& side, const TPlan& plan) {
        const bool landed = Play(side, plan);
        ++side.pieces;
        Flush(side);
        Settle();
        if (landed) {
            ++side.landings;
            CompareWells(side.user->Alias() + "'s piece " + std::to_string(side.pieces));
        }
    }

    TSide m_ann, m_ben;
    int m_checks = 0;
};

TEST_F(TumblixMatchTest, TwoPlayersPlayAMatchToItsEndAndEveryWellAgreesWithTheReferee) {
    uint32_t seed = 0;
    ASSERT_TRUE(StartMatch(kTumblix, "2", seed));
    SCOPED_TRACE("seed " + std::to_string(seed));
    m_ann.user = ann.get();
    m_ben.user = ben.get();
    // The windows are shown: the seed, then ready.
    for (TSide* side : {&m_ann, &m_ben}) {
        side->game.Show(seed);
        side->outbox.push_back(">");
        Flush(*side);
    }
    Settle();
    ASSERT_TRUE(m_ann.Playing() && m_ben.Playing()) << "the first game did not start";
    CompareWells("at the start");

    int benMoves = 0;
    for (int round = 0; round < 3000 && !(m_ann.closed && m_ben.closed); ++round) {
        for (int i = 0; i < 3 && m_ann.Playing(); ++i) Place(m_ann, BestPlan(m_ann));
        if (HasFatalFailure()) return;
        if (m_ben.Playing()) {
            // Ben turns and steps by a fixed pattern.
            ++benMoves;
            Place(m_ben, {benMoves % 4, (benMoves * 5) % 11 - 5});
        }
        if (HasFatalFailure()) return;
        // Neither plays: a game ended and the next has not begun, which
        // settling would have started; only the end of the match is left.
        if (!m_ann.Playing() && !m_ben.Playing()) Settle();
    }
    ASSERT_TRUE(m_ann.closed && m_ben.closed) << "the match did not end";

    // Results: the last one says who won the match; both count the same.
    ASSERT_FALSE(m_ann.results.empty());
    ASSERT_EQ(m_ann.results.size(), m_ben.results.size());
    for (size_t i = 0; i < m_ann.results.size(); ++i) {
        const TResult& a = m_ann.results[i];
        const TResult& b = m_ben.results[i];
        EXPECT_NE(a.Won, b.Won) << "game " << i + 1;
        EXPECT_EQ(a.OwnWins, b.OpponentWins) << "game " << i + 1;
        EXPECT_EQ(a.OpponentWins, b.OwnWins) << "game " << i + 1;
    }
    const TResult& last = m_ann.results.back();
    const bool annWon = last.Won;
    EXPECT_EQ(annWon ? last.OwnWins : last.OpponentWins, 2) << "the winner won the match length";
    EXPECT_GT(m_checks, 50);
    EXPECT_GT(m_ben.junkRows, 0) << "no junk row travelled";
    EXPECT_GT(m_ann.levelUps, 0) << "the level never rose; pieces " << m_ann.pieces << "/" << m_ben.pieces
                                 << ", lines " << m_ann.game.Lines() << "/" << m_ben.game.Lines();
    EXPECT_EQ(m_ann.levelUps, m_ben.levelUps);

    ExpectMatchRecorded(annWon ? *ann : *ben, annWon ? *ben : *ann, kTumblix);
}

}  // namespace
}  // namespace e2etest
