// The bitmap font resource, written by the skin builder and read by the
// skintool's "font render": a 230-byte header (a stored 16-bit value the
// client does not use, the glyph height, a reserved 16-bit value, the space
// width, one width byte for each byte value 33 ... 255), then the glyph strip
// as a GIZ stream holding all glyphs side by side in byte order.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "resources/Giz.h"

namespace skin {

struct TFontResource {
    static constexpr int kFirstGlyph = 33;
    static constexpr int kGlyphCount = 223;  // byte values 33 ... 255
    static constexpr int kHeaderSize = 230;

    int stored = 0;  // the builder keeps the pixel size here
    int height = 0;
    int spaceWidth = 0;
    std::array<uint8_t, kGlyphCount> widths{};
    std::vector<uint8_t> strip;  // GIZ stream

    int WidthOf(uint8_t ch) const { return ch < kFirstGlyph ? 0 : widths[ch - kFirstGlyph]; }
    // x of a glyph in the strip: the sum of the widths before it.
    int OffsetOf(uint8_t ch) const;
    int TotalWidth() const;
};

// The resource's bytes; false with a message when a value does not fit its
// field or the strip is not a valid GIZ stream.
bool EncodeFont(const TFontResource& font, std::vector<uint8_t>& out, std::string& error);
// Parses and checks a resource: false with a message when it is shorter than
// its header or its strip's header is invalid. The strip header is returned
// for the caller's checks (the client clips glyphs that run past the strip).
bool ParseFont(const std::vector<uint8_t>& bytes, TFontResource& font, TGizHeader& strip,
               std::string& error);

}  // namespace skin
