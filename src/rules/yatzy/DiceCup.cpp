#include "rules/yatzy/DiceCup.h"

namespace rules::yatzy {

std::vector<int> TDiceCup::StartRoll() {
    if (!CanRoll()) return {};
    if (m_rolls == 0) m_held.fill(false);
    ++m_rolls;
    std::vector<int> dice;
    for (int die = 1; die <= kDiceCount; ++die)
        if (!m_held[die - 1]) dice.push_back(die);
    return dice;
}

int TDiceCup::RollDie(int die, TRandom& random) {
    if (!IsDie(die)) return 0;
    m_faces[die - 1] = DrawFace(random);
    m_held[die - 1] = false;
    return m_faces[die - 1];
}

bool TDiceCup::SetHeld(int die, bool held) {
    if (!IsDie(die)) return false;
    m_held[die - 1] = held;
    return true;
}

int DrawFace(TRandom& random) { return static_cast<int>(random.Draw(kFaceCount)) + 1; }

}  // namespace rules::yatzy
