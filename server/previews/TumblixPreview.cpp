#include "previews/TumblixPreview.h"

#include <algorithm>

#include "previews/PreviewBytes.h"

namespace server {

using namespace rules::tumblix;

TumblixPreview::TumblixPreview(PreviewOutlet& outlet, const TumblixReferee& referee)
    : GamePreview(outlet, rules::TGameKind::Tumblix), m_referee(referee) {}

GamePreview::TState TumblixPreview::State() const {
    protocol::TTumblixSnapshot s;
    for (int seat : {0, 1}) {
        const std::string board = m_referee.Well(seat).Well().Snapshot();
        std::copy(board.begin(), board.end(), s.Boards.begin() + seat * static_cast<std::ptrdiff_t>(board.size()));
    }
    s.Numbers = {NumberByte(m_referee.Level()), NumberByte(m_referee.Wins(0) + 1), NumberByte(m_referee.Wins(1) + 1),
                 NumberByte(m_referee.MatchLength())};
    return s;
}

void TumblixPreview::WellChanged(int seat, const std::vector<TWellChange>& changes) {
    if (!Watched()) return;
    for (const TWellChange& change : changes) {
        if (const auto* cells = std::get_if<TCellsSet>(&change)) {
            SendCells(seat, cells->Cells);
        } else if (const auto* added = std::get_if<TRowAdded>(&change)) {
            protocol::TTumblixRowAdded m{0, seat + 1, {}};
            std::transform(added->Row.begin(), added->Row.end(), m.Row.begin(), [](uint8_t c) { return c + 1; });
            Broadcast(protocol::Build(m));
        } else if (const auto* removed = std::get_if<TRowRemoved>(&change)) {
            Broadcast(protocol::Build(protocol::TTumblixRowRemoved{0, seat + 1, removed->Row + 1}));
        }
    }
}

// One message holds at most 255 cells (its count is a byte).
void TumblixPreview::SendCells(int seat, const std::vector<TCellChange>& cells) {
    constexpr size_t kMostCells = 255;
    for (size_t from = 0; from < cells.size(); from += kMostCells) {
        protocol::TTumblixCells m{0, seat + 1, {}};
        const size_t to = std::min(cells.size(), from + kMostCells);
        for (size_t i = from; i < to; ++i) m.Cells.push_back({cells[i].X + 1, cells[i].Y + 1, cells[i].Colour + 1});
        Broadcast(protocol::Build(m));
    }
}

void TumblixPreview::LevelChanged() {
    if (Watched()) Broadcast(protocol::Build(protocol::TTumblixNumber{0, NumberByte(m_referee.Level())}));
}

}  // namespace server
