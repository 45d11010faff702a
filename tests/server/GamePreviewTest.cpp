// Live previews through the game tables: the snapshot of each watchable
// kind as bytes from a known referee state, the first changes that follow
// it, a slot taken by another game (stop for the old one), the four slots
// a watcher has, requests that are ignored, the end of a match, and a
// watcher who leaves.
#include <gmock/gmock.h>

#include <span>

#include "GameTablesFixture.h"
#include "rules/gammon/LegalPlays.h"
#include "rules/gammon/Payload.h"
#include "rules/puzzle/PuzzleLayout.h"
#include "rules/puzzle/PuzzlePayload.h"
#include "rules/puzzle/PuzzlePlayer.h"

namespace {

using servertest::Bytes;
using servertest::GameTablesTest;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
namespace gm = rules::gammon;
namespace pl = rules::gammon::payload;

constexpr int kTumblix = 1, kGammon = 2, kPuzzle = 3, kYatzy = 4;

class GamePreviewTest : public GameTablesTest {
protected:
    // eva's table of the kind with bob, both windows ready.
    void Start(int kind, const std::string& setting) {
        StartWith(kind, setting, {"bob"});
        Send(kind, "eva", ">");
        Send(kind, "bob", ">");
    }
    void Send(int kind, const std::string& alias, const std::string& payload) {
        m_tables->GamePayload(P(alias), kind, payload);
    }
    void Watch(const std::string& watcher, int kind, const std::string& seat1, int slot) {
        m_tables->Watch(P(watcher), kind, seat1, slot);
    }
    std::vector<std::string> To(const std::string& alias) { return m_previews.Take(alias); }
    // The payloads that reached alias, then forgotten.
    std::vector<std::string> Payloads(const std::string& alias) {
        std::vector<std::string> found;
        for (auto& [who, payload] : m_events.payloads)
            if (who == alias) found.push_back(payload);
        return found;
    }
};

TEST_F(GamePreviewTest, TumblixSnapshotThenCellsAndRemovedRowsOfTheWells) {
    Start(kTumblix, "3");
    Watch("cid", kTumblix, "EVA", 2);
    // Empty wells (colour 0 + 1), level 1, no games won (0 + 1), match of 3.
    EXPECT_THAT(To("cid"), ElementsAre(Bytes({'J', kTumblix, 2}) + std::string(624, '\x01') + Bytes({1, 1, 1, 3})));

    // eva's squares fill the two bottom rows, which she then removes.
    Send(kTumblix, "eva", Bytes({'3', 1}));
    for (int x = -1; x <= 9; x += 2) {
        Send(kTumblix, "eva", Bytes({'2', 1, x + 3, 2}));
        Send(kTumblix, "eva", Bytes({'4', x + 3, 26, 1}));
    }
    Send(kTumblix, "eva", Bytes({'5', 26}));
    Send(kTumblix, "eva", Bytes({'5', 26}));
    std::vector<std::string> got = To("cid");
    ASSERT_EQ(got.size(), 14u);
    // The first square enters at the top left: four cells of seat 1 in
    // slot 2, each column + 1, row + 1, colour + 1.
    const char colour = got[0][6];
    EXPECT_GT(colour, 1);
    EXPECT_EQ(got[0], Bytes({'K', 2, 1, 4, 1, 1}) + colour + Bytes({2, 1}) + colour + Bytes({1, 2}) + colour +
                          Bytes({2, 2}) + colour);
    // It falls to the bottom: the old cells clear, the new ones fill.
    EXPECT_EQ(got[1].substr(0, 4), Bytes({'K', 2, 1, 8}));
    EXPECT_EQ(got[12], Bytes({'M', 2, 1, 26}));
    EXPECT_EQ(got[13], Bytes({'M', 2, 1, 26}));
    EXPECT_THAT(To("bob"), IsEmpty());
}

TEST_F(GamePreviewTest, TumblixJunkRowReachesTheWatcherAsOneRowAddedUnderTheRisenPiece) {
    Start(kTumblix, "3");
    Watch("cid", kTumblix, "eva", 2);
    // bob's square enters at the top left and falls to rows 10 and 11.
    Send(kTumblix, "bob", Bytes({'3', 1}));
    Send(kTumblix, "bob", Bytes({'2', 1, 2, 2}));
    Send(kTumblix, "bob", Bytes({'4', 2, 12, 1}));
    To("cid");
    // A junk row pushed in below (colours + 2, then byte 1); the square
    // rises with the stack to rows 9 and 10.
    Send(kTumblix, "bob", Bytes({'7', 2, 3, 4, 5, 6, 7, 8, 9, 3, 4, 2, 5, 1, 2, 11, 1}));
    std::vector<std::string> got = To("cid");
    ASSERT_EQ(got.size(), 3u);
    const char colour = got[2][6];
    EXPECT_GT(colour, 1);
    EXPECT_EQ(got[0], Bytes({'K', 2, 2, 4, 1, 11, 1, 2, 11, 1, 1, 12, 1, 2, 12, 1}));
    EXPECT_EQ(got[1], Bytes({76, 2, 2, 1, 2, 3, 4, 5, 6, 7, 8, 2, 3, 1, 4}));
    EXPECT_EQ(got[2], Bytes({'K', 2, 2, 4, 1, 10}) + colour + Bytes({2, 10}) + colour + Bytes({1, 11}) + colour +
                          Bytes({2, 11}) + colour);
    // A junk row that does not fit (no holes) is refused: nothing is shown.
    Send(kTumblix, "bob", Bytes({'7', 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 1, 2, 10, 1}));
    EXPECT_THAT(To("cid"), IsEmpty());
}

TEST_F(GamePreviewTest, GammonSnapshotShowsTheCreatorAsWhiteAndItsMovesAndUndos) {
    // A seed without its top bit: eva, the creator, plays black.
    m_tables = std::make_unique<server::GameTables>(m_events, m_previews, m_store, m_clock, [] { return 7u; });
    Start(kGammon, "5");
    Watch("cid", kGammon, "eva", 1);
    // The opening position (the same seen from either side), no dice,
    // cube 1, scores 0 + 1, a 5-point match, the cube in the middle.
    std::string points(28, '\x01');
    for (auto [point, value] : std::initializer_list<std::pair<int, int>>{
             {1, 2}, {12, 5}, {17, 3}, {19, 5}, {6, 25}, {8, 23}, {13, 25}, {24, 22}})
        points[static_cast<size_t>(point)] = static_cast<char>(value + 1);
    EXPECT_THAT(To("cid"), ElementsAre(Bytes({'J', kGammon, 1}) + points + Bytes({4, 1, 1, 1, 5, 0})));

    // Opening dice until one is higher; its roller then plays one step.
    std::string winner;
    int dice[2] = {0, 0};
    for (int attempt = 0; attempt < 50 && winner.empty(); ++attempt) {
        m_events.payloads.clear();
        To("cid");
        Send(kGammon, "eva", Bytes({pl::kOpeningRollRequest}));
        Send(kGammon, "bob", Bytes({pl::kOpeningRollRequest}));
        for (const std::string& payload : Payloads("eva"))
            if (auto die = pl::ParseOpeningDie(payload)) dice[die->Colour == gm::TColour::Black ? 0 : 1] = die->Die;
        if (dice[0] != dice[1]) winner = dice[0] > dice[1] ? "eva" : "bob";
    }
    ASSERT_FALSE(winner.empty());
    // The opening state with eva's die (seat 1) first, the other's 0 until
    // rolled; then the winner's turn (state 1 or 2) with the winner's die
    // first.
    std::vector<std::string> got = To("cid");
    ASSERT_EQ(got.size(), 5u);
    EXPECT_EQ(got[0], Bytes({91, 1, 0}));
    EXPECT_EQ(got[1], Bytes({'Z', 1, dice[0], 0}));
    EXPECT_EQ(got[2], Bytes({'Z', 1, dice[0], dice[1]}));
    const int seat = winner == "eva" ? 1 : 2;
    EXPECT_EQ(got[3], Bytes({91, 1, seat}));
    EXPECT_EQ(got[4], Bytes({'Z', 1, dice[seat - 1], dice[2 - seat]}));

    // The winner's first legal step; eva plays black, so every point p of
    // the board shows as 25 - p.
    const gm::TColour colour = winner == "eva" ? gm::TColour::Black : gm::TColour::White;
    const gm::TPosition start = gm::TPosition::Opening();
    std::optional<gm::TStep> step;
    for (int point = 0; point < gm::kPointCount && !step; ++point) {
        const gm::TStep trial{point, dice[seat - 1]};
        if (gm::CanStep(start, colour, point, trial.Pips) &&
            gm::JudgePlay(start, colour, dice[seat - 1], dice[2 - seat], std::span(&trial, 1)) !=
                gm::TPlayVerdict::Illegal)
            step = trial;
    }
    ASSERT_TRUE(step);
    Send(kGammon, winner, pl::BuildMove(pl::kMove, {step->Source, step->Pips}));
    const int shown = 25 - step->Source;
    EXPECT_THAT(To("cid"), ElementsAre(Bytes({92, 1, shown + 1, step->Pips})));
    const int target = gm::Advance(colour, step->Source, step->Pips);
    gm::TMoveRecord record;
    record.Checker = gm::FirstChecker(colour);
    record.Source = step->Source;
    record.Target = target;
    record.Distance = step->Pips;
    Send(kGammon, winner, pl::BuildUndo(pl::kUndo, record));
    const int shownTarget = 25 - target;
    EXPECT_THAT(To("cid"), ElementsAre(Bytes({93, 1, shownTarget + 2, shown + 2, 1})));
}

TEST_F(GamePreviewTest, PuzzleSnapshotAndAShotIntoTheTopLeftOfTheField) {
    Start(kPuzzle, "2");
    Watch("cid", kPuzzle, "eva", 4);
    // Empty grids, no games won, a match of 2, level 1.
    EXPECT_THAT(To("cid"), ElementsAre(Bytes({'J', kPuzzle, 4}) + std::string(140, '\0') + Bytes({0, 0, 2, 1})));

    // eva shoots straight up (canon frame 22): the bubble sticks to the top.
    rules::TPuzzlePlayer eva(rules::PuzzleLayoutGeometry());
    eva.Start(kSeed);
    const rules::TPuzzleFire fire = eva.Fire(22);
    ASSERT_FALSE(fire.Lost);
    Send(kPuzzle, "eva", rules::BuildPuzzleShot(fire.Colour, fire.Aim.Entry, fire.Aim.Target));
    EXPECT_THAT(To("cid"), ElementsAre(Bytes({140, 4, 1, fire.Colour, fire.Aim.Entry, fire.Aim.Target.Column,
                                              fire.Aim.Target.Row})));
    // A new watcher sees the bubble in the snapshot.
    Watch("dan", kPuzzle, "eva", 1);
    std::string grids(140, '\0');
    grids[static_cast<size_t>(fire.Aim.Target.Row * 7 + fire.Aim.Target.Column)] = static_cast<char>(fire.Colour);
    EXPECT_THAT(To("dan"), ElementsAre(Bytes({'J', kPuzzle, 1}) + grids + Bytes({0, 0, 2, 1})));
}

TEST_F(GamePreviewTest, ASlotTakenByAnotherGameStopsTheOldOneAndEachSlotHoldsOneGame) {
    Start(kTumblix, "3");
    m_tables->OpenTable(P("cid"), kGammon, "3");
    m_tables->AskToJoin(P("dan"), kGammon, "cid");
    m_tables->StartGame(P("cid"), kGammon, {"dan"});

    Watch("eli", kTumblix, "eva", 3);
    Watch("eli", kGammon, "cid", 3);
    std::vector<std::string> got = To("eli");
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[1], Bytes({'I', 3}));
    EXPECT_EQ(got[2].substr(0, 3), Bytes({'J', kGammon, 3}));
    // eva's game no longer reaches slot 3.
    Send(kTumblix, "eva", Bytes({'3', 1}));
    Send(kTumblix, "eva", Bytes({'2', 1, 5, 2}));
    EXPECT_THAT(To("eli"), IsEmpty());
    // The same game asked for again: its snapshot again, no stop.
    Watch("eli", kGammon, "cid", 3);
    got = To("eli");
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].substr(0, 3), Bytes({'J', kGammon, 3}));
}

