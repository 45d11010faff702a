#include <vector>

#include "MenusFixture.h"
#include "controls/Glide.h"
#include "controls/Rollover.h"
#include "controls/Text.h"

namespace menutest {
namespace {

class GlideTest : public MenusTest {
protected:
    void SetUp() override {
        MenusTest::SetUp();
        Solid("Glide", 200, 100, kGrey);
        owner = MakePaint();
        ownerFrame = owner->Window()->Bounds();
    }
    void TearDown() override {
        glide.reset();
        owner.reset();
        MenusTest::TearDown();
    }

    // A one-item menu 100 wide and 24 high: a 96 × 20 item in a 100 × 24 cell.
    void MakeWide(bool growsRight) {
        Button("Item", 96, 20);
        glide = std::make_unique<TGlide>(owner.get(), growsRight, nullptr, 1, 1);
        glide->AddItem("Item", "Wide");
    }

    platform::Rect PopupFrame() const { return glide->PopupSurface()->Window()->Bounds(); }
    static platform::Rect Pointer() {
        platform::Rect p;
        Video().PointerPosition(p.left, p.top);
        return p;
    }

    // Runs virtual time until the menu stops growing; the widths it had.
    std::vector<int> Grow() {
        std::vector<int> widths{glide->CurrentWidth()};
        for (int ms = 0; ms < 1000 && glide->Growing(); ++ms) {
            Loop().RunFor(1);
            if (glide->CurrentWidth() != widths.back()) widths.push_back(glide->CurrentWidth());
        }
        return widths;
    }

    std::unique_ptr<TPaint> owner;
    platform::Rect ownerFrame;
    std::unique_ptr<TGlide> glide;
};

TEST_F(GlideTest, GrowsFromATwelfthToFullInElevenTicksUpwardsFromTheAnchor) {
    MakeWide(true);
    glide->Popup(50, 60);
    EXPECT_EQ(glide->FullWidth(), 100);
    EXPECT_EQ(glide->FullHeight(), 24);
    EXPECT_EQ(glide->CurrentHeight(), 2);  // 24 - 2 × 11
    EXPECT_TRUE(glide->Opened());

    std::vector<int> expected;
    for (int w = 12; w <= 100; w += 8) expected.push_back(w);
    EXPECT_EQ(Grow(), expected);
    EXPECT_FALSE(glide->Growing());

    const platform::Rect r = PopupFrame();
    EXPECT_EQ(r.left, ownerFrame.left + 50);
    EXPECT_EQ(r.bottom, ownerFrame.top + 60);  // grown upwards from the anchor
    EXPECT_EQ(r.Width(), 100);
    EXPECT_EQ(r.Height(), 24);
    // Whole: the pointer rests in the middle of the menu.
    EXPECT_EQ(Pointer().left, r.left + 50);
    EXPECT_EQ(Pointer().top, r.top + 12);
}

TEST_F(GlideTest, PointerRidesTheGrowingCorner) {
    MakeWide(true);
    glide->Popup(50, 60);
    while (glide->CurrentWidth() == 12) Loop().RunFor(1);
    platform::Rect r = PopupFrame();
    EXPECT_EQ(r.Width(), 20);
    EXPECT_EQ(Pointer().left, r.left + 19);
    EXPECT_EQ(Pointer().top, r.top + 1);

    glide->Close();
    glide = std::make_unique<TGlide>(owner.get(), false, nullptr, 1, 1);
    glide->AddItem("Item", "Wide");
    glide->Popup(250, 60);
    while (glide->CurrentWidth() == 12) Loop().RunFor(1);
    r = PopupFrame();
    EXPECT_EQ(r.left, ownerFrame.left + 250 - 20);  // grows to the left
    EXPECT_EQ(Pointer().left, r.left + 1);
    EXPECT_EQ(Pointer().top, r.top + 1);
}

TEST_F(GlideTest, NearTheLeftEdgeItIsPushedRightOfTheWindowAndTheScreen) {
    MakeWide(false);
    glide->Popup(10, 60);
    for (int ms = 0; ms < 1000 && glide->Growing(); ++ms) {
        Loop().RunFor(1);
        ASSERT_EQ(PopupFrame().left, ownerFrame.left);
    }
    EXPECT_EQ(PopupFrame().Width(), 100);

    glide->Close();
    Window(*owner).Move(-40, ownerFrame.top);
    glide->Popup(10, 60);
    EXPECT_EQ(PopupFrame().left, 0);
    Grow();
    EXPECT_EQ(PopupFrame().left, 0);
}

TEST_F(GlideTest, AtThePointerTheAnchorLiesSixteenPixelsBelowIt) {
    MakeWide(true);
    Video().SetPointerPosition(ownerFrame.left + 30, ownerFrame.top + 40);
    glide->Popup(-1, -1);
    EXPECT_EQ(glide->AnchorX(), 30);
    EXPECT_EQ(glide->AnchorY(), 56);
}

TEST_F(GlideTest, ClosesWhenThePointerLeavesAnOpenMenuOnly) {
    MakeWide(true);
    glide->Popup(50, 60);
    Video().SetPointerPosition(0, 0);
    Window(*owner).MouseMove(0, 0);
    EXPECT_TRUE(glide->Opened()) << "a growing menu stays";
    Grow();

    const platform::Rect r = PopupFrame();
    Window(*owner).MouseMove(5, 5);
    EXPECT_TRUE(glide->Opened());
    Video().SetPointerPosition(r.right, r.bottom);  // the edges count as inside
    Window(*owner).MouseMove(5, 5);
    EXPECT_TRUE(glide->Opened());
    Video().SetPointerPosition(r.right + 1, r.bottom);
    Window(*owner).MouseMove(5, 5);
    EXPECT_FALSE(glide->Opened());
}

TEST_F(GlideTest, ChoosingAnItemClosesAndReportsItsCell) {
    Button("Item", 20, 10);
    WriteIni("", "[en-Glide]\nHello=hi {1}\n");
    TRollover* chosen = nullptr;
    int column = -1, row = -1;
    glide = std::make_unique<TGlide>(owner.get(), true,
                                     [&](TRollover* item, int c, int r) {
                                         chosen = item;
                                         column = c;
                                         row = r;
                                     },
                                     2, 2);
    glide->SetItemParameters("bob");
    glide->AddItem("Item", "Hello");
    glide->AddItem("Item", "Hello");  // the parameters were used up
    glide->AddItem("Item", "None");
    glide->AddItem("Item", "None");
    EXPECT_EQ(glide->Item(0)->Caption(), "hi bob");
    EXPECT_EQ(glide->Item(1)->Caption(), "hi {1}");
    EXPECT_EQ(glide->Item(4), nullptr);

    glide->Popup(50, 80);
    Grow();
    TRollover* target = glide->Item(3);
    auto& popup = Window(*glide->PopupSurface());
    popup.MouseMove(target->X() + 1, target->Y() + 1);
    ASSERT_TRUE(target->Hovering());
    popup.MouseDown(platform::ButtonLeft, target->X() + 1, target->Y() + 1);
    EXPECT_EQ(chosen, target);
    EXPECT_EQ(column, 1);
    EXPECT_EQ(row, 1);
    EXPECT_FALSE(glide->Opened());

    glide->Popup(50, 80);  // nothing stays lit from the last time
    EXPECT_FALSE(target->Hovering());
}

// The background keeps the image's top-left frame and takes its right and
// bottom frames from the image's own edges.
TEST_F(GlideTest, BackgroundMovesTheRightAndBottomEdgesIn) {
    constexpr int W = 60, H = 50, kFrame = 3;
    std::vector<uint16_t> pixels;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            uint16_t c = kGrey;
            if (x < kFrame || y < kFrame) c = kRed;
            if (x >= W - kFrame) c = kBlue;
            if (y >= H - kFrame) c = kGreen;
            pixels.push_back(c);
        }
    }
    WriteLoose("glide", gfxtest::Giz(pixels, W, H));
    WriteIni("[Glide]\nFramewidth=3\n", "");
    Button("Item", 22, 10, kWhite, kWhite);
    glide = std::make_unique<TGlide>(owner.get(), true, nullptr, 1, 1);
    glide->AddItem("Item", "Plain");
    glide->Popup(50, 60);
    Grow();
    ASSERT_EQ(glide->FullWidth(), 32);  // 2 × 3 + 22 + 4
    ASSERT_EQ(glide->FullHeight(), 20);
    EXPECT_EQ(PopupFrame().Width(), 32);

