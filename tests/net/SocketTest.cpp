// The socket layer over loopback: how hosts are connected to, the order and
// count of events, the byte counters.
#include <cerrno>
#include <type_traits>

#include "NetFixture.h"
#include "net/transport/Mysocket.h"
#include "net/transport/SocketHandler.h"

namespace {

using nettest::NetFixture;
using nettest::TPeer;

struct TEvents {
    int connects = 0, reads = 0, writes = 0, closes = 0, errors = 0;
    int lastError = 0;
    std::string order;

    void Attach(TMyclientsocket& s) {
        s.OnConnect = [this](TMyclientsocket*) { ++connects; order += 'c'; };
        s.OnRead = [this](TMyclientsocket* sender) {
            ++reads;
            order += 'r';
            char buf[4096];
            sender->Receive(buf, sizeof buf);
        };
        s.OnWrite = [this](TMyclientsocket*) { ++writes; order += 'w'; };
        s.OnClose = [this](TMyclientsocket*) { ++closes; order += 'x'; };
        s.OnError = [this](TMyclientsocket*, int32_t code) {
            ++errors;
            lastError = code;
            order += 'e';
        };
    }
};

using SocketTest = NetFixture;

TEST(NumericHost, FourNumbersAreAnAddress) {
    EXPECT_TRUE(TMyclientsocket::IsNumericHost("10.0.0.1"));
    EXPECT_TRUE(TMyclientsocket::IsNumericHost("10.0.0.1.junk"));  // parts after the fourth are not looked at
    EXPECT_TRUE(TMyclientsocket::IsNumericHost("300.0.0.1"));
    EXPECT_FALSE(TMyclientsocket::IsNumericHost("10.0.0"));
    EXPECT_FALSE(TMyclientsocket::IsNumericHost("10.0..1"));
    EXPECT_FALSE(TMyclientsocket::IsNumericHost("localhost"));
    EXPECT_FALSE(TMyclientsocket::IsNumericHost("a.b.c.d"));
    EXPECT_FALSE(TMyclientsocket::IsNumericHost(""));
    uint32_t a = 0;
    ASSERT_TRUE(TMyclientsocket::ParseNumericHost("10.1.2.3", a));
    EXPECT_EQ(a, 0x0A010203u);
    EXPECT_FALSE(TMyclientsocket::ParseNumericHost("300.0.0.1", a));
    EXPECT_FALSE(TMyclientsocket::ParseNumericHost("-1.0.0.1", a));
}

TEST_F(SocketTest, NumericHostConnectsWithoutLookup) {
    TPeer peer;
    TMyclientsocket s;
    TEvents ev;
    ev.Attach(s);
    s.Connect("127.0.0.1", static_cast<uint16_t>(peer.Port()));
    EXPECT_EQ(s.LookupHandle(), 0);
    ASSERT_TRUE(PumpUntil([&] { return ev.connects == 1; }));
    EXPECT_EQ(ev.order, "cw");  // connected, then writable once
    EXPECT_TRUE(s.Connected());
    EXPECT_EQ(s.Port(), peer.Port());
    EXPECT_EQ(s.LocalAddress(), "127.0.0.1");
    ASSERT_TRUE(DrainLoop());
    EXPECT_EQ(ev.writes, 1);  // no writability watch while nothing waits
}

TEST_F(SocketTest, NamesAndThreeNumbersAreLookedUp) {
    TPeer peer;
    TMyclientsocket byName;
    TEvents ev;
    ev.Attach(byName);
    byName.Connect("localhost", static_cast<uint16_t>(peer.Port()));
    EXPECT_NE(byName.LookupHandle(), 0);
    ASSERT_TRUE(PumpUntil([&] { return ev.connects + ev.errors > 0; }));
    EXPECT_EQ(ev.connects, 1);
    EXPECT_EQ(byName.LookupHandle(), 0);

    TMyclientsocket threeNumbers;
    threeNumbers.Connect("10.0.0", 9);
    EXPECT_NE(threeNumbers.LookupHandle(), 0);
}

TEST_F(SocketTest, LookupFinishingAfterDestructionIsIgnored) {
    int lookupId = 0;
    bool called = false;
    {
        TMyclientsocket s;
        s.OnError = [&](TMyclientsocket*, int32_t) { called = true; };
        s.OnConnect = [&](TMyclientsocket*) { called = true; };
        s.Connect("localhost", 9);
        lookupId = s.LookupHandle();
        ASSERT_NE(lookupId, 0);
    }
    // The handler drops a result for a lookup no live socket carries, and
    // the platform drops the cancelled one.
    TSocketHandler::Instance().HandleLookup(lookupId, {0x7F000001});
    ASSERT_TRUE(PumpUntil([] { return LookupsRunning() == 0; }));
    ASSERT_TRUE(DrainLoop());
    EXPECT_FALSE(called);
    EXPECT_EQ(TSocketHandler::Instance().FindLookup(lookupId), nullptr);
}

TEST_F(SocketTest, FailedLookupAndBadAddressReportErrors) {
    TMyclientsocket s;
    TEvents ev;
    ev.Attach(s);
    s.Connect("no-such-host.invalid", 80);
    ASSERT_TRUE(PumpUntil([&] { return ev.errors > 0; }));
    EXPECT_EQ(ev.lastError, -1);

    TMyclientsocket bad;
    TEvents badEv;
    badEv.Attach(bad);
    bad.Connect("300.1.1.1", 80);
    EXPECT_EQ(badEv.errors, 0);  // reported from the loop, not from inside Connect
    ASSERT_TRUE(PumpUntil([&] { return badEv.errors > 0; }));
    EXPECT_EQ(badEv.lastError, EINVAL);
}

TEST_F(SocketTest, RefusedConnectIsOneError) {
    TMyclientsocket s;
    TEvents ev;
    ev.Attach(s);
    s.Connect("127.0.0.1", static_cast<uint16_t>(nettest::ClosedPort()));
    ASSERT_TRUE(PumpUntil([&] { return ev.errors > 0; }));
    ASSERT_TRUE(DrainLoop());
    EXPECT_EQ(ev.order, "e");
    EXPECT_EQ(ev.lastError, ECONNREFUSED);
    // The failed socket still holds its handle: closing it is one close.
    EXPECT_EQ(s.Close(), 0);
    EXPECT_EQ(ev.closes, 1);
}

TEST_F(SocketTest, PeerCloseCallsOnCloseExactlyOnce) {
    TPeer peer;
    TMyclientsocket s;
    TEvents ev;
    ev.Attach(s);
    s.Connect("127.0.0.1", static_cast<uint16_t>(peer.Port()));
    ASSERT_TRUE(PumpUntil([&] { return ev.connects == 1; }));
    ASSERT_TRUE(peer.Accept());
    peer.Write("bye");
    peer.Drop();
    ASSERT_TRUE(PumpUntil([&] { return ev.closes > 0; }));
    ASSERT_TRUE(DrainLoop());
    EXPECT_EQ(ev.closes, 1);
    EXPECT_EQ(ev.order, "cwrx");  // the last bytes are read before the close
    EXPECT_EQ(s.Socket(), -1);
    EXPECT_EQ(s.Close(), -1);
    EXPECT_EQ(ev.closes, 1);
}

TEST_F(SocketTest, HandlerMayDestroyItsSocket) {
    TPeer peer;
    auto s = std::make_unique<TMyclientsocket>();
    int closes = 0;
    s->OnClose = [&](TMyclientsocket*) {
        ++closes;
        s.reset();
    };
    s->Connect("127.0.0.1", static_cast<uint16_t>(peer.Port()));
    ASSERT_TRUE(PumpUntil([&] { return s->Connected(); }));
    ASSERT_TRUE(peer.Accept());
    peer.Drop();
    ASSERT_TRUE(PumpUntil([&] { return s == nullptr; }));
    ASSERT_TRUE(DrainLoop());
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(TSocketHandler::Instance().Count(), 0);
}

TEST_F(SocketTest, ByteCountersCountWhatMoved) {
    static_assert(std::is_same_v<decltype(std::declval<TMysocket>().BytesSent()), uint64_t>);
    static_assert(std::is_same_v<decltype(std::declval<TMysocket>().BytesReceived()), uint64_t>);
    TPeer peer;
    TMyclientsocket s;
    s.Connect("127.0.0.1", static_cast<uint16_t>(peer.Port()));
    ASSERT_TRUE(PumpUntil([&] { return s.Connected(); }));
    ASSERT_TRUE(peer.Accept());
    std::string data(100, 'd');
    EXPECT_EQ(s.SendBytes(data.data(), 100), 100);
    EXPECT_EQ(s.BytesSent(), 100u);
    EXPECT_EQ(peer.Read(100), data);
    peer.Write("12345");
    ASSERT_TRUE(PumpUntil([&] { return s.Available() == 5; }));
    char buf[16];
    EXPECT_EQ(s.Receive(buf, 3), 3);
    EXPECT_EQ(s.Receive(buf, 16), 2);
    EXPECT_EQ(s.Receive(buf, 16), 0);  // nothing waiting is not counted
    EXPECT_EQ(s.BytesReceived(), 5u);
    s.Close();
    EXPECT_EQ(s.SendBytes(data.data(), 100), 0);
    EXPECT_EQ(s.BytesSent(), 100u);
}

TEST_F(SocketTest, ShortSendWaitsForWritability) {
    TPeer peer;
    TMyclientsocket s;
    TEvents ev;
    ev.Attach(s);
    s.Connect("127.0.0.1", static_cast<uint16_t>(peer.Port()));
    ASSERT_TRUE(PumpUntil([&] { return ev.connects == 1; }));
    ASSERT_TRUE(peer.Accept());
    // Fill the socket until it refuses; then a write event follows once the
    // peer reads.
    std::string chunk(1 << 20, 'z');
    uint64_t total = 0;
    for (int i = 0; i < 64; ++i) {
        int n = s.SendBytes(chunk.data(), static_cast<int>(chunk.size()));
        total += static_cast<uint64_t>(n);
        if (n < static_cast<int>(chunk.size())) break;
    }
    EXPECT_EQ(s.BytesSent(), total);
    int writesBefore = ev.writes;
    EXPECT_EQ(peer.Read(total).size(), total);
    ASSERT_TRUE(PumpUntil([&] { return ev.writes > writesBefore; }));
    ASSERT_TRUE(DrainLoop());
    EXPECT_EQ(ev.writes, writesBefore + 1);  // once, then the watch is off again
}

}  // namespace
