// A whole Yatzy table replayed from its players' payloads: whose turn it is,
// the dice and the shared generator, every sheet, the rounds won. The
// server's referee feeds it each payload a player sends and learns whether
// that payload is legal now and what follows from it; it keeps no other
// game state of its own.
//
// Verdicts: Accept (relay it and send what the outcome names), Ignore (drop
// it quietly: a hold that arrives after the player's turn ended, a second
// ready, anything from a seat that left), Refuse (no honest client sends
// it: a fourth roll, a die rolled out of order, a row written twice or with
// points its dice did not earn; the player forfeits). A refused payload
// changes nothing.
//
// A bonus row (8) is only accepted as the first half of the choice that
// settles it, and only confirmed with the upper row that follows; both come
// back together in Writes, so nothing unchecked reaches the other players.
//
// Turns go round the seats in order; round 1 begins with the first seat
// and each further round with the seat after the one that began the round
// before, skipping seats that left. A round ends when every remaining
// sheet is full; the highest total wins it, and of equal totals the player
// who came first in that round's order (the one who had to choose without
// seeing the others' last rows). The match ends when one player has won
// as many rounds as the match length, or when fewer than two players are
// left (the one who stays wins).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "rules/GameSetup.h"
#include "rules/Random.h"
#include "rules/yatzy/DiceCup.h"
#include "rules/yatzy/Payload.h"
#include "rules/yatzy/Sheet.h"

namespace rules::yatzy {

constexpr int kMinPlayers = 2;
constexpr int kMaxPlayers = 4;
// The start message carries the match length in two decimal digits.
constexpr int kMaxMatchLength = 99;

enum class TVerdict { Accept, Ignore, Refuse };
enum class TPhase { Waiting, Playing, Over };

// What one payload or departure leads to. Seats are 1..4; 0 means none.
struct TOutcome {
    TVerdict Verdict = TVerdict::Refuse;
    std::string Reason;             // why it was refused or ignored
    int Face = 0;                   // an accepted 0xB7: the face the die took
    std::vector<TRowWrite> Writes;  // rows confirmed now, to relay as 185 in order
    int Dropped = 0;                // the seat that left (187 counts it from 0)
    int RoundWinner = 0;            // a round ended: its winner (186)
    int NextTurn = 0;               // a turn begins: its seat (181)
    bool MatchOver = false;
    int MatchWinner = 0;            // 0 when nobody is left
};

class TTableState {
public:
    // None for a player count outside 2..4 or a match length outside 1..99.
    static std::optional<TTableState> Create(uint32_t seed, int playerCount, int matchLength);
    static std::optional<TTableState> Create(const TYatzySetup& setup) {
        return Create(setup.Seed, setup.PlayerCount, setup.MatchLength);
    }

    // Judges a payload from a seat and, unless it is refused or ignored,
    // plays it. A seat outside the table is refused.
    TOutcome Apply(int seat, const TClientMessage& message);
    // The same verdict without changing the table.
    TOutcome Check(int seat, const TClientMessage& message) const;
    // A player left, by 0x19 or by losing the connection.
    TOutcome Leave(int seat);

    TPhase Phase() const { return m_phase; }
    int PlayerCount() const { return m_playerCount; }
    int MatchLength() const { return m_matchLength; }
    int Round() const { return m_round; }
    int CurrentSeat() const { return m_current; }
    bool IsSeat(int seat) const { return seat >= 1 && seat <= m_playerCount; }
    bool IsPresent(int seat) const { return IsSeat(seat) && m_seats[seat - 1].Present; }
    int PresentCount() const;
    const TSheet& Sheet(int seat) const;
    int RoundsWon(int seat) const { return IsSeat(seat) ? m_seats[seat - 1].RoundsWon : 0; }
    const TDiceCup& Dice() const { return m_dice; }
    const TRandom& Random() const { return m_random; }
    // Dice still owed by the current roll, in the order they must come.
    const std::vector<int>& DiceToRoll() const { return m_toRoll; }

private:
    struct TSeat {
        TSheet Sheet;
        int RoundsWon = 0;
        bool Present = true;
        bool Ready = false;
    };

    TTableState(uint32_t seed, int playerCount, int matchLength);

    TOutcome Ready(int seat);
    TOutcome Roll(int seat);
    TOutcome RollDie(int seat, int die);
    TOutcome Hold(int seat, const THold& hold);
    TOutcome Score(int seat, const TScore& score);
    TOutcome ScoreBonus(int points);
    TOutcome ScoreRow(int row, int points);

    // Who may act now: the current seat, in play, not in the middle of a
    // roll or a bonus choice. Empty when so, else the reason.
    std::string TurnFault(int seat, bool allowPendingBonus = false) const;
    void StartMatch(TOutcome& outcome);
    void BeginTurn(int seat, TOutcome& outcome);
    void EndTurn(TOutcome& outcome);
    void EndRound(TOutcome& outcome);
    void EndMatch(int winner, TOutcome& outcome);
    int RoundWinner() const;
    bool RoundComplete() const;
    bool AllReady() const;
    // The next present seat after `seat`, going round; 0 when none.
    int NextPresent(int seat) const;

    std::array<TSeat, kMaxPlayers> m_seats{};
    int m_playerCount = kMinPlayers;
    int m_matchLength = 1;
    TPhase m_phase = TPhase::Waiting;
    int m_round = 0;
    int m_roundStarter = 0;
    int m_current = 0;
    TDiceCup m_dice;
    TRandom m_random;
    std::vector<int> m_toRoll;
    std::optional<int> m_pendingBonus;
};

}  // namespace rules::yatzy
