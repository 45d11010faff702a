#include "resources/GizEncoder.h"

#include <algorithm>

#include "resources/LittleEndian.h"

namespace {

constexpr int kMaxMargin = 255;
constexpr int kMaxLiteral = 128;
constexpr int kMaxRepeat = 129;
constexpr int kMaxSide = 65535;
// Repeats shorter than this stay inside a literal run: a literal costs one
// stream byte more per pixel, but a picture of many tiny runs (dithered
// gradients) decodes several times slower than one of long literal runs.
constexpr int kMinRepeat = 4;

class TPicture {
public:
    TPicture(const uint16_t* pixels, int width, int height)
        : m_pixels(pixels), m_width(width), m_height(height) {}

    uint16_t At(int x, int y) const {
        return m_pixels[static_cast<int64_t>(y) * m_width + x] & 0x7FFF;
    }
    bool RowIs(int y, uint16_t colour) const {
        for (int x = 0; x < m_width; ++x)
            if (At(x, y) != colour) return false;
        return true;
    }
    bool ColumnIs(int x, int top, int bottom, uint16_t colour) const {
        for (int y = top; y < bottom; ++y)
            if (At(x, y) != colour) return false;
        return true;
    }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    const uint16_t* m_pixels;
    int m_width, m_height;
};

void PutHeader(std::vector<uint8_t>& out, const TGizHeader& h) {
    AppendLE16(out, static_cast<uint16_t>(h.width));
    AppendLE16(out, static_cast<uint16_t>(h.height));
    AppendLE16(out, 0);
    AppendLE16(out, h.margin);
    out.push_back(static_cast<uint8_t>(h.left));
    out.push_back(static_cast<uint8_t>(h.top));
    out.push_back(static_cast<uint8_t>(h.right));
    out.push_back(static_cast<uint8_t>(h.bottom));
}

// Length of the run of equal pixels starting at x, at most limit.
int EqualRun(const TPicture& p, int x, int end, int y, int limit) {
    int n = 1;
    while (n < limit && x + n < end && p.At(x + n, y) == p.At(x, y)) ++n;
    return n;
}

void EncodeRow(const TPicture& p, int y, int from, int to, std::vector<uint8_t>& out) {
    int x = from;
    while (x < to) {
        const int repeat = EqualRun(p, x, to, y, kMaxRepeat);
        // A short repeat that ends the row gains nothing from a literal.
        if (repeat >= kMinRepeat || (repeat >= 2 && x + repeat == to)) {
            out.push_back(static_cast<uint8_t>(repeat - 2));
            AppendLE16(out, p.At(x, y));
            x += repeat;
            continue;
        }
        // A literal run lasts until a long enough repeat run begins.
        int n = 1;
        while (n < kMaxLiteral && x + n < to && EqualRun(p, x + n, to, y, kMinRepeat) < kMinRepeat) ++n;
        out.push_back(static_cast<uint8_t>(127 + n));
        for (int i = 0; i < n; ++i) AppendLE16(out, p.At(x + i, y));
        x += n;
    }
}

}  // namespace

uint16_t GizPixelFromRgb(uint8_t r, uint8_t g, uint8_t b) {
    return static_cast<uint16_t>((r >> 3) << 10 | (g >> 3) << 5 | (b >> 3));
}

TGizHeader GizFindMargins(const uint16_t* pixels, int width, int height) {
    const TPicture p(pixels, width, height);
    TGizHeader h;
    h.width = width;
    h.height = height;
    h.margin = p.At(0, 0);
    while (h.top < std::min(kMaxMargin, height - 1) && p.RowIs(h.top, h.margin)) ++h.top;
    while (h.bottom < std::min(kMaxMargin, height - 1 - h.top) &&
           p.RowIs(height - 1 - h.bottom, h.margin))
        ++h.bottom;
    const int rowsEnd = height - h.bottom;
    while (h.left < std::min(kMaxMargin, width - 1) && p.ColumnIs(h.left, h.top, rowsEnd, h.margin))
        ++h.left;
    while (h.right < std::min(kMaxMargin, width - 1 - h.left) &&
           p.ColumnIs(width - 1 - h.right, h.top, rowsEnd, h.margin))
        ++h.right;
    return h;
}

bool GizEncode(const uint16_t* pixels, int width, int height, std::vector<uint8_t>& stream) {
    if (pixels == nullptr || width < 1 || height < 1 || width > kMaxSide || height > kMaxSide)
        return false;
    const TGizHeader h = GizFindMargins(pixels, width, height);
    const TPicture p(pixels, width, height);
    stream.clear();
    PutHeader(stream, h);
    for (int y = h.top; y < height - h.bottom; ++y) EncodeRow(p, y, h.left, width - h.right, stream);
    return true;
}
