// The Tumblix window's creation, its showing and closing, and the life of a
// game in it: the start, the pause with its Ready toggle, the result box.
#include <algorithm>

#include "controls/Check.h"
#include "controls/Keys.h"
#include "controls/MsgBoxes.h"
#include "controls/Rollover.h"
#include "controls/Text.h"
#include "games/Tumblix.h"
#include "graphics/Myimage.h"
#include "graphics/Paint.h"
#include "graphics/Myimagelist.h"
#include "net/Session.h"
#include "net/SessionWindows.h"
#include "resources/Inifile.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"
#include "shell/MyTimer.h"

namespace {

constexpr char kSection[] = "Tris";
constexpr char kReadyStates[] = "1_Chekof,1_Chekon";
// The skin number of the window's message box.
constexpr int kBoxSkin = 1;

int LayoutNumber(std::string& line, int defaultValue) {
    int32_t value = defaultValue;
    if (!ParseInteger(CutField(line), value)) value = defaultValue;
    return value;
}

std::string Layout(const std::string& key) { return SettingsFile().ReadString(kSection, key, ""); }

std::unique_ptr<TText> Label(TPaint* paint, const std::string& key) {
    return TText::CreateFromLayout(paint, key, kSection);
}

}  // namespace

TTumblixForm::TTumblixForm() : TGameform(1, "1_tris", kSection, "1_Quit", "1_Minimi") {
    ReadLayout();
    CreateControls();
    CreateTimers();
    m_animation = std::make_unique<TTumblixAnimation>();
    m_keys[kDown].Code = vk::Down;
    m_keys[kLeft].Code = vk::Left;
    m_keys[kRight].Code = vk::Right;
    m_keys[kTurn].Code = vk::Up;
    m_keys[kDrop].Code = vk::Space;
    m_boxSlot = NewMsgBox(this, kBoxSkin);
    for (TDrawn& drawn : m_drawn)
        for (auto& row : drawn) row.fill(-1);
}

// The controls go before the surface (the base frees it last).
TTumblixForm::~TTumblixForm() {
    m_animation.reset();
    m_ready.reset();
    m_pauseButton.reset();
}

void TTumblixForm::ReadLayout() {
    for (int player : {kOwn, kOpponent}) {
        const std::string n = std::to_string(player + 1);
        std::string line = Layout("Player" + n);
        TPoint& origin = m_origin[Index(player)];
        origin.X = LayoutNumber(line, 10);
        origin.Y = LayoutNumber(line, 10);
        line = Layout("Preview" + n);
        TBox& box = m_preview[Index(player)];
        box.X = LayoutNumber(line, 10);
        box.Y = LayoutNumber(line, 10);
        box.Width = LayoutNumber(line, 10);
        box.Height = LayoutNumber(line, 10);
    }
    std::string line = Layout("Status");
    m_status.X = LayoutNumber(line, 15);
    m_status.Y = LayoutNumber(line, 100);
}

void TTumblixForm::CreateControls() {
    TPaint* paint = Paint();
    m_bricks = std::make_unique<TMyimagelist>(paint, 0, 0);
    m_bricks->AddFrames("1_brick");
    for (size_t i = 0; i < 2; ++i) {
        m_explode[i] = std::make_unique<TMyimagelist>(paint, 0, 0);
        m_explode[i]->AddFrames("1_explode");
        m_weight[i] = std::make_unique<TMyimagelist>(paint, 0, 0);
        m_weight[i]->AddFrames("1_weight");
        m_explode[i]->SetTransparent(true);
        m_weight[i]->SetTransparent(true);
    }
    m_statusOwn = std::make_unique<TMyimage>(paint, "1_Status");
    m_statusOpponent = std::make_unique<TMyimage>(paint, "1_Status2");
    m_statusOwn->MoveTo(m_status.X, m_status.Y);
    m_statusOpponent->MoveTo(m_status.X, m_status.Y);
    m_pauseImage = std::make_unique<TMyimage>(paint, "1_pause");
    m_pauseImage->SetTransparent(true);
    m_pauseImage->MoveTo(WellLeft(kOwn) + (rules::tumblix::kWellColumns * kCell - m_pauseImage->Width()) / 2,
                         WellTop(kOwn) + (rules::tumblix::kWellRows * kCell - m_pauseImage->Height()) / 2);

    m_name1 = Label(paint, "Playername");
    m_name2 = Label(paint, "Player2name");
    m_level = Label(paint, "Level");
    m_procent = Label(paint, "Procent");
    m_pauseText = Label(paint, "Pausetext");
    m_pauseText->Hide();
    m_levelCaption = Label(paint, "Leveltext");
    m_nextCaption = Label(paint, "Nexttext");
    m_nextCaption2 = Label(paint, "Nexttext2");
    m_headline = Label(paint, "Headlinetext");

    m_ready = std::make_unique<TCheck>(paint, kReadyStates, "Ready", kSection);
    m_ready->OnChange = [this](TCheck*) { ReadyChange(); };
    m_pauseButton = std::make_unique<TRollover>(paint, kSection, "1_Pause2", [this](TRollover*) { Pause2click(); });
}

