// TClient's session: connect attempts and ports, resumption after a dropped
// connection, the goodbye, the port probe, and the input it must refuse.
#include <cerrno>
#include <thread>

#include "net/transport/SocketHandler.h"

#include "ClientFixture.h"

namespace {

using nettest::ClientFixture;
using nettest::ClosedPort;
using nettest::Frame;
using nettest::Pattern;
using nettest::TPeer;

using ClientSession = ClientFixture;

// Drops the peer's connection and lets the client reconnect; returns the
// reconnect opening the peer then receives.
protocol::TOpening DropAndReconnect(TPeer& peer, Tnet& c) {
    peer.Drop();
    EXPECT_TRUE(ClientFixture::PumpUntil([&] { return c.AwaitingResume(); }));
    EXPECT_TRUE(peer.Accept());
    std::string bytes = peer.ReadAvailable();
    protocol::TOpening opening;
    EXPECT_EQ(protocol::ParseOpening(bytes, opening), protocol::OpeningStatus::Complete);
    EXPECT_EQ(opening.kind, protocol::OpeningKind::Reconnect);
    EXPECT_EQ(opening.length, bytes.size());
    return opening;
}

TEST_F(ClientSession, ResendsWhatTheServerLostAfterAResumeReply) {
    Tnet& c = Connected(true);
    peer.Write("~7\x01");
    ASSERT_TRUE(ReceivedBytes(3));
    std::string a = Pattern(50, 1), b = Pattern(60, 2);
    c.Send(a);
    c.Send(b);
    EXPECT_EQ(PeerFrame().payload, a);
    EXPECT_EQ(PeerFrame().payload, b);
    uint64_t sent = c.BytesSent();
    EXPECT_EQ(sent, 1u + 1u + 51u + 61u);  // opening, keep-alive, two frames

    int64_t droppedAt = NowMs();
    protocol::TOpening opening = DropAndReconnect(peer, c);
    EXPECT_EQ(opening.session, 7u);
    EXPECT_EQ(opening.bytesReceived, 3u);
    EXPECT_EQ(reconnects, 1);
    EXPECT_EQ(c.ReconnectCount(), 1);
    EXPECT_GE(c.LastAttemptAt() - droppedAt, 0);
    EXPECT_TRUE(errors.empty());  // a resumable drop never reaches the application

    // The server lost frame b: it has 1 + 1 + 51 bytes.
    peer.Write("}53");
    ASSERT_TRUE(PumpUntil([&] { return c.Socket()->BytesReceived() == 3; }));
    EXPECT_TRUE(c.AwaitingResume());  // the reply waits for its 0x01
    peer.Write("\x01" + Frame("after"));
    ASSERT_TRUE(PumpUntil([&] { return !messages.empty(); }));
    EXPECT_EQ(messages, std::vector<std::string>{"after"});
    EXPECT_FALSE(c.AwaitingResume());
    EXPECT_EQ(PeerFrame().payload, b);
    EXPECT_EQ(c.BytesSent(), sent);
    EXPECT_EQ(c.BytesReceived(), 3u + 6u);  // the reply itself is not counted
}

// A connection lost while the resume reply is arriving: the part that came
// is no stream data, and the next reconnect starts from a clean buffer.
TEST_F(ClientSession, AResumeReplyCutHalfwayIsForgottenOnTheNextReconnect) {
    Tnet& c = Connected(true);
    peer.Write("~7\x01" + Frame("before"));
    ASSERT_TRUE(PumpUntil([&] { return messages.size() == 1; }));
    uint64_t received = c.BytesReceived();

    DropAndReconnect(peer, c);
    peer.Write("}2");
    ASSERT_TRUE(PumpUntil([&] { return c.Socket()->BytesReceived() == 2; }));
    EXPECT_TRUE(c.AwaitingResume());
    peer.Drop();
    ASSERT_TRUE(PumpUntil([&] { return c.ReconnectCount() == 2 && c.AwaitingResume(); }));
    ASSERT_TRUE(peer.Accept());
    protocol::TOpening second;
    ASSERT_EQ(protocol::ParseOpening(peer.ReadAvailable(), second), protocol::OpeningStatus::Complete);
    EXPECT_EQ(second.bytesReceived, received);

    peer.Write("}2\x01" + Frame("after"));
    ASSERT_TRUE(PumpUntil([&] { return messages.size() == 2; }));
    EXPECT_EQ(messages, (std::vector<std::string>{"before", "after"}));
    EXPECT_FALSE(c.AwaitingResume());
    EXPECT_EQ(c.BytesReceived(), received + 6);
    EXPECT_EQ(c.PendingReceive(), 0);
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(disconnects, 0);
}

TEST_F(ClientSession, ResumeThatCannotBeServedEndsAsAPlainClose) {
    // A reply above what was sent.
    Tnet& c = Connected(true);
    DropAndReconnect(peer, c);
    peer.Write("}999999\x01");
    ASSERT_TRUE(PumpUntil([&] { return disconnects == 1; }));
    EXPECT_TRUE(errors.empty());
    EXPECT_FALSE(c.Resumable);

    // A reply reaching back past bytes an acknowledgement let go.
    disconnects = 0;
    Tnet& d = Connected(true);
    d.Send(Pattern(1098));  // 1100 bytes with its header
    ASSERT_EQ(peer.Read(1100).size(), 1100u);
    peer.Write("\x7F");
    ASSERT_TRUE(PumpUntil([&] { return d.SendBuffer().Size() < 1100; }));
    DropAndReconnect(peer, d);
    peer.Write("}1\x01");
    ASSERT_TRUE(PumpUntil([&] { return disconnects == 1; }));
    EXPECT_TRUE(errors.empty());

    // Something other than a resume reply.
    disconnects = 0;
    Tnet& e = Connected(true);
    DropAndReconnect(peer, e);
    peer.Write(Frame("hello"));
    ASSERT_TRUE(PumpUntil([&] { return disconnects == 1; }));
    EXPECT_TRUE(messages.empty());
}

TEST_F(ClientSession, AcknowledgementWithoutSentBytesIsAProtocolError) {
    Connected(true);
    peer.Write("\x7F");
    ASSERT_TRUE(PumpUntil([&] { return disconnects == 1; }));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("Protocol error"), std::string::npos);
    EXPECT_EQ(reconnects, 0);
}

