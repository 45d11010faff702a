// Fault injection: a real resumable client connection and the real server
// exchange 10,000 numbered messages each way through a proxy that cuts the
// line at every acknowledgement boundary of both streams, just before and
// after some of them, at seeded random places, and inside the handshake of
// some reconnects. Every message must arrive exactly once, whole and in
// order, on both sides, and the session must never notice a cut.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <random>
#include <set>

#include "CutProxy.h"
#include "HeadlessClient.h"
#include "ServerThread.h"
#include "protocol/FrameCodec.h"
#include "platform/headless/Headless.h"

namespace e2etest {
namespace {

constexpr int kMessages = 10000;
// Messages the client has out without their echo: enough to keep both
// streams busy, few enough that nothing comes near the server's buffer limit.
constexpr int kWindow = 40;
// Steps without a message arriving anywhere and without a cut before the
// test gives up (each idle step waits up to 2 ms of real time).
constexpr int kStallSteps = 20000;

uint32_t Mix(int i, uint32_t salt) {
    uint32_t h = static_cast<uint32_t>(i) * 2654435761u ^ salt;
    h ^= h >> 15;
    return h * 2246822519u;
}

// Lengths that give every kind of frame: mostly one-byte headers, some
// two-byte headers, and now and then a message above 30000 bytes, which is
// always compressed.
size_t Length(int i, uint32_t salt, int bigEvery, int bigAt) {
    if (i % bigEvery == bigAt) return 30500;
    uint32_t h = Mix(i, salt) >> 8;
    return h % 10 == 0 ? 129 + h % 300 : 8 + h % 60;
}

std::string Numbered(char code, int i, size_t length) {
    std::string m = code + std::to_string(i) + ":";
    for (size_t k = m.size(); k < length; ++k) m.push_back(static_cast<char>('a' + (i + k) % 26));
    return m;
}

std::string ClientMessage(int i) { return Numbered('M', i, Length(i, 0x5EED, 1000, 999)); }
std::string EchoMessage(int i) { return Numbered('E', i, Length(i, 0xEC40, 500, 250)); }

// Only a session whose logon the server has accepted is kept for
// resumption: a cut before that ends the session as a plain close
// (BeforeTheLogonACutEndsTheSession below). Before its logon is accepted
// the server sends at most 27 bytes (the session number, the keep-alive
// answer, the version query and the prompt), and the client sends its
// opening, the keep-alive, the ping answer, the hello, the version answer
// and the logon, at most 60 bytes, and nothing more until the answer. So no
// cut falls before these offsets; cuts inside the accepted reply do.
constexpr uint64_t kFirstCutToServer = 64;
constexpr uint64_t kFirstCutToClient = 28;

// How a plan cuts.
struct TPlanShape {
    const char* name;
    uint64_t seed;
    int randomCuts;       // per direction, spread over the streams
    uint64_t everyByteTo;  // cut at every offset from the first cuts to this in both directions
    int handshakeOneIn;   // each kind of handshake cut falls on about one reconnect in this many
};

// The cut plan: every acknowledgement boundary in both directions (the
// server acknowledges each 1000 bytes it takes; the client's k-th
// acknowledgement comes after 1000k - 1 bytes, its opening counting as one),
// the bytes on either side of every 25th boundary, random places, every
// byte of the session's start if asked (from the first offset where a cut
// can be survived), and some reconnects cut inside their handshake: halfway
// through the opening, before the resume reply, or halfway through it.
TCutPlan MakePlan(const TPlanShape& shape, std::set<uint64_t>& ackToServer, std::set<uint64_t>& ackToClient) {
    std::mt19937_64 random(shape.seed);
    constexpr int kBoundaries = 3000;     // beyond either stream's end
    constexpr uint64_t kSpread = 700000;  // about either stream's length
    std::set<uint64_t> toServer, toClient;
    for (uint64_t k = 1; k <= kBoundaries; ++k) {
        ackToServer.insert(1000 * k);
        ackToClient.insert(1000 * k - 1);
        if (k % 25 == 0) {
            toServer.insert({1000 * k - 1, 1000 * k + 1});
            toClient.insert({1000 * k - 2, 1000 * k});
        }
    }
    toServer.insert(ackToServer.begin(), ackToServer.end());
    toClient.insert(ackToClient.begin(), ackToClient.end());
    for (int i = 0; i < shape.randomCuts; ++i) {
        toServer.insert(kFirstCutToServer + random() % kSpread);
        toClient.insert(kFirstCutToClient + random() % kSpread);
    }
    for (uint64_t o = kFirstCutToServer; o <= shape.everyByteTo; ++o) toServer.insert(o);
    for (uint64_t o = kFirstCutToClient; o <= shape.everyByteTo; ++o) toClient.insert(o);
    TCutPlan plan;
    plan.toServer.assign(toServer.begin(), toServer.end());
    plan.toClient.assign(toClient.begin(), toClient.end());
    for (int reconnect = 1; reconnect < 10000; ++reconnect) {
        uint64_t r = random() % static_cast<uint64_t>(shape.handshakeOneIn);
        if (r == 0) plan.handshakes[reconnect] = HandshakeCut::InOpening;
        if (r == 1) plan.handshakes[reconnect] = HandshakeCut::BeforeReply;
        if (r == 2) plan.handshakes[reconnect] = HandshakeCut::InReply;
    }
    return plan;
}

size_t CountIn(const std::vector<uint64_t>& offsets, const std::set<uint64_t>& boundaries) {
    return static_cast<size_t>(
        std::count_if(offsets.begin(), offsets.end(), [&](uint64_t o) { return boundaries.count(o) > 0; }));
}

// What the server's hook saw, on the server's thread.
struct TServerSide {
    std::atomic<int> received{0};
    std::mutex mutex;
    std::string fault;  // guarded by mutex
};

std::string Shown(const std::string& m) { return m.substr(0, 24) + " (" + std::to_string(m.size()) + " bytes)"; }

std::string LogTail(const std::vector<std::string>& log) {
    std::string out;
    for (size_t i = log.size() > 12 ? log.size() - 12 : 0; i < log.size(); ++i) out += log[i] + "\n";
    return out;
}

class ResumeUnderCutsTest : public HeadlessTest, public ::testing::WithParamInterface<TPlanShape> {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        std::string error;
        TServerSide* side = &m_side;
        ASSERT_TRUE(m_server.Start(
            [side](server::Server& s) {
                server::Server* srv = &s;
                s.OnUserMessage = [side, srv](server::Session& session, const std::string& m) {
                    int expected = side->received.load();
                    if (m != ClientMessage(expected)) {
                        std::lock_guard<std::mutex> lock(side->mutex);
                        if (side->fault.empty())
                            side->fault = "server expected message " + std::to_string(expected) + ", got " + Shown(m);
                        return;
                    }
                    side->received.fetch_add(1);
                    srv->Send(session, EchoMessage(expected));
                };
            },
            error))
            << error;
    }
    void TearDown() override {
        m_server.Stop();
        HeadlessTest::TearDown();
    }

