#include "rules/gammon/OptionPlays.h"

#include <algorithm>
#include <set>

namespace rules::gammon {

namespace {

struct TState {
    TPosition Position;
    std::array<int, TBoard::kSlots> Slots;
    friend auto operator<=>(const TState&, const TState&) = default;
};

TState StateOf(const TBoard& board) {
    return {board.Position(), {board.Slot(1), board.Slot(2), board.Slot(3), board.Slot(4)}};
}

// The drops worth trying for one checker: each target its options name,
// and the drop outside the board halves when it can bear off.
std::vector<int> DropTargets(const TBoard& board, const TBrick& brick) {
    const TMoveOptions& options = brick.Options();
    std::vector<int> targets;
    int die1 = board.Slot(1), die2 = board.Slot(2), die = std::max(die1, die2);
    auto add = [&](bool allowed, int pips) {
        int target = Advance(brick.Colour(), brick.Point(), pips);
        if (allowed && PastEnd(brick.Colour(), target) == 0) targets.push_back(target);
    };
    add(options.Die1, die1);
    add(options.Die2, die2);
    add(options.Combined, die1 + die2);
    add(options.Triple, 3 * die);
    add(options.Quadruple, 4 * die);
    if (options.BearOff) targets.push_back(-1);
    return targets;
}

void Explore(const TBoard& board, std::set<TState>& seen, std::set<TPosition>& finals) {
    if (!seen.insert(StateOf(board)).second) return;
    if (board.TurnOver()) {
        finals.insert(board.Position());
        return;
    }
    for (int point = 0; point < kPointCount; ++point) {
        int checker = board.PickUp(board.TopChecker(point));
        if (checker == kNoChecker) continue;
        for (int target : DropTargets(board, board.Brick(checker))) {
            TBoard next = board;
            if (!next.Drop(checker, target).empty()) Explore(next, seen, finals);
        }
    }
}

}  // namespace

std::vector<TPosition> ReachableThroughOptions(const TBoard& board) {
    std::set<TState> seen;
    std::set<TPosition> finals;
    Explore(board, seen, finals);
    return {finals.begin(), finals.end()};
}

}  // namespace rules::gammon
