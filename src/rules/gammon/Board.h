// The Backgammon board of one table as a value: the position with its 30
// checkers and their stack keys, the dice of the current turn, the undo
// history, the cube and the match score, and every rule that decides what
// the player at turn may do.
//
// Two things are kept apart: Turn() is the colour whose dice are in the
// slots and whose checkers the options are computed for; Decider() is the
// colour that has to act now, which differs from the turn while a double
// waits for its answer. A client sets Turn() to its own colour for its own
// turns and replays the other colour's moves unchecked; the referee sets
// Turn() to whichever colour rolled and checks every move.
//
// Moves come in three kinds:
//  - own moves through the options (Drop, QuickMove), as the table window
//    makes them; they fill the history so they can be undone;
//  - checked single steps (Step) by the colour at turn, for the referee;
//  - replayed moves of the other side (ReplayMove, ReplayUndo), checked
//    only so far that they cannot corrupt the board.
// Every move reports what it did as TMoveRecords, in the order made; the
// table window sends and animates from them.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "rules/gammon/Brick.h"
#include "rules/gammon/Match.h"
#include "rules/gammon/Position.h"

namespace rules::gammon {

// One single move: the checker, where it came from and went (kOffBoard
// when borne off), the signed distance and the checker it hit (or
// kNoChecker). The history and both undo messages carry this record.
struct TMoveRecord {
    int Checker = kNoChecker;
    int Source = 0;
    int Target = 0;
    int Distance = 0;
    int Hit = kNoChecker;
    int Pips() const { return Distance < 0 ? -Distance : Distance; }
    friend bool operator==(const TMoveRecord&, const TMoveRecord&) = default;
};

// A small die to show while hovering over a point: where the checker
// would go (kOffBoard when off) and the face to show.
struct THintDie {
    int Target = 0;
    int Face = 0;
    friend bool operator==(const THintDie&, const THintDie&) = default;
};

class TBoard {
public:
    static constexpr int kSlots = 4;
    static constexpr int kHistoryLimit = 4;  // a turn has at most four single moves

    TBoard();

    // Table and game life cycle.
    void StartTable(TColour own, int matchLength);
    void StartGame();  // opening set-up, no dice, empty history, cube reset
    // Replaces the checkers by a given position (checkers are placed in
    // index order); dice, history and options are cleared.
    void SetPosition(const TPosition& position);

    TColour OwnColour() const { return m_own; }
    TColour Turn() const { return m_turn; }
    TColour Decider() const { return m_decider; }
    void SetTurn(TColour colour);  // also hands the decision to that colour
    void SetDecider(TColour colour) { m_decider = colour; }

    const TPosition& Position() const { return m_position; }
    const TBrick& Brick(int checker) const { return m_bricks[checker]; }
    // The checker on top of point's stack, or kNoChecker.
    int TopChecker(int point) const;
    bool AllOff(TColour colour) const { return m_position.Off(colour) == kCheckersPerColour; }
    int PipCount(TColour colour) const { return m_position.PipCount(colour); }
    int ResultClass(TColour winner) const { return m_position.ResultClass(winner); }

    // Dice of the colour at turn: slots 1..4 (a played value becomes 0).
    // Dice outside 1..6 are refused. Options are recomputed.
    bool SetDice(int die1, int die2);
    void ClearDice();
    int Slot(int slot) const { return slot >= 1 && slot <= kSlots ? m_slots[slot - 1] : 0; }
    bool IsDoubles() const { return m_doubles; }
    bool DiceLeft() const;
    void SetOpponentDice(int die1, int die2) { m_opponentDice = {die1, die2}; }
    int OpponentDie(int which) const { return which >= 1 && which <= 2 ? m_opponentDice[which - 1] : 0; }

    // Options of the colour at turn.
    void ComputeOptions();
    bool HasLegalMove() const;
    // The turn is over: no dice left, or none of them can be played.
    bool TurnOver() const { return !DiceLeft() || !HasLegalMove(); }
    // The checker a press on checker picks up (the top of its stack) when
    // it belongs to the colour at turn and has an option; else kNoChecker.
    int PickUp(int checker) const;

    // Own moves through the options. Drop: the checker was released over
    // hoverPoint (-1 outside both board halves). QuickMove: the smaller
    // usable die. An empty result means nothing moved.
    std::vector<TMoveRecord> Drop(int checker, int hoverPoint);
    std::vector<TMoveRecord> QuickMove(int checker);
    // A single step of the colour at turn by pips from source, when a slot
    // holds pips and the single-step test passes; recorded in the history.
    std::optional<TMoveRecord> Step(int source, int pips);

    // Undo of the newest own move; none when the history is empty.
    std::optional<TMoveRecord> Undo();
    const std::vector<TMoveRecord>& History() const { return m_history; }
    // Clears dice, history and options once the turn is over.
    void EndTurn();

    // The other side's moves: the top checker of colour on source moves by
    // pips. Refused (none) when there is no such checker or the target holds
    // two or more checkers of the other colour.
    std::optional<TMoveRecord> ReplayMove(TColour colour, int source, int pips);
    // The other side's undo: checker goes back from target to source and
    // the checker it hit comes back from its bar. Refused when the record
    // does not fit the board.
    bool ReplayUndo(const TMoveRecord& record);

    // Hover hints of the colour at turn for point: up to four small dice.
    std::vector<THintDie> HintDice(int point) const;

    TCube& Cube() { return m_cube; }
    const TCube& Cube() const { return m_cube; }
    TMatchScore& Match() { return m_match; }
    const TMatchScore& Match() const { return m_match; }

private:
    struct TTrial;

    // Options (BoardOptions.cpp).
    bool CanMove(int checker, int slotIndex) const;
    bool CanAnyMove(int slotIndex) const;
    bool BarEmpty() const { return m_position.OnBar(m_turn) == 0; }
    TTrial TrialMove(int checker, int pips, int slotIndex);
    void UndoTrial(const TTrial& trial);
    void ComputeCheckerOptions(TBrick& brick);
    void ApplyWholeTurnRule();
    void ApplyWholeTurnFilter();
    void ApplyOneCheckerRule(TBrick& brick);
    bool OtherDieStillPlayable(int checker, int slotIndex);
    void SetBearOffFlags();
    bool CarriesOff(const TBrick& brick, int pips) const;

    // Moves (BoardMoves.cpp).
    TMoveRecord MoveChecker(int checker, int pips, bool own);
    void PlaceOn(int checker, int point);
    void TakeFrom(int checker);
    void ClearUsedSlot(int slotIndex);
    void TakeBack(const TMoveRecord& record);
    std::vector<TMoveRecord> TryDistance(int checker, int pips);
    std::vector<TMoveRecord> TryCombined(int checker);
    std::vector<TMoveRecord> TryMultiple(int checker, int count);
    bool ChainQualifies(int checker, int pips, int count) const;
    void ClearSlotsForCombined();
    void ClearSlotsForTriple();
    int CheckerOfColourOn(TColour colour, int point) const;

    TPosition m_position;
    std::array<TBrick, kCheckerCount> m_bricks;
    std::array<int, kSlots> m_slots{};
    bool m_doubles = false;
    std::array<int, 2> m_opponentDice{};
    std::vector<TMoveRecord> m_history;
    TColour m_own = TColour::White;
    TColour m_turn = TColour::White;
    TColour m_decider = TColour::White;
    TCube m_cube;
    TMatchScore m_match;
};

}  // namespace rules::gammon
