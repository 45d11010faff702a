// Glicko-2 against the worked example of Glickman's paper, and the shape of
// a match's rating changes.
#include <gtest/gtest.h>

#include "Rating.h"
#include "tables/MatchRecorder.h"

namespace {

using server::Glicko;

TEST(RatingTest, ThePapersExampleGivesItsNumbers) {
    Glicko player{1500, 200, 0.06};
    std::vector<server::GlickoGame> games = {
        {{1400, 30, 0.06}, 1}, {{1550, 100, 0.06}, 0}, {{1700, 300, 0.06}, 0}};
    Glicko after = server::RateGlicko2(player, games);
    EXPECT_NEAR(after.rating, 1464.06, 0.01);
    EXPECT_NEAR(after.deviation, 151.52, 0.01);
    EXPECT_NEAR(after.volatility, 0.05999, 0.00001);
    EXPECT_EQ(after.Whole(), 1464);
    EXPECT_EQ(after.Hundredths(), 146405);  // 1464.0507 before the paper rounds it
}

TEST(RatingTest, APeriodWithoutGamesOnlyWidensTheDeviationUpToANewPlayers) {
    Glicko after = server::RateGlicko2({1600, 100, 0.06}, {});
    EXPECT_EQ(after.rating, 1600);
    EXPECT_GT(after.deviation, 100);
    EXPECT_EQ(server::RateGlicko2(Glicko{}, {}).deviation, Glicko::kNewDeviation);
}

TEST(RatingTest, WinnersRiseAgainstEveryLoserAndDroppedPlayerButNotAgainstEachOther) {
    std::vector<Glicko> before(4);
    server::MatchOutcome outcome{{0, 1}, {2}, {3}};
    std::vector<Glicko> after = server::RateMatch(before, outcome);
    EXPECT_GT(after[0].rating, 1500);
    EXPECT_DOUBLE_EQ(after[0].rating, after[1].rating);  // same games, not against each other
    EXPECT_LT(after[2].rating, 1500);
    EXPECT_DOUBLE_EQ(after[2].rating, after[3].rating);  // dropped rates as lost
    // Seats outside the outcome, or out of range, change nothing.
    std::vector<Glicko> lone = server::RateMatch(before, {{0, 9}, {}, {}});
    EXPECT_EQ(lone[0].rating, 1500);
}

}  // namespace
