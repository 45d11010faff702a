// The sprites of the Puzzle window, all drawn over the night of the field
// grooves (their matte) unless said otherwise:
//
//   3_bobble1..6   28 × 28  the six colours, each with a white symbol of its
//                           own (triangle, square, ring, diamond, star,
//                           cross), so colour-blind players tell them apart
//   3_bobble7               the bomb: a dark sphere with a fuse and a spark
//   3_bobble8               a plain steel bubble (the client loads it)
//   3_out001..006           a burst: a ring of shards flying apart, fading
//   3_bomb01..06            destroyed by a bomb: an amber flash into smoke
//   3_in0001..006           trash arriving: a ring closing in on the cell
//   3_can001..043  64 × 64  the canon: a base at the bottom and a barrel
//                           pointing 3 degrees further right per frame, from
//                           153 degrees to 27, with a sight line so the aim
//                           reads at a glance
//   3_line01..04   224 × 2  the death line, rose dashes that march
//   3_column       14 × 170 the shot clock, teal at the bottom to rose at
//                           the top, over the middle card's groove
//   3_Pause        184 × 96 the pause notice over the own field
//   3_Pauseon/of   100 × 28 the pause button
// Sizes of the bubbles and the canon come from the rules' shared layout,
// which the server's referee uses too.
#include <cmath>
#include <functional>

#include "ButtonArt.h"
#include "WindowArt.h"
#include "rules/puzzle/PuzzleCanon.h"
#include "rules/puzzle/PuzzleLayout.h"

