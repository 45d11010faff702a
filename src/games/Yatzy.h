// TYatzyform: the Yatzy game window (two to four players).
//
// So far the window is its skinned background with a close and a minimise
// button: it takes part in starting and leaving a table (TGameform), while
// the game itself is still to be built.
#pragma once

#include "games/Gameform.h"

class TYatzyform : public TGameform {
public:
    TYatzyform() : TGameform(4, "4_Yatzy", "Yatzy", "4_Close", "4_Minimi") {}
};
