// One Puzzle field: 8 columns by 20 rows of bubble colours in a staggered
// grid. Even rows hold 8 cells, odd rows 7 (columns 0..6), shifted right by
// half a bubble, so the six neighbours of (j, i) are (j - 1, i), (j + 1, i)
// and, in rows i - 1 and i + 1, columns j - 1 and j for an even row or j and
// j + 1 for an odd row.
//
// Colours: 0 empty, 1..6 bubbles, 7 the bomb. The field only stores colours
// and answers questions about them (groups, what the bomb takes, what no
// longer hangs, where trash may go); landing a shot is TPuzzleLanding's.
// Every cell argument is range-checked: a cell outside the grid reads as
// empty and cannot be written.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

namespace rules {

constexpr int kPuzzleColumns = 8;
constexpr int kPuzzleRows = 20;
constexpr int kPuzzleColours = 6;
constexpr int kPuzzleBomb = 7;

constexpr bool IsBubbleColour(int colour) { return colour >= 1 && colour <= kPuzzleColours; }
constexpr bool IsShotColour(int colour) { return colour >= 1 && colour <= kPuzzleBomb; }

struct TPuzzleCell {
    int Column = 0, Row = 0;
    friend bool operator==(const TPuzzleCell&, const TPuzzleCell&) = default;
};

using TPuzzleCells = std::vector<TPuzzleCell>;

class TPuzzleField {
public:
    static constexpr int ColumnsInRow(int row) { return row % 2 == 0 ? kPuzzleColumns : kPuzzleColumns - 1; }
    static constexpr bool IsCell(TPuzzleCell cell) {
        return cell.Row >= 0 && cell.Row < kPuzzleRows && cell.Column >= 0 && cell.Column < ColumnsInRow(cell.Row);
    }
    // The neighbours of a cell that lie inside the grid.
    static TPuzzleCells Neighbours(TPuzzleCell cell);
    // Every cell, rows outer and columns inner.
    static TPuzzleCells AllCells();

    int Colour(TPuzzleCell cell) const;
    bool IsEmpty(TPuzzleCell cell) const { return Colour(cell) == 0; }
    // False (and nothing changes) for a cell outside the grid or a colour
    // outside 0..7.
    bool SetColour(TPuzzleCell cell, int colour);
    void Clear();
    bool IsAllEmpty() const;

    // The connected cells of the colour at `cell`, `cell` first; empty when
    // the cell is empty.
    TPuzzleCells Group(TPuzzleCell cell) const;
    // A bomb at `cell` takes the cell and its neighbours that hold anything.
    TPuzzleCells BombCells(TPuzzleCell cell) const;
    // The bubbles (colours 1..6) no chain of bubbles links to row 0.
    TPuzzleCells LooseBubbles() const;
    // Where trash may go: empty cells of rows 0 .. rowsAboveLine - 2 that
    // lie in row 0 or under an occupied cell.
    TPuzzleCells TrashCandidates(int rowsAboveLine) const;
    bool IsTrashCandidate(TPuzzleCell cell, int rowsAboveLine) const;

    friend bool operator==(const TPuzzleField&, const TPuzzleField&) = default;

private:
    bool HangsUnderOccupied(TPuzzleCell cell) const;

    std::array<std::array<int, kPuzzleColumns>, kPuzzleRows> m_cells{};
};

}  // namespace rules
