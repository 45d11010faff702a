#include "web/FontLibrary.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <strings.h>

namespace web {
namespace {

// Family names come from the pages, so the answers kept are bounded: a page
// naming thousands of families is answered, but not remembered, beyond this.
constexpr size_t kMaxMatchesKept = 256;

bool IsGeneric(const std::string& family) {
    return family == "serif" || family == "sans-serif" || family == "monospace";
}

// fontconfig always answers with something; the answer counts only when it
// really carries the family asked for (or any answer will do).
std::string AskFontconfig(const std::string& family, bool bold, bool italic, bool acceptAny) {
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
        const bool same = found && strcasecmp(reinterpret_cast<const char*>(found), family.c_str()) == 0;
        if ((acceptAny || IsGeneric(family) || same) && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch)
            path = reinterpret_cast<const char*>(file);
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return path;
}

}  // namespace

struct TFontLibrary::TFace {
    FT_Face Ft = nullptr;
    cairo_font_face_t* Cairo = nullptr;
};

TFontLibrary& TFontLibrary::Shared() {
    static TFontLibrary* library = new TFontLibrary;
    return *library;
}

TFontLibrary::TFontLibrary() {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) == 0) m_library = library;
}

cairo_font_face_t* TFontLibrary::Face(const std::string& path) {
    auto it = m_faces.find(path);
    if (it != m_faces.end()) return it->second ? it->second->Cairo : nullptr;
    std::unique_ptr<TFace> face;
    FT_Face ft = nullptr;
    if (m_library && !path.empty() && FT_New_Face(static_cast<FT_Library>(m_library), path.c_str(), 0, &ft) == 0) {
        face = std::make_unique<TFace>();
        face->Ft = ft;
        face->Cairo = cairo_ft_font_face_create_for_ft_face(ft, 0);
    }
    cairo_font_face_t* result = face ? face->Cairo : nullptr;
    m_faces[path] = std::move(face);
    return result;
}

std::string TFontLibrary::Match(const std::string& family, bool bold, bool italic, bool acceptAny) {
    const TMatchKey key{family, bold, italic, acceptAny};
    auto it = m_matches.find(key);
    if (it != m_matches.end()) return it->second;
    std::string path = AskFontconfig(family, bold, italic, acceptAny);
    if (m_matches.size() < kMaxMatchesKept) m_matches.emplace(key, path);
    return path;
}

}  // namespace web
