#include "web/FontSet.h"

#include <cairo.h>

#include <cmath>
#include <sstream>

#include "web/FontLibrary.h"
#include "web/WebView.h"

namespace web {
namespace {

constexpr int kBoldFrom = 600;

std::string Trim(const std::string& text) {
    size_t begin = text.find_first_not_of(" \t\"'");
    if (begin == std::string::npos) return {};
    size_t end = text.find_last_not_of(" \t\"'");
    return text.substr(begin, end - begin + 1);
}

}  // namespace

TFontSet::TFontSet(const TWebSettings& settings)
    : m_paths{settings.FontRegular, settings.FontBold, settings.FontItalic, settings.FontBoldItalic} {}

std::string TFontSet::ChooseFile(const std::string& families, bool bold, bool italic) const {
    const std::string& given = m_paths[(bold ? 1 : 0) + (italic ? 2 : 0)];
    if (!given.empty()) return given;
    if (!m_paths[0].empty()) return m_paths[0];
    TFontLibrary& library = TFontLibrary::Shared();
    std::stringstream list(families);
    std::string family;
    while (std::getline(list, family, ',')) {
        std::string path = library.Match(Trim(family), bold, italic, false);
        if (!path.empty()) return path;
    }
    return library.Match("sans-serif", bold, italic, true);
}

std::unique_ptr<TFont> TFontSet::Create(const std::string& families, int size, int weight, bool italic) {
    const bool bold = weight >= kBoldFrom;
    cairo_font_face_t* face = TFontLibrary::Shared().Face(ChooseFile(families, bold, italic));
    cairo_font_face_t* toy = nullptr;
    if (!face) {
        toy = cairo_toy_font_face_create("sans-serif", italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                                         bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
        face = toy;
    }
    cairo_matrix_t matrix, identity;
    cairo_matrix_init_scale(&matrix, size, size);
    cairo_matrix_init_identity(&identity);
    // Hinting and anti-aliasing are fixed, so a page draws the same pixels
    // on every machine with the same font file.
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    auto font = std::make_unique<TFont>();
    font->Scaled = cairo_scaled_font_create(face, &matrix, &identity, options);
    cairo_font_options_destroy(options);
    if (toy) cairo_font_face_destroy(toy);
    font->Size = size;
    cairo_font_extents_t extents;
    cairo_scaled_font_extents(font->Scaled, &extents);
    font->Ascent = static_cast<int>(std::ceil(extents.ascent));
    font->Descent = static_cast<int>(std::ceil(extents.descent));
    font->Height = font->Ascent + font->Descent;
    cairo_text_extents_t x;
    cairo_scaled_font_text_extents(font->Scaled, "x", &x);
    font->XHeight = static_cast<int>(std::lround(-x.y_bearing));
    return font;
}

void TFontSet::Release(TFont* font) {
    if (!font) return;
    if (font->Scaled) cairo_scaled_font_destroy(font->Scaled);
    font->Scaled = nullptr;
}

}  // namespace web
