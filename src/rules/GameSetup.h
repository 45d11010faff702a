// What a game needs to know when it starts, one record per kind, in place
// of the four untyped numbers of the start message. The dispatcher fills a
// TGameStart from code 18; SetupOf turns it into the record of its kind,
// and the server builds code 18 from the same records, so the meaning of
// every number is written down here once.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <variant>

#include "rules/GameKind.h"

namespace rules {

// Tumblix and Puzzle: two players, one seed for everything drawn.
struct TDuelSetup {
    std::string Own, Opponent;
    uint32_t Seed = 0;
    bool operator==(const TDuelSetup&) const = default;
};

// Backgammon: the seat byte (1: the own colour is white), the match length
// in points and each player's figure as the table shows it.
struct TGammonSetup {
    std::string Own, Opponent;
    bool OwnWhite = false;
    int MatchPoints = 1;
    std::string OwnExtra, OpponentExtra;
    bool operator==(const TGammonSetup&) const = default;
};

// Yatzy: two to four players in seat order, the own seat as the server
// sends it, the shared dice seed and the match length in won games.
struct TYatzySetup {
    uint32_t Seed = 0;
    int OwnSeat = 1;
    int MatchLength = 1;
    std::array<std::string, 4> Players;
    int PlayerCount = 2;
    bool operator==(const TYatzySetup&) const = default;
};

}  // namespace rules
