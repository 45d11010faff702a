// The client's reading of the server: received bytes are cut into frames as
// the connection cuts them, and every message goes through the dispatcher of
// a headless session whose windows are checking stand-ins.
//
// Checked: game kinds and preview slots reach a window only in 1..4 (the
// dispatcher promises that), a game start leaves a start of a known kind
// with at most four players. Every message
// is also read as the typed value of its code, written again by the
// server's builder, and read once more: that second writing must give the
// same bytes (reader and writer agree on whatever the reader makes of any
// bytes). Game data handed to a game window is read by that kind's payload
// reader, as the window would.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "FuzzHarness.h"
#include "controls/ControlsState.h"
#include "controls/MsgBoxes.h"
#include "net/Dispatcher.h"
#include "net/NetState.h"
#include "net/Session.h"
#include "net/SessionWindows.h"
#include "protocol/FrameCodec.h"
#include "protocol/Messages.h"
#include "resources/Paths.h"
#include "resources/Texts.h"
#include "rules/gammon/Payload.h"
#include "rules/puzzle/PuzzlePayload.h"
#include "rules/tumblix/Payload.h"
#include "rules/yatzy/Payload.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

bool Kind(int kind) { return kind >= 1 && kind <= 4; }
bool Slot(int slot) { return slot >= 1 && slot <= 4; }

class TBoxes : public IMsgBoxes {
public:
    int NewMsgBox(TForm*, int) override { return 0; }
    int MsgBoxIn(const std::string&, const std::string&, unsigned, int, int defaultResult) override {
        return defaultResult;
    }
    void CloseMsgBox(int) override {}
};

class TLobby : public ILobbyWindow {
public:
    void ShowLobby() override {}
    void SetEnabled(bool) override {}
    void AddLine(const std::string&, int, int) override {}
    bool Ignores(const std::string& name) const override { return name == "ignored"; }
    void AddChatLine(const TChatLine&) override {}
    void UserLeft(const std::string&) override {}
    void RoomNotice(int, int) override {}
    void UserGone(int, const std::string&) override {}
    void UserPresent(const TUserPresent&) override {}
    void OpenRoom(const TRoomOpen&) override {}
    void RoomClosed(int, const std::string&) override {}
    void SwitchRoom(int) override {}
    void RemoveRoom(int) override {}
    void SelectMenuTab(int) override {}
    void FillFreePreviews() override {}
    void SetBannerPeriod(int) override {}
    void RestartBannerTimer() override {}
};

class TTables : public ITablesView {
public:
    void AddTable(const TTableOpened& t) override { Check(Kind(t.Kind)); }
    void RemoveTable(int kind, const std::string&) override { Check(Kind(kind)); }
    void AddJoinRequest(const TJoinRequest& r) override { Check(Kind(r.Kind)); }
    void RemoveJoinRequest(int kind, const std::string&) override { Check(Kind(kind)); }
    void ClearJoinRequests(int kind) override { Check(Kind(kind)); }
    void AddRunningGame(const TRunningGame& game) override { Check(Kind(game.Kind)); }
    void RemoveRunningGame(const std::string&) override {}
};

class TPreviews : public IPreviews {
public:
    void Stop(int slot) override { Check(Slot(slot)); }
    void ShowTumblix(int slot, const TTumblixSnapshot&) override { Check(Slot(slot)); }
    void ShowGammon(int slot, const TGammonSnapshot&) override { Check(Slot(slot)); }
    void ShowPuzzle(int slot, const TPuzzleSnapshot&) override { Check(Slot(slot)); }
    void SetTumblixCells(const TTumblixCells& cells) override { Check(Slot(cells.Slot)); }
    void AddTumblixRow(int slot, int, const std::array<uint8_t, 12>&) override { Check(Slot(slot)); }
    void RemoveTumblixRow(int slot, int, int) override { Check(Slot(slot)); }
    void SetTumblixNumber(int slot, int) override { Check(Slot(slot)); }
    void SetPuzzleNumber(int slot, int) override { Check(Slot(slot)); }
    void SetGammonDice(int slot, int, int) override { Check(Slot(slot)); }
    void SetGammonDiceState(int slot, int) override { Check(Slot(slot)); }
    void MoveGammon(int slot, int, int) override { Check(Slot(slot)); }
    void UndoGammon(int slot, int, int, int) override { Check(Slot(slot)); }
    void End(int slot, int) override { Check(Slot(slot)); }
    void SetGammonCube(int slot, int, const std::string&) override { Check(Slot(slot)); }
    void PuzzleShot(const TPuzzleShot& shot) override { Check(Slot(shot.Slot)); }
    void SetPuzzleCell(const TPuzzleCell& cell) override { Check(Slot(cell.Slot)); }
    void ClearPuzzleCell(const TPuzzleCell& cell) override { Check(Slot(cell.Slot)); }
};

