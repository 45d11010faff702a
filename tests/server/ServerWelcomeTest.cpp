// What a client gets after its logon is accepted: settings, rooms, users;
// the URLs it asks for, its option digits, the account data it lacks.
#include <gtest/gtest.h>

#include <deque>

#include "ZoneFixture.h"

namespace servertest {
namespace {

std::deque<std::string> WelcomeOf(ModelClient& client, size_t count) {
    client.PumpUntil([&] { return client.Messages().size() >= count; });
    client.Settle();
    return client.Messages();
}

std::string AccountData(const char* y, const char* m, const char* d, const char* g, const char* f) {
    return "'" + Field(y) + Field(m) + Field(d) + Field(g) + Field(f);
}

TEST_F(ZoneTest, TheWelcomeIsSettingsThenRoomsThenUsersInThisOrder) {
    auto bob = Enter("bob");
    auto eva = EnterKeepingWelcome("eva");
    std::deque<std::string> w = WelcomeOf(*eva, 9);
    ASSERT_EQ(w.size(), 9u);
    EXPECT_EQ(w[0], "o" + Field("1"));
    EXPECT_EQ(w[1], "0" + Field("30"));  // 48: banner interval, seconds
    EXPECT_EQ(w[2], "1" + Field("30"));  // 49: banner period, minutes
    EXPECT_EQ(w[3], "\"\x02" + Word(1) + '\0' + Field("Lobby") + Field("Lobby"));
    EXPECT_EQ(w[4], "\"\x02" + Word(2) + '\0' + Field("Games") + Field("Games"));
    EXPECT_EQ(w[5], "\"\x02" + Word(3) + '\0' + Field("Help") + Field("Help"));
    EXPECT_EQ(w[6], "\"\x05" + Word(4) + '\0' + Field("News") + Field("News"));
    // Every user, in the public room they look at; a first logon is "new".
    EXPECT_EQ(w[7], RoomUserMessage(kLobby, kGirlFace2New, "bob"));
    EXPECT_EQ(w[8], RoomUserMessage(kLobby, kGirlFace2New, "eva"));
    // The others learn of the newcomer from one message.
    EXPECT_TRUE(Receive(*bob, RoomUserMessage(kLobby, kGirlFace2New, "eva")));
    EXPECT_TRUE(NothingWithCode(*bob, '!'));
}

TEST_F(ZoneTest, APrivilegedAccountIsToldSoAndShownWithItsIcon) {
    auto first = Enter("eva");
    LogOff(first);
    ASSERT_TRUE(m_server->Accounts().SetPrivileged("eva", true));
    auto eva = EnterKeepingWelcome("eva");
    std::deque<std::string> w = WelcomeOf(*eva, 9);
    ASSERT_FALSE(w.empty());
    EXPECT_EQ(w[0], std::string("k\x01"));
    EXPECT_EQ(w.back(), RoomUserMessage(kLobby, 3, "eva"));  // "_gla", girl, face 2
}

TEST_F(ZoneTest, TheSevenUrlRequestsAreAnsweredEmptyWhereNoneIsConfigured) {
    m_config.zone.urls[0] = "http://zone.example/start";
    StartServer();
    auto eva = Enter("eva");
    for (char n = 1; n <= 7; ++n) eva->Send(std::string("c") + n);
    EXPECT_TRUE(Receive(*eva, std::string("c\x01") + Field("http://zone.example/start")));
    for (char n = 2; n <= 7; ++n) EXPECT_TRUE(Receive(*eva, std::string("c") + n + Field(""))) << int(n);
    eva->Send(std::string("c\x08"));
    eva->Send(std::string("c"));
    EXPECT_TRUE(NothingWithCode(*eva, 'c'));
}

TEST_F(ZoneTest, OptionDigitsAreStoredAndComeBackAtTheNextLogon) {
    auto eva = Enter("eva");
    eva->Send(std::string("n\x02\x01"));   // sound off: digit 1 becomes 0
    eva->Send(std::string("n\x11\x03"));   // option 17: digit 16 becomes 2
    eva->Send(std::string("n\x01\x03"));   // no option 1
    eva->Send(std::string("n\x05\x0B"));   // no digit 10
    eva->Send(std::string("n\x40\x02"));   // beyond the digits kept
    eva->Settle();
    LogOff(eva);
    auto again = EnterKeepingWelcome("eva");
    std::deque<std::string> w = WelcomeOf(*again, 1);
    ASSERT_FALSE(w.empty());
    EXPECT_EQ(w[0], "o" + Field("0000000000000002"));
}

TEST_F(ZoneTest, AMissingBirthdayIsAskedForAndTheUpdateIsStored) {
    auto eva = NewClient();
    // An impossible date is kept as not known.
    ASSERT_EQ(LogOn(*eva, RegistrationMessage("eva", "pw", 1990, 2, 30, 0, 1))[0], '\x01');
    m_registered["eva"] = true;
    std::deque<std::string> w = WelcomeOf(*eva, 4);
    ASSERT_GE(w.size(), 4u);
    EXPECT_EQ(w[3], AccountData("0", "0", "0", "0", "1"));
    eva->Messages().clear();
    eva->Send("(" + Field("") + Field("1992") + Field("2") + Field("29") + Field("1") + Field("2"));
    eva->Send("'");
    // The face stays: only privileged users choose one.
    EXPECT_TRUE(Receive(*eva, AccountData("1992", "2", "29", "1", "1")));
    // A known birthday stays; a new password is taken.
    eva->Send("(" + Field("newpw") + Field("1980") + Field("1") + Field("1") + Field("0") + Field("0"));
    eva->Send("'");
    EXPECT_TRUE(Receive(*eva, AccountData("1992", "2", "29", "1", "1")));
    // The new password is hashed beside the loop.
    EXPECT_TRUE(eva->PumpUntil([&] { return m_server->HashJobsOutstanding() == 0; }));
    LogOff(eva);
    auto again = NewClient();
    EXPECT_EQ(LogOn(*again, LogonMessage("eva", "newpw"))[0], '\x01');
}

TEST_F(ZoneTest, AChangedGenderChangesTheIconEveryoneSees) {
    auto bob = Enter("bob");
    auto eva = NewClient();
    ASSERT_EQ(LogOn(*eva, RegistrationMessage("eva", "pw", 0, 0, 0, 1, 2))[0], '\x01');
    ASSERT_TRUE(Receive(*bob, RoomUserMessage(kLobby, kGirlFace2New, "eva")));
    eva->Send("(" + Field("") + Field("1992") + Field("2") + Field("29") + Field("0") + Field("2"));
    // "_new", a boy, face 2.
    EXPECT_TRUE(Receive(*bob, RoomUserMessage(kLobby, 12 + 3 + 2 + 1, "eva")));
}

}  // namespace
}  // namespace servertest
