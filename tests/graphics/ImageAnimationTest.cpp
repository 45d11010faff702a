// TMyimagelist animation on virtual time: frame runs with loops, late ticks,
// fades in and out, finishing and stopping.
#include "PaintFixture.h"
#include "graphics/Myimagelist.h"

namespace painttest {
namespace {

class ImageAnimationTest : public PaintTest {
protected:
    void SetUp() override {
        PaintTest::SetUp();
        paint = MakePaint();
        list = std::make_unique<TMyimagelist>(paint.get(), 5, 5);
        for (auto [name, colour] : {std::pair{"f1", kRed}, {"f2", kGreen}, {"f3", kBlue},
                                    {"f4", kWhite}}) {
            Solid(name, 10, 10, colour);
            list->Add(name);
        }
        list->SetFrameInterval(100);
        list->OnDone = [this](TMyimagelist*) { ++done; };
        list->Show();
    }
    void TearDown() override {
        list.reset();
        paint.reset();
        PaintTest::TearDown();
    }

    // Runs virtual time in 10 ms steps, noting every frame shown.
    std::vector<int> Watch(int ms) {
        std::vector<int> frames{list->Frame()};
        for (int t = 0; t < ms; t += 10) {
            Loop().RunFor(10);
            if (list->Frame() != frames.back()) frames.push_back(list->Frame());
        }
        return frames;
    }

