// Box-filter scaling of TMybitmap (used to shrink game pieces).
#include "graphics/Mybitmap.h"

namespace {

// The half-open source range [first, last) that target cell i of n covers
// when length source pixels from start spread over n cells; never empty.
void SourceRange(int start, int length, int i, int n, int& first, int& last) {
    first = start + int(int64_t(i) * length / n);
    last = start + int(int64_t(i + 1) * length / n);
    if (last <= first) last = first + 1;
}

struct TSum {
    uint64_t r = 0, g = 0, b = 0, count = 0;

    void Add(const TChannels& c) {
        r += c.r;
        g += c.g;
        b += c.b;
        ++count;
    }
    // The rounded average; a cell of opaque pixels never averages to the
    // transparent 0, it becomes the smallest visible pixel instead.
    uint32_t Average(int depth) const {
        if (count == 0) return 0;
        const uint64_t half = count / 2;
        const TChannels c{uint32_t((r + half) / count), uint32_t((g + half) / count),
                          uint32_t((b + half) / count)};
        const uint32_t pixel = JoinPixel(c, depth);
        return pixel != 0 ? pixel : 1;
    }
};

}  // namespace

// The source cell is already inside the bitmap. A cell without any opaque
// pixel stays transparent, also when transparent pixels count as black.
uint32_t TMybitmap::AverageCell(const platform::Rect& cell, bool skipTransparent) const {
    const uint32_t mask = PixelMask(m_depth);
    TSum sum;
    bool anyOpaque = false;
    for (int y = cell.top; y < cell.bottom; ++y)
        for (int x = cell.left; x < cell.right; ++x) {
            const uint32_t v = LoadPixel(Row(x, y), m_bytesPerPixel) & mask;
            anyOpaque = anyOpaque || v != 0;
            if (v != 0 || !skipTransparent) sum.Add(SplitPixel(v, m_depth));
        }
    return anyOpaque ? sum.Average(m_depth) : 0;
}

// The mapping is that of the whole target area; only its part inside the
// target bitmap is written.
void TMybitmap::DrawScaled(const platform::Rect& source, TMybitmap& target,
                           const platform::Rect& targetArea, bool skipTransparent) const {
    const platform::Rect s = platform::Intersect(source, Bounds());
    const platform::Rect t = platform::Intersect(targetArea, target.Bounds());
    if (s.Empty() || t.Empty() || target.m_depth != m_depth || &target == this) return;
    for (int ty = t.top; ty < t.bottom; ++ty) {
        platform::Rect cell;
        SourceRange(s.top, s.Height(), ty - targetArea.top, targetArea.Height(), cell.top,
                    cell.bottom);
        for (int tx = t.left; tx < t.right; ++tx) {
            SourceRange(s.left, s.Width(), tx - targetArea.left, targetArea.Width(), cell.left,
                        cell.right);
            StorePixel(target.Pixels() + (int64_t(ty) * target.m_width + tx) * m_bytesPerPixel,
                       m_bytesPerPixel, AverageCell(platform::Intersect(cell, s), skipTransparent));
        }
    }
}
