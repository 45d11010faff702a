// TText: labels that follow their text, centring, word wrapping, and the
// marquee under the pointer.
#include "ButtonsFixture.h"
#include "controls/Scrollbar.h"
#include "controls/Text.h"

namespace buttontest {
namespace {

class TextTest : public ButtonsTest {
protected:
    void SetUp() override {
        ButtonsTest::SetUp();
        paint = MakePaint();
    }
    void TearDown() override {
        paint.reset();
        ButtonsTest::TearDown();
    }
    // The first and one past the last white pixel of row y; -1, -1 when none.
    std::pair<int, int> WhiteSpan(int y) const {
        int first = -1, last = -1;
        for (int x = 0; x < paint->Width(); ++x) {
            if (BackAt(*paint, x, y) != Px(kWhite)) continue;
            if (first < 0) first = x;
            last = x + 1;
        }
        return {first, last};
    }
    std::unique_ptr<TPaint> paint;
};

TEST_F(TextTest, ALabelWithRightEdgeZeroGrowsAndShrinksWithItsText) {
    TText label(paint.get(), TText::kPlain, "", "ab", 0, 0, 5, 10);
    EXPECT_EQ(label.Right(), 18);
    EXPECT_EQ(label.Bottom(), 5 + kFontHeight);
    label.Show();
    EXPECT_EQ(WhiteSpan(7), std::make_pair(10, 18));
    label.SetText("abcd");
    EXPECT_EQ(label.Right(), 26);
    EXPECT_EQ(WhiteSpan(7), std::make_pair(10, 26));
    label.SetText("a");
    EXPECT_EQ(label.Right(), 14);
    EXPECT_EQ(WhiteSpan(7), std::make_pair(10, 14));  // the old text is gone
    label.Hide();
    EXPECT_EQ(WhiteSpan(7), std::make_pair(-1, -1));
}

TEST_F(TextTest, PlainSitsLeftAndCentredKindSitsInTheMiddle) {
    // A box 30 wide and 15 high: the text rises (15 - 5) / 2 = 5 from the top.
    TText plain(paint.get(), TText::kPlain, "font1", "ab", 15, 40, 0, 10);
    TText centred(paint.get(), TText::kCentred, "font1", "ab", 35, 40, 20, 10);
    plain.Show();
    centred.Show();
    EXPECT_EQ(WhiteSpan(4), std::make_pair(-1, -1));
    EXPECT_EQ(WhiteSpan(5), std::make_pair(10, 18));
    EXPECT_EQ(WhiteSpan(25), std::make_pair(10 + (30 - 8) / 2, 10 + (30 - 8) / 2 + 8));
    // Wider than the box: no centring, clipped at the box.
    centred.SetText("abcdefghij");
    EXPECT_EQ(WhiteSpan(25), std::make_pair(10, 40));
}

TEST_F(TextTest, WrapsAtBlanksAndHyphens) {
    // 20 pixels: "ab cd" is 18; "efgh-" (17) cannot join it; "ij k" is 14.
    for (const char* name : {"Listupon", "Listupof", "Listdoon", "Listdoof"}) {
        Solid(name, 5, 4, kRed);
    }
    TText label(paint.get(), TText::kWrapped, "", "ab cd efgh-ij k", 12, 20, 0, 0);
    EXPECT_EQ(label.LineCount(), 3);
    EXPECT_EQ(label.Line(1), "ab cd");
    EXPECT_EQ(label.Line(2), "efgh-");
    EXPECT_EQ(label.Line(3), "ij k");
    EXPECT_EQ(label.Line(4), "");
    EXPECT_EQ(label.VisibleLines(), 2);
    label.Show();
    EXPECT_EQ(WhiteSpan(0), std::make_pair(0, 18));  // no vertical centring
    EXPECT_EQ(WhiteSpan(5), std::make_pair(0, 17));
    EXPECT_EQ(WhiteSpan(10), std::make_pair(-1, -1));  // line 3 does not fit

    // The scroll bar right of the box offers the two first lines that fill it.
    TScrollbar* bar = label.Scrollbar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->X(), 20 + TText::kScrollbarGap);
    EXPECT_EQ(bar->Height(), 12);
    EXPECT_EQ(bar->Range(), 2);
    bar->SetPosition(1);
    EXPECT_EQ(label.FirstLine(), 1);
    EXPECT_EQ(WhiteSpan(0), std::make_pair(0, 17));
    EXPECT_EQ(WhiteSpan(5), std::make_pair(0, 14));

    label.SetText("abcdefghijklmnop  ab");  // a word wider than the box stands alone
    EXPECT_EQ(label.Line(1), "abcdefghijklmnop");
    EXPECT_EQ(label.Line(2), "ab");
    EXPECT_EQ(label.FirstLine(), 0);  // back to the top
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(bar->Range(), 0);       // everything fits
}

TEST_F(TextTest, MarqueeRunsToAndFroWhileThePointerIsOverIt) {
    // 32 pixels of text in a 20-pixel box: the offset runs 0 ... 12.
    TText label(paint.get(), TText::kMarquee, "", "abcdefgh", 0, 30, 5, 10);
    label.Show();
    Window(*paint).MouseMove(15, 5);  // the top edge is outside
    EXPECT_FALSE(label.MarqueeRunning());
    Window(*paint).MouseMove(15, 7);
    EXPECT_TRUE(label.MarqueeRunning());
    EXPECT_EQ(label.MarqueeOffset(), 2);  // one step at once
    EXPECT_EQ(WhiteSpan(7), std::make_pair(10, 30));

    int highest = 0, lowest = 100, turns = 0;
    bool wasAtEnd = false;
    for (int i = 0; i < 200; ++i) {
        Loop().RunFor(TText::kMarqueeMs);
        const int offset = label.MarqueeOffset();
        highest = std::max(highest, offset);
        lowest = std::min(lowest, offset);
        if ((offset == 12) != wasAtEnd) ++turns;
        wasAtEnd = offset == 12;
    }
    EXPECT_EQ(highest, 12);
    EXPECT_EQ(lowest, 0);
    EXPECT_GE(turns, 2);  // reached the end and came back

    Window(*paint).MouseMove(50, 7);
    EXPECT_FALSE(label.MarqueeRunning());
    EXPECT_EQ(label.MarqueeOffset(), 0);

    // A text that fits does not move.
    label.SetText("ab");
    Window(*paint).MouseMove(15, 7);
    EXPECT_FALSE(label.MarqueeRunning());
}

TEST_F(TextTest, LayoutLineDefaultsAndShowsAtOnce) {
    WriteIni("[Win]\nName=4,6,,,3\n", "[en-Win]\nName=ab\n");
    auto label = TText::CreateFromLayout(paint.get(), "Name", "Win");
    EXPECT_TRUE(label->Visible());
    EXPECT_EQ(label->Kind(), TText::kCentred);
    EXPECT_EQ(label->Left(), 4);
    EXPECT_EQ(label->Top(), 6);
    EXPECT_EQ(label->Right(), 10);  // missing numbers take 10
    EXPECT_EQ(label->Bottom(), 10);
    EXPECT_EQ(label->Text(), "ab");
}

}  // namespace
}  // namespace buttontest
