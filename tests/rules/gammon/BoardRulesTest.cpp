// The rules of the board on hand-made positions: the cases people get
// wrong (bar entry, the whole-turn rule, bearing off, combined moves over a
// blot, undo after hits and of doubles), the result classes and pips.
#include <gtest/gtest.h>

#include <algorithm>

#include "GammonTestPositions.h"
#include "rules/gammon/Board.h"
#include "rules/gammon/LegalPlays.h"
#include "rules/gammon/OptionPlays.h"

namespace {

using namespace rules::gammon;
using gammontest::Make;

TBoard BoardWith(const TPosition& position, TColour turn, int die1, int die2) {
    TBoard board;
    board.SetPosition(position);
    board.SetTurn(turn);
    board.SetDice(die1, die2);
    return board;
}

int CheckerOn(const TBoard& board, int point) { return board.TopChecker(point); }

TEST(GammonBoard, OpeningSetUpAndPipCounts) {
    TBoard board;
    board.StartTable(TColour::White, 5);
    board.StartGame();
    EXPECT_EQ(board.Position().Value(1), 2);
    EXPECT_EQ(board.Position().Value(19), 5);
    EXPECT_EQ(board.Position().Value(6), 25);
    EXPECT_EQ(board.Position().Value(24), 22);
    EXPECT_EQ(board.PipCount(TColour::White), 167);
    EXPECT_EQ(board.PipCount(TColour::Black), 167);
    // Checkers are stacked in index order: the second white one tops point 1.
    EXPECT_EQ(board.TopChecker(1), 1);
    EXPECT_EQ(board.Brick(1).StackKey(), 2);
    EXPECT_EQ(board.TopChecker(24), 29);
}

TEST(GammonBoard, BlackPointsUseTheValueTwentyEncoding) {
    TBoard board = BoardWith(Make({{1, 15}}, {{10, 1}, {24, 14}}), TColour::Black, 3, 5);
    EXPECT_EQ(board.Position().Value(10), 21);
    auto moves = board.Drop(CheckerOn(board, 10), 7);
    ASSERT_EQ(moves.size(), 1u);
    // The point black left reads 0, not 20; the new one 21.
    EXPECT_EQ(board.Position().Value(10), 0);
    EXPECT_EQ(board.Position().Value(7), 21);
}

TEST(GammonBoard, OnlyTheBarCheckerMovesAndABlockedEntryEndsTheTurn) {
    // White on the bar; black holds 2, 3 and 5 of its home board.
    TBoard board = BoardWith(Make({{0, 1}, {10, 14}}, {{2, 2}, {3, 2}, {5, 2}, {24, 9}}), TColour::White, 3, 5);
    for (int checker = 0; checker < 15; ++checker) EXPECT_FALSE(board.Brick(checker).Options().Any()) << checker;
    EXPECT_FALSE(board.HasLegalMove());
    EXPECT_TRUE(board.TurnOver());

    board.SetDice(6, 2);  // enters on 6 but not on 2
    int bar = board.TopChecker(0);
    EXPECT_TRUE(board.Brick(bar).Options().Die1);
    EXPECT_FALSE(board.Brick(bar).Options().Die2);
    EXPECT_FALSE(board.Brick(CheckerOn(board, 10)).Options().Any());
    EXPECT_EQ(board.PickUp(CheckerOn(board, 10)), kNoChecker);
    // Once in, the other checkers play the 2.
    ASSERT_EQ(board.Drop(bar, 6).size(), 1u);
    EXPECT_TRUE(board.Brick(CheckerOn(board, 10)).Options().Die2);
}

TEST(GammonBoard, SixOneWithOneMovableCheckerKeepsOnlyTheSix) {
    // The checker on 10 can play 6 or 1 but not both (17 is blocked).
    TBoard board = BoardWith(Make({{10, 1}, {24, 14}}, {{17, 2}, {1, 13}}), TColour::White, 6, 1);
    const TMoveOptions& options = board.Brick(CheckerOn(board, 10)).Options();
    EXPECT_TRUE(options.Die1);
    EXPECT_FALSE(options.Die2);
    EXPECT_FALSE(options.Combined);
    EXPECT_TRUE(board.QuickMove(CheckerOn(board, 10)).size() == 1);
    EXPECT_EQ(board.Position().Count(TColour::White, 16), 1);
    EXPECT_TRUE(board.TurnOver());
}

// Where the whole-turn rule as first written went wrong: a lone checker on
// the bar that can enter with either die but then never play the other
// must enter with the higher one; and a lone checker that can play the
// smaller die and then the larger must not play the larger alone.
TEST(GammonBoard, LoneCheckerMustPlayTheHigherDieOrBothDice) {
    auto value = [](std::initializer_list<int> values) {
        std::array<int, kPointCount> table{};
        std::copy(values.begin(), values.end(), table.begin());
        return table;
    };
    TPosition barEntry = *TPosition::FromValues(
        value({0, 21, 0, 2, 1, 0, 0, 0, 1, 0, 0, 2, 0, 1, 2, 2, 1, 1, 0, 1, 0, 0, 0, 0, 1, 21}), 0, 13);
    TBoard board = BoardWith(barEntry, TColour::Black, 6, 5);
    std::vector<TPosition> legal = LegalFinalPositions(barEntry, TColour::Black, 6, 5);
    ASSERT_EQ(legal.size(), 1u);
    EXPECT_EQ(ReachableThroughOptions(board), legal);
    EXPECT_FALSE(board.Brick(board.TopChecker(25)).Options().Die2);

    TPosition hitThenOff = *TPosition::FromValues(
        value({0, 1, 21, 1, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 0, 0, 1, 0, 1, 3, 0, 0, 1, 0, 3, 0}), 0, 14);
    board = BoardWith(hitThenOff, TColour::Black, 6, 1);
    const TMoveOptions& options = board.Brick(board.TopChecker(2)).Options();
    EXPECT_FALSE(options.Die1);  // bearing off with the 6 would leave the 1 unplayed
    EXPECT_TRUE(options.Die2);
    EXPECT_EQ(ReachableThroughOptions(board), LegalFinalPositions(hitThenOff, TColour::Black, 6, 1));
}

TEST(GammonBoard, BearingOffFromTwentyTwo) {
    // All white checkers home; 22 bears off with a 3 always, with a 6 only
    // when nothing stands on 19..21.
    TBoard board = BoardWith(Make({{22, 1}, {20, 2}, {24, 12}}, {{1, 15}}), TColour::White, 6, 3);
    const TMoveOptions& blocked = board.Brick(CheckerOn(board, 22)).Options();
    EXPECT_FALSE(blocked.Die1);
    EXPECT_TRUE(blocked.Die2);
    EXPECT_TRUE(blocked.BearOff);

    board = BoardWith(Make({{22, 1}, {23, 2}, {24, 12}}, {{1, 15}}), TColour::White, 6, 3);
    const TMoveOptions& free = board.Brick(CheckerOn(board, 22)).Options();
    EXPECT_TRUE(free.Die1);
    EXPECT_TRUE(free.BearOff);
    // Dropped over the tray, it leaves with the 6 (die 1).
    auto moves = board.Drop(CheckerOn(board, 22), -1);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].Target, kOffBoard);
    EXPECT_EQ(board.Slot(1), 0);
    EXPECT_EQ(board.Position().Off(TColour::White), 1);

    // A checker outside the home board forbids bearing off at all.
    board = BoardWith(Make({{22, 1}, {18, 1}, {24, 13}}, {{1, 15}}), TColour::White, 6, 3);
    EXPECT_FALSE(board.Brick(CheckerOn(board, 22)).Options().Die2);
}

