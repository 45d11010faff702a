// One checker: its colour and index, the point it stands on (or off), the
// stack key that tells whether it is the top of its stack, and the move
// options the board computes for it before every own move. The picture of
// a checker (where it is drawn, its flight) belongs to the table window.
#pragma once

#include "rules/gammon/Colour.h"

namespace rules::gammon {

// What one checker can do with the dice still to be played.
struct TMoveOptions {
    bool Die1 = false;       // move by the value in slot 1
    bool Die2 = false;       // move by the value in slot 2
    bool Combined = false;   // move by both dice in sequence
    bool Triple = false;     // doubles: three times the die
    bool Quadruple = false;  // doubles: four times the die
    bool BearOff = false;    // one of the above takes it off the board

    bool AnySingle() const { return Die1 || Die2; }
    bool Any() const { return Die1 || Die2 || Combined || Triple || Quadruple; }
    friend bool operator==(const TMoveOptions&, const TMoveOptions&) = default;
};

class TBrick {
public:
    TBrick() = default;
    explicit TBrick(int number) : m_number(number) {}

    int Number() const { return m_number; }  // 0..29 over both colours
    TColour Colour() const { return ColourOfChecker(m_number); }
    int Index() const { return m_number % kCheckersPerColour; }  // 0..14 within its colour
    int Point() const { return m_point; }
    bool IsOff() const { return m_point == kOffBoard; }
    // The point's value when the checker was put there; for a borne-off
    // checker its place in the tray (1 for the first one off).
    int StackKey() const { return m_stackKey; }
    const TMoveOptions& Options() const { return m_options; }

private:
    friend class TBoard;
    int m_number = 0;
    int m_point = kOffBoard;
    int m_stackKey = 0;
    TMoveOptions m_options;
};

}  // namespace rules::gammon
