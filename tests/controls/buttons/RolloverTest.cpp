// TRollover: the mouse state table (normal, lit, pressed, down-locked) with
// its images and sounds, the layout line, captions that widen the button,
// and the missing image.
#include "ButtonsFixture.h"
#include "controls/Rollover.h"
#include "controls/Text.h"
#include "graphics/Myimage.h"

namespace buttontest {
namespace {

class RolloverTest : public ButtonsTest {
protected:
    void SetUp() override {
        ButtonsTest::SetUp();
        paint = MakePaint();
        Solid("OKon", 10, 8, kRed);
        Solid("OKof", 10, 8, kBlue);
        WriteIni("[Win]\nOK=20,10,TRUE,font1\n", "[en-Win]\nOK=go,unused\n");
    }
    void TearDown() override {
        button.reset();
        paint.reset();
        ButtonsTest::TearDown();
    }
    void Make(const std::string& section = "Win") {
        button = std::make_unique<TRollover>(paint.get(), section, "OK",
                                             [this](TRollover*) { ++clicks; });
        button->OnRelease = [this](TRollover*, int) { ++releases; };
    }
    uint32_t Face() const { return BackAt(*paint, button->X() + button->ImageOffset() + 2, 12); }
    std::string LastSound() const {
        if (Played().empty()) return "";
        const std::string& path = Played().back();
        return path.substr(path.rfind('/') + 1);
    }
    platform::headless::TWindow& W() { return Window(*paint); }

    std::unique_ptr<TPaint> paint;
    std::unique_ptr<TRollover> button;
    int clicks = 0, releases = 0;
};

TEST_F(RolloverTest, ReadsTheLayoutLineAndTheCaptionUpToItsComma) {
    Make();
    EXPECT_EQ(button->X(), 20);
    EXPECT_EQ(button->Y(), 10);
    EXPECT_TRUE(button->OnImage()->Transparent());
    EXPECT_EQ(button->Caption(), "go");
    // "go" is 8 pixels, narrower than the image: the button keeps its width
    // and gains the caption line.
    EXPECT_EQ(button->Width(), 10);
    EXPECT_EQ(button->Height(), 8 + kFontHeight + TRollover::kCaptionGap);
    button->Show();
    EXPECT_EQ(button->CaptionLabel()->Left(), 21);
    EXPECT_EQ(button->CaptionLabel()->Top(), 20);
    EXPECT_EQ(BackAt(*paint, 21, 20), Px(kWhite));
}

TEST_F(RolloverTest, WalksThroughNormalLitPressedAndBack) {
    Make();
    button->Show();
    EXPECT_EQ(Face(), Px(kBlue));

    W().MouseMove(25, 12);
    EXPECT_TRUE(button->Hovering());
    EXPECT_EQ(Face(), Px(kRed));
    EXPECT_EQ(LastSound(), "Rollover.wav");
    W().MouseMove(26, 12);  // still inside: no second sound
    EXPECT_EQ(Played().size(), 1u);

    W().MouseDown(platform::ButtonLeft, 26, 12);
    EXPECT_EQ(clicks, 1);  // on the press, not the release
    EXPECT_TRUE(button->Pressed());
    EXPECT_EQ(LastSound(), "Rolldown.wav");
    W().MouseUp(platform::ButtonLeft, 26, 12);
    EXPECT_FALSE(button->Pressed());
    EXPECT_EQ(releases, 1);

    W().MouseMove(5, 5);
    EXPECT_FALSE(button->Hovering());
    EXPECT_EQ(Face(), Px(kBlue));
    EXPECT_EQ(clicks, 1);
}

TEST_F(RolloverTest, HeldButtonHiddenAndDisabledIgnoreThePointer) {
    Make();
    button->Show();
    W().MouseMove(25, 12, platform::LeftButtonHeld);  // dragged in from outside
    EXPECT_FALSE(button->Hovering());
    W().MouseDown(platform::ButtonRight, 25, 12);
    W().MouseMove(25, 12);
    W().MouseDown(platform::ButtonRight, 25, 12);  // not the left button
    EXPECT_EQ(clicks, 0);
    W().MouseMove(25, 12, platform::LeftButtonHeld);  // leaving with it held keeps it lit
    W().MouseMove(5, 5, platform::LeftButtonHeld);
    EXPECT_TRUE(button->Hovering());

    button->Hide();
    EXPECT_FALSE(button->Hovering());
    W().MouseMove(25, 12);
    W().MouseDown(platform::ButtonLeft, 25, 12);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(BackAt(*paint, 22, 12), Px(kGrey));

    button->Show();
    button->SetEnabled(false);
    W().MouseMove(26, 12);
    EXPECT_FALSE(button->Hovering());
}

TEST_F(RolloverTest, DownLockedStaysLitWithoutSound) {
    Make();
    button->SetDown(true);
    button->Show();
    EXPECT_EQ(Face(), Px(kRed));
    W().MouseMove(25, 12);
    W().MouseMove(5, 5);
    EXPECT_EQ(Face(), Px(kRed));
    EXPECT_TRUE(Played().empty());
    button->SetDown(false);
    EXPECT_EQ(Face(), Px(kBlue));
}

TEST_F(RolloverTest, AWideCaptionWidensTheButtonAndCentresTheImage) {
    Make("");
    button->SetPosition(20, 10);
    button->SetCaption("abcd");  // 16 pixels under a 10-pixel image
    EXPECT_EQ(button->Width(), 16);
    EXPECT_EQ(button->ImageOffset(), 3);
    EXPECT_EQ(button->CaptionLabel()->Kind(), TText::kMarquee);
    button->Show();
    EXPECT_EQ(BackAt(*paint, 22, 12), Px(kGrey));
    EXPECT_EQ(BackAt(*paint, 23, 12), Px(kBlue));
    EXPECT_EQ(CountInRow(*paint, 20, 0, 80, kWhite), 16);
    W().MouseMove(35, 21);  // on the caption: part of the button
    EXPECT_TRUE(button->Hovering());
}

TEST_F(RolloverTest, MissingOnImageEndsTheProcess) {
    EXPECT_EXIT(
        {
            EchoBoxes();
            TRollover missing(paint.get(), "", "Nothing", nullptr);
        },
        ::testing::ExitedWithCode(0), "\\[File not found Nothingon\\|error\\]");
}

TEST_F(RolloverTest, ReportsItsImagesToTheStartUpProgress) {
    int total = 0;
    TGreatBitmap::Instance().SetProgressHook([&](const void*, int weight) { total += weight; });
    TGreatBitmap::Instance().SetStartingUp(true);
    Make("");
    TGreatBitmap::Instance().SetStartingUp(false);
    EXPECT_EQ(total, 2 * (10 + 1));  // two bitmaps loaded, two sprites
}

}  // namespace
}  // namespace buttontest
