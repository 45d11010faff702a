// The bitmap font resource as the skin tools hold it: the header (FontHeader.h,
// shared with the client) and the glyph strip as a GIZ stream. The skin
// builder writes it, the skintool's "font render" reads it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "resources/FontHeader.h"
#include "resources/Giz.h"

namespace skin {

struct TFontResource : TFontHeader {
    std::vector<uint8_t> strip;  // GIZ stream
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
