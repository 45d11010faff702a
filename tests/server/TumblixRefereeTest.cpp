// The Tumblix referee on the game tables: what it relays, the junk rows and
// level ups it adds, what it refuses, the pause, the results and the end of
// the match; and a whole game of the real rules whose relayed copy and the
// referee's own well equal the player's well after every move.
#include <gmock/gmock.h>

#include "GameTablesFixture.h"
#include "referees/TumblixReferee.h"
#include "rules/tumblix/OwnGame.h"

namespace {

using servertest::Bytes;
using servertest::GameTablesTest;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace rules::tumblix;

constexpr int kTumblix = 1;

class TumblixRefereeTest : public GameTablesTest {
protected:
    // eva and bob at a Tumblix table of the match length, their first game
    // started.
    void Start(const std::string& games) {
        StartWith(kTumblix, games, {"bob"});
        Send("eva", ">");
        Send("bob", ">");
        m_events.Take();
    }
    void Send(const std::string& alias, const std::string& payload) {
        m_tables->GamePayload(P(alias), kTumblix, payload);
    }
    // Squares (shape 0) fill the two bottom rows of the player's well, and
    // the player reports both lines; `first` when no next piece was told yet.
    void FillTwoRows(const std::string& alias, bool first) {
        if (first) Send(alias, Bytes({'3', 1}));
        for (int x = -1; x <= 9; x += 2) {
            Send(alias, Bytes({'2', 1, x + 3, 2}));  // enters at the top
            Send(alias, Bytes({'4', x + 3, 26, 1}));  // lands on the bottom
        }
        Send(alias, Bytes({'5', 26}));
        Send(alias, Bytes({'5', 26}));
    }
    std::vector<std::string> To(const std::string& alias) {
        std::vector<std::string> lines;
        for (const std::string& line : m_events.Take())
            if (line.rfind("payload " + alias + " ", 0) == 0) lines.push_back(line.substr(9 + alias.size()));
        return lines;
    }
};

TEST_F(TumblixRefereeTest, JunkRowsFollowTheLinesOfOneLanding) {
    EXPECT_EQ(server::TumblixReferee::JunkRowsFor(1), 0);
    EXPECT_EQ(server::TumblixReferee::JunkRowsFor(2), 1);
    EXPECT_EQ(server::TumblixReferee::JunkRowsFor(3), 2);
    EXPECT_EQ(server::TumblixReferee::JunkRowsFor(4), 4);
    Start("3");
    FillTwoRows("eva", true);
    std::vector<std::string> bob = To("bob");
    ASSERT_EQ(bob.size(), 15u);  // "3", six pieces and positions, two lines
    EXPECT_EQ(bob[13], "5\\26");
    // The lines count when the next piece enters: one junk row for bob.
    Send("eva", Bytes({'2', 1, 7, 2}));
    EXPECT_THAT(To("bob"), ElementsAre("2\\1\\7\\2", "6"));
}

TEST_F(TumblixRefereeTest, PayloadsThatDoNotFitTheTrackedWellAreRefused) {
    Start("3");
    Send("eva", Bytes({'4', 5, 5, 1}));  // no piece yet
    Send("eva", Bytes({'3', 1}));
    Send("eva", Bytes({'2', 1, 2, 2}));
    Send("eva", Bytes({'4', 2, 27, 1}));   // below the bottom
    Send("eva", Bytes({'4', 2, 5, 13}));   // not the falling piece
    Send("eva", Bytes({'5', 26}));         // the row is not full
    Send("eva", Bytes({'9', 3, 3}));       // no bomb falls
    Send("eva", "6");                      // only the referee sends junk
    Send("eva", "8");
    Send("eva", Bytes({22, 2, 2, 0}) + "1\x01");
    EXPECT_THAT(To("bob"), ElementsAre("3\\1", "2\\1\\2\\2"));
}

TEST_F(TumblixRefereeTest, TwentyLinesOfBothPlayersRaiseTheLevelForBoth) {
    Start("3");
    for (int round = 0; round < 5; ++round) {
        FillTwoRows("eva", round == 0);
        FillTwoRows("bob", round == 0);
    }
    std::vector<std::string> lines = m_events.Take();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "payload eva 8"), 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "payload bob 8"), 1);
    // The level up comes with the twentieth line, bob's last.
    EXPECT_EQ(lines.back(), "payload bob 8");
}

TEST_F(TumblixRefereeTest, ThePauseIsToldToTheOpponentAndEndsForBoth) {
    Start("3");
    Send("eva", Bytes({'=', 2}));
    EXPECT_THAT(m_events.Take(), ElementsAre("payload bob =\\2"));
    Send("bob", Bytes({64, 1}));
    EXPECT_THAT(m_events.Take(), ElementsAre("payload eva @\\1"));
    Send("eva", Bytes({64, 2}));
    EXPECT_THAT(m_events.Take(), ElementsAre("payload eva @\\2", "payload bob @\\2"));
    Send("eva", Bytes({64, 3}));
    EXPECT_THAT(m_events.Take(), IsEmpty());
}

