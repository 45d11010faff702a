// Screen pixels: the colour conversion from RGB to the screen's pixel format
// and the small readers and writers every drawing routine shares.
//
// The screen depth is 15, 16, 24 or 32 bits per pixel with 2, 2, 3 or 4 bytes
// per pixel (depth / 7 rounded down). Bitmaps, font strips and back buffers
// all hold pixels in that one format; nothing converts while drawing. Pixel
// value 0 is the transparent colour. At depth 32 the fourth byte carries no
// colour, so pixel values compare on their low 24 bits there.
//
// An RGB colour is 0x00BBGGRR: red in the low byte, as the skin's colour
// numbers are written.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

using TColour = uint32_t;

constexpr TColour RgbColour(uint8_t r, uint8_t g, uint8_t b) {
    return TColour(r) | TColour(g) << 8 | TColour(b) << 16;
}
constexpr uint8_t ColourRed(TColour c) { return uint8_t(c); }
constexpr uint8_t ColourGreen(TColour c) { return uint8_t(c >> 8); }
constexpr uint8_t ColourBlue(TColour c) { return uint8_t(c >> 16); }

// Bytes per pixel of a depth: depth / 7 rounded down (15→2, 16→2, 24→3, 32→4).
constexpr int DepthBytesPerPixel(int depth) { return depth > 0 ? depth / 7 : 0; }
// True for the depths bitmaps can be stored in.
constexpr bool DrawableDepth(int depth) {
    return depth == 15 || depth == 16 || depth == 24 || depth == 32;
}

// The screen pixel of a colour: depth 15 is RGB555, 16 is RGB565 (both keep
// the high bits of each channel), 24 and 32 are the bytes b, g, r (and 0) in
// memory order, returned here as the little-endian value of those bytes.
// 0 for an unsupported depth.
uint32_t ColourToPixel(TColour colour, int depth);

// The mask of the bits of a pixel that carry colour.
constexpr uint32_t PixelMask(int depth) {
    return depth == 15 ? 0x7FFFu : depth == 16 ? 0xFFFFu : 0xFFFFFFu;
}

// A pixel split into its channels at their stored precision (5, 5/6/5 or 8
// bits), and back. Used where pixels are averaged.
struct TChannels {
    uint32_t r = 0, g = 0, b = 0;
};
TChannels SplitPixel(uint32_t pixel, int depth);
uint32_t JoinPixel(const TChannels& channels, int depth);

// Pixels are little-endian values in memory; the 2- and 4-byte cases are
// plain loads and stores on the little-endian hosts the program runs on.
static_assert(std::endian::native == std::endian::little);

// Reading and writing one pixel of bytesPerPixel bytes (2, 3 or 4).
inline uint32_t LoadPixel(const uint8_t* p, int bytesPerPixel) {
    switch (bytesPerPixel) {
    case 2: {
        uint16_t v;
        std::memcpy(&v, p, 2);
        return v;
    }
    case 3: return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
    case 4: {
        uint32_t v;
        std::memcpy(&v, p, 4);
        return v;
    }
    default: return 0;
    }
}
inline void StorePixel(uint8_t* p, int bytesPerPixel, uint32_t value) {
    switch (bytesPerPixel) {
    case 2: {
        const auto v = static_cast<uint16_t>(value);
        std::memcpy(p, &v, 2);
        break;
    }
    case 3: p[0] = uint8_t(value); p[1] = uint8_t(value >> 8); p[2] = uint8_t(value >> 16); break;
    case 4: std::memcpy(p, &value, 4); break;
    default: break;
    }
}
