// The logon over loopback: hello, version query, prompt, logon and
// registration, each refusal. What follows an accepted logon is in
// ServerWelcomeTest.cpp.
#include <gtest/gtest.h>

#include "LogonMessages.h"
#include "ServerFixture.h"

namespace servertest {
namespace {

std::string Refused(int code) { return std::string("\xFF") + static_cast<char>(code); }

bool IsAccepted(const std::string& answer) {
    // Code 1, a web password of 16 letters and digits, 0x01.
    if (answer.size() != 18 || answer[0] != '\x01' || answer.back() != '\x01') return false;
    for (size_t i = 1; i < 17; ++i)
        if (!std::isalnum(static_cast<unsigned char>(answer[i]))) return false;
    return true;
}

TEST_F(ServerTest, RegistrationThenLogonIsAcceptedWithFreshWebPasswords) {
    auto first = NewClient();
    std::string registered = LogOn(*first, RegistrationMessage("ib", "secret"));
    EXPECT_TRUE(IsAccepted(registered));
    first->SendGoodbye();
    ASSERT_TRUE(first->PumpUntil([&] { return first->Closed(); }));

    auto second = NewClient();
    std::string answer = LogOn(*second, LogonMessage("ib", "secret"));
    EXPECT_TRUE(IsAccepted(answer));
    EXPECT_NE(answer, registered);

    server::Account account;
    ASSERT_EQ(m_server->Accounts().Find("ib", account), server::AccountStore::Result::Ok);
    EXPECT_EQ(account.logonCount, 2);
    EXPECT_EQ(account.machine, 123456u);
    EXPECT_EQ(account.distribution, 7u);
    EXPECT_EQ(account.webPassword, answer.substr(1, 16));
    EXPECT_EQ(account.birthYear, 1990);
    EXPECT_EQ(account.gender, 1);
    EXPECT_EQ(account.face, 2);
    // Never the clear password.
    EXPECT_EQ(account.passwordHash.find("secret"), std::string::npos);
    for (const std::string& line : m_log) EXPECT_EQ(line.find("secret"), std::string::npos) << line;
}

TEST_F(ServerTest, WrongPasswordAndUnknownAliasAreRefusedWithErrorpassAndEnded) {
    Register("eva", "right");
    auto wrong = NewClient();
    EXPECT_EQ(LogOn(*wrong, LogonMessage("eva", "wrong")), Refused(1));
    ASSERT_TRUE(wrong->PumpUntil([&] { return wrong->Closed(); }));
    EXPECT_TRUE(wrong->GotGoodbye());

    auto unknown = NewClient();
    EXPECT_EQ(LogOn(*unknown, LogonMessage("nobody", "right")), Refused(1));
}

TEST_F(ServerTest, SecondLogonOfALiveAliasIsRefusedWithErrorconnected) {
    Register("eva", "pw");
    auto first = NewClient();
    ASSERT_TRUE(IsAccepted(LogOn(*first, LogonMessage("eva", "pw"))));
    auto second = NewClient();
    // Letter case does not make another user.
    EXPECT_EQ(LogOn(*second, LogonMessage("EVA", "pw")), Refused(2));
    // The first session is untouched.
    first->SendKeepAlive();
    EXPECT_TRUE(first->PumpUntil([&] { return first->KeepAliveAnswers() == 1; }));
}

TEST_F(ServerTest, ALogonReplacesASessionWaitingToBeResumed) {
    Register("eva", "pw");
    auto first = NewClient();
    ASSERT_TRUE(IsAccepted(LogOn(*first, LogonMessage("eva", "pw"))));
    first->CloseSocket();
    first->Settle();
    auto second = NewClient();
    EXPECT_TRUE(IsAccepted(LogOn(*second, LogonMessage("eva", "pw"))));
    // The old session is gone: its reconnect is told goodbye.
    EXPECT_FALSE(first->Reconnect());
    EXPECT_TRUE(first->GotGoodbye());
}

TEST_F(ServerTest, RegistrationOfATakenOrUnacceptableAliasIsRefusedWithErroralias) {
    Register("Eva", "pw");
    for (const std::string& alias : {std::string("eva"), std::string("a[b"), std::string("a]b"), std::string("a=b"),
                                     std::string("a:b"), std::string("a,b"), std::string("a~b"),
                                     std::string(17, 'x'), std::string(" eva")}) {
        auto client = NewClient();
        EXPECT_EQ(LogOn(*client, RegistrationMessage(alias, "pw")), Refused(11)) << alias;
    }
    auto sixteen = NewClient();
    EXPECT_TRUE(IsAccepted(LogOn(*sixteen, RegistrationMessage(std::string(16, 'x'), "pw"))));
    EXPECT_EQ(m_server->Accounts().Count(), 2);
}

TEST_F(ServerTest, ABannedAccountIsRefusedWithErrorbandOnlyWithTheRightPassword) {
    Register("eva", "pw");
    ASSERT_TRUE(m_server->Accounts().SetBanned("eva", true));
    auto wrong = NewClient();
    EXPECT_EQ(LogOn(*wrong, LogonMessage("eva", "nope")), Refused(1));
    auto right = NewClient();
    EXPECT_EQ(LogOn(*right, LogonMessage("eva", "pw")), Refused(10));
}

TEST_F(ServerTest, SessionsBeyondTheLimitAreRefusedWithErrortoomany) {
    Register("a", "pw");
    Register("b", "pw");
    m_config.maxConnections = 1;
    StartServer();
    auto first = NewClient();
    ASSERT_TRUE(IsAccepted(LogOn(*first, LogonMessage("a", "pw"))));
    auto second = NewClient();
    EXPECT_EQ(LogOn(*second, LogonMessage("b", "pw")), Refused(3));
    // The place is free again once the first user has gone.
    first->SendGoodbye();
    ASSERT_TRUE(first->PumpUntil([&] { return first->Closed(); }));
    auto third = NewClient();
    EXPECT_TRUE(IsAccepted(LogOn(*third, LogonMessage("b", "pw"))));
}

TEST_F(ServerTest, WithoutAVersionQueryThePromptFollowsTheHello) {
    m_config.versionQuery = "";
    StartServer();
    Register("eva", "pw");
    auto client = NewClient();
    client->Send("O");
    std::string m;
    ASSERT_TRUE(client->NextMessage(m));
    EXPECT_EQ(m, "R");
}

TEST_F(ServerTest, MessagesOutOfTurnAreIgnored) {
    Register("eva", "pw");
    auto client = NewClient();
    // A logon before the prompt, an account request before the logon.
    client->Send(LogonMessage("eva", "pw"));
    client->Send("'");
    client->Settle();
    EXPECT_TRUE(client->Messages().empty());
    EXPECT_TRUE(IsAccepted(LogOn(*client, LogonMessage("eva", "pw"))));
}

TEST_F(ServerTest, AMalformedLogonIsRefused) {
    auto client = NewClient();
    ASSERT_TRUE(ReachPrompt(*client));
    client->Send("\x04" + Field("0") + "no fields");
    std::string m;
    ASSERT_TRUE(client->NextMessage(m));
    EXPECT_EQ(m, Refused(1));
}

TEST_F(ServerTest, OtherMessagesOfALoggedOnSessionReachTheZoneHook) {
    Register("eva", "pw");
    std::vector<std::string> seen;
    m_server->OnUserMessage = [&](server::Session& s, const std::string& m) {
        seen.push_back(s.Alias() + ":" + m);
    };
    auto client = NewClient();
    client->Send("\x08 before logon");
    ASSERT_TRUE(IsAccepted(LogOn(*client, LogonMessage("eva", "pw"))));
    client->Send("z15");
    client->Send("\x08hello");
    ASSERT_TRUE(client->PumpUntil([&] { return !seen.empty(); }));
    EXPECT_EQ(seen, std::vector<std::string>{"eva:\x08hello"});
    EXPECT_EQ(m_server->FindSession(static_cast<uint32_t>(client->SessionId()))->PingMs(), 15);
}

TEST_F(ServerTest, AConnectionThatDoesNotLogOnInTimeIsEnded) {
    auto client = NewClient();
    ASSERT_TRUE(ReachPrompt(*client));
    m_clock.Advance(m_config.logonTimeoutMs - 1);
    client->Settle();
    EXPECT_FALSE(client->Closed());
    m_clock.Advance(1);
    EXPECT_TRUE(client->PumpUntil([&] { return client->Closed(); }));
    EXPECT_TRUE(client->GotGoodbye());
    EXPECT_EQ(m_server->SessionCount(), 0u);
}

}  // namespace
}  // namespace servertest
