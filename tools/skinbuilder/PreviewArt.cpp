// The lobby's live previews (the four screens of "menu2"), sized from the
// layout lines of settings [Chat] "Preview", "PreviewTumblix",
// "PreviewGammon" and "PreviewPuzzle":
//
//   Peek_tum, Peek_bac, Peek_puz   one screen each (the end text's box of
//                                  "Preview"): panel ground with the wells,
//                                  the board or the fields as night grooves
//   tumblix1..7, tumblixL, tumblixB  Tumblix blocks of the cell size, the
//                                  game's brick colours with a lit edge
//   puzzle1..7                     Puzzle bubbles, 7 px, the game's colours
//                                  (7: the bomb, night with a fuse)
//   peek_won, peek_bon (8 × 8)     checkers from above: white ringed, black
//   peek_wof, peek_bof (10 × 2)    with a rose dot; from the side in the tray
//   wdice001..006, bdice001..006   10 px dice, white plain, black rose-edged
//   double0, double2 .. double64   the 10 px cube with its value
//   Peek1..Peek3 on/of             the peek menus' items, a 2 × 2 screen
//                                  glyph in the game's accent
//
// At their size the pieces are told apart by shape and brightness as well
// as colour: black checkers are dark with a bright dot, white ones light
// with a dark ring; the bomb bubble is dark.
#include <cmath>

#include "WindowArt.h"

namespace skin {

namespace {

constexpr int kBubble = 7, kChecker = 8, kSideWidth = 10, kSideHeight = 2, kDie = 10, kCube = 10;
constexpr int kMenuTileWidth = 32, kMenuTileHeight = 22;
const char* const kBrickColours[9] = {"amber", "violet", "teal", "peach", "sky", "leaf", "rose", "steel", "lemon"};
const char* const kBrickNames[9] = {"tumblix1", "tumblix2", "tumblix3", "tumblix4", "tumblix5",
                                    "tumblix6", "tumblix7", "tumblixL", "tumblixB"};
const char* const kBubbleColours[6] = {"rose", "amber", "leaf", "sky", "violet", "lemon"};

// The screen's size and the numbers of a kind's layout line.
struct TScreen {
    int w = 0, h = 0;
};

bool ScreenSize(const TArtContext& ctx, TScreen& screen, std::string& error) {
    std::vector<int> n;
    if (!ctx.layout.Numbers("Chat", "Preview", 4, 2, n, error)) return false;
    screen = {n[0], n[1]};
    return true;
}

// One screen's picture: the panel ground with a line border, and the
// numbers of the kind's layout line.
class TScreenPicture {
public:
    TScreenPicture(const TArtContext& ctx, const TScreen& s) : m_c(s.w, s.h), m_k(ctx, m_c) {
        m_c.SetColour(m_k.Colour("panel"));
        cairo_paint(m_c.Cr());
        m_c.RoundedRect(0.5, 0.5, s.w - 1, s.h - 1, 5);
        m_c.SetColour(m_k.Colour("line"));
        cairo_set_line_width(m_c.Cr(), 1);
        cairo_stroke(m_c.Cr());
    }

