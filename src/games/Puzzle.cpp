#include "games/Puzzle.h"

#include "controls/Column.h"
#include "controls/Countdown.h"
#include "controls/Keyhandler.h"
#include "controls/MsgBoxes.h"
#include "controls/Rollover.h"
#include "controls/Text.h"
#include "games/PuzzleScreen.h"
#include "graphics/Myimagelist.h"
#include "graphics/Paint.h"
#include "net/Session.h"
#include "net/SessionWindows.h"
#include "resources/Inifile.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"
#include "shell/MyTimer.h"

namespace {

constexpr int kSkinNumber = 3;
constexpr int kPauseLayer = 20;

// settings.ini [Puzzle] key as whole numbers; a missing or non-numeric
// field is 0.
std::vector<int> LayoutNumbers(const char* key, size_t count) {
    std::string line = SettingsFile().ReadString(TPuzzleform::kSection, key, "");
    std::vector<int> numbers;
    for (size_t i = 0; i < count; ++i) {
        int32_t value = 0;
        if (!ParseInteger(CutField(line), value)) value = 0;
        numbers.push_back(value);
    }
    return numbers;
}

std::unique_ptr<TMyimagelist> Sprite(TPaint* paint, const char* key) {
    const std::vector<int> at = LayoutNumbers(key, 2);
    auto sprite = std::make_unique<TMyimagelist>(paint, at[0], at[1]);
    sprite->SetTransparent(true);
    return sprite;
}

}  // namespace

TPuzzleform::TPuzzleform() : TGameform(3, "3_Puzzle", kSection, "3_Close", "3_Minimi") {
    m_msgSlot = NewMsgBox(this, kSkinNumber);
    m_frames = BuildBobbleFrames(Paint());
    CreateScreens();
    CreateControls();
    m_keys = std::make_unique<TKeyhandler>(*this, kKeyRepeatMs);
    m_keys->SetFirstRepeatDelay(kFirstRepeatTicks);
    // Flights and falls step every few milliseconds at higher levels.
    TMaintimer::Instance().Source().SetPeriod(kMainTimerPeriodMs);
}

TPuzzleform::~TPuzzleform() = default;

// The canons first: their frame size is part of the fields' geometry.
void TPuzzleform::CreateScreens() {
    m_canon = Sprite(Paint(), "Canon");
    m_canon2 = Sprite(Paint(), "Canon2");
    for (TMyimagelist* canon : {m_canon.get(), m_canon2.get()}) {
        canon->AddFrames("3_can");
        canon->SetLayer(3);
        canon->SetFrame(rules::kCanonStartFrame);
        canon->Show();
    }
    const rules::TPuzzleGeometry own = ReadGeometry("Screen", "Canon");
    const rules::TPuzzleGeometry opponent = ReadGeometry("Screen2", "Canon2");
    const int bottom = Height() - kFloorMargin;
    m_player = std::make_unique<rules::TPuzzlePlayer>(own);
    m_replica = std::make_unique<rules::TPuzzleReplica>(opponent);
    m_own = std::make_unique<TScreen>(Paint(), m_frames, own, bottom, true);
    m_opponent = std::make_unique<TScreen>(Paint(), m_frames, opponent, bottom, false);
    m_own->Running = [this] { return m_running; };
    m_opponent->Running = [this] { return m_running; };
    m_own->OnRemoved = [this](rules::TPuzzleCell cell) { Send(rules::BuildPuzzleEmptied(cell)); };
    m_own->OnFellOut = [this](int colour) {
        if (m_inGame) Send(rules::BuildPuzzleFallen(colour));
    };
    m_own->OnSettle = [this] { Settle(); };
}

rules::TPuzzleGeometry TPuzzleform::ReadGeometry(const char* screenKey, const char* canonKey) const {
    const std::vector<int> screen = LayoutNumbers(screenKey, 2);
    const std::vector<int> canon = LayoutNumbers(canonKey, 4);
    rules::TPuzzleGeometry g;
    g.BubbleWidth = m_frames.Width;
    g.BubbleHeight = m_frames.Height;
    g.FieldX = screen[0];
    g.FieldY = screen[1];
    g.LineOffset = LayoutNumbers("line", 1)[0];
    g.Canon = {canon[0], canon[1], canon[2], canon[3], m_canon->Width(), m_canon->Height()};
    return g;
}

