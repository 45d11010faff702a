// TGammonform: the Backgammon game window (board, cube, match play).
//
// So far the window is its skinned background with a close and a minimise
// button: it takes part in starting and leaving a table (TGameform), while
// the game itself is still to be built.
#pragma once

#include "games/Gameform.h"

class TGammonform : public TGameform {
public:
    TGammonform() : TGameform(2, "2_Gammon", "Gammon", "2_Close", "2_Minimi") {}
};
