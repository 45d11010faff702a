#include "rules/yatzy/TableState.h"

#include <type_traits>
#include <variant>

namespace rules::yatzy {

namespace {

TOutcome Verdict(TVerdict verdict, std::string reason = "") {
    TOutcome outcome;
    outcome.Verdict = verdict;
    outcome.Reason = std::move(reason);
    return outcome;
}

TOutcome Accepted() { return Verdict(TVerdict::Accept); }
TOutcome Ignored(std::string reason) { return Verdict(TVerdict::Ignore, std::move(reason)); }
TOutcome Refused(std::string reason) { return Verdict(TVerdict::Refuse, std::move(reason)); }

}  // namespace

std::optional<TTableState> TTableState::Create(uint32_t seed, int playerCount, int matchLength) {
    if (playerCount < kMinPlayers || playerCount > kMaxPlayers) return std::nullopt;
    if (matchLength < 1 || matchLength > kMaxMatchLength) return std::nullopt;
    return TTableState(seed, playerCount, matchLength);
}

TTableState::TTableState(uint32_t seed, int playerCount, int matchLength)
    : m_playerCount(playerCount), m_matchLength(matchLength), m_random(seed) {
    for (int i = playerCount; i < kMaxPlayers; ++i) m_seats[i].Present = false;
}

int TTableState::PresentCount() const {
    int count = 0;
    for (const TSeat& seat : m_seats) count += seat.Present ? 1 : 0;
    return count;
}

const TSheet& TTableState::Sheet(int seat) const {
    static const TSheet kEmpty;
    return IsSeat(seat) ? m_seats[seat - 1].Sheet : kEmpty;
}

TOutcome TTableState::Apply(int seat, const TClientMessage& message) {
    if (!IsSeat(seat)) return Refused("no such seat");
    if (!IsPresent(seat)) return Ignored("the player has left");
    if (std::holds_alternative<TLeave>(message)) return Leave(seat);
    // Chat is welcome at any time, also after the match.
    if (std::holds_alternative<TChatLine>(message)) return Accepted();
    if (m_phase == TPhase::Over) return Ignored("the match is over");
    return std::visit(
        [&](const auto& m) -> TOutcome {
            using T = std::decay_t<decltype(m)>;
            if constexpr (std::is_same_v<T, TReady>) return Ready(seat);
            else if constexpr (std::is_same_v<T, TRoll>) return Roll(seat);
            else if constexpr (std::is_same_v<T, TRollDie>) return RollDie(seat, m.Die);
            else if constexpr (std::is_same_v<T, THold>) return Hold(seat, m);
            else if constexpr (std::is_same_v<T, TScore>) return Score(seat, m);
            else return Accepted();  // chat and leaving are handled above
        },
        message);
}

TOutcome TTableState::Check(int seat, const TClientMessage& message) const {
    TTableState copy = *this;
    return copy.Apply(seat, message);
}

TOutcome TTableState::Leave(int seat) {
    if (!IsPresent(seat)) return Ignored("the player has left");
    m_seats[seat - 1].Present = false;
    TOutcome outcome = Accepted();
    outcome.Dropped = seat;
    if (m_phase == TPhase::Over) return outcome;
    if (PresentCount() < kMinPlayers) {
        EndMatch(NextPresent(seat), outcome);
    } else if (m_phase == TPhase::Waiting) {
        if (AllReady()) StartMatch(outcome);
    } else if (seat == m_current) {
        m_toRoll.clear();
        m_pendingBonus.reset();
        EndTurn(outcome);
    }
    return outcome;
}

TOutcome TTableState::Ready(int seat) {
    if (m_phase != TPhase::Waiting || m_seats[seat - 1].Ready) return Ignored("already ready");
    m_seats[seat - 1].Ready = true;
    TOutcome outcome = Accepted();
    if (AllReady()) StartMatch(outcome);
    return outcome;
}

std::string TTableState::TurnFault(int seat, bool allowPendingBonus) const {
    if (m_phase != TPhase::Playing) return "the game has not begun";
    if (seat != m_current) return "not this player's turn";
    if (!m_toRoll.empty()) return "dice of the last roll are still owed";
    if (m_pendingBonus && !allowPendingBonus) return "the row that settles the bonus is owed";
    return "";
}

TOutcome TTableState::Roll(int seat) {
    if (std::string fault = TurnFault(seat); !fault.empty()) return Refused(fault);
    if (!m_dice.CanRoll()) return Refused("a fourth roll");
    m_toRoll = m_dice.StartRoll();
    return Accepted();
}

TOutcome TTableState::RollDie(int seat, int die) {
    if (m_phase != TPhase::Playing || seat != m_current) return Refused("not this player's turn");
    if (m_toRoll.empty() || m_toRoll.front() != die) return Refused("a die that is not due");
    m_toRoll.erase(m_toRoll.begin());
    TOutcome outcome = Accepted();
    outcome.Face = m_dice.RollDie(die, m_random);
    return outcome;
}

TOutcome TTableState::Hold(int seat, const THold& hold) {
    // A click that lands after the player's turn ended or before the first
    // roll changes no roll: the first roll of a turn releases every die.
    if (m_phase != TPhase::Playing || seat != m_current) return Ignored("not this player's turn");
    if (!m_toRoll.empty() || m_pendingBonus) return Refused("a hold in the middle of a roll or a choice");
    if (m_dice.Rolls() >= kMaxRolls) return Ignored("no hold after the last roll");
    if (!m_dice.SetHeld(hold.Die, hold.Held)) return Refused("no such die");
    return Accepted();
}

TOutcome TTableState::Score(int seat, const TScore& score) {
    if (std::string fault = TurnFault(seat, score.Row != kBonus); !fault.empty()) return Refused(fault);
    if (m_dice.Rolls() == 0) return Refused("a row written before the first roll");
    return score.Row == kBonus ? ScoreBonus(score.Points) : ScoreRow(score.Row, score.Points);
}

TOutcome TTableState::ScoreBonus(int points) {
    if (m_seats[m_current - 1].Sheet.BonusSettled()) return Refused("the bonus is settled");
    if (points != 0 && points != kBonusPoints) return Refused("a bonus of neither 0 nor 50");
    m_pendingBonus = points;
    return Accepted();
}

TOutcome TTableState::ScoreRow(int row, int points) {
    TSheet& sheet = m_seats[m_current - 1].Sheet;
    std::vector<TRowWrite> writes = ChoiceWrites(sheet, row, m_dice.Faces());
    if (writes.empty()) return Refused("row " + std::to_string(row) + " cannot be chosen");
    if (writes.back().Points != points) return Refused("points the dice did not earn");
    std::optional<int> bonus;
    if (writes.size() == 2) bonus = writes.front().Points;
    if (bonus != m_pendingBonus) return Refused("the bonus does not fit the upper rows");
    sheet.Write(writes);
    m_pendingBonus.reset();
    TOutcome outcome = Accepted();
    outcome.Writes = std::move(writes);
    EndTurn(outcome);
    return outcome;
}

void TTableState::StartMatch(TOutcome& outcome) {
    m_phase = TPhase::Playing;
    m_round = 1;
    m_roundStarter = NextPresent(0);
    BeginTurn(m_roundStarter, outcome);
}

void TTableState::BeginTurn(int seat, TOutcome& outcome) {
    m_current = seat;
    m_dice.BeginTurn();
    m_toRoll.clear();
    m_pendingBonus.reset();
    outcome.NextTurn = seat;
}

void TTableState::EndTurn(TOutcome& outcome) {
    if (RoundComplete()) EndRound(outcome);
    else BeginTurn(NextPresent(m_current), outcome);
}

void TTableState::EndRound(TOutcome& outcome) {
    int winner = RoundWinner();
    outcome.RoundWinner = winner;
    if (++m_seats[winner - 1].RoundsWon >= m_matchLength) {
        EndMatch(winner, outcome);
        return;
    }
    for (TSeat& seat : m_seats) seat.Sheet.Reset();
    ++m_round;
    m_roundStarter = NextPresent(m_roundStarter);
    BeginTurn(m_roundStarter, outcome);
}

void TTableState::EndMatch(int winner, TOutcome& outcome) {
    m_phase = TPhase::Over;
    m_current = 0;
    m_toRoll.clear();
    m_pendingBonus.reset();
    outcome.NextTurn = 0;
    outcome.MatchOver = true;
    outcome.MatchWinner = winner;
}

// Goes round from the round's first seat, so an equal total behind the
// leader never takes the lead.
int TTableState::RoundWinner() const {
    int winner = 0;
    int seat = m_roundStarter;
    for (int i = 0; i < m_playerCount; ++i, seat = seat % m_playerCount + 1) {
        if (!IsPresent(seat)) continue;
        if (winner == 0 || Sheet(seat).Total() > Sheet(winner).Total()) winner = seat;
    }
    return winner;
}

bool TTableState::RoundComplete() const {
    for (int seat = 1; seat <= m_playerCount; ++seat)
        if (IsPresent(seat) && !Sheet(seat).IsComplete()) return false;
    return true;
}

bool TTableState::AllReady() const {
    for (int seat = 1; seat <= m_playerCount; ++seat)
        if (IsPresent(seat) && !m_seats[seat - 1].Ready) return false;
    return true;
}

int TTableState::NextPresent(int seat) const {
    for (int step = 1; step <= m_playerCount; ++step) {
        int next = (seat + step - 1) % m_playerCount + 1;
        if (IsPresent(next)) return next;
    }
    return 0;
}

}  // namespace rules::yatzy
