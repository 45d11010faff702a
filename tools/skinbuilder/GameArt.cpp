#include <cmath>

#include "LobbyArt.h"
#include "WindowArt.h"
#include "rules/puzzle/PuzzleLayout.h"

namespace skin {

namespace {

constexpr int kTrisCell = 16, kTrisColumns = 12, kTrisRows = 26;
constexpr int kBubble = rules::kPuzzleBubbleSize, kBubbleColumns = 8, kBubbleRows = 20, kBubbleOverlap = 6;
constexpr int kPuzzleFloorMargin = 58;  // the field's bounds end this far above the window's bottom

// A game window under construction: ground in the game's accent and the
// title bar with the game's tile.
class TGameWindow {
public:
    TGameWindow(const TArtContext& ctx, int game, const std::string& title)
        : m_ctx(ctx), m_c(kGameWidth, kGameHeight), m_kit(ctx, m_c) {
        m_kit.WindowGround(GameAccent(game), 0.14);
        m_kit.GameTile(game, 14, 9, 0.8);
        m_kit.Heading(48, 29, title, "white");
        m_kit.Caption(48 + m_kit.HeadingWidth(title) + 12, 28, "QUORVALENDIX", "mist");
    }

    TArtKit& Kit() { return m_kit; }
    cairo_t* Cr() { return m_c.Cr(); }

