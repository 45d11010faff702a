// The Tumblix numbers the window shows or waits by, computed from the game:
// the gravity delay of each level, the progress towards the next level, the
// balance bar between the two wells, and the reach of a bomb's blast and
// the frames of the bomb and weight animations.
#pragma once

#include <string>

namespace rules::tumblix {

// Gravity at the start of a game: one step every 36 ticks.
constexpr int kFirstDelay = 36;
// The level rises every 20 lines cleared by both players together.
constexpr int kLinesPerLevel = 20;

// The delay after a level-up to newLevel: 36 for level 1; otherwise the old
// delay falls by 6 while above 20, by 4 from 20 down to 13 and by 2 below,
// and never below 1: 36, 30, 24, 18, 14, 10, 8, 6, 4, 2, 1.
int NextDelay(int newLevel, int delay);

// The progress label: (lines mod 20) * 100 / 20, and that with " %".
int ProgressPercent(int lines);
std::string ProgressText(int lines);

// The balance bar (MakeStatus): the heights are each well's first occupied
// row without the falling piece (26 when empty); the result is the column
// of the bar's image of width `width` where its own half ("1_Status", the
// columns from split to width) meets the opponent's ("1_Status2", 0 to split).
int BalanceSplit(int ownHeight, int opponentHeight, int width);

// The bomb animation: eight frames; the 3 x 3 cells go at the fifth.
constexpr int kBlastFrames = 8;
constexpr int kBlastClearFrame = 5;
// The weight vanishes with frames 2 to 10 of its animation.
constexpr int kWeightFirstFrame = 2;
constexpr int kWeightLastFrame = 10;

// The cells of a blast with mask origin (x, y) that lie inside the well,
// as inclusive ranges; empty (Last < First) when none does. The window
// clips the explosion frame to this area.
struct TBlastArea {
    int FirstColumn = 0, LastColumn = -1;
    int FirstRow = 0, LastRow = -1;
    bool Empty() const { return LastColumn < FirstColumn || LastRow < FirstRow; }
};
TBlastArea BlastArea(int x, int y);

}  // namespace rules::tumblix
