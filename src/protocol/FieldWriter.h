// TFieldWriter: builds one message, its code byte first, then the fields in
// the order the code defines them (the field kinds are those of
// FieldReader.h). Texts are bytes as they stand; whoever builds a message
// keeps byte 1 out of its text fields (aliases, room names and the texts
// the zone relays never hold control bytes).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "protocol/Codes.h"

namespace protocol {

class TFieldWriter {
public:
    explicit TFieldWriter(TServerCode code) : m_message(1, static_cast<char>(code)) {}
    explicit TFieldWriter(TClientCode code) : m_message(1, static_cast<char>(code)) {}

    // b: the low eight bits of value.
    TFieldWriter& Byte(int value);
    // w: the low sixteen bits of value, low byte first.
    TFieldWriter& Word(int value);
    // f: the text and byte 1.
    TFieldWriter& Field(std::string_view text);
    // f: a number as decimal text and byte 1.
    TFieldWriter& Number(int64_t value);
    // Bytes as they stand, with nothing after them.
    TFieldWriter& Raw(std::string_view bytes);

    const std::string& Message() const { return m_message; }
    std::string Take() { return std::move(m_message); }

private:
    std::string m_message;
};

}  // namespace protocol
