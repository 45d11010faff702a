#include "rules/puzzle/PuzzleTiming.h"

#include <algorithm>

namespace rules {
namespace {

constexpr int kMaxLevel = 1000;
constexpr int kGrowthFrames = 8;
constexpr int kDefaultGrowthDelay = 70;

int Interval(int level, int offset) { return std::max(1, 1000 / (20 * level + offset)); }

}  // namespace

TPuzzleLevelTimings LevelTimings(int level) {
    level = std::clamp(level, 0, kMaxLevel);
    return {Interval(level, 15), Interval(level, 5), Interval(level, 120)};
}

int GrowthFrameDelay(int steps, int moveInterval) {
    int64_t delay = int64_t(std::max(0, steps)) * std::max(0, moveInterval) / kGrowthFrames;
    if (delay == 0) return kDefaultGrowthDelay;
    return static_cast<int>(std::min<int64_t>(delay, 1000000));
}

bool ShotSpacingPassed(int64_t nowMsOfDay, int64_t lastShotMsOfDay) {
    int64_t elapsed = ((nowMsOfDay - lastShotMsOfDay) % kMsPerDay + kMsPerDay) % kMsPerDay;
    return elapsed >= kShotSpacingMs;
}

bool TPuzzleShotClock::Tick(int ticks) {
    m_position = std::max(0, m_position - std::max(0, ticks));
    return m_position == 0;
}

}  // namespace rules
