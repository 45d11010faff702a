#include "controls/Text.h"

#include <algorithm>

#include "graphics/Myfont.h"
#include "graphics/Paint.h"
#include "resources/Inifile.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"
#include "shell/MyTimer.h"

#include "controls/Scrollbar.h"

namespace {

constexpr char kDefaultFont[] = "font1";
constexpr int kLayoutDefault = 10;
// The scroll bar of a wrapped label uses the list's scroll elements.
constexpr char kScrollElement[] = "List";

int LayoutNumber(std::string& line, int defaultValue) {
    int32_t value = defaultValue;
    if (!ParseInteger(CutField(line), value)) value = defaultValue;
    return value;
}

std::string TrimRightBlanks(std::string text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

// The text up to and including the first blank or hyphen, or all of it.
std::string CutWord(std::string& rest) {
    size_t end = rest.find_first_of(" -");
    size_t length = end == std::string::npos ? rest.size() : end + 1;
    std::string word = rest.substr(0, length);
    rest.erase(0, length);
    return word;
}

}  // namespace

TText::TText(TMygfx* owner, int kind, const std::string& font, const std::string& text,
             int bottom, int right, int top, int left)
    : TMygfx(owner) {
    m_kind = (kind >= kPlain && kind <= kCentred) ? kind : kPlain;
    m_font = TFonts::Instance().GetFont(font.empty() ? kDefaultFont : font);
    m_fontHeight = m_font ? m_font->Height() : 0;
    m_followText = right == 0;
    if (bottom == 0) bottom = top + m_fontHeight;
    m_text = text;
    Measure();
    PlaceBox(left, top, m_followText ? left + m_textWidth : right, bottom);
    if (Wrapped()) {
        CreateScrollbar();
        Wrap();
        UpdateScrollbar();
    }
    if (Marquee() && Paint()) {
        Paint()->MoveSubscribers().Subscribe(
            this, [this](TPaint*, TShiftState shift, int x, int y) { PointerMoved(shift, x, y); });
        m_subscribed = true;
    }
}

std::unique_ptr<TText> TText::CreateFromLayout(TMygfx* owner, const std::string& key,
                                               const std::string& section) {
    std::string line = SettingsFile().ReadString(section, key, "");
    const int left = LayoutNumber(line, kLayoutDefault);
    const int top = LayoutNumber(line, kLayoutDefault);
    const int right = LayoutNumber(line, kLayoutDefault);
    const int bottom = LayoutNumber(line, kLayoutDefault);
    const int kind = LayoutNumber(line, kPlain);
    const std::string font = line;  // the rest of the line
    auto label = std::make_unique<TText>(owner, kind, font, GetText(section, key), bottom, right,
                                         top, left);
    label->Show();
    return label;
}

TText::~TText() {
    if (m_subscribed && Paint()) Paint()->MoveSubscribers().Unsubscribe(this);
}

void TText::PlaceBox(int left, int top, int right, int bottom) {
    m_left = left;
    m_top = top;
    m_right = right;
    m_bottom = bottom;
    m_verticalOffset = Wrapped() ? 0 : (bottom - top - m_fontHeight) / 2;
    m_visibleLines = 1;
    if (Wrapped() && m_fontHeight > 0) m_visibleLines = std::max(1, (bottom - top) / m_fontHeight);
    SetBounds(TRect{left, top, right, bottom});
}

void TText::Measure() { m_textWidth = m_font ? m_font->TextWidth(m_text) : 0; }

void TText::SetText(const std::string& text) {
    if (text == m_text) return;
    const TRect old = Bounds();
    m_text = text;
    Measure();
    StopMarquee();
    if (m_followText) PlaceBox(m_left, m_top, m_left + m_textWidth, m_bottom);
    if (Wrapped()) {
        Wrap();
        UpdateScrollbar();
    }
    Repaint(Union(old, Bounds()));
}

void TText::MoveTo(int left, int top) {
    if (left == m_left && top == m_top) return;
    SetBox(left, top, m_right + left - m_left, m_bottom + top - m_top);
}

void TText::SetBox(int left, int top, int right, int bottom) {
    const TRect old = Bounds();
    StopMarquee();
    m_followText = right == 0;
    if (bottom == 0) bottom = top + m_fontHeight;
    PlaceBox(left, top, m_followText ? left + m_textWidth : right, bottom);
    if (Wrapped()) {
        CreateScrollbar();
        Wrap();
        UpdateScrollbar();
    }
    Repaint(old);
    Repaint(Bounds());
}

// Lines are built word by word; a word that would make its line wider than
// the box starts the next one (a single word wider than the box stands
// alone, clipped). A blank at the start of a line is dropped.
void TText::Wrap() {
    m_lines.clear();
    const int box = BoxWidth();
    std::string rest = m_text;
    std::string line;
    while (!rest.empty()) {
        std::string word = CutWord(rest);
        if (line.empty() && word == " ") continue;
        std::string candidate = line + word;
        if (!line.empty() && m_font->TextWidth(TrimRightBlanks(candidate)) > box) {
            m_lines.push_back(TrimRightBlanks(line));
            line = word == " " ? "" : word;
        } else {
            line = candidate;
        }
    }
    if (!line.empty()) m_lines.push_back(TrimRightBlanks(line));
}

std::string TText::Line(int n) const {
    if (!Wrapped()) return n == 1 ? m_text : std::string();
    if (n < 1 || n > LineCount()) return std::string();
    return m_lines[static_cast<size_t>(n - 1)];
}

int TText::CentringOffset() const {
    if (m_kind != kCentred || m_textWidth >= BoxWidth()) return 0;
    return (BoxWidth() - m_textWidth) / 2;
}

void TText::Show() {
    if (m_visible) return;
    m_visible = true;
    TMygfx::Show();
    Repaint(Bounds());
    if (m_scrollbar) m_scrollbar->Show();
}

void TText::Hide() {
    if (!m_visible) return;
    m_visible = false;
    StopMarquee();
    TMygfx::Hide();
    if (m_scrollbar) m_scrollbar->Hide();
}

void TText::Detach() {
    if (!m_visible) return;
    m_visible = false;
    StopMarquee();
    TMygfx::Detach();
    if (m_scrollbar) m_scrollbar->Hide();
}

void TText::Draw(const TRect& rect) {
    TPaint* paint = Paint();
    if (!paint || !m_font) return;
    TRect area = Intersect(rect, Bounds());
    if (Parent()) area = Intersect(area, Parent()->Bounds());
    if (area.Empty()) return;
    paint->Invalidate(area);
    if (paint->Suspended()) return;
    const platform::Surface& back = paint->BackBuffer();
    if (!Wrapped()) {
        m_font->DrawText(back, area, m_text, m_left + CentringOffset() - m_offset,
                         m_top + m_verticalOffset);
        return;
    }
    for (int i = 0; i < m_visibleLines; ++i) {
        const int line = m_firstLine + i;
        if (line >= LineCount()) break;
        m_font->DrawText(back, area, m_lines[static_cast<size_t>(line)], m_left,
                         m_top + i * m_fontHeight);
    }
}

// The label has no background of its own: the whole stack in the area is
// drawn again, from the window's root, so what lies under the text shows.
void TText::Repaint(const TRect& area) {
    if (!Shown() || !Paint() || area.Empty()) return;
    Paint()->Redraw(Paint(), area);
}

// The scroll bar --------------------------------------------------------

void TText::CreateScrollbar() {
    const bool wasVisible = m_scrollbar && m_visible;
    m_scrollbar.reset();
    m_scrollbar = std::make_unique<TScrollbar>(
        Parent(), kScrollElement, [this](TScrollbar* bar) { ScrollbarChanged(bar->Position()); },
        this, m_bottom - m_top, m_top, m_right + kScrollbarGap);
    if (wasVisible) m_scrollbar->Show();
}

// Back to the first line; the range covers every first line that still
// fills the box.
void TText::UpdateScrollbar() {
    m_firstLine = 0;
    if (!m_scrollbar) return;
    const int lines = LineCount();
    m_scrollbar->SetRange(lines > m_visibleLines ? lines - m_visibleLines + 1 : 0);
    m_scrollbar->SetPosition(0);
}

void TText::ScrollbarChanged(int position) {
    const int last = std::max(0, LineCount() - m_visibleLines);
    position = std::clamp(position, 0, last);
    if (position == m_firstLine) return;
    m_firstLine = position;
    Repaint(Bounds());
}

// The marquee ------------------------------------------------------------

bool TText::MarqueeRunning() const { return m_timer && m_timer->Enabled(); }

void TText::PointerMoved(TShiftState, int x, int y) {
    const bool inside = m_left <= x && x < m_right && m_top < y && y < m_bottom;
    if (inside) {
        if (!m_visible || MarqueeRunning() || m_textWidth <= BoxWidth()) return;
        m_offset = 0;
        m_forward = true;
        m_pause = 0;
        if (!m_timer) {
            m_timer = std::make_unique<TMyTimer>();
            m_timer->SetInterval(kMarqueeMs);
            m_timer->OnTimer = [this](TMyTimer*) { MarqueeTick(); };
        }
        m_timer->SetEnabled(true);
        MarqueeTick();
    } else if (MarqueeRunning()) {
        StopMarquee();
        Repaint(Bounds());
    }
}

void TText::StopMarquee() {
    if (m_timer) m_timer->SetEnabled(false);
    m_offset = 0;
    m_pause = 0;
    m_forward = true;
}

void TText::MarqueeTick() {
    if (m_pause > 0) {
        --m_pause;
        return;
    }
    const int box = BoxWidth();
    if (m_forward) {
        const int old = m_offset;
        m_offset += kMarqueeStep;
        if (old + box + kMarqueeStep >= m_textWidth) {
            m_forward = false;
            m_pause = kMarqueePause;
            m_offset = m_textWidth - box;
        }
    } else {
        m_offset -= kMarqueeStep;
        if (m_offset <= 0) {
            m_forward = true;
            m_pause = kMarqueePause;
            m_offset = 0;
        }
    }
    Repaint(Bounds());
}
