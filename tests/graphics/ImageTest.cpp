// TMyimage: sharing, drawing modes, moving, clipping, stamps and the
// parent's clip.
#include "PaintFixture.h"
#include "graphics/Myimage.h"

namespace painttest {
namespace {

class ImageTest : public PaintTest {
protected:
    void SetUp() override {
        PaintTest::SetUp();
        paint = MakePaint();
        paint->MakeBackBuffer();  // drawn into as a shown window is
        Solid("red", 10, 10, kRed);
        Solid("blue", 10, 10, kBlue);
    }
    void TearDown() override {
        paint.reset();
        PaintTest::TearDown();
    }
    std::unique_ptr<TPaint> paint;
};

TEST_F(ImageTest, ImagesOfOneNameShareTheCachedBitmap) {
    auto first = std::make_unique<TMyimage>(paint.get(), "RED");
    TMyimage second(paint.get(), "red");
    EXPECT_EQ(first->Name(), "red");
    EXPECT_EQ(first->Bitmap(), second.Bitmap());
    EXPECT_EQ(second.Bitmap()->References(), 2);
    EXPECT_TRUE(SameRect(second.Bounds(), TRect{0, 0, 10, 10}));
    first.reset();
    EXPECT_EQ(second.Bitmap()->References(), 1);
    second.Show();
    EXPECT_EQ(BackAt(*paint, 4, 4), Px(kRed));
}

TEST_F(ImageTest, ReportsWeightOneAlsoForACachedBitmap) {
    std::vector<int> weights;
    auto& registry = TGreatBitmap::Instance();
    registry.SetProgressHook([&](const void*, int weight) { weights.push_back(weight); });
    registry.SetStartingUp(true);
    TMyimage loaded(paint.get(), "red");
    TMyimage cached(paint.get(), "red");
    registry.SetStartingUp(false);
    TMyimage later(paint.get(), "red");
    EXPECT_EQ(weights, (std::vector<int>{10, 1, 1}));
}

TEST_F(ImageTest, TransparentImagesKeepTheGroundUnderPixelZero) {
    std::vector<uint16_t> pixels(100, kRed);
    pixels[5 * 10 + 5] = 0;
    WriteLoose("holed", gfxtest::Giz(pixels, 10, 10));
    TMyimage opaque(paint.get(), "holed");
    opaque.Show();
    EXPECT_EQ(BackAt(*paint, 5, 5), 0u);
    opaque.Hide();

    TMyimage see(paint.get(), "holed");
    see.SetTransparent(true);
    see.Show();
    EXPECT_EQ(BackAt(*paint, 5, 5), Px(kGrey));
    EXPECT_EQ(BackAt(*paint, 4, 5), Px(kRed));
}

TEST_F(ImageTest, TranslucentImagesBlendAtDepthSixteen) {
    paint.reset();
    UseDepth(16);
    paint = MakePaint();
    Solid("white", 10, 10, kWhite);
    TMyimage image(paint.get(), "white");
    image.SetTranslucency(16);
    EXPECT_TRUE(TGreatBitmap::Instance().HasTranslucencyTable());
    image.Show();
    uint32_t blended = BackAt(*paint, 3, 3);
    EXPECT_NE(blended, Px(kWhite));
    EXPECT_NE(blended, Px(kGrey));
    image.Hide();
    image.SetTranslucency(32);  // the top level draws plainly
    image.Show();
    EXPECT_EQ(BackAt(*paint, 3, 3), Px(kWhite));
}

TEST_F(ImageTest, MoveToRedrawsTheOldPlaceAndDrawsTheNewOne) {
    TMyimage image(paint.get(), "red");
    image.Show();
    Pump();
    image.MoveTo(0, 0);  // unchanged: nothing happens
    EXPECT_FALSE(paint->PaintPosted());
    image.SetX(25);
    image.SetY(12);
    EXPECT_EQ(BackAt(*paint, 3, 3), Px(kGrey));
    EXPECT_EQ(BackAt(*paint, 30, 15), Px(kRed));
    EXPECT_TRUE(SameRect(image.Bounds(), TRect{25, 12, 35, 22}));
    EXPECT_FALSE(image.Moving());

    TMyimage hidden(paint.get(), "blue");
    hidden.MoveTo(5, 5);  // a hidden image only moves
    EXPECT_FALSE(hidden.Shown());
    EXPECT_EQ(BackAt(*paint, 7, 7), Px(kGrey));
}

TEST_F(ImageTest, GrowingTheClipToTheRightPaintsOnlyTheNewStrip) {
    TMyimage top(paint.get(), "blue");
    top.SetLayer(3);
    top.MoveTo(12, 0);
    TMyimage bar(paint.get(), "red");
    bar.MoveTo(5, 5);
    bar.SetClip(TRect{0, 0, 3, 10});
    bar.Show();
    top.Show();
    Pump();
    bar.SetClip(TRect{0, 0, 6, 10});
    EXPECT_TRUE(SameRect(paint->PendingArea(), TRect{8, 5, 11, 15}));
    EXPECT_EQ(BackAt(*paint, 10, 7), Px(kRed));
    EXPECT_EQ(BackAt(*paint, 12, 7), Px(kBlue));  // nothing redrawn beyond the strip
    EXPECT_TRUE(SameRect(bar.Clip(), TRect{0, 0, 6, 10}));

    // Any other change hides and shows again.
    Pump();
    bar.SetClip(TRect{0, 0, 2, 10});
    EXPECT_EQ(BackAt(*paint, 8, 7), Px(kGrey));
    EXPECT_EQ(BackAt(*paint, 6, 7), Px(kRed));
    EXPECT_TRUE(SameRect(bar.Bounds(), TRect{5, 5, 7, 15}));
    bar.SetClip(TRect{-5, 0, 40, 40});  // clipped to the bitmap
    EXPECT_TRUE(SameRect(bar.Clip(), TRect{0, 0, 10, 10}));
}

TEST_F(ImageTest, DrawAtStampsWithoutMoving) {
    TMyimage image(paint.get(), "red");
    image.DrawAt(20, 15);
    EXPECT_EQ(BackAt(*paint, 22, 17), Px(kRed));
    EXPECT_TRUE(SameRect(image.Bounds(), TRect{0, 0, 10, 10}));
    EXPECT_FALSE(image.Shown());
    paint->Redraw(paint.get(), paint->Bounds());  // a stamp is not in the tree
    EXPECT_EQ(BackAt(*paint, 22, 17), Px(kGrey));
}

TEST_F(ImageTest, DrawingIsClippedToTheParent) {
    TMyimage parent(paint.get(), "blue");
    parent.Show();
    TMyimage child(&parent, "red");
    child.MoveTo(5, 5);
    child.Show();
    EXPECT_EQ(BackAt(*paint, 7, 7), Px(kRed));
    EXPECT_EQ(BackAt(*paint, 12, 12), Px(kGrey));
    parent.Hide();  // detaches the child too
    EXPECT_FALSE(child.Visible());
    EXPECT_EQ(BackAt(*paint, 7, 7), Px(kGrey));
}

TEST_F(ImageTest, BlankImagesAreFilledOnceByTheirCallback) {
    int calls = 0;
    auto render = [&](TMybitmap& bitmap, void* argument) {
        ++calls;
        EXPECT_EQ(argument, &calls);
        bitmap.Fill(bitmap.Bounds(), RgbColour(255, 255, 0));
    };
    TMyimage blank(paint.get(), render, &calls, 6, 4);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(blank.Width(), 6);
    EXPECT_EQ(blank.Height(), 4);
    blank.Show();
    blank.Hide();
    blank.Show();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(BackAt(*paint, 5, 3), ColourToPixel(RgbColour(255, 255, 0), m_depth));
    EXPECT_EQ(BackAt(*paint, 6, 3), Px(kGrey));
}

TEST_F(ImageTest, SuspendedPaintingDrawsNothingButStillTracksTheTree) {
    paint->SetSuspended(true);
    TMyimage image(paint.get(), "red");
    image.Show();
    EXPECT_TRUE(image.Shown());
    EXPECT_EQ(BackAt(*paint, 3, 3), Px(kGrey));
    paint->SetSuspended(false);
    paint->Redraw(paint.get(), paint->Bounds());
    EXPECT_EQ(BackAt(*paint, 3, 3), Px(kRed));
}

}  // namespace
}  // namespace painttest
