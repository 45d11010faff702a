#include "rules/tumblix/Shapes.h"

#include <initializer_list>

namespace rules::tumblix {

namespace {

struct TCellAt {
    int X, Y;
};
using TMask = std::array<uint8_t, kMaskSize * kMaskSize>;
using TCells = std::initializer_list<TCellAt>;

// The occupied cells of every rotation, piece by piece.
const TCells kSquare[4] = {{{1, 1}, {2, 1}, {1, 2}, {2, 2}},
                           {{1, 1}, {2, 1}, {1, 2}, {2, 2}},
                           {{1, 1}, {2, 1}, {1, 2}, {2, 2}},
                           {{1, 1}, {2, 1}, {1, 2}, {2, 2}}};
const TCells kT[4] = {{{0, 1}, {1, 1}, {2, 1}, {1, 2}},
                      {{1, 1}, {1, 2}, {2, 2}, {1, 3}},
                      {{2, 1}, {1, 2}, {2, 2}, {3, 2}},
                      {{2, 0}, {1, 1}, {2, 1}, {2, 2}}};
const TCells kBar[4] = {{{0, 2}, {1, 2}, {2, 2}, {3, 2}},
                        {{2, 0}, {2, 1}, {2, 2}, {2, 3}},
                        {{0, 2}, {1, 2}, {2, 2}, {3, 2}},
                        {{2, 0}, {2, 1}, {2, 2}, {2, 3}}};
const TCells kL[4] = {{{1, 0}, {1, 1}, {1, 2}, {2, 2}},
                      {{2, 1}, {0, 2}, {1, 2}, {2, 2}},
                      {{1, 1}, {2, 1}, {2, 2}, {2, 3}},
                      {{1, 1}, {2, 1}, {3, 1}, {1, 2}}};
const TCells kJ[4] = {{{2, 0}, {2, 1}, {1, 2}, {2, 2}},
                      {{0, 1}, {1, 1}, {2, 1}, {2, 2}},
                      {{1, 1}, {2, 1}, {1, 2}, {1, 3}},
                      {{1, 1}, {1, 2}, {2, 2}, {3, 2}}};
const TCells kS[4] = {{{1, 1}, {2, 1}, {0, 2}, {1, 2}},
                      {{1, 1}, {1, 2}, {2, 2}, {2, 3}},
                      {{1, 1}, {2, 1}, {0, 2}, {1, 2}},
                      {{1, 1}, {1, 2}, {2, 2}, {2, 3}}};
const TCells kZ[4] = {{{1, 1}, {2, 1}, {2, 2}, {3, 2}},
                      {{2, 0}, {1, 1}, {2, 1}, {1, 2}},
                      {{1, 1}, {2, 1}, {2, 2}, {3, 2}},
                      {{2, 0}, {1, 1}, {2, 1}, {1, 2}}};
const TCells kSingle[4] = {{{1, 1}}, {{1, 1}}, {{1, 1}}, {{1, 1}}};

const TCells* const kPieces[kPieceCount] = {kSquare, kT, kBar, kL, kJ, kS, kZ, kSingle, kSingle};

// CreateMasks: the table above as 36 masks of colours.
std::array<TMask, kShapeCount> CreateMasks() {
    std::array<TMask, kShapeCount> masks{};
    for (int piece = 0; piece < kPieceCount; ++piece)
        for (int rotation = 0; rotation < kRotationCount; ++rotation)
            for (TCellAt cell : kPieces[piece][rotation])
                masks[ShapeOf(piece, rotation)][cell.Y * kMaskSize + cell.X] = ColourOf(piece);
    return masks;
}

const std::array<TMask, kShapeCount>& Masks() {
    static const std::array<TMask, kShapeCount> masks = CreateMasks();
    return masks;
}

// Floor division by 4 times 4, also for negative numbers.
int RoundDownTo4(int value) { return value - ((value % 4) + 4) % 4; }

}  // namespace

uint8_t MaskCell(int shape, int cx, int cy) {
    if (!IsShape(shape) || cx < 0 || cx >= kMaskSize || cy < 0 || cy >= kMaskSize) return 0;
    return Masks()[shape][cy * kMaskSize + cx];
}

TShapeBounds ShapeBounds(int shape) {
    int left = kMaskSize, right = -1, top = kMaskSize, bottom = -1;
    for (int cy = 0; cy < kMaskSize; ++cy)
        for (int cx = 0; cx < kMaskSize; ++cx) {
            if (!MaskCell(shape, cx, cy)) continue;
            if (cx < left) left = cx;
            if (cx > right) right = cx;
            if (cy < top) top = cy;
            if (cy > bottom) bottom = cy;
        }
    if (right < 0) return {};
    return {left, right - left + 1, top, bottom - top + 1};
}

TPoint PreviewOrigin(int shape, int boxX, int boxY, int boxWidth, int boxHeight, int cellSize) {
    TShapeBounds bounds = ShapeBounds(shape);
    int left = boxX + (boxWidth - cellSize * bounds.Columns) / 2 - cellSize * bounds.FirstColumn;
    int top = boxY + (boxHeight - cellSize * bounds.Rows) / 2 - cellSize * bounds.FirstRow;
    return {RoundDownTo4(left), top};
}

}  // namespace rules::tumblix
