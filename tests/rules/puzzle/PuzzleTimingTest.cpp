// Level intervals, shot spacing and the shot clock, on virtual time.
#include <gtest/gtest.h>

#include "rules/puzzle/PuzzleTiming.h"

namespace {

TEST(PuzzleTimingTest, LevelOneRunsAt28And40And7Milliseconds) {
    rules::TPuzzleLevelTimings one = rules::LevelTimings(1);
    EXPECT_EQ(one.ShotClockTick, 28);
    EXPECT_EQ(one.CellFrameDelay, 40);
    EXPECT_EQ(one.MoveInterval, 7);
    rules::TPuzzleLevelTimings fast = rules::LevelTimings(255);
    EXPECT_EQ(fast.ShotClockTick, 1);
    EXPECT_EQ(fast.MoveInterval, 1);
    EXPECT_EQ(rules::LevelTimings(-6).MoveInterval, rules::LevelTimings(0).MoveInterval);
    EXPECT_EQ(rules::GrowthFrameDelay(80, 7), 70);
    EXPECT_EQ(rules::GrowthFrameDelay(0, 7), 70);
    EXPECT_EQ(rules::GrowthFrameDelay(186, 7), 162);
}

TEST(PuzzleTimingTest, ASecondShotWithin250MillisecondsIsRefusedEvenAcrossMidnight) {
    EXPECT_FALSE(rules::ShotSpacingPassed(10249, 10000));
    EXPECT_TRUE(rules::ShotSpacingPassed(10250, 10000));
    EXPECT_FALSE(rules::ShotSpacingPassed(100, rules::kMsPerDay - 100));
    EXPECT_TRUE(rules::ShotSpacingPassed(150, rules::kMsPerDay - 100));
}

TEST(PuzzleTimingTest, TheShotClockFiresAfter100TicksAndKeepsFiringUntilRefilled) {
    rules::TPuzzleShotClock clock;
    for (int i = 0; i < 99; ++i) EXPECT_FALSE(clock.Tick(1));
    EXPECT_TRUE(clock.Tick(1));
    EXPECT_TRUE(clock.Tick(3));
    EXPECT_EQ(clock.Position(), 0);
    clock.Refill();
    EXPECT_FALSE(clock.Tick(60));
    EXPECT_TRUE(clock.Tick(60));
}

}  // namespace
