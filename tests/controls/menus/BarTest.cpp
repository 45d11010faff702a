#include <string>
#include <vector>

#include "MenusFixture.h"
#include "controls/Bar.h"
#include "controls/Rollover.h"

namespace menutest {
namespace {

// Tabs are 16 × 12 images with a one-line caption (19 high in all) in
// 20-pixel slots: (220 − 10 − 10) / 10. Slots start at x = 20, so tab n of
// the visible range lies at x = 22 + 20 × (n − 1); the arrows stand at
// x = 10 and x = 220, at y = 30 + (19 − 8) / 2 = 35.
class BarTest : public MenusTest {
protected:
    void SetUp() override {
        MenusTest::SetUp();
        WriteIni("[Lobby]\nRooms=10,30,220,10\nNarrow=0,50,40,2\n", "");
        Button("Barle", 10, 8, kYellow, kWhite);
        Button("Barrig", 10, 8, kYellow, kWhite);
        Button("Tab", 16, 12, kYellow, kBlue);
        Button("Tabx", 16, 12, kRed, kGreen);
        // The blink frames are looked up by their name as written.
        WriteLoose("Blinkon", gfxtest::SolidGiz(4, 4, kRed));
        WriteLoose("Blinkof", gfxtest::SolidGiz(4, 4, kGreen));
        owner = MakePaint();
        bar = MakeBar("Rooms");
    }
    void TearDown() override {
        bar.reset();
        owner.reset();
        MenusTest::TearDown();
    }

    std::unique_ptr<TBar> MakeBar(const std::string& key) {
        return std::make_unique<TBar>(owner.get(), [this](TRollover* tab) {
            selected.push_back(tab);
            userActions.push_back(bar ? bar->UserAction() : true);
        }, key, "Lobby");
    }

    // Tabs with captions "ta", "tb", ... and keys 101, 102, ...
    static void AddTabs(TBar& target, int count) {
        for (int i = 0; i < count; ++i) {
            target.AddTab("Tab", std::string("t") + char('a' + i), 101 + i);
        }
    }

    // Hovers and presses the left button at (x, y) of the owner window.
    void Click(int x, int y) {
        Window(*owner).MouseMove(x, y);
        Window(*owner).MouseDown(platform::ButtonLeft, x, y);
    }

    std::vector<int> ShownTabs() const {
        std::vector<int> shown;
        for (int i = 1; i <= bar->Count(); ++i) {
            if (bar->Tab(i)->Visible()) shown.push_back(i);
        }
        return shown;
    }
    static std::vector<int> Range(int from, int to) {
        std::vector<int> r;
        for (int i = from; i <= to; ++i) r.push_back(i);
        return r;
    }

