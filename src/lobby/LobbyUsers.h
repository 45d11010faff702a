// TLobbyUsers: the lobby's user panel and its menus. It owns the list of
// every user on the service (name, icon) with the counters of all users and
// of the players of each game kind (menu area 3), the users' icon list the
// chat view draws with too, the menus a click on a user opens (the own
// name gets only "Info"), and the ignore list.
//
// It keeps the rooms' user lists and absent lists in step with the
// server's user messages: a user who leaves the service is noted in every
// private chat and forum that listed the user, and announced there again
// on return. It belongs to the lobby window (TChatform), through which it
// sends and reaches the rooms and the web areas.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "lobby/IgnoreList.h"
#include "net/SessionWindows.h"

class TChatform;
class TGlide;
class TMultilist;
class TMyimagelist;
class TRollover;
class TText;

class TLobbyUsers {
public:
    static constexpr int kGameKinds = 4;

    explicit TLobbyUsers(TChatform& lobby);
    ~TLobbyUsers();
    TLobbyUsers(const TLobbyUsers&) = delete;
    TLobbyUsers& operator=(const TLobbyUsers&) = delete;

    TMultilist* List() const { return m_users.get(); }
    TMyimagelist* Icons() const { return m_icons.get(); }
    // 0: all users, 1..4: the players of that game kind; null out of range.
    TText* CounterValue(int index) const;
    TText* CounterText(int index) const;
    TGlide* UserMenu() const { return m_userMenu.get(); }
    TGlide* OwnUserMenu() const { return m_ownMenu.get(); }

    // Shows or hides the list and its counters (menu area 3).
    void ShowPanel(bool show);
    // Recounts the list into the counters.
    void Updatecount();

    const std::string& SelectedUser() const { return m_selectedUser; }
    void SetSelectedUser(const std::string& name) { m_selectedUser = name; }
    TIgnoreList& IgnoreList() { return m_ignore; }
    bool Ignores(const std::string& lowerName) const { return m_ignore.Contains(lowerName); }

    // A left click on this list or on a room's user list of a room whose
    // users are listed: the clicked user's menu opens.
    void ListClicked(TMultilist& list, int button, int x, int y);

    // The server's user messages.
    void Present(const TUserPresent& user);
    void Gone(int roomId, const std::string& name);
    void Left(const std::string& name);

private:
    void CreateList();
    void CreateMenus();
    int UserRow(const std::string& name) const;
    void AnnounceReturn(const std::string& name);
    void MenuChosen(const TRollover& item);
    void RequestUserInfo();
    void ShowProfile();
    void ToggleIgnore();
    void PrivateChat();
    void ForumInvite();
    static int ClickedRow(const TMultilist& list, int y);

    TChatform& m_lobby;
    // Before every list that draws its icons.
    std::unique_ptr<TMyimagelist> m_icons;
    std::unique_ptr<TMultilist> m_users;
    std::array<std::unique_ptr<TText>, kGameKinds + 1> m_counterTexts, m_counterValues;
    std::unique_ptr<TGlide> m_userMenu, m_ownMenu;
    TIgnoreList m_ignore;
    std::string m_selectedUser;
};
