#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "resources/Giz.h"
#include "resources/GizEncoder.h"
#include "resources/LittleEndian.h"
#include "resources/MyMem.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Builds streams by hand: a header, then runs.
class TStream {
public:
    TStream(int w, int h, uint16_t margin = 0, int l = 0, int t = 0, int r = 0, int b = 0) {
        Put16(uint16_t(w));
        Put16(uint16_t(h));
        Put16(0xABCD);  // reserved
        Put16(margin);
        for (int m : {l, t, r, b}) m_bytes.push_back(uint8_t(m));
    }
    TStream& Repeat(int count, uint16_t pixel) {
        m_bytes.push_back(uint8_t(count - 2));
        Put16(pixel);
        return *this;
    }
    TStream& Literal(const std::vector<uint16_t>& pixels) {
        m_bytes.push_back(uint8_t(127 + pixels.size()));
        for (uint16_t p : pixels) Put16(p);
        return *this;
    }
    const Bytes& Get() const { return m_bytes; }

private:
    void Put16(uint16_t v) { AppendLE16(m_bytes, v); }
    Bytes m_bytes;
};

// Decodes at a depth into a buffer of the exact size, returning the stored
// values pixel by pixel (24 and 32 as their little-endian byte values).
bool DecodeValues(const Bytes& stream, int depth, std::vector<uint32_t>& values) {
    TMymem pixels;
    TGizHeader h;
    if (!GizDecode(stream.data(), int64_t(stream.size()), depth, pixels, h)) return false;
    const int bpp = GizBytesPerPixel(depth);
    values.clear();
    for (int64_t i = 0; i < pixels.Size(); i += bpp) {
        uint32_t v = 0;
        std::memcpy(&v, pixels.Memory() + i, size_t(bpp));
        values.push_back(v);
    }
    return true;
}

// Copies a stream into a heap block of exactly its length, so that a read
// beyond it is a read beyond an allocation.
std::unique_ptr<uint8_t[]> Exact(const Bytes& stream, size_t length) {
    auto block = std::make_unique<uint8_t[]>(length ? length : 1);
    std::memcpy(block.get(), stream.data(), length);
    return block;
}

TEST(GizConvert, ChannelsWidenWithoutBitReplication) {
    EXPECT_EQ(GizConvertPixel(0x7FFF, 15), 0x7FFFu);
    EXPECT_EQ(GizConvertPixel(0x7FFF, 16), 0xFFDFu);
    EXPECT_EQ(GizConvertPixel(0x7FFF, 24), 0xF8F8F8u);
    EXPECT_EQ(GizConvertPixel(0x7FFF, 32), 0xF8F8F8u);
    // One channel at a time: blue, green, red.
    EXPECT_EQ(GizConvertPixel(0x001F, 16), 0x001Fu);
    EXPECT_EQ(GizConvertPixel(0x03E0, 16), 0x07C0u);
    EXPECT_EQ(GizConvertPixel(0x7C00, 16), 0xF800u);
    EXPECT_EQ(GizConvertPixel(0x001F, 32), 0x0000F8u);
    EXPECT_EQ(GizConvertPixel(0x03E0, 32), 0x00F800u);
    EXPECT_EQ(GizConvertPixel(0x7C00, 32), 0xF80000u);
    EXPECT_EQ(GizConvertPixel(0x0421, 32), 0x080808u);  // lowest bit of each channel
    for (int depth : {15, 16, 24, 32}) EXPECT_EQ(GizConvertPixel(0, depth), 0u) << depth;
    EXPECT_EQ(GizConvertPixel(0x8000, 15), 0u);  // bit 15 carries nothing
    EXPECT_FALSE(GizDepthSupported(8));
    EXPECT_EQ(GizBytesPerPixel(24), 3);
}

