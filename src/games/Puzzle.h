// TPuzzleform: the Puzzle game window (bubble shooter, two players).
//
// So far the window is its skinned background with a close and a minimise
// button: it takes part in starting and leaving a table (TGameform), while
// the game itself is still to be built.
#pragma once

#include "games/Gameform.h"

class TPuzzleform : public TGameform {
public:
    TPuzzleform() : TGameform(3, "3_Puzzle", "Puzzle", "3_Close", "3_Minimi") {}
};
