// The start of a game as each player's window reads it (code 18): the
// seats from that player's side, the seed every player shares, the match
// length where the window shows it, and the figures (ratings) Backgammon
// shows beside the names.
#pragma once

#include <cstdint>
#include <vector>

#include "tables/TableEvents.h"

namespace server {

// One set-up per seat, in seat order. In Backgammon the creator (seat 0)
// plays white when the seed's top bit is set, so the colour is as random as
// the seed.
std::vector<SeatSetup> BuildSeatSetups(rules::TGameKind kind, const std::vector<Seat>& seats, int matchLength,
                                       uint32_t seed);

}  // namespace server
