// TFieldReader: cuts the fields of one message from its front, with a read
// position, so a long message costs one pass. It reads the code byte like
// any other byte. The message must outlive the reader.
//
// Field kinds: b one byte 0..255; w two bytes, low byte first, 0..65535;
// f text up to the next byte 1, which is consumed with it; a number in an
// f field is decimal text; r the rest.
//
// Two ways to read, for the two sides:
// - Lenient (the client reading the server): never past the end; a byte or
//   word missing at the end reads as the default given (a word whose high
//   byte is missing takes 0 for it), a text field missing reads as empty,
//   and a text field without its closing byte 1 is the rest of the message.
//   A number that ParseTextNumber rejects reads as the default.
// - Strict (the server reading a client): ReadByte, ReadWord and ReadField
//   say whether the field was there; a word needs both bytes and a text
//   field its closing byte 1. Nothing is consumed when they fail.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace protocol {

constexpr char kFieldEnd = '\x01';

class TFieldReader {
public:
    explicit TFieldReader(std::string_view message) : m_message(message) {}
    // The reader keeps no copy: a temporary message would be gone before
    // the first read.
    template <class TText>
        requires std::is_same_v<TText, std::string>
    explicit TFieldReader(TText&&) = delete;

    bool AtEnd() const { return m_position >= m_message.size(); }
    size_t Remaining() const { return AtEnd() ? 0 : m_message.size() - m_position; }

    // Lenient reads.
    int Byte(int defaultValue = 0);
    int Word(int defaultValue = 0);
    std::string Field();
    int Number(int defaultValue);
    // n raw bytes, or the bytes present when fewer remain; n <= 0 reads none.
    std::string Bytes(long long n);
    std::string Rest();

    // Strict reads.
    bool ReadByte(uint8_t& value);
    bool ReadWord(uint16_t& value);
    bool ReadField(std::string& text);

private:
    std::string_view m_message;
    size_t m_position = 0;
};

// A number in a text field: optional leading blanks, optional "+" or "-",
// then decimal digits, or hexadecimal digits after "$", "x" or "0x";
// nothing may follow. Decimal values must fit a signed 32-bit integer;
// hexadecimal ones may use all 32 bits ("$FFFFFFFF" is -1) before the sign
// is applied. False (value untouched) for anything else.
bool ParseTextNumber(std::string_view text, int32_t& value);
// A text field's number, or the default.
int NumberOr(std::string_view text, int defaultValue);
// The number of the first two characters of a field (a match length sent
// as "05 points"), or the default.
int LeadingNumber(std::string_view text, int defaultValue);

// The fields of a text made of fields, each ended by byte 1; a trailing part
// without its byte 1 is no field. At most maxFields are taken.
std::vector<std::string> SplitFields(std::string_view text, size_t maxFields);

}  // namespace protocol
