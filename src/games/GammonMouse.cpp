// TGammonform: the mouse on the board: picking up and dragging own
// checkers (the pointer kept on the board, and on the tray for a checker
// that can bear off), jumping the gap between the halves, dropping, the
// right-button quick move and the hint dice of the point under the mouse.
#include "controls/Form.h"
#include "games/Gammon.h"
#include "games/GammonDialog.h"
#include "games/GammonPieces.h"
#include "graphics/Myimage.h"
#include "graphics/Paint.h"
#include "platform/Platform.h"

using TSide = rules::gammon::TColour;

bool TGammonform::CanMoveNow() const {
    return m_ownTurn && !m_matchOver && !m_dialog->Open() && m_dragged < 0 && Enabled();
}

void TGammonform::FormMouseDown(int button, unsigned, int x, int y) {
    if (!CanMoveNow() || (button != platform::ButtonLeft && button != platform::ButtonRight)) return;
    m_pieces->FinishFlights();
    int checker = m_board.PickUp(m_pieces->CheckerAt(x, y, Own()));
    if (checker < 0) return;
    if (button == platform::ButtonLeft)
        StartDrag(checker, x, y);
    else
        QuickMove(checker);
}

void TGammonform::FormMouseUp(int button, unsigned, int, int) {
    if (button == platform::ButtonLeft && m_dragged >= 0) Drop();
}

void TGammonform::FormMouseMove(unsigned, int x, int y) {
    if (m_dragged >= 0)
        DragMove(x, y);
    else
        UpdateHover(x, y);
}

void TGammonform::StartDrag(int checker, int x, int y) {
    TMyimage* picture = m_pieces->Top(checker);
    m_dragged = checker;
    m_grabX = x - picture->X();
    m_grabY = y - picture->Y();
    m_lastX = x;
    m_hoverPoint = -1;
    m_pieces->HideHints();
    m_pieces->Lift(checker);
    ConfineToBoard(m_board.Brick(checker).Options().BearOff);
}

// A checker does not stop in the gap between the halves: the pointer is
// moved across it (unless an own checker waits on the bar, whose points
// lie in the gap).
void TGammonform::DragMove(int x, int y) {
    const auto& layout = m_pieces->Layout();
    int gapLeft = layout.LeftX + layout.HalfWidth, gapRight = layout.RightX;
    bool ownOnBar = m_board.Position().OnBar(Own()) > 0;
    if (!ownOnBar && x >= gapLeft && x < gapRight) {
        int across = m_lastX < gapLeft ? gapRight + (x - gapLeft) : gapLeft - 1 - (gapRight - 1 - x);
        if (platform::Installed()) platform::Video().SetPointerPosition(Left() + across, Top() + y);
        x = across;
    }
    m_lastX = x;
    m_hoverPoint = m_pieces->Geometry().HoverPoint(x, y, ownOnBar);
    m_pieces->DragTo(m_dragged, x - m_grabX, y - m_grabY);
}

// A drop that no option allows puts the checker back where it was.
void TGammonform::Drop() {
    int checker = m_dragged;
    m_dragged = -1;
    ReleasePointer();
    std::vector<rules::gammon::TMoveRecord> records = m_board.Drop(checker, m_hoverPoint);
    m_hoverPoint = -1;
    if (records.empty()) {
        m_pieces->Place(m_board);
        return;
    }
    AfterOwnMove(records);
}

void TGammonform::QuickMove(int checker) {
    std::vector<rules::gammon::TMoveRecord> records = m_board.QuickMove(checker);
    if (!records.empty()) AfterOwnMove(records);
}

void TGammonform::UpdateHover(int x, int y) {
    int point = -1;
    if (m_ownTurn && !m_dialog->Open())
        point = m_pieces->Geometry().HoverPoint(x, y, m_board.Position().OnBar(Own()) > 0);
    if (point == m_hoverPoint) return;
    m_hoverPoint = point;
    if (point < 0) {
        m_pieces->HideHints();
        return;
    }
    m_pieces->ShowHints(m_board.HintDice(point), Own(), m_board.Position().Off(Own()));
}

void TGammonform::ConfineToBoard(bool withTray) {
    if (!platform::Installed()) return;
    const auto& layout = m_pieces->Layout();
    const auto& geometry = m_pieces->Geometry();
    int right = withTray ? layout.TrayX + layout.TrayWidth : layout.RightX + layout.HalfWidth;
    platform::Rect area{Left() + layout.LeftX, Top() + geometry.Top(), Left() + right, Top() + geometry.Bottom()};
    platform::Video().ConfinePointer(&area);
    m_confined = true;
}

void TGammonform::ReleasePointer() {
    if (!m_confined) return;
    m_confined = false;
    if (platform::Installed()) platform::Video().ConfinePointer(nullptr);
}
