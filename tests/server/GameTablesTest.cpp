// The game tables without a network: opening, asking, withdrawing and
// starting for every kind, what is refused, the time-out, relaying, the
// forfeit and what it does to the statistics.
#include <gmock/gmock.h>

#include "GameTablesFixture.h"

namespace {

using servertest::GameTablesTest;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int kTumblix = 1, kGammon = 2, kPuzzle = 3, kYatzy = 4;

TEST_F(GameTablesTest, ADuelIsOpenedAskedForAndStartedWithTheSeedForBothSides) {
    for (int kind : {kTumblix, kPuzzle}) {
        std::string k = std::to_string(kind);
        m_tables->OpenTable(P("eva"), kind, "5");
        m_tables->AskToJoin(P("bob"), kind, "EVA");
        m_tables->StartGame(P("eva"), kind, {"Bob"});
        EXPECT_THAT(m_events.Take(),
                    ElementsAre("opened " + k + " eva 1500 5 games", "join " + k + " eva <- bob 1500",
                                "closed " + k + " eva", "setup " + k + " eva", "setup " + k + " bob",
                                "started " + k + " eva:1500 bob:1500", "playing eva " + k, "playing bob " + k));
        ASSERT_EQ(m_events.setups.size(), 2u);
        auto& bobs = std::get<rules::TDuelSetup>(m_events.setups[1].second);
        EXPECT_EQ(bobs.Own, "bob");
        EXPECT_EQ(bobs.Opponent, "eva");
        EXPECT_EQ(bobs.Seed, kSeed);
        EXPECT_EQ(m_tables->PlayingKind("BOB"), kind);
        m_tables->GamePayload(P("bob"), kind, "\x19");  // ends it for the next kind
        m_events.Take();
        m_events.setups.clear();
    }
}

TEST_F(GameTablesTest, BackgammonSeatsOppositeColoursWithPointsAndFigures) {
    StartWith(kGammon, "11", {"bob"});
    EXPECT_EQ(m_events.lines.front(), "opened 2 eva 1500 11 points");
    ASSERT_EQ(m_events.setups.size(), 2u);
    auto& evas = std::get<rules::TGammonSetup>(m_events.setups[0].second);
    auto& bobs = std::get<rules::TGammonSetup>(m_events.setups[1].second);
    EXPECT_TRUE(evas.OwnWhite);  // the seed's top bit
    EXPECT_FALSE(bobs.OwnWhite);
    EXPECT_EQ(bobs.MatchPoints, 11);
    EXPECT_EQ(bobs.Opponent, "eva");
    EXPECT_EQ(bobs.OwnExtra, "1500");
    EXPECT_EQ(bobs.OpponentExtra, "1500");
}

TEST_F(GameTablesTest, YatzySeatsUpToFourInTheOrderChosen) {
    StartWith(kYatzy, "1", {"dan", "bob", "cid"});
    EXPECT_EQ(m_events.lines.front(), "opened 4 eva 1500 1 game");
    ASSERT_EQ(m_events.setups.size(), 4u);
    auto& dans = std::get<rules::TYatzySetup>(m_events.setups[1].second);
    EXPECT_EQ(m_events.setups[1].first, "dan");
    EXPECT_EQ(dans.OwnSeat, 2);
    EXPECT_EQ(dans.PlayerCount, 4);
    EXPECT_EQ(dans.MatchLength, 1);
    EXPECT_EQ(dans.Seed, kSeed);
    EXPECT_EQ(dans.Players[3], "cid");
}

TEST_F(GameTablesTest, RequestsThatCannotBeCarriedOutAreRefusedAndChangeNothing) {
    m_tables->AskToJoin(P("bob"), kTumblix, "eva");
    m_tables->OpenTable(P("eva"), kTumblix, "4");
    m_tables->OpenTable(P("eva"), kGammon, "2");
    m_tables->OpenTable(P("eva"), kGammon, "007");
    m_tables->OpenTable(P("eva"), kTumblix, "3");
    m_tables->OpenTable(P("eva"), kTumblix, "2");
    m_tables->AskToJoin(P("eva"), kTumblix, "eva");
    m_tables->AskToJoin(P("bob"), kTumblix, "eva");
    m_tables->AskToJoin(P("bob"), kTumblix, "eva");
    m_tables->StartGame(P("eva"), kTumblix, {"cid"});
    m_tables->StartGame(P("eva"), kTumblix, {});
    m_tables->StartGame(P("eva"), kTumblix, {"bob", "bob"});
    m_tables->StartGame(P("bob"), kTumblix, {"eva"});
    m_tables->OpenTable(P("eva"), 0, "3");
    m_tables->OpenTable(P("eva"), 5, "3");
    m_tables->WithdrawTable(P("bob"), kTumblix);  // nothing to withdraw: silent
    EXPECT_THAT(m_events.Take(),
                ElementsAre("refused bob: eva has no table of this game open.",
                            "refused eva: That match length is not offered for this game.",
                            "refused eva: That match length is not offered for this game.",
                            "refused eva: That match length is not offered for this game.",
                            "opened 1 eva 1500 3 games",
                            "refused eva: You have a table of this game open already.",
                            "refused eva: That is your own table.", "join 1 eva <- bob 1500",
                            "refused bob: You have asked to join that table already.",
                            "refused eva: cid is not asking to join your table.",
                            "refused eva: Choose the right number of players for this game.",
                            "refused eva: Choose the right number of players for this game.",
                            "refused bob: You have no table of this game open."));
    // The table is still there and starts.
    m_tables->StartGame(P("eva"), kTumblix, {"bob"});
    EXPECT_EQ(m_events.Take().at(0), "closed 1 eva");
}

TEST_F(GameTablesTest, YatzyTakesTwoToFourAndBackgammonTwo) {
    m_tables->OpenTable(P("eva"), kYatzy, "2");
    m_tables->OpenTable(P("eva"), kGammon, "1");
    for (const char* j : {"bob", "cid", "dan", "eli"}) {
        m_tables->AskToJoin(P(j), kYatzy, "eva");
        m_tables->AskToJoin(P(j), kGammon, "eva");
    }
    m_events.Take();
    m_tables->StartGame(P("eva"), kYatzy, {"bob", "cid", "dan", "eli"});
    m_tables->StartGame(P("eva"), kGammon, {"bob", "cid"});
    EXPECT_THAT(m_events.Take(), ElementsAre("refused eva: Choose the right number of players for this game.",
                                             "refused eva: Choose the right number of players for this game."));
    m_tables->StartGame(P("eva"), kYatzy, {"bob", "cid", "dan"});
    EXPECT_EQ(m_tables->RunningGames().size(), 1u);
}

TEST_F(GameTablesTest, AJoinerWhoLeftOrIsPlayingCannotBeStartedWith) {
    m_tables->OpenTable(P("eva"), kTumblix, "1");
    m_tables->OpenTable(P("dan"), kPuzzle, "1");
    m_tables->AskToJoin(P("bob"), kTumblix, "eva");
    m_tables->AskToJoin(P("cid"), kTumblix, "eva");
    m_tables->AskToJoin(P("cid"), kPuzzle, "dan");
    m_tables->UserLeft(P("bob"));
    m_tables->AskToJoin(P("eli"), kPuzzle, "dan");
    m_tables->StartGame(P("dan"), kPuzzle, {"eli"});
    m_events.Take();
    m_tables->StartGame(P("eva"), kTumblix, {"bob"});
    m_tables->AskToJoin(P("eli"), kTumblix, "eva");
    m_tables->StartGame(P("eva"), kTumblix, {"eli"});
    EXPECT_THAT(m_events.Take(), ElementsAre("refused eva: bob is not asking to join your table.",
                                             "refused eli: Finish your game first.",
                                             "refused eva: eli is playing a game."));
    m_tables->StartGame(P("eva"), kTumblix, {"cid"});
    EXPECT_EQ(m_tables->PlayingKind("cid"), kTumblix);
}

TEST_F(GameTablesTest, StartingAGameWithdrawsEverySeatedPlayersTablesAndRequests) {
    m_tables->OpenTable(P("eva"), kPuzzle, "1");
    m_tables->OpenTable(P("bob"), kGammon, "1");
    m_tables->OpenTable(P("cid"), kYatzy, "1");
    m_tables->AskToJoin(P("bob"), kYatzy, "cid");
    StartWith(kTumblix, "1", {"bob"});
    std::vector<std::string> lines = m_events.Take();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "closed 3 eva"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "closed 2 bob"), lines.end());
    ASSERT_EQ(m_tables->OpenTables().size(), 1u);
    EXPECT_THAT(m_tables->OpenTables()[0].joiners, IsEmpty());  // bob's request on cid's table is gone
    m_tables->OpenTable(P("eva"), kPuzzle, "1");
    EXPECT_THAT(m_events.Take(), ElementsAre("refused eva: Finish your game first."));
    m_tables->UserLeft(P("cid"));
    EXPECT_THAT(m_events.Take(), ElementsAre("closed 4 cid"));
}

