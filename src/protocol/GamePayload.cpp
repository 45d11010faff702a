#include "protocol/GamePayload.h"

#include <cstdint>

#include "protocol/FieldReader.h"

namespace protocol {

TPayloadWriter& TPayloadWriter::Number(int value, int offset) { return Byte(value + offset); }

TPayloadWriter& TPayloadWriter::Byte(int value) {
    m_payload.push_back(static_cast<char>(static_cast<uint8_t>(value)));
    return *this;
}

TPayloadWriter& TPayloadWriter::Text(std::string_view text, bool withFieldEnd) {
    m_payload.append(text);
    if (withFieldEnd) m_payload.push_back(kFieldEnd);
    return *this;
}

int TPayloadReader::Number(int offset, int defaultValue) {
    if (AtEnd()) return defaultValue;
    return Byte() - offset;
}

int TPayloadReader::Byte(int defaultValue) {
    if (AtEnd()) return defaultValue;
    return static_cast<uint8_t>(m_payload[m_position++]);
}

std::string TPayloadReader::Text() {
    if (AtEnd()) return {};
    size_t end = m_payload.find(kFieldEnd, m_position);
    if (end == std::string_view::npos) return Rest();
    std::string text(m_payload.substr(m_position, end - m_position));
    m_position = end + 1;
    return text;
}

std::string TPayloadReader::Rest() {
    if (AtEnd()) return {};
    std::string rest(m_payload.substr(m_position));
    m_position = m_payload.size();
    return rest;
}

}  // namespace protocol
