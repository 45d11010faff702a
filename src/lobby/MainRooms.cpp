// The lobby's rooms: switching between them, their menus, and the server's
// room messages (opened or renamed, closed, removed, switched to, notices
// and chat lines).
#include "controls/Bar.h"
#include "controls/Chat.h"
#include "controls/Glide.h"
#include "controls/Rollover.h"
#include "graphics/Mybitmap.h"
#include "lobby/Main.h"
#include "net/Dispatcher.h"
#include "net/Session.h"
#include "protocol/ClientMessages.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"

// Rooms ----------------------------------------------------------------------

TChatroom* TChatform::RoomById(int id) const { return m_chat->Room(m_chat->RoomIndex(id)); }

TChatroom* TChatform::CurrentChatroom() const { return m_chat->Room(m_chat->CurrentRoom()); }

std::vector<TChatroom*> TChatform::Rooms() const {
    std::vector<TChatroom*> rooms;
    for (int index = 1; index <= m_chat->RoomCount(); ++index) rooms.push_back(m_chat->Room(index));
    return rooms;
}

TChatroom* TChatform::FindRoom(int kind, const std::string& title) const {
    for (TChatroom* room : Rooms())
        if (room->Kind() == kind && SameTextAscii(RoomTitle(room->Id()), title)) return room;
    return nullptr;
}

bool TChatform::RoomHolds(const TChatroom& room, const std::string& name) {
    const TMultilist* users = room.Users();
    if (!users) return false;
    for (int row = 0; row < users->RowCount(); ++row) {
        const std::string cell = users->Cell(0, row);
        if (cell.size() >= 2 && SameTextAscii(cell.substr(2), name)) return true;
    }
    return false;
}

std::string TChatform::RoomTitle(int id) const {
    auto it = m_roomStates.find(id);
    return it == m_roomStates.end() ? std::string() : it->second.title;
}

bool TChatform::RoomVisited(int id) const {
    auto it = m_roomStates.find(id);
    return it != m_roomStates.end() && it->second.visited;
}

// The prefix's tab element, or "forum" when the skin lacks it; empty when
// the skin has neither.
std::string TChatform::TabElement(const std::string& prefix) const {
    for (const std::string& element : {prefix, std::string(TChat::kFallbackTab)})
        if (TMybitmap::Exists(LowerCaseAscii(element + "on"))) return element;
    return {};
}

// Switching ------------------------------------------------------------------

void TChatform::RoomTabSelected(TRollover* tab) {
    if (m_restoringTab) return;
    Newroom(tab, m_roomTabs->UserAction());
}

void TChatform::Newroom(TRollover* tab, bool byUser) {
    TChatroom* room = tab ? RoomById(tab->Tag()) : nullptr;
    if (!room) return;
    if (byUser && RoomMenu(room->Kind()) && OnCloseMark(*tab)) {
        OpenRoomMenu(*room, *tab);
        RestoreRoomTab();
        return;
    }
    if (byUser) BannerOnUserChoice(kRoomUrlEntry);
    if (TChatroom* shown = CurrentChatroom()) Send(protocol::Build(protocol::TLeaveRoom{shown->Id()}));
    m_chat->SelectRoom(m_chat->RoomIndex(room->Id()));
    if (m_menuBar->Visible() && (room->Value() & kCameraFlag)) ShowCameraArea();
    if (!room->UsersFrozen()) Send(protocol::Build(protocol::TEnterRoom{room->Id()}));
    EnteringLine(*room);
}

// The press that made the click went to the form first, so its place is
// known here.
bool TChatform::OnCloseMark(const TRollover& tab) const {
    const int right = tab.X() + tab.ImageOffset() + tab.ImageWidth();
    return m_pressX >= right - kCloseMarkWidth && m_pressX < right && m_pressY >= tab.Y() &&
           m_pressY < tab.Y() + tab.ImageHeight();
}

void TChatform::ShowCameraArea() {
    if (!m_web) return;
    for (int area = 1; area <= 2; ++area) {
        if (m_web->SelectCameraTab(area)) {
            m_menuBar->Select(area + 3);
            return;
        }
    }
}