TEST_F(ClientSession, BadCompressedFramesEndTheSession) {
    auto u32 = [](uint32_t v) {
        std::string s;
        for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
        return s;
    };
    std::string good;
    protocol::TFrameOptions always;
    always.compressAlways = true;
    protocol::EncodeFrame("twelve bytes", always, good);
    std::string wrongLength = good;
    wrongLength[5] = 13;
    const std::string bad[] = {
        "y" + u32(40) + u32(protocol::kMaxInflated + 1) + std::string(36, 'x'),  // announces too much
        "y" + u32(3) + u32(10) + "pad",                                      // C below 4
        wrongLength,                                                         // inflates to 12, not 13
    };
    for (const auto& frame : bad) {
        errors.clear();
        disconnects = 0;
        Connected(true);
        peer.Write(frame);
        ASSERT_TRUE(PumpUntil([&] { return disconnects == 1; }));
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_NE(errors[0].find("Protocol error"), std::string::npos) << errors[0];
        EXPECT_EQ(reconnects, 0);
        EXPECT_TRUE(messages.empty());
    }
}

TEST_F(ClientSession, UnprocessedDataAbove64MiBIsAProtocolError) {
    Tnet& c = Connected(false);
    bool nested = false;
    // The first message pumps the loop (as a modal box would), so further
    // bytes pile up unprocessed.
    c.OnMessage = [&](TClient*, const std::string&) {
        if (nested) return;
        nested = true;
        PumpUntil([&] { return !errors.empty(); });
    };
    std::thread writer([&] {
        peer.Write(Frame("first"));
        std::string chunk(1 << 20, '\x80');
        for (int i = 0; i < 66 && client && !client->Closing(); ++i) peer.Write(chunk);
    });
    ASSERT_TRUE(PumpUntil([&] { return disconnects == 1; }));
    peer.Drop();  // lets a writer blocked in send return
    writer.join();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("not processed"), std::string::npos) << errors[0];
    EXPECT_LE(c.PendingReceive(), TClient::kMaxUnprocessed);
}

TEST_F(ClientSession, AttemptsAreFiveSecondsApartRotatingPorts) {
    int closedA = ClosedPort(), closedB = ClosedPort();
    Tnet& c = Make(false);
    c.SetPorts({closedA, closedB, peer.Port()});
    std::vector<std::pair<int64_t, int>> attempts;
    c.WaitStep = [&] {
        if (attempts.empty() || attempts.back().first != c.LastAttemptAt())
            attempts.emplace_back(c.LastAttemptAt(), c.Port);
        VirtualStep();
    };
    c.Open();
    ASSERT_TRUE(c.LoggedIn());
    ASSERT_EQ(attempts.size(), 3u);
    EXPECT_EQ(attempts[0].second, closedA);
    EXPECT_EQ(attempts[1].second, closedB);
    EXPECT_EQ(attempts[2].second, peer.Port());
    EXPECT_EQ(attempts[1].first - attempts[0].first, TClient::kAttemptGapMs);
    EXPECT_EQ(attempts[2].first - attempts[1].first, TClient::kAttemptGapMs);
    EXPECT_EQ(c.Ports(), (std::vector<int>{closedA, closedB, peer.Port()}));
    EXPECT_TRUE(errors.empty());
}

TEST_F(ClientSession, FailureWithoutRetryIsReported) {
    Tnet& c = Make(false);
    c.Port = ClosedPort();
    c.RetryOnError = false;
    c.Open();
    EXPECT_FALSE(c.Connecting());
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], std::to_string(ECONNREFUSED));
}

