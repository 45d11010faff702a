#include "protocol/FrameCodec.h"

#include <zlib.h>

#include <cstring>

namespace protocol {
namespace {

// "y", C and N come before the stream.
constexpr size_t kCompressedHeader = 9;

void AppendUint32(uint32_t value, std::string& out) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

uint32_t ReadUint32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

bool AppendCompressed(std::string_view message, int level, std::string& out) {
    uLongf bound = compressBound(static_cast<uLong>(message.size()));
    std::string stream(bound, '\0');
    int rc = compress2(reinterpret_cast<Bytef*>(stream.data()), &bound,
                       reinterpret_cast<const Bytef*>(message.data()),
                       static_cast<uLong>(message.size()), level);
    if (rc != Z_OK) return false;
    out.push_back(static_cast<char>(kCompressedFrame));
    AppendUint32(static_cast<uint32_t>(bound + 4), out);
    AppendUint32(static_cast<uint32_t>(message.size()), out);
    out.append(stream.data(), bound);
    return true;
}

void AppendNumberFrame(uint8_t first, uint64_t number, std::string& out) {
    out.push_back(static_cast<char>(first));
    out += std::to_string(number);
    out.push_back(static_cast<char>(kFieldEnd));
}

DecodeStatus Fail(std::string& error, std::string text) {
    error = std::move(text);
    return DecodeStatus::Error;
}

DecodeStatus AboveLimit(std::string& error, uint64_t announced, size_t limit) {
    return Fail(error, "Protocol error: frame of " + std::to_string(announced) + " bytes above the limit of " +
                           std::to_string(limit) + " bytes");
}

DecodeStatus TakeMessage(const uint8_t* data, size_t size, size_t header, size_t length, size_t limit,
                         TFrame& frame, std::string& error) {
    if (length > limit) return AboveLimit(error, length, limit);
    if (size - header < length) return DecodeStatus::Incomplete;
    frame.kind = FrameKind::Message;
    frame.payload.assign(reinterpret_cast<const char*>(data + header), length);
    frame.number = -1;
    frame.length = header + length;
    return DecodeStatus::Complete;
}

DecodeStatus TakeSingle(const uint8_t* data, FrameKind kind, TFrame& frame) {
    frame.kind = kind;
    frame.payload.assign(1, static_cast<char>(data[0]));
    frame.number = -1;
    frame.length = 1;
    return DecodeStatus::Complete;
}

DecodeStatus TakeNumberFrame(const uint8_t* data, size_t size, FrameKind kind, TFrame& frame,
                             std::string& error) {
    size_t limit = size < kMaxNumberFrame ? size : kMaxNumberFrame;
    const void* end = std::memchr(data + 1, kFieldEnd, limit - 1);
    if (!end) {
        if (size >= kMaxNumberFrame)
            return Fail(error, "Protocol error: number frame without its end");
        return DecodeStatus::Incomplete;
    }
    size_t length = static_cast<size_t>(static_cast<const uint8_t*>(end) - data) + 1;
    frame.kind = kind;
    frame.payload.assign(reinterpret_cast<const char*>(data), length);
    frame.number = ParseDecimal(std::string_view(frame.payload).substr(1, length - 2));
    frame.length = length;
    return DecodeStatus::Complete;
}

bool Inflate(const uint8_t* stream, size_t streamLength, uint32_t announced, std::string& out) {
    out.assign(announced, '\0');
    // uncompress() needs a non-null target even for an empty message.
    Bytef spare = 0;
    Bytef* target = announced ? reinterpret_cast<Bytef*>(out.data()) : &spare;
    uLongf produced = announced;
    uLong consumed = static_cast<uLong>(streamLength);
    int rc = uncompress2(target, &produced, stream, &consumed);
    // Z_BUF_ERROR covers both a stream that wants more room (a bomb) and
    // one that is cut short.
    return rc == Z_OK && produced == announced && consumed == streamLength;
}

DecodeStatus TakeCompressed(const uint8_t* data, size_t size, size_t limit, TFrame& frame, std::string& error) {
    if (size < kCompressedHeader) return DecodeStatus::Incomplete;
    uint32_t c = ReadUint32(data + 1);
    uint32_t n = ReadUint32(data + 5);
    if (c < 4) return Fail(error, "Protocol error: compressed frame of " + std::to_string(c) + " bytes");
    if (n > limit) return AboveLimit(error, n, limit);
    size_t streamLength = c - 4;
    // No stream longer than deflate's worst case can inflate within the limit.
    if (streamLength > compressBound(static_cast<uLong>(limit)))
        return Fail(error, "Protocol error: compressed stream of " + std::to_string(streamLength) + " bytes");
    if (size - kCompressedHeader < streamLength) return DecodeStatus::Incomplete;
    if (!Inflate(data + kCompressedHeader, streamLength, n, frame.payload))
        return Fail(error, "Protocol error: compressed frame does not inflate to " + std::to_string(n) + " bytes");
    frame.kind = FrameKind::Message;
    frame.number = -1;
    frame.length = kCompressedHeader + streamLength;
    return DecodeStatus::Complete;
}

DecodeStatus TakeTwoByteHeader(const uint8_t* data, size_t size, size_t limit, TFrame& frame,
                               std::string& error) {
    if (data[0] == 0) return Fail(error, "Protocol error: frame header 0");
    // The shortest message this header can announce is already too long.
    if ((static_cast<size_t>(data[0]) - 1) * 256 > limit)
        return AboveLimit(error, (static_cast<size_t>(data[0]) - 1) * 256, limit);
    if (size < 2) return DecodeStatus::Incomplete;
    size_t length = (static_cast<size_t>(data[0]) - 1) * 256 + data[1];
    return TakeMessage(data, size, 2, length, limit, frame, error);
}

OpeningStatus TakeOpeningNumber(const uint8_t* data, size_t size, size_t& at, uint64_t& value) {
    // 20 digits and the end byte at most.
    size_t limit = size - at < 21 ? size - at : 21;
    const void* end = std::memchr(data + at, kFieldEnd, limit);
    if (!end) return limit == 21 ? OpeningStatus::Malformed : OpeningStatus::Incomplete;
    size_t digits = static_cast<size_t>(static_cast<const uint8_t*>(end) - (data + at));
    int64_t parsed = ParseDecimal(std::string_view(reinterpret_cast<const char*>(data + at), digits));
    if (parsed < 0) return OpeningStatus::Malformed;
    value = static_cast<uint64_t>(parsed);
    at += digits + 1;
    return OpeningStatus::Complete;
}

}  // namespace

int64_t ParseDecimal(std::string_view digits) {
    if (digits.empty() || digits.size() > 20) return -1;
    uint64_t value = 0;
    for (char ch : digits) {
        if (ch < '0' || ch > '9') return -1;
        uint64_t d = static_cast<uint64_t>(ch - '0');
        if (value > (static_cast<uint64_t>(INT64_MAX) - d) / 10) return -1;
        value = value * 10 + d;
    }
    return static_cast<int64_t>(value);
}

bool EncodeFrame(std::string_view message, const TFrameOptions& options, std::string& out) {
    size_t n = message.size();
    if (n == 0 || n > kMaxInflated) return false;
    if ((options.compressLarge && n > kCompressLargeAbove) || options.compressAlways ||
        n > kMaxPlainMessage)
        return AppendCompressed(message, options.level, out);
    if (n <= kMaxShortMessage) {
        out.push_back(static_cast<char>(n + 127));
    } else {
        out.push_back(static_cast<char>((n >> 8) + 1));
        out.push_back(static_cast<char>(n & 0xFF));
    }
    out.append(message);
    return true;
}

void AppendKeepAlive(std::string& out) { out.push_back(static_cast<char>(kKeepAlive)); }
void AppendGoodbye(std::string& out) { out.push_back(static_cast<char>(kGoodbye)); }
void AppendAcknowledge(std::string& out) { out.push_back(static_cast<char>(kAcknowledge)); }

void AppendResumeReply(uint64_t bytesReceived, std::string& out) {
    AppendNumberFrame(kResumeReply, bytesReceived, out);
}

void AppendSessionNumber(uint64_t session, std::string& out) {
    AppendNumberFrame(kSessionNumber, session, out);
}

DecodeStatus DecodeFrame(const uint8_t* data, size_t size, TFrame& frame, std::string& error,
                         size_t maxMessage) {
    if (size == 0) return DecodeStatus::Incomplete;
    size_t limit = maxMessage < kMaxInflated ? maxMessage : kMaxInflated;
    uint8_t first = data[0];
    if (first >= 0x80) return TakeMessage(data, size, 1, first - 127u, limit, frame, error);
    switch (first) {
        case kCompressedFrame: return TakeCompressed(data, size, limit, frame, error);
        case kKeepAlive: return TakeSingle(data, FrameKind::KeepAlive, frame);
        case kGoodbye: return TakeSingle(data, FrameKind::Goodbye, frame);
        case kAcknowledge: return TakeSingle(data, FrameKind::Acknowledge, frame);
        case kResumeReply: return TakeNumberFrame(data, size, FrameKind::ResumeReply, frame, error);
        case kSessionNumber: return TakeNumberFrame(data, size, FrameKind::SessionNumber, frame, error);
        default: return TakeTwoByteHeader(data, size, limit, frame, error);
    }
}

DecodeStatus DecodeFrame(std::string_view bytes, TFrame& frame, std::string& error, size_t maxMessage) {
    return DecodeFrame(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), frame, error, maxMessage);
}

