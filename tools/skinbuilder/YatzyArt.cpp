// The Yatzy window's pieces: the dice strips "4_Di1" ... "4_Di6" (44 × 44
// frames: the faces 1 ... 6, then six frames of the die tumbling), the held
// ring "4_dice01on" ... "4_dice06on" that lies over a held or pointed-at die,
// the turn markers "4_Bar1on" ... "4_Bar4on" (68 × 4) along a seat's column,
// the roll counter "4_Turn" (four 72 × 20 frames: no roll yet, then one to
// three of the three rolls used), and the roll button "4_Roll".
#include <cmath>

#include "ButtonArt.h"
#include "WindowArt.h"

namespace skin {

namespace {

constexpr int kDie = 44;
constexpr int kFaces = 6, kTumbleFrames = 6;
constexpr int kBarWidth = 68, kBarHeight = 4;
constexpr int kCounterWidth = 72, kCounterHeight = 20, kCounterFrames = 4;

// Pip places on a 3 × 3 grid (column, row from 0), per face.
const std::vector<std::pair<int, int>> kPips[kFaces] = {
    {{1, 1}},
    {{0, 0}, {2, 2}},
    {{0, 0}, {1, 1}, {2, 2}},
    {{0, 0}, {2, 0}, {0, 2}, {2, 2}},
    {{0, 0}, {2, 0}, {1, 1}, {0, 2}, {2, 2}},
    {{0, 0}, {0, 1}, {0, 2}, {2, 0}, {2, 1}, {2, 2}},
};

// One die of size s centred at (cx, cy), turned by angle (radians): a paper
// cube with a soft shade and dark pips.
void DieFace(TArtKit& k, double cx, double cy, double s, double angle, int face) {
    cairo_t* cr = k.Cr();
    TCanvas& c = k.Canvas();
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    const double h = s / 2;
    c.RoundedRect(-h + 1, -h + 1, s - 2, s - 2, s * 0.18);
    c.SetLinear(0, -h, k.Colour("white"), 1, 0, h, k.Colour("paper"), 1);
    cairo_fill_preserve(cr);
    c.SetColour(k.Colour("steel"));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    const double step = s * 0.25, r = s * 0.085;
    for (const auto& [col, row] : kPips[face - 1]) {
        cairo_new_path(cr);
        cairo_arc(cr, (col - 1) * step, (row - 1) * step, r, 0, 2 * M_PI);
        c.SetColour(k.Colour("darkink"));
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

bool DiceStrips(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    // The tumbling frames: turned, a little smaller, showing faces in turn.
    const double angles[kTumbleFrames] = {0.35, 0.8, 1.25, -0.3, -0.75, -1.2};
    const int tumbleFaces[kTumbleFrames] = {3, 5, 2, 6, 1, 4};
    TCanvas c(kDie * (kFaces + kTumbleFrames), kDie);
    TArtKit k(ctx, c);
    for (int face = 1; face <= kFaces; ++face) DieFace(k, (face - 0.5) * kDie, kDie / 2.0, kDie - 2, 0, face);
    for (int i = 0; i < kTumbleFrames; ++i)
        DieFace(k, (kFaces + i + 0.5) * kDie, kDie / 2.0, kDie * 0.72, angles[i], tumbleFaces[i]);
    for (int die = 1; die <= kFaces; ++die)
        if (!Encode("4_Di" + std::to_string(die), c, SpriteConversion(k.Colour("night")), images, error))
            return false;
    return true;
}

// The held ring: amber, inside the die's square, with a small notch of
// light at the top so "held" reads even on a six.
bool HeldRings(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    TCanvas c(kDie, kDie);
    TArtKit k(ctx, c);
    c.RoundedRect(1.5, 1.5, kDie - 3, kDie - 3, kDie * 0.18);
    c.SetColour(k.Colour("amber"));
    cairo_set_line_width(k.Cr(), 3);
    cairo_stroke(k.Cr());
    c.RoundedRect(kDie / 2.0 - 7, 0, 14, 4, 2);
    c.SetColour(k.Colour("lemon"));
    cairo_fill(k.Cr());
    for (int die = 1; die <= kFaces; ++die)
        if (!Encode("4_dice0" + std::to_string(die) + "on", c, SpriteConversion(k.Colour("paper")), images, error))
            return false;
    return true;
}

bool TurnMarkers(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    TCanvas c(kBarWidth, kBarHeight);
    TArtKit k(ctx, c);
    c.RoundedRect(0, 0, kBarWidth, kBarHeight, kBarHeight / 2.0);
    c.SetLinear(0, 0, k.Colour("tealhi"), 1, kBarWidth, 0, k.Colour("teal"), 1);
    cairo_fill(k.Cr());
    for (int seat = 1; seat <= 4; ++seat)
        if (!Encode("4_Bar" + std::to_string(seat) + "on", c, SpriteConversion(k.Colour("raised")), images, error))
            return false;
    return true;
}

// Three small dice outlines per frame; the rolls used are filled teal.
bool RollCounter(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    TCanvas c(kCounterWidth * kCounterFrames, kCounterHeight);
    TArtKit k(ctx, c);
    const double box = 16, gap = 8, left = (kCounterWidth - 3 * box - 2 * gap) / 2;
    for (int frame = 0; frame < kCounterFrames; ++frame) {
        for (int i = 0; i < 3; ++i) {
            const double x = frame * kCounterWidth + left + i * (box + gap), y = (kCounterHeight - box) / 2;
            c.RoundedRect(x + 0.5, y + 0.5, box - 1, box - 1, 3.5);
            const bool used = i < frame;
            if (used) {
                c.SetLinear(0, y, k.Colour("tealhi"), 1, 0, y + box, k.Colour("teal"), 1);
                cairo_fill_preserve(k.Cr());
            }
            c.SetColour(k.Colour(used ? "tealdk" : "rim"));
            cairo_set_line_width(k.Cr(), 1);
            cairo_stroke(k.Cr());
        }
    }
    return Encode("4_Turn", c, SpriteConversion(k.Colour("panel")), images, error);
}

}  // namespace

bool DrawYatzyPieces(const TArtContext& context, std::vector<TImage>& images, std::string& error) {
    return DiceStrips(context, images, error) && HeldRings(context, images, error) &&
           TurnMarkers(context, images, error) && RollCounter(context, images, error) &&
           LabelledButton(context, "4_Roll", "Roll", true, images, error);
}

}  // namespace skin
