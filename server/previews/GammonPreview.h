// The live preview of a Backgammon match. The preview always shows seat 1
// (the table's creator) as white moving from point 1 up to 24 and seat 2
// as black, so its aliases, scores, cube side and winner read by seat; when
// seat 1 plays black, every point p of the referee's board shows as 25 - p
// with the colours swapped.
//
// Snapshot: points 0..25 in the board encoding (white n, black 20 + n),
// seat 1's borne-off checkers as white's tray (26), seat 2's as black's
// (27), each + 1; the dice state + 1 with its dice + 1; the cube value; the
// scores + 1 by seat; the match length; the cube owner (0 in the middle, 1
// seat 1, 2 seat 2). Dice states: 0 the opening roll (seat 1's die, seat
// 2's die, 0 while not rolled), 1 seat 1 moves, 2 seat 2 moves, 3 none.
//
// Changes: the dice state (91) when it changes, then the dice (90, as
// rolled) when they change; a move (92: point + 1, pips); an undo (93:
// moved-to point + 2, -1 for the tray; moved-from + 2; the moved-to point
// + 2 again when the move had hit, else -1 + 2); the cube (95).
#pragma once

#include "previews/GamePreview.h"
#include "referees/GammonReferee.h"

namespace server {

class GammonPreview : public GamePreview {
public:
    // The dice as the preview shows them.
    struct TDiceView {
        int state = 3;
        int die1 = 0, die2 = 0;
        bool operator==(const TDiceView&) const = default;
    };

    GammonPreview(PreviewOutlet& outlet, const GammonReferee& referee);

    void Restarted() override;
    void DiceChanged() override;
    void CheckerMoved(int seat, int point, int pips) override;
    void MoveTakenBack(int seat, int from, int to, bool hit) override;
    void CubeChanged() override;

protected:
    TState State() const override;

private:
    TDiceView Dice() const;
    // A point of the referee's board as the preview shows it.
    int Shown(int point) const { return m_mirrored ? 25 - point : point; }
    int CubeOwner() const;

    const GammonReferee& m_referee;
    const bool m_mirrored;
    // What the watchers were last told of the dice.
    TDiceView m_told;
};

}  // namespace server
