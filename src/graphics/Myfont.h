// TMyfont and TFonts: the bitmap fonts and their registry (one per context).
//
// A font resource (a pack member, or a loose file whose path is the font's
// name, matched without regard to letter case) is a header
// (resources/FontHeader.h: glyph height, space width, one width for each byte
// 33 ... 255) followed by the glyph strip as a GIZ stream: every glyph side by
// side in byte order, so a glyph's x in the strip is the sum of the widths
// before it.
//
// Text is Windows-1252 bytes. The blank and every byte below 32 advance by
// the space width when drawn; TextWidth counts only the blank's, so a tab
// measures 0 but draws as a space. A glyph of width 0 draws nothing and does
// not advance. With a tint set on the strip, glyphs draw tinted (dark on a
// block of the tint colour) and blanks fill their cell with it.
//
// Resources are outside input: a glyph that runs past the strip's width, or
// a glyph height above the strip's, draws only the part inside the strip
// (its advance stays its width). A missing font or a strip that does not
// decode ends the process with "File not found " + name.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graphics/Mybitmap.h"
#include "platform/Platform.h"
#include "resources/FontHeader.h"

class TMyfont {
public:
    static constexpr int kFirstGlyph = TFontHeader::kFirstGlyph;
    static constexpr int kGlyphCount = TFontHeader::kGlyphCount;  // bytes 33 ... 255
    // Bytes before the strip's GIZ stream.
    static constexpr int kHeaderSize = TFontHeader::kSize;

    // Loads the resource of the (lower-case) name; index is its place in the
    // registry.
    TMyfont(const std::string& name, int index);
    ~TMyfont();
    TMyfont(const TMyfont&) = delete;
    TMyfont& operator=(const TMyfont&) = delete;

    const std::string& Name() const { return m_name; }
    int Index() const { return m_index; }
    int Height() const { return m_height; }
    int SpaceWidth() const { return m_spaceWidth; }
    // Width and strip x of a byte above 32; 0 for the others.
    int GlyphWidth(uint8_t ch) const;
    int GlyphOffset(uint8_t ch) const;
    TMybitmap& Strip() { return *m_strip; }
    const TMybitmap& Strip() const { return *m_strip; }
    // The strip's tint (0 = none).
    void SetTint(TColour colour) { m_strip->SetTint(colour); }

    // Draws the text with its first glyph at (x, y), clipped to the clip
    // rectangle and the surface; returns the advance (final x - x).
    int DrawText(const platform::Surface& target, const platform::Rect& clip,
                 const std::string& text, int x, int y) const;
    // Sum of the glyph widths of the bytes above 32 and the space width of
    // every blank; other bytes below 32 count 0.
    int TextWidth(const std::string& text) const;

private:
    void ReadResource(const uint8_t* data, int64_t length);
    void DrawBlank(const platform::Surface& target, const platform::Rect& clip, int x,
                   int y) const;
    void DrawGlyph(const platform::Surface& target, const platform::Rect& clip, uint8_t ch,
                   int x, int y) const;

    std::string m_name;
    int m_index = 0;
    int m_height = 0;
    int m_spaceWidth = 0;
    std::array<int, kGlyphCount> m_widths{};
    std::array<int, kGlyphCount> m_offsets{};
    TMybitmap* m_strip = nullptr;
};

class TFonts {
public:
    // The installed context's registry (TGraphicsState), created on first use.
    static TFonts& Instance();
    // Frees every font of the installed context.
    static void Destroy();

    // The registered font of the lower-cased name, loading it on first use.
    TMyfont* GetFont(const std::string& name);
    int Count() const { return static_cast<int>(m_fonts.size()); }
    TMyfont* At(int index) const;

private:
    std::vector<std::unique_ptr<TMyfont>> m_fonts;
};
