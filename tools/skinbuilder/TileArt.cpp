// The lobby's tiles: small pictures that carry a caption under them, as the
// tab bars and glide menus draw it (the tab's room title, the menu item's
// text). "of" is a raised tile with the glyph in the element's accent, "on"
// (under the pointer, or the current tab) the skin's lit teal with a dark
// glyph; the game tiles are the emblem's own, muted when "of". The room tabs
// "Person" and "Forum" are also the user menu's "Private chat" and "Forum"
// items, so every glyph reads as an action as well as a place. Tiles are
// opaque on panel: tab bars and glide menus draw their buttons opaque.
#include <algorithm>
#include <cmath>

#include "FontMaker.h"
#include "LobbyArt.h"
#include "platform/Codepage.h"

namespace skin {

namespace {

void Stroke(TArtKit& k, double width) {
    cairo_set_line_width(k.Cr(), width);
    cairo_set_line_cap(k.Cr(), CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(k.Cr(), CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(k.Cr());
}

void Circle(cairo_t* cr, double x, double y, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
}

// Head and shoulders of a person standing at (x, y) (the head's centre).
void Person(cairo_t* cr, double x, double y, double s) {
    Circle(cr, x, y, 2.7 * s);
    cairo_fill(cr);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x, y + 8.2 * s, 5 * s, M_PI, 2 * M_PI);
    cairo_close_path(cr);
    cairo_fill(cr);
}

// A speech bubble with its tail at the lower left (mirror: lower right).
void Bubble(TCanvas& c, double x, double y, double w, double h, bool mirror) {
    cairo_t* cr = c.Cr();
    c.RoundedRect(x, y, w, h, 3);
    const double tx = mirror ? x + w - 3.5 : x + 3.5;
    cairo_move_to(cr, tx - 1.5, y + h - 0.5);
    cairo_line_to(cr, mirror ? tx + 1.5 : tx - 2, y + h + 3);
    cairo_line_to(cr, tx + 2, y + h - 0.5);
}

void Tables(TArtKit& k, double cx, double cy, bool lit) {
    const char* colours[] = {"teal", "amber", "rose", "sky"};
    for (int i = 0; i < 4; ++i) {
        k.Canvas().RoundedRect(cx - 6.5 + (i % 2) * 7, cy - 6.5 + (i / 2) * 7, 6, 6, 1.5);
        k.Canvas().SetColour(k.Colour(lit ? "darkink" : colours[i]));
        cairo_fill(k.Cr());
    }
}

void Eye(TArtKit& k, double cx, double cy, const TColour& ink) {
    cairo_t* cr = k.Cr();
    cairo_move_to(cr, cx - 7, cy);
    cairo_curve_to(cr, cx - 3, cy - 5.5, cx + 3, cy - 5.5, cx + 7, cy);
    cairo_curve_to(cr, cx + 3, cy + 5.5, cx - 3, cy + 5.5, cx - 7, cy);
    cairo_close_path(cr);
    k.Canvas().SetColour(ink);
    Stroke(k, 1.5);
    Circle(cr, cx, cy, 2.4);
    cairo_fill(cr);
}

void People(TArtKit& k, double cx, double cy) {
    cairo_t* cr = k.Cr();
    cairo_push_group(cr);
    Person(cr, cx - 4.5, cy - 2.5, 0.8);
    Person(cr, cx + 4.5, cy - 2.5, 0.8);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, 0.75);
}

void News(TArtKit& k, double cx, double cy, const TColour& ink) {
    cairo_t* cr = k.Cr();
    TCanvas& c = k.Canvas();
    c.SetColour(ink);
    c.RoundedRect(cx - 7, cy - 6, 14, 12, 1.5);
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
    cairo_rectangle(cr, cx - 4.5, cy - 3.5, 4, 3.5);   // the picture
    cairo_rectangle(cr, cx + 0.8, cy - 3.5, 3.7, 1.2);  // lines beside it
    cairo_rectangle(cr, cx + 0.8, cy - 1.2, 3.7, 1.2);
    cairo_rectangle(cr, cx - 4.5, cy + 1.5, 9, 1.2);    // lines under it
    cairo_fill(cr);
}

void Globe(TArtKit& k, double cx, double cy, const TColour& ink) {
    cairo_t* cr = k.Cr();
    k.Canvas().SetColour(ink);
    Circle(cr, cx, cy, 6.5);
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, 0.45, 1);
    Circle(cr, 0, 0, 6.5);
    cairo_restore(cr);
    cairo_move_to(cr, cx - 6.5, cy);
    cairo_line_to(cr, cx + 6.5, cy);
    Stroke(k, 1.3);
}

void House(TArtKit& k, double cx, double cy, const TColour& ink) {
    cairo_t* cr = k.Cr();
    k.Canvas().SetColour(ink);
    cairo_move_to(cr, cx - 7, cy - 0.5);
    cairo_line_to(cr, cx, cy - 7);
    cairo_line_to(cr, cx + 7, cy - 0.5);
    Stroke(k, 1.6);
    cairo_move_to(cr, cx - 4.5, cy - 2);
    cairo_line_to(cr, cx - 4.5, cy + 6);
    cairo_line_to(cr, cx - 1.5, cy + 6);
    cairo_line_to(cr, cx - 1.5, cy + 2);
    cairo_line_to(cr, cx + 1.5, cy + 2);
    cairo_line_to(cr, cx + 1.5, cy + 6);
    cairo_line_to(cr, cx + 4.5, cy + 6);
    cairo_line_to(cr, cx + 4.5, cy - 2);
    cairo_close_path(cr);
    cairo_fill(cr);
}

void Die(TArtKit& k, double cx, double cy, const TColour& ink) {
    cairo_t* cr = k.Cr();
    k.Canvas().SetColour(ink);
    k.Canvas().RoundedRect(cx - 6.5, cy - 6.5, 13, 13, 3);
    Stroke(k, 1.4);
    for (int i = -1; i <= 1; ++i) Circle(cr, cx + i * 3.3, cy - i * 3.3, 1.4);
    cairo_fill(cr);
}

void Flag(TArtKit& k, double cx, double cy, const TColour& ink) {
    cairo_t* cr = k.Cr();
    k.Canvas().SetColour(ink);
    cairo_move_to(cr, cx - 4.5, cy + 7);
    cairo_line_to(cr, cx - 4.5, cy - 7);
    Stroke(k, 1.6);
    cairo_move_to(cr, cx - 3.5, cy - 7);
    cairo_line_to(cr, cx + 6, cy - 4);
    cairo_line_to(cr, cx - 3.5, cy - 0.5);
    cairo_close_path(cr);
    cairo_fill(cr);
}

void Card(TArtKit& k, double cx, double cy, const TColour& ink) {
    cairo_t* cr = k.Cr();
    k.Canvas().SetColour(ink);
    k.Canvas().RoundedRect(cx - 7.5, cy - 5.5, 15, 11, 2);
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
    Person(cr, cx - 3.3, cy - 1.6, 0.62);
    cairo_rectangle(cr, cx + 0.5, cy - 2.5, 4.5, 1.3);
    cairo_rectangle(cr, cx + 0.5, cy + 0.5, 4.5, 1.3);
    cairo_fill(cr);
}

}  // namespace

