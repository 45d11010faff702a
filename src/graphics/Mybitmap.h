// TMybitmap: a decoded image in the screen's pixel format, shared and
// reference counted, with the four drawing modes of the system.
//
// Ownership: bitmaps are made by the static constructors (Load, Acquire,
// CreateBlank) with one reference and freed by the Release that drops the
// last one; a bitmap loaded by name sits in the registry's cache until then.
//
// Drawing copies a source rectangle of the bitmap to (x, y) of a surface in
// the same depth. The source rectangle is clipped to the bitmap and the
// result to the surface; a surface of another depth receives nothing.
//   DrawOpaque       every pixel written, row copies.
//   DrawTransparent  pixels equal to 0 are skipped; with a tint pixel set the
//                    bitmap draws tinted instead: every non-zero pixel as its
//                    bitwise complement, every 0 as the tint pixel.
//   DrawTranslucent  level 1 ... 31 of 32: target := table(level, source) +
//                    table(32 - level, target) for source pixels not 0, at
//                    depths 15 and 16; at 24 and 32 the same as transparent.
//
// Loading by name: a pack member, else the file whose path is the name, else
// ProgramDirectory() + "gfx/" + name + ".giz", the loose files' names matched
// without regard to letter case (LooseFile.h). A name found
// nowhere, and a stream that does not decode or is larger than any image of
// the system, end the process with "File not found " + name.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "graphics/PixelFormat.h"
#include "platform/Platform.h"
#include "resources/MyMem.h"

class TMybitmap;

// Fills a blank bitmap once, right after it was made.
using TRenderCallback = std::function<void(TMybitmap& bitmap, void* argument)>;

class TMybitmap {
public:
    // The largest picture accepted from a stream or asked for as a blank:
    // far above any skin image (an 800 × 600 window or a font strip of a few
    // thousand by a few dozen pixels), far below what would exhaust memory.
    static constexpr int64_t kMaxPixels = int64_t{1} << 24;

    // Decodes the named image and adds it to the cache under its lower-case
    // name; reports weight 10 during start-up.
    static TMybitmap* Load(const std::string& name);
    // The cached bitmap of exactly this (lower-case) name with one more
    // reference, or a newly loaded one. loaded tells which.
    static TMybitmap* Acquire(const std::string& name, bool* loaded = nullptr);
    // A bitmap of that size in the screen depth, contents undefined; the
    // callback, when given, fills it. Not cached. Sizes below 0 count as 0,
    // sizes above kMaxPixels give an empty bitmap.
    static TMybitmap* CreateBlank(int width, int height, TRenderCallback render = nullptr,
                                  void* argument = nullptr);
    // Whether Load would find the name (a pack member, a file of exactly
    // that path, or the loose gfx file).
    static bool Exists(const std::string& name);

    TMybitmap(const TMybitmap&) = delete;
    TMybitmap& operator=(const TMybitmap&) = delete;

    void AddRef() { ++m_references; }
    // One reference less; the last one removes the bitmap from the cache and
    // frees it.
    void Release();
    int References() const { return m_references; }

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int Depth() const { return m_depth; }
    int BytesPerPixel() const { return m_bytesPerPixel; }
    int Pitch() const { return m_width * m_bytesPerPixel; }
    uint8_t* Pixels() { return m_pixels.Memory(); }
    const uint8_t* Pixels() const { return m_pixels.Memory(); }
    // Same size, depth and pixels (the same bitmap included).
    bool SamePicture(const TMybitmap& other) const;
    // The pixel at (x, y); 0 outside the bitmap.
    uint32_t PixelAt(int x, int y) const;
    // The bitmap as a surface to draw into.
    platform::Surface AsSurface();
    platform::Rect Bounds() const { return {0, 0, m_width, m_height}; }

    // Tint: the converted colour, or none for colour 0.
    void SetTint(TColour colour);
    uint32_t TintPixel() const { return m_tintPixel; }
    TColour TintColour() const { return m_tintColour; }

    // Writes the converted colour into the part of the rectangle inside the
    // bitmap; Clear makes every pixel 0 (transparent).
    void Fill(const platform::Rect& area, TColour colour);
    void Clear();
    // Copies width × height pixels from the surface at (x, y); the part that
    // lies outside the surface is left as it was.
    void Capture(const platform::Surface& source, int x, int y);

    void DrawOpaque(const platform::Rect& source, const platform::Surface& target, int x,
                    int y) const;
    void DrawTransparent(const platform::Rect& source, const platform::Surface& target, int x,
                         int y) const;
    void DrawTranslucent(const platform::Rect& source, const platform::Surface& target, int x,
                         int y, int level) const;
    // Box-filter scaling of the source rectangle onto the target rectangle of
    // another bitmap: each target pixel is the rounded average of the source
    // pixels mapping onto it, transparent ones left out when asked (a target
    // pixel with no opaque source becomes 0).
    void DrawScaled(const platform::Rect& source, TMybitmap& target,
                    const platform::Rect& targetArea, bool skipTransparent) const;

    TRenderCallback RenderCallback() const { return m_render; }
    void* RenderArgument() const { return m_renderArgument; }

private:
    TMybitmap(int width, int height, int depth);
    ~TMybitmap();

    // One drawing's rectangles after clipping: w × h pixels from (sx, sy) of
    // the bitmap to (tx, ty) of the target.
    struct TSpan {
        int sx = 0, sy = 0, tx = 0, ty = 0, w = 0, h = 0;
    };
    bool ClipTo(const platform::Rect& source, const platform::Surface& target, int x, int y,
                TSpan& span) const;
    const uint8_t* Row(int x, int y) const;
    void DrawTinted(const TSpan& span, const platform::Surface& target) const;
    uint32_t AverageCell(const platform::Rect& cell, bool skipTransparent) const;
    bool DecodeNamed(const std::string& name);
    bool DecodeStream(const uint8_t* stream, int64_t length);

    int m_references = 1;
    TMymem m_pixels;
    int m_width = 0, m_height = 0;
    int m_depth = 0, m_bytesPerPixel = 0;
    TRenderCallback m_render;
    void* m_renderArgument = nullptr;
    uint32_t m_tintPixel = 0;
    TColour m_tintColour = 0;
};
