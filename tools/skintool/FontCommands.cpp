// skintool font render: draws every glyph of a font resource into a grid of
// 16 columns (byte values 32 ... 255, one row per 16 values) on the skin's
// panel colour, so a skin author can see the whole font at a glance.
#include <algorithm>
#include <cstdio>

#include "Commands.h"
#include "PngFile.h"
#include "SkinPixels.h"
#include "ToolFiles.h"
#include "FontResource.h"

namespace skin {

namespace {

constexpr int kColumns = 16;
constexpr int kFirstShown = 32;
constexpr int kPad = 3;
// Glyphs taller than this are no text font; the sheet would only waste memory.
constexpr int kMaxHeight = 512;
constexpr uint8_t kGround[3] = {0x18, 0x21, 0x3a};
constexpr uint8_t kGrid[3] = {0x2a, 0x36, 0x5c};

struct TSheet {
    TRgbaImage image;
    int cellWidth = 0, cellHeight = 0;
};

void FillRect(TRgbaImage& image, int x0, int y0, int w, int h, const uint8_t rgb[3]) {
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) {
            uint8_t* p = image.At(x, y);
            p[0] = rgb[0], p[1] = rgb[1], p[2] = rgb[2], p[3] = 255;
        }
}

TSheet MakeSheet(const TFontResource& font) {
    const int widest = std::max<int>(font.spaceWidth, *std::max_element(font.widths.begin(), font.widths.end()));
    TSheet sheet;
    sheet.cellWidth = widest + 2 * kPad;
    sheet.cellHeight = font.height + 2 * kPad;
    const int rows = (256 - kFirstShown + kColumns - 1) / kColumns;
    sheet.image.Resize(kColumns * sheet.cellWidth + 1, rows * sheet.cellHeight + 1);
    FillRect(sheet.image, 0, 0, sheet.image.width, sheet.image.height, kGrid);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < kColumns; ++c)
            FillRect(sheet.image, c * sheet.cellWidth + 1, r * sheet.cellHeight + 1, sheet.cellWidth - 1,
                     sheet.cellHeight - 1, kGround);
    return sheet;
}

// Copies the glyph's strip columns into its cell, clipped to the strip (the
// client clips widths that run past the strip the same way).
void DrawGlyph(TSheet& sheet, const TRgbaImage& strip, const TFontResource& font, int ch) {
    const int index = ch - kFirstShown;
    const int cellX = (index % kColumns) * sheet.cellWidth + kPad;
    const int cellY = (index / kColumns) * sheet.cellHeight + kPad;
    const int from = font.OffsetOf(static_cast<uint8_t>(ch));
    const int width = font.WidthOf(static_cast<uint8_t>(ch));
    const int rows = std::min(font.height, strip.height);
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < width && from + x < strip.width; ++x) {
            const uint8_t* s = strip.At(from + x, y);
            if (s[3] != 0) std::copy(s, s + 4, sheet.image.At(cellX + x, cellY + y));
        }
}

bool DecodeStrip(const TFontResource& font, TRgbaImage& strip, std::string& error) {
    TGizHeader header;
    GizReadHeader(font.strip.data(), static_cast<int64_t>(font.strip.size()), header);
    std::vector<uint8_t> decoded(static_cast<size_t>(header.width) * header.height * 4);
    if (!GizDecode(font.strip.data(), static_cast<int64_t>(font.strip.size()), decoded.data(),
                   static_cast<int64_t>(decoded.size()), 0, 32)) {
        error = "the glyph strip does not decode";
        return false;
    }
    strip.Resize(header.width, header.height);
    for (size_t i = 0; i < static_cast<size_t>(header.width) * header.height; ++i)
        DecodedPixelToRgba(decoded.data() + i * 4, 32, strip.pixels.data() + i * 4);
    return true;
}

int Render(const std::string& in, const std::string& out) {
    std::vector<uint8_t> bytes;
    TFontResource font;
    TGizHeader header;
    TRgbaImage strip;
    std::string error;
    if (!ReadFileBytes(in, bytes, error)) return Fail(error);
    if (!ParseFont(bytes, font, header, error)) return Fail(in + ": " + error);
    if (font.height < 1 || font.height > kMaxHeight)
        return Fail(in + ": the glyph height " + std::to_string(font.height) + " is not 1 ... " +
                    std::to_string(kMaxHeight));
    if (!DecodeStrip(font, strip, error)) return Fail(in + ": " + error);
    TSheet sheet = MakeSheet(font);
    for (int ch = kFirstShown + 1; ch < 256; ++ch) DrawGlyph(sheet, strip, font, ch);
    if (!WritePng(out, sheet.image, error)) return Fail(error);
    std::printf("%s: height %d, space %d, strip %d x %d, glyph widths total %d\n", in.c_str(),
                font.height, font.spaceWidth, header.width, header.height, font.TotalWidth());
    return 0;
}

}  // namespace

int FontCommand(const TArgs& args) {
    if (args.size() == 3 && args[0] == "render") return Render(args[1], args[2]);
    return UsageError("font takes: render FONT OUT.png");
}

}  // namespace skin
