#include "controls/Charselect.h"

#include "controls/Keys.h"

#include "controls/Multilist.h"
#include "graphics/Myfont.h"
#include "graphics/Paint.h"
#include "resources/Inifile.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"


TCharselect::TCharselect(const std::string& fontName, const std::string& prefix,
                         TPickEvent onPick, TForm* owner)
    : TForm(Element(prefix, "Symbol"), platform::WindowKind::Popup),
      OnPick(std::move(onPick)),
      m_fontName(fontName),
      m_owner(owner) {
    BuildList(Element(prefix, "List"));
    FillRows();
    m_list->Show();
}

TCharselect::~TCharselect() { m_list.reset(); }

std::string TCharselect::Element(const std::string& prefix, const std::string& name) {
    return prefix.empty() ? name : prefix + "_" + name;
}

// The layout line's fields become a list description: font, x, y, height,
// row height 0 (the font's), highlight colour, no sliding, an "up" bevel,
// and the list key as the scroll bar's element prefix; f3 is the width of
// the one column.
void TCharselect::BuildList(const std::string& listKey) {
    std::string line = SettingsFile().ReadString(kLayoutSection, listKey, "");
    const std::string f1 = CutField(line), f2 = CutField(line), f3 = CutField(line);
    const std::string f4 = CutField(line), f5 = CutField(line);
    const std::string layout = m_fontName + "," + f1 + "," + f2 + "," + f4 + ",0," + f5 +
                               ",false,up,false," + listKey;
    m_list = TMultilist::CreateFrom(
        Paint(), [this](TMultilist*, int button, int y, int, TShiftState) { ListClicked(button, y); },
        this, "", "", f3, layout, 1);
}

void TCharselect::FillRows() {
    TMyfont* font = TFonts::Instance().GetFont(m_fontName);
    for (int code = kFirstCode; code <= 255; ++code) {
        if (font->GlyphWidth(static_cast<uint8_t>(code)) <= 0) continue;
        m_codes.push_back(static_cast<uint8_t>(code));
        m_list->AddCell(std::string(1, static_cast<char>(code)));
    }
}

uint8_t TCharselect::CodeOfRow(int row) const {
    if (row < 0 || row >= RowCount()) return 0;
    return m_codes[static_cast<size_t>(row)];
}

void TCharselect::PopupAt(int x, int y) {
    m_swallowNext = false;
    SetPosition(x, y);
    Show();
    BringToFront();
    Focus();
}

bool TCharselect::FormKeyDown(int key, unsigned) {
    if (!ListKey(key)) return false;
    m_swallowNext = true;
    return true;
}

// True when the key was one of the popup's.
bool TCharselect::ListKey(int key) {
    switch (key) {
    case vk::PageUp: m_list->PageUp(); break;
    case vk::PageDown: m_list->PageDown(); break;
    case vk::Down: m_list->Select(m_list->Selected() + 1); break;
    case vk::Up: m_list->Select(m_list->Selected() - 1); break;
    case vk::Escape: ClosePopup(); break;
    case vk::Enter: Pick(m_list->Selected()); break;
    default: return false;
    }
    return true;
}

bool TCharselect::FormKeyPress(uint8_t& ch) {
    if (m_swallowNext) {
        m_swallowNext = false;
        return true;
    }
    if (ch >= 1 && ch <= RowCount()) {
        Pick(ch - 1);
    } else {
        ClosePopup();
    }
    return true;
}

void TCharselect::FormDeactivate() { Hide(); }

void TCharselect::FormMouseDown(int button, unsigned, int, int) {
    if (button == platform::ButtonRight) ClosePopup();
}

// The list selects the row under a press before it calls here; a press
// below the last row selects nothing and picks nothing.
void TCharselect::ListClicked(int button, int y) {
    if (button != platform::ButtonLeft || m_list->RowHeight() <= 0) return;
    const int offset = y - m_list->RowsTop() + m_list->PixelOffset();
    const int row = offset < 0 ? -1 : offset / m_list->RowHeight();
    if (row < 0 || row >= RowCount() || row != m_list->Selected()) return;
    Pick(row);
}

void TCharselect::ClosePopup() {
    Hide();
    if (m_owner && m_owner->Visible()) m_owner->Focus();
}

// Closes first, so a handler that opens the popup again finds it closed; no
// row (none selected yet) closes without a pick.
void TCharselect::Pick(int row) {
    const uint8_t code = CodeOfRow(row);
    ClosePopup();
    if (code != 0 && OnPick) OnPick(this, code);
}
