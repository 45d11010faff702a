// Lists at pixel level: a header line (captions, rules, height defaults, the
// scroll bar beside it), icon cells and sliding cells.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "ListsFixture.h"
#include "controls/Multilist.h"
#include "controls/Scrollbar.h"
#include "graphics/Myimagelist.h"

namespace liststest {
namespace {

class MultilistLayoutTest : public ListsTest {
protected:
    std::unique_ptr<TMultilist> MakeList(TPaint& paint, const std::string& settings,
                                         const std::string& texts = "", int columns = 1) {
        WriteIni(settings, texts);
        return std::make_unique<TMultilist>(&paint, nullptr, nullptr, "Tables", "Lobby", columns);
    }
    uint32_t Colour(const TPaint& paint, TColour c) const { return ColourToPixel(c, paint.BackBuffer().depth); }
};

// Header height 0 means the font's height + 5: 11 pixels of a 60-pixel list
// at (10, 10), so the rows start at y 21 and 49 pixels of rows remain.
TEST_F(MultilistLayoutTest, HeaderDrawsCaptionsAndRulesAboveTheRows) {
    auto paint = MakePaint();
    auto list = MakeList(*paint,
                         "[Lobby]\nTables=font1,10,10,60,10,0,,FALSE\nTablescolwidths=40,50\n"
                         "Tableshead=font2,255,0\n",
                         "[en-Lobby]\nTableshead=ab,cd\n", 2);
    EXPECT_EQ(list->RowsTop(), 21);
    EXPECT_EQ(list->RowsShown(), 4);
    list->AddCell("x");
    list->AddCell("y");
    list->Show();
    // Captions in the header font (red), from the column's left + 2, centred
    // above the two-line rule: (11 - 2 - 6) / 2 = 1 below the top.
    EXPECT_EQ(BackAt(*paint, 12, 11), Px(kRed));
    EXPECT_EQ(BackAt(*paint, 19, 16), Px(kRed));
    EXPECT_EQ(BackAt(*paint, 12, 10), Px(kGrey));
    EXPECT_EQ(BackAt(*paint, 52, 11), Px(kRed));
    // The rule: y 19 in the header colour, y 20 darker; the separator after
    // the first column: x 48 and 49.
    EXPECT_EQ(BackAt(*paint, 30, 19), Colour(*paint, 255));
    EXPECT_EQ(BackAt(*paint, 30, 20), Colour(*paint, Darken(255, 80)));
    EXPECT_EQ(BackAt(*paint, 48, 12), Colour(*paint, 255));
    EXPECT_EQ(BackAt(*paint, 49, 12), Colour(*paint, Darken(255, 80)));
    // The row's cells sit below the header, in the row font (white).
    EXPECT_EQ(BackAt(*paint, 10, 23), Px(kWhite));
    EXPECT_EQ(BackAt(*paint, 10, 22), Px(kGrey));
    EXPECT_EQ(BackAt(*paint, 50, 23), Px(kWhite));
    // The scroll bar stands from the list's top over the rows' height.
    EXPECT_EQ(list->Scrollbar()->Top(), 10);
    EXPECT_EQ(list->Scrollbar()->Height(), 49);
    EXPECT_EQ(list->Scrollbar()->X(), 10 + 90 + 4);
    // A press on the header selects nothing.
    Window(*paint).MouseDown(platform::ButtonLeft, 20, 15, platform::LeftButtonHeld);
    Window(*paint).MouseUp(platform::ButtonLeft, 20, 15);
    EXPECT_EQ(list->Selected(), -1);
    Window(*paint).MouseDown(platform::ButtonLeft, 20, 22, platform::LeftButtonHeld);
    EXPECT_EQ(list->Selected(), 0);
}

TEST_F(MultilistLayoutTest, HeaderDefaultsToTwentyPixelsInWhite) {
    auto paint = MakePaint();
    auto list = MakeList(*paint, "[Lobby]\nTables=font1,10,10,60,10\nTablescolwidths=40\nTableshead=font2\n");
    EXPECT_EQ(list->RowsTop(), 30);
    EXPECT_EQ(list->RowsShown(), 4);
    list->Show();
    EXPECT_EQ(BackAt(*paint, 20, 28), Colour(*paint, 0xFFFFFF));
    EXPECT_EQ(BackAt(*paint, 20, 29), Colour(*paint, Darken(0xFFFFFF, 80)));
    EXPECT_EQ(list->Scrollbar()->Top(), 10);
}

// An icon cell: frame k of the icon list centred in the row at the cell's
// left, the text 2 pixels after it; a frame the list lacks draws nothing.
TEST_F(MultilistLayoutTest, IconCellsDrawTheFrameThenTheText) {
    Solid("usricon1", 4, 4, kGreen);
    Solid("usricon2", 3, 8, kBlue);
    auto paint = MakePaint();
    TMyimagelist icons(paint.get(), 0, 0);
    ASSERT_EQ(icons.AddFrames("usricon").count, 2);
    auto list = MakeList(*paint, "[Lobby]\nTables=font1,10,10,50,10,0,,FALSE\nTablescolwidths=60\n");
    list->SetIconList(&icons);
    list->AddCell(std::string("\x01\x01", 2) + "ab");
    list->AddCell(std::string("\x01\x02", 2) + "c");
    list->AddCell(std::string("\x01\x09", 2) + "d");
    list->Show();
    // Row 0 (y 10..19): the 4 × 4 icon at y 13..16, text from x 16.
    EXPECT_EQ(BackAt(*paint, 10, 13), Px(kGreen));
    EXPECT_EQ(BackAt(*paint, 13, 16), Px(kGreen));
    EXPECT_EQ(BackAt(*paint, 10, 12), Px(kGrey));
    EXPECT_EQ(BackAt(*paint, 14, 14), Px(kGrey));
    EXPECT_EQ(BackAt(*paint, 15, 14), Px(kGrey));
    EXPECT_EQ(BackAt(*paint, 16, 14), Px(kWhite));
    // Row 1 (y 20..29): a 3 × 8 icon at y 21..28, text from x 15.
    EXPECT_EQ(BackAt(*paint, 12, 21), Px(kBlue));
    EXPECT_EQ(BackAt(*paint, 12, 28), Px(kBlue));
    EXPECT_EQ(BackAt(*paint, 15, 24), Px(kWhite));
    // Row 2: no frame 9, so the text starts at the cell's left.
    EXPECT_EQ(BackAt(*paint, 10, 34), Px(kWhite));
    EXPECT_EQ(list->PlainCell(0, 0), "ab");
}

// A cell wider than its column slides left 2 pixels per 20 ms while the
// pointer rests on it, until its end shows; pauses 5 intervals; slides back.
TEST_F(MultilistLayoutTest, WideCellSlidesToItsEndAndBack) {
    auto paint = MakePaint();
    auto list = MakeList(*paint, "[Lobby]\nTables=font1,10,10,50,10,0,TRUE,FALSE\nTablescolwidths=20\n");
    // 16 white pixels, then 16 red; the column shows 16.
    list->AddCell(std::string("\x01\xFF", 2) + "aaaa" + "\x01\xFC\x02" + "bbbb");
    list->AddCell("ok");
    list->Show();
    EXPECT_EQ(BackAt(*paint, 10, 14), Px(kWhite));
    EXPECT_EQ(BackAt(*paint, 25, 14), Px(kWhite));
    EXPECT_EQ(BackAt(*paint, 26, 14), Px(kGrey));  // the column's inset
    Window(*paint).MouseMove(20, 24);  // a cell that fits: nothing slides
    EXPECT_FALSE(list->Sliding());
    Window(*paint).MouseMove(20, 14);
    ASSERT_TRUE(list->Sliding());
    // Offsets seen every 20 ms: 2, 4, ... 16, held for the pause, then back.
    std::vector<int> offsets;
    for (int i = 0; i < 24; ++i) {
        Loop().RunFor(20);
        offsets.push_back(list->SlideOffset());
        if (offsets.back() == 16 && std::count(offsets.begin(), offsets.end(), 16) == 1) {
            EXPECT_EQ(BackAt(*paint, 10, 14), Px(kRed));
            EXPECT_EQ(BackAt(*paint, 25, 14), Px(kRed));
            EXPECT_EQ(BackAt(*paint, 26, 14), Px(kGrey));  // clipped to the column
        }
    }
    const auto top = std::find(offsets.begin(), offsets.end(), 16);
    ASSERT_NE(top, offsets.end());
    for (auto it = offsets.begin(); it != top; ++it) EXPECT_EQ(*(it + 1) - *it, 2);
    EXPECT_EQ(std::count(offsets.begin(), offsets.end(), 16), 1 + 5);
    const auto down = top + 6;
    ASSERT_LT(down + 8, offsets.end());
    for (int i = 0; i < 8; ++i) EXPECT_EQ(*(down + i), 14 - 2 * i);
    Window(*paint).MouseMove(150, 90);  // leaving the cell stops it
    EXPECT_FALSE(list->Sliding());
    EXPECT_EQ(BackAt(*paint, 10, 14), Px(kWhite));
}

}  // namespace
}  // namespace liststest
