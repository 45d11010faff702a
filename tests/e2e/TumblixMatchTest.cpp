// A Tumblix match on the real server, to its end: Ann and Ben play their
// wells with the rules library exactly as their windows would (every
// payload the own game makes goes out, every payload that comes in is
// answered as the window answers it), through the zone's tables and the
// Tumblix referee. After every landing, once every message has been
// handled, the referee's copy of each well, the player's own well and the
// opponent's copy are the same. Ann places three pieces for each of Ben's
// and chooses her places well, so she clears lines: junk rows travel and
// the level rises. The match ends with its results, and the statistics
// count it.
#include <gtest/gtest.h>

#include "TumblixDuel.h"

namespace e2etest {
namespace {

using TumblixMatchTest = TumblixDuelTest;

TEST_F(TumblixMatchTest, TwoPlayersPlayAMatchToItsEndAndEveryWellAgreesWithTheReferee) {
    const uint32_t seed = BeginMatch("2");
    SCOPED_TRACE("seed " + std::to_string(seed));
    ASSERT_FALSE(HasFailure());
    PlayToEnd();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(m_ann.closed && m_ben.closed) << "the match did not end";

    // Results: the last one says who won the match; both count the same.
    ASSERT_FALSE(m_ann.results.empty());
    ASSERT_EQ(m_ann.results.size(), m_ben.results.size());
    for (size_t i = 0; i < m_ann.results.size(); ++i) {
        const TResult& a = m_ann.results[i];
        const TResult& b = m_ben.results[i];
        EXPECT_NE(a.Won, b.Won) << "game " << i + 1;
        EXPECT_EQ(a.OwnWins, b.OpponentWins) << "game " << i + 1;
        EXPECT_EQ(a.OpponentWins, b.OwnWins) << "game " << i + 1;
    }
    const TResult& last = m_ann.results.back();
    const bool annWon = last.Won;
    EXPECT_EQ(annWon ? last.OwnWins : last.OpponentWins, 2) << "the winner won the match length";
    EXPECT_GT(m_checks, 50);
    EXPECT_GT(m_ben.junkRows, 0) << "no junk row travelled";
    EXPECT_GT(m_ann.levelUps, 0) << "the level never rose; pieces " << m_ann.pieces << "/" << m_ben.pieces
                                 << ", lines " << m_ann.game.Lines() << "/" << m_ben.game.Lines();
    EXPECT_EQ(m_ann.levelUps, m_ben.levelUps);

    // The zone's results, rating changes and statistics.
    TWireUser& winner = annWon ? *ann : *ben;
    TWireUser& loser = annWon ? *ben : *ann;
    ASSERT_TRUE(Until([&] {
        return All<protocol::TGameResult>(winner).size() == 1 && All<protocol::TGameResult>(loser).size() == 1 &&
               !All<protocol::TRatingChange>(winner).empty();
    }));
    EXPECT_EQ(All<protocol::TGameResult>(winner).back().Result, protocol::TGameResult::kResultWon);
    EXPECT_NE(All<protocol::TGameResult>(loser).back().Result, protocol::TGameResult::kResultWon);
    const protocol::TGameStatistics won = Statistics(winner.Alias(), kTumblix);
    const protocol::TGameStatistics lost = Statistics(loser.Alias(), kTumblix);
    EXPECT_EQ(won.Won, 1);
    EXPECT_EQ(won.Lost, 0);
    EXPECT_EQ(lost.Lost, 1);
    EXPECT_EQ(lost.Won, 0);
    EXPECT_EQ(lost.Dropped, 0);
}

}  // namespace
}  // namespace e2etest
