#include <gtest/gtest.h>

#include "ListsFixture.h"
#include "controls/Multilist.h"
#include "controls/Scrollbar.h"

namespace liststest {
namespace {

class MultilistTest : public ListsTest {
protected:
    // Rows 10 high from (10, 10), 50 pixels of rows, one 60 pixel column,
    // a bevelled highlight in colour 0x404040.
    std::unique_ptr<TMultilist> MakeList(TPaint& paint) {
        WriteIni("[Lobby]\nUsers=font1,10,10,50,10,4210752,,UP\nUserscolwidths=60\n", "");
        return std::make_unique<TMultilist>(&paint, nullptr, nullptr, "Users", "Lobby", 1);
    }
};

TEST_F(MultilistTest, SortedInsertionKeepsTheSelectedRow) {
    auto paint = MakePaint();
    auto list = MakeList(*paint);
    list->SetSortColumn(1);
    for (const char* name : {"bob", "dan"}) list->AddCell(name);
    list->Select(1);
    list->AddCell("Cid");  // ignoring case: between bob and dan
    list->AddCell("al");
    ASSERT_EQ(list->RowCount(), 4);
    EXPECT_EQ(list->Cell(0, 0), "al");
    EXPECT_EQ(list->Cell(0, 2), "Cid");
    EXPECT_EQ(list->Selected(), 3);
    EXPECT_EQ(list->Cell(0, list->Selected()), "dan");
    list->DeleteRow(0);
    EXPECT_EQ(list->Cell(0, list->Selected()), "dan");
    EXPECT_EQ(list->Scrollbar()->Range(), 3);
    EXPECT_EQ(list->Scrollbar()->Position(), 2);
}

TEST_F(MultilistTest, PlainCellDropsEveryCode) {
    const std::string cell = std::string("\x01\xFF") + "\x01\xFC\x02" + "ab" + "\x01\xFD" "35\x01" +
                             "c" + "\x01\xFE" "x\x01" + "\x01\xFC\x63" "hid" + "\x01\xFC\x03" "d";
    EXPECT_EQ(TMultilist::PlainText(cell), "abcd");
    EXPECT_EQ(TMultilist::PlainText(std::string("\x01\x05") + "ann"), "ann");
    // Hidden text ends at the next byte 1, which opens the next code: the
    // colour code after a picked symbol does not leak into the text.
    EXPECT_EQ(TMultilist::PlainText("bob: \x01\xFC\x63:)\x01\xFC\x03hi"), "bob: hi");
    EXPECT_EQ(TMultilist::PlainText("\x01\xFC\x63gone"), "");
}

TEST_F(MultilistTest, SelectedRowDrawsTheBevelledBarAndRightClickCopiesQuoted) {
    auto paint = MakePaint();
    auto list = MakeList(*paint);
    list->AddCell(std::string("\x01\x00", 2) + "ann");
    list->AddCell("bo b");
    list->Show();
    Window(*paint).MouseDown(platform::ButtonRight, 20, 23, platform::RightButtonHeld);
    EXPECT_EQ(list->Selected(), 1);
    EXPECT_EQ(platform::Video().ClipboardText(), "\"bo b\"");
    const int depth = paint->BackBuffer().depth;
    // Row 1 spans y 20..29: light left and top edge, dark bottom and right.
    EXPECT_EQ(BackAt(*paint, 10, 21), ColourToPixel(Lighten(0x404040, 180), depth));
    EXPECT_EQ(BackAt(*paint, 40, 20), ColourToPixel(Lighten(0x404040, 180), depth));
    EXPECT_EQ(BackAt(*paint, 40, 29), ColourToPixel(Darken(0x404040, 180), depth));
    EXPECT_EQ(BackAt(*paint, 69, 25), ColourToPixel(Darken(0x404040, 180), depth));
    EXPECT_EQ(BackAt(*paint, 65, 25), ColourToPixel(0x404040, depth));
    // The text, vertically centred: glyph rows 22..27.
    EXPECT_EQ(BackAt(*paint, 10, 22), Px(kWhite));
    // Row 0 is not highlighted.
    EXPECT_EQ(BackAt(*paint, 65, 15), Px(kGrey));
}

TEST_F(MultilistTest, FollowingListScrollsSmoothlyOneRow) {
    auto paint = MakePaint();
    auto list = MakeList(*paint);
    list->SetSelectable(false);
    list->SetFollowNewRows(true);
    list->Show();
    for (int i = 0; i < 5; ++i) list->AddCell("r" + std::to_string(i));
    EXPECT_EQ(list->FirstShown(), 0);
    list->AddCell("r5");
    EXPECT_EQ(list->FirstShown(), 1);
    EXPECT_EQ(list->PixelOffset(), 0);
    Loop().RunFor(200);
    EXPECT_EQ(list->PixelOffset(), 10);
    EXPECT_FALSE(list->Scrolling());
}

}  // namespace
}  // namespace liststest
