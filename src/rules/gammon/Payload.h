// The Backgammon game payloads as bytes: the codes the table window sends
// and receives, and readers and writers for those with fields. A payload
// here starts with its code byte; the "G" and kind prefix of the envelope
// is not part of it. Numbers are single bytes offset so that none is 0:
// points in moves + 1, points in undos + 2, checkers + 1, a missing hit as
// 1. A move's distance is the die played (1..6), whatever the colour's
// direction. Readers check every number's range and give none for a
// payload that is too short or out of range.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "rules/gammon/Board.h"

namespace rules::gammon::payload {

// Client to server.
constexpr uint8_t kReady = '>';
constexpr uint8_t kChat = 0x08;
constexpr uint8_t kGameWon = 0x16;
constexpr uint8_t kLeave = 0x19;
constexpr uint8_t kOpeningRollRequest = 0xA0;
constexpr uint8_t kMove = 0xA3;
constexpr uint8_t kTurnOver = 0xA4;
constexpr uint8_t kRollRequest = 0xA5;
constexpr uint8_t kGiveUpOffer = 0xA6;
constexpr uint8_t kGiveUpRefused = 0xA7;
constexpr uint8_t kDoubleDeclined = 0xA8;
constexpr uint8_t kDouble = 0xA9;
constexpr uint8_t kDoubleAccepted = 0xAA;
constexpr uint8_t kUndo = 0xAB;

// Server to client.
constexpr uint8_t kChatLine = 9;
constexpr uint8_t kClose = 21;
constexpr uint8_t kYouWin = 22;
constexpr uint8_t kTableBegins = 62;
constexpr uint8_t kAdvert = 85;
constexpr uint8_t kOpeningDie = 160;
constexpr uint8_t kOpeningEqual = 161;
constexpr uint8_t kOpeningWon = 162;
constexpr uint8_t kOpponentMove = 163;
constexpr uint8_t kOpponentTurnOver = 164;
constexpr uint8_t kRoll = 165;
constexpr uint8_t kOpponentGivesUp = 166;
constexpr uint8_t kGiveUpDenied = 167;
constexpr uint8_t kOpponentWon = 168;
constexpr uint8_t kOpponentDoubles = 169;
constexpr uint8_t kDoubleTaken = 170;
constexpr uint8_t kOpponentUndo = 171;

// Text fields end with this byte.
constexpr char kFieldEnd = 0x01;

// The colour byte of 160 and 165: 1 white, 2 black.
constexpr uint8_t ColourByte(TColour colour) { return colour == TColour::White ? 1 : 2; }
std::optional<TColour> ColourFromByte(uint8_t byte);

// The code of a payload, or none when it is empty.
std::optional<uint8_t> CodeOf(std::string_view payload);

// A single move (0xA3 and 163): the checker on top of Source moves by Pips.
struct TWireMove {
    int Source = 0;
    int Pips = 0;
    friend bool operator==(const TWireMove&, const TWireMove&) = default;
};
std::string BuildMove(uint8_t code, const TWireMove& move);
std::optional<TWireMove> ParseMove(std::string_view payload);

// An undo (0xAB and 171): the board's record of the move taken back. The
// distance does not travel; a parsed record has 0 there.
std::string BuildUndo(uint8_t code, const TMoveRecord& record);
std::optional<TMoveRecord> ParseUndo(std::string_view payload);

// A result class 1..3 (0x16, 0xA6, 166, 168).
std::string BuildClass(uint8_t code, int resultClass);
std::optional<int> ParseClass(std::string_view payload);

// An opening die (160): whose it is and its face.
struct TWireOpeningDie {
    TColour Colour = TColour::White;
    int Die = 1;
    friend bool operator==(const TWireOpeningDie&, const TWireOpeningDie&) = default;
};
std::string BuildOpeningDie(const TWireOpeningDie& die);
std::optional<TWireOpeningDie> ParseOpeningDie(std::string_view payload);

// A roll (165): whose it is and both faces.
struct TWireRoll {
    TColour Colour = TColour::White;
    int Die1 = 1, Die2 = 1;
    friend bool operator==(const TWireRoll&, const TWireRoll&) = default;
};
std::string BuildRoll(const TWireRoll& roll);
std::optional<TWireRoll> ParseRoll(std::string_view payload);

// A chat line from the client (0x08, text, 0x01). The text must not hold
// the field end byte.
std::string BuildChat(std::string_view text);
std::optional<std::string> ParseChat(std::string_view payload);

// A table chat line from the server (9): four bytes, of which the last
// two are the chat view's display bytes, then the text; the payload's last
// byte is not part of the text.
struct TWireChatLine {
    uint8_t Display1 = 0, Display2 = 0;
    std::string Text;
    friend bool operator==(const TWireChatLine&, const TWireChatLine&) = default;
};
std::string BuildChatLine(const TWireChatLine& line);
std::optional<TWireChatLine> ParseChatLine(std::string_view payload);

// An advertisement (85): panel 1..3 and the address.
struct TWireAdvert {
    int Panel = 1;
    std::string Url;
    friend bool operator==(const TWireAdvert&, const TWireAdvert&) = default;
};
std::string BuildAdvert(const TWireAdvert& advert);
std::optional<TWireAdvert> ParseAdvert(std::string_view payload);

// The options message of the table window (sent without the "G" prefix):
// "n", 0x10 for "Anims" or 0x11 for "Confirm", then 1 (off) or 2 (on).
constexpr uint8_t kOptionAnims = 0x10;
constexpr uint8_t kOptionConfirm = 0x11;
std::string BuildOption(uint8_t option, bool on);

}  // namespace rules::gammon::payload
