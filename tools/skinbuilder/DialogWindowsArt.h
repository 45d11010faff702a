// The pictures of the lobby's three small windows, each a dialog ground
// (DialogArt.h) drawn around the layout lines of its section:
//
//   Option      360 × 240   [Options]: the account button's note beside
//                           Change, a separator over 0_mbOk
//   top100      480 × 520   [Hiscore]: the list well under List (with its
//                           header and scroll bar), the own row's well
//                           around Myplace ... Myscore
//   Info        440 × 400   [Info]: the chart well around the three
//                           Columns with quarter lines, a separator over
//                           the game's figures
//
// and their sprites: Change (100 × 28 pill), iClose (the primary "Close"
// pill), All (the 30 × 30 tile of all games: the four game tiles in
// small), Column (28 × 180, the bar the columns clip from the top).
#pragma once

#include <string>
#include <vector>

#include "ArtKit.h"

namespace skin {

constexpr int kColumnWidth = 28, kColumnHeight = 180;

bool DrawDialogWindows(const TArtContext& context, std::vector<TImage>& images, std::string& error);

}  // namespace skin
