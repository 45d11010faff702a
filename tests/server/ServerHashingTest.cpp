// Password hashing runs beside the loop: other sessions are served while a
// logon is hashed, and a session that goes away meanwhile is handled.
#include <gtest/gtest.h>

#include "LogonMessages.h"
#include "protocol/FrameCodec.h"
#include "ServerFixture.h"

namespace servertest {
namespace {

// Waits until the server has taken a check in and then until it has
// answered it (or dropped its answer).
bool CheckComesAndGoes(ModelClient& pump, server::Server& s) {
    return pump.PumpUntil([&] { return s.HashJobsOutstanding() > 0; }) &&
           pump.PumpUntil([&] { return s.HashJobsOutstanding() == 0; }, 4000);
}

TEST_F(ServerTest, ASecondSessionIsServedWhileARegistrationIsHashed) {
    // A hash far slower than a few loopback round trips.
    m_config.hashOpsLimit = 4;
    m_config.hashMemLimitKiB = 64 * 1024;
    StartServer();
    auto slow = NewClient();
    ASSERT_TRUE(ReachPrompt(*slow));
    slow->Send(RegistrationMessage("slow", "pw"));
    ASSERT_TRUE(slow->PumpUntil([&] { return m_server->HashJobsOutstanding() == 1; }));

    auto quick = NewClient();
    quick->SendKeepAlive();
    ASSERT_TRUE(ReachPrompt(*quick));
    ASSERT_TRUE(quick->PumpUntil([&] { return quick->KeepAliveAnswers() == 1; }));
    // All of that happened while the registration still waited for its hash.
    EXPECT_EQ(m_server->HashJobsOutstanding(), 1u);
    server::Session* waiting = m_server->FindSession(static_cast<uint32_t>(slow->SessionId()));
    ASSERT_NE(waiting, nullptr);
    EXPECT_EQ(waiting->State(), server::LogonState::Checking);

    std::string answer;
    ASSERT_TRUE(slow->NextMessage(answer, 4000));
    EXPECT_EQ(answer[0], '\x01');
}

TEST_F(ServerTest, APlainSessionThatLeavesDuringItsHashRegistersNothing) {
    auto ghost = NewClient(false);
    ASSERT_TRUE(ReachPrompt(*ghost));
    ghost->Send(RegistrationMessage("ghost", "pw"));
    ghost->CloseSocket();  // gone before the server has even read the logon
    auto other = NewClient();
    ASSERT_TRUE(CheckComesAndGoes(*other, *m_server));
    server::Account account;
    EXPECT_EQ(m_server->Accounts().Find("ghost", account), server::AccountStore::Result::NotFound);
    // The alias is free for the next one.
    Register("ghost", "pw");
}

// Only a logged-on session waits to be resumed: one that drops while its
// password is checked is gone at once, and the answer is discarded.
TEST_F(ServerTest, AResumableSessionDroppedDuringItsCheckIsGone) {
    Register("eva", "pw");
    auto client = NewClient();
    ASSERT_TRUE(ReachPrompt(*client));
    client->Send(LogonMessage("eva", "pw"));
    client->CloseSocket();
    ASSERT_TRUE(CheckComesAndGoes(*client, *m_server));
    EXPECT_EQ(m_server->SessionCount(), 0u);
    EXPECT_FALSE(client->Reconnect());
    EXPECT_TRUE(client->GotGoodbye());
}

TEST_F(ServerTest, MessagesWhileThePasswordIsCheckedAreIgnored) {
    Register("eva", "pw");
    std::vector<std::string> seen;
    m_server->OnUserMessage = [&](server::Session&, const std::string& m) { seen.push_back(m); };
    auto client = NewClient(false);
    ASSERT_TRUE(ReachPrompt(*client));
    // Both frames in one write, so the server reads them in one pass, before
    // the check can be done.
    std::string both;
    protocol::EncodeFrame(LogonMessage("eva", "pw"), {}, both);
    protocol::EncodeFrame(LogonMessage("eva", "wrong"), {}, both);
    client->WriteRaw(both);
    std::string answer;
    ASSERT_TRUE(client->NextMessage(answer));
    EXPECT_EQ(answer[0], '\x01');
    client->Settle();
    EXPECT_TRUE(client->Messages().empty());
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(m_server->HashJobsOutstanding(), 0u);
    EXPECT_FALSE(client->Closed());
}

}  // namespace
}  // namespace servertest
