// The reader's largest message: a frame announcing more than the reader
// accepts fails as soon as its header is in, whatever its kind.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "protocol/FrameCodec.h"

namespace {

using protocol::DecodeStatus;

std::string U32(uint32_t v) {
    std::string s;
    for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    return s;
}

DecodeStatus Decode(const std::string& bytes, size_t limit, std::string* error = nullptr) {
    protocol::TFrame frame;
    std::string text;
    DecodeStatus status = protocol::DecodeFrame(bytes, frame, text, limit);
    if (error) *error = text;
    return status;
}

std::string Framed(const std::string& message, bool compress = false) {
    protocol::TFrameOptions options;
    options.compressAlways = compress;
    std::string out;
    protocol::EncodeFrame(message, options, out);
    return out;
}

TEST(FrameLimit, TwoByteHeadersAboveTheLimitFailBeforeTheirBody) {
    EXPECT_EQ(Decode(Framed(std::string(1024, 'a')), 1024), DecodeStatus::Complete);
    EXPECT_EQ(Decode(std::string("\x05\x00", 2), 1024), DecodeStatus::Incomplete);  // 1024, body missing
    std::string error;
    EXPECT_EQ(Decode(std::string("\x05\x01", 2), 1024, &error), DecodeStatus::Error);  // 1025
    EXPECT_NE(error.find("Protocol error"), std::string::npos) << error;
    // Even the shortest length this header byte can give is too long.
    EXPECT_EQ(Decode("\x06", 1024), DecodeStatus::Error);
    EXPECT_EQ(Decode("\x05", 1024), DecodeStatus::Incomplete);
}

TEST(FrameLimit, OneByteHeadersObeyASmallLimit) {
    EXPECT_EQ(Decode(Framed(std::string(100, 'a')), 100), DecodeStatus::Complete);
    EXPECT_EQ(Decode("\xE4", 100), DecodeStatus::Error);  // announces 101, nothing of it there
}

TEST(FrameLimit, CompressedFramesFailFromTheirHeaderBeforeInflating) {
    EXPECT_EQ(Decode(Framed(std::string(1024, 'a'), true), 1024), DecodeStatus::Complete);
    EXPECT_EQ(Decode(Framed(std::string(1025, 'a'), true), 1024), DecodeStatus::Error);
    EXPECT_EQ(Decode("y" + U32(100) + U32(1025), 1024), DecodeStatus::Error);
    // A stream far longer than deflate's worst case for 1024 bytes.
    EXPECT_EQ(Decode("y" + U32(5004) + U32(10), 1024), DecodeStatus::Error);
    EXPECT_EQ(Decode("y" + U32(104) + U32(1024), 1024), DecodeStatus::Incomplete);
}

TEST(FrameLimit, TheDefaultAndAnyLargerLimitIsTheSixteenMebibyteBound) {
    std::string over = "y" + U32(100) + U32(protocol::kMaxInflated + 1);
    std::string at = "y" + U32(100) + U32(protocol::kMaxInflated);
    protocol::TFrame frame;
    std::string error;
    EXPECT_EQ(protocol::DecodeFrame(over, frame, error), DecodeStatus::Error);
    EXPECT_EQ(protocol::DecodeFrame(at, frame, error), DecodeStatus::Incomplete);
    EXPECT_EQ(Decode(over, SIZE_MAX), DecodeStatus::Error);
    // Every two-byte header is far below the default.
    EXPECT_EQ(protocol::DecodeFrame(std::string("\x76\x30", 2), frame, error), DecodeStatus::Incomplete);
}

}  // namespace
