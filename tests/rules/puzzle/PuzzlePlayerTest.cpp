// The own side: the colour draw, the loss at the line, trash placement.
#include <gtest/gtest.h>

#include "rules/Random.h"
#include "rules/puzzle/PuzzlePlayer.h"
#include "PuzzleTestSupport.h"

using rules::TPuzzleCell;

namespace {

const rules::TPuzzleGeometry kGeometry = puzzletest::Geometry();

// A seed whose next draw below 7 is 6, the bomb.
uint32_t SeedDrawingTheBomb() {
    for (uint32_t seed = 0;; ++seed)
        if (rules::TRandom(seed).Draw(7) == 6) return seed;
}

TEST(PuzzlePlayerTest, TheBombIsDrawnOnlyWhileCreditsAreLeft) {
    uint32_t seed = SeedDrawingTheBomb();
    rules::TRandom withCredits(seed);
    EXPECT_EQ(rules::DrawPuzzleColour(withCredits, 1), rules::kPuzzleBomb);
    rules::TRandom without(seed), replay(seed);
    int colour = rules::DrawPuzzleColour(without, 0);
    // The bomb is thrown back and the following draw taken.
    replay.Draw(7);
    int expected = 7;
    while (expected == 7) expected = static_cast<int>(replay.Draw(7)) + 1;
    EXPECT_EQ(colour, expected);
    EXPECT_EQ(without.Seed(), replay.Seed());

    rules::TRandom many(12345);
    for (int i = 0; i < 2000; ++i) EXPECT_LE(rules::DrawPuzzleColour(many, 0), rules::kPuzzleColours);
}

TEST(PuzzlePlayerTest, ABombBelowTheLineIsFiredAndAnyOtherColourLoses) {
    rules::TPuzzleAim below;
    below.HasTarget = true;
    below.Target = {3, kGeometry.RowsAboveLine()};
    EXPECT_FALSE(rules::ShotLoses(kGeometry, below, rules::kPuzzleBomb));
    for (int colour = 1; colour <= rules::kPuzzleColours; ++colour) EXPECT_TRUE(rules::ShotLoses(kGeometry, below, colour));
    below.Target.Row -= 1;
    EXPECT_FALSE(rules::ShotLoses(kGeometry, below, 1));

    // With the line at the very top every shot rests below it.
    rules::TPuzzleGeometry lineAtTop = kGeometry;
    lineAtTop.LineOffset = 0;
    rules::TPuzzlePlayer player(lineAtTop);
    player.Start(7);
    int colour = player.NextColour();
    rules::TPuzzleFire fire = player.Fire(rules::kCanonStartFrame);
    EXPECT_TRUE(fire.Lost);
    EXPECT_TRUE(player.Field().IsAllEmpty());
    EXPECT_EQ(player.NextColour(), colour);  // nothing flew, nothing drawn
}

TEST(PuzzlePlayerTest, FiringLandsAtOnceAndDrawsTheNextColourFromTheSeed) {
    rules::TPuzzlePlayer player(kGeometry);
    player.Start(99);
    rules::TRandom replay(99);
    EXPECT_EQ(player.NextColour(), static_cast<int>(replay.Draw(6)) + 1);
    int colour = player.NextColour();
    rules::TPuzzleFire fire = player.Fire(rules::kCanonStartFrame);
    ASSERT_FALSE(fire.Lost);
    EXPECT_EQ(fire.Colour, colour);
    EXPECT_EQ(fire.Aim.Target, (TPuzzleCell{3, 0}));
    EXPECT_EQ(player.Field().Colour({3, 0}), colour);
    EXPECT_EQ(player.NextColour(), rules::DrawPuzzleColour(replay, 0));
}

TEST(PuzzlePlayerTest, TrashWaitsForTheSettleStepAndGoesOnlyToAllowedCells) {
    rules::TPuzzlePlayer player(kGeometry);
    player.Start(5);
    EXPECT_FALSE(player.QueueTrash(7));
    EXPECT_FALSE(player.QueueTrash(0));
    for (int colour : {1, 2, 3, 4, 5, 6, 1, 2, 3, 4}) EXPECT_TRUE(player.QueueTrash(colour));

    // A shot does not place trash; the settle step does.
    rules::TPuzzleFire fire = player.Fire(rules::kCanonStartFrame);
    ASSERT_FALSE(fire.Lost);
    EXPECT_EQ(player.QueuedTrash(), 10u);

    // The round draws among the candidates taken at its start: the 7 free
    // cells of row 0 and the 2 under the shot bubble, so one trash stays.
    rules::TPuzzleField before = player.Field();
    rules::TPuzzleCells candidates = before.TrashCandidates(kGeometry.RowsAboveLine());
    ASSERT_EQ(candidates.size(), 9u);
    rules::TRandom replay(player.Seed());
    rules::TPuzzleCellChanges placed = player.PlaceTrash();
    ASSERT_EQ(placed.size(), 9u);
    EXPECT_EQ(player.QueuedTrash(), 1u);
    for (size_t i = 0; i < placed.size(); ++i) {
        auto pick = candidates.begin() + replay.Draw(static_cast<uint32_t>(candidates.size()));
        EXPECT_EQ(placed[i].Cell, *pick);
        EXPECT_EQ(placed[i].Kind, rules::TPuzzleChangeKind::Trash);
        EXPECT_EQ(placed[i].Colour, player.Field().Colour(placed[i].Cell));
        candidates.erase(pick);
    }
    EXPECT_EQ(placed[0].Colour, 1);
}

}  // namespace