    TServerSide m_side;
    TServerThread m_server;
};

// Logs on by hand (hello, version answer, registration), so that the
// server passes the numbered messages to its hook.
bool LogOn(TRecordedClient& c) {
    auto next = [&](size_t n) {
        return StepUntil(c.client, [&] { return c.messages.size() >= n || c.disconnects > 0; }) &&
               c.messages.size() >= n;
    };
    c.client.Send("O");
    if (!next(1)) return false;
    c.client.Send(std::string("Q") + "lobbivex\x01" + "3.61\x01");
    if (!next(2)) return false;
    c.client.Send(std::string("\x04") + "0\x01" + "0\x01" + "Cutter\x01" + "pw\x01" + "0\x01" + "0\x01" + "1990\x01" +
                  "1\x01" + "1\x01" + "0\x01" + "0\x01");
    if (!next(3)) return false;
    bool accepted = !c.messages[2].empty() && c.messages[2][0] == '\x01';
    c.messages.clear();
    return accepted;
}

TEST_P(ResumeUnderCutsTest, EveryMessageArrivesOnceAndInOrderThroughCutsAtEveryBoundary) {
    const TPlanShape& shape = GetParam();
    auto started = std::chrono::steady_clock::now();
    std::set<uint64_t> ackToServer, ackToClient;
    TCutProxy proxy(m_server.Port(), MakePlan(shape, ackToServer, ackToClient));
    std::string error;
    ASSERT_TRUE(proxy.Start(error)) << error;

    TRecordedClient c(true);
    c.client.Port = proxy.Port();
    // The cuts begin near the first byte of the session: the logon itself
    // must get through them too.
    int echoes = 0;
    std::string clientFault;
    int stalled = 0;
    int lastProgress = -1;
    auto watch = [&] {
        int progress = echoes + m_side.received.load() + proxy.Cuts();
        stalled = progress == lastProgress ? stalled + 1 : 0;
        lastProgress = progress;
        if (stalled > kStallSteps) platform::headless::Loop().Terminate();  // ends every wait
    };
    c.client.WaitStep = [&] {
        Step(c.client);
        watch();
    };
    c.client.Open();
    ASSERT_TRUE(c.client.LoggedIn());
    ASSERT_TRUE(LogOn(c)) << "logon through the cutting proxy failed: " << c.messages.size() << " messages, "
                          << proxy.Cuts() << " cuts, " << c.client.ReconnectCount() << " reconnects, open "
                          << c.client.SocketOpen() << ", awaiting resume " << c.client.AwaitingResume()
                          << ", sent " << c.client.BytesSent() << ", received " << c.client.BytesReceived()
                          << ", disconnects " << c.disconnects << ", errors " << c.errors.size() << "\n"
                          << LogTail(m_server.Log());
    c.client.OnMessage = [&](TClient*, const std::string& m) {
        if (m != EchoMessage(echoes) && clientFault.empty())
            clientFault = "client expected echo " + std::to_string(echoes) + ", got " + Shown(m);
        ++echoes;
    };

    int sent = 0;
    while (!platform::headless::Loop().Terminated()) {
        while (sent < kMessages && sent - echoes < kWindow) {
            // Some short messages compressed as well.
            c.client.CompressAlways = sent % 13 == 0;
            ASSERT_TRUE(c.client.Send(ClientMessage(sent)));
            ++sent;
        }
        if (echoes >= kMessages && m_side.received.load() >= kMessages) break;
        if (!clientFault.empty() || c.disconnects > 0 || !c.errors.empty()) break;
        c.client.WaitStep();
    }
    ASSERT_FALSE(platform::headless::Loop().Terminated())
        << "no progress for " << kStallSteps << " steps: " << echoes << " echoes, " << m_side.received.load()
        << " messages at the server, " << proxy.Cuts() << " cuts";

    proxy.StopCutting();
    uint64_t sentBytes = c.client.BytesSent();
    uint64_t receivedBytes = c.client.BytesReceived();
    c.client.Close();
    EXPECT_TRUE(StepUntil(c.client, [&] { return c.disconnects > 0; })) << "the goodbye was not answered";

    {
        std::lock_guard<std::mutex> lock(m_side.mutex);
        EXPECT_EQ(m_side.fault, "");
    }
    EXPECT_EQ(clientFault, "");
    EXPECT_EQ(m_side.received.load(), kMessages);
    EXPECT_EQ(echoes, kMessages);
    EXPECT_TRUE(c.errors.empty()) << c.errors.front();
    EXPECT_EQ(c.disconnects, 1);
    EXPECT_EQ(proxy.Fault(), "");
    EXPECT_EQ(proxy.Resets(), 0);
    EXPECT_EQ(proxy.Missed(), 0);
    EXPECT_EQ(c.client.ReconnectCount(), proxy.Cuts());

    // Every boundary each stream reached was cut.
    std::vector<uint64_t> up = proxy.CutOffsets(true), down = proxy.CutOffsets(false);
    size_t upBoundaries = CountIn(up, ackToServer), downBoundaries = CountIn(down, ackToClient);
    EXPECT_GE(upBoundaries + 1, (sentBytes - 1) / 1000);
    EXPECT_GE(downBoundaries + 1, (receivedBytes + 1) / 1000);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf(
        "%s: cuts survived: %d (%d in streams, %zu of them at acknowledgement boundaries to the server and %zu to "
        "the client; %d inside reconnect handshakes); messages: %d each way; stream bytes: %llu to the server, "
        "%llu to the client; seed %llu; %.1f s\n",
        shape.name, proxy.Cuts(), proxy.StreamCuts(), upBoundaries, downBoundaries, proxy.HandshakeCuts(), kMessages,
        static_cast<unsigned long long>(sentBytes - 1), static_cast<unsigned long long>(receivedBytes),
        static_cast<unsigned long long>(shape.seed), seconds);
}

INSTANTIATE_TEST_SUITE_P(
    Plans, ResumeUnderCutsTest,
    ::testing::Values(TPlanShape{"Boundaries", 20261208, 120, 0, 50},
                      TPlanShape{"ManyRandom", 7, 1500, 0, 20},
                      // Every byte up to past the first acknowledgements of both streams.
                      TPlanShape{"EveryByteOfTheStart", 99, 0, 1200, 30}),
    [](const ::testing::TestParamInfo<TPlanShape>& info) { return std::string(info.param.name); });

// The limits the first cuts keep the plans clear of: a line cut before the
// session number has reached the client, or before the server has accepted
// the logon, ends the session, quietly, as a plain close: no error, one
// reconnect attempt (refused), then OnDisconnect.
TEST_F(HeadlessTest, BeforeTheLogonACutEndsTheSession) {
    TServerThread serverThread;
    std::string error;
    ASSERT_TRUE(serverThread.Start(nullptr, error)) << error;
    TCutPlan plan;
    plan.toServer = {4};  // after the opening, the keep-alive and the hello
    TCutProxy proxy(serverThread.Port(), plan);
    ASSERT_TRUE(proxy.Start(error)) << error;
    TRecordedClient c(true);
    c.client.Port = proxy.Port();
    c.client.Open();
    c.client.Send("O");
    ASSERT_TRUE(StepUntil(c.client, [&] { return c.disconnects > 0; }));
    EXPECT_NE(c.client.SessionId(), 0);
    EXPECT_EQ(c.client.ReconnectCount(), 1);
    EXPECT_TRUE(c.errors.empty());
    serverThread.Stop();
}

TEST_F(HeadlessTest, TheSessionNumberMustArriveFirst) {
    TServerThread serverThread;
    std::string error;
    ASSERT_TRUE(serverThread.Start(nullptr, error)) << error;
    TCutPlan plan;
    plan.toClient = {1};  // the first byte of "~" only
    TCutProxy proxy(serverThread.Port(), plan);
    ASSERT_TRUE(proxy.Start(error)) << error;
    TRecordedClient c(true);
    c.client.Port = proxy.Port();
    c.client.Open();
    c.client.Send("O");
    ASSERT_TRUE(StepUntil(c.client, [&] { return c.disconnects > 0; }));
    EXPECT_EQ(c.client.SessionId(), 0);
    EXPECT_EQ(c.client.ReconnectCount(), 1);
    EXPECT_EQ(proxy.Cuts(), 1);
    EXPECT_TRUE(c.errors.empty());
    EXPECT_TRUE(c.messages.empty());
    serverThread.Stop();
}

}  // namespace
}  // namespace e2etest
