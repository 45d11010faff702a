// The live preview of a Tumblix match: both wells cell for cell (the
// preview's boards have the wells' 12 x 26 cells), the level beside them,
// and the games won with the match length as the score.
//
// Snapshot numbers: the level, seat 1's games won + 1, seat 2's + 1, the
// match length. A well's changes go out in the order they happened: cells
// set (75, at most 255 to a message), a junk row pushed in at the bottom
// (76), a row removed (77, the row + 1); a level up as 88.
#pragma once

#include "previews/GamePreview.h"
#include "referees/TumblixReferee.h"

namespace server {

class TumblixPreview : public GamePreview {
public:
    TumblixPreview(PreviewOutlet& outlet, const TumblixReferee& referee);

    void WellChanged(int seat, const std::vector<rules::tumblix::TWellChange>& changes) override;
    void LevelChanged() override;

protected:
    TState State() const override;

private:
    void SendCells(int seat, const std::vector<rules::tumblix::TCellChange>& cells);

    const TumblixReferee& m_referee;
};

}  // namespace server
