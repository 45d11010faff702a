#include "resources/Giz.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#define QV_GIZ_SSE2 1
#else
#define QV_GIZ_SSE2 0
#endif

#include "resources/LittleEndian.h"
#include "resources/MyMem.h"

namespace {

// The densest coding: a repeat run of 129 pixels in 3 bytes.
constexpr int kMaxRunPixels = 129;
constexpr int kMinRunBytes = 3;
constexpr int kLiteralBase = 128;


// One pixel writer per depth, so that each depth gets inner loops of its own.
// Convert turns a 15-bit pixel into the stored value. Fill writes one value n
// times and Copy converts n stream pixels, exactly. FillBlocks and CopyBlocks
// do the same in whole blocks of kBlock pixels, writing up to kBlock - 1
// pixels past the run (and reading as far past it in the stream); the
// decoder uses them only where the row has room for that. Stores go through
// memcpy or unaligned vector stores because caller buffers and row gaps need
// not keep pixels aligned.
#if QV_GIZ_SSE2
using TVec = __m128i;
inline TVec Load(const uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const TVec*>(p)); }
inline void Store(uint8_t* p, TVec v) { _mm_storeu_si128(reinterpret_cast<TVec*>(p), v); }
// Calls block(i) for i = 0, step, 2 step, ... while a whole block fits in n,
// then once more for the block that ends at n: that one overlaps the block
// before it and writes the same values again. n must be at least step.
template <class Block>
inline void ForBlocks(int n, int step, Block block) {
    int i = 0;
    for (; i + step <= n; i += step) block(i);
    if (i < n) block(n - step);
}
#endif

void Put16(uint8_t* out, uint32_t value) {
    const auto v = static_cast<uint16_t>(value);
    std::memcpy(out, &v, 2);
}

// Depths 15 and 16 share their fills; Convert and the vector form of it differ.
template <class Self>
struct TTwoBytes {
    static constexpr int kBytes = 2;
#if QV_GIZ_SSE2
    static constexpr int kBlock = 8;
    static void FillBlocks(uint8_t* out, uint32_t value, int blocks) {
        const TVec v = _mm_set1_epi16(static_cast<short>(value));
        for (int b = 0; b < blocks; ++b) Store(out + 16 * b, v);
    }
    static void CopyBlocks(uint8_t* out, const uint8_t* in, int blocks) {
        for (int b = 0; b < blocks; ++b) Store(out + 16 * b, Self::Vector(Load(in + 16 * b)));
    }
    static void Fill(uint8_t* out, uint32_t value, int n) {
        if (n < kBlock) return FillScalar(out, value, n);
        const TVec v = _mm_set1_epi16(static_cast<short>(value));
        ForBlocks(n, kBlock, [&](int i) { Store(out + 2 * i, v); });
    }
    static void Copy(uint8_t* out, const uint8_t* in, int n) {
        if (n < kBlock) return CopyScalar(out, in, n);
        ForBlocks(n, kBlock, [&](int i) { Store(out + 2 * i, Self::Vector(Load(in + 2 * i))); });
    }
#else
    static constexpr int kBlock = 1;
    static void FillBlocks(uint8_t* out, uint32_t value, int n) { FillScalar(out, value, n); }
    static void CopyBlocks(uint8_t* out, const uint8_t* in, int n) { CopyScalar(out, in, n); }
    static void Fill(uint8_t* out, uint32_t value, int n) { FillScalar(out, value, n); }
    static void Copy(uint8_t* out, const uint8_t* in, int n) { CopyScalar(out, in, n); }
#endif
    static void FillScalar(uint8_t* out, uint32_t value, int n) {
        for (int i = 0; i < n; ++i) Put16(out + 2 * i, value);
    }
    static void CopyScalar(uint8_t* out, const uint8_t* in, int n) {
        for (int i = 0; i < n; ++i) Put16(out + 2 * i, Self::Convert(GetLE16(in + 2 * i)));
    }
};

