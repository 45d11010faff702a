// The Puzzle referee through the game tables: two honest clients (the
// rules' own side, as the windows run it) play a match and every payload
// they send is passed on; forged shots, trash and pauses are dropped; a
// loss becomes the results and the next game; levels rise with the clock.
#include <gmock/gmock.h>

#include <map>

#include "GameTablesFixture.h"
#include "rules/puzzle/PuzzleLayout.h"
#include "rules/puzzle/PuzzlePayload.h"
#include "rules/puzzle/PuzzlePlayer.h"

namespace {

using servertest::GameTablesTest;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int kPuzzle = 3;

// A payload as the recording sink shows it.
std::string Shown(const std::string& alias, const std::string& payload) {
    std::string shown;
    for (char c : payload) shown += c >= 32 && c < 127 ? std::string(1, c) : "\\" + std::to_string(uint8_t(c));
    return "payload " + alias + " " + shown;
}

// One player's window as far as the server sees it.
struct Client {
    explicit Client(uint32_t seed) : player(rules::PuzzleLayoutGeometry()) { player.Start(seed); }

    // A shot from the frame: 140, then 143 for every cell emptied and 141
    // for every bubble that fell. Empty when the shot loses.
    std::vector<std::string> Fire(int frame) {
        rules::TPuzzleFire fire = player.Fire(frame);
        if (fire.Lost) return {};
        std::vector<std::string> out{rules::BuildPuzzleShot(fire.Colour, fire.Aim.Entry, fire.Aim.Target)};
        for (const rules::TPuzzleCellChange& c : fire.Landing.Changes) {
            if (!c.Clears()) continue;
            ++cleared;
            out.push_back(rules::BuildPuzzleEmptied(c.Cell));
        }
        for (const rules::TPuzzleCellChange& c : fire.Landing.Changes)
            if (c.Kind == rules::TPuzzleChangeKind::Fell) out.push_back(rules::BuildPuzzleFallen(c.Colour));
        return out;
    }
    // Trash arrived and the field settled: 142 for each placed bubble.
    std::vector<std::string> Settle() {
        std::vector<std::string> out;
        for (const rules::TPuzzleCellChange& c : player.PlaceTrash())
            out.push_back(rules::BuildPuzzlePlaced(c.Colour, c.Cell));
        return out;
    }

    // A greedy player: the frame whose shot cuts most bubbles off, else
    // bursts most, else the sweep's frame.
    int BestFrame(int sweep) const {
        int best = sweep, bestScore = 0;
        for (int frame = 1; frame <= 43; ++frame) {
            rules::TPuzzlePlayer trial(player);
            rules::TPuzzleFire fire = trial.Fire(frame);
            if (fire.Lost) continue;
            int score = 0;
            for (const rules::TPuzzleCellChange& c : fire.Landing.Changes)
                score += c.Kind == rules::TPuzzleChangeKind::Fell ? 100 : c.Clears() ? 1 : 0;
            if (score > bestScore) best = frame, bestScore = score;
        }
        return best;
    }

    rules::TPuzzlePlayer player;
    int cleared = 0;
};

class PuzzleRefereeTest : public GameTablesTest {
protected:
    void Start(const std::string& length) {
        StartWith(kPuzzle, length, {"bob"});
        Send("eva", ">");
        Send("bob", ">");
        EXPECT_THAT(m_events.Take(), testing::Contains("payload eva >"));
    }
    void Send(const std::string& alias, const std::string& payload) {
        m_tables->GamePayload(P(alias), kPuzzle, payload);
    }
    // Sends and expects exactly the lines given.
    void Expect(const std::string& alias, const std::string& payload, const std::vector<std::string>& lines) {
        Send(alias, payload);
        EXPECT_EQ(m_events.Take(), lines) << Shown(alias, payload);
    }
    static std::string Other(const std::string& alias) { return alias == "eva" ? "bob" : "eva"; }

