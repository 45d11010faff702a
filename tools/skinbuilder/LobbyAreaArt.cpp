// The central areas of the lobby, one picture per menu tab, each laid at
// [Chat] Menugfx over the flat deep zone of "Chat" (LobbyArt.h says why):
//
//   menu1-2  the tables' panel without an own table (and the lobby's
//            underlay of areas 1 and 2): the game tabs, one well for the
//            table lists, the table buttons on the right
//   menu1    area 1, the tables' panel with an own table: the same, since
//            the lobby may show either panel in area 1; the join requests
//            take the right part of the well
//   menu2    area 2: the game choice, the running games' well and the four
//            screens of the previews
//   menu3    area 3: the user list's well, the counters with the games'
//            tiles and value pills
//   menu5    area 4 (web area 1) and menu6 area 5 (web area 2): the web
//            tabs and the page's well
//
// A list's well carries no note: a list paints only its rows, so a note
// would show below the last one. The web wells' note lies under a camera's
// live picture, which every page covers too.
//
// The wells of the lists that later parts place (tables, running games) and
// the preview screens and web pages are fixed zones, listed in
// skin/README.md; the user list and the counters are read from settings.
#include <cmath>

#include "LobbyArt.h"

namespace skin {

namespace {

// Zones in window coordinates, below the tab bars of the areas.
constexpr TBox kTablesWell{18, 152, 420, 152};
constexpr TBox kRunningWell{18, 152, 250, 152};
constexpr TBox kScreens{276, 96, 278, 210};  // 2 × 2 screens of 138 × 104, 2 apart
constexpr int kScreenWidth = 138, kScreenHeight = 104;
constexpr TBox kWebWell{18, 144, 538, 160};
constexpr int kButtonColumn = 440;  // the table buttons stand right of it

// An area picture: flat panel, drawn in window coordinates (it stands at
// its own [Chat] line).
class TArea {
public:
    TArea(const TArtContext& ctx, int x, int y) : m_ctx(ctx), m_c(kAreaWidth, kAreaHeight), m_kit(ctx, m_c) {
        m_c.SetColour(m_kit.Colour("panel"));
        cairo_paint(m_c.Cr());
        cairo_translate(m_c.Cr(), -x, -y);
    }

    TArtKit& Kit() { return m_kit; }

    void Well(const TBox& b) { m_kit.Well(b.x, b.y, b.w, b.h); }

    // A faint note centred in a zone, for when nothing fills it yet.
    void Note(const TBox& b, const std::string& text) {
        m_kit.Caption(std::round(b.x + b.w / 2.0 - m_kit.CaptionWidth(text, 2) / 2), b.y + b.h / 2.0 + 4, text,
                      "line", 2);
    }