    std::unique_ptr<TPaint> owner;
    std::unique_ptr<TBar> bar;
    std::vector<TRollover*> selected;
    std::vector<bool> userActions;
};

TEST_F(BarTest, TwelveTabsTenVisibleScrollRightTwice) {
    AddTabs(*bar, 12);
    bar->Show();
    EXPECT_EQ(bar->TabWidth(), 20);
    EXPECT_EQ(ShownTabs(), Range(1, 10));
    EXPECT_EQ(bar->Tab(1)->X(), 22);
    EXPECT_EQ(bar->Tab(10)->X(), 202);
    EXPECT_TRUE(bar->RightArrow()->Visible());
    EXPECT_FALSE(bar->LeftArrow()->Visible());
    EXPECT_EQ(bar->RightArrow()->X(), 220);
    EXPECT_EQ(bar->RightArrow()->Y(), 35);
    EXPECT_EQ(BackAt(*owner, 225, 38), Px(kWhite));

    Click(225, 38);
    Click(225, 38);
    EXPECT_EQ(bar->First(), 2);
    EXPECT_EQ(ShownTabs(), Range(3, 12));
    EXPECT_EQ(bar->Tab(3)->X(), 22);
    EXPECT_EQ(BackAt(*owner, 22, 30), Px(kBlue));  // tab 3, not current
    EXPECT_FALSE(bar->RightArrow()->Visible());
    EXPECT_TRUE(bar->LeftArrow()->Visible());
    EXPECT_EQ(BackAt(*owner, 225, 38), Px(kGrey));
    EXPECT_TRUE(selected.empty());

    bar->ScrollTo(3);  // past the last tab
    EXPECT_EQ(bar->First(), 2);
    Click(15, 38);
    EXPECT_EQ(bar->First(), 1);
}

TEST_F(BarTest, RemovingTabsSlidesBackAndMovesTheCurrentTab) {
    AddTabs(*bar, 12);
    bar->Show();
    bar->ScrollTo(2);
    bar->RemoveTab(12);  // 11 tabs do not fill 2 ... 11: back by one
    EXPECT_EQ(bar->First(), 1);
    bar->RemoveTab(5);
    EXPECT_EQ(bar->First(), 0);
    EXPECT_EQ(ShownTabs(), Range(1, 10));
    EXPECT_EQ(bar->Tab(5)->Caption(), "tf");
    bar->RemoveTab(0);
    bar->RemoveTab(11);
    EXPECT_EQ(bar->Count(), 10);
    EXPECT_TRUE(selected.empty());

    bar->Select(3);
    ASSERT_EQ(selected.size(), 1u);
    EXPECT_FALSE(userActions.back()) << "the program chose it";
    EXPECT_TRUE(bar->UserAction());
    bar->RemoveTab(1);  // before the current one
    EXPECT_EQ(bar->Current(), 2);
    EXPECT_EQ(selected.size(), 1u);

    bar->RemoveTab(2);  // the current one: the one before it is chosen
    EXPECT_EQ(bar->Current(), 1);
    ASSERT_EQ(selected.size(), 2u);
    EXPECT_EQ(selected.back(), bar->Tab(1));
    EXPECT_TRUE(bar->Tab(1)->Down());

    bar->RemoveTab(1);  // the first while current: none, and no event
    EXPECT_EQ(bar->Current(), 0);
    EXPECT_EQ(selected.size(), 2u);
    EXPECT_EQ(bar->CurrentCaption(), "");
}

TEST_F(BarTest, ClickingSelectsAndLocksOneTabAndReplaceKeepsItsState) {
    AddTabs(*bar, 3);
    bar->Show();
    EXPECT_EQ(bar->Current(), 1);
    EXPECT_TRUE(bar->Tab(1)->Down());

    Click(42 + 2, 32);  // tab 2
    ASSERT_EQ(selected.size(), 1u);
    EXPECT_EQ(selected[0], bar->Tab(2));
    EXPECT_TRUE(userActions[0]);
    EXPECT_EQ(bar->Current(), 2);
    EXPECT_FALSE(bar->Tab(1)->Down());
    EXPECT_TRUE(bar->Tab(2)->Down());
    Window(*owner).MouseDown(platform::ButtonLeft, 44, 32);  // the current one again
    EXPECT_EQ(selected.size(), 2u);
    EXPECT_EQ(bar->CurrentCaption(), "tb");

    EXPECT_EQ(bar->FindByKey(103), 3);
    EXPECT_EQ(bar->FindByKey(7), -1);
    EXPECT_EQ(bar->FindByCaption("tc"), 3);
    EXPECT_EQ(bar->TabByKey(102), bar->Tab(2));
    EXPECT_EQ(bar->Tab(4), nullptr);

    TRollover* old = bar->Tab(2);
    bar->Tab(2)->SetEnabled(false);
    bar->ReplaceTab(2, "Tabx", "new");
    TRollover* tab = bar->Tab(2);
    EXPECT_NE(tab, old);
    EXPECT_EQ(tab->Element(), "Tabx");
    EXPECT_EQ(tab->Caption(), "new");
    EXPECT_EQ(tab->Tag(), 102);
    EXPECT_TRUE(tab->Down());
    EXPECT_FALSE(tab->Enabled());
    EXPECT_TRUE(tab->Visible());
    EXPECT_EQ(BackAt(*owner, 42, 30), Px(kRed));  // its own "on" image, locked down
    bar->RemoveTabByKey(102);
    EXPECT_EQ(bar->Count(), 2);
}

TEST_F(BarTest, TakeOverMovesEveryTabAndTheCurrentOne) {
    std::unique_ptr<TBar> narrow = MakeBar("Narrow");
    EXPECT_EQ(narrow->TabWidth(), 10);
    narrow->AddTab("Tab", "abcd", 1);
    narrow->AddTab("Tab", "ef", 2);
    narrow->AddTab("Tab", "gh", 3);
    narrow->Select(2);
    narrow->Show();
    EXPECT_EQ(narrow->Tab(1)->CaptionWidth(), 6);  // cut to 10 − 4
    selected.clear();

    bar->TakeOver(std::move(narrow));
    EXPECT_EQ(bar->Count(), 3);
    EXPECT_EQ(bar->Current(), 2);
    EXPECT_TRUE(bar->Visible());
    EXPECT_EQ(ShownTabs(), Range(1, 3));
    EXPECT_EQ(bar->Tab(1)->CaptionWidth(), 16);
    EXPECT_EQ(bar->Tab(3)->X(), 62);
    EXPECT_EQ(bar->Tab(3)->Y(), 30);

    Click(64, 32);
    ASSERT_EQ(selected.size(), 1u);
    EXPECT_EQ(selected[0], bar->Tab(3));
    EXPECT_EQ(bar->Current(), 3);
}

// The arrow of the side where a tab out of sight wants attention blinks:
// its 4 × 4 overlay at (223, 37) turns between red and green every 200 ms.
TEST_F(BarTest, ArrowsBlinkForTabsOutOfSightThatWantAttention) {
    AddTabs(*bar, 12);
    bar->Show();
    bar->Tab(5)->SetAttention(true);  // in sight
    bar->Layout();
    EXPECT_FALSE(bar->RightArrow()->Blinking());

    bar->Tab(12)->SetAttention(true);
    bar->Layout();
    EXPECT_TRUE(bar->RightArrow()->Blinking());
    EXPECT_FALSE(bar->LeftArrow()->Blinking());
    int changes = 0;
    uint32_t last = BackAt(*owner, 224, 38);
    for (int ms = 0; ms < 1000; ms += 10) {
        Loop().RunFor(10);
        const uint32_t now = BackAt(*owner, 224, 38);
        EXPECT_TRUE(now == Px(kRed) || now == Px(kGreen));
        changes += now != last ? 1 : 0;
        last = now;
    }
    EXPECT_GE(changes, 4);
    EXPECT_LE(changes, 5);

    bar->Tab(1)->SetAttention(true);
    bar->ScrollTo(2);  // tab 12 in sight, tab 1 out of it
    EXPECT_FALSE(bar->RightArrow()->Blinking());
    EXPECT_TRUE(bar->LeftArrow()->Blinking());
    EXPECT_EQ(BackAt(*owner, 224, 38), Px(kGrey));
}

}  // namespace
}  // namespace menutest
