// The lobby window's rooms and input line: switching rooms and the messages
// it sends, room menus, Alt keys, the chat line, big-chat mode and the menu
// bar's banner requests.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "controls/Charselect.h"
#include "controls/Check.h"
#include "controls/Glide.h"
#include "graphics/Myimage.h"
#include "graphics/Paint.h"
#include "lobby/ChatformFixture.h"

namespace {

using lobbytest::kKeyUp;

class ChatformRooms : public lobbytest::ChatformTest {
protected:
    void SetUp() override {
        ChatformTest::SetUp();
        Session().BannerMinInterval = 0;
        OpenRoom(2, 10, "Lobby");
        OpenRoom(2, 11, "Games");
    }
    TRollover& Tab(int index) { return *Lobby().RoomTabs()->Tab(index); }
    int Current() { return Lobby().Chat()->CurrentRoom(); }
};

TEST_F(ChatformRooms, ASwitchLeavesTheShownRoomAndEntersTheNewOneUnlessClosed) {
    Click(Tab(2));
    EXPECT_EQ(sent, (std::vector<std::string>{" " + Word(10), "!" + Word(11)}));
    EXPECT_EQ(Current(), 2);
    EXPECT_EQ(LastLine(11), "Welcome to Games");
    EXPECT_TRUE(Lobby().RoomVisited(11));
    EXPECT_FALSE(Lobby().RoomVisited(10));

    // The room titled like the closing user is closed: no "!", no welcome.
    Dispatch("\x23" + Word(10) + "Lobby\x01");
    EXPECT_EQ(LastLine(10), "Lobby closed");
    sent.clear();
    Click(Tab(1));
    EXPECT_EQ(sent, (std::vector<std::string>{" " + Word(11)}));
    EXPECT_EQ(LastLine(10), "Lobby closed");
    // A closed room sends no chat, but the line is kept.
    sent.clear();
    Enter("anyone");
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(Lobby().InputHistory().Count(), 1);
}

TEST_F(ChatformRooms, AltDigitsSwitchOnlyToTabsThatExist) {
    Alt('3');
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(Current(), 1);
    EXPECT_EQ(Lobby().RoomTabs()->Current(), 1);
    Alt('2');
    EXPECT_EQ(Current(), 2);
    EXPECT_EQ(sent, (std::vector<std::string>{" " + Word(10), "!" + Word(11)}));
}

TEST_F(ChatformRooms, TheServerSwitchesRenamesAndRemovesRooms) {
    Dispatch("\x24" + Word(11));
    EXPECT_EQ(Current(), 2);
    OpenRoom(2, 11, "Cards");  // renamed
    EXPECT_EQ(Tab(2).Caption(), "Cards");
    EXPECT_EQ(Lobby().RoomTitle(11), "Cards");
    OpenRoom(2, 12, "Odd", 0, "Nosuchtab");  // the skin lacks it: the "forum" tab
    EXPECT_EQ(Tab(3).Element(), "forum");
    Dispatch("\x2A" + Word(12));
    Dispatch("\x2A" + Word(99));  // no such room
    EXPECT_EQ(Lobby().Chat()->RoomCount(), 2);
    // Removing the current room enters the one before it.
    sent.clear();
    Dispatch("\x2A" + Word(11));
    EXPECT_EQ(Lobby().Chat()->RoomCount(), 1);
    EXPECT_EQ(Lobby().RoomTabs()->Current(), 1);
    EXPECT_EQ(sent, (std::vector<std::string>{" " + Word(10), "!" + Word(10)}));
}

TEST_F(ChatformRooms, TheCloseMarkOfAPrivateTabOpensItsMenuAndDeleteLeavesTheRoom) {
    OpenRoom(0, 20, "Anna", 0, "Person");
    TRollover& tab = Tab(3);
    Click(tab, tab.ImageOffset() + tab.ImageWidth() - 3);
    EXPECT_TRUE(Lobby().RoomMenu(0)->Opened());
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(Current(), 1);
    Loop().ProcessMessages();
    EXPECT_EQ(Lobby().RoomTabs()->Current(), 1);
    EXPECT_TRUE(Tab(1).Down());
    EXPECT_FALSE(Tab(3).Down());

    TRollover* item = Lobby().RoomMenu(0)->Item(0);
    item->OnClick(item);
    EXPECT_EQ(Lobby().Chat()->RoomCount(), 2);
    EXPECT_EQ(sent, (std::vector<std::string>{"#" + Word(20)}));
    // The middle of a public room's tab is a plain switch.
    Click(Tab(2), Tab(2).ImageOffset() + Tab(2).ImageWidth() - 3);
    EXPECT_EQ(Current(), 2);
}

TEST_F(ChatformRooms, EnterSendsChatLinesAndKeepsEveryLineInTheHistory) {
    Enter("hello all");
    EXPECT_EQ(sent, (std::vector<std::string>{"\x08" + Word(10) + "hello all\x01"}));
    EXPECT_EQ(Lobby().Input()->Text(), "");
    sent.clear();
    Enter(":AFK lunch");
    EXPECT_EQ(sent, (std::vector<std::string>{"\x08" + Word(10) + ":AFK lunch\x01",
                                              "\x08" + Word(10) + "/sleep\x01"}));
    sent.clear();
    Win().KeyDown(lobbytest::kKeyEnter);  // empty: nothing
    EXPECT_TRUE(sent.empty());
    // A command hook that takes the line: not sent, still in the history.
    Lobby().OnChatCommand = [](TChatform*, const std::string& line) { return line == "/clear"; };
    Enter("/clear");
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(Lobby().InputHistory().Count(), 3);
    Win().KeyDown(kKeyUp);
    EXPECT_EQ(Lobby().Input()->Text(), "/clear");
    Win().KeyDown(kKeyUp);
    EXPECT_EQ(Lobby().Input()->Text(), ":AFK lunch");
    Win().KeyDown(lobbytest::kKeyDown);
    Win().KeyDown(lobbytest::kKeyDown);
    EXPECT_EQ(Lobby().Input()->Text(), "");
}

TEST_F(ChatformRooms, AFastSecondLineIsRefusedBySpamButAWhisperIsNot) {
    std::vector<std::pair<int, int>> spamWindows;
    Lobby().OnSpamRefused = [&](int left, int top) { spamWindows.emplace_back(left, top); };
    Type("first line");
    Win().KeyDown(lobbytest::kKeyEnter);
    Type("second line that is long enough");
    Win().KeyDown(lobbytest::kKeyEnter);
    Type("/tell Anna second line that is long");
    Win().KeyDown(lobbytest::kKeyEnter);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1], "\x08" + Word(10) + "/tell Anna second line that is long\x01");
    EXPECT_EQ(Lobby().InputHistory().Count(), 3);
    // The refusal opens the spam window over the chat text (at 0, 35).
    EXPECT_EQ(spamWindows, (std::vector<std::pair<int, int>>{{Lobby().Left(), Lobby().Top() + 35}}));
}

