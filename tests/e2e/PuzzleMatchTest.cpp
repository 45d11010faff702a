// A Puzzle match on the real server, to its end: Ann and Ben shoot in
// turns with the rules library exactly as their windows would (the shot,
// the emptied cells, the bubbles that fell off; trash placed as soon as it
// arrives, their fields being idle between shots), through the zone's
// tables and the Puzzle referee. After every shot, once every message has
// been handled, each field as its player holds it, as the referee keeps it
// and as the opponent's copy shows it are the same. Ann aims for the shot
// that cuts most bubbles off, so trash travels; Ben sweeps his canon. The
// match ends with its results, and the statistics count it.
#include <gtest/gtest.h>

#include <optional>

#include "DuelFixture.h"
#include "referees/PuzzleReferee.h"
#include "rules/puzzle/PuzzleLayout.h"
#include "rules/puzzle/PuzzlePayload.h"
#include "rules/puzzle/PuzzlePlayer.h"
#include "rules/puzzle/PuzzleReplica.h"

namespace e2etest {
namespace {

constexpr int kPuzzle = 3;
constexpr int kFrames = 43;

// One player's window as far as the game goes.
struct TSide {
    TSide() : player(rules::PuzzleLayoutGeometry()), opponent(rules::PuzzleLayoutGeometry()) {}

    TWireUser* user = nullptr;
    rules::TPuzzlePlayer player;
    rules::TPuzzleReplica opponent;
    std::vector<std::string> outbox;
    std::vector<rules::TPuzzlePayload> results;
    bool inGame = false, closed = false;
    int shots = 0, trashPlaced = 0;

    bool Playing() const { return inGame && !closed; }

    // The shot from the frame: 140, 143 for each cell it empties, 141 for
    // each bubble that falls off; a shot that cannot be fired loses (21).
    void Fire(int frame) {
        ++shots;
        rules::TPuzzleFire fire = player.Fire(frame);
        if (fire.Lost) {
            inGame = false;
            outbox.push_back(rules::BuildPuzzleSignal(rules::TPuzzleCode::Lost));
            return;
        }
        outbox.push_back(rules::BuildPuzzleShot(fire.Colour, fire.Aim.Entry, fire.Aim.Target));
        for (const rules::TPuzzleCellChange& change : fire.Landing.Changes)
            if (change.Clears()) outbox.push_back(rules::BuildPuzzleEmptied(change.Cell));
        for (const rules::TPuzzleCellChange& change : fire.Landing.Changes)
            if (change.Kind == rules::TPuzzleChangeKind::Fell) outbox.push_back(rules::BuildPuzzleFallen(change.Colour));
    }

    // The frame whose shot cuts most bubbles off, else bursts most, else
    // the given one; tried on copies.
    int BestFrame(int fallback) const {
        int best = fallback, bestScore = 0;
        for (int frame = 1; frame <= kFrames; ++frame) {
            rules::TPuzzlePlayer trial(player);
            rules::TPuzzleFire fire = trial.Fire(frame);
            if (fire.Lost) continue;
            int score = 0;
            for (const rules::TPuzzleCellChange& change : fire.Landing.Changes)
                score += change.Kind == rules::TPuzzleChangeKind::Fell ? 100 : change.Clears() ? 1 : 0;
            if (score > bestScore) best = frame, bestScore = score;
        }
        return best;
    }
};

class PuzzleMatchTest : public DuelTest {
protected:
    void Flush(TSide& side) {
        for (const std::string& payload : side.outbox) SendPayload(*side.user, kPuzzle, payload);
        side.outbox.clear();
    }

    // What the window does with a payload from the server.
    void Receive(TSide& side, const std::string& data) {
        const rules::TPuzzlePayload payload = rules::ParsePuzzlePayload(data);
        ASSERT_EQ(payload.Status, rules::TPuzzleParseStatus::Ok)
            << side.user->Alias() << " cannot read a payload of code " << int(uint8_t(data[0]));
        switch (payload.Code) {
            case rules::TPuzzleCode::Lost: side.closed = true; break;
            case rules::TPuzzleCode::Ready:
                side.player.NewGame();
                side.opponent.Reset();
                side.inGame = true;
                break;
            case rules::TPuzzleCode::Won:
            case rules::TPuzzleCode::Beaten:
                side.inGame = false;
                side.results.push_back(payload);
                side.player.Start(payload.Seed.value_or(side.player.Seed()));
                side.outbox.push_back(">");
                break;
            case rules::TPuzzleCode::Level: break;
            case rules::TPuzzleCode::Shot:
                if (side.Playing()) side.opponent.ApplyShot(payload.Colour, payload.Cell);
                break;
            case rules::TPuzzleCode::Placed:
                if (side.Playing()) side.opponent.ApplyTrash(payload.Colour, payload.Cell);
                break;
            case rules::TPuzzleCode::Fallen:
                // The field is idle between shots: the trash goes in at once.
                if (side.Playing() && side.player.QueueTrash(payload.Colour))
                    for (const rules::TPuzzleCellChange& placed : side.player.PlaceTrash()) {
                        ++side.trashPlaced;
                        side.outbox.push_back(rules::BuildPuzzlePlaced(placed.Colour, placed.Cell));
                    }
                break;
            default: FAIL() << side.user->Alias() << " got the unexpected code " << int(payload.Code);
        }
    }

