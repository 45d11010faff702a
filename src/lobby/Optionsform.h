// TOptionsform: the options window (sound switch, account change, update check).
//
// So far the window exists with its skinned background only: it is created
// at start-up with the other windows (its surface counts toward the splash
// progress) and can be shown, but it has no elements and reacts to nothing
// yet. Its controls and behaviour are still to be built.
#pragma once

#include "controls/Form.h"

class TOptionsform : public TForm {
public:
    TOptionsform() : TForm("Option") {}
};
