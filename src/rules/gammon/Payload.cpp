#include "rules/gammon/Payload.h"

namespace rules::gammon::payload {

namespace {

int ByteAt(std::string_view payload, size_t index) { return static_cast<uint8_t>(payload[index]); }

char Byte(int value) { return static_cast<char>(static_cast<uint8_t>(value)); }

bool Has(std::string_view payload, uint8_t code, size_t size) {
    return payload.size() >= size && ByteAt(payload, 0) == code;
}

bool IsDie(int value) { return value >= 1 && value <= 6; }

// A text field running to the field end byte, or to the payload's end.
std::string_view FieldFrom(std::string_view payload, size_t start) {
    std::string_view rest = payload.substr(start);
    size_t end = rest.find(kFieldEnd);
    return end == std::string_view::npos ? rest : rest.substr(0, end);
}

}  // namespace

std::optional<TColour> ColourFromByte(uint8_t byte) {
    if (byte == 1) return TColour::White;
    if (byte == 2) return TColour::Black;
    return std::nullopt;
}

std::optional<uint8_t> CodeOf(std::string_view payload) {
    if (payload.empty()) return std::nullopt;
    return static_cast<uint8_t>(payload[0]);
}

std::string BuildMove(uint8_t code, const TWireMove& move) {
    return {Byte(code), Byte(move.Source + 1), Byte(move.Pips)};
}

std::optional<TWireMove> ParseMove(std::string_view payload) {
    if (payload.size() < 3) return std::nullopt;
    uint8_t code = static_cast<uint8_t>(payload[0]);
    if (code != kMove && code != kOpponentMove) return std::nullopt;
    TWireMove move{ByteAt(payload, 1) - 1, ByteAt(payload, 2)};
    if (!IsPoint(move.Source) || !IsDie(move.Pips)) return std::nullopt;
    return move;
}

std::string BuildUndo(uint8_t code, const TMoveRecord& record) {
    return {Byte(code), Byte(record.Checker + 1), Byte(record.Target + 2), Byte(record.Source + 2),
            Byte(record.Hit + 2)};
}

std::optional<TMoveRecord> ParseUndo(std::string_view payload) {
    if (payload.size() < 5) return std::nullopt;
    uint8_t code = static_cast<uint8_t>(payload[0]);
    if (code != kUndo && code != kOpponentUndo) return std::nullopt;
    TMoveRecord record;
    record.Checker = ByteAt(payload, 1) - 1;
    record.Target = ByteAt(payload, 2) - 2;
    record.Source = ByteAt(payload, 3) - 2;
    record.Hit = ByteAt(payload, 4) - 2;
    if (!IsChecker(record.Checker) || !IsPoint(record.Source)) return std::nullopt;
    if (record.Target != kOffBoard && !IsPoint(record.Target)) return std::nullopt;
    if (record.Hit != kNoChecker && !IsChecker(record.Hit)) return std::nullopt;
    return record;
}

std::string BuildClass(uint8_t code, int resultClass) { return {Byte(code), Byte(resultClass)}; }

std::optional<int> ParseClass(std::string_view payload) {
    if (payload.size() < 2) return std::nullopt;
    int resultClass = ByteAt(payload, 1);
    if (resultClass < 1 || resultClass > 3) return std::nullopt;
    return resultClass;
}

std::string BuildOpeningDie(const TWireOpeningDie& die) {
    return {Byte(kOpeningDie), Byte(ColourByte(die.Colour)), Byte(die.Die)};
}

std::optional<TWireOpeningDie> ParseOpeningDie(std::string_view payload) {
    if (!Has(payload, kOpeningDie, 3)) return std::nullopt;
    auto colour = ColourFromByte(static_cast<uint8_t>(payload[1]));
    int die = ByteAt(payload, 2);
    if (!colour || !IsDie(die)) return std::nullopt;
    return TWireOpeningDie{*colour, die};
}

std::string BuildRoll(const TWireRoll& roll) {
    return {Byte(kRoll), Byte(ColourByte(roll.Colour)), Byte(roll.Die1), Byte(roll.Die2)};
}

std::optional<TWireRoll> ParseRoll(std::string_view payload) {
    if (!Has(payload, kRoll, 4)) return std::nullopt;
    auto colour = ColourFromByte(static_cast<uint8_t>(payload[1]));
    int die1 = ByteAt(payload, 2), die2 = ByteAt(payload, 3);
    if (!colour || !IsDie(die1) || !IsDie(die2)) return std::nullopt;
    return TWireRoll{*colour, die1, die2};
}

std::string BuildChat(std::string_view text) {
    std::string payload(1, Byte(kChat));
    for (char c : text)
        if (c != kFieldEnd) payload += c;
    payload += kFieldEnd;
    return payload;
}

std::optional<std::string> ParseChat(std::string_view payload) {
    if (!Has(payload, kChat, 1)) return std::nullopt;
    return std::string(FieldFrom(payload, 1));
}

std::string BuildChatLine(const TWireChatLine& line) {
    std::string payload{Byte(kChatLine), Byte(1), Byte(1), static_cast<char>(line.Display1),
                        static_cast<char>(line.Display2)};
    payload += line.Text;
    payload += kFieldEnd;
    return payload;
}

std::optional<TWireChatLine> ParseChatLine(std::string_view payload) {
    if (!Has(payload, kChatLine, 6)) return std::nullopt;
    TWireChatLine line;
    line.Display1 = static_cast<uint8_t>(payload[3]);
    line.Display2 = static_cast<uint8_t>(payload[4]);
    line.Text = std::string(payload.substr(5, payload.size() - 6));
    return line;
}

std::string BuildAdvert(const TWireAdvert& advert) {
    std::string payload{Byte(kAdvert), Byte(advert.Panel)};
    payload += advert.Url;
    payload += kFieldEnd;
    return payload;
}

std::optional<TWireAdvert> ParseAdvert(std::string_view payload) {
    if (!Has(payload, kAdvert, 2)) return std::nullopt;
    int panel = ByteAt(payload, 1);
    if (panel < 1 || panel > 3) return std::nullopt;
    return TWireAdvert{panel, std::string(FieldFrom(payload, 2))};
}

std::string BuildOption(uint8_t option, bool on) { return {'n', Byte(option), Byte(on ? 2 : 1)}; }

}  // namespace rules::gammon::payload
