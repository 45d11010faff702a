// TClient's framing both ways against a scripted peer: header choice,
// frames split across reads, control frames, acknowledgements, keep-alive,
// send coalescing.
#include <stdexcept>

#include "ClientFixture.h"

namespace {

using nettest::ClientFixture;
using nettest::Frame;
using nettest::Pattern;

using ClientFraming = ClientFixture;

TEST_F(ClientFraming, SendsHeadersByLength) {
    Tnet& c = Connected(false);
    const std::pair<size_t, std::string> cases[] = {
        {128, "\xFF"}, {129, std::string("\x01\x81", 2)}, {30000, std::string("\x76\x30", 2)}, {30001, "y"}};
    for (const auto& [n, header] : cases) {
        std::string message = Pattern(n, static_cast<int>(n));
        ASSERT_TRUE(c.Send(message));
        protocol::TFrame f = PeerFrame();
        EXPECT_EQ(f.payload, message) << n;
        EXPECT_EQ(f.kind, protocol::FrameKind::Message);
    }
    // The header bytes themselves, from one more round.
    c.Send(Pattern(129));
    EXPECT_EQ(peer.Read(2), std::string("\x01\x81", 2));
    peer.Read(129);
    c.Send(Pattern(30001));
    EXPECT_EQ(peer.Read(1), "y");
    EXPECT_EQ(c.PendingSend(), 0);
}

TEST_F(ClientFraming, ReceivesEveryLength) {
    Connected(false);
    std::vector<std::string> sent;
    std::string stream;
    for (size_t n : {1u, 128u, 129u, 30000u, 30001u}) {
        sent.push_back(Pattern(n, 3));
        stream += Frame(sent.back());
    }
    peer.Write(stream);
    ASSERT_TRUE(PumpUntil([&] { return messages.size() == sent.size(); }));
    EXPECT_EQ(messages, sent);
    EXPECT_EQ(client->PendingReceive(), 0);
}

TEST_F(ClientFraming, FrameSplitAtEveryByteIsDeliveredOnceWhenComplete) {
    Connected(false);
    protocol::TFrameOptions compressed;
    compressed.compressAlways = true;
    std::vector<std::string> parts = {"A", Pattern(128, 1), Pattern(129, 2), "compressed words compressed words"};
    std::vector<std::string> frames = {Frame(parts[0]), Frame(parts[1]), Frame(parts[2]), ""};
    protocol::EncodeFrame(parts[3], compressed, frames[3]);
    std::string stream;
    for (const auto& f : frames) stream += f;

    uint64_t base = 0;
    for (size_t k = 1; k < stream.size(); ++k) {
        messages.clear();
        peer.Write(stream.substr(0, k));
        ASSERT_TRUE(ReceivedBytes(base + k));
        // Only the frames wholly inside the first k bytes have come out.
        size_t whole = 0, end = 0;
        while (whole < frames.size() && end + frames[whole].size() <= k) end += frames[whole++].size();
        ASSERT_EQ(messages.size(), whole) << "split at " << k;
        peer.Write(stream.substr(k));
        ASSERT_TRUE(ReceivedBytes(base + stream.size()));
        ASSERT_EQ(messages, parts) << "split at " << k;
        base += stream.size();
    }
}

TEST_F(ClientFraming, SessionNumberWaitsForItsEnd) {
    Connected(true);
    peer.Write("~4");
    ASSERT_TRUE(ReceivedBytes(2));
    ASSERT_TRUE(DrainLoop());
    EXPECT_EQ(client->SessionId(), 0);
    peer.Write("2\x01");
    ASSERT_TRUE(ReceivedBytes(4));
    EXPECT_EQ(client->SessionId(), 42);
    peer.Write("~x\x01");
    ASSERT_TRUE(ReceivedBytes(7));
    EXPECT_EQ(client->SessionId(), 0);  // not a number
    EXPECT_TRUE(messages.empty());
}

TEST_F(ClientFraming, ControlBytesAreMessagesWhenNotResumable) {
    Connected(false);
    peer.Write("~5\x01|\x7F");
    ASSERT_TRUE(PumpUntil([&] { return messages.size() == 3; }));
    EXPECT_EQ(messages, (std::vector<std::string>{"~5\x01", "|", "\x7F"}));
    EXPECT_EQ(disconnects, 0);
}

// One acknowledgement per 1000 received bytes (the opening counts), sent
// within the send delay although the client has nothing else to say.
TEST_F(ClientFraming, AcknowledgementsLeaveWithinTheSendDelayUnasked) {
    Tnet& c = Connected(true);
    c.SetSendDelay(100);
    std::string stream = Frame(Pattern(1998));  // 2000 bytes with its header
    ASSERT_EQ(stream.size(), 2000u);
    peer.Write(stream.substr(0, 998));
    ASSERT_TRUE(ReceivedBytes(998));
    EXPECT_EQ(c.PendingSend(), 0);
    peer.Write(stream.substr(998, 1));  // the opening counts as the 1000th
    ASSERT_TRUE(ReceivedBytes(999));
    EXPECT_EQ(c.PendingSend(), 1);
    Loop().RunFor(80);
    EXPECT_EQ(c.PendingSend(), 1);
    // The delay counts from the first byte that waits.
    peer.Write(stream.substr(999));
    ASSERT_TRUE(ReceivedBytes(2000));
    EXPECT_EQ(c.PendingSend(), 2);
    EXPECT_EQ(c.UnackedReceived(), 1u);
    // Due at 100 ms; timers tick every 10 ms.
    Loop().RunFor(30);
    EXPECT_EQ(c.PendingSend(), 0);
    EXPECT_EQ(peer.Read(2), "\x7F\x7F");
    // Without a send delay they leave at once.
    c.SetSendDelay(0);
    peer.Write(Frame(Pattern(998)));
    ASSERT_TRUE(ReceivedBytes(3000));
    EXPECT_EQ(peer.Read(1), "\x7F");
}

TEST_F(ClientFraming, KeepAliveAnswerMeasuresTheRoundTrip) {
    Tnet& c = Connected(false);
    Loop().AdvanceMs(37);
    peer.Write("{");
    ASSERT_TRUE(ReceivedBytes(1));
    EXPECT_EQ(c.PingTime(), 37);
    EXPECT_EQ(PeerFrame().payload, "z37");
    EXPECT_TRUE(messages.empty());

    // The next keep-alive goes out a minute later.
    Loop().AdvanceMs(TClient::kKeepAliveMs);
    Loop().ProcessMessages();
    EXPECT_EQ(peer.Read(1), "{");
}

TEST_F(ClientFraming, SendDelayCoalescesUntil1200BytesWait) {
    Tnet& c = Connected(false);
    c.SetSendDelay(100);
    EXPECT_EQ(c.GetSendDelay(), 100);
    c.Send("one");
    c.Send("two");
    ASSERT_TRUE(DrainLoop());
    EXPECT_EQ(c.PendingSend(), 8);
    EXPECT_TRUE(peer.ReadAvailable(20).empty());
    Loop().RunFor(150);
    EXPECT_EQ(peer.Read(8), Frame("one") + Frame("two"));
    EXPECT_EQ(c.PendingSend(), 0);

    // Past 1200 waiting bytes the timer is cut short to one millisecond.
    c.Send("small");
    c.Send(Pattern(1300));
    EXPECT_GT(c.PendingSend(), 1200);
    EXPECT_EQ(c.SendTimer()->Interval(), 1);
    Loop().RunFor(15);
    EXPECT_EQ(c.PendingSend(), 0);
    EXPECT_EQ(PeerFrame().payload, "small");
    EXPECT_EQ(PeerFrame().payload, Pattern(1300));

    c.SetSendDelay(0);
    EXPECT_EQ(c.SendTimer(), nullptr);
    EXPECT_EQ(c.GetSendDelay(), 0);
    c.Send("now");
    EXPECT_EQ(PeerFrame().payload, "now");
}

TEST_F(ClientFraming, CompressedSendsUseTheLevel) {
    Tnet& c = Connected(false);
    c.CompressLarge = true;
    c.CompressionLevel = 9;
    c.Send(std::string(101, 'r'));
    EXPECT_EQ(peer.Read(1), "y");
    c.CompressionLevel = 77;  // zlib refuses: nothing is queued
    EXPECT_FALSE(c.Send(std::string(200, 'r')));
    EXPECT_FALSE(c.Send(""));
}

TEST_F(ClientFraming, ExceptionInOnMessageIsReported) {
    Tnet& c = Connected(false);
    c.OnMessage = [](TClient*, const std::string&) { throw std::runtime_error("boom"); };
    peer.Write(Frame("Abc"));
    ASSERT_TRUE(PumpUntil([&] { return disconnects == 1; }));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "boom - Error in processing data: {65} Abc");
    EXPECT_TRUE(c.Closing());
}

TEST_F(ClientFraming, WithoutFramingBytesPassAsTheyAre) {
    Make(false).Framing = false;
    client->Open();
    ASSERT_TRUE(peer.Accept());
    client->Send("raw\x01");
    // No opening; the keep-alive byte still goes out first.
    EXPECT_EQ(peer.Read(5), "{raw\x01");
    peer.Write("\x80xyz");
    ASSERT_TRUE(PumpUntil([&] { return !messages.empty(); }));
    EXPECT_EQ(messages[0].substr(0, 1), "\x80");
}

}  // namespace
