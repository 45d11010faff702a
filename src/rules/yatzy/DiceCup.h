// The six dice of a Yatzy table and the roll counter of the current turn.
//
// Every client and the referee keep one cup each and one shared TRandom:
// each die rolled anywhere, own or replayed, takes the next face from it,
// so the faces agree as long as everybody handles the rolls in the same
// order. A roll is two steps because the payloads are: StartRoll counts the
// roll and names the dice to roll (all six on the first roll of a turn, else
// those not held; none when all are held), then RollDie for each of them in
// that order.
#pragma once

#include <array>
#include <vector>

#include "rules/Random.h"
#include "rules/yatzy/Scoring.h"

namespace rules::yatzy {

constexpr int kMaxRolls = 3;

class TDiceCup {
public:
    TDiceCup() = default;

    // A new turn: no rolls yet; the faces stay on show until the first roll.
    void BeginTurn() { m_rolls = 0; }
    // Blank faces, nothing held, no rolls: a table that has not begun.
    void Clear() { *this = TDiceCup(); }

    int Rolls() const { return m_rolls; }
    bool CanRoll() const { return m_rolls < kMaxRolls; }
    // Dice may be held or released between the first and the third roll.
    bool CanHold() const { return m_rolls >= 1 && m_rolls < kMaxRolls; }

    // Counts a roll and returns the dice (1..6, ascending) it rolls; the first
    // roll of a turn releases every die first. Empty, counting nothing, when
    // the turn has had its three rolls.
    std::vector<int> StartRoll();
    // Gives a die the next face of the generator and releases it; returns
    // the face, or 0 for a die number outside 1..6 (nothing drawn).
    int RollDie(int die, TRandom& random);

    // False for a die number outside 1..6.
    bool SetHeld(int die, bool held);
    bool IsHeld(int die) const { return IsDie(die) && m_held[die - 1]; }
    // 1..6, or 0 before the die was ever rolled.
    int Face(int die) const { return IsDie(die) ? m_faces[die - 1] : 0; }
    const TFaces& Faces() const { return m_faces; }

    static constexpr bool IsDie(int die) { return die >= 1 && die <= kDiceCount; }

private:
    TFaces m_faces{};
    std::array<bool, kDiceCount> m_held{};
    int m_rolls = 0;
};

// The face a die takes: the generator's next draw below six, plus one.
int DrawFace(TRandom& random);

}  // namespace rules::yatzy
