// The drawn tree and the copy to the window: layers, the areas Hide and
// Redraw touch, removal during a walk, joined invalidation, the update lock
// and suspended painting.
#include "PaintFixture.h"
#include "graphics/Myimage.h"
#include "graphics/Myimagelist.h"

namespace painttest {
namespace {

class PaintDrawTest : public PaintTest {
protected:
    void SetUp() override {
        PaintTest::SetUp();
        paint = MakePaint();
        paint->MakeBackBuffer();  // drawn into as a shown window is
        Solid("red", 10, 10, kRed);
        Solid("green", 10, 10, kGreen);
        Solid("blue", 10, 10, kBlue);
    }
    void TearDown() override {
        paint.reset();
        PaintTest::TearDown();
    }
    std::unique_ptr<TPaint> paint;
};

TEST_F(PaintDrawTest, EqualLayersStackNewestOnTopAndHidingUncovers) {
    TMyimage first(paint.get(), "red");
    TMyimage second(paint.get(), "green");
    first.MoveTo(5, 5);
    second.MoveTo(10, 10);
    first.Show();
    second.Show();
    EXPECT_EQ(BackAt(*paint, 12, 12), Px(kGreen));
    EXPECT_EQ(BackAt(*paint, 7, 7), Px(kRed));
    ASSERT_EQ(paint->Children().size(), 2u);
    EXPECT_EQ(paint->Children()[1], &second);

    second.Hide();
    EXPECT_EQ(BackAt(*paint, 12, 12), Px(kRed));   // the first shows again
    EXPECT_EQ(BackAt(*paint, 17, 17), Px(kGrey));  // the background elsewhere
    first.Hide();
    EXPECT_EQ(BackAt(*paint, 7, 7), Px(kGrey));
    EXPECT_TRUE(paint->Children().empty());
}

TEST_F(PaintDrawTest, AnImagePaintsOverAHigherLayerUntilRedrawnAnImageListStaysUnder) {
    TMyimage top(paint.get(), "blue");
    top.SetLayer(5);
    top.MoveTo(10, 10);
    top.Show();

    TMyimage image(paint.get(), "red");
    image.MoveTo(10, 10);
    image.Show();
    EXPECT_EQ(BackAt(*paint, 12, 12), Px(kRed));  // drawn at once, over the top layer
    EXPECT_EQ(paint->Children().front(), &image);  // but listed under it
    paint->Redraw(paint.get(), paint->Bounds());
    EXPECT_EQ(BackAt(*paint, 12, 12), Px(kBlue));

    image.Hide();
    TMyimagelist list(paint.get(), 10, 10);
    list.Add("green");
    list.SetFrame(1);
    list.Show();
    EXPECT_EQ(BackAt(*paint, 12, 12), Px(kBlue));  // the stack was redrawn in order
    top.Hide();
    EXPECT_EQ(BackAt(*paint, 12, 12), Px(kGreen));
}

TEST_F(PaintDrawTest, HideRedrawsOnlyTheUncoveredAreaOfTheParentsSubtree) {
    TSpy spy(paint.get(), paint->Bounds());
    spy.Show();
    TMyimage image(paint.get(), "red");
    image.MoveTo(3, 4);
    image.Show();
    spy.draws.clear();
    image.Hide();
    ASSERT_EQ(spy.draws.size(), 1u);
    EXPECT_TRUE(SameRect(spy.draws[0], TRect{3, 4, 13, 14}));
    // Detach leaves the area as it is.
    image.Show();
    spy.draws.clear();
    image.Detach();
    EXPECT_TRUE(spy.draws.empty());
    EXPECT_EQ(BackAt(*paint, 5, 5), Px(kRed));
}

TEST_F(PaintDrawTest, RedrawClipsToEachNodeAndDrawsChildrenInOrder) {
    TSpy outer(paint.get(), TRect{0, 0, 20, 20});
    TSpy inner(&outer, TRect{10, 10, 30, 30});
    outer.Show();
    inner.Show();
    paint->Redraw(paint.get(), TRect{5, 5, 40, 40});
    ASSERT_EQ(outer.draws.size(), 1u);
    EXPECT_TRUE(SameRect(outer.draws[0], TRect{5, 5, 20, 20}));
    ASSERT_EQ(inner.draws.size(), 1u);
    EXPECT_TRUE(SameRect(inner.draws[0], TRect{10, 10, 20, 20}));  // within its parent's part
    paint->Redraw(paint.get(), TRect{25, 25, 30, 30});
    EXPECT_EQ(outer.draws.size(), 1u);  // outside: nothing at all
    EXPECT_EQ(inner.draws.size(), 1u);

    // Hiding a parent detaches its children.
    outer.Hide();
    EXPECT_FALSE(inner.Shown());
    EXPECT_TRUE(paint->Children().empty());
}

TEST_F(PaintDrawTest, ChildrenLeavingDuringTheWalkSkipNoSibling) {
    TRect all = paint->Bounds();
    TSpy a(paint.get(), all), b(paint.get(), all), c(paint.get(), all), d(paint.get(), all);
    for (TSpy* s : {&a, &b, &c, &d}) s->Show();
    a.onDraw = [&] { a.Detach(); };  // removes itself
    c.onDraw = [&] { d.Detach(); };  // removes the next one
    paint->Redraw(paint.get(), all);
    EXPECT_EQ(a.draws.size(), 1u);
    EXPECT_EQ(b.draws.size(), 1u);
    EXPECT_EQ(c.draws.size(), 1u);
    EXPECT_EQ(d.draws.size(), 0u);

    // One shown during the walk under the walk's place is not drawn twice,
    // nor is the one being drawn.
    a.onDraw = nullptr;
    c.onDraw = [&] { a.Show(); };
    b.draws.clear();
    c.draws.clear();
    a.draws.clear();
    a.SetLayer(-1);
    paint->Redraw(paint.get(), all);
    EXPECT_EQ(b.draws.size(), 1u);
    EXPECT_EQ(c.draws.size(), 1u);
    EXPECT_EQ(a.draws.size(), 0u);
    EXPECT_EQ(paint->Children().front(), &a);
}

TEST_F(PaintDrawTest, ANodeFreedDuringItsWalkEndsItsPart) {
    TRect all = paint->Bounds();
    auto outer = std::make_unique<TSpy>(paint.get(), all);
    TSpy after(paint.get(), all);
    TSpy inner(outer.get(), all);
    TSpy sibling(outer.get(), all);
    outer->Show();
    inner.Show();
    sibling.Show();
    after.Show();
    inner.onDraw = [&] { outer.reset(); };
    paint->Redraw(paint.get(), all);
    EXPECT_EQ(sibling.draws.size(), 0u);  // its parent is gone
    EXPECT_EQ(after.draws.size(), 1u);
    EXPECT_EQ(paint->Children().size(), 1u);
}

TEST_F(PaintDrawTest, InvalidationsJoinIntoOnePaintOfTheBackBuffer) {
    auto& window = Headless(*paint);
    Pump();
    int presents = window.PresentCount();
    TMyimage one(paint.get(), "red"), two(paint.get(), "green");
    one.MoveTo(1, 1);
    two.MoveTo(20, 15);
    one.Show();
    two.Show();
    EXPECT_TRUE(paint->PaintPosted());
    EXPECT_TRUE(SameRect(paint->PendingArea(), TRect{1, 1, 30, 25}));
    EXPECT_NE(ScreenAt(*paint, 2, 2), Px(kRed));  // nothing copied before the paint
    Pump();
    EXPECT_EQ(window.PresentCount(), presents + 1);
    EXPECT_FALSE(paint->PaintPosted());
    EXPECT_TRUE(paint->PendingArea().Empty());
    EXPECT_EQ(ScreenAt(*paint, 2, 2), Px(kRed));
    EXPECT_EQ(ScreenAt(*paint, 25, 20), Px(kGreen));
    EXPECT_EQ(ScreenAt(*paint, 15, 5), Px(kGrey));
}

TEST_F(PaintDrawTest, UpdatePaintsNowUnlessLockedOrSuspended) {
    auto& window = Headless(*paint);
    Pump();
    TMyimage image(paint.get(), "red");
    image.Show();
    int presents = window.PresentCount();
    paint->SetLock(true);
    paint->Update();
    EXPECT_EQ(window.PresentCount(), presents);
    paint->SetLock(false);
    paint->Update();
    EXPECT_EQ(window.PresentCount(), presents + 1);
    EXPECT_EQ(ScreenAt(*paint, 3, 3), Px(kRed));

    // Suspended: nothing drawn into the back buffer, nothing copied.
    paint->SetSuspended(true);
    image.MoveTo(20, 10);
    EXPECT_EQ(BackAt(*paint, 25, 15), Px(kGrey));
    EXPECT_EQ(BackAt(*paint, 3, 3), Px(kRed));  // the uncovered area was not redrawn either
    paint->Update();
    Pump();
    EXPECT_EQ(window.PresentCount(), presents + 1);
    paint->SetSuspended(false);
    paint->Redraw(paint.get(), paint->Bounds());
    paint->Update();
    EXPECT_EQ(BackAt(*paint, 25, 15), Px(kRed));
    EXPECT_EQ(ScreenAt(*paint, 3, 3), Px(kGrey));
    EXPECT_EQ(ScreenAt(*paint, 25, 15), Px(kRed));
}

TEST_F(PaintDrawTest, PostPaintAsksOnceForThePendingArea) {
    auto& window = Headless(*paint);
    Pump();
    paint->PostPaint();  // nothing pending
    Pump();
    int presents = window.PresentCount();
    paint->Invalidate(TRect{-5, -5, 3, 3});
    EXPECT_TRUE(SameRect(paint->PendingArea(), TRect{0, 0, 3, 3}));  // clipped to the window
    paint->PostPaint();
    Pump();
    EXPECT_EQ(window.PresentCount(), presents + 1);
}

TEST_F(PaintDrawTest, ChangeBackgroundRedrawsTheWholeTree) {
    Solid("bg2", 40, 30, kWhite);
    TMyimage image(paint.get(), "red");
    image.Show();
    paint->ChangeBackground("bg2");
    EXPECT_EQ(paint->BackgroundName(), "bg2");
    EXPECT_EQ(BackAt(*paint, 20, 20), Px(kWhite));
    EXPECT_EQ(BackAt(*paint, 5, 5), Px(kRed));
    EXPECT_EQ(TGreatBitmap::Instance().Cached("bg"), nullptr);  // the old one was released
}

}  // namespace
}  // namespace painttest
