// The rows of a Yatzy score sheet and the points six dice give in each of
// them. These are the plain rules every client and the server's referee
// share: a row the dice do not fit scores 0, never a negative number.
//
// Faces are 1..6; a 0 stands for a blank die (before the first roll) and
// counts towards no pattern and adds nothing to a sum.
#pragma once

#include <array>

namespace rules::yatzy {

constexpr int kDiceCount = 6;
constexpr int kFaceCount = 6;

using TFaces = std::array<int, kDiceCount>;

// The 21 rows in sheet order. Rows 7, 8 and 21 are computed; the other 18
// are chosen by the player, one per turn.
enum TRow : int {
    kOnes = 1,
    kSixes = 6,
    kUpperSum = 7,
    kBonus = 8,
    kOnePair = 9,
    kTwoPairs = 10,
    kThreePairs = 11,
    kThreeOfAKind = 12,
    kFourOfAKind = 13,
    kTwoTimesThree = 14,
    kSmallStraight = 15,
    kLargeStraight = 16,
    kFullStraight = 17,
    kHouse = 18,
    kChance = 19,
    kYatzy = 20,
    kTotal = 21,
};

constexpr int kFirstRow = 1;
constexpr int kRowCount = 21;
constexpr int kChoosableRowCount = 18;

constexpr int kSmallStraightPoints = 15;
constexpr int kLargeStraightPoints = 20;
constexpr int kFullStraightPoints = 30;
// Six equal dice earn their face sum plus this.
constexpr int kYatzyExtra = 50;

constexpr bool IsRow(int row) { return row >= kFirstRow && row <= kRowCount; }
constexpr bool IsUpperRow(int row) { return row >= kOnes && row <= kSixes; }
constexpr bool IsComputedRow(int row) { return row == kUpperSum || row == kBonus || row == kTotal; }
// A row a player writes points into by choosing it.
constexpr bool IsChoosableRow(int row) { return IsRow(row) && !IsComputedRow(row); }

// How many dice show each face: index 1..6 (index 0 counts blank dice).
using TFaceCounts = std::array<int, kFaceCount + 1>;
TFaceCounts CountFaces(const TFaces& faces);

// The points the dice give in a choosable row; 0 for a pattern that is not
// there and for rows that are computed or out of range.
int RowPoints(int row, const TFaces& faces);

}  // namespace rules::yatzy
