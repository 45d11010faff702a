// TText: a label drawn with a bitmap font into a box on a paint surface.
//
// Kinds: 0 one line at the left edge, centred vertically in the box; 1 the
// same, and a text wider than the box scrolls to and fro (a marquee) while
// the pointer is over it; 2 wrapped into lines at blanks and hyphens, with a
// vertical scroll bar of element "List" just right of the box; 3 as 1, and a
// text narrower than the box is centred in it.
//
// The box is (left, top, right, bottom). A right edge of 0 makes the box
// follow the text: right = left + text width, again at every SetText. A
// bottom of 0 means one font height.
//
// The label is a node of its owner's drawn tree: it draws only its text and
// leaves the background to what lies under it, so every change repaints the
// whole stack in its box (from the window's root) and marks only that box.
//
// The marquee listens to the window's pointer moves: entering the box starts
// a 15 ms timer that moves the text by 2 pixels per tick and pauses 10 ticks
// at either end; leaving the box stops it and puts the text back.
//
// Lifetime: the owner frees the label before the window's paint surface; the
// label unsubscribes from it then.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "graphics/Mouse.h"
#include "graphics/Mygfx.h"

class TMyfont;
class TMyTimer;
class TScrollbar;

class TText : public TMygfx {
public:
    enum TKind { kPlain = 0, kMarquee = 1, kWrapped = 2, kCentred = 3 };

    static constexpr int kMarqueeMs = 15;
    static constexpr int kMarqueeStep = 2;
    static constexpr int kMarqueePause = 10;  // ticks at either end
    // The scroll bar of a wrapped label stands this far right of the box.
    static constexpr int kScrollbarGap = 2;

    // A hidden label; an empty font name means "font1", a kind outside 0 ... 3
    // means 0.
    TText(TMygfx* owner, int kind, const std::string& font, const std::string& text, int bottom,
          int right, int top, int left);
    // settings.ini [section] key: left, top, right, bottom (each default 10),
    // kind (default 0), font; the text is the text entry of (section, key).
    // Shown at once.
    static std::unique_ptr<TText> CreateFromLayout(TMygfx* owner, const std::string& key,
                                                   const std::string& section);
    ~TText() override;

    void SetText(const std::string& text);
    const std::string& Text() const { return m_text; }
    // Moves the box, keeping its size.
    void MoveTo(int left, int top);
    // Gives the label a new box (a right edge of 0 follows the text again).
    void SetBox(int left, int top, int right, int bottom);

    void Show() override;
    void Hide() override;
    void Detach() override;
    void Draw(const TRect& rect) override;

    // Kind 2: the n-th wrapped line, counted from 1; empty past the end. The
    // other kinds have their text as line 1.
    std::string Line(int n) const;
    int LineCount() const { return static_cast<int>(m_lines.size()); }
    int VisibleLines() const { return m_visibleLines; }
    // The first line shown (kind 2), from 0, as the scroll bar says.
    int FirstLine() const { return m_firstLine; }

    bool Visible() const { return m_visible; }
    int Kind() const { return m_kind; }
    int Left() const { return m_left; }
    int Top() const { return m_top; }
    int Right() const { return m_right; }
    int Bottom() const { return m_bottom; }
    int BoxWidth() const { return m_right - m_left; }
    int TextWidth() const { return m_textWidth; }
    int FontHeight() const { return m_fontHeight; }
    TMyfont* Font() const { return m_font; }
    int MarqueeOffset() const { return m_offset; }
    bool MarqueeRunning() const;
    TScrollbar* Scrollbar() const { return m_scrollbar.get(); }

private:
    bool Marquee() const { return m_kind == kMarquee || m_kind == kCentred; }
    bool Wrapped() const { return m_kind == kWrapped; }
    void PlaceBox(int left, int top, int right, int bottom);
    void Measure();
    void Wrap();
    int CentringOffset() const;
    void Repaint(const TRect& area);

    void CreateScrollbar();
    void UpdateScrollbar();
    void ScrollbarChanged(int position);

    void PointerMoved(TShiftState shift, int x, int y);
    void StopMarquee();
    void MarqueeTick();

    TMyfont* m_font = nullptr;
    int m_fontHeight = 0;
    int m_kind = kPlain;
    int m_left = 0, m_top = 0, m_right = 0, m_bottom = 0;
    bool m_followText = false;  // the box width was given as 0
    int m_verticalOffset = 0;
    int m_visibleLines = 1;
    std::string m_text;
    int m_textWidth = 0;
    std::vector<std::string> m_lines;
    int m_firstLine = 0;
    std::unique_ptr<TScrollbar> m_scrollbar;
    std::unique_ptr<TMyTimer> m_timer;
    int m_offset = 0;
    int m_pause = 0;
    bool m_forward = true;
    bool m_visible = false;
    bool m_subscribed = false;
};
