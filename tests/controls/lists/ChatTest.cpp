#include <gtest/gtest.h>

#include "ListsFixture.h"
#include "controls/Bar.h"
#include "controls/Chat.h"
#include "controls/Rollover.h"

namespace liststest {
namespace {

const std::string kLine = "\x01\xFF";
const std::string kIndent = "\x01\xFD" "35\x01";
std::string Colour(int n) { return std::string("\x01\xFC") + char(uint8_t(n)); }

// The text list is 64 pixels wide, so lines hold 60 pixels; the big one 124.
class ChatTest : public ListsTest {
protected:
    void SetUp() override {
        ListsTest::SetUp();
        WriteIni("[Lobby]\nTabs=0,0,120,3\nChat=font1,0,40,50,8\nChatcolwidths=64\n"
                 "Chatbig=font1,0,40,50,8\nChatbigcolwidths=124\n"
                 "Chatusers=font1,100,40,50,8\nChatuserscolwidths=60\n",
                 "");
        m_paint = MakePaint();
        m_tabs = std::make_unique<TBar>(m_paint.get(), nullptr, "Tabs", "Lobby");
        m_chat = std::make_unique<TChat>(m_paint.get(), nullptr, nullptr, 0, "Chat", "Lobby",
                                         m_tabs.get());
        EXPECT_TRUE(m_chat->AddRoom(7, 0, 0, "nosuch", "Main"));  // falls back to "forum"
    }
    void TearDown() override {
        m_chat.reset();
        m_tabs.reset();
        m_paint.reset();
        ListsTest::TearDown();
    }
    TMultilist& Text(int index = 1) { return *m_chat->Room(index)->Text(); }

    std::unique_ptr<TPaint> m_paint;
    std::unique_ptr<TBar> m_tabs;
    std::unique_ptr<TChat> m_chat;
};

TEST_F(ChatTest, SpeakerPrefixRules) {
    m_chat->AddText(7, 2, "bob: hi", 3);
    EXPECT_EQ(Text().Cell(0, 0), kLine + Colour(2) + "bob: " + Colour(3) + "hi");
    m_chat->AddText(7, 2, ": hi", 3);
    EXPECT_EQ(Text().Cell(0, 1), kLine + Colour(3) + "hi");
    // A 31 byte prefix is no name; with "~>" it is.
    const std::string name(29, 'a');
    m_chat->SetBig(true);
    int first = Text().RowCount();
    m_chat->AddText(7, 2, name + ": x", 3);
    EXPECT_EQ(Text().Cell(0, first).find(Colour(2)), std::string::npos);
    first = Text().RowCount();
    m_chat->AddText(7, 2, "~>" + name + ": x", 3);
    EXPECT_EQ(Text().Cell(0, first).substr(0, 5), kLine + Colour(2));
    // A colour without its font becomes the list's own (font1).
    m_chat->AddText(7, 9, "c: d", 3);
    EXPECT_EQ(Text().Cell(0, Text().RowCount() - 1), kLine + Colour(1) + "c: " + Colour(3) + "d");
}

TEST_F(ChatTest, WrapsAtTheLastBlankAndIndentsContinuations) {
    m_chat->AddText(7, 1, "bob: aaaa bbbb cccc dddd", 1);
    ASSERT_EQ(Text().RowCount(), 3);
    EXPECT_EQ(Text().Cell(0, 0), kLine + Colour(1) + "bob: aaaa bbbb");
    EXPECT_EQ(Text().Cell(0, 1), kLine + kIndent + Colour(1) + "cccc");
    EXPECT_EQ(Text().Cell(0, 2), kLine + kIndent + Colour(1) + "dddd");
    // A word longer than the line is cut where it overflows.
    m_chat->AddText(7, 1, "x: " + std::string(20, 'a'), 1);
    ASSERT_EQ(Text().RowCount(), 6);
    EXPECT_EQ(Text().PlainCell(0, 3), "x: " + std::string(13, 'a'));
    EXPECT_EQ(Text().PlainCell(0, 4), std::string(6, 'a'));
    EXPECT_EQ(Text().PlainCell(0, 5), "a");
}

TEST_F(ChatTest, The501stLineDropsTheOldestAndSetBigRewrapsTheRawMessages) {
    for (int i = 0; i < 501; ++i) m_chat->AddText(7, 1, "m" + std::to_string(i), 1);
    EXPECT_EQ(Text().RowCount(), 500);
    EXPECT_EQ(Text().PlainCell(0, 0), "m1");
    EXPECT_EQ(m_chat->Room(1)->RawMessages().size(), 500u);
    m_chat->AddText(7, 1, "bob: aaaa bbbb cccc dddd", 1);
    EXPECT_EQ(Text().PlainCell(0, 497), "bob: aaaa bbbb");
    m_chat->SetBig(true);
    EXPECT_EQ(Text().TotalWidth(), 124);
    EXPECT_EQ(Text().RowCount(), 500);
    EXPECT_EQ(Text().PlainCell(0, 499), "bob: aaaa bbbb cccc dddd");
    EXPECT_EQ(Text().PlainCell(0, 0), "m2");
    EXPECT_TRUE(Text().Visible());
}

TEST_F(ChatTest, UserAddedAgainWithAnotherIconKeepsOneRow) {
    m_chat->AddUser(7, "bob", 1);
    m_chat->AddUser(7, "ann", 1);
    m_chat->AddUser(7, "bob", 1);
    TMultilist& users = *m_chat->Room(1)->Users();
    ASSERT_EQ(users.RowCount(), 2);
    m_chat->AddUser(7, "bob", 2);
    ASSERT_EQ(users.RowCount(), 2);
    const int row = users.FindRow(0, std::string("\x01\x02") + "bob");
    ASSERT_GE(row, 0);
    m_chat->RemoveUser(7, "ANN");
    EXPECT_EQ(users.RowCount(), 1);
    m_chat->FreezeUsers(7);
    m_chat->AddUser(7, "cid", 1);
    EXPECT_EQ(users.RowCount(), 1);
}

TEST_F(ChatTest, MessagesInAnotherRoomBlinkItsTabUntilSelected) {
    ASSERT_TRUE(m_chat->AddRoom(8, 0, 0, "forum", "Other"));
    m_tabs->Show();
    m_chat->AddText(8, 1, "plain", 1);  // the list's own colour: no blink
    EXPECT_FALSE(m_tabs->Tab(2)->Blinking());
    m_chat->AddText(8, 2, "bob: hi", 3);
    EXPECT_TRUE(m_tabs->Tab(2)->Blinking());
    m_chat->SelectRoom(2);
    EXPECT_FALSE(m_tabs->Tab(2)->Blinking());
    EXPECT_TRUE(m_chat->Room(2)->Text()->Visible());
    EXPECT_FALSE(m_chat->Room(1)->Text()->Visible());
    m_chat->RemoveRoom(7);
    EXPECT_EQ(m_chat->RoomCount(), 1);
    EXPECT_EQ(m_chat->CurrentRoom(), 1);
    EXPECT_EQ(m_chat->Room(1)->Id(), 8);
    EXPECT_EQ(m_tabs->Count(), 1);
}

}  // namespace
}  // namespace liststest
