// Where a shot comes to rest, found by flying it in advance on the field
// as it is when the shot is fired.
//
// SimulateShot flies one direction entry from a start point and tests the
// position after every pixel move: at or above the field's top the flight
// stops; otherwise the bubbles (colours 1..7) of the row the bubble is in
// and of the row below are measured by the squared distance of top-left
// corners: under W² is a touch, under W² - 368 a collision, which stops
// the flight. The first touch of a position marks the contact point and a
// position without a collision clears it again, so the point that counts
// is where the collision happened. The target is the free cell (empty, or
// holding a bomb) nearest to that point; ties go to the first in row
// order.
//
// AimShot then fine-tunes the entry: a neighbouring entry that reaches the
// same cell with a smaller distance is preferred, up to 10 entries away.
// The tuned entry always reaches the same cell as the original one from
// the same start point.
#pragma once

#include <cstdint>

#include "rules/puzzle/PuzzleField.h"
#include "rules/puzzle/PuzzleGeometry.h"

namespace rules {

struct TPuzzleAim {
    int Entry = 0;
    // False only when no cell of the field is free.
    bool HasTarget = false;
    TPuzzleCell Target;
    // Squared distance from the contact point to the target's position.
    int64_t Distance = 0;
    // Steps the flight took; a window paces the growth frames by it.
    int Steps = 0;
    TPuzzlePoint Contact;
};

// An invalid geometry (TPuzzleGeometry::IsValid) gives no target; an entry
// outside 0..126 flies straight up.
TPuzzleAim SimulateShot(const TPuzzleField& field, const TPuzzleGeometry& geometry, TPuzzlePoint start, int entry);

TPuzzleAim AimShot(const TPuzzleField& field, const TPuzzleGeometry& geometry, TPuzzlePoint start, int entry);

}  // namespace rules
