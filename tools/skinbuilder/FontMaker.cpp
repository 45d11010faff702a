#include "FontMaker.h"

#include <algorithm>
#include <cmath>

#include FT_OUTLINE_H

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

// Loads the glyph of code into the face's slot as a coverage bitmap, its
// outline widened by embolden / 64 pixels first.
bool LoadGlyph(FT_Face face, uint32_t code, int embolden, std::string& error) {
    const FT_GlyphSlot g = face->glyph;
    if (FT_Load_Char(face, code, FT_LOAD_TARGET_LIGHT) != 0) {
        error = "FreeType cannot load U+" + std::to_string(code);
        return false;
    }
    if (embolden > 0 && g->format == FT_GLYPH_FORMAT_OUTLINE) {
        if (FT_Outline_EmboldenXY(&g->outline, embolden, embolden) != 0) {
            error = "FreeType cannot embolden U+" + std::to_string(code);
            return false;
        }
        // The outline grew to the right and upwards: half of the height goes
        // back down so the glyph keeps its centre, the width into the advance.
        FT_Outline_Translate(&g->outline, 0, -embolden / 2);
        g->advance.x += embolden;
    }
    if (FT_Render_Glyph(g, FT_RENDER_MODE_LIGHT) != 0) {
        error = "FreeType cannot render U+" + std::to_string(code);
        return false;
    }
    return true;
}

bool BlankColumn(const TGlyphCell& cell, int height, int x) {
    for (int y = 0; y < height; ++y)
        if (cell.coverage[static_cast<size_t>(y) * cell.width + x] > kCoverageThreshold) return false;
    return true;
}

// Widens the cell until gap columns at either side carry no visible ink.
void KeepSideGap(TGlyphCell& cell, int height, int gap) {
    int left = 0, right = 0;
    while (left < cell.width && BlankColumn(cell, height, left)) ++left;
    if (left == cell.width) return;
    while (BlankColumn(cell, height, cell.width - 1 - right)) ++right;
    const int addLeft = std::max(0, gap - left), addRight = std::max(0, gap - right);
    if (addLeft == 0 && addRight == 0) return;
    const int width = cell.width + addLeft + addRight;
    std::vector<uint8_t> coverage(static_cast<size_t>(width) * height, 0);
    for (int y = 0; y < height; ++y)
        std::copy_n(cell.coverage.begin() + static_cast<ptrdiff_t>(y) * cell.width, cell.width,
                    coverage.begin() + static_cast<ptrdiff_t>(y) * width + addLeft);
    cell.width = width;
    cell.coverage = std::move(coverage);
}

bool RenderCell(FT_Face face, uint32_t code, int embolden, const TGlyphSet& set, TGlyphCell& cell,
                std::string& error) {
    cell = {};
    if (code == 0 || FT_Get_Char_Index(face, code) == 0) return true;
    if (!LoadGlyph(face, code, embolden, error)) return false;
    const FT_GlyphSlot g = face->glyph;
    const FT_Bitmap& bm = g->bitmap;
    const int advance = Round26(g->advance.x);
    const int left = std::min(0, g->bitmap_left);
    const int right = std::max(advance, g->bitmap_left + static_cast<int>(bm.width));
    cell.width = right - left;
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
    if (code == kPasswordStar) KeepSideGap(cell, set.height, kPasswordStarGap);
    if (cell.width > 255) {
        error = "glyph U+" + std::to_string(code) + " is wider than 255 pixels";
        return false;
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
    return RenderGlyphSet(face, pixelSize, codes, {}, set, error);
}

bool RenderGlyphSet(FT_Face face, int pixelSize, const std::array<uint32_t, TFontResource::kGlyphCount>& codes,
                    const std::array<int, TFontResource::kGlyphCount>& embolden, TGlyphSet& set,
                    std::string& error) {
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
        if (!RenderCell(face, codes[i], embolden[i], set, set.cells[i], error)) return false;
    return true;
}

int TextWidth(const TGlyphSet& set, const std::string& text) {
    int width = 0;
    for (char c : text) {
        const int byte = static_cast<uint8_t>(c);
        if (byte == ' ')
            width += set.spaceWidth;
        else if (byte >= TFontResource::kFirstGlyph)
            width += set.cells[static_cast<size_t>(byte - TFontResource::kFirstGlyph)].width;
    }
    return width;
}

void StrengthenCoverage(TGlyphSet& set, double gamma) {
    std::array<uint8_t, 256> table{};
    for (int c = 0; c < 256; ++c)
        table[static_cast<size_t>(c)] = static_cast<uint8_t>(std::lround(255 * std::pow(c / 255.0, gamma)));
    for (TGlyphCell& cell : set.cells)
        for (uint8_t& c : cell.coverage) c = table[c];
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
