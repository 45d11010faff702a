// Private tells between users of a room, and the operator's upload into the
// server's uploads folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "ZoneFixture.h"
#include "protocol/ClientMessages.h"

namespace servertest {
namespace {

std::string Say(uint16_t room, const std::string& text) { return Build(protocol::TSay{room, text}); }
// A user's line, and the zone's notice, in the default colours.
std::string Line(uint16_t room, const std::string& text) { return Build(protocol::TChatLine{room, 3, 1, text}); }
std::string Notice(uint16_t room, const std::string& text) { return Build(protocol::TChatLine{room, 5, 2, text}); }

class ZoneTellTest : public ZoneTest {
protected:
    void SetUp() override {
        ZoneTest::SetUp();
        m_eva = Enter("eva");
        m_bob = Enter("bob");
        m_cat = Enter("cat");
        for (ModelClient* c : {m_eva.get(), m_bob.get()}) {
            c->Settle();
            c->Messages().clear();
        }
    }
    std::unique_ptr<ModelClient> m_eva, m_bob, m_cat;
};

TEST_F(ZoneTellTest, OnlyTheNamedUserAndTheSenderSeeATell) {
    m_eva->Send(Say(kLobby, "/TELL Bob meet me at the Yatzy table"));
    const std::string line = "eva~>bob (private): meet me at the Yatzy table";
    EXPECT_TRUE(Receive(*m_bob, Line(0, line)));
    EXPECT_TRUE(Receive(*m_eva, Line(kLobby, line)));
    // Cat looks at the same room and sees nothing of it.
    EXPECT_TRUE(NothingWithCode(*m_cat, 9));
}

TEST_F(ZoneTellTest, ATellToNobodyOnlineIsANoticeToTheSender) {
    m_eva->Send(Say(kLobby, "/tell zed hello"));
    EXPECT_TRUE(Receive(*m_eva, Notice(kLobby, "System: zed is not online.")));
    m_eva->Send(Say(kLobby, "/tell bob"));
    EXPECT_TRUE(Receive(*m_eva, Notice(kLobby, "System: Write /tell, a name and your text.")));
    EXPECT_TRUE(NothingWithCode(*m_bob, 9));
    EXPECT_TRUE(NothingWithCode(*m_cat, 9));
}

class ZoneUploadTest : public ZoneTest {
protected:
    void SetUp() override {
        ZoneTest::SetUp();
        m_config.zone.uploadFolder = m_folder + "uploads/";
        m_config.zone.maxUploadBytes = 8000;
        StartServer();
        auto first = Enter("Sysop");
        LogOff(first);
        ASSERT_TRUE(m_server->Accounts().SetPrivileged("Sysop", true));
        m_sysop = Enter("Sysop");
        m_sysop->Settle();
        m_sysop->Messages().clear();
    }
    std::string Uploaded(const std::string& name) {
        std::ifstream in(m_folder + "uploads/" + name, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return in ? text.str() : "(none)";
    }
    static constexpr char kAskForChunk[] = "\x25";
    std::unique_ptr<ModelClient> m_sysop;
};

TEST_F(ZoneUploadTest, ChunksAreAskedForOneByOneAndTheFileLandsUnderItsLastName) {
    const std::string bytes = std::string(5000, 'a') + std::string(1000, '\0');
    m_sysop->Send(Build(protocol::TUploadStart{"../../etc/evil.txt", 6000}));
    ASSERT_TRUE(Receive(*m_sysop, kAskForChunk));
    m_sysop->Send(Build(protocol::TUploadChunk{bytes.substr(0, 5000)}));
    ASSERT_TRUE(Receive(*m_sysop, kAskForChunk));
    EXPECT_EQ(Uploaded("evil.txt"), "(none)");  // not before the last byte
    m_sysop->Send(Build(protocol::TUploadChunk{bytes.substr(5000)}));
    EXPECT_TRUE(Receive(*m_sysop, Notice(0, "System: Uploaded evil.txt (6000 bytes)")));
    EXPECT_EQ(Uploaded("evil.txt"), bytes);
    EXPECT_FALSE(std::filesystem::exists(m_folder + "uploads/evil.txt.part"));
}

TEST_F(ZoneUploadTest, TooLargeOverrunAndOtherAccountsAreRefused) {
    m_sysop->Send(Build(protocol::TUploadStart{"big.bin", 8001}));
    EXPECT_TRUE(Receive(*m_sysop, Notice(0, "System: Upload refused: the size must be 0 to 8000 bytes")));
    m_sysop->Send(Build(protocol::TUploadStart{"small.bin", 3}));
    ASSERT_TRUE(Receive(*m_sysop, kAskForChunk));
    m_sysop->Send(Build(protocol::TUploadChunk{"four"}));
    EXPECT_TRUE(Receive(*m_sysop, Notice(0, "System: Upload failed: more bytes than announced")));
    EXPECT_EQ(Uploaded("small.bin"), "(none)");
    EXPECT_FALSE(std::filesystem::exists(m_folder + "uploads/small.bin.part"));
    // An ordinary user named like nobody special is ignored.
    auto eva = Enter("eva");
    eva->Send(Build(protocol::TUploadStart{"x.bin", 1}));
    EXPECT_TRUE(NothingWithCode(*eva, 37));
}

}  // namespace
}  // namespace servertest