TEST_F(GameTablesTest, ATableGoesAfterTwoMinutesWithoutAStart) {
    m_tables->OpenTable(P("eva"), kTumblix, "1");
    m_clock.Advance(60000);
    m_tables->OpenTable(P("bob"), kTumblix, "1");
    m_tables->AskToJoin(P("cid"), kTumblix, "eva");  // a request does not restart the time
    m_events.Take();
    m_clock.Advance(59999);
    m_tables->Tick();
    EXPECT_THAT(m_events.Take(), IsEmpty());
    m_clock.Advance(1);
    m_tables->Tick();
    EXPECT_THAT(m_events.Take(), ElementsAre("closed 1 eva"));
    m_clock.Advance(60000);
    m_tables->Tick();
    EXPECT_THAT(m_events.Take(), ElementsAre("closed 1 bob"));
}

TEST_F(GameTablesTest, PayloadsReachOnlyTheirGameAndItBeginsWhenEveryoneIsReady) {
    StartWith(kTumblix, "1", {"bob"});
    m_events.Take();
    m_tables->GamePayload(P("eva"), kTumblix, ">");
    m_tables->GamePayload(P("bob"), kYatzy, ">");                      // not bob's game
    m_tables->GamePayload(P("dan"), kTumblix, ">");                    // not playing
    m_tables->GamePayload(P("bob"), kTumblix, std::string(256, '>'));  // longer than code 71 carries
    m_tables->GamePayload(P("bob"), kTumblix, "");
    EXPECT_THAT(m_events.Take(), IsEmpty());
    m_tables->GamePayload(P("bob"), kTumblix, ">");
    EXPECT_THAT(m_events.Take(), ElementsAre("payload eva >", "payload bob >"));
    // The marks start afresh for the next game of the match.
    m_tables->GamePayload(P("bob"), kTumblix, ">");
    EXPECT_THAT(m_events.Take(), IsEmpty());
}

