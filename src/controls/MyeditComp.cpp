// TMyeditComp, the entry's focus holder, and the entry's keyboard handling.
#include "controls/Myedit.h"

namespace {

constexpr int kKeyC = 'C';
constexpr int kKeyV = 'V';
constexpr int kKeyX = 'X';

}  // namespace

TMyeditComp::TMyeditComp(TMyedit& edit) : m_edit(edit) {}

TMyeditComp::~TMyeditComp() {
    if (m_form) m_form->ForgetControl(this);
}

void TMyeditComp::SetForm(TForm* form) {
    if (form == m_form) return;
    if (m_form) m_form->ForgetControl(this);
    m_focused = false;
    m_form = form;
}

void TMyeditComp::SetEnabled(bool enabled) { m_enabled = enabled; }

void TMyeditComp::TakeFocus() {
    if (m_form) m_form->SetActiveControl(this);
}

void TMyeditComp::FocusKeyDown(int key, unsigned shift) { m_edit.KeyDown(key, shift); }

void TMyeditComp::FocusKeyPress(uint8_t ch) { m_edit.KeyPress(ch); }

void TMyeditComp::FocusGained() {
    m_focused = true;
    m_edit.FocusGained();
}

void TMyeditComp::FocusLost() {
    m_focused = false;
    m_edit.FocusLost();
}

// Keys of the entry ---------------------------------------------------------

void TMyedit::KeyDown(int key, unsigned shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
    if (key == 0) return;
    if (ClipboardKey(key, shift)) return;
    switch (key) {
    case kKeyBackspace: Backspace(); break;
    case kKeyDelete: DeleteForward(); break;
    default: CaretKey(key, shift); break;
    }
}

// True when the key was one of the clipboard keys.
bool TMyedit::ClipboardKey(int key, unsigned shift) {
    const bool ctrl = (shift & platform::CtrlKey) != 0;
    const bool shifted = (shift & platform::ShiftKey) != 0;
    if ((ctrl && key == kKeyC) || (ctrl && key == kKeyInsert)) {
        CopySelection();
    } else if ((ctrl && key == kKeyX) || (shifted && key == kKeyDelete)) {
        CutSelection();
    } else if ((ctrl && key == kKeyV) || (shifted && key == kKeyInsert)) {
        Paste();
    } else {
        return false;
    }
    return true;
}

void TMyedit::CaretKey(int key, unsigned shift) {
    const bool ctrl = (shift & platform::CtrlKey) != 0;
    const bool shifted = (shift & platform::ShiftKey) != 0;
    switch (key) {
    case kKeyLeft: SetCaret(ctrl ? WordLeft() : m_caret - 1, shifted); break;
    case kKeyRight: SetCaret(ctrl ? WordRight() : m_caret + 1, shifted); break;
    case kKeyHome: SetCaret(1, shifted); break;
    case kKeyEnd: SetCaret(Length() + 1, shifted); break;
    default: break;
    }
}

// The start of the word before the caret: scanning left from the second
// character before the caret, just after the first blank, or 1. Starting
// one further back steps over the blank that ends the previous word.
int TMyedit::WordLeft() const {
    for (int i = m_caret - 2; i >= 1; --i)
        if (m_text[static_cast<size_t>(i - 1)] == ' ') return i + 1;
    return 1;
}

// The end of the word after the caret: scanning right from the second
// character after the caret, the caret goes before the first blank, or to
// the end.
int TMyedit::WordRight() const {
    for (int i = m_caret + 1; i <= Length(); ++i)
        if (m_text[static_cast<size_t>(i - 1)] == ' ') return i;
    return Length() + 1;
}

void TMyedit::KeyPress(uint8_t ch) {
    if (OnKeyPress) OnKeyPress(this, ch);
    if (ch < 32) return;
    DeleteSelection();
    if (Full()) return;
    Insert(m_defaultColour, ch);
}
