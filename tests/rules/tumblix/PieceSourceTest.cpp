// The piece and junk sequences must equal the other client's and the
// referee's bit for bit; the expected numbers were worked out by hand from
// the generator's formula.
#include <gtest/gtest.h>

#include <vector>

#include "rules/tumblix/PieceSource.h"

namespace {

using namespace rules::tumblix;

TEST(TumblixPieceSourceTest, FirstShapesOfAKnownSeed) {
    TPieceSource source(12345);
    std::vector<int> shapes;
    for (int i = 0; i < 20; ++i) shapes.push_back(source.RandomBlock());
    // 27 is the first weight; draws of the weight and the bomb before it
    // were held back by their counters.
    EXPECT_EQ(shapes, (std::vector<int>{13, 10, 2, 19, 22, 12, 15, 2, 1, 11, 8, 18, 15, 27, 31, 6, 1, 25, 15, 6}));
}

TEST(TumblixPieceSourceTest, WeightAndBombComeEveryFourthDrawAndCountersReset) {
    // Over many pieces the weights and bombs are rare but present; a fresh counter
    // table with the same seed gives the same pieces again.
    TPieceSource a(777), b(777);
    int rare = 0;
    for (int i = 0; i < 4000; ++i) {
        int shape = a.RandomBlock();
        ASSERT_EQ(shape, b.RandomBlock());
        if (shape >= 28) ++rare;
    }
    // 2 rare pieces out of 9 pieces, passed one time in four: about 1 in 15.
    EXPECT_GT(rare, 4000 / 30);
    EXPECT_LT(rare, 4000 / 8);
    a.SetSeed(777);
    a.ResetCounters();
    EXPECT_EQ(a.RandomBlock(), TPieceSource(777).RandomBlock());
}

TEST(TumblixPieceSourceTest, JunkRowOfAKnownSeed) {
    rules::TRandom junk(12345);
    TRow row = DrawJunkRow(junk);
    EXPECT_EQ(row, (TRow{3, 3, 1, 4, 5, 0, 0, 1, 1, 0, 7, 3}));
    EXPECT_EQ(junk.Seed(), 1833291241u);
}

}  // namespace
