// TFontLibrary: the one FreeType library of the program, with every font
// file it has opened and every answer fontconfig gave, shared by all
// browser views.
//
// Each view used to start a FreeType library of its own and open its own
// copy of each face, so every view mapped the font files again and asked
// fontconfig again for every font a page made. Now a file is opened once,
// its cairo face is handed to every view, and a family is looked up once.
//
// Lifetime: the library lives until the program ends. cairo keeps recently
// used fonts (and with them their faces) in caches of its own after the
// views have let go of them, so freeing a face or the library earlier
// would leave cairo pointing at freed memory. What it holds is bounded by
// the number of distinct font files.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <tuple>

typedef struct _cairo_font_face cairo_font_face_t;

namespace web {

class TFontLibrary {
public:
    static TFontLibrary& Shared();

    // The cairo face of a font file; null when it cannot be opened (asked
    // once per path).
    cairo_font_face_t* Face(const std::string& path);
    // The file fontconfig offers for one family; empty when it has none
    // that carries that family, unless acceptAny (then its best match).
    std::string Match(const std::string& family, bool bold, bool italic, bool acceptAny);

    int OpenFaces() const { return static_cast<int>(m_faces.size()); }

private:
    struct TFace;
    using TMatchKey = std::tuple<std::string, bool, bool, bool>;

    TFontLibrary();
    ~TFontLibrary() = delete;
    std::unique_ptr<TFace> Open(const std::string& path);

    void* m_library = nullptr;  // FT_Library
    std::map<std::string, std::unique_ptr<TFace>> m_faces;
    std::map<TMatchKey, std::string> m_matches;
};

}  // namespace web
