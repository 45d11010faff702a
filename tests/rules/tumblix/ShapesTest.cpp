// The 36 shapes written out as pictures, checked cell by cell against the
// mask table; and the preview placement that depends on a shape's extent.
#include <gtest/gtest.h>

#include <string_view>

#include "rules/tumblix/Shapes.h"

namespace {

using namespace rules::tumblix;

// Per piece, mask rows 0..3; each row shows rotations 0..3 side by side.
const char* const kArt[kPieceCount][4] = {
    {"....|....|....|....", ".##.|.##.|.##.|.##.", ".##.|.##.|.##.|.##.", "....|....|....|...."},  // square
    {"....|....|....|..#.", "###.|.#..|..#.|.##.", ".#..|.##.|.###|..#.", "....|.#..|....|...."},  // T
    {"....|..#.|....|..#.", "....|..#.|....|..#.", "####|..#.|####|..#.", "....|..#.|....|..#."},  // bar
    {".#..|....|....|....", ".#..|..#.|.##.|.###", ".##.|###.|..#.|.#..", "....|....|..#.|...."},  // L
    {"..#.|....|....|....", "..#.|###.|.##.|.#..", ".##.|..#.|.#..|.###", "....|....|.#..|...."},  // J
    {"....|....|....|....", ".##.|.#..|.##.|.#..", "##..|.##.|##..|.##.", "....|..#.|....|..#."},  // S
    {"....|..#.|....|..#.", ".##.|.##.|.##.|.##.", "..##|.#..|..##|.#..", "....|....|....|...."},  // Z
    {"....|....|....|....", ".#..|.#..|.#..|.#..", "....|....|....|....", "....|....|....|...."},  // weight
    {"....|....|....|....", ".#..|.#..|.#..|.#..", "....|....|....|....", "....|....|....|...."},  // bomb
};

TEST(TumblixShapesTest, EveryMaskMatchesItsPicture) {
    for (int piece = 0; piece < kPieceCount; ++piece)
        for (int rotation = 0; rotation < kRotationCount; ++rotation)
            for (int cy = 0; cy < kMaskSize; ++cy)
                for (int cx = 0; cx < kMaskSize; ++cx) {
                    bool drawn = std::string_view(kArt[piece][cy])[rotation * 5 + cx] == '#';
                    EXPECT_EQ(MaskCell(ShapeOf(piece, rotation), cx, cy), drawn ? piece + 1 : 0)
                        << "piece " << piece << " rotation " << rotation << " cell " << cx << "," << cy;
                }
    EXPECT_EQ(MaskCell(-1, 1, 1), 0);
    EXPECT_EQ(MaskCell(36, 1, 1), 0);
    EXPECT_EQ(MaskCell(0, 4, 1), 0);
}

TEST(TumblixShapesTest, RotationWrapsWithinThePiece) {
    EXPECT_EQ(NextRotation(8), 9);
    EXPECT_EQ(NextRotation(11), 8);
    EXPECT_EQ(NextRotation(35), 32);
    EXPECT_TRUE(IsWeight(28));
    EXPECT_TRUE(IsBomb(35));
    EXPECT_FALSE(IsBomb(36));
    TShapeBounds bar = ShapeBounds(ShapeOf(kBarPiece, 0));
    EXPECT_EQ(bar.FirstColumn, 0);
    EXPECT_EQ(bar.Columns, 4);
    EXPECT_EQ(bar.FirstRow, 2);
    EXPECT_EQ(bar.Rows, 1);
}

TEST(TumblixShapesTest, PreviewCentresTheUsedCellsOnA4PixelGrid) {
    // The bar's row 2 is its only row: 100 - 16 = 84, half 42, less 32.
    TPoint bar = PreviewOrigin(ShapeOf(kBarPiece, 0), 10, 10, 100, 100);
    EXPECT_EQ(bar.X, 28);
    EXPECT_EQ(bar.Y, 20);
    // Square: 11 + 34 - 16 = 29, rounded down to 28.
    EXPECT_EQ(PreviewOrigin(ShapeOf(kSquarePiece, 0), 11, 10, 100, 100).X, 28);
}

}  // namespace