TEST_F(GamePreviewTest, AWatcherHasFourSlotsAndBadRequestsAreIgnored) {
    Start(kTumblix, "3");
    for (int slot = 1; slot <= 4; ++slot) Watch("cid", kTumblix, "eva", slot);
    EXPECT_EQ(To("cid").size(), 4u);
    Watch("cid", kTumblix, "eva", 0);
    Watch("cid", kTumblix, "eva", 5);
    Watch("cid", kTumblix, "eva", 255);
    Watch("cid", kGammon, "eva", 1);    // the kind does not match
    Watch("cid", kTumblix, "bob", 1);   // not seat 1
    Watch("cid", kTumblix, "nobody", 1);
    Watch("cid", 0, "eva", 1);
    Watch("cid", 9, "eva", 1);
    EXPECT_THAT(To("cid"), IsEmpty());
    // Every slot gets each change once.
    Send(kTumblix, "eva", Bytes({'3', 1}));
    Send(kTumblix, "eva", Bytes({'2', 1, 5, 2}));
    std::vector<std::string> got = To("cid");
    ASSERT_EQ(got.size(), 4u);
    for (int slot = 1; slot <= 4; ++slot) EXPECT_EQ(got[static_cast<size_t>(slot - 1)][1], slot);

    // Yatzy has no preview.
    m_tables->OpenTable(P("dan"), kYatzy, "1");
    m_tables->AskToJoin(P("eli"), kYatzy, "dan");
    m_tables->StartGame(P("dan"), kYatzy, {"eli"});
    Watch("cid", kYatzy, "dan", 1);
    EXPECT_THAT(To("cid"), IsEmpty());
}