TEST(GammonBoard, CombinedDropHitsTheBlotOnDieOnesPoint) {
    // White on 5 plays 3-4 to 12; black blots on 8 (die 1's point) and 9.
    TBoard board = BoardWith(Make({{5, 1}, {1, 14}}, {{8, 1}, {9, 1}, {24, 13}}), TColour::White, 3, 4);
    int checker = CheckerOn(board, 5);
    int blot = board.TopChecker(8);
    ASSERT_TRUE(board.Brick(checker).Options().Combined);
    auto moves = board.Drop(checker, 12);
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_EQ(moves[0].Target, 8);
    EXPECT_EQ(moves[0].Hit, blot);
    EXPECT_EQ(moves[1].Target, 12);
    EXPECT_EQ(board.Brick(blot).Point(), 25);
    EXPECT_EQ(board.Position().Count(TColour::Black, 9), 1);
    EXPECT_FALSE(board.DiceLeft());
    EXPECT_EQ(board.History().size(), 2u);
}

TEST(GammonBoard, UndoAfterAHitPutsTheHitCheckerBack) {
    TBoard board = BoardWith(Make({{5, 2}, {1, 13}}, {{8, 1}, {24, 14}}), TColour::White, 3, 6);
    int blot = board.TopChecker(8);
    auto moves = board.Drop(CheckerOn(board, 5), 8);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(board.Position().Value(25), 21);
    auto undone = board.Undo();
    ASSERT_TRUE(undone);
    EXPECT_EQ(undone->Hit, blot);
    EXPECT_EQ(board.Brick(blot).Point(), 8);
    EXPECT_EQ(board.Position().Value(8), 21);
    EXPECT_EQ(board.Position().Value(25), 0);
    EXPECT_EQ(board.Position().Count(TColour::White, 5), 2);
    EXPECT_EQ(board.Slot(1), 3);
    EXPECT_EQ(board.Slot(2), 6);
    EXPECT_TRUE(board.History().empty());
    // The hit checker is the top of its point again.
    EXPECT_EQ(board.TopChecker(8), blot);
}