    TArtKit& Kit() { return m_k; }
    bool Finish(const std::string& name, std::vector<TImage>& images, std::string& error) {
        return Encode(name, m_c, OpaqueConversion(), images, error);
    }

private:
    TCanvas m_c;
    TArtKit m_k;
};

void Fill(TArtKit& k, double x, double y, double w, double h, const std::string& colour, double alpha = 1) {
    cairo_rectangle(k.Cr(), x, y, w, h);
    k.Canvas().SetColour(k.Colour(colour), alpha);
    cairo_fill(k.Cr());
}

// A small caption centred on cx.
void Label(TArtKit& k, double cx, double y, const std::string& text) {
    k.Caption(std::round(cx - k.CaptionWidth(text, 1, 8) / 2), y, text, "mist", 1, 8);
}

// Tumblix: two night wells with a faint cell grid, "LEVEL" between them.
bool TumblixScreen(const TArtContext& ctx, const TScreen& s, std::vector<TImage>& images, std::string& error) {
    std::vector<int> n;
    if (!ctx.layout.Numbers("Chat", "PreviewTumblix", 0, 8, n, error)) return false;
    TScreenPicture picture(ctx, s);
    TArtKit& k = picture.Kit();
    const int cw = n[4], ch = n[5];
    for (int seat = 0; seat < 2; ++seat) {
        const int x = n[seat * 2], y = n[seat * 2 + 1];
        Fill(k, x, y, 12 * cw, 26 * ch, "night");
        for (int col = 1; col < 12; ++col) Fill(k, x + col * cw, y, 1, 26 * ch, "deep", 0.6);
        Fill(k, x, y, 12 * cw, 1, seat == 0 ? "teal" : "rose", 0.8);
    }
    Label(k, (n[0] + 12 * cw + n[2]) / 2.0, n[7] - 3, "LEVEL");
    return picture.Finish("Peek_tum", images, error);
}

// Backgammon: the two halves with their points, the bar, the tray, and
// the checkers' colours marked beside the names.
void Points(TArtKit& k, int x, int top, int bottom, int half, int column) {
    const double w = half / 6.0;
    for (int i = 0; i < 6; ++i) {
        for (int upper = 0; upper <= 1; ++upper) {
            const double left = x + i * w, tip = upper ? top + column + 4 : bottom - column - 4;
            const double base = upper ? top : bottom;
            cairo_move_to(k.Cr(), left, base);
            cairo_line_to(k.Cr(), left + w, base);
            cairo_line_to(k.Cr(), left + w / 2, tip);
            cairo_close_path(k.Cr());
            k.Canvas().SetColour(k.Colour((i + upper) % 2 ? "steel" : "line"), 0.9);
            cairo_fill(k.Cr());
        }
    }
}

bool GammonScreen(const TArtContext& ctx, const TScreen& s, std::vector<TImage>& images, std::string& error) {
    std::vector<int> n;
    if (!ctx.layout.Numbers("Chat", "PreviewGammon", 0, 15, n, error)) return false;
    TScreenPicture picture(ctx, s);
    TArtKit& k = picture.Kit();
    const int top = n[1], half = n[4], height = n[5], column = n[6];
    Fill(k, n[0] - 2, top - 2, n[2] + half - n[0] + 4, height + 4, "night");
    for (int x : {n[0], n[2]}) {
        Fill(k, x, top, half, height, "deep");
        Points(k, x, top, top + height, half, column);
    }
    Fill(k, n[7], top - 2, n[8], height + 4, "night");
    // White's marker before the first name, black's before the second.
    for (int seat = 0; seat < 2; ++seat) {
        const double cx = seat == 0 ? n[0] + 3 : n[2] + 3;
        cairo_new_path(k.Cr());
        cairo_arc(k.Cr(), cx, 7, 3, 0, 2 * M_PI);
        k.Canvas().SetColour(k.Colour(seat == 0 ? "paper" : "night"));
        cairo_fill_preserve(k.Cr());
        k.Canvas().SetColour(k.Colour(seat == 0 ? "mist" : "rose"));
        cairo_set_line_width(k.Cr(), 1);
        cairo_stroke(k.Cr());
    }
    return picture.Finish("Peek_bac", images, error);
}

// Puzzle: the two fields and the canon's mark below each, "LEVEL" between.
bool PuzzleScreen(const TArtContext& ctx, const TScreen& s, std::vector<TImage>& images, std::string& error) {
    std::vector<int> n;
    if (!ctx.layout.Numbers("Chat", "PreviewPuzzle", 0, 7, n, error)) return false;
    TScreenPicture picture(ctx, s);
    TArtKit& k = picture.Kit();
    const int width = 7 * kBubble + kBubble / 2, height = 9 * n[4] + kBubble;
    for (int seat = 0; seat < 2; ++seat) {
        const int x = n[seat * 2], y = n[seat * 2 + 1];
        Fill(k, x - 1, y - 1, width + 2, height + 2, "night");
        Fill(k, x - 1, y - 1, width + 2, 1, seat == 0 ? "teal" : "rose", 0.8);
        // The canon: 75 pixels below the field, three bubbles in.
        const double cx = x + 3 * kBubble + kBubble / 2.0, cy = y + 75 + kBubble / 2.0;
        cairo_new_path(k.Cr());
        cairo_arc(k.Cr(), cx, cy, kBubble / 2.0 + 1.5, M_PI, 2 * M_PI);
        k.Canvas().SetColour(k.Colour("line"));
        cairo_set_line_width(k.Cr(), 2);
        cairo_stroke(k.Cr());
    }
    Label(k, (n[0] + width + n[2]) / 2.0, n[6] - 3, "LEVEL");
    return picture.Finish("Peek_puz", images, error);
}

// Pieces ---------------------------------------------------------------------------------

bool Blocks(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    std::vector<int> n;
    if (!ctx.layout.Numbers("Chat", "PreviewTumblix", 4, 2, n, error)) return false;
    for (int i = 0; i < 9; ++i) {
        TCanvas c(n[0], n[1]);
        TArtKit k(ctx, c);
        const TColour base = k.Colour(kBrickColours[i]);
        c.SetColour(Mix(base, k.Colour("night"), 0.35));
        cairo_paint(c.Cr());
        cairo_rectangle(c.Cr(), 0, 0, n[0] - 1, n[1] - 1);
        c.SetColour(base);
        cairo_fill(c.Cr());
        cairo_rectangle(c.Cr(), 0, 0, n[0] - 1, 1);
        c.SetColour(Mix(base, k.Colour("white"), 0.45));
        cairo_fill(c.Cr());
        if (!Encode(kBrickNames[i], c, SpriteConversion(k.Colour("night")), images, error)) return false;
    }
    return true;
}

void Disc(TArtKit& k, double cx, double cy, double r, const TColour& top, const TColour& bottom) {
    cairo_new_path(k.Cr());
    cairo_arc(k.Cr(), cx, cy, r, 0, 2 * M_PI);
    k.Canvas().SetLinear(0, cy - r, top, 1, 0, cy + r, bottom, 1);
    cairo_fill(k.Cr());
}

bool Bubbles(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    for (int colour = 1; colour <= 7; ++colour) {
        TCanvas c(kBubble, kBubble);
        TArtKit k(ctx, c);
        const double m = kBubble / 2.0;
        const bool bomb = colour == 7;
        const TColour base = k.Colour(bomb ? "night" : kBubbleColours[colour - 1]);
        Disc(k, m, m, m - 0.3, Mix(base, k.Colour("white"), bomb ? 0.2 : 0.35), Mix(base, k.Colour("night"), 0.3));
        if (bomb) {
            Fill(k, m + 1, 0, 2, 2, "amber");
        } else {
            Fill(k, m - 2, m - 2.5, 1.5, 1.5, "white", 0.8);
        }
        if (!Encode("puzzle" + std::to_string(colour), c, SpriteConversion(k.Colour("night")), images, error))
            return false;
    }
    return true;
}

bool Checkers(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    for (int black = 0; black <= 1; ++black) {
        TCanvas c(kChecker, kChecker);
        TArtKit k(ctx, c);
        const double m = kChecker / 2.0;
        if (black) {
            Disc(k, m, m, m - 0.5, k.Colour("raised"), k.Colour("night"));
            Fill(k, m - 1, m - 1, 2, 2, "rose");
        } else {
            Disc(k, m, m, m - 0.5, k.Colour("white"), k.Colour("paper"));
            cairo_new_path(k.Cr());
            cairo_arc(k.Cr(), m, m, 1.8, 0, 2 * M_PI);
            c.SetColour(k.Colour("darkink"));
            cairo_set_line_width(k.Cr(), 1);
            cairo_stroke(k.Cr());
        }
        if (!Encode(black ? "peek_bon" : "peek_won", c, SpriteConversion(k.Colour("deep")), images, error))
            return false;
        TCanvas side(kSideWidth, kSideHeight);
        TArtKit s(ctx, side);
        side.SetColour(s.Colour(black ? "rose" : "paper"));
        cairo_paint(side.Cr());
        Fill(s, 0, 1, kSideWidth, 1, black ? "raised" : "mist");
        if (!Encode(black ? "peek_bof" : "peek_wof", side, OpaqueConversion(), images, error)) return false;
    }
    return true;
}

// 2 × 2 pips on the 10 px die.
void Pips(TArtKit& k, int face, const std::string& colour) {
    const double a = 2, b = 4, c = 6;
    std::vector<std::pair<double, double>> at;
    if (face % 2) at.push_back({b, b});
    if (face >= 2) at.insert(at.end(), {{a, a}, {c, c}});
    if (face >= 4) at.insert(at.end(), {{c, a}, {a, c}});
    if (face == 6) at.insert(at.end(), {{a, b}, {c, b}});
    for (auto [x, y] : at) Fill(k, x, y, 2, 2, colour);
}

bool Dice(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    for (int black = 0; black <= 1; ++black)
        for (int face = 1; face <= 6; ++face) {
            TCanvas c(kDie, kDie);
            TArtKit k(ctx, c);
            c.RoundedRect(0.5, 0.5, kDie - 1, kDie - 1, 2);
            c.SetColour(k.Colour(black ? "night" : "paper"));
            cairo_fill_preserve(c.Cr());
            c.SetColour(k.Colour(black ? "rose" : "mist"));
            cairo_set_line_width(c.Cr(), 1);
            cairo_stroke(c.Cr());
            Pips(k, face, black ? "white" : "darkink");
            const std::string name = std::string(black ? "bdice" : "wdice") + "00" + std::to_string(face);
            if (!Encode(name, c, SpriteConversion(k.Colour("deep")), images, error)) return false;
        }
    return true;
}

bool Cubes(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    for (int value = 1; value <= 64; value *= 2) {
        TCanvas c(kCube, kCube);
        TArtKit k(ctx, c);
        c.RoundedRect(0.5, 0.5, kCube - 1, kCube - 1, 1.5);
        c.SetColour(k.Colour("amber"));
        cairo_fill(c.Cr());
        const std::string text = value == 1 ? "64" : std::to_string(value);
        const double size = text.size() > 1 ? 6.5 : 8;
        c.SetColour(k.Colour("darkink"));
        c.Text(k.Faces().CairoBold(), size, std::round(kCube / 2.0 - c.TextWidth(k.Faces().CairoBold(), size, text) / 2),
               kCube - 2.5, text);
        const std::string name = "double" + std::to_string(value == 1 ? 0 : value);
        if (!Encode(name, c, SpriteConversion(k.Colour("panel")), images, error)) return false;
    }
    return true;
}

// The peek menu's item: a tile with four small screens, one per slot.
bool MenuTiles(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    for (int kind = 1; kind <= 3; ++kind)
        for (int lit = 0; lit <= 1; ++lit) {
            TCanvas c(kMenuTileWidth, kMenuTileHeight);
            TArtKit k(ctx, c);
            c.SetColour(k.Colour("panel"));
            cairo_paint(c.Cr());
            if (lit)
                k.Bevel(0, 0, kMenuTileWidth, kMenuTileHeight, 6, k.Colour("tealhi"), k.Colour("teal"));
            else
                k.Bevel(0, 0, kMenuTileWidth, kMenuTileHeight, 6, k.Colour("raised"), k.Colour("deep"));
            const std::string ink = lit ? "darkink" : GameAccent(kind);
            for (int i = 0; i < 4; ++i) {
                c.RoundedRect(9 + (i % 2) * 7.5, 5 + (i / 2) * 6.5, 6.5, 5.5, 1);
                c.SetColour(k.Colour(ink));
                cairo_fill(c.Cr());
            }
            const std::string name = "Peek" + std::to_string(kind) + (lit ? "on" : "of");
            if (!Encode(name, c, OpaqueConversion(), images, error)) return false;
        }
    return true;
}

}  // namespace

bool DrawPreviews(const TArtContext& context, std::vector<TImage>& images, std::string& error) {
    TScreen screen;
    return ScreenSize(context, screen, error) && TumblixScreen(context, screen, images, error) &&
           GammonScreen(context, screen, images, error) && PuzzleScreen(context, screen, images, error) &&
           Blocks(context, images, error) && Bubbles(context, images, error) && Checkers(context, images, error) &&
           Dice(context, images, error) && Cubes(context, images, error) && MenuTiles(context, images, error);
}

}  // namespace skin
