// The header of a bitmap font resource, read and written here for the client
// (graphics/Myfont) and the skin tools alike.
//
// Layout (230 bytes, numbers little-endian): a stored 16-bit value the client
// does not use (the skin builder keeps the pixel size there), the glyph height
// (16 bits), 2 reserved bytes, the space width (1 byte), then one width byte
// for each byte value 33 ... 255. The glyph strip follows as a GIZ stream
// holding all glyphs side by side in byte order, so a glyph's x in the strip
// is the sum of the widths before it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct TFontHeader {
    static constexpr int kFirstGlyph = 33;
    static constexpr int kGlyphCount = 223;  // byte values 33 ... 255
    static constexpr int kSize = 230;        // bytes before the strip

    int stored = 0;
    int height = 0;
    int spaceWidth = 0;
    std::array<uint8_t, kGlyphCount> widths{};

    // 0 for the bytes below the first glyph.
    int WidthOf(uint8_t ch) const { return ch < kFirstGlyph ? 0 : widths[size_t(ch - kFirstGlyph)]; }
    // x of a glyph in the strip: the sum of the widths before it.
    int OffsetOf(uint8_t ch) const;
    int TotalWidth() const;
};

// Reads the header from the start of a resource; false when it is shorter
// than the header.
bool ReadFontHeader(const uint8_t* data, int64_t length, TFontHeader& header);
// Appends the header's bytes; false with a message (nothing appended) when a
// value does not fit its field or the height is 0.
bool WriteFontHeader(const TFontHeader& header, std::vector<uint8_t>& out, std::string& error);
