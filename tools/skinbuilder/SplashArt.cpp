#include "SplashArt.h"

#include <cmath>


namespace skin {

namespace {

constexpr double kCorner = 12;  // matches [Windows] splash = 24,24
constexpr int kTrackPad = 4;    // the track's rim around the bar

class TSplashPainter {
public:
    TSplashPainter(const TPalette& palette, const TFaces& faces, const TSplashLayout& layout)
        : m_p(palette), m_faces(faces), m_layout(layout), m_c(kSplashWidth, kSplashHeight) {}

    TCanvas& Paint() {
        Ground();
        Rings();
        Emblem(kSplashWidth / 2.0, 98);
        Title(196);
        Tagline(240);
        Track();
        Frame();
        return m_c;
    }

private:
    cairo_t* Cr() { return m_c.Cr(); }

    // Night-blue ground, lighter at the top, with a teal glow behind the
    // emblem and a violet one in the lower right corner.
    void Ground() {
        m_c.SetColour(m_p.Get("night"));
        cairo_paint(Cr());
        m_c.RoundedRect(0, 0, kSplashWidth, kSplashHeight, kCorner);
        cairo_clip(Cr());
        m_c.SetLinear(0, 0, m_p.Get("raised"), 1, 0, kSplashHeight, m_p.Get("night"), 1);
        cairo_paint(Cr());
        m_c.SetGlow(kSplashWidth / 2.0, 110, 300, m_p.Get("teal"), 0.22);
        cairo_paint(Cr());
        m_c.SetGlow(kSplashWidth * 0.9, kSplashHeight * 0.95, 240, m_p.Get("violet"), 0.12);
        cairo_paint(Cr());
    }

    // Faint concentric rings from the upper right corner give depth.
    void Rings() {
        cairo_set_line_width(Cr(), 1);
        for (int i = 0; i < 9; ++i) {
            cairo_new_path(Cr());
            cairo_arc(Cr(), kSplashWidth - 30, 24, 70 + 30 * i, 0, 2 * M_PI);
            m_c.SetColour(m_p.Get("ink"), 0.045 - 0.004 * i);
            cairo_stroke(Cr());
        }
        cairo_new_path(Cr());
    }

    // The emblem: a bevelled tile holding four small tiles, one per game of
    // the zone (blocks, dice, checker, bubble) in the four accent colours.
    void Emblem(double cx, double cy) { TArtKit(m_p, m_faces, m_c).Emblem(cx, cy, 1.0); }

    // The name in the title size, bold, with a soft shadow, then a short
    // teal-to-amber rule under it.
    void Title(double baseline) {
        const std::string title = "Quorvalendix";
        const double size = m_p.TypeSize("title");
        const double width = m_c.TextWidth(m_faces.CairoBold(), size, title);
        const double x = std::round((kSplashWidth - width) / 2);
        m_c.SetColour(m_p.Get("night"), 0.55);
        m_c.Text(m_faces.CairoBold(), size, x, baseline + 3, title);
        m_c.SetLinear(0, baseline - size * 0.75, m_p.Get("white"), 1, 0, baseline, m_p.Get("paper"), 1);
        m_c.Text(m_faces.CairoBold(), size, x, baseline, title);
        m_c.RoundedRect(kSplashWidth / 2.0 - 60, baseline + 14, 120, 3, 1.5);
        m_c.SetLinear(kSplashWidth / 2.0 - 60, 0, m_p.Get("teal"), 1, kSplashWidth / 2.0 + 60, 0,
                      m_p.Get("amber"), 1);
        cairo_fill(Cr());
    }

    void Tagline(double baseline) {
        const std::string text = "TUMBLIX  \u00B7  BACKGAMMON  \u00B7  PUZZLE  \u00B7  YATZY";
        const double size = m_p.TypeSize("caption") + 1;
        const double width = m_c.TextWidth(m_faces.CairoRegular(), size, text, 1.5);
        m_c.SetColour(m_p.Get("mist"));
        m_c.Text(m_faces.CairoRegular(), size, std::round((kSplashWidth - width) / 2), baseline, text, 1.5);
    }

