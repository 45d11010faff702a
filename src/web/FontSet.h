// TFontSet: the typefaces a page's text is drawn with, loaded with FreeType
// and handed to cairo.
//
// A font file is chosen by the settings' paths when they are given
// (regular, bold, italic, bold italic), otherwise by fontconfig from the
// CSS family list, weight and style. Files and fontconfig's answers come
// from the program's one TFontLibrary, so every set (one per browser view)
// shares them. A family fontconfig cannot place falls back to its
// "sans-serif" match; text is drawn even when no file is found at all
// (cairo's toy face).
#pragma once

#include <memory>
#include <string>

typedef struct _cairo_scaled_font cairo_scaled_font_t;

namespace web {

struct TWebSettings;

// One font as a page uses it: face, size and the metrics litehtml needs.
struct TFont {
    cairo_scaled_font_t* Scaled = nullptr;
    int Size = 0;
    bool Underline = false, LineThrough = false, Overline = false;
    int Ascent = 0, Descent = 0, Height = 0, XHeight = 0;
};

class TFontSet {
public:
    explicit TFontSet(const TWebSettings& settings);
    TFontSet(const TFontSet&) = delete;
    TFontSet& operator=(const TFontSet&) = delete;

    // families: a CSS family list; weight 100..900; size in pixels.
    std::unique_ptr<TFont> Create(const std::string& families, int size, int weight, bool italic);
    void Release(TFont* font);

private:
    std::string ChooseFile(const std::string& families, bool bold, bool italic) const;

    std::string m_paths[4];  // regular, bold, italic, bold italic
};

}  // namespace web
