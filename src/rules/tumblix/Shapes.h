// The Tumblix pieces: nine pieces in four rotations make 36 shapes, numbered
// piece * 4 + rotation. Each shape is a 4 x 4 mask (x = column 0..3 from the
// left, y = row 0..3 from the top) whose occupied cells hold the piece's
// colour, piece + 1, which is also the number of its brick image.
//
// Pieces 0..6 are the seven classic ones; 7 is the weight and 8 the bomb,
// both a single cell at (1, 1). Every function here takes any int: a number
// that is not a shape gives an empty mask, so a shape read from the wire
// never indexes outside the table.
#pragma once

#include <array>
#include <cstdint>

namespace rules::tumblix {

constexpr int kPieceCount = 9;
constexpr int kRotationCount = 4;
constexpr int kShapeCount = kPieceCount * kRotationCount;
constexpr int kMaskSize = 4;
constexpr int kNoShape = -1;

constexpr int kSquarePiece = 0;
constexpr int kTPiece = 1;
constexpr int kBarPiece = 2;
constexpr int kLPiece = 3;
constexpr int kJPiece = 4;
constexpr int kSPiece = 5;
constexpr int kZPiece = 6;
constexpr int kWeightPiece = 7;
constexpr int kBombPiece = 8;

constexpr bool IsShape(int shape) { return shape >= 0 && shape < kShapeCount; }
constexpr int PieceOf(int shape) { return IsShape(shape) ? shape / kRotationCount : -1; }
constexpr int ShapeOf(int piece, int rotation) { return piece * kRotationCount + rotation; }
constexpr uint8_t ColourOf(int piece) { return static_cast<uint8_t>(piece + 1); }
constexpr bool IsWeight(int shape) { return PieceOf(shape) == kWeightPiece; }
constexpr bool IsBomb(int shape) { return PieceOf(shape) == kBombPiece; }

// The shape one rotation further on (clockwise in the table's order):
// shape + 1, or back to rotation 0 after rotation 3.
constexpr int NextRotation(int shape) { return (shape + 1) % kRotationCount == 0 ? shape - 3 : shape + 1; }

// The colour of mask cell (cx, cy) of a shape, 0 when empty or outside.
uint8_t MaskCell(int shape, int cx, int cy);

// The rows and columns of the mask a shape really uses.
struct TShapeBounds {
    int FirstColumn = 0, Columns = 0;
    int FirstRow = 0, Rows = 0;
};
TShapeBounds ShapeBounds(int shape);

// Where the next-piece box draws a shape of cells of cellSize pixels so that
// its used cells sit centred in the box; the left edge is rounded down to a
// multiple of 4 pixels.
struct TPoint {
    int X = 0, Y = 0;
};
TPoint PreviewOrigin(int shape, int boxX, int boxY, int boxWidth, int boxHeight, int cellSize = 16);

}  // namespace rules::tumblix