std::string PlainOpening() { return std::string(1, static_cast<char>(kOpenPlain)); }
std::string ResumableOpening() { return std::string(1, static_cast<char>(kOpenResumable)); }

std::string ReconnectOpening(uint64_t session, uint64_t bytesReceived) {
    std::string out(1, static_cast<char>(kOpenReconnect));
    out += std::to_string(session);
    out.push_back(static_cast<char>(kFieldEnd));
    out += std::to_string(bytesReceived);
    out.push_back(static_cast<char>(kFieldEnd));
    return out;
}

OpeningStatus ParseOpening(const uint8_t* data, size_t size, TOpening& opening) {
    if (size == 0) return OpeningStatus::Incomplete;
    opening = TOpening{};
    switch (data[0]) {
        case kOpenPlain: opening.kind = OpeningKind::Plain; opening.length = 1; return OpeningStatus::Complete;
        case kOpenResumable: opening.kind = OpeningKind::Resumable; opening.length = 1; return OpeningStatus::Complete;
        case kOpenReconnect: break;
        default: return OpeningStatus::Malformed;
    }
    size_t at = 1;
    OpeningStatus s = TakeOpeningNumber(data, size, at, opening.session);
    if (s != OpeningStatus::Complete) return s;
    s = TakeOpeningNumber(data, size, at, opening.bytesReceived);
    if (s != OpeningStatus::Complete) return s;
    opening.kind = OpeningKind::Reconnect;
    opening.length = at;
    return OpeningStatus::Complete;
}

OpeningStatus ParseOpening(std::string_view bytes, TOpening& opening) {
    return ParseOpening(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), opening);
}

}  // namespace protocol
