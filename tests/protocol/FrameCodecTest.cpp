// The frame codec on its own: headers, round trips, control frames,
// openings, and the malformed input it must refuse without reading outside
// the bytes it was given.
#include <zlib.h>

#include <gtest/gtest.h>

#include "protocol/FrameCodec.h"

namespace {

using protocol::DecodeStatus;
using protocol::FrameKind;

std::string Encoded(const std::string& message, protocol::TFrameOptions options = {}) {
    std::string out;
    EXPECT_TRUE(protocol::EncodeFrame(message, options, out));
    return out;
}

DecodeStatus Decode(const std::string& bytes, protocol::TFrame& frame) {
    std::string error;
    // A copy of exactly these bytes, so a read past them is a sanitizer
    // error and not a lucky read of the string's spare room.
    std::vector<uint8_t> exact(bytes.begin(), bytes.end());
    return protocol::DecodeFrame(exact.data(), exact.size(), frame, error);
}

std::string Uint32(uint32_t v) {
    std::string s;
    for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    return s;
}

std::string CompressedFrame(uint32_t announced, const std::string& stream) {
    return "y" + Uint32(static_cast<uint32_t>(stream.size() + 4)) + Uint32(announced) + stream;
}

std::string Deflate(const std::string& data, int level = 9) {
    uLongf n = compressBound(data.size());
    std::string out(n, '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &n, reinterpret_cast<const Bytef*>(data.data()),
              data.size(), level);
    out.resize(n);
    return out;
}

TEST(FrameCodec, HeaderBytesAtTheLengthBoundaries) {
    EXPECT_EQ(Encoded(std::string(1, 'a'))[0], '\x80');
    std::string f128 = Encoded(std::string(128, 'a'));
    EXPECT_EQ(f128.size(), 129u);
    EXPECT_EQ(static_cast<uint8_t>(f128[0]), 0xFF);
    std::string f129 = Encoded(std::string(129, 'a'));
    EXPECT_EQ(f129.substr(0, 2), std::string("\x01\x81", 2));
    std::string f30000 = Encoded(std::string(30000, 'a'));
    EXPECT_EQ(f30000.substr(0, 2), std::string("\x76\x30", 2));
    EXPECT_EQ(f30000.size(), 30002u);
    std::string f30001 = Encoded(std::string(30001, 'a'));
    EXPECT_EQ(f30001[0], 'y');
    EXPECT_EQ(f30001.substr(5, 4), Uint32(30001));
}

TEST(FrameCodec, CompressionChoice) {
    protocol::TFrameOptions large;
    large.compressLarge = true;
    EXPECT_NE(Encoded(std::string(100, 'a'), large)[0], 'y');
    EXPECT_EQ(Encoded(std::string(101, 'a'), large)[0], 'y');
    protocol::TFrameOptions always;
    always.compressAlways = true;
    EXPECT_EQ(Encoded("x", always)[0], 'y');
    std::string out;
    protocol::TFrameOptions badLevel;
    badLevel.compressAlways = true;
    badLevel.level = 42;
    EXPECT_FALSE(protocol::EncodeFrame("abc", badLevel, out));
    EXPECT_FALSE(protocol::EncodeFrame("", {}, out));
    EXPECT_TRUE(out.empty());
}

TEST(FrameCodec, RoundTripsEveryKindOfLength) {
    for (size_t n : {1u, 2u, 127u, 128u, 129u, 255u, 256u, 4095u, 29999u, 30000u, 30001u, 100000u}) {
        std::string message;
        for (size_t i = 0; i < n; ++i) message.push_back(static_cast<char>((i * 7 + n) & 0xFF));
        for (bool always : {false, true}) {
            protocol::TFrameOptions o;
            o.compressAlways = always;
            std::string frame = Encoded(message, o);
            protocol::TFrame decoded;
            ASSERT_EQ(Decode(frame, decoded), DecodeStatus::Complete) << n;
            EXPECT_EQ(decoded.kind, FrameKind::Message);
            EXPECT_EQ(decoded.payload, message) << n;
            EXPECT_EQ(decoded.length, frame.size());
        }
    }
}

TEST(FrameCodec, EveryPrefixIsIncomplete) {
    protocol::TFrameOptions compressed;
    compressed.compressAlways = true;
    std::string frames[] = {Encoded("hello"), Encoded(std::string(300, 'q')), Encoded("compressed", compressed),
                            std::string("~12\x01"), std::string("}987\x01")};
    for (const auto& frame : frames) {
        for (size_t k = 0; k < frame.size(); ++k) {
            protocol::TFrame f;
            EXPECT_EQ(Decode(frame.substr(0, k), f), DecodeStatus::Incomplete) << k;
        }
    }
}

TEST(FrameCodec, ControlFrames) {
    protocol::TFrame f;
    ASSERT_EQ(Decode("{rest", f), DecodeStatus::Complete);
    EXPECT_EQ(f.kind, FrameKind::KeepAlive);
    EXPECT_EQ(f.length, 1u);
    ASSERT_EQ(Decode("|", f), DecodeStatus::Complete);
    EXPECT_EQ(f.kind, FrameKind::Goodbye);
    ASSERT_EQ(Decode("\x7F", f), DecodeStatus::Complete);
    EXPECT_EQ(f.kind, FrameKind::Acknowledge);
    ASSERT_EQ(Decode("~42\x01\x80", f), DecodeStatus::Complete);
    EXPECT_EQ(f.kind, FrameKind::SessionNumber);
    EXPECT_EQ(f.number, 42);
    EXPECT_EQ(f.payload, "~42\x01");
    ASSERT_EQ(Decode("}x\x01", f), DecodeStatus::Complete);
    EXPECT_EQ(f.kind, FrameKind::ResumeReply);
    EXPECT_EQ(f.number, -1);
    ASSERT_EQ(Decode("}\x01", f), DecodeStatus::Complete);
    EXPECT_EQ(f.number, -1);

    std::string out;
    protocol::AppendResumeReply(1234, out);
    protocol::AppendSessionNumber(7, out);
    protocol::AppendKeepAlive(out);
    protocol::AppendGoodbye(out);
    protocol::AppendAcknowledge(out);
    EXPECT_EQ(out, "}1234\x01~7\x01{|\x7F");
}

TEST(FrameCodec, NumberFrameWithoutItsEndIsRefusedOnceTooLong) {
    protocol::TFrame f;
    EXPECT_EQ(Decode("~" + std::string(20, '1'), f), DecodeStatus::Incomplete);
    EXPECT_EQ(Decode("~" + std::string(21, '1'), f), DecodeStatus::Error);
    EXPECT_EQ(Decode("~" + std::string(20, '9') + "\x01", f), DecodeStatus::Complete);
    EXPECT_EQ(f.number, -1);  // above 2^63 - 1
    EXPECT_EQ(Decode("}9223372036854775807\x01", f), DecodeStatus::Complete);
    EXPECT_EQ(f.number, INT64_MAX);
}

TEST(FrameCodec, TwoByteHeadersOutsideTheWrittenRange) {
    protocol::TFrame f;
    std::string error;
    EXPECT_EQ(protocol::DecodeFrame(std::string("\x00\x05", 2), f, error), DecodeStatus::Error);
    EXPECT_FALSE(error.empty());
    // 0x77 announces (0x77 - 1) * 256 + 0 bytes: read, though never written.
    std::string h77 = std::string("\x77\x00", 2) + std::string(118 * 256, 'k');
    ASSERT_EQ(Decode(h77, f), DecodeStatus::Complete);
    EXPECT_EQ(f.payload.size(), 118u * 256);
    std::string empty("\x01\x00", 2);
    ASSERT_EQ(Decode(empty, f), DecodeStatus::Complete);
    EXPECT_TRUE(f.payload.empty());
}

TEST(FrameCodec, MalformedCompressedFrames) {
    protocol::TFrame f;
    std::string stream = Deflate("hello world");
    EXPECT_EQ(Decode(CompressedFrame(11, stream), f), DecodeStatus::Complete);
    EXPECT_EQ(f.payload, "hello world");
    // Announced length differs from what the stream holds, both ways.
    EXPECT_EQ(Decode(CompressedFrame(12, stream), f), DecodeStatus::Error);
    EXPECT_EQ(Decode(CompressedFrame(10, stream), f), DecodeStatus::Error);
    // A stream cut short, with C matching the shorter bytes.
    EXPECT_EQ(Decode(CompressedFrame(11, stream.substr(0, stream.size() - 3)), f), DecodeStatus::Error);
    // Garbage, and garbage after a valid stream.
    EXPECT_EQ(Decode(CompressedFrame(5, "\x01\x02\x03\x04\x05"), f), DecodeStatus::Error);
    EXPECT_EQ(Decode(CompressedFrame(11, stream + "zz"), f), DecodeStatus::Error);
    // C below 4.
    for (uint32_t c = 0; c < 4; ++c)
        EXPECT_EQ(Decode("y" + Uint32(c) + Uint32(0) + "pad", f), DecodeStatus::Error) << c;
    // A huge announced length is refused before anything is allocated.
    EXPECT_EQ(Decode(CompressedFrame(protocol::kMaxInflated + 1, stream), f), DecodeStatus::Error);
    EXPECT_EQ(Decode("y" + Uint32(20) + Uint32(0xFFFFFFFF), f), DecodeStatus::Error);
    // A huge compressed length cannot be legitimate either.
    EXPECT_EQ(Decode("y" + Uint32(0xFFFFFFF0) + Uint32(100), f), DecodeStatus::Error);
    // A plausible C whose bytes have not come yet waits.
    EXPECT_EQ(Decode("y" + Uint32(1000) + Uint32(100) + "abc", f), DecodeStatus::Incomplete);
}

TEST(FrameCodec, ZlibBombIsRefused) {
    // 17 MiB of zeros deflate to about 17 KB; announcing a smaller length
    // must not make the decoder inflate (or allocate) the whole thing.
    std::string zeros(17u << 20, '\0');
    std::string bomb = Deflate(zeros, 1);
    protocol::TFrame f;
    EXPECT_EQ(Decode(CompressedFrame(1000, bomb), f), DecodeStatus::Error);
    EXPECT_EQ(Decode(CompressedFrame(protocol::kMaxInflated, bomb), f), DecodeStatus::Error);
    EXPECT_LE(f.payload.capacity(), static_cast<size_t>(protocol::kMaxInflated) + 64);
}

TEST(FrameCodec, EncodeRefusesWhatNoPeerAccepts) {
    std::string out;
    std::string tooLong(protocol::kMaxInflated + 1, 'a');
    EXPECT_FALSE(protocol::EncodeFrame(tooLong, {}, out));
    EXPECT_TRUE(out.empty());
}

TEST(FrameCodec, Openings) {
    protocol::TOpening o;
    EXPECT_EQ(protocol::ParseOpening("", o), protocol::OpeningStatus::Incomplete);
    ASSERT_EQ(protocol::ParseOpening(protocol::PlainOpening() + "x", o), protocol::OpeningStatus::Complete);
    EXPECT_EQ(o.kind, protocol::OpeningKind::Plain);
    EXPECT_EQ(o.length, 1u);
    ASSERT_EQ(protocol::ParseOpening(protocol::ResumableOpening(), o), protocol::OpeningStatus::Complete);
    EXPECT_EQ(o.kind, protocol::OpeningKind::Resumable);

    std::string reconnect = protocol::ReconnectOpening(77, 123456789012ull);
    EXPECT_EQ(reconnect, "\xFD" "77\x01" "123456789012\x01");
    for (size_t k = 0; k < reconnect.size(); ++k)
        EXPECT_EQ(protocol::ParseOpening(reconnect.substr(0, k), o), protocol::OpeningStatus::Incomplete) << k;
    ASSERT_EQ(protocol::ParseOpening(reconnect + "\x80x", o), protocol::OpeningStatus::Complete);
    EXPECT_EQ(o.kind, protocol::OpeningKind::Reconnect);
    EXPECT_EQ(o.session, 77u);
    EXPECT_EQ(o.bytesReceived, 123456789012ull);
    EXPECT_EQ(o.length, reconnect.size());
}

TEST(FrameCodec, MalformedOpenings) {
    protocol::TOpening o;
    EXPECT_EQ(protocol::ParseOpening("\x80", o), protocol::OpeningStatus::Malformed);
    EXPECT_EQ(protocol::ParseOpening("\xFD\x01" "5\x01", o), protocol::OpeningStatus::Malformed);    // empty session
    EXPECT_EQ(protocol::ParseOpening("\xFD" "5\x01\x01", o), protocol::OpeningStatus::Malformed);    // empty count
    EXPECT_EQ(protocol::ParseOpening("\xFD" "5a\x01" "1\x01", o), protocol::OpeningStatus::Malformed);
    EXPECT_EQ(protocol::ParseOpening("\xFD" + std::string(21, '1'), o), protocol::OpeningStatus::Malformed);
    EXPECT_EQ(protocol::ParseOpening("\xFD" + std::string(20, '9') + "\x01" "1\x01", o),
              protocol::OpeningStatus::Malformed);
}

TEST(FrameCodec, RandomBytesNeverReadOutside) {
    // Fuzz-like sweep: decoding every prefix of pseudo-random bytes gives a
    // status and, when complete, a length within the bytes.
    uint32_t seed = 12345;
    for (int round = 0; round < 2000; ++round) {
        std::string bytes;
        int n = 1 + round % 40;
        for (int i = 0; i < n; ++i) {
            seed = seed * 134775813u + 1;
            bytes.push_back(static_cast<char>(seed >> 24));
        }
        protocol::TFrame f;
        if (Decode(bytes, f) == DecodeStatus::Complete) {
            EXPECT_LE(f.length, bytes.size());
        }
        protocol::TOpening o;
        if (protocol::ParseOpening(bytes, o) == protocol::OpeningStatus::Complete) {
            EXPECT_LE(o.length, bytes.size());
        }
    }
}

}  // namespace