TEST(GammonBoard, DoublesGiveFourMovesAndUndoOneByOne) {
    TBoard board = BoardWith(TPosition::Opening(), TColour::White, 2, 2);
    TPosition start = board.Position();
    // Three single moves from 1, 1 and 12; slots 4 and 3 go first.
    ASSERT_EQ(board.Drop(CheckerOn(board, 1), 3).size(), 1u);
    EXPECT_EQ(board.Slot(4), 0);
    EXPECT_EQ(board.Slot(1), 2);
    ASSERT_EQ(board.Drop(CheckerOn(board, 1), 3).size(), 1u);
    ASSERT_EQ(board.Drop(CheckerOn(board, 12), 14).size(), 1u);
    EXPECT_EQ(board.History().size(), 3u);
    EXPECT_TRUE(board.DiceLeft());
    // Three moves left only one die: no triple any more.
    EXPECT_FALSE(board.Brick(CheckerOn(board, 12)).Options().Combined);
    for (int n = 3; n > 0; --n) {
        ASSERT_TRUE(board.Undo());
        EXPECT_EQ(board.History().size(), static_cast<size_t>(n - 1));
    }
    EXPECT_EQ(board.Position(), start);
    EXPECT_EQ(board.Slot(1) + board.Slot(2) + board.Slot(3) + board.Slot(4), 8);
    // A quadruple drop: 1 to 9 in one go.
    ASSERT_TRUE(board.Brick(CheckerOn(board, 1)).Options().Quadruple);
    EXPECT_EQ(board.Drop(CheckerOn(board, 1), 9).size(), 4u);
    EXPECT_FALSE(board.DiceLeft());
}

TEST(GammonBoard, TripleNeedsThreeDiceLeft) {
    TBoard board = BoardWith(Make({{1, 2}, {19, 13}}, {{24, 15}}), TColour::White, 3, 3);
    ASSERT_EQ(board.Drop(CheckerOn(board, 19), 22).size(), 1u);
    ASSERT_EQ(board.Drop(CheckerOn(board, 19), 22).size(), 1u);
    const TMoveOptions& options = board.Brick(CheckerOn(board, 1)).Options();
    EXPECT_TRUE(options.Combined);
    EXPECT_FALSE(options.Triple);
    EXPECT_TRUE(board.Drop(CheckerOn(board, 1), 10).empty());
}

