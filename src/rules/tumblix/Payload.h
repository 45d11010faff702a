// The Tumblix game payloads, as bytes: what a window sends after "G" and the
// game number, and what it receives. Numbers are single raw bytes with an
// offset so that no byte is 0: columns and rows of a mask origin + 3, shapes
// and next pieces + 1, removed rows + 1, junk colours + 2. Text fields end
// with byte 1.
//
// ParsePayload reads any payload of either direction and range-checks every
// number that could later index something (shapes 0..35, rows 0..25, junk
// colours 0..9, ready state 1 or 2); coordinates may lie anywhere, since the
// well skips cells outside it. A payload that is too short, too long or out
// of range gives nothing. BuildPayload writes the same form back; it expects
// numbers in their ranges.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "rules/tumblix/WellChange.h"

namespace rules::tumblix {

enum class TCode : uint8_t {
    // Client to server: the own well is full. Server to client: close.
    Died = 21,
    Won = 22,
    Leave = 25,
    NewPiece = '2',
    FirstNext = '3',
    Position = '4',
    LineRemoved = '5',
    Junk = '6',
    JunkRow = '7',
    LevelUp = '8',
    BombExploded = '9',
    WeightLanded = ':',
    Pause = '=',
    NewGame = '>',
    Ready = 64,
    Lost = 168,
};

// A payload that is its code alone: Died, Leave, Junk, LevelUp, NewGame.
struct TSignal {
    TCode Code = TCode::NewGame;
};
// "2": a new piece entered; the new next piece and the piece's origin.
struct TNewPiece {
    int Next = 0, X = 0, Y = 0;
};
// "3": the first next piece of a game.
struct TFirstNext {
    int Next = 0;
};
// "4": where the falling piece is.
struct TPosition {
    int X = 0, Y = 0, Shape = 0;
};
// "5": a full row went.
struct TLineRemoved {
    int Row = 0;
};
// "7": a junk row was pushed in; the new bottom row and the piece.
struct TJunkRow {
    TRow Row{};
    int X = 0, Y = 0, Shape = 0;
};
// "9": a bomb with this mask origin exploded.
struct TBombExploded {
    int X = 0, Y = 0;
};
// ":": a weight with this mask origin landed above the bottom row.
struct TWeightLanded {
    int X = 0, Y = 0;
};
// 22 (won) or 168 (lost): games won so far by each side, the round's points
// and the seed of the next game.
struct TResult {
    bool Won = false;
    int OwnWins = 0, OpponentWins = 0, Points = 0;
    uint32_t Seed = 0;
    // The argument list of the result text: "own,opponent,points".
    std::string Placeholders() const;
};
// "=": a pause begins; n is shown in the pause text.
struct TPause {
    int N = 2;
};
// 64: 1 the sender is ready, 2 the pause ends.
struct TReady {
    int State = 1;
};

using TPayload = std::variant<TSignal, TNewPiece, TFirstNext, TPosition, TLineRemoved, TJunkRow, TBombExploded,
                              TWeightLanded, TResult, TPause, TReady>;

std::optional<TPayload> ParsePayload(std::string_view bytes);
std::string BuildPayload(const TPayload& payload);

// The code byte of a payload, 0 when it is empty (the window's GetControl).
int PayloadCode(std::string_view bytes);

// A seed as decimal text; "0" stands for anything that is not a number.
uint32_t ParseSeedText(std::string_view text);

}  // namespace rules::tumblix
