#include "rules/yatzy/Scoring.h"

namespace rules::yatzy {

namespace {

bool IsFace(int face) { return face >= 1 && face <= kFaceCount; }

// The highest face shown at least `minimum` times, skipping the faces in
// `skip` (0 is never a face, so it skips nothing); 0 when there is none.
int HighestWith(const TFaceCounts& counts, int minimum, int skip1 = 0, int skip2 = 0) {
    for (int face = kFaceCount; face >= 1; --face) {
        if (face == skip1 || face == skip2) continue;
        if (counts[face] >= minimum) return face;
    }
    return 0;
}

// `count` different faces each shown at least `minimum` times, the highest
// ones, each scored `minimum` times; 0 when there are not that many.
int GroupsOf(const TFaceCounts& counts, int minimum, int count) {
    int first = HighestWith(counts, minimum);
    int second = count >= 2 ? HighestWith(counts, minimum, first) : 0;
    int third = count >= 3 ? HighestWith(counts, minimum, first, second) : 0;
    int faces[] = {first, second, third};
    int points = 0;
    for (int i = 0; i < count; ++i) {
        if (faces[i] == 0) return 0;
        points += minimum * faces[i];
    }
    return points;
}

bool AllShow(const TFaceCounts& counts, int from, int to) {
    for (int face = from; face <= to; ++face)
        if (counts[face] == 0) return false;
    return true;
}

int Sum(const TFaces& faces) {
    int sum = 0;
    for (int face : faces)
        if (IsFace(face)) sum += face;
    return sum;
}

int House(const TFaceCounts& counts) {
    int three = HighestWith(counts, 3);
    int two = HighestWith(counts, 2, three);
    return three && two ? 3 * three + 2 * two : 0;
}

int Yatzy(const TFaceCounts& counts) {
    int face = HighestWith(counts, kDiceCount);
    return face ? kDiceCount * face + kYatzyExtra : 0;
}

}  // namespace

TFaceCounts CountFaces(const TFaces& faces) {
    TFaceCounts counts{};
    for (int face : faces) ++counts[IsFace(face) ? face : 0];
    return counts;
}

int RowPoints(int row, const TFaces& faces) {
    TFaceCounts counts = CountFaces(faces);
    if (IsUpperRow(row)) return row * counts[row];
    switch (row) {
        case kOnePair: return GroupsOf(counts, 2, 1);
        case kTwoPairs: return GroupsOf(counts, 2, 2);
        case kThreePairs: return GroupsOf(counts, 2, 3);
        case kThreeOfAKind: return GroupsOf(counts, 3, 1);
        case kFourOfAKind: return GroupsOf(counts, 4, 1);
        case kTwoTimesThree: return GroupsOf(counts, 3, 2);
        case kSmallStraight: return AllShow(counts, 1, 5) ? kSmallStraightPoints : 0;
        case kLargeStraight: return AllShow(counts, 2, 6) ? kLargeStraightPoints : 0;
        case kFullStraight: return AllShow(counts, 1, 6) ? kFullStraightPoints : 0;
        case kHouse: return House(counts);
        case kChance: return Sum(faces);
        case kYatzy: return Yatzy(counts);
        default: return 0;
    }
}

}  // namespace rules::yatzy
