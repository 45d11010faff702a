// The two colours of Backgammon and the arithmetic of their directions.
// White owns checkers 0..14, moves from point 1 towards point 24, has its
// bar at point 0 and its home board at 19..24. Black owns checkers 15..29,
// moves from 24 towards 1, has its bar at 25 and its home board at 1..6.
// Points 1..24 are the board; a target beyond it means the checker is
// borne off.
#pragma once

#include <cstdint>

namespace rules::gammon {

enum class TColour : uint8_t { White = 0, Black = 1 };

constexpr int kPointCount = 26;  // 0 and 25 are the bars
constexpr int kCheckersPerColour = 15;
constexpr int kCheckerCount = 30;
constexpr int kOffBoard = -1;  // the point of a borne-off checker
constexpr int kNoChecker = -1;

constexpr TColour Other(TColour colour) { return colour == TColour::White ? TColour::Black : TColour::White; }
constexpr int ColourIndex(TColour colour) { return static_cast<int>(colour); }
constexpr int Direction(TColour colour) { return colour == TColour::White ? 1 : -1; }
constexpr int BarOf(TColour colour) { return colour == TColour::White ? 0 : 25; }
constexpr int FirstChecker(TColour colour) { return colour == TColour::White ? 0 : kCheckersPerColour; }
constexpr TColour ColourOfChecker(int checker) { return checker < kCheckersPerColour ? TColour::White : TColour::Black; }
constexpr bool IsChecker(int checker) { return checker >= 0 && checker < kCheckerCount; }
constexpr bool IsPoint(int point) { return point >= 0 && point < kPointCount; }
constexpr bool IsBoardPoint(int point) { return point >= 1 && point <= 24; }

constexpr bool IsHomePoint(TColour colour, int point) {
    return colour == TColour::White ? point >= 19 && point <= 24 : point >= 1 && point <= 6;
}

// Where a checker on point lands after pips; may lie beyond the board.
constexpr int Advance(TColour colour, int point, int pips) { return point + Direction(colour) * pips; }

// How far a target lies beyond the colour's end: 0 on the board, 1 for the
// exact bear-off (25 for white, 0 for black), more for an overshoot.
constexpr int PastEnd(TColour colour, int target) {
    if (colour == TColour::White) return target > 24 ? target - 24 : 0;
    return target < 1 ? 1 - target : 0;
}

// The pips a checker on point still has to travel (the bar counts 25).
constexpr int PipsToGo(TColour colour, int point) { return colour == TColour::White ? 25 - point : point; }

// The point-table encoding: 0 empty, 1..15 white checkers, 21..35 black
// checkers (20 + count), 20 a black point that reads as empty.
constexpr int kBlackBase = 20;
constexpr int WhiteCount(int value) { return value >= 1 && value <= 15 ? value : 0; }
constexpr int BlackCount(int value) { return value >= 21 && value <= 35 ? value - kBlackBase : 0; }
constexpr int CountIn(TColour colour, int value) {
    return colour == TColour::White ? WhiteCount(value) : BlackCount(value);
}
constexpr bool IsPointValue(int value) { return (value >= 0 && value <= 15) || (value >= 20 && value <= 35); }

}  // namespace rules::gammon
