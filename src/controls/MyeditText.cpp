// The text model of TMyedit: the colour codes in and out, inserting,
// deleting and the clipboard.
#include <algorithm>

#include "controls/Myedit.h"
#include "platform/Platform.h"

void TMyedit::SetText(const std::string& textWithCodes) {
    m_text.clear();
    m_colours.clear();
    ReadCodes(textWithCodes, [this](int colour, uint8_t ch) {
        m_text += static_cast<char>(ch);
        m_colours += static_cast<char>(colour);
    });
    ClearSelection();
    m_caret = Length() + 1;
    m_firstShown = 1;
    Changed();
}

// Calls take(colour, character) for every character of a text with colour
// codes. A byte 1 not followed by 252 drops itself; so does a code cut off
// at the end of the text.
void TMyedit::ReadCodes(const std::string& text,
                        const std::function<void(int colour, uint8_t ch)>& take) const {
    int colour = m_defaultColour;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<uint8_t>(text[i]);
        if (byte != kCodeStart) {
            take(colour, byte);
            continue;
        }
        if (i + 1 >= text.size() || static_cast<uint8_t>(text[i + 1]) != kCodeColour) continue;
        if (i + 2 >= text.size()) break;
        const auto code = static_cast<uint8_t>(text[i + 2]);
        colour = code == kCodeDefault ? m_defaultColour : code;
        i += 2;
    }
}

std::string TMyedit::TextWithCodes() const { return WithCodes(1, Length() + 1); }

std::string TMyedit::SelectionWithCodes() const {
    if (!HasSelection()) return std::string();
    return WithCodes(m_selStart, m_selEnd);
}

// The characters from .. to - 1, with a code before each one whose colour
// differs from the one before it (the first compared with the default).
std::string TMyedit::WithCodes(int from, int to) const {
    std::string out;
    int previous = m_defaultColour;
    for (int i = std::max(from, 1); i < to && i <= Length(); ++i) {
        const int colour = ColourAt(i);
        if (colour != previous) {
            out += static_cast<char>(kCodeStart);
            out += static_cast<char>(kCodeColour);
            out += static_cast<char>(colour == m_defaultColour ? kCodeDefault : colour);
            previous = colour;
        }
        out += m_text[static_cast<size_t>(i - 1)];
    }
    return out;
}

void TMyedit::InsertChar(int colour, uint8_t ch) {
    if (ch < 32 || colour < 0 || colour > kMaxColour) return;
    if (!m_coloursAllowed && colour != m_defaultColour) return;
    DeleteSelection();
    if (Full()) return;
    Insert(colour, ch);
}

void TMyedit::Insert(int colour, uint8_t ch) {
    const auto at = static_cast<size_t>(m_caret - 1);
    m_text.insert(at, 1, static_cast<char>(ch));
    m_colours.insert(at, 1, static_cast<char>(colour));
    ++m_caret;
    Changed();
}

// An empty selection (its anchor only) goes too.
void TMyedit::DeleteSelection() {
    if (!HasSelection()) {
        ClearSelection();
        return;
    }
    const int start = m_selStart, end = m_selEnd;
    ClearSelection();
    DeleteRange(start, end);
    m_caret = start;
    Changed();
}

// Removes the characters from .. to - 1 (the caret is the caller's).
void TMyedit::DeleteRange(int from, int to) {
    from = std::clamp(from, 1, Length() + 1);
    to = std::clamp(to, from, Length() + 1);
    const auto at = static_cast<size_t>(from - 1), count = static_cast<size_t>(to - from);
    m_text.erase(at, count);
    m_colours.erase(at, count);
}

void TMyedit::Backspace() {
    if (HasSelection()) {
        DeleteSelection();
        return;
    }
    ClearSelection();
    if (m_caret <= 1) return;
    DeleteRange(m_caret - 1, m_caret);
    --m_caret;
    Changed();
}

void TMyedit::DeleteForward() {
    if (HasSelection()) {
        DeleteSelection();
        return;
    }
    ClearSelection();
    if (m_caret > Length()) return;
    DeleteRange(m_caret, m_caret + 1);
    Changed();
}

// The clipboard holds the real text, colour codes included, also for a
// password entry.
void TMyedit::CopySelection() const {
    if (!HasSelection() || !platform::Installed()) return;
    platform::Video().SetClipboardText(SelectionWithCodes());
}

void TMyedit::CutSelection() {
    if (!HasSelection()) return;
    CopySelection();
    DeleteSelection();
}

void TMyedit::Paste() {
    DeleteSelection();
    if (!platform::Installed()) return;
    const std::string text = platform::Video().ClipboardText();
    ReadCodes(text, [this](int colour, uint8_t ch) { InsertChar(colour, ch); });
}
