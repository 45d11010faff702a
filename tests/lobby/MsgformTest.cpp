// The message boxes: notices, answers by button, Enter and close request,
// the button row, placement, nested waits in one slot, missing buttons.
#include <gtest/gtest.h>

#include "controls/MsgBoxes.h"
#include "controls/Text.h"
#include "lobby/LobbyFixture.h"
#include "lobby/Msgform.h"

namespace {

using lobbytest::kEnter;

class MsgformTest : public lobbytest::DialogsTest {
protected:
    void SetUp() override {
        DialogsTest::SetUp();
        m_owner = std::make_unique<TForm>("owner");
        m_owner->SetPosition(100, 50);
        m_owner->Show();
        m_boxes = std::make_unique<TMsgforms>();
        m_boxes->Register();
        ASSERT_EQ(NewMsgBox(m_owner.get(), 0), 0);
    }
    void TearDown() override {
        m_boxes.reset();
        m_owner.reset();
        DialogsTest::TearDown();
    }
    TMsgform& Box(int slot = 0) { return *m_boxes->Slot(slot); }
    void Press(int place, int slot = 0) { Click(Box(slot), *Box(slot).Button(place)); }

    std::unique_ptr<TForm> m_owner;
    std::unique_ptr<TMsgforms> m_boxes;
};

TEST_F(MsgformTest, ANoticeIsReplacedByTheNextBoxAndClosedWithoutResult) {
    EXPECT_EQ(MsgBox("sure", "title", 0, 0), 0);
    EXPECT_EQ(Box().MessageLabel()->Text(), "Are you sure");
    EXPECT_EQ(Box().FromLabel()->Text(), "Quorvalendix");
    EXPECT_FALSE(m_owner->Enabled());
    EXPECT_EQ(MsgBox("Lost connection", "title", 0, 0), 0);  // not a key: shown as it is
    EXPECT_EQ(Box().MessageLabel()->Text(), "Lost connection");
    EXPECT_EQ(Box().TitleLabel()->Text(), "Please");
    CloseMsgBox(0);
    EXPECT_FALSE(Box().Visible());
    EXPECT_TRUE(m_owner->Enabled());
    // An owner disabled before the box stays so.
    m_owner->SetEnabled(false);
    MsgBox("sure", "title", 0, 0);
    CloseMsgBox(0);
    EXPECT_FALSE(m_owner->Enabled());
    m_owner->SetEnabled(true);
    // Nothing to show, nowhere to show it.
    EXPECT_EQ(MsgBox("", "title", mb::kOk, mb::Ok), 0);
    EXPECT_EQ(MsgBoxIn("sure", "title", mb::kOk, 5, mb::Ok), 0);
    EXPECT_FALSE(Box().Visible());
}

TEST_F(MsgformTest, AnswersByButtonEnterAndCloseRequest) {
    Script({[&] { Press(12); }});
    EXPECT_EQ(MsgBox("sure", "title", mb::kConnect, 0), mb::Cancel);
    // Keys are consumed; Enter gives the default.
    Script({[&] { Win(Box()).KeyDown('Y'); }, [&] { Win(Box()).KeyDown(kEnter); }});
    EXPECT_EQ(MsgBox("sure", "title", mb::kYesNo, mb::No), mb::No);
    // Enter without a default and the close request of a two-button box
    // are refused.
    Script({[&] { Win(Box()).KeyDown(kEnter); }, [&] { Win(Box()).CloseRequest(); },
            [&] { Press(2); }});
    EXPECT_EQ(MsgBox("sure", "title", mb::kConnect, 0), mb::Custom1);
    Script({[&] { Win(Box()).CloseRequest(); }});
    EXPECT_EQ(MsgBox("sure", "title", mb::kOk, mb::Ok), mb::Ok);
    EXPECT_TRUE(m_owner->Enabled());
    EXPECT_EQ(Box().WaitDepth(), 0);
}

TEST_F(MsgformTest, ButtonsAreCentredInBitOrder) {
    // 200 wide, buttons 40: x = 100 - count * 30 + 10 + j * 60.
    std::vector<int> xs;
    Script({[&] {
        for (int place : {0, 2, 12}) xs.push_back(Box().Button(place)->X());
        EXPECT_FALSE(Box().Button(1)->Visible());
        Press(0);
    }});
    MsgBox("sure", "title", mb::Bit(mb::Yes) | mb::kConnect, 0);
    EXPECT_EQ(xs, (std::vector<int>{20, 80, 140}));
}

TEST_F(MsgformTest, TheBoxIsCentredOverItsOwnerAndHeldOnTheScreen) {
    for (auto [x, y, left, top] : {std::tuple{100, 50, 200, 150}, {-250, 700, 0, 668},
                                   {900, -400, 824, 0}}) {  // screen 1024 × 768
        m_owner->SetPosition(x, y);
        MsgBox("sure", "title", 0, 0);
        EXPECT_EQ(Box().Left(), left);
        EXPECT_EQ(Box().Top(), top);
    }
}

TEST_F(MsgformTest, NestedWaitsInOneSlotEachGetTheirOwnAnswer) {
    int inner = -1, depth = 0;
    Script({[&] { inner = MsgBox("second", "title", mb::kOk, mb::Ok); },  // waits for the first
            [&] { Press(0); },
            [&] {
                depth = Box().WaitDepth();
                Win(Box()).KeyDown(kEnter);
            }});
    EXPECT_EQ(MsgBox("first", "title", mb::kYesNo, mb::No), mb::Yes);
    EXPECT_EQ(inner, mb::Ok);
    EXPECT_EQ(depth, 2);
    EXPECT_TRUE(m_owner->Enabled());
}

TEST_F(MsgformTest, MissingButtonsAreSkippedAndNeverLeaveTheCallerWaiting) {
    const int okOnly = NewMsgBox(m_owner.get(), 1), none = NewMsgBox(m_owner.get(), 2);
    int x = 0;
    Script({[&] {
        x = Box(okOnly).Button(1)->X();
        Press(1, okOnly);
    }});
    EXPECT_EQ(MsgBoxIn("sure", "title", mb::Bit(mb::Yes) | mb::kOk, okOnly, 0), mb::Ok);
    EXPECT_EQ(x, 80 - 30 + 10);  // counted alone
    // None there: the OK place answers the default; no OK either: Enter does.
    Script({[&] { Press(1, okOnly); }});
    EXPECT_EQ(MsgBoxIn("sure", "title", mb::kYesNo, okOnly, mb::No), mb::No);
    Script({[&] { Win(Box(none)).KeyDown(kEnter); }});
    EXPECT_EQ(MsgBoxIn("sure", "title", mb::kConnect, none, 0), 0);
    EXPECT_TRUE(m_owner->Enabled());
}

}  // namespace
