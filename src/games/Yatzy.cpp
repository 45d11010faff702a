#include "games/Yatzy.h"

#include <algorithm>

#include "controls/Countdown.h"
#include "controls/MsgBoxes.h"
#include "controls/Rollover.h"
#include "controls/Text.h"
#include "games/LayoutFields.h"
#include "games/TableChat.h"
#include "games/YatzyDie.h"
#include "games/YatzySheetView.h"
#include "graphics/Myimage.h"
#include "graphics/Paint.h"
#include "graphics/Sound.h"
#include "net/Session.h"
#include "resources/Texts.h"

namespace yz = rules::yatzy;

namespace {

constexpr char kDumpFile[] = "yatzy.txt";
// The skin number of the window's message box slot.
constexpr int kBoxSkin = 4;

}  // namespace

TYatzyform::TYatzyform() : TGameform(kKind, "4_Yatzy", kSection, "4_Close", "4_Minimi") {
    m_sheet = std::make_unique<TYatzySheetView>(Paint(), kSection);
    CreateSeats();
    CreateDice();
    CreateControls();
    m_chat = std::make_unique<TTableChat>(*this, kSection, "4", kDumpFile);
    m_chat->OnSend = [this](const std::string& line) { Send(yz::TChatLine{line}); };
    m_boxSlot = NewMsgBox(this, kBoxSkin);
}

TYatzyform::~TYatzyform() = default;

// The start's record with its numbers brought into range.
rules::TYatzySetup TYatzyform::SetupOf(const TGameStart& start) {
    rules::TYatzySetup setup = start.SetupAs<rules::TYatzySetup>();
    setup.PlayerCount = std::clamp(setup.PlayerCount, yz::kMinPlayers, yz::kMaxPlayers);
    if (setup.OwnSeat < 1 || setup.OwnSeat > setup.PlayerCount) setup.OwnSeat = 0;
    setup.MatchLength = std::clamp(setup.MatchLength, 1, yz::kMaxMatchLength);
    return setup;
}

const TYatzyform::TPlayer& TYatzyform::Player(int seat) const {
    return m_players[static_cast<size_t>(std::clamp(seat, 1, kSeats) - 1)];
}

TYatzyDie& TYatzyform::Die(int die) const {
    return *m_dice[static_cast<size_t>(std::clamp(die, 1, yz::kDiceCount) - 1)];
}

// Building -----------------------------------------------------------------

void TYatzyform::CreateSeats() {
    for (int seat = 1; seat <= kSeats; ++seat) {
        TPlayer& p = Seat(seat);
        const std::string n = std::to_string(seat);
        p.Name = TText::CreateFromLayout(Paint(), "Name" + n, kSection);
        p.Points = TText::CreateFromLayout(Paint(), "Point" + n, kSection);
        p.Name->Hide();
        p.Points->Hide();
        p.Marker = std::make_unique<TMyimage>(Paint(), "4_Bar" + n + "on");
        p.Marker->SetTransparent(true);
        TLayoutFields place(kSection, "Turn" + n);
        p.Marker->MoveTo(place.Number(0, 0), place.Number(1, 0));
    }
}

void TYatzyform::CreateDice() {
    for (int die = 1; die <= yz::kDiceCount; ++die) {
        auto view = std::make_unique<TYatzyDie>(Paint(), die, kSection);
        view->OnClick = [this](TYatzyDie* sender) { ToggleHold(sender->Number()); };
        view->OnEnter = [](TYatzyDie*) { PlaySound(TRollover::kHoverSound); };
        m_dice[static_cast<size_t>(die - 1)] = std::move(view);
    }
}

void TYatzyform::CreateControls() {
    m_roll = std::make_unique<TRollover>(Paint(), kSection, "4_Roll", [this](TRollover*) { Roll(); });
    m_counter = std::make_unique<TMyimage>(Paint(), "4_Turn");
    m_counter->SetTransparent(true);
    m_counterWidth = m_counter->Width() / kCounterFrames;
    TLayoutFields place(kSection, "RollNr");
    m_counterX = place.Number(0, 0);
    m_counterY = place.Number(1, 0);
    m_countdown = std::make_unique<TCountdown>(Paint(), [this](TCountdown*) { Timeout(); }, "Countdown", kSection);
    m_countdown->OnWarning = [this](TCountdown*, int) { m_chat->AddSystemLine("4_warning"); };
    m_matchLength = TText::CreateFromLayout(Paint(), "Matchlength", kSection);
    m_matchLength->Hide();
}

