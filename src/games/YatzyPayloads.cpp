// The server's payloads to the Yatzy window. Each is parsed by the rules'
// codec first, which checks every number against its range; a code the
// window does not know gets the "Wrong control" box, a known one that
// cannot be read the "Error in reading data" box, and the window stays
// usable either way.
#include <type_traits>
#include <variant>

#include "controls/MsgBoxes.h"
#include "controls/Text.h"
#include "games/TableChat.h"
#include "games/Yatzy.h"
#include "games/YatzyDie.h"
#include "resources/Texts.h"

namespace yz = rules::yatzy;

void TYatzyform::GameRead(const std::string& data) {
    yz::TParsed<yz::TServerMessage> parsed = yz::ParseServerPayload(data);
    if (parsed) {
        Read(*parsed.Value);
        return;
    }
    if (parsed.Fault == yz::TParseFault::UnknownCode)
        TGameform::GameRead(data);
    else if (parsed.Fault == yz::TParseFault::Malformed)
        ReadingError(parsed.Detail);
}

void TYatzyform::ReadingError(const std::string& detail) {
    MsgBox("Error in reading data: " + detail, "System", mb::kOk, mb::Ok);
}

void TYatzyform::Read(const yz::TServerMessage& message) {
    std::visit(
        [&](const auto& m) {
            using T = std::decay_t<decltype(m)>;
            if constexpr (std::is_same_v<T, yz::TTableChat>)
                m_chat->AddServerLine(m.Text, m.Display[0], m.Display[1]);
            else if constexpr (std::is_same_v<T, yz::TClose>)
                Close();
            else if constexpr (std::is_same_v<T, yz::TBegin>)
                GameStarted();
            else if constexpr (std::is_same_v<T, yz::TAdvert>) {
                if (OnAdvert) OnAdvert(m.Slot, m.Url);
            } else if constexpr (std::is_same_v<T, yz::TTurn>)
                ReadTurn(m.Seat);
            else if constexpr (std::is_same_v<T, yz::TDieHeld>)
                ReadHeld(m.Die, m.Held);
            else if constexpr (std::is_same_v<T, yz::TDieRolled>)
                ReadDieRolled(m.Die);
            else if constexpr (std::is_same_v<T, yz::TRolled>)
                ReadRolled();
            else if constexpr (std::is_same_v<T, yz::TRowWritten>)
                ReadRowWritten(m.Row, m.Points);
            else if constexpr (std::is_same_v<T, yz::TRoundWon>)
                ReadRoundWon(m.Seat);
            else if constexpr (std::is_same_v<T, yz::TDroppedOut>)
                ReadDroppedOut(m.Seat);
        },
        message);
}

void TYatzyform::ReadTurn(int seat) {
    if (!IsSeat(seat)) {
        ReadingError("no seat " + std::to_string(seat));
        return;
    }
    BeginTurn(seat);
}

// The current player's holds; the own ones were shown when clicked.
void TYatzyform::ReadHeld(int die, bool held) {
    if (m_ownTurn) return;
    m_cup.SetHeld(die, held);
    Die(die).SetHeld(held);
}

void TYatzyform::ReadRolled() {
    if (m_ownTurn) return;
    m_cup.StartRoll();
    ShowCounter(m_cup.Rolls() + 1);
}

void TYatzyform::ReadDieRolled(int die) {
    if (m_ownTurn) return;
    RollDie(die, false);
}

// The current player wrote a row (the bonus row comes first when settled).
void TYatzyform::ReadRowWritten(int row, int points) {
    if (!IsSeat(m_current) || m_current == m_setup.OwnSeat) return;
    if (!Seat(m_current).Sheet.Write(row, points)) {
        ReadingError("row " + std::to_string(row) + " cannot take " + std::to_string(points));
        return;
    }
    DrawSheet(m_current);
}

void TYatzyform::ReadRoundWon(int seat) {
    if (!IsSeat(seat)) {
        ReadingError("no seat " + std::to_string(seat));
        return;
    }
    TPlayer& winner = Seat(seat);
    ++winner.RoundsWon;
    winner.Points->SetText(std::to_string(winner.RoundsWon));
    EndOwnTurn();
    ResetSheets();
    if (m_dicestat) m_dicestat->NewEntry(kKind);
    const std::string text = seat == m_setup.OwnSeat
                                 ? GetTextDef("Message", "4_Winround", "4_Winround")
                                 : FillPlaceholders(GetTextDef("Message", "4_Loseround", "4_Loseround"), winner.Alias);
    MsgBoxIn(text, "System", mb::kOk, m_boxSlot, mb::Ok);
}

void TYatzyform::ReadDroppedOut(int seat) {
    if (!IsSeat(seat)) {
        ReadingError("no seat " + std::to_string(seat));
        return;
    }
    m_chat->AddSystemLine("4_droppedout", Seat(seat).Alias);
}