    TPaint& p = *glide->PopupSurface();
    EXPECT_EQ(BackAt(p, 1, 1), Px(kRed));
    EXPECT_EQ(BackAt(p, 4, 4), Px(kGrey));
    EXPECT_EQ(BackAt(p, 28, 4), Px(kGrey));
    EXPECT_EQ(BackAt(p, 29, 4), Px(kBlue));
    EXPECT_EQ(BackAt(p, 31, 4), Px(kBlue));
    EXPECT_EQ(BackAt(p, 4, 16), Px(kGrey));
    EXPECT_EQ(BackAt(p, 4, 17), Px(kGreen));
    EXPECT_EQ(BackAt(p, 31, 19), Px(kGreen));
    EXPECT_EQ(BackAt(p, 5, 5), Px(kWhite));  // the item, centred in its cell
    EXPECT_EQ(BackAt(p, 26, 14), Px(kWhite));
    EXPECT_EQ(BackAt(p, 27, 14), Px(kGrey));
}

TEST_F(GlideTest, ATitleAddsItsFontHeightAboveTheItems) {
    Button("Item", 20, 10);
    WriteIni("[Glide]\nFont=font1\n", "[en-Message]\nHead=menu\n");
    glide = std::make_unique<TGlide>(owner.get(), true, nullptr, 1, 1, "", "Head");
    glide->AddItem("Item", "None");
    glide->Popup(50, 60);
    EXPECT_EQ(glide->FullHeight(), 14 + kFontHeight);
    EXPECT_EQ(glide->Item(0)->Y(), 2 + kFontHeight);
    ASSERT_NE(glide->Title(), nullptr);
    EXPECT_EQ(glide->Title()->Text(), "menu");
}

}  // namespace
}  // namespace menutest
