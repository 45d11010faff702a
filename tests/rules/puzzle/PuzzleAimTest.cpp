// Where shots come to rest: the canon's tables and the flight simulation
// against targets worked out by hand for a few angles.
#include <gtest/gtest.h>

#include "rules/puzzle/PuzzleAim.h"
#include "rules/puzzle/PuzzleCanon.h"
#include "rules/puzzle/PuzzleFlight.h"
#include "PuzzleTestSupport.h"

using rules::TPuzzleCell;
using rules::TPuzzlePoint;

namespace {

const rules::TPuzzleGeometry kGeometry = puzzletest::Geometry();

TEST(PuzzleCanonTest, TablesUseFiftySevenPointThreeDegreesPerRadian) {
    EXPECT_EQ(rules::Direction(63).Dx, 0);  // 90 degrees
    EXPECT_EQ(rules::Direction(63).Dy, -1000);
    EXPECT_EQ(rules::Direction(0).Dx, -891);  // 153 degrees
    EXPECT_EQ(rules::Direction(0).Dy, -454);
    EXPECT_EQ(rules::Direction(126).Dx, 891);
    EXPECT_EQ(rules::Direction(62).Dx, -17);
    EXPECT_EQ(rules::EntryOfFrame(1), 0);
    EXPECT_EQ(rules::EntryOfFrame(22), 63);
    EXPECT_EQ(rules::EntryOfFrame(43), 126);
    EXPECT_EQ(rules::FrameOfEntry(61), 21);

    // R = 20 + round(sqrt(392)) = 40. Frame 22: x = 66 + 0 + 32 - 14,
    // y = 400 - 40 + 64 - 10 - 14. Frame 1 (153 degrees): cos * 40 = -35.6,
    // -sin * 40 = -18.1.
    EXPECT_EQ(kGeometry.StartPoint(22), (TPuzzlePoint{84, 400}));
    EXPECT_EQ(kGeometry.StartPoint(1), (TPuzzlePoint{48, 422}));
    EXPECT_EQ(kGeometry.StartPoint(43), (TPuzzlePoint{120, 422}));
}

TEST(PuzzleAimTest, StraightShotIntoEmptyFieldStopsInRowZeroUnderTheCanon) {
    rules::TPuzzleField field;
    rules::TPuzzleAim aim = rules::AimShot(field, kGeometry, kGeometry.StartPoint(22), 63);
    // 400 pixels at 5 per step; the top is reached exactly over (3, 0).
    EXPECT_EQ(aim.Target, (TPuzzleCell{3, 0}));
    EXPECT_EQ(aim.Distance, 0);
    EXPECT_EQ(aim.Entry, 63);
    EXPECT_EQ(aim.Steps, 80);

    // Bubbles no higher than the rows' overlap leave no rows: no target.
    rules::TPuzzleGeometry flat = kGeometry;
    flat.BubbleHeight = 6;
    EXPECT_FALSE(rules::AimShot(field, flat, flat.StartPoint(22), 63).HasTarget);
}

TEST(PuzzleAimTest, ShotsAlongTheWallBounceAndStillReachRowZero) {
    rules::TPuzzleField field;
    // From x 48 the bubble reaches the left wall, turns and meets the top
    // at x 5; from the right, mirrored, at x 163 (cell (6, 0) at 168).
    rules::TPuzzleAim left = rules::AimShot(field, kGeometry, kGeometry.StartPoint(1), 0);
    EXPECT_EQ(left.Target, (TPuzzleCell{0, 0}));
    EXPECT_EQ(left.Contact, (TPuzzlePoint{5, 0}));
    EXPECT_EQ(left.Steps, 186);
    rules::TPuzzleAim right = rules::AimShot(field, kGeometry, kGeometry.StartPoint(43), 126);
    EXPECT_EQ(right.Target, (TPuzzleCell{6, 0}));
    EXPECT_EQ(right.Contact, (TPuzzlePoint{163, 0}));
}

TEST(PuzzleAimTest, CollisionPicksTheNearestFreeCellAndFineTuningKeepsThatCell) {
    rules::TPuzzleField field = puzzletest::FieldOf({"...1...."});
    rules::TPuzzleAim straight = rules::SimulateShot(field, kGeometry, kGeometry.StartPoint(22), 63);
    // Rising at x 84 under the bubble at (84, 0), the squared distance
    // first falls below 784 - 368 at y 20; cells (2, 1) and (3, 1) at
    // (70, 22) and (98, 22) tie at 200 and the first wins.
    EXPECT_EQ(straight.Contact, (TPuzzlePoint{84, 20}));
    EXPECT_EQ(straight.Target, (TPuzzleCell{2, 1}));
    EXPECT_EQ(straight.Distance, 200);
    // Tuning turns the shot left two entries, nearer to (2, 1).
    rules::TPuzzleAim tuned = rules::AimShot(field, kGeometry, kGeometry.StartPoint(22), 63);
    EXPECT_EQ(tuned.Target, (TPuzzleCell{2, 1}));
    EXPECT_EQ(tuned.Entry, 61);
    EXPECT_EQ(tuned.Distance, 50);

    // Frame 5 into an empty field: tuned one entry right.
    rules::TPuzzleAim slanted = rules::AimShot(rules::TPuzzleField{}, kGeometry, kGeometry.StartPoint(5), 12);
    EXPECT_EQ(slanted.Target, (TPuzzleCell{2, 0}));
    EXPECT_EQ(slanted.Entry, 13);
    EXPECT_EQ(slanted.Distance, 36);
}

TEST(PuzzleAimTest, ShotsIntoAFullerFieldMatchWorkedTargets) {
    rules::TPuzzleField field = puzzletest::FieldOf({"11111111", "..22..."});
    struct Case {
        int frame;
        TPuzzleCell target;
        int entry;
    };
    for (const Case& c : {Case{22, {3, 2}, 64}, Case{15, {2, 2}, 43}, Case{30, {4, 1}, 87}}) {
        rules::TPuzzleAim aim = rules::AimShot(field, kGeometry, kGeometry.StartPoint(c.frame), rules::EntryOfFrame(c.frame));
        EXPECT_EQ(aim.Target, c.target) << "frame " << c.frame;
        EXPECT_EQ(aim.Entry, c.entry) << "frame " << c.frame;
    }
}

TEST(PuzzleAimTest, AnimationEndsAtTheTargetRowAfterTheSimulatedSteps) {
    rules::TPuzzleFlightAnimation flight(kGeometry, kGeometry.StartPoint(22), 63, {3, 0});
    EXPECT_FALSE(flight.Advance(79));
    EXPECT_TRUE(flight.Advance(1));
    EXPECT_EQ(flight.Position(), (TPuzzlePoint{84, 0}));

    // Steps after the end change nothing; Finish ends a flight at once.
    EXPECT_TRUE(flight.Advance(5));
    EXPECT_EQ(flight.Steps(), 80);
    rules::TPuzzleFlightAnimation other(kGeometry, kGeometry.StartPoint(1), 0, {0, 0});
    other.Finish();
    EXPECT_TRUE(other.Finished());
}

}  // namespace