TEST_F(ChatformRooms, BigModeMovesTabsAndTextAndRewrapsEveryRawMessage) {
    for (int i = 0; i < 3; ++i) ChatLine(10, "Anna: line " + std::to_string(i));
    Type("draft");
    TBar* small = Lobby().RoomTabs();
    Alt('W');
    ASSERT_TRUE(Lobby().Big());
    EXPECT_TRUE(Lobby().BigToggle()->Ticked());
    EXPECT_NE(Lobby().RoomTabs(), small);
    EXPECT_EQ(Lobby().RoomTabs()->Count(), 2);
    EXPECT_EQ(Lobby().RoomTabs()->Tab(1)->Y(), 40);
    EXPECT_EQ(Lobby().Chat()->Tabs(), Lobby().RoomTabs());
    EXPECT_EQ(Lobby().ChatEditBig()->Text(), "draft");
    EXPECT_EQ(Lobby().ChatEdit()->Text(), "");
    EXPECT_EQ(Room(10).RawMessages().size(), 3u);
    EXPECT_EQ(Room(10).Text()->TotalWidth(), 380);
    EXPECT_EQ(Lines(10).size(), 3u);
    EXPECT_EQ(Lobby().Paint()->BackgroundName(), "Big");
    EXPECT_FALSE(Lobby().MenuBar()->Visible());
    EXPECT_FALSE(Lobby().AreaImage("menu2")->Visible());

    // Back by the toggle: the area of the selected menu tab shows again.
    Click(*Lobby().BigToggle()->Button(1));
    EXPECT_FALSE(Lobby().Big());
    EXPECT_EQ(Lobby().ChatEdit()->Text(), "draft");
    EXPECT_EQ(Room(10).Text()->TotalWidth(), 250);
    EXPECT_TRUE(Lobby().MenuBar()->Visible());
    EXPECT_TRUE(Lobby().AreaImage("menu2")->Visible());
    // The tabs still switch rooms.
    Click(Tab(2));
    EXPECT_EQ(Current(), 2);
}