// A game window reads its payloads with its kind's reader.
class TGame : public IGameWindow {
public:
    explicit TGame(int kind) : m_kind(kind) {}
    bool Visible() const override { return m_visible; }
    void ShowGame() override {
        const TGameStart& start = Session().GameStart;
        Check(start.GameKind == m_kind && start.PlayerCount >= 0 && start.PlayerCount <= TGameStart::kMaxPlayers);
        m_visible = true;
    }
    void NetRead(const std::string& data) override {
        Check(m_visible);
        switch (m_kind) {
            case 1: rules::tumblix::ParsePayload(data); break;
            case 2: rules::gammon::payload::ParseRoll(data), rules::gammon::payload::ParseChatLine(data); break;
            case 3: rules::ParsePuzzlePayload(data); break;
            default: rules::yatzy::ParseServerPayload(data); break;
        }
        // A closing payload ends the game as the window would.
        if (!data.empty() && data[0] == 21) {
            m_visible = false;
            Session().GameRunning = false;
        }
    }

private:
    int m_kind;
    bool m_visible = false;
};

class TDialogs : public IHiscoreWindow, public IInfoWindow, public IUpdate, public IUpload, public IWebPanels,
                 public IQuestionWindow, public IOptionsWindow {
public:
    void ShowHiscores(const THiscoreList&) override {}
    void ShowUserInfo(const TUserInfo&) override {}
    void Clear() override {}
    void AddItem(const std::string&) override {}
    bool StartIfNeeded() override { return false; }
    bool TransferOpen() const override { return m_transfer; }
    void AddChunk(const TFileChunk& chunk) override { m_transfer = chunk.HasSize; }
    void SendNextChunk() override {}
    void VisitHidden(const std::string&) override {}
    void LoadBanner(int place, const std::string&) override { Check(place >= 1 && place <= 3); }
    void SetCameras(bool) override {}
    void SetWebTabs(const TWebTabs&) override {}
    int Ask(const std::string&, const std::vector<std::string>& answers) override {
        return static_cast<int>(answers.size());
    }
    void SetSoundToggle(bool) override {}
    bool Visible() const override { return false; }
    void Focus() override {}

private:
    bool m_transfer = false;
};

// The logon and the registration window: shown until hidden.
template <class TWindow>
class TSessionFormOf : public TWindow {
public:
    bool Visible() const override { return m_visible; }
    void SetEnabled(bool) override {}
    void Focus() override {}
    void Hide() override { m_visible = false; }
    std::string LogonMessage() const override { return protocol::Build(protocol::THello{}); }

private:
    bool m_visible = true;
};

using TLogonForm = TSessionFormOf<ILogonWindow>;

class TRegistrationForm : public TSessionFormOf<IRegistrationWindow> {
public:
    void EditAccount(const TAccountData&) override {}
    std::string AccountUpdate(bool) const override { return protocol::Build(protocol::TAccountRequest{}); }
};

struct TWindows {
    TLobby lobby;
    TTables tables;
    TPreviews previews;
    TGame games[4] = {TGame(1), TGame(2), TGame(3), TGame(4)};
    TDialogs dialogs;
    TRegistrationForm registration;
    TLogonForm logon;
    TBoxes boxes;
};