    // Both windows answer what they received until nothing moves.
    void Settle() {
        DuelTest::Settle([this](TWireUser& user, const std::vector<std::string>& payloads) {
            TSide& side = &user == ann.get() ? m_ann : m_ben;
            for (const std::string& payload : payloads) Receive(side, payload);
            Flush(side);
        });
    }

    void CompareFields(const std::string& when) {
        std::optional<rules::TPuzzleField> kept[2];
        WithReferee("Ann", [&](const server::Referee* referee) {
            const auto* puzzle = dynamic_cast<const server::PuzzleReferee*>(referee);
            if (!puzzle || !puzzle->Playing()) return;
            for (int seat : {0, 1}) kept[seat] = puzzle->Field(seat);
        });
        // The match has ended, or a game has and the next has not begun.
        if (!kept[0] || !m_ann.Playing() || !m_ben.Playing()) return;
        TSide* seats[2] = {&m_ann, &m_ben};
        for (int seat : {0, 1}) {
            const rules::TPuzzleField& own = seats[seat]->player.Field();
            ASSERT_TRUE(*kept[seat] == own) << seats[seat]->user->Alias() << "'s field at the referee, " << when;
            ASSERT_TRUE(seats[1 - seat]->opponent.Field() == own)
                << seats[seat]->user->Alias() << "'s field at the opponent, " << when;
        }
        ++m_checks;
    }

    void Shoot(TSide& side, int frame) {
        side.Fire(frame);
        Flush(side);
        Settle();
        CompareFields(side.user->Alias() + "'s shot " + std::to_string(side.shots));
    }

    // The zone's results of the match have reached both. (The referee
    // leaves both windows open at the end of the match, waiting for a next
    // game that never comes; see the Tumblix referee, which closes them.)
    bool MatchOver() { return !All<protocol::TGameResult>(*ann).empty() && !All<protocol::TGameResult>(*ben).empty(); }

    TSide m_ann, m_ben;
    int m_checks = 0;
};

TEST_F(PuzzleMatchTest, TwoPlayersPlayAMatchToItsEndAndEveryFieldAgreesWithTheReferee) {
    uint32_t seed = 0;
    ASSERT_TRUE(StartMatch(kPuzzle, "2", seed));
    SCOPED_TRACE("seed " + std::to_string(seed));
    m_ann.user = ann.get();
    m_ben.user = ben.get();
    // The windows are shown: the seed's first colour, then ready.
    for (TSide* side : {&m_ann, &m_ben}) {
        side->player.Start(seed);
        side->player.NewGame();
        side->outbox.push_back(">");
        Flush(*side);
    }
    Settle();
    ASSERT_TRUE(m_ann.Playing() && m_ben.Playing()) << "the first game did not start";

    for (int turn = 0; turn < 20000 && !MatchOver(); ++turn) {
        TSide& shooter = turn % 2 == 0 ? m_ann : m_ben;
        if (!shooter.Playing()) {
            Settle();
            continue;
        }
        const int sweep = 1 + (turn * (&shooter == &m_ann ? 7 : 13)) % kFrames;
        Shoot(shooter, &shooter == &m_ann ? shooter.BestFrame(sweep) : sweep);
        if (HasFatalFailure()) return;
    }
    ASSERT_TRUE(MatchOver()) << "the match did not end: " << m_ann.results.size() << " results, shots " << m_ann.shots << "/"
        << m_ben.shots << ", in game " << m_ann.inGame << m_ben.inGame << ", trash " << m_ann.trashPlaced << "/"
        << m_ben.trashPlaced << ", checks " << m_checks;

    ASSERT_FALSE(m_ann.results.empty());
    ASSERT_EQ(m_ann.results.size(), m_ben.results.size());
    for (size_t i = 0; i < m_ann.results.size(); ++i) {
        const rules::TPuzzlePayload& a = m_ann.results[i];
        const rules::TPuzzlePayload& b = m_ben.results[i];
        EXPECT_NE(a.Code, b.Code) << "game " << i + 1;
        EXPECT_EQ(a.OwnByte, b.OpponentByte) << "game " << i + 1;
        EXPECT_EQ(a.OpponentByte, b.OwnByte) << "game " << i + 1;
        EXPECT_EQ(a.Seed, b.Seed) << "game " << i + 1;
    }
    const rules::TPuzzlePayload& last = m_ann.results.back();
    const bool annWon = last.Code == rules::TPuzzleCode::Won;
    EXPECT_EQ((annWon ? last.OwnByte : last.OpponentByte) - 1, 2) << "the winner won the match length";
    EXPECT_GT(m_checks, 50);
    EXPECT_GT(m_ann.trashPlaced + m_ben.trashPlaced, 0) << "no trash travelled";

    ExpectMatchRecorded(annWon ? *ann : *ben, annWon ? *ben : *ann, kPuzzle);
}

}  // namespace
}  // namespace e2etest