struct TDepth15 : TTwoBytes<TDepth15> {
    // Bit 15 carries nothing and is dropped.
    static uint32_t Convert(uint16_t v) { return v & 0x7FFFu; }
#if QV_GIZ_SSE2
    static TVec Vector(TVec v) { return _mm_and_si128(v, _mm_set1_epi16(0x7FFF)); }
#endif
};

struct TDepth16 : TTwoBytes<TDepth16> {
    // Red and green move up one bit; the lowest green bit stays 0.
    static uint32_t Convert(uint16_t v) { return ((v & 0x7FE0u) << 1) | (v & 0x001Fu); }
#if QV_GIZ_SSE2
    static TVec Vector(TVec v) {
        return _mm_or_si128(_mm_slli_epi16(_mm_and_si128(v, _mm_set1_epi16(0x7FE0)), 1),
                            _mm_and_si128(v, _mm_set1_epi16(0x001F)));
    }
#endif
};

struct TDepth32 {
    static constexpr int kBytes = 4;
    // Little-endian value of the bytes b << 3, g << 3, r << 3, 0.
    static uint32_t Convert(uint16_t v) {
        return ((v & 0x001Fu) << 3) | ((v & 0x03E0u) << 6) | ((v & 0x7C00u) << 9);
    }
#if QV_GIZ_SSE2
    static constexpr int kBlock = 8;  // 16 stream bytes, 32 pixel bytes
    static void FillBlocks(uint8_t* out, uint32_t value, int blocks) {
        const TVec v = _mm_set1_epi32(static_cast<int>(value));
        for (int b = 0; b < blocks; ++b) {
            Store(out + 32 * b, v);
            Store(out + 32 * b + 16, v);
        }
    }
    static void CopyBlocks(uint8_t* out, const uint8_t* in, int blocks) {
        for (int b = 0; b < blocks; ++b) CopyBlock(out + 32 * b, in + 16 * b);
    }
    static void Fill(uint8_t* out, uint32_t value, int n) {
        if (n < 4) return FillScalar(out, value, n);
        const TVec v = _mm_set1_epi32(static_cast<int>(value));
        ForBlocks(n, 4, [&](int i) { Store(out + 4 * i, v); });
    }
    static void Copy(uint8_t* out, const uint8_t* in, int n) {
        if (n < kBlock) return CopyScalar(out, in, n);
        ForBlocks(n, kBlock, [&](int i) { CopyBlock(out + 4 * i, in + 2 * i); });
    }
    static void CopyBlock(uint8_t* out, const uint8_t* in) {
        const TVec v = Load(in), zero = _mm_setzero_si128();
        Store(out, Widen(_mm_unpacklo_epi16(v, zero)));
        Store(out + 16, Widen(_mm_unpackhi_epi16(v, zero)));
    }
    // Convert on four 32-bit lanes.
    static TVec Widen(TVec v) {
        const TVec b = _mm_slli_epi32(_mm_and_si128(v, _mm_set1_epi32(0x001F)), 3);
        const TVec g = _mm_slli_epi32(_mm_and_si128(v, _mm_set1_epi32(0x03E0)), 6);
        const TVec r = _mm_slli_epi32(_mm_and_si128(v, _mm_set1_epi32(0x7C00)), 9);
        return _mm_or_si128(_mm_or_si128(b, g), r);
    }
#else
    static constexpr int kBlock = 1;
    static void FillBlocks(uint8_t* out, uint32_t value, int n) { FillScalar(out, value, n); }
    static void CopyBlocks(uint8_t* out, const uint8_t* in, int n) { CopyScalar(out, in, n); }
    static void Fill(uint8_t* out, uint32_t value, int n) { FillScalar(out, value, n); }
    static void Copy(uint8_t* out, const uint8_t* in, int n) { CopyScalar(out, in, n); }
#endif
    static void FillScalar(uint8_t* out, uint32_t value, int n) {
        for (int i = 0; i < n; ++i) std::memcpy(out + 4 * i, &value, 4);
    }
    static void CopyScalar(uint8_t* out, const uint8_t* in, int n) {
        for (int i = 0; i < n; ++i) {
            const uint32_t v = Convert(GetLE16(in + 2 * i));
            std::memcpy(out + 4 * i, &v, 4);
        }
    }
};

