// The legal plays of a turn by the rules of backgammon, worked out from
// the position alone, independently of the options the board computes for
// the table window: every die must be played when possible, both when both
// can be, and the larger one when only one of two can. Plays are compared
// by the position they leave, since that is what a turn changes.
//
// The referee keeps the position at the start of a turn and the steps the
// player has sent (an undo drops the newest), and asks here whether they
// are a legal play, or still the start of one.
#pragma once

#include <span>
#include <vector>

#include "rules/gammon/Position.h"

namespace rules::gammon {

// One single move: the checker on top of Source moves by Pips (one die).
struct TStep {
    int Source = 0;
    int Pips = 0;
    friend bool operator==(const TStep&, const TStep&) = default;
};

// Whether colour may move a checker from source by pips: there is such a
// checker, the bar is empty or it is on the bar, and the single-step test
// passes.
bool CanStep(const TPosition& position, TColour colour, int source, int pips);

// Every position colour can leave with the dice by a legal play, without
// repeats and in no particular order. With no playable die it is the
// position itself.
std::vector<TPosition> LegalFinalPositions(const TPosition& start, TColour colour, int die1, int die2);

enum class TPlayVerdict {
    Legal,       // a complete legal play
    Unfinished,  // legal so far, but more must be played
    Illegal,     // a step that cannot be made, or that no legal play begins with
};

// Judges the steps played so far from start with the dice.
TPlayVerdict JudgePlay(const TPosition& start, TColour colour, int die1, int die2, std::span<const TStep> steps);

}  // namespace rules::gammon
