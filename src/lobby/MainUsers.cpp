// The lobby's users: the list of everyone on the service with its counters,
// the rooms' user and absent lists, and the menus of a clicked user.
#include "controls/Bar.h"
#include "controls/Chat.h"
#include "controls/Glide.h"
#include "controls/Multilist.h"
#include "controls/Rollover.h"
#include "controls/Text.h"
#include "lobby/Main.h"
#include "lobby/UserIcons.h"
#include "net/Dispatcher.h"
#include "net/Session.h"
#include "protocol/ClientMessages.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"

namespace {

// The lobby list's second cell: the icon code the list draws.
std::string IconCell(int icon) { return std::string(1, '\x01') + static_cast<char>(icon); }

int IconOfCell(const std::string& cell) {
    return cell.size() >= 2 && cell[0] == '\x01' ? static_cast<uint8_t>(cell[1]) : 0;
}

bool Listed(const std::vector<std::string>& names, const std::string& name) {
    for (const std::string& each : names)
        if (SameTextAscii(each, name)) return true;
    return false;
}

}  // namespace

// The lobby list and its counters ----------------------------------------------

int TChatform::UserRow(const std::string& name) const {
    for (int row = 0; row < m_users->RowCount(); ++row)
        if (SameTextAscii(m_users->Cell(0, row), name)) return row;
    return -1;
}

void TChatform::Updatecount() {
    std::array<int, kGameKinds + 1> counts{};
    counts[0] = m_users->RowCount();
    for (int row = 0; row < m_users->RowCount(); ++row) {
        const int game = PlayingGame(IconOfCell(m_users->Cell(1, row)));
        if (game > 0) ++counts[static_cast<size_t>(game)];
    }
    for (size_t i = 0; i < counts.size(); ++i) m_counterValues[i]->SetText(std::to_string(counts[i]));
}

// Every private chat and forum that saw the user leave the service says the
// user is back.
void TChatform::AnnounceReturn(const std::string& name) {
    for (TChatroom* room : Rooms()) {
        if (room->Kind() > kForumRoom) continue;
        std::vector<std::string>& absent = room->OwnerLines();
        for (auto it = absent.begin(); it != absent.end(); ++it) {
            if (!SameTextAscii(*it, name)) continue;
            absent.erase(it);
            AddSystemLine(room->Id(), Template("Logon", name));
            break;
        }
    }
}

// The server's user messages ------------------------------------------------------

void TChatform::UserPresent(const TUserPresent& user) {
    const int icon = CheckedUserIcon(user.Icon);
    TChatroom* room = RoomById(user.Room);
    if (room && room->Kind() < kLogoffRoom) {
        m_chat->AddUser(user.Room, user.Name, icon);
        for (TChatroom* other : Rooms())
            if (other != room && other->Kind() <= kForumRoom && RoomHolds(*other, user.Name))
                m_chat->AddUser(other->Id(), user.Name, icon);
    }
    const int row = UserRow(user.Name);
    if (row >= 0) {
        m_users->SetCell(1, row, IconCell(icon));
        m_users->RedrawView();
    } else {
        m_users->AddCell(user.Name);
        m_users->AddCell(IconCell(icon));
        AnnounceReturn(user.Name);
    }
    Updatecount();
}

void TChatform::UserGone(int roomId, const std::string& name) {
    m_chat->RemoveUser(roomId, name);
    Updatecount();
}

void TChatform::UserLeft(const std::string& name) {
    const int row = UserRow(name);
    if (row >= 0) m_users->DeleteRow(row);
    for (TChatroom* room : Rooms()) {
        if (room->Kind() > kForumRoom || !RoomHolds(*room, name)) continue;
        AddSystemLine(room->Id(), Template("Logoff", name));
        if (!Listed(room->OwnerLines(), name)) room->OwnerLines().push_back(name);
    }
    for (TChatroom* room : Rooms()) m_chat->RemoveUser(room->Id(), name);
    Updatecount();
}

bool TChatform::Ignores(const std::string& lowerName) const { return m_ignore.Contains(lowerName); }

// Clicks on users ------------------------------------------------------------------

// The row under the pointer, or −1 when the click hit none.
int TChatform::ClickedRow(const TMultilist& list, int y) {
    if (list.RowHeight() <= 0 || y < list.RowsTop()) return -1;
    const int row = (y - list.RowsTop() + list.PixelOffset()) / list.RowHeight();
    return row < list.RowCount() && row == list.Selected() ? row : -1;
}

// The lobby list, or a room's user list of a room whose users are listed.
void TChatform::ListClicked(TMultilist& list, int button, int x, int y) {
    if (button != platform::ButtonLeft) return;
    if (&list != m_users.get()) {
        TChatroom* owner = nullptr;
        for (TChatroom* room : Rooms())
            if (room->Users() == &list) owner = room;
        if (!owner || owner->Kind() >= kLogoffRoom) return;
    }
    const int row = ClickedRow(list, y);
    if (row < 0) return;
    m_selectedUser = list.PlainCell(0, row);
    UserGlideshow(x, y);
}

void TChatform::UserGlideshow(int x, int y) {
    TGlide* menu = SameTextAscii(m_selectedUser, Session().Alias) ? m_ownMenu.get() : m_userMenu.get();
    menu->Popup(x, y);
}

void TChatform::UserMenuChosen(const TRollover& item) {
    const std::string& element = item.Element();
    if (element == "Info") RequestUserInfo();
    if (element == "Rum21") ShowProfile();
    if (element == "Ignore") ToggleIgnore();
    if (element == "Person") PrivateChat();
    if (element == "Forum") ForumInvite();
}

// The user menu's actions -------------------------------------------------------------

void TChatform::RequestUserInfo() { Send(protocol::Build(protocol::TInfoRequest{m_selectedUser})); }

void TChatform::ShowProfile() {
    if (!m_web) return;
    const std::string url = LobbyText("Profileurl") + "&Alias=" + m_selectedUser + "&Popup=true";
    constexpr int kWidth = 250, kHeight = 400;
    m_web->OpenWebWindow(url, kWidth, kHeight, false);
}

void TChatform::ToggleIgnore() {
    const bool ignored = m_ignore.Toggle(m_selectedUser);
    const std::string line = FillPlaceholders(GetText("Message", ignored ? "ignore" : "noignore"),
                                              m_selectedUser);
    AddLine(line, kSystemNameColour, kSystemTextColour);
}

void TChatform::PrivateChat() {
    if (TChatroom* room = FindRoom(kPrivateRoom, m_selectedUser)) {
        m_roomTabs->Select(m_chat->RoomIndex(room->Id()));
        return;
    }
    Send(protocol::Build(protocol::TOpenRoom{kPrivateRoom, m_selectedUser}));
}

void TChatform::ForumInvite() {
    TChatroom* forum = FindRoom(kForumRoom, Session().Alias);
    if (!forum) {
        Send(protocol::Build(protocol::TOpenRoom{kForumRoom, m_selectedUser}));
        return;
    }
    if (!RoomHolds(*forum, m_selectedUser))
        Send(protocol::Build(protocol::TForumAdd{forum->Id(), m_selectedUser}));
}
