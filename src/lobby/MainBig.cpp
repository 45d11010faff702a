// Big-chat mode: the chat views grow over the central area. The room tabs
// move to "Roomsbig", the input line to "Chateditbig" (the typed text comes
// along), the chat header to its big panel and the painter to "Big"; the
// menu bar and its area are hidden until the mode is left.
#include "controls/Bar.h"
#include "controls/Chat.h"
#include "controls/Check.h"
#include "controls/Myedit.h"
#include "graphics/Paint.h"
#include "lobby/Main.h"

void TChatform::SetBig(bool big) {
    if (big == m_big) return;
    m_big = big;
    if (m_bigToggle->Ticked() != big) {
        m_syncingToggle = true;
        m_bigToggle->SetTicked(big);
        m_syncingToggle = false;
    }
    if (big) {
        LeaveArea(m_menuState);
        m_menuBar->Hide();
    }
    SwapRoomTabs(big);
    SwapInput(big);
    m_chat->SetBig(big);
    if (m_web) m_web->SetBig(big);
    Paint()->ChangeBackground(big ? kBigPainter : kPainter);
    if (!big) {
        m_menuBar->Show();
        EnterArea(m_menuState);
    }
}

// The chat view keeps its tabs: the new bar takes them over, with the
// current tab, and the old bar goes.
void TChatform::SwapRoomTabs(bool big) {
    std::unique_ptr<TBar> bar = MakeRoomTabs(big ? "Roomsbig" : "Rooms");
    bar->TakeOver(std::move(m_roomTabs));
    m_roomTabs = std::move(bar);
    m_chat->SetTabs(m_roomTabs.get());
}

void TChatform::SwapInput(bool big) {
    TMyedit* from = big ? m_edit.get() : m_editBig.get();
    TMyedit* to = big ? m_editBig.get() : m_edit.get();
    to->SetText(from->TextWithCodes());
    from->SetText("");
    from->Hide();
    to->Show();
    to->Focus();
}
