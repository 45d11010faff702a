#include "previews/PuzzlePreview.h"

#include "previews/PreviewBytes.h"
#include "rules/puzzle/PuzzlePreview.h"

namespace server {

PuzzlePreview::PuzzlePreview(PreviewOutlet& outlet, const PuzzleReferee& referee)
    : GamePreview(outlet, rules::TGameKind::Puzzle), m_referee(referee) {}

GamePreview::TState PuzzlePreview::State() const {
    protocol::TPuzzleSnapshot s;
    const std::string grids = rules::PreviewGrid(m_referee.Field(0)) + rules::PreviewGrid(m_referee.Field(1));
    for (size_t i = 0; i < s.Grids.size() && i < grids.size(); ++i) s.Grids[i] = static_cast<uint8_t>(grids[i]);
    s.Numbers = {NumberByte(m_referee.GamesWon(0)), NumberByte(m_referee.GamesWon(1)),
                 NumberByte(m_referee.MatchLength()), NumberByte(m_referee.Level())};
    return s;
}

void PuzzlePreview::Shot(int seat, int colour, int entry, rules::TPuzzleCell cell) {
    if (!Watched()) return;
    if (auto shown = rules::PreviewCellOf(cell))
        Broadcast(protocol::Build(protocol::TPuzzleShot{0, seat + 1, colour, entry, shown->Column, shown->Row}));
}

// The landed cell itself came with the shot.
void PuzzlePreview::CellsChanged(int seat, const rules::TPuzzleCellChanges& changes) {
    if (!Watched()) return;
    for (const rules::TPuzzleCellChange& change : changes) {
        auto shown = rules::PreviewCellOf(change.Cell);
        if (!shown || change.Kind == rules::TPuzzleChangeKind::Landed) continue;
        if (change.Clears())
            Broadcast(protocol::Build(protocol::TPuzzleCellCleared{{0, seat + 1, 0, shown->Column, shown->Row}}));
        else
            Broadcast(protocol::Build(protocol::TPuzzleCellSet{{0, seat + 1, change.Colour, shown->Column, shown->Row}}));
    }
}

void PuzzlePreview::LevelChanged() {
    if (Watched()) Broadcast(protocol::Build(protocol::TPuzzleNumber{0, NumberByte(m_referee.Level())}));
}

}  // namespace server
