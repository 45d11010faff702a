// TMyimage: a sprite that shows one bitmap (or a part of it) on a window's
// paint surface.
//
// The bitmap's pixel (0, 0) lies at the window position (x, y); the source
// rectangle picks the part shown, so the bounds are the source rectangle
// moved by (x, y). Sprites are created hidden.
//
// Show draws the image over whatever is in its area at once, then enters the
// parent's children: an image shown under a sprite of a higher layer paints
// over that sprite until the area is redrawn. Hide redraws what it uncovers.
// Every drawing is clipped to the parent's bounds.
//
// Drawing modes: translucent at level / 32 when a level 1 ... 31 is set,
// otherwise transparent (pixel 0 skipped, tinted when the bitmap has a tint)
// when set, otherwise opaque.
#pragma once

#include <string>

#include "graphics/Mybitmap.h"
#include "graphics/Mygfx.h"

class TMyimage : public TMygfx {
public:
    // The cached bitmap of the lower-cased name with one more reference, or
    // the newly loaded one; reports weight 1 during start-up.
    TMyimage(TMygfx* parent, const std::string& name);
    // A blank bitmap of that size, filled once by the callback.
    TMyimage(TMygfx* parent, TRenderCallback render, void* argument, int width, int height);
    ~TMyimage() override;

    void Show() override;
    void Hide() override;
    void Detach() override;
    void Draw(const TRect& rect) override;

    // Moves the image, redrawing what it uncovers when visible.
    void MoveTo(int x, int y);
    void SetX(int x) { MoveTo(x, m_y); }
    void SetY(int y) { MoveTo(m_x, y); }
    // Changes the part shown (clipped to the bitmap). Growing only the right
    // edge paints just the added strip (progress bars grow this way without
    // flicker); any other change hides and shows again.
    void SetClip(const TRect& source);
    // Paints the image once with its pixel (0, 0) at (x, y), without moving;
    // a window never shown gets its back buffer for it.
    void DrawAt(int x, int y);
    void SetTransparent(bool transparent) { m_transparent = transparent; }
    // Level 0 ... 32 (0 and 32: not translucent); builds the translucency
    // table on first use. Takes effect at the next drawing.
    void SetTranslucency(int level);

    int X() const { return m_x; }
    int Y() const { return m_y; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    const TRect& Clip() const { return m_clip; }
    bool Visible() const { return m_visible; }
    bool Moving() const { return m_moving; }
    bool Transparent() const { return m_transparent; }
    int Translucency() const { return m_translucency; }
    const std::string& Name() const { return m_name; }
    TMybitmap* Bitmap() const { return m_bitmap; }

private:
    void Adopt(TMybitmap* bitmap);
    void PlaceBounds();
    // Draws the bitmap's part under area (window coordinates, within the
    // parent) with its pixel (0, 0) at (originX, originY).
    void DrawPart(const TRect& area, int originX, int originY);

    TMybitmap* m_bitmap = nullptr;
    std::string m_name;
    int m_x = 0, m_y = 0;
    int m_width = 0, m_height = 0;
    TRect m_clip;
    bool m_visible = false;
    bool m_moving = false;
    bool m_transparent = false;
    int m_translucency = 0;
};

// Draws the part of bitmap under area (window coordinates) with its pixel
// (0, 0) at (originX, originY) into the surface, in the mode the flags say;
// the image sprites share it.
void DrawSpritePart(const TMybitmap& bitmap, const platform::Surface& target, const TRect& area,
                    int originX, int originY, bool transparent, int translucency);
