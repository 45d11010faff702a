// TMyimagelist: frames, showing at the proper layer, stamps and erasing,
// hover and click detection.
#include "PaintFixture.h"
#include "graphics/Myimage.h"
#include "graphics/Myimagelist.h"

namespace painttest {
namespace {

using platform::ButtonLeft;
using platform::ButtonRight;
using platform::LeftButtonHeld;

class ImageListTest : public PaintTest {
protected:
    void SetUp() override {
        PaintTest::SetUp();
        paint = MakePaint();
        paint->MakeBackBuffer();  // drawn into as a shown window is
        Solid("red", 10, 10, kRed);
        Solid("green", 8, 6, kGreen);
        Solid("blue", 10, 10, kBlue);
        window = &Headless(*paint);
    }
    void TearDown() override {
        paint.reset();
        PaintTest::TearDown();
    }
    std::unique_ptr<TMyimagelist> MakeList(int x, int y) {
        auto list = std::make_unique<TMyimagelist>(paint.get(), x, y);
        list->Add("red");
        list->Add("green");
        list->Add("blue");
        return list;
    }
    std::unique_ptr<TPaint> paint;
    platform::headless::TWindow* window = nullptr;
};

TEST_F(ImageListTest, TheFirstFrameFixesTheSize) {
    TMyimagelist list(paint.get(), 4, 5);
    EXPECT_EQ(list.FrameCount(), 0);
    list.Add("green");
    list.Add("red");
    EXPECT_EQ(list.Width(), 8);
    EXPECT_EQ(list.Height(), 6);
    EXPECT_TRUE(SameRect(list.Bounds(), TRect{4, 5, 12, 11}));

    TMyimagelist shared(paint.get(), list, 20, 20);
    EXPECT_EQ(shared.Frames(), list.Frames());
    EXPECT_EQ(list.Frames()->References(), 2);
    EXPECT_EQ(shared.Width(), 8);
    EXPECT_TRUE(SameRect(shared.Bounds(), TRect{20, 20, 28, 26}));

    WriteLoose("3_bomb01", gfxtest::SolidGiz(5, 5, kRed));
    WriteLoose("3_bomb02", gfxtest::SolidGiz(5, 5, kBlue));
    TMyimagelist bombs(paint.get(), 0, 0);
    TMybitmaplist::TSequence sequence = bombs.AddFrames("3_bomb");
    EXPECT_EQ(sequence.first, 1);
    EXPECT_EQ(sequence.last, 2);
    EXPECT_EQ(sequence.count, 2);
    EXPECT_EQ(bombs.Width(), 5);
}

TEST_F(ImageListTest, SetFrameShowsHidesAndIgnoresWhatItCannotShow) {
    auto list = MakeList(5, 5);
    list->Show();  // no frame yet: visible but not in the tree
    EXPECT_TRUE(list->Visible());
    EXPECT_FALSE(list->Shown());
    list->SetFrame(1);
    EXPECT_TRUE(list->Shown());
    EXPECT_EQ(BackAt(*paint, 7, 7), Px(kRed));
    list->SetFrame(3);
    EXPECT_EQ(BackAt(*paint, 7, 7), Px(kBlue));
    list->SetFrame(4);  // beyond the frames
    list->SetFrame(-1);
    EXPECT_EQ(list->Frame(), 3);
    list->SetFrame(2);  // a smaller frame: the rest of the area is redrawn
    EXPECT_EQ(BackAt(*paint, 7, 7), Px(kGreen));
    EXPECT_EQ(BackAt(*paint, 14, 7), Px(kGrey));
    list->SetFrame(0);
    EXPECT_FALSE(list->Shown());
    EXPECT_TRUE(list->Visible());
    EXPECT_EQ(BackAt(*paint, 7, 7), Px(kGrey));

    list->Hide();
    list->SetFrame(1);  // hidden: only the frame number changes
    EXPECT_EQ(BackAt(*paint, 7, 7), Px(kGrey));
    list->Show();
    EXPECT_EQ(BackAt(*paint, 7, 7), Px(kRed));
}

TEST_F(ImageListTest, AFrameChangeKeepsTheListUnderAHigherLayer) {
    TMyimage top(paint.get(), "blue");
    top.SetLayer(5);
    top.MoveTo(10, 10);
    top.Show();
    auto list = MakeList(5, 5);
    list->SetFrame(1);
    list->Show();
    EXPECT_EQ(BackAt(*paint, 12, 12), Px(kBlue));
    EXPECT_EQ(BackAt(*paint, 7, 7), Px(kRed));
    list->SetFrame(2);
    EXPECT_EQ(BackAt(*paint, 11, 10), Px(kBlue));
    EXPECT_EQ(BackAt(*paint, 7, 7), Px(kGreen));
}

TEST_F(ImageListTest, DrawFrameAtStampsAndEraseAtLeavesTheListOut) {
    auto list = MakeList(20, 15);
    list->SetFrame(1);
    list->Show();
    list->DrawFrameAt(3, 2, 2);
    EXPECT_EQ(BackAt(*paint, 4, 4), Px(kBlue));
    EXPECT_EQ(list->Frame(), 1);
    EXPECT_TRUE(SameRect(list->Bounds(), TRect{20, 15, 30, 25}));
    list->DrawFrameAt(0, 2, 2);
    EXPECT_EQ(BackAt(*paint, 4, 4), Px(kGrey));

    list->EraseAt(20, 15);  // its own place, drawn without it
    EXPECT_EQ(BackAt(*paint, 22, 17), Px(kGrey));
    EXPECT_TRUE(list->Shown());
    list->DrawFrameAt(9, 2, 2);  // no such frame
    EXPECT_EQ(BackAt(*paint, 4, 4), Px(kGrey));
}

TEST_F(ImageListTest, MoveToAndClipAsForImages) {
    auto list = MakeList(5, 5);
    list->SetFrame(1);
    list->Show();
    list->MoveTo(25, 10);
    EXPECT_EQ(BackAt(*paint, 7, 7), Px(kGrey));
    EXPECT_EQ(BackAt(*paint, 27, 12), Px(kRed));
    Pump();
    list->SetClip(TRect{0, 0, 4, 10});
    list->SetClip(TRect{0, 0, 7, 10});
    EXPECT_EQ(BackAt(*paint, 30, 12), Px(kRed));
    EXPECT_EQ(BackAt(*paint, 32, 12), Px(kGrey));
    Pump();
    list->SetClip(TRect{0, 0, 9, 10});
    EXPECT_TRUE(SameRect(paint->PendingArea(), TRect{32, 10, 34, 20}));
}

// ---------------------------------------------------------------------------
// Hover and click

class ImageListHitTest : public ImageListTest {
protected:
    void SetUp() override {
        ImageListTest::SetUp();
        list = MakeList(5, 5);
        list->SetFrame(1);
        list->Show();
        list->OnEnter = [this](TMyimagelist*) { ++enters; };
        list->OnLeave = [this](TMyimagelist*, TShiftState) { ++leaves; };
        list->OnClick = [this](TMyimagelist*, int, TShiftState shift, int, int) {
            ++clicks;
            lastShift = shift;
        };
    }
    void TearDown() override {
        list.reset();
        ImageListTest::TearDown();
    }
    std::unique_ptr<TMyimagelist> list;
    int enters = 0, leaves = 0, clicks = 0;
    TShiftState lastShift = 0;
};

TEST_F(ImageListHitTest, EntersOnceAndLeavesWhenThePointerGoes) {
    window->MouseMove(4, 7);
    EXPECT_EQ(enters, 0);
    window->MouseMove(5, 5);
    window->MouseMove(14, 14);  // still inside: no repeat
    EXPECT_EQ(enters, 1);
    EXPECT_TRUE(list->Hovering());
    window->MouseMove(15, 14);
    EXPECT_EQ(leaves, 1);
    EXPECT_FALSE(list->Hovering());
    window->MouseMove(20, 20);
    EXPECT_EQ(leaves, 1);
}

TEST_F(ImageListHitTest, AHeldLeftButtonOrANonShowingListDoesNotHover) {
    window->MouseMove(7, 7, LeftButtonHeld);
    EXPECT_EQ(enters, 0);
    window->MouseMove(7, 7);
    window->MouseMove(8, 8, LeftButtonHeld);  // pressing while hovering leaves
    EXPECT_EQ(leaves, 1);
    list->SetFrame(0);
    window->MouseMove(7, 7);
    EXPECT_EQ(enters, 1);
    list->SetFrame(1);
    list->Hide();
    window->MouseMove(7, 7);
    EXPECT_EQ(enters, 1);
    list->Show();
    list->OnEnter = nullptr;  // without an enter handler there is no hovering
    window->MouseMove(7, 7);
    EXPECT_FALSE(list->Hovering());
}

TEST_F(ImageListHitTest, DeactivatingTheWindowEndsTheHover) {
    auto other = MakePaint();
    window->Focus();
    window->MouseMove(7, 7);
    ASSERT_TRUE(list->Hovering());
    Headless(*other).Focus();
    EXPECT_EQ(leaves, 1);
    EXPECT_FALSE(list->Hovering());
}

TEST_F(ImageListHitTest, ALeftPressInsideClicks) {
    window->MouseDown(ButtonLeft, 7, 7);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(lastShift & LeftButtonHeld);
    window->MouseDown(ButtonLeft, 15, 7);
    window->MouseDown(ButtonRight, 7, 7);
    EXPECT_EQ(clicks, 1);
    window->MouseDown(ButtonRight, 7, 7, LeftButtonHeld);  // the left one is still held
    EXPECT_EQ(clicks, 2);
    list->Hide();
    window->MouseDown(ButtonLeft, 7, 7);
    EXPECT_EQ(clicks, 2);
}

TEST_F(ImageListHitTest, AListFreedByItsOwnHandlerLeavesTheFanOutIntact) {
    int afterwards = 0;
    paint->DownSubscribers().Subscribe(&afterwards, [&](TPaint*, int, TShiftState, int, int) {
        ++afterwards;
    });
    int before = paint->DownSubscribers().Count();
    list->OnClick = [this](TMyimagelist*, int, TShiftState, int, int) { list.reset(); };
    window->MouseDown(ButtonLeft, 7, 7);
    EXPECT_EQ(list, nullptr);
    EXPECT_EQ(afterwards, 1);
    EXPECT_EQ(paint->DownSubscribers().Count(), before - 1);
    EXPECT_EQ(paint->MoveSubscribers().Count(), 1);  // only the dragging is left
    window->MouseMove(7, 7);
}

}  // namespace
}  // namespace painttest