TEST_F(GamePreviewTest, TheEndNamesTheWinnerAndAnEndedGameCannotBeWatched) {
    Start(kTumblix, "1");
    Watch("cid", kTumblix, "eva", 2);
    To("cid");
    Send(kTumblix, "bob", std::string(1, '\x15'));  // bob's well is full
    std::vector<std::string> got = To("cid");
    ASSERT_FALSE(got.empty());
    // The games won change (a snapshot), then the end: seat 1 won.
    EXPECT_EQ(got.front().substr(0, 3), Bytes({'J', kTumblix, 2}));
    EXPECT_EQ(got.back(), Bytes({94, 2, 1}));
    Watch("cid", kTumblix, "eva", 2);
    EXPECT_THAT(To("cid"), IsEmpty());
}

TEST_F(GamePreviewTest, AWatcherWhoLeavesIsForgottenAndTheGameGoesOn) {
    Start(kTumblix, "3");
    Watch("cid", kTumblix, "eva", 1);
    Watch("dan", kTumblix, "eva", 1);
    To("cid");
    To("dan");
    m_tables->UserLeft(P("cid"));
    Send(kTumblix, "eva", Bytes({'3', 1}));
    Send(kTumblix, "eva", Bytes({'2', 1, 5, 2}));
    EXPECT_THAT(To("cid"), IsEmpty());
    EXPECT_EQ(To("dan").size(), 1u);
    EXPECT_THAT(Payloads("bob"), testing::Contains(Bytes({'2', 1, 5, 2})));
    // A player who watches their own game and leaves forfeits as ever; the
    // watchers see the end.
    Watch("eva", kTumblix, "eva", 2);
    To("eva");
    m_tables->UserLeft(P("eva"));
    EXPECT_THAT(To("dan"), ElementsAre(Bytes({94, 1, 2})));
    EXPECT_THAT(To("eva"), IsEmpty());
}

}  // namespace
