// Where things stand on the Backgammon board, as plain arithmetic over the
// layout numbers: point columns, checker stacks, the bars, the tray of
// borne-off checkers, the cube, and which point lies under the pointer.
// The board is drawn from the own player's view: both players see their
// home board at the bottom right. White sees 13..24 left to right along the
// bottom and 12..1 along the top; black sees 13..24 along the top and
// 12..1 along the bottom. Points 1..6 and 19..24 lie in the right half.
#pragma once

#include "rules/gammon/Colour.h"

namespace rules::gammon {

// The numbers of the layout keys "Board", "Takeout" and "Doubledice", and
// the sizes of the pictures they place.
struct TGammonLayout {
    int LeftX = 0, LeftY = 0, RightX = 0, RightY = 0;
    int HalfWidth = 0, HalfHeight = 0, ColumnHeight = 0;
    int TrayX = 0, TrayWidth = 0, TrayMargin = 0;
    int CubeX = 0, CubeY = 0;
    int CheckerWidth = 0, CheckerHeight = 0;  // seen from above
    int SideHeight = 0, SideWidth = 0;        // seen from the side, in the tray
    int CubeWidth = 0, CubeHeight = 0;
};

struct TXY {
    int X = 0, Y = 0;
    friend bool operator==(const TXY&, const TXY&) = default;
};

class TGammonGeometry {
public:
    TGammonGeometry(const TGammonLayout& layout, TColour own) : m_layout(layout), m_own(own) {}

    TColour Own() const { return m_own; }
    int Top() const { return m_layout.LeftY; }
    int Bottom() const { return m_layout.LeftY + m_layout.HalfHeight; }
    int PointWidth() const { return m_layout.HalfWidth / 6; }
    // How many checkers a column holds before they are squeezed.
    int ColumnFits() const;
    // Whether point is drawn in the upper row (from the top edge down).
    bool InUpperRow(int point) const;
    // Left edge of a point's column (points 1..24).
    int ColumnX(int point) const;

    // Top-left corner of the n-th checker (from 0) of a stack of count on
    // point; the bars (0 and 25) included.
    TXY Checker(int point, int n, int count) const;
    // Top-left corner of the n-th borne-off checker of a colour in the tray:
    // own ones from the bottom upwards, the opponent's from the top down.
    TXY Tray(TColour colour, int n) const;
    // Top-left corner of the cube: in the middle while its value is 1,
    // else at its place on the owner's side.
    TXY Cube(int value, bool opponentOwns) const;

    // The point under (x, y): a board point, a bar point while an own
    // checker is on the bar and the pointer is in the gap, or -1.
    int HoverPoint(int x, int y, bool ownCheckerOnBar) const;

private:
    int Spacing(int count) const;
    int BarX() const;

    TGammonLayout m_layout;
    TColour m_own;
};

}  // namespace rules::gammon