void TPuzzleform::CreateControls() {
    const std::vector<int> at = LayoutNumbers("Preview", 2);
    m_preview = std::make_unique<TMyimagelist>(Paint(), *m_frames.Prototype, at[0], at[1]);
    m_preview->SetTransparent(true);
    m_preview->SetFrame(0);
    m_preview->Show();

    const std::vector<int> progress = LayoutNumbers("Progress", 2);
    m_column = std::make_unique<TColumn>(Paint(), "3_column", progress[1], progress[0]);
    m_column->SetTransparent(true);
    m_column->SetMaximum(rules::TPuzzleShotClock::kFull);
    m_column->SetPosition(rules::TPuzzleShotClock::kFull);
    m_column->Show();
    m_clockTimer = std::make_unique<TMyTimer>();
    m_clockTimer->OnTick = [this](TMyTimer*, int64_t ticks) { Progontimer(ticks); };

    m_pauseButton = std::make_unique<TRollover>(Paint(), kSection, "3_Pause", [this](TRollover*) { Pauseclick(); });
    m_pauseImage = std::make_unique<TMyimagelist>(Paint(), 0, 0);
    m_pauseImage->Add("3_Pause");
    m_pauseImage->SetTransparent(true);
    m_pauseImage->SetLayer(kPauseLayer);
    m_pauseImage->SetFrameInterval(kPauseFadeMs);
    const rules::TPuzzleGeometry& own = m_own->Geometry();
    m_pauseImage->MoveTo(own.FieldX + (own.FieldWidth() - m_pauseImage->Width()) / 2,
                         own.FieldY + (own.FieldHeight() - m_pauseImage->Height()) / 2);
    m_countdown = std::make_unique<TCountdown>(Paint(), [this](TCountdown*) { Pausedone(); }, "Countdown", kSection);

    m_levelText = TText::CreateFromLayout(Paint(), "Leveltext", kSection);
    m_levelValue = TText::CreateFromLayout(Paint(), "Levelvalue", kSection);
    m_name = TText::CreateFromLayout(Paint(), "Name", kSection);
    m_opponentName = TText::CreateFromLayout(Paint(), "Opponent", kSection);
    m_nameScore = TText::CreateFromLayout(Paint(), "Namescore", kSection);
    m_opponentScore = TText::CreateFromLayout(Paint(), "Opponentscore", kSection);
}

TText& TPuzzleform::Label(const std::string& key) {
    if (key == "Levelvalue") return *m_levelValue;
    if (key == "Name") return *m_name;
    if (key == "Opponent") return *m_opponentName;
    if (key == "Namescore") return *m_nameScore;
    if (key == "Opponentscore") return *m_opponentScore;
    return *m_levelText;
}

// The window opens 10 pixels right of and below the lobby's corner.
void TPuzzleform::PlaceAtLobby() {
    if (auto* lobby = dynamic_cast<TForm*>(SessionWindows().Lobby)) SetPosition(lobby->Left() + 10, lobby->Top() + 10);
}

void TPuzzleform::FormShow() {
    PlaceAtLobby();
    StopShotClock();
    m_shotClock.Refill();
    m_column->SetPosition(m_shotClock.Position());
    m_lastShot = NowMs();
    m_running = m_paused = m_inGame = false;
    const TGameStart& start = Session().GameStart;
    m_name->SetText(start.Players[0].Name);
    m_opponentName->SetText(start.Players[1].Name);
    m_nameScore->SetText("0");
    m_opponentScore->SetText("0");
    m_player->Start(start.SetupAs<rules::TDuelSetup>().Seed);
    m_own->SetLineRunning(true);
    m_opponent->SetLineRunning(true);
    m_player->NewGame();
    m_replica->Reset();
    m_own->Clear();
    m_opponent->Clear();
    ShowNext();
    m_pausesLeft = kPausesPerShowing;
    m_pauseButton->Hide();
    m_canon->SetFrame(rules::kCanonStartFrame);
    m_canon2->SetFrame(rules::kCanonStartFrame);
    SetLevel(1);
    TGameform::FormShow();
}

void TPuzzleform::FormClose() {
    CloseMsgBox(m_msgSlot);
    TGameform::FormClose();
    Reset();
    m_inGame = false;
    Pausedone();
    m_running = false;
    StopShotClock();
    m_own->SetLineRunning(false);
    m_opponent->SetLineRunning(false);
}

// A new game: both fields empty, level 1, the shot clock full and running.
void TPuzzleform::GameStarted() {
    CloseMsgBox(m_msgSlot);
    m_running = true;
    m_inGame = true;
    m_paused = false;
    BringToFront();
    Focus();
    Reset();
    m_shotClock.Refill();
    m_column->SetPosition(m_shotClock.Position());
    StartShotClock();
    if (m_pausesLeft > 0) m_pauseButton->Show();
}

void TPuzzleform::Pauseclick() {
    if (!m_running || m_pausesLeft <= 0) return;
    Send("=");
    --m_pausesLeft;
    Pausenow();
}

void TPuzzleform::Pausenow() {
    if (!m_inGame) return;
    m_pauseButton->Hide();
    m_pauseImage->Show();
    m_pauseImage->FadeIn(1);
    m_countdown->Start(kPauseSeconds, 0);
    m_countdown->Show();
    m_running = false;
    m_paused = true;
    StopShotClock();
    m_own->Flying().LandNow();
}

// The end of a pause resumes only a game still in progress: a result or a
// loss during the pause leaves the window waiting for the next game.
void TPuzzleform::Pausedone() {
    m_countdown->Stop();
    m_countdown->Hide();
    m_pauseImage->StopAnimation();
    m_pauseImage->Hide();
    const bool wasPaused = m_paused;
    m_paused = false;
    if (!m_inGame || !wasPaused) return;
    if (m_pausesLeft > 0) m_pauseButton->Show();
    m_running = true;
    StartShotClock();
}
