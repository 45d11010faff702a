// The own well's moves in the situations where they are easiest to get
// wrong: where a new piece enters, wall kicks, the drop key, several lines
// at once, bombs at walls and blocks, weights, junk rows and levels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/tumblix/OwnGame.h"
#include "rules/tumblix/Sounds.h"
#include "rules/tumblix/WellText.h"

namespace {

using namespace rules::tumblix;
using tumblix_test::WellOf;

std::string Bytes(std::initializer_list<int> numbers) {
    std::string bytes;
    for (int n : numbers) bytes.push_back(static_cast<char>(n));
    return bytes;
}

// Rows 0 and 1 blocked except for the given columns.
TWell TopBlockedExcept(std::initializer_list<int> free) {
    TWell well;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < TWell::kColumns; ++x) well.SetCell(x, y, 1);
    for (int y = 0; y < 2; ++y)
        for (int x : free) well.SetCell(x, y, 0);
    return well;
}

const int kSquare = ShapeOf(kSquarePiece, 0);
const int kBarFlat = ShapeOf(kBarPiece, 0);
const int kBarUp = ShapeOf(kBarPiece, 1);
const int kWeight = ShapeOf(kWeightPiece, 0);
const int kBomb = ShapeOf(kBombPiece, 0);

TEST(TumblixOwnGameTest, NewPieceEntersAtTheNearestColumnLeftFirstOrTheGameEnds) {
    TOwnGame game;
    // The square fits three columns left (x 1) and three right (x 7) of x 4.
    game.SetPosition(TopBlockedExcept({2, 3, 8, 9}), {kSquare, 4, 23}, kSquare);
    EXPECT_TRUE(game.BlockDown());
    EXPECT_EQ(game.Piece(), (TPiece{kSquare, 1, -1}));
    std::vector<std::string> sent = game.TakePayloads();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0], Bytes({'4', 7, 26, 1}));
    EXPECT_EQ(sent[1], Bytes({'2', game.Next() + 1, 4, 2}));
    EXPECT_FALSE(game.Moved());

    // No two neighbouring columns free: no place anywhere, byte 21 goes.
    game.SetPosition(TopBlockedExcept({0, 2, 4, 6, 8, 10}), {kSquare, 4, 23}, kSquare);
    EXPECT_TRUE(game.BlockDown());
    EXPECT_TRUE(game.Dead());
    EXPECT_EQ(game.TakePayloads().back(), Bytes({21}));
    EXPECT_FALSE(game.Piece().Exists());
}

TEST(TumblixOwnGameTest, BarTurnedAgainstEachWallMovesOffAndBack) {
    TOwnGame game;
    // Upright in column 0: flat it needs two columns to the right.
    game.SetPosition(TWell{}, {kBarUp, -2, 10}, kSquare);
    game.TurnBlock();
    EXPECT_EQ(game.Piece(), (TPiece{kBarUp + 1, 0, 10}));
    EXPECT_EQ(game.KickMemory(), -2);
    game.TurnBlock();
    EXPECT_EQ(game.Piece(), (TPiece{kBarUp + 2, -2, 10}));
    EXPECT_EQ(game.Well().Cell(0, 13), 3);

    // Upright in column 1: one column does.
    game.SetPosition(TWell{}, {kBarUp, -1, 10}, kSquare);
    game.TurnBlock();
    EXPECT_EQ(game.Piece(), (TPiece{kBarUp + 1, 0, 10}));
    EXPECT_EQ(game.KickMemory(), -1);
    game.TurnBlock();
    EXPECT_EQ(game.Piece().X, -1);

    // Upright in column 11: one to the left, and back.
    game.SetPosition(TWell{}, {kBarUp, 9, 10}, kSquare);
    game.BlockRight();  // against the wall: stays, and clears the memory
    game.TurnBlock();
    EXPECT_EQ(game.Piece(), (TPiece{kBarUp + 1, 8, 10}));
    EXPECT_EQ(game.KickMemory(), 1);
    game.TurnBlock();
    EXPECT_EQ(game.Piece(), (TPiece{kBarUp + 2, 9, 10}));
}

