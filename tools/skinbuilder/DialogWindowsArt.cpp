#include "DialogWindowsArt.h"

#include "ButtonArt.h"
#include "DialogArt.h"
#include "LobbyArt.h"

namespace skin {
namespace {

bool Option(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    std::vector<int> change, ok;  // x, y
    if (!ctx.layout.Numbers("Options", "Change", 0, 2, change, error) ||
        !ctx.layout.Numbers("Options", "0_mbOk", 0, 2, ok, error))
        return false;
    TDialog d(ctx, 360, 240);
    TArtKit& k = d.Kit();
    k.DialogHeader("Options", "SOUND  \u00B7  ACCOUNT");
    k.Card(16, 70, 328, 158);
    k.Body(change[0] + kButtonWidth + 12, change[1] + kButtonHeight / 2.0 + 4.5, "your password or face", "mist");
    k.Separator(32, ok[1] - 10, 296);
    return d.Finish("Option", images, error);
}

bool Hiscore(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    std::vector<int> place, score;  // left, top, right, bottom
    if (!ctx.layout.Numbers("Hiscore", "Myplace", 0, 4, place, error) ||
        !ctx.layout.Numbers("Hiscore", "Myscore", 0, 4, score, error))
        return false;
    TDialog d(ctx, 480, 520, "amber");
    TArtKit& k = d.Kit();
    k.DialogHeader("Top 100", "THE BEST PLAYERS OF THE ZONE");
    k.Card(16, 70, 448, 438);
    if (!d.ListWell("Hiscore", "List", error)) return false;
    // The own row: an amber-edged well, so it reads as "you".
    const double x = place[0] - 8, y = place[1] - 7, w = score[2] - place[0] + 16, h = place[3] - place[1] + 14;
    k.Well(x, y, w, h);
    k.Canvas().RoundedRect(x + 0.5, y + 0.5, w - 1, h - 1, 4);
    k.Canvas().SetColour(k.Colour("amberdk"), 0.8);
    cairo_set_line_width(k.Cr(), 1);
    cairo_stroke(k.Cr());
    k.Caption(x, y - 6, "YOU", "amber");
    return d.Finish("top100", images, error);
}

// The chart well around the three columns, with faint lines at the
// quarters of their height.
bool Info(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    std::vector<int> columns;  // x, y of each
    if (!ctx.layout.Numbers("Info", "Columns", 0, 6, columns, error)) return false;
    TDialog d(ctx, 440, 400);
    TArtKit& k = d.Kit();
    k.DialogHeader("Player information", "STATISTICS PER GAME");
    k.Card(16, 70, 408, 318);
    const int left = columns[0] - 12, right = columns[4] + kColumnWidth + 12;
    const int top = columns[1] - 8, bottom = columns[1] + kColumnHeight + 8;
    k.Well(left, top, right - left, bottom - top);
    for (int quarter = 1; quarter < 4; ++quarter) {
        cairo_rectangle(k.Cr(), left + 6, columns[1] + kColumnHeight - quarter * kColumnHeight / 4, right - left - 12,
                        1);
        k.Canvas().SetColour(k.Colour("line"), 0.7);
        cairo_fill(k.Cr());
    }
    k.Separator(32, 178, 204);
    k.Separator(32, 334, 376);
    return d.Finish("Info", images, error);
}

// The tile of all games together: the four game tiles in a square.
bool AllTile(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    for (int lit = 0; lit <= 1; ++lit) {
        TCanvas c(kGameTileSize, kGameTileSize);
        TArtKit k(ctx, c);
        const double half = kGameTileSize / 2.0, scale = (half - 1) / 30.0;
        for (int game = 1; game <= 4; ++game)
            k.GameTile(game, (game - 1) % 2 * half + 0.5, (game - 1) / 2 * half + 0.5, scale);
        if (!lit) {
            c.RoundedRect(0, 0, kGameTileSize, kGameTileSize, 6);
            c.SetColour(k.Colour("panel"), 0.28);
            cairo_fill(c.Cr());
        } else {
            c.RoundedRect(1, 1, kGameTileSize - 2, kGameTileSize - 2, 6);
            c.SetColour(k.Colour("white"), 0.9);
            cairo_set_line_width(c.Cr(), 2);
            cairo_stroke(c.Cr());
        }
        TConversion conversion = OpaqueConversion();
        conversion.matte = k.Colour("panel");
        if (!Encode(std::string("All") + (lit ? "on" : "of"), c, conversion, images, error)) return false;
    }
    return true;
}

// A column: teal, lighter at its rounded top, on the deep of the chart.
bool Column(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    TCanvas c(kColumnWidth, kColumnHeight);
    TArtKit k(ctx, c);
    c.SetColour(k.Colour("deep"));
    cairo_paint(c.Cr());
    k.Bevel(2, 0, kColumnWidth - 4, kColumnHeight, 5, k.Colour("tealhi"), k.Colour("tealdk"));
    TConversion conversion = OpaqueConversion();
    conversion.matte = k.Colour("deep");
    return Encode("Column", c, conversion, images, error);
}

}  // namespace

bool DrawDialogWindows(const TArtContext& context, std::vector<TImage>& images, std::string& error) {
    return Option(context, images, error) && Hiscore(context, images, error) && Info(context, images, error) &&
           LabelledButton(context, "Change", "Change", false, images, error) &&
           LabelledButton(context, "iClose", "Close", true, images, error) && AllTile(context, images, error) &&
           Column(context, images, error);
}

}  // namespace skin