TEST_F(TumblixRefereeTest, AFullWellLosesTheGameAndTheMatchEndsAtItsLength) {
    Start("2");
    FillTwoRows("bob", true);
    Send("bob", Bytes({'2', 1, 7, 2}));
    m_events.Take();
    Send("eva", Bytes({21}));
    std::vector<std::string> lines = m_events.Take();
    ASSERT_EQ(lines.size(), 2u);
    // bob won one game, eva none; bob's two lines are his points.
    const std::string bobs = "payload bob \\22\\2\\1\\2", evas = "payload eva \\168\\1\\2\\0";
    EXPECT_EQ(lines[0].substr(0, bobs.size()), bobs);
    EXPECT_EQ(lines[1].substr(0, evas.size()), evas);
    EXPECT_EQ(lines[0].substr(bobs.size()), lines[1].substr(evas.size()));  // the same next seed
    Send("eva", Bytes({21}));  // no game runs
    Send("bob", ">");
    EXPECT_THAT(m_events.Take(), IsEmpty());
    Send("eva", ">");
    EXPECT_THAT(m_events.Take(), ElementsAre("payload eva >", "payload bob >"));
    // The second won game ends the match: results, both windows closed.
    Send("eva", Bytes({21}));
    lines = m_events.Take();
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[0].rfind("payload bob \\22\\3\\1\\0", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1].rfind("payload eva \\168\\1\\3\\0", 0), 0u) << lines[1];
    EXPECT_THAT(std::vector<std::string>(lines.begin() + 2, lines.begin() + 5),
                ElementsAre("payload eva \\21", "payload bob \\21", "ended 1 eva"));
    EXPECT_EQ(Standing("bob", kTumblix).won, 1);
    EXPECT_EQ(Standing("eva", kTumblix).lost, 1);
}

// A referee without tables: its host only collects what it sends.
class CollectingHost : public server::RefereeHost {
public:
    std::vector<std::pair<int, std::string>> sent;
    bool ended = false;
    void SendTo(int seat, std::string_view payload) override { sent.emplace_back(seat, std::string(payload)); }
    void EndMatch(const server::MatchOutcome&) override { ended = true; }
    std::string AliasOf(int seat) const override { return "seat" + std::to_string(seat); }
    void SeatLeft(int) override {}
};

// The shared behaviour every kind starts from: a payload goes as it is to
// the other players.
TEST(SharedReferee, RelaysAPayloadToTheOthersAsItIs) {
    CollectingHost host;
    server::Referee referee(host, {rules::TGameKind::Yatzy, 3, 1, 0, {}, {}, {}});
    referee.Receive(1, std::string("\x08hi\x01", 4));
    EXPECT_EQ(host.sent, (std::vector<std::pair<int, std::string>>{{0, std::string("\x08hi\x01", 4)},
                                                                   {2, std::string("\x08hi\x01", 4)}}));
}

TEST(TumblixRefereeGame, TheRefereeAndTheOpponentsCopyKeepThePlayersWellThroughAWholeGame) {
    constexpr uint32_t kSeed = 4711;
    CollectingHost host;
    server::TumblixReferee referee(host, {rules::TGameKind::Tumblix, 2, 1, kSeed, {}, {}, {}});
    referee.Receive(0, ">");
    referee.Receive(1, ">");
    TOwnGame game;
    game.Show(kSeed);
    game.NewGame();
    TWellReplay copy;
    size_t seen = 0;
    int moves = 0, junk = 0, landings = 0;
    while (!game.Dead() && moves < 5000) {
        bool landed = false;
        for (const std::string& payload : game.TakePayloads()) {
            landed = landed || PayloadCode(payload) == '2';
            referee.Receive(0, payload);
        }
        game.TakeEvents();
        for (; seen < host.sent.size(); ++seen) {
            const auto& [seat, payload] = host.sent[seen];
            if (seat == 1) {
                if (auto parsed = ParsePayload(payload)) copy.Apply(*parsed);
            } else if (payload == "6" && junk++ < 3) {
                game.Annoy();
            }
        }
        // Between landings the copies know the piece only where it was last
        // reported; after a landing and the next piece they are whole.
        if (landed) {
            ASSERT_EQ(referee.Well(0).Well(), game.Well()) << "move " << moves;
            ASSERT_EQ(copy.Well(), game.Well()) << "move " << moves;
            ++landings;
        }
        // Sideways now and then, turns, and drops.
        switch (moves++ % 5) {
            case 0: game.TurnBlock(); break;
            case 1: game.BlockLeft(); break;
            case 2: game.BlockRight(); break;
            default: game.DropPress(); break;
        }
    }
    for (const std::string& payload : game.TakePayloads()) referee.Receive(0, payload);
    EXPECT_TRUE(game.Dead());
    EXPECT_GT(landings, 10);
    EXPECT_EQ(junk, 0);  // drops in the middle clear no lines, so none came
    EXPECT_TRUE(host.ended);  // a match of one game
    EXPECT_EQ(referee.Wins(1), 1);
}

}  // namespace