TEST(TumblixOwnGameTest, TurnAtTheTopMovesDownAndABlockedTurnDoesNothing) {
    TOwnGame game;
    game.SetPosition(TWell{}, {kBarFlat, 3, -2}, kSquare);
    game.TurnBlock();
    EXPECT_EQ(game.Piece(), (TPiece{kBarUp, 3, 0}));
    EXPECT_EQ(game.KickMemory(), 0);

    // Flat on a floor with a block above its third cell: no turn fits.
    TWell well = WellOf({"..#.........", "............", "............", "............", "############"});
    well.SetCell(11, 25, 0);
    game.SetPosition(well, {kBarFlat, 0, 21}, kSquare);
    game.TurnBlock();
    EXPECT_EQ(game.Piece(), (TPiece{kBarFlat, 0, 21}));
}

TEST(TumblixOwnGameTest, FirstDropPressOnAnUnmovedPieceOnlyMarksIt) {
    TOwnGame game;
    game.SetPosition(TWell{}, {kSquare, 4, 0}, kSquare);
    game.DropPress();
    EXPECT_EQ(game.Piece().Y, 0);
    EXPECT_TRUE(game.Moved());
    EXPECT_TRUE(game.TakePayloads().empty());
    game.DropPress();
    EXPECT_EQ(game.Well().Cell(5, 25), 1);
    EXPECT_EQ(game.PendingSound(), kFastSound);

    // A piece that was moved sideways drops at the first press.
    game.SetPosition(TWell{}, {kSquare, 4, 0}, kSquare);
    game.BlockLeft();
    game.DropPress();
    EXPECT_EQ(game.Well().Cell(4, 25), 1);
}

TEST(TumblixOwnGameTest, FourLinesAtOnceSendFourRowsAndTheBigSound) {
    TOwnGame game;
    TWell well = WellOf({"###########.", "###########.", "###########.", "###########."});
    game.SetPosition(well, {kBarUp, 9, 5}, kSquare);
    EXPECT_EQ(game.BlockFastDown(), 17);
    std::vector<std::string> sent = game.TakePayloads();
    ASSERT_EQ(sent.size(), 6u);
    EXPECT_EQ(sent[0], Bytes({'4', 12, 25, kBarUp + 1}));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(sent[1 + i], Bytes({'5', 23 + i})) << i;
    EXPECT_EQ(sent[5][0], '2');
    EXPECT_EQ(game.PendingSound(), kLinesSound);
    EXPECT_EQ(game.Lines(), 4);
    EXPECT_EQ(game.Height(), TWell::kRows);
}

TEST(TumblixOwnGameTest, BombPushedIntoABlockExplodesButNotAgainstTheWall) {
    TOwnGame game;
    TWell well;
    well.SetCell(6, 11, 4);
    well.SetCell(7, 11, 4);
    game.SetPosition(well, {kBomb, 4, 10}, kSquare);
    game.BlockRight();
    EXPECT_EQ(game.Well().Cell(6, 11), 0);
    EXPECT_EQ(game.Well().Cell(7, 11), 4);
    std::vector<std::string> sent = game.TakePayloads();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0], Bytes({'9', 7, 13}));
    EXPECT_EQ(sent[1][0], '2');
    std::vector<TOwnEvent> events = game.TakeEvents();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(std::get<TSoundNow>(events[0]).Name, kExplodeSound);
    EXPECT_EQ(std::get<TBlast>(events[1]).Before[11][6], 4);

    for (int x : {-1, 10}) {
        game.SetPosition(TWell{}, {kBomb, x, 10}, kSquare);
        x < 0 ? game.BlockLeft() : game.BlockRight();
        EXPECT_EQ(game.Piece(), (TPiece{kBomb, x, 10}));
        EXPECT_TRUE(game.TakePayloads().empty());
    }
}

TEST(TumblixOwnGameTest, WeightSinksThroughTheHolesBelowIt) {
    TOwnGame game;
    TWell well = WellOf({".....2......", "............", ".....3......", "............", ".....4......",
                         ".....5......"});
    game.SetPosition(well, {kWeight, 4, 17}, kSquare);
    EXPECT_FALSE(game.BlockDown());
    EXPECT_TRUE(game.BlockDown());
    std::vector<std::string> sent = game.TakePayloads();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[1], Bytes({':', 7, 21}));
    int column[7];
    for (int y = 19; y <= 25; ++y) column[y - 19] = game.Well().Cell(5, y);
    EXPECT_EQ(std::vector<int>(column, column + 7), (std::vector<int>{0, 0, 0, 2, 3, 4, 5}));
    std::vector<TOwnEvent> events = game.TakeEvents();
    const TWeightFall& fall = std::get<TWeightFall>(events.back());
    EXPECT_EQ(fall.Steps.size(), 3u);
    EXPECT_EQ(fall.VanishRow, 21);
    EXPECT_EQ(fall.Steps[2][21][5], ColourOf(kWeightPiece));
}

