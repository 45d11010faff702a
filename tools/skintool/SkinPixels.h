// The pixel rules the skin tools share: how a picture's colours become GIZ
// pixels and how decoded pixels of each depth become RGBA again.
//
// GIZ pixel 0 is the transparent colour of the client's drawing, so a
// transparent source pixel (alpha below one half) becomes 0 and an opaque
// colour that would quantise to 0 becomes kNearBlack instead, the darkest
// colour that still draws.
#pragma once

#include <cstdint>
#include <vector>

#include "PngFile.h"

namespace skin {

// 15-bit pixel with 1 in each channel: (8, 8, 8) at 8 bits per channel.
constexpr uint16_t kNearBlack = 0x0421;

// The GIZ pixel of an opaque colour; never 0.
uint16_t OpaquePixel(uint8_t r, uint8_t g, uint8_t b);
// The GIZ pixels of an RGBA picture, row-major.
std::vector<uint16_t> GizPixelsOf(const TRgbaImage& image);
// The RGBA colour of one decoded pixel of a depth (15, 16, 24 or 32), the
// channels widened without bit replication; the pixel value 0 gives a fully
// transparent black.
void DecodedPixelToRgba(const uint8_t* pixel, int depth, uint8_t rgba[4]);

}  // namespace skin
