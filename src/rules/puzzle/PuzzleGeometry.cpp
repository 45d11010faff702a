#include "rules/puzzle/PuzzleGeometry.h"

#include <cmath>
#include <cstdlib>

#include "rules/puzzle/PuzzleCanon.h"

namespace rules {
namespace {

bool Within(int value, int limit) { return std::abs(value) <= limit; }

int Round(double value) { return static_cast<int>(std::lround(value)); }

}  // namespace

bool TPuzzleGeometry::IsValid() const {
    if (BubbleWidth < 1 || BubbleHeight <= kRowOverlap) return false;
    const int numbers[] = {BubbleWidth, BubbleHeight, FieldX,          FieldY,         LineOffset,   Canon.X,
                           Canon.Y,     Canon.Distance, Canon.Lift, Canon.Width, Canon.Height};
    for (int number : numbers)
        if (!Within(number, kLimit)) return false;
    return true;
}

int TPuzzleGeometry::RowsAboveLine() const {
    // Floor division, so a line drawn above the field leaves no row.
    int pitch = RowPitch();
    if (pitch <= 0) return 0;
    int offset = LineOffset;
    return offset >= 0 ? offset / pitch : -((-offset + pitch - 1) / pitch);
}

TPuzzlePoint TPuzzleGeometry::CellPosition(TPuzzleCell cell) const {
    int shift = cell.Row % 2 != 0 ? BubbleWidth / 2 : 0;
    return {FieldX + cell.Column * BubbleWidth + shift, FieldY + cell.Row * RowPitch()};
}

TPuzzlePoint TPuzzleGeometry::StartPoint(int frame) const {
    // The muzzle lies `distance` beyond the canon's pivot plus half a
    // bubble's diagonal, so the bubble starts clear of the barrel.
    int64_t halfDiagonalSquared = (int64_t(BubbleWidth) * BubbleWidth + int64_t(BubbleHeight) * BubbleHeight) / 4;
    int radius = Canon.Distance + Round(std::sqrt(static_cast<double>(halfDiagonalSquared)));
    double angle = PuzzleRadians(CanonAngle(ClampCanonFrame(frame)));
    int x = Canon.X + Round(std::cos(angle) * radius) + Canon.Width / 2 - BubbleWidth / 2;
    int y = Canon.Y + Round(-std::sin(angle) * radius) + Canon.Height - Canon.Lift - BubbleHeight / 2;
    return {x, y};
}

}  // namespace rules
