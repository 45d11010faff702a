// The lobby window's users: the counters, codes 33 and 6 with the rooms'
// user and absent lists, code 9 against the ignore list, and the user menu.
#include <gtest/gtest.h>

#include "controls/Glide.h"
#include "controls/Text.h"
#include "lobby/ChatformFixture.h"

namespace {

class ChatformUsers : public lobbytest::ChatformTest {
protected:
    void SetUp() override {
        ChatformTest::SetUp();
        Session().BannerMinInterval = 0;
        OpenRoom(2, 10, "Lobby");
        OpenRoom(0, 20, "Anna", 0, "Person");
        OpenRoom(1, 21, "Me", 0, "Forum");
        OpenRoom(3, 30, "Club");
    }
    std::string Counter(int index) { return Lobby().CounterValue(index)->Text(); }
    void Choose(TGlide& menu, int item) { menu.Item(item)->OnClick(menu.Item(item)); }
};

TEST_F(ChatformUsers, CountersCountUsersAndThePlayersOfEachGameByIcon) {
    Present(10, 39, "Bob");
    Present(10, 5, "Ann");
    Present(10, 38, "Cid");
    EXPECT_EQ(Counter(0), "3");
    EXPECT_EQ(Counter(1), "1");
    EXPECT_EQ(Counter(2), "1");  // icon 39 plays Backgammon
    EXPECT_EQ(Counter(3), "0");
    Present(10, 12, "Bob");  // the row takes the new icon
    EXPECT_EQ(Counter(0), "3");
    EXPECT_EQ(Counter(2), "0");
    EXPECT_EQ(Lobby().Users()->Cell(1, Lobby().Users()->FindRow(0, "Bob")), std::string("\x01\x0C"));
    Present(10, 200, "Dan");  // not an icon
    EXPECT_EQ(Lobby().Users()->Cell(1, Lobby().Users()->FindRow(0, "Dan")), std::string("\x01\0", 2));
}

TEST_F(ChatformUsers, APresentUserJoinsTheRoomAndEveryPrivateRoomThatListsThem) {
    Present(20, 3, "Anna");
    Present(10, 7, "Anna");
    EXPECT_EQ(RoomUsers(10), (std::vector<std::string>{"Anna"}));
    EXPECT_EQ(Room(20).Users()->Cell(0, 0), std::string("\x01\x07") + "Anna");
    EXPECT_TRUE(RoomUsers(21).empty());
    Present(30, 3, "Zed");  // kind 3 lists nobody
    EXPECT_TRUE(RoomUsers(30).empty());
    EXPECT_EQ(Lobby().Users()->RowCount(), 2);
    Dispatch("\x20" + Word(10) + "anna\x01");  // code 32
    EXPECT_TRUE(RoomUsers(10).empty());
    EXPECT_EQ(RoomUsers(20), (std::vector<std::string>{"Anna"}));
}

TEST_F(ChatformUsers, LeavingTheServiceLeavesLogoffLinesAndComingBackLogonLines) {
    for (int room : {10, 20, 21}) Present(room, 3, "Anna");
    Left("Anna");
    EXPECT_EQ(LastLine(20), "Anna left");
    EXPECT_EQ(LastLine(21), "Anna left");
    EXPECT_NE(LastLine(10), "Anna left");  // public rooms say nothing
    for (int room : {10, 20, 21}) EXPECT_TRUE(RoomUsers(room).empty()) << room;
    EXPECT_EQ(Lobby().Users()->RowCount(), 0);
    EXPECT_EQ(Counter(0), "0");
    EXPECT_EQ(Room(20).OwnerLines(), (std::vector<std::string>{"Anna"}));

    Present(10, 3, "Anna");
    EXPECT_EQ(LastLine(20), "Anna is back");
    EXPECT_EQ(LastLine(21), "Anna is back");
    EXPECT_TRUE(Room(20).OwnerLines().empty());
    const size_t lines = Lines(20).size();
    Present(10, 4, "Anna");  // listed already: no second line
    EXPECT_EQ(Lines(20).size(), lines);
}

TEST_F(ChatformUsers, ChatLinesFromAnIgnoredSenderAreDroppedWhicheverWayTheyNameIt) {
    Lobby().IgnoreList().Toggle("Bob");
    for (const char* text : {"BOB: hi", "Bob~>Ann psst", "* bob waves", "Ann: hello"})
        ChatLine(10, text);
    EXPECT_EQ(Lines(10), (std::vector<std::string>{"Ann: hello"}));
    EXPECT_TRUE(Lobby().Ignores("bob"));
}

TEST_F(ChatformUsers, AClickedUserGetsTheUserMenuAndIgnoringTwiceTogglesBack) {
    Present(10, 3, "Bob");
    Present(10, 3, "Me");
    Lobby().SelectMenuTab(3);
    TMultilist& users = *Lobby().Users();
    const int rowY = users.RowsTop() + users.RowHeight() / 2;
    Win().MouseDown(platform::ButtonLeft, 10, rowY);  // "Bob", sorted first
    EXPECT_EQ(Lobby().SelectedUser(), "Bob");
    EXPECT_TRUE(Lobby().UserMenu()->Opened());
    Choose(*Lobby().UserMenu(), 2);
    EXPECT_EQ(LastLine(10), "Ignoring Bob");
    EXPECT_TRUE(Lobby().Ignores("bob"));
    Choose(*Lobby().UserMenu(), 2);
    EXPECT_EQ(LastLine(10), "Not ignoring Bob");
    EXPECT_FALSE(Lobby().Ignores("bob"));
    // The own row opens the own menu; below the rows nothing opens.
    Win().MouseDown(platform::ButtonLeft, 10, rowY + users.RowHeight());
    EXPECT_EQ(Lobby().SelectedUser(), "Me");
    EXPECT_TRUE(Lobby().OwnUserMenu()->Opened());
    Lobby().SetSelectedUser("");
    Win().MouseDown(platform::ButtonLeft, 10, rowY + 3 * users.RowHeight());
    EXPECT_EQ(Lobby().SelectedUser(), "");
}

TEST_F(ChatformUsers, UserMenuRequestsInfoPrivateChatsAndForums) {
    TGlide& menu = *Lobby().UserMenu();
    Lobby().SetSelectedUser("Bob");
    Choose(menu, 0);
    Choose(menu, 3);  // no private room with Bob
    Choose(menu, 4);  // the own forum (kind 1, titled "Me") lacks Bob
    EXPECT_EQ(sent, (std::vector<std::string>{"/Bob\x01", std::string("+\0Bob", 5),
                                              "\x1F" + Word(21) + "Bob"}));
    sent.clear();
    Present(21, 3, "Bob");
    Choose(menu, 4);  // already in it
    EXPECT_TRUE(sent.empty());
    Lobby().SetSelectedUser("anna");
    Choose(menu, 3);  // the private room exists: its tab is selected
    EXPECT_EQ(Lobby().Chat()->CurrentRoom(), 2);
    EXPECT_EQ(sent.back(), "!" + Word(20));
    Dispatch("\x2A" + Word(21));
    sent.clear();
    Choose(menu, 4);
    EXPECT_EQ(sent, (std::vector<std::string>{"+\x01" "anna"}));
}

}  // namespace
