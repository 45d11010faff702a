#include "FontResource.h"

namespace skin {

bool EncodeFont(const TFontResource& font, std::vector<uint8_t>& out, std::string& error) {
    TGizHeader header;
    if (!GizReadHeader(font.strip.data(), static_cast<int64_t>(font.strip.size()), header)) {
        error = "the glyph strip is not a valid GIZ stream";
        return false;
    }
    out.clear();
    if (!WriteFontHeader(font, out, error)) return false;
    out.insert(out.end(), font.strip.begin(), font.strip.end());
    return true;
}

bool ParseFont(const std::vector<uint8_t>& bytes, TFontResource& font, TGizHeader& strip,
               std::string& error) {
    constexpr size_t kLeast = TFontHeader::kSize + kGizHeaderSize;
    if (bytes.size() < kLeast ||
        !ReadFontHeader(bytes.data(), static_cast<int64_t>(bytes.size()), font)) {
        error = "a font resource has at least " + std::to_string(kLeast) + " bytes; this one has " +
                std::to_string(bytes.size());
        return false;
    }
    font.strip.assign(bytes.begin() + TFontHeader::kSize, bytes.end());
    if (!GizReadHeader(font.strip.data(), static_cast<int64_t>(font.strip.size()), strip)) {
        error = "the glyph strip of the font is not a valid GIZ stream";
        return false;
    }
    return true;
}

}  // namespace skin
