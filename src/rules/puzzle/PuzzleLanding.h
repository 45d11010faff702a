// What happens when a bubble comes to rest in a cell, reported as the
// cells it sets and clears, in the order they happen:
//   1. the cell gets the colour (Landed);
//   2. a bomb clears its cell and the neighbours holding anything (Bombed);
//      any other colour bursts its connected group when it has 3 or more
//      bubbles (Burst);
//   3. after a bomb or a burst, every bubble no longer linked to row 0
//      falls off (Fell) and, on the own field, becomes the opponent's trash
//      when it reaches the bottom.
// The field is changed at once; a window plays the changes as animations,
// and a referee turns them into preview updates. Trash placed by the
// settle step is reported the same way (Trash).
#pragma once

#include <vector>

#include "rules/puzzle/PuzzleField.h"

namespace rules {

enum class TPuzzleChangeKind { Landed, Burst, Bombed, Fell, Trash };

struct TPuzzleCellChange {
    TPuzzleCell Cell;
    TPuzzleChangeKind Kind = TPuzzleChangeKind::Landed;
    // The colour the cell got, or for a cleared cell the colour it held.
    int Colour = 0;

    bool Clears() const { return Kind != TPuzzleChangeKind::Landed && Kind != TPuzzleChangeKind::Trash; }
    friend bool operator==(const TPuzzleCellChange&, const TPuzzleCellChange&) = default;
};

using TPuzzleCellChanges = std::vector<TPuzzleCellChange>;

struct TPuzzleLanding {
    TPuzzleCellChanges Changes;
    // The connected bubbles of the landed colour, the landed one included;
    // 0 for a bomb.
    int GroupSize = 0;
    // Bomb credits the group earns on its shooter's own field.
    int BombCredits = 0;
};

// Groups of this size burst.
constexpr int kBurstGroup = 3;

// 5 credits for a group of more than 3, 5 more for more than 4.
constexpr int BombCreditsFor(int groupSize) {
    return (groupSize > 3 ? 5 : 0) + (groupSize > 4 ? 5 : 0);
}

// Lands `colour` (1..7) in `cell`. A cell outside the grid or a colour
// outside 1..7 changes nothing and gives no changes.
TPuzzleLanding Land(TPuzzleField& field, TPuzzleCell cell, int colour);

// The hanging test on its own: clears every bubble not linked to row 0.
TPuzzleCellChanges DropLooseBubbles(TPuzzleField& field);

}  // namespace rules
