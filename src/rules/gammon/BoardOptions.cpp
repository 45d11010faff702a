// The move options of the colour at turn: per checker first, then the
// whole-turn rule that removes moves after which the rest of the dice
// could not be played although another choice would allow it.
#include <algorithm>

#include "rules/gammon/Board.h"

namespace rules::gammon {

// A trial move and what it needs to be taken back exactly.
struct TBoard::TTrial {
    int Checker = 0;
    int From = 0;
    int To = kOffBoard;
    int FromValue = 0;
    int ToValue = 0;
    int SlotIndex = -1;
    int SlotValue = 0;
};

bool TBoard::CanMove(int checker, int slotIndex) const {
    const TBrick& brick = m_bricks[checker];
    if (brick.IsOff() || brick.Colour() != m_turn) return false;
    if (!BarEmpty() && brick.m_point != BarOf(m_turn)) return false;
    return m_position.CanStepFrom(m_turn, brick.m_point, m_slots[slotIndex]);
}

bool TBoard::CanAnyMove(int slotIndex) const {
    int first = FirstChecker(m_turn);
    for (int checker = first; checker < first + kCheckersPerColour; ++checker)
        if (CanMove(checker, slotIndex)) return true;
    return false;
}

// Moves the checker by pips as if it were played: a lone opponent checker
// on the target is replaced (so the point reads as the mover's), the
// value-20 adjustment applies, and the slot is used up. The opponent's bar
// is not touched; nothing the mover may do depends on it.
TBoard::TTrial TBoard::TrialMove(int checker, int pips, int slotIndex) {
    TBrick& brick = m_bricks[checker];
    TTrial trial;
    trial.Checker = checker;
    trial.From = brick.m_point;
    trial.FromValue = m_position.Value(trial.From);
    int target = Advance(m_turn, trial.From, pips);
    m_position.Lift(m_turn, trial.From);
    if (PastEnd(m_turn, target) > 0) {
        m_position.BearOff(m_turn);
        brick.m_point = kOffBoard;
    } else {
        trial.To = target;
        trial.ToValue = m_position.Value(target);
        if (m_position.Count(Other(m_turn), target) == 1) m_position.SetValue(target, 0);
        m_position.Land(m_turn, target);
        brick.m_point = target;
    }
    trial.SlotIndex = slotIndex;
    if (slotIndex >= 0) {
        trial.SlotValue = m_slots[slotIndex];
        m_slots[slotIndex] = 0;
    }
    return trial;
}

void TBoard::UndoTrial(const TTrial& trial) {
    TBrick& brick = m_bricks[trial.Checker];
    if (trial.To == kOffBoard)
        m_position.UnbearOff(m_turn);
    else
        m_position.SetValue(trial.To, trial.ToValue);
    m_position.SetValue(trial.From, trial.FromValue);
    brick.m_point = trial.From;
    if (trial.SlotIndex >= 0) m_slots[trial.SlotIndex] = trial.SlotValue;
}

bool TBoard::CarriesOff(const TBrick& brick, int pips) const {
    return PastEnd(m_turn, Advance(m_turn, brick.m_point, pips)) > 0;
}

void TBoard::ComputeOptions() {
    for (TBrick& brick : m_bricks) brick.m_options = {};
    int first = FirstChecker(m_turn);
    for (int checker = first; checker < first + kCheckersPerColour; ++checker) {
        TBrick& brick = m_bricks[checker];
        if (brick.IsOff()) continue;
        if (!BarEmpty() && brick.m_point != BarOf(m_turn)) continue;
        ComputeCheckerOptions(brick);
    }
    ApplyWholeTurnRule();
    SetBearOffFlags();
}

void TBoard::ComputeCheckerOptions(TBrick& brick) {
    TMoveOptions& options = brick.m_options;
    int checker = brick.m_number;
    options.Die1 = CanMove(checker, 0);
    options.Die2 = CanMove(checker, 1);
    int slotsLeft = static_cast<int>(std::count_if(m_slots.begin(), m_slots.end(), [](int v) { return v > 0; }));
    bool off1 = false, off2 = false;
    if (options.Die1) {
        TTrial trial = TrialMove(checker, m_slots[0], 0);
        off1 = brick.IsOff();
        options.Combined = !off1 && BarEmpty() && m_position.CanStepFrom(m_turn, brick.m_point, m_slots[1]);
        UndoTrial(trial);
        off2 = CarriesOff(brick, m_slots[1]);
        if (m_doubles && options.Combined) {
            int die = m_slots[0];
            // Three and four moves need that many dice still in the slots.
            trial = TrialMove(checker, 2 * die, 1);
            options.Triple = slotsLeft >= 3 && !brick.IsOff() && m_position.CanStepFrom(m_turn, brick.m_point, die);
            UndoTrial(trial);
            if (options.Triple) {
                trial = TrialMove(checker, 3 * die, 1);
                options.Quadruple = slotsLeft >= 4 && !brick.IsOff() &&
                                    m_position.CanStepFrom(m_turn, brick.m_point, die);
                UndoTrial(trial);
            }
        }
    } else if (options.Die2) {
        TTrial trial = TrialMove(checker, m_slots[1], 1);
        off2 = brick.IsOff();
        options.Combined = !off2 && BarEmpty() && m_position.CanStepFrom(m_turn, brick.m_point, m_slots[0]);
        UndoTrial(trial);
    }
    if (off1 || off2) options.Combined = options.Triple = options.Quadruple = false;
    if (off1 && off2) options.Die2 = false;
}

// The whole-turn rule, for two different dice of which neither has been
// played: when the counts of checkers that can use die 1 (j), die 2 (k)
// and both (l) show that some choice would strand the other die, such
// choices are removed.
void TBoard::ApplyWholeTurnRule() {
    if (m_doubles || m_slots[0] == 0 || m_slots[1] == 0 || m_slots[0] == m_slots[1]) return;
    int j = 0, k = 0, l = 0, first = FirstChecker(m_turn);
    int with1 = kNoChecker, with2 = kNoChecker;
    for (int checker = first; checker < first + kCheckersPerColour; ++checker) {
        const TMoveOptions& options = m_bricks[checker].m_options;
        if (options.Die1) ++j, with1 = checker;
        if (options.Die2) ++k, with2 = checker;
        if (options.Combined) ++l;
    }
    if (j == 1 && k == 1 && l == 0) {
        if (with1 == with2) ApplyOneCheckerRule(m_bricks[with1]);
        return;
    }
    if ((j == 1 && k > 0) || (k == 1 && j > 0) || (l == 1 && (j <= 1 || k <= 1)) || (l > 0 && (j == 0 || k == 0)))
        ApplyWholeTurnFilter();
}

bool TBoard::OtherDieStillPlayable(int checker, int slotIndex) {
    TTrial trial = TrialMove(checker, m_slots[slotIndex], slotIndex);
    bool playable = CanAnyMove(1 - slotIndex);
    UndoTrial(trial);
    return playable;
}

void TBoard::ApplyWholeTurnFilter() {
    int first = FirstChecker(m_turn);
    for (int checker = first; checker < first + kCheckersPerColour; ++checker) {
        TMoveOptions& options = m_bricks[checker].m_options;
        if (options.Die1 && !OtherDieStillPlayable(checker, 0)) options.Die1 = false;
        if (options.Die2 && !OtherDieStillPlayable(checker, 1)) options.Die2 = false;
        if (!options.AnySingle()) options.Combined = false;
    }
}

// One checker alone can use either die and not both in a row. A die after
// which the other one can still be played (by any checker) must be the one
// chosen, since both dice have to be played when they can; when neither
// die leaves the other playable, only the higher die may be played.
void TBoard::ApplyOneCheckerRule(TBrick& brick) {
    TMoveOptions& options = brick.m_options;
    bool after1 = OtherDieStillPlayable(brick.m_number, 0);
    bool after2 = OtherDieStillPlayable(brick.m_number, 1);
    if (after1 || after2) {
        options.Die1 = after1;
        options.Die2 = after2;
    } else if (m_slots[1] < m_slots[0]) {
        options.Die2 = false;
    } else {
        options.Die1 = false;
    }
}

void TBoard::SetBearOffFlags() {
    int die1 = m_slots[0], die2 = m_slots[1];
    int die = std::max(die1, die2);
    for (TBrick& brick : m_bricks) {
        TMoveOptions& options = brick.m_options;
        if (!options.Any() || brick.IsOff()) continue;
        options.BearOff = (options.Die1 && CarriesOff(brick, die1)) || (options.Die2 && CarriesOff(brick, die2)) ||
                          (options.Combined && CarriesOff(brick, die1 + die2)) ||
                          (options.Triple && CarriesOff(brick, 3 * die)) ||
                          (options.Quadruple && CarriesOff(brick, 4 * die));
    }
}

bool TBoard::HasLegalMove() const {
    int first = FirstChecker(m_turn);
    for (int checker = first; checker < first + kCheckersPerColour; ++checker)
        if (m_bricks[checker].m_options.AnySingle()) return true;
    return false;
}

}  // namespace rules::gammon
