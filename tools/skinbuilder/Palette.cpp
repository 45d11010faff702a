#include "Palette.h"

#include <algorithm>

namespace skin {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool ParseSmallNumber(const std::string& text, int limit, int& value) {
    if (text.empty() || text.size() > 6) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return value <= limit;
}

}  // namespace

bool ParseColour(const std::string& text, TColour& colour) {
    if (text.size() != 7 || text[0] != '#') return false;
    int v[6];
    for (int i = 0; i < 6; ++i)
        if ((v[i] = HexDigit(text[static_cast<size_t>(i + 1)])) < 0) return false;
    colour = {static_cast<uint8_t>(v[0] * 16 + v[1]), static_cast<uint8_t>(v[2] * 16 + v[3]),
              static_cast<uint8_t>(v[4] * 16 + v[5])};
    return true;
}

bool TPalette::Load(const TSourceFile& source, std::string& error) {
    const TSourceSection* colours = source.Find("Colours");
    const TSourceSection* fonts = source.Find("Colour fonts");
    const TSourceSection* type = source.Find("Type");
    if (colours == nullptr || fonts == nullptr || type == nullptr) {
        error = source.Path() + ": needs the sections [Colours], [Colour fonts] and [Type]";
        return false;
    }
    for (const TSourceLine& line : colours->lines) {
        TColour c;
        if (line.bare || !ParseColour(line.value, c)) {
            error = source.Where(line.number) + "expected name = #rrggbb";
            return false;
        }
        m_colours[line.key] = c;
    }
    for (const TSourceLine& line : fonts->lines) {
        TColourFont font;
        if (line.bare || !ParseSmallNumber(line.key, 254, font.number) || !Has(line.value)) {
            error = source.Where(line.number) + "expected number (0 ... 254) = a colour of [Colours]";
            return false;
        }
        font.colourName = line.value;
        font.colour = m_colours[line.value];
        m_fonts.push_back(font);
    }
    for (const TSourceLine& line : type->lines) {
        int size = 0;
        if (line.bare || !ParseSmallNumber(line.value, 200, size) || size < 6) {
            error = source.Where(line.number) + "expected role = pixel size (6 ... 200)";
            return false;
        }
        m_type[line.key] = size;
    }
    return true;
}

TColour TPalette::Get(const std::string& name) const {
    auto it = m_colours.find(name);
    if (it != m_colours.end()) return it->second;
    if (std::find(m_missing.begin(), m_missing.end(), name) == m_missing.end()) m_missing.push_back(name);
    return {};
}

int TPalette::TypeSize(const std::string& role) const {
    auto it = m_type.find(role);
    return it == m_type.end() ? 0 : it->second;
}

}  // namespace skin
