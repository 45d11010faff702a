// TWell: one Tumblix well of 12 columns x 26 rows, row 0 at the top; a cell
// holds 0 (empty) or a colour 1..9. A well is a plain value: the own game,
// the replayed copy of the opponent's well, the server's referee and the
// tests all keep theirs in one of these and copy it freely.
//
// The falling piece is written into the cells like the landed ones (as the
// players see it); its owner remembers where it is and takes it out before
// moving it. Every write outside the well is skipped and every read outside
// gives 0 (or "not empty" for the fit test), so coordinates read from the
// wire need no further checks here.
//
// Changes: the well keeps a list of what changed since the last TakeChanges
// (cells set, rows added at the bottom, rows removed), for live previews and
// for the window's animation. Cell changes are gathered as the difference
// to the state last reported, so a piece taken out and put back where it
// was is no change at all. Equality compares the cells only.
#pragma once

#include <string>
#include <vector>

#include "rules/tumblix/Shapes.h"
#include "rules/tumblix/WellChange.h"

namespace rules::tumblix {

// Why the last fit test failed, from the first failing cell when the cells
// are taken column by column. A test that succeeds also gives
// BottomOrOccupied.
enum class TFitReason { LeftEdge, TopEdge, RightEdge, BottomOrOccupied };

struct TFit {
    bool Fits = false;
    TFitReason Reason = TFitReason::BottomOrOccupied;
};

// A shape at a mask origin (x, y); the origin may lie outside the well.
struct TPiece {
    int Shape = kNoShape;
    int X = 0, Y = 0;
    bool Exists() const { return IsShape(Shape); }
    bool operator==(const TPiece&) const = default;
};

class TWell {
public:
    static constexpr int kColumns = kWellColumns;
    static constexpr int kRows = kWellRows;
    static constexpr int kBottomRow = kRows - 1;

    static constexpr bool Inside(int x, int y) { return x >= 0 && x < kColumns && y >= 0 && y < kRows; }

    uint8_t Cell(int x, int y) const { return Inside(x, y) ? m_cells[y][x] : 0; }
    void SetCell(int x, int y, uint8_t colour);
    const TCells& Cells() const { return m_cells; }
    void Clear();

    // Checkblock: whether every occupied cell of the shape at (x, y) lies
    // inside the well on an empty cell, and if not, why.
    TFit Checkblock(int shape, int x, int y) const;
    void PutBlock(const TPiece& piece);
    void RemoveBlock(const TPiece& piece);
    // Whether any cell of the piece has an empty cell directly below it
    // (the bottom row has nothing below it).
    bool LeavesHole(const TPiece& piece) const;

    bool IsFull(int row) const;
    bool RowEmpty(int row) const;
    // RemoveLine: the rows above move down one, row 0 becomes empty.
    void RemoveLine(int row);
    // Every row moves up one (row 0 falls out); row becomes the bottom row.
    void PushRow(const TRow& row);
    // The 3 x 3 cells from (x, y) to (x + 2, y + 2) inside the well become
    // empty: a bomb with mask origin (x, y).
    void ClearBlast(int x, int y);
    // The first row from the top that holds any cell; kRows when empty.
    int Height() const;
    // The well as a preview snapshot: 312 bytes, row by row, colour + 1.
    std::string Snapshot() const;

    std::vector<TWellChange> TakeChanges();
    // Forgets the changes: the next TakeChanges starts from the cells now.
    void DiscardChanges();

    bool operator==(const TWell& other) const { return m_cells == other.m_cells; }

private:
    void FlushCells();

    TCells m_cells{};
    TCells m_reported{};
    std::vector<TWellChange> m_changes;
};

}  // namespace rules::tumblix