    bool Finish(const std::string& name, std::vector<TImage>& images, std::string& error) {
        m_kit.WindowFrame();
        return Encode(name, m_c, BackgroundConversion(m_ctx.palette), images, error);
    }

private:
    const TArtContext& m_ctx;
    TCanvas m_c;
    TArtKit m_kit;
};

// Faint lines every step inside a rectangle: the cells of a well.
void Grid(TArtKit& k, double x, double y, int columns, int rows, double step) {
    k.Canvas().SetColour(k.Colour("rim"), 0.10);
    for (int i = 1; i < columns; ++i) cairo_rectangle(k.Cr(), x + i * step, y, 1, rows * step);
    for (int i = 1; i < rows; ++i) cairo_rectangle(k.Cr(), x, y + i * step, columns * step, 1);
    cairo_fill(k.Cr());
}

bool Tumblix(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    std::vector<int> p1, p2, n1, n2, st;
    if (!ctx.layout.Numbers("Tris", "Status", 0, 2, st, error) ||
        !ctx.layout.Numbers("Tris", "Player1", 0, 2, p1, error) ||
        !ctx.layout.Numbers("Tris", "Player2", 0, 2, p2, error) ||
        !ctx.layout.Numbers("Tris", "Preview1", 0, 4, n1, error) ||
        !ctx.layout.Numbers("Tris", "Preview2", 0, 4, n2, error))
        return false;
    TGameWindow g(ctx, 1, "Tumblix");
    TArtKit& k = g.Kit();
    const int w = kTrisColumns * kTrisCell, h = kTrisRows * kTrisCell;
    for (const auto* p : {&p1, &p2}) {
        const int x = (*p)[0], y = (*p)[1];
        k.Card(x - 16, y - 36, w + 32, h + 52);
        k.Groove(x - 4, y - 4, w + 8, h + 8, 6);
        Grid(k, x, y, kTrisColumns, kTrisRows, kTrisCell);
    }
    const int left = p1[0] + w + 26, right = p2[0] - 26;
    k.Card(left, p1[1] - 36, right - left, h + 52);
    for (const auto* n : {&n1, &n2}) k.Groove((*n)[0], (*n)[1], (*n)[2], (*n)[3], 8);
    // The balance bar's track and what its two ends stand for.
    const int barWidth = 232, barHeight = 14;
    k.Groove(st[0] - 3, st[1] - 3, barWidth + 6, barHeight + 6, (barHeight + 6) / 2.0);
    k.Caption(st[0], st[1] - 10, "BALANCE", "mist");
    k.Caption(st[0], st[1] + barHeight + 18, "YOU", "teal");
    k.Caption(st[0] + barWidth - k.CaptionWidth("THEM"), st[1] + barHeight + 18, "THEM", "rose");
    k.Separator(left + 16, st[1] + 48, right - left - 32);
    return g.Finish("1_tris", images, error);
}

// One half of the backgammon board: felt and twelve points.
void BoardHalf(TArtKit& k, double x, double y, double w, double h, double point) {
    TCanvas& c = k.Canvas();
    c.SetLinear(0, y, k.Colour("deep"), 1, 0, y + h, k.Colour("night"), 1);
    cairo_rectangle(k.Cr(), x, y, w, h);
    cairo_fill(k.Cr());
    const double pw = w / 6;
    const TColour colours[2] = {Mix(k.Colour("rose"), k.Colour("deep"), 0.35),
                                Mix(k.Colour("steel"), k.Colour("deep"), 0.3)};
    for (int i = 0; i < 6; ++i) {
        for (int bottom = 0; bottom <= 1; ++bottom) {
            const double x0 = x + i * pw, tip = bottom ? y + h - point : y + point, base = bottom ? y + h : y;
            cairo_new_path(k.Cr());
            cairo_move_to(k.Cr(), x0 + 1, base);
            cairo_line_to(k.Cr(), x0 + pw / 2, tip);
            cairo_line_to(k.Cr(), x0 + pw - 1, base);
            cairo_close_path(k.Cr());
            const TColour& colour = colours[(i + bottom) % 2];
            c.SetLinear(0, base, colour, 1, 0, tip, Mix(colour, k.Colour("deep"), 0.4), 1);
            cairo_fill(k.Cr());
        }
    }
}

bool Gammon(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    std::vector<int> b, t;  // board: lx, ly, rx, ry, half w, half h, column h; tray: x, w, margin
    if (!ctx.layout.Numbers("Gammon", "Board", 0, 7, b, error) ||
        !ctx.layout.Numbers("Gammon", "Takeout", 0, 3, t, error))
        return false;
    TGameWindow g(ctx, 2, "Backgammon");
    TArtKit& k = g.Kit();
    const double frame = 12, top = b[1] - frame, bottom = b[1] + b[5] + frame;
    const double left = b[0] - frame, right = t[0] + t[1] + frame;
    k.Bevel(left, top, right - left, bottom - top, 14, k.Colour("raised"), k.Colour("panel"));
    BoardHalf(k, b[0], b[1], b[4], b[5], b[6]);
    BoardHalf(k, b[2], b[3], b[4], b[5], b[6]);
    for (double x : {double(b[0]), double(b[2])}) {
        cairo_rectangle(k.Cr(), x - 0.5, b[1] - 0.5, b[4] + 1, b[5] + 1);
        k.Canvas().SetColour(k.Colour("night"));
        cairo_set_line_width(k.Cr(), 1);
        cairo_stroke(k.Cr());
    }
    k.Groove(t[0], b[1], t[1], b[5], 6);
    cairo_rectangle(k.Cr(), t[0] + 4, b[1] + b[5] / 2.0, t[1] - 8, 1);
    k.Canvas().SetColour(k.Colour("line"));
    cairo_fill(k.Cr());
    k.Card(right + 10, top, kGameWidth - 14 - (right + 10), bottom - top);
    return AdvertPanels(ctx, k, "Gammon", error) && g.Finish("2_Gammon", images, error);
}

// A bubble field: the well down to the canon's floor, a faint dot where
// each cell of the staggered grid sits.
void PuzzleField(TArtKit& k, int x, int y) {
    const int w = kBubbleColumns * kBubble, floor = kGameHeight - kPuzzleFloorMargin;
    k.Card(x - 16, y - 12, w + 32, floor - y + 28);
    k.Groove(x - 4, y - 4, w + 9, floor - y + 8, 8);
    k.Canvas().SetColour(k.Colour("rim"), 0.16);
    for (int row = 0; row < kBubbleRows; ++row) {
        const int cells = row % 2 ? kBubbleColumns - 1 : kBubbleColumns;
        for (int col = 0; col < cells; ++col) {
            const double cx = x + col * kBubble + (row % 2 ? kBubble / 2 : 0) + kBubble / 2.0;
            const double cy = y + row * (kBubble - kBubbleOverlap) + kBubble / 2.0;
            cairo_new_path(k.Cr());
            cairo_arc(k.Cr(), cx, cy, 1.2, 0, 2 * M_PI);
            cairo_fill(k.Cr());
        }
    }
}

// The canons and the death line decide where shots land, so the layout
// lines must give the rules' shared layout, which the server checks shots
// with: the canon at its offset from its field, the line at its depth.
bool CheckPuzzleLayout(const TArtContext& ctx, const std::vector<int>& screen, const char* canonKey,
                       std::string& error) {
    std::vector<int> canon, line;
    if (!ctx.layout.Numbers("Puzzle", canonKey, 0, 4, canon, error) ||
        !ctx.layout.Numbers("Puzzle", "line", 0, 1, line, error))
        return false;
    const rules::TPuzzleGeometry g = rules::PuzzleLayoutGeometry(screen[0], screen[1]);
    if (canon != std::vector<int>{g.Canon.X, g.Canon.Y, g.Canon.Distance, g.Canon.Lift} || line[0] != g.LineOffset) {
        error = std::string("settings.txt [Puzzle] ") + canonKey + " must be " + std::to_string(g.Canon.X) + "," +
                std::to_string(g.Canon.Y) + "," + std::to_string(g.Canon.Distance) + "," +
                std::to_string(g.Canon.Lift) + " and line " + std::to_string(g.LineOffset) +
                " (src/rules/puzzle/PuzzleLayout.h, which the server's referee uses)";
        return false;
    }
    return true;
}

// The middle card: the players, the level, the next bubble's groove and the
// shot clock's groove.
void PuzzleMiddle(TArtKit& k, const std::vector<int>& preview, const std::vector<int>& progress, int left,
                  int right) {
    k.Caption(left + 14, 78, "YOU", "mist");
    k.Caption(left + 14, 158, "OPPONENT", "mist");
    k.Separator(left + 12, 226, right - left - 24);
    // Captions centred over their grooves.
    const double next = preview[0] + kBubble / 2.0, clock = progress[0] + 7;
    k.Caption(next - k.CaptionWidth("NEXT") / 2, progress[1] - 10, "NEXT", "mist");
    k.Groove(preview[0] - 6, preview[1] - 6, kBubble + 12, kBubble + 12, 8);
    k.Caption(clock - k.CaptionWidth("SHOT CLOCK") / 2, progress[1] - 10, "SHOT CLOCK", "mist");
    k.Groove(progress[0] - 3, progress[1] - 3, 20, 176, 7);
}

bool Puzzle(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    std::vector<int> s1, s2, preview, progress;
    if (!ctx.layout.Numbers("Puzzle", "Screen", 0, 2, s1, error) ||
        !ctx.layout.Numbers("Puzzle", "Screen2", 0, 2, s2, error) ||
        !ctx.layout.Numbers("Puzzle", "Preview", 0, 2, preview, error) ||
        !ctx.layout.Numbers("Puzzle", "Progress", 0, 2, progress, error) ||
        !CheckPuzzleLayout(ctx, s1, "Canon", error) || !CheckPuzzleLayout(ctx, s2, "Canon2", error))
        return false;
    TGameWindow g(ctx, 3, "Puzzle");
    TArtKit& k = g.Kit();
    PuzzleField(k, s1[0], s1[1]);
    PuzzleField(k, s2[0], s2[1]);
    const int left = s1[0] + kBubbleColumns * kBubble + 26, right = s2[0] - 26;
    k.Card(left, s1[1] - 12, right - left, kGameHeight - kPuzzleFloorMargin - s1[1] + 28);
    PuzzleMiddle(k, preview, progress, left, right);
    return g.Finish("3_Puzzle", images, error) && DrawPuzzleSprites(ctx, images, error);
}

// The Yatzy window's right card: the dice tray, the row of the roll button,
// counter and clocks, the chat's well and the entry's well, all from their
// layout lines.
bool YatzySide(const TArtContext& ctx, TArtKit& k, int left, int top, std::string& error) {
    std::vector<int> tray, chat, widths, edit;  // x, y, w, h; x, y, height; width; x, y, width
    if (!ctx.layout.Numbers("Yatzy", "Tray", 0, 4, tray, error) ||
        !ctx.layout.Numbers("Yatzy", "Chat", 1, 3, chat, error) ||
        !ctx.layout.Numbers("Yatzy", "Chatcolwidths", 0, 1, widths, error) ||
        !ctx.layout.Numbers("Yatzy", "Chatedit", 1, 3, edit, error))
        return false;
    constexpr int kScroll = 14;
    k.Card(left, top, kGameWidth - 12 - left, kGameHeight - 14 - top);
    k.Caption(tray[0], tray[1] - 4, "DICE");
    k.Groove(tray[0], tray[1], tray[2], tray[3], 10);
    k.Separator(left + 12, chat[1] - 26, kGameWidth - 36 - left);
    k.Caption(chat[0] - 6, chat[1] - 8, "TABLE CHAT");
    k.Well(chat[0] - 6, chat[1] - 3, 6 + widths[0] + 4 + kScroll + 4, chat[2] + 6);
    k.Well(edit[0] - 6, edit[1] - 4, edit[2] + 12, ctx.bodyHeight + 9, 5);
    return true;
}

// The score sheet: a title row, 21 rows (the computed rows 7, 8 and 21 as
// tall as the title row and tinted), a label, a maximum and four player
// columns; under it the row of rounds won.
bool Yatzy(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    std::vector<int> s;  // left, top, title row, row, label column, maximum column, player column
    if (!ctx.layout.Numbers("Yatzy", "Yatzy", 4, 7, s, error)) return false;
    TGameWindow g(ctx, 4, "Yatzy");
    TArtKit& k = g.Kit();
    TCanvas& c = k.Canvas();
    const int players = 4, rows = 21, roundsRow = 30;
    const int width = s[4] + s[5] + players * s[6];
    int height = s[2];
    for (int r = 1; r <= rows; ++r) height += r == 7 || r == 8 || r == 21 ? s[2] : s[3];
    k.Card(s[0] - 12, s[1] - 12, width + 24, height + 24 + roundsRow);
    k.Well(s[0], s[1], width, height, 6);
    cairo_rectangle(k.Cr(), s[0] + 1, s[1] + 1, width - 2, s[2] - 1);
    c.SetColour(k.Colour("raised"));
    cairo_fill(k.Cr());
    int y = s[1] + s[2];
    for (int r = 1; r <= rows; ++r) {
        const bool computed = r == 7 || r == 8 || r == 21;
        const int h = computed ? s[2] : s[3];
        if (computed || r % 2 == 0) {
            cairo_rectangle(k.Cr(), s[0] + 1, y, width - 2, h);
            c.SetColour(computed ? Mix(k.Colour("deep"), k.Colour("teal"), 0.12) : k.Colour("panel"));
            cairo_fill(k.Cr());
        }
        cairo_rectangle(k.Cr(), s[0] + 1, y, width - 2, 1);
        c.SetColour(k.Colour("line"), computed ? 1.0 : 0.5);
        cairo_fill(k.Cr());
        y += h;
    }
    int x = s[0] + s[4];
    for (int col = 0; col <= players; ++col) {
        cairo_rectangle(k.Cr(), x, s[1] + 1, 1, height - 2);
        c.SetColour(k.Colour("line"));
        cairo_fill(k.Cr());
        x += col == 0 ? s[5] : s[6];
    }
    k.Caption(s[0] + 6, s[1] + height + 20, "ROUNDS WON");
    return YatzySide(ctx, k, s[0] + width + 24, s[1] - 12, error) && AdvertPanels(ctx, k, "Yatzy", error) &&
           g.Finish("4_Yatzy", images, error);
}

}  // namespace

bool DrawGames(const TArtContext& context, std::vector<TImage>& images, std::string& error) {
    return Tumblix(context, images, error) && DrawTumblixSprites(context, images, error) &&
           Gammon(context, images, error) && Puzzle(context, images, error) && Yatzy(context, images, error) &&
           DrawYatzyPieces(context, images, error) && DrawPreviews(context, images, error);
}

}  // namespace skin
