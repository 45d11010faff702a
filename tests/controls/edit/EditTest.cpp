#include <gtest/gtest.h>

#include "EditFixture.h"
#include "controls/Myedit.h"
#include "graphics/Myimagelist.h"

namespace edittest {
namespace {

using platform::CtrlKey;
using platform::ShiftKey;

const std::string kCode = "\x01\xFC";

class MyeditTest : public EditTest {
protected:
    // Entry "Name" at (10, 5), 40 wide, focused.
    std::unique_ptr<TMyedit> MakeEdit(int maxLength = 0) {
        auto edit = std::make_unique<TMyedit>(Form().Paint(), maxLength, "Name", "Logon");
        edit->Show();
        edit->Focus();
        return edit;
    }
    static std::string Clipboard() { return platform::Video().ClipboardText(); }
    static void SetClipboard(const std::string& text) { platform::Video().SetClipboardText(text); }
};

TEST_F(MyeditTest, MaximumLengthHoldsForTypingAndPasting) {
    auto edit = MakeEdit(16);
    Type("abcdefghijklmnopq");
    EXPECT_EQ(edit->Text(), "abcdefghijklmnop");
    Key(TMyedit::kKeyBackspace);
    Key(TMyedit::kKeyBackspace);
    SetClipboard("xyz");
    Key('V', CtrlKey);
    EXPECT_EQ(edit->Text(), "abcdefghijklmnxy");
    // A selection goes first, so a full entry still takes a replacement.
    edit->SetCaret(1, false);
    edit->SetCaret(3, true);
    Type("Q");
    EXPECT_EQ(edit->Text(), "Qcdefghijklmnxy");
    Type("\t");  // control characters never go in
    EXPECT_EQ(edit->Text().size(), 15u);
}

TEST_F(MyeditTest, PasswordDrawsAndMeasuresStarsButCopiesTheText) {
    auto edit = MakeEdit(20);
    edit->SetPasswordChar('*');
    Type("abc");
    EXPECT_EQ(edit->CaretSprite()->X(), 10 + 3 * kStarWidth);
    TPaint& paint = *Form().Paint();
    EXPECT_EQ(BackAt(paint, 11, 7), Px(kGreen));
    EXPECT_EQ(BackAt(paint, 10 + 3 * kStarWidth + 1, 7), Px(kGrey));
    edit->SelectAll();
    Key(TMyedit::kKeyInsert, CtrlKey);
    EXPECT_EQ(Clipboard(), "abc");
}

TEST_F(MyeditTest, ColourCodesInAndOut) {
    auto edit = MakeEdit();
    edit->SetText("a" + kCode + "\x05" "bc" + kCode + "\xFF" "d");
    EXPECT_EQ(edit->Text(), "abcd");
    EXPECT_EQ(edit->Colours(), std::string("\x01\x05\x05\x01"));
    EXPECT_EQ(edit->TextWithCodes(), "a" + kCode + "\x05" "bc" + kCode + "\xFF" "d");
    EXPECT_EQ(edit->Caret(), 5);
    // The selection's codes compare its first character with the default.
    edit->SetCaret(3, false);
    edit->SetCaret(5, true);
    EXPECT_EQ(edit->SelectionWithCodes(), kCode + "\x05" "c" + kCode + "\xFF" "d");
    // A lone byte 1 drops itself; a code cut off at the end goes too.
    edit->SetText("x\x01y" + kCode);
    EXPECT_EQ(edit->Text(), "xy");
}

TEST_F(MyeditTest, PastingColouredTextKeepsOnlyTheDefaultColourUnlessAllowed) {
    auto edit = MakeEdit();
    SetClipboard("a" + kCode + "\x05" "bc" + kCode + "\xFF" "d");
    Key(TMyedit::kKeyInsert, ShiftKey);
    EXPECT_EQ(edit->Text(), "ad");
    edit->SetText("");
    edit->SetColoursAllowed(true);
    Key('V', CtrlKey);
    EXPECT_EQ(edit->Text(), "abcd");
    // Colour 5 measures with font5.
    EXPECT_EQ(edit->CaretSprite()->X(), 10 + 2 * kLetterWidth + 2 * kWideLetter);
    // Cutting copies the codes and deletes.
    edit->SelectAll();
    Key(TMyedit::kKeyDelete, ShiftKey);
    EXPECT_EQ(Clipboard(), "a" + kCode + "\x05" "bc" + kCode + "\xFF" "d");
    EXPECT_EQ(edit->Text(), "");
}

TEST_F(MyeditTest, TypingPastTheRightEdgeScrolls) {
    auto edit = MakeEdit();
    Type("abcdefghij");  // 40 pixels: the caret no longer fits at the end
    EXPECT_EQ(edit->FirstShown(), 2);
    Type("kl");
    EXPECT_EQ(edit->FirstShown(), 4);
    const TMyimagelist& caret = *edit->CaretSprite();
    EXPECT_LE(caret.X() + caret.Width(), edit->X() + edit->Width());
    // The shown text starts with "d"; nothing is drawn past the right edge.
    EXPECT_EQ(BackAt(*Form().Paint(), 51, 7), Px(kGrey));
    Key(TMyedit::kKeyHome);
    EXPECT_EQ(edit->FirstShown(), 1);
    EXPECT_EQ(caret.X(), 10);
}

TEST_F(MyeditTest, CtrlArrowsJumpByWords) {
    auto edit = MakeEdit();
    edit->SetText("ab cd ef");
    for (int expected : {7, 4, 1, 1}) {
        Key(TMyedit::kKeyLeft, CtrlKey);
        EXPECT_EQ(edit->Caret(), expected);
    }
    for (int expected : {3, 6, 9, 9}) {
        Key(TMyedit::kKeyRight, CtrlKey);
        EXPECT_EQ(edit->Caret(), expected);
    }
}

TEST_F(MyeditTest, ShiftExtendsTheSelectionFromItsAnchor) {
    auto edit = MakeEdit();
    edit->SetText("abcdef");
    Key(TMyedit::kKeyHome);
    Key(TMyedit::kKeyRight);
    for (int i = 0; i < 3; ++i) Key(TMyedit::kKeyRight, ShiftKey);
    EXPECT_EQ(edit->SelStart(), 2);
    EXPECT_EQ(edit->SelEnd(), 5);
    // Selected characters draw tinted, the others plain.
    TPaint& paint = *Form().Paint();
    EXPECT_NE(BackAt(paint, 10 + kLetterWidth + 1, 7), Px(kWhite));
    EXPECT_EQ(BackAt(paint, 11, 7), Px(kWhite));
    Key(TMyedit::kKeyHome, ShiftKey);  // over the anchor to the other side
    EXPECT_EQ(edit->SelStart(), 1);
    EXPECT_EQ(edit->SelEnd(), 2);
    Key(TMyedit::kKeyEnd, ShiftKey);
    EXPECT_EQ(edit->SelectionWithCodes(), "bcdef");
    Key('C', CtrlKey);
    EXPECT_EQ(Clipboard(), "bcdef");
    Key(TMyedit::kKeyBackspace);
    EXPECT_EQ(edit->Text(), "a");
    EXPECT_EQ(edit->Caret(), 2);
    EXPECT_FALSE(edit->HasSelection());
    edit->SetText("abc");
    edit->SelectAll();
    Key(TMyedit::kKeyLeft);  // a move without shift drops it
    EXPECT_EQ(edit->SelStart(), 0);
    Key(TMyedit::kKeyDelete);
    EXPECT_EQ(edit->Text(), "ab");
}

TEST_F(MyeditTest, EventsComeFirstAndMayCancel) {
    auto edit = MakeEdit();
    edit->OnKeyPress = [](TMyedit*, uint8_t& key) { key = key == 'x' ? 0 : uint8_t(key - 32); };
    edit->OnKeyDown = [](TMyedit*, int& key, unsigned) {
        if (key == TMyedit::kKeyHome) key = 0;
    };
    Type("axb");
    EXPECT_EQ(edit->Text(), "AB");
    Key(TMyedit::kKeyHome);
    EXPECT_EQ(edit->Caret(), 3);
}

TEST_F(MyeditTest, FocusFollowsClicksAndLosingItCallsOnExit) {
    auto first = MakeEdit();
    EXPECT_EQ(first->Width(), 40);
    EXPECT_EQ(first->DefaultColour(), 1);  // the digits ending "font1"
    EXPECT_TRUE(first->CaretSprite()->Visible());
    WriteIni("[Logon]\nName=font1,10,5,40,255\nPass=font1,10,15,40\n");
    TMyedit second(Form().Paint(), 20, "Pass", "Logon");
    second.Show();
    int exits = 0;
    first->OnExit = [&](TMyedit*) { ++exits; };
    Win().MouseDown(platform::ButtonLeft, 12, 17, platform::LeftButtonHeld);
    EXPECT_TRUE(second.Focused());
    EXPECT_FALSE(first->CaretSprite()->Visible());
    EXPECT_EQ(exits, 1);
    Type("s");
    EXPECT_EQ(second.Text(), "s");
    EXPECT_EQ(first->Text(), "");
    // A disabled entry takes no keys and shows no caret.
    second.SetEnabled(false);
    EXPECT_FALSE(second.CaretSprite()->Visible());
    Type("t");
    EXPECT_EQ(second.Text(), "s");
    Win().MouseDown(platform::ButtonLeft, 12, 7, platform::LeftButtonHeld);
    EXPECT_TRUE(first->Focused());
    // The window losing activation takes the focus away.
    platform::headless::Video().FocusWindow(nullptr);
    EXPECT_EQ(exits, 2);
    EXPECT_FALSE(first->CaretSprite()->Visible());
}

}  // namespace
}  // namespace edittest
