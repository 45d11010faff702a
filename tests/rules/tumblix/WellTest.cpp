// The fit test's reasons and the change list a preview replays.
#include <gtest/gtest.h>

#include "rules/Random.h"
#include "rules/tumblix/Well.h"
#include "rules/tumblix/WellText.h"

namespace {

using namespace rules::tumblix;

TEST(TumblixWellTest, FitReasonComesFromTheFirstFailingCellColumnByColumn) {
    TWell well = tumblix_test::WellOf({"#..........."});
    // L rotation 1 at (-1, -2): row by row the first cell out would be at
    // the top; column by column it is the one left of the well.
    EXPECT_EQ(well.Checkblock(ShapeOf(kLPiece, 1), -1, -2).Reason, TFitReason::LeftEdge);
    // The bar's first cell is above the well although its last is right of it.
    EXPECT_EQ(well.Checkblock(ShapeOf(kBarPiece, 0), 9, -3).Reason, TFitReason::TopEdge);
    EXPECT_EQ(well.Checkblock(ShapeOf(kBarPiece, 0), 9, 5).Reason, TFitReason::RightEdge);
    EXPECT_EQ(well.Checkblock(ShapeOf(kBarPiece, 0), 0, 24).Reason, TFitReason::BottomOrOccupied);
    EXPECT_EQ(well.Checkblock(ShapeOf(kBarPiece, 0), 0, 23).Reason, TFitReason::BottomOrOccupied);
    EXPECT_FALSE(well.Checkblock(ShapeOf(kBarPiece, 0), 0, 23).Fits);
    TFit fit = well.Checkblock(ShapeOf(kBarPiece, 0), 1, 23);
    EXPECT_TRUE(fit.Fits);
    EXPECT_EQ(fit.Reason, TFitReason::BottomOrOccupied);
    EXPECT_FALSE(well.Checkblock(40, 4, 4).Fits);
}

TEST(TumblixWellTest, ChangesReplayedOnACopyGiveTheWell) {
    rules::TRandom random(99);
    TWell well;
    TCells copy{};
    for (int round = 0; round < 300; ++round) {
        switch (random.Draw(5)) {
            case 0: well.SetCell(int(random.Draw(14)) - 1, int(random.Draw(28)) - 1, uint8_t(random.Draw(10))); break;
            case 1: well.RemoveLine(int(random.Draw(26))); break;
            case 2: well.PushRow(TRow{1, 2, 0, 3, 4, 0, 5, 6, 7, 0, 1, 2}); break;
            case 3: well.PutBlock({int(random.Draw(36)), int(random.Draw(14)) - 2, int(random.Draw(28)) - 2}); break;
            case 4: well.ClearBlast(int(random.Draw(14)) - 1, int(random.Draw(28)) - 1); break;
        }
        if (random.Draw(4) == 0) {
            ApplyChanges(copy, well.TakeChanges());
            ASSERT_EQ(copy, well.Cells()) << "round " << round;
        }
    }
}

TEST(TumblixWellTest, PieceTakenOutAndPutBackIsNoChange) {
    TWell well;
    TPiece t{ShapeOf(kTPiece, 0), 3, 4};
    well.PutBlock(t);
    well.DiscardChanges();
    well.RemoveBlock(t);
    well.PutBlock(t);
    EXPECT_TRUE(well.TakeChanges().empty());
    well.RemoveLine(25);
    auto changes = well.TakeChanges();
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(std::get<TRowRemoved>(changes[0]).Row, 25);
    // The T's stem moved from row 6 to row 7 with the rows above the line.
    EXPECT_EQ(well.Cell(4, 7), 2);
    EXPECT_EQ(well.Snapshot().size(), 312u);
    EXPECT_EQ(well.Snapshot()[7 * 12 + 4], 3);
}

}  // namespace
