// The lobby with three users on the real server: chat lines in the public
// rooms and the ignore list, private chats opened and closed from either
// side, forums their owners add users to and close by leaving, users
// leaving the service and coming back, and the counters and user lists
// following the icons the zone sends (also for a user in no public room).
//
// Eva works the real lobby window; Bo and Cy speak the lobby's messages on
// bare connections (ThreeUsersFixture.h). What one user must not get is
// checked after a later message that the zone sent the same user, so it
// would have arrived first.
#include <gtest/gtest.h>

#include "ThreeUsersFixture.h"
#include "controls/Bar.h"
#include "controls/Chat.h"
#include "controls/Multilist.h"
#include "controls/Rollover.h"
#include "lobby/UserIcons.h"

namespace e2etest {
namespace {

using Names = std::vector<std::string>;

// Code 34 as the zone opens a private chat or forum.
std::string RoomOpen(int kind, int room, const std::string& title) {
    return "\x22" + std::string(1, char(kind)) + Word(room) + '\0' + Field(title) +
           Field(kind == 0 ? "Person" : "Forum");
}
std::string Invitation(int kind, int room) { return "\x1F" + std::string(1, char(kind)) + Word(room); }
std::string Present(int room, int icon, const std::string& name) {
    return "!" + Word(room) + char(icon) + Field(name);
}
std::string ClosedBy(int room, const std::string& name) { return "#" + Word(room) + Field(name); }
std::string Chat(int room, const std::string& text) { return "\x08" + Word(room) + text + '\x01'; }

class LobbyChatTest : public ThreeUsersTest {
protected:
    bool Sent(const std::string& message) const {
        for (const std::string& each : sent)
            if (each == message) return true;
        return false;
    }
    bool SentStarting(const std::string& start) const {
        for (const std::string& each : sent)
            if (each.compare(0, start.size(), start) == 0) return true;
        return false;
    }
    // Eva opens a private chat with the user; it becomes her current room.
    void OpenPrivate(const std::string& name, int room) {
        ChooseForUser(name, "Person");
        ASSERT_TRUE(Sent(std::string("+\0", 2) + name));
        ASSERT_TRUE(Until([&] { return CurrentRoomId() == room && RoomUsers(room).size() == 2; }));
    }
};

// Public rooms ----------------------------------------------------------------

TEST_F(LobbyChatTest, ALineInAPublicRoomReachesEveryoneThereButNotWhoIgnoresTheSender) {
    EXPECT_EQ(RoomUsers(kLobby), (Names{"Bo", "Cy", "Eva"}));
    EXPECT_EQ(Lobby().RoomTabs()->TabByKey(kLobby)->Element(), "Public");
    Enter("hello all");
    EXPECT_EQ(sent, (Names{Chat(kLobby, "hello all")}));
    // Her own line is shown when the zone sends it back, with her name.
    ASSERT_TRUE(Until([&] {
        return HasLine(kLobby, "Eva: hello all") && bo->Got(ChatFrom(kLobby, "Eva", "hello all")) &&
               cy->Got(ChatFrom(kLobby, "Eva", "hello all"));
    }));
    bo->Say(kLobby, "hi");
    ASSERT_TRUE(Until([&] { return HasLine(kLobby, "Bo: hi"); }));
    // The sender's name is drawn in the zone's name colour, the text in its text colour.
    EXPECT_NE(RawLine(kLobby, "Bo: hi").find("\x01\xFC\x03" "Bo: \x01\xFC\x01" "hi"), std::string::npos);

    ChooseForUser("Bo", "Ignore");
    EXPECT_EQ(Lines(kLobby).back(), "Ignoring Bo");
    bo->Say(kLobby, "psst");
    ASSERT_TRUE(Until([&] { return cy->Got(ChatFrom(kLobby, "Bo", "psst")); }));
    cy->Say(kLobby, "still here");
    ASSERT_TRUE(Until([&] { return HasLine(kLobby, "Cy: still here"); }));
    EXPECT_FALSE(HasLine(kLobby, "Bo: psst"));

    ChooseForUser("Bo", "Ignore");
    EXPECT_EQ(Lines(kLobby).back(), "Not ignoring Bo");
    bo->Say(kLobby, "again");
    EXPECT_TRUE(Until([&] { return HasLine(kLobby, "Bo: again"); }));
}

TEST_F(LobbyChatTest, ALineInAnotherPublicRoomStaysInThatRoom) {
    cy->SwitchRoom(kLobby, kGames);
    ASSERT_TRUE(Until([&] {
        return RoomUsers(kGames) == Names{"Cy"} && RoomUsers(kLobby) == Names{"Bo", "Eva"} &&
               bo->Got(Present(kGames, kNewcomerIcon, "Cy"));
    }));
    cy->Say(kGames, "only games");
    ASSERT_TRUE(Until([&] { return cy->Got(ChatFrom(kGames, "Cy", "only games")); }));
    bo->Say(kLobby, "lobby only");
    ASSERT_TRUE(Until([&] { return HasLine(kLobby, "Bo: lobby only"); }));
    ASSERT_TRUE(Sync(*bo));
    ASSERT_TRUE(Sync(*cy));
    EXPECT_FALSE(bo->Got(ChatFrom(kGames, "Cy", "only games")));
    EXPECT_FALSE(cy->Got(ChatFrom(kLobby, "Bo", "lobby only")));
    EXPECT_FALSE(HasLine(kGames, "Cy: only games"));
    EXPECT_FALSE(HasLine(kLobby, "Cy: only games"));

    // Eva follows with a click on the tab: she is in Games for everyone.
    Click(*Lobby().RoomTabs()->TabByKey(kGames));
    EXPECT_TRUE(Sent(" " + Word(kLobby)));
    EXPECT_TRUE(Sent("!" + Word(kGames)));
    EXPECT_EQ(Lines(kGames).back(), "Welcome to Games");
    ASSERT_TRUE(Until([&] { return RoomUsers(kGames) == Names{"Cy", "Eva"} && RoomUsers(kLobby) == Names{"Bo"}; }));
    cy->Say(kGames, "hi eva");
    EXPECT_TRUE(Until([&] { return HasLine(kGames, "Cy: hi eva"); }));
}

// Private chats ----------------------------------------------------------------

TEST_F(LobbyChatTest, APrivateChatOpensAsATabAndTheOtherLeavingClosesIt) {
    OpenPrivate("Bo", kFirstPrivate);
    TBar& tabs = *Lobby().RoomTabs();
    ASSERT_EQ(tabs.Count(), 3);
    EXPECT_EQ(tabs.TabByKey(kFirstPrivate)->Element(), "Person");
    EXPECT_EQ(tabs.TabByKey(kFirstPrivate)->Caption(), "Bo");
    EXPECT_EQ(Lines(kFirstPrivate), (Names{"Private with Bo"}));
    EXPECT_EQ(RoomUsers(kFirstPrivate), (Names{"Bo", "Eva"}));
    ASSERT_TRUE(Until([&] {
        return bo->Got(RoomOpen(0, kFirstPrivate, "Eva")) && bo->Got(Invitation(0, kFirstPrivate));
    }));

    bo->Say(kFirstPrivate, "hi eva");
    ASSERT_TRUE(Until([&] { return HasLine(kFirstPrivate, "Bo: hi eva"); }));
    Enter("hi bo");
    ASSERT_TRUE(Until([&] { return bo->Got(ChatFrom(kFirstPrivate, "Eva", "hi bo")); }));
    ASSERT_TRUE(Sync(*cy));
    EXPECT_FALSE(cy->Got(ChatFrom(kFirstPrivate, "Eva", "hi bo")));

    bo->Send("#" + Word(kFirstPrivate));
    ASSERT_TRUE(Until([&] { return HasLine(kFirstPrivate, "Bo closed"); }));
    EXPECT_TRUE(Room(kFirstPrivate)->UsersFrozen());
    EXPECT_EQ(RoomUsers(kFirstPrivate), (Names{"Eva"}));
    // A closed room takes no more chat, and leaving it tells nobody.
    sent.clear();
    Enter("anyone?");
    EXPECT_TRUE(sent.empty());
    CloseByTab(kFirstPrivate);
    EXPECT_EQ(tabs.Count(), 2);
    EXPECT_FALSE(SentStarting("#"));
    // The tab before it is entered.
    EXPECT_EQ(CurrentRoomId(), kGames);
    EXPECT_TRUE(Until([&] { return bo->Got(Present(kGames, ListedIcon("Eva"), "Eva")); }));
}

TEST_F(LobbyChatTest, APrivateChatOfferedByAnotherUserIsClosedFromItsTab) {
    bo->Send(std::string("+\0", 2) + "Eva");
    ASSERT_TRUE(Until([&] { return RoomUsers(kFirstPrivate) == Names{"Bo", "Eva"}; }));
    // The offer is announced in the room she looks at; she stays there.
    ASSERT_TRUE(Until([&] { return HasLine(kLobby, "Private Bo"); }));
    EXPECT_EQ(CurrentRoomId(), kLobby);
    EXPECT_EQ(Lobby().RoomTabs()->TabByKey(kFirstPrivate)->Caption(), "Bo");
    bo->Say(kFirstPrivate, "psst");
    ASSERT_TRUE(Until([&] { return HasLine(kFirstPrivate, "Bo: psst"); }));
    // Asking for a private chat with Bo again brings the tab forward.
    ChooseForUser("Bo", "Person");
    EXPECT_EQ(CurrentRoomId(), kFirstPrivate);
    EXPECT_FALSE(SentStarting("+"));
    Click(*Lobby().RoomTabs()->TabByKey(kLobby));
    ASSERT_EQ(CurrentRoomId(), kLobby);

    sent.clear();
    CloseByTab(kFirstPrivate);
    EXPECT_EQ(sent, (Names{"#" + Word(kFirstPrivate)}));
    EXPECT_EQ(Lobby().RoomTabs()->Count(), 2);
    EXPECT_EQ(CurrentRoomId(), kLobby);
    ASSERT_TRUE(Until([&] { return bo->Got(ClosedBy(kFirstPrivate, "Eva")); }));
    // The room is gone at the zone too: a line into it reaches nobody.
    bo->Say(kFirstPrivate, "hello?");
    ASSERT_TRUE(Sync(*bo));
    EXPECT_FALSE(bo->Got(ChatFrom(kFirstPrivate, "Bo", "hello?")));
}

// Forums -----------------------------------------------------------------------

TEST_F(LobbyChatTest, TheOwnerAddsUsersToHerForumAndAGuestLeavingIsAClosedLine) {
    ChooseForUser("Bo", "Forum");
    EXPECT_EQ(sent, (Names{std::string("+\x01") + "Bo"}));
    const int forum = kFirstPrivate;
    ASSERT_TRUE(Until([&] { return CurrentRoomId() == forum && RoomUsers(forum) == Names{"Bo", "Eva"}; }));
    EXPECT_EQ(Lobby().RoomTabs()->TabByKey(forum)->Element(), "Forum");
    EXPECT_EQ(Lobby().RoomTabs()->TabByKey(forum)->Caption(), "Eva");
    EXPECT_TRUE(HasLine(forum, "Forum Eva"));
    ASSERT_TRUE(Until([&] { return bo->Got(RoomOpen(1, forum, "Eva")) && bo->Got(Invitation(1, forum)); }));

    // Her forum exists: the next user is added to it; one in it is not again.
    sent.clear();
    ChooseForUser("Bo", "Forum");
    EXPECT_TRUE(sent.empty());
    ChooseForUser("Cy", "Forum");
    EXPECT_EQ(sent, (Names{"\x1F" + Word(forum) + "Cy"}));
    ASSERT_TRUE(Until([&] {
        return RoomUsers(forum) == Names{"Bo", "Cy", "Eva"} && cy->Got(RoomOpen(1, forum, "Eva")) &&
               cy->Got(Invitation(1, forum)) && bo->Got(Present(forum, kNewcomerIcon, "Cy"));
    }));

    cy->Say(forum, "thanks");
    ASSERT_TRUE(Until([&] { return HasLine(forum, "Cy: thanks") && bo->Got(ChatFrom(forum, "Cy", "thanks")); }));
    Enter("welcome both");
    ASSERT_TRUE(Until([&] {
        return bo->Got(ChatFrom(forum, "Eva", "welcome both")) && cy->Got(ChatFrom(forum, "Eva", "welcome both"));
    }));

    // A guest leaving closes nothing: the forum is titled by its owner.
    cy->Send("#" + Word(forum));
    ASSERT_TRUE(Until([&] { return HasLine(forum, "Cy closed") && bo->Got(ClosedBy(forum, "Cy")); }));
    EXPECT_EQ(RoomUsers(forum), (Names{"Bo", "Eva"}));
    EXPECT_FALSE(Room(forum)->UsersFrozen());
    bo->Say(forum, "just us");
    EXPECT_TRUE(Until([&] { return HasLine(forum, "Bo: just us"); }));
}

TEST_F(LobbyChatTest, AForumIsClosedForEveryoneWhenItsOwnerLeaves) {
    bo->Send(std::string("+\x01") + "Eva");
    const int bosForum = kFirstPrivate, evasForum = kFirstPrivate + 1;
    ASSERT_TRUE(Until([&] { return RoomUsers(bosForum) == Names{"Bo", "Eva"} && HasLine(kLobby, "Forum Bo"); }));
    EXPECT_EQ(Lobby().RoomTabs()->TabByKey(bosForum)->Caption(), "Bo");
    EXPECT_EQ(CurrentRoomId(), kLobby);
    // Bo's forum is not hers: inviting Cy opens her own.
    ChooseForUser("Cy", "Forum");
    EXPECT_EQ(sent, (Names{std::string("+\x01") + "Cy"}));
    ASSERT_TRUE(Until([&] { return CurrentRoomId() == evasForum && RoomUsers(evasForum) == Names{"Cy", "Eva"}; }));

    bo->Send("#" + Word(bosForum));
    ASSERT_TRUE(Until([&] { return HasLine(bosForum, "Bo closed"); }));
    EXPECT_TRUE(Room(bosForum)->UsersFrozen());
    sent.clear();
    CloseByTab(evasForum);
    EXPECT_TRUE(Sent("#" + Word(evasForum)));
    ASSERT_TRUE(Until([&] { return cy->Got(ClosedBy(evasForum, "Eva")); }));
    // The frozen forum is shown now, and nothing is entered.
    EXPECT_EQ(CurrentRoomId(), bosForum);
    EXPECT_FALSE(SentStarting("!"));
    // Both forums are gone at the zone: their lines reach nobody.
    bo->Say(bosForum, "anyone?");
    cy->Say(evasForum, "anyone?");
    ASSERT_TRUE(Sync(*bo));
    ASSERT_TRUE(Sync(*cy));
    EXPECT_FALSE(bo->Got(ChatFrom(bosForum, "Bo", "anyone?")));
    EXPECT_FALSE(cy->Got(ChatFrom(evasForum, "Cy", "anyone?")));
}

// Leaving the service -----------------------------------------------------------

TEST_F(LobbyChatTest, AUserLeavingTheServiceIsALogoffLineInTheRoomsThatListedThem) {
    OpenPrivate("Bo", kFirstPrivate);
    const int forum = kFirstPrivate + 1;
    ChooseForUser("Bo", "Forum");
    ASSERT_TRUE(Until([&] { return CurrentRoomId() == forum && RoomUsers(forum) == Names{"Bo", "Eva"}; }));
    EXPECT_EQ(Counter(0), "3");

    bo->LogOff();
    ASSERT_TRUE(Until([&] { return bo->Line().disconnects == 1; }));
    ASSERT_TRUE(Until([&] { return HasLine(kFirstPrivate, "Bo left") && HasLine(forum, "Bo left"); }));
    EXPECT_EQ(ListedUsers(), (Names{"Cy", "Eva"}));
    EXPECT_EQ(Counter(0), "2");
    EXPECT_EQ(RoomUsers(kFirstPrivate), (Names{"Eva"}));
    EXPECT_EQ(RoomUsers(forum), (Names{"Eva"}));
    EXPECT_EQ(RoomUsers(kLobby), (Names{"Cy"}));
    // Public rooms list everyone, so they say nothing.
    EXPECT_FALSE(HasLine(kLobby, "Bo left"));
    EXPECT_FALSE(HasLine(kGames, "Bo left"));
    EXPECT_TRUE(Until([&] { return cy->Got("\x06" + Field("Bo")); }));

    // Back again, Bo finds both rooms, and both greet him.
    bo = std::make_unique<TWireUser>("Bo", m_server.Port());
    ASSERT_TRUE(bo->LogOn(false, Waiter()));
    ASSERT_TRUE(Until([&] { return HasLine(kFirstPrivate, "Bo is back") && HasLine(forum, "Bo is back"); }));
    EXPECT_EQ(RoomUsers(kFirstPrivate), (Names{"Bo", "Eva"}));
    EXPECT_TRUE(Until([&] { return RoomUsers(forum) == Names{"Bo", "Eva"}; }));
    EXPECT_EQ(ListedIcon("Bo"), kPlainIcon);
    EXPECT_EQ(Counter(0), "3");
    EXPECT_TRUE(bo->Got(RoomOpen(0, kFirstPrivate, "Eva")));
    EXPECT_TRUE(bo->Got(RoomOpen(1, forum, "Eva")));
    bo->Say(forum, "missed me?");
    EXPECT_TRUE(Until([&] { return HasLine(forum, "Bo: missed me?"); }));
}

// Icons and counters -------------------------------------------------------------

TEST_F(LobbyChatTest, TheCountersFollowTheIconsTheZoneSends) {
    for (int game = 0; game <= 4; ++game) EXPECT_EQ(Counter(game), game == 0 ? "3" : "0") << game;
    bo->Say(kLobby, "/sleep");
    ASSERT_TRUE(Until([&] { return ListedIcon("Bo") == kAsleepIcon; }));
    EXPECT_FALSE(HasLine(kLobby, "Bo: /sleep"));
    for (int game = 1; game <= 4; ++game) EXPECT_EQ(Counter(game), "0") << game;

    // A game referee of the server puts players into their games.
    ASSERT_TRUE(m_server.OnServerThread([](server::Server& s) {
        s.GetZone().SetPlaying("Bo", 2);
        s.GetZone().SetPlaying("Cy", 4);
    }));
    ASSERT_TRUE(Until([&] { return Counter(2) == "1" && Counter(4) == "1"; }));
    EXPECT_EQ(ListedIcon("Bo"), 39);
    EXPECT_EQ(ListedIcon("Cy"), 41);
    EXPECT_EQ(Counter(0), "3");
    EXPECT_EQ(Counter(1), "0");
    EXPECT_EQ(Counter(3), "0");
    // The room's own list takes the icon too.
    TMultilist& lobbyUsers = *Room(kLobby)->Users();
    bool listed = false;
    for (int row = 0; row < lobbyUsers.RowCount(); ++row)
        if (lobbyUsers.PlainCell(0, row) == "Bo") listed = lobbyUsers.Cell(0, row) == std::string("\x01\x27") + "Bo";
    EXPECT_TRUE(listed);

    // ":afk" puts Eva to sleep as well.
    Enter(":afk lunch");
    EXPECT_EQ(sent, (Names{Chat(kLobby, ":afk lunch"), Chat(kLobby, "/sleep")}));
    ASSERT_TRUE(Until([&] {
        const int icon = ListedIcon("Eva");
        return icon >= 1 && UserIconNames()[size_t(icon - 1)].find("_zzz") != std::string::npos;
    }));
    ASSERT_TRUE(Until([&] { return HasLine(kLobby, "Eva: :afk lunch"); }));

    // Out of the game, Bo is still asleep until he writes.
    ASSERT_TRUE(m_server.OnServerThread([](server::Server& s) { s.GetZone().SetPlaying("Bo", 0); }));
    ASSERT_TRUE(Until([&] { return Counter(2) == "0"; }));
    EXPECT_EQ(ListedIcon("Bo"), kAsleepIcon);
    EXPECT_EQ(Counter(4), "1");
    bo->Say(kLobby, "back");
    EXPECT_TRUE(Until([&] { return ListedIcon("Bo") == kNewcomerIcon && HasLine(kLobby, "Bo: back"); }));
}

// A user who looks at a private tab is in no public room; their new icon
// must still reach the private rooms that list them.
TEST_F(LobbyChatTest, AnIconChangeReachesThePrivateRoomsOfAUserInNoPublicRoom) {
    bo->Send(std::string("+\0", 2) + "Eva");
    ASSERT_TRUE(Until([&] { return RoomUsers(kFirstPrivate) == Names{"Bo", "Eva"}; }));
    // Bo's client shows the private tab: he leaves the public room.
    bo->Send(" " + Word(kLobby));
    bo->Send("!" + Word(kFirstPrivate));
    ASSERT_TRUE(Until([&] { return RoomUsers(kLobby) == Names{"Cy", "Eva"}; }));
    bo->Say(kFirstPrivate, "/sleep");
    ASSERT_TRUE(Until([&] { return ListedIcon("Bo") == kAsleepIcon; }));
    auto privateIcon = [&] {
        TMultilist& users = *Room(kFirstPrivate)->Users();
        for (int row = 0; row < users.RowCount(); ++row)
            if (users.PlainCell(0, row) == "Bo") return static_cast<int>(uint8_t(users.Cell(0, row)[1]));
        return -1;
    };
    EXPECT_TRUE(Until([&] { return privateIcon() == kAsleepIcon; })) << privateIcon();
    ASSERT_TRUE(m_server.OnServerThread([](server::Server& s) { s.GetZone().SetPlaying("Bo", 1); }));
    ASSERT_TRUE(Until([&] { return Counter(1) == "1"; }));
    EXPECT_TRUE(Until([&] { return privateIcon() == 38; })) << privateIcon();
}

}  // namespace
}  // namespace e2etest
