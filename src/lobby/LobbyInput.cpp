// The lobby's chat input line: Enter, the history, the symbol picker and
// the big-chat line.
#include "lobby/LobbyInput.h"

#include <algorithm>

#include "controls/Charselect.h"
#include "controls/Form.h"
#include "controls/Myedit.h"
#include "controls/Rollover.h"
#include "graphics/Paint.h"
#include "lobby/ErrorBox.h"

namespace {

constexpr uint8_t kLowestSymbol = 33;

}  // namespace

TLobbyInput::TLobbyInput(TForm& window, const std::string& section) : m_window(window) {
    m_symbol = std::make_unique<TRollover>(window.Paint(), section, "Symbol",
                                           [this](TRollover*) { Guarded([&] { OpenPicker(); }); });
    m_symbol->Show();
    m_edit = std::make_unique<TMyedit>(window.Paint(), 0, "Chatedit", section);
    m_editBig = std::make_unique<TMyedit>(window.Paint(), 0, "Chateditbig", section);
    for (TMyedit* edit : {m_edit.get(), m_editBig.get()}) edit->SetColoursAllowed(true);
    m_edit->Show();
    m_edit->Focus();
    m_picker = std::make_unique<TCharselect>(
        "font" + std::to_string(kSymbolColour), "",
        [this](TCharselect*, uint8_t code) { Guarded([&] { Picked(code); }); }, &window);
}

TLobbyInput::~TLobbyInput() = default;

TMyedit* TLobbyInput::Edit() const { return m_big ? m_editBig.get() : m_edit.get(); }

void TLobbyInput::Submit() {
    TMyedit* edit = Edit();
    if (edit->Text().empty()) return;
    const std::string plain = edit->Text();
    const std::string line = edit->TextWithCodes();
    if (OnSubmit) OnSubmit(plain, line);
    m_history.Addline(line);
    edit->SetText("");
}

void TLobbyInput::HistoryBack() {
    std::string line;
    if (m_history.Previous(line)) Edit()->SetText(line);
}

void TLobbyInput::HistoryForward() {
    std::string line;
    if (m_history.Next(line)) Edit()->SetText(line);
}

// Opens above the "Symbol" button.
void TLobbyInput::OpenPicker() {
    const int x = m_window.Left() + m_symbol->X();
    const int y = std::max(0, m_window.Top() + m_symbol->Y() - m_picker->Height());
    m_picker->PopupAt(x, y);
}

void TLobbyInput::Picked(uint8_t code) {
    if (code >= kLowestSymbol) Edit()->InsertChar(kSymbolColour, code);
    Edit()->Focus();
}

void TLobbyInput::SetBig(bool big) {
    if (big == m_big) return;
    m_big = big;
    TMyedit* from = big ? m_edit.get() : m_editBig.get();
    TMyedit* to = big ? m_editBig.get() : m_edit.get();
    to->SetText(from->TextWithCodes());
    from->SetText("");
    from->Hide();
    to->Show();
    to->Focus();
}

void TLobbyInput::WindowPressed() {
    if (!m_picker->IsOpen()) Edit()->Focus();
}
