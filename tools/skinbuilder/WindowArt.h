// The backgrounds of the big windows, drawn as zones that the windows'
// elements are placed into (skin/README.md lists the rectangles):
//
//   Chat, Big   800 × 600   the lobby, with and without the central area
//                           (DrawLobby also draws the lobby's areas,
//                           buttons, tiles and user icons: LobbyArt.h)
//   1_tris      790 × 590   Tumblix: wells at [Tris] Player1/2, next-piece
//                           boxes at Preview1/2
//   2_Gammon    790 × 590   Backgammon: the board of [Gammon] Board and the
//                           tray of Takeout
//   3_Puzzle    790 × 590   Puzzle: the fields at [Puzzle] Screen/Screen2
//   4_Yatzy     790 × 590   Yatzy: the score sheet of [Yatzy] Yatzy
//
// The game windows open 10 pixels right of and below the lobby's corner, so
// they are 10 pixels smaller each way and still fit an 800 × 600 screen.
#pragma once

#include <string>
#include <vector>

#include "ArtKit.h"

namespace skin {

constexpr int kLobbyWidth = 800, kLobbyHeight = 600;
constexpr int kGameWidth = 790, kGameHeight = 590;

bool DrawLobby(const TArtContext& context, std::vector<TImage>& images, std::string& error);
bool DrawGames(const TArtContext& context, std::vector<TImage>& images, std::string& error);
// The Tumblix window's sprites: bricks, balance bar, pause plate, the blast
// and weight frames, the Pause button (TumblixArt.cpp).
bool DrawTumblixSprites(const TArtContext& context, std::vector<TImage>& images, std::string& error);
// The Puzzle window's sprites (PuzzleArt.cpp).
bool DrawPuzzleSprites(const TArtContext& context, std::vector<TImage>& images, std::string& error);
// The Yatzy window's dice, held rings, turn markers, roll counter and roll
// button (YatzyArt.cpp).
bool DrawYatzyPieces(const TArtContext& context, std::vector<TImage>& images, std::string& error);
// The lobby's preview screens, their pieces and the peek menus' items
// (PreviewArt.cpp).
bool DrawPreviews(const TArtContext& context, std::vector<TImage>& images, std::string& error);
// The Backgammon table's pieces and buttons (GammonArt.cpp).
bool DrawGammonPieces(const TArtContext& context, std::vector<TImage>& images, std::string& error);

// The pop-up web window's frame and the web camera's still (WebArt.cpp).
bool DrawWebArt(const TArtContext& context, std::vector<TImage>& images, std::string& error);

}  // namespace skin
