#include "rules/gammon/Geometry.h"

namespace rules::gammon {

int TGammonGeometry::ColumnFits() const {
    return m_layout.CheckerHeight > 0 ? m_layout.ColumnHeight / m_layout.CheckerHeight : 0;
}

bool TGammonGeometry::InUpperRow(int point) const {
    bool lowPoint = point <= 12;
    return m_own == TColour::White ? lowPoint : !lowPoint;
}

int TGammonGeometry::ColumnX(int point) const {
    int w = PointWidth();
    if (point <= 6) return m_layout.RightX + (6 - point) * w;
    if (point <= 12) return m_layout.LeftX + (12 - point) * w;
    if (point <= 18) return m_layout.LeftX + (point - 13) * w;
    return m_layout.RightX + (point - 19) * w;
}

// Checkers stand a checker height apart until the column is full; beyond
// that they close up so that the stack keeps within the column height.
int TGammonGeometry::Spacing(int count) const {
    int fits = ColumnFits();
    if (count <= fits || count <= 0) return m_layout.CheckerHeight;
    return (m_layout.ColumnHeight - m_layout.CheckerHeight) / count;
}

int TGammonGeometry::BarX() const {
    int left = m_layout.LeftX, right = m_layout.RightX + m_layout.HalfWidth;
    return (left + right) / 2 - m_layout.CheckerWidth / 2;
}

TXY TGammonGeometry::Checker(int point, int n, int count) const {
    int offset = n * Spacing(count);
    if (point == 0 || point == 25) {
        bool ownBar = point == BarOf(m_own);
        if (ownBar) return {BarX(), Top() + m_layout.ColumnHeight - m_layout.CheckerHeight - offset};
        return {BarX(), Bottom() - m_layout.ColumnHeight + offset};
    }
    int x = ColumnX(point) + (PointWidth() - m_layout.CheckerWidth) / 2;
    if (InUpperRow(point)) return {x, Top() + offset};
    return {x, Bottom() - m_layout.CheckerHeight - offset};
}

TXY TGammonGeometry::Tray(TColour colour, int n) const {
    int x = m_layout.TrayX + (m_layout.TrayWidth - m_layout.SideWidth) / 2;
    if (colour == m_own) return {x, Bottom() - m_layout.TrayMargin - (n + 1) * m_layout.SideHeight};
    return {x, Top() + m_layout.TrayMargin + n * m_layout.SideHeight};
}

TXY TGammonGeometry::Cube(int value, bool opponentOwns) const {
    int middle = Top() + m_layout.HalfHeight / 2;
    if (value <= 1) return {m_layout.CubeX, middle - m_layout.CubeHeight / 2};
    if (opponentOwns) return {m_layout.CubeX, m_layout.CubeY};
    return {m_layout.CubeX, 2 * middle - m_layout.CubeY - m_layout.CubeHeight};
}

int TGammonGeometry::HoverPoint(int x, int y, bool ownCheckerOnBar) const {
    int w = PointWidth();
    if (w <= 0 || y < Top() || y >= Bottom()) return -1;
    bool upper = y < Top() + m_layout.HalfHeight / 2;
    int leftEnd = m_layout.LeftX + m_layout.HalfWidth;
    if (ownCheckerOnBar && x >= leftEnd && x < m_layout.RightX) {
        bool whiteView = m_own == TColour::White;
        return upper == whiteView ? 0 : 25;
    }
    int column;
    if (x >= m_layout.LeftX && x < leftEnd)
        column = (x - m_layout.LeftX) / w;
    else if (x >= m_layout.RightX && x < m_layout.RightX + m_layout.HalfWidth)
        column = (x - m_layout.RightX) / w + 6;
    else
        return -1;
    if (column > 11) column = 11;  // the half width need not divide by six
    bool highRow = m_own == TColour::White ? !upper : upper;
    return highRow ? column + 13 : 12 - column;
}

}  // namespace rules::gammon
