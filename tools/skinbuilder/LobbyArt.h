// The lobby's pictures, drawn by the modules below and gathered by
// DrawLobby (WindowArt.h). Sizes in pixels; buttons are E + "on" / E + "of".
//
//   LobbyArt.cpp        Chat, Big (800 × 600): header, cards and the wells
//                       under the lists, the entry and the web panels of
//                       settings [Chat]
//   LobbyAreaArt.cpp    menu1, menu1-2, menu2, menu3, menu5, menu6
//                       (548 × 212): the central areas, each at its own
//                       [Chat] line (x, y)
//   LobbyButtonArt.cpp  Close, Minimi (24 × 24), Chatof, Chaton (the big-chat
//                       toggle, 104 × 24), Symbol (34 × 24), Option, create,
//                       Del, join, joinJa, Top100 (100 × 28 pills)
//   TileArt.cpp         tiles with a caption under them: the menu bar's
//                       Menu1 ... Menu5, the room tabs Person, Forum, Lobby,
//                       Games, Help, News, the glide items Info, Rum21,
//                       Ignore, Perdel (32 × 22), the points menus' Gampoi,
//                       Tumpoi, Puzpoi, Yatpoi (22 high, as wide as their
//                       longest caption and 12 pixels: 70 × 22); the games
//                       Tumbli, Bg, Puzzle, Yatzy and the chooser's Tris,
//                       Gam (30 × 30)
//   UserIconArt.cpp     the 41 user icons Gir1_gla ... SGame4 (18 × 18) and
//                       the user lists' selection bar Rowlight (440 × 20)
//   (ControlsArt.cpp)   the points menus' backgrounds Glidetumblix,
//                       Glidegammon, Glidepuzzle, GlideYatzy (340 × 120), the
//                       glide frame in the game's accent; "Glidetumblix" is
//                       too long for a pack member and ships as a loose file
//
// Lists paint their rows from the window's background, not from the area
// picture over it, so the central zone of "Chat" is flat deep wherever an
// area has a list, and the areas, drawn without dither, have their list
// wells in exactly that deep.
#pragma once

#include <string>
#include <vector>

#include "ArtKit.h"

namespace skin {

constexpr int kAreaWidth = 548, kAreaHeight = 212;
// The central areas' pictures, each placed at its [Chat] line of its name.
constexpr const char* kAreaPictures[6] = {"menu1-2", "menu1", "menu2", "menu3", "menu5", "menu6"};
constexpr int kTileWidth = 32, kTileHeight = 22;
// The points menus' items are wider than the other tiles: their longest
// caption and this much more (TileArt.cpp).
constexpr int kPointsCaptionRoom = 12;
constexpr int kGameTileSize = 30;
constexpr int kUserIconSize = 18;
// The points menus' backgrounds hold their largest menu, a row of four of
// those items (308 × 55 with the English captions; two rows of three are
// 234 × 98), with room to spare.
constexpr int kPointsGlideWidth = 340, kPointsGlideHeight = 120;

// A rectangle of the pictures.
struct TBox {
    int x = 0, y = 0, w = 0, h = 0;
};

// The well around a list of settings [Chat] key (font, x, y, height, ...)
// with its column widths line key + "colwidths": 6 pixels left of the rows,
// 3 above and below them, the scroll bar and 4 pixels right of them.
bool ListWell(const TArtContext& context, const std::string& key, TBox& well, std::string& error);
// A browser panel's rectangle (left, top, width, height, ...) of [Chat] or
// of another section.
bool PanelBox(const TArtContext& context, const std::string& key, TBox& box, std::string& error);
bool PanelBox(const TArtContext& context, const std::string& section, const std::string& key, TBox& box,
              std::string& error);
// The plain well under a banner panel, and the quiet slot of a small one.
void PanelWell(TArtKit& kit, const TBox& box);
void BannerSlot(TArtKit& kit, const TBox& box);
// A game window's advertisement panels of [section] Reklame1..3: wells
// under the first two, the small one's slot.
bool AdvertPanels(const TArtContext& context, TArtKit& kit, const std::string& section, std::string& error);
// Two numbers x, y of [Chat] key.
bool PlaceOf(const TArtContext& context, const std::string& key, int& x, int& y, std::string& error);

bool DrawLobbyAreas(const TArtContext& context, std::vector<TImage>& images, std::string& error);
bool DrawLobbyButtons(const TArtContext& context, std::vector<TImage>& images, std::string& error);
bool DrawTiles(const TArtContext& context, std::vector<TImage>& images, std::string& error);
bool DrawUserIcons(const TArtContext& context, std::vector<TImage>& images, std::string& error);

// A glyph of the tiles, about 14 pixels, centred on (cx, cy), in the colour
// ink (the "tables" glyph keeps its four game colours unless lit); also used
// by the area pictures.
void TileGlyph(TArtKit& kit, const std::string& glyph, double cx, double cy, const TColour& ink, bool lit);

}  // namespace skin
