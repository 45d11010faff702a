#include "rules/tumblix/Well.h"

#include <algorithm>
#include <utility>

namespace rules::tumblix {

void TWell::SetCell(int x, int y, uint8_t colour) {
    if (Inside(x, y)) m_cells[y][x] = colour;
}

void TWell::Clear() { m_cells = {}; }

TFit TWell::Checkblock(int shape, int x, int y) const {
    for (int cx = 0; cx < kMaskSize; ++cx)
        for (int cy = 0; cy < kMaskSize; ++cy) {
            if (!MaskCell(shape, cx, cy)) continue;
            int column = x + cx, row = y + cy;
            if (column < 0) return {false, TFitReason::LeftEdge};
            if (row < 0) return {false, TFitReason::TopEdge};
            if (column >= kColumns) return {false, TFitReason::RightEdge};
            if (row >= kRows || m_cells[row][column]) return {false, TFitReason::BottomOrOccupied};
        }
    return {IsShape(shape), TFitReason::BottomOrOccupied};
}

void TWell::PutBlock(const TPiece& piece) {
    for (int cy = 0; cy < kMaskSize; ++cy)
        for (int cx = 0; cx < kMaskSize; ++cx)
            if (uint8_t colour = MaskCell(piece.Shape, cx, cy)) SetCell(piece.X + cx, piece.Y + cy, colour);
}

void TWell::RemoveBlock(const TPiece& piece) {
    for (int cy = 0; cy < kMaskSize; ++cy)
        for (int cx = 0; cx < kMaskSize; ++cx)
            if (MaskCell(piece.Shape, cx, cy)) SetCell(piece.X + cx, piece.Y + cy, 0);
}

bool TWell::LeavesHole(const TPiece& piece) const {
    for (int cy = 0; cy < kMaskSize; ++cy)
        for (int cx = 0; cx < kMaskSize; ++cx) {
            int column = piece.X + cx, row = piece.Y + cy;
            if (!MaskCell(piece.Shape, cx, cy) || !Inside(column, row) || row == kBottomRow) continue;
            if (m_cells[row + 1][column] == 0) return true;
        }
    return false;
}

bool TWell::IsFull(int row) const {
    if (row < 0 || row >= kRows) return false;
    return std::all_of(m_cells[row].begin(), m_cells[row].end(), [](uint8_t c) { return c != 0; });
}

bool TWell::RowEmpty(int row) const {
    if (row < 0 || row >= kRows) return true;
    return std::all_of(m_cells[row].begin(), m_cells[row].end(), [](uint8_t c) { return c == 0; });
}

void TWell::RemoveLine(int row) {
    if (row < 0 || row >= kRows) return;
    FlushCells();
    for (int r = row; r >= 1; --r) m_cells[r] = m_cells[r - 1];
    m_cells[0] = TRow{};
    m_reported = m_cells;
    m_changes.push_back(TRowRemoved{row});
}

void TWell::PushRow(const TRow& row) {
    FlushCells();
    for (int r = 0; r < kBottomRow; ++r) m_cells[r] = m_cells[r + 1];
    m_cells[kBottomRow] = row;
    m_reported = m_cells;
    m_changes.push_back(TRowAdded{row});
}

void TWell::ClearBlast(int x, int y) {
    for (int row = y; row <= y + 2; ++row)
        for (int column = x; column <= x + 2; ++column) SetCell(column, row, 0);
}

int TWell::Height() const {
    for (int row = 0; row < kRows; ++row)
        if (!RowEmpty(row)) return row;
    return kRows;
}

std::string TWell::Snapshot() const {
    std::string bytes;
    bytes.reserve(kRows * kColumns);
    for (const TRow& row : m_cells)
        for (uint8_t colour : row) bytes.push_back(static_cast<char>(colour + 1));
    return bytes;
}

void TWell::FlushCells() {
    TCellsSet set;
    for (int y = 0; y < kRows; ++y)
        for (int x = 0; x < kColumns; ++x)
            if (m_cells[y][x] != m_reported[y][x]) set.Cells.push_back({x, y, m_cells[y][x]});
    if (!set.Cells.empty()) m_changes.push_back(std::move(set));
    m_reported = m_cells;
}

std::vector<TWellChange> TWell::TakeChanges() {
    FlushCells();
    return std::exchange(m_changes, {});
}

void TWell::DiscardChanges() {
    m_reported = m_cells;
    m_changes.clear();
}

}  // namespace rules::tumblix
