// The logon conversation of a real client connection with the real server,
// done by hand as the logon window will do it: hello, the answer to the
// version query, the logon or registration logon on the prompt, and the
// server's verdict; then the session's end in each case.
#include <gtest/gtest.h>

#include <memory>

#include "HeadlessClient.h"
#include "ServerThread.h"

namespace e2etest {
namespace {

std::string Field(const std::string& text) { return text + '\x01'; }

std::string Logon(const std::string& alias, const std::string& password) {
    return "\x04" + Field("0") + Field("0") + Field(alias) + Field(password) + Field("0") + Field("42");
}

std::string Registration(const std::string& alias, const std::string& password) {
    return Logon(alias, password) + Field("1990") + Field("5") + Field("17") + Field("1") + Field("0");
}

bool IsAccepted(const std::string& m) {
    if (m.size() != 18 || m[0] != '\x01' || m.back() != '\x01') return false;
    for (size_t i = 1; i < 17; ++i)
        if (!std::isalnum(static_cast<unsigned char>(m[i]))) return false;
    return true;
}

class LogonTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        std::string error;
        ASSERT_TRUE(m_server.Start(nullptr, error)) << error;
    }
    void TearDown() override {
        m_server.Stop();
        HeadlessTest::TearDown();
    }

    std::unique_ptr<TRecordedClient> Connect() {
        auto c = std::make_unique<TRecordedClient>(true);
        c->client.Port = m_server.Port();
        c->client.Open();
        EXPECT_TRUE(c->client.LoggedIn());
        return c;
    }

    // The next application message, or "" when none comes.
    std::string Next(TRecordedClient& c) {
        size_t seen = m_taken;
        if (!StepUntil(c.client, [&] { return c.messages.size() > seen || c.disconnects > 0; }) ||
            c.messages.size() <= seen)
            return "";
        ++m_taken;
        return c.messages[seen];
    }

    // Hello, version query, prompt, then the logon message; the verdict.
    std::string Converse(TRecordedClient& c, const std::string& logon) {
        m_taken = 0;
        c.client.Send("O");
        std::string query = Next(c);
        EXPECT_EQ(query, "Q" + Field("lobbivex"));
        c.client.Send("Q" + Field("lobbivex") + Field("3.61"));
        EXPECT_EQ(Next(c), "R");
        c.client.Send(logon);
        return Next(c);
    }

    TServerThread m_server;
    size_t m_taken = 0;
};

TEST_F(LogonTest, RegistrationThenLogonAreAcceptedWithFreshWebPasswords) {
    auto first = Connect();
    std::string registered = Converse(*first, Registration("Ida", "hemmelig"));
    EXPECT_TRUE(IsAccepted(registered)) << registered;
    EXPECT_NE(first->client.SessionId(), 0);  // the "~" frame was taken by the connection
    first->client.Close();  // the goodbye; the server closes
    ASSERT_TRUE(StepUntil(first->client, [&] { return first->disconnects == 1; }));

    auto second = Connect();
    std::string accepted = Converse(*second, Logon("ida", "hemmelig"));
    EXPECT_TRUE(IsAccepted(accepted)) << accepted;
    EXPECT_NE(accepted, registered);
    EXPECT_TRUE(second->errors.empty());
    EXPECT_EQ(second->disconnects, 0);
}

TEST_F(LogonTest, AWrongPasswordIsRefusedAndTheSessionEndsAsAPlainClose) {
    auto first = Connect();
    ASSERT_TRUE(IsAccepted(Converse(*first, Registration("Ida", "hemmelig"))));
    auto wrong = Connect();
    EXPECT_EQ(Converse(*wrong, Logon("Ida", "forkert")), std::string("\xFF\x01", 2));
    // The server's goodbye ends the resumable session: no reconnect.
    ASSERT_TRUE(StepUntil(wrong->client, [&] { return wrong->disconnects == 1; }));
    EXPECT_EQ(wrong->client.ReconnectCount(), 0);
    EXPECT_TRUE(wrong->errors.empty());
}

TEST_F(LogonTest, ATakenAliasAndASecondLogonAreRefused) {
    auto first = Connect();
    ASSERT_TRUE(IsAccepted(Converse(*first, Registration("Ida", "hemmelig"))));
    auto taken = Connect();
    EXPECT_EQ(Converse(*taken, Registration("IDA", "andet")), std::string("\xFF\x0B", 2));
    auto again = Connect();
    EXPECT_EQ(Converse(*again, Logon("Ida", "hemmelig")), std::string("\xFF\x02", 2));
}

}  // namespace
}  // namespace e2etest
