// TPreviewGrid: a board of coloured cells in a lobby preview (a Tumblix
// well, a Puzzle field), drawn as one node of the lobby's drawn tree.
//
// The grid keeps its cells whether shown or not, so a hidden preview stays
// up to date and draws the current state when it is shown again. A cell
// holds a colour: 0 is empty, 1 .. the image count picks image colour - 1
// of the list given at creation; other values are kept but draw nothing.
// A staggered grid (Puzzle) shifts its odd rows right by half a cell and
// gives them one cell less.
//
// Changing a cell of a shown grid repaints the window's stack in that cell's
// rectangle, so whatever lies under an emptied cell (the preview's
// background) comes back and sprites over it stay on top.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "graphics/Mygfx.h"

class TMybitmaplist;

class TPreviewGrid : public TMygfx {
public:
    // The images (one per colour, from colour 1) are loaded at once; a
    // missing one ends the process like every skin image.
    TPreviewGrid(TMygfx* parent, int columns, int rows, bool staggered, const std::vector<std::string>& images);
    ~TPreviewGrid() override;

    // Top-left corner and the cell pitch; a pitch below 1 counts as 1.
    void Place(int x, int y, int cellWidth, int rowPitch);

    int Columns() const { return m_columns; }
    int Rows() const { return m_rows; }
    // Whether (column, row) is a cell: odd rows of a staggered grid have one
    // column less.
    bool IsCell(int column, int row) const;
    // 0 outside the grid.
    int Cell(int column, int row) const;
    // Ignored outside the grid.
    void SetCell(int column, int row, int colour);
    // Row by row from the top, columns × rows values; cells that a staggered
    // grid does not have are skipped. Shorter input leaves the rest empty.
    void SetAll(const std::vector<uint8_t>& colours);
    void Clear();
    // Every cell, row by row from the top (the SetAll order).
    const std::vector<uint8_t>& Cells() const { return m_cells; }

    // Top-left corner of a cell's picture in window coordinates.
    int CellX(int column, int row) const;
    int CellY(int row) const;
    int CellWidth() const { return m_cellWidth; }
    int ImageWidth() const { return m_imageWidth; }
    int ImageHeight() const { return m_imageHeight; }

    void Show() override;
    void Hide() override;
    void Detach() override;
    void Draw(const TRect& rect) override;
    bool Visible() const { return m_visible; }

private:
    size_t Index(int column, int row) const { return static_cast<size_t>(row * m_columns + column); }
    TRect CellRect(int column, int row) const;
    void Repaint(const TRect& rect);

    int m_columns, m_rows;
    bool m_staggered;
    std::vector<uint8_t> m_cells;
    TMybitmaplist* m_images;
    int m_imageWidth = 0, m_imageHeight = 0;
    int m_x = 0, m_y = 0, m_cellWidth = 1, m_rowPitch = 1;
    bool m_visible = false;
};
