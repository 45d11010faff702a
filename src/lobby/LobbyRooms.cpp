// The lobby's rooms: switching between them, their menus, their lines, and
// the server's room messages (opened or renamed, closed, removed, switched
// to, notices and chat lines).
#include "lobby/LobbyRooms.h"

#include "controls/Bar.h"
#include "controls/Chat.h"
#include "controls/Glide.h"
#include "controls/Rollover.h"
#include "graphics/Mybitmap.h"
#include "graphics/Myimagelist.h"
#include "graphics/Paint.h"
#include "lobby/ErrorBox.h"
#include "lobby/Main.h"
#include "lobby/Spam.h"
#include "net/Dispatcher.h"
#include "protocol/ClientMessages.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"

namespace {

bool StartsWithNoCase(const std::string& text, const std::string& start) {
    return text.size() >= start.size() && SameTextAscii(text.substr(0, start.size()), start);
}

}  // namespace

TLobbyRooms::TLobbyRooms(TChatform& lobby, TMyimagelist* icons, TMultilist::TClickEvent onUserClick)
    : m_lobby(lobby) {
    m_tabs = MakeTabs("Rooms");
    m_tabs->Show();
    m_chat = std::make_unique<TChat>(lobby.Paint(), std::move(onUserClick), &lobby, 0, TChatform::kChatKey,
                                     TChatform::kSection, m_tabs.get());
    m_chat->SetIconList(icons);
    auto chosen = [this](TRollover*, int, int) { Guarded([&] { Leave(m_menuRoom); }); };
    // "Chatdelete" and "Chatlogoff" both leave the room.
    m_deleteMenu = std::make_unique<TGlide>(lobby.Paint(), true, chosen, 1, 1);
    m_deleteMenu->AddItem("Perdel", "Chatdelete");
    m_logoffMenu = std::make_unique<TGlide>(lobby.Paint(), true, chosen, 1, 1);
    m_logoffMenu->AddItem("Perdel", "Chatlogoff");
}

TLobbyRooms::~TLobbyRooms() { m_lifetime.End(); }

std::unique_ptr<TBar> TLobbyRooms::MakeTabs(const std::string& key) {
    return std::make_unique<TBar>(
        m_lobby.Paint(), [this](TRollover* tab) { Guarded([&] { TabSelected(tab); }); }, key,
        TChatform::kSection);
}

TGlide* TLobbyRooms::RoomMenu(int kind) const {
    if (kind == kPrivateRoom || kind == kForumRoom) return m_deleteMenu.get();
    if (kind == kLogoffRoom) return m_logoffMenu.get();
    return nullptr;
}

// Finding rooms ----------------------------------------------------------------

TChatroom* TLobbyRooms::ById(int id) const { return m_chat->Room(m_chat->RoomIndex(id)); }

TChatroom* TLobbyRooms::Current() const { return m_chat->Room(m_chat->CurrentRoom()); }

std::vector<TChatroom*> TLobbyRooms::All() const {
    std::vector<TChatroom*> rooms;
    for (int index = 1; index <= m_chat->RoomCount(); ++index) rooms.push_back(m_chat->Room(index));
    return rooms;
}

TChatroom* TLobbyRooms::Find(int kind, const std::string& title) const {
    for (TChatroom* room : All())
        if (room->Kind() == kind && SameTextAscii(Title(room->Id()), title)) return room;
    return nullptr;
}

TChatroom* TLobbyRooms::OwnerOf(const TMultilist& list) const {
    TChatroom* owner = nullptr;
    for (TChatroom* room : All())
        if (room->Users() == &list) owner = room;
    return owner;
}

bool TLobbyRooms::Holds(const TChatroom& room, const std::string& name) {
    const TMultilist* users = room.Users();
    if (!users) return false;
    for (int row = 0; row < users->RowCount(); ++row) {
        const std::string cell = users->Cell(0, row);
        if (cell.size() >= 2 && SameTextAscii(cell.substr(2), name)) return true;
    }
    return false;
}

std::string TLobbyRooms::Title(int id) const {
    auto it = m_states.find(id);
    return it == m_states.end() ? std::string() : it->second.title;
}

