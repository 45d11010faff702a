// TProgress and TColumn: rounding to the nearest pixel with halves to even,
// the empty maximum, and filling left to right and bottom to top.
#include "ButtonsFixture.h"
#include "controls/Column.h"
#include "controls/Progress.h"

namespace buttontest {
namespace {

class GaugeTest : public ButtonsTest {
protected:
    void SetUp() override {
        ButtonsTest::SetUp();
        paint = MakePaint();
        Solid("progon", 100, 4, kGreen);
        Solid("col", 4, 20, kRed);
    }
    void TearDown() override {
        paint.reset();
        ButtonsTest::TearDown();
    }
    int ColumnPixels(int x) const {
        int count = 0;
        for (int y = 0; y < paint->Height(); ++y) count += BackAt(*paint, x, y) == Px(kRed) ? 1 : 0;
        return count;
    }
    std::unique_ptr<TPaint> paint;
};

TEST_F(GaugeTest, ThirdsOfAHundredPixelsShow33And67And100) {
    TProgress bar(paint.get(), "progon", 30, 5);
    bar.SetMaximum(3);
    bar.Show();
    EXPECT_EQ(CountInRow(*paint, 31, 0, 120, kGreen), 0);  // starts empty
    const int expected[] = {33, 67, 100};
    for (int position = 1; position <= 3; ++position) {
        bar.SetPosition(position);
        EXPECT_EQ(bar.ShownWidth(), expected[position - 1]);
        EXPECT_EQ(CountInRow(*paint, 31, 0, 120, kGreen), expected[position - 1]);
        EXPECT_EQ(BackAt(*paint, 5, 31), Px(kGreen));
    }
    bar.SetPosition(1);  // shrinking uncovers the background
    EXPECT_EQ(CountInRow(*paint, 31, 0, 120, kGreen), 33);
    EXPECT_EQ(BackAt(*paint, 5 + 33, 31), Px(kGrey));
}

TEST_F(GaugeTest, HalvesRoundToEvenAndAZeroMaximumChangesNothing) {
    EXPECT_EQ(TProgress::Scale(1, 100, 8), 12);  // 12.5
    EXPECT_EQ(TProgress::Scale(3, 100, 8), 38);  // 37.5
    EXPECT_EQ(TProgress::Scale(9, 100, 8), 100);
    EXPECT_EQ(TProgress::Scale(-1, 100, 8), 0);
    TProgress bar(paint.get(), "progon", 30, 5);
    bar.SetMaximum(2);
    bar.SetPosition(1);
    bar.SetMaximum(0);
    bar.SetPosition(2);
    EXPECT_EQ(bar.ShownWidth(), 50);
    bar.Show();  // the stored position shows when the bar appears
    EXPECT_EQ(CountInRow(*paint, 31, 0, 120, kGreen), 50);
}

TEST_F(GaugeTest, ColumnFillsFromTheBottom) {
    TColumn column(paint.get(), "col", 10, 50);
    column.Show();
    column.SetPosition(3);  // maximum 0: nothing
    EXPECT_EQ(ColumnPixels(51), 0);
    column.SetMaximum(4);
    column.SetPosition(1);
    EXPECT_EQ(column.ShownHeight(), 5);
    EXPECT_EQ(ColumnPixels(51), 5);
    EXPECT_EQ(BackAt(*paint, 51, 29), Px(kRed));  // bottom row of the image
    EXPECT_EQ(BackAt(*paint, 51, 24), Px(kGrey));
    column.SetPosition(4);
    EXPECT_EQ(ColumnPixels(51), 20);
}

}  // namespace
}  // namespace buttontest
