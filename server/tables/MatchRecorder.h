// The statistics side of the tables: the ratings the tables announce, and
// what a finished match changes. Each match is rated as one Glicko-2 period:
// every winner has beaten every loser and every player who dropped out; a
// player who dropped counts as dropped, not lost. Winners are not rated
// against each other, nor losers. Every player then learns the result
// (code 112) and the rating change (code 114).
#pragma once

#include <cstdint>
#include <vector>

#include "AccountStore.h"
#include "referees/Referee.h"
#include "tables/TableEvents.h"

namespace server {

class MatchRecorder {
public:
    MatchRecorder(AccountStore& accounts, TableEvents& events) : m_accounts(accounts), m_events(events) {}

    // The player's rating in that game as a whole number (1500 for a new
    // player, and when the store cannot be read).
    int64_t Rating(const Player& player, rules::TGameKind kind) const;
    // Stores the match of players (in seat order) and reports it; false when
    // the store failed (the players are told nonetheless).
    bool Record(rules::TGameKind kind, const std::vector<Player>& players, const MatchOutcome& outcome,
                int64_t unixNow);

private:
    GameStanding Load(const Player& player, rules::TGameKind kind) const;
    void Report(rules::TGameKind kind, const Player& player, bool won, const Glicko& before, const Glicko& after);

    AccountStore& m_accounts;
    TableEvents& m_events;
};

// The ratings after a match, in seat order, from those before it.
std::vector<Glicko> RateMatch(const std::vector<Glicko>& before, const MatchOutcome& outcome);

}  // namespace server
