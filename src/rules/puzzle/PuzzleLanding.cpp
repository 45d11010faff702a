#include "rules/puzzle/PuzzleLanding.h"

namespace rules {
namespace {

void ClearCells(TPuzzleField& field, const TPuzzleCells& cells, TPuzzleChangeKind kind, TPuzzleCellChanges& changes) {
    for (const TPuzzleCell& cell : cells) {
        changes.push_back({cell, kind, field.Colour(cell)});
        field.SetColour(cell, 0);
    }
}

void Append(TPuzzleCellChanges& changes, const TPuzzleCellChanges& more) {
    changes.insert(changes.end(), more.begin(), more.end());
}

}  // namespace

TPuzzleCellChanges DropLooseBubbles(TPuzzleField& field) {
    TPuzzleCellChanges changes;
    ClearCells(field, field.LooseBubbles(), TPuzzleChangeKind::Fell, changes);
    return changes;
}

TPuzzleLanding Land(TPuzzleField& field, TPuzzleCell cell, int colour) {
    TPuzzleLanding landing;
    if (!IsShotColour(colour) || !field.SetColour(cell, colour)) return landing;
    landing.Changes.push_back({cell, TPuzzleChangeKind::Landed, colour});
    if (colour == kPuzzleBomb) {
        ClearCells(field, field.BombCells(cell), TPuzzleChangeKind::Bombed, landing.Changes);
    } else {
        TPuzzleCells group = field.Group(cell);
        landing.GroupSize = static_cast<int>(group.size());
        if (landing.GroupSize < kBurstGroup) return landing;
        landing.BombCredits = BombCreditsFor(landing.GroupSize);
        ClearCells(field, group, TPuzzleChangeKind::Burst, landing.Changes);
    }
    Append(landing.Changes, DropLooseBubbles(field));
    return landing;
}

}  // namespace rules
