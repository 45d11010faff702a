#include "web/FontSet.h"

#include <cairo-ft.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <sstream>
#include <strings.h>

#include "web/WebView.h"

namespace web {
namespace {

constexpr int kBoldFrom = 600;

FT_Library Library(void* library) { return static_cast<FT_Library>(library); }

std::string Trim(const std::string& text) {
    size_t begin = text.find_first_not_of(" \t\"'");
    if (begin == std::string::npos) return {};
    size_t end = text.find_last_not_of(" \t\"'");
    return text.substr(begin, end - begin + 1);
}

// The file fontconfig offers for one family; empty when it has none that
// really carries that family (fontconfig always answers with something).
std::string MatchFamily(const std::string& family, bool bold, bool italic, bool acceptAny) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    std::string path;
    if (match) {
        FcChar8* file = nullptr;
        FcChar8* found = nullptr;
        FcPatternGetString(match, FC_FAMILY, 0, &found);
        const bool generic = family == "serif" || family == "sans-serif" || family == "monospace";
        const bool same = found && strcasecmp(reinterpret_cast<const char*>(found), family.c_str()) == 0;
        if ((acceptAny || generic || same) && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch)
            path = reinterpret_cast<const char*>(file);
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return path;
}

}  // namespace

struct TFontSet::TFace {
    FT_Face Ft = nullptr;
    cairo_font_face_t* Cairo = nullptr;
    ~TFace() {
        if (Cairo) cairo_font_face_destroy(Cairo);
        if (Ft) FT_Done_Face(Ft);
    }
};

TFontSet::TFontSet(const TWebSettings& settings)
    : m_paths{settings.FontRegular, settings.FontBold, settings.FontItalic, settings.FontBoldItalic} {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) == 0) m_library = library;
}

TFontSet::~TFontSet() {
    m_faces.clear();
    if (m_library) FT_Done_FreeType(Library(m_library));
}

std::string TFontSet::ChooseFile(const std::string& families, bool bold, bool italic) const {
    const std::string& given = m_paths[(bold ? 1 : 0) + (italic ? 2 : 0)];
    if (!given.empty()) return given;
    if (!m_paths[0].empty()) return m_paths[0];
    std::stringstream list(families);
    std::string family;
    while (std::getline(list, family, ',')) {
        std::string path = MatchFamily(Trim(family), bold, italic, false);
        if (!path.empty()) return path;
    }
    return MatchFamily("sans-serif", bold, italic, true);
}

// cairo holds the FreeType face for as long as the set lives; the set frees
// its cairo faces before the FreeType library.
cairo_font_face_t* TFontSet::Face(const std::string& path) {
    auto it = m_faces.find(path);
    if (it != m_faces.end()) return it->second ? it->second->Cairo : nullptr;
    std::unique_ptr<TFace> face;
    FT_Face ft = nullptr;
    if (m_library && !path.empty() && FT_New_Face(Library(m_library), path.c_str(), 0, &ft) == 0) {
        face = std::make_unique<TFace>();
        face->Ft = ft;
        face->Cairo = cairo_ft_font_face_create_for_ft_face(ft, 0);
    }
    cairo_font_face_t* result = face ? face->Cairo : nullptr;
    m_faces[path] = std::move(face);
    return result;
}

std::unique_ptr<TFont> TFontSet::Create(const std::string& families, int size, int weight, bool italic) {
    const bool bold = weight >= kBoldFrom;
    cairo_font_face_t* face = Face(ChooseFile(families, bold, italic));
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