bool TLobbyRooms::Visited(int id) const {
    auto it = m_states.find(id);
    return it != m_states.end() && it->second.visited;
}

// The prefix's tab element, or "forum" when the skin lacks it; empty when
// the skin has neither.
std::string TLobbyRooms::TabElement(const std::string& prefix) const {
    for (const std::string& element : {prefix, std::string(TChat::kFallbackTab)})
        if (TMybitmap::Exists(LowerCaseAscii(element + "on"))) return element;
    return {};
}

// Switching ------------------------------------------------------------------

void TLobbyRooms::TabSelected(TRollover* tab) {
    if (m_restoringTab) return;
    Newroom(tab, m_tabs->UserAction());
}

void TLobbyRooms::Newroom(TRollover* tab, bool byUser) {
    TChatroom* room = tab ? ById(tab->Tag()) : nullptr;
    if (!room) return;
    if (byUser && RoomMenu(room->Kind()) && OnCloseMark(*tab)) {
        OpenRoomMenu(*room, *tab);
        RestoreTab();
        return;
    }
    if (byUser) m_lobby.BannerOnUserChoice(TChatform::kRoomUrlEntry);
    if (TChatroom* shown = Current()) m_lobby.Send(protocol::Build(protocol::TLeaveRoom{shown->Id()}));
    m_chat->SelectRoom(m_chat->RoomIndex(room->Id()));
    if (room->Value() & kCameraFlag) m_lobby.Areas().ShowCameraArea();
    if (!room->UsersFrozen()) m_lobby.Send(protocol::Build(protocol::TEnterRoom{room->Id()}));
    EnteringLine(*room);
}

void TLobbyRooms::SelectTab(int index) { m_tabs->Select(index); }

void TLobbyRooms::SelectRoom(const TChatroom& room) { m_tabs->Select(m_chat->RoomIndex(room.Id())); }

void TLobbyRooms::NotePress(int x, int y) {
    m_pressX = x;
    m_pressY = y;
}

// The press that made the click went to the form first, so its place is
// known here.
bool TLobbyRooms::OnCloseMark(const TRollover& tab) const {
    const int right = tab.X() + tab.ImageOffset() + tab.ImageWidth();
    return m_pressX >= right - kCloseMarkWidth && m_pressX < right && m_pressY >= tab.Y() &&
           m_pressY < tab.Y() + tab.ImageHeight();
}

void TLobbyRooms::EnteringLine(const TChatroom& room) {
    const bool closed = room.UsersFrozen();
    const std::string title = Title(room.Id());
    std::string key;
    if (room.Kind() == kPrivateRoom && !closed) key = "Entering1";
    if (room.Kind() == kForumRoom) key = "Entering2";
    if (room.Kind() == kPublicRoom && !closed) key = "Entering";
    if (!key.empty()) AddSystemLine(room.Id(), m_lobby.Template(key, title));
    m_states[room.Id()].visited = true;
}

// The tab bar locks the clicked tab after this handler, so the room shown
// gets its tab back in the loop's next pass.
void TLobbyRooms::RestoreTab() {
    platform::Loop().Post([this, alive = m_lifetime.Watch()] {
        if (!alive || m_tabs->Current() == m_chat->CurrentRoom()) return;
        m_restoringTab = true;
        m_tabs->Select(m_chat->CurrentRoom());
        m_restoringTab = false;
    });
}

// Removing the first tab while it is current leaves the bar without a
// current tab; the room the chat view now shows is entered then.
void TLobbyRooms::SelectTabOfCurrentRoom() {
    if (m_tabs->Current() == 0 && m_chat->CurrentRoom() > 0) m_tabs->Select(m_chat->CurrentRoom());
}

// The chat view keeps its tabs: the new bar takes them over, with the
// current tab, and the old bar goes.
void TLobbyRooms::SwapTabs(bool big) {
    std::unique_ptr<TBar> bar = MakeTabs(big ? "Roomsbig" : "Rooms");
    bar->TakeOver(std::move(m_tabs));
    m_tabs = std::move(bar);
    m_chat->SetTabs(m_tabs.get());
}