// A fresh session with fresh windows for each input.
void Install(TWindows& w) {
    static const bool ready = [] {
        fuzz::Prepare();
        const std::string bin = fuzz::ScratchDirectory() + "bin/";
        std::error_code failed;
        std::filesystem::create_directories(bin, failed);
        Check(!failed);
        const char texts[] = "[en-Message]\r\nlogontext=Welcome\r\nWon={1} points, place {2}\r\n"
                             "Rating={1}: {2} ({3})\r\n[en-Chat]\r\nTumblixname=Tumblix\r\n";
        fuzz::WriteScratch("bin/text.ini", reinterpret_cast<const uint8_t*>(texts), sizeof texts - 1);
        fuzz::WriteScratch("bin/settings.ini", nullptr, 0);
        SetProgramDirectory(bin);
        return true;
    }();
    (void)ready;
    fuzz::Prepare();
    LoadTextsAndSettings(ProgramDirectory());
    Session().EndProgram = [] {};
    TSessionWindows& windows = SessionWindows();
    windows.Lobby = &w.lobby;
    windows.Tables = &w.tables;
    windows.Previews = &w.previews;
    for (size_t kind = 1; kind <= 4; ++kind) windows.Games[kind] = &w.games[kind - 1];
    windows.Hiscore = &w.dialogs;
    windows.Info = &w.dialogs;
    windows.Update = &w.dialogs;
    windows.Upload = &w.dialogs;
    windows.Web = &w.dialogs;
    windows.Question = &w.dialogs;
    windows.Options = &w.dialogs;
    windows.Logon = &w.logon;
    windows.Registration = &w.registration;
    SetMsgBoxes(&w.boxes);
}

// --- reader against writer ----------------------------------------------------

template <class TMessage>
void Rewrite(std::string_view message) {
    TMessage first;
    if (!protocol::Parse(message, first)) return;
    const std::string built = protocol::Build(first);
    if (built.empty()) return;  // a value the writer refuses (too many entries)
    TMessage second;
    Check(protocol::Parse(built, second));
    Check(protocol::Build(second) == built);
}

template <class... TMessages>
void RewriteAny(std::string_view message) {
    const uint8_t code = static_cast<uint8_t>(message[0]);
    ((code == protocol::CodeByte(TMessages::kCode) ? Rewrite<TMessages>(message) : void()), ...);
}

void CheckRewriting(std::string_view message) {
    using namespace protocol;
    if (message.empty()) return;
    RewriteAny<THiscoreList, TUserInfo, TFileChunk, TUploadRequest, TUpdateItem, TBanner, TCameras, TUrl,
               TWebTabs, TQuestion, TTableOpened, TTableClosed, TJoinRequest, TGameStartMessage, TGameData,
               TRunningGame, TGameEnded, TGameResult, TRatingChange, TTournament, TUserLeft, TChatLine,
               TPingAnswer, TRoomNotice, TUserGone, TUserPresent, TRoomOpen, TRoomClosed, TSwitchRoom,
               TRemoveRoom, TMenuTab, TServerSound, TPreviewStop, TPreviewState, TTumblixCells, TTumblixRowAdded,
               TTumblixRowRemoved, TTumblixNumber, TPuzzleNumber, TGammonDice, TGammonDiceState, TGammonMove,
               TGammonUndo, TPreviewEnd, TGammonCube, TPuzzleShot, TPuzzleCellSet, TPuzzleCellCleared,
               TLogonAccepted, TLogonRefused, TServerBox, TVersionQuery, TLogonPrompt, TAccountData, TPrivileged,
               TOptions, TBannerInterval, TBannerPeriod>(message);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Fresh states (an empty session, no windows registered) for each input;
    // the windows end before them.
    TInstalledStates<TTimerState, TResourcesState, TGraphicsState, TControlsState, TTransportState, TNetState>
        states;
    TWindows windows;
    Install(windows);
    std::string_view stream(reinterpret_cast<const char*>(data), size);
    bool halted = false;
    while (!stream.empty() && !halted) {
        protocol::TFrame frame;
        std::string error;
        if (protocol::DecodeFrame(stream, frame, error) != protocol::DecodeStatus::Complete) break;
        stream.remove_prefix(frame.length);
        if (frame.kind != protocol::FrameKind::Message) continue;
        CheckRewriting(frame.payload);
        halted = !fuzz::Guarded([&] { Dispatch(frame.payload); });
    }
    return 0;
}
