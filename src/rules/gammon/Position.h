// Where the checkers stand, without their identities: the 26-value point
// table in its white/black encoding and the two borne-off counters. The
// board keeps one of these beside its checkers; the enumeration of legal
// plays and the referee work on it alone.
//
// Landing and lifting apply the value-20 adjustment: a black checker that
// lands on an empty point first turns its value into 20, a white checker
// landing on 20 first turns it into 0, and a point that black leaves at 20
// is reset to 0. So a stored position never keeps a 20, and two positions
// with the same checkers compare equal.
#pragma once

#include <array>
#include <optional>

#include "rules/gammon/Colour.h"

namespace rules::gammon {

class TPosition {
public:
    TPosition() = default;

    // The opening set-up: white 2 on 1, 5 on 12, 3 on 17, 5 on 19; black 5
    // on 6, 3 on 8, 5 on 13, 2 on 24.
    static TPosition Opening();

    // A position from received or typed numbers: every value must be a
    // valid point value (20 reads as empty), each colour must have exactly
    // 15 checkers counting the borne-off ones, and a colour's bar must not
    // hold the other colour. Otherwise none.
    static std::optional<TPosition> FromValues(const std::array<int, kPointCount>& values, int whiteOff,
                                               int blackOff);

    int Value(int point) const { return IsPoint(point) ? m_points[point] : 0; }
    const std::array<int, kPointCount>& Values() const { return m_points; }
    int Count(TColour colour, int point) const { return CountIn(colour, Value(point)); }
    int Off(TColour colour) const { return m_off[ColourIndex(colour)]; }
    int OnBar(TColour colour) const { return Count(colour, BarOf(colour)); }

    // One checker of colour arrives on point / leaves it. The point must
    // not hold the other colour when landing.
    void Land(TColour colour, int point);
    void Lift(TColour colour, int point);
    void BearOff(TColour colour) { ++m_off[ColourIndex(colour)]; }
    void UnbearOff(TColour colour) { --m_off[ColourIndex(colour)]; }
    // Sets a raw value, for trial moves that restore what they saved.
    void SetValue(int point, int value) { m_points[point] = value; }
    // Moves one checker of colour from point by pips, as a real move: a
    // lone opponent checker on the target goes to its bar, a target beyond
    // the board bears the checker off. No legality test.
    void ApplyStep(TColour colour, int point, int pips);

    // True when every checker of colour still on the board is in its home.
    bool AllHome(TColour colour) const;
    // True when no checker of colour stands farther from home than point.
    bool NoneFartherThan(TColour colour, int point) const;
    // Whether a checker of colour on point can move by pips: the target
    // must not hold two or more opponent checkers, and bearing off needs
    // every checker at home, an overshoot also that none stands farther.
    bool CanStepFrom(TColour colour, int point, int pips) const;

    int PipCount(TColour colour) const;
    // Class of a game won by winner: 1 normal, 2 gammon, 3 backgammon.
    int ResultClass(TColour winner) const;

    friend bool operator==(const TPosition&, const TPosition&) = default;
    friend auto operator<=>(const TPosition&, const TPosition&) = default;

private:
    std::array<int, kPointCount> m_points{};
    std::array<int, 2> m_off{};
};

}  // namespace rules::gammon
