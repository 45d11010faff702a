// Where things are on a Puzzle field, in pixels: the bubble size, the
// field's origin, the death line and the canon's layout. Everything the
// rules compute (cell positions, the walls a flight bounces off, the start
// point of a shot) follows from these numbers, so the window and the
// server's referee must use the same ones to agree on every target.
//
// Only the canon's position relative to the field matters to the rules: a
// geometry moved as a whole gives the same targets. The numbers come from
// the skin, so IsValid bounds them before anything is computed from them.
#pragma once

#include <cstdint>

#include "rules/puzzle/PuzzleField.h"

namespace rules {

struct TPuzzlePoint {
    int X = 0, Y = 0;
    friend bool operator==(const TPuzzlePoint&, const TPuzzlePoint&) = default;
};

// Squared distance of two points, in 64 bits so far-off layout numbers
// cannot overflow it.
constexpr int64_t SquaredDistance(TPuzzlePoint a, TPuzzlePoint b) {
    int64_t dx = a.X - b.X, dy = a.Y - b.Y;
    return dx * dx + dy * dy;
}

// The canon: its layout line (x, y, distance of the muzzle, lift) and the
// size of one frame of its strip.
struct TPuzzleCanonLayout {
    int X = 0, Y = 0, Distance = 0, Lift = 0;
    int Width = 0, Height = 0;
};

struct TPuzzleGeometry {
    // Rows overlap by this many pixels, so rows are H - 6 apart.
    static constexpr int kRowOverlap = 6;
    // Layout numbers beyond this are refused; it keeps every product of
    // two coordinates well inside 64 bits and the flights short.
    static constexpr int kLimit = 100000;

    int BubbleWidth = 0, BubbleHeight = 0;  // W and H of a bubble frame
    int FieldX = 0, FieldY = 0;             // the field's pixel origin
    int LineOffset = 0;                     // the death line below FieldY
    TPuzzleCanonLayout Canon;

    // Bubbles at least 1 pixel wide and more than the overlap high; every
    // number within kLimit.
    bool IsValid() const;

    int RowPitch() const { return BubbleHeight - kRowOverlap; }
    int SquaredWidth() const { return BubbleWidth * BubbleWidth; }
    int FieldWidth() const { return kPuzzleColumns * BubbleWidth; }
    int FieldHeight() const { return (kPuzzleRows - 1) * BubbleHeight - (kPuzzleRows - 2) * kRowOverlap; }

    // The walls of a flight: the field's left edge and one pixel past its
    // right edge, and its top.
    int LeftBound() const { return FieldX; }
    int RightBound() const { return FieldX + FieldWidth() + 1; }
    int TopBound() const { return FieldY; }

    // Rows 0 .. RowsAboveLine() - 1 lie above the death line; a shot that
    // would rest in a lower row loses unless it is a bomb.
    int RowsAboveLine() const;

    // Top-left corner of a cell; odd rows are shifted by half a bubble.
    TPuzzlePoint CellPosition(TPuzzleCell cell) const;

    // Top-left corner of a bubble leaving the canon in frame 1..43 (frames
    // outside are clamped).
    TPuzzlePoint StartPoint(int frame) const;
};

}  // namespace rules
