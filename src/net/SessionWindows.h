// The windows the server-message dispatcher acts on, as small interfaces.
//
// The dispatcher sits below the lobby and the games, so it never includes
// their headers: each window implements its interface here and registers
// itself in SessionWindows() at start-up. A message whose window is not
// registered is read completely and dropped. The dispatcher cuts every
// message into the typed values of the protocol library first; game kinds
// (1 Tumblix, 2 Backgammon, 3 Puzzle, 4 Yatzy) and preview slots (1..4)
// reach an interface only when they are in range. Seats, rows, columns and
// colours are passed as sent: the receiver checks them before it indexes.
//
// Which codes go where:
//   ILobbyWindow         1 (shown; "logontext", "Reconnecting"), 6, 9, 30,
//                        31, 32, 33, 34, 35, 36, 42, 49, 78 (fill free
//                        previews), 85 (place 2: banner timer), 101, 114,
//                        190 (sub-code 6), 39 (re-enabled afterwards)
//   ITablesView          6 (join requests), 11, 12, 16, 78, 84
//   IPreviews            73, 74, 75, 76, 77, 88, 89, 90, 91, 92, 93, 94, 95,
//                        140, 142, 143
//   IGameWindow (kind)   18 (shown), 71
//   IHiscoreWindow       24
//   IInfoWindow          47
//   IUpdate              26, 83, 82 (a program update first), the hello
//   IUpload              37
//   IWebPanels           18 and 99 (the hidden panel), 85, 96, 106
//   IQuestionWindow      113
//   IOptionsWindow       111, 39 (focused afterwards)
//   ILogonWindow         1, 23, 82, 255
//   IRegistrationWindow  1, 39, 82, 255
// The dispatcher itself handles 19 and 29 (ignored), 48, 81, 100, 107, 112,
// 190 (the boxes) and unknown codes.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "protocol/DialogMessages.h"
#include "protocol/GameMessages.h"
#include "protocol/LobbyMessages.h"
#include "protocol/PreviewMessages.h"
#include "protocol/SessionMessages.h"

// The windows take the messages' typed values by their plain names.
using protocol::TAccountData;
using protocol::TChatLine;
using protocol::TFileChunk;
using protocol::TGammonSnapshot;
using protocol::TGameStatistics;
using protocol::THiscoreList;
using protocol::TJoinRequest;
using protocol::TPuzzleCell;
using protocol::TPuzzleShot;
using protocol::TPuzzleSnapshot;
using protocol::TRoomOpen;
using protocol::TRunningGame;
using protocol::TTableOpened;
using protocol::TTumblixCell;
using protocol::TTumblixCells;
using protocol::TTumblixSnapshot;
using protocol::TUserInfo;
using protocol::TUserPresent;
using protocol::TWebTab;
using protocol::TWebTabs;

// The lobby window.
class ILobbyWindow {
public:
    virtual ~ILobbyWindow() = default;
    // The logon was accepted: show the lobby and repaint it.
    virtual void ShowLobby() = 0;
    virtual void SetEnabled(bool enabled) = 0;
    // A line in the current room.
    virtual void AddLine(const std::string& text, int nameColour, int textColour) = 0;
    // The name (lower-cased) is on the ignore list.
    virtual bool Ignores(const std::string& lowerName) const = 0;
    // A chat line that passed the ignore list, for its room.
    virtual void AddChatLine(const TChatLine& line) = 0;
    // The user left the service: the lobby user list, the rooms' user and
    // absent lists with their "Logoff" lines, the counters.
    virtual void UserLeft(const std::string& name) = 0;
    // Code 31: kind 0 "Private", kind 1 "Forum" with the room's name, as a
    // line in the current room.
    virtual void RoomNotice(int kind, int room) = 0;
    // Code 32: the user left the room; the counters are updated.
    virtual void UserGone(int room, const std::string& name) = 0;
    virtual void UserPresent(const TUserPresent& user) = 0;
    virtual void OpenRoom(const TRoomOpen& room) = 0;
    // Code 35: the "Closed" line, the user removed, the room closed when
    // its title is the name.
    virtual void RoomClosed(int room, const std::string& name) = 0;
    virtual void SwitchRoom(int room) = 0;
    virtual void RemoveRoom(int room) = 0;
    // Code 101: selects the menu tab when 1 <= tab <= the tab count.
    virtual void SelectMenuTab(int tab) = 0;
    // After a game start was announced (code 78).
    virtual void FillFreePreviews() = 0;
    virtual void SetBannerPeriod(int ms) = 0;
    // A banner of place 2 was sent: restart the banner timer, record the
    // banner time.
    virtual void RestartBannerTimer() = 0;
};

// The game tables of the four kinds.
class ITablesView {
public:
    virtual ~ITablesView() = default;
    virtual void AddTable(const TTableOpened& table) = 0;
    virtual void RemoveTable(int kind, const std::string& creator) = 0;
    virtual void AddJoinRequest(const TJoinRequest& request) = 0;
    virtual void RemoveJoinRequest(int kind, const std::string& joiner) = 0;
    virtual void ClearJoinRequests(int kind) = 0;
    virtual void AddRunningGame(const TRunningGame& game) = 0;
    // In every kind.
    virtual void RemoveRunningGame(const std::string& player) = 0;
};