void TileGlyph(TArtKit& k, const std::string& glyph, double cx, double cy, const TColour& ink, bool lit) {
    cairo_t* cr = k.Cr();
    TCanvas& c = k.Canvas();
    cairo_new_path(cr);
    c.SetColour(ink);
    if (glyph == "tables") {
        Tables(k, cx, cy, lit);
    } else if (glyph == "eye") {
        Eye(k, cx, cy, ink);
    } else if (glyph == "people") {
        People(k, cx, cy + 0.5);
        c.SetColour(ink);
        Person(cr, cx, cy - 1, 1.0);
    } else if (glyph == "news") {
        News(k, cx, cy, ink);
    } else if (glyph == "globe") {
        Globe(k, cx, cy, ink);
    } else if (glyph == "person") {
        Person(cr, cx, cy - 3.5, 1.15);
    } else if (glyph == "forum") {
        Bubble(c, cx - 7.5, cy - 6.5, 10, 7.5, false);
        cairo_fill(cr);
        Bubble(c, cx - 1.5, cy - 2, 9, 7, true);
        c.SetColour(ink);
        cairo_set_line_width(cr, 1.3);
        cairo_stroke(cr);
    } else if (glyph == "house") {
        House(k, cx, cy, ink);
    } else if (glyph == "die") {
        Die(k, cx, cy, ink);
    } else if (glyph == "help" || glyph == "info") {
        const bool info = glyph == "info";
        if (info) {
            Circle(cr, cx, cy, 6.8);
            Stroke(k, 1.4);
        }
        const std::string text = info ? "i" : "?";
        const double size = info ? 11 : 15;
        c.SetColour(ink);
        c.Text(k.Faces().CairoBold(), size, std::round(cx - k.BodyWidth(text, size, true) / 2),
               cy + (info ? 4 : 5.5), text);
        cairo_new_path(cr);
    } else if (glyph == "card") {
        Card(k, cx, cy, ink);
    } else if (glyph == "ban") {
        Circle(cr, cx, cy, 6.3);
        cairo_move_to(cr, cx - 4.4, cy + 4.4);
        cairo_line_to(cr, cx + 4.4, cy - 4.4);
        Stroke(k, 1.7);
    } else if (glyph == "close") {
        cairo_move_to(cr, cx - 4.5, cy - 4.5);
        cairo_line_to(cr, cx + 4.5, cy + 4.5);
        cairo_move_to(cr, cx + 4.5, cy - 4.5);
        cairo_line_to(cr, cx - 4.5, cy + 4.5);
        Stroke(k, 2);
    } else if (glyph == "flag") {
        Flag(k, cx, cy, ink);
    }
}

