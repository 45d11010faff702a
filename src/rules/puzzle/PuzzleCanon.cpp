#include "rules/puzzle/PuzzleCanon.h"

#include <array>
#include <cmath>

namespace rules {
namespace {

constexpr double kDegreesPerRadian = 57.3;
constexpr int kFirstEntryAngle = 153;
constexpr int kStraightUpEntry = kFirstEntryAngle - 90;

std::array<TPuzzleDirection, kDirectionEntries> BuildDirections() {
    std::array<TPuzzleDirection, kDirectionEntries> table{};
    for (int k = 0; k < kDirectionEntries; ++k) {
        double angle = PuzzleRadians(kFirstEntryAngle - k);
        table[k].Dx = static_cast<int>(std::lround(std::cos(angle) * 1000.0));
        table[k].Dy = static_cast<int>(std::lround(-std::sin(angle) * 1000.0));
    }
    return table;
}

}  // namespace

double PuzzleRadians(double degrees) { return degrees / kDegreesPerRadian; }

TPuzzleDirection Direction(int entry) {
    static const std::array<TPuzzleDirection, kDirectionEntries> table = BuildDirections();
    return table[IsDirectionEntry(entry) ? entry : kStraightUpEntry];
}

}  // namespace rules
