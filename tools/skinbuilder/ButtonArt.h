// The buttons of the start-up windows and the dialogs, each element E as
// the pictures E + "of" and E + "on", all drawn transparent over the panel
// of the cards they sit on:
//
//   OK, Cancel, New                      100 × 28 pills (logon, registration)
//   n_mbYes, n_mbOk, n_mbNo, n_mbCan     100 × 28 pills, n = 0 ... 4 (message
//                                        box slots; also the question window)
//   0_mbCus1                             "Search ports" of the connect box
//   Boy, Gir                             176 × 28 gender switch: the states
//                                        "Male" and "Female" of one toggle
//   Boy1 ... Boy3, Gir1 ... Gir3         48 × 48 faces of the face toggles
//
// The label is part of the picture (the skin ships English); the "of" and
// "on" pictures put it in the same place. Primary buttons (OK, Yes) are
// amber, the others follow the teal rule of skin/README.md.
#pragma once

#include <string>
#include <vector>

#include "ArtKit.h"

namespace skin {

constexpr int kButtonWidth = 100;
constexpr int kButtonHeight = 28;

bool DrawButtons(const TArtContext& context, std::vector<TImage>& images, std::string& error);

// One pill button E of kButtonWidth × kButtonHeight with its label drawn in
// (primary: amber); false with a message when the label does not fit.
bool LabelledButton(const TArtContext& context, const std::string& element, const std::string& label,
                    bool primary, std::vector<TImage>& images, std::string& error);

}  // namespace skin
