// The score sheet: the bonus and when it is sent, the column texts, and the
// rows that cannot be written.
#include <gtest/gtest.h>

#include "rules/yatzy/Sheet.h"

namespace rules::yatzy {
namespace {

TSheet WithUpper(std::initializer_list<std::pair<int, int>> rows) {
    TSheet sheet;
    for (auto [row, points] : rows) EXPECT_TRUE(sheet.Write(row, points));
    return sheet;
}

TEST(YatzySheetTest, BonusIsSentFirstAsSoonAsTheUsedUpperRowsExceed83) {
    TSheet sheet = WithUpper({{6, 30}, {5, 25}, {4, 20}});
    // 75 + 9 = 84 with three upper rows still free.
    std::vector<TRowWrite> writes = ChoiceWrites(sheet, 3, TFaces{3, 3, 3, 1, 2, 2});
    ASSERT_EQ(writes, (std::vector<TRowWrite>{{kBonus, 50}, {3, 9}}));
    sheet.Write(writes);
    EXPECT_TRUE(sheet.BonusSettled());
    EXPECT_EQ(sheet.Points(kBonus), 50);
    EXPECT_EQ(sheet.CellText(kBonus), "50");
    EXPECT_EQ(sheet.Total(), 84 + 50);
    // Settled once: the next upper rows send no bonus again.
    EXPECT_EQ(ChoiceWrites(sheet, 1, TFaces{1, 1, 1, 1, 2, 2}), (std::vector<TRowWrite>{{1, 4}}));
    // 83 is not enough.
    EXPECT_EQ(ChoiceWrites(WithUpper({{6, 30}, {5, 25}, {4, 20}}), 2, TFaces{2, 2, 2, 2, 1, 1}).size(), 1u);
}

TEST(YatzySheetTest, AllSixUpperRowsBelow84SendABonusOfZeroAndShowX) {
    TSheet sheet = WithUpper({{1, 3}, {2, 6}, {3, 9}, {4, 12}, {5, 15}});
    EXPECT_EQ(sheet.CellText(kBonus), "");
    std::vector<TRowWrite> writes = ChoiceWrites(sheet, 6, TFaces{6, 6, 1, 1, 2, 3});
    ASSERT_EQ(writes, (std::vector<TRowWrite>{{kBonus, 0}, {6, 12}}));
    sheet.Write(writes);
    EXPECT_EQ(sheet.CellText(kBonus), "X");
    EXPECT_EQ(sheet.CellText(kUpperSum), "57");
    EXPECT_EQ(sheet.Points(kBonus), 0);
    // Lower rows never settle the bonus.
    EXPECT_EQ(ChoiceWrites(TSheet(), kChance, TFaces{6, 6, 6, 6, 6, 6}).size(), 1u);
}

TEST(YatzySheetTest, UpperSumShowsTheDistanceFromFourOfEachFace) {
    TSheet sheet;
    EXPECT_EQ(sheet.CellText(kUpperSum), "+ 0");
    sheet.Write(6, 30);  // five sixes: one above four
    EXPECT_EQ(sheet.CellText(kUpperSum), "+ 6");
    sheet.Write(2, 4);   // two twos: two below four
    EXPECT_EQ(sheet.CellText(kUpperSum), "+ 2");
    sheet.Write(5, 0);
    EXPECT_EQ(sheet.CellText(kUpperSum), "- 18");
    EXPECT_EQ(sheet.CellText(5), "X");
    EXPECT_EQ(sheet.CellText(6), "30");
    EXPECT_EQ(sheet.CellText(1), "");
}

TEST(YatzySheetTest, LowerRowsShowPointsXOrBlankAndTheTotalAddsUp) {
    TSheet sheet;
    sheet.Write(kYatzy, 80);
    sheet.Write(kFullStraight, 0);
    sheet.Write(3, 12);
    EXPECT_EQ(sheet.CellText(kYatzy), "80");
    EXPECT_EQ(sheet.CellText(kFullStraight), "X");
    EXPECT_EQ(sheet.CellText(kHouse), "");
    EXPECT_EQ(sheet.CellText(kTotal), "92");
    EXPECT_EQ(PointsText(0), "X");
    EXPECT_EQ(PointsText(24), "24");
    sheet.Reset();
    EXPECT_EQ(sheet.Total(), 0);
    EXPECT_FALSE(sheet.IsUsed(kYatzy));
}

TEST(YatzySheetTest, UsedComputedAndImpossibleWritesChangeNothing) {
    TSheet sheet;
    EXPECT_TRUE(sheet.Write(kChance, 20));
    EXPECT_FALSE(sheet.Write(kChance, 30));
    EXPECT_EQ(sheet.Points(kChance), 20);
    for (int row : {0, int(kUpperSum), int(kTotal), 22}) {
        EXPECT_FALSE(sheet.Write(row, 1)) << row;
        EXPECT_TRUE(sheet.IsUsed(row)) << row;
        EXPECT_TRUE(ChoiceWrites(sheet, row, TFaces{1, 1, 1, 1, 1, 1}).empty()) << row;
    }
    EXPECT_FALSE(sheet.Write(kYatzy, 87));
    EXPECT_FALSE(sheet.Write(1, -1));
    EXPECT_FALSE(sheet.Write(kBonus, 25));
    EXPECT_TRUE(sheet.Write(kBonus, 0));
    EXPECT_FALSE(sheet.Write(kBonus, 0));
}

TEST(YatzySheetTest, EighteenChosenRowsCompleteTheSheet) {
    TSheet sheet;
    int chosen = 0;
    for (int row = kFirstRow; row <= kRowCount; ++row) {
        if (!IsChoosableRow(row)) continue;
        EXPECT_FALSE(sheet.IsComplete());
        sheet.Write(ChoiceWrites(sheet, row, TFaces{1, 2, 3, 4, 5, 6}));
        ++chosen;
    }
    EXPECT_EQ(chosen, kChoosableRowCount);
    EXPECT_TRUE(sheet.IsComplete());
    EXPECT_TRUE(sheet.BonusSettled());
}

}  // namespace
}  // namespace rules::yatzy
