// TChatform: the lobby window, where a logged-on user lands: the chat rooms
// as tabs with their chat views and user lists, the menu bar over the
// central area (game tables, previews, all users with the game counters,
// two web areas), the chat input line and the menus of users and rooms.
// Created hidden at start-up; the dispatcher shows it when the logon is
// accepted and reaches it through ILobbyWindow (it registers itself as
// SessionWindows().Lobby). It owns the shared message box, slot 0.
//
// Rooms live in the chat view (TChat): each has the server's id, a kind
// (0 private chat, 1 forum, 2 and more public rooms; 5 has no user list),
// flags (bit 0: a web-camera page; kept as the room's value), a title and a
// tab element, an absent list (the room's owner lines: names that left the
// service while listed) and a closed flag (its frozen user list: a closed
// room takes no users and sends no chat). The current room is the one
// whose tab is selected; switching sends " " + the id of the room shown
// until then and, unless the new room is closed, "!" + its id.
//
// A click on the right end of a tab (its close mark, kCloseMarkWidth
// pixels) of a private chat, a forum or a kind-3 room opens the room's menu
// instead of switching; the tab bar's selection is then put back on the
// room shown, in the next pass of the loop (the bar locks the clicked tab
// only after its handler returns).
//
// Every event handler of the window runs Guarded: an error that escapes it
// is shown in the shared box (ErrorBox.h). The dispatcher's calls are not
// guarded here, so its own error handling (the connection's report) keeps
// working.
//
// The game tables, the previews, the web areas and the chat commands are
// other units'; they register through SetTables, SetPreviews, SetWeb and
// OnChatCommand. Until then their areas show only their backgrounds, and
// every typed line is chat.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "controls/Form.h"
#include "controls/MsgBoxes.h"
#include "graphics/Mouse.h"
#include "lobby/IgnoreList.h"
#include "lobby/InputHistory.h"
#include "lobby/LobbyAreas.h"
#include "net/SessionWindows.h"
#include "platform/Lifetime.h"

class TBar;
class TChat;
class TChatroom;
class TCharselect;
class TCheck;
class TGame;
class TGlide;
class TMultilist;
class TMyedit;
class TMyimage;
class TMyimagelist;
class TMyTimer;
class TRollover;
class TText;

class TChatform : public TForm, public ILobbyWindow {
public:
    static constexpr char kPainter[] = "Chat";
    static constexpr char kBigPainter[] = "Big";
    // The section of every element's layout and caption.
    static constexpr char kSection[] = "Chat";
    // The section of the lobby's own texts (Logon, Logoff, Entering, ...).
    static constexpr char kTextSection[] = "Text";
    // The chat view's layout keys: "Chat" and "Chatbig" for the text lists,
    // "Chatusers" for the rooms' user lists.
    static constexpr char kChatKey[] = "Chat";
    static constexpr int kMenuAreas = 5;
    static constexpr int kStartArea = 2;
    static constexpr int kGameKinds = 4;
    // The right end of a room tab that opens the room's menu.
    static constexpr int kCloseMarkWidth = 12;
    // Room kinds the lobby treats apart.
    static constexpr int kPrivateRoom = 0;
    static constexpr int kForumRoom = 1;
    static constexpr int kPublicRoom = 2;
    static constexpr int kLogoffRoom = 3;  // kinds below have listed users
    static constexpr int kCameraFlag = 1;
    // The colour the symbol picker inserts in ("font99").
    static constexpr int kSymbolColour = 99;
    // URL entries the hidden browser visits when the user switches.
    static constexpr int kMenuUrlEntry = 5;
    static constexpr int kRoomUrlEntry = 6;

    // Registers itself as SessionWindows().Lobby and builds every element.
    TChatform();
    ~TChatform() override;

    int MessageSlot() const { return m_slot; }

    // Operations the other lobby units use.
    // Switches to the room of the tab (byUser: a click of the user's).
    void Newroom(TRollover* tab, bool byUser = false);
    // Shows the central area of the menu tab.
    void Menuclick(TRollover* tab);
    // Recounts the lobby's user list into the counters.
    void Updatecount();
    void Addline(const std::string& text) { m_history.Addline(text); }
    void SetBig(bool big);
    bool Big() const { return m_big; }
    void SetCurrentGame(int kind);
    int CurrentGame() const { return m_currentGame; }
    // The game whose running tables the preview area lists (1 or 2).
    void ChoosePreviewGame(int kind);
    int PreviewGame() const { return m_previewGame; }

    void SetTables(ILobbyTables* tables) { m_tables = tables; }
    // Shows the strip at once when the games view is open.
    void SetPreviews(ILobbyPreviews* previews);
    void SetWeb(ILobbyWeb* web) { m_web = web; }
    // The chat commands: true when the line was a command. Empty: no line
    // is a command.
    std::function<bool(TChatform* sender, const std::string& line)> OnChatCommand;
    // Where the lobby's messages go; empty: the session's connection.
    std::function<void(const std::string& message)> Sender;
    // The dialogs the lobby opens (start-up wires them; empty: nothing
    // opens): the options window, modally; the hiscore window at a list
    // (0 all games, 1..4 a game kind).
    std::function<void()> OnOptions;
    std::function<void(int list)> OnHiscores;

