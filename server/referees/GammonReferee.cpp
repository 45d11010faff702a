#include "referees/GammonReferee.h"

#include "rules/gammon/Payload.h"

namespace server {

namespace pl = rules::gammon::payload;
using rules::gammon::TColour;

namespace {

constexpr uint8_t kNameColour = 3;    // teal
constexpr uint8_t kTextColour = 1;    // ink
constexpr uint8_t kSystemColour = 4;  // amber
constexpr size_t kMaxPayload = 255;

std::string Code(uint8_t code) { return std::string(1, static_cast<char>(code)); }

}  // namespace

GammonReferee::GammonReferee(RefereeHost& host, const RefereeSetup& setup)
    : Referee(host, setup), m_seat0White((setup.seed >> 31) != 0) {
    m_score.Start(setup.matchLength);
    m_cube.StartTable();
}

TColour GammonReferee::ColourOf(int seat) const {
    return (seat == 0) == m_seat0White ? TColour::White : TColour::Black;
}

GammonReferee::TTableDice GammonReferee::TableDice() const {
    if (!m_started) return {};
    if (m_phase == TPhase::Opening && m_openingDice != std::array<int, 2>{0, 0})
        return {TDiceShown::Opening, -1, m_openingDice};
    if (m_phase == TPhase::Moving) return {TDiceShown::Turn, m_turnSeat, {m_die1, m_die2}};
    return {};
}

void GammonReferee::OnAllReady() {
    Referee::OnAllReady();
    if (m_started) return;
    m_started = true;
    for (const std::string& advert :
         Adverts([](int panel, const std::string& url) { return pl::BuildAdvert({panel, url}); }))
        SendAll(advert);
    NewGame();
    SystemLine("Dice of this match: BLAKE2b of their key = " + m_dice.CommitmentHex() +
               "; the key is shown when the match ends.");
}

void GammonReferee::OnForfeit(int seat) {
    if (m_started) SystemLine("Dice key: " + m_dice.KeyHex() + " (" + std::to_string(m_dice.Count()) + " dice)");
    Referee::OnForfeit(seat);
}

void GammonReferee::OnPayload(int seat, std::string_view payload) {
    if (payload.size() == 1 && payload[0] == kReady) {
        MarkReady(seat);
        return;
    }
    if (!m_started || Seats() != 2) return;
    switch (static_cast<uint8_t>(payload[0])) {
        case pl::kChat: Chat(seat, payload); break;
        case pl::kOpeningRollRequest: OpeningRoll(seat); break;
        case pl::kRollRequest: Roll(seat); break;
        case pl::kMove: Move(seat, payload); break;
        case pl::kUndo: Undo(seat, payload); break;
        case pl::kTurnOver: TurnOver(seat); break;
        case pl::kDouble: Double(seat); break;
        case pl::kDoubleAccepted: DoubleAnswered(seat, true); break;
        case pl::kDoubleDeclined: DoubleAnswered(seat, false); break;
        case pl::kGiveUpOffer: GiveUpOffer(seat, payload); break;
        case pl::kGiveUpRefused: GiveUpRefused(seat); break;
        case pl::kGameWon: GameWon(seat, payload); break;
        default: break;  // nothing else travels between the two windows
    }
}

void GammonReferee::NewGame() {
    m_position = rules::gammon::TPosition::Opening();
    m_steps.clear();
    m_cube.StartGame(m_score);
    m_phase = TPhase::Opening;
    m_openingDice = {0, 0};
    m_doubler = -1;
    m_declinedFor.reset();
    m_giveUp.reset();
    Preview().Restarted();
}

// Each player rolls one die; the higher one begins and plays both dice.
void GammonReferee::OpeningRoll(int seat) {
    if (m_phase != TPhase::Opening || m_openingDice[seat] != 0) return;
    int die = m_dice.Roll();
    m_openingDice[seat] = die;
    Preview().DiceChanged();
    SendAll(pl::BuildOpeningDie({ColourOf(seat), die}));
    if (m_openingDice[0] == 0 || m_openingDice[1] == 0) return;
    if (m_openingDice[0] == m_openingDice[1]) {
        m_openingDice = {0, 0};
        Preview().DiceChanged();
        SendAll(Code(pl::kOpeningEqual));
        return;
    }
    int winner = m_openingDice[0] > m_openingDice[1] ? 0 : 1;
    SendTo(winner, Code(pl::kOpeningWon));
    BeginMoving(winner, m_openingDice[winner], m_openingDice[OtherSeat(winner)]);
}

void GammonReferee::Roll(int seat) {
    if (!AtTurn(seat, TPhase::AwaitRoll)) return;
    int die1 = m_dice.Roll(), die2 = m_dice.Roll();
    SendAll(pl::BuildRoll({ColourOf(seat), die1, die2}));
    BeginMoving(seat, die1, die2);
}

void GammonReferee::BeginMoving(int seat, int die1, int die2) {
    m_turnSeat = seat;
    m_die1 = die1;
    m_die2 = die2;
    m_turnStart = m_position;
    m_steps.clear();
    m_phase = TPhase::Moving;
    Preview().DiceChanged();
}

rules::gammon::TPosition GammonReferee::Replayed() const {
    rules::gammon::TPosition position = m_turnStart;
    for (const rules::gammon::TStep& step : m_steps) position.ApplyStep(ColourOf(m_turnSeat), step.Source, step.Pips);
    return position;
}

void GammonReferee::Move(int seat, std::string_view payload) {
    auto move = pl::ParseMove(payload);
    if (!move || !AtTurn(seat, TPhase::Moving)) {
        OnForfeit(seat);
        return;
    }
    m_steps.push_back({move->Source, move->Pips});
    if (rules::gammon::JudgePlay(m_turnStart, ColourOf(seat), m_die1, m_die2, m_steps) ==
        rules::gammon::TPlayVerdict::Illegal) {
        OnForfeit(seat);
        return;
    }
    m_position.ApplyStep(ColourOf(seat), move->Source, move->Pips);
    Preview().CheckerMoved(seat, move->Source, move->Pips);
    SendTo(OtherSeat(seat), pl::BuildMove(pl::kOpponentMove, *move));
}

// An undo takes back the newest step of the turn, and must say so.
void GammonReferee::Undo(int seat, std::string_view payload) {
    auto record = pl::ParseUndo(payload);
    if (!record || !AtTurn(seat, TPhase::Moving) || m_steps.empty() || record->Source != m_steps.back().Source) {
        OnForfeit(seat);
        return;
    }
    TColour colour = ColourOf(seat);
    int target = rules::gammon::Advance(colour, m_steps.back().Source, m_steps.back().Pips);
    if (rules::gammon::PastEnd(colour, target) > 0) target = rules::gammon::kOffBoard;
    if (record->Target != target) {
        OnForfeit(seat);
        return;
    }
    m_steps.pop_back();
    m_position = Replayed();
    // The move had hit when a lone opposing checker stood on its target.
    const bool hit = target != rules::gammon::kOffBoard && m_position.Count(rules::gammon::Other(colour), target) == 1;
    Preview().MoveTakenBack(seat, record->Source, target, hit);
    SendTo(OtherSeat(seat), pl::BuildUndo(pl::kOpponentUndo, *record));
}

void GammonReferee::TurnOver(int seat) {
    if (!AtTurn(seat, TPhase::Moving)) return;
    if (rules::gammon::JudgePlay(m_turnStart, ColourOf(seat), m_die1, m_die2, m_steps) !=
        rules::gammon::TPlayVerdict::Legal) {
        OnForfeit(seat);
        return;
    }
    m_turnSeat = OtherSeat(seat);
    m_phase = TPhase::AwaitRoll;
    Preview().DiceChanged();
    SendTo(m_turnSeat, Code(pl::kOpponentTurnOver));
}

void GammonReferee::Double(int seat) {
    if (!AtTurn(seat, TPhase::AwaitRoll) || !m_cube.CanDouble(ColourOf(seat), m_score)) return;
    m_doubler = seat;
    m_phase = TPhase::DoublePending;
    SendTo(OtherSeat(seat), Code(pl::kOpponentDoubles));
}

void GammonReferee::DoubleAnswered(int seat, bool accepted) {
    if (m_phase != TPhase::DoublePending || seat != OtherSeat(m_doubler)) return;
    if (accepted) {
        m_cube.Accept(ColourOf(seat));
        m_phase = TPhase::AwaitRoll;
        Preview().CubeChanged();
        SendAll(Code(pl::kDoubleTaken));
        return;
    }
    m_declinedFor = m_doubler;
    m_phase = TPhase::Decided;
    SendTo(m_doubler, Code(pl::kYouWin));
}

void GammonReferee::GiveUpOffer(int seat, std::string_view payload) {
    auto resultClass = pl::ParseClass(payload);
    if (!resultClass || m_phase == TPhase::Decided) return;
    m_giveUp = std::make_pair(seat, *resultClass);
    SendTo(OtherSeat(seat), pl::BuildClass(pl::kOpponentGivesUp, *resultClass));
}

void GammonReferee::GiveUpRefused(int seat) {
    if (!m_giveUp || m_giveUp->first != OtherSeat(seat)) return;
    int offerer = m_giveUp->first;
    m_giveUp.reset();
    SendTo(offerer, Code(pl::kGiveUpDenied));
}

// A won game is scored by what backs it; the class the board gives beats
// the one claimed.
void GammonReferee::GameWon(int seat, std::string_view payload) {
    if (!pl::ParseClass(payload)) return;
    TColour colour = ColourOf(seat);
    if (m_position.Off(colour) == rules::gammon::kCheckersPerColour)
        EndGame(seat, m_position.ResultClass(colour));
    else if (m_giveUp && m_giveUp->first == OtherSeat(seat))
        EndGame(seat, m_giveUp->second);
    else if (m_declinedFor == seat)
        EndGame(seat, 1);
    else
        OnForfeit(seat);
}

void GammonReferee::EndGame(int winner, int resultClass) {
    int loser = OtherSeat(winner);
    m_score.Add(ColourOf(winner), rules::gammon::GamePoints(resultClass, m_cube.Value()));
    SendTo(loser, pl::BuildClass(pl::kOpponentWon, resultClass));
    if (m_score.IsOver()) {
        SystemLine("Dice key: " + m_dice.KeyHex() + " (" + std::to_string(m_dice.Count()) + " dice)");
        MatchOutcome outcome;
        outcome.winners.push_back(winner);
        outcome.losers.push_back(loser);
        EndMatch(outcome);
        return;
    }
    NewGame();
}

void GammonReferee::Chat(int seat, std::string_view payload) {
    auto text = pl::ParseChat(payload);
    if (!text) return;
    const auto& names = Setup().names;
    std::string line = (static_cast<size_t>(seat) < names.size() ? names[static_cast<size_t>(seat)] : "?") + ": " + *text;
    if (line.size() > kMaxPayload - 6) line.resize(kMaxPayload - 6);
    SendAll(pl::BuildChatLine({kNameColour, kTextColour, line}));
}

void GammonReferee::SystemLine(const std::string& text) {
    SendAll(pl::BuildChatLine({kSystemColour, kSystemColour, ": " + text}));
}

}  // namespace server
