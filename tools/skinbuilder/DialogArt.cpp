#include "DialogArt.h"

#include <cmath>

#include "SplashArt.h"

namespace skin {

TDialog::TDialog(const TArtContext& ctx, int w, int h, const std::string& accent)
    : m_ctx(ctx), m_c(w, h), m_kit(ctx, m_c) {
    m_kit.WindowGround(accent);
}

bool TDialog::EntryWell(const std::string& section, const std::string& key, std::string& error) {
    std::vector<int> v;
    if (!m_ctx.layout.Numbers(section, key, 1, 3, v, error)) return false;
    m_kit.Well(v[0] - 8, v[1] - 6, v[2] + 16, m_ctx.bodyHeight + 12);
    return true;
}

bool TDialog::ListWell(const std::string& section, const std::string& key, std::string& error) {
    std::vector<int> list;  // x, y, height
    if (!m_ctx.layout.Numbers(section, key, 1, 3, list, error)) return false;
    std::vector<std::string> fields;
    std::vector<int> widths;
    if (!m_ctx.layout.Fields(section, key + "colwidths", fields, error) ||
        !m_ctx.layout.Numbers(section, key + "colwidths", 0, fields.size(), widths, error))
        return false;
    int total = 0;
    for (int width : widths) total += width;
    m_kit.Well(list[0] - 4, list[1] - 4, total + 4 + kScrollWidth + 8, list[2] + 8);
    return true;
}

bool TDialog::Finish(const std::string& name, std::vector<TImage>& images, std::string& error) {
    m_kit.WindowFrame();
    return Encode(name, m_c, BackgroundConversion(m_ctx.palette), images, error);
}

namespace {

bool Logon(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    TDialog d(ctx, 440, 324);
    TArtKit& k = d.Kit();
    k.DialogHeader("Quorvalendix", "LOG ON TO THE GAME ZONE");
    k.Card(16, 70, 408, 238);
    k.Separator(32, 248, 376);
    return d.EntryWell("Lobbivex", "Nameedit", error) && d.EntryWell("Lobbivex", "Passwordedit", error) &&
           d.Finish("Logon", images, error);
}

bool Register(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    TDialog d(ctx, 460, 410);
    TArtKit& k = d.Kit();
    k.DialogHeader("", "QUORVALENDIX  \u00B7  ACCOUNT");
    k.Card(16, 70, 428, 326);
    k.Separator(32, 334, 396);
    for (const char* entry : {"Aliasedit", "Passwordedit", "Yearedit", "Monthedit", "Dayedit"})
        if (!d.EntryWell("Register", entry, error)) return false;
    return d.Finish("register", images, error);
}

// A message box slot: the lobby's has the emblem, a game's its own tile and
// accent colour.
bool Message(const TArtContext& ctx, int slot, std::vector<TImage>& images, std::string& error) {
    TDialog d(ctx, 400, 200, GameAccent(slot));
    TArtKit& k = d.Kit();
    if (slot == 0)
        k.Emblem(36, 34, 0.36);
    else
        k.GameTile(slot, 21, 19, 1.0);
    k.Card(16, 62, 368, 126);
    k.Separator(32, 136, 336);
    return d.Finish(std::to_string(slot) + "_Message", images, error);
}

bool Question(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    TDialog d(ctx, 400, 344);
    TArtKit& k = d.Kit();
    k.DialogHeader("Question", "THE GAME ZONE ASKS YOU");
    k.Card(16, 62, 368, 270);
    if (!d.ListWell("Question", "Answers", error)) return false;
    k.Separator(32, 284, 336);
    return d.Finish("Question", images, error);
}

// The spam window: an amber sign, the message, and the count-down in a
// ring around [Chat] Spamcount.
bool Spam(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    std::vector<int> count;  // left, top, right, bottom
    if (!ctx.layout.Numbers("Chat", "Spamcount", 0, 4, count, error)) return false;
    TDialog d(ctx, 360, 150, "amber");
    TArtKit& k = d.Kit();
    TCanvas& c = k.Canvas();
    k.Card(12, 12, 336, 126);
    k.Bevel(26, 47, 56, 56, 14, k.Colour("amber"), k.Colour("amberdk"));
    k.BodyCentred(54, 88, "!", "darkink", 36, true);
    const double cx = (count[0] + count[2]) / 2.0, cy = (count[1] + count[3]) / 2.0;
    cairo_new_path(k.Cr());
    cairo_arc(k.Cr(), cx, cy, 25, 0, 2 * M_PI);
    c.SetColour(k.Colour("night"));
    cairo_set_line_width(k.Cr(), 6);
    cairo_stroke(k.Cr());
    cairo_arc(k.Cr(), cx, cy, 25, -M_PI / 2, M_PI);
    c.SetColour(k.Colour("amberdk"));
    cairo_set_line_width(k.Cr(), 3);
    cairo_set_line_cap(k.Cr(), CAIRO_LINE_CAP_ROUND);
    cairo_stroke(k.Cr());
    return d.Finish("Spam", images, error);
}

bool Update(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    std::vector<int> bar;
    if (!ctx.layout.Numbers("Update", "Barwindow", 0, 2, bar, error)) return false;
    TDialog d(ctx, 380, 130);
    TArtKit& k = d.Kit();
    k.DialogHeader("", "");
    k.Groove(bar[0] - 4, bar[1] - 4, kBarWidth + 8, kBarHeight + 8, (kBarHeight + 8) / 2.0);
    const std::string note = "QUORVALENDIX RESTARTS WHEN IT IS DONE";
    k.Caption(std::round(190 - k.CaptionWidth(note) / 2), bar[1] + kBarHeight + 24, note, "steel");
    return d.Finish("update", images, error);
}

bool GammonOptions(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    TDialog d(ctx, 320, 220, GameAccent(2));
    d.Kit().DialogHeader("Options", "BACKGAMMON");
    d.Kit().Card(16, 70, 288, 138);
    return d.Finish("2_Options", images, error);
}

}  // namespace

bool DrawDialogs(const TArtContext& context, std::vector<TImage>& images, std::string& error) {
    if (!Logon(context, images, error) || !Register(context, images, error)) return false;
    for (int slot = 0; slot <= 4; ++slot)
        if (!Message(context, slot, images, error)) return false;
    return Question(context, images, error) && Spam(context, images, error) && Update(context, images, error) &&
           GammonOptions(context, images, error);
}

}  // namespace skin