void TLobbyRooms::ScrollCurrent(bool up) {
    TChatroom* room = Current();
    if (!room || !room->Text()) return;
    if (up)
        room->Text()->PageUp();
    else
        room->Text()->PageDown();
}

// Room menus -------------------------------------------------------------------

void TLobbyRooms::OpenRoomMenu(const TChatroom& room, const TRollover& tab) {
    m_menuRoom = room.Id();
    RoomMenu(room.Kind())->Popup(tab.X(), tab.Y());
}

void TLobbyRooms::Leave(int id) {
    TChatroom* room = ById(id);
    if (!room) return;
    const bool closed = room->UsersFrozen();
    Remove(id);
    if (!closed) m_lobby.Send(protocol::Build(protocol::TCloseRoom{id}));
}

// Lines --------------------------------------------------------------------------

// The welcome line of the logon arrives before the server's first room; such
// lines wait for the first room instead of being lost.
void TLobbyRooms::AddLine(const std::string& text, int nameColour, int textColour) {
    TChatroom* room = Current();
    if (room) m_chat->AddText(room->Id(), nameColour, text, textColour);
    else if (m_waitingLines.size() < kMaxWaitingLines) m_waitingLines.push_back({text, nameColour, textColour});
}

void TLobbyRooms::AddWaitingLines() {
    TChatroom* room = Current();
    if (!room) return;
    for (const TWaitingLine& line : m_waitingLines) m_chat->AddText(room->Id(), line.nameColour, line.text, line.textColour);
    m_waitingLines.clear();
}

void TLobbyRooms::AddSystemLine(int roomId, const std::string& text) {
    m_chat->AddText(roomId, kSystemNameColour, text, kSystemTextColour);
}

void TLobbyRooms::AddChatLine(const TChatLine& line) {
    m_chat->AddText(line.Room, line.NameColour, line.Text, line.TextColour);
}

// A whispered line ("/tell") is not judged as spam; one saying the user is
// away also puts the user to sleep.
void TLobbyRooms::Say(const std::string& plain, const std::string& line) {
    TChatroom* room = Current();
    if (!room || room->UsersFrozen()) return;
    if (!StartsWithNoCase(plain, "/tell") && !okay(line)) return;
    SendChat(room->Id(), line);
    if (StartsWithNoCase(plain, ":afk") || StartsWithNoCase(plain, ":brb")) SendChat(room->Id(), "/sleep");
}

void TLobbyRooms::SendChat(int roomId, const std::string& text) {
    m_lobby.Send(protocol::Build(protocol::TSay{roomId, text}));
}

// The server's room messages -----------------------------------------------------

void TLobbyRooms::Open(const TRoomOpen& open) {
    const std::string element = TabElement(open.Prefix);
    if (element.empty()) return;
    if (ById(open.Room)) {
        m_tabs->ReplaceTab(m_tabs->FindByKey(open.Room), element, open.Title);
    } else if (!m_chat->AddRoom(open.Room, open.Kind, open.Flags, element, open.Title)) {
        return;
    }
    TRoomState& state = m_states[open.Room];
    state.title = open.Title;
    state.element = element;
    AddWaitingLines();
}

void TLobbyRooms::Closed(int roomId, const std::string& name) {
    if (!ById(roomId)) return;
    AddSystemLine(roomId, m_lobby.Template("Closed", name));
    m_chat->RemoveUser(roomId, name);
    if (SameTextAscii(Title(roomId), name)) m_chat->FreezeUsers(roomId);
}

void TLobbyRooms::Remove(int roomId) {
    if (!ById(roomId)) return;
    m_chat->RemoveRoom(roomId);
    m_states.erase(roomId);
    SelectTabOfCurrentRoom();
}

void TLobbyRooms::SwitchTo(int roomId) {
    const int index = m_tabs->FindByKey(roomId);
    if (index < 0) return;
    if (index == m_tabs->Current())
        Newroom(m_tabs->Tab(index), false);
    else
        m_tabs->Select(index);
}

void TLobbyRooms::Notice(int kind, int roomId) {
    if (!ById(roomId)) return;
    AddLine(m_lobby.Template(kind == kPrivateRoom ? "Private" : "Forum", Title(roomId)), kSystemNameColour,
            kSystemTextColour);
}