// Three bytes a pixel rule out whole-register stores; depth 24 stays scalar.
struct TDepth24 {
    static constexpr int kBytes = 3;
    static constexpr int kBlock = 1;
    static uint32_t Convert(uint16_t v) { return TDepth32::Convert(v); }
    static void Put(uint8_t* out, uint32_t v) {
        out[0] = static_cast<uint8_t>(v);
        out[1] = static_cast<uint8_t>(v >> 8);
        out[2] = static_cast<uint8_t>(v >> 16);
    }
    static void Fill(uint8_t* out, uint32_t value, int n) {
        for (int i = 0; i < n; ++i) Put(out + 3 * i, value);
    }
    static void Copy(uint8_t* out, const uint8_t* in, int n) {
        for (int i = 0; i < n; ++i) Put(out + 3 * i, Convert(GetLE16(in + 2 * i)));
    }
    static void FillBlocks(uint8_t* out, uint32_t value, int n) { Fill(out, value, n); }
    static void CopyBlocks(uint8_t* out, const uint8_t* in, int n) { Copy(out, in, n); }
};

// A run written in whole blocks when the rest of the row (room pixels) and,
// for literals, the rest of the stream can take the overshoot: the runs that
// follow overwrite the extra pixels, and nothing leaves the row's coded part.
// Otherwise the run is written exactly.
template <class D>
void FillRun(uint8_t* out, uint32_t value, int n, int room) {
    const int blocks = (n + D::kBlock - 1) / D::kBlock;
    if (blocks * D::kBlock <= room) D::FillBlocks(out, value, blocks);
    else D::Fill(out, value, n);
}

template <class D>
void CopyRun(uint8_t* out, const uint8_t* in, int n, int room, const uint8_t* end) {
    const int blocks = (n + D::kBlock - 1) / D::kBlock;
    if (blocks * D::kBlock <= room && end - in >= 2 * blocks * D::kBlock) D::CopyBlocks(out, in, blocks);
    else D::Copy(out, in, n);
}

// Decodes one coded row of exactly `pixels` pixels; false when a run is cut
// off by the stream's end or would run past the row.
template <class D>
bool DecodeRow(const uint8_t*& in, const uint8_t* end, uint8_t*& out, int pixels) {
    while (pixels > 0) {
        if (in == end) return false;
        const int k = *in++;
        int n;
        if (k >= kLiteralBase) {
            n = k - (kLiteralBase - 1);
            if (n > pixels || end - in < 2 * n) return false;
            CopyRun<D>(out, in, n, pixels, end);
            in += 2 * n;
        } else {
            n = k + 2;
            if (n > pixels || end - in < 2) return false;
            FillRun<D>(out, D::Convert(GetLE16(in)), n, pixels);
            in += 2;
        }
        out += n * D::kBytes;
        pixels -= n;
    }
    return true;
}

template <class D>
void FillRows(uint8_t*& out, uint32_t margin, int width, int rows, int rowGap) {
    for (int y = 0; y < rows; ++y) {
        D::Fill(out, margin, width);
        out += static_cast<int64_t>(width) * D::kBytes + rowGap;
    }
}

