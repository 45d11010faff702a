// What a referee tells the live previews of its game: each change a
// watcher sees, at the moment the referee accepts it. The running game's
// preview (GamePreview) implements it and turns the changes into preview
// messages; a referee without one talks to a sink that does nothing, so a
// kind without previews (Yatzy) costs nothing.
//
// Seats count from 0 as in the referees. The preview reads everything else
// it needs (the dice on the table, the cube, the level, whole snapshots)
// from its referee's accessors when it is told that it changed.
#pragma once

#include <vector>

#include "rules/puzzle/PuzzleLanding.h"
#include "rules/tumblix/WellChange.h"

namespace server {

class PreviewSink {
public:
    virtual ~PreviewSink() = default;

    // The state changed beyond what the calls below say (a game of the
    // match began, the games won changed): watchers get it whole again.
    virtual void Restarted() {}
    // Tumblix and Puzzle: the level, the number shown on its own.
    virtual void LevelChanged() {}

    // Tumblix: what changed in a seat's well, in order.
    virtual void WellChanged(int seat, const std::vector<rules::tumblix::TWellChange>& changes) {
        (void)seat, (void)changes;
    }

    // Backgammon: the dice on the table changed.
    virtual void DiceChanged() {}
    // Backgammon: a checker of the seat's colour moved from point by pips
    // (hitting a lone checker on the target, or bearing off past the end).
    virtual void CheckerMoved(int seat, int point, int pips) { (void)seat, (void)point, (void)pips; }
    // Backgammon: the seat took back its move from `from` to `to` (-1 for
    // a checker borne off); hit when that move had hit a lone checker.
    virtual void MoveTakenBack(int seat, int from, int to, bool hit) { (void)seat, (void)from, (void)to, (void)hit; }
    // Backgammon: the cube's value or owner changed.
    virtual void CubeChanged() {}

    // Puzzle: a shot of the seat, flying along the direction entry (0..126)
    // in the colour, came to rest in the cell.
    virtual void Shot(int seat, int colour, int entry, rules::TPuzzleCell cell) {
        (void)seat, (void)colour, (void)entry, (void)cell;
    }
    // Puzzle: cells of the seat's field set or cleared (after a shot: what
    // it burst, bombed or dropped; placed trash).
    virtual void CellsChanged(int seat, const rules::TPuzzleCellChanges& changes) { (void)seat, (void)changes; }
};

}  // namespace server