    // ILobbyWindow.
    void ShowLobby() override;
    void SetEnabled(bool enabled) override { TForm::SetEnabled(enabled); }
    void AddLine(const std::string& text, int nameColour, int textColour) override;
    bool Ignores(const std::string& lowerName) const override;
    void AddChatLine(const TChatLine& line) override;
    void UserLeft(const std::string& name) override;
    void RoomNotice(int kind, int room) override;
    void UserGone(int room, const std::string& name) override;
    void UserPresent(const TUserPresent& user) override;
    void OpenRoom(const TRoomOpen& room) override;
    void RoomClosed(int room, const std::string& name) override;
    void SwitchRoom(int room) override;
    void RemoveRoom(int room) override;
    void SelectMenuTab(int tab) override;
    void FillFreePreviews() override;
    void SetBannerPeriod(int ms) override;
    void RestartBannerTimer() override;

    // State.
    const std::string& SelectedUser() const { return m_selectedUser; }
    void SetSelectedUser(const std::string& name) { m_selectedUser = name; }
    TIgnoreList& IgnoreList() { return m_ignore; }
    const TInputHistory& InputHistory() const { return m_history; }
    int MenuState() const { return m_menuState; }
    int64_t BannerTime() const { return m_bannerTime; }
    // The lobby's texts of section "Text", read at creation.
    std::string LobbyText(const std::string& key) const;
    int ColorPrivate() const { return m_colorPrivate; }
    // The room's title and visited mark; empty and false for an unknown id.
    std::string RoomTitle(int id) const;
    bool RoomVisited(int id) const;
    // The current room; null while there is none.
    TChatroom* CurrentChatroom() const;

    // Elements.
    TChat* Chat() const { return m_chat.get(); }
    TBar* RoomTabs() const { return m_roomTabs.get(); }
    TBar* MenuBar() const { return m_menuBar.get(); }
    TBar* GamesBar() const { return m_gamesBar.get(); }
    TMultilist* Users() const { return m_users.get(); }
    TMyimagelist* UserIcons() const { return m_icons.get(); }
    // The visible input line ("Chatedit", or "Chateditbig" in big mode).
    TMyedit* Input() const;
    TMyedit* ChatEdit() const { return m_edit.get(); }
    TMyedit* ChatEditBig() const { return m_editBig.get(); }
    TCheck* BigToggle() const { return m_bigToggle.get(); }
    TCharselect* Picker() const { return m_picker.get(); }
    // 0: all users, 1..4: the players of that game kind.
    TText* CounterValue(int index) const;
    TText* CounterText(int index) const;
    TGlide* UserMenu() const { return m_userMenu.get(); }
    TGlide* OwnUserMenu() const { return m_ownMenu.get(); }
    // The menu of a room of that kind; null for kinds without one.
    TGlide* RoomMenu(int kind) const;
    TGlide* PointsMenu(int kind) const;
    TGlide* GameChooser() const { return m_gameChooser.get(); }
    TRollover* GameButton(int kind) const;
    TRollover* CloseButton() const { return m_close.get(); }
    TRollover* MinimiButton() const { return m_minimi.get(); }
    TRollover* SymbolButton() const { return m_symbol.get(); }
    TRollover* OptionButton() const { return m_option.get(); }
    TRollover* CreateButton() const { return m_create.get(); }
    TRollover* JoinButton() const { return m_join.get(); }
    TRollover* DelButton() const { return m_del.get(); }
    TRollover* JoinJaButton() const { return m_joinJa.get(); }
    TRollover* Top100Button() const { return m_top100.get(); }
    // The game tables of the four kinds (the head of their chain).
    TGame* Tables() const { return m_games.get(); }
    // "menu1-2", "menu1", "menu2", "menu3", "menu5", "menu6".
    TMyimage* AreaImage(const std::string& name) const;
    TMyTimer* BannerTimer() const { return m_bannerTimer.get(); }

protected:
    void FormShow() override;
    bool FormCloseQuery() override;
    bool FormKeyDown(int key, unsigned shift) override;
    void FormMouseDown(int button, unsigned shift, int x, int y) override;

private:
    struct TRoomState {
        std::string title;
        std::string element;  // the tab's element
        bool visited = false;
    };
    // A line for the current room that came while there was no room yet.
    struct TWaitingLine {
        std::string text;
        int nameColour, textColour;
    };
    static constexpr size_t kMaxWaitingLines = 20;

    // Construction (Main.cpp).
    void ReadTexts();
    void CreateButtons();
    void CreateTabBars();
    void CreateIcons();
    void CreateChat();
    void CreateUserArea();
    void CreateAreaImages();
    void CreateGameArea();
    void CreateTableActions();
    void CreateTables();
    void GameTabSelected(TRollover* tab);
    void CreateUserMenus();
    void CreateRoomMenus();
    void CreateInput();
    void CreateTimers();
    void ConnectSession();
    std::unique_ptr<TBar> MakeRoomTabs(const std::string& key);
    std::unique_ptr<TRollover> MakeButton(const std::string& element,
                                          void (TChatform::*action)());
    void Send(const std::string& message);
    void AddSystemLine(int roomId, const std::string& text);
    void AddWaitingLines();
    std::string Template(const std::string& key, const std::string& argument) const;

