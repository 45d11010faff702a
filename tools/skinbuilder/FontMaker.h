// The skin's bitmap fonts, rendered from DejaVu Sans with FreeType.
//
// A glyph set is the coverage (0 ... 255) of one glyph cell per byte value
// 33 ... 255 at one pixel size: the cell is as wide as the glyph's advance,
// widened where ink overhangs it, and as high as the face's ascent plus
// descent, with the baseline at the ascent. Bytes without a character (the
// five holes of Windows-1252, DEL) or whose character the face lacks get
// width 0. The password entries' star gets a blank column on either side,
// since DejaVu's star fills its whole advance and a row of them would run
// together. A glyph may be thickened (the symbols whose strokes are hair
// lines at body size).
//
// A font resource then colours a glyph set: each pixel is the ink blended
// over the ground by its coverage (light inks over the skin's panel colour,
// dark inks over its paper colour, since bitmap fonts carry no alpha), and
// pixels of little coverage stay 0, the transparent colour.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "Canvas.h"
#include "FontResource.h"
#include "Palette.h"

namespace skin {

struct TGlyphCell {
    int width = 0;
    std::vector<uint8_t> coverage;  // height rows × width
};

struct TGlyphSet {
    int pixelSize = 0;
    int height = 0;
    int ascent = 0;
    int spaceWidth = 0;
    std::array<TGlyphCell, TFontResource::kGlyphCount> cells;
};

// Code point of each byte 33 ... 255 in Windows-1252; 0 for the bytes that
// stand for no printable character.
std::array<uint32_t, TFontResource::kGlyphCount> Cp1252CodePoints();

// Renders one glyph per entry (code point 0 = no glyph). False with a
// message when FreeType fails or a cell would be wider than 255 pixels.
bool RenderGlyphSet(FT_Face face, int pixelSize, const std::array<uint32_t, TFontResource::kGlyphCount>& codes,
                    TGlyphSet& set, std::string& error);
// The same with each glyph's strokes widened by its entry of embolden, in
// 1/64 pixel (0: as the face draws it).
bool RenderGlyphSet(FT_Face face, int pixelSize, const std::array<uint32_t, TFontResource::kGlyphCount>& codes,
                    const std::array<int, TFontResource::kGlyphCount>& embolden, TGlyphSet& set,
                    std::string& error);

// The character every password entry shows, and the blank columns its
// glyph keeps on either side.
constexpr uint32_t kPasswordStar = '*';
constexpr int kPasswordStarGap = 1;

// Width in pixels of a Windows-1252 text set in the glyph set, as the
// client's bitmap fonts measure it (the blank is the space width).
int TextWidth(const TGlyphSet& set, const std::string& text);

// Raises every coverage c to 255 × (c / 255)^gamma: a gamma below 1 makes
// the faint edge pixels of hair-line strokes stronger, so thin symbols keep
// their shape in a font without alpha.
void StrengthenCoverage(TGlyphSet& set, double gamma);

// Coverage at or below this stays transparent.
constexpr int kCoverageThreshold = 40;

// The font resource of a glyph set with one ink per glyph over a ground.
bool ColourFont(const TGlyphSet& set, const std::array<TColour, TFontResource::kGlyphCount>& inks,
                const TColour& ground, std::vector<uint8_t>& resource, std::string& error);

}  // namespace skin
