// TGammonform: the games of a match: the opening roll, the turns with their
// dice, moves and undos, the cube, give-up offers and the end of each game.
#include "controls/Countdown.h"
#include "controls/Glide.h"
#include "controls/MsgBoxes.h"
#include "controls/Multilist.h"
#include "controls/Rollover.h"
#include "games/Dicestats.h"
#include "games/Gammon.h"
#include "games/GammonDialog.h"
#include "games/GammonPieces.h"
#include "graphics/Paint.h"
#include "graphics/Sound.h"
#include "net/Session.h"
#include "resources/Inifile.h"
#include "resources/Texts.h"
#include "rules/GameKind.h"
#include "rules/gammon/Payload.h"

namespace pl = rules::gammon::payload;
using TSide = rules::gammon::TColour;
using rules::gammon::TMoveRecord;

namespace {

constexpr char kRollSound[] = "Roll.wav";
constexpr char kHitSound[] = "Hit.wav";
constexpr char kMessages[] = "Message";

std::string Code(uint8_t code) { return std::string(1, static_cast<char>(code)); }

std::string ClassKey(int resultClass) {
    return resultClass == 3 ? "2_Backgammon" : resultClass == 2 ? "2_Gammon" : "2_Normal";
}

}  // namespace

// A game --------------------------------------------------------------------

void TGammonform::StartGame() {
    m_board.StartGame();
    m_board.SetTurn(Own());
    m_normalRolls = false;
    m_ownTurn = false;
    m_doublePending = false;
    m_turnCounter = 0;
    m_openingOwn = m_openingOpponent = 0;
    m_undo->Hide();
    m_giveUp->Hide();
    m_pieces->HideDice();
    m_pieces->HideHints();
    m_pieces->Place(m_board);
    ShowCube(false);
    DiceStatistics().NewEntry(rules::KindNumber(rules::TGameKind::Gammon));
    RefreshScores();
}

void TGammonform::RestartCountdown() {
    m_countdown->Start(kTurnSeconds, kWarningSeconds);
    m_countdown->Show();
}

// The opening dice are forgotten when an opening (re)starts, not at the own
// roll: the opponent may have rolled first, and the winner plays both dice.
void TGammonform::StartOpeningRoll() {
    if (m_matchOver) return;
    m_openingOwn = m_openingOpponent = 0;
    m_roll->Show();
    RestartCountdown();
    if (m_automatic) Roll();
}

void TGammonform::Roll() {
    if (!m_roll->Visible() || m_matchOver) return;
    CloseMsgBox(m_msgSlot);
    if (m_normalRolls) {
        Sendstring(Code(pl::kRollRequest));
    } else {
        Sendstring(Code(pl::kOpeningRollRequest));
        m_countdown->Stop();
        m_countdown->Hide();
    }
    PlaySound(kRollSound);
    m_roll->Hide();
    m_undo->Hide();
    ShowCube(false);
}

void TGammonform::OpeningDie(const std::string& data) {
    auto die = pl::ParseOpeningDie(data);
    if (!die) return;
    if (die->Colour == Own()) {
        m_openingOwn = die->Die;
        DiceStatistics().CountDie(die->Die);
    } else {
        PlaySound(kRollSound);
        m_openingOpponent = die->Die;
        m_board.SetOpponentDice(die->Die, 0);
    }
    m_pieces->ShowDice(m_openingOpponent, Opponent(), m_openingOwn, Own());
}

// The winner of the opening plays both opening dice.
void TGammonform::OpeningWon() {
    if (m_openingOwn == 0 || m_openingOpponent == 0) return;
    RestartCountdown();
    m_normalRolls = true;
    m_ownTurn = true;
    m_board.SetDice(m_openingOwn, m_openingOpponent);
    SystemLine("2_wonstart", std::to_string(m_openingOwn) + "," + std::to_string(m_openingOpponent));
    if (!m_board.HasLegalMove()) {
        EndOwnTurn();
        Sendstring(Code(pl::kTurnOver));
    }
}

void TGammonform::OpponentTurnOver() {
    if (m_matchOver) return;
    m_normalRolls = true;
    m_roll->Show();
    RestartCountdown();
    ShowCube(MayDouble());
    ++m_turnCounter;
    if (m_turnCounter > kGiveUpAfterTurns) m_giveUp->Show();
    if (m_automatic) Roll();
}

void TGammonform::DiceRolled(const std::string& data) {
    auto roll = pl::ParseRoll(data);
    if (!roll) return;
    if (roll->Colour != Own()) {
        PlaySound(kRollSound);
        m_board.SetOpponentDice(roll->Die1, roll->Die2);
        m_pieces->ShowDice(roll->Die1, Opponent(), roll->Die2, Opponent());
        return;
    }
    m_board.SetDice(roll->Die1, roll->Die2);
    DiceStatistics().CountPair(roll->Die1, roll->Die2);
    m_pieces->ShowDice(roll->Die1, Own(), roll->Die2, Own());
    if (m_board.HasLegalMove()) {
        m_ownTurn = true;
        return;
    }
    EndOwnTurn();
    Sendstring(Code(pl::kTurnOver));
}