// The preview strip. Every call names a slot 1..4.
class IPreviews {
public:
    virtual ~IPreviews() = default;
    virtual void Stop(int slot) = 0;
    virtual void ShowTumblix(int slot, const TTumblixSnapshot& state) = 0;
    virtual void ShowGammon(int slot, const TGammonSnapshot& state) = 0;
    virtual void ShowPuzzle(int slot, const TPuzzleSnapshot& state) = 0;
    virtual void SetTumblixCells(const TTumblixCells& cells) = 0;
    // The 12 bytes (each colour + 1) fill the bottom row.
    virtual void AddTumblixRow(int slot, int seat, const std::array<uint8_t, 12>& row) = 0;
    virtual void RemoveTumblixRow(int slot, int seat, int row) = 0;
    virtual void SetTumblixNumber(int slot, int number) = 0;
    virtual void SetPuzzleNumber(int slot, int number) = 0;
    virtual void SetGammonDice(int slot, int die1, int die2) = 0;
    virtual void SetGammonDiceState(int slot, int state) = 0;
    virtual void MoveGammon(int slot, int pointPlus1, int distance) = 0;
    virtual void UndoGammon(int slot, int toPlus2, int fromPlus2, int hitPlus2) = 0;
    virtual void End(int slot, int winner) = 0;
    virtual void SetGammonCube(int slot, int owner, const std::string& value) = 0;
    virtual void PuzzleShot(const TPuzzleShot& shot) = 0;
    virtual void SetPuzzleCell(const TPuzzleCell& cell) = 0;
    virtual void ClearPuzzleCell(const TPuzzleCell& cell) = 0;
};

// One game window (one per kind).
class IGameWindow {
public:
    virtual ~IGameWindow() = default;
    virtual bool Visible() const = 0;
    // Shows the window for the game in Session().GameStart.
    virtual void ShowGame() = 0;
    // A game payload (code 71).
    virtual void NetRead(const std::string& data) = 0;
};

class IHiscoreWindow {
public:
    virtual ~IHiscoreWindow() = default;
    // Fills the labels and the list, then shows the list.
    virtual void ShowHiscores(const THiscoreList& list) = 0;
};

class IInfoWindow {
public:
    virtual ~IInfoWindow() = default;
    // Fills the window and shows it modally.
    virtual void ShowUserInfo(const TUserInfo& info) = 0;
};

// The update download.
class IUpdate {
public:
    virtual ~IUpdate() = default;
    // The connection was made: forget the announced items.
    virtual void Clear() = 0;
    virtual void AddItem(const std::string& item) = 0;
    // At the logon prompt: true when a program update started instead.
    virtual bool StartIfNeeded() = 0;
    // A file transfer is open (code 26 then carries no size field).
    virtual bool TransferOpen() const = 0;
    virtual void AddChunk(const TFileChunk& chunk) = 0;
};

// The operator's file upload of the chat commands.
class IUpload {
public:
    virtual ~IUpload() = default;
    // The server asks for the next chunk.
    virtual void SendNextChunk() = 0;
};

class IWebPanels {
public:
    virtual ~IWebPanels() = default;
    // The hidden panel visits a URL.
    virtual void VisitHidden(const std::string& url) = 0;
    // Place 1..3: "Reklame1".."Reklame3".
    virtual void LoadBanner(int place, const std::string& url) = 0;
    virtual void SetCameras(bool on) = 0;
    virtual void SetWebTabs(const TWebTabs& tabs) = 0;
};

// The question window of code 113.
class IQuestionWindow {
public:
    virtual ~IQuestionWindow() = default;
    // Shows the question modally with its fixed first entry followed by the
    // answers; returns the chosen row (0: the fixed entry, nothing chosen).
    virtual int Ask(const std::string& question, const std::vector<std::string>& answers) = 0;
};

class IOptionsWindow {
public:
    virtual ~IOptionsWindow() = default;
    virtual void SetSoundToggle(bool on) = 0;
    virtual bool Visible() const = 0;
    virtual void Focus() = 0;
};

// What the logon and the registration window both offer the dispatcher.
class ISessionForm {
public:
    virtual ~ISessionForm() = default;
    virtual bool Visible() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual void Focus() = 0;
    virtual void Hide() = 0;
    // The logon message this window sends at the server's prompt.
    virtual std::string LogonMessage() const = 0;
};

class ILogonWindow : public ISessionForm {};

class IRegistrationWindow : public ISessionForm {
public:
    // Code 39: fills the fields from the account data and shows the window
    // modally; returns when it is closed (Session().RegisterCancelled says
    // how).
    virtual void EditAccount(const TAccountData& account) = 0;
    // The account update "(", with the date and gender fields only when
    // withBirthday is set.
    virtual std::string AccountUpdate(bool withBirthday) const = 0;
};

struct TSessionWindows {
    ILobbyWindow* Lobby = nullptr;
    ITablesView* Tables = nullptr;
    IPreviews* Previews = nullptr;
    // Index 1..4 by game kind; 0 unused.
    std::array<IGameWindow*, 5> Games{};
    IHiscoreWindow* Hiscore = nullptr;
    IInfoWindow* Info = nullptr;
    IUpdate* Update = nullptr;
    IUpload* Upload = nullptr;
    IWebPanels* Web = nullptr;
    IQuestionWindow* Question = nullptr;
    IOptionsWindow* Options = nullptr;
    ILogonWindow* Logon = nullptr;
    IRegistrationWindow* Registration = nullptr;
};

// The registry; windows put themselves in and take themselves out (a window
// that is freed must clear its entry).
TSessionWindows& SessionWindows();
