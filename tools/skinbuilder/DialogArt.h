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
//   Option, top100, Info: DialogWindowsArt.h
//   update      380 × 130   the bar's track at [Update] Barwindow
//   2_Options   320 × 220
#pragma once

#include <string>
#include <vector>

#include "ArtKit.h"

namespace skin {

constexpr int kScrollWidth = 14;  // Listup / Listdo

// A dialog picture under construction: ground and header now, frame and
// encoding at Finish.
class TDialog {
public:
    TDialog(const TArtContext& ctx, int w, int h, const std::string& accent = "teal");

    TArtKit& Kit() { return m_kit; }

    // The well under an entry whose layout line is font, x, y, width.
    bool EntryWell(const std::string& section, const std::string& key, std::string& error);
    // The well under a list whose layout line is font, x, y, height, with
    // its column widths (key + "colwidths") and its scroll bar.
    bool ListWell(const std::string& section, const std::string& key, std::string& error);
    bool Finish(const std::string& name, std::vector<TImage>& images, std::string& error);

private:
    const TArtContext& m_ctx;
    TCanvas m_c;
    TArtKit m_kit;
};

bool DrawDialogs(const TArtContext& context, std::vector<TImage>& images, std::string& error);

}  // namespace skin
