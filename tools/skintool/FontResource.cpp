#include "FontResource.h"

namespace skin {

namespace {

constexpr int kHeightField = 2;
constexpr int kSpaceField = 6;
constexpr int kWidthsField = 7;

void Put16(std::vector<uint8_t>& out, size_t at, int v) {
    out[at] = static_cast<uint8_t>(v);
    out[at + 1] = static_cast<uint8_t>(v >> 8);
}

int Get16(const std::vector<uint8_t>& in, size_t at) { return in[at] | in[at + 1] << 8; }

}  // namespace

int TFontResource::OffsetOf(uint8_t ch) const {
    int x = 0;
    for (int c = kFirstGlyph; c < ch; ++c) x += widths[static_cast<size_t>(c - kFirstGlyph)];
    return x;
}

int TFontResource::TotalWidth() const {
    int total = 0;
    for (uint8_t w : widths) total += w;
    return total;
}

bool EncodeFont(const TFontResource& font, std::vector<uint8_t>& out, std::string& error) {
    if (font.height < 1 || font.height > 65535 || font.stored < 0 || font.stored > 65535 ||
        font.spaceWidth < 0 || font.spaceWidth > 255) {
        error = "font header value out of range";
        return false;
    }
    TGizHeader header;
    if (!GizReadHeader(font.strip.data(), static_cast<int64_t>(font.strip.size()), header)) {
        error = "the glyph strip is not a valid GIZ stream";
        return false;
    }
    out.assign(TFontResource::kHeaderSize, 0);
    Put16(out, 0, font.stored);
    Put16(out, kHeightField, font.height);
    out[kSpaceField] = static_cast<uint8_t>(font.spaceWidth);
    for (int i = 0; i < TFontResource::kGlyphCount; ++i)
        out[static_cast<size_t>(kWidthsField + i)] = font.widths[static_cast<size_t>(i)];
    out.insert(out.end(), font.strip.begin(), font.strip.end());
    return true;
}

bool ParseFont(const std::vector<uint8_t>& bytes, TFontResource& font, TGizHeader& strip,
               std::string& error) {
    if (bytes.size() < static_cast<size_t>(TFontResource::kHeaderSize + kGizHeaderSize)) {
        error = "a font resource has at least " +
                std::to_string(TFontResource::kHeaderSize + kGizHeaderSize) + " bytes; this one has " +
                std::to_string(bytes.size());
        return false;
    }
    font.stored = Get16(bytes, 0);
    font.height = Get16(bytes, kHeightField);
    font.spaceWidth = bytes[kSpaceField];
    for (int i = 0; i < TFontResource::kGlyphCount; ++i)
        font.widths[static_cast<size_t>(i)] = bytes[static_cast<size_t>(kWidthsField + i)];
    font.strip.assign(bytes.begin() + TFontResource::kHeaderSize, bytes.end());
    if (!GizReadHeader(font.strip.data(), static_cast<int64_t>(font.strip.size()), strip)) {
        error = "the glyph strip of the font is not a valid GIZ stream";
        return false;
    }
    return true;
}

}  // namespace skin
