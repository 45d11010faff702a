#include "SkinPixels.h"

#include "resources/GizEncoder.h"

namespace skin {

uint16_t OpaquePixel(uint8_t r, uint8_t g, uint8_t b) {
    const uint16_t pixel = GizPixelFromRgb(r, g, b);
    return pixel == 0 ? kNearBlack : pixel;
}

std::vector<uint16_t> GizPixelsOf(const TRgbaImage& image) {
    std::vector<uint16_t> out(static_cast<size_t>(image.width) * image.height);
    for (size_t i = 0; i < out.size(); ++i) {
        const uint8_t* p = image.pixels.data() + i * 4;
        out[i] = p[3] < 128 ? 0 : OpaquePixel(p[0], p[1], p[2]);
    }
    return out;
}

void DecodedPixelToRgba(const uint8_t* pixel, int depth, uint8_t rgba[4]) {
    uint32_t value = 0;
    const int bytes = depth == 24 ? 3 : depth == 32 ? 4 : 2;
    for (int i = 0; i < bytes; ++i) value |= static_cast<uint32_t>(pixel[i]) << (8 * i);
    if (depth == 15) {
        rgba[0] = static_cast<uint8_t>((value >> 10 & 31) << 3);
        rgba[1] = static_cast<uint8_t>((value >> 5 & 31) << 3);
        rgba[2] = static_cast<uint8_t>((value & 31) << 3);
    } else if (depth == 16) {
        rgba[0] = static_cast<uint8_t>((value >> 11 & 31) << 3);
        rgba[1] = static_cast<uint8_t>((value >> 5 & 63) << 2);
        rgba[2] = static_cast<uint8_t>((value & 31) << 3);
    } else {
        rgba[0] = pixel[2];
        rgba[1] = pixel[1];
        rgba[2] = pixel[0];
    }
    rgba[3] = value == 0 ? 0 : 255;
}

}  // namespace skin
