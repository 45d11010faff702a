// The backgrounds of the start-up windows and the dialogs. Each is a window
// ground with a header (the small emblem, a title where the window has no
// title label) and a panel card holding the controls; wells and tracks are
// drawn under the entries, lists and bars whose layout lines they read:
//
//   Logon       440 × 324   [Lobbivex] Nameedit, Passwordedit
//   register    460 × 410   [Register] Aliasedit, Passwordedit, Yearedit,
//                           Monthedit, Dayedit
//   n_Message   400 × 200   n = 0 lobby, 1 ... 4 the games (their accent)
//   Question    400 × 344   [Question] Answers, Answerscolwidths
//   Spam        360 × 150   the count in a ring at [Chat] Spamcount
//   Option      360 × 240
//   top100      440 × 520   list well 28,132 384 × 292; own row 28,434 384 × 28
//   Info        440 × 400   chart well 272,96 132 × 208 for the columns
//   update      380 × 130   the bar's track at [Update] Barwindow
//   2_Options   320 × 220
#pragma once

#include <string>
#include <vector>

#include "ArtKit.h"

namespace skin {

bool DrawDialogs(const TArtContext& context, std::vector<TImage>& images, std::string& error);

}  // namespace skin
