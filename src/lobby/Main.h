// TChatform: the lobby window, where a logged-on user lands: the chat rooms
// as tabs with their chat views and user lists, the menu bar over the
// central area (game tables, previews, all users with the game counters,
// two web areas), the chat input line and the menus of users and rooms.
// Created hidden at start-up; the dispatcher shows it when the logon is
// accepted and reaches it through ILobbyWindow (it registers itself as
// SessionWindows().Lobby). It owns the shared message box, slot 0.
//
// The window is made of four parts, each in its own unit: the rooms and
// their tabs (TLobbyRooms), the user panel and its menus (TLobbyUsers), the
// input line with its history and symbol picker (TLobbyInput) and the menu
// areas (TLobbyAreas), where the game tables, the previews and the web
// panels plug in. The window itself keeps its buttons, big-chat mode, the
// keys, the banner timer, its texts and its way out to the server, and
// passes the dispatcher's calls on to the parts.
//
// Every event handler of the window runs Guarded: an error that escapes it
// is shown in the shared box (ErrorBox.h). The dispatcher's calls are not
// guarded here, so its own error handling (the connection's report) keeps
// working.
//
// The game tables, the previews, the web areas, the chat commands and the
// spam window are other units'; they register through SetTables,
// SetPreviews, SetWeb, OnChatCommand and OnSpamRefused. Until then their
// areas show only their backgrounds, and every typed line is chat.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "controls/Form.h"
#include "controls/MsgBoxes.h"
#include "graphics/Mouse.h"
#include "lobby/LobbyAreas.h"
#include "lobby/LobbyInput.h"
#include "lobby/LobbyRooms.h"
#include "lobby/LobbyUsers.h"
#include "net/SessionWindows.h"

