// TMessageReader: cuts the fields of one server message from its front, as
// TakeByte and TakeField do, but with a read position instead of erasing,
// so a long message costs one pass.
//
// It never reads past the end: a byte or word missing at the end reads as
// the default given (a word whose high byte is missing takes 0 for it), a
// text field missing reads as empty, and a text field without its closing
// byte 1 is the rest of the message. Numbers in text fields are read with
// ParseInteger; anything it rejects is the default.
#pragma once

#include <cstddef>
#include <string>
#include <utility>

class TMessageReader {
public:
    static constexpr char kFieldEnd = '\x01';

    explicit TMessageReader(std::string message) : m_message(std::move(message)) {}

    bool AtEnd() const { return m_position >= m_message.size(); }
    size_t Remaining() const { return AtEnd() ? 0 : m_message.size() - m_position; }

    // b: one raw byte, 0..255.
    int Byte(int defaultValue = 0);
    // w: two raw bytes, low byte first, 0..65535.
    int Word(int defaultValue = 0);
    // f: text up to the next byte 1, which is removed with it.
    std::string Field();
    // f read as a number.
    int Number(int defaultValue);
    // n raw bytes, or the bytes present when fewer remain; n < 0 reads none.
    std::string Bytes(long long n);
    // r: the rest.
    std::string Rest();

private:
    std::string m_message;
    size_t m_position = 0;
};

// A text field's number, or the default.
int NumberOr(const std::string& text, int defaultValue);