TEST_F(ChatformRooms, AUsersMenuSwitchAsksForABannerAtMostOncePerInterval) {
    Session().BannerMinInterval = 30;
    EXPECT_EQ(Lobby().MenuState(), 2);
    Click(*Lobby().MenuBar()->Tab(3));
    EXPECT_EQ(Lobby().MenuState(), 3);
    EXPECT_TRUE(Lobby().Users()->Visible());
    EXPECT_FALSE(Lobby().AreaImage("menu2")->Visible());
    EXPECT_EQ(sent, (std::vector<std::string>{"U\x02"}));
    Click(*Lobby().MenuBar()->Tab(1));
    EXPECT_EQ(sent.size(), 1u);
    EXPECT_FALSE(Lobby().Users()->Visible());
    EXPECT_TRUE(Lobby().Top100Button()->Visible());
    Loop().AdvanceMs(30001);
    Click(Tab(2));  // a room switch of the user's counts too
    EXPECT_EQ(sent.size(), 4u);
    EXPECT_EQ(sent[1], "U\x02");
    // The server's choice of a tab asks for nothing.
    Dispatch("\x65\x03");
    Dispatch("\x65\x06");
    EXPECT_EQ(Lobby().MenuState(), 3);
    EXPECT_EQ(sent.size(), 4u);
}

TEST_F(ChatformRooms, TheBannerTimerAsksEveryPeriodAndATimedBannerRestartsIt) {
    Lobby().SetBannerPeriod(1000);
    Loop().RunFor(2050);
    EXPECT_EQ(sent, (std::vector<std::string>{"U\x02", "U\x02"}));
    Loop().RunFor(500);
    Dispatch("\x55\x02http://banner\x01");  // code 85, place 2
    const int64_t restarted = NowMs();
    EXPECT_EQ(Lobby().BannerTime(), restarted);
    Loop().RunFor(900);
    EXPECT_EQ(sent.size(), 2u);
    Loop().RunFor(200);
    EXPECT_EQ(sent.size(), 3u);
}

TEST_F(ChatformRooms, ThePickerInsertsSymbolsInFont99) {
    Alt('S');
    EXPECT_TRUE(Lobby().Picker()->IsOpen());
    Lobby().Picker()->OnPick(Lobby().Picker(), 'A');
    Lobby().Picker()->OnPick(Lobby().Picker(), ' ');
    EXPECT_EQ(Lobby().Input()->Text(), "A");
    EXPECT_EQ(Lobby().Input()->Colours(), std::string(1, char(99)));
}

}  // namespace

namespace {

using ChatformFirstRoom = lobbytest::ChatformTest;

TEST_F(ChatformFirstRoom, ALineBeforeAnyRoomWaitsForTheFirstRoom) {
    Lobby().AddLine("welcome back", 6, 7);
    OpenRoom(2, 10, "Lobby");
    EXPECT_EQ(LastLine(10), "welcome back");
    OpenRoom(2, 11, "Games");
    EXPECT_TRUE(Lines(11).empty());
}

}  // namespace
