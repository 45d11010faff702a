#include "PngFile.h"

#include <png.h>

#include <cstdio>

namespace skin {

namespace {

constexpr uint32_t kMaxSide = 65535;

bool HasPngSignature(const std::string& path, bool& opened) {
    FILE* file = std::fopen(path.c_str(), "rb");
    opened = file != nullptr;
    if (file == nullptr) return false;
    uint8_t signature[8] = {};
    const bool png = std::fread(signature, 1, 8, file) == 8 && png_sig_cmp(signature, 0, 8) == 0;
    std::fclose(file);
    return png;
}

}  // namespace

// libpng's simplified interface converts every colour type to RGBA and
// reports errors as results, without long jumps through our frames.
bool ReadPng(const std::string& path, TRgbaImage& image, std::string& error) {
    bool opened = false;
    if (!HasPngSignature(path, opened)) {
        error = opened ? path + " is not a PNG file" : "cannot open " + path;
        return false;
    }
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) {
        error = path + " is a damaged PNG file: " + png.message;
        return false;
    }
    if (png.width < 1 || png.height < 1 || png.width > kMaxSide || png.height > kMaxSide) {
        png_image_free(&png);
        error = path + " is " + std::to_string(png.width) + " x " + std::to_string(png.height) +
                " pixels; 1 to 65535 in each direction are allowed";
        return false;
    }
    png.format = PNG_FORMAT_RGBA;
    image.Resize(static_cast<int>(png.width), static_cast<int>(png.height));
    if (!png_image_finish_read(&png, nullptr, image.pixels.data(), 0, nullptr)) {
        error = path + " is a damaged PNG file: " + png.message;
        png_image_free(&png);
        return false;
    }
    return true;
}

bool WritePng(const std::string& path, const TRgbaImage& image, std::string& error) {
    if (image.width < 1 || image.height < 1) {
        error = "cannot write an empty picture to " + path;
        return false;
    }
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<uint32_t>(image.width);
    png.height = static_cast<uint32_t>(image.height);
    png.format = PNG_FORMAT_RGBA;
    if (!png_image_write_to_file(&png, path.c_str(), 0, image.pixels.data(), 0, nullptr)) {
        error = "cannot write " + path + ": " + png.message;
        return false;
    }
    return true;
}

}  // namespace skin
