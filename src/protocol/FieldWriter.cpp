#include "protocol/FieldWriter.h"

#include "protocol/FieldReader.h"

namespace protocol {

TFieldWriter& TFieldWriter::Byte(int value) {
    m_message.push_back(static_cast<char>(static_cast<uint8_t>(value)));
    return *this;
}

TFieldWriter& TFieldWriter::Word(int value) {
    m_message.push_back(static_cast<char>(value & 0xFF));
    m_message.push_back(static_cast<char>((value >> 8) & 0xFF));
    return *this;
}

TFieldWriter& TFieldWriter::Field(std::string_view text) {
    m_message.append(text);
    m_message.push_back(kFieldEnd);
    return *this;
}

TFieldWriter& TFieldWriter::Number(int64_t value) { return Field(std::to_string(value)); }

TFieldWriter& TFieldWriter::Raw(std::string_view bytes) {
    m_message.append(bytes);
    return *this;
}

}  // namespace protocol
