#include "rules/tumblix/Status.h"

#include <algorithm>

#include "rules/tumblix/WellChange.h"

namespace rules::tumblix {

int NextDelay(int newLevel, int delay) {
    if (newLevel == 1) return kFirstDelay;
    if (delay > 20) delay -= 6;
    else if (delay >= 13) delay -= 4;
    else delay -= 2;
    return std::max(delay, 1);
}

int ProgressPercent(int lines) {
    int inLevel = lines % kLinesPerLevel;
    if (inLevel < 0) inLevel += kLinesPerLevel;
    return inLevel * 100 / kLinesPerLevel;
}

std::string ProgressText(int lines) { return std::to_string(ProgressPercent(lines)) + " %"; }

int BalanceSplit(int ownHeight, int opponentHeight, int width) {
    constexpr int kHalf = 50;
    int a = opponentHeight * kHalf / kWellRows;
    int b = ownHeight * kHalf / kWellRows;
    return width - (a - b + kHalf) * width / 100;
}

TBlastArea BlastArea(int x, int y) {
    return {std::max(x, 0), std::min(x + 2, kWellColumns - 1), std::max(y, 0), std::min(y + 2, kWellRows - 1)};
}

}  // namespace rules::tumblix