void TChatform::EnteringLine(const TChatroom& room) {
    const bool closed = room.UsersFrozen();
    const std::string title = RoomTitle(room.Id());
    std::string key;
    if (room.Kind() == kPrivateRoom && !closed) key = "Entering1";
    if (room.Kind() == kForumRoom) key = "Entering2";
    if (room.Kind() == kPublicRoom && !closed) key = "Entering";
    if (!key.empty()) AddSystemLine(room.Id(), Template(key, title));
    m_roomStates[room.Id()].visited = true;
}

// The tab bar locks the clicked tab after this handler, so the room shown
// gets its tab back in the loop's next pass.
void TChatform::RestoreRoomTab() {
    platform::Loop().Post([this, alive = m_lifetime.Watch()] {
        if (!alive || m_roomTabs->Current() == m_chat->CurrentRoom()) return;
        m_restoringTab = true;
        m_roomTabs->Select(m_chat->CurrentRoom());
        m_restoringTab = false;
    });
}

// Removing the first tab while it is current leaves the bar without a
// current tab; the room the chat view now shows is entered then.
void TChatform::SelectTabOfCurrentRoom() {
    if (m_roomTabs->Current() == 0 && m_chat->CurrentRoom() > 0) m_roomTabs->Select(m_chat->CurrentRoom());
}

// Room menus -------------------------------------------------------------------

void TChatform::OpenRoomMenu(const TChatroom& room, const TRollover& tab) {
    m_menuRoom = room.Id();
    RoomMenu(room.Kind())->Popup(tab.X(), tab.Y());
}

// "Chatdelete" and "Chatlogoff" both leave the room.
void TChatform::RoomMenuChosen() { LeaveRoom(m_menuRoom); }

void TChatform::LeaveRoom(int id) {
    TChatroom* room = RoomById(id);
    if (!room) return;
    const bool closed = room->UsersFrozen();
    RemoveRoom(id);
    if (!closed) Send(protocol::Build(protocol::TCloseRoom{id}));
}

// The server's room messages -----------------------------------------------------

void TChatform::OpenRoom(const TRoomOpen& open) {
    const std::string element = TabElement(open.Prefix);
    if (element.empty()) return;
    if (RoomById(open.Room)) {
        m_roomTabs->ReplaceTab(m_roomTabs->FindByKey(open.Room), element, open.Title);
    } else if (!m_chat->AddRoom(open.Room, open.Kind, open.Flags, element, open.Title)) {
        return;
    }
    TRoomState& state = m_roomStates[open.Room];
    state.title = open.Title;
    state.element = element;
    AddWaitingLines();
}

void TChatform::RoomClosed(int roomId, const std::string& name) {
    if (!RoomById(roomId)) return;
    AddSystemLine(roomId, Template("Closed", name));
    m_chat->RemoveUser(roomId, name);
    if (SameTextAscii(RoomTitle(roomId), name)) m_chat->FreezeUsers(roomId);
}

void TChatform::RemoveRoom(int roomId) {
    if (!RoomById(roomId)) return;
    m_chat->RemoveRoom(roomId);
    m_roomStates.erase(roomId);
    SelectTabOfCurrentRoom();
}

void TChatform::SwitchRoom(int roomId) {
    const int index = m_roomTabs->FindByKey(roomId);
    if (index < 0) return;
    if (index == m_roomTabs->Current())
        Newroom(m_roomTabs->Tab(index), false);
    else
        m_roomTabs->Select(index);
}

void TChatform::RoomNotice(int kind, int roomId) {
    if (!RoomById(roomId)) return;
    AddLine(Template(kind == kPrivateRoom ? "Private" : "Forum", RoomTitle(roomId)), kSystemNameColour,
            kSystemTextColour);
}

// The welcome line of the logon arrives before the server's first room; such
// lines wait for the first room instead of being lost.
void TChatform::AddLine(const std::string& text, int nameColour, int textColour) {
    TChatroom* room = CurrentChatroom();
    if (room) m_chat->AddText(room->Id(), nameColour, text, textColour);
    else if (m_waitingLines.size() < kMaxWaitingLines) m_waitingLines.push_back({text, nameColour, textColour});
}

void TChatform::AddWaitingLines() {
    TChatroom* room = CurrentChatroom();
    if (!room) return;
    for (const TWaitingLine& line : m_waitingLines) m_chat->AddText(room->Id(), line.nameColour, line.text, line.textColour);
    m_waitingLines.clear();
}

void TChatform::AddChatLine(const TChatLine& line) {
    m_chat->AddText(line.Room, line.NameColour, line.Text, line.TextColour);
}
