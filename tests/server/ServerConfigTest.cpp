// server.ini: the default file on first start, reading, and values that fall
// back to their defaults.
#include <gtest/gtest.h>

#include "IniReader.h"
#include "ServerConfig.h"
#include "ServerFixture.h"
#include "platform/Files.h"

namespace {

using server::ServerConfig;

class ServerConfigTest : public ::testing::Test {
protected:
    void SetUp() override { m_folder = servertest::MakeTempFolder(); }
    void TearDown() override { servertest::RemoveFolder(m_folder); }
    void Write(const std::string& text) {
        ASSERT_TRUE(platform::WriteWholeFile(m_folder + "server.ini", text.data(), static_cast<int64_t>(text.size())));
    }
    std::string m_folder;
};

TEST_F(ServerConfigTest, FirstStartWritesTheDefaultsIntoANewFolder) {
    std::string folder = m_folder + "a/b";
    ServerConfig config;
    std::string error;
    std::vector<std::string> warnings;
    ASSERT_TRUE(server::LoadServerConfig(folder, config, error, warnings)) << error;
    EXPECT_TRUE(platform::FileExists(folder + "/server.ini"));
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(config.folder, folder + "/");
    EXPECT_EQ(config.ports, (std::vector<uint16_t>{2000, 2001, 2002}));
    EXPECT_EQ(config.gracePeriodMs, 120000);
    EXPECT_EQ(config.DatabasePath(), folder + "/accounts.db");
    EXPECT_EQ(config.hashOpsLimit, 2u);
    EXPECT_EQ(config.hashMemLimitKiB, 65536u);
    // The limits against strangers are in the file with their defaults.
    EXPECT_EQ(config.anonymousConnections, 64);
    EXPECT_EQ(config.access.connectionsPerAddress, 16);
    EXPECT_EQ(config.access.connectionsPerMinute, 60);
    EXPECT_EQ(config.access.logonPenaltyMs, 2000);
}

TEST_F(ServerConfigTest, ValuesAreReadWithAnyLineEndAndLetterCase) {
    Write("[server]\nports = 3000, 3005-3006\nGRACEPERIOD=30\r\nmaxconnections=7\rDatabase=/var/x.db\n"
          "AnonymousConnections=9\nconnectionsperaddress=4\nConnectionsPerMinute=20\nFreeLogonFailures=0\n"
          "LogonPenalty=5\nMaxLogonPenalty=300\n");
    ServerConfig config;
    std::string error;
    std::vector<std::string> warnings;
    ASSERT_TRUE(server::LoadServerConfig(m_folder, config, error, warnings));
    EXPECT_EQ(config.ports, (std::vector<uint16_t>{3000, 3005, 3006}));
    EXPECT_EQ(config.gracePeriodMs, 30000);
    EXPECT_EQ(config.maxConnections, 7);
    EXPECT_EQ(config.DatabasePath(), "/var/x.db");
    EXPECT_EQ(config.anonymousConnections, 9);
    EXPECT_EQ(config.access.connectionsPerAddress, 4);
    EXPECT_EQ(config.access.connectionsPerMinute, 20);
    EXPECT_EQ(config.access.freeLogonFailures, 0);
    EXPECT_EQ(config.access.logonPenaltyMs, 5000);
    EXPECT_EQ(config.access.maxLogonPenaltyMs, 300000);
}

TEST_F(ServerConfigTest, BadValuesKeepTheirDefaultsAndAreReported) {
    Write("[Server]\r\nPorts=70000\r\nMaxConnections=0\r\nLogonTimeout=soon\r\nHashMemLimitKiB=1\r\n");
    ServerConfig config;
    std::string error;
    std::vector<std::string> warnings;
    ASSERT_TRUE(server::LoadServerConfig(m_folder, config, error, warnings));
    EXPECT_EQ(warnings.size(), 4u);
    EXPECT_EQ(config.ports.size(), 3u);
    EXPECT_EQ(config.maxConnections, 500);
    EXPECT_EQ(config.logonTimeoutMs, 60000);
    EXPECT_EQ(config.hashMemLimitKiB, 65536u);
}

TEST(IniReader, SectionsKeysAndLists) {
    server::IniReader ini;
    ini.Parse("x=1\n[A]\n; a comment\nk=1\n[b]\nk = two words \n[a]\nj=2\n[broken\nl=3\n");
    EXPECT_EQ(ini.ReadInteger("a", "K", 0), 1);
    EXPECT_EQ(ini.ReadInteger("a", "j", 0), 2);  // [a] continues [A]
    EXPECT_EQ(ini.ReadInteger("a", "l", 0), 3);  // "[broken" opens nothing
    EXPECT_EQ(ini.ReadString("b", "k", ""), "two words");
    EXPECT_FALSE(ini.Has("", "x"));
    std::vector<long long> list;
    ini.Parse("[p]\nl=5,1-3,2\nbad=1,x\nwide=1-999999\n");
    ASSERT_TRUE(ini.ReadIntList("p", "l", list));
    EXPECT_EQ(list, (std::vector<long long>{1, 2, 3, 5}));
    EXPECT_FALSE(ini.ReadIntList("p", "bad", list));
    EXPECT_FALSE(ini.ReadIntList("p", "wide", list));
}

}  // namespace

