#include "rules/gammon/Board.h"

#include <algorithm>

namespace rules::gammon {

TBoard::TBoard() {
    for (int checker = 0; checker < kCheckerCount; ++checker) m_bricks[checker] = TBrick(checker);
    m_history.reserve(kHistoryLimit);
    SetPosition(TPosition::Opening());
}

void TBoard::StartTable(TColour own, int matchLength) {
    m_own = own;
    m_match.Start(matchLength);
    m_cube.StartTable();
}

void TBoard::StartGame() {
    SetPosition(TPosition::Opening());
    m_opponentDice = {0, 0};
    m_cube.StartGame(m_match);
    m_decider = m_turn;
}

void TBoard::SetPosition(const TPosition& position) {
    m_position = TPosition();
    int next[2] = {FirstChecker(TColour::White), FirstChecker(TColour::Black)};
    for (TColour colour : {TColour::White, TColour::Black}) {
        int& checker = next[ColourIndex(colour)];
        for (int point = 0; point < kPointCount; ++point)
            for (int n = position.Count(colour, point); n > 0; --n) PlaceOn(checker++, point);
        for (int n = 0; n < position.Off(colour); ++n) {
            m_position.BearOff(colour);
            m_bricks[checker].m_point = kOffBoard;
            m_bricks[checker++].m_stackKey = m_position.Off(colour);
        }
    }
    ClearDice();
}

void TBoard::SetTurn(TColour colour) {
    m_turn = colour;
    m_decider = colour;
    ComputeOptions();
}

int TBoard::CheckerOfColourOn(TColour colour, int point) const {
    int top = kNoChecker;
    for (int checker = FirstChecker(colour); checker < FirstChecker(colour) + kCheckersPerColour; ++checker) {
        const TBrick& brick = m_bricks[checker];
        if (brick.m_point != point) continue;
        if (top == kNoChecker || brick.m_stackKey > m_bricks[top].m_stackKey) top = checker;
    }
    return top;
}

int TBoard::TopChecker(int point) const {
    if (!IsPoint(point)) return kNoChecker;
    if (m_position.Count(TColour::White, point) > 0) return CheckerOfColourOn(TColour::White, point);
    if (m_position.Count(TColour::Black, point) > 0) return CheckerOfColourOn(TColour::Black, point);
    return kNoChecker;
}

bool TBoard::SetDice(int die1, int die2) {
    if (die1 < 1 || die1 > 6 || die2 < 1 || die2 > 6) return false;
    m_doubles = die1 == die2;
    m_slots = {die1, die2, m_doubles ? die1 : 0, m_doubles ? die1 : 0};
    m_history.clear();
    ComputeOptions();
    return true;
}

void TBoard::ClearDice() {
    m_slots = {0, 0, 0, 0};
    m_doubles = false;
    m_history.clear();
    for (TBrick& brick : m_bricks) brick.m_options = {};
}

bool TBoard::DiceLeft() const {
    return std::any_of(m_slots.begin(), m_slots.end(), [](int value) { return value > 0; });
}

void TBoard::EndTurn() { ClearDice(); }

int TBoard::PickUp(int checker) const {
    if (!IsChecker(checker)) return kNoChecker;
    const TBrick& brick = m_bricks[checker];
    if (brick.Colour() != m_turn || brick.IsOff()) return kNoChecker;
    int top = CheckerOfColourOn(m_turn, brick.m_point);
    if (top == kNoChecker || !m_bricks[top].m_options.Any()) return kNoChecker;
    return top;
}

std::vector<THintDie> TBoard::HintDice(int point) const {
    std::vector<THintDie> hints;
    int checker = CheckerOfColourOn(m_turn, point);
    if (checker == kNoChecker) return hints;
    const TMoveOptions& options = m_bricks[checker].m_options;
    auto add = [&](int pips, int face) {
        int target = Advance(m_turn, point, pips);
        hints.push_back({PastEnd(m_turn, target) > 0 ? kOffBoard : target, face});
    };
    if (m_doubles) {
        int die = std::max(m_slots[0], m_slots[1]);
        if (options.AnySingle()) add(die, die);
        if (options.Combined) add(2 * die, die);
        if (options.Triple) add(3 * die, die);
        if (options.Quadruple) add(4 * die, die);
        return hints;
    }
    if (options.Die1) add(m_slots[0], m_slots[0]);
    if (options.Die2) add(m_slots[1], m_slots[1]);
    return hints;
}

}  // namespace rules::gammon
