#include <gtest/gtest.h>

#include "ListsFixture.h"
#include "controls/Rollover.h"
#include "controls/Scrollbar.h"
#include "graphics/Myimage.h"

namespace liststest {
namespace {

class ScrollbarTest : public ListsTest {};

// A 60 pixel bar at (100, 10): buttons 10 high, thumb 6, so the track is
// 60 − 10 − 10 − 6 − 4 = 30 pixels.
TEST_F(ScrollbarTest, RangeOneShowsNothingAndLargerRangesPlaceThumbAndButtons) {
    auto paint = MakePaint();
    int changes = 0;
    TScrollbar bar(paint.get(), "List", [&](TScrollbar*) { ++changes; }, nullptr, 60, 10, 100);
    bar.Show();
    bar.SetRange(1);
    EXPECT_FALSE(bar.UpButton()->Visible());
    EXPECT_FALSE(bar.DownButton()->Visible());
    EXPECT_FALSE(bar.ThumbShown());
    EXPECT_EQ(BackAt(*paint, 100, 10), Px(kGrey));

    bar.SetRange(4);
    EXPECT_EQ(bar.TrackLength(), 30);
    EXPECT_FALSE(bar.UpButton()->Visible());
    EXPECT_TRUE(bar.DownButton()->Visible());
    EXPECT_EQ(bar.ThumbY(), 22);
    EXPECT_EQ(BackAt(*paint, 103, 22), Px(kBlue));

    bar.SetPosition(9);  // clamped to the last position
    EXPECT_EQ(bar.Position(), 3);
    EXPECT_EQ(bar.ThumbY(), 52);
    EXPECT_TRUE(bar.UpButton()->Visible());
    EXPECT_FALSE(bar.DownButton()->Visible());
    EXPECT_EQ(BackAt(*paint, 103, 22), Px(kGrey));
    EXPECT_EQ(changes, 1);

    bar.SkipNextEvent();
    bar.SetPosition(0);
    EXPECT_EQ(changes, 1);
}

TEST_F(ScrollbarTest, TrackPressesPageAndTheWheelSteps) {
    auto paint = MakePaint();
    TScrollbar bar(paint.get(), "List", nullptr, nullptr, 60, 10, 100);
    bar.SetPage(2);
    bar.SetRange(10);
    bar.Show();
    Window(*paint).MouseDown(platform::ButtonLeft, 103, 50, platform::LeftButtonHeld);
    EXPECT_EQ(bar.Position(), 2);
    Window(*paint).MouseUp(platform::ButtonLeft, 103, 50);
    const platform::Rect frame = paint->Window()->Bounds();
    Window(*paint).MouseWheel(-2 * TPaint::kWheelNotch, frame.left + 103, frame.top + 40);
    EXPECT_EQ(bar.Position(), 4);
}

TEST_F(ScrollbarTest, DraggingTheThumbFollowsThePointer) {
    auto paint = MakePaint();
    TScrollbar bar(paint.get(), "List", nullptr, nullptr, 60, 10, 100);
    bar.SetRange(31);  // one position per track pixel
    bar.Show();
    Window(*paint).MouseDown(platform::ButtonLeft, 103, 24, platform::LeftButtonHeld);
    ASSERT_TRUE(bar.Dragging());
    Window(*paint).MouseMove(103, 34, platform::LeftButtonHeld);
    EXPECT_EQ(bar.Position(), 10);
    Window(*paint).MouseMove(103, 30, platform::LeftButtonHeld);
    EXPECT_EQ(bar.Position(), 6);
    Window(*paint).MouseUp(platform::ButtonLeft, 103, 30);
    EXPECT_FALSE(bar.Dragging());
}

}  // namespace
}  // namespace liststest
