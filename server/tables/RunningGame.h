// One game in progress: its players in seat order, the seats as the
// running-games list shows them, and its referee. The game is the referee's
// host: what the referee sends to a seat becomes a payload event for that
// player, and the end of the match is kept until the tables collect it (a
// referee ends the match from inside its own call, so it must not be
// destroyed there). It also holds the game's live preview, which the
// referee tells of its changes and which sends the end to its watchers.
#pragma once

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "previews/GamePreview.h"
#include "referees/Referee.h"
#include "tables/TableEvents.h"

namespace server {

class RunningGame : public RefereeHost {
public:
    RunningGame(TableEvents& events, PreviewOutlet& previews, const RefereeSetup& setup, std::vector<Player> players,
                std::vector<Seat> seats);

    rules::TGameKind Kind() const { return m_kind; }
    const std::vector<Player>& Players() const { return m_players; }
    const std::vector<Seat>& Seats() const { return m_seats; }
    // The players still seated (a drop-out leaves a game that goes on).
    std::vector<Player> Present() const;
    // The seat of a player still seated, or -1.
    int SeatOf(std::string_view alias) const;
    Referee& Judge() { return *m_referee; }
    const Referee& Judge() const { return *m_referee; }
    // The live preview; null for a kind nobody watches.
    GamePreview* Preview() { return m_preview.get(); }
    // Set once the referee has ended the match.
    const std::optional<MatchOutcome>& Outcome() const { return m_outcome; }

    void SendTo(int seat, std::string_view payload) override;
    void EndMatch(const MatchOutcome& outcome) override;
    std::string AliasOf(int seat) const override;
    void SeatLeft(int seat) override;

private:
    TableEvents& m_events;
    rules::TGameKind m_kind;
    std::vector<Player> m_players;
    std::vector<Seat> m_seats;
    std::vector<bool> m_left;
    std::unique_ptr<Referee> m_referee;
    // After the referee it reads, so it goes first.
    std::unique_ptr<GamePreview> m_preview;
    std::optional<MatchOutcome> m_outcome;
};

}  // namespace server
