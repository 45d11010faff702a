#include "resources/FontHeader.h"

#include "resources/LittleEndian.h"

namespace {
constexpr int kStoredField = 0;
constexpr int kHeightField = 2;
constexpr int kSpaceField = 6;
constexpr int kWidthsField = 7;
}  // namespace

int TFontHeader::OffsetOf(uint8_t ch) const {
    int x = 0;
    for (int c = kFirstGlyph; c < ch; ++c) x += widths[size_t(c - kFirstGlyph)];
    return x;
}

int TFontHeader::TotalWidth() const {
    int total = 0;
    for (uint8_t w : widths) total += w;
    return total;
}

bool ReadFontHeader(const uint8_t* data, int64_t length, TFontHeader& header) {
    if (data == nullptr || length < TFontHeader::kSize) return false;
    header.stored = GetLE16(data + kStoredField);
    header.height = GetLE16(data + kHeightField);
    header.spaceWidth = data[kSpaceField];
    for (int i = 0; i < TFontHeader::kGlyphCount; ++i) header.widths[size_t(i)] = data[kWidthsField + i];
    return true;
}

bool WriteFontHeader(const TFontHeader& header, std::vector<uint8_t>& out, std::string& error) {
    if (header.height < 1 || header.height > 65535 || header.stored < 0 || header.stored > 65535 ||
        header.spaceWidth < 0 || header.spaceWidth > 255) {
        error = "font header value out of range";
        return false;
    }
    const size_t at = out.size();
    out.resize(at + TFontHeader::kSize, 0);
    uint8_t* p = out.data() + at;
    PutLE16(p + kStoredField, uint16_t(header.stored));
    PutLE16(p + kHeightField, uint16_t(header.height));
    p[kSpaceField] = uint8_t(header.spaceWidth);
    for (int i = 0; i < TFontHeader::kGlyphCount; ++i) p[kWidthsField + i] = header.widths[size_t(i)];
    return true;
}
