// The live preview of a Puzzle match.
//
// The preview's grids have 7 x 10 cells (odd rows 6) against the field's
// 8 x 20 (odd rows 7), with the same staggering. A preview cell shows the
// field cell of the same column and row: the preview is the top-left part
// of the field (rules::PreviewCellOf). Bubbles hang from the top row and
// only reach row 10 shortly before the death line (row 15), so the rows
// left out matter least; the last cell of every row is left out too, as a
// whole column (halving columns would break the neighbourhoods a watcher
// sees bursting). Changes of cells outside the preview send nothing, and
// neither does a shot that comes to rest there.
//
// Snapshot numbers: seat 1's games won, seat 2's, the match length (the
// score), then the level on its own. Changes: a shot (140: seat, colour,
// direction entry, column, row; it sets the landed cell), cells its landing
// burst, bombed or dropped (143), placed trash (142), the level (89).
#pragma once

#include "previews/GamePreview.h"
#include "referees/PuzzleReferee.h"

namespace server {

class PuzzlePreview : public GamePreview {
public:
    PuzzlePreview(PreviewOutlet& outlet, const PuzzleReferee& referee);

    void Shot(int seat, int colour, int entry, rules::TPuzzleCell cell) override;
    void CellsChanged(int seat, const rules::TPuzzleCellChanges& changes) override;
    void LevelChanged() override;

protected:
    TState State() const override;

private:
    const PuzzleReferee& m_referee;
};

}  // namespace server
