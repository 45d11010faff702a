// Hostile input: random bytes, truncated frames, huge announced lengths and
// a zlib bomb end the offending session (or wait for bytes that never come)
// while an honest session beside them loses nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <zlib.h>

#include <random>

#include "ServerFixture.h"

namespace servertest {
namespace {

std::string Uint32(uint32_t v) {
    std::string s;
    for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    return s;
}

// A "y" frame whose stream inflates to far more than it announces.
std::string ZlibBomb(uint32_t announced) {
    std::string plain(8 << 20, 'A');
    uLongf size = compressBound(static_cast<uLong>(plain.size()));
    std::string stream(size, '\0');
    compress2(reinterpret_cast<Bytef*>(stream.data()), &size, reinterpret_cast<const Bytef*>(plain.data()),
              static_cast<uLong>(plain.size()), 9);
    stream.resize(size);
    return "y" + Uint32(static_cast<uint32_t>(stream.size() + 4)) + Uint32(announced) + stream;
}

class BadInputTest : public ServerTest {
protected:
    void SetUp() override {
        ServerTest::SetUp();
        m_server->OnUserMessage = [this](server::Session& s, const std::string& m) { m_server->Send(s, m); };
        Register("honest", "pw");
        m_honest = NewClient();
        ASSERT_EQ(LogOn(*m_honest, LogonMessage("honest", "pw"))[0], '\x01');
        m_honest->Messages().clear();
    }

    // The honest session still gets every echo, in order.
    void ExpectHonestServed() {
        for (int i = 0; i < 5; ++i) m_honest->Send("\x08" + std::to_string(m_next++));
        ASSERT_TRUE(m_honest->PumpUntil([&] { return m_honest->Messages().size() >= 5; }));
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(m_honest->Messages().front(), "\x08" + std::to_string(m_checked++));
            m_honest->Messages().pop_front();
        }
        EXPECT_FALSE(m_honest->Closed());
    }

    // A fresh connection sends bytes after its opening; true when the server
    // ended it.
    bool EndsSession(const std::string& bytes, bool resumable = true) {
        auto attacker = NewClient(resumable);
        attacker->WriteRaw(bytes);
        return attacker->PumpUntil([&] { return attacker->Closed(); });
    }

    std::unique_ptr<ModelClient> m_honest;
    int m_next = 0;
    int m_checked = 0;
};

TEST_F(BadInputTest, AnUnknownOpeningByteIsClosedAtOnce) {
    auto attacker = std::make_unique<ModelClient>(*m_server, m_server->Ports()[0]);
    ASSERT_TRUE(attacker->Connect());
    attacker->WriteRaw("GET / HTTP/1.0\r\n\r\n");
    EXPECT_TRUE(attacker->PumpUntil([&] { return attacker->Closed(); }));
    EXPECT_FALSE(attacker->HasSessionId());
    ExpectHonestServed();
}

TEST_F(BadInputTest, AnOverlongReconnectOpeningIsClosed) {
    auto attacker = std::make_unique<ModelClient>(*m_server, m_server->Ports()[0]);
    ASSERT_TRUE(attacker->Connect());
    attacker->WriteRaw("\xFD" + std::string(100, '9'));
    EXPECT_TRUE(attacker->PumpUntil([&] { return attacker->Closed(); }));
    ExpectHonestServed();
}

TEST_F(BadInputTest, RandomBytesNeverHurtTheOtherSessions) {
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        auto attacker = NewClient(round % 2 == 0);
        std::string junk(1 + random() % 3000, '\0');
        for (char& ch : junk) ch = static_cast<char>(random());
        attacker->WriteRaw(junk);
        attacker->Settle(3);
    }
    ExpectHonestServed();
}