    // Both sweep their fields until one cannot shoot, who is returned;
    // every payload must be passed on exactly as the game wants.
    std::string PlayUntilLoss(Client& eva, Client& bob, int& fell) {
        for (int turn = 0; turn < 4000; ++turn) {
            const std::string shooter = turn % 2 == 0 ? "eva" : "bob";
            Client& own = shooter == "eva" ? eva : bob;
            Client& other = shooter == "eva" ? bob : eva;
            // eva plays greedily, bob sweeps.
            const int sweep = 1 + (turn * (shooter == "eva" ? 7 : 13)) % 43;
            const int frame = shooter == "eva" ? own.BestFrame(sweep) : sweep;
            std::vector<std::string> out = own.Fire(frame);
            if (out.empty()) return shooter;
            for (const std::string& p : out) {
                const bool emptied = uint8_t(p[0]) == 143;
                Expect(shooter, p, emptied ? std::vector<std::string>{} : std::vector{Shown(Other(shooter), p)});
                if (uint8_t(p[0]) == 141) {
                    ++fell;
                    other.player.QueueTrash(uint8_t(p[1]));
                }
            }
            for (const std::string& p : other.Settle()) Expect(Other(shooter), p, {Shown(shooter, p)});
        }
        ADD_FAILURE() << "nobody lost";
        return "";
    }
};

TEST_F(PuzzleRefereeTest, HonestPlayIsPassedOnAndALossBecomesTheResultsAndTheNextGame) {
    Start("2");
    int fell = 0;
    std::map<std::string, int> won;
    for (int game = 1; game <= 3; ++game) {
        Client eva(kSeed), bob(kSeed);
        const std::string loser = PlayUntilLoss(eva, bob, fell);
        ASSERT_FALSE(loser.empty());
        const std::string winner = Other(loser);
        Client& w = winner == "eva" ? eva : bob;
        Client& l = loser == "eva" ? eva : bob;
        ++won[winner];
        // The loss: results with the games won + 1, the bubbles cleared and
        // the next seed; a bare 21 (which closes a window) only after the
        // match's last result.
        Send(loser, "\x15");
        std::vector<std::string> lines = m_events.Take();
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(lines[0], Shown(winner, rules::BuildPuzzleResult(true, won[winner] + 1, won[loser] + 1,
                                                                   std::min(w.cleared, 255), kSeed)));
        EXPECT_EQ(lines[1], Shown(loser, rules::BuildPuzzleResult(false, won[loser] + 1, won[winner] + 1,
                                                                  std::min(l.cleared, 255), kSeed)));
        if (won[winner] == 2) {
            // Two won games end a match of two.
            ASSERT_GE(lines.size(), 5u);
            // The last result closes both windows.
            EXPECT_EQ(lines[2], Shown("eva", "\x15"));
            EXPECT_EQ(lines[3], Shown("bob", "\x15"));
            EXPECT_EQ(lines[4], "ended 3 eva");
            EXPECT_EQ(Standing(winner, kPuzzle).won, 1);
            EXPECT_EQ(Standing(loser, kPuzzle).lost, 1);
            break;
        }
        EXPECT_EQ(lines.size(), 2u);
        // Between games nothing is passed on; the next game starts when
        // both acknowledged, on empty fields.
        Expect("eva", rules::BuildPuzzleShot(1, 0, {0, 0}), {});
        Send("eva", ">");
        Expect("bob", ">", {"payload eva >", "payload bob >"});
    }
    EXPECT_GT(fell, 0) << "no bubble fell, so no trash was tried";
}

TEST_F(PuzzleRefereeTest, WhatDoesNotFitTheFieldsIsDropped) {
    Send("eva", std::string("\x8c\x01\x3f\x03\x00", 5));  // before the start
    Start("1");
    Client eva(kSeed);
    rules::TPuzzleFire fire = rules::TPuzzlePlayer(eva.player).Fire(22);
    const rules::TPuzzleCell target = fire.Aim.Target;
    // A target the canon cannot reach, an entry no frame tunes to, a bomb
    // without credits, a resting place below the line, garbage lengths.
    Expect("eva", rules::BuildPuzzleShot(fire.Colour, fire.Aim.Entry, {target.Column, target.Row + 2}), {});
    Expect("eva", rules::BuildPuzzleShot(fire.Colour, 126, target), {});
    Expect("eva", rules::BuildPuzzleShot(7, fire.Aim.Entry, target), {});
    Expect("eva", rules::BuildPuzzleShot(fire.Colour, fire.Aim.Entry, {0, 16}), {});
    Expect("eva", std::string("\x8c\x01", 2), {});
    // Trash nobody handed over, a fallen bubble that did not fall, a cell
    // left alone (previews only), an unknown code.
    Expect("eva", rules::BuildPuzzlePlaced(1, {0, 0}), {});
    Expect("eva", rules::BuildPuzzleFallen(2), {});
    Expect("eva", rules::BuildPuzzleEmptied({0, 0}), {});
    Expect("eva", "\x63", {});
    // The honest shot still fits: nothing above changed the copy.
    const std::string shot = eva.Fire(22).front();
    Expect("eva", shot, {Shown("bob", shot)});
    // Two pauses per player and match.
    Expect("bob", "=", {"payload eva ="});
    Expect("bob", "=", {"payload eva ="});
    Expect("bob", "=", {});
}

TEST_F(PuzzleRefereeTest, TheLevelRisesEveryMinuteOfPlayForBothUpToFive) {
    Start("1");
    m_tables->Tick();
    m_clock.Advance(59999);
    m_tables->Tick();
    EXPECT_THAT(m_events.Take(), IsEmpty());
    m_clock.Advance(1);
    m_tables->Tick();
    EXPECT_THAT(m_events.Take(), ElementsAre("payload eva 8\\2", "payload bob 8\\2"));
    // A pause holds the clock for its minute.
    Send("eva", "=");
    m_events.Take();
    m_clock.Advance(60000);
    m_tables->Tick();
    EXPECT_THAT(m_events.Take(), IsEmpty());
    for (int level = 3; level <= 6; ++level) {
        m_clock.Advance(60000);
        m_tables->Tick();
    }
    EXPECT_THAT(m_events.Take(), ElementsAre("payload eva 8\\3", "payload bob 8\\3", "payload eva 8\\4",
                                             "payload bob 8\\4", "payload eva 8\\5", "payload bob 8\\5"));
    // After the game is lost the clock stops.
    Send("eva", "\x15");
    m_events.Take();
    m_clock.Advance(600000);
    m_tables->Tick();
    EXPECT_THAT(m_events.Take(), IsEmpty());
}

}  // namespace