TEST(TumblixOwnGameTest, WeightOrBombOnTheBottomRowVanishesWithoutAMessage) {
    for (int shape : {kWeight, kBomb}) {
        TOwnGame game;
        game.SetPosition(WellOf({"....5......."}), {shape, 4, 23}, kSquare);
        EXPECT_FALSE(game.BlockDown());
        EXPECT_TRUE(game.BlockDown());
        std::vector<std::string> sent = game.TakePayloads();
        ASSERT_EQ(sent.size(), 2u);
        EXPECT_EQ(sent[0][0], '4');
        EXPECT_EQ(sent[1][0], '2');
        EXPECT_EQ(game.Well().Cell(5, 25), 0);
        EXPECT_EQ(game.Well().Cell(4, 25), 5);
    }
}

TEST(TumblixOwnGameTest, JunkRowComesFromTheJunkSeedAndLiftsThePiece) {
    TOwnGame game;
    game.Show(12345);
    game.NewGame();
    game.TakePayloads();
    TPiece entered = game.Piece();
    // The new piece touches the top: it steps down first, then rises.
    game.Annoy();
    const TRow junk{3, 3, 1, 4, 5, 0, 0, 1, 1, 0, 7, 3};
    EXPECT_EQ(game.Well().Cells()[25], junk);
    EXPECT_EQ(game.Piece(), entered);
    EXPECT_EQ(game.JunkSeed(), 1833291241u);
    std::vector<std::string> sent = game.TakePayloads();
    ASSERT_EQ(sent.size(), 1u);
    std::string expected = "7";
    for (uint8_t colour : junk) expected.push_back(static_cast<char>(colour + 2));
    expected += Bytes({1, entered.X + 3, entered.Y + 3, entered.Shape + 1});
    EXPECT_EQ(sent[0], expected);
}

TEST(TumblixOwnGameTest, JunkRowWithRowZeroOccupiedEndsTheGame) {
    TOwnGame game;
    TWell well;
    well.SetCell(0, 0, 2);
    game.SetPosition(well, {kSquare, 4, 10}, kSquare);
    game.Annoy();
    EXPECT_TRUE(game.Dead());
    EXPECT_EQ(game.TakePayloads(), std::vector<std::string>{Bytes({21})});
    game.Tick();
    game.BlockLeft();
    EXPECT_EQ(game.Piece(), (TPiece{kSquare, 4, 10}));
}

TEST(TumblixOwnGameTest, GameStartsAtLevelOneAndLevelsShortenTheDelay) {
    TOwnGame game;
    game.Show(5);
    game.NewGame();
    std::vector<std::string> sent = game.TakePayloads();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0][0], '3');
    EXPECT_EQ(sent[1][0], '2');
    EXPECT_EQ(std::get<TSoundNow>(game.TakeEvents()[0]).Name, kNewGameSound);
    EXPECT_EQ(game.Level(), 1);
    EXPECT_EQ(game.Delay(), 36);

    // Gravity: 35 ticks wait, the 36th steps.
    int y = game.Piece().Y;
    for (int i = 0; i < 35; ++i) game.Tick();
    EXPECT_EQ(game.Piece().Y, y);
    game.Tick();
    EXPECT_EQ(game.Piece().Y, y + 1);

    std::vector<int> delays;
    for (int i = 0; i < 11; ++i) {
        game.NewLevel();
        delays.push_back(game.Delay());
    }
    EXPECT_EQ(delays, (std::vector<int>{30, 24, 18, 14, 10, 8, 6, 4, 2, 1, 1}));
    EXPECT_EQ(game.Countdown(), 1);
    EXPECT_EQ(game.PendingSound(), kLevelSound);
}

}  // namespace
