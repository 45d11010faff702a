// TChat's chat lines: colours, the speaker prefix, wrapping and the line
// cells the text list draws.
#include <algorithm>

#include "controls/Bar.h"
#include "controls/Chat.h"
#include "controls/Rollover.h"
#include "graphics/Mybitmap.h"
#include "graphics/Myfont.h"
#include "resources/StrFuncs.h"

namespace {

constexpr char kEscape = '\x01';
constexpr char kFontCode = '\xFC';
constexpr char kMoveCode = '\xFD';
constexpr char kFormatted = '\xFF';
constexpr int kTextColourCode = 255;
constexpr char kLineFeed = '\n';
constexpr char kPrefixEnd[] = ": ";
constexpr char kWhisperMark[] = "~>";
// "font" before the colour number in a font's name.
constexpr size_t kFontWordLength = 4;

std::string ColourCode(int colour) { return {kEscape, kFontCode, char(uint8_t(colour))}; }

std::string FontName(int colour) { return "font" + std::to_string(colour); }

}  // namespace

void TChat::AddText(int roomId, int nameColour, const std::string& message, int textColour) {
    TChatroom* room = RoomOrCurrent(roomId);
    if (!room || message.empty()) return;
    room->StoreRaw(std::to_string(nameColour) + kEscape + std::to_string(textColour) + kEscape +
                   message);
    AddMessage(*room, nameColour, message, textColour, true);
}

void TChat::AddMessage(TChatroom& room, int nameColour, std::string message, int textColour,
                       bool mayBlink) {
    if (!room.Text() || message.empty()) return;
    TMultilist& list = *room.Text();
    const int own = OwnColour(list);
    nameColour = CheckedColour(nameColour, own);
    textColour = CheckedColour(textColour, own);
    const size_t prefix = SpeakerPrefix(message);
    size_t prefixChars = 0;
    if (prefix > 0) {
        const std::string head = ColourCode(nameColour) + message.substr(0, prefix);
        prefixChars = Colourise(head, textColour).size();
        message = head + ColourCode(textColour) + message.substr(prefix);
    }
    for (const std::string& line : Wrap(list, Colourise(message, textColour), prefixChars, prefix > 0))
        AddLine(list, line);
    if (mayBlink && nameColour != own && textColour != own && room.Kind() < kBlinkingKinds)
        Blink(RoomIndex(room.Id()));
    list.RedrawView();
}

// The list font's own number: "font3" is colour 3.
int TChat::OwnColour(const TMultilist& list) const {
    const std::string& name = list.Font() ? list.Font()->Name() : std::string();
    int32_t colour = 1;
    if (name.size() <= kFontWordLength || !ParseInteger(name.substr(kFontWordLength), colour) ||
        colour < 0 || colour > 254)
        return 1;
    return colour;
}

int TChat::CheckedColour(int colour, int ownColour) const {
    if (colour < 0 || colour >= kTextColourCode || !TMybitmap::Exists(FontName(colour)))
        return ownColour;
    return colour;
}

// Returns the prefix's length ("name: "), 0 for none; a leading ": " is
// dropped from the message.
size_t TChat::SpeakerPrefix(std::string& message) {
    const size_t at = message.find(kPrefixEnd);
    if (at == std::string::npos) return 0;
    if (at == 0) {
        message.erase(0, 2);
        return 0;
    }
    const size_t length = at + 2;
    if (length > static_cast<size_t>(kMaxPrefix) &&
        message.substr(0, length).find(kWhisperMark) == std::string::npos)
        return 0;
    return length;
}

// Every character with the colour its codes give; the codes go.
std::vector<TChat::TChar> TChat::Colourise(const std::string& message, int textColour) {
    std::vector<TChar> text;
    int colour = textColour;
    size_t i = 0;
    while (i < message.size()) {
        const char ch = message[i++];
        if (ch != kEscape) {
            text.push_back({ch, colour});
            continue;
        }
        // Any other escape is dropped with the byte after it.
        if (i + 1 < message.size() && message[i] == kFontCode) {
            const int n = uint8_t(message[i + 1]);
            colour = n == kTextColourCode ? textColour : n;
            i += 2;
        } else {
            ++i;
        }
    }
    return text;
}

int TChat::CharWidth(const TMultilist& list, const TChar& c) {
    const std::string name = FontName(c.colour);
    TMyfont* font = TMybitmap::Exists(name) ? TFonts::Instance().GetFont(name) : list.Font();
    return font ? font->TextWidth(std::string(1, c.ch)) : 0;
}

// Where the line from start ends, and where the next one begins: at a line
// feed, before the last blank after the prefix that still fits, or at the
// first character that does not fit (at least one character per line).
size_t TChat::LineEnd(const std::vector<int>& widths, const std::vector<TChar>& text, size_t start,
                      size_t prefixLength, int room, size_t& next) {
    int width = 0;
    size_t lastBreak = std::string::npos;
    for (size_t i = start; i < text.size(); ++i) {
        if (text[i].ch == kLineFeed) {
            next = i + 1;
            return i;
        }
        if (text[i].ch == ' ' && i >= prefixLength) lastBreak = i;
        if (width + widths[i] > room) {
            if (lastBreak != std::string::npos && lastBreak > start) {
                next = lastBreak + 1;  // the blank is skipped
                return lastBreak;
            }
            const size_t end = std::max(i, start + 1);
            next = end < text.size() && text[end].ch == ' ' ? end + 1 : end;
            return end;
        }
        width += widths[i];
    }
    next = text.size();
    return text.size();
}

std::vector<std::string> TChat::Wrap(const TMultilist& list, const std::vector<TChar>& text,
                                     size_t prefixLength, bool indent) const {
    std::vector<int> widths;
    widths.reserve(text.size());
    for (const TChar& c : text) widths.push_back(CharWidth(list, c));
    const int room = list.TotalWidth() - kWrapMargin;
    std::vector<std::string> lines;
    size_t start = 0;
    bool first = true;
    while (start < text.size() || first) {
        const bool indented = indent && !first;
        size_t next = start;
        const size_t end =
            LineEnd(widths, text, start, prefixLength, room - (indented ? kIndent : 0), next);
        lines.push_back(FormatLine(text, start, end, indented));
        start = next;
        first = false;
    }
    return lines;
}

// 1, 255, an optional move of 35 pixels, then the characters with a colour
// code wherever the colour changes.
std::string TChat::FormatLine(const std::vector<TChar>& text, size_t from, size_t to,
                              bool indented) {
    std::string line{kEscape, kFormatted};
    if (indented) line += std::string{kEscape, kMoveCode} + std::to_string(kIndent) + kEscape;
    int colour = 0;
    for (size_t i = from; i < to; ++i) {
        if (text[i].ch == kLineFeed) continue;
        if (text[i].colour != colour) line += ColourCode(text[i].colour);
        colour = text[i].colour;
        line += text[i].ch;
    }
    return line;
}

void TChat::AddLine(TMultilist& list, const std::string& line) {
    if (list.RowCount() >= kMaxLines) list.DeleteRow(0);
    list.AddCell(line);
}

void TChat::Blink(int index) {
    if (!m_tabs || index < 1 || index == m_tabs->Current()) return;
    TRollover* tab = m_tabs->Tab(index);
    if (!tab) return;
    tab->SetAttention(true);
    tab->StartBlink();
    m_tabs->Layout();
}
