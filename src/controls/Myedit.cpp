#include "controls/Myedit.h"

#include <algorithm>

#include "graphics/Mybitmap.h"
#include "graphics/Myfont.h"
#include "graphics/Myimagelist.h"
#include "graphics/Paint.h"
#include "resources/Inifile.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"

namespace {

constexpr char kDefaultFont[] = "font1";
constexpr char kColourFontPrefix[] = "font";

int LayoutNumber(std::string& line, int defaultValue) {
    int32_t value = defaultValue;
    if (!ParseInteger(CutField(line), value)) value = defaultValue;
    return value;
}

// The number the longest run of trailing digits spells; 0 without digits
// and for a number no colour byte can hold.
int TrailingNumber(const std::string& name) {
    size_t start = name.size();
    while (start > 0 && name[start - 1] >= '0' && name[start - 1] <= '9') --start;
    int value = 0;
    for (size_t i = start; i < name.size(); ++i) {
        value = value * 10 + (name[i] - '0');
        if (value > TMyedit::kMaxColour) return 0;
    }
    return value;
}

// The form whose window the surface is.
TForm* FormOf(TPaint* paint) {
    if (!paint) return nullptr;
    for (TForm* form : TForm::All())
        if (form->Paint() == paint) return form;
    return nullptr;
}

}  // namespace

TMyedit::TMyedit(TMygfx* owner, int maxLength, const std::string& key, const std::string& section)
    : TMygfx(owner), m_comp(std::make_unique<TMyeditComp>(*this)) {
    SetMaxLength(maxLength);
    ReadLayout(key, section);
    CreateCaret();
    PlaceBounds();
    m_comp->SetForm(FormOf(Paint()));
    if (Paint()) {
        Paint()->DownSubscribers().Subscribe(
            this, [this](TPaint*, int button, TShiftState shift, int x, int y) {
                MouseDown(button, shift, x, y);
            });
    }
}

TMyedit::~TMyedit() {
    if (Paint()) Paint()->DownSubscribers().Unsubscribe(this);
    m_caretSprite.reset();
    m_comp.reset();
}

void TMyedit::ReadLayout(const std::string& key, const std::string& section) {
    std::string line = SettingsFile().ReadString(section, key, "");
    std::string font = CutField(line);
    m_x = LayoutNumber(line, 0);
    m_y = LayoutNumber(line, 0);
    m_width = std::max(0, LayoutNumber(line, kDefaultWidth));
    m_selectionMark = LayoutNumber(line, 0);
    m_font = TFonts::Instance().GetFont(font.empty() ? kDefaultFont : font);
    m_height = m_font ? m_font->Height() : 0;
    m_defaultColour = m_font ? TrailingNumber(m_font->Name()) : 0;
}

void TMyedit::CreateCaret() {
    m_caretSprite = std::make_unique<TMyimagelist>(Parent(), m_x, m_y);
    m_caretSprite->AddFrames(kCaretElement);
    m_caretSprite->SetFrameInterval(kCaretFrameMs);
    m_caretSprite->SetTransparent(true);
}

// The bounds cover the caret sprite too, which may be taller than the font.
void TMyedit::PlaceBounds() {
    const int caretHeight = m_caretSprite ? m_caretSprite->Height() : 0;
    SetBounds(TRect{m_x, m_y, m_x + m_width, m_y + std::max(m_height, caretHeight)});
}

void TMyedit::SetForm(TForm* form) { m_comp->SetForm(form); }

TForm* TMyedit::Form() const { return m_comp->Form(); }

void TMyedit::MoveTo(int x, int y) {
    if (x == m_x && y == m_y) return;
    const TRect old = Bounds();
    m_x = x;
    m_y = y;
    PlaceBounds();
    if (Shown() && Paint()) Paint()->Redraw(Paint(), old);
    Changed();
}

void TMyedit::SetWidth(int width) {
    width = std::max(0, width);
    if (width == m_width) return;
    const TRect old = Bounds();
    m_width = width;
    PlaceBounds();
    if (Shown() && Paint()) Paint()->Redraw(Paint(), old);
    Changed();
}

void TMyedit::SetPasswordChar(uint8_t ch) {
    if (ch == m_passwordChar) return;
    m_passwordChar = ch;
    Changed();
}

// Fonts and measuring --------------------------------------------------------

// Colour n draws with "font" + n where the skin has it; the default colour
// and colours without a font of their own use the entry's font.
TMyfont* TMyedit::ColourFont(int colour) const {
    if (colour == m_defaultColour || colour < 0 || colour > kMaxColour) return m_font;
    TMyfont*& font = m_colourFonts[static_cast<size_t>(colour)];
    if (!font) {
        const std::string name = kColourFontPrefix + std::to_string(colour);
        font = TMybitmap::Exists(name) ? TFonts::Instance().GetFont(name) : m_font;
    }
    return font;
}

int TMyedit::ColourAt(int index) const {
    return static_cast<uint8_t>(m_colours[static_cast<size_t>(index - 1)]);
}

// The byte drawn and measured for the character at the 1-based index.
uint8_t TMyedit::ShownChar(int index) const {
    if (m_passwordChar != 0) return m_passwordChar;
    return static_cast<uint8_t>(m_text[static_cast<size_t>(index - 1)]);
}

int TMyedit::CharWidth(int index) const {
    TMyfont* font = ColourFont(ColourAt(index));
    return font ? font->TextWidth(std::string(1, static_cast<char>(ShownChar(index)))) : 0;
}

