// The lobby's keys and its chat input line: Enter sends, the history walks
// with Up and Down, Page Up and Down scroll the chat, and the Alt keys open
// the symbol picker, switch big-chat mode, rooms and the game window.
#include <algorithm>

#include "controls/Bar.h"
#include "controls/Charselect.h"
#include "controls/Chat.h"
#include "controls/Keys.h"
#include "controls/Myedit.h"
#include "controls/Rollover.h"
#include "lobby/ErrorBox.h"
#include "lobby/Main.h"
#include "lobby/Spam.h"
#include "net/Session.h"
#include "protocol/ClientMessages.h"
#include "resources/StrFuncs.h"

namespace {

// The key left of "1" on the keyboards the lobby was made for: focuses the
// game window like Alt+0.
constexpr int kKeyGameWindow = vk::Oem5;
constexpr uint8_t kLowestSymbol = 33;

bool StartsWithNoCase(const std::string& text, const std::string& start) {
    return text.size() >= start.size() && SameTextAscii(text.substr(0, start.size()), start);
}

}  // namespace

bool TChatform::FormKeyDown(int key, unsigned shift) {
    bool handled = false;
    Guarded([&] { handled = HandleKey(key, shift); });
    return handled;
}

void TChatform::FormMouseDown(int, unsigned, int x, int y) {
    m_pressX = x;
    m_pressY = y;
    Guarded([&] {
        if (!m_picker->IsOpen()) Input()->Focus();
    });
}

bool TChatform::HandleKey(int key, unsigned shift) {
    const bool alt = (shift & platform::AltKey) != 0;
    const bool ctrl = (shift & platform::CtrlKey) != 0;
    if (!ctrl && (key == kKeyGameWindow || (alt && key == '0'))) {
        FocusGameWindow();
        return true;
    }
    if (alt && !ctrl) {
        if (key == 'S') OpenPicker();
        if (key == 'W') SetBig(!m_big);
        if (key >= '1' && key <= '9') m_roomTabs->Select(key - '0');
        return key == 'S' || key == 'W' || (key >= '1' && key <= '9');
    }
    switch (key) {
        case vk::Enter: SubmitLine(); return true;
        case vk::Up: HistoryBack(); return true;
        case vk::Down: HistoryForward(); return true;
        case vk::PageUp: ScrollChat(true); return true;
        case vk::PageDown: ScrollChat(false); return true;
        default: return false;
    }
}

// Enter ----------------------------------------------------------------------

void TChatform::SubmitLine() {
    TMyedit* edit = Input();
    if (edit->Text().empty()) return;
    const std::string plain = edit->Text();
    const std::string line = edit->TextWithCodes();
    if (!OnChatCommand || !OnChatCommand(this, line)) SendChatLine(plain, line);
    m_history.Addline(line);
    edit->SetText("");
}

// A whispered line ("/tell") is not judged as spam; one saying the user is
// away also puts the user to sleep.
void TChatform::SendChatLine(const std::string& plain, const std::string& line) {
    TChatroom* room = CurrentChatroom();
    if (!room || room->UsersFrozen()) return;
    if (!StartsWithNoCase(plain, "/tell") && !okay(line)) return;
    SendChat(room->Id(), line);
    if (StartsWithNoCase(plain, ":afk") || StartsWithNoCase(plain, ":brb")) SendChat(room->Id(), "/sleep");
}

void TChatform::SendChat(int roomId, const std::string& text) {
    Send(protocol::Build(protocol::TSay{roomId, text}));
}

// History and scrolling ----------------------------------------------------------

void TChatform::HistoryBack() {
    std::string line;
    if (m_history.Previous(line)) Input()->SetText(line);
}

void TChatform::HistoryForward() {
    std::string line;
    if (m_history.Next(line)) Input()->SetText(line);
}

void TChatform::ScrollChat(bool up) {
    TChatroom* room = CurrentChatroom();
    if (!room || !room->Text()) return;
    if (up)
        room->Text()->PageUp();
    else
        room->Text()->PageDown();
}

// The symbol picker ---------------------------------------------------------------

// Opens above the "Symbol" button.
void TChatform::OpenPicker() {
    const int x = Left() + m_symbol->X();
    const int y = std::max(0, Top() + m_symbol->Y() - m_picker->Height());
    m_picker->PopupAt(x, y);
}

void TChatform::Picked(uint8_t code) {
    if (code >= kLowestSymbol) Input()->InsertChar(kSymbolColour, code);
    Input()->Focus();
}

// The game window ------------------------------------------------------------------

void TChatform::FocusGameWindow() {
    for (int kind = 1; kind <= kGameKinds; ++kind) {
        IGameWindow* game = SessionWindows().Games[static_cast<size_t>(kind)];
        if (!game || !game->Visible()) continue;
        auto* form = dynamic_cast<TForm*>(game);
        if (!form || !form->Enabled()) continue;
        form->Focus();
        return;
    }
}