namespace {

// Tab bars and glide menus draw their buttons opaque, so a tile carries the
// panel it stands on in its corners.
TConversion OnPanel(const TArtKit& k) {
    TConversion c = OpaqueConversion();
    c.matte = k.Colour("panel");
    return c;
}

struct TTile {
    const char* element;
    const char* glyph;
    const char* accent;
    int width = kTileWidth;
};

bool Tile(const TArtContext& ctx, const TTile& t, std::vector<TImage>& images, std::string& error) {
    for (int lit = 0; lit <= 1; ++lit) {
        TCanvas c(t.width, kTileHeight);
        TArtKit k(ctx, c);
        const double w = t.width, h = kTileHeight, r = 6;
        if (lit)
            k.Bevel(0, 0, w, h, r, k.Colour("tealhi"), k.Colour("teal"));
        else
            k.Bevel(0, 0, w, h, r, k.Colour("raised"), k.Colour("deep"));
        c.RoundedRect(0.5, 0.5, w - 1, h - 1, r - 0.5);
        c.SetColour(k.Colour(lit ? "tealdk" : "line"), lit ? 0.9 : 1);
        cairo_set_line_width(c.Cr(), 1);
        cairo_stroke(c.Cr());
        const TColour ink = k.Colour(lit ? "darkink" : t.accent);
        TileGlyph(k, t.glyph, w / 2, h / 2, ink, lit != 0);
        if (!Encode(std::string(t.element) + (lit ? "on" : "of"), c, OnPanel(k), images, error))
            return false;
    }
    return true;
}

// A game's tile: muted "of", full colour with a white ring "on".
bool GameTiles(const TArtContext& ctx, const std::string& element, int game, std::vector<TImage>& images,
               std::string& error) {
    for (int lit = 0; lit <= 1; ++lit) {
        TCanvas c(kGameTileSize, kGameTileSize);
        TArtKit k(ctx, c);
        cairo_push_group(c.Cr());
        k.GameTile(game, 0, 0, kGameTileSize / 30.0);
        cairo_pop_group_to_source(c.Cr());
        cairo_paint_with_alpha(c.Cr(), lit ? 1.0 : 0.72);
        if (lit) {
            c.RoundedRect(1, 1, kGameTileSize - 2, kGameTileSize - 2, 6);
            c.SetColour(k.Colour("white"), 0.9);
            cairo_set_line_width(c.Cr(), 2);
            cairo_stroke(c.Cr());
        }
        if (!Encode(element + (lit ? "on" : "of"), c, OnPanel(k), images, error))
            return false;
    }
    return true;
}

// A points menu's item is as wide as its longest caption, "NN to win" (the
// lobby puts the points, up to two digits, and a blank before the text of
// text.txt [en-<section>] key), and kPointsCaptionRoom more (rounded up to
// even): a glide's cell is its widest item and 4 pixels, so the captions of
// a menu row stand that far apart and the last one keeps clear of the frame.
bool PointsTileWidth(const TArtContext& ctx, const std::string& section, const std::string& key, int& width,
                     std::string& error) {
    const TSourceSection* captions = ctx.texts.Find("en-" + section);
    const std::string* text = captions != nullptr ? captions->Find(key) : nullptr;
    if (text == nullptr) {
        error = ctx.texts.Path() + ": the points menus' items need [en-" + section + "] " + key;
        return false;
    }
    const int caption = TextWidth(ctx.body, "00 " + platform::Utf8ToCp1252(*text));
    // Even, so the flag stands on whole pixels in the middle.
    width = std::max(kTileWidth, (caption + kPointsCaptionRoom + 1) / 2 * 2);
    return true;
}

bool PointsTiles(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    const struct {
        const char* element;
        const char* section;
        const char* key;
        int game;
    } menus[] = {{"Tumpoi", "Glidetumblix", "Tumblixpoint", 1},
                 {"Gampoi", "Glidegammon", "Gammonpoint", 2},
                 {"Puzpoi", "Glidepuzzle", "Puzzlepoint", 3},
                 {"Yatpoi", "GlideYatzy", "Yatzypoint", 4}};
    for (const auto& m : menus) {
        const std::string accent = GameAccent(m.game);
        TTile tile{m.element, "flag", accent.c_str()};
        if (!PointsTileWidth(ctx, m.section, m.key, tile.width, error) || !Tile(ctx, tile, images, error))
            return false;
    }
    return true;
}

}  // namespace

