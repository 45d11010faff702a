#include "graphics/Myimage.h"

#include <algorithm>

#include "graphics/GreatBitmap.h"
#include "graphics/Paint.h"
#include "resources/StrFuncs.h"

namespace {

// Weight of an image sprite created by name in the start-up progress.
constexpr int kProgressWeight = 1;

TRect Offset(const TRect& r, int dx, int dy) {
    return TRect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

}  // namespace

void DrawSpritePart(const TMybitmap& bitmap, const platform::Surface& target, const TRect& area,
                    int originX, int originY, bool transparent, int translucency) {
    TRect source = Offset(area, -originX, -originY);
    if (translucency > 0 && translucency < 32) {
        bitmap.DrawTranslucent(source, target, area.left, area.top, translucency);
    } else if (transparent) {
        bitmap.DrawTransparent(source, target, area.left, area.top);
    } else {
        bitmap.DrawOpaque(source, target, area.left, area.top);
    }
}

TMyimage::TMyimage(TMygfx* parent, const std::string& name)
    : TMygfx(parent), m_name(LowerCaseAscii(name)) {
    Adopt(TMybitmap::Acquire(m_name));
    TGreatBitmap::Instance().ReportProgress(this, kProgressWeight);
}

TMyimage::TMyimage(TMygfx* parent, TRenderCallback render, void* argument, int width, int height)
    : TMygfx(parent) {
    Adopt(TMybitmap::CreateBlank(width, height, std::move(render), argument));
}

TMyimage::~TMyimage() {
    if (m_bitmap) m_bitmap->Release();
}

void TMyimage::Adopt(TMybitmap* bitmap) {
    m_bitmap = bitmap;
    m_width = bitmap ? bitmap->Width() : 0;
    m_height = bitmap ? bitmap->Height() : 0;
    m_clip = TRect{0, 0, m_width, m_height};
    PlaceBounds();
}

void TMyimage::PlaceBounds() { SetBounds(Offset(m_clip, m_x, m_y)); }

void TMyimage::Show() {
    if (m_visible) return;
    m_visible = true;
    Draw(Bounds());
    TMygfx::Show();
}

void TMyimage::Hide() {
    if (!m_visible) return;
    m_visible = false;
    TMygfx::Hide();
}

void TMyimage::Detach() {
    if (!m_visible) return;
    m_visible = false;
    TMygfx::Detach();
}

void TMyimage::Draw(const TRect& rect) {
    TRect area = Parent() ? Intersect(rect, Parent()->Bounds()) : rect;
    DrawPart(area, m_x, m_y);
}

void TMyimage::DrawPart(const TRect& area, int originX, int originY) {
    TPaint* paint = Paint();
    if (!paint || !m_bitmap) return;
    TRect part = Intersect(area, Offset(m_clip, originX, originY));
    if (part.Empty()) return;
    paint->Invalidate(part);
    if (paint->Suspended()) return;
    DrawSpritePart(*m_bitmap, paint->BackBuffer(), part, originX, originY, m_transparent,
                   m_translucency);
}

void TMyimage::MoveTo(int x, int y) {
    if (x == m_x && y == m_y) return;
    bool wasVisible = m_visible;
    m_moving = true;
    if (wasVisible) Hide();
    m_x = x;
    m_y = y;
    PlaceBounds();
    if (wasVisible) Show();
    m_moving = false;
}

void TMyimage::SetClip(const TRect& source) {
    TRect clip = Intersect(source, TRect{0, 0, m_width, m_height});
    if (clip.Empty()) clip = TRect{};
    if (clip.left == m_clip.left && clip.top == m_clip.top && clip.right == m_clip.right &&
        clip.bottom == m_clip.bottom) {
        return;
    }
    bool growsRight = clip.left == m_clip.left && clip.top == m_clip.top &&
                      clip.bottom == m_clip.bottom && clip.right > m_clip.right && !m_clip.Empty();
    if (growsRight) {
        TRect strip{m_clip.right, clip.top, clip.right, clip.bottom};
        m_clip = clip;
        PlaceBounds();
        if (m_visible) Draw(Offset(strip, m_x, m_y));
        return;
    }
    bool wasVisible = m_visible;
    if (wasVisible) Hide();
    m_clip = clip;
    PlaceBounds();
    if (wasVisible) Show();
}

void TMyimage::DrawAt(int x, int y) {
    // A stamp is not in the tree, so a first show could not repaint it.
    if (Paint()) Paint()->MakeBackBuffer();
    TRect area = Offset(m_clip, x, y);
    if (Parent()) area = Intersect(area, Parent()->Bounds());
    DrawPart(area, x, y);
}

void TMyimage::SetTranslucency(int level) {
    m_translucency = std::clamp(level, 0, 32);
    if (m_translucency > 0) TGreatBitmap::Instance().TranslucencyTable();
}
