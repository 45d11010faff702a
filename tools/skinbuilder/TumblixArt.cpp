// The sprites of the Tumblix window: nine bricks that differ by a symbol as
// well as by colour (so the pieces stay apart without telling colours
// apart), the two halves of the balance bar, the pause image, the bomb's
// explosion and the weight's vanishing as frame strips, and the Pause
// button. All of them lie on the wells' night groove or on the panel.
#include <cmath>

#include "ButtonArt.h"
#include "WindowArt.h"

namespace skin {

namespace {

constexpr int kCell = 16;
constexpr int kBlast = 3 * kCell;
constexpr int kBlastFrames = 8;
constexpr int kWeightFrames = 10;

// Brick n (1..9): its colour, and the symbol cut into it.
struct TBrick {
    const char* colour;
    char symbol;  // o ring, t triangle, - bar, s square, d diamond, + plus, x cross, w weight, b bomb
};
constexpr TBrick kBricks[9] = {{"amber", 's'}, {"violet", 't'}, {"teal", '-'}, {"peach", 'o'}, {"sky", 'd'},
                               {"leaf", '+'},  {"rose", 'x'},   {"steel", 'w'}, {"lemon", 'b'}};

void Symbol(TArtKit& k, char symbol, double cx, double cy) {
    cairo_t* cr = k.Cr();
    cairo_new_path(cr);
    cairo_set_line_width(cr, 1.6);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    switch (symbol) {
        case 'o': cairo_arc(cr, cx, cy, 3.2, 0, 2 * M_PI); cairo_stroke(cr); break;
        case 't':
            cairo_move_to(cr, cx, cy - 3.6);
            cairo_line_to(cr, cx + 3.8, cy + 3);
            cairo_line_to(cr, cx - 3.8, cy + 3);
            cairo_close_path(cr);
            cairo_fill(cr);
            break;
        case '-': cairo_rectangle(cr, cx - 4.5, cy - 1.3, 9, 2.6); cairo_fill(cr); break;
        case 's': cairo_rectangle(cr, cx - 3, cy - 3, 6, 6); cairo_fill(cr); break;
        case 'd':
            cairo_move_to(cr, cx, cy - 4);
            cairo_line_to(cr, cx + 4, cy);
            cairo_line_to(cr, cx, cy + 4);
            cairo_line_to(cr, cx - 4, cy);
            cairo_close_path(cr);
            cairo_stroke(cr);
            break;
        case '+':
            cairo_move_to(cr, cx - 4, cy);
            cairo_line_to(cr, cx + 4, cy);
            cairo_move_to(cr, cx, cy - 4);
            cairo_line_to(cr, cx, cy + 4);
            cairo_set_line_width(cr, 2);
            cairo_stroke(cr);
            break;
        case 'x':
            cairo_move_to(cr, cx - 3.2, cy - 3.2);
            cairo_line_to(cr, cx + 3.2, cy + 3.2);
            cairo_move_to(cr, cx + 3.2, cy - 3.2);
            cairo_line_to(cr, cx - 3.2, cy + 3.2);
            cairo_set_line_width(cr, 2);
            cairo_stroke(cr);
            break;
        case 'w':
            cairo_move_to(cr, cx - 2.2, cy - 3.5);
            cairo_line_to(cr, cx + 2.2, cy - 3.5);
            cairo_line_to(cr, cx + 4.5, cy + 4);
            cairo_line_to(cr, cx - 4.5, cy + 4);
            cairo_close_path(cr);
            cairo_fill(cr);
            break;
        case 'b':
            cairo_arc(cr, cx - 0.5, cy + 1, 3.6, 0, 2 * M_PI);
            cairo_fill(cr);
            cairo_move_to(cr, cx + 1.5, cy - 2);
            cairo_curve_to(cr, cx + 2.5, cy - 4, cx + 3.5, cy - 4.5, cx + 5, cy - 5);
            cairo_set_line_width(cr, 1.2);
            cairo_stroke(cr);
            break;
    }
}

// A bevelled brick: lit from above, a dark rim, the symbol in a deep shade
// of its colour.
void PaintBrick(TArtKit& k, double x, double y, const TBrick& brick, double alpha = 1.0) {
    TCanvas& c = k.Canvas();
    const TColour base = k.Colour(brick.colour);
    c.RoundedRect(x + 0.5, y + 0.5, kCell - 1, kCell - 1, 2.5);
    c.SetLinear(0, y, Mix(base, k.Colour("white"), 0.35), alpha, 0, y + kCell, Mix(base, k.Colour("night"), 0.2),
                alpha);
    cairo_fill_preserve(k.Cr());
    c.SetColour(Mix(base, k.Colour("night"), 0.55), alpha);
    cairo_set_line_width(k.Cr(), 1);
    cairo_stroke(k.Cr());
    cairo_rectangle(k.Cr(), x + 2, y + 1.5, kCell - 4, 1);
    c.SetColour(k.Colour("white"), 0.35 * alpha);
    cairo_fill(k.Cr());
    c.SetColour(Mix(base, k.Colour("night"), 0.7), alpha);
    Symbol(k, brick.symbol, x + kCell / 2.0, y + kCell / 2.0 + 0.5);
}

bool Bricks(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    for (int n = 1; n <= 9; ++n) {
        TCanvas c(kCell, kCell);
        TArtKit k(ctx, c);
        c.SetColour(k.Colour("night"));
        cairo_paint(c.Cr());
        PaintBrick(k, 0, 0, kBricks[n - 1]);
        if (!Encode("1_brick" + std::to_string(n), c, OpaqueConversion(), images, error)) return false;
    }
    return true;
}

// The balance bar: "1_Status2" (the left part, the own lead) in teal,
// "1_Status" (the right part, the opponent's) in rose.
bool Balance(const TArtContext& ctx, int width, int height, std::vector<TImage>& images, std::string& error) {
    for (int own = 0; own <= 1; ++own) {
        TCanvas c(width, height);
        TArtKit k(ctx, c);
        c.SetColour(k.Colour("panel"));
        cairo_paint(c.Cr());
        const TColour colour = k.Colour(own ? "teal" : "rose");
        c.RoundedRect(0, 0, width, height, height / 2.0);
        c.SetLinear(0, 0, Mix(colour, k.Colour("white"), 0.3), 1, 0, height, Mix(colour, k.Colour("night"), 0.25), 1);
        cairo_fill(c.Cr());
        for (int x = 12; x < width - 6; x += 12) {
            cairo_rectangle(c.Cr(), x, 3, 1, height - 6);
            c.SetColour(k.Colour("night"), 0.18);
            cairo_fill(c.Cr());
        }
        cairo_rectangle(c.Cr(), width / 2.0 - 1, 0, 2, height);
        c.SetColour(k.Colour("white"), 0.55);
        cairo_fill(c.Cr());
        if (!Encode(own ? "1_Status2" : "1_Status", c, OpaqueConversion(), images, error)) return false;
    }
    return true;
}

// "Paused" on a raised plate with the pause glyph, over the own well.
bool PausePlate(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    const int w = 160, h = 56;
    TCanvas c(w, h);
    TArtKit k(ctx, c);
    c.RoundedRect(0.5, 0.5, w - 1, h - 1, 12);
    c.SetLinear(0, 0, k.Colour("raised"), 1, 0, h, k.Colour("panel"), 1);
    cairo_fill_preserve(c.Cr());
    c.SetColour(k.Colour("amber"));
    cairo_set_line_width(c.Cr(), 1.5);
    cairo_stroke(c.Cr());
    c.SetColour(k.Colour("amber"));
    cairo_rectangle(c.Cr(), 22, 18, 6, 20);
    cairo_rectangle(c.Cr(), 33, 18, 6, 20);
    cairo_fill(c.Cr());
    k.Heading(52, 34, "PAUSED", "ink", 18);
    return Encode("1_pause", c, SpriteConversion(k.Colour("night")), images, error);
}

// The bomb's blast over 3 x 3 cells: a flash that swells, then a ring of
// sparks that thins out.
bool Explosion(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    for (int f = 1; f <= kBlastFrames; ++f) {
        TCanvas c(kBlast, kBlast);
        TArtKit k(ctx, c);
        const double t = (f - 1) / double(kBlastFrames - 1), m = kBlast / 2.0;
        const double r = 6 + 17 * std::sqrt(t), fade = 1 - 0.75 * t;
        c.SetGlow(m, m, r, f <= 4 ? k.Colour("white") : k.Colour("amber"), fade);
        cairo_paint(c.Cr());
        c.SetColour(k.Colour(f <= 4 ? "amber" : "rose"), fade);
        cairo_set_line_width(c.Cr(), 2.5 - t);
        for (int s = 0; s < 10; ++s) {
            const double a = s * 2 * M_PI / 10 + f * 0.2;
            cairo_move_to(c.Cr(), m + std::cos(a) * r * 0.6, m + std::sin(a) * r * 0.6);
            cairo_line_to(c.Cr(), m + std::cos(a) * r, m + std::sin(a) * r);
        }
        cairo_stroke(c.Cr());
        if (!Encode("1_explode" + std::to_string(f), c, SpriteConversion(k.Colour("night")), images, error))
            return false;
    }
    return true;
}

// The weight: frame 1 the brick, frames 2 to 10 sinking into the floor and
// fading, with dust to the sides.
bool WeightFrames(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    for (int f = 1; f <= kWeightFrames; ++f) {
        TCanvas c(kCell, kCell);
        TArtKit k(ctx, c);
        const double t = (f - 1) / double(kWeightFrames - 1);
        cairo_save(c.Cr());
        cairo_rectangle(c.Cr(), 0, 0, kCell, kCell);
        cairo_clip(c.Cr());
        PaintBrick(k, 0, std::round(t * 10), kBricks[7], 1 - 0.8 * t);
        cairo_restore(c.Cr());
        if (f > 1) {
            c.SetColour(k.Colour("sand"), 0.8 * (1 - t));
            for (int side = -1; side <= 1; side += 2) {
                cairo_new_path(c.Cr());
                cairo_arc(c.Cr(), kCell / 2.0 + side * (3 + 5 * t), kCell - 2, 1.4, 0, 2 * M_PI);
                cairo_fill(c.Cr());
            }
        }
        if (!Encode("1_weight" + std::to_string(f), c, SpriteConversion(k.Colour("night")), images, error))
            return false;
    }
    return true;
}

}  // namespace

bool DrawTumblixSprites(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    std::vector<int> status;
    if (!ctx.layout.Numbers("Tris", "Status", 0, 2, status, error)) return false;
    return Bricks(ctx, images, error) && Balance(ctx, 232, 14, images, error) && PausePlate(ctx, images, error) &&
           Explosion(ctx, images, error) && WeightFrames(ctx, images, error) &&
           LabelledButton(ctx, "1_Pause2", "Pause", false, images, error);
}

}  // namespace skin