bool DrawTiles(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    const TTile tiles[] = {
        // The menu bar's five areas.
        {"Menu1", "tables", "amber"},
        {"Menu2", "eye", "sky"},
        {"Menu3", "people", "leaf"},
        {"Menu4", "news", "lemon"},
        {"Menu5", "globe", "violet"},
        // Room tabs: private chat, forum (also the fallback of every tab),
        // and the prefixes of the public rooms.
        {"Person", "person", "pink"},
        {"Forum", "forum", "sky"},
        {"Lobby", "house", "teal"},
        {"Games", "die", "amber"},
        {"Help", "help", "leaf"},
        {"News", "news", "lemon"},
        // User and room menu items.
        {"Info", "info", "sky"},
        {"Rum21", "card", "amber"},
        {"Ignore", "ban", "rose"},
        {"Perdel", "close", "rose"},
    };
    for (const TTile& t : tiles)
        if (!Tile(ctx, t, images, error)) return false;
    // The points menus' flags, in the game's accent.
    if (!PointsTiles(ctx, images, error)) return false;
    const struct {
        const char* element;
        int game;
    } games[] = {{"Tumbli", 1}, {"Bg", 2}, {"Puzzle", 3}, {"Yatzy", 4}, {"Tris", 1}, {"Gam", 2}, {"Puz", 3}, {"Yat", 4}};
    for (const auto& g : games)
        if (!GameTiles(ctx, g.element, g.game, images, error)) return false;
    return true;
}

}  // namespace skin
