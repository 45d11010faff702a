// The opponent's copy and the referee's checks follow the shooter's field
// exactly.
#include <gtest/gtest.h>

#include "rules/puzzle/PuzzlePlayer.h"
#include "rules/puzzle/PuzzleReplica.h"
#include "PuzzleTestSupport.h"

using rules::TPuzzleVerdict;

namespace {

const rules::TPuzzleGeometry kGeometry = puzzletest::Geometry();

TEST(PuzzleReplicaTest, ReplayedShotsAndTrashKeepTheCopyEqualToTheShootersField) {
    rules::TPuzzlePlayer player(kGeometry);
    rules::TPuzzleReplica copy(kGeometry);
    player.Start(2024);
    int frames[] = {22, 5, 40, 22, 12, 33, 22, 1, 43, 18, 26, 22, 8, 37, 22, 15, 29, 22, 3, 41};
    int fired = 0;
    for (int round = 0; round < 3; ++round) {
        for (int frame : frames) {
            rules::TPuzzleFire fire = player.Fire(frame);
            if (fire.Lost) break;
            ++fired;
            ASSERT_EQ(copy.CheckShot(fire.Colour, fire.Aim.Entry, fire.Aim.Target), TPuzzleVerdict::Ok) << fired;
            rules::TPuzzleLanding landing = copy.ApplyShot(fire.Colour, fire.Aim.Target);
            EXPECT_EQ(landing.Changes, fire.Landing.Changes);
            EXPECT_EQ(copy.BombCredits(), player.BombCredits());
            // Fallen bubbles come back as trash now and then.
            if (fired % 4 == 0) {
                for (int colour : {fired % 6 + 1, (fired + 3) % 6 + 1}) {
                    player.QueueTrash(colour);
                    copy.ExpectTrash(colour);
                }
                for (const rules::TPuzzleCellChange& trash : player.PlaceTrash()) {
                    ASSERT_EQ(copy.CheckTrash(trash.Colour, trash.Cell), TPuzzleVerdict::Ok);
                    EXPECT_TRUE(copy.ApplyTrash(trash.Colour, trash.Cell));
                }
            }
            ASSERT_EQ(copy.Field(), player.Field()) << "after shot " << fired;
        }
    }
    EXPECT_GT(fired, 15);
}

TEST(PuzzleReplicaTest, TheRefereeRefusesShotsAndTrashTheShooterCouldNotHaveMade) {
    rules::TPuzzleReplica copy(kGeometry);
    // The straight shot rests in (3, 0); claiming a neighbour is refused.
    EXPECT_EQ(copy.CheckShot(2, 63, {3, 0}), TPuzzleVerdict::Ok);
    EXPECT_EQ(copy.CheckShot(2, 63, {4, 0}), TPuzzleVerdict::WrongTarget);
    EXPECT_EQ(copy.CheckShot(rules::kPuzzleBomb, 63, {3, 0}), TPuzzleVerdict::BombWithoutCredit);
    EXPECT_EQ(copy.CheckShot(8, 63, {3, 0}), TPuzzleVerdict::BadColour);
    EXPECT_EQ(copy.CheckShot(2, 127, {3, 0}), TPuzzleVerdict::BadEntry);
    EXPECT_EQ(copy.CheckShot(2, 63, {7, 1}), TPuzzleVerdict::BadCell);
    EXPECT_EQ(copy.CheckShot(2, 63, {3, kGeometry.RowsAboveLine()}), TPuzzleVerdict::BelowLine);

    // Trash must be the oldest colour handed over and go to a candidate.
    EXPECT_EQ(copy.CheckTrash(3, {0, 0}), TPuzzleVerdict::UnexpectedTrash);
    copy.ExpectTrash(3);
    copy.ExpectTrash(4);
    EXPECT_EQ(copy.CheckTrash(4, {0, 0}), TPuzzleVerdict::UnexpectedTrash);
    EXPECT_EQ(copy.CheckTrash(3, {0, 1}), TPuzzleVerdict::NotCandidate);
    EXPECT_EQ(copy.CheckTrash(3, {0, 0}), TPuzzleVerdict::Ok);
    EXPECT_TRUE(copy.ApplyTrash(3, {0, 0}));
    EXPECT_EQ(copy.CheckTrash(4, {0, 1}), TPuzzleVerdict::Ok);
    copy.Reset();
    EXPECT_TRUE(copy.Field().IsAllEmpty());
    EXPECT_EQ(copy.CheckTrash(4, {0, 0}), TPuzzleVerdict::UnexpectedTrash);
}

TEST(PuzzleReplicaTest, BombsFollowTheShootersCreditsAndABombBelowTheLineIsFine) {
    // With the line at the top every resting place is below it.
    rules::TPuzzleGeometry lineAtTop = kGeometry;
    lineAtTop.LineOffset = 0;
    rules::TPuzzleReplica copy(lineAtTop);
    for (int column : {0, 1, 2}) copy.ApplyShot(5, {column, 0});
    EXPECT_EQ(copy.BombCredits(), 0);  // a group of three earns nothing
    for (int column : {0, 1, 3, 2}) copy.ApplyShot(1, {column, 0});
    EXPECT_EQ(copy.BombCredits(), 5);
    EXPECT_FALSE(copy.BombAllowed());  // the next colour was drawn before that landing
    copy.ApplyShot(2, {7, 0});
    EXPECT_TRUE(copy.BombAllowed());

    EXPECT_EQ(copy.CheckShot(2, 63, {3, 0}), TPuzzleVerdict::BelowLine);
    EXPECT_EQ(copy.CheckShot(rules::kPuzzleBomb, 63, {3, 0}), TPuzzleVerdict::Ok);
    rules::TPuzzleLanding bomb = copy.ApplyShot(rules::kPuzzleBomb, {6, 0});
    EXPECT_EQ(bomb.Changes.size(), 3u);  // landed, then (6, 0) and (7, 0) bombed
    EXPECT_EQ(copy.BombCredits(), 4);
    EXPECT_TRUE(copy.Field().IsAllEmpty());
}

}  // namespace