TEST(GizDecode, RepeatRunAtDepth16) {
    const Bytes s = TStream(3, 1).Repeat(3, 0x7FFF).Get();
    ASSERT_EQ(s.size(), 15u);
    std::vector<uint32_t> v;
    ASSERT_TRUE(DecodeValues(s, 16, v));
    EXPECT_EQ(v, (std::vector<uint32_t>{0xFFDF, 0xFFDF, 0xFFDF}));
}

TEST(GizDecode, PureBlueAtDepth32IsF8000000) {
    const Bytes s = TStream(1, 1).Literal({0x001F}).Get();
    TMymem pixels;
    TGizHeader h;
    ASSERT_TRUE(GizDecode(s.data(), int64_t(s.size()), 32, pixels, h));
    ASSERT_EQ(pixels.Size(), 4);
    EXPECT_EQ(Bytes(pixels.Memory(), pixels.Memory() + 4), (Bytes{0xF8, 0, 0, 0}));
}

TEST(GizDecode, Depth24StoresBlueGreenRed) {
    const Bytes s = TStream(2, 1).Literal({0x7C00, 0x0421}).Get();
    TMymem pixels;
    TGizHeader h;
    ASSERT_TRUE(GizDecode(s.data(), int64_t(s.size()), 24, pixels, h));
    ASSERT_EQ(pixels.Size(), 6);
    EXPECT_EQ(Bytes(pixels.Memory(), pixels.Memory() + 6), (Bytes{0, 0, 0xF8, 8, 8, 8}));
}

TEST(GizDecode, MarginsSurroundTheCodedPixels) {
    const uint16_t m = 0x1234;
    const Bytes s = TStream(4, 2, m, 1, 1, 1, 0).Literal({0x0001, 0x0002}).Get();
    std::vector<uint32_t> v;
    ASSERT_TRUE(DecodeValues(s, 15, v));
    EXPECT_EQ(v, (std::vector<uint32_t>{m, m, m, m, m, 1, 2, m}));

    // All four sides, at every depth, with the margin converted like pixels.
    const Bytes ok = TStream(4, 4, 0x7C00, 1, 1, 2, 2).Literal({0x001F}).Get();
    for (int depth : {15, 16, 24, 32}) {
        ASSERT_TRUE(DecodeValues(ok, depth, v)) << depth;
        const uint32_t M = GizConvertPixel(0x7C00, depth), P = GizConvertPixel(0x001F, depth);
        EXPECT_EQ(v, (std::vector<uint32_t>{M, M, M, M, M, P, M, M, M, M, M, M, M, M, M, M}))
            << depth;
    }
}

TEST(GizDecode, RunLengthsAtTheControlByteLimits) {
    // 128 -> 1 literal pixel, 0 -> 2 repeats, 255 -> 128 literals, 127 -> 129 repeats.
    std::vector<uint16_t> literal128(128);
    for (int i = 0; i < 128; ++i) literal128[size_t(i)] = uint16_t(i + 1);
    TStream st(1 + 2 + 128 + 129, 1);
    st.Literal({0x0AAA}).Repeat(2, 0x0BBB).Literal(literal128).Repeat(129, 0x0CCC);
    const Bytes& s = st.Get();
    EXPECT_EQ(s[12], 128);
    EXPECT_EQ(s[15], 0);
    EXPECT_EQ(s[18], 255);
    EXPECT_EQ(s[18 + 1 + 256], 127);
    std::vector<uint32_t> v;
    ASSERT_TRUE(DecodeValues(s, 15, v));
    ASSERT_EQ(v.size(), 260u);
    EXPECT_EQ(v[0], 0x0AAAu);
    EXPECT_EQ(v[1], 0x0BBBu);
    EXPECT_EQ(v[2], 0x0BBBu);
    for (int i = 0; i < 128; ++i) EXPECT_EQ(v[size_t(3 + i)], uint32_t(i + 1));
    for (int i = 131; i < 260; ++i) EXPECT_EQ(v[size_t(i)], 0x0CCCu);
}