// Own moves -----------------------------------------------------------------

// Every single move goes to the server; the game ends with the 15th
// checker off, the turn when nothing more can be played.
void TGammonform::AfterOwnMove(const std::vector<TMoveRecord>& records) {
    bool hit = false;
    for (const TMoveRecord& record : records) {
        Sendstring(pl::BuildMove(pl::kMove, {record.Source, record.Pips()}));
        hit = hit || record.Hit != rules::gammon::kNoChecker;
    }
    if (hit) PlaySound(kHitSound);
    m_pieces->Move(m_board, records, m_anims, true);
    RefreshScores();
    if (m_board.AllOff(Own())) {
        int resultClass = m_board.ResultClass(Own());
        Sendstring(pl::BuildClass(pl::kGameWon, resultClass));
        WinGame(resultClass, true);
        return;
    }
    if (!m_board.History().empty()) m_undo->Show();
    if (m_board.TurnOver()) TurnFinished();
}

void TGammonform::TurnFinished() {
    bool anyAllOff = m_board.AllOff(TSide::White) || m_board.AllOff(TSide::Black);
    if (!m_confirm || anyAllOff) {
        EndOwnTurn();
        Sendstring(Code(pl::kTurnOver));
        return;
    }
    m_roll->Hide();
    m_giveUp->Hide();
    m_options->Hide();
    m_undo->Hide();
    ShowCube(false);
    m_dialog->Ask(GetText(kMessages, "2_Confirm"), [this](bool yes) {
        m_options->Show();
        if (yes) {
            EndOwnTurn();
            Sendstring(Code(pl::kTurnOver));
            return;
        }
        UndoLast();
        if (m_turnCounter > kGiveUpAfterTurns) m_giveUp->Show();
    });
}

void TGammonform::EndOwnTurn() {
    m_ownTurn = false;
    m_board.EndTurn();
    m_countdown->Stop();
    m_undo->Hide();
    m_giveUp->Hide();
    m_pieces->HideHints();
}

void TGammonform::UndoLast() {
    if (!m_ownTurn || m_dialog->Open()) return;
    auto record = m_board.Undo();
    if (!record) return;
    Sendstring(pl::BuildUndo(pl::kUndo, *record));
    m_pieces->Place(m_board);
    RefreshScores();
    if (m_board.History().empty())
        m_undo->Hide();
    else
        m_undo->Show();
}

// The opponent's moves ------------------------------------------------------

void TGammonform::OpponentMove(const std::string& data) {
    auto move = pl::ParseMove(data);
    if (!move) return;
    auto record = m_board.ReplayMove(Opponent(), move->Source, move->Pips);
    if (!record) return;
    if (record->Hit != rules::gammon::kNoChecker) PlaySound(kHitSound);
    m_pieces->Move(m_board, {*record}, m_anims, false);
    RefreshScores();
}

void TGammonform::OpponentUndo(const std::string& data) {
    auto record = pl::ParseUndo(data);
    if (!record || !m_board.ReplayUndo(*record)) return;
    m_pieces->Place(m_board);
    RefreshScores();
}

// The cube ------------------------------------------------------------------

// Before the own roll, while the cube rules allow it.
bool TGammonform::MayDouble() const {
    return m_normalRolls && !m_ownTurn && !m_doublePending && !m_matchOver && m_roll->Visible() &&
           m_board.Cube().CanDouble(Own(), m_board.Match());
}

void TGammonform::ShowCube(bool enabled) { m_pieces->ShowCube(m_board.Cube(), Own(), enabled); }

void TGammonform::OfferDouble() {
    if (!MayDouble()) return;
    m_countdown->Stop();
    Sendstring(Code(pl::kDouble));
    m_doublePending = true;
    ShowCube(false);
    Notice("2_Waitgiveup");
}

void TGammonform::DoubleTaken() {
    m_board.Cube().Accept(m_doublePending ? Opponent() : Own());
    if (m_doublePending) {
        m_doublePending = false;
        CloseMsgBox(m_msgSlot);
        if (m_countdown->Remaining() > 0) m_countdown->Start(m_countdown->Remaining(), kWarningSeconds);
        Notice("2_Doubleaccept", std::to_string(m_board.Cube().Value()));
    }
    ShowCube(MayDouble());
}

void TGammonform::OpponentDoubles() {
    RestartCountdown();
    m_roll->Hide();
    m_options->Hide();
    m_giveUp->Hide();
    m_undo->Hide();
    ShowCube(false);
    std::string text = FillPlaceholders(m_dialog->InitialText(), std::to_string(m_board.Cube().Value()));
    m_dialog->Ask(text, [this](bool yes) {
        Sendstring(Code(yes ? pl::kDoubleAccepted : pl::kDoubleDeclined));
        m_countdown->Stop();
        m_options->Show();
    });
}

