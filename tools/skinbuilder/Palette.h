// The skin's one palette, read from skin/palette.txt: named colours
// ([Colours], "name = #rrggbb"), the colour of each colour font
// ([Colour fonts], "number = colour name") and the type scale ([Type],
// "role = pixel size").
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "SourceFile.h"

namespace skin {

struct TColour {
    uint8_t r = 0, g = 0, b = 0;

    double R() const { return r / 255.0; }
    double G() const { return g / 255.0; }
    double B() const { return b / 255.0; }
    // Relative brightness 0 ... 1 (Rec. 601 weights).
    double Luma() const { return (0.299 * r + 0.587 * g + 0.114 * b) / 255.0; }
};

struct TColourFont {
    int number = 0;
    std::string colourName;
    TColour colour;
};

class TPalette {
public:
    // False with a message on a malformed colour, an unknown colour name in
    // [Colour fonts], or a missing section.
    bool Load(const TSourceFile& source, std::string& error);

    // The named colour; a name the palette lacks is a mistake in the
    // builder's drawing code and ends the build with a message (see Missing).
    TColour Get(const std::string& name) const;
    bool Has(const std::string& name) const { return m_colours.count(name) != 0; }
    // Names asked for that the palette does not hold.
    const std::vector<std::string>& Missing() const { return m_missing; }

    const std::vector<TColourFont>& ColourFonts() const { return m_fonts; }
    // Pixel size of a type role; 0 when absent.
    int TypeSize(const std::string& role) const;

private:
    std::map<std::string, TColour> m_colours;
    std::vector<TColourFont> m_fonts;
    std::map<std::string, int> m_type;
    mutable std::vector<std::string> m_missing;
};

// "#rrggbb" → colour; false when malformed.
bool ParseColour(const std::string& text, TColour& colour);

}  // namespace skin
