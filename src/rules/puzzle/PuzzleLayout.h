// The layout numbers of a Puzzle field that decide where shots come to
// rest: the bubble size, the canon relative to its field, and the death
// line. Every target depends on them, so the window and the server's
// referee must agree on them to the pixel.
//
// They are defined here once. The default skin places its fields and
// canons with them (skin/settings.txt [Puzzle]: Screen, Canon, line; the
// skin builder refuses to build when those lines or its bubble and canon
// pictures disagree with these numbers), and the referee checks every shot
// on a field laid out with them. Where on the window a field lies does not
// matter to the rules; only the canon's place relative to its field does.
// A skin with other numbers draws fine but its shots are refused by the
// server.
#pragma once

#include "rules/puzzle/PuzzleGeometry.h"

namespace rules {

// Width and height of a bubble frame.
constexpr int kPuzzleBubbleSize = 28;
// Width and height of one canon frame.
constexpr int kPuzzleCanonSize = 64;
// The canon's layout line relative to its field's origin: x, y, the
// muzzle's distance and the lift of the pivot above the frame's bottom.
constexpr int kPuzzleCanonDx = 80, kPuzzleCanonDy = 402, kPuzzleCanonDistance = 8, kPuzzleCanonLift = 18;
// The death line below the field's top: 15 rows of 22 pixels lie above it.
constexpr int kPuzzleLineOffset = 330;

// The geometry of a field at (fieldX, fieldY) laid out with these numbers.
constexpr TPuzzleGeometry PuzzleLayoutGeometry(int fieldX = 0, int fieldY = 0) {
    TPuzzleGeometry g;
    g.BubbleWidth = kPuzzleBubbleSize;
    g.BubbleHeight = kPuzzleBubbleSize;
    g.FieldX = fieldX;
    g.FieldY = fieldY;
    g.LineOffset = kPuzzleLineOffset;
    g.Canon = {fieldX + kPuzzleCanonDx, fieldY + kPuzzleCanonDy, kPuzzleCanonDistance, kPuzzleCanonLift,
               kPuzzleCanonSize, kPuzzleCanonSize};
    return g;
}

}  // namespace rules
