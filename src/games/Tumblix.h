// TTumblixForm: the Tumblix game window (falling blocks, two players).
//
// So far the window is its skinned background with a close and a minimise
// button: it takes part in starting and leaving a table (TGameform), while
// the game itself is still to be built.
#pragma once

#include "games/Gameform.h"

class TTumblixForm : public TGameform {
public:
    TTumblixForm() : TGameform(1, "1_tris", "Tris", "1_Quit", "1_Minimi") {}
};
