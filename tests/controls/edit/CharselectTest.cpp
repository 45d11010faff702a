#include <gtest/gtest.h>

#include <vector>

#include "EditFixture.h"
#include "controls/Charselect.h"
#include "controls/Multilist.h"
#include "graphics/Paint.h"

namespace edittest {
namespace {

constexpr int kEnter = 13, kEscape = 27, kPageDown = 34, kDown = 40;

class CharselectTest : public EditTest {
protected:
    void SetUp() override {
        EditTest::SetUp();
        // "font99" lacks most glyphs: it has "!", "#", "A" and 200 only.
        WritePack({{"font1", BlockFont(kFontHeight, 2, Alphanumerics(kLetterWidth), kWhite)},
                   {"font99", BlockFont(kFontHeight, 2, {{'!', 3}, {'#', 3}, {'A', 4}, {200, 4}},
                                        kWhite)}});
        for (const std::string prefix : {"", "2_"}) {
            Solid(prefix + "Symbol", 60, 60, kGrey);
            for (const char* part : {"Listupon", "Listupof", "Listdoon", "Listdoof"})
                Solid(prefix + part, 6, 6, kYellow);
        }
        // Rows from (5, 5), 30 wide, 20 high: two rows of 6 + 4 pixels.
        WriteIni("[Charselect]\n2_List=5,5,30,20,4210752\nList=5,5,30,20,0\n");
    }
    void TearDown() override {
        m_select.reset();
        EditTest::TearDown();
    }

    TCharselect& Select(const std::string& prefix = "2") {
        m_select = std::make_unique<TCharselect>(
            "Font99", prefix, [this](TCharselect*, uint8_t code) { picks.push_back(code); },
            &Form());
        return *m_select;
    }
    platform::headless::TWindow& Popup() { return Window(*m_select->Paint()); }

    std::unique_ptr<TCharselect> m_select;
    std::vector<int> picks;
};

TEST_F(CharselectTest, RowsListOnlyTheGlyphsOfTheFont) {
    TCharselect& select = Select();
    EXPECT_EQ(select.Paint()->BackgroundName(), "2_Symbol");
    EXPECT_EQ(Popup().Params().kind, platform::WindowKind::Popup);
    ASSERT_EQ(select.RowCount(), 4);
    EXPECT_EQ(select.CodeOfRow(0), 33);
    EXPECT_EQ(select.CodeOfRow(1), '#');
    EXPECT_EQ(select.CodeOfRow(3), 200);
    EXPECT_EQ(select.List()->Cell(0, 2), "A");
    EXPECT_EQ(select.List()->RowsShown(), 2);
    EXPECT_FALSE(select.IsOpen());
    m_select.reset();
    EXPECT_EQ(Select("").Paint()->BackgroundName(), "Symbol");
}

TEST_F(CharselectTest, KeysMoveTheRowPagesScrollAndEnterPicksTheSelected) {
    TCharselect& select = Select();
    select.PopupAt(200, 100);
    EXPECT_TRUE(select.IsOpen());
    EXPECT_EQ(Popup().Bounds().left, 200);
    Popup().KeyDown(kDown);
    Popup().KeyDown(kDown);
    EXPECT_EQ(select.List()->Selected(), 1);
    Popup().Char('b');  // swallowed by the key before
    EXPECT_TRUE(select.IsOpen());
    // Page Down scrolls the list a page; the selected symbol stays selected
    // and Enter picks it.
    Popup().KeyDown(kPageDown);
    EXPECT_EQ(select.List()->FirstShown(), 2);
    EXPECT_EQ(select.List()->Selected(), 1);
    Popup().Char('c');  // swallowed by the key before
    EXPECT_TRUE(select.IsOpen());
    Popup().KeyDown(kEnter);
    EXPECT_FALSE(select.IsOpen());
    EXPECT_EQ(picks, std::vector<int>{'#'});
    EXPECT_TRUE(Form().Focused());  // back to the owner
    select.PopupAt(200, 100);
    Popup().KeyDown(kEscape);
    EXPECT_FALSE(select.IsOpen());
    EXPECT_EQ(picks.size(), 1u);
}

TEST_F(CharselectTest, TypedCharacterPicksThatRow) {
    TCharselect& select = Select();
    select.PopupAt(0, 0);
    Popup().Char(3);
    EXPECT_FALSE(select.IsOpen());
    EXPECT_EQ(picks, std::vector<int>{'A'});
    select.PopupAt(0, 0);
    Popup().Char(5);  // beyond the rows: closes, picks nothing
    EXPECT_FALSE(select.IsOpen());
    EXPECT_EQ(picks.size(), 1u);
}

TEST_F(CharselectTest, ClickPicksRightPressAndFocusLossClose) {
    TCharselect& select = Select();
    select.PopupAt(0, 0);
    Popup().MouseDown(platform::ButtonLeft, 10, 17, platform::LeftButtonHeld);  // row 1
    EXPECT_FALSE(select.IsOpen());
    EXPECT_EQ(picks, std::vector<int>{'#'});
    select.PopupAt(0, 0);
    Popup().MouseDown(platform::ButtonRight, 10, 40, platform::RightButtonHeld);
    EXPECT_FALSE(select.IsOpen());
    select.PopupAt(0, 0);
    Form().Focus();
    EXPECT_FALSE(select.IsOpen());
    EXPECT_EQ(picks.size(), 1u);
}

}  // namespace
}  // namespace edittest
