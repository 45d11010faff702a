// The shapes every picture of the skin is made of, so the windows share one
// look: window grounds and frames, cards, wells, headings and captions, the
// emblem, pill buttons; and what every picture module needs beside them:
// the finished image type, its encoding, and the layout lines of
// settings.txt that a picture is drawn around.
//
// Grounds (skin/README.md): a window is a vertical gradient raised → night
// with a rim outline; controls sit on flat "panel" cards (the colour the
// light fonts are blended over, so labels draw without fringes); entries and
// lists are "deep" wells; sprites that keep transparency are composited over
// the flat colour they are drawn on (their matte).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Canvas.h"
#include "Palette.h"
#include "SourceFile.h"

namespace skin {

// A finished image: its pack member name and its GIZ stream.
struct TImage {
    std::string name;
    std::vector<uint8_t> giz;
};

// The comma-separated layout lines of settings.txt, read by the pictures
// that draw wells, tracks and boards under the elements placed there.
class TLayout {
public:
    explicit TLayout(const TSourceFile& settings) : m_settings(settings) {}

    // The fields of [section] key; false with a message when the line is
    // missing.
    bool Fields(const std::string& section, const std::string& key, std::vector<std::string>& fields,
                std::string& error) const;
    // count whole numbers from the field index first on (0-based); false
    // with a message when the line is missing or a field is not a number.
    bool Numbers(const std::string& section, const std::string& key, size_t first, size_t count,
                 std::vector<int>& numbers, std::string& error) const;

private:
    const TSourceFile& m_settings;
};

struct TGlyphSet;

// What the picture modules draw with.
struct TArtContext {
    const TPalette& palette;
    const TFaces& faces;
    const TLayout& layout;
    const TSourceFile& texts;  // text.txt: the captions some pictures are sized for
    const TGlyphSet& body;     // the glyphs of the body fonts (font0 ... font15)
    int bodyHeight = 15;       // their glyph height
};

// The conversions of Canvas.h the skin uses.
TConversion BackgroundConversion(const TPalette& palette);
TConversion SpriteConversion(const TColour& matte);
TConversion OpaqueConversion();

// Encodes the canvas as the image name and appends it; false with a message.
bool Encode(const std::string& name, TCanvas& canvas, const TConversion& conversion,
            std::vector<TImage>& images, std::string& error);

constexpr double kWindowCorner = 12;  // [Windows] key = 24,24

// a + (b - a) × t per channel.
TColour Mix(const TColour& a, const TColour& b, double t);

// The skin's shapes on one canvas.
class TArtKit {
public:
    TArtKit(const TPalette& palette, const TFaces& faces, TCanvas& canvas)
        : m_p(palette), m_faces(faces), m_c(canvas) {}
    TArtKit(const TArtContext& context, TCanvas& canvas) : TArtKit(context.palette, context.faces, canvas) {}

    TCanvas& Canvas() { return m_c; }
    cairo_t* Cr() { return m_c.Cr(); }
    TColour Colour(const std::string& name) const { return m_p.Get(name); }
    const TPalette& Palette() const { return m_p; }
    const TFaces& Faces() const { return m_faces; }

    // The window ground over the whole canvas: night outside the rounded
    // corners, the gradient inside (clipped there until Frame), a glow of
    // the accent colour behind the top.
    void WindowGround(const std::string& glow = "teal", double glowAlpha = 0.16);
    // The corner radius of WindowGround and WindowFrame (default 12).
    void SetCorner(double radius) { m_corner = radius; }
    // The rim outline with the fading highlight at the top; ends the clip.
    void WindowFrame();
    // A flat panel card with a line border and a faint top light.
    void Card(double x, double y, double w, double h, double radius = 10);
    // A deep well with an inner shadow at the top (entries, lists, tracks).
    void Well(double x, double y, double w, double h, double radius = 4);
    // An inset night groove, the track of gauges and game wells.
    void Groove(double x, double y, double w, double h, double radius);
    // A bevelled tile: gradient top → bottom, white edge above, night below.
    void Bevel(double x, double y, double w, double h, double r, const TColour& top, const TColour& bottom);
    // 1 px line with a faint light line under it.
    void Separator(double x, double y, double w);
    // The short teal-to-amber rule under titles.
    void Rule(double x, double y, double w);

    // Bold text at the heading size (or another size), baseline at y.
    void Heading(double x, double y, const std::string& utf8, const std::string& colour = "ink",
                 double size = 0);
    // Letter-spaced caption text.
    void Caption(double x, double y, const std::string& utf8, const std::string& colour = "mist",
                 double spacing = 1.2, double size = 0);
    // Regular body text.
    void Body(double x, double y, const std::string& utf8, const std::string& colour = "ink", double size = 0);
    double HeadingWidth(const std::string& utf8, double size = 0);
    double CaptionWidth(const std::string& utf8, double spacing = 1.2, double size = 0);
    double BodyWidth(const std::string& utf8, double size = 0, bool bold = false);
    // Body text centred on cx (bold or regular).
    void BodyCentred(double cx, double y, const std::string& utf8, const std::string& colour, double size,
                     bool bold);

    // The zone's emblem: four tiles, one per game, at a scale of the
    // splash's 88 px emblem.
    void Emblem(double cx, double cy, double scale);
    // One tile of the emblem: game 1 Tumblix (teal, blocks), 2 Backgammon
    // (rose, checker), 3 Puzzle (sky, bubble), 4 Yatzy (amber, die); 30 px
    // at scale 1.
    void GameTile(int game, double x, double y, double scale);
    // The header of a dialog: the small emblem, a title and a caption line.
    void DialogHeader(const std::string& title, const std::string& caption);

private:
    void Blocks(double x, double y, double s, double k);
    void Die(double x, double y, double s, double k);
    void Checker(double x, double y, double s, double k);
    void Bubble(double x, double y, double s, double k);

    const TPalette& m_p;
    const TFaces& m_faces;
    TCanvas& m_c;
    double m_corner = kWindowCorner;
};

// The accent colour of a game (1 ... 4), "teal" for the lobby (0).
std::string GameAccent(int game);

}  // namespace skin
