// What a player can reach by following the board's options alone: every
// drop the table window allows (on each point the options name, and off
// the board), repeated until the turn is over. Used to list the final
// positions of a turn for other engines and to hold the options against
// the legal plays.
#pragma once

#include <vector>

#include "rules/gammon/Board.h"

namespace rules::gammon {

// The distinct final positions reachable from board (dice set, options
// computed for the colour at turn). With no legal move it is the position
// itself.
std::vector<TPosition> ReachableThroughOptions(const TBoard& board);

}  // namespace rules::gammon
