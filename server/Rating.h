// Glicko-2 ratings (Mark Glickman's system): a rating, its deviation (how
// sure the rating is) and a volatility (how erratic the player is). A player
// who has never played starts at 1500 with the widest deviation, so the
// first matches move the rating a lot and later ones less.
//
// Each finished match is one rating period for its players: every opponent
// met counts as one game with a score of 1 (won), 0.5 (drawn) or 0 (lost),
// all rated against the opponents' ratings from before the match.
#pragma once

#include <cstdint>
#include <vector>

namespace server {

struct Glicko {
    static constexpr double kNewRating = 1500.0;
    static constexpr double kNewDeviation = 350.0;
    static constexpr double kNewVolatility = 0.06;

    double rating = kNewRating;
    double deviation = kNewDeviation;
    double volatility = kNewVolatility;

    // Shown as a whole number; code 114 carries hundredths.
    int64_t Whole() const;
    int64_t Hundredths() const;
};

struct GlickoGame {
    Glicko opponent;
    double score = 0;  // 1 won, 0.5 drawn, 0 lost
};

// How much the volatility may change per period; Glickman suggests 0.3 to
// 1.2, smaller for games where upsets are rare. 0.5 is the paper's example.
constexpr double kGlickoTau = 0.5;

// The player's rating after one period with these games. Without games only
// the deviation grows (the player has become less certain).
Glicko RateGlicko2(const Glicko& player, const std::vector<GlickoGame>& games, double tau = kGlickoTau);

}  // namespace server