    bool Finish(const std::string& name, std::vector<TImage>& images, std::string& error) {
        // Flat, not dithered: the wells must be exactly the deep of the
        // background's central zone (LobbyArt.cpp).
        return Encode(name, m_c, OpaqueConversion(), images, error);
    }

private:
    const TArtContext& m_ctx;
    TCanvas m_c;
    TArtKit m_kit;
};

// The line left of the table buttons.
void ButtonColumn(TArtKit& k) {
    cairo_rectangle(k.Cr(), kButtonColumn - 1, 104, 1, 196);
    k.Canvas().SetColour(k.Colour("line"));
    cairo_fill(k.Cr());
}

bool Tables(const TArtContext& ctx, int x, int y, const std::string& name, std::vector<TImage>& images,
            std::string& error) {
    TArea a(ctx, x, y);
    ButtonColumn(a.Kit());
    a.Well(kTablesWell);
    return a.Finish(name, images, error);
}

// A preview screen: a night groove with its number and an eye.
void Screen(TArea& a, int n, double x, double y) {
    TArtKit& k = a.Kit();
    k.Groove(x, y, kScreenWidth, kScreenHeight, 6);
    TileGlyph(k, "eye", x + kScreenWidth / 2.0, y + kScreenHeight / 2.0 - 8, k.Colour("line"), false);
    a.Note({static_cast<int>(x), static_cast<int>(y) + 14, kScreenWidth, kScreenHeight},
           "SCREEN " + std::to_string(n));
}

bool Running(const TArtContext& ctx, int x, int y, std::vector<TImage>& images, std::string& error) {
    TArea a(ctx, x, y);
    TArtKit& k = a.Kit();
    k.Caption(120, 116, "RUNNING GAMES", "mist");
    k.Body(120, 135, "Pick one to watch it", "steel");
    a.Well(kRunningWell);
    for (int i = 0; i < 4; ++i)
        Screen(a, i + 1, kScreens.x + (i % 2) * (kScreenWidth + 2), kScreens.y + (i / 2) * (kScreenHeight + 2));
    return a.Finish("menu2", images, error);
}

// A counter row: the game's tile left of the label, a pill under the value.
bool CounterRow(const TArtContext& ctx, TArtKit& k, int game, const std::string& name, std::string& error) {
    std::vector<int> text, value;
    if (!ctx.layout.Numbers("Chat", name + "text", 0, 4, text, error) ||
        !ctx.layout.Numbers("Chat", name + "value", 0, 4, value, error))
        return false;
    const double scale = kUserIconSize / 30.0;
    k.GameTile(game, text[0] - 26, text[1] + (text[3] - text[1] - kUserIconSize) / 2.0, scale);
    const double h = value[3] - value[1];
    k.Canvas().RoundedRect(value[0], value[1], value[2] - value[0], h, h / 2);
    k.Canvas().SetColour(k.Colour("deep"));
    cairo_fill(k.Cr());
    return true;
}

bool Everybody(const TArtContext& ctx, int x, int y, std::vector<TImage>& images, std::string& error) {
    TBox users;
    std::vector<int> count;
    if (!ListWell(ctx, "Users", users, error) || !ctx.layout.Numbers("Chat", "Countvalue", 0, 4, count, error))
        return false;
    TArea a(ctx, x, y);
    TArtKit& k = a.Kit();
    a.Well(users);
    const int left = count[0], right = count[2];
    k.Separator(left, count[3] + 4, right - left);
    k.Caption(left, count[3] + 15, "PLAYING NOW", "mist");
    const char* names[] = {"Tumblix", "Bg", "Puzzle", "Yatzy"};
    for (int game = 1; game <= 4; ++game)
        if (!CounterRow(ctx, k, game, names[game - 1], error)) return false;
    return a.Finish("menu3", images, error);
}

bool Web(const TArtContext& ctx, int x, int y, const std::string& name, std::vector<TImage>& images,
         std::string& error) {
    // The note stands where a camera's live picture or still covers it, so
    // it never peeks through the gap between a camera and its words.
    std::vector<int> camera;
    if (!ctx.layout.Numbers("Chat", "Camera", 0, 4, camera, error)) return false;
    TArea a(ctx, x, y);
    a.Well(kWebWell);
    a.Note(TBox{camera[0], camera[1], camera[2], camera[3]}, "NO PAGES HERE YET");
    return a.Finish(name, images, error);
}

}  // namespace

bool DrawLobbyAreas(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    int x[6] = {}, y[6] = {};
    for (int i = 0; i < 6; ++i)
        if (!PlaceOf(ctx, kAreaPictures[i], x[i], y[i], error)) return false;
    return Tables(ctx, x[0], y[0], kAreaPictures[0], images, error) &&
           Tables(ctx, x[1], y[1], kAreaPictures[1], images, error) &&
           Running(ctx, x[2], y[2], images, error) && Everybody(ctx, x[3], y[3], images, error) &&
           Web(ctx, x[4], y[4], kAreaPictures[4], images, error) && Web(ctx, x[5], y[5], kAreaPictures[5], images, error);
}

}  // namespace skin