TEST_F(ServerConfigTest, ZoneRoomsUrlsAndLimitsAreReadAndBadOnesReported) {
    Write("[Zone]\nRoom1 = 2, 1, Chat, Caf\xC3\xA9, bar\nRoom2=1,0,forum,Private\nRoom5=5,0,news,Notes\n"
          "Url3=http://zone.example/bg\nChatBurst=0\nDefaultOptions=1x\n");
    ServerConfig config;
    std::string error;
    std::vector<std::string> warnings;
    ASSERT_TRUE(server::LoadServerConfig(m_folder, config, error, warnings));
    // Kind 1 is a forum, never a configured room; the others keep their order.
    ASSERT_EQ(config.zone.rooms.size(), 2u);
    EXPECT_EQ(config.zone.rooms[0].name, "Caf\xE9, bar");
    EXPECT_EQ(config.zone.rooms[0].prefix, "Chat");
    EXPECT_EQ(config.zone.rooms[0].flags, 1);
    EXPECT_EQ(config.zone.rooms[1].kind, 5);
    EXPECT_EQ(config.zone.urls[2], "http://zone.example/bg");
    EXPECT_EQ(config.zone.urls[0], "");
    EXPECT_EQ(warnings.size(), 3u);
    EXPECT_EQ(config.zone.chatBurst, 5);
    EXPECT_EQ(config.zone.defaultOptions, "1");
}

TEST_F(ServerConfigTest, BannersAndWebTabsAreReadAndBadTabsReported) {
    Write("[Zone]\nBanner2 = http://ads/a  http://ads/b?x=1,2\nBanner3=\n"
          "Area1Tab1=Live | Menu2 | http://cam/live | 30 | http://cam/words\nArea1Tab3=News|News|http://site/news\n"
          "Area2Tab1=Broken|Games|http://site/x|soon\nArea2Tab2=No url|Games\n");
    ServerConfig config;
    std::string error;
    std::vector<std::string> warnings;
    ASSERT_TRUE(server::LoadServerConfig(m_folder, config, error, warnings));
    EXPECT_TRUE(config.zone.banners[0].empty());
    EXPECT_EQ(config.zone.banners[1], (std::vector<std::string>{"http://ads/a", "http://ads/b?x=1,2"}));
    EXPECT_TRUE(config.zone.banners[2].empty());
    ASSERT_EQ(config.zone.webTabs[0].size(), 2u);
    EXPECT_EQ(config.zone.webTabs[0][0],
              (protocol::TWebTab{"Live", "Menu2", "http://cam/live", 30, "http://cam/words"}));
    EXPECT_EQ(config.zone.webTabs[0][1], (protocol::TWebTab{"News", "News", "http://site/news", 0, ""}));
    // Neither tab of area 2 is usable: the area stays for the web site.
    EXPECT_TRUE(config.zone.webTabs[1].empty());
    EXPECT_EQ(warnings.size(), 2u);
}
