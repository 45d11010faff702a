#include "graphics/Myfont.h"

#include "graphics/GraphicsState.h"
#include "graphics/GreatBitmap.h"
#include "graphics/LooseFile.h"
#include "resources/Giz.h"
#include "resources/StrFuncs.h"

namespace {

void FillSurface(const platform::Surface& target, const platform::Rect& area, uint32_t pixel) {
    const int bytes = DepthBytesPerPixel(target.depth);
    for (int y = area.top; y < area.bottom; ++y) {
        uint8_t* p = target.pixels + int64_t(y) * target.pitch + int64_t(area.left) * bytes;
        for (int x = area.left; x < area.right; ++x, p += bytes) StorePixel(p, bytes, pixel);
    }
}

}  // namespace

// ---------------------------------------------------------------------------

// A loose font is the file whose path is the name, in any letter case. A
// resource that does not read ends the process inside ReadResource.
TMyfont::TMyfont(const std::string& name, int index) : m_name(name), m_index(index) {
    const bool found = TGreatBitmap::Instance().UseResource(
        name, [&] { return FindFileIgnoringCase(name); },
        [this](const uint8_t* data, int64_t length) {
            ReadResource(data, length);
            return true;
        });
    if (!found) TGreatBitmap::FileNotFound(name);
}

TMyfont::~TMyfont() {
    if (m_strip) m_strip->Release();
}

// The metrics first, then the strip: its size is checked against the stream
// before the blank bitmap is allocated, and a stream that does not decode
// counts as a missing font.
void TMyfont::ReadResource(const uint8_t* data, int64_t length) {
    TGizHeader strip;
    TFontHeader header;
    if (!ReadFontHeader(data, length, header) ||
        !GizReadHeader(data + kHeaderSize, length - kHeaderSize, strip) ||
        int64_t(strip.width) * strip.height > TMybitmap::kMaxPixels)
        TGreatBitmap::FileNotFound(m_name);
    m_height = header.height;
    m_spaceWidth = header.spaceWidth;
    int x = 0;
    for (int i = 0; i < kGlyphCount; ++i) {
        m_widths[size_t(i)] = header.widths[size_t(i)];
        m_offsets[size_t(i)] = x;
        x += m_widths[size_t(i)];
    }
    m_strip = TMybitmap::CreateBlank(strip.width, strip.height);
    const int64_t bytes = int64_t(m_strip->Pitch()) * m_strip->Height();
    if (m_strip->Width() != strip.width ||
        !GizDecode(data + kHeaderSize, length - kHeaderSize, m_strip->Pixels(), bytes, 0,
                   m_strip->Depth())) {
        // Freed first: a Halt that unwinds (the fuzz harness's) skips the
        // destructor of this half-made font.
        m_strip->Release();
        m_strip = nullptr;
        TGreatBitmap::FileNotFound(m_name);
    }
}

int TMyfont::GlyphWidth(uint8_t ch) const {
    return ch >= kFirstGlyph ? m_widths[size_t(ch - kFirstGlyph)] : 0;
}

int TMyfont::GlyphOffset(uint8_t ch) const {
    return ch >= kFirstGlyph ? m_offsets[size_t(ch - kFirstGlyph)] : 0;
}

int TMyfont::TextWidth(const std::string& text) const {
    int width = 0;
    for (char c : text) {
        const auto ch = static_cast<uint8_t>(c);
        if (ch == 32) width += m_spaceWidth;
        else width += GlyphWidth(ch);
    }
    return width;
}

int TMyfont::DrawText(const platform::Surface& target, const platform::Rect& clip,
                      const std::string& text, int x, int y) const {
    const platform::Rect visible = platform::Intersect(clip, {0, 0, target.width, target.height});
    int pen = x;
    for (char c : text) {
        const auto ch = static_cast<uint8_t>(c);
        if (ch <= 32) {
            if (ch == 32 && m_strip->TintPixel() != 0) DrawBlank(target, visible, pen, y);
            pen += m_spaceWidth;
            continue;
        }
        const int w = GlyphWidth(ch);
        if (w == 0) continue;
        DrawGlyph(target, visible, ch, pen, y);
        pen += w;
    }
    return pen - x;
}

void TMyfont::DrawBlank(const platform::Surface& target, const platform::Rect& clip, int x,
                        int y) const {
    if (target.pixels == nullptr || target.depth != m_strip->Depth()) return;
    const platform::Rect cell =
        platform::Intersect({x, y, x + m_spaceWidth, y + m_height}, clip);
    if (!cell.Empty()) FillSurface(target, cell, m_strip->TintPixel());
}

// The visible part of the glyph cell, taken from the glyph's columns of the
// strip; DrawTransparent cuts off whatever lies outside the strip.
void TMyfont::DrawGlyph(const platform::Surface& target, const platform::Rect& clip, uint8_t ch,
                        int x, int y) const {
    const int w = GlyphWidth(ch);
    const platform::Rect cell = platform::Intersect({x, y, x + w, y + m_height}, clip);
    if (cell.Empty()) return;
    const int offset = GlyphOffset(ch);
    const platform::Rect source{offset + (cell.left - x), cell.top - y,
                                offset + (cell.right - x), cell.bottom - y};
    m_strip->DrawTransparent(source, target, cell.left, cell.top);
}

// ---------------------------------------------------------------------------

TFonts& TFonts::Instance() {
    auto& fonts = GraphicsState().Fonts;
    if (!fonts) fonts = std::make_unique<TFonts>();
    return *fonts;
}

void TFonts::Destroy() { GraphicsState().Fonts.reset(); }

TMyfont* TFonts::GetFont(const std::string& name) {
    const std::string lower = LowerCaseAscii(name);
    for (const auto& font : m_fonts)
        if (font->Name() == lower) return font.get();
    m_fonts.push_back(std::make_unique<TMyfont>(lower, Count()));
    return m_fonts.back().get();
}

TMyfont* TFonts::At(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return m_fonts[size_t(index)].get();
}