class TCheck;
class TMyTimer;

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
    static constexpr int kStartArea = 2;
    // URL entries the hidden browser visits when the user switches.
    static constexpr int kMenuUrlEntry = 5;
    static constexpr int kRoomUrlEntry = 6;

    // Registers itself as SessionWindows().Lobby and builds every element.
    TChatform();
    ~TChatform() override;

    int MessageSlot() const { return m_slot; }

    // The parts.
    TLobbyRooms& Rooms() const { return *m_rooms; }
    TLobbyUsers& UserPanel() const { return *m_users; }
    TLobbyInput& InputLine() const { return *m_input; }
    TLobbyAreas& Areas() const { return *m_areas; }

    // Operations the other lobby units and the parts use.
    // Switches to the room of the tab (byUser: a click of the user's).
    void Newroom(TRollover* tab, bool byUser = false) { m_rooms->Newroom(tab, byUser); }
    // Shows the central area of the menu tab.
    void Menuclick(TRollover* tab) { m_areas->Menuclick(tab); }
    // Recounts the lobby's user list into the counters.
    void Updatecount() { m_users->Updatecount(); }
    void Addline(const std::string& text) { m_input->Addline(text); }
    void SetBig(bool big);
    bool Big() const { return m_big; }
    void SetCurrentGame(int kind) { m_areas->SetCurrentGame(kind); }
    int CurrentGame() const { return m_areas->CurrentGame(); }
    // The game whose running tables the preview area lists (1 or 2).
    void ChoosePreviewGame(int kind) { m_areas->ChoosePreviewGame(kind); }
    int PreviewGame() const { return m_areas->PreviewGame(); }
    // The way out to the server (Sender, or the session's connection).
    void Send(const std::string& message);
    // The lobby's text of that key with its placeholder filled.
    std::string Template(const std::string& key, const std::string& argument) const;
    // A switch of the user's (urlEntry: kMenuUrlEntry or kRoomUrlEntry):
    // the hidden browser visits the entry's URL and a banner is asked for.
    void BannerOnUserChoice(int urlEntry);

    void SetTables(ILobbyTables* tables) { m_areas->SetTables(tables); }
    // Shows the strip at once when the games view is open.
    void SetPreviews(ILobbyPreviews* previews) { m_areas->SetPreviews(previews); }
    void SetWeb(ILobbyWeb* web) { m_areas->SetWeb(web); }
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
    // A line the spam check refused: the spam window opens at that screen
    // position (over the current room's chat). Empty: nothing opens.
    std::function<void(int left, int top)> OnSpamRefused;

    // ILobbyWindow.
    void ShowLobby() override;
    void SetEnabled(bool enabled) override { TForm::SetEnabled(enabled); }
    void AddLine(const std::string& text, int nameColour, int textColour) override;
    bool Ignores(const std::string& lowerName) const override { return m_users->Ignores(lowerName); }
    void AddChatLine(const TChatLine& line) override { m_rooms->AddChatLine(line); }
    void UserLeft(const std::string& name) override { m_users->Left(name); }
    void RoomNotice(int kind, int room) override { m_rooms->Notice(kind, room); }
    void UserGone(int room, const std::string& name) override { m_users->Gone(room, name); }
    void UserPresent(const TUserPresent& user) override { m_users->Present(user); }
    void OpenRoom(const TRoomOpen& room) override { m_rooms->Open(room); }
    void RoomClosed(int room, const std::string& name) override { m_rooms->Closed(room, name); }
    void SwitchRoom(int room) override { m_rooms->SwitchTo(room); }
    void RemoveRoom(int room) override { m_rooms->Remove(room); }
    void SelectMenuTab(int tab) override { m_areas->SelectMenuTab(tab); }
    void FillFreePreviews() override;
    void SetBannerPeriod(int ms) override;
    void RestartBannerTimer() override;

    // State.
    const std::string& SelectedUser() const { return m_users->SelectedUser(); }
    void SetSelectedUser(const std::string& name) { m_users->SetSelectedUser(name); }
    TIgnoreList& IgnoreList() { return m_users->IgnoreList(); }
    const TInputHistory& InputHistory() const { return m_input->History(); }
    int MenuState() const { return m_areas->MenuState(); }
    int64_t BannerTime() const { return m_bannerTime; }
    // The lobby's texts of section "Text", read at creation.
    std::string LobbyText(const std::string& key) const;
    int ColorPrivate() const { return m_colorPrivate; }
    // The room's title and visited mark; empty and false for an unknown id.
    std::string RoomTitle(int id) const { return m_rooms->Title(id); }
    bool RoomVisited(int id) const { return m_rooms->Visited(id); }
    // The current room; null while there is none.
    TChatroom* CurrentChatroom() const { return m_rooms->Current(); }

    // Elements.
    TChat* Chat() const { return m_rooms->Chat(); }
    TBar* RoomTabs() const { return m_rooms->Tabs(); }
    TBar* MenuBar() const { return m_areas->MenuBar(); }
    TBar* GamesBar() const { return m_areas->GamesBar(); }
    TMultilist* Users() const { return m_users->List(); }
    TMyimagelist* UserIcons() const { return m_users->Icons(); }
    // The visible input line ("Chatedit", or "Chateditbig" in big mode).
    TMyedit* Input() const { return m_input->Edit(); }
    TMyedit* ChatEdit() const { return m_input->SmallEdit(); }
    TMyedit* ChatEditBig() const { return m_input->BigEdit(); }
    TCheck* BigToggle() const { return m_bigToggle.get(); }
    TCharselect* Picker() const { return m_input->Picker(); }
    // 0: all users, 1..4: the players of that game kind.
    TText* CounterValue(int index) const { return m_users->CounterValue(index); }
    TText* CounterText(int index) const { return m_users->CounterText(index); }
    TGlide* UserMenu() const { return m_users->UserMenu(); }
    TGlide* OwnUserMenu() const { return m_users->OwnUserMenu(); }
    // The menu of a room of that kind; null for kinds without one.
    TGlide* RoomMenu(int kind) const { return m_rooms->RoomMenu(kind); }
    TGlide* PointsMenu(int kind) const { return m_areas->PointsMenu(kind); }
    TGlide* GameChooser() const { return m_areas->GameChooser(); }
    TRollover* GameButton(int kind) const { return m_areas->GameButton(kind); }
    TRollover* CloseButton() const { return m_close.get(); }
    TRollover* MinimiButton() const { return m_minimi.get(); }
    TRollover* SymbolButton() const { return m_input->SymbolButton(); }
    TRollover* OptionButton() const { return m_areas->OptionButton(); }
    TRollover* CreateButton() const { return m_areas->CreateButton(); }
    TRollover* JoinButton() const { return m_areas->JoinButton(); }
    TRollover* DelButton() const { return m_areas->DelButton(); }
    TRollover* JoinJaButton() const { return m_areas->JoinJaButton(); }
    TRollover* Top100Button() const { return m_areas->Top100Button(); }
    // The game tables of the four kinds (the head of their chain).
    TGame* Tables() const { return m_areas->Tables(); }
    // "menu1-2", "menu1", "menu2", "menu3", "menu5", "menu6".
    TMyimage* AreaImage(const std::string& name) const { return m_areas->AreaImage(name); }
    TMyTimer* BannerTimer() const { return m_bannerTimer.get(); }

protected:
    void FormShow() override;
    bool FormCloseQuery() override;
    bool FormKeyDown(int key, unsigned shift) override;
    void FormMouseDown(int button, unsigned shift, int x, int y) override;

private:
    // Construction and keys (Main.cpp).
    void ReadTexts();
    void CreateButtons();
    void CreateBigToggle();
    void CreateTimers();
    void ConnectSession();
    void SubmitLine(const std::string& plain, const std::string& line);
    bool HandleKey(int key, unsigned shift);
    void FocusGameWindow();

    // Closing, banners and the session (MainSession.cpp).
    void AskToLeave();
    void RequestBanner();

    int m_slot = 0;
    std::map<std::string, std::string> m_texts;
    int m_colorPrivate = 0;

    std::unique_ptr<TRollover> m_close, m_minimi;
    std::unique_ptr<TCheck> m_bigToggle;
    bool m_syncingToggle = false;
    // In this order: the chat view draws with the user panel's icons, and
    // the game tables with them too.
    std::unique_ptr<TLobbyUsers> m_users;
    std::unique_ptr<TLobbyRooms> m_rooms;
    std::unique_ptr<TLobbyAreas> m_areas;
    std::unique_ptr<TLobbyInput> m_input;
    std::unique_ptr<TMyTimer> m_bannerTimer;

    int64_t m_bannerTime = 0;
    bool m_bannerRequested = false;
    bool m_big = false;
};
