#include "rules/puzzle/PuzzleField.h"

namespace rules {

TPuzzleCells TPuzzleField::Neighbours(TPuzzleCell cell) {
    // The rows above and below are shifted half a bubble: from an even row
    // they reach one column left, from an odd row one column right.
    int shift = cell.Row % 2 == 0 ? -1 : 0;
    const TPuzzleCell around[6] = {
        {cell.Column - 1, cell.Row},         {cell.Column + 1, cell.Row},
        {cell.Column + shift, cell.Row - 1}, {cell.Column + shift + 1, cell.Row - 1},
        {cell.Column + shift, cell.Row + 1}, {cell.Column + shift + 1, cell.Row + 1},
    };
    TPuzzleCells result;
    for (const TPuzzleCell& near : around)
        if (IsCell(near)) result.push_back(near);
    return result;
}

TPuzzleCells TPuzzleField::AllCells() {
    TPuzzleCells cells;
    for (int row = 0; row < kPuzzleRows; ++row)
        for (int column = 0; column < ColumnsInRow(row); ++column) cells.push_back({column, row});
    return cells;
}

int TPuzzleField::Colour(TPuzzleCell cell) const {
    return IsCell(cell) ? m_cells[cell.Row][cell.Column] : 0;
}

bool TPuzzleField::SetColour(TPuzzleCell cell, int colour) {
    if (!IsCell(cell) || colour < 0 || colour > kPuzzleBomb) return false;
    m_cells[cell.Row][cell.Column] = colour;
    return true;
}

void TPuzzleField::Clear() { m_cells = {}; }

bool TPuzzleField::IsAllEmpty() const {
    for (const TPuzzleCell& cell : AllCells())
        if (!IsEmpty(cell)) return false;
    return true;
}

TPuzzleCells TPuzzleField::Group(TPuzzleCell start) const {
    int colour = Colour(start);
    if (colour == 0) return {};
    std::array<std::array<bool, kPuzzleColumns>, kPuzzleRows> seen{};
    TPuzzleCells group{start};
    seen[start.Row][start.Column] = true;
    for (std::size_t next = 0; next < group.size(); ++next) {
        for (const TPuzzleCell& near : Neighbours(group[next])) {
            if (seen[near.Row][near.Column] || Colour(near) != colour) continue;
            seen[near.Row][near.Column] = true;
            group.push_back(near);
        }
    }
    return group;
}

TPuzzleCells TPuzzleField::BombCells(TPuzzleCell cell) const {
    TPuzzleCells taken;
    if (!IsCell(cell)) return taken;
    if (!IsEmpty(cell)) taken.push_back(cell);
    for (const TPuzzleCell& near : Neighbours(cell))
        if (!IsEmpty(near)) taken.push_back(near);
    return taken;
}

TPuzzleCells TPuzzleField::LooseBubbles() const {
    // Mark everything a chain of bubbles links to row 0, then collect the
    // bubbles left unmarked.
    std::array<std::array<bool, kPuzzleColumns>, kPuzzleRows> hanging{};
    TPuzzleCells reached;
    for (int column = 0; column < ColumnsInRow(0); ++column) {
        if (!IsBubbleColour(m_cells[0][column])) continue;
        hanging[0][column] = true;
        reached.push_back({column, 0});
    }
    for (std::size_t next = 0; next < reached.size(); ++next) {
        for (const TPuzzleCell& near : Neighbours(reached[next])) {
            if (hanging[near.Row][near.Column] || !IsBubbleColour(Colour(near))) continue;
            hanging[near.Row][near.Column] = true;
            reached.push_back(near);
        }
    }
    TPuzzleCells loose;
    for (const TPuzzleCell& cell : AllCells())
        if (IsBubbleColour(Colour(cell)) && !hanging[cell.Row][cell.Column]) loose.push_back(cell);
    return loose;
}

bool TPuzzleField::HangsUnderOccupied(TPuzzleCell cell) const {
    // The two cells above: (j, i - 1) and (j + 1, i - 1) for an odd row,
    // (j - 1, i - 1) and (j, i - 1) for an even one.
    int left = cell.Row % 2 == 0 ? cell.Column - 1 : cell.Column;
    return !IsEmpty({left, cell.Row - 1}) || !IsEmpty({left + 1, cell.Row - 1});
}

bool TPuzzleField::IsTrashCandidate(TPuzzleCell cell, int rowsAboveLine) const {
    if (!IsCell(cell) || cell.Row > rowsAboveLine - 2 || !IsEmpty(cell)) return false;
    return cell.Row == 0 || HangsUnderOccupied(cell);
}

TPuzzleCells TPuzzleField::TrashCandidates(int rowsAboveLine) const {
    TPuzzleCells candidates;
    for (const TPuzzleCell& cell : AllCells())
        if (IsTrashCandidate(cell, rowsAboveLine)) candidates.push_back(cell);
    return candidates;
}

}  // namespace rules