template <class D>
bool DecodeWith(const TGizHeader& h, const uint8_t* stream, int64_t length, uint8_t* out,
                int rowGap) {
    const uint32_t margin = D::Convert(h.margin);
    const uint8_t* in = stream + kGizHeaderSize;
    const uint8_t* end = stream + length;
    FillRows<D>(out, margin, h.width, h.top, rowGap);
    for (int y = 0; y < h.CodedRows(); ++y) {
        D::Fill(out, margin, h.left);
        out += h.left * D::kBytes;
        if (!DecodeRow<D>(in, end, out, h.InnerWidth())) return false;
        D::Fill(out, margin, h.right);
        out += h.right * D::kBytes + rowGap;
    }
    FillRows<D>(out, margin, h.width, h.bottom, rowGap);
    return true;
}

int64_t PictureBytes(const TGizHeader& h, int bytesPerPixel, int rowGap) {
    return static_cast<int64_t>(h.height) * (static_cast<int64_t>(h.width) * bytesPerPixel + rowGap);
}

bool DecodeChecked(const TGizHeader& h, const uint8_t* stream, int64_t length, uint8_t* out,
                   int rowGap, int depth) {
    switch (depth) {
        case 15: return DecodeWith<TDepth15>(h, stream, length, out, rowGap);
        case 16: return DecodeWith<TDepth16>(h, stream, length, out, rowGap);
        case 24: return DecodeWith<TDepth24>(h, stream, length, out, rowGap);
        case 32: return DecodeWith<TDepth32>(h, stream, length, out, rowGap);
        default: return false;
    }
}

}  // namespace

bool GizDepthSupported(int depth) { return GizBytesPerPixel(depth) != 0; }

int GizBytesPerPixel(int depth) {
    switch (depth) {
        case 15:
        case 16: return 2;
        case 24: return 3;
        case 32: return 4;
        default: return 0;
    }
}

uint32_t GizConvertPixel(uint16_t pixel, int depth) {
    switch (depth) {
        case 15: return TDepth15::Convert(pixel);
        case 16: return TDepth16::Convert(pixel);
        case 24: return TDepth24::Convert(pixel);
        case 32: return TDepth32::Convert(pixel);
        default: return 0;
    }
}

bool GizReadHeader(const uint8_t* stream, int64_t length, TGizHeader& header) {
    if (stream == nullptr || length < kGizHeaderSize) return false;
    TGizHeader h;
    h.width = GetLE16(stream);
    h.height = GetLE16(stream + 2);
    h.margin = GetLE16(stream + 6);
    h.left = stream[8];
    h.top = stream[9];
    h.right = stream[10];
    h.bottom = stream[11];
    if (h.InnerWidth() <= 0 || h.CodedRows() <= 0) return false;
    // Each coded row needs at least one 3-byte run per 129 pixels. This also
    // keeps the picture's size in proportion to the stream's length.
    const int64_t runsPerRow = (h.InnerWidth() + kMaxRunPixels - 1) / kMaxRunPixels;
    if (static_cast<int64_t>(h.CodedRows()) * runsPerRow * kMinRunBytes > length - kGizHeaderSize)
        return false;
    header = h;
    return true;
}

bool GizDecode(const uint8_t* stream, int64_t length, uint8_t* destination,
               int64_t destinationSize, int rowGap, int depth) {
    TGizHeader h;
    if (!GizDepthSupported(depth) || rowGap < 0 || destination == nullptr) return false;
    if (!GizReadHeader(stream, length, h)) return false;
    if (destinationSize < PictureBytes(h, GizBytesPerPixel(depth), rowGap)) return false;
    return DecodeChecked(h, stream, length, destination, rowGap, depth);
}

bool GizDecode(const uint8_t* stream, int64_t length, int depth, TMymem& pixels,
               TGizHeader& header) {
    TGizHeader h;
    if (!GizDepthSupported(depth) || !GizReadHeader(stream, length, h)) {
        pixels.Clear();
        return false;
    }
    pixels.FixedCapacity = true;
    if (!pixels.SetSize(PictureBytes(h, GizBytesPerPixel(depth), 0)) ||
        !DecodeChecked(h, stream, length, pixels.Memory(), 0, depth)) {
        pixels.Clear();
        return false;
    }
    header = h;
    return true;
}
