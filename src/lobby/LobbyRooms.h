// TLobbyRooms: the lobby's chat rooms and their tabs. It owns the room tab
// bar, the chat view (TChat: one text view and user list per room) and the
// room menus, and keeps what the chat view does not: each room's title,
// tab element and visited mark, and the lines that came before the first
// room.
//
// Rooms live in the chat view: each has the server's id, a kind (0 private
// chat, 1 forum, 2 and more public rooms; 5 has no user list), flags (bit
// 0: a web-camera page; kept as the room's value), a title and a tab
// element, an absent list (the room's owner lines: names that left the
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
// It belongs to the lobby window (TChatform), through which it sends, reads
// the lobby's texts and reaches the menu areas.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "controls/Multilist.h"
#include "net/SessionWindows.h"
#include "platform/Lifetime.h"

class TBar;
class TChat;
class TChatform;
class TChatroom;
class TGlide;
class TMyimagelist;
class TRollover;

class TLobbyRooms {
public:
    // The right end of a room tab that opens the room's menu.
    static constexpr int kCloseMarkWidth = 12;
    // Room kinds the lobby treats apart.
    static constexpr int kPrivateRoom = 0;
    static constexpr int kForumRoom = 1;
    static constexpr int kPublicRoom = 2;
    static constexpr int kLogoffRoom = 3;  // kinds below have listed users
    static constexpr int kCameraFlag = 1;

    // The chat view draws the users' icons and reports clicks on its user
    // lists to onUserClick.
    TLobbyRooms(TChatform& lobby, TMyimagelist* icons, TMultilist::TClickEvent onUserClick);
    ~TLobbyRooms();
    TLobbyRooms(const TLobbyRooms&) = delete;
    TLobbyRooms& operator=(const TLobbyRooms&) = delete;

    TChat* Chat() const { return m_chat.get(); }
    TBar* Tabs() const { return m_tabs.get(); }
    // The menu of a room of that kind; null for kinds without one.
    TGlide* RoomMenu(int kind) const;

    // The current room; null while there is none.
    TChatroom* Current() const;
    TChatroom* ById(int id) const;
    std::vector<TChatroom*> All() const;
    // The room of that kind and title (letter case aside); null when none.
    TChatroom* Find(int kind, const std::string& title) const;
    // The room whose user list that is; null for other lists.
    TChatroom* OwnerOf(const TMultilist& list) const;
    static bool Holds(const TChatroom& room, const std::string& name);
    // The room's title and visited mark; empty and false for an unknown id.
    std::string Title(int id) const;
    bool Visited(int id) const;

    // Switches to the room of the tab (byUser: a click of the user's).
    void Newroom(TRollover* tab, bool byUser);
    // Selects the tab at that place (1 the first), as a click would.
    void SelectTab(int index);
    void SelectRoom(const TChatroom& room);
    // Where the latest press on the window was, for the close marks.
    void NotePress(int x, int y);
    // Moves the tabs to the big-chat bar ("Roomsbig") or back ("Rooms").
    void SwapTabs(bool big);
    void ScrollCurrent(bool up);

    // Chat lines: a line for the current room waits while there is none.
    void AddLine(const std::string& text, int nameColour, int textColour);
    void AddSystemLine(int roomId, const std::string& text);
    void AddChatLine(const TChatLine& line);
    // A typed line to the current room (plain: its text without colour
    // codes); a closed room or a refused line sends nothing.
    void Say(const std::string& plain, const std::string& line);

    // The server's room messages.
    void Open(const TRoomOpen& open);
    void Closed(int roomId, const std::string& name);
    void Remove(int roomId);
    void SwitchTo(int roomId);
    void Notice(int kind, int roomId);

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

    std::unique_ptr<TBar> MakeTabs(const std::string& key);
    void TabSelected(TRollover* tab);
    bool OnCloseMark(const TRollover& tab) const;
    void OpenRoomMenu(const TChatroom& room, const TRollover& tab);
    void Leave(int id);
    void RestoreTab();
    void SelectTabOfCurrentRoom();
    void EnteringLine(const TChatroom& room);
    void AddWaitingLines();
    void SendChat(int roomId, const std::string& text);
    std::string TabElement(const std::string& prefix) const;

    TChatform& m_lobby;
    std::unique_ptr<TBar> m_tabs;
    std::unique_ptr<TChat> m_chat;
    std::unique_ptr<TGlide> m_deleteMenu, m_logoffMenu;
    std::map<int, TRoomState> m_states;
    std::vector<TWaitingLine> m_waitingLines;
    int m_menuRoom = -1;  // the room whose menu is open
    bool m_restoringTab = false;
    int m_pressX = -1, m_pressY = -1;
    // Tasks posted to the loop check it, so none reaches freed rooms.
    TLifetime m_lifetime;
};