TEST(GizDecode, RowGapIsSkippedAfterEveryRow) {
    const Bytes s = TStream(2, 3, 0x7FFF, 0, 1, 0, 0).Repeat(2, 0x001F).Literal({1, 2}).Get();
    const int gap = 3, pitch = 2 * 4 + gap;
    Bytes dest(size_t(3 * pitch), 0xEE);
    ASSERT_TRUE(GizDecode(s.data(), int64_t(s.size()), dest.data(), int64_t(dest.size()), gap, 32));
    for (int y = 0; y < 3; ++y)
        for (int g = 0; g < gap; ++g) EXPECT_EQ(dest[size_t(y * pitch + 8 + g)], 0xEE) << y;
    uint32_t px;
    std::memcpy(&px, &dest[0], 4);
    EXPECT_EQ(px, 0xF8F8F8u);
    std::memcpy(&px, &dest[size_t(pitch + 4)], 4);
    EXPECT_EQ(px, 0xF8u);
    std::memcpy(&px, &dest[size_t(2 * pitch + 4)], 4);
    EXPECT_EQ(px, GizConvertPixel(2, 32));
    // One byte short of room is refused before anything is written.
    Bytes small(size_t(3 * pitch - 1), 0xEE);
    EXPECT_FALSE(GizDecode(s.data(), int64_t(s.size()), small.data(), int64_t(small.size()), gap, 32));
    EXPECT_EQ(small, Bytes(small.size(), 0xEE));
    EXPECT_FALSE(GizDecode(s.data(), int64_t(s.size()), dest.data(), int64_t(dest.size()), -1, 32));
    EXPECT_FALSE(GizDecode(s.data(), int64_t(s.size()), dest.data(), int64_t(dest.size()), 0, 8));
}

// Runs of every length end at every distance from the row's end; whatever
// the inner loops write in whole blocks must stay inside the coded part of
// the row: the margins, the row gaps and the bytes after the buffer keep
// their values, and every pixel matches the per-pixel conversion.
TEST(GizDecode, BlockWritesStayInsideTheirRow) {
    // No right margin: a block written past a row's last run would land in
    // the row gap at once.
    const int w = 2 + 61, rows = 60, gap = 5;
    std::vector<uint16_t> expected;
    TStream st(w, rows, 0x0421, 2, 0, 0, 0);
    uint32_t seed = 99;
    for (int y = 0; y < rows; ++y) {
        for (int i = 0; i < 2; ++i) expected.push_back(0x0421);
        int left = 61;
        while (left > 0) {
            seed = seed * 134775813u + 1;
            const bool literal = (seed >> 31) != 0;
            const int longest = literal ? std::min(left, 128) : std::min(left, 129);
            int n = 1 + int((seed >> 8) % unsigned(std::min(longest, 20 + y)));
            if (!literal && n < 2) n = std::min(2, left);
            if (!literal && n >= 2) {
                const uint16_t v = uint16_t(seed >> 17);
                st.Repeat(n, v);
                expected.insert(expected.end(), size_t(n), uint16_t(v & 0x7FFF));
            } else {
                std::vector<uint16_t> px;
                for (int i = 0; i < n; ++i) px.push_back(uint16_t((seed >> 5) + i * 977));
                st.Literal(px);
                for (uint16_t v : px) expected.push_back(uint16_t(v & 0x7FFF));
            }
            left -= n;
        }
    }
    const Bytes& s = st.Get();
    for (int depth : {15, 16, 24, 32}) {
        const int bpp = GizBytesPerPixel(depth), pitch = w * bpp + gap;
        const size_t size = size_t(rows * pitch);
        Bytes dest(size + 64, 0xEE);
        auto stream = Exact(s, s.size());
        ASSERT_TRUE(GizDecode(stream.get(), int64_t(s.size()), dest.data(), int64_t(size), gap, depth)) << depth;
        size_t wrong = 0, touched = 0;
        for (int y = 0; y < rows; ++y) {
            for (int x = 0; x < w; ++x) {
                uint32_t v = 0;
                std::memcpy(&v, &dest[size_t(y * pitch + x * bpp)], size_t(bpp));
                wrong += v != GizConvertPixel(expected[size_t(y * w + x)], depth);
            }
            for (int g = 0; g < gap; ++g) touched += dest[size_t(y * pitch + w * bpp + g)] != 0xEE;
        }
        for (size_t i = size; i < dest.size(); ++i) touched += dest[i] != 0xEE;
        EXPECT_EQ(wrong, 0u) << depth;
        EXPECT_EQ(touched, 0u) << depth;
    }
}

