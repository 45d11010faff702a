#include "net/MessageReader.h"

#include <cstdint>

#include "resources/StrFuncs.h"

int TMessageReader::Byte(int defaultValue) {
    if (AtEnd()) return defaultValue;
    return static_cast<uint8_t>(m_message[m_position++]);
}

int TMessageReader::Word(int defaultValue) {
    if (AtEnd()) return defaultValue;
    int low = Byte();
    return low | (Byte() << 8);
}

std::string TMessageReader::Field() {
    if (AtEnd()) return {};
    size_t end = m_message.find(kFieldEnd, m_position);
    if (end == std::string::npos) return Rest();
    std::string field = m_message.substr(m_position, end - m_position);
    m_position = end + 1;
    return field;
}

int TMessageReader::Number(int defaultValue) { return NumberOr(Field(), defaultValue); }

std::string TMessageReader::Bytes(long long n) {
    if (n <= 0 || AtEnd()) return {};
    size_t count = static_cast<unsigned long long>(n) < Remaining() ? static_cast<size_t>(n) : Remaining();
    std::string bytes = m_message.substr(m_position, count);
    m_position += count;
    return bytes;
}

std::string TMessageReader::Rest() {
    if (AtEnd()) return {};
    std::string rest = m_message.substr(m_position);
    m_position = m_message.size();
    return rest;
}

int NumberOr(const std::string& text, int defaultValue) {
    int32_t value = 0;
    return ParseInteger(text, value) ? value : defaultValue;
}
