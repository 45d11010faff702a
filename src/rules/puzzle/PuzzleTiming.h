// The pace of a Puzzle game, as numbers a window feeds into its timers:
// the intervals of a level, the shortest spacing of two shots, and the
// shot clock that fires by itself when a player waits too long. Time is
// passed in, so all of it runs without a clock.
#pragma once

#include <cstdint>

namespace rules {

struct TPuzzleLevelTimings {
    int ShotClockTick = 1;  // ms per shot-clock tick
    int CellFrameDelay = 1; // ms per frame of a cell's animation
    int MoveInterval = 1;   // ms per step of a falling or flying bubble
};

// Level n: max(1, 1000 div (20n + 15)), max(1, 1000 div (20n + 5)) and
// max(1, 1000 div (20n + 120)); at level 1 that is 28, 40 and 7 ms. Levels
// are clamped to 0..1000.
TPuzzleLevelTimings LevelTimings(int level);

// The delay of each of the 8 growth frames a flying bubble shows, so they
// spread over the whole flight; 70 ms for a flight of no steps.
int GrowthFrameDelay(int steps, int moveInterval);

// Two shots at least this far apart.
constexpr int kShotSpacingMs = 250;
constexpr int64_t kMsPerDay = 86400000;

// Both times are milliseconds of the day; a shot just after midnight
// counts the time across it rather than waiting a day.
bool ShotSpacingPassed(int64_t nowMsOfDay, int64_t lastShotMsOfDay);

// The shot clock: full at 100, down by one per tick. At 0 the canon fires
// by itself; it keeps reporting 0 until refilled, so a forced shot that
// could not go off yet is tried again on the next tick.
class TPuzzleShotClock {
public:
    static constexpr int kFull = 100;

    // True when the clock stands at 0 after these ticks.
    bool Tick(int ticks);
    void Refill() { m_position = kFull; }
    int Position() const { return m_position; }

private:
    int m_position = kFull;
};

}  // namespace rules
