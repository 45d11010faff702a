#include "web/FontLibrary.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

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

// A face reads its file through a descriptor rather than a mapping of the
// whole file: FreeType keeps the few tables it needs in memory and reads
// each glyph when cairo first draws it, so the file's other pages never
// become part of the program's resident memory.
struct TFontLibrary::TFace {
    FT_StreamRec Stream{};
    FT_Face Ft = nullptr;
    cairo_font_face_t* Cairo = nullptr;
    int Fd = -1;
};

namespace {

// FreeType's read of a stream: count 0 asks whether offset can be reached.
unsigned long ReadAt(FT_Stream stream, unsigned long offset, unsigned char* buffer, unsigned long count) {
    if (count == 0) return offset <= stream->size ? 0 : 1;
    if (offset >= stream->size) return 0;
    const ssize_t got = pread(static_cast<int>(stream->descriptor.value), buffer, count, static_cast<off_t>(offset));
    return got > 0 ? static_cast<unsigned long>(got) : 0;
}

}  // namespace

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
    std::unique_ptr<TFace> face = m_library && !path.empty() ? Open(path) : nullptr;
    cairo_font_face_t* result = face ? face->Cairo : nullptr;
    m_faces[path] = std::move(face);
    return result;
}

std::unique_ptr<TFontLibrary::TFace> TFontLibrary::Open(const std::string& path) {
    auto face = std::make_unique<TFace>();
    face->Fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (face->Fd < 0 || fstat(face->Fd, &info) != 0 || info.st_size <= 0) {
        if (face->Fd >= 0) close(face->Fd);
        return nullptr;
    }
    face->Stream.descriptor.value = face->Fd;
    face->Stream.size = static_cast<unsigned long>(info.st_size);
    face->Stream.read = &ReadAt;
    FT_Open_Args args{};
    args.flags = FT_OPEN_STREAM;
    args.stream = &face->Stream;
    if (FT_Open_Face(static_cast<FT_Library>(m_library), &args, 0, &face->Ft) != 0) {
        close(face->Fd);
        return nullptr;
    }
    face->Cairo = cairo_ft_font_face_create_for_ft_face(face->Ft, 0);
    return face;
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
