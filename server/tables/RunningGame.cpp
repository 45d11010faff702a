#include "tables/RunningGame.h"

#include "previews/PreviewFactory.h"
#include "referees/RefereeFactory.h"
#include "tables/TableRegistry.h"

namespace server {

RunningGame::RunningGame(TableEvents& events, PreviewOutlet& previews, const RefereeSetup& setup,
                         std::vector<Player> players, std::vector<Seat> seats)
    : m_events(events),
      m_kind(setup.kind),
      m_players(std::move(players)),
      m_seats(std::move(seats)),
      m_left(m_players.size(), false),
      m_referee(MakeReferee(*this, setup)),
      m_preview(MakePreview(previews, *m_referee)) {
    if (m_preview) m_referee->SetPreviewSink(*m_preview);
}

int RunningGame::SeatOf(std::string_view alias) const {
    for (size_t seat = 0; seat < m_players.size(); ++seat)
        if (!m_left[seat] && SameAlias(m_players[seat].alias, alias)) return static_cast<int>(seat);
    return -1;
}

void RunningGame::SendTo(int seat, std::string_view payload) {
    if (seat < 0 || static_cast<size_t>(seat) >= m_players.size() || m_outcome || m_left[static_cast<size_t>(seat)])
        return;
    m_events.GamePayload(m_players[static_cast<size_t>(seat)].alias, payload);
}

std::vector<Player> RunningGame::Present() const {
    std::vector<Player> present;
    for (size_t seat = 0; seat < m_players.size(); ++seat)
        if (!m_left[seat]) present.push_back(m_players[seat]);
    return present;
}

std::string RunningGame::AliasOf(int seat) const {
    if (seat < 0 || static_cast<size_t>(seat) >= m_players.size()) return "";
    return m_players[static_cast<size_t>(seat)].alias;
}

// The leaver's icon switches back at once; the statistics still count them
// when the match ends, from the referee's outcome.
void RunningGame::SeatLeft(int seat) {
    if (seat < 0 || static_cast<size_t>(seat) >= m_players.size() || m_left[static_cast<size_t>(seat)]) return;
    m_left[static_cast<size_t>(seat)] = true;
    m_events.PlayingChanged(m_players[static_cast<size_t>(seat)].alias, 0);
}

// Watchers learn the winner (the first, when a kind had several).
void RunningGame::EndMatch(const MatchOutcome& outcome) {
    if (m_outcome) return;
    m_outcome = outcome;
    if (m_preview) m_preview->End(outcome.winners.empty() ? -1 : outcome.winners.front());
}

}  // namespace server
