#include "ButtonArt.h"

#include <cmath>

namespace skin {

namespace {

constexpr double kButtonRadius = 6;
constexpr int kSwitchWidth = 176;
constexpr int kFaceSize = 48;

// The pill of a button: the "of" picture is raised (amber-rimmed for a
// primary button), the "on" picture lit teal (amber for a primary one).
void Pill(TArtKit& kit, double w, double h, bool primary, bool lit) {
    TCanvas& c = kit.Canvas();
    c.RoundedRect(0, 0, w, h, kButtonRadius);
    if (lit && primary)
        c.SetLinear(0, 0, kit.Colour("amber"), 1, 0, h, kit.Colour("amberdk"), 1);
    else if (lit)
        c.SetLinear(0, 0, kit.Colour("tealhi"), 1, 0, h, kit.Colour("teal"), 1);
    else
        c.SetLinear(0, 0, kit.Colour("raised"), 1, 0, h, kit.Colour("deep"), 1);
    cairo_fill(kit.Cr());
    c.RoundedRect(1.5, 1.5, w - 3, h - 3, kButtonRadius - 1.5);
    c.SetLinear(0, 0, kit.Colour("white"), lit ? 0.35 : 0.12, 0, h / 2, kit.Colour("white"), 0);
    cairo_set_line_width(kit.Cr(), 1);
    cairo_stroke(kit.Cr());
    c.RoundedRect(0.5, 0.5, w - 1, h - 1, kButtonRadius - 0.5);
    const char* rim = primary ? "amberdk" : (lit ? "tealdk" : "rim");
    c.SetColour(kit.Colour(rim));
    cairo_stroke(kit.Cr());
}

// The gender switch: both halves shown, the state's own half lit. State
// "Boy" lights "Male", state "Gir" lights "Female"; a click moves on.
bool GenderSwitch(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    const char* words[2] = {"\u2642  Male", "\u2640  Female"};
    for (int state = 0; state <= 1; ++state) {
        for (int lit = 0; lit <= 1; ++lit) {
            TCanvas c(kSwitchWidth, kButtonHeight);
            TArtKit kit(ctx, c);
            const double w = kSwitchWidth, h = kButtonHeight, half = w / 2;
            c.RoundedRect(0, 0, w, h, kButtonRadius);
            c.SetColour(kit.Colour("deep"));
            cairo_fill(c.Cr());
            c.RoundedRect(state * half + 2, 2, half - 4, h - 4, kButtonRadius - 2);
            if (lit)
                c.SetLinear(0, 0, kit.Colour("tealhi"), 1, 0, h, kit.Colour("teal"), 1);
            else
                c.SetLinear(0, 0, kit.Colour("teal"), 1, 0, h, kit.Colour("tealdk"), 1);
            cairo_fill(c.Cr());
            c.RoundedRect(0.5, 0.5, w - 1, h - 1, kButtonRadius - 0.5);
            c.SetColour(kit.Colour(lit ? "teal" : "rim"));
            cairo_set_line_width(c.Cr(), 1);
            cairo_stroke(c.Cr());
            for (int side = 0; side <= 1; ++side) {
                const char* ink = side == state ? "darkink" : "mist";
                kit.BodyCentred(side * half + half / 2, h / 2 + 4.5, words[side], ink, 0, side == state);
            }
            const std::string name = std::string(state ? "Gir" : "Boy") + (lit ? "on" : "of");
            if (!Encode(name, c, SpriteConversion(kit.Colour("panel")), images, error)) return false;
        }
    }
    return true;
}

struct TFace {
    const char* name;
    const char* ground;  // tile colour
    const char* hair;
    const char* skin;
    int style;  // hair style 0 ... 5
};

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}

// Hair behind the head (long styles) and on top of it.
void Hair(TArtKit& kit, const TFace& face, bool front) {
    cairo_t* cr = kit.Cr();
    TCanvas& c = kit.Canvas();
    c.SetColour(kit.Colour(face.hair));
    const double cx = 24, cy = 24;
    switch (face.style) {
        case 0:  // short and neat
            if (front) {
                cairo_new_path(cr);
                cairo_arc(cr, cx, cy, 11.5, M_PI * 1.02, M_PI * 1.98);
                cairo_line_to(cr, cx + 9, cy - 4);
                cairo_curve_to(cr, cx + 2, cy - 7, cx - 5, cy - 6, cx - 11, cy - 2);
                cairo_fill(cr);
            }
            break;
        case 1:  // spiky
            if (front) {
                cairo_new_path(cr);
                cairo_move_to(cr, cx - 12, cy - 1);
                const double spikes[][2] = {{-11, -12}, {-6, -8}, {-3, -16}, {1, -9}, {5, -15}, {7, -8}, {12, -11}};
                for (const auto& s : spikes) cairo_line_to(cr, cx + s[0], cy + s[1]);
                cairo_line_to(cr, cx + 12, cy - 1);
                cairo_curve_to(cr, cx + 6, cy - 6, cx - 6, cy - 6, cx - 12, cy - 1);
                cairo_fill(cr);
            }
            break;
        case 2:  // a cap
            if (front) {
                cairo_new_path(cr);
                cairo_arc(cr, cx, cy - 2, 12, M_PI, 2 * M_PI);
                cairo_close_path(cr);
                cairo_fill(cr);
                c.RoundedRect(cx - 2, cy - 4, 17, 4, 2);
                cairo_fill(cr);
            }
            break;
        case 3:  // long
            if (!front) {
                c.RoundedRect(cx - 14, cy - 12, 28, 32, 12);
                cairo_fill(cr);
            } else {
                cairo_new_path(cr);
                cairo_arc(cr, cx, cy, 12, M_PI, 2 * M_PI);
                cairo_curve_to(cr, cx + 8, cy - 8, cx - 2, cy - 9, cx - 12, cy);
                cairo_fill(cr);
            }
            break;
        case 4:  // a bun
            if (front) {
                Ellipse(cr, cx, cy - 13, 6, 5);
                cairo_fill(cr);
                cairo_new_path(cr);
                cairo_arc(cr, cx, cy, 11.5, M_PI * 1.05, M_PI * 1.95);
                cairo_curve_to(cr, cx + 6, cy - 6, cx - 6, cy - 6, cx - 11, cy - 3);
                cairo_fill(cr);
            }
            break;
        default:  // a bob with a fringe
            if (!front) {
                c.RoundedRect(cx - 14, cy - 13, 28, 24, 10);
                cairo_fill(cr);
            } else {
                cairo_new_path(cr);
                cairo_arc(cr, cx, cy, 12.5, M_PI, 2 * M_PI);
                cairo_line_to(cr, cx + 12, cy - 3);
                cairo_line_to(cr, cx - 12, cy - 3);
                cairo_fill(cr);
            }
            break;
    }
}

void PaintFace(TArtKit& kit, const TFace& face, bool lit) {
    cairo_t* cr = kit.Cr();
    TCanvas& c = kit.Canvas();
    const double s = kFaceSize;
    const TColour ground = kit.Colour(face.ground);
    kit.Bevel(0, 0, s, s, 10, Mix(ground, kit.Colour("white"), 0.15), Mix(ground, kit.Colour("night"), 0.35));
    c.RoundedRect(1, 1, s - 2, s - 2, 9);
    cairo_save(cr);
    cairo_clip(cr);
    Hair(kit, face, false);
    Ellipse(cr, 24, 50, 15, 11);  // shoulders
    c.SetColour(kit.Colour("paper"));
    cairo_fill(cr);
    c.RoundedRect(20.5, 33, 7, 7, 2);  // neck
    c.SetColour(Mix(kit.Colour(face.skin), kit.Colour("night"), 0.15));
    cairo_fill(cr);
    cairo_new_path(cr);
    cairo_arc(cr, 24, 24, 11, 0, 2 * M_PI);
    c.SetColour(kit.Colour(face.skin));
    cairo_fill(cr);
    Hair(kit, face, true);
    c.SetColour(kit.Colour("darkink"));
    for (int side = -1; side <= 1; side += 2) {
        cairo_new_path(cr);
        cairo_arc(cr, 24 + side * 4, 25, 1.4, 0, 2 * M_PI);
        cairo_fill(cr);
    }
    cairo_new_path(cr);
    cairo_arc(cr, 24, 27.5, 4, M_PI * 0.2, M_PI * 0.8);
    cairo_set_line_width(cr, 1.3);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    cairo_restore(cr);
    c.RoundedRect(lit ? 1 : 0.5, lit ? 1 : 0.5, s - (lit ? 2 : 1), s - (lit ? 2 : 1), 9.5);
    c.SetColour(kit.Colour(lit ? "tealhi" : "line"));
    cairo_set_line_width(cr, lit ? 2 : 1);
    cairo_stroke(cr);
}

bool Faces(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    const TFace faces[] = {
        {"Boy1", "sky", "darkink", "sand", 0},    {"Boy2", "teal", "amberdk", "peach", 1},
        {"Boy3", "violet", "night", "sand", 2},   {"Gir1", "rose", "darkink", "sand", 3},
        {"Gir2", "amber", "amberdk", "peach", 4}, {"Gir3", "pink", "violet", "sand", 5},
    };
    for (const TFace& face : faces) {
        for (int lit = 0; lit <= 1; ++lit) {
            TCanvas c(kFaceSize, kFaceSize);
            TArtKit kit(ctx, c);
            PaintFace(kit, face, lit != 0);
            if (!Encode(std::string(face.name) + (lit ? "on" : "of"), c, SpriteConversion(kit.Colour("panel")),
                        images, error))
                return false;
        }
    }
    return true;
}

bool DialogButtons(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    const struct {
        const char* element;
        const char* label;
        bool primary;
    } buttons[] = {{"OK", "OK", true}, {"Cancel", "Cancel", false}, {"New", "New", false}};
    for (const auto& b : buttons)
        if (!LabelledButton(ctx, b.element, b.label, b.primary, images, error)) return false;
    for (int slot = 0; slot <= 4; ++slot) {
        const std::string n = std::to_string(slot);
        if (!LabelledButton(ctx, n + "_mbYes", "Yes", true, images, error) ||
            !LabelledButton(ctx, n + "_mbOk", "OK", true, images, error) ||
            !LabelledButton(ctx, n + "_mbNo", "No", false, images, error) ||
            !LabelledButton(ctx, n + "_mbCan", "Cancel", false, images, error))
            return false;
    }
    return LabelledButton(ctx, "0_mbCus1", "Search ports", false, images, error);
}

}  // namespace

bool LabelledButton(const TArtContext& ctx, const std::string& element, const std::string& label, bool primary,
                    std::vector<TImage>& images, std::string& error) {
    for (int lit = 0; lit <= 1; ++lit) {
        TCanvas c(kButtonWidth, kButtonHeight);
        TArtKit kit(ctx, c);
        Pill(kit, kButtonWidth, kButtonHeight, primary, lit != 0);
        if (kit.BodyWidth(label, 0, true) > kButtonWidth - 12) {
            error = "the label \"" + label + "\" is too wide for its button";
            return false;
        }
        const char* ink = lit ? "darkink" : (primary ? "amber" : "ink");
        kit.BodyCentred(kButtonWidth / 2.0, kButtonHeight / 2.0 + 4.5, label, ink, 0, true);
        if (!Encode(element + (lit ? "on" : "of"), c, SpriteConversion(kit.Colour("panel")), images, error))
            return false;
    }
    return true;
}

bool DrawButtons(const TArtContext& context, std::vector<TImage>& images, std::string& error) {
    return DialogButtons(context, images, error) && GenderSwitch(context, images, error) &&
           Faces(context, images, error);
}

}  // namespace skin