void TTumblixForm::CreateTimers() {
    m_tick = std::make_unique<TMyTimer>();
    m_tick->SetInterval(kTickMs);
    m_tick->OnTimer = [this](TMyTimer*) { OnTimer(); };
    m_position = std::make_unique<TMyTimer>();
    m_position->SetInterval(kPositionMs);
    m_position->OnTick = [this](TMyTimer*, int64_t) { Sendpos(); };
    m_pauseLimit = std::make_unique<TMyTimer>();
    m_pauseLimit->SetInterval(kPauseLimitMs);
    m_pauseLimit->OnTimer = [this](TMyTimer*) { PauseLimit(); };
}

bool TTumblixForm::Running() const { return !m_game.Dead() && !m_paused; }

// Showing ---------------------------------------------------------------------

void TTumblixForm::FormShow() {
    if (auto* lobby = dynamic_cast<TForm*>(SessionWindows().Lobby))
        SetPosition(lobby->Left() + 10, lobby->Top() + 10);
    const TGameStart& start = Session().GameStart;
    m_name1->SetText(start.Players[0].Name);
    m_name2->SetText(start.Players[1].Name);
    m_allowance = kPauseAllowance;
    m_animation->Finish();
    m_shownOwn.reset();
    if (m_paused) EndPause();
    m_game.Show(start.SetupAs<rules::TDuelSetup>().Seed);
    m_replay.Reset();
    m_wasDead = true;
    StopGame();
    m_ready->SetTicked(false);
    m_ready->Hide();
    m_pauseButton->Show();
    m_level->SetText("");
    m_procent->SetText("");
    for (int player : {kOwn, kOpponent}) {
        ClearScreen(player);
        PrintPreview(player, rules::tumblix::kNoShape);
    }
    MakeStatus();
    TGameform::FormShow();
}

void TTumblixForm::FormClose() {
    CloseMsgBox(m_boxSlot);
    TGameform::FormClose();
    if (m_paused) EndPause();
    m_animation->Finish();
    m_game.SetSeeds(m_game.PieceSeed());
    StopGame();
}

// Stops every timer of the game and releases the keys.
void TTumblixForm::StopGame() {
    m_tick->SetEnabled(false);
    m_position->SetEnabled(false);
    m_pauseLimit->SetEnabled(false);
    KeyOff();
}

void TTumblixForm::FormDeactivate() { KeyOff(); }

// A new game (the server's ">") -----------------------------------------------

void TTumblixForm::GameStarted() {
    CloseMsgBox(m_boxSlot);
    m_animation->Finish();
    m_shownOwn.reset();
    m_tick->SetEnabled(false);
    KeyOff();
    m_replay.Reset();
    m_game.NewGame();
    m_wasDead = false;
    m_tick->SetEnabled(!m_paused);
    Sync();
    DrawScreen(kOpponent);
    PrintPreview(kOpponent, rules::tumblix::kNoShape);
    PrintLevel();
    PrintProcent();
    MakeStatus();
    BringToFront();
    Focus();
}

// The result (22 won, 168 lost): the box waits for OK, then the window says
// it is ready for the next game and waits in the same box.
void TTumblixForm::ShowResult(const rules::tumblix::TResult& result) {
    m_game.SetSeeds(result.Seed);
    m_wasDead = true;
    StopGame();
    const std::string key = result.Won ? "1_Wingametext" : "1_Losegametext";
    const std::string text = FillPlaceholders(GetText("Message", key), result.Placeholders());
    MsgBoxIn(text, "System", mb::kOk, m_boxSlot, mb::Ok);
    if (!Visible()) return;
    Sendstring(std::string(1, kReady));
    MsgBoxIn("1_Waittext", "System", 0, m_boxSlot, 0);
}

// Pause -------------------------------------------------------------------------

void TTumblixForm::Pause2click() {
    if (!Running() || !m_pauseButton->Visible()) return;
    StartPause(kOwnPauseCost);
    m_pauseLimit->SetEnabled(true);
    m_allowance -= kOwnPauseCost;
    Sendstring(BuildPayload(rules::tumblix::TPause{kOwnPauseCost}));
}

void TTumblixForm::StartPause(int n) {
    if (m_paused) return;
    m_pauseButton->Hide();
    m_ready->SetTicked(false);
    m_ready->Show();
    m_pauseText->SetText(FillPlaceholders(GetText("Message", "1_Pausetext"), std::to_string(n)));
    m_pauseText->Show();
    m_tick->SetEnabled(false);
    KeyOff();
    m_paused = true;
    ShowPauseImage(true);
}

void TTumblixForm::EndPause() {
    if (!m_paused) return;
    m_paused = false;
    m_pauseLimit->SetEnabled(false);
    ShowPauseImage(false);
    if (!m_game.Dead() && !m_animation->Running()) m_tick->SetEnabled(true);
    m_pauseText->Hide();
    m_ready->Hide();
    if (m_allowance > 1) m_pauseButton->Show();
}

void TTumblixForm::ReadyChange() {
    if (m_ready->Ticked()) Sendstring(BuildPayload(rules::tumblix::TReady{1}));
}

void TTumblixForm::PauseLimit() {
    m_pauseLimit->SetEnabled(false);
    Sendstring(BuildPayload(rules::tumblix::TReady{2}));
}