TEST_F(GameTablesTest, ClosingTheWindowForfeitsAndCountsAsDropped) {
    StartWith(kGammon, "1", {"bob"});
    m_events.Take();
    m_tables->GamePayload(P("bob"), kGammon, "\x19");
    std::vector<std::string> lines = m_events.Take();
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_THAT(std::vector<std::string>(lines.begin(), lines.begin() + 4),
                ElementsAre("payload eva \\21", "ended 2 eva", "playing eva 0", "playing bob 0"));
    server::GameStanding eva = Standing("eva", kGammon), bob = Standing("bob", kGammon);
    int64_t gained = eva.rating.Whole() - 1500, lost = 1500 - bob.rating.Whole();
    EXPECT_GT(gained, 0);
    EXPECT_GT(lost, 0);
    EXPECT_THAT(std::vector<std::string>(lines.begin() + 4, lines.end()),
                ElementsAre("result eva won " + std::to_string(gained),
                            "rating eva 2 150000 " + std::to_string(eva.rating.Hundredths()),
                            "result bob lost " + std::to_string(lost),
                            "rating bob 2 150000 " + std::to_string(bob.rating.Hundredths())));
    EXPECT_EQ(m_tables->PlayingKind("eva"), 0);
    EXPECT_THAT(m_tables->RunningGames(), IsEmpty());
    // The winner's window closes too and says so: the game is over already.
    m_tables->GamePayload(P("eva"), kGammon, "\x19");
    EXPECT_THAT(m_events.Take(), IsEmpty());

    EXPECT_EQ(eva.won, 1);
    EXPECT_EQ(bob.dropped, 1);
    EXPECT_EQ(bob.lost, 0);
    EXPECT_GT(bob.lastPlayedAt, 0);
    server::GameRecords records;
    ASSERT_TRUE(m_store.Statistics(P("bob").accountId, records));
    EXPECT_EQ(records[1].dropped, 1);
    EXPECT_EQ(records[1].place, 2);
    EXPECT_EQ(records[1].score, bob.rating.Whole());
    // The next table announces the new rating.
    m_tables->OpenTable(P("eva"), kGammon, "1");
    EXPECT_EQ(m_events.Take().at(0), "opened 2 eva " + std::to_string(eva.rating.Whole()) + " 1 point");
}

TEST_F(GameTablesTest, LeavingTheServiceForfeits) {
    StartWith(kTumblix, "3", {"bob"});
    m_events.Take();
    m_tables->UserLeft(P("bob"));
    std::vector<std::string> lines = m_events.Take();
    EXPECT_THAT(std::vector<std::string>(lines.begin(), lines.begin() + 2), ElementsAre("payload eva \\21", "ended 1 eva"));
    EXPECT_EQ(Standing("eva", kTumblix).won, 1);
    EXPECT_EQ(Standing("bob", kTumblix).dropped, 1);
}

}  // namespace
