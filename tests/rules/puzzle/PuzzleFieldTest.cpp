// The staggered grid, what hangs, and where trash may go.
#include <gtest/gtest.h>

#include "rules/puzzle/PuzzleField.h"
#include "rules/puzzle/PuzzleGeometry.h"
#include "PuzzleTestSupport.h"

using rules::TPuzzleCell;
using rules::TPuzzleCells;
using rules::TPuzzleField;

namespace {

TEST(PuzzleFieldTest, OddRowsAreShortAndShiftedAndNeighboursFollowTheShift) {
    EXPECT_TRUE(TPuzzleField::IsCell({7, 0}));
    EXPECT_FALSE(TPuzzleField::IsCell({7, 1}));
    EXPECT_FALSE(TPuzzleField::IsCell({0, 20}));
    EXPECT_EQ(TPuzzleField::AllCells().size(), 10u * 8 + 10u * 7);

    rules::TPuzzleGeometry geometry = puzzletest::Geometry();
    EXPECT_EQ(geometry.CellPosition({2, 3}), (rules::TPuzzlePoint{2 * 28 + 14, 3 * 22}));
    EXPECT_EQ(geometry.RowsAboveLine(), 10);
    EXPECT_EQ(geometry.FieldHeight(), 19 * 28 - 18 * 6);

    // Even row: the rows around reach one column left; odd row: one right.
    EXPECT_EQ(TPuzzleField::Neighbours({3, 2}),
              (TPuzzleCells{{2, 2}, {4, 2}, {2, 1}, {3, 1}, {2, 3}, {3, 3}}));
    EXPECT_EQ(TPuzzleField::Neighbours({3, 1}),
              (TPuzzleCells{{2, 1}, {4, 1}, {3, 0}, {4, 0}, {3, 2}, {4, 2}}));
    // Corners lose the cells outside the grid.
    EXPECT_EQ(TPuzzleField::Neighbours({0, 0}), (TPuzzleCells{{1, 0}, {0, 1}}));
    EXPECT_EQ(TPuzzleField::Neighbours({7, 2}), (TPuzzleCells{{6, 2}, {6, 1}, {6, 3}}));
}

TEST(PuzzleFieldTest, OutsideCellsReadEmptyAndCannotBeWritten) {
    TPuzzleField field;
    EXPECT_FALSE(field.SetColour({7, 1}, 2));
    EXPECT_FALSE(field.SetColour({0, 0}, 8));
    EXPECT_FALSE(field.SetColour({-1, 0}, 1));
    EXPECT_EQ(field.Colour({7, 1}), 0);
    EXPECT_TRUE(field.IsAllEmpty());
}

TEST(PuzzleFieldTest, OnlyBubblesLinkedToRowZeroHang) {
    TPuzzleField field = puzzletest::FieldOf({
        "12......",
        ".3.....",  // hangs from (1, 0)
        "..4.....",
        "...5...",  // (3, 2) and (4, 2) above it are empty
    });
    EXPECT_EQ(field.LooseBubbles(), (TPuzzleCells{{3, 3}}));
    // A bomb never hangs anything.
    field.SetColour({3, 2}, rules::kPuzzleBomb);
    EXPECT_EQ(field.LooseBubbles(), (TPuzzleCells{{3, 3}}));
}

TEST(PuzzleFieldTest, TrashGoesToRowZeroOrUnderAnOccupiedCellAboveTheLimit) {
    TPuzzleField field = puzzletest::FieldOf({
        "1111111.",
        ".......",
    });
    // Rows above the line 3: trash only into rows 0 and 1.
    TPuzzleCells candidates = field.TrashCandidates(3);
    EXPECT_EQ(candidates, (TPuzzleCells{{7, 0}, {0, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}}));
    // (6, 1) hangs under (6, 0) and (7, 0); row 2 is beyond the limit.
    field.SetColour({6, 1}, 2);
    EXPECT_FALSE(field.IsTrashCandidate({6, 2}, 3));
    EXPECT_TRUE(field.IsTrashCandidate({6, 2}, 4));
    EXPECT_FALSE(field.IsTrashCandidate({4, 2}, 4));  // under (3, 1) and (4, 1), both empty
    EXPECT_TRUE(field.TrashCandidates(1).empty());
}

}  // namespace
