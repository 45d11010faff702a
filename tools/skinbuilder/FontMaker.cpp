#include "FontMaker.h"

#include <algorithm>

#include "SkinPixels.h"
#include "platform/Codepage.h"
#include "resources/GizEncoder.h"

namespace skin {

namespace {

// The code point of a one-character UTF-8 text.
uint32_t DecodeOne(const std::string& utf8) {
    const auto b = [&](size_t i) { return static_cast<uint32_t>(static_cast<uint8_t>(utf8[i])); };
    if (utf8.size() == 1) return b(0);
    if (utf8.size() == 2) return (b(0) & 0x1F) << 6 | (b(1) & 0x3F);
    if (utf8.size() == 3) return (b(0) & 0x0F) << 12 | (b(1) & 0x3F) << 6 | (b(2) & 0x3F);
    return 0;
}

int Round26(FT_Pos value) { return static_cast<int>((value + 32) >> 6); }

bool RenderCell(FT_Face face, uint32_t code, const TGlyphSet& set, TGlyphCell& cell, std::string& error) {
    cell = {};
    if (code == 0 || FT_Get_Char_Index(face, code) == 0) return true;
    if (FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0) {
        error = "FreeType cannot render U+" + std::to_string(code);
        return false;
    }
    const FT_GlyphSlot g = face->glyph;
    const FT_Bitmap& bm = g->bitmap;
    const int advance = Round26(g->advance.x);
    const int left = std::min(0, g->bitmap_left);
    const int right = std::max(advance, g->bitmap_left + static_cast<int>(bm.width));
    cell.width = right - left;
    if (cell.width > 255) {
        error = "glyph U+" + std::to_string(code) + " is wider than 255 pixels";
        return false;
    }
    cell.coverage.assign(static_cast<size_t>(cell.width) * set.height, 0);
    const int x0 = g->bitmap_left - left;
    const int y0 = set.ascent - g->bitmap_top;
    for (unsigned row = 0; row < bm.rows; ++row) {
        const int y = y0 + static_cast<int>(row);
        if (y < 0 || y >= set.height) continue;  // ink beyond the line box is cut
        const uint8_t* src = bm.buffer + static_cast<ptrdiff_t>(row) * bm.pitch;
        for (unsigned col = 0; col < bm.width; ++col)
            cell.coverage[static_cast<size_t>(y) * cell.width + x0 + col] = src[col];
    }
    return true;
}

uint8_t Mix(uint8_t ground, uint8_t ink, int coverage) {
    return static_cast<uint8_t>((ground * (255 - coverage) + ink * coverage + 127) / 255);
}

}  // namespace

std::array<uint32_t, TFontResource::kGlyphCount> Cp1252CodePoints() {
    std::array<uint32_t, TFontResource::kGlyphCount> codes{};
    for (int i = 0; i < TFontResource::kGlyphCount; ++i) {
        const char byte = static_cast<char>(TFontResource::kFirstGlyph + i);
        const uint32_t code = DecodeOne(platform::Cp1252ToUtf8(std::string(1, byte)));
        // DEL and the C1 controls that stand in for the code page's holes.
        const bool control = code == 0x7F || (code >= 0x80 && code < 0xA0);
        codes[static_cast<size_t>(i)] = control ? 0 : code;
    }
    return codes;
}

bool RenderGlyphSet(FT_Face face, int pixelSize, const std::array<uint32_t, TFontResource::kGlyphCount>& codes,
                    TGlyphSet& set, std::string& error) {
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize)) != 0) {
        error = "FreeType cannot set the size " + std::to_string(pixelSize);
        return false;
    }
    set.pixelSize = pixelSize;
    set.ascent = Round26(face->size->metrics.ascender);
    set.height = set.ascent + Round26(-face->size->metrics.descender);
    if (FT_Load_Char(face, ' ', FT_LOAD_TARGET_LIGHT) != 0) {
        error = "FreeType cannot load the blank";
        return false;
    }
    set.spaceWidth = std::min(255, Round26(face->glyph->advance.x));
    for (size_t i = 0; i < codes.size(); ++i)
        if (!RenderCell(face, codes[i], set, set.cells[i], error)) return false;
    return true;
}

bool ColourFont(const TGlyphSet& set, const std::array<TColour, TFontResource::kGlyphCount>& inks,
                const TColour& ground, std::vector<uint8_t>& resource, std::string& error) {
    TFontResource font;
    font.stored = set.pixelSize;
    font.height = set.height;
    font.spaceWidth = set.spaceWidth;
    int stripWidth = 0;
    for (size_t i = 0; i < set.cells.size(); ++i) {
        font.widths[i] = static_cast<uint8_t>(set.cells[i].width);
        stripWidth += set.cells[i].width;
    }
    if (stripWidth < 1 || stripWidth > 65535) {
        error = "the glyph strip would be " + std::to_string(stripWidth) + " pixels wide";
        return false;
    }
    std::vector<uint16_t> strip(static_cast<size_t>(stripWidth) * set.height, 0);
    int x0 = 0;
    for (size_t i = 0; i < set.cells.size(); ++i) {
        const TGlyphCell& cell = set.cells[i];
        const TColour& ink = inks[i];
        for (int y = 0; y < set.height; ++y)
            for (int x = 0; x < cell.width; ++x) {
                const int c = cell.coverage[static_cast<size_t>(y) * cell.width + x];
                if (c <= kCoverageThreshold) continue;
                strip[static_cast<size_t>(y) * stripWidth + x0 + x] =
                    OpaquePixel(Mix(ground.r, ink.r, c), Mix(ground.g, ink.g, c), Mix(ground.b, ink.b, c));
            }
        x0 += cell.width;
    }
    if (!GizEncode(strip.data(), stripWidth, set.height, font.strip)) {
        error = "the glyph strip cannot be encoded";
        return false;
    }
    return EncodeFont(font, resource, error);
}

}  // namespace skin