namespace skin {

namespace {

constexpr int kB = rules::kPuzzleBubbleSize;
constexpr int kCan = rules::kPuzzleCanonSize;
constexpr int kStripFrames = 6;
constexpr int kLineFrames = 4;
constexpr int kColumnWidth = 14, kColumnHeight = 170;
constexpr int kPauseWidth = 184, kPauseHeight = 96;
const char* const kBubbleColours[6] = {"rose", "amber", "leaf", "sky", "violet", "lemon"};

void SetSource(cairo_pattern_t* p, double offset, const TColour& c, double alpha) {
    cairo_pattern_add_color_stop_rgba(p, offset, c.r / 255.0, c.g / 255.0, c.b / 255.0, alpha);
}

// A shiny sphere of the colour filling a kB square.
void Sphere(TArtKit& k, const TColour& colour, double cx, double cy, double r) {
    cairo_t* cr = k.Cr();
    cairo_pattern_t* p = cairo_pattern_create_radial(cx - r * 0.35, cy - r * 0.4, r * 0.1, cx, cy, r);
    SetSource(p, 0, Mix(colour, k.Colour("white"), 0.55), 1);
    SetSource(p, 0.55, colour, 1);
    SetSource(p, 1, Mix(colour, k.Colour("night"), 0.55), 1);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_arc(cr, cx, cy, r - 0.5, 0, 2 * M_PI);
    k.Canvas().SetColour(k.Colour("night"), 0.6);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

// The symbol of colour n (1..6), white with a dark edge, around (cx, cy).
void Symbol(TArtKit& k, int n, double cx, double cy) {
    cairo_t* cr = k.Cr();
    cairo_new_path(cr);
    const double s = 5.5;
    switch (n) {
        case 1:  // triangle
            cairo_move_to(cr, cx, cy - s);
            cairo_line_to(cr, cx + s, cy + s * 0.8);
            cairo_line_to(cr, cx - s, cy + s * 0.8);
            cairo_close_path(cr);
            break;
        case 2:  // square
            cairo_rectangle(cr, cx - s * 0.8, cy - s * 0.8, s * 1.6, s * 1.6);
            break;
        case 3:  // ring
            cairo_arc(cr, cx, cy, s, 0, 2 * M_PI);
            cairo_new_sub_path(cr);
            cairo_arc_negative(cr, cx, cy, s * 0.45, 2 * M_PI, 0);
            break;
        case 4:  // diamond
            cairo_move_to(cr, cx, cy - s * 1.1);
            cairo_line_to(cr, cx + s * 0.9, cy);
            cairo_line_to(cr, cx, cy + s * 1.1);
            cairo_line_to(cr, cx - s * 0.9, cy);
            cairo_close_path(cr);
            break;
        case 5:  // star
            for (int i = 0; i < 10; ++i) {
                const double a = -M_PI / 2 + i * M_PI / 5, r = i % 2 == 0 ? s * 1.15 : s * 0.5;
                if (i == 0) cairo_move_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
                else cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
            }
            cairo_close_path(cr);
            break;
        default:  // cross
            cairo_rectangle(cr, cx - s, cy - s * 0.32, 2 * s, s * 0.64);
            cairo_rectangle(cr, cx - s * 0.32, cy - s, s * 0.64, 2 * s);
            break;
    }
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    k.Canvas().SetColour(k.Colour("white"));
    cairo_fill_preserve(cr);
    k.Canvas().SetColour(k.Colour("night"), 0.7);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

bool Sprite(const TArtContext& ctx, const std::string& name, int w, int h,
            const std::function<void(TArtKit&)>& draw, std::vector<TImage>& images, std::string& error,
            const std::string& matte = "night") {
    TCanvas c(w, h);
    TArtKit k(ctx, c);
    draw(k);
    return Encode(name, c, SpriteConversion(k.Colour(matte)), images, error);
}

bool Bubbles(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    const double m = kB / 2.0, r = kB / 2.0 - 0.5;
    for (int n = 1; n <= 6; ++n) {
        auto draw = [&](TArtKit& k) {
            Sphere(k, k.Colour(kBubbleColours[n - 1]), m, m, r);
            Symbol(k, n, m, m + 0.5);
        };
        if (!Sprite(ctx, "3_bobble" + std::to_string(n), kB, kB, draw, images, error)) return false;
    }
    auto bomb = [&](TArtKit& k) {
        Sphere(k, Mix(k.Colour("night"), k.Colour("steel"), 0.35), m, m + 1.5, r - 1.5);
        cairo_t* cr = k.Cr();
        cairo_new_path(cr);
        cairo_move_to(cr, m + 3, m - 8);
        cairo_curve_to(cr, m + 6, m - 12, m + 8, m - 10, m + 9, m - 12);
        k.Canvas().SetColour(k.Colour("sand"));
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
        k.Canvas().SetGlow(m + 9.5, m - 12, 4, k.Colour("amber"), 1);
        cairo_paint(cr);
        // A white "B" so the bomb reads without its colour.
        k.Canvas().SetColour(k.Colour("white"));
        k.Canvas().Text(k.Faces().CairoBold(), 11, m - 3.8, m + 6, "B");
    };
    auto plain = [&](TArtKit& k) { Sphere(k, k.Colour("steel"), m, m, r); };
    return Sprite(ctx, "3_bobble7", kB, kB, bomb, images, error) &&
           Sprite(ctx, "3_bobble8", kB, kB, plain, images, error);
}

bool Strips(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    const double m = kB / 2.0;
    for (int f = 1; f <= kStripFrames; ++f) {
        const double t = f / double(kStripFrames);
        auto burst = [&](TArtKit& k) {
            cairo_t* cr = k.Cr();
            for (int i = 0; i < 8; ++i) {
                const double a = i * M_PI / 4 + 0.3, d = 3 + t * 9;
                cairo_new_path(cr);
                cairo_arc(cr, m + d * std::cos(a), m + d * std::sin(a), 3.2 - 2 * t, 0, 2 * M_PI);
                k.Canvas().SetColour(k.Colour(i % 2 ? "tealhi" : "white"), 1 - t * 0.5);
                cairo_fill(cr);
            }
        };
        auto bombed = [&](TArtKit& k) {
            k.Canvas().SetGlow(m, m, 4 + t * 10, Mix(k.Colour("amber"), k.Colour("steel"), t), 1);
            cairo_paint(k.Cr());
            cairo_new_path(k.Cr());
            cairo_arc(k.Cr(), m, m, 2 + t * 9, 0, 2 * M_PI);
            k.Canvas().SetColour(k.Colour(t < 0.5 ? "white" : "sand"), 1 - t);
            cairo_set_line_width(k.Cr(), 2);
            cairo_stroke(k.Cr());
        };
        auto arriving = [&](TArtKit& k) {
            Sphere(k, Mix(k.Colour("steel"), k.Colour("white"), 0.2 * t), m, m, 3 + t * (m - 3.5));
            cairo_new_path(k.Cr());
            cairo_arc(k.Cr(), m, m, m - 1 - t * 4, 0, 2 * M_PI);
            k.Canvas().SetColour(k.Colour("amber"), 1);
            cairo_set_line_width(k.Cr(), 1.5);
            cairo_stroke(k.Cr());
        };
        const std::string n = std::to_string(f);
        if (!Sprite(ctx, "3_out" + std::string(3 - n.size(), '0') + n, kB, kB, burst, images, error) ||
            !Sprite(ctx, "3_bomb" + std::string(2 - n.size(), '0') + n, kB, kB, bombed, images, error) ||
            !Sprite(ctx, "3_in" + std::string(4 - n.size(), '0') + n, kB, kB, arriving, images, error))
            return false;
    }
    return true;
}

// Frame b: the barrel along the shot's direction from the pivot, where the
// shot's start point formula puts the centre of the bubble leaving it.
bool Canon(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    const double px = kCan / 2.0, py = kCan - rules::kPuzzleCanonLift;
    const double reach = rules::kPuzzleCanonDistance + std::sqrt(kB * kB / 2.0);
    for (int b = 1; b <= rules::kCanonFrames; ++b) {
        const double a = rules::PuzzleRadians(rules::CanonAngle(b));
        const double dx = std::cos(a), dy = -std::sin(a);
        auto draw = [&](TArtKit& k) {
            cairo_t* cr = k.Cr();
            // The sight: a faint dotted line beyond the muzzle.
            for (double d = reach + 4; d < kCan; d += 5) {
                const double x = px + dx * d, y = py + dy * d;
                if (x < 1.5 || x > kCan - 1.5 || y < 1.5) break;
                cairo_new_path(cr);
                cairo_arc(cr, x, y, 1.4, 0, 2 * M_PI);
                k.Canvas().SetColour(k.Colour("tealhi"));
                cairo_fill(cr);
            }
            // The barrel.
            cairo_new_path(cr);
            cairo_move_to(cr, px, py);
            cairo_line_to(cr, px + dx * (reach - 6), py + dy * (reach - 6));
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            k.Canvas().SetColour(k.Colour("tealdk"));
            cairo_set_line_width(cr, 10);
            cairo_stroke_preserve(cr);
            k.Canvas().SetColour(k.Colour("teal"));
            cairo_set_line_width(cr, 6);
            cairo_stroke(cr);
            // The base: a dome on a plinth.
            cairo_new_path(cr);
            cairo_arc(cr, px, py, 11, M_PI, 2 * M_PI);
            cairo_close_path(cr);
            k.Canvas().SetLinear(0, py - 11, k.Colour("rim"), 1, 0, py, k.Colour("raised"), 1);
            cairo_fill(cr);
            k.Canvas().RoundedRect(px - 18, py, 36, 9, 3);
            k.Canvas().SetLinear(0, py, k.Colour("line"), 1, 0, py + 9, k.Colour("deep"), 1);
            cairo_fill(cr);
            cairo_new_path(cr);
            cairo_arc(cr, px, py, 3, 0, 2 * M_PI);
            k.Canvas().SetColour(k.Colour("amber"));
            cairo_fill(cr);
        };
        const std::string name = "3_can" + std::string(b < 10 ? "00" : "0") + std::to_string(b);
        if (!Sprite(ctx, name, kCan, kCan, draw, images, error))
            return false;
    }
    return true;
}

bool Line(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    const int w = rules::kPuzzleBubbleSize * 8;
    for (int f = 1; f <= kLineFrames; ++f) {
        auto draw = [&](TArtKit& k) {
            for (int x = -8 + f * 2; x < w; x += 8) {
                cairo_rectangle(k.Cr(), x, 0, 5, 2);
            }
            k.Canvas().SetColour(k.Colour("rose"));
            cairo_fill(k.Cr());
        };
        if (!Sprite(ctx, "3_line0" + std::to_string(f), w, 2, draw, images, error)) return false;
    }
    return true;
}

bool Column(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    auto draw = [&](TArtKit& k) {
        k.Canvas().RoundedRect(1, 1, kColumnWidth - 2, kColumnHeight - 2, 5);
        cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, kColumnHeight);
        SetSource(p, 0, k.Colour("rose"), 1);
        SetSource(p, 0.45, k.Colour("amber"), 1);
        SetSource(p, 1, k.Colour("teal"), 1);
        cairo_set_source(k.Cr(), p);
        cairo_fill(k.Cr());
        cairo_pattern_destroy(p);
    };
    return Sprite(ctx, "3_column", kColumnWidth, kColumnHeight, draw, images, error);
}

bool PauseNotice(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    auto draw = [&](TArtKit& k) {
        k.Card(2, 2, kPauseWidth - 4, kPauseHeight - 4, 10);
        cairo_rectangle(k.Cr(), 24, 30, 8, 36);
        cairo_rectangle(k.Cr(), 38, 30, 8, 36);
        k.Canvas().SetColour(k.Colour("amber"));
        cairo_fill(k.Cr());
        k.Heading(62, 48, "Paused", "white");
        k.Caption(63, 66, "BACK IN A MINUTE", "mist");
    };
    return Sprite(ctx, "3_Pause", kPauseWidth, kPauseHeight, draw, images, error);
}

}  // namespace

bool DrawPuzzleSprites(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    return Bubbles(ctx, images, error) && Strips(ctx, images, error) && Canon(ctx, images, error) &&
           Line(ctx, images, error) && Column(ctx, images, error) && PauseNotice(ctx, images, error) &&
           LabelledButton(ctx, "3_Pause", "Pause", false, images, error);
}

}  // namespace skin
