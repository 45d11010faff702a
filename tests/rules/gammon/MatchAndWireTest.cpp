// The cube with the Crawford rule, the match score, the payload bytes, the
// board geometry and the dice statistics.
#include <gtest/gtest.h>

#include "rules/Dicestat.h"
#include "rules/gammon/Board.h"
#include "rules/gammon/Geometry.h"
#include "rules/gammon/Payload.h"

namespace {

using namespace rules::gammon;

TEST(GammonCube, CrawfordGameHasNoCubeAndTheNextOneHasItAgain) {
    TBoard board;
    board.StartTable(TColour::White, 5);
    board.StartGame();
    EXPECT_TRUE(board.Cube().CanDouble(TColour::White, board.Match()));
    // Black reaches 4 of 5: the next game is played without the cube.
    board.Match().Add(TColour::Black, 4);
    board.StartGame();
    EXPECT_FALSE(board.Cube().AllowedThisGame());
    EXPECT_FALSE(board.Cube().CanDouble(TColour::White, board.Match()));
    EXPECT_FALSE(board.Cube().CanDouble(TColour::Black, board.Match()));
    // White wins it; in the following game white may double again, the
    // leader never (4 + 1 is not below 5).
    board.Match().Add(TColour::White, 1);
    board.StartGame();
    EXPECT_TRUE(board.Cube().CanDouble(TColour::White, board.Match()));
    EXPECT_FALSE(board.Cube().CanDouble(TColour::Black, board.Match()));
    // A new table forgets the Crawford game.
    board.StartTable(TColour::White, 3);
    board.Match().Add(TColour::White, 2);
    board.StartGame();
    EXPECT_FALSE(board.Cube().AllowedThisGame());
}

TEST(GammonCube, AcceptingPassesOwnershipAndScoresMultiply) {
    TMatchScore score;
    score.Start(7);
    TCube cube;
    cube.StartTable();
    cube.StartGame(score);
    cube.Accept(TColour::Black);  // white doubled, black took
    EXPECT_EQ(cube.Value(), 2);
    EXPECT_TRUE(cube.OwnedBy(TColour::Black));
    EXPECT_FALSE(cube.CanDouble(TColour::White, score));
    EXPECT_TRUE(cube.CanDouble(TColour::Black, score));
    cube.Accept(TColour::White);
    EXPECT_EQ(cube.Value(), 4);
    EXPECT_EQ(cube.FaceIndex(), 2);
    // 4 points at stake: a gammon is worth 8, and black at 3 may not double
    // to 8 any more (3 + 4 is not below 7).
    EXPECT_EQ(GamePoints(2, cube.Value()), 8);
    score.Add(TColour::White, 3);
    EXPECT_FALSE(cube.CanDouble(TColour::White, score));
    score.Add(TColour::White, 4);
    EXPECT_EQ(score.Winner(), TColour::White);
}

TEST(GammonPayload, MovesAndUndosCarryTheirOffsets) {
    using namespace payload;
    EXPECT_EQ(BuildMove(kMove, {0, 3}), std::string("\xA3\x01\x03", 3));
    EXPECT_EQ(ParseMove(std::string("\xA3\x1A\x06", 3)), (TWireMove{25, 6}));
    EXPECT_FALSE(ParseMove(std::string("\xA3\x1B\x06", 3)));  // point 26
    EXPECT_FALSE(ParseMove(std::string("\xA3\x01\x07", 3)));  // no die shows 7
    EXPECT_FALSE(ParseMove(std::string("\xA3\x01", 2)));
    EXPECT_FALSE(ParseMove(std::string("\xA4\x01\x03", 3)));

    TMoveRecord borneOff{3, 22, kOffBoard, 0, kNoChecker};
    std::string bytes = BuildUndo(kUndo, borneOff);
    EXPECT_EQ(bytes, std::string("\xAB\x04\x01\x18\x01", 5));
    EXPECT_EQ(ParseUndo(bytes), borneOff);
    TMoveRecord hit{20, 9, 5, 0, 2};
    EXPECT_EQ(ParseUndo(BuildUndo(kOpponentUndo, hit)), hit);
    EXPECT_FALSE(ParseUndo(std::string("\xAB\x1F\x02\x02\x01", 5)));  // checker 30
    EXPECT_FALSE(ParseUndo(std::string("\xAB\x01\x00\x02\x01", 5)));  // target -2
}

TEST(GammonPayload, DiceClassesAndTexts) {
    using namespace payload;
    EXPECT_EQ(ParseRoll(BuildRoll({TColour::Black, 6, 6})), (TWireRoll{TColour::Black, 6, 6}));
    EXPECT_FALSE(ParseRoll(std::string("\xA5\x03\x01\x01", 4)));
    EXPECT_FALSE(ParseRoll(std::string("\xA5\x01\x00\x01", 4)));
    EXPECT_EQ(ParseOpeningDie(BuildOpeningDie({TColour::White, 4})), (TWireOpeningDie{TColour::White, 4}));
    EXPECT_EQ(ParseClass(BuildClass(kGameWon, 3)), 3);
    EXPECT_FALSE(ParseClass(BuildClass(kGiveUpOffer, 4)));
    EXPECT_EQ(BuildChat("hi\x01there"), std::string("\x08hithere\x01"));
    EXPECT_EQ(ParseChat(BuildChat("hello")), "hello");
    TWireChatLine line{7, 8, "bob~>hi"};
    EXPECT_EQ(ParseChatLine(BuildChatLine(line)), line);
    EXPECT_FALSE(ParseChatLine(std::string("\x09\x01\x01\x01\x01", 5)));
    EXPECT_EQ(ParseAdvert(BuildAdvert({2, "http://x"})), (TWireAdvert{2, "http://x"}));
    EXPECT_FALSE(ParseAdvert(std::string("\x55\x04x", 3)));
    EXPECT_EQ(BuildOption(kOptionConfirm, true), std::string("n\x11\x02"));
}

TEST(GammonGeometry, PointsStacksAndHover) {
    TGammonLayout layout;
    layout.LeftX = 100, layout.LeftY = 50, layout.RightX = 420, layout.RightY = 50;
    layout.HalfWidth = 300, layout.HalfHeight = 400, layout.ColumnHeight = 180;
    layout.CheckerWidth = 40, layout.CheckerHeight = 36;
    layout.TrayX = 740, layout.TrayWidth = 40, layout.TrayMargin = 10, layout.SideWidth = 36, layout.SideHeight = 10;
    layout.CubeX = 60, layout.CubeY = 60, layout.CubeWidth = 40, layout.CubeHeight = 40;
    TGammonGeometry white(layout, TColour::White), black(layout, TColour::Black);
    EXPECT_EQ(white.ColumnX(1), 420 + 5 * 50);
    EXPECT_EQ(white.ColumnX(12), 100);
    EXPECT_EQ(white.ColumnX(13), 100);
    EXPECT_EQ(white.ColumnX(24), 420 + 5 * 50);
    // White sees 1..12 on top, black at the bottom.
    EXPECT_EQ(white.Checker(1, 0, 1), (TXY{675, 50}));
    EXPECT_EQ(black.Checker(1, 0, 1), (TXY{675, 450 - 36}));
    // Five fit; the sixth closes the column up.
    EXPECT_EQ(white.Checker(12, 4, 5).Y, 50 + 4 * 36);
    EXPECT_EQ(white.Checker(12, 5, 6).Y, 50 + 5 * ((180 - 36) / 6));
    // Hover: white's lower left column is 13, upper right column is 1.
    EXPECT_EQ(white.HoverPoint(110, 400, false), 13);
    EXPECT_EQ(white.HoverPoint(715, 60, false), 1);
    EXPECT_EQ(black.HoverPoint(110, 400, false), 12);
    EXPECT_EQ(white.HoverPoint(410, 60, false), -1);  // the gap
    EXPECT_EQ(white.HoverPoint(410, 60, true), 0);
    EXPECT_EQ(black.HoverPoint(410, 60, true), 25);
    EXPECT_EQ(white.HoverPoint(760, 60, false), -1);  // the tray
    // The cube: centred at 1, on the owner's side after a double.
    EXPECT_EQ(white.Cube(1, false), (TXY{60, 230}));
    EXPECT_EQ(white.Cube(2, true), (TXY{60, 60}));
    EXPECT_EQ(white.Cube(2, false), (TXY{60, 500 - 60 - 40}));
    EXPECT_EQ(white.Tray(TColour::White, 0), (TXY{742, 450 - 10 - 10}));
    EXPECT_EQ(white.Tray(TColour::Black, 1), (TXY{742, 50 + 10 + 10}));
}

TEST(Dicestat, CountsPerGameAndPrintsPercentages) {
    rules::TDicestat stat;
    EXPECT_EQ(stat.Lines(), (std::vector<std::string>{"System: Dice Stat", "Rolls: 0",
                                                       "System: Double roll Stat (Backgam.)", "Rolls: 0"}));
    stat.CountDie(3);  // before any game: only the totals
    stat.NewEntry(2);
    stat.CountPair(6, 1);
    stat.CountDie(7);  // not a face
    EXPECT_EQ(stat.Rolls(), 3);
    EXPECT_EQ(stat.PairRolls(), 1);
    EXPECT_EQ(stat.PairCount(6, 1), 1);
    EXPECT_EQ(stat.PairCount(1, 6), 0);
    ASSERT_EQ(stat.Entries().size(), 1u);
    EXPECT_EQ(stat.Entries()[0].Rolls, 2);
    EXPECT_EQ(stat.Entries()[0].FaceCount[6], 1);
    std::vector<std::string> lines = stat.Lines();
    ASSERT_EQ(lines.size(), 2u + 6u + 2u + 36u);
    EXPECT_EQ(lines[4], "Dice 3: 33.33%");
    EXPECT_EQ(lines[10 + 30], "Dice 6 & 1: 100.00%");
}

}  // namespace