    std::unique_ptr<TPaint> paint;
    std::unique_ptr<TMyimagelist> list;
    int done = 0;
};

TEST_F(ImageAnimationTest, RunsTheFramesForTheLoopsAndEndsOnTheLast) {
    list->Animate(1, 4, 2);
    EXPECT_TRUE(list->Animating());
    EXPECT_EQ(Watch(1200), (std::vector<int>{1, 2, 3, 4, 1, 2, 3, 4}));
    EXPECT_EQ(done, 1);
    EXPECT_FALSE(list->Animating());
    EXPECT_EQ(list->Frame(), 4);
    EXPECT_EQ(BackAt(*paint, 7, 7), Px(kWhite));
}

TEST_F(ImageAnimationTest, ALateTickSkipsFramesButStillEndsOnTheLast) {
    list->Animate(1, 4, 2);
    Loop().RunFor(505);  // frames 2, 3, 4, 1, 2
    ASSERT_EQ(list->Frame(), 2);
    Loop().AdvanceMs(300);  // the main thread was blocked for three intervals
    Loop().ProcessMessages();
    EXPECT_EQ(list->Frame(), 4);
    EXPECT_EQ(done, 1);
    EXPECT_FALSE(list->Animating());
}

TEST_F(ImageAnimationTest, ALateTickWithinALoopAdvancesSeveralFrames) {
    list->Animate(2, 4, 0);  // frames 2 ... 4, endlessly
    Loop().RunFor(105);
    ASSERT_EQ(list->Frame(), 3);
    Loop().AdvanceMs(400);  // four intervals: 4, 2, 3, 4
    Loop().ProcessMessages();
    EXPECT_EQ(list->Frame(), 4);
    Loop().AdvanceMs(100000);  // a thousand intervals: 1000 mod 3 = 1 further
    Loop().ProcessMessages();
    EXPECT_EQ(list->Frame(), 2);
    EXPECT_TRUE(list->Animating());
    EXPECT_EQ(done, 0);
    list->StopAnimation();
    EXPECT_FALSE(list->Animating());
    Loop().RunFor(500);
    EXPECT_EQ(list->Frame(), 2);
}

TEST_F(ImageAnimationTest, ZeroBoundsMeanAllFramesAndBadBoundsAreIgnored) {
    list->Animate(0, 3, 1);
    EXPECT_EQ(Watch(500), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(done, 1);
    list->Animate(3, 2, 1);
    EXPECT_FALSE(list->Animating());
    list->Animate(2, 9, 1);  // the last frame is the list's last
    EXPECT_EQ(Watch(500), (std::vector<int>{2, 3, 4}));
}

// A caret-like list: frames that repeat a picture neither redraw nor wake
// the process; the timer sleeps until the picture changes, and the frame
// count still comes out right.
TEST_F(ImageAnimationTest, RepeatedPicturesSleepUntilThePictureChanges) {
    TMyimagelist caret(paint.get(), 30, 5);
    for (const char* name : {"f1", "f1", "f1", "f2", "f3", "f3"}) caret.Add(name);
    caret.SetFrameInterval(100);
    caret.Show();
    caret.Animate(0, 0, 0);
    Loop().RunFor(15);  // the dispatcher's first pass
    int64_t ticks = Loop().PeriodicTicks();
    std::vector<uint32_t> seen;
    for (int t = 0; t < 1100; t += 10) {
        Loop().RunFor(10);
        uint32_t pixel = BackAt(*paint, 32, 7);
        if (seen.empty() || seen.back() != pixel) seen.push_back(pixel);
    }
    // Red ×3, green, blue ×2 at 100 ms a frame: the picture changes at 300,
    // 400, 600, 900 and 1000 ms, and only then does the process wake.
    EXPECT_EQ(seen, (std::vector<uint32_t>{Px(kRed), Px(kGreen), Px(kBlue), Px(kRed), Px(kGreen), Px(kBlue)}));
    EXPECT_EQ(Loop().PeriodicTicks() - ticks, 5);
    EXPECT_EQ(caret.Frame(), 5);
}

TEST_F(ImageAnimationTest, FinishAnimationShowsTheLastFrameAndReportsDone) {
    list->FinishAnimation();  // nothing running
    EXPECT_EQ(done, 0);
    list->Animate(1, 3, 0);
    Loop().RunFor(105);
    list->FinishAnimation();
    EXPECT_EQ(list->Frame(), 3);
    EXPECT_EQ(done, 1);
    EXPECT_FALSE(list->Animating());
}

TEST_F(ImageAnimationTest, FadeInReachesFullOpacityAfterThirtyOneIntervals) {
    list.reset();
    paint.reset();
    UseDepth(16);
    paint = MakePaint();
    list = std::make_unique<TMyimagelist>(paint.get(), 5, 5);
    Solid("white", 10, 10, kWhite);
    list->Add("white");
    list->SetFrameInterval(100);
    list->OnDone = [this](TMyimagelist*) { ++done; };
    list->Show();

    list->FadeIn(1);
    EXPECT_EQ(list->Translucency(), 1);
    EXPECT_EQ(list->Frame(), 1);
    uint32_t faint = BackAt(*paint, 7, 7);
    EXPECT_NE(faint, Px(kWhite));
    Loop().RunFor(3005);  // 30 intervals: level 31
    EXPECT_EQ(list->Translucency(), 31);
    EXPECT_EQ(done, 0);
    uint32_t strong = BackAt(*paint, 7, 7);
    EXPECT_NE(strong, faint);
    EXPECT_NE(strong, Px(kWhite));
    Loop().RunFor(100);
    EXPECT_EQ(done, 1);
    EXPECT_EQ(list->Translucency(), 0);
    EXPECT_FALSE(list->Animating());
    EXPECT_EQ(BackAt(*paint, 7, 7), Px(kWhite));
}

TEST_F(ImageAnimationTest, FadeOutHidesTheListAtTheEnd) {
    list->SetFrame(2);
    list->FadeOut();
    Loop().RunFor(3105);  // 31 intervals: level 1
    EXPECT_TRUE(list->Shown());
    EXPECT_EQ(list->Translucency(), 1);
    EXPECT_EQ(done, 0);
    Loop().RunFor(100);
    EXPECT_EQ(done, 1);
    EXPECT_FALSE(list->Visible());
    EXPECT_FALSE(list->Shown());
    EXPECT_EQ(BackAt(*paint, 7, 7), Px(kGrey));
}

TEST_F(ImageAnimationTest, TheDoneHandlerMayFreeTheList) {
    list->OnDone = [this](TMyimagelist*) {
        ++done;
        list.reset();
    };
    list->Animate(1, 2, 1);
    Loop().RunFor(500);
    EXPECT_EQ(done, 1);
    EXPECT_EQ(list, nullptr);
    EXPECT_EQ(TMaintimer::Instance().Count(), 0);
}

}  // namespace
}  // namespace painttest