TEST_F(BadInputTest, HugeAnnouncedLengthsEndTheSessionBeforeAnyAllocation) {
    EXPECT_TRUE(EndsSession("y" + Uint32(0xFFFFFFFF) + Uint32(0xFFFFFFFF)));
    EXPECT_TRUE(EndsSession("y" + Uint32(100) + Uint32(m_config.maxFrameBytes + 1)));
    EXPECT_TRUE(EndsSession("y" + Uint32(2) + Uint32(10)));  // C below 4
    EXPECT_TRUE(EndsSession(std::string("\x00", 1)));           // header 0
    ExpectHonestServed();
}

TEST_F(BadInputTest, AZlibBombEndsOnlyItsOwnSession) {
    EXPECT_TRUE(EndsSession(ZlibBomb(1000)));
    ExpectHonestServed();
}

TEST_F(BadInputTest, ServerFramesFromAClientEndTheSession) {
    EXPECT_TRUE(EndsSession("}12\x01"));
    EXPECT_TRUE(EndsSession("~12\x01"));
    EXPECT_TRUE(EndsSession("~" + std::string(40, '1')));  // without its end
    ExpectHonestServed();
}

TEST_F(BadInputTest, TruncatedFramesWaitWithoutHarmUntilTheLogonTimeOut) {
    auto a = NewClient();
    auto b = NewClient();
    auto c = NewClient();
    a->WriteRaw("\x76");                             // a 30000-byte header, no length
    b->WriteRaw(std::string("\x76\x30", 2) + "abc");  // its first bytes only
    c->WriteRaw("y" + Uint32(100));                  // no N
    for (auto* cl : {a.get(), b.get(), c.get()}) cl->Settle(5);
    for (auto* cl : {a.get(), b.get(), c.get()}) EXPECT_FALSE(cl->Closed());
    ExpectHonestServed();
    m_clock.Advance(m_config.logonTimeoutMs);
    for (auto* cl : {a.get(), b.get(), c.get()}) EXPECT_TRUE(cl->PumpUntil([&] { return cl->Closed(); }));
    ExpectHonestServed();
}

TEST_F(ServerTest, AFrameAboveTheLimitEndsTheSession) {
    m_config.maxFrameBytes = 1024;
    StartServer();
    auto exact = NewClient();
    exact->Send("\x08" + std::string(1023, 'x'));
    exact->SendKeepAlive();
    EXPECT_TRUE(exact->PumpUntil([&] { return exact->KeepAliveAnswers() == 1; }));
    auto over = NewClient();
    over->WriteRaw(std::string("\x05\x01", 2));  // announces 1025 bytes
    EXPECT_TRUE(over->PumpUntil([&] { return over->Closed(); }));
    EXPECT_TRUE(over->GotGoodbye());
    EXPECT_FALSE(exact->Closed());
}

TEST_F(ServerTest, AClientThatTakesNothingIsEndedAtTheBufferLimit) {
    m_config.maxBufferedBytes = 64 * 1024;
    StartServer();
    m_server->OnUserMessage = [this](server::Session& s, const std::string& m) {
        for (int i = 0; i < 20; ++i) m_server->Send(s, m);
    };
    Register("greedy", "pw");
    auto greedy = NewClient();
    ASSERT_EQ(LogOn(*greedy, LogonMessage("greedy", "pw"))[0], '\x01');
    // It never reads or acknowledges again: each message asks for 20 kB.
    std::string big = "\x08" + std::string(1000, 'g');
    size_t mostHeld = 0;
    for (int i = 0; i < 200 && m_server->SessionCount() > 0; ++i) {
        greedy->WriteRaw(std::string("\x04\xE9", 2) + big);  // a 1001-byte frame
        if (server::Session* s = m_server->FindSession(static_cast<uint32_t>(greedy->SessionId())))
            mostHeld = std::max(mostHeld, s->Stream().Buffered());
        m_server->Poll(1);
    }
    EXPECT_EQ(m_server->SessionCount(), 0u);
    // Nothing more is queued for it once it holds its limit.
    EXPECT_LE(mostHeld, static_cast<size_t>(m_config.maxBufferedBytes) + 1003);
}

}  // namespace
}  // namespace servertest
