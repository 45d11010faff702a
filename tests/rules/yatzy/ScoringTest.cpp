// Points of every row from six dice, and the sheet's bounds on them.
#include <gtest/gtest.h>

#include "rules/yatzy/Scoring.h"
#include "rules/yatzy/Sheet.h"

namespace rules::yatzy {
namespace {

TEST(YatzyScoringTest, SixEqualDiceAreAYatzyAPairAndThreeAndFourOfAKind) {
    TFaces fives = {5, 5, 5, 5, 5, 5};
    EXPECT_EQ(RowPoints(kYatzy, fives), 80);
    EXPECT_EQ(RowPoints(kOnePair, fives), 10);
    EXPECT_EQ(RowPoints(kThreeOfAKind, fives), 15);
    EXPECT_EQ(RowPoints(kFourOfAKind, fives), 20);
    EXPECT_EQ(RowPoints(5, fives), 30);
    // One face alone is not two pairs, two triples or a house.
    EXPECT_EQ(RowPoints(kTwoPairs, fives), 0);
    EXPECT_EQ(RowPoints(kTwoTimesThree, fives), 0);
    EXPECT_EQ(RowPoints(kHouse, fives), 0);
}

TEST(YatzyScoringTest, OneToSixIsEveryStraightAndNoPair) {
    TFaces run = {4, 1, 6, 3, 2, 5};
    EXPECT_EQ(RowPoints(kSmallStraight, run), 15);
    EXPECT_EQ(RowPoints(kLargeStraight, run), 20);
    EXPECT_EQ(RowPoints(kFullStraight, run), 30);
    EXPECT_EQ(RowPoints(kOnePair, run), 0);
    EXPECT_EQ(RowPoints(kChance, run), 21);
    TFaces small = {1, 2, 3, 4, 5, 5};
    EXPECT_EQ(RowPoints(kSmallStraight, small), 15);
    EXPECT_EQ(RowPoints(kLargeStraight, small), 0);
    EXPECT_EQ(RowPoints(kFullStraight, small), 0);
}

TEST(YatzyScoringTest, PairsTakeTheHighestFaces) {
    TFaces pairs = {2, 2, 4, 4, 6, 6};
    EXPECT_EQ(RowPoints(kThreePairs, pairs), 24);
    EXPECT_EQ(RowPoints(kTwoPairs, pairs), 20);
    EXPECT_EQ(RowPoints(kOnePair, pairs), 12);
    // Four of a face and a pair: the four counts once towards two pairs.
    TFaces fourAndTwo = {5, 5, 5, 5, 6, 6};
    EXPECT_EQ(RowPoints(kTwoPairs, fourAndTwo), 22);
    EXPECT_EQ(RowPoints(kThreePairs, fourAndTwo), 0);
    EXPECT_EQ(RowPoints(kFourOfAKind, fourAndTwo), 20);
    EXPECT_EQ(RowPoints(kHouse, fourAndTwo), 27);
}

TEST(YatzyScoringTest, TriplesAndHouses) {
    TFaces triples = {3, 6, 3, 6, 3, 6};
    EXPECT_EQ(RowPoints(kTwoTimesThree, triples), 27);
    EXPECT_EQ(RowPoints(kThreeOfAKind, triples), 18);
    // The triple is the higher face; the pair is the best of the others.
    EXPECT_EQ(RowPoints(kHouse, triples), 18 + 6);
    EXPECT_EQ(RowPoints(kHouse, TFaces{2, 2, 2, 5, 5, 1}), 16);
    EXPECT_EQ(RowPoints(kHouse, TFaces{2, 2, 2, 5, 4, 1}), 0);
    EXPECT_EQ(RowPoints(3, triples), 9);
    EXPECT_EQ(RowPoints(1, triples), 0);
}

TEST(YatzyScoringTest, BlankDiceAndComputedRowsScoreNothing) {
    TFaces sixes = {6, 6, 6, 6, 6, 6};
    for (int row : {0, int(kUpperSum), int(kBonus), int(kTotal), 22, -1}) EXPECT_EQ(RowPoints(row, sixes), 0) << row;
    for (int row = kFirstRow; row <= kRowCount; ++row) EXPECT_EQ(RowPoints(row, TFaces{}), 0) << row;
}

// Every throw of six dice stays within the bound the sheet accepts from the
// wire, and the bound is reached, so no honest score is ever rejected.
TEST(YatzyScoringTest, MaxRowPointsIsTheTrueMaximumOfEveryRow) {
    std::array<int, kRowCount + 1> best{};
    TFaces faces;
    for (int n = 0; n < 6 * 6 * 6 * 6 * 6 * 6; ++n) {
        for (int die = 0, rest = n; die < kDiceCount; ++die, rest /= 6) faces[die] = rest % 6 + 1;
        for (int row = kFirstRow; row <= kRowCount; ++row) {
            if (!IsChoosableRow(row)) continue;
            int points = RowPoints(row, faces);
            ASSERT_LE(points, MaxRowPoints(row)) << row;
            best[row] = std::max(best[row], points);
        }
    }
    for (int row = kFirstRow; row <= kRowCount; ++row) {
        if (!IsChoosableRow(row)) continue;
        EXPECT_EQ(best[row], MaxRowPoints(row)) << row;
    }
}

}  // namespace
}  // namespace rules::yatzy
