// Carrying out moves: single moves with hits and bearing off, the drops of
// the table window (single, combined, triple, quadruple), the quick move,
// the referee's checked step, undo and the replay of the other side.
#include <algorithm>

#include "rules/gammon/Board.h"

namespace rules::gammon {

void TBoard::TakeFrom(int checker) {
    TBrick& brick = m_bricks[checker];
    if (brick.IsOff())
        m_position.UnbearOff(brick.Colour());
    else
        m_position.Lift(brick.Colour(), brick.m_point);
}

void TBoard::PlaceOn(int checker, int point) {
    TBrick& brick = m_bricks[checker];
    m_position.Land(brick.Colour(), point);
    brick.m_point = point;
    brick.m_stackKey = m_position.Value(point);
}

TMoveRecord TBoard::MoveChecker(int checker, int pips, bool own) {
    TBrick& brick = m_bricks[checker];
    TColour colour = brick.Colour();
    TMoveRecord record{checker, brick.m_point, Advance(colour, brick.m_point, pips), Direction(colour) * pips,
                       kNoChecker};
    TakeFrom(checker);
    if (PastEnd(colour, record.Target) > 0) {
        record.Target = kOffBoard;
        m_position.BearOff(colour);
        brick.m_point = kOffBoard;
        brick.m_stackKey = m_position.Off(colour);
    } else {
        TColour other = Other(colour);
        if (m_position.Count(other, record.Target) == 1) {
            record.Hit = CheckerOfColourOn(other, record.Target);
            TakeFrom(record.Hit);
            PlaceOn(record.Hit, BarOf(other));
        }
        PlaceOn(checker, record.Target);
    }
    if (own && static_cast<int>(m_history.size()) < kHistoryLimit) m_history.push_back(record);
    return record;
}

// Clears the slot a single move used. With doubles the last slots go
// first, so that slots 1 and 2 stay usable as long as dice are left.
void TBoard::ClearUsedSlot(int slotIndex) {
    int value = m_slots[slotIndex];
    if (m_doubles && m_slots[3] == value)
        m_slots[3] = 0;
    else if (m_doubles && m_slots[2] == value)
        m_slots[2] = 0;
    else
        m_slots[slotIndex] = 0;
}

void TBoard::ClearSlotsForCombined() {
    if (m_slots[0] == m_slots[3])
        m_slots[2] = m_slots[3] = 0;
    else if (m_slots[0] == m_slots[2])
        m_slots[1] = m_slots[2] = 0;
    else
        m_slots[0] = m_slots[1] = 0;
}

void TBoard::ClearSlotsForTriple() {
    int die = std::max(m_slots[0], m_slots[1]);
    if (m_slots[3] == die)
        m_slots[1] = m_slots[2] = m_slots[3] = 0;
    else if (m_slots[0] == 0)
        m_slots[0] = m_slots[1] = 0;
    else
        m_slots[0] = m_slots[1] = m_slots[2] = 0;
}

std::vector<TMoveRecord> TBoard::Drop(int checker, int hoverPoint) {
    int top = PickUp(checker);
    if (top == kNoChecker) return {};
    const TBrick& brick = m_bricks[top];
    const TMoveOptions& options = brick.m_options;
    int direction = Direction(m_turn);
    if (hoverPoint >= 0) {
        if (!IsPoint(hoverPoint) || m_position.Count(Other(m_turn), hoverPoint) >= 2) return {};
        int distance = hoverPoint - brick.m_point;
        if (distance * direction <= 0) return {};
        return TryDistance(top, distance * direction);
    }
    if (!options.BearOff) return {};
    int die = std::max(m_slots[0], m_slots[1]);
    int pips = 0;
    if (options.Quadruple)
        pips = 4 * die;
    else if (options.Triple)
        pips = 3 * die;
    else if (options.Combined)
        pips = m_slots[0] + m_slots[1];
    else if (options.Die1 && CarriesOff(brick, m_slots[0]))
        pips = m_slots[0];
    else if (options.Die2 && CarriesOff(brick, m_slots[1]))
        pips = m_slots[1];
    return pips > 0 ? TryDistance(top, pips) : std::vector<TMoveRecord>{};
}

std::vector<TMoveRecord> TBoard::QuickMove(int checker) {
    int top = PickUp(checker);
    if (top == kNoChecker) return {};
    const TMoveOptions& options = m_bricks[top].m_options;
    int pips = 0;
    if (options.Die1) pips = m_slots[0];
    if (options.Die2 && (pips == 0 || m_slots[1] < pips)) pips = m_slots[1];
    return pips > 0 ? TryDistance(top, pips) : std::vector<TMoveRecord>{};
}

std::vector<TMoveRecord> TBoard::TryDistance(int checker, int pips) {
    const TBrick& brick = m_bricks[checker];
    const TMoveOptions& options = brick.m_options;
    for (int slotIndex : {0, 1}) {
        bool allowed = slotIndex == 0 ? options.Die1 : options.Die2;
        if (!allowed || m_slots[slotIndex] != pips) continue;
        ClearUsedSlot(slotIndex);
        std::vector<TMoveRecord> moves{MoveChecker(checker, pips, true)};
        ComputeOptions();
        return moves;
    }
    bool onBar = brick.m_point == BarOf(m_turn);
    if (onBar && m_position.OnBar(m_turn) > 1) return {};
    std::vector<TMoveRecord> moves;
    int die = std::max(m_slots[0], m_slots[1]);
    if (options.Combined && m_slots[0] > 0 && m_slots[1] > 0 && pips == m_slots[0] + m_slots[1])
        moves = TryCombined(checker);
    else if (m_doubles && options.Quadruple && pips == 4 * die)
        moves = TryMultiple(checker, 4);
    else if (m_doubles && options.Triple && pips == 3 * die)
        moves = TryMultiple(checker, 3);
    if (!moves.empty()) ComputeOptions();
    return moves;
}

// Whether the checker can go first by one die and then by the other.
static bool RouteWorks(TPosition position, TColour colour, int point, int first, int second) {
    if (!position.CanStepFrom(colour, point, first)) return false;
    position.ApplyStep(colour, point, first);
    return position.CanStepFrom(colour, Advance(colour, point, first), second);
}

// Both dice with one checker: through a lone opponent checker when one of
// the two intermediate points holds one (die 1's first), else through an
// intermediate point free of the opponent; each route must be playable.
std::vector<TMoveRecord> TBoard::TryCombined(int checker) {
    int point = m_bricks[checker].m_point;
    int dice[2] = {m_slots[0], m_slots[1]};
    TColour other = Other(m_turn);
    int order = -1;
    for (int wanted : {1, 0}) {
        for (int first : {0, 1}) {
            int mid = Advance(m_turn, point, dice[first]);
            if (order < 0 && m_position.Count(other, mid) == wanted &&
                RouteWorks(m_position, m_turn, point, dice[first], dice[1 - first]))
                order = first;
        }
    }
    if (order < 0) return {};
    ClearSlotsForCombined();
    std::vector<TMoveRecord> moves{MoveChecker(checker, dice[order], true)};
    moves.push_back(MoveChecker(checker, dice[1 - order], true));
    return moves;
}

bool TBoard::ChainQualifies(int checker, int pips, int count) const {
    TPosition position = m_position;
    int point = m_bricks[checker].m_point;
    for (int step = 0; step < count; ++step) {
        if (!position.CanStepFrom(m_turn, point, pips)) return false;
        position.ApplyStep(m_turn, point, pips);
        point = Advance(m_turn, point, pips);
    }
    return true;
}

std::vector<TMoveRecord> TBoard::TryMultiple(int checker, int count) {
    int die = std::max(m_slots[0], m_slots[1]);
    if (!ChainQualifies(checker, die, count)) return {};
    if (count == 4)
        m_slots = {0, 0, 0, 0};
    else
        ClearSlotsForTriple();
    std::vector<TMoveRecord> moves;
    for (int step = 0; step < count; ++step) moves.push_back(MoveChecker(checker, die, true));
    return moves;
}

std::optional<TMoveRecord> TBoard::Step(int source, int pips) {
    if (!IsPoint(source) || pips < 1 || pips > 6) return std::nullopt;
    int checker = CheckerOfColourOn(m_turn, source);
    if (checker == kNoChecker) return std::nullopt;
    if (!BarEmpty() && source != BarOf(m_turn)) return std::nullopt;
    if (!m_position.CanStepFrom(m_turn, source, pips)) return std::nullopt;
    auto slot = std::find(m_slots.begin(), m_slots.end(), pips);
    if (slot == m_slots.end()) return std::nullopt;
    ClearUsedSlot(static_cast<int>(slot - m_slots.begin()));
    TMoveRecord record = MoveChecker(checker, pips, true);
    ComputeOptions();
    return record;
}

// Takes a move back on the checkers alone: dice and history are the
// caller's business.
void TBoard::TakeBack(const TMoveRecord& record) {
    TakeFrom(record.Checker);
    PlaceOn(record.Checker, record.Source);
    if (record.Hit != kNoChecker) {
        TakeFrom(record.Hit);
        PlaceOn(record.Hit, record.Target);
    }
}

std::optional<TMoveRecord> TBoard::Undo() {
    if (m_history.empty()) return std::nullopt;
    TMoveRecord record = m_history.back();
    m_history.pop_back();
    auto empty = std::find(m_slots.begin(), m_slots.end(), 0);
    if (empty != m_slots.end()) *empty = record.Pips();
    TakeBack(record);
    ComputeOptions();
    return record;
}

std::optional<TMoveRecord> TBoard::ReplayMove(TColour colour, int source, int pips) {
    if (!IsPoint(source) || pips < 1 || pips > 24) return std::nullopt;
    int checker = CheckerOfColourOn(colour, source);
    if (checker == kNoChecker) return std::nullopt;
    int target = Advance(colour, source, pips);
    if (PastEnd(colour, target) == 0 && m_position.Count(Other(colour), target) >= 2) return std::nullopt;
    return MoveChecker(checker, pips, false);
}

bool TBoard::ReplayUndo(const TMoveRecord& record) {
    if (!IsChecker(record.Checker) || !IsPoint(record.Source)) return false;
    const TBrick& brick = m_bricks[record.Checker];
    TColour colour = brick.Colour(), other = Other(colour);
    if (brick.m_point != record.Target) return false;
    if (record.Target != kOffBoard && CheckerOfColourOn(colour, record.Target) != record.Checker) return false;
    if (m_position.Count(other, record.Source) > 0) return false;
    if (record.Hit != kNoChecker) {
        if (!IsChecker(record.Hit) || ColourOfChecker(record.Hit) != other) return false;
        if (!IsBoardPoint(record.Target) || m_position.Count(colour, record.Target) != 1) return false;
        if (CheckerOfColourOn(other, BarOf(other)) != record.Hit) return false;
    }
    TakeBack(record);
    if (colour == m_turn) ComputeOptions();
    return true;
}

}  // namespace rules::gammon
