// The counting of one session's streams, without sockets.
#include <gtest/gtest.h>

#include "SessionStream.h"

namespace {

using server::SessionStream;

void Receive(SessionStream& s, size_t n) {
    std::string bytes(n, '{');
    s.Receive(reinterpret_cast<const uint8_t*>(bytes.data()), n);
}

int CountAcks(const SessionStream& s) {
    int n = 0;
    for (char ch : s.Unwritten()) n += ch == '\x7F';
    return n;
}

TEST(SessionStream, AcknowledgesEveryThousandReceivedBytesWhenResumable) {
    SessionStream s(true, 65536);
    Receive(s, 999);
    EXPECT_EQ(CountAcks(s), 0);
    Receive(s, 1);
    EXPECT_EQ(CountAcks(s), 1);
    Receive(s, 1999);
    EXPECT_EQ(CountAcks(s), 2);
    EXPECT_EQ(s.ResumeReplyNumber(), 3000u);  // 2999 frame bytes and the opening

    SessionStream plain(false, 65536);
    Receive(plain, 5000);
    EXPECT_EQ(CountAcks(plain), 0);
}

TEST(SessionStream, TheKthAcknowledgementFreesAllButThePhantomOpeningByte) {
    SessionStream s(true, 65536);
    s.SendRaw(std::string(2500, 'x'));
    EXPECT_FALSE(s.Acknowledge());  // nothing written yet
    s.MarkWritten(998);
    EXPECT_FALSE(s.Acknowledge());  // the client cannot hold 999 bytes
    s.MarkWritten(1);
    EXPECT_TRUE(s.Acknowledge());
    EXPECT_EQ(s.Buffered(), 2500u - 999u);
    s.MarkWritten(1501);
    EXPECT_TRUE(s.Acknowledge());
    EXPECT_EQ(s.Buffered(), 2500u - 1999u);
    EXPECT_FALSE(s.Acknowledge());  // 2999 were never written
}

TEST(SessionStream, ResumesFromAnyHeldByteAndResendsFromThere) {
    SessionStream s(true, 65536);
    std::string data;
    for (int i = 0; i < 3000; ++i) data.push_back(static_cast<char>('a' + i % 26));
    s.SendRaw(data);
    s.MarkWritten(3000);
    ASSERT_TRUE(s.Acknowledge());  // frees 999
    EXPECT_FALSE(s.CanResumeFrom(998));
    EXPECT_TRUE(s.CanResumeFrom(999));
    EXPECT_TRUE(s.CanResumeFrom(3000));
    EXPECT_FALSE(s.CanResumeFrom(3001));
    s.ResumeFrom(1234);
    EXPECT_EQ(s.Unwritten(), std::string_view(data).substr(1234));
}

TEST(SessionStream, APlainStreamForgetsWhatItWrote) {
    SessionStream s(false, 65536);
    s.SendRaw("abcdef");
    s.MarkWritten(4);
    EXPECT_EQ(s.Buffered(), 2u);
    EXPECT_EQ(s.Unwritten(), "ef");
    EXPECT_FALSE(s.CanResumeFrom(4));
}

TEST(SessionStream, FramesAboveTheLimitFailFromTheirHeader) {
    SessionStream s(false, 1024);
    protocol::TFrame frame;
    std::string error;
    std::string big = "y";
    big += std::string("\x10\x00\x00\x00", 4);
    big += std::string("\x01\x04\x00\x00", 4);  // 1025 bytes announced
    s.Receive(reinterpret_cast<const uint8_t*>(big.data()), big.size());
    EXPECT_EQ(s.TakeFrame(frame, error), protocol::DecodeStatus::Error);
    EXPECT_FALSE(error.empty());
}

TEST(SessionStream, AFrameSplitAtEveryByteIsTakenOnceWhenComplete) {
    std::string frame;
    protocol::EncodeFrame(std::string(300, 'q'), protocol::TFrameOptions{}, frame);
    for (size_t cut = 1; cut < frame.size(); ++cut) {
        SessionStream s(true, 65536);
        protocol::TFrame out;
        std::string error;
        s.Receive(reinterpret_cast<const uint8_t*>(frame.data()), cut);
        EXPECT_EQ(s.TakeFrame(out, error), protocol::DecodeStatus::Incomplete);
        s.Receive(reinterpret_cast<const uint8_t*>(frame.data()) + cut, frame.size() - cut);
        ASSERT_EQ(s.TakeFrame(out, error), protocol::DecodeStatus::Complete);
        EXPECT_EQ(out.payload, std::string(300, 'q'));
        EXPECT_EQ(s.TakeFrame(out, error), protocol::DecodeStatus::Incomplete);
    }
}

}  // namespace
