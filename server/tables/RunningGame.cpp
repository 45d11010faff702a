#include "tables/RunningGame.h"

#include "referees/RefereeFactory.h"
#include "tables/TableRegistry.h"

namespace server {

RunningGame::RunningGame(TableEvents& events, const RefereeSetup& setup, std::vector<Player> players,
                         std::vector<Seat> seats)
    : m_events(events),
      m_kind(setup.kind),
      m_players(std::move(players)),
      m_seats(std::move(seats)),
      m_referee(MakeReferee(*this, setup)) {}

int RunningGame::SeatOf(std::string_view alias) const {
    for (size_t seat = 0; seat < m_players.size(); ++seat)
        if (SameAlias(m_players[seat].alias, alias)) return static_cast<int>(seat);
    return -1;
}

void RunningGame::SendTo(int seat, std::string_view payload) {
    if (seat < 0 || static_cast<size_t>(seat) >= m_players.size() || m_outcome) return;
    m_events.GamePayload(m_players[static_cast<size_t>(seat)].alias, payload);
}

void RunningGame::EndMatch(const MatchOutcome& outcome) {
    if (!m_outcome) m_outcome = outcome;
}

}  // namespace server