// Showing and closing ------------------------------------------------------

void TYatzyform::FormShow() {
    PlaceBesideLobby();
    m_setup = SetupOf(Session().GameStart);
    ResetTable();
    TGameform::FormShow();
}

void TYatzyform::PlaceBesideLobby() {
    int left = 0, top = 0;
    if (LobbyCorner && LobbyCorner(left, top)) SetPosition(left + kLobbyOffset, top + kLobbyOffset);
}

void TYatzyform::ResetTable() {
    m_chat->Clear();
    m_chat->AddSystemLine("4_start");
    m_chat->Show();
    for (int seat = 1; seat <= kSeats; ++seat) {
        TPlayer& p = Seat(seat);
        p.Alias.clear();
        p.RoundsWon = 0;
        p.Name->Hide();
        p.Points->Hide();
        p.Marker->Hide();
    }
    for (int seat = 1; seat <= m_setup.PlayerCount; ++seat) {
        Seat(seat).Alias = m_setup.Players[static_cast<size_t>(seat - 1)];
        ShowSeat(seat);
    }
    ResetSheets();
    if (m_dicestat) m_dicestat->NewEntry(kKind);
    m_roll->Hide();
    m_cup.Clear();
    for (auto& die : m_dice) die->Blank();
    SetClickable(false);
    ShowCounter(1);
    m_matchLength->SetText(FillPlaceholders(GetText(kSection, "4_Matchlength"), std::to_string(m_setup.MatchLength)));
    m_matchLength->Show();
    m_random.SetSeed(m_setup.Seed);
    m_current = 0;
    m_ownTurn = false;
    m_previewRow = 0;
    m_countdown->Stop();
    m_countdown->Hide();
}

void TYatzyform::ShowSeat(int seat) {
    TPlayer& p = Seat(seat);
    p.Name->SetText(p.Alias);
    p.Name->Show();
    p.Points->SetText(std::to_string(p.RoundsWon));
    p.Points->Show();
}

void TYatzyform::ResetSheets() {
    m_sheet->Reset(m_setup.PlayerCount);
    for (int seat = 1; seat <= m_setup.PlayerCount; ++seat) {
        Seat(seat).Sheet.Reset();
        DrawSheet(seat);
    }
}

void TYatzyform::ShowCounter(int frame) {
    m_counterFrame = std::clamp(frame, 1, kCounterFrames);
    if (m_counterWidth <= 0) return;
    const int left = (m_counterFrame - 1) * m_counterWidth;
    m_counter->SetClip({left, 0, left + m_counterWidth, m_counter->Height()});
    m_counter->MoveTo(m_counterX - left, m_counterY);
    if (!m_counter->Visible()) m_counter->Show();
}

void TYatzyform::FormClose() {
    CloseMsgBox(m_boxSlot);
    m_countdown->Stop();
    m_countdown->Hide();
    m_ownTurn = false;
    TGameform::FormClose();
}

void TYatzyform::Timeout() { Close(); }

// The table begins: the entry takes the keys.
void TYatzyform::GameStarted() {
    m_chat->ShowEntry();
    BringToFront();
    Focus();
}

// Input --------------------------------------------------------------------

bool TYatzyform::FormKeyDown(int key, unsigned shift) { return m_chat->Keys(key, shift); }

void TYatzyform::FormMouseDown(int button, unsigned, int x, int y) {
    if (button == platform::ButtonLeft) ChooseRow(m_sheet->RowAt(x, y));
}

void TYatzyform::FormMouseMove(unsigned, int x, int y) { PreviewRow(m_sheet->RowAt(x, y)); }

void TYatzyform::Send(const yz::TClientMessage& message) { Sendstring(yz::BuildPayload(message)); }