TEST(GizDecode, IntoMymemSizesExactlyWithFixedCapacity) {
    std::vector<uint16_t> picture(40 * 30, 0x1111);
    std::vector<uint8_t> s;
    ASSERT_TRUE(GizEncode(picture.data(), 40, 30, s));
    TMymem pixels;
    TGizHeader h;
    ASSERT_TRUE(GizDecode(s.data(), int64_t(s.size()), 24, pixels, h));
    EXPECT_EQ(h.width, 40);
    EXPECT_EQ(h.height, 30);
    EXPECT_EQ(pixels.Size(), 40 * 30 * 3);
    EXPECT_EQ(pixels.Capacity(), 40 * 30 * 3);
    EXPECT_TRUE(pixels.FixedCapacity);
}

// Invalid streams are rejected without touching memory outside the stream
// or the destination.
TEST(GizInvalid, TruncatedStreamsFailAtEveryLength) {
    const Bytes s = TStream(6, 3, 0x0100, 1, 0, 0, 1).Literal({1, 2, 3}).Repeat(2, 4).Literal({5}).Repeat(4, 6).Get();
    std::vector<uint32_t> v;
    ASSERT_TRUE(DecodeValues(s, 32, v));
    for (size_t n = 0; n < s.size(); ++n) {
        auto block = Exact(s, n);
        TMymem pixels;
        TGizHeader h;
        for (int depth : {15, 16, 24, 32}) {
            EXPECT_FALSE(GizDecode(block.get(), int64_t(n), depth, pixels, h)) << n;
            EXPECT_EQ(pixels.Size(), 0);
        }
    }
    // Trailing bytes after the last row are ignored.
    Bytes longer = s;
    longer.push_back(0x99);
    EXPECT_TRUE(DecodeValues(longer, 16, v));
}

TEST(GizInvalid, RunsThatOverrunTheRowFail) {
    std::vector<uint32_t> v;
    // A repeat of 3 in a row of 2, a literal of 2 after 1 pixel of a 2-wide row.
    EXPECT_FALSE(DecodeValues(TStream(2, 2).Repeat(3, 1).Repeat(2, 1).Get(), 32, v));
    EXPECT_FALSE(DecodeValues(TStream(2, 1).Literal({1}).Literal({2, 3}).Get(), 16, v));
    // A run may not continue into the next row: 2 rows of 2 as one repeat of 4.
    EXPECT_FALSE(DecodeValues(TStream(2, 2).Repeat(4, 1).Get(), 15, v));
    // The largest runs against the smallest row.
    EXPECT_FALSE(DecodeValues(TStream(1, 1).Repeat(129, 1).Get(), 24, v));
}

TEST(GizInvalid, HeadersWithoutCodedPixelsFail) {
    std::vector<uint32_t> v;
    EXPECT_FALSE(DecodeValues(TStream(0, 1).Repeat(2, 1).Get(), 32, v));  // zero width
    EXPECT_FALSE(DecodeValues(TStream(1, 0).Repeat(2, 1).Get(), 32, v));  // zero height
    EXPECT_FALSE(DecodeValues(TStream(4, 1, 0, 2, 0, 2, 0).Repeat(2, 1).Get(), 32, v));
    EXPECT_FALSE(DecodeValues(TStream(4, 2, 0, 0, 1, 0, 1).Repeat(4, 1).Get(), 32, v));
    EXPECT_FALSE(DecodeValues(TStream(4, 1, 0, 200, 0, 200, 0).Repeat(4, 1).Get(), 32, v));
    // Huge sizes with a tiny stream are refused before any allocation.
    TGizHeader h;
    const Bytes huge = TStream(65535, 65535).Repeat(129, 1).Get();
    EXPECT_FALSE(GizReadHeader(huge.data(), int64_t(huge.size()), h));
    EXPECT_FALSE(GizReadHeader(nullptr, 100, h));
}

