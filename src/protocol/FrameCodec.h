// The framing of the game-zone connection, shared by the client (TClient) and
// the reference server: one implementation of how a message becomes a frame,
// how a frame is cut out of received bytes, and the opening bytes a client
// writes first on every new socket.
//
// Frames, by their first byte:
//   0x80..0xFF  one byte B, then B - 127 bytes        a message of 1..128 bytes
//   0x01..0x76  H, L, then (H - 1) * 256 + L bytes    a message of 129..30000 bytes
//   "y"         "y", uint32 C, uint32 N, C - 4 bytes  a zlib stream inflating to N
//   "{" "|" 0x7F                                      keep-alive, goodbye, acknowledgement
//   "}" "~"     the byte, decimal digits, 0x01        resume reply, session number
// Header bytes 0x77, 0x78 and 0x7A are never written but read like 0x01..0x76
// (longer two-byte messages); 0x00 announces a negative length and is an error.
//
// Decoding never consumes an incomplete frame and never reads outside the
// given range. Everything a peer announces is bounded before it sizes an
// allocation: a frame may announce at most the reader's largest message
// (kMaxInflated unless the reader asks for less), and a compressed stream
// must inflate to exactly the announced length.
//
// Byte counting in a resumable session, as TClient does it (a peer must count
// the same way or a reconnect at an acknowledgement boundary loses or repeats
// a byte):
// - The client's sent count includes its opening byte 0xFE but never a
//   reconnect opening. Its send buffer starts after the opening, and each
//   0x7F it receives drops 1000 bytes from the buffer's front; so the k-th
//   acknowledgement to the client may go out only once 1000 * k bytes after
//   the opening have arrived, while the resume reply "}" counts the opening
//   too (it is compared with the client's sent count).
// - The client counts its own opening as one received byte for its
//   acknowledgements: its k-th 0x7F comes after 1000 * k - 1 bytes from the
//   peer. The count in its reconnect opening is the true number of bytes it
//   received (resume replies excluded).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// kFieldEnd (byte 1) also ends the decimal of "}", "~" and the reconnect
// opening.
#include "protocol/FieldReader.h"

namespace protocol {

// Frame bytes.
constexpr uint8_t kCompressedFrame = 'y';
constexpr uint8_t kKeepAlive = '{';
constexpr uint8_t kGoodbye = '|';
constexpr uint8_t kResumeReply = '}';
constexpr uint8_t kSessionNumber = '~';
constexpr uint8_t kAcknowledge = 0x7F;

// Opening bytes.
constexpr uint8_t kOpenPlain = 0xFF;
constexpr uint8_t kOpenResumable = 0xFE;
constexpr uint8_t kOpenReconnect = 0xFD;

// Longest message with a one-byte header, and with a two-byte header; longer
// messages are always compressed.
constexpr size_t kMaxShortMessage = 128;
constexpr size_t kMaxPlainMessage = 30000;
// Messages above this length are compressed when compressing large ones.
constexpr size_t kCompressLargeAbove = 100;
// The largest length a compressed frame may announce. Nothing the protocol
// carries comes near it; it bounds what one frame can make us allocate.
constexpr uint32_t kMaxInflated = 16u * 1024 * 1024;
// The longest "}" or "~" frame: the byte, 20 digits (a 64-bit number) and
// 0x01. A longer run without its 0x01 cannot become a valid frame.
constexpr size_t kMaxNumberFrame = 22;
// Bytes one acknowledgement stands for.
constexpr int kAcknowledgeBytes = 1000;

struct TFrameOptions {
    bool compressLarge = false;   // compress messages longer than 100 bytes
    bool compressAlways = false;  // compress every message
    int level = 1;                // zlib level, -1 (default) or 0..9
};

// Appends the frame of message to out: compressed when the options ask for it
// or when the message is longer than 30000 bytes, else with a one- or
// two-byte header. False (out unchanged) when the message is empty, longer
// than kMaxInflated, or zlib fails (a level outside -1..9).
bool EncodeFrame(std::string_view message, const TFrameOptions& options, std::string& out);

// The fixed frames a peer writes.
void AppendKeepAlive(std::string& out);
void AppendGoodbye(std::string& out);
void AppendAcknowledge(std::string& out);
void AppendResumeReply(uint64_t bytesReceived, std::string& out);
void AppendSessionNumber(uint64_t session, std::string& out);

enum class FrameKind { Message, KeepAlive, Goodbye, ResumeReply, SessionNumber, Acknowledge };
enum class DecodeStatus { Complete, Incomplete, Error };

struct TFrame {
    FrameKind kind = FrameKind::Message;
    // Message: the (inflated) message. Control frames: the frame's own bytes
    // ("{", "|", 0x7F, or "}"/"~" with digits and 0x01), which is what a
    // connection that does not use the frame delivers as a message.
    std::string payload;
    // "}" and "~": the decimal between the first byte and the 0x01, or -1
    // when it is not a number (empty, a non-digit, above 2^63 - 1).
    int64_t number = -1;
    size_t length = 0;  // bytes the frame occupies
};

// Decodes the frame at the start of [data, data + size). Complete: frame is
// filled and frame.length bytes may be consumed. Incomplete: more bytes are
// needed and nothing is consumed. Error: the bytes can never become a valid
// frame; error says why (a text for the connection's error report).
//
// maxMessage is the longest message the reader accepts (at most
// kMaxInflated; a larger value counts as kMaxInflated). A frame announcing
// more is an Error as soon as its header is in, before the rest arrives or
// anything is inflated; so is a compressed stream longer than deflate's worst
// case for maxMessage bytes.
DecodeStatus DecodeFrame(const uint8_t* data, size_t size, TFrame& frame, std::string& error,
                         size_t maxMessage = kMaxInflated);
DecodeStatus DecodeFrame(std::string_view bytes, TFrame& frame, std::string& error,
                         size_t maxMessage = kMaxInflated);

// Connection openings: what a client writes first on a new socket.
std::string PlainOpening();
std::string ResumableOpening();
std::string ReconnectOpening(uint64_t session, uint64_t bytesReceived);

enum class OpeningKind { Plain, Resumable, Reconnect };
enum class OpeningStatus { Complete, Incomplete, Malformed };

struct TOpening {
    OpeningKind kind = OpeningKind::Plain;
    uint64_t session = 0;        // Reconnect only
    uint64_t bytesReceived = 0;  // Reconnect only: what the client has received
    size_t length = 0;           // bytes the opening occupies
};

// Parses the opening a server receives at the start of a connection.
// Malformed: an unknown first byte, a non-digit in a number, an empty number,
// or a number longer than 20 digits or above 2^63 - 1.
OpeningStatus ParseOpening(const uint8_t* data, size_t size, TOpening& opening);
OpeningStatus ParseOpening(std::string_view bytes, TOpening& opening);

// Parses an unsigned decimal of at most 20 digits that fits in 63 bits; -1
// when it is not one. Shared by the frames and the opening.
int64_t ParseDecimal(std::string_view digits);

}  // namespace protocol
