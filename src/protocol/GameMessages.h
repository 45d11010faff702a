// The server's game messages: open tables and join requests, the game
// start, game data, running games, results, rating changes and tournament
// notices. See SessionMessages.h for how Build and Read behave. Game kinds
// travel as their number (rules/GameKind.h); a kind read from the wire
// goes through rules::GameKindOf before it indexes anything.
#pragma once

#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "protocol/Codes.h"
#include "protocol/FieldReader.h"
#include "rules/GameSetup.h"

namespace protocol {

// Code 11: a table was opened. Number is the creator's rating in that game,
// Text a short description of the setting.
struct TTableOpened {
    static constexpr TServerCode kCode = TServerCode::TableOpened;
    int Kind = 0;
    std::string Creator;
    int Number = 0;  // default 0
    std::string Text;
    bool operator==(const TTableOpened&) const = default;
};

// Code 12: a table was withdrawn.
struct TTableClosed {
    static constexpr TServerCode kCode = TServerCode::TableClosed;
    int Kind = 0;
    std::string Creator;
    bool operator==(const TTableClosed&) const = default;
};

// Code 16: a player asks to join the own table; Number is their rating.
struct TJoinRequest {
    static constexpr TServerCode kCode = TServerCode::JoinRequest;
    int Kind = 0;
    std::string Joiner;
    int Number = 0;  // default 0
    bool operator==(const TJoinRequest&) const = default;
};

// Code 18: the game starts; the set-up record of its kind. On the wire:
//   kinds 1 and 3: opponent f, seed f (default 0)
//   kind 2: opponent f, seat b (1: the own colour is white), match length f
//           (its first two characters, default 1), own figure f, opponent
//           figure f
//   kind 4: seed f (default 0), player count f (default 2), own seat f
//           (default 2), match length f (first two characters, default 1),
//           then one name f per player
// The own alias is not sent: Own stays empty for the receiver to fill.
// Seeds travel as signed 32-bit decimals, so every 32-bit seed round-trips.
// Read fails for a kind outside 1..4.
struct TGameStartMessage {
    static constexpr TServerCode kCode = TServerCode::GameStart;
    rules::TGameKind Kind = rules::TGameKind::Tumblix;
    std::variant<rules::TDuelSetup, rules::TGammonSetup, rules::TYatzySetup> Setup;
    // Yatzy: the player count as sent. Setup's PlayerCount is bounded to
    // 0..4 (the names read); a count outside 2..4 is the receiver's to
    // refuse.
    int SentPlayerCount = 2;
    bool operator==(const TGameStartMessage&) const = default;
};

// Code 71: a game payload for the visible game window (GamePayload.h). The
// length byte is written by Build; Read keeps the bytes present when the
// message is shorter than it says.
struct TGameData {
    static constexpr TServerCode kCode = TServerCode::GameData;
    std::string Payload;
    bool operator==(const TGameData&) const = default;
};

// Code 78: a game started; one pair (alias, figure) per seat listed.
struct TRunningGame {
    static constexpr TServerCode kCode = TServerCode::GameStarted;
    int Kind = 0;
    std::vector<std::pair<std::string, std::string>> Players;
    bool operator==(const TRunningGame&) const = default;
};

// Code 84: the game Player plays in has ended.
struct TGameEnded {
    static constexpr TServerCode kCode = TServerCode::GameEnded;
    std::string Player;
    bool operator==(const TGameEnded&) const = default;
};

// Code 112: the result of a match. X, Y and Z are sent only when Result is
// kResultWon.
struct TGameResult {
    static constexpr TServerCode kCode = TServerCode::GameResult;
    static constexpr int kResultWon = 2;
    int Result = 0;
    std::string Points;
    std::string X, Y, Z;
    bool operator==(const TGameResult&) const = default;
};

// Code 114: a rating changed; A and B are hundredths as decimal text.
struct TRatingChange {
    static constexpr TServerCode kCode = TServerCode::RatingChange;
    int Game = 0;
    std::string A, B;
    bool operator==(const TRatingChange&) const = default;
};

// Code 190: a tournament notice. Number, A and B are sent only with
// sub-code kSubGame.
struct TTournament {
    static constexpr TServerCode kCode = TServerCode::Tournament;
    static constexpr int kSubGame = 6;
    int Sub = 0;
    std::string Number, A, B;
    bool operator==(const TTournament&) const = default;
};

std::string Build(const TTableOpened& m);
std::string Build(const TTableClosed& m);
std::string Build(const TJoinRequest& m);
std::string Build(const TGameStartMessage& m);
// Empty when the payload is longer than kMaxPayload: no message can carry it.
std::string Build(const TGameData& m);
// Empty with more than 255 players.
std::string Build(const TRunningGame& m);
std::string Build(const TGameEnded& m);
std::string Build(const TGameResult& m);
std::string Build(const TRatingChange& m);
std::string Build(const TTournament& m);

bool Read(TFieldReader& r, TTableOpened& m);
bool Read(TFieldReader& r, TTableClosed& m);
bool Read(TFieldReader& r, TJoinRequest& m);
bool Read(TFieldReader& r, TGameStartMessage& m);
bool Read(TFieldReader& r, TGameData& m);
bool Read(TFieldReader& r, TRunningGame& m);
bool Read(TFieldReader& r, TGameEnded& m);
bool Read(TFieldReader& r, TGameResult& m);
bool Read(TFieldReader& r, TRatingChange& m);
bool Read(TFieldReader& r, TTournament& m);

}  // namespace protocol
