// TCheck: three states cycling by clicks, SetTicked shown and hidden, and
// the layout line with its label.
#include "ButtonsFixture.h"
#include "controls/Check.h"
#include "controls/Rollover.h"
#include "controls/Text.h"

namespace buttontest {
namespace {

class CheckTest : public ButtonsTest {
protected:
    void SetUp() override {
        ButtonsTest::SetUp();
        paint = MakePaint();
        Solid("s0on", 8, 8, kRed);
        Solid("s0of", 8, 8, kBlue);
        Solid("s1on", 8, 8, kGreen);
        Solid("s1of", 8, 8, kYellow);
        Solid("s2on", 8, 8, kWhite);
        Solid("s2of", 8, 8, kWhite);
        // The default states are the elements "Chekof" and "Chekon".
        Solid("Chekofon", 6, 6, kRed);
        Solid("Chekofof", 6, 6, kBlue);
        Solid("Chekonon", 6, 6, kGreen);
        Solid("Chekonof", 6, 6, kYellow);
        WriteIni("[Win]\nTick=10,20,60\nPlain=5,5,0\n", "[en-Win]\nTick=ab,ignored\n");
    }
    void TearDown() override {
        check.reset();
        paint.reset();
        ButtonsTest::TearDown();
    }
    void Make(const std::string& states) {
        check = std::make_unique<TCheck>(paint.get(), states, "Tick", "Win");
        check->OnChange = [this](TCheck*) { ++changes; };
    }
    void Click() {
        Window(*paint).MouseMove(5, 5);
        Window(*paint).MouseMove(13, 23);
        Window(*paint).MouseDown(platform::ButtonLeft, 13, 23);
        Window(*paint).MouseUp(platform::ButtonLeft, 13, 23);
    }

    std::unique_ptr<TPaint> paint;
    std::unique_ptr<TCheck> check;
    int changes = 0;
};

TEST_F(CheckTest, ThreeStatesCycleByClicks) {
    Make("s0,s1,s2");
    check->Show();
    ASSERT_EQ(check->StateCount(), 3);
    EXPECT_EQ(BackAt(*paint, 12, 22), Px(kBlue));
    const int expected[] = {1, 2, 0, 1};
    for (int i = 0; i < 4; ++i) {
        Click();
        EXPECT_EQ(check->State(), expected[i]);
        EXPECT_EQ(check->Ticked(), expected[i] != 0);
        EXPECT_EQ(changes, i + 1);
    }
    // Only the current state's button shows; after the click the pointer has
    // not moved, so it shows its "of" image.
    EXPECT_EQ(BackAt(*paint, 12, 22), Px(kYellow));
    EXPECT_FALSE(check->Button(0)->Visible());
    EXPECT_FALSE(check->Button(2)->Visible());
}

TEST_F(CheckTest, SetTickedWhileHiddenChangesTheStateWithoutAnEvent) {
    Make("");
    check->SetTicked(true);
    EXPECT_EQ(check->State(), 1);
    EXPECT_TRUE(check->Ticked());
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(BackAt(*paint, 12, 22), Px(kGrey));
    check->Show();
    EXPECT_EQ(BackAt(*paint, 12, 22), Px(kYellow));
    check->SetTicked(true);  // unchanged: nothing
    EXPECT_EQ(changes, 0);
    check->SetTicked(false);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(BackAt(*paint, 12, 22), Px(kBlue));
    EXPECT_FALSE(check->Button(1)->Visible());
}

TEST_F(CheckTest, LayoutPlacesTheLabelRightOfTheImage) {
    Make("");
    // Tick=10,20,60: the label runs from x + image width + 10 to x + 60,
    // centred on the image's height.
    TText* label = check->Label();
    EXPECT_EQ(label->Text(), "ab");
    EXPECT_EQ(label->Left(), 10 + 6 + TCheck::kLabelGap);
    EXPECT_EQ(label->Right(), 70);
    EXPECT_EQ(label->Top(), 20 + (6 - kFontHeight) / 2);
    check->Show();
    EXPECT_EQ(CountInRow(*paint, 20, 0, 80, kWhite), 2 * kLetterWidth);

    // A width of 0 is the image's width; missing numbers take 10.
    TCheck plain(paint.get(), "", "Plain", "Win");
    EXPECT_EQ(plain.Width(), 6);
    TCheck defaults(paint.get(), "", "Absent", "Win");
    EXPECT_EQ(defaults.X(), 10);
    EXPECT_EQ(defaults.Width(), 10);
}

}  // namespace
}  // namespace buttontest