    // The empty track the progress bar fills: an inset groove.
    void Track() {
        const double x = m_layout.barX - kTrackPad, y = m_layout.barY - kTrackPad;
        const double w = kBarWidth + 2 * kTrackPad, h = kBarHeight + 2 * kTrackPad;
        m_c.RoundedRect(x, y, w, h, h / 2);
        m_c.SetColour(m_p.Get("night"));
        cairo_fill_preserve(Cr());
        m_c.SetColour(m_p.Get("line"));
        cairo_set_line_width(Cr(), 1);
        cairo_stroke(Cr());
        m_c.RoundedRect(x + 0.5, y + h - 1.5, w - 1, 1, 0.5);
        m_c.SetColour(m_p.Get("rim"), 0.35);
        cairo_fill(Cr());
        const std::string label = "Loading";
        const double size = m_p.TypeSize("caption");
        const double width = m_c.TextWidth(m_faces.CairoRegular(), size, label, 1);
        m_c.SetColour(m_p.Get("steel"));
        m_c.Text(m_faces.CairoRegular(), size, std::round((kSplashWidth - width) / 2), y + h + 18, label, 1);
    }

    void Frame() {
        cairo_reset_clip(Cr());
        m_c.RoundedRect(0.5, 0.5, kSplashWidth - 1, kSplashHeight - 1, kCorner);
        m_c.SetColour(m_p.Get("rim"));
        cairo_set_line_width(Cr(), 1);
        cairo_stroke(Cr());
        m_c.RoundedRect(1.5, 1.5, kSplashWidth - 3, kSplashHeight - 3, kCorner - 1);
        m_c.SetLinear(0, 0, m_p.Get("white"), 0.12, 0, kSplashHeight / 3.0, m_p.Get("white"), 0);
        cairo_stroke(Cr());
    }

    const TPalette& m_p;
    const TFaces& m_faces;
    const TSplashLayout& m_layout;
    TCanvas m_c;
};

}  // namespace

// The bar: a rounded teal gradient with a glossy upper half, transparent
// outside its rounded ends.
void PaintBar(const TPalette& p, TCanvas& c) {
    c.RoundedRect(0, 0, kBarWidth, kBarHeight, kBarHeight / 2.0);
    c.SetLinear(0, 0, p.Get("tealdk"), 1, kBarWidth, 0, p.Get("teal"), 1);
    cairo_fill(c.Cr());
    c.RoundedRect(0, 0, kBarWidth, kBarHeight, kBarHeight / 2.0);
    c.SetLinear(0, 0, p.Get("tealhi"), 0.55, 0, kBarHeight * 0.6, p.Get("tealhi"), 0);
    cairo_fill(c.Cr());
}

bool DrawSplash(const TPalette& palette, const TFaces& faces, const TSplashLayout& layout,
                std::vector<TImage>& images, std::string& error) {
    if (layout.barX < kTrackPad || layout.barY < kTrackPad ||
        layout.barX + kBarWidth + kTrackPad > kSplashWidth ||
        layout.barY + kBarHeight + kTrackPad + 24 > kSplashHeight) {
        error = "[Splash] Progress puts the bar outside the splash picture";
        return false;
    }
    TSplashPainter painter(palette, faces, layout);
    TConversion ground;
    ground.dither = true;
    ground.matte = palette.Get("night");
    if (!Encode("splash", painter.Paint(), ground, images, error)) return false;

    TCanvas bar(kBarWidth, kBarHeight);
    TConversion sprite;
    sprite.keepTransparency = true;
    sprite.matte = palette.Get("night");
    PaintBar(palette, bar);
    return Encode("progon", bar, sprite, images, error);
}

}  // namespace skin
