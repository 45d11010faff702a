#include "SkinBuilder.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "ButtonArt.h"
#include "ControlsArt.h"
#include "DialogArt.h"
#include "DialogWindowsArt.h"
#include "FontMaker.h"
#include "IniMaker.h"
#include "SoundMaker.h"
#include "SplashArt.h"
#include "WindowArt.h"
#include "ToolFiles.h"
#include "resources/PackWriter.h"

namespace skin {

namespace {

struct TSources {
    TSourceFile palette, symbols, settings, texts, sounds;
};

bool LoadSources(const std::string& dir, TSources& s, std::string& error) {
    return s.palette.Load(JoinPath(dir, "palette.txt"), error) &&
           s.symbols.Load(JoinPath(dir, "symbols.txt"), error) &&
           s.settings.Load(JoinPath(dir, "settings.txt"), error) &&
           s.texts.Load(JoinPath(dir, "text.txt"), error) &&
           s.sounds.Load(JoinPath(dir, "sounds.txt"), error);
}

// settings [Splash] Progress as "x,y".
bool ReadSplashLayout(const TSourceFile& settings, TSplashLayout& layout, std::string& error) {
    const TSourceSection* splash = settings.Find("Splash");
    const std::string* progress = splash != nullptr ? splash->Find("Progress") : nullptr;
    if (progress == nullptr || std::sscanf(progress->c_str(), "%d,%d", &layout.barX, &layout.barY) != 2) {
        error = settings.Path() + ": needs [Splash] Progress = x,y";
        return false;
    }
    return true;
}

// Light inks are blended over the panel colour, dark ones over paper. Mid
// tones such as rose and steel are read on the dark surfaces, so only inks
// darker than this count as dark.
constexpr double kDarkInkLuma = 0.35;

TColour GroundFor(const TPalette& palette, const TColour& ink) {
    return palette.Get(ink.Luma() >= kDarkInkLuma ? "panel" : "paper");
}

bool AddColourFonts(const TPalette& palette, const TGlyphSet& body, TPackWriter& pack, std::string& error) {
    for (const TColourFont& font : palette.ColourFonts()) {
        std::array<TColour, TFontResource::kGlyphCount> inks;
        inks.fill(font.colour);
        std::vector<uint8_t> resource;
        if (!ColourFont(body, inks, GroundFor(palette, font.colour), resource, error) ||
            !pack.Add("font" + std::to_string(font.number), std::move(resource), error))
            return false;
    }
    return true;
}

// palette.txt [Named fonts]: name = regular|bold, a type role or a pixel
// size, a colour of the palette.
bool AddNamedFonts(const TSourceFile& source, const TPalette& palette, const TFaces& faces, TPackWriter& pack,
                   std::string& error) {
    const TSourceSection* section = source.Find("Named fonts");
    if (section == nullptr) return true;
    for (const TSourceLine& line : section->lines) {
        const std::vector<std::string> words = SplitWords(line.value);
        int size = words.size() == 3 ? palette.TypeSize(words[1]) : 0;
        if (size == 0 && words.size() == 3) size = std::atoi(words[1].c_str());
        const bool bold = words.size() == 3 && words[0] == "bold";
        const bool nameOk = !line.key.empty() && !std::isdigit(static_cast<unsigned char>(line.key.back()));
        if (line.bare || words.size() != 3 || (!bold && words[0] != "regular") || size < 6 || size > 60 ||
            !palette.Has(words[2]) || !nameOk) {
            error = source.Where(line.number) +
                    "expected name (no trailing digit) = regular|bold, a type role or size 6 ... 60, a colour";
            return false;
        }
        TGlyphSet set;
        std::array<TColour, TFontResource::kGlyphCount> inks;
        inks.fill(palette.Get(words[2]));
        std::vector<uint8_t> resource;
        if (!RenderGlyphSet(bold ? faces.PlainBold() : faces.Plain(), size, Cp1252CodePoints(), set, error) ||
            !ColourFont(set, inks, GroundFor(palette, inks[0]), resource, error) ||
            !pack.Add(line.key, std::move(resource), error))
            return false;
    }
    return true;
}

// How much "bold" in symbols.txt widens a symbol's strokes, in 1/64 pixel.
constexpr int kBoldSymbol = 48;
// The symbols' coverage gamma (StrengthenCoverage).
constexpr double kSymbolGamma = 0.6;

struct TSymbols {
    std::array<uint32_t, TFontResource::kGlyphCount> codes{};
    std::array<TColour, TFontResource::kGlyphCount> inks{};
    std::array<int, TFontResource::kGlyphCount> embolden{};
};

// symbols.txt [Symbols]: one line per byte from 33 on, "code colour" or
// "code colour bold".
bool ReadSymbols(const TSourceFile& source, const TPalette& palette, FT_Face face, TSymbols& symbols,
                 std::string& error) {
    const TSourceSection* section = source.Find("Symbols");
    if (section == nullptr || section->lines.size() > symbols.codes.size()) {
        error = source.Path() + ": needs [Symbols] with at most 223 lines";
        return false;
    }
    symbols.inks.fill(palette.Get("ink"));
    for (size_t i = 0; i < section->lines.size(); ++i) {
        const TSourceLine& line = section->lines[i];
        const std::vector<std::string> words = SplitWords(line.key);
        const bool wellFormed = words.size() == 2 || (words.size() == 3 && words[2] == "bold");
        char* end = nullptr;
        const unsigned long code = wellFormed ? std::strtoul(words[0].c_str(), &end, 16) : 0;
        if (!line.bare || code == 0 || *end != 0 || !palette.Has(words[1])) {
            error = source.Where(line.number) + "expected a hex code point, a palette colour and maybe \"bold\"";
            return false;
        }
        if (FT_Get_Char_Index(face, static_cast<FT_ULong>(code)) == 0) {
            error = source.Where(line.number) + "DejaVu Sans has no glyph " + words[0];
            return false;
        }
        symbols.codes[i] = static_cast<uint32_t>(code);
        symbols.inks[i] = palette.Get(words[1]);
        symbols.embolden[i] = words.size() == 3 ? kBoldSymbol : 0;
    }
    return true;
}

bool AddSymbolFont(const TSources& s, const TPalette& palette, const TFaces& faces, TPackWriter& pack,
                   std::string& error) {
    TSymbols symbols;
    TGlyphSet set;
    if (!ReadSymbols(s.symbols, palette, faces.Plain(), symbols, error) ||
        !RenderGlyphSet(faces.Plain(), palette.TypeSize("body"), symbols.codes, symbols.embolden, set, error))
        return false;
    StrengthenCoverage(set, kSymbolGamma);
    std::vector<uint8_t> resource;
    return ColourFont(set, symbols.inks, palette.Get("panel"), resource, error) &&
           pack.Add("font99", std::move(resource), error);
}

// Images go into the pack; a name longer than a pack member's (the client
// names one, "Glidetumblix") becomes a loose file gfx/<lower-case name>.giz,
// where the client looks next.
bool AddImages(const TSources& s, const TArtContext& context, TPackWriter& pack, std::vector<TImage>& loose,
               TBuildReport& report, std::string& error) {
    TSplashLayout layout;
    std::vector<TImage> images;
    if (!ReadSplashLayout(s.settings, layout, error) ||
        !DrawSplash(context.palette, context.faces, layout, images, error) ||
        !DrawControls(context, images, error) || !DrawButtons(context, images, error) ||
        !DrawDialogs(context, images, error) || !DrawDialogWindows(context, images, error) ||
        !DrawLobby(context, images, error) || !DrawGames(context, images, error) ||
        !DrawGammonPieces(context, images, error) || !DrawWebArt(context, images, error))
        return false;
    for (TImage& image : images) {
        if (image.name.size() > static_cast<size_t>(TPackWriter::kMaxNameLength)) {
            for (char& c : image.name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            loose.push_back(std::move(image));
            continue;
        }
        report.members.push_back(image.name);
        if (!pack.Add(image.name, std::move(image.giz), error)) return false;
    }
    return true;
}

bool WriteLooseImages(const std::vector<TImage>& loose, const std::string& outDir, std::string& error) {
    for (const TImage& image : loose)
        if (!WriteFileBytes(JoinPath(JoinPath(outDir, "gfx"), image.name + ".giz"), image.giz, error)) return false;
    return true;
}

bool WriteSounds(const TSources& s, const std::string& folder, TBuildReport& report, std::string& error) {
    std::vector<TSound> sounds;
    if (!MakeSounds(s.sounds, sounds, error) || !MakeDirectories(folder, error)) return false;
    for (const TSound& sound : sounds) {
        if (!WriteFileBytes(JoinPath(folder, sound.name), sound.wave, error)) return false;
        report.soundCount += 1;
        report.soundBytes += static_cast<long long>(sound.wave.size());
    }
    return true;
}

bool WritePack(const TPackWriter& pack, const std::string& outDir, TBuildReport& report, std::string& error) {
    const std::string gfx = JoinPath(outDir, "gfx");
    std::vector<uint8_t> bytes;
    if (!MakeDirectories(gfx, error) || !pack.Build(bytes, error) ||
        !WriteFileBytes(JoinPath(gfx, "data.pac"), bytes, error))
        return false;
    report.packBytes = static_cast<long long>(bytes.size());
    return true;
}

}  // namespace

bool BuildSkin(const TBuildOptions& options, TBuildReport& report, std::string& error) {
    TSources sources;
    TPalette palette;
    TFaces faces;
    TPackWriter pack;
    std::vector<TImage> loose;
    if (!LoadSources(options.skinDir, sources, error) || !palette.Load(sources.palette, error) ||
        !faces.Load(options.fontDir, error) || !MakeDirectories(options.outDir, error))
        return false;
    // The body glyph set makes the colour fonts, and its height sizes the
    // wells and the caret the pictures draw for entries.
    TGlyphSet body;
    if (!RenderGlyphSet(faces.Plain(), palette.TypeSize("body"), Cp1252CodePoints(), body, error)) return false;
    const TLayout layout(sources.settings);
    const TArtContext context{palette, faces, layout, sources.texts, body, body.height};
    if (!AddImages(sources, context, pack, loose, report, error) || !AddColourFonts(palette, body, pack, error) ||
        !AddNamedFonts(sources.palette, palette, faces, pack, error) ||
        !AddSymbolFont(sources, palette, faces, pack, error))
        return false;
    if (!palette.Missing().empty()) {
        error = "the drawing code asks for the colour \"" + palette.Missing().front() +
                "\", which skin/palette.txt does not define";
        return false;
    }
    return WritePack(pack, options.outDir, report, error) && WriteLooseImages(loose, options.outDir, error) &&
           WriteIniFile(sources.settings, JoinPath(options.outDir, "settings.ini"), error) &&
           WriteIniFile(sources.texts, JoinPath(options.outDir, "text.ini"), error) &&
           WriteSounds(sources, JoinPath(options.outDir, "sound"), report, error);
}

}  // namespace skin