// Giving up -----------------------------------------------------------------

int TGammonform::GiveUpMenuNumber() const {
    if (m_board.Position().Off(Own()) > 0) return 1;
    return m_board.Position().AllHome(Own()) ? 2 : 3;
}

void TGammonform::OpenGiveUpMenu() {
    if (!m_giveUp->Visible()) return;
    GiveUpMenu(GiveUpMenuNumber()).Popup(m_giveUp->X(), m_giveUp->Y());
}

void TGammonform::OfferGiveUp(int resultClass) {
    if (resultClass < 1 || resultClass > 3 || m_matchOver) return;
    Sendstring(pl::BuildClass(pl::kGiveUpOffer, resultClass));
    m_giveUp->Hide();
    Notice("2_Waitgiveup");
}

void TGammonform::OpponentGivesUp(const std::string& data) {
    auto resultClass = pl::ParseClass(data);
    if (!resultClass) return;
    std::string text = FillPlaceholders(GetText(kMessages, "2_Givesup"), GetText(kMessages, ClassKey(*resultClass)));
    if (MsgBoxIn(text, "System", mb::kYesNo, m_msgSlot, mb::No) == mb::Yes) {
        Sendstring(pl::BuildClass(pl::kGameWon, *resultClass));
        WinGame(*resultClass, true);
    } else {
        Sendstring(Code(pl::kGiveUpRefused));
    }
}

// The end of a game ---------------------------------------------------------

void TGammonform::YouWin() {
    if (m_doublePending) {
        m_doublePending = false;
        WinGame(1, false);
        return;
    }
    WinGame(m_board.ResultClass(Own()), false);
}

void TGammonform::WinGame(int resultClass, bool alreadySent) {
    if (m_matchOver) return;
    if (!alreadySent) Sendstring(pl::BuildClass(pl::kGameWon, resultClass));
    int points = rules::gammon::GamePoints(resultClass, m_board.Cube().Value());
    m_board.Match().Add(Own(), points);
    GameOver(true, points);
}

void TGammonform::OpponentWon(const std::string& data) {
    auto resultClass = pl::ParseClass(data);
    if (!resultClass || m_matchOver) return;
    int points = rules::gammon::GamePoints(*resultClass, m_board.Cube().Value());
    m_board.Match().Add(Opponent(), points);
    GameOver(false, points);
}

// The next game starts unless the match is over.
void TGammonform::GameOver(bool ownWin, int points) {
    m_doublePending = false;
    m_dialog->Close();
    CloseMsgBox(m_msgSlot);
    m_options->Show();
    EndOwnTurn();
    if (m_board.Match().IsOver()) {
        m_matchOver = true;
        HideTurnButtons();
        m_countdown->Hide();
        RefreshScores();
        SystemLine(ownWin ? "2_Winmatch" : "2_Losematch");
        return;
    }
    StartGame();
    StartOpeningRoll();
    if (ownWin)
        Notice("2_Wingame", std::to_string(points));
    else
        Notice("2_Losegame", m_opponent + "," + std::to_string(points));
}

void TGammonform::HideTurnButtons() {
    m_roll->Hide();
    m_undo->Hide();
    m_giveUp->Hide();
    ShowCube(false);
}

// Texts ---------------------------------------------------------------------

void TGammonform::Notice(const std::string& key, const std::string& arguments) {
    MsgBoxIn(FillPlaceholders(GetText(kMessages, key), arguments), "System", 0, m_msgSlot, 0);
}

void TGammonform::RefreshScores() {
    const auto& match = m_board.Match();
    const std::string& own = Session().Alias;
    std::vector<std::vector<std::string>> rows = {
        {FillPlaceholders(GetText(kMessages, "2_Matchlength"), std::to_string(match.Length())), own, m_opponent},
        {GetText(kMessages, "2_Pointtext"), std::to_string(match.Points(Own())), std::to_string(match.Points(Opponent()))},
        {GetText(kMessages, "2_Pips"), std::to_string(m_board.PipCount(Own())), std::to_string(m_board.PipCount(Opponent()))},
        {GetText(kMessages, "2_Place"), m_ownFigure, m_opponentFigure}};
    if (m_scores->RowCount() != static_cast<int>(rows.size())) {
        m_scores->Clear();
        for (const auto& row : rows)
            for (const std::string& cell : row) m_scores->AddCell(cell);
        return;
    }
    for (size_t row = 0; row < rows.size(); ++row)
        for (size_t column = 0; column < rows[row].size(); ++column)
            if (m_scores->Cell(static_cast<int>(column), static_cast<int>(row)) != rows[row][column])
                m_scores->SetCell(static_cast<int>(column), static_cast<int>(row), rows[row][column]);
}
