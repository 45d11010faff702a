// The server's preview messages: what the preview strip shows of a running
// game in slot 1..4. A slot of 0 (or past the strip) is read like any other
// and left to the receiver to drop. See SessionMessages.h for how Build and
// Read behave.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "protocol/Codes.h"
#include "protocol/FieldReader.h"

namespace protocol {

// Code 73: stop the slot's preview.
struct TPreviewStop {
    static constexpr TServerCode kCode = TServerCode::PreviewStop;
    int Slot = 0;
    bool operator==(const TPreviewStop&) const = default;
};

// Code 74, per kind, after kind and slot.
struct TTumblixSnapshot {
    // Seat 1's board, then seat 2's: 26 rows of 12 cells from the top, each
    // colour + 1.
    std::array<uint8_t, 624> Boards{};
    // The number beside the boards, then a + 1, b + 1 and c of the score.
    std::array<int, 4> Numbers{};
    bool operator==(const TTumblixSnapshot&) const = default;
};

struct TGammonSnapshot {
    // Points 0..25, white's tray, black's tray, each value + 1.
    std::array<uint8_t, 28> Points{};
    int DiceState = 0;  // state + 1: 1..4
    // States 1..3 (as sent) carry the two dice; Build writes them then.
    bool HasDice = false;
    std::array<int, 2> Dice{};  // each + 1
    int Cube = 0;
    int Score1 = 0, Score2 = 0;  // each + 1
    int MatchLength = 0;
    int CubeOwner = 0;
    bool operator==(const TGammonSnapshot&) const = default;
};

struct TPuzzleSnapshot {
    // Seat 1's grid, then seat 2's: 10 rows of 7 cells, one colour per cell.
    std::array<uint8_t, 140> Grids{};
    // Three numbers of the score, then the one shown alone.
    std::array<int, 4> Numbers{};
    bool operator==(const TPuzzleSnapshot&) const = default;
};

// Yatzy and unknown kinds have no preview: their bytes are not read.
struct TPreviewState {
    static constexpr TServerCode kCode = TServerCode::PreviewState;
    int Kind = 0;
    int Slot = 0;
    std::variant<std::monostate, TTumblixSnapshot, TGammonSnapshot, TPuzzleSnapshot> State;
    bool operator==(const TPreviewState&) const = default;
};

// Code 75: Tumblix cells to set, each value + 1. Only whole triples are
// cells; a triple the message ends inside is none.
struct TTumblixCell {
    int Column = 0, Row = 0, Colour = 0;
    bool operator==(const TTumblixCell&) const = default;
};

struct TTumblixCells {
    static constexpr TServerCode kCode = TServerCode::TumblixCells;
    int Slot = 0, Seat = 0;
    std::vector<TTumblixCell> Cells;
    bool operator==(const TTumblixCells&) const = default;
};

// Code 76: the board moves up one row; Row (each colour + 1) fills the
// bottom row.
struct TTumblixRowAdded {
    static constexpr TServerCode kCode = TServerCode::TumblixRowAdded;
    int Slot = 0, Seat = 0;
    std::array<uint8_t, 12> Row{};
    bool operator==(const TTumblixRowAdded&) const = default;
};

// Code 77.
struct TTumblixRowRemoved {
    static constexpr TServerCode kCode = TServerCode::TumblixRowRemoved;
    int Slot = 0, Seat = 0, Row = 0;
    bool operator==(const TTumblixRowRemoved&) const = default;
};

// Code 88: the number beside the Tumblix boards.
struct TTumblixNumber {
    static constexpr TServerCode kCode = TServerCode::TumblixNumber;
    int Slot = 0, Number = 0;
    bool operator==(const TTumblixNumber&) const = default;
};

// Code 89: the number the Puzzle preview shows.
struct TPuzzleNumber {
    static constexpr TServerCode kCode = TServerCode::PuzzleNumber;
    int Slot = 0, Number = 0;
    bool operator==(const TPuzzleNumber&) const = default;
};

// Code 90.
struct TGammonDice {
    static constexpr TServerCode kCode = TServerCode::GammonDice;
    int Slot = 0, Die1 = 0, Die2 = 0;
    bool operator==(const TGammonDice&) const = default;
};

// Code 91.
struct TGammonDiceState {
    static constexpr TServerCode kCode = TServerCode::GammonDiceState;
    int Slot = 0, State = 0;
    bool operator==(const TGammonDiceState&) const = default;
};

// Code 92: a move, the point + 1 and the distance.
struct TGammonMove {
    static constexpr TServerCode kCode = TServerCode::GammonMove;
    int Slot = 0, Point = 0, Distance = 0;
    bool operator==(const TGammonMove&) const = default;
};

// Code 93: a move taken back, each point + 2.
struct TGammonUndo {
    static constexpr TServerCode kCode = TServerCode::GammonUndo;
    int Slot = 0, To = 0, From = 0, Hit = 0;
    bool operator==(const TGammonUndo&) const = default;
};

// Code 94.
struct TPreviewEnd {
    static constexpr TServerCode kCode = TServerCode::PreviewEnd;
    int Slot = 0, Winner = 0;
    bool operator==(const TPreviewEnd&) const = default;
};

// Code 95: the doubling cube.
struct TGammonCube {
    static constexpr TServerCode kCode = TServerCode::GammonCube;
    int Slot = 0, Owner = 0;
    std::string Value;
    bool operator==(const TGammonCube&) const = default;
};

// Code 140: a Puzzle shot.
struct TPuzzleShot {
    static constexpr TServerCode kCode = TServerCode::PuzzleShot;
    int Slot = 0, Seat = 0, Colour = 0;
    int Direction = 0;  // index into the preview's direction table, 0..126
    int Column = 0, Row = 0;
    bool operator==(const TPuzzleShot&) const = default;
};

// Codes 142 (set, with a colour) and 143 (clear, colour 0).
struct TPuzzleCell {
    int Slot = 0, Seat = 0, Colour = 0, Column = 0, Row = 0;
    bool operator==(const TPuzzleCell&) const = default;
};

struct TPuzzleCellSet : TPuzzleCell {
    static constexpr TServerCode kCode = TServerCode::PuzzleCellSet;
    bool operator==(const TPuzzleCellSet&) const = default;
};

struct TPuzzleCellCleared : TPuzzleCell {
    static constexpr TServerCode kCode = TServerCode::PuzzleCellCleared;
    bool operator==(const TPuzzleCellCleared&) const = default;
};

std::string Build(const TPreviewStop& m);
std::string Build(const TPreviewState& m);
// Empty with more than 255 cells.
std::string Build(const TTumblixCells& m);
std::string Build(const TTumblixRowAdded& m);
std::string Build(const TTumblixRowRemoved& m);
std::string Build(const TTumblixNumber& m);
std::string Build(const TPuzzleNumber& m);
std::string Build(const TGammonDice& m);
std::string Build(const TGammonDiceState& m);
std::string Build(const TGammonMove& m);
std::string Build(const TGammonUndo& m);
std::string Build(const TPreviewEnd& m);
std::string Build(const TGammonCube& m);
std::string Build(const TPuzzleShot& m);
std::string Build(const TPuzzleCellSet& m);
std::string Build(const TPuzzleCellCleared& m);

bool Read(TFieldReader& r, TPreviewStop& m);
bool Read(TFieldReader& r, TPreviewState& m);
bool Read(TFieldReader& r, TTumblixCells& m);
bool Read(TFieldReader& r, TTumblixRowAdded& m);
bool Read(TFieldReader& r, TTumblixRowRemoved& m);
bool Read(TFieldReader& r, TTumblixNumber& m);
bool Read(TFieldReader& r, TPuzzleNumber& m);
bool Read(TFieldReader& r, TGammonDice& m);
bool Read(TFieldReader& r, TGammonDiceState& m);
bool Read(TFieldReader& r, TGammonMove& m);
bool Read(TFieldReader& r, TGammonUndo& m);
bool Read(TFieldReader& r, TPreviewEnd& m);
bool Read(TFieldReader& r, TGammonCube& m);
bool Read(TFieldReader& r, TPuzzleShot& m);
bool Read(TFieldReader& r, TPuzzleCellSet& m);
bool Read(TFieldReader& r, TPuzzleCellCleared& m);

}  // namespace protocol
