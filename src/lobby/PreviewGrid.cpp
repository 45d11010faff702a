#include "lobby/PreviewGrid.h"

#include <algorithm>

#include "graphics/Mybitmap.h"
#include "graphics/Mybitmaplist.h"
#include "graphics/Myimage.h"
#include "graphics/Paint.h"

TPreviewGrid::TPreviewGrid(TMygfx* parent, int columns, int rows, bool staggered,
                           const std::vector<std::string>& images)
    : TMygfx(parent),
      m_columns(std::max(columns, 1)),
      m_rows(std::max(rows, 1)),
      m_staggered(staggered),
      m_cells(static_cast<size_t>(m_columns * m_rows), 0),
      m_images(TMybitmaplist::Create()) {
    for (const std::string& name : images) m_images->Add(name);
    if (TMybitmap* first = m_images->Get(0)) {
        m_imageWidth = first->Width();
        m_imageHeight = first->Height();
    }
    Place(0, 0, m_imageWidth, m_imageHeight);
}

TPreviewGrid::~TPreviewGrid() { m_images->Release(); }

void TPreviewGrid::Place(int x, int y, int cellWidth, int rowPitch) {
    m_x = x;
    m_y = y;
    m_cellWidth = std::max(cellWidth, 1);
    m_rowPitch = std::max(rowPitch, 1);
    const int shift = m_staggered ? m_cellWidth / 2 : 0;
    SetBounds(TRect{m_x, m_y, m_x + m_columns * m_cellWidth + shift,
                    m_y + (m_rows - 1) * m_rowPitch + std::max(m_imageHeight, m_rowPitch)});
}

bool TPreviewGrid::IsCell(int column, int row) const {
    if (row < 0 || row >= m_rows || column < 0) return false;
    return column < (m_staggered && row % 2 == 1 ? m_columns - 1 : m_columns);
}

int TPreviewGrid::Cell(int column, int row) const { return IsCell(column, row) ? m_cells[Index(column, row)] : 0; }

void TPreviewGrid::SetCell(int column, int row, int colour) {
    if (!IsCell(column, row)) return;
    uint8_t& cell = m_cells[Index(column, row)];
    const auto value = static_cast<uint8_t>(std::clamp(colour, 0, 255));
    if (cell == value) return;
    cell = value;
    if (m_visible) Repaint(CellRect(column, row));
}

void TPreviewGrid::SetAll(const std::vector<uint8_t>& colours) {
    for (int row = 0; row < m_rows; ++row)
        for (int column = 0; column < m_columns; ++column) {
            const size_t i = Index(column, row);
            m_cells[i] = IsCell(column, row) && i < colours.size() ? colours[i] : 0;
        }
    if (m_visible) Repaint(Bounds());
}

void TPreviewGrid::Clear() { SetAll({}); }

int TPreviewGrid::CellX(int column, int row) const {
    return m_x + column * m_cellWidth + (m_staggered && row % 2 == 1 ? m_cellWidth / 2 : 0);
}

int TPreviewGrid::CellY(int row) const { return m_y + row * m_rowPitch; }

TRect TPreviewGrid::CellRect(int column, int row) const {
    const int x = CellX(column, row), y = CellY(row);
    return TRect{x, y, x + std::max(m_imageWidth, m_cellWidth), y + std::max(m_imageHeight, m_rowPitch)};
}

// The whole stack of the window in the rectangle, from the root, so the
// background comes back under an emptied cell.
void TPreviewGrid::Repaint(const TRect& rect) {
    if (TPaint* paint = Paint()) paint->Redraw(paint, rect);
}

void TPreviewGrid::Show() {
    if (m_visible) return;
    m_visible = true;
    TMygfx::Show();
    // The whole stack, so sprites of higher layers stay on top.
    Repaint(Bounds());
}

void TPreviewGrid::Hide() {
    if (!m_visible) return;
    m_visible = false;
    TMygfx::Hide();
}

void TPreviewGrid::Detach() {
    if (!m_visible) return;
    m_visible = false;
    TMygfx::Detach();
}

void TPreviewGrid::Draw(const TRect& rect) {
    TPaint* paint = Paint();
    if (!paint) return;
    TRect area = Intersect(rect, Bounds());
    if (Parent()) area = Intersect(area, Parent()->Bounds());
    if (area.Empty()) return;
    paint->Invalidate(area);
    if (paint->Suspended()) return;
    for (int row = 0; row < m_rows; ++row)
        for (int column = 0; column < m_columns; ++column) {
            const int colour = m_cells[Index(column, row)];
            TMybitmap* image = colour > 0 ? m_images->Get(colour - 1) : nullptr;
            if (!image || !IsCell(column, row)) continue;
            const TRect part = Intersect(area, CellRect(column, row));
            if (!part.Empty())
                DrawSpritePart(*image, paint->BackBuffer(), part, CellX(column, row), CellY(row), true, 0);
        }
}
