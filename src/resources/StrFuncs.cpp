#include "resources/StrFuncs.h"

#include <algorithm>
#include <ctime>

#include "platform/Files.h"

namespace {

std::string CutAt(std::string& text, char separator) {
    auto at = text.find(separator);
    if (at == std::string::npos) {
        std::string all;
        all.swap(text);
        return all;
    }
    std::string field = text.substr(0, at);
    text.erase(0, at + 1);
    return field;
}

const char kHexDigits[] = "0123456789ABCDEF";

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Magnitude of the digits in [i, end) in the given base; false when a byte is
// no digit, there are none, or the magnitude exceeds limit.
bool ParseMagnitude(const std::string& text, size_t i, int base, uint64_t limit,
                    uint64_t& magnitude) {
    if (i >= text.size()) return false;
    uint64_t m = 0;
    for (; i < text.size(); ++i) {
        int digit = base == 16 ? HexValue(text[i])
                               : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
        if (digit < 0) return false;
        m = m * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        if (m > limit) return false;
    }
    magnitude = m;
    return true;
}

// Where the hexadecimal digits start, or 0 when the text at i is decimal.
size_t HexStart(const std::string& text, size_t i) {
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) return i + 1;
    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X'))
        return i + 2;
    return 0;
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

uint32_t ShiftChannels(uint32_t colour, int amount) {
    uint32_t result = colour & 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        int channel = static_cast<int>((colour >> shift) & 0xFFu) + amount;
        channel = std::clamp(channel, 0, 255);
        result |= static_cast<uint32_t>(channel) << shift;
    }
    return result;
}

std::tm LocalTime(std::chrono::system_clock::time_point time) {
    std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    std::tm local{};
    localtime_r(&seconds, &local);
    return local;
}

}  // namespace

std::string CutField(std::string& text) { return CutAt(text, ','); }

std::string TakeField(std::string& text) { return CutAt(text, '\x01'); }

uint8_t TakeByte(std::string& text) {
    if (text.empty()) return 0;
    auto byte = static_cast<uint8_t>(text[0]);
    text.erase(0, 1);
    return byte;
}

std::string ReplaceAll(const std::string& text, const std::string& search,
                       const std::string& replacement) {
    if (search.empty()) return text;
    std::string result;
    size_t from = 0;
    for (auto at = text.find(search); at != std::string::npos; at = text.find(search, from)) {
        result.append(text, from, at - from);
        result += replacement;
        from = at + search.size();
    }
    result.append(text, from, std::string::npos);
    return result;
}

std::string UrlEncode(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        auto byte = static_cast<uint8_t>(c);
        if (byte <= 0x2F || (byte >= 0x3A && byte <= 0x40)) {
            result += '%';
            result += HexByte(byte);
        } else {
            result += c;
        }
    }
    return result;
}

std::string HexByte(uint8_t value) {
    return std::string{kHexDigits[value >> 4], kHexDigits[value & 15]};
}

std::string TwoBytes(uint16_t value) {
    return std::string{static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

bool ParseInteger(const std::string& text, int32_t& value) {
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

std::string LowerCaseAscii(std::string text) {
    for (char& c : text) c = LowerAscii(c);
    return text;
}

bool SameTextAscii(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

int64_t TimeOfDayMs(std::chrono::system_clock::time_point time) {
    std::tm local = LocalTime(time);
    auto sinceEpoch = std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch());
    int64_t ms = sinceEpoch.count() % 1000;
    if (ms < 0) ms += 1000;
    return ((local.tm_hour * 60 + local.tm_min) * 60 + local.tm_sec) * int64_t{1000} + ms;
}

int64_t TimeOfDayMs() { return TimeOfDayMs(std::chrono::system_clock::now()); }

int64_t TimeOfDaySeconds(std::chrono::system_clock::time_point time) {
    return TimeOfDayMs(time) / 1000;
}

int64_t TimeOfDaySeconds() { return TimeOfDaySeconds(std::chrono::system_clock::now()); }

uint32_t Darken(uint32_t colour, int amount) {
    return ShiftChannels(colour, -std::clamp(amount, -255, 255));
}

uint32_t Lighten(uint32_t colour, int amount) {
    return ShiftChannels(colour, std::clamp(amount, -255, 255));
}

uint32_t VolumeSerial() { return platform::MachineNumber(); }
