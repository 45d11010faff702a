// The zone over loopback: chat lines reaching a room's members, public room
// switches, private chats and forums with their closing, users leaving,
// user information and the chat throttle.
#include <gtest/gtest.h>

#include <regex>

#include "ZoneFixture.h"

namespace servertest {
namespace {

std::string Say(uint16_t room, const std::string& text) { return "\x08" + Word(room) + text + '\x01'; }
std::string EnterRoom(uint16_t room) { return "!" + Word(room); }
std::string LeaveRoom(uint16_t room) { return " " + Word(room); }
std::string Close(uint16_t room) { return "#" + Word(room); }
std::string Gone(uint16_t room, const std::string& alias) { return " " + Word(room) + Field(alias); }
std::string LeftBy(uint16_t room, const std::string& alias) { return "#" + Word(room) + Field(alias); }
std::string Opened(int kind, uint16_t room, const std::string& title, const std::string& prefix) {
    return "\"" + std::string(1, static_cast<char>(kind)) + Word(room) + '\0' + Field(title) + Field(prefix);
}

// The id of the first room opened in the queue (code 34), or 0.
uint16_t OpenedRoom(ModelClient& client) {
    client.PumpUntil([&] {
        for (const std::string& m : client.Messages())
            if (m[0] == '"') return true;
        return false;
    });
    for (const std::string& m : client.Messages())
        if (m[0] == '"' && m.size() > 3)
            return static_cast<uint16_t>(static_cast<uint8_t>(m[2]) | static_cast<uint8_t>(m[3]) << 8);
    return 0;
}

class ZoneRoomsTest : public ZoneTest {
protected:
    void SetUp() override {
        ZoneTest::SetUp();
        // Second logons, so every icon is the plain one.
        for (const char* alias : {"eva", "bob", "cat"}) {
            auto first = Enter(alias);
            LogOff(first);
        }
        m_eva = ZoneTest::Enter("eva");
        m_bob = ZoneTest::Enter("bob");
        m_cat = ZoneTest::Enter("cat");
        for (ModelClient* c : {m_eva.get(), m_bob.get()}) {
            c->Settle();
            c->Messages().clear();
        }
    }
    std::unique_ptr<ModelClient> m_eva, m_bob, m_cat;
};

TEST_F(ZoneRoomsTest, AChatLineReachesTheMembersOfItsRoomOnlyTheSenderIncluded) {
    m_cat->Send(LeaveRoom(kLobby));
    m_cat->Send(EnterRoom(kGames));
    ASSERT_TRUE(Receive(*m_eva, RoomUserMessage(kGames, kGirlFace2, "cat")));
    m_eva->Send(Say(kLobby, "hello all"));
    EXPECT_TRUE(Receive(*m_eva, ChatFrom(kLobby, "eva", "hello all")));
    EXPECT_TRUE(Receive(*m_bob, ChatFrom(kLobby, "eva", "hello all")));
    // Not in the room: cat does not get it, and cannot write into it.
    EXPECT_TRUE(NothingWithCode(*m_cat, 9));
    m_cat->Send(Say(kLobby, "sneaky"));
    EXPECT_TRUE(NothingWithCode(*m_eva, 9));
}

TEST_F(ZoneRoomsTest, ChatTextKeepsColourCodesLosesOtherControlBytesAndIsBounded) {
    m_eva->Send(Say(kLobby, std::string("a\x01\xFC\x63" "b\x01\x05\nc\x7F")));
    EXPECT_TRUE(Receive(*m_bob, ChatFrom(kLobby, "eva", "a\x01\xFC\x63" "bc")));
    m_eva->Send(Say(kLobby, std::string(1000, 'x')));
    EXPECT_TRUE(Receive(*m_bob, ChatFrom(kLobby, "eva", std::string(300, 'x'))));
    m_eva->Send(Say(kLobby, "\x01\x02   "));  // nothing visible
    EXPECT_TRUE(NothingWithCode(*m_bob, 9));
}

TEST_F(ZoneRoomsTest, SwitchingPublicRoomsIsToldToEveryoneAndLeavingTheServiceIsCode6) {
    m_bob->Send(LeaveRoom(kLobby));
    EXPECT_TRUE(Receive(*m_eva, Gone(kLobby, "bob")));
    EXPECT_TRUE(Receive(*m_cat, Gone(kLobby, "bob")));
    m_bob->Send(EnterRoom(kGames));
    EXPECT_TRUE(Receive(*m_cat, RoomUserMessage(kGames, kGirlFace2, "bob")));
    // Entering another room without a " " first leaves the one before.
    m_bob->Send(EnterRoom(kLobby));
    EXPECT_TRUE(Receive(*m_cat, Gone(kGames, "bob")));
    EXPECT_TRUE(Receive(*m_cat, RoomUserMessage(kLobby, kGirlFace2, "bob")));
    LogOff(m_bob);
    EXPECT_TRUE(Receive(*m_eva, "\x06" + Field("bob")));
    EXPECT_TRUE(Receive(*m_cat, "\x06" + Field("bob")));
    // The news room has no user list: entering it shows no one anywhere.
    m_cat->Send(EnterRoom(kNews));
    EXPECT_TRUE(Receive(*m_eva, Gone(kLobby, "cat")));
    EXPECT_TRUE(NothingWithCode(*m_eva, '!'));
}

TEST_F(ZoneRoomsTest, APrivateChatOpensForBothAndClosesForTheOtherWith35) {
    m_eva->Send(std::string("+\x00", 2) + "BOB");
    uint16_t id = OpenedRoom(*m_eva);
    ASSERT_GT(id, kNews);
    EXPECT_TRUE(Receive(*m_eva, Opened(0, id, "bob", "Person")));
    EXPECT_TRUE(Receive(*m_eva, "$" + Word(id)));  // 36: the tab comes forward
    EXPECT_TRUE(Receive(*m_bob, Opened(0, id, "eva", "Person")));
    EXPECT_TRUE(Receive(*m_bob, RoomUserMessage(id, kGirlFace2, "bob")));
    EXPECT_TRUE(Receive(*m_bob, std::string("\x1F\x00", 2) + Word(id)));  // 31: the invitation
    // Asking again shows the same room.
    m_eva->Send(std::string("+\x00", 2) + "bob");
    EXPECT_TRUE(Receive(*m_eva, "$" + Word(id)));
    EXPECT_TRUE(NothingWithCode(*m_eva, '"'));

    m_bob->Send(Say(id, "psst"));
    EXPECT_TRUE(Receive(*m_eva, ChatFrom(id, "bob", "psst")));
    EXPECT_TRUE(Receive(*m_bob, ChatFrom(id, "bob", "psst")));
    EXPECT_TRUE(NothingWithCode(*m_cat, 9));

    m_eva->Send(Close(id));
    EXPECT_TRUE(Receive(*m_bob, LeftBy(id, "eva")));
    // The room is gone.
    m_bob->Send(Say(id, "anyone?"));
    EXPECT_TRUE(NothingWithCode(*m_bob, 9));
}

TEST_F(ZoneRoomsTest, NobodyOfThatNameGetsAMessageBox) {
    m_eva->Send(std::string("+\x00", 2) + "nobody");
    EXPECT_TRUE(Receive(*m_eva, "\x17" + Field("nobody is not logged on.") + Field("System")));
}

TEST_F(ZoneRoomsTest, AForumTakesUsersFromItsOwnerAndClosesWhenTheOwnerLeaves) {
    m_eva->Send(std::string("+\x01", 2) + "bob");
    uint16_t id = OpenedRoom(*m_eva);
    ASSERT_TRUE(Receive(*m_bob, Opened(1, id, "eva", "Forum")));
    EXPECT_TRUE(Receive(*m_bob, std::string("\x1F\x01", 2) + Word(id)));
    // Only the owner adds users.
    m_bob->Send("\x1F" + Word(id) + "cat");
    EXPECT_TRUE(NothingWithCode(*m_cat, '"'));
    m_eva->Send("\x1F" + Word(id) + "cat");
    EXPECT_TRUE(Receive(*m_bob, RoomUserMessage(id, kGirlFace2, "cat")));
    EXPECT_TRUE(Receive(*m_cat, Opened(1, id, "eva", "Forum")));
    EXPECT_TRUE(Receive(*m_cat, RoomUserMessage(id, kGirlFace2, "eva")));
    EXPECT_TRUE(Receive(*m_cat, RoomUserMessage(id, kGirlFace2, "bob")));
    EXPECT_TRUE(Receive(*m_cat, RoomUserMessage(id, kGirlFace2, "cat")));

    m_bob->Send(Close(id));
    EXPECT_TRUE(Receive(*m_cat, LeftBy(id, "bob")));
    m_cat->Send(Say(id, "still open"));
    EXPECT_TRUE(Receive(*m_eva, ChatFrom(id, "cat", "still open")));
    m_eva->Send(Close(id));
    EXPECT_TRUE(Receive(*m_cat, LeftBy(id, "eva")));
    m_cat->Send(Say(id, "closed now"));
    EXPECT_TRUE(NothingWithCode(*m_cat, 9));
}

TEST_F(ZoneRoomsTest, APrivateChatWaitsForAPartnerWhoLogsOffAndComesBack) {
    m_eva->Send(std::string("+\x00", 2) + "bob");
    uint16_t id = OpenedRoom(*m_eva);
    ASSERT_TRUE(Receive(*m_bob, std::string("\x1F\x00", 2) + Word(id)));
    LogOff(m_bob);
    ASSERT_TRUE(Receive(*m_eva, "\x06" + Field("bob")));
    m_bob = EnterKeepingWelcome("bob");
    EXPECT_TRUE(Receive(*m_bob, Opened(0, id, "eva", "Person")));
    EXPECT_TRUE(Receive(*m_bob, RoomUserMessage(id, kGirlFace2, "eva")));
    EXPECT_TRUE(Receive(*m_eva, RoomUserMessage(kLobby, kGirlFace2, "bob")));
    EXPECT_TRUE(Receive(*m_eva, RoomUserMessage(id, kGirlFace2, "bob")));
    m_eva->Send(Say(id, "welcome back"));
    EXPECT_TRUE(Receive(*m_bob, ChatFrom(id, "eva", "welcome back")));
}

TEST_F(ZoneRoomsTest, UserInformationComesFromTheStatisticsWithZerosForGamesNotPlayed) {
    server::Account eva, bob;
    ASSERT_EQ(m_server->Accounts().Find("eva", eva), server::AccountStore::Result::Ok);
    ASSERT_EQ(m_server->Accounts().Find("bob", bob), server::AccountStore::Result::Ok);
    server::GameStanding evaGammon, bobGammon;
    evaGammon.won = 3;
    evaGammon.lost = 1;
    evaGammon.rating.rating = 1520.4;
    bobGammon.won = 1;
    bobGammon.rating.rating = 1600;
    ASSERT_TRUE(m_server->Accounts().SaveStanding(eva.id, 2, evaGammon));
    ASSERT_TRUE(m_server->Accounts().SaveStanding(bob.id, 2, bobGammon));
    m_bob->Send("/" + Field("EVA"));
    ASSERT_TRUE(m_bob->PumpUntil([&] { return !m_bob->Messages().empty() && m_bob->Messages().back()[0] == 47; }));
    std::string info = m_bob->Messages().back();
    std::string zeros = Field("0") + Field("0") + Field("0") + Field("0") + Field("0");
    std::string games = zeros + Field("3") + Field("1") + Field("0") + Field("2") + Field("1520") + zeros + zeros;
    std::smatch m;
    ASSERT_TRUE(std::regex_match(info, m, std::regex("/eva\x01(\\d{4}-\\d\\d-\\d\\d)\x01(\\d\\d:\\d\\d)\x01" "2\x01"
                                                     "0\x01(.*)")));
    EXPECT_EQ(m[3].str(), games);
    m_bob->Send("/" + Field("ghost"));
    EXPECT_TRUE(Receive(*m_bob, "\x17" + Field("Nobody is called ghost.") + Field("System")));
}

TEST_F(ZoneRoomsTest, AFloodIsThrottledWithOneNoticeAndTheSessionKept) {
    for (int i = 0; i < 12; ++i) m_eva->Send(Say(kLobby, "line " + std::to_string(i)));
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(Receive(*m_bob, ChatFrom(kLobby, "eva", "line " + std::to_string(i))));
    std::string notice = "\x09" + Word(kLobby) + "\x05\x02" +
                         Field("System: You are writing too fast; wait a moment before the next line.");
    EXPECT_TRUE(Receive(*m_eva, notice));
    EXPECT_TRUE(NothingWithCode(*m_bob, 9));
    EXPECT_TRUE(NothingWithCode(*m_eva, 9));
    // Forty lines a minute: one more after a second and a half.
    m_clock.Advance(1500);
    m_eva->Send(Say(kLobby, "calm again"));
    EXPECT_TRUE(Receive(*m_bob, ChatFrom(kLobby, "eva", "calm again")));
    EXPECT_FALSE(m_eva->Closed());
}

TEST_F(ZoneRoomsTest, SleepShowsTheSleepingIconUntilTheNextLine) {
    constexpr int kAsleep = 24 + 0 + 2 + 1;  // "_zzz", girl, face 2
    m_eva->Send(Say(kLobby, "/sleep"));
    EXPECT_TRUE(Receive(*m_cat, RoomUserMessage(kLobby, kAsleep, "eva")));
    EXPECT_TRUE(NothingWithCode(*m_cat, 9));
    m_eva->Send(Say(kLobby, "back"));
    EXPECT_TRUE(Receive(*m_cat, RoomUserMessage(kLobby, kGirlFace2, "eva")));
    EXPECT_TRUE(Receive(*m_cat, ChatFrom(kLobby, "eva", "back")));
}

TEST_F(ZoneRoomsTest, TheNewsRoomTakesNoChatFromUsers) {
    m_eva->Send(EnterRoom(kNews));
    m_eva->Send(Say(kNews, "my news"));
    EXPECT_TRUE(Receive(*m_eva, "\x09" + Word(kNews) + "\x05\x02" + Field("System: This room is for reading only.")));
    EXPECT_TRUE(NothingWithCode(*m_bob, 9));
}

}  // namespace
}  // namespace servertest
