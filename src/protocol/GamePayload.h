// The payloads game windows exchange. A window sends "G", its game kind and
// the payload (TGamePayload in ClientMessages.h); the server hands it to
// the other players' windows as code 71, a length byte and the payload
// (TGameData in GameMessages.h), so a payload is at most 255 bytes.
//
// A payload starts with a character that says what it is ("2", ">", ...);
// its numbers are single bytes, each sent with an offset of 1, 2 or 3 so
// that no byte is 0. The writer adds the offset and the reader takes it off;
// both sides name the same offset for the same number.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>

namespace protocol {

// The longest payload code 71 can carry.
constexpr size_t kMaxPayload = 255;

class TPayloadWriter {
public:
    explicit TPayloadWriter(char what) : m_payload(1, what) {}

    // value + offset as one byte (its low eight bits).
    TPayloadWriter& Number(int value, int offset);
    // A byte as it stands.
    TPayloadWriter& Byte(int value);
    // Text bytes as they stand, optionally ended by byte 1.
    TPayloadWriter& Text(std::string_view text, bool withFieldEnd = false);

    const std::string& Payload() const { return m_payload; }
    std::string Take() { return std::move(m_payload); }

private:
    std::string m_payload;
};

// Reads the numbers after a payload's first character; past the end every
// number reads as its default.
class TPayloadReader {
public:
    explicit TPayloadReader(std::string_view payload) : m_payload(payload), m_position(payload.empty() ? 0 : 1) {}
    // The reader keeps no copy of the payload.
    template <class TText>
        requires std::is_same_v<TText, std::string>
    explicit TPayloadReader(TText&&) = delete;

    bool AtEnd() const { return m_position >= m_payload.size(); }
    size_t Remaining() const { return AtEnd() ? 0 : m_payload.size() - m_position; }

    // The first character (what the payload is), or 0 for an empty payload.
    char What() const { return m_payload.empty() ? '\0' : m_payload[0]; }

    // A byte minus the offset, or the default when none is left.
    int Number(int offset, int defaultValue = 0);
    int Byte(int defaultValue = 0);
    // Text up to the next byte 1 (consumed) or the end.
    std::string Text();
    std::string Rest();

private:
    std::string_view m_payload;
    size_t m_position;
};

}  // namespace protocol
