// The referee of a Backgammon match: it rolls every die from the match's
// fair dice (FairDice), passes the turns, relays moves, undos, chat and
// give-up offers, handles the cube, scores each game and starts the next
// one until the match length is reached.
//
// It keeps the position through the rules library and holds every move
// and undo of the player at turn against the legal plays of the dice: a
// move, undo or turn-over that no legal play allows forfeits the match (an
// honest client cannot send one, it follows the same rules). A won game
// (0x16) is scored with the class the board gives when the winner has all
// checkers off, with the offered class after an accepted give-up, and as
// a normal game after a declined double; a claim backed by none of these
// forfeits.
//
// Seat 0 (the table's creator) plays white when the top bit of the seed is
// set, as the players' set-ups say. The commitment to the dice (the hash
// of their key) goes into the table chat at the start of the match, the key
// itself when the match ends, however it ends.
//
// The previews hear of every die on the table, every accepted move and
// undo, the cube, and of each new game as a restart (position, cube and
// score all change at once).
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "referees/FairDice.h"
#include "referees/Referee.h"
#include "rules/gammon/LegalPlays.h"
#include "rules/gammon/Match.h"
#include "rules/gammon/Position.h"

namespace server {

class GammonReferee : public Referee {
public:
    // The dice that lie on the table: during the opening roll each seat's
    // die (0 until it is rolled, none before the first), while a seat moves
    // its two dice, otherwise none.
    enum class TDiceShown { None, Opening, Turn };
    struct TTableDice {
        TDiceShown shown = TDiceShown::None;
        int mover = -1;           // Turn: the seat that moves
        std::array<int, 2> dice{};  // Opening: by seat; Turn: as rolled
        bool operator==(const TTableDice&) const = default;
    };

    GammonReferee(RefereeHost& host, const RefereeSetup& setup);

    const rules::gammon::TPosition& Position() const { return m_position; }
    const rules::gammon::TMatchScore& Score() const { return m_score; }
    const rules::gammon::TCube& Cube() const { return m_cube; }
    rules::gammon::TColour ColourOf(int seat) const;
    const FairDice& Dice() const { return m_dice; }
    TTableDice TableDice() const;

protected:
    void OnPayload(int seat, std::string_view payload) override;
    void OnAllReady() override;
    void OnForfeit(int seat) override;

private:
    enum class TPhase { Opening, AwaitRoll, Moving, DoublePending, Decided };

    void NewGame();
    void OpeningRoll(int seat);
    void Roll(int seat);
    void BeginMoving(int seat, int die1, int die2);
    void Move(int seat, std::string_view payload);
    void Undo(int seat, std::string_view payload);
    void TurnOver(int seat);
    void Double(int seat);
    void DoubleAnswered(int seat, bool accepted);
    void GiveUpOffer(int seat, std::string_view payload);
    void GiveUpRefused(int seat);
    void GameWon(int seat, std::string_view payload);
    void EndGame(int winner, int resultClass);
    void Chat(int seat, std::string_view payload);
    void SystemLine(const std::string& text);
    bool AtTurn(int seat, TPhase phase) const { return seat == m_turnSeat && m_phase == phase; }
    static int OtherSeat(int seat) { return seat == 0 ? 1 : 0; }
    rules::gammon::TPosition Replayed() const;

    FairDice m_dice;
    bool m_started = false;
    bool m_seat0White = true;
    TPhase m_phase = TPhase::Opening;
    rules::gammon::TPosition m_position;
    rules::gammon::TPosition m_turnStart;
    std::vector<rules::gammon::TStep> m_steps;
    int m_turnSeat = 0;
    int m_die1 = 0, m_die2 = 0;
    std::array<int, 2> m_openingDice{};
    rules::gammon::TCube m_cube;
    rules::gammon::TMatchScore m_score;
    int m_doubler = -1;
    std::optional<int> m_declinedFor;            // the doubler whose double was declined
    std::optional<std::pair<int, int>> m_giveUp;  // seat offering, class offered
};

}  // namespace server
