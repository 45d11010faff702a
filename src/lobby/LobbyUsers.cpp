// The lobby's users: the list of everyone on the service with its counters,
// the rooms' user and absent lists, and the menus of a clicked user.
#include "lobby/LobbyUsers.h"

#include "controls/Chat.h"
#include "controls/Glide.h"
#include "controls/Multilist.h"
#include "controls/Rollover.h"
#include "controls/Text.h"
#include "graphics/Myimagelist.h"
#include "graphics/Paint.h"
#include "lobby/ErrorBox.h"
#include "lobby/Main.h"
#include "lobby/UserIcons.h"
#include "net/Dispatcher.h"
#include "net/Session.h"
#include "protocol/ClientMessages.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"

namespace {

// The counters' keys: key + "text" is the caption, key + "value" the number.
constexpr const char* kCounterKeys[] = {"Count", "Tumblix", "Bg", "Puzzle", "Yatzy"};

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

TLobbyUsers::TLobbyUsers(TChatform& lobby) : m_lobby(lobby) {
    m_icons = std::make_unique<TMyimagelist>(lobby.Paint(), 0, 0);
    // The image registry caches by lower-case name.
    for (const std::string& name : UserIconNames()) m_icons->Add(LowerCaseAscii(name));
    CreateList();
    CreateMenus();
}

TLobbyUsers::~TLobbyUsers() = default;

// Area 3: every user of the service (name, icon) with the counters.
void TLobbyUsers::CreateList() {
    m_users = std::make_unique<TMultilist>(
        m_lobby.Paint(),
        [this](TMultilist* list, int button, int y, int x, TShiftState) {
            Guarded([&] { ListClicked(*list, button, x, y); });
        },
        &m_lobby, "Users", TChatform::kSection, 2);
    m_users->SetSortColumn(1);
    m_users->SetIconList(m_icons.get());
    for (size_t i = 0; i < m_counterTexts.size(); ++i) {
        const std::string key = kCounterKeys[i];
        m_counterTexts[i] = TText::CreateFromLayout(m_lobby.Paint(), key + "text", TChatform::kSection);
        m_counterValues[i] = TText::CreateFromLayout(m_lobby.Paint(), key + "value", TChatform::kSection);
        m_counterTexts[i]->Hide();
        m_counterValues[i]->Hide();
    }
}

void TLobbyUsers::CreateMenus() {
    auto chosen = [this](TRollover* item, int, int) { Guarded([&] { MenuChosen(*item); }); };
    m_userMenu = std::make_unique<TGlide>(m_lobby.Paint(), true, chosen, 5, 1);
    m_userMenu->AddItem("Info", "Userinfo");
    m_userMenu->AddItem("Rum21", "Userprofil");
    m_userMenu->AddItem("Ignore", "Userignore");
    m_userMenu->AddItem("Person", "Userprivate");
    m_userMenu->AddItem("Forum", "Userforum");
    m_ownMenu = std::make_unique<TGlide>(m_lobby.Paint(), true, chosen, 1, 1);
    m_ownMenu->AddItem("Info", "Userinfo");
}

TText* TLobbyUsers::CounterValue(int index) const {
    if (index < 0 || index > kGameKinds) return nullptr;
    return m_counterValues[static_cast<size_t>(index)].get();
}

TText* TLobbyUsers::CounterText(int index) const {
    if (index < 0 || index > kGameKinds) return nullptr;
    return m_counterTexts[static_cast<size_t>(index)].get();
}

void TLobbyUsers::ShowPanel(bool show) {
    if (show)
        m_users->Show();
    else
        m_users->Hide();
    for (auto* labels : {&m_counterTexts, &m_counterValues}) {
        for (auto& label : *labels) {
            if (show)
                label->Show();
            else
                label->Hide();
        }
    }
}

// The lobby list and its counters ----------------------------------------------

int TLobbyUsers::UserRow(const std::string& name) const {
    for (int row = 0; row < m_users->RowCount(); ++row)
        if (SameTextAscii(m_users->Cell(0, row), name)) return row;
    return -1;
}

void TLobbyUsers::Updatecount() {
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
void TLobbyUsers::AnnounceReturn(const std::string& name) {
    for (TChatroom* room : m_lobby.Rooms().All()) {
        if (room->Kind() > TLobbyRooms::kForumRoom) continue;
        std::vector<std::string>& absent = room->OwnerLines();
        for (auto it = absent.begin(); it != absent.end(); ++it) {
            if (!SameTextAscii(*it, name)) continue;
            absent.erase(it);
            m_lobby.Rooms().AddSystemLine(room->Id(), m_lobby.Template("Logon", name));
            break;
        }
    }
}

// The server's user messages ------------------------------------------------------

void TLobbyUsers::Present(const TUserPresent& user) {
    TLobbyRooms& rooms = m_lobby.Rooms();
    TChat& chat = *rooms.Chat();
    const int icon = CheckedUserIcon(user.Icon);
    TChatroom* room = rooms.ById(user.Room);
    if (room && room->Kind() < TLobbyRooms::kLogoffRoom) {
        chat.AddUser(user.Room, user.Name, icon);
        for (TChatroom* other : rooms.All())
            if (other != room && other->Kind() <= TLobbyRooms::kForumRoom && TLobbyRooms::Holds(*other, user.Name))
                chat.AddUser(other->Id(), user.Name, icon);
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

void TLobbyUsers::Gone(int roomId, const std::string& name) {
    m_lobby.Rooms().Chat()->RemoveUser(roomId, name);
    Updatecount();
}

void TLobbyUsers::Left(const std::string& name) {
    TLobbyRooms& rooms = m_lobby.Rooms();
    const int row = UserRow(name);
    if (row >= 0) m_users->DeleteRow(row);
    for (TChatroom* room : rooms.All()) {
        if (room->Kind() > TLobbyRooms::kForumRoom || !TLobbyRooms::Holds(*room, name)) continue;
        rooms.AddSystemLine(room->Id(), m_lobby.Template("Logoff", name));
        if (!Listed(room->OwnerLines(), name)) room->OwnerLines().push_back(name);
    }
    for (TChatroom* room : rooms.All()) rooms.Chat()->RemoveUser(room->Id(), name);
    Updatecount();
}

// Clicks on users ------------------------------------------------------------------

// The row under the pointer, or −1 when the click hit none.
int TLobbyUsers::ClickedRow(const TMultilist& list, int y) {
    if (list.RowHeight() <= 0 || y < list.RowsTop()) return -1;
    const int row = (y - list.RowsTop() + list.PixelOffset()) / list.RowHeight();
    return row < list.RowCount() && row == list.Selected() ? row : -1;
}

void TLobbyUsers::ListClicked(TMultilist& list, int button, int x, int y) {
    if (button != platform::ButtonLeft) return;
    if (&list != m_users.get()) {
        const TChatroom* owner = m_lobby.Rooms().OwnerOf(list);
        if (!owner || owner->Kind() >= TLobbyRooms::kLogoffRoom) return;
    }
    const int row = ClickedRow(list, y);
    if (row < 0) return;
    m_selectedUser = list.PlainCell(0, row);
    TGlide* menu = SameTextAscii(m_selectedUser, Session().Alias) ? m_ownMenu.get() : m_userMenu.get();
    menu->Popup(x, y);
}

void TLobbyUsers::MenuChosen(const TRollover& item) {
    const std::string& element = item.Element();
    if (element == "Info") RequestUserInfo();
    if (element == "Rum21") ShowProfile();
    if (element == "Ignore") ToggleIgnore();
    if (element == "Person") PrivateChat();
    if (element == "Forum") ForumInvite();
}

// The user menu's actions -------------------------------------------------------------

void TLobbyUsers::RequestUserInfo() { m_lobby.Send(protocol::Build(protocol::TInfoRequest{m_selectedUser})); }

void TLobbyUsers::ShowProfile() {
    ILobbyWeb* web = m_lobby.Areas().Web();
    if (!web) return;
    const std::string url = m_lobby.LobbyText("Profileurl") + "&Alias=" + m_selectedUser + "&Popup=true";
    constexpr int kWidth = 250, kHeight = 400;
    web->OpenWebWindow(url, kWidth, kHeight, false);
}

void TLobbyUsers::ToggleIgnore() {
    const bool ignored = m_ignore.Toggle(m_selectedUser);
    const std::string line = FillPlaceholders(GetText("Message", ignored ? "ignore" : "noignore"),
                                              m_selectedUser);
    m_lobby.Rooms().AddLine(line, kSystemNameColour, kSystemTextColour);
}

void TLobbyUsers::PrivateChat() {
    TLobbyRooms& rooms = m_lobby.Rooms();
    if (TChatroom* room = rooms.Find(TLobbyRooms::kPrivateRoom, m_selectedUser)) {
        rooms.SelectRoom(*room);
        return;
    }
    m_lobby.Send(protocol::Build(protocol::TOpenRoom{TLobbyRooms::kPrivateRoom, m_selectedUser}));
}

void TLobbyUsers::ForumInvite() {
    TChatroom* forum = m_lobby.Rooms().Find(TLobbyRooms::kForumRoom, Session().Alias);
    if (!forum) {
        m_lobby.Send(protocol::Build(protocol::TOpenRoom{TLobbyRooms::kForumRoom, m_selectedUser}));
        return;
    }
    if (!TLobbyRooms::Holds(*forum, m_selectedUser))
        m_lobby.Send(protocol::Build(protocol::TForumAdd{forum->Id(), m_selectedUser}));
}
