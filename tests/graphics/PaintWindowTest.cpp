// The paint surface's window: size, caption, centring, shape, start-up
// progress, dragging by the top strip, the wheel, and activation.
#include "PaintFixture.h"
#include "graphics/Myimage.h"

namespace painttest {
namespace {

using platform::ButtonLeft;
using platform::ButtonRight;
using platform::LeftButtonHeld;

class PaintWindowTest : public PaintTest {};

TEST_F(PaintWindowTest, WindowTakesTheBackgroundsSizeCaptionAndPixels) {
    auto paint = MakePaint();
    auto& window = Headless(*paint);
    EXPECT_EQ(window.Params().width, 40);
    EXPECT_EQ(window.Params().height, 30);
    EXPECT_EQ(window.Params().title, "Quorvalendix");
    EXPECT_TRUE(SameRect(paint->Bounds(), TRect{0, 0, 40, 30}));
    EXPECT_EQ(BackAt(*paint, 0, 0), Px(kGrey));
    EXPECT_EQ(BackAt(*paint, 39, 29), Px(kGrey));
    EXPECT_FALSE(window.Visible());  // the owner shows it
}

// A window holds no pixels until it is first shown: what was drawn before
// lives in the tree and is all there at the first show, over the whole
// background; a stamp makes the buffer at once, since the tree cannot
// repaint it. Hidden and shown again, the window shows what was drawn while
// it was hidden.
TEST_F(PaintWindowTest, AWindowThatAppearsPaintsItsWholeFace) {
    Solid("red", 10, 10, kRed);
    Solid("blue", 10, 10, kBlue);
    auto paint = MakePaint();
    auto& window = Headless(*paint);
    TMyimage image(paint.get(), "red");
    image.Show();
    image.MoveTo(20, 10);
    EXPECT_FALSE(paint->HasBackBuffer());
    EXPECT_FALSE(window.HasBackBuffer());
    EXPECT_EQ(paint->BackBuffer().depth, window.Depth());
    Pump();  // the paints of a never-shown window copy nothing
    EXPECT_FALSE(window.HasBackBuffer());

    window.Show();
    EXPECT_TRUE(paint->HasBackBuffer());
    Pump();
    EXPECT_EQ(ScreenAt(*paint, 0, 0), Px(kGrey));
    EXPECT_EQ(ScreenAt(*paint, 39, 29), Px(kGrey));
    EXPECT_EQ(ScreenAt(*paint, 5, 5), Px(kGrey));  // where the image was first
    EXPECT_EQ(ScreenAt(*paint, 25, 15), Px(kRed));
    EXPECT_FALSE(paint->PaintPosted());

    window.Hide();
    image.MoveTo(0, 0);
    window.Show();
    Pump();
    EXPECT_EQ(ScreenAt(*paint, 5, 5), Px(kRed));
    EXPECT_EQ(ScreenAt(*paint, 25, 15), Px(kGrey));

    auto stamped = MakePaint();
    TMyimage stamp(stamped.get(), "blue");
    stamp.DrawAt(0, 0);
    EXPECT_TRUE(stamped->HasBackBuffer());
    Headless(*stamped).Show();
    Pump();
    EXPECT_EQ(ScreenAt(*stamped, 5, 5), Px(kBlue));
    EXPECT_EQ(ScreenAt(*stamped, 15, 5), Px(kGrey));
}

TEST_F(PaintWindowTest, CentresInTheWorkAreaRoundingTowardZero) {
    Video().SetWorkArea(TRect{10, 20, 111, 71});  // 101 × 51
    auto paint = MakePaint();
    platform::Rect frame = paint->Window()->Bounds();
    EXPECT_EQ(frame.left, 10 + (101 - 40) / 2);  // 30
    EXPECT_EQ(frame.top, 20 + (51 - 30) / 2);    // 10

    // A window wider than the work area: -5 / 2 is -2, not -3.
    Video().SetWorkArea(TRect{0, 0, 35, 25});
    auto wide = MakePaint();
    EXPECT_EQ(wide->Window()->Bounds().left, -2);
    EXPECT_EQ(wide->Window()->Bounds().top, -2);
}

TEST_F(PaintWindowTest, ShapeComesFromTheWindowsSection) {
    WriteSettings("[Windows]\nBG=20,10,5,6,8,4\nframe=12,14\nflat=0,9,1,1,3,3\nodd=x,7,1,2,3,4");
    auto paint = MakePaint();
    const auto& shape = Headless(*paint).Shape();
    EXPECT_EQ(shape.cornerW, 20);
    EXPECT_EQ(shape.cornerH, 10);
    EXPECT_EQ(shape.holeX, 5);
    EXPECT_EQ(shape.holeY, 6);
    EXPECT_EQ(shape.holeW, 8);
    EXPECT_EQ(shape.holeH, 4);

    auto shaped = [&](const std::string& name) {
        Solid(name, 30, 20, kBlue);
        auto p = std::make_unique<TPaint>(name);
        return Headless(*p).Shape();
    };
    auto frame = shaped("frame");  // corners without a hole
    EXPECT_EQ(frame.cornerW, 12);
    EXPECT_EQ(frame.cornerH, 14);
    EXPECT_EQ(frame.holeW, 0);
    EXPECT_EQ(frame.holeX, 0);
    auto flat = shaped("flat");  // a zero corner width: rectangular
    EXPECT_EQ(flat.cornerW, 0);
    EXPECT_EQ(flat.holeW, 0);
    auto odd = shaped("odd");  // a non-numeric field counts 0
    EXPECT_EQ(odd.cornerW, 0);
    auto none = shaped("none");
    EXPECT_EQ(none.cornerH, 0);
}

TEST_F(PaintWindowTest, ReportsWeightFiftyOnlyDuringStartUp) {
    std::vector<int> weights;
    auto& registry = TGreatBitmap::Instance();
    registry.SetProgressHook([&](const void*, int weight) { weights.push_back(weight); });
    auto quiet = MakePaint();
    EXPECT_TRUE(weights.empty());

    registry.SetStartingUp(true);
    Solid("second", 10, 10, kRed);
    TPaint paint("second");
    registry.SetStartingUp(false);
    EXPECT_EQ(weights, (std::vector<int>{10, 50}));  // the background's load, then the surface
}

TEST_F(PaintWindowTest, FailedWindowLeavesAnInertSurface) {
    TPaint paint(0, 0);
    EXPECT_FALSE(paint.Valid());
    paint.Invalidate(TRect{0, 0, 5, 5});
    paint.Update();
    paint.Redraw(&paint, TRect{0, 0, 5, 5});
    EXPECT_TRUE(paint.PendingArea().Empty());
}

// ---------------------------------------------------------------------------
// Dragging

class PaintDragTest : public PaintTest {
protected:
    void SetUp() override {
        PaintTest::SetUp();
        paint = MakePaint();
        window = &Headless(*paint);
        window->Show();
        window->Move(100, 200);
    }
    void TearDown() override {
        paint.reset();
        PaintTest::TearDown();
    }
    std::unique_ptr<TPaint> paint;
    platform::headless::TWindow* window = nullptr;
};

TEST_F(PaintDragTest, OnlyTheInsideOfTheTopStripStartsADrag) {
    struct Case {
        int x, y;
        bool drags;
    };
    for (Case c : {Case{5, 0, false}, Case{5, 20, false}, Case{5, 1, true}, Case{5, 19, true},
                   Case{0, 5, false}, Case{40, 5, false}, Case{39, 5, true}}) {
        window->MouseDown(ButtonLeft, c.x, c.y);
        EXPECT_EQ(paint->Dragging(), c.drags) << c.x << "," << c.y;
        window->MouseMove(c.x, c.y, 0);  // a move without the button ends it
        EXPECT_FALSE(paint->Dragging());
    }
}

TEST_F(PaintDragTest, MovesKeepTheGrabbedPointUnderThePointer) {
    window->MouseDown(ButtonLeft, 10, 5);
    window->MouseMove(15, 8, LeftButtonHeld);
    EXPECT_EQ(window->Bounds().left, 105);
    EXPECT_EQ(window->Bounds().top, 203);
    // The window moved, so the pointer is again at the grabbed point.
    window->MouseMove(10, 5, LeftButtonHeld);
    EXPECT_EQ(window->Bounds().left, 105);
    window->MouseMove(7, 5, LeftButtonHeld);
    EXPECT_EQ(window->Bounds().left, 102);
    window->MouseUp(ButtonLeft, 7, 5);
    window->MouseMove(30, 25, 0);
    EXPECT_FALSE(paint->Dragging());
    EXPECT_EQ(window->Bounds().left, 102);
}

TEST_F(PaintDragTest, NoDragWithOtherButtonsHiddenWindowsOrOneUnderWay) {
    window->MouseDown(ButtonRight, 10, 5);
    EXPECT_FALSE(paint->Dragging());
    window->MouseMove(12, 5, platform::RightButtonHeld);
    EXPECT_EQ(window->Bounds().left, 100);

    window->MouseDown(ButtonLeft, 10, 5);
    window->MouseDown(ButtonLeft, 3, 3);  // a second press keeps the first start
    window->MouseMove(11, 5, LeftButtonHeld);
    EXPECT_EQ(window->Bounds().left, 101);
    window->MouseMove(0, 0, 0);

    window->Hide();
    window->MouseDown(ButtonLeft, 10, 5);
    EXPECT_FALSE(paint->Dragging());
}

TEST_F(PaintDragTest, TheWindowsOwnHandlersComeFirst) {
    std::vector<std::string> calls;
    TFormEvents events;
    events.onMouseMove = [&](TPaint*, TShiftState, int x, int) {
        calls.push_back("move " + std::to_string(x));
    };
    events.onMouseDown = [&](TPaint* sender, int, TShiftState shift, int, int) {
        calls.push_back(std::string("down ") + (sender->Dragging() ? "dragging" : "idle") +
                        ((shift & LeftButtonHeld) ? " held" : ""));
    };
    events.onMouseUp = [&](TPaint*, int, TShiftState shift, int, int) {
        calls.push_back(std::string("up") + ((shift & LeftButtonHeld) ? " held" : ""));
    };
    paint.reset();
    paint = MakePaint(events);
    window = &Headless(*paint);
    window->Show();
    window->MouseDown(ButtonLeft, 10, 5);  // the backend's shift lacks the button
    window->MouseMove(12, 5, LeftButtonHeld);
    window->MouseUp(ButtonLeft, 12, 5, LeftButtonHeld);
    EXPECT_EQ(calls, (std::vector<std::string>{"down idle held", "move 12", "up"}));
    EXPECT_EQ(window->Bounds().left, (1024 - 40) / 2 + 2);
}

// ---------------------------------------------------------------------------
// Wheel and activation

TEST_F(PaintWindowTest, WheelGivesWholeNotchesAtWindowCoordinates) {
    auto paint = MakePaint();
    auto& window = Headless(*paint);
    window.Move(100, 50);
    std::vector<int> notches;
    TPoint last;
    paint->WheelSubscribers().Subscribe(this, [&](TPaint*, TShiftState, TPoint point, int n) {
        notches.push_back(n);
        last = point;
    });
    window.MouseWheel(-240, 110, 53);
    window.MouseWheel(120, 110, 53);
    window.MouseWheel(-130, 110, 53);
    window.MouseWheel(119, 110, 53);
    EXPECT_EQ(notches, (std::vector<int>{-2, 1, -1, 0}));
    EXPECT_EQ(last.x, 10);
    EXPECT_EQ(last.y, 3);
}

TEST_F(PaintWindowTest, DeactivationEndsHoverAndDragBeforeTheOwnHandler) {
    std::vector<std::string> calls;
    TFormEvents events;
    events.onMouseMove = [&](TPaint*, TShiftState, int x, int y) {
        calls.push_back("move " + std::to_string(x) + "," + std::to_string(y));
    };
    events.onDeactivate = [&] { calls.push_back("deactivate"); };
    events.onActivate = [&] { calls.push_back("activate"); };
    auto paint = MakePaint(events);
    auto other = MakePaint();
    Headless(*paint).Show();
    Headless(*paint).Focus();
    Headless(*paint).MouseDown(ButtonLeft, 10, 5);
    ASSERT_TRUE(paint->Dragging());
    Headless(*other).Focus();
    EXPECT_FALSE(paint->Dragging());
    EXPECT_EQ(calls, (std::vector<std::string>{"activate", "move -1,-1", "deactivate"}));
}

TEST_F(PaintWindowTest, ApplicationActivationReachesTheActiveWindowOnce) {
    int activations = 0, deactivations = 0, otherActivations = 0;
    TFormEvents events;
    events.onActivate = [&] { ++activations; };
    events.onDeactivate = [&] { ++deactivations; };
    TFormEvents otherEvents;
    otherEvents.onActivate = [&] { ++otherActivations; };
    auto paint = MakePaint(events);
    auto other = MakePaint(otherEvents);
    Headless(*paint).Focus();  // the application and the window become active
    EXPECT_EQ(activations, 1);
    EXPECT_TRUE(paint->Active());
    Video().FocusWindow(nullptr);  // the application loses the focus
    EXPECT_EQ(deactivations, 1);
    EXPECT_FALSE(paint->Active());
    // The application's own events reach the window that is active.
    paint->ApplicationDeactivated();
    EXPECT_EQ(deactivations, 1);
    Headless(*paint).Focus();
    EXPECT_EQ(activations, 2);
    EXPECT_EQ(otherActivations, 0);

    // Once a surface is freed, the application events still reach the rest.
    paint.reset();
    Headless(*other).Focus();
    EXPECT_EQ(otherActivations, 1);
}

}  // namespace
}  // namespace painttest