TEST(GammonBoard, OpponentMovesAndUndosAreReplayed) {
    TBoard board;
    board.StartTable(TColour::White, 3);
    board.StartGame();
    // Black plays 13/8 and hits nothing; then takes it back.
    auto move = board.ReplayMove(TColour::Black, 13, 5);
    ASSERT_TRUE(move);
    EXPECT_EQ(board.Position().Value(8), 24);
    EXPECT_TRUE(board.ReplayUndo(*move));
    EXPECT_EQ(board.Position(), TPosition::Opening());
    // A move onto a made point, from an empty point, or an undo that does
    // not fit the board is refused.
    EXPECT_FALSE(board.ReplayMove(TColour::Black, 13, 1));
    EXPECT_FALSE(board.ReplayMove(TColour::Black, 2, 1));
    EXPECT_FALSE(board.ReplayUndo(TMoveRecord{20, 9, 8, -5, kNoChecker}));
}

TEST(GammonBoard, HintDiceShowTheTargetsOfThePoint) {
    TBoard board = BoardWith(TPosition::Opening(), TColour::White, 3, 5);
    std::vector<THintDie> hints = board.HintDice(1);
    EXPECT_EQ(hints, (std::vector<THintDie>{{4, 3}}));  // 6 is black's point
    board.SetDice(1, 1);
    EXPECT_EQ(board.HintDice(17), (std::vector<THintDie>{{18, 1}, {19, 1}, {20, 1}, {21, 1}}));
    EXPECT_EQ(board.HintDice(6).size(), 0u);
}

TEST(GammonBoard, ResultClasses) {
    // Black has one off: normal; none off: gammon; one on white's home
    // board or on its own bar: backgammon.
    EXPECT_EQ(Make({}, {{1, 14}}).ResultClass(TColour::White), 1);
    EXPECT_EQ(Make({}, {{1, 15}}).ResultClass(TColour::White), 2);
    EXPECT_EQ(Make({}, {{1, 14}, {20, 1}}).ResultClass(TColour::White), 3);
    EXPECT_EQ(Make({}, {{1, 14}, {25, 1}}).ResultClass(TColour::White), 3);
    EXPECT_EQ(Make({{24, 15}}, {}).ResultClass(TColour::Black), 2);
    EXPECT_EQ(Make({{0, 1}, {24, 14}}, {}).ResultClass(TColour::Black), 3);
}

TEST(GammonBoard, RefereeJudgesWholePlays) {
    TPosition start = Make({{10, 1}, {24, 14}}, {{17, 2}, {1, 13}});
    std::vector<TStep> six{{10, 6}}, one{{10, 1}};
    EXPECT_EQ(JudgePlay(start, TColour::White, 6, 1, six), TPlayVerdict::Legal);
    EXPECT_EQ(JudgePlay(start, TColour::White, 6, 1, one), TPlayVerdict::Illegal);
    std::vector<TStep> opening{{1, 3}};
    EXPECT_EQ(JudgePlay(TPosition::Opening(), TColour::White, 3, 5, opening), TPlayVerdict::Unfinished);
    opening.push_back({4, 5});
    EXPECT_EQ(JudgePlay(TPosition::Opening(), TColour::White, 3, 5, opening), TPlayVerdict::Legal);
    opening.push_back({4, 5});
    EXPECT_EQ(JudgePlay(TPosition::Opening(), TColour::White, 3, 5, opening), TPlayVerdict::Illegal);
    // The board's checked step refuses what the dice do not hold.
    TBoard board = BoardWith(TPosition::Opening(), TColour::White, 3, 5);
    EXPECT_FALSE(board.Step(1, 4));
    EXPECT_FALSE(board.Step(1, 5));  // 6 is black's point
    EXPECT_TRUE(board.Step(1, 3));
}

}  // namespace