// The pixel width of the characters from .. to - 1.
int TMyedit::WidthBetween(int from, int to) const {
    int width = 0;
    for (int i = from; i < to && i <= Length(); ++i) width += CharWidth(i);
    return width;
}

// The caret ---------------------------------------------------------------

// Scrolls so the caret sprite lies inside the entry, and moves it there. A
// caret sprite wider than the entry stops the scrolling at the caret.
void TMyedit::KeepCaretVisible() {
    if (m_caret < m_firstShown) m_firstShown = m_caret;
    const int caretWidth = m_caretSprite->Width();
    int x = m_x + WidthBetween(m_firstShown, m_caret);
    while (x + caretWidth > m_x + m_width && m_firstShown < m_caret) {
        ++m_firstShown;
        x = m_x + WidthBetween(m_firstShown, m_caret);
    }
    m_caretSprite->MoveTo(x, m_y);
}

void TMyedit::SetCaret(int position, bool shift) {
    position = std::clamp(position, 1, Length() + 1);
    const int oldFirst = m_firstShown;
    const int oldStart = m_selStart, oldEnd = m_selEnd;
    if (shift) {
        if (m_selStart == 0) m_anchor = m_selStart = m_selEnd = m_caret;
        m_selStart = std::min(m_anchor, position);
        m_selEnd = std::max(m_anchor, position);
    } else {
        ClearSelection();
    }
    const bool moved = position != m_caret;
    m_caret = position;
    KeepCaretVisible();
    if (moved || oldFirst != m_firstShown || oldStart != m_selStart || oldEnd != m_selEnd) {
        Repaint();
    }
}

void TMyedit::ClearSelection() { m_selStart = m_selEnd = m_anchor = 0; }

void TMyedit::SelectAll() {
    if (m_text.empty()) return;
    m_anchor = m_selStart = 1;
    m_selEnd = Length() + 1;
    m_caret = Length() + 1;
    m_firstShown = 1;
    Changed();
}

// Drawing -----------------------------------------------------------------

void TMyedit::Show() {
    if (m_visible) return;
    m_visible = true;
    m_comp->SetVisible(true);
    TMygfx::Show();
    Repaint();
    if (Focused()) ShowCaret();
}

void TMyedit::Hide() {
    if (!m_visible) return;
    m_visible = false;
    m_comp->SetVisible(false);
    HideCaret();
    TMygfx::Hide();
}

void TMyedit::Detach() {
    if (!m_visible) return;
    m_visible = false;
    m_comp->SetVisible(false);
    HideCaret();
    TMygfx::Detach();
}

// The entry keeps no background of its own: the whole stack under it is
// drawn again from the window's root, which clears the old text.
void TMyedit::Repaint() {
    if (!Shown() || !Paint()) return;
    Paint()->Redraw(Paint(), Bounds());
}

void TMyedit::Changed() {
    KeepCaretVisible();
    Repaint();
}

void TMyedit::Draw(const TRect& rect) {
    TPaint* paint = Paint();
    if (!paint || !m_font) return;
    TRect area = Intersect(rect, Bounds());
    if (Parent()) area = Intersect(area, Parent()->Bounds());
    if (area.Empty()) return;
    paint->Invalidate(area);
    if (paint->Suspended()) return;
    const int right = m_x + m_width;
    int x = m_x;
    for (int i = m_firstShown; i <= Length() && x < right; ++i) DrawChar(area, i, x);
}

// Selected characters draw with the selection mark as their font's tint.
void TMyedit::DrawChar(const TRect& clip, int index, int& x) const {
    TMyfont* font = ColourFont(ColourAt(index));
    if (!font) return;
    const bool selected = m_selStart != 0 && index >= m_selStart && index < m_selEnd;
    if (selected) font->SetTint(static_cast<TColour>(m_selectionMark));
    x += font->DrawText(Paint()->BackBuffer(), clip, std::string(1, static_cast<char>(ShownChar(index))),
                        x, m_y);
    if (selected) font->SetTint(0);
}

// One frame stands still; more loop at the frame interval while focused.
void TMyedit::ShowCaret() {
    if (!m_visible || !m_enabled || m_caretSprite->FrameCount() == 0) return;
    m_caretSprite->Show();
    if (m_caretSprite->FrameCount() > 1) {
        m_caretSprite->Animate(0, 0, 0);
    } else {
        m_caretSprite->SetFrame(1);
    }
}

void TMyedit::HideCaret() {
    m_caretSprite->StopAnimation();
    m_caretSprite->Hide();
}

// Enabling and focus --------------------------------------------------------

void TMyedit::SetEnabled(bool enabled) {
    if (enabled == m_enabled) return;
    m_enabled = enabled;
    m_comp->SetEnabled(enabled);
    if (!enabled) {
        HideCaret();
    } else if (Focused()) {
        ShowCaret();
    }
}

void TMyedit::Focus() { m_comp->TakeFocus(); }

bool TMyedit::Focused() const { return m_comp->Focused(); }

void TMyedit::FocusGained() { ShowCaret(); }

void TMyedit::FocusLost() {
    HideCaret();
    if (OnExit) OnExit(this);
}

void TMyedit::MouseDown(int, TShiftState, int x, int y) {
    if (!m_visible || !m_enabled) return;
    if (x < m_x || x >= m_x + m_width || y < m_y || y >= m_y + m_height) return;
    m_comp->TakeFocus();
}
