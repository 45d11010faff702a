// Positions for the Backgammon rule tests: typed ones from the point
// counts each colour holds, and random ones from every phase of a game.
#pragma once

#include <algorithm>
#include <initializer_list>
#include <random>
#include <utility>

#include "rules/gammon/Position.h"

namespace gammontest {

using rules::gammon::TColour;
using rules::gammon::TPosition;

// A position from (point, count) lists of each colour; whatever is missing
// of the 15 is borne off.
inline TPosition Make(std::initializer_list<std::pair<int, int>> white,
                      std::initializer_list<std::pair<int, int>> black) {
    TPosition position;
    int whiteOn = 0, blackOn = 0;
    for (auto [point, count] : white)
        for (int i = 0; i < count; ++i, ++whiteOn) position.Land(TColour::White, point);
    for (auto [point, count] : black)
        for (int i = 0; i < count; ++i, ++blackOn) position.Land(TColour::Black, point);
    for (int i = whiteOn; i < 15; ++i) position.BearOff(TColour::White);
    for (int i = blackOn; i < 15; ++i) position.BearOff(TColour::Black);
    return position;
}

// Random positions from every phase of a game: scattered checkers and
// blots, blocks of two or three (primes), races in the last twelve points
// and bear-offs at home; some checkers on the bar or already off.
class TRandomPositions {
public:
    explicit TRandomPositions(unsigned seed) : m_random(seed) {}

    TPosition Next() {
        TPosition position;
        Place(position, TColour::White, Below(4));
        Place(position, TColour::Black, Below(4));
        return position;
    }
    int Die() { return Below(6) + 1; }
    TColour Colour() { return Below(2) == 0 ? TColour::White : TColour::Black; }

private:
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

    // Style 0: single checkers anywhere; 1: blocks of two or three
    // anywhere; 2: the last twelve points; 3: the home board.
    void Place(TPosition& position, TColour colour, int style) {
        int off = Below(3) == 0 ? Below(15) : 0;
        int bar = style < 2 && Below(3) == 0 ? std::min(1 + Below(2), 15 - off) : 0;
        for (int i = 0; i < off; ++i) position.BearOff(colour);
        for (int i = 0; i < bar; ++i) position.Land(colour, rules::gammon::BarOf(colour));
        int span = style < 2 ? 24 : style == 2 ? 12 : 6;
        int left = 15 - off - bar;
        for (int tries = 0; left > 0 && tries < 1000; ++tries) {
            int pipsToGo = 1 + Below(span);
            int point = colour == TColour::White ? 25 - pipsToGo : pipsToGo;
            if (position.Count(rules::gammon::Other(colour), point) > 0) continue;
            int count = std::min(left, style == 1 ? 2 + Below(2) : 1);
            for (int i = 0; i < count; ++i) position.Land(colour, point);
            left -= count;
        }
        for (; left > 0; --left) position.BearOff(colour);  // no free point left for them
    }

    std::mt19937 m_random;
};

}  // namespace gammontest