TEST(GizEncoder, FindsUniformMargins) {
    const int w = 8, h = 6;
    std::vector<uint16_t> p(w * h, 0x0123);
    p[size_t(2 * w + 3)] = 0x7FFF;  // (3, 2)
    p[size_t(3 * w + 5)] = 0x0001;  // (5, 3)
    const TGizHeader m = GizFindMargins(p.data(), w, h);
    EXPECT_EQ(m.margin, 0x0123);
    EXPECT_EQ(m.left, 3);
    EXPECT_EQ(m.top, 2);
    EXPECT_EQ(m.right, 2);
    EXPECT_EQ(m.bottom, 2);

    // A uniform picture keeps one coded pixel and one coded row.
    const TGizHeader u = GizFindMargins(p.data(), 1, 1);
    EXPECT_EQ(u.InnerWidth(), 1);
    EXPECT_EQ(u.CodedRows(), 1);
    std::vector<uint16_t> wide(300 * 2, 5);
    const TGizHeader c = GizFindMargins(wide.data(), 300, 2);
    EXPECT_EQ(c.left, 255);
    EXPECT_EQ(c.right, 44);
    EXPECT_EQ(c.top + c.bottom, 1);
}

TEST(GizEncoder, RoundTripsAtEveryDepth) {
    // Margins, flat stretches, gradients and lone pixels, with long rows so
    // that runs are split at their limits.
    const int w = 413, h = 37;
    std::vector<uint16_t> p(size_t(w * h));
    uint32_t seed = 7;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            seed = seed * 134775813u + 1;
            uint16_t v = 0x2222;
            if (y >= 3 && y < h - 4 && x >= 5 && x < w - 6) {
                if (x < 150) v = uint16_t(x * 37 + y);
                else if (x < 300) v = uint16_t(0x7C00 | (y & 3));
                else v = uint16_t((seed >> 16) & 0x7FFF);
            }
            p[size_t(y * w + x)] = v;
        }
    std::vector<uint8_t> s;
    ASSERT_TRUE(GizEncode(p.data(), w, h, s));
    TGizHeader head;
    ASSERT_TRUE(GizReadHeader(s.data(), int64_t(s.size()), head));
    EXPECT_EQ(head.left, 5);
    EXPECT_EQ(head.top, 3);
    EXPECT_EQ(head.right, 6);
    EXPECT_EQ(head.bottom, 4);
    for (int depth : {15, 16, 24, 32}) {
        std::vector<uint32_t> v;
        ASSERT_TRUE(DecodeValues(s, depth, v)) << depth;
        ASSERT_EQ(v.size(), p.size());
        size_t wrong = 0;
        for (size_t i = 0; i < p.size(); ++i) wrong += v[i] != GizConvertPixel(p[i], depth);
        EXPECT_EQ(wrong, 0u) << depth;
    }
}

TEST(GizEncoder, RejectsSizesOutsideTheFormat) {
    std::vector<uint16_t> p(4, 1);
    std::vector<uint8_t> s;
    EXPECT_FALSE(GizEncode(p.data(), 0, 1, s));
    EXPECT_FALSE(GizEncode(p.data(), 1, 65536, s));
    EXPECT_FALSE(GizEncode(nullptr, 1, 1, s));
    EXPECT_EQ(GizPixelFromRgb(255, 128, 7), 0x7C00 | (16 << 5) | 0);
}

}  // namespace
