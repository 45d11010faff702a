#include "rules/yatzy/Payload.h"

#include "rules/yatzy/DiceCup.h"
#include "rules/yatzy/Scoring.h"

namespace rules::yatzy {

namespace {

constexpr int kMaxSeats = 4;
constexpr int kAdvertSlots = 3;
constexpr size_t kMaxPointsDigits = 3;
// The code byte and the two display and two spare bytes of a table chat.
constexpr size_t kTableChatHead = 5;

// Cuts fields from the front of a payload; any read past its end, or a
// number outside its range, fails the whole payload.
class TReader {
public:
    explicit TReader(std::string_view bytes) : m_bytes(bytes) {}

    std::optional<int> Byte(int low = 0, int high = 255) {
        if (m_at >= m_bytes.size()) return std::nullopt;
        int value = static_cast<uint8_t>(m_bytes[m_at++]);
        if (value < low || value > high) return std::nullopt;
        return value;
    }
    // A text field up to its 0x01 (which is consumed) or the payload's end.
    std::string_view Field() {
        size_t end = m_bytes.find(static_cast<char>(kTextEnd), m_at);
        std::string_view field = m_bytes.substr(m_at, end == std::string_view::npos ? end : end - m_at);
        m_at = end == std::string_view::npos ? m_bytes.size() : end + 1;
        return field;
    }
    // A text field that must end with its 0x01.
    std::optional<std::string_view> EndedField() {
        if (m_bytes.find(static_cast<char>(kTextEnd), m_at) == std::string_view::npos) return std::nullopt;
        return Field();
    }
    bool AtEnd() const { return m_at == m_bytes.size(); }

private:
    std::string_view m_bytes;
    size_t m_at = 0;
};

template <class Message>
TParsed<Message> Fail(TParseFault fault, std::string detail) {
    TParsed<Message> parsed;
    parsed.Fault = fault;
    parsed.Detail = std::move(detail);
    return parsed;
}

template <class Message>
TParsed<Message> Done(std::optional<Message> message, uint8_t code) {
    if (message) return {std::move(message), TParseFault::None, ""};
    return Fail<Message>(TParseFault::Malformed, "malformed payload " + std::to_string(code));
}

// Payload 0x08 text 0x01: the text runs to the last byte.
std::optional<TClientMessage> ChatLine(std::string_view bytes) {
    if (bytes.size() < 2 || static_cast<uint8_t>(bytes.back()) != kTextEnd) return std::nullopt;
    return TChatLine{std::string(bytes.substr(1, bytes.size() - 2))};
}

std::optional<TClientMessage> Score(TReader& reader) {
    auto row = reader.Byte(kFirstRow, kRowCount);
    if (!row) return std::nullopt;
    auto field = reader.EndedField();
    if (!field) return std::nullopt;
    auto points = ParsePoints(*field);
    if (!points || !reader.AtEnd()) return std::nullopt;
    return TScore{*row, *points};
}

std::optional<TClientMessage> ClientBody(uint8_t code, TReader& reader) {
    auto die = [&] { return reader.Byte(1, kDiceCount); };
    switch (code) {
        case code::kReady: return TReady{};
        case code::kRoll: return TRoll{};
        case code::kLeave: return TLeave{};
        case code::kRollDie: {
            auto d = die();
            return d ? std::optional<TClientMessage>(TRollDie{*d}) : std::nullopt;
        }
        case code::kHold: {
            auto d = die();
            auto held = reader.Byte(0, 1);
            if (!d || !held) return std::nullopt;
            return THold{*d, *held == 1};
        }
        case code::kScore: return Score(reader);
        default: return std::nullopt;
    }
}

bool IsClientCode(uint8_t code) {
    switch (code) {
        case code::kReady: case code::kChat: case code::kRoll: case code::kRollDie:
        case code::kHold: case code::kScore: case code::kLeave: return true;
        default: return false;
    }
}

std::optional<TServerMessage> TableChat(std::string_view bytes) {
    if (bytes.size() < kTableChatHead + 1) return std::nullopt;
    TTableChat chat;
    for (size_t i = 0; i < 2; ++i) {
        chat.Spare[i] = static_cast<uint8_t>(bytes[1 + i]);
        chat.Display[i] = static_cast<uint8_t>(bytes[3 + i]);
    }
    chat.Text = std::string(bytes.substr(kTableChatHead, bytes.size() - kTableChatHead - 1));
    return chat;
}

std::optional<TServerMessage> RowWritten(TReader& reader) {
    auto row = reader.Byte(kFirstRow, kRowCount);
    if (!row || reader.AtEnd()) return std::nullopt;
    auto points = ParsePoints(reader.Field());
    if (!points) return std::nullopt;
    return TRowWritten{*row, *points};
}

std::optional<TServerMessage> ServerBody(uint8_t code, TReader& reader) {
    auto seat = [&] { return reader.Byte(1, kMaxSeats); };
    auto die = [&] { return reader.Byte(1, kDiceCount); };
    std::optional<int> a, b;
    switch (code) {
        case code::kClose: return TClose{};
        case code::kBegin: return TBegin{};
        case code::kRolled: return TRolled{};
        case code::kAdvert:
            if (!(a = reader.Byte(1, kAdvertSlots))) return std::nullopt;
            return TAdvert{*a, std::string(reader.Field())};
        case code::kTurn: return (a = seat()) ? std::optional<TServerMessage>(TTurn{*a}) : std::nullopt;
        case code::kRoundWon: return (a = seat()) ? std::optional<TServerMessage>(TRoundWon{*a}) : std::nullopt;
        case code::kDroppedOut:
            a = reader.Byte(0, kMaxSeats - 1);
            return a ? std::optional<TServerMessage>(TDroppedOut{*a + 1}) : std::nullopt;
        case code::kDieRolled: return (a = die()) ? std::optional<TServerMessage>(TDieRolled{*a}) : std::nullopt;
        case code::kDieHeld:
            if (!(a = die()) || !(b = reader.Byte())) return std::nullopt;
            return TDieHeld{*a, *b != 0};
        case code::kRowWritten: return RowWritten(reader);
        default: return std::nullopt;
    }
}

bool IsServerCode(uint8_t code) {
    return code == code::kTableChat || code == code::kClose || code == code::kBegin || code == code::kAdvert ||
           (code >= code::kTurn && code <= code::kDroppedOut);
}

std::string Bytes(std::initializer_list<int> bytes) {
    std::string out;
    for (int byte : bytes) out.push_back(static_cast<char>(byte));
    return out;
}

// A text and its end byte, cut so that the payload stays within bounds.
std::string WithText(std::string head, std::string_view text) {
    size_t room = kMaxPayload - head.size() - 1;
    head.append(text.substr(0, room));
    head.push_back(static_cast<char>(kTextEnd));
    return head;
}

struct TClientBuilder {
    std::string operator()(const TReady&) const { return Bytes({code::kReady}); }
    std::string operator()(const TChatLine& m) const { return WithText(Bytes({code::kChat}), m.Text); }
    std::string operator()(const TRoll&) const { return Bytes({code::kRoll}); }
    std::string operator()(const TRollDie& m) const { return Bytes({code::kRollDie, m.Die}); }
    std::string operator()(const THold& m) const { return Bytes({code::kHold, m.Die, m.Held ? 1 : 0}); }
    std::string operator()(const TScore& m) const {
        return WithText(Bytes({code::kScore, m.Row}), std::to_string(m.Points));
    }
    std::string operator()(const TLeave&) const { return Bytes({code::kLeave}); }
};

struct TServerBuilder {
    std::string operator()(const TTableChat& m) const {
        return WithText(Bytes({code::kTableChat, m.Spare[0], m.Spare[1], m.Display[0], m.Display[1]}), m.Text);
    }
    std::string operator()(const TClose&) const { return Bytes({code::kClose}); }
    std::string operator()(const TBegin&) const { return Bytes({code::kBegin}); }
    std::string operator()(const TAdvert& m) const { return WithText(Bytes({code::kAdvert, m.Slot}), m.Url); }
    std::string operator()(const TTurn& m) const { return Bytes({code::kTurn, m.Seat}); }
    std::string operator()(const TDieHeld& m) const { return Bytes({code::kDieHeld, m.Die, m.Held ? 1 : 0}); }
    std::string operator()(const TDieRolled& m) const { return Bytes({code::kDieRolled, m.Die}); }
    std::string operator()(const TRolled&) const { return Bytes({code::kRolled}); }
    std::string operator()(const TRowWritten& m) const {
        return WithText(Bytes({code::kRowWritten, m.Row}), std::to_string(m.Points));
    }
    std::string operator()(const TRoundWon& m) const { return Bytes({code::kRoundWon, m.Seat}); }
    std::string operator()(const TDroppedOut& m) const { return Bytes({code::kDroppedOut, m.Seat - 1}); }
};

}  // namespace

std::optional<int> ParsePoints(std::string_view text) {
    if (text.empty() || text.size() > kMaxPointsDigits) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

TParsed<TClientMessage> ParseClientPayload(std::string_view bytes) {
    if (bytes.empty()) return Fail<TClientMessage>(TParseFault::Empty, "empty payload");
    if (bytes.size() > kMaxPayload) return Fail<TClientMessage>(TParseFault::Malformed, "payload too long");
    uint8_t code = static_cast<uint8_t>(bytes[0]);
    if (!IsClientCode(code)) return Fail<TClientMessage>(TParseFault::UnknownCode, std::to_string(code));
    if (code == code::kChat) return Done(ChatLine(bytes), code);
    TReader reader(bytes.substr(1));
    auto message = ClientBody(code, reader);
    if (message && !reader.AtEnd()) message.reset();
    return Done(std::move(message), code);
}

TParsed<TServerMessage> ParseServerPayload(std::string_view bytes) {
    if (bytes.empty()) return Fail<TServerMessage>(TParseFault::Empty, "empty payload");
    if (bytes.size() > kMaxPayload) return Fail<TServerMessage>(TParseFault::Malformed, "payload too long");
    uint8_t code = static_cast<uint8_t>(bytes[0]);
    if (!IsServerCode(code)) return Fail<TServerMessage>(TParseFault::UnknownCode, std::to_string(code));
    if (code == code::kTableChat) return Done(TableChat(bytes), code);
    TReader reader(bytes.substr(1));
    return Done(ServerBody(code, reader), code);
}

std::string BuildPayload(const TClientMessage& message) { return std::visit(TClientBuilder{}, message); }
std::string BuildPayload(const TServerMessage& message) { return std::visit(TServerBuilder{}, message); }

}  // namespace rules::yatzy
