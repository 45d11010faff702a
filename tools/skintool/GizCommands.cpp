// skintool giz encode | decode.
#include <cstdio>

#include "Commands.h"
#include "PngFile.h"
#include "SkinPixels.h"
#include "ToolFiles.h"
#include "resources/Giz.h"
#include "resources/GizEncoder.h"

namespace skin {

namespace {

int Encode(const std::string& in, const std::string& out) {
    TRgbaImage image;
    std::string error;
    if (!ReadPng(in, image, error)) return Fail(error);
    const std::vector<uint16_t> pixels = GizPixelsOf(image);
    std::vector<uint8_t> stream;
    if (!GizEncode(pixels.data(), image.width, image.height, stream))
        return Fail(in + ": the picture cannot be encoded");
    if (!WriteFileBytes(out, stream, error)) return Fail(error);
    const TGizHeader h = GizFindMargins(pixels.data(), image.width, image.height);
    std::printf("%s: %d x %d, margins left %d top %d right %d bottom %d, %zu bytes\n", out.c_str(),
                h.width, h.height, h.left, h.top, h.right, h.bottom, stream.size());
    return 0;
}

// Decodes a stream at a depth and widens the pixels back to RGBA.
bool DecodeToRgba(const std::vector<uint8_t>& stream, int depth, TRgbaImage& image, std::string& error) {
    TGizHeader header;
    if (!GizReadHeader(stream.data(), static_cast<int64_t>(stream.size()), header)) {
        error = "not a valid GIZ stream (header)";
        return false;
    }
    const int bytes = GizBytesPerPixel(depth);
    std::vector<uint8_t> decoded(static_cast<size_t>(header.width) * header.height * bytes);
    if (!GizDecode(stream.data(), static_cast<int64_t>(stream.size()), decoded.data(),
                   static_cast<int64_t>(decoded.size()), 0, depth)) {
        error = "not a valid GIZ stream (its runs do not fit the picture)";
        return false;
    }
    image.Resize(header.width, header.height);
    for (size_t i = 0; i < static_cast<size_t>(header.width) * header.height; ++i)
        DecodedPixelToRgba(decoded.data() + i * bytes, depth, image.pixels.data() + i * 4);
    return true;
}

int Decode(const std::string& in, const std::string& out, int depth) {
    std::vector<uint8_t> stream;
    TRgbaImage image;
    std::string error;
    if (!ReadFileBytes(in, stream, error)) return Fail(error);
    if (!DecodeToRgba(stream, depth, image, error)) return Fail(in + ": " + error);
    if (!WritePng(out, image, error)) return Fail(error);
    return 0;
}

// "--depth N" among the arguments after the two paths; 32 when absent.
bool ParseDepth(const TArgs& args, size_t from, int& depth, std::string& error) {
    depth = 32;
    if (args.size() == from) return true;
    if (args.size() != from + 2 || args[from] != "--depth") {
        error = "giz decode takes IN OUT.png and optionally --depth N";
        return false;
    }
    const std::string& text = args[from + 1];
    depth = text == "15" ? 15 : text == "16" ? 16 : text == "24" ? 24 : text == "32" ? 32 : 0;
    if (depth == 0) {
        error = "depth \"" + text + "\" is not 15, 16, 24 or 32";
        return false;
    }
    return true;
}

}  // namespace

int GizCommand(const TArgs& args) {
    if (args.empty()) return UsageError("giz needs encode or decode");
    if (args[0] == "encode" && args.size() == 3) return Encode(args[1], args[2]);
    if (args[0] == "decode" && args.size() >= 3) {
        int depth = 0;
        std::string error;
        if (!ParseDepth(args, 3, depth, error)) return UsageError(error);
        return Decode(args[1], args[2], depth);
    }
    return UsageError("wrong arguments for giz " + args[0]);
}

}  // namespace skin
