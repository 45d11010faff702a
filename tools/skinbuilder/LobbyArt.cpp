#include "LobbyArt.h"

#include <cmath>

#include "ControlsArt.h"
#include "WindowArt.h"

namespace skin {

namespace {

constexpr int kScrollWidth = 14;  // Listup / Listdo
constexpr int kCardTop = 46;
constexpr int kChatTop = 316, kChatBottom = 556;
constexpr int kInputTop = 562;
constexpr int kRightX = 572, kRightWidth = 218;  // the banner and users column
constexpr int kMenuCardWidth = 552;

// Faint rings from the upper right corner, as on the splash.
void Rings(TArtKit& k) {
    cairo_set_line_width(k.Cr(), 1);
    for (int i = 0; i < 7; ++i) {
        cairo_new_path(k.Cr());
        cairo_arc(k.Cr(), kLobbyWidth - 40, 0, 40 + 26 * i, 0, 2 * M_PI);
        k.Canvas().SetColour(k.Colour("ink"), 0.04 - 0.004 * i);
        cairo_stroke(k.Cr());
    }
    cairo_new_path(k.Cr());
}

// The title bar: emblem, name, caption, and the small banner's slot.
bool LobbyHeader(const TArtContext& ctx, TArtKit& k, std::string& error) {
    TBox banner;
    if (!PanelBox(ctx, "Reklame3", banner, error)) return false;
    Rings(k);
    k.Emblem(28, 23, 0.3);
    k.Heading(52, 29, "Quorvalendix", "white");
    const double x = 52 + k.HeadingWidth("Quorvalendix") + 14;
    k.Caption(x, 28, "GAME ZONE", "mist");
    BannerSlot(k, banner);
    return true;
}

// The central zone under the menu bar: flat deep wherever an area picture
// lies, since the lists in the areas paint their rows from here. The areas
// are not dithered, so the zone takes deep at its 5-bit value, which the
// dither leaves alone: the rows meet the areas' wells exactly.
bool CentralZone(const TArtContext& ctx, TArtKit& k, std::string& error) {
    const TColour deep = k.Colour("deep");
    k.Canvas().SetColour({static_cast<uint8_t>(deep.r & 0xF8), static_cast<uint8_t>(deep.g & 0xF8),
                          static_cast<uint8_t>(deep.b & 0xF8)});
    for (const char* area : kAreaPictures) {
        int x = 0, y = 0;
        if (!PlaceOf(ctx, area, x, y, error)) return false;
        cairo_rectangle(k.Cr(), x, y, kAreaWidth, kAreaHeight);
    }
    cairo_fill(k.Cr());
    return true;
}

// The menu card (normal mode) and the banner card beside it.
bool TopCards(const TArtContext& ctx, TArtKit& k, bool big, std::string& error) {
    TBox banner1, banner2;
    if (!PanelBox(ctx, "Reklame1", banner1, error) || !PanelBox(ctx, "Reklame2", banner2, error)) return false;
    if (!big) {
        k.Card(10, kCardTop, kMenuCardWidth, kChatTop - 6 - kCardTop);
        k.Separator(22, 92, kMenuCardWidth - 24);
        if (!CentralZone(ctx, k, error)) return false;
    }
    k.Card(kRightX, kCardTop, kRightWidth, kChatTop - 6 - kCardTop);
    // The wells stay plain: a banner that covers less than its whole panel
    // would let any note drawn here show through around it.
    for (const TBox* b : {&banner1, &banner2}) PanelWell(k, *b);
    return true;
}

// The chat: in normal mode one card across the window with the room tabs,
// the room header, the text and the users; in big mode the text and the
// tabs take the menu card's place and the users keep theirs in a card of
// their own under the banners.
bool ChatCards(const TArtContext& ctx, TArtKit& k, bool big, std::string& error) {
    TBox text, users, header;
    if (!ListWell(ctx, big ? "Chatbig" : "Chat", text, error) || !ListWell(ctx, "Chatusers", users, error) ||
        !PanelBox(ctx, big ? "Chatheaderbig" : "Chatheader", header, error))
        return false;
    if (big) {
        k.Card(10, kCardTop, kMenuCardWidth, kChatBottom - kCardTop);
        k.Separator(22, 92, kMenuCardWidth - 24);
        k.Card(kRightX, kChatTop, kRightWidth, kChatBottom - kChatTop);
        k.Separator(kRightX + 12, users.y - 4, kRightWidth - 24);
    } else {
        k.Card(10, kChatTop, kLobbyWidth - 20, kChatBottom - kChatTop);
        k.Separator(22, users.y - 4, kLobbyWidth - 44);
    }
    k.Well(text.x, text.y, text.w, text.h);
    k.Well(users.x, users.y, users.w, users.h);
    // Plain like the banners' wells: the room header's page may not cover it.
    PanelWell(k, header);
    return true;
}

// The input card: the chat line's well; the symbol button sits right of it.
bool InputCard(const TArtContext& ctx, TArtKit& k, std::string& error) {
    std::vector<int> edit;  // x, y, width
    if (!ctx.layout.Numbers("Chat", "Chatedit", 1, 3, edit, error)) return false;
    k.Card(10, kInputTop, kLobbyWidth - 20, kLobbyHeight - 6 - kInputTop, 8);
    k.Well(edit[0] - 10, edit[1] - 4, edit[2] + 20, ctx.bodyHeight + 9, 5);
    return true;
}

bool Lobby(const TArtContext& ctx, bool big, std::vector<TImage>& images, std::string& error) {
    TCanvas c(kLobbyWidth, kLobbyHeight);
    TArtKit k(ctx, c);
    k.WindowGround("teal", 0.14);
    if (!LobbyHeader(ctx, k, error) || !TopCards(ctx, k, big, error) || !ChatCards(ctx, k, big, error) ||
        !InputCard(ctx, k, error))
        return false;
    k.WindowFrame();
    return Encode(big ? "Big" : "Chat", c, BackgroundConversion(ctx.palette), images, error);
}

}  // namespace

bool ListWell(const TArtContext& ctx, const std::string& key, TBox& well, std::string& error) {
    std::vector<int> list, widths;  // x, y, height; the column widths
    std::vector<std::string> fields;
    if (!ctx.layout.Numbers("Chat", key, 1, 3, list, error) ||
        !ctx.layout.Fields("Chat", key + "colwidths", fields, error) ||
        !ctx.layout.Numbers("Chat", key + "colwidths", 0, fields.size(), widths, error))
        return false;
    int total = 0;
    for (int w : widths) total += w;
    well = {list[0] - 6, list[1] - 3, 6 + total + 4 + kScrollWidth + 4, list[2] + 6};
    return true;
}

bool PanelBox(const TArtContext& ctx, const std::string& key, TBox& box, std::string& error) {
    return PanelBox(ctx, "Chat", key, box, error);
}

bool PanelBox(const TArtContext& ctx, const std::string& section, const std::string& key, TBox& box,
              std::string& error) {
    std::vector<int> v;
    if (!ctx.layout.Numbers(section, key, 0, 4, v, error)) return false;
    box = {v[0], v[1], v[2], v[3]};
    return true;
}

void PanelWell(TArtKit& k, const TBox& b) { k.Well(b.x - 2, b.y - 2, b.w + 4, b.h + 4, 5); }

// A small banner's slot stays quiet in a title bar: a faint outline with the
// emblem, until a banner covers it.
void BannerSlot(TArtKit& k, const TBox& banner) {
    k.Canvas().RoundedRect(banner.x - 1.5, banner.y - 1.5, banner.w + 3, banner.h + 3, 5);
    k.Canvas().SetColour(k.Colour("night"), 0.35);
    cairo_fill_preserve(k.Cr());
    k.Canvas().SetColour(k.Colour("line"), 0.7);
    cairo_set_line_width(k.Cr(), 1);
    cairo_stroke(k.Cr());
    cairo_push_group(k.Cr());
    k.Emblem(banner.x + banner.w / 2.0, banner.y + banner.h / 2.0, 0.2);
    cairo_pop_group_to_source(k.Cr());
    cairo_paint_with_alpha(k.Cr(), 0.3);
}

bool AdvertPanels(const TArtContext& ctx, TArtKit& k, const std::string& section, std::string& error) {
    TBox banner1, banner2, banner3;
    if (!PanelBox(ctx, section, "Reklame1", banner1, error) || !PanelBox(ctx, section, "Reklame2", banner2, error) ||
        !PanelBox(ctx, section, "Reklame3", banner3, error))
        return false;
    PanelWell(k, banner1);
    PanelWell(k, banner2);
    BannerSlot(k, banner3);
    return true;
}

bool PlaceOf(const TArtContext& ctx, const std::string& key, int& x, int& y, std::string& error) {
    std::vector<int> v;
    if (!ctx.layout.Numbers("Chat", key, 0, 2, v, error)) return false;
    x = v[0];
    y = v[1];
    return true;
}

// The points menus' backgrounds, one per game in its accent; each menu is
// a row of four or two rows of three captioned items.
bool PointsGlides(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    const char* sections[] = {"Glidetumblix", "Glidegammon", "Glidepuzzle", "GlideYatzy"};
    for (int game = 1; game <= 4; ++game)
        if (!GlidePicture(ctx, sections[game - 1], kPointsGlideWidth, kPointsGlideHeight, GameAccent(game), images,
                          error))
            return false;
    return true;
}

bool DrawLobby(const TArtContext& context, std::vector<TImage>& images, std::string& error) {
    return Lobby(context, false, images, error) && Lobby(context, true, images, error) &&
           DrawLobbyAreas(context, images, error) && DrawLobbyButtons(context, images, error) &&
           DrawTiles(context, images, error) && DrawUserIcons(context, images, error) &&
           PointsGlides(context, images, error);
}

}  // namespace skin
