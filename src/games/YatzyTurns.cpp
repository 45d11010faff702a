// The turns of the Yatzy window: whose turn it is, the own rolls, holding,
// choosing a row with its preview, and the dice of the other players.
#include "controls/Countdown.h"
#include "controls/MsgBoxes.h"
#include "controls/Rollover.h"
#include "controls/Text.h"
#include "games/Yatzy.h"
#include "games/YatzyDie.h"
#include "games/YatzySheetView.h"
#include "graphics/Myimage.h"
#include "graphics/Sound.h"

namespace yz = rules::yatzy;

namespace {

constexpr char kYourTurnSound[] = "Yourturn.wav";
constexpr char kRollSound[] = "Roll.wav";
constexpr char kYatzySound[] = "Yatzy.wav";

}  // namespace

void TYatzyform::BeginTurn(int seat) {
    m_current = seat;
    m_cup.BeginTurn();
    ShowCounter(1);
    PreviewRow(0);
    for (int s = 1; s <= kSeats; ++s) Seat(s).Marker->Hide();
    Seat(seat).Marker->Show();
    m_ownTurn = seat == m_setup.OwnSeat;
    if (!m_ownTurn) {
        SetClickable(false);
        m_roll->Hide();
        return;
    }
    PlaySound(kYourTurnSound);
    m_countdown->Show();
    m_countdown->Start(kTurnSeconds, kWarningSeconds);
    m_roll->Show();
}

void TYatzyform::EndOwnTurn() {
    m_ownTurn = false;
    m_previewRow = 0;
    m_countdown->Stop();
    m_countdown->Hide();
    m_roll->Hide();
    SetClickable(false);
}

bool TYatzyform::DiceRolling() const {
    for (const auto& die : m_dice)
        if (die->Rolling()) return true;
    return false;
}

void TYatzyform::SetClickable(bool clickable) {
    for (auto& die : m_dice) die->SetClickable(clickable);
}

// The roll button. The first roll of a turn releases every die (and says so
// for each); the cup names the dice that roll, in die order.
void TYatzyform::Roll() {
    if (!m_ownTurn || !m_cup.CanRoll() || DiceRolling()) return;
    if (m_cup.Rolls() == 0) {
        SetClickable(true);
        for (int die = 1; die <= yz::kDiceCount; ++die) {
            m_cup.SetHeld(die, false);
            Die(die).SetHeld(false);
            Send(yz::THold{die, false});
        }
    }
    const std::vector<int> rolled = m_cup.StartRoll();
    Send(yz::TRoll{});
    ShowCounter(m_cup.Rolls() + 1);
    if (!m_cup.CanRoll()) m_roll->Hide();
    PreviewRow(0);
    for (int die : rolled) {
        RollDie(die, true);
        Send(yz::TRollDie{die});
    }
    if (!m_cup.CanRoll()) SetClickable(false);
}

// The next face of the shared generator, own roll or replayed.
void TYatzyform::RollDie(int die, bool own) {
    const int face = m_cup.RollDie(die, m_random);
    Die(die).RollTo(face);
    PlaySound(kRollSound);
    if (own && m_dicestat) m_dicestat->CountDie(face);
}

void TYatzyform::ToggleHold(int die) {
    if (!m_ownTurn || !m_cup.CanHold() || !yz::TDiceCup::IsDie(die) || Die(die).Rolling()) return;
    const bool held = !m_cup.IsHeld(die);
    m_cup.SetHeld(die, held);
    Die(die).SetHeld(held);
    PlaySound(TRollover::kPressSound);
    Send(yz::THold{die, held});
}

// A row of the own column: the rules say what it writes (the bonus first
// when this row settles it); a row that gives nothing is asked about first.
void TYatzyform::ChooseRow(int row) {
    if (!m_ownTurn || m_cup.Rolls() == 0 || DiceRolling() || !IsSeat(m_setup.OwnSeat)) return;
    yz::TSheet& sheet = Seat(m_setup.OwnSeat).Sheet;
    const std::vector<yz::TRowWrite> writes = yz::ChoiceWrites(sheet, row, m_cup.Faces());
    if (writes.empty()) return;
    const int points = writes.back().Points;
    if (points == 0 && !AskZeroPoints()) return;
    // The box waited: the turn may have ended meanwhile (time-out, closing).
    if (!m_ownTurn || !sheet.CanChoose(row)) return;
    if (row == yz::kYatzy && points > 0) PlaySound(kYatzySound);
    sheet.Write(writes);
    m_previewRow = 0;
    DrawSheet(m_setup.OwnSeat);
    for (const yz::TRowWrite& write : writes) Send(yz::TScore{write.Row, write.Points});
    EndOwnTurn();
}

bool TYatzyform::AskZeroPoints() {
    return MsgBoxIn("4_Nopoint", "System", mb::kYesNo, m_boxSlot, mb::No) == mb::Yes;
}

// Pointing at a free row during the own turn, after a roll, shows what it
// would give; anything else shows the column as it is.
void TYatzyform::PreviewRow(int row) {
    const bool may = m_ownTurn && m_cup.Rolls() > 0 && !DiceRolling() && IsSeat(m_setup.OwnSeat) &&
                     Seat(m_setup.OwnSeat).Sheet.CanChoose(row);
    if (!may) row = 0;
    if (row == m_previewRow) return;
    if (m_previewRow != 0 && IsSeat(m_setup.OwnSeat)) DrawSheet(m_setup.OwnSeat);
    m_previewRow = row;
    if (row != 0) m_sheet->ShowPreview(m_setup.OwnSeat, row, yz::RowPoints(row, m_cup.Faces()));
}

void TYatzyform::DrawSheet(int seat) {
    if (IsSeat(seat)) m_sheet->DrawColumn(seat, Seat(seat).Sheet);
}
