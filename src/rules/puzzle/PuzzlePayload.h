// The bytes of Puzzle's game payloads, the part after the game prefix
// ("G" and the kind byte 3). Numbers are raw single bytes (column 0 is
// byte 0); the result's seed is a decimal text field ended by byte 1.
//
// Several codes travel both ways with one layout and two meanings: 21 is a
// player's loss going up and "close the window" coming down, 62 (">") is
// "ready" going up and "a new game starts" coming down, 141 is a bubble
// that fell off going up and a trash bubble coming down. The parser reads
// every code; each side refuses the ones not meant for it.
//
// Parsing checks lengths and ranges (colours, entries 0..126, cells inside
// the staggered grid) before anything is used; builders refuse values that
// do not fit and return an empty string.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "rules/puzzle/PuzzleField.h"

namespace rules {

enum class TPuzzleCode : uint8_t {
    Lost = 21,      // up: own loss; down: close the window
    Won = 22,       // down: own win, with the result
    Closing = 25,   // up: the window closes
    Level = 56,     // down: the level ("8")
    Pause = 61,     // both: a pause ("=")
    Ready = 62,     // up: ready; down: a new game (">")
    Shot = 140,     // both: a shot
    Fallen = 141,   // up: a bubble fell off; down: trash for the own field
    Placed = 142,   // both: trash placed into a cell
    Emptied = 143,  // up: a cell is about to be emptied
    Beaten = 168    // down: own loss, with the result
};

enum class TPuzzleParseStatus { Ok, Unknown, Malformed };

struct TPuzzlePayload {
    TPuzzleParseStatus Status = TPuzzleParseStatus::Malformed;
    TPuzzleCode Code = TPuzzleCode::Lost;
    int Colour = 0;     // Shot (1..7), Fallen and Placed (1..6)
    int Entry = 0;      // Shot
    TPuzzleCell Cell;   // Shot (the target), Placed, Emptied
    int Level = 0;      // Level
    // Won and Beaten: the own games won + 1, the opponent's + 1, and the
    // round's points, shown as they come; the next seed when the field is
    // a number.
    int OwnByte = 0, OpponentByte = 0, PointsByte = 0;
    std::optional<uint32_t> Seed;
};

TPuzzlePayload ParsePuzzlePayload(std::string_view bytes);

// A decimal seed, signed or unsigned 32-bit; none for anything else.
std::optional<uint32_t> ParsePuzzleSeed(std::string_view text);

// A payload of its code alone: Lost, Closing, Pause, Ready.
std::string BuildPuzzleSignal(TPuzzleCode code);
std::string BuildPuzzleShot(int colour, int entry, TPuzzleCell target);
std::string BuildPuzzleFallen(int colour);
std::string BuildPuzzlePlaced(int colour, TPuzzleCell cell);
std::string BuildPuzzleEmptied(TPuzzleCell cell);
std::string BuildPuzzleLevel(int level);
std::string BuildPuzzleResult(bool won, int ownByte, int opponentByte, int pointsByte, uint32_t seed);

}  // namespace rules
