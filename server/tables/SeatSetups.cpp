#include "tables/SeatSetups.h"

#include <algorithm>

namespace server {
namespace {

// The other player of a two-player table.
const Seat& Opponent(const std::vector<Seat>& seats, size_t own) { return seats[own == 0 ? 1 : 0]; }

SeatSetup Duel(const std::vector<Seat>& seats, size_t own, uint32_t seed) {
    rules::TDuelSetup s;
    s.Own = seats[own].alias;
    s.Opponent = Opponent(seats, own).alias;
    s.Seed = seed;
    return s;
}

SeatSetup Gammon(const std::vector<Seat>& seats, size_t own, int matchLength, bool creatorWhite) {
    rules::TGammonSetup s;
    s.Own = seats[own].alias;
    s.Opponent = Opponent(seats, own).alias;
    s.OwnWhite = (own == 0) == creatorWhite;
    s.MatchPoints = matchLength;
    s.OwnExtra = std::to_string(seats[own].rating);
    s.OpponentExtra = std::to_string(Opponent(seats, own).rating);
    return s;
}

SeatSetup Yatzy(const std::vector<Seat>& seats, size_t own, int matchLength, uint32_t seed) {
    rules::TYatzySetup s;
    s.Seed = seed;
    s.OwnSeat = static_cast<int>(own) + 1;
    s.MatchLength = matchLength;
    s.PlayerCount = static_cast<int>(std::min(seats.size(), s.Players.size()));
    for (size_t i = 0; i < static_cast<size_t>(s.PlayerCount); ++i) s.Players[i] = seats[i].alias;
    return s;
}

}  // namespace

std::vector<SeatSetup> BuildSeatSetups(rules::TGameKind kind, const std::vector<Seat>& seats, int matchLength,
                                       uint32_t seed) {
    std::vector<SeatSetup> setups;
    // Every kind seats at least two; the registry has checked the count.
    if (seats.size() < 2) return setups;
    bool creatorWhite = (seed >> 31) != 0;
    for (size_t own = 0; own < seats.size(); ++own) {
        switch (kind) {
            case rules::TGameKind::Tumblix:
            case rules::TGameKind::Puzzle: setups.push_back(Duel(seats, own, seed)); break;
            case rules::TGameKind::Gammon: setups.push_back(Gammon(seats, own, matchLength, creatorWhite)); break;
            case rules::TGameKind::Yatzy: setups.push_back(Yatzy(seats, own, matchLength, seed)); break;
        }
    }
    return setups;
}

}  // namespace server
