// The drawing modes of TMybitmap: opaque, transparent, tinted, translucent
// and box-filter scaling. Each inner loop is instantiated per bytes per
// pixel, so the pixel reads and writes compile to plain loads and stores.
#include <algorithm>
#include <cstring>

#include "graphics/GreatBitmap.h"
#include "graphics/Mybitmap.h"

namespace {

// The bits that decide whether a pixel is 0: at 4 bytes the fourth byte
// carries no colour.
template <int B>
constexpr uint32_t ColourBits() {
    return B == 4 ? 0xFFFFFFu : B == 3 ? 0xFFFFFFu : 0xFFFFu;
}

struct TRows {
    const uint8_t* source;
    int sourcePitch;
    uint8_t* target;
    int targetPitch;
    int w, h;
};

template <int B>
void TransparentRows(const TRows& r) {
    for (int y = 0; y < r.h; ++y) {
        const uint8_t* s = r.source + int64_t(y) * r.sourcePitch;
        uint8_t* t = r.target + int64_t(y) * r.targetPitch;
        for (int x = 0; x < r.w; ++x, s += B, t += B) {
            const uint32_t v = LoadPixel(s, B);
            if ((v & ColourBits<B>()) != 0) StorePixel(t, B, v);
        }
    }
}

// Non-zero pixels as their complement (colour bits only), zero ones as the
// tint pixel.
template <int B>
void TintedRows(const TRows& r, uint32_t tint, uint32_t mask) {
    for (int y = 0; y < r.h; ++y) {
        const uint8_t* s = r.source + int64_t(y) * r.sourcePitch;
        uint8_t* t = r.target + int64_t(y) * r.targetPitch;
        for (int x = 0; x < r.w; ++x, s += B, t += B) {
            const uint32_t v = LoadPixel(s, B) & mask;
            StorePixel(t, B, v == 0 ? tint : (~v & mask));
        }
    }
}

void TranslucentRows(const TRows& r, const uint16_t* table, int level) {
    const uint16_t* front = table + size_t(level) * 65536;
    const uint16_t* back = table + size_t(32 - level) * 65536;
    for (int y = 0; y < r.h; ++y) {
        const uint8_t* s = r.source + int64_t(y) * r.sourcePitch;
        uint8_t* t = r.target + int64_t(y) * r.targetPitch;
        for (int x = 0; x < r.w; ++x, s += 2, t += 2) {
            const uint32_t v = LoadPixel(s, 2);
            if (v != 0) StorePixel(t, 2, uint32_t(front[v]) + back[LoadPixel(t, 2)]);
        }
    }
}

template <typename F>
void ByBytes(int bytesPerPixel, F&& f) {
    switch (bytesPerPixel) {
    case 2: f.template operator()<2>(); break;
    case 3: f.template operator()<3>(); break;
    case 4: f.template operator()<4>(); break;
    default: break;
    }
}

}  // namespace

bool TMybitmap::ClipTo(const platform::Rect& source, const platform::Surface& target, int x,
                       int y, TSpan& span) const {
    if (target.pixels == nullptr || target.depth != m_depth || m_pixels.Size() == 0)
        return false;
    const platform::Rect s = platform::Intersect(source, Bounds());
    // Where the clipped source lands, then that clipped to the surface.
    const int tx = x + (s.left - source.left), ty = y + (s.top - source.top);
    const platform::Rect landed{tx, ty, tx + s.Width(), ty + s.Height()};
    const platform::Rect t = platform::Intersect(landed, {0, 0, target.width, target.height});
    if (s.Empty() || t.Empty()) return false;
    span = {s.left + (t.left - tx), s.top + (t.top - ty), t.left, t.top, t.Width(), t.Height()};
    return true;
}

void TMybitmap::DrawOpaque(const platform::Rect& source, const platform::Surface& target, int x,
                           int y) const {
    TSpan span;
    if (!ClipTo(source, target, x, y, span)) return;
    const size_t rowBytes = size_t(span.w) * size_t(m_bytesPerPixel);
    for (int row = 0; row < span.h; ++row)
        std::memmove(target.pixels + int64_t(span.ty + row) * target.pitch +
                         int64_t(span.tx) * m_bytesPerPixel,
                     Row(span.sx, span.sy + row), rowBytes);
}

void TMybitmap::DrawTransparent(const platform::Rect& source, const platform::Surface& target,
                                int x, int y) const {
    TSpan span;
    if (!ClipTo(source, target, x, y, span)) return;
    if (m_tintPixel != 0) {
        DrawTinted(span, target);
        return;
    }
    const TRows rows{Row(span.sx, span.sy), Pitch(),
                     target.pixels + int64_t(span.ty) * target.pitch +
                         int64_t(span.tx) * m_bytesPerPixel,
                     target.pitch, span.w, span.h};
    ByBytes(m_bytesPerPixel, [&]<int B>() { TransparentRows<B>(rows); });
}

void TMybitmap::DrawTinted(const TSpan& span, const platform::Surface& target) const {
    const TRows rows{Row(span.sx, span.sy), Pitch(),
                     target.pixels + int64_t(span.ty) * target.pitch +
                         int64_t(span.tx) * m_bytesPerPixel,
                     target.pitch, span.w, span.h};
    const uint32_t mask = PixelMask(m_depth);
    ByBytes(m_bytesPerPixel, [&]<int B>() { TintedRows<B>(rows, m_tintPixel, mask); });
}

void TMybitmap::DrawTranslucent(const platform::Rect& source, const platform::Surface& target,
                                int x, int y, int level) const {
    TGreatBitmap& registry = TGreatBitmap::Instance();
    const uint16_t* table = registry.Depth() == m_depth ? registry.TranslucencyTable() : nullptr;
    if (table == nullptr) {
        DrawTransparent(source, target, x, y);
        return;
    }
    TSpan span;
    if (!ClipTo(source, target, x, y, span)) return;
    level = std::clamp(level, 0, 32);
    const TRows rows{Row(span.sx, span.sy), Pitch(),
                     target.pixels + int64_t(span.ty) * target.pitch + int64_t(span.tx) * 2,
                     target.pitch, span.w, span.h};
    TranslucentRows(rows, table, level);
}
