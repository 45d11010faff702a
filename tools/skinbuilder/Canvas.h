// Drawing by program for the skin's images: a cairo image surface with the
// few shapes the skin's look is made of (rounded rectangles, gradients,
// bevels, text in DejaVu Sans), and the conversion of the finished picture to
// GIZ pixels.
//
// Conversion rules: pixel 0 is transparent in the client, so an image either
// is opaque everywhere (every pixel composited over a matte colour) or keeps
// its transparency (alpha below one half becomes 0, the rest is composited
// over the matte, the colour the image will be drawn on). Opaque colours that
// would quantise to 0 become the near-black of SkinPixels.h. Backgrounds with
// gradients are dithered (4 × 4 ordered) before the 5-bit quantisation, so
// they show no bands.
#pragma once

#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <string>
#include <vector>

#include "Palette.h"

namespace skin {

// The DejaVu Sans faces, for FreeType (bitmap fonts) and cairo (images).
class TFaces {
public:
    TFaces() = default;
    ~TFaces();
    TFaces(const TFaces&) = delete;
    TFaces& operator=(const TFaces&) = delete;

    // Opens DejaVuSans.ttf and DejaVuSans-Bold.ttf from the folder.
    bool Load(const std::string& folder, std::string& error);
    FT_Library Library() const { return m_library; }
    // A face of its own for the bitmap fonts, since cairo sets the size of
    // the faces it draws with.
    FT_Face Plain() const { return m_plain; }
    FT_Face PlainBold() const { return m_plainBold; }
    cairo_font_face_t* CairoRegular() const { return m_cairoRegular; }
    cairo_font_face_t* CairoBold() const { return m_cairoBold; }

private:
    FT_Library m_library = nullptr;
    FT_Face m_regular = nullptr, m_bold = nullptr, m_plain = nullptr, m_plainBold = nullptr;
    cairo_font_face_t* m_cairoRegular = nullptr;
    cairo_font_face_t* m_cairoBold = nullptr;
};

struct TConversion {
    bool keepTransparency = false;
    bool dither = false;
    TColour matte;  // what the picture is composited over
};

class TCanvas {
public:
    TCanvas(int width, int height);
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    cairo_t* Cr() const { return m_cr; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    void SetColour(const TColour& c, double alpha = 1.0);
    void RoundedRect(double x, double y, double w, double h, double radius);
    // A linear gradient from (x0, y0) in colour a to (x1, y1) in colour b as
    // the source.
    void SetLinear(double x0, double y0, const TColour& a, double alphaA, double x1, double y1,
                   const TColour& b, double alphaB);
    // A radial glow: colour at alpha in the centre fading to nothing at
    // radius.
    void SetGlow(double x, double y, double radius, const TColour& c, double alpha);

    // Text with its baseline at y. Extra spacing is added after each
    // character (for letter-spaced captions).
    void Text(cairo_font_face_t* face, double size, double x, double y, const std::string& utf8,
              double spacing = 0.0);
    double TextWidth(cairo_font_face_t* face, double size, const std::string& utf8,
                     double spacing = 0.0);

    std::vector<uint16_t> ToGizPixels(const TConversion& conversion);

private:
    void UseFace(cairo_font_face_t* face, double size);

    int m_width, m_height;
    cairo_surface_t* m_surface;
    cairo_t* m_cr;
};

}  // namespace skin
