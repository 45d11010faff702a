#include "ControlsArt.h"

#include <cmath>
#include <cstdio>

#include "SplashArt.h"

namespace skin {

namespace {

constexpr int kScrollSize = 14;
constexpr int kThumbWidth = 8, kThumbHeight = 28;
constexpr int kArrowWidth = 16, kArrowHeight = 22;
constexpr int kBlinkSize = 20;
constexpr int kCheckSize = 18;
constexpr int kCaretWidth = 2;

// A chevron of two strokes through three points.
void Chevron(TCanvas& c, double x0, double y0, double x1, double y1, double x2, double y2, double width) {
    cairo_t* cr = c.Cr();
    cairo_new_path(cr);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_line_to(cr, x2, y2);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

// A small button face: "of" a raised tile with a line border, "on" teal.
void ButtonFace(TArtKit& kit, double w, double h, double r, bool lit) {
    TCanvas& c = kit.Canvas();
    c.RoundedRect(0, 0, w, h, r);
    if (lit) {
        c.SetLinear(0, 0, kit.Colour("tealhi"), 1, 0, h, kit.Colour("teal"), 1);
    } else {
        c.SetLinear(0, 0, kit.Colour("raised"), 1, 0, h, kit.Colour("panel"), 1);
    }
    cairo_fill(kit.Cr());
    c.RoundedRect(0.5, 0.5, w - 1, h - 1, r - 0.5);
    c.SetColour(kit.Colour(lit ? "tealdk" : "line"));
    cairo_set_line_width(kit.Cr(), 1);
    cairo_stroke(kit.Cr());
}

// Scroll buttons, opaque: the deep of the list well shows at the corners.
bool ScrollButtons(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    for (int down = 0; down <= 1; ++down) {
        for (int lit = 0; lit <= 1; ++lit) {
            TCanvas c(kScrollSize, kScrollSize);
            TArtKit kit(ctx, c);
            c.SetColour(kit.Colour("deep"));
            cairo_paint(c.Cr());
            ButtonFace(kit, kScrollSize, kScrollSize, 3, lit != 0);
            c.SetColour(kit.Colour(lit ? "darkink" : "mist"));
            const double m = kScrollSize / 2.0;
            if (down)
                Chevron(c, m - 3.5, m - 1.5, m, m + 2, m + 3.5, m - 1.5, 1.6);
            else
                Chevron(c, m - 3.5, m + 1.5, m, m - 2, m + 3.5, m + 1.5, 1.6);
            // The lists' own, and the same under the game pickers' key "4_List".
            for (const char* prefix : {"", "4_"}) {
                const std::string name = prefix + std::string(down ? "Listdo" : "Listup") + (lit ? "on" : "of");
                if (!Encode(name, c, OpaqueConversion(), images, error)) return false;
            }
        }
    }
    return true;
}

// The thumb: a rounded bar, drawn transparent over the list's deep.
void PaintThumb(TArtKit& kit, bool lit) {
    TCanvas& c = kit.Canvas();
    c.RoundedRect(0, 0, kThumbWidth, kThumbHeight, kThumbWidth / 2.0);
    if (lit)
        c.SetLinear(0, 0, kit.Colour("tealhi"), 1, 0, kThumbHeight, kit.Colour("teal"), 1);
    else
        c.SetLinear(0, 0, kit.Colour("mist"), 1, 0, kThumbHeight, kit.Colour("rim"), 1);
    cairo_fill(kit.Cr());
    c.RoundedRect(1.5, 2, 2, kThumbHeight - 4, 1);
    c.SetColour(kit.Colour("white"), 0.25);
    cairo_fill(kit.Cr());
}

bool Thumbs(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    const struct {
        const char* name;
        bool lit;
    } thumbs[] = {{"Listbar", false}, {"Listbarof", false}, {"Listbaron", true}};
    for (const auto& t : thumbs) {
        TCanvas c(kThumbWidth, kThumbHeight);
        TArtKit kit(ctx, c);
        PaintThumb(kit, t.lit);
        for (const char* prefix : {"", "4_"})
            if (!Encode(prefix + std::string(t.name), c, SpriteConversion(kit.Colour("deep")), images, error))
                return false;
    }
    return true;
}

// The caret: lit for half a second, a dim frame, dark (transparent, so the
// text under it shows), a dim frame again. Ten frames of 100 ms.
bool Caret(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    const char* frames[] = {"teal", "teal", "teal", "teal", "teal", "tealdk", "", "", "", "tealdk"};
    for (int i = 0; i < 10; ++i) {
        TCanvas c(kCaretWidth, ctx.bodyHeight);
        TArtKit kit(ctx, c);
        if (frames[i][0] != 0) {
            cairo_rectangle(c.Cr(), 0, 1, kCaretWidth, ctx.bodyHeight - 2);
            c.SetColour(kit.Colour(frames[i]));
            cairo_fill(c.Cr());
        }
        char name[16];
        std::snprintf(name, sizeof name, "cur%05d", i + 1);
        if (!Encode(name, c, SpriteConversion(kit.Colour("deep")), images, error)) return false;
    }
    return true;
}

// Tab bar arrows, opaque on the panel the tab bars sit on; both the same
// width (the bar places the right arrow by the left one's width).
bool TabArrows(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    for (int right = 0; right <= 1; ++right) {
        for (int lit = 0; lit <= 1; ++lit) {
            TCanvas c(kArrowWidth, kArrowHeight);
            TArtKit kit(ctx, c);
            c.SetColour(kit.Colour("panel"));
            cairo_paint(c.Cr());
            if (lit) ButtonFace(kit, kArrowWidth, kArrowHeight, 5, true);
            c.SetColour(kit.Colour(lit ? "darkink" : "mist"));
            const double cx = kArrowWidth / 2.0, cy = kArrowHeight / 2.0;
            if (right)
                Chevron(c, cx - 2, cy - 5, cx + 3, cy, cx - 2, cy + 5, 2);
            else
                Chevron(c, cx + 2, cy - 5, cx - 3, cy, cx + 2, cy + 5, 2);
            const std::string name = std::string(right ? "Barrig" : "Barle") + (lit ? "on" : "of");
            if (!Encode(name, c, OpaqueConversion(), images, error)) return false;
        }
    }
    return true;
}

// The attention ring over a tab or an arrow: a bright amber ring with a
// soft halo, then a dim thin one. The middle stays open, so the tab's glyph
// shows through while it blinks.
bool Blink(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    for (int lit = 1; lit >= 0; --lit) {
        TCanvas c(kBlinkSize, kBlinkSize);
        TArtKit kit(ctx, c);
        const double m = kBlinkSize / 2.0;
        if (lit) {
            cairo_new_path(c.Cr());
            cairo_arc(c.Cr(), m, m, 8.2, 0, 2 * M_PI);
            c.SetColour(kit.Colour("amberdk"));
            cairo_set_line_width(c.Cr(), 2.6);
            cairo_stroke(c.Cr());
        }
        cairo_new_path(c.Cr());
        cairo_arc(c.Cr(), m, m, lit ? 8.2 : 8.0, 0, 2 * M_PI);
        c.SetColour(kit.Colour(lit ? "amber" : "amberdk"));
        cairo_set_line_width(c.Cr(), lit ? 1.8 : 1.4);
        cairo_stroke(c.Cr());
        if (!Encode(lit ? "Blinkon" : "Blinkof", c, SpriteConversion(kit.Colour("panel")), images, error))
            return false;
    }
    return true;
}

void PaintCheck(TArtKit& kit, bool checked, bool lit) {
    TCanvas& c = kit.Canvas();
    const double s = kCheckSize;
    c.RoundedRect(0, 0, s, s, 4);
    if (checked)
        c.SetLinear(0, 0, kit.Colour(lit ? "white" : "tealhi"), 1, 0, s, kit.Colour(lit ? "tealhi" : "teal"), 1);
    else
        c.SetColour(kit.Colour("deep"));
    cairo_fill(kit.Cr());
    if (!checked) {
        c.RoundedRect(1, 1, s - 2, 2, 1);
        c.SetColour(kit.Colour("night"), 0.6);
        cairo_fill(kit.Cr());
    }
    c.RoundedRect(0.5, 0.5, s - 1, s - 1, 3.5);
    c.SetColour(kit.Colour(checked ? "tealdk" : (lit ? "teal" : "rim")));
    cairo_set_line_width(kit.Cr(), lit && !checked ? 1.5 : 1);
    cairo_stroke(kit.Cr());
    if (checked) {
        c.SetColour(kit.Colour("darkink"));
        Chevron(c, 4.5, 9.5, 7.8, 12.8, 13.5, 5.5, 2.2);
    }
}

// A toggle's states "Chekof" (unticked) and "Chekon" (ticked), each a
// button with its "of" and its lit "on" picture.
bool Checks(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    for (int checked = 0; checked <= 1; ++checked) {
        for (int lit = 0; lit <= 1; ++lit) {
            TCanvas c(kCheckSize, kCheckSize);
            TArtKit kit(ctx, c);
            PaintCheck(kit, checked != 0, lit != 0);
            // The Tumblix window's Ready toggle ("1_Chek...") and the Backgammon
            // options ("2_chek...") have the same states under names of their own.
            for (const char* prefix : {"", "1_", "2_"}) {
                std::string name = std::string(prefix) + (checked ? "Chekon" : "Chekof") + (lit ? "on" : "of");
                if (prefix[0] == '2') name[2] = 'c';
                if (!Encode(name, c, SpriteConversion(kit.Colour("panel")), images, error)) return false;
            }
        }
    }
    return true;
}

}  // namespace

// A glide menu's background: a raised frame of the section's frame width
// (tinted with an accent, if any) with a rim outline around a flat panel,
// the colour the items' captions are blended over. The corner radius stays
// inside the frame, so moving the right and bottom edges in keeps the
// corners whole.
bool GlidePicture(const TArtContext& ctx, const std::string& section, int width, int height,
                  const std::string& accent, std::vector<TImage>& images, std::string& error) {
    std::vector<int> frame;
    if (!ctx.layout.Numbers(section, "Framewidth", 0, 1, frame, error)) return false;
    const double f = frame[0];
    if (f < 2 || f > 20) {
        error = "[" + section + "] Framewidth must lie in 2 ... 20";
        return false;
    }
    TCanvas c(width, height);
    TArtKit kit(ctx, c);
    const double w = width, h = height, r = f - 1;
    const TColour tint = accent.empty() ? kit.Colour("raised") : kit.Colour(accent);
    c.SetColour(kit.Colour("night"));
    cairo_paint(c.Cr());
    c.RoundedRect(0, 0, w, h, r);
    c.SetColour(accent.empty() ? tint : Mix(kit.Colour("raised"), tint, 0.45));
    cairo_fill(c.Cr());
    cairo_rectangle(c.Cr(), f, f, w - 2 * f, h - 2 * f);
    c.SetColour(kit.Colour("panel"));
    cairo_fill(c.Cr());
    cairo_rectangle(c.Cr(), f - 0.5, f - 0.5, w - 2 * f + 1, h - 2 * f + 1);
    c.SetColour(kit.Colour("line"));
    cairo_set_line_width(c.Cr(), 1);
    cairo_stroke(c.Cr());
    c.RoundedRect(0.5, 0.5, w - 1, h - 1, r - 0.5);
    c.SetColour(accent.empty() ? kit.Colour("rim") : Mix(tint, kit.Colour("night"), 0.2));
    cairo_stroke(c.Cr());
    cairo_rectangle(c.Cr(), r, 1, w - 2 * r, 1);
    c.SetColour(kit.Colour("white"), 0.18);
    cairo_fill(c.Cr());
    return Encode(section, c, OpaqueConversion(), images, error);
}

namespace {

// The symbol picker: a small window whose list well holds the symbols and
// the scroll bar; the list's place comes from [Charselect] List.
bool Symbol(const TArtContext& ctx, const std::string& prefix, std::vector<TImage>& images, std::string& error) {
    std::vector<int> list;  // x, y, column width, height
    if (!ctx.layout.Numbers("Charselect", prefix + "List", 0, 4, list, error)) return false;
    const int right = list[0] + list[2] + 4 + kScrollSize;
    const int w = right + list[0], h = list[1] + list[3] + list[0];
    TCanvas c(w, h);
    TArtKit kit(ctx, c);
    kit.SetCorner(6);
    kit.WindowGround();
    kit.Caption(list[0], list[1] - 10, "SYMBOLS");
    kit.Well(list[0] - 4, list[1] - 4, right - list[0] + 8, list[3] + 8);
    kit.WindowFrame();
    return Encode(prefix + "Symbol", c, BackgroundConversion(ctx.palette), images, error);
}

bool UpdateBar(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    TCanvas bar(kBarWidth, kBarHeight);
    PaintBar(ctx.palette, bar);
    return Encode("Updateon", bar, SpriteConversion(ctx.palette.Get("night")), images, error);
}

}  // namespace

bool DrawControls(const TArtContext& context, std::vector<TImage>& images, std::string& error) {
    return ScrollButtons(context, images, error) && Thumbs(context, images, error) &&
           Caret(context, images, error) && TabArrows(context, images, error) && Blink(context, images, error) &&
           Checks(context, images, error) &&
           GlidePicture(context, "Glide", kGlideWidth, kGlideHeight, "", images, error) &&
           Symbol(context, "", images, error) && Symbol(context, "4_", images, error) &&
           UpdateBar(context, images, error);
}

}  // namespace skin