    // Rooms (MainRooms.cpp).
    void RoomTabSelected(TRollover* tab);
    bool OnCloseMark(const TRollover& tab) const;
    void OpenRoomMenu(const TChatroom& room, const TRollover& tab);
    void RoomMenuChosen();
    void LeaveRoom(int id);
    void RestoreRoomTab();
    void SelectTabOfCurrentRoom();
    void ShowCameraArea();
    void EnteringLine(const TChatroom& room);
    std::string TabElement(const std::string& prefix) const;
    TChatroom* RoomById(int id) const;
    TChatroom* FindRoom(int kind, const std::string& title) const;
    std::vector<TChatroom*> Rooms() const;
    static bool RoomHolds(const TChatroom& room, const std::string& name);

    // Users (MainUsers.cpp).
    int UserRow(const std::string& name) const;
    void AnnounceReturn(const std::string& name);
    void ListClicked(TMultilist& list, int button, int x, int y);
    void UserGlideshow(int x, int y);
    void UserMenuChosen(const TRollover& item);
    void RequestUserInfo();
    void ShowProfile();
    void ToggleIgnore();
    void PrivateChat();
    void ForumInvite();
    static int ClickedRow(const TMultilist& list, int y);

    // The input line (MainInput.cpp).
    bool HandleKey(int key, unsigned shift);
    void SubmitLine();
    void SendChatLine(const std::string& plain, const std::string& line);
    void SendChat(int roomId, const std::string& text);
    void HistoryBack();
    void HistoryForward();
    void ScrollChat(bool up);
    void OpenPicker();
    void Picked(uint8_t code);
    void FocusGameWindow();

    // The menu bar, its areas and the table actions (MainMenus.cpp).
    void LeaveArea(int area);
    void EnterArea(int area);
    void ShowAreaImages(int area, bool show);
    void ShowCounters(bool show);
    void GameHelpOnce();
    void BannerOnUserChoice(int urlEntry);
    void RequestBanner();
    void OpenGameChooser();
    void CreateClicked();
    void PointsChosen(int kind, const TRollover& item);
    void JoinClicked();
    void DelClicked();
    void JoinJaClicked();
    void Top100Clicked();
    void OptionClicked();

    // Big-chat mode (MainBig.cpp).
    void SwapRoomTabs(bool big);
    void SwapInput(bool big);

    // Closing and the session (MainSession.cpp).
    void AskToLeave();
    void BannerTimerFired();

    int m_slot = 0;
    std::map<std::string, std::string> m_texts;
    int m_colorPrivate = 0;

    std::unique_ptr<TRollover> m_close, m_minimi, m_symbol, m_option;
    std::unique_ptr<TCheck> m_bigToggle;
    bool m_syncingToggle = false;
    std::unique_ptr<TBar> m_roomTabs, m_menuBar, m_gamesBar;
    // Before every list that draws its icons.
    std::unique_ptr<TMyimagelist> m_icons;
    std::unique_ptr<TChat> m_chat;
    std::map<int, TRoomState> m_roomStates;
    std::vector<TWaitingLine> m_waitingLines;
    std::unique_ptr<TMultilist> m_users;
    std::array<std::unique_ptr<TText>, kGameKinds + 1> m_counterTexts, m_counterValues;
    std::vector<std::unique_ptr<TMyimage>> m_areaImages;
    std::array<std::unique_ptr<TRollover>, kGameKinds> m_gameButtons;
    std::unique_ptr<TGlide> m_gameChooser;
    std::unique_ptr<TRollover> m_create, m_join, m_del, m_joinJa, m_top100;
    std::array<std::unique_ptr<TGlide>, kGameKinds> m_pointsMenus;
    std::unique_ptr<TGame> m_games;
    std::unique_ptr<TGlide> m_userMenu, m_ownMenu, m_deleteMenu, m_logoffMenu;
    int m_menuRoom = -1;  // the room whose menu is open
    std::unique_ptr<TMyedit> m_edit, m_editBig;
    std::unique_ptr<TCharselect> m_picker;
    std::unique_ptr<TMyTimer> m_bannerTimer;

    ILobbyTables* m_tables = nullptr;
    ILobbyPreviews* m_previews = nullptr;
    ILobbyWeb* m_web = nullptr;

    TInputHistory m_history;
    TIgnoreList m_ignore;
    std::string m_selectedUser;
    int m_menuState = 0;
    int m_currentGame = 1;
    int m_previewGame = 1;
    int64_t m_bannerTime = 0;
    bool m_bannerRequested = false;
    bool m_big = false;
    bool m_restoringTab = false;
    int m_pressX = -1, m_pressY = -1;
    // Tasks posted to the loop check it, so none reaches a freed lobby.
    TLifetime m_lifetime;
};
