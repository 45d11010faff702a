// The session framing over loopback: openings, keep-alive answers, session
// numbers, acknowledgements in both directions, resumption with an exact
// resend, goodbyes, time-outs and the flood throttle.
#include <gtest/gtest.h>

#include <random>

#include "ServerFixture.h"

namespace servertest {
namespace {

class TransportTest : public ServerTest {
protected:
    // A logged-on session whose every other message the server echoes.
    std::unique_ptr<ModelClient> EchoSession(bool resumable = true) {
        m_server->OnUserMessage = [this](server::Session& s, const std::string& m) { m_server->Send(s, m); };
        Register("eva", "pw");
        auto client = NewClient(resumable);
        std::string answer = LogOn(*client, LogonMessage("eva", "pw"));
        EXPECT_EQ(answer[0], '\x01');
        return client;
    }
};

std::string Numbered(int n, size_t length) {
    std::string m = "\x08" + std::to_string(n) + ":";
    m.resize(length, static_cast<char>('a' + n % 26));
    return m;
}

TEST_F(TransportTest, EveryKeepAliveIsAnswered) {
    auto client = NewClient(false);
    for (int i = 0; i < 3; ++i) client->SendKeepAlive();
    EXPECT_TRUE(client->PumpUntil([&] { return client->KeepAliveAnswers() == 3; }));
}

TEST_F(TransportTest, OnlyAResumableOpeningGetsASessionNumber) {
    auto resumable = NewClient(true);
    auto plain = NewClient(false);
    resumable->SendKeepAlive();
    plain->SendKeepAlive();
    ASSERT_TRUE(resumable->PumpUntil([&] { return resumable->KeepAliveAnswers() == 1; }));
    ASSERT_TRUE(plain->PumpUntil([&] { return plain->KeepAliveAnswers() == 1; }));
    EXPECT_TRUE(resumable->HasSessionId());
    EXPECT_GE(resumable->SessionId(), 1u);
    EXPECT_LE(resumable->SessionId(), 0x7FFFFFFFu);
    EXPECT_FALSE(plain->HasSessionId());
}

TEST_F(TransportTest, OneAcknowledgementPerThousandFrameBytesTheOpeningExcluded) {
    auto client = NewClient(true);
    // 999 frame bytes: the opening does not make them a thousand.
    client->Send(std::string(997, 'x'));  // two header bytes + 997
    client->Settle();
    EXPECT_EQ(client->AcknowledgementsReceived(), 0);
    client->SendKeepAlive();  // byte 1000
    ASSERT_TRUE(client->PumpUntil([&] { return client->AcknowledgementsReceived() == 1; }));
    client->Send(std::string(998, 'y'));  // 2000
    ASSERT_TRUE(client->PumpUntil([&] { return client->AcknowledgementsReceived() == 2; }));
    client->Settle();
    EXPECT_EQ(client->AcknowledgementsReceived(), 2);
    EXPECT_FALSE(client->ProtocolFault()) << client->Fault();
}

TEST_F(TransportTest, APlainSessionIsNeverAcknowledged) {
    auto client = NewClient(false);
    for (int i = 0; i < 5; ++i) client->Send(std::string(1000, 'x'));
    client->SendKeepAlive();
    ASSERT_TRUE(client->PumpUntil([&] { return client->KeepAliveAnswers() == 1; }));
    EXPECT_EQ(client->AcknowledgementsReceived(), 0);
}

TEST_F(TransportTest, TheServerTakesTheClientsAcknowledgements) {
    auto client = EchoSession();
    for (int i = 0; i < 20; ++i) client->Send(Numbered(i, 500));
    ASSERT_TRUE(client->PumpUntil([&] { return client->Messages().size() == 20; }));
    client->Settle();
    EXPECT_GE(client->AcknowledgementsQueued(), 10);
    // Acknowledged bytes are forgotten: only the unacknowledged rest is held.
    server::Session* s = m_server->FindSession(static_cast<uint32_t>(client->SessionId()));
    ASSERT_NE(s, nullptr);
    EXPECT_LT(s->Stream().Buffered(), 1000u);
    EXPECT_FALSE(client->ProtocolFault()) << client->Fault();
}

TEST_F(TransportTest, AnAcknowledgementOfBytesNeverSentEndsTheSession) {
    auto client = NewClient(true);
    client->WriteRaw("\x7F");
    EXPECT_TRUE(client->PumpUntil([&] { return client->Closed(); }));
    EXPECT_TRUE(client->GotGoodbye());
}

TEST_F(TransportTest, AResumeAfterADropResendsExactlyWhatWasLostBothWays) {
    auto client = EchoSession();
    client->Messages().clear();
    // In flight when the line breaks: two messages out, and the echoes of
    // two earlier ones on their way in.
    client->Send(Numbered(1, 300));
    client->Send(Numbered(2, 300));
    client->Settle();
    ASSERT_EQ(client->Messages().size(), 2u);
    client->Messages().clear();
    client->Send(Numbered(3, 300));
    client->Settle();  // the echo of 3 is written by the server
    client->LoseIncoming();
    client->LoseOutgoing(true);
    client->Send(Numbered(4, 300));
    client->CloseSocket();
    client->Settle();
    ASSERT_TRUE(client->Reconnect());
    ASSERT_TRUE(client->PumpUntil([&] { return client->Messages().size() == 2; }));
    client->Settle();
    EXPECT_EQ(client->Messages().size(), 2u);
    EXPECT_EQ(client->Messages()[0], Numbered(3, 300));
    EXPECT_EQ(client->Messages()[1], Numbered(4, 300));
    EXPECT_FALSE(client->ProtocolFault()) << client->Fault();
}

// Cuts the line again and again while numbered messages flow both ways, at
// random points and at every acknowledgement boundary the client passes;
// every message must arrive exactly once and in order.
TEST_F(TransportTest, EveryMessageArrivesOnceAndInOrderAcrossManyCuts) {
    // The clock stands still here, so the flood budget must hold everything.
    m_config.floodBurst = 1000000;
    StartServer();
    auto client = EchoSession();
    client->Messages().clear();
    std::mt19937 random(12345);
    int sent = 0, received = 0, cuts = 0;
    int lastAcks = client->AcknowledgementsQueued();
    const int kMessages = 600;
    while (received < kMessages) {
        if (sent < kMessages) client->Send(Numbered(sent++, 20 + random() % 400));
        if (random() % 3 == 0) client->Settle(2);
        bool atBoundary = client->AcknowledgementsQueued() != lastAcks;
        lastAcks = client->AcknowledgementsQueued();
        if (atBoundary || random() % 25 == 0) {
            if (random() % 2) client->LoseIncoming();
            client->LoseOutgoing(random() % 2 == 0);
            if (sent < kMessages) client->Send(Numbered(sent++, 50));
            client->CloseSocket();
            client->Settle(2);
            ASSERT_TRUE(client->Reconnect()) << "cut " << cuts << ": " << client->Fault();
            ++cuts;
        }
        client->Settle(1);
        while (!client->Messages().empty()) {
            ASSERT_EQ(client->Messages().front().substr(0, 8), Numbered(received, 8)) << "after " << cuts << " cuts";
            client->Messages().pop_front();
            ++received;
        }
        ASSERT_FALSE(client->ProtocolFault()) << client->Fault();
        if (sent == kMessages && received < kMessages) {
            ASSERT_TRUE(client->PumpUntil([&] { return !client->Messages().empty(); }))
                << received << " of " << sent << " after " << cuts << " cuts; session "
                << (m_server->SessionCount() ? "alive" : "gone") << "; last log: " << m_log.back();
        }
    }
    EXPECT_GT(cuts, 100);
    RecordProperty("cuts", cuts);
}

TEST_F(TransportTest, AReconnectToAnUnknownOrExpiredSessionIsToldGoodbye) {
    auto client = EchoSession();
    client->CloseSocket();
    client->Settle();
    m_clock.Advance(m_config.gracePeriodMs);
    client->Settle();
    EXPECT_EQ(m_server->SessionCount(), 0u);
    EXPECT_FALSE(client->Reconnect());
    EXPECT_TRUE(client->GotGoodbye());
}

TEST_F(TransportTest, AReconnectWithinTheGracePeriodKeepsTheLogon) {
    auto client = EchoSession();
    client->CloseSocket();
    client->Settle();
    m_clock.Advance(m_config.gracePeriodMs - 1);
    client->Settle();
    ASSERT_TRUE(client->Reconnect());
    client->Messages().clear();
    client->Send("\x08still here");
    std::string m;
    ASSERT_TRUE(client->NextMessage(m));
    EXPECT_EQ(m, "\x08still here");
}

TEST_F(TransportTest, AResumeFromACountTheServerCannotServeEndsTheSession) {
    auto client = EchoSession();
    auto thief = std::make_unique<ModelClient>(*m_server, m_server->Ports()[0]);
    ASSERT_TRUE(thief->Connect());
    thief->WriteRaw(protocol::ReconnectOpening(client->SessionId(), 1000000));
    EXPECT_TRUE(thief->PumpUntil([&] { return thief->Closed(); }));
    EXPECT_EQ(m_server->SessionCount(), 0u);
}

TEST_F(TransportTest, TheClientsGoodbyeEndsTheSessionAndAPlainDropEndsItAtOnce) {
    auto resumable = NewClient(true);
    resumable->SendGoodbye();
    EXPECT_TRUE(resumable->PumpUntil([&] { return resumable->Closed(); }));
    auto plain = NewClient(false);
    plain->SendKeepAlive();
    ASSERT_TRUE(plain->PumpUntil([&] { return plain->KeepAliveAnswers() == 1; }));
    plain->CloseSocket();
    EXPECT_TRUE(plain->PumpUntil([&] { return m_server->SessionCount() == 0; }));
}

TEST_F(TransportTest, ASilentSocketIsDroppedAndItsSessionWaitsForAResume) {
    auto client = EchoSession();
    m_clock.Advance(m_config.idleTimeoutMs);
    ASSERT_TRUE(client->PumpUntil([&] { return client->Closed(); }));
    EXPECT_FALSE(client->GotGoodbye());
    EXPECT_EQ(m_server->SessionCount(), 1u);
    EXPECT_TRUE(client->Reconnect());
}

TEST_F(TransportTest, AFloodIsThrottledNotDropped) {
    m_config.floodBurst = 50;
    m_config.floodFramesPerSecond = 100;
    StartServer();
    auto client = NewClient(false);
    std::string flood;
    for (int i = 0; i < 200; ++i) flood += "{";
    client->WriteRaw(flood);
    client->Settle(50);
    EXPECT_EQ(client->KeepAliveAnswers(), 50);
    // Each 100 ms of the clock lets ten more through.
    m_clock.Advance(100);
    client->Settle(20);
    EXPECT_EQ(client->KeepAliveAnswers(), 60);
    // The bucket never holds more than the burst.
    m_clock.Advance(10000);
    client->Settle(20);
    EXPECT_EQ(client->KeepAliveAnswers(), 110);
    for (int i = 0; i < 10 && client->KeepAliveAnswers() < 200; ++i) {
        m_clock.Advance(1000);
        client->Settle(20);
    }
    EXPECT_EQ(client->KeepAliveAnswers(), 200);
    EXPECT_FALSE(client->Closed());
}

// A client that only downloads (an update's chunks) answers every thousand
// bytes with an acknowledgement. Those frames are bounded by what the server
// wrote, so they spend nothing of the flood budget: counted, they held a
// download to a hundred acknowledgements, about 100 KB, a second.
TEST_F(TransportTest, AcknowledgementsSpendNoFloodBudget) {
    m_config.floodBurst = 40;
    StartServer();
    auto client = EchoSession();
    for (int i = 0; i < 20; ++i) client->Send(Numbered(i, 2000));
    ASSERT_TRUE(client->PumpUntil([&] { return client->Messages().size() == 20; }));
    client->Settle();
    ASSERT_GE(client->AcknowledgementsQueued(), 30);
    // The clock stands still: only budget left over lets this through.
    client->Send(Numbered(20, 10));
    EXPECT_TRUE(client->PumpUntil([&] { return client->Messages().size() == 21; }));
    EXPECT_FALSE(client->ProtocolFault()) << client->Fault();
}

TEST_F(TransportTest, TheServerListensOnEveryConfiguredPort) {
    m_config.ports = {0, 0, 0};
    StartServer();
    ASSERT_EQ(m_server->Ports().size(), 3u);
    for (uint16_t port : m_server->Ports()) {
        ModelClient client(*m_server, port);
        ASSERT_TRUE(client.Connect());
        client.OpenPlain();
        client.SendKeepAlive();
        EXPECT_TRUE(client.PumpUntil([&] { return client.KeepAliveAnswers() == 1; })) << port;
    }
}

TEST_F(TransportTest, ShutdownSaysGoodbyeToEverySession) {
    auto client = NewClient(true);
    client->SendKeepAlive();
    ASSERT_TRUE(client->PumpUntil([&] { return client->KeepAliveAnswers() == 1; }));
    m_server->Shutdown();
    client->Settle(5);
    EXPECT_TRUE(client->GotGoodbye());
}

}  // namespace
}  // namespace servertest