TEST_F(ClientSession, ReconnectGoesToThePortInUse) {
    int closed = ClosedPort();
    Tnet& c = Make(true);
    c.SetPorts({closed, peer.Port()});
    c.Open();
    ASSERT_EQ(c.Port, peer.Port());
    ASSERT_TRUE(peer.Accept());
    peer.Read(2);
    DropAndReconnect(peer, c);
    EXPECT_EQ(c.Port, peer.Port());
}

TEST_F(ClientSession, CloseOfAResumableSessionSaysGoodbye) {
    Tnet& c = Connected(true);
    c.Close();
    EXPECT_TRUE(c.Closing());
    EXPECT_TRUE(c.QuitSent());
    EXPECT_FALSE(c.Send("late"));
    EXPECT_EQ(peer.Read(1), "|");
    peer.Write(Frame("ignored"));
    peer.Drop();
    ASSERT_TRUE(PumpUntil([&] { return disconnects == 1; }));
    EXPECT_EQ(reconnects, 0);
    EXPECT_TRUE(messages.empty());
}

TEST_F(ClientSession, ServerGoodbyeEndsTheSession) {
    Tnet& c = Connected(true);
    peer.Write("|");
    ASSERT_TRUE(PumpUntil([&] { return disconnects == 1; }));
    EXPECT_FALSE(c.Resumable);
    EXPECT_EQ(reconnects, 0);
    EXPECT_TRUE(peer.PeerClosed());
}

// A handler that waits (a modal box) while the goodbye and the close arrive:
// the queued goodbye is read before the close is acted on, so the session
// ends without a reconnect; a plain session hands on its queued messages
// before it ends.
TEST_F(ClientSession, AGoodbyeQueuedBehindAWaitingHandlerComesBeforeTheClose) {
    for (bool resumable : {true, false}) {
        SCOPED_TRACE(resumable);
        messages.clear();
        disconnects = reconnects = 0;
        Tnet& c = Connected(resumable);
        bool closedWhileWaiting = false;
        c.OnMessage = [&](TClient*, const std::string& m) {
            messages.push_back(m);
            if (m != "refused") return;
            peer.Write(Frame("last") + (resumable ? "|" : ""));
            peer.Drop();
            closedWhileWaiting = PumpUntil([&] { return !c.SocketOpen(); });
            EXPECT_EQ(disconnects, 0);
        };
        peer.Write(Frame("refused"));
        ASSERT_TRUE(PumpUntil([&] { return disconnects == 1; }));
        EXPECT_TRUE(closedWhileWaiting);
        EXPECT_EQ(reconnects, 0);
        EXPECT_EQ(messages, (std::vector<std::string>{"refused", "last"}));
        EXPECT_FALSE(c.Resumable);
        if (!resumable) continue;
        // The goodbye ended the session: nothing tries to resume it.
        Loop().RunFor(2 * TClient::kAttemptGapMs);
        EXPECT_EQ(c.ReconnectCount(), 0);
    }
}

TEST_F(ClientSession, PlainCloseReachesOnDisconnectWhichMayDestroyTheClient) {
    Connected(false);
    disconnected = client->OnDisconnect.Subscribe([&](TClient*, int) {
        ++disconnects;
        client.reset();
    });
    peer.Drop();
    ASSERT_TRUE(PumpUntil([&] { return client == nullptr; }));
    ASSERT_TRUE(DrainLoop());
    EXPECT_EQ(disconnects, 1);
}

TEST_F(ClientSession, FindOpenPortsProbesAndSorts) {
    TPeer second;
    int low = std::min(peer.Port(), second.Port()), high = std::max(peer.Port(), second.Port());
    std::vector<int> candidates = {ClosedPort(), high, ClosedPort(), low, ClosedPort()};
    Tnet& c = Make(false);
    EXPECT_EQ(c.FindOpenPorts("127.0.0.1", candidates, 5), (std::vector<int>{low, high}));
    std::vector<int> one = c.FindOpenPorts("127.0.0.1", candidates, 1);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_TRUE(one[0] == low || one[0] == high);
    EXPECT_TRUE(c.FindOpenPorts("127.0.0.1", {ClosedPort()}, 5).empty());
}

TEST_F(ClientSession, FindOpenPortsKeepsAtMost50ProbesGoing) {
    // 120 candidates that never answer quickly would take all at once; with
    // refused ports every probe ends, and the probe count stays bounded.
    std::vector<int> candidates(120, ClosedPort());
    candidates.push_back(peer.Port());
    Tnet& c = Make(false);
    int mostSockets = 0;
    c.WaitStep = [&] {
        mostSockets = std::max(mostSockets, TSocketHandler::Instance().Count());
        VirtualStep();
    };
    EXPECT_EQ(c.FindOpenPorts("127.0.0.1", candidates, 5), std::vector<int>{peer.Port()});
    EXPECT_LE(mostSockets, static_cast<int>(TClient::kMaxProbes));
    EXPECT_GT(mostSockets, 1);
}

}  // namespace
