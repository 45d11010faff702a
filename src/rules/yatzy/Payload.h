// The bytes of the Yatzy game payloads, both ways, as typed messages.
//
// Client to server (sent after "G" and the kind byte 4): ">" ready, 0x08
// chat, 0xB8 roll, 0xB7 die rolled, 0xB6 die held/released, 0xB9 row
// written, 0x19 leaving. Server to client (inside message 71): 9 chat, 21
// close, 62 begin, 85 advertisement, 181..187 the table's events.
//
// Parsing checks every number against its range before anyone can index
// with it (dice 1..6, rows 1..21, seats 1..4, points as 1..3 decimal
// digits) and tells an unknown code apart from a known one that is
// malformed: the window answers the first with "Wrong control: " and the
// second with "Error in reading data: ". A client payload must end where
// its last field ends, since the referee judges it; the client reads the
// server's payloads leniently past their last field. Texts end with byte 0x01; as the
// byte 1 also starts a colour escape inside chat text, a chat text runs to
// the payload's last byte rather than to the first 0x01.
//
// Seats are 1..4 everywhere in these types; message 187 alone counts them
// from 0 on the wire, and its codec converts.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace rules::yatzy {

// A game payload travels with a one-byte length.
constexpr size_t kMaxPayload = 255;
constexpr uint8_t kTextEnd = 0x01;

namespace code {
constexpr uint8_t kReady = '>';
constexpr uint8_t kChat = 0x08;
constexpr uint8_t kRoll = 0xB8;
constexpr uint8_t kRollDie = 0xB7;
constexpr uint8_t kHold = 0xB6;
constexpr uint8_t kScore = 0xB9;
constexpr uint8_t kLeave = 0x19;

constexpr uint8_t kTableChat = 9;
constexpr uint8_t kClose = 21;
constexpr uint8_t kBegin = 62;
constexpr uint8_t kAdvert = 85;
constexpr uint8_t kTurn = 181;
constexpr uint8_t kDieHeld = 182;
constexpr uint8_t kDieRolled = 183;
constexpr uint8_t kRolled = 184;
constexpr uint8_t kRowWritten = 185;
constexpr uint8_t kRoundWon = 186;
constexpr uint8_t kDroppedOut = 187;
}  // namespace code

// Client to server.
struct TReady {};
struct TChatLine { std::string Text; };
struct TRoll {};
struct TRollDie { int Die = 0; };
struct THold { int Die = 0; bool Held = false; };
struct TScore { int Row = 0; int Points = 0; };
struct TLeave {};
using TClientMessage = std::variant<TReady, TChatLine, TRoll, TRollDie, THold, TScore, TLeave>;

// Server to client.
struct TTableChat {
    std::array<uint8_t, 2> Spare{};    // not read by the window
    std::array<uint8_t, 2> Display{};  // handed to the chat view
    std::string Text;
};
struct TClose {};
struct TBegin {};
struct TAdvert { int Slot = 1; std::string Url; };
struct TTurn { int Seat = 1; };
struct TDieHeld { int Die = 0; bool Held = false; };
struct TDieRolled { int Die = 0; };
struct TRolled {};
struct TRowWritten { int Row = 0; int Points = 0; };
struct TRoundWon { int Seat = 1; };
struct TDroppedOut { int Seat = 1; };
using TServerMessage = std::variant<TTableChat, TClose, TBegin, TAdvert, TTurn, TDieHeld, TDieRolled, TRolled,
                                    TRowWritten, TRoundWon, TDroppedOut>;

enum class TParseFault { None, Empty, UnknownCode, Malformed };

template <class Message>
struct TParsed {
    std::optional<Message> Value;
    TParseFault Fault = TParseFault::None;
    // What was wrong, for the error box or the server's log.
    std::string Detail;
    explicit operator bool() const { return Value.has_value(); }
};

TParsed<TClientMessage> ParseClientPayload(std::string_view bytes);
TParsed<TServerMessage> ParseServerPayload(std::string_view bytes);

// The payload bytes of a message. Texts too long for one payload are cut.
std::string BuildPayload(const TClientMessage& message);
std::string BuildPayload(const TServerMessage& message);

// Decimal points text: 1 to 3 digits, nothing else; none otherwise.
std::optional<int> ParsePoints(std::string_view text);

}  // namespace rules::yatzy
