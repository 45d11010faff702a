// What a stranger can do to the server's door over loopback: connections
// that never log on, too many connections from one address, and password
// guessing. None of it may keep a user out or make the server hang.
#include <gtest/gtest.h>

#include <algorithm>

#include "ServerFixture.h"

namespace servertest {
namespace {

std::string Refused(int code) { return std::string("\xFF") + static_cast<char>(code); }
bool IsAccepted(const std::string& answer) { return !answer.empty() && answer[0] == '\x01'; }

class LimitsTest : public ServerTest {
protected:
    int LogLines(const std::string& part) const {
        return static_cast<int>(std::count_if(m_log.begin(), m_log.end(), [&](const std::string& line) {
            return line.find(part) != std::string::npos;
        }));
    }
    // Polls until the server holds no connections (or the passes run out).
    void DrainConnections() {
        for (int i = 0; i < 400 && (i < 5 || m_server->ConnectionCount() > 0); ++i) m_server->Poll(1);
    }
    // A client the server has accepted and given a session.
    std::unique_ptr<ModelClient> Held() {
        auto client = NewClient(true);
        client->SendKeepAlive();
        EXPECT_TRUE(client->PumpUntil([&] { return client->KeepAliveAnswers() == 1; }));
        return client;
    }
    // A connection the server closes before it says anything.
    bool ClosedAtOnce() {
        auto client = NewClient(true);
        client->SendKeepAlive();
        return client->PumpUntil([&] { return client->Closed(); }) && !client->HasSessionId();
    }
};

// A thousand resumable openings that hang up at once leave nothing behind:
// a session is kept for resumption only after its logon was accepted.
TEST_F(LimitsTest, AThousandDroppedAnonymousConnectionsLeaveTheDoorOpen) {
    Register("eva", "pw");
    constexpr int kBatches = 20, kBatch = 50;  // a batch stays below the pool of strangers
    for (int b = 0; b < kBatches; ++b) {
        for (int i = 0; i < kBatch; ++i) {
            ModelClient stranger(*m_server, m_server->Ports()[0]);
            ASSERT_TRUE(stranger.Connect());
            stranger.OpenResumable();  // 0xFE, then gone
        }
        DrainConnections();
        ASSERT_EQ(m_server->ConnectionCount(), 0u) << "batch " << b;
        ASSERT_EQ(m_server->SessionCount(), 0u) << "batch " << b;
    }
    EXPECT_EQ(LogLines("waiting for a resume"), 0);
    auto user = NewClient();
    EXPECT_TRUE(IsAccepted(LogOn(*user, LogonMessage("eva", "pw"))));
}

// Strangers who hold their connections take only the places of other
// strangers: the newest connection pushes out the one waiting longest.
TEST_F(LimitsTest, HeldAnonymousConnectionsCannotKeepAUserOut) {
    Register("eva", "pw");
    m_config.anonymousConnections = 8;
    StartServer();
    std::vector<std::unique_ptr<ModelClient>> strangers;
    for (int i = 0; i < 40; ++i) {
        strangers.push_back(NewClient(true));
        strangers.back()->Send("O");
    }
    strangers.back()->Settle(20);
    EXPECT_LE(m_server->AnonymousCount(), 8u);
    auto user = NewClient();
    EXPECT_TRUE(IsAccepted(LogOn(*user, LogonMessage("eva", "pw"))));
    EXPECT_EQ(m_server->UserCount(), 1u);
    // One log line for the address in this minute, not one per push.
    EXPECT_EQ(LogLines("its place went to a newer one"), 1);
}

TEST_F(LimitsTest, OneAddressHoldsAtMostItsConnections) {
    m_config.access.connectionsPerAddress = 3;
    StartServer();
    std::vector<std::unique_ptr<ModelClient>> held;
    for (int i = 0; i < 3; ++i) held.push_back(Held());
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(ClosedAtOnce()) << "attempt " << i;
    EXPECT_EQ(LogLines("too many open from this address"), 1);
    // A place given back is a place to take.
    held[0]->SendGoodbye();
    ASSERT_TRUE(held[0]->PumpUntil([&] { return held[0]->Closed(); }));
    DrainConnections();
    auto next = Held();
    EXPECT_TRUE(next->HasSessionId());
}

TEST_F(LimitsTest, OneAddressOpensAtMostItsConnectionsPerMinute) {
    m_config.access.connectionsPerMinute = 5;
    StartServer();
    for (int i = 0; i < 5; ++i) {
        auto client = Held();
        EXPECT_TRUE(client->HasSessionId()) << "connection " << i;
    }
    EXPECT_TRUE(ClosedAtOnce());
    m_clock.Advance(60000);
    EXPECT_TRUE(Held()->HasSessionId());
}

// Failed logons beyond the free ones make the next logon of the address and
// alias wait, doubling; a logon during the wait is refused at once, without
// its password being checked; a logon that gets through forgives.
TEST_F(LimitsTest, FailedLogonsSlowDownFurtherAttempts) {
    Register("eva", "pw");
    m_config.access.freeLogonFailures = 2;
    m_config.access.logonPenaltyMs = 4000;
    m_config.access.maxLogonPenaltyMs = 60000;
    StartServer();
    auto tryLogOn = [&](const std::string& password) {
        auto client = NewClient();
        return LogOn(*client, LogonMessage("eva", password));
    };
    for (int i = 0; i < 3; ++i) EXPECT_EQ(tryLogOn("guess"), Refused(1)) << "guess " << i;
    EXPECT_EQ(tryLogOn("pw"), Refused(3));
    EXPECT_EQ(m_server->HashJobsOutstanding(), 0u);
    m_clock.Advance(4000);
    EXPECT_EQ(tryLogOn("guess"), Refused(1));  // the wait is now 8 s
    m_clock.Advance(7999);
    EXPECT_EQ(tryLogOn("pw"), Refused(3));
    m_clock.Advance(1);
    EXPECT_TRUE(IsAccepted(tryLogOn("pw")));
    // Forgiven: one more guess is a free one again.
    EXPECT_EQ(tryLogOn("guess"), Refused(1));
    EXPECT_TRUE(IsAccepted(tryLogOn("pw")));
}

}  // namespace
}  // namespace servertest
