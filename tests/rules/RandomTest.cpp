// The shared generator must match the other clients bit for bit.
#include <gtest/gtest.h>

#include "rules/GameKind.h"
#include "rules/Random.h"

namespace {

TEST(RandomTest, DrawsFollowTheLinearCongruence) {
    rules::TRandom random(1);
    // 1 * 134775813 + 1 = 134775814; * 6 >> 32 = 0.
    EXPECT_EQ(random.Draw(6), 0u);
    EXPECT_EQ(random.Seed(), 134775814u);
    // The multiplication wraps modulo 2^32.
    uint32_t expected = 134775814u * 134775813u + 1u;
    random.Draw(36);
    EXPECT_EQ(random.Seed(), expected);
}

TEST(RandomTest, DrawStaysBelowItsBoundAndTwoSeedsKeepApart) {
    rules::TRandom pieces(0xDEADBEEF), junk(0xDEADBEEF);
    for (int i = 0; i < 1000; ++i) EXPECT_LT(pieces.Draw(7), 7u);
    EXPECT_NE(pieces.Seed(), junk.Seed());
    EXPECT_EQ(rules::TRandom(5).Draw(0), 0u);
}

TEST(GameKindTest, OnlyOneToFourAreKinds) {
    EXPECT_FALSE(rules::GameKindOf(0));
    EXPECT_FALSE(rules::GameKindOf(5));
    EXPECT_EQ(*rules::GameKindOf(4), rules::TGameKind::Yatzy);
    EXPECT_EQ(rules::MaxPlayers(rules::TGameKind::Yatzy), 4);
    EXPECT_EQ(rules::MaxPlayers(rules::TGameKind::Gammon), 2);
}

}  // namespace
