// The pieces of the Backgammon table: checkers from above and from the
// side, the big dice of both colours, the hint dice, the cube faces, the
// question box, the table's buttons and the give-up menus' background.
//
// Colour-blind friendly: the two colours differ by a mark as well as by
// brightness: white checkers carry a ring, black ones a four-pointed star;
// black dice have a rose edge, white dice a plain one; side views repeat
// the mark as a notch pattern.
#include <cmath>

#include "ButtonArt.h"
#include "ControlsArt.h"
#include "WindowArt.h"

namespace skin {

namespace {

constexpr int kChecker = 30, kSideHeight = 8, kBigDie = 36, kSmallDie = 16, kCube = 32;
constexpr int kBoxWidth = 244, kBoxHeight = 92, kRoundButton = 28;

void Disc(TArtKit& k, double cx, double cy, double r, const std::string& top, const std::string& bottom) {
    cairo_new_path(k.Cr());
    cairo_arc(k.Cr(), cx, cy, r, 0, 2 * M_PI);
    k.Canvas().SetLinear(0, cy - r, k.Colour(top), 1, 0, cy + r, k.Colour(bottom), 1);
    cairo_fill(k.Cr());
}

void Ring(TArtKit& k, double cx, double cy, double r, const std::string& colour, double width, double alpha = 1) {
    cairo_new_path(k.Cr());
    cairo_arc(k.Cr(), cx, cy, r, 0, 2 * M_PI);
    k.Canvas().SetColour(k.Colour(colour), alpha);
    cairo_set_line_width(k.Cr(), width);
    cairo_stroke(k.Cr());
}

void Star(TArtKit& k, double cx, double cy, double r, const std::string& colour) {
    cairo_new_path(k.Cr());
    for (int i = 0; i < 8; ++i) {
        double a = i * M_PI / 4 - M_PI / 2, d = i % 2 ? r * 0.38 : r;
        if (i == 0)
            cairo_move_to(k.Cr(), cx + d * std::cos(a), cy + d * std::sin(a));
        else
            cairo_line_to(k.Cr(), cx + d * std::cos(a), cy + d * std::sin(a));
    }
    cairo_close_path(k.Cr());
    k.Canvas().SetColour(k.Colour(colour));
    cairo_fill(k.Cr());
}

bool Checkers(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    for (int black = 0; black <= 1; ++black) {
        TCanvas c(kChecker, kChecker);
        TArtKit k(ctx, c);
        const double m = kChecker / 2.0;
        Disc(k, m, m, m - 0.5, black ? "raised" : "white", black ? "night" : "paper");
        Ring(k, m, m, m - 1, black ? "rim" : "mist", 1);
        if (black)
            Star(k, m, m, 8, "rose");
        else
            Ring(k, m, m, 6.5, "darkink", 2.2);
        if (!Encode(black ? "2_black" : "2_white", c, SpriteConversion(k.Colour("deep")), images, error)) return false;

        TCanvas side(kChecker, kSideHeight);
        TArtKit s(ctx, side);
        side.RoundedRect(0.5, 0.5, kChecker - 1, kSideHeight - 1, 3);
        side.SetLinear(0, 0, s.Colour(black ? "raised" : "white"), 1, 0, kSideHeight, s.Colour(black ? "night" : "paper"), 1);
        cairo_fill(s.Cr());
        side.SetColour(s.Colour(black ? "rose" : "darkink"));
        for (int i = 0; i < (black ? 3 : 1); ++i) {
            double w = black ? 3 : 10, x = black ? 8 + i * 6 : 10;
            cairo_rectangle(s.Cr(), x, 3, w, 2);
        }
        cairo_fill(s.Cr());
        if (!Encode(black ? "2_blackup" : "2_whiteup", side, SpriteConversion(s.Colour("deep")), images, error))
            return false;
    }
    return true;
}

// The pips of a face on a die of size s.
void Pips(TArtKit& k, double s, int face, const std::string& colour) {
    const double a = s * 0.27, b = s * 0.5, c = s * 0.73, r = s * 0.085;
    std::vector<std::pair<double, double>> at;
    if (face % 2) at.push_back({b, b});
    if (face >= 2) at.insert(at.end(), {{a, a}, {c, c}});
    if (face >= 4) at.insert(at.end(), {{c, a}, {a, c}});
    if (face == 6) at.insert(at.end(), {{a, b}, {c, b}});
    k.Canvas().SetColour(k.Colour(colour));
    for (auto [x, y] : at) {
        cairo_new_path(k.Cr());
        cairo_arc(k.Cr(), x, y, r, 0, 2 * M_PI);
        cairo_fill(k.Cr());
    }
}

void DieFace(TArtKit& k, double s, const std::string& top, const std::string& bottom, const std::string& edge,
             double edgeWidth) {
    k.Canvas().RoundedRect(0.5, 0.5, s - 1, s - 1, s * 0.18);
    k.Canvas().SetLinear(0, 0, k.Colour(top), 1, 0, s, k.Colour(bottom), 1);
    cairo_fill(k.Cr());
    k.Canvas().RoundedRect(edgeWidth / 2, edgeWidth / 2, s - edgeWidth, s - edgeWidth, s * 0.18);
    k.Canvas().SetColour(k.Colour(edge));
    cairo_set_line_width(k.Cr(), edgeWidth);
    cairo_stroke(k.Cr());
}

bool Dice(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    for (int face = 1; face <= 6; ++face) {
        for (int black = 0; black <= 1; ++black) {
            TCanvas c(kBigDie, kBigDie);
            TArtKit k(ctx, c);
            if (black)
                DieFace(k, kBigDie, "raised", "night", "rose", 2);
            else
                DieFace(k, kBigDie, "white", "paper", "mist", 1);
            Pips(k, kBigDie, face, black ? "white" : "darkink");
            for (const char* side : {"l", "r"}) {
                std::string name = std::string("2_dice") + (black ? "b" : "w") + side + std::to_string(face);
                if (!Encode(name, c, SpriteConversion(k.Colour("deep")), images, error)) return false;
            }
        }
        TCanvas c(kSmallDie, kSmallDie);
        TArtKit k(ctx, c);
        DieFace(k, kSmallDie, "amber", "amberdk", "night", 1);
        Pips(k, kSmallDie, face, "darkink");
        if (!Encode("2_SDice" + std::to_string(face), c, SpriteConversion(k.Colour("deep")), images, error))
            return false;
    }
    return true;
}

// The cube shows 64 while it stands at 1, as on a real board.
bool Cube(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    for (int value : {0, 2, 4, 8, 16, 32, 64}) {
        for (int lit = 0; lit <= 1; ++lit) {
            TCanvas c(kCube, kCube);
            TArtKit k(ctx, c);
            DieFace(k, kCube, "white", "paper", lit ? "teal" : "rim", lit ? 2.5 : 1);
            k.BodyCentred(kCube / 2.0, kCube / 2.0 + 5, std::to_string(value == 0 ? 64 : value), "darkink", 15, true);
            std::string name = "2_double" + std::to_string(value) + (lit ? "on" : "of");
            if (!Encode(name, c, SpriteConversion(k.Colour("panel")), images, error)) return false;
        }
    }
    return true;
}

bool QuestionBox(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    TCanvas c(kBoxWidth, kBoxHeight);
    TArtKit k(ctx, c);
    c.RoundedRect(0, 0, kBoxWidth, kBoxHeight, 8);
    c.SetColour(k.Colour("panel"));
    cairo_fill(k.Cr());
    c.RoundedRect(1, 1, kBoxWidth - 2, kBoxHeight - 2, 7);
    c.SetColour(k.Colour("amber"));
    cairo_set_line_width(k.Cr(), 2);
    cairo_stroke(k.Cr());
    return Encode("2_Doubbox", c, SpriteConversion(k.Colour("panel")), images, error);
}

bool SymbolButton(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    for (int lit = 0; lit <= 1; ++lit) {
        TCanvas c(kRoundButton, kRoundButton);
        TArtKit k(ctx, c);
        c.RoundedRect(0, 0, kRoundButton, kRoundButton, 5);
        c.SetLinear(0, 0, k.Colour(lit ? "tealhi" : "raised"), 1, 0, kRoundButton, k.Colour(lit ? "teal" : "deep"), 1);
        cairo_fill(k.Cr());
        k.BodyCentred(kRoundButton / 2.0, kRoundButton / 2.0 + 6, "\u263A", lit ? "darkink" : "amber", 17, false);
        if (!Encode(std::string("2_Symbol") + (lit ? "on" : "of"), c, SpriteConversion(k.Colour("panel")), images,
                    error))
            return false;
    }
    return true;
}

bool Buttons(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    const struct {
        const char* element;
        const char* label;
        bool primary;
    } pills[] = {{"2_Roll", "Roll", true},        {"2_Regret", "Undo", false},      {"2_Giveup", "Give up", false},
                 {"2_option", "Options", false},  {"2_Doubok", "Yes", true},        {"2_Doubno", "No", false},
                 {"2_Normal", "Normal", false},   {"2_Gammon", "Gammon", false},    {"2_Backga", "Backgam.", false}};  // "2_mbOk" of the options window is the message box's
    for (const auto& p : pills)
        if (!LabelledButton(ctx, p.element, p.label, p.primary, images, error)) return false;
    return SymbolButton(ctx, images, error);
}

}  // namespace

bool DrawGammonPieces(const TArtContext& context, std::vector<TImage>& images, std::string& error) {
    return Checkers(context, images, error) && Dice(context, images, error) && Cube(context, images, error) &&
           QuestionBox(context, images, error) && Buttons(context, images, error) &&
           GlidePicture(context, "2_Glide", 200, 160, GameAccent(2), images, error);
}

}  // namespace skin
