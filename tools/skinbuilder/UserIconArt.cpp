// The icons of the lobby's user lists, 18 × 18, transparent over the deep
// of the list wells, in the order of the icon list (the user's icon byte v
// shows picture v):
//
//   1-6    Gir1_gla ... Gir3_gla, Boy1_gla ... Boy3_gla   glad
//   7-12   Gir1 ... Boy3                                  as they are
//   13-18  ..._new                                        new in the zone
//   19-24  ..._mut                                        sulking
//   25-30  ..._zzz                                        asleep, away
//   31-36  ..._psy                                        crazy
//   37     Neutral                                        no face chosen
//   38-41  SGame1 ... SGame4                              playing Tumblix,
//                                                         Backgammon, Puzzle,
//                                                         Yatzy
//
// Three things have to read at a glance in a list row: who (round faces:
// girls on warm grounds with long hair, boys on cool grounds with short
// hair; the three faces of each are those of the registration window), how
// (the mouth and eyes, a badge at the upper right for new, asleep and
// crazy, grey and dim for sulking and asleep) and playing (square game
// tiles instead of a face). Also the selection bar "Rowlight".
#include <cmath>

#include "LobbyArt.h"

namespace skin {

namespace {

constexpr double kMid = kUserIconSize / 2.0;
constexpr int kRowlightWidth = 440, kRowlightHeight = 20;

struct TLook {
    const char* ground;
    const char* hair;
    const char* skin;
    int style;  // 0 short, 1 spiky, 2 cap (boys); 3 long, 4 bun, 5 bob (girls)
};

// The registration window's faces (ButtonArt.cpp), in miniature.
const TLook kBoys[3] = {{"sky", "darkink", "sand", 0}, {"teal", "amberdk", "peach", 1}, {"violet", "night", "sand", 2}};
const TLook kGirls[3] = {{"rose", "darkink", "sand", 3}, {"amber", "amberdk", "peach", 4}, {"pink", "violet", "sand", 5}};

enum class TMood { Glad, Plain, New, Sulky, Asleep, Crazy };

void Circle(cairo_t* cr, double x, double y, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
}

void Stroke(cairo_t* cr, double width) {
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

// A colour faded toward the list's deep (asleep) or greyed (sulking).
TColour Tone(TArtKit& k, const std::string& name, TMood mood) {
    const TColour c = k.Colour(name);
    if (mood == TMood::Asleep) return Mix(c, k.Colour("deep"), 0.45);
    if (mood == TMood::Sulky) return Mix(c, k.Colour("steel"), 0.55);
    return c;
}

const double kFaceY = 10.2, kFaceR = 5.8;

// Girls' hair falls behind the face down to the ground's edge; the bun
// has two locks at the sides.
// Hair a little darker than on the registration faces, so it stands off
// the ground at this size.
TColour HairTone(TArtKit& k, const TLook& look, TMood mood) {
    return Mix(Tone(k, look.hair, mood), k.Colour("night"), 0.3);
}

void HairBehind(TArtKit& k, const TLook& look, TMood mood) {
    if (look.style < 3) return;
    cairo_t* cr = k.Cr();
    k.Canvas().SetColour(HairTone(k, look, mood));
    if (look.style == 3) {
        k.Canvas().RoundedRect(kMid - 7.6, kFaceY - 6.8, 15.2, 14.8, 6);
    } else if (look.style == 4) {
        k.Canvas().RoundedRect(kMid - 7.4, kFaceY - 3, 3.4, 8.5, 1.7);
        k.Canvas().RoundedRect(kMid + 4, kFaceY - 3, 3.4, 8.5, 1.7);
    } else {
        k.Canvas().RoundedRect(kMid - 7.6, kFaceY - 7, 15.2, 11.5, 5);
    }
    cairo_fill(cr);
}

void HairOnTop(TArtKit& k, const TLook& look, TMood mood) {
    cairo_t* cr = k.Cr();
    k.Canvas().SetColour(HairTone(k, look, mood));
    const double cx = kMid, cy = kFaceY, r = kFaceR;
    cairo_new_path(cr);
    switch (look.style) {
        case 0:  // short
            cairo_arc(cr, cx, cy, r + 0.5, M_PI * 1.05, M_PI * 1.95);
            cairo_curve_to(cr, cx + 2, cy - 3.2, cx - 2, cy - 3.2, cx - r, cy - 1);
            break;
        case 1: {  // spiky
            cairo_move_to(cr, cx - r - 0.3, cy - 0.5);
            const double spikes[][2] = {{-4.5, -6}, {-2.2, -4.2}, {-1, -7.2}, {0.8, -4.3}, {2.5, -6.8}, {3.3, -4}, {5.3, -5}};
            for (const auto& s : spikes) cairo_line_to(cr, cx + s[0], cy + s[1]);
            cairo_line_to(cr, cx + r + 0.3, cy - 0.5);
            cairo_curve_to(cr, cx + 2, cy - 3, cx - 2, cy - 3, cx - r - 0.3, cy - 0.5);
            break;
        }
        case 2:  // a cap with its peak
            cairo_arc(cr, cx, cy - 0.8, r + 0.4, M_PI, 2 * M_PI);
            cairo_close_path(cr);
            cairo_fill(cr);
            k.Canvas().RoundedRect(cx - 1, cy - 2, 7.5, 1.8, 0.9);
            break;
        case 3:  // long: a parting fringe
            cairo_arc(cr, cx, cy, r + 0.4, M_PI, 2 * M_PI);
            cairo_curve_to(cr, cx + 3, cy - 3, cx - 1, cy - 3.5, cx - r - 0.4, cy);
            break;
        case 4:  // a bun on top
            Circle(cr, cx, cy - r - 1.6, 2.6);
            cairo_fill(cr);
            cairo_arc(cr, cx, cy, r + 0.3, M_PI * 1.05, M_PI * 1.95);
            cairo_curve_to(cr, cx + 2, cy - 3, cx - 2, cy - 3, cx - r, cy - 1.2);
            break;
        default:  // a bob with a straight fringe
            cairo_arc(cr, cx, cy, r + 0.6, M_PI, 2 * M_PI);
            cairo_line_to(cr, cx + r, cy - 1.6);
            cairo_line_to(cr, cx - r, cy - 1.6);
            break;
    }
    cairo_close_path(cr);
    cairo_fill(cr);
}

void Eyes(TArtKit& k, TMood mood, const TColour& ink) {
    cairo_t* cr = k.Cr();
    k.Canvas().SetColour(ink);
    const double y = kFaceY + 0.2, dx = 2.4;
    for (int side = -1; side <= 1; side += 2) {
        const double x = kMid + side * dx;
        cairo_new_path(cr);
        switch (mood) {
            case TMood::Glad:  // laughing arcs
                cairo_arc(cr, x, y + 0.7, 1.2, M_PI * 1.1, M_PI * 1.9);
                Stroke(cr, 1.1);
                break;
            case TMood::Asleep:  // closed
                cairo_move_to(cr, x - 1.2, y + 0.3);
                cairo_line_to(cr, x + 1.2, y + 0.3);
                Stroke(cr, 1.0);
                break;
            case TMood::Crazy:  // one big, one small
                Circle(cr, x, y, side < 0 ? 1.5 : 0.8);
                if (side < 0)
                    Stroke(cr, 0.9);
                else
                    cairo_fill(cr);
                break;
            case TMood::Sulky:  // eyes under lowered brows
                Circle(cr, x, y + 0.5, 0.9);
                cairo_fill(cr);
                cairo_move_to(cr, x - side * 1.5, y - 1.8);
                cairo_line_to(cr, x + side * 1.1, y - 0.9);
                Stroke(cr, 1.0);
                break;
            default:
                Circle(cr, x, y, 0.95);
                cairo_fill(cr);
                break;
        }
    }
}

void Mouth(TArtKit& k, TMood mood, const TColour& ink) {
    cairo_t* cr = k.Cr();
    k.Canvas().SetColour(ink);
    const double y = kFaceY + 3.0;
    cairo_new_path(cr);
    switch (mood) {
        case TMood::Glad:  // wide open
            cairo_arc(cr, kMid, y - 0.6, 2.7, 0, M_PI);
            cairo_close_path(cr);
            cairo_fill(cr);
            break;
        case TMood::Sulky:  // a frown
            cairo_arc(cr, kMid, y + 2.2, 2.0, M_PI * 1.2, M_PI * 1.8);
            Stroke(cr, 1.1);
            break;
        case TMood::Asleep:  // a small o
            Circle(cr, kMid, y + 0.2, 0.9);
            cairo_fill(cr);
            break;
        case TMood::Crazy:  // a tongue out
            cairo_move_to(cr, kMid - 2.2, y);
            cairo_line_to(cr, kMid + 2.2, y);
            Stroke(cr, 1.0);
            k.Canvas().RoundedRect(kMid - 0.2, y - 0.2, 2.2, 2.4, 1.1);
            k.Canvas().SetColour(k.Colour("rose"));
            cairo_fill(cr);
            break;
        default:  // a smile
            cairo_arc(cr, kMid, y - 0.9, 2.1, M_PI * 0.15, M_PI * 0.85);
            Stroke(cr, 1.1);
            break;
    }
}

// The badge at the upper right: a disc with a night edge, so it stands off
// the face and hair under it.
void Badge(TArtKit& k, TMood mood) {
    if (mood != TMood::New && mood != TMood::Asleep && mood != TMood::Crazy) return;
    cairo_t* cr = k.Cr();
    TCanvas& c = k.Canvas();
    const double x = kUserIconSize - 4.2, y = 4.2, r = 4.1;
    Circle(cr, x, y, r + 0.8);
    c.SetColour(k.Colour("night"));
    cairo_fill(cr);
    Circle(cr, x, y, r);
    c.SetColour(k.Colour(mood == TMood::New ? "leaf" : (mood == TMood::Asleep ? "sky" : "violet")));
    cairo_fill(cr);
    c.SetColour(k.Colour(mood == TMood::Asleep ? "night" : "white"));
    cairo_new_path(cr);
    if (mood == TMood::New) {  // a four-pointed spark
        const double a = 3.0, b = 0.8;
        cairo_move_to(cr, x, y - a);
        cairo_line_to(cr, x + b, y - b);
        cairo_line_to(cr, x + a, y);
        cairo_line_to(cr, x + b, y + b);
        cairo_line_to(cr, x, y + a);
        cairo_line_to(cr, x - b, y + b);
        cairo_line_to(cr, x - a, y);
        cairo_line_to(cr, x - b, y - b);
        cairo_close_path(cr);
        cairo_fill(cr);
    } else if (mood == TMood::Asleep) {  // a z
        cairo_move_to(cr, x - 1.7, y - 1.7);
        cairo_line_to(cr, x + 1.7, y - 1.7);
        cairo_line_to(cr, x - 1.7, y + 1.7);
        cairo_line_to(cr, x + 1.7, y + 1.7);
        Stroke(cr, 1.1);
    } else {  // a spiral
        bool first = true;
        for (double a = 0; a < 4 * M_PI; a += 0.25) {
            const double rr = 0.3 + a * 0.22;
            const double px = x + rr * std::cos(a), py = y + rr * std::sin(a);
            if (first)
                cairo_move_to(cr, px, py);
            else
                cairo_line_to(cr, px, py);
            first = false;
        }
        Stroke(cr, 0.9);
    }
}

void Face(TArtKit& k, const TLook& look, TMood mood) {
    cairo_t* cr = k.Cr();
    Circle(cr, kMid, kMid, kMid - 0.4);
    k.Canvas().SetColour(Tone(k, look.ground, mood));
    cairo_fill(cr);
    HairBehind(k, look, mood);
    Circle(cr, kMid, kFaceY, kFaceR);
    k.Canvas().SetColour(Tone(k, look.skin, mood));
    cairo_fill(cr);
    HairOnTop(k, look, mood);
    const TColour ink = Tone(k, "darkink", mood == TMood::Asleep ? TMood::Asleep : TMood::Plain);
    Eyes(k, mood, ink);
    Mouth(k, mood, ink);
    Badge(k, mood);
}

// No face chosen: a grey silhouette.
void Neutral(TArtKit& k) {
    cairo_t* cr = k.Cr();
    Circle(cr, kMid, kMid, kMid - 0.4);
    k.Canvas().SetColour(k.Colour("steel"));
    cairo_fill(cr);
    cairo_save(cr);
    Circle(cr, kMid, kMid, kMid - 1.2);
    cairo_clip(cr);
    k.Canvas().SetColour(k.Colour("mist"));
    Circle(cr, kMid, 7.2, 3.2);
    cairo_fill(cr);
    cairo_new_path(cr);
    cairo_arc(cr, kMid, 17.5, 6.2, M_PI, 2 * M_PI);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_restore(cr);
}

bool Icon(const TArtContext& ctx, const std::string& name, const TLook* look, TMood mood, int game,
          std::vector<TImage>& images, std::string& error) {
    TCanvas c(kUserIconSize, kUserIconSize);
    TArtKit k(ctx, c);
    if (game > 0)
        k.GameTile(game, 0, 0, kUserIconSize / 30.0);
    else if (look != nullptr)
        Face(k, *look, mood);
    else
        Neutral(k);
    return Encode(name, c, SpriteConversion(k.Colour("deep")), images, error);
}

// The selected row of a user list: a teal tint with a light top edge,
// fading to the right, so a list of any width ends it softly. Nothing marks
// the left edge, where the row's text begins.
bool Rowlight(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    TCanvas c(kRowlightWidth, kRowlightHeight);
    TArtKit k(ctx, c);
    const TColour deep = k.Colour("deep"), teal = k.Colour("teal");
    c.SetLinear(0, 0, Mix(deep, teal, 0.42), 1, kRowlightWidth, 0, Mix(deep, teal, 0.14), 1);
    cairo_paint(c.Cr());
    cairo_rectangle(c.Cr(), 0, 0, kRowlightWidth, 1);
    c.SetLinear(0, 0, teal, 0.6, kRowlightWidth, 0, teal, 0.1);
    cairo_fill(c.Cr());
    cairo_rectangle(c.Cr(), 0, kRowlightHeight - 1, kRowlightWidth, 1);
    c.SetColour(k.Colour("night"), 0.5);
    cairo_fill(c.Cr());
    return Encode("Rowlight", c, BackgroundConversion(ctx.palette), images, error);
}

}  // namespace

bool DrawUserIcons(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    const struct {
        const char* suffix;
        TMood mood;
    } moods[] = {{"_gla", TMood::Glad},   {"", TMood::Plain},     {"_new", TMood::New},
                 {"_mut", TMood::Sulky},  {"_zzz", TMood::Asleep}, {"_psy", TMood::Crazy}};
    for (const auto& m : moods) {
        for (int boy = 0; boy <= 1; ++boy) {
            for (int face = 0; face < 3; ++face) {
                const std::string name = std::string(boy ? "Boy" : "Gir") + std::to_string(face + 1) + m.suffix;
                if (!Icon(ctx, name, boy ? &kBoys[face] : &kGirls[face], m.mood, 0, images, error)) return false;
            }
        }
    }
    if (!Icon(ctx, "Neutral", nullptr, TMood::Plain, 0, images, error)) return false;
    for (int game = 1; game <= 4; ++game)
        if (!Icon(ctx, "SGame" + std::to_string(game), nullptr, TMood::Plain, game, images, error)) return false;
    return Rowlight(ctx, images, error);
}

}  // namespace skin
