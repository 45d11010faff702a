// The lobby's buttons: the window controls in the title bar (drawn over the
// ground's raised tone there), the symbol button beside the chat line, and
// the labelled pills of the table and user areas (over panel).
#include <cmath>

#include "ButtonArt.h"
#include "LobbyArt.h"

namespace skin {

namespace {

constexpr int kRoundSize = 24;
constexpr int kToggleWidth = 104, kToggleHeight = 24;
constexpr int kSymbolWidth = 34, kSymbolHeight = 24;

void Stroke(TArtKit& k, double width) {
    cairo_set_line_width(k.Cr(), width);
    cairo_set_line_cap(k.Cr(), CAIRO_LINE_CAP_ROUND);
    cairo_stroke(k.Cr());
}

// A round window control: raised when idle, filled with its colour when lit.
void RoundFace(TArtKit& k, bool lit, const std::string& fill) {
    TCanvas& c = k.Canvas();
    const double m = kRoundSize / 2.0;
    cairo_new_path(k.Cr());
    cairo_arc(k.Cr(), m, m, m - 0.5, 0, 2 * M_PI);
    if (lit)
        c.SetLinear(0, 0, Mix(k.Colour(fill), k.Colour("white"), 0.2), 1, 0, kRoundSize, k.Colour(fill), 1);
    else
        c.SetLinear(0, 0, k.Colour("raised"), 1, 0, kRoundSize, k.Colour("deep"), 1);
    cairo_fill_preserve(k.Cr());
    c.SetColour(lit ? Mix(k.Colour(fill), k.Colour("night"), 0.3) : k.Colour("rim"));
    cairo_set_line_width(k.Cr(), 1);
    cairo_stroke(k.Cr());
}

bool WindowControls(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    for (int close = 0; close <= 1; ++close) {
        for (int lit = 0; lit <= 1; ++lit) {
            TCanvas c(kRoundSize, kRoundSize);
            TArtKit k(ctx, c);
            RoundFace(k, lit != 0, close ? "rose" : "teal");
            c.SetColour(k.Colour(lit ? (close ? "white" : "darkink") : "mist"));
            const double m = kRoundSize / 2.0, d = 4.2;
            if (close) {
                cairo_move_to(k.Cr(), m - d, m - d);
                cairo_line_to(k.Cr(), m + d, m + d);
                cairo_move_to(k.Cr(), m + d, m - d);
                cairo_line_to(k.Cr(), m - d, m + d);
            } else {
                cairo_move_to(k.Cr(), m - d, m + 2.5);
                cairo_line_to(k.Cr(), m + d, m + 2.5);
            }
            Stroke(k, 2);
            // The lobby's pair, and the same pair under each game window's names.
            const char* const names[] = {close ? "Close" : "Minimi", close ? "1_Quit" : "1_Minimi",
                                         close ? "2_Close" : "2_Minimi", close ? "3_Close" : "3_Minimi",
                                         close ? "4_Close" : "4_Minimi"};
            for (const char* base : names) {
                const std::string name = std::string(base) + (lit ? "on" : "of");
                if (!Encode(name, c, SpriteConversion(k.Colour("raised")), images, error)) return false;
            }
        }
    }
    return true;
}

// Two arrows pointing apart: "make it bigger".
void ExpandGlyph(TArtKit& k, double cx, double cy) {
    const double d = 4.5, h = 2.6;
    cairo_t* cr = k.Cr();
    cairo_move_to(cr, cx - d + 0.5, cy + d - 0.5);
    cairo_line_to(cr, cx + d - 0.5, cy - d + 0.5);
    for (int s = -1; s <= 1; s += 2) {
        const double tx = cx + s * d, ty = cy - s * d;
        cairo_move_to(cr, tx - s * h, ty);
        cairo_line_to(cr, tx, ty);
        cairo_line_to(cr, tx, ty + s * h);
    }
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    Stroke(k, 1.6);
}

// The big-chat toggle: state "Chatof" (normal lobby) looks like an "of"
// button, state "Chaton" (big chat) is lit teal; each has its hover picture.
bool BigChatToggle(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    const std::string label = "Big chat";
    for (int state = 0; state <= 1; ++state) {
        for (int lit = 0; lit <= 1; ++lit) {
            TCanvas c(kToggleWidth, kToggleHeight);
            TArtKit k(ctx, c);
            const double w = kToggleWidth, h = kToggleHeight, r = h / 2;
            c.RoundedRect(0, 0, w, h, r);
            if (state)
                c.SetLinear(0, 0, k.Colour(lit ? "white" : "tealhi"), 1, 0, h, k.Colour(lit ? "tealhi" : "teal"), 1);
            else
                c.SetLinear(0, 0, k.Colour("raised"), 1, 0, h, k.Colour("deep"), 1);
            cairo_fill(k.Cr());
            c.RoundedRect(0.5, 0.5, w - 1, h - 1, r - 0.5);
            c.SetColour(k.Colour(state ? "tealdk" : (lit ? "teal" : "rim")));
            cairo_set_line_width(k.Cr(), 1);
            cairo_stroke(k.Cr());
            const char* ink = state ? "darkink" : (lit ? "tealhi" : "ink");
            const double textWidth = k.BodyWidth(label, 0, true);
            const double x0 = std::round((w - textWidth - 16) / 2);
            c.SetColour(k.Colour(state ? "darkink" : (lit ? "tealhi" : "mist")));
            ExpandGlyph(k, x0 + 5, h / 2);
            c.SetColour(k.Colour(ink));
            c.Text(ctx.faces.CairoBold(), ctx.palette.TypeSize("body"), x0 + 16, h / 2 + 4.5, label);
            const std::string name = std::string(state ? "Chaton" : "Chatof") + (lit ? "on" : "of");
            if (!Encode(name, c, SpriteConversion(k.Colour("raised")), images, error)) return false;
        }
    }
    return true;
}

// The symbol picker's button at the end of the chat line: a smiley.
bool SymbolButton(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    for (int lit = 0; lit <= 1; ++lit) {
        TCanvas c(kSymbolWidth, kSymbolHeight);
        TArtKit k(ctx, c);
        const double w = kSymbolWidth, h = kSymbolHeight;
        c.RoundedRect(0, 0, w, h, 5);
        if (lit)
            c.SetLinear(0, 0, k.Colour("tealhi"), 1, 0, h, k.Colour("teal"), 1);
        else
            c.SetLinear(0, 0, k.Colour("raised"), 1, 0, h, k.Colour("deep"), 1);
        cairo_fill(k.Cr());
        c.RoundedRect(0.5, 0.5, w - 1, h - 1, 4.5);
        c.SetColour(k.Colour(lit ? "tealdk" : "rim"));
        cairo_set_line_width(k.Cr(), 1);
        cairo_stroke(k.Cr());
        k.BodyCentred(w / 2, h / 2 + 6, "\u263A", lit ? "darkink" : "amber", 17, false);
        // The lobby's, and the same under the game windows' name.
        for (const char* base : {"Symbol", "4_Symbol"})
            if (!Encode(std::string(base) + (lit ? "on" : "of"), c, SpriteConversion(k.Colour("panel")), images,
                        error))
                return false;
    }
    return true;
}

bool Pills(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    const struct {
        const char* element;
        const char* label;
        bool primary;
    } pills[] = {{"create", "New table", true}, {"Del", "Close table", false}, {"join", "Join", false},
                 {"joinJa", "Start", true},     {"Top100", "Top 100", false},   {"Option", "Options", false}};
    for (const auto& p : pills)
        if (!LabelledButton(ctx, p.element, p.label, p.primary, images, error)) return false;
    return true;
}

}  // namespace

bool DrawLobbyButtons(const TArtContext& context, std::vector<TImage>& images, std::string& error) {
    return WindowControls(context, images, error) && BigChatToggle(context, images, error) &&
           SymbolButton(context, images, error) && Pills(context, images, error);
}

}  // namespace skin
