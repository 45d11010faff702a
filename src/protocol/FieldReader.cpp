#include "protocol/FieldReader.h"

namespace protocol {
namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The digits from i on, in the base, as long as the value stays at most
// limit; false for no digits, a non-digit or a value above the limit.
bool ParseMagnitude(std::string_view text, size_t i, int base, uint64_t limit, uint64_t& magnitude) {
    if (i >= text.size()) return false;
    uint64_t m = 0;
    for (; i < text.size(); ++i) {
        int digit = base == 16 ? HexValue(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
        if (digit < 0) return false;
        m = m * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        if (m > limit) return false;
    }
    magnitude = m;
    return true;
}

// Where hexadecimal digits start, or 0 when the text at i is decimal.
size_t HexStart(std::string_view text, size_t i) {
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) return i + 1;
    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) return i + 2;
    return 0;
}

}  // namespace

int TFieldReader::Byte(int defaultValue) {
    if (AtEnd()) return defaultValue;
    return static_cast<uint8_t>(m_message[m_position++]);
}

int TFieldReader::Word(int defaultValue) {
    if (AtEnd()) return defaultValue;
    int low = Byte();
    return low | (Byte() << 8);
}

std::string TFieldReader::Field() {
    if (AtEnd()) return {};
    size_t end = m_message.find(kFieldEnd, m_position);
    if (end == std::string_view::npos) return Rest();
    std::string field(m_message.substr(m_position, end - m_position));
    m_position = end + 1;
    return field;
}

int TFieldReader::Number(int defaultValue) { return NumberOr(Field(), defaultValue); }

std::string TFieldReader::Bytes(long long n) {
    if (n <= 0 || AtEnd()) return {};
    size_t count = static_cast<unsigned long long>(n) < Remaining() ? static_cast<size_t>(n) : Remaining();
    std::string bytes(m_message.substr(m_position, count));
    m_position += count;
    return bytes;
}

std::string TFieldReader::Rest() {
    if (AtEnd()) return {};
    std::string rest(m_message.substr(m_position));
    m_position = m_message.size();
    return rest;
}

bool TFieldReader::ReadByte(uint8_t& value) {
    if (AtEnd()) return false;
    value = static_cast<uint8_t>(Byte());
    return true;
}

bool TFieldReader::ReadWord(uint16_t& value) {
    if (Remaining() < 2) return false;
    value = static_cast<uint16_t>(Word());
    return true;
}

bool TFieldReader::ReadField(std::string& text) {
    if (AtEnd()) return false;
    size_t end = m_message.find(kFieldEnd, m_position);
    if (end == std::string_view::npos) return false;
    text = Field();
    return true;
}

bool ParseTextNumber(std::string_view text, int32_t& value) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    uint64_t magnitude = 0;
    if (size_t hex = HexStart(text, i)) {
        if (!ParseMagnitude(text, hex, 16, 0xFFFFFFFFu, magnitude)) return false;
        auto bits = static_cast<uint32_t>(magnitude);
        if (negative) bits = ~bits + 1;
        value = static_cast<int32_t>(bits);
        return true;
    }
    uint64_t limit = negative ? uint64_t{0x80000000u} : uint64_t{0x7FFFFFFFu};
    if (!ParseMagnitude(text, i, 10, limit, magnitude)) return false;
    int64_t signedValue = negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
    value = static_cast<int32_t>(signedValue);
    return true;
}

int NumberOr(std::string_view text, int defaultValue) {
    int32_t value = 0;
    return ParseTextNumber(text, value) ? value : defaultValue;
}

int LeadingNumber(std::string_view text, int defaultValue) { return NumberOr(text.substr(0, 2), defaultValue); }

std::vector<std::string> SplitFields(std::string_view text, size_t maxFields) {
    std::vector<std::string> fields;
    TFieldReader reader(text);
    std::string field;
    while (fields.size() < maxFields && reader.ReadField(field)) fields.push_back(field);
    return fields;
}

}  // namespace protocol
