// PNG reading and writing for the skin tools, through libpng. Pictures are
// held as 8-bit RGBA, rows top to bottom; any PNG colour type is read and
// expanded to that.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace skin {

struct TRgbaImage {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;  // width × height × 4 bytes: r, g, b, a

    uint8_t* At(int x, int y) { return pixels.data() + (static_cast<size_t>(y) * width + x) * 4; }
    const uint8_t* At(int x, int y) const {
        return pixels.data() + (static_cast<size_t>(y) * width + x) * 4;
    }
    void Resize(int w, int h) {
        width = w;
        height = h;
        pixels.assign(static_cast<size_t>(w) * h * 4, 0);
    }
};

// False with a message when the file is missing, not a PNG, or damaged.
bool ReadPng(const std::string& path, TRgbaImage& image, std::string& error);
// Writes an RGBA PNG without time stamps, so equal pictures give equal files.
bool WritePng(const std::string& path, const TRgbaImage& image, std::string& error);

}  // namespace skin
