#include "controls/Chat.h"

#include "controls/Bar.h"
#include "controls/Rollover.h"
#include "graphics/Mybitmap.h"
#include "graphics/Paint.h"
#include "resources/StrFuncs.h"

namespace {

constexpr char kBigSuffix[] = "big";
constexpr char kUsersSuffix[] = "users";
// Icon numbers at and above this are cell codes, not icons.
constexpr int kIconLimit = 100;

}  // namespace

TChat::TChat(TPaint* surface, TMultilist::TClickEvent onUserClick, const void* owner, int value,
             const std::string& keyPrefix, const std::string& section, TBar* tabs)
    : m_tabs(tabs),
      m_surface(surface),
      m_section(section),
      m_keyPrefix(keyPrefix),
      m_onUserClick(std::move(onUserClick)),
      m_owner(owner),
      m_value(value) {}

TChat::~TChat() = default;

// Rooms --------------------------------------------------------------------

std::unique_ptr<TMultilist> TChat::MakeTextList() const {
    const std::string key = m_keyPrefix + (m_big ? kBigSuffix : "");
    auto list = std::make_unique<TMultilist>(m_surface, nullptr, this, key, m_section, 1);
    list->SetSelectable(false);
    list->SetFollowNewRows(true);
    return list;
}

std::unique_ptr<TMultilist> TChat::MakeUserList() const {
    auto list = std::make_unique<TMultilist>(m_surface, m_onUserClick, this,
                                             m_keyPrefix + kUsersSuffix, m_section, 1);
    list->SetSelectable(true);
    list->SetSortColumn(1);
    if (m_icons) list->SetIconList(m_icons);
    return list;
}

bool TChat::AddRoom(int id, int kind, int value, const std::string& element,
                    const std::string& caption) {
    std::string tab = element;
    if (!TMybitmap::Exists(LowerCaseAscii(tab + "on"))) tab = kFallbackTab;
    if (!TMybitmap::Exists(LowerCaseAscii(tab + "on"))) return false;
    auto room = std::make_unique<TChatroom>(id, kind, value, caption);
    if (m_tabs) m_tabs->AddTab(tab, caption, id);
    room->SetText(MakeTextList());
    if (kind != TChatroom::kNoUsers) room->SetUsers(MakeUserList());
    m_rooms.push_back(std::move(room));
    if (m_current == 0) {
        m_current = 1;
        m_rooms.front()->ShowLists();
    }
    return true;
}

TChatroom* TChat::Room(int index) const {
    if (index < 1 || index > RoomCount()) return nullptr;
    return m_rooms[static_cast<size_t>(index - 1)].get();
}

int TChat::RoomIndex(int id) const {
    for (int i = 0; i < RoomCount(); ++i) {
        if (m_rooms[static_cast<size_t>(i)]->Id() == id) return i + 1;
    }
    return -1;
}

TChatroom* TChat::FindRoom(int id) const { return Room(RoomIndex(id)); }

TChatroom* TChat::RoomOrCurrent(int id) const {
    TChatroom* room = FindRoom(id);
    return room ? room : Room(m_current);
}

void TChat::SelectRoom(int index) {
    if (TChatroom* current = Room(m_current)) current->HideLists();
    if (Room(index)) m_current = index;
    TChatroom* room = Room(m_current);
    if (!room) return;
    room->ShowLists();
    if (room->Kind() >= kBlinkingKinds || !m_tabs) return;
    if (TRollover* tab = m_tabs->Tab(m_current)) {
        tab->StopBlink();
        tab->SetAttention(false);
        m_tabs->Layout();
    }
}

void TChat::SelectRoomById(int id) {
    const int index = RoomIndex(id);
    if (index > 0) SelectRoom(index);
}

void TChat::FreezeUsers(int id) {
    if (TChatroom* room = FindRoom(id)) room->FreezeUsers();
}

// The room leaves before its tab, so a tab bar that selects another tab on
// removal finds the rooms already numbered like its tabs.
void TChat::RemoveRoom(int id) {
    const int index = RoomIndex(id);
    if (index < 0) return;
    std::unique_ptr<TChatroom> room = std::move(m_rooms[static_cast<size_t>(index - 1)]);
    m_rooms.erase(m_rooms.begin() + (index - 1));
    room->HideLists();
    const bool wasCurrent = index == m_current;
    if (index < m_current || (wasCurrent && m_current > 1)) --m_current;
    if (m_current > RoomCount()) m_current = RoomCount();
    if (wasCurrent) {
        if (TChatroom* current = Room(m_current)) current->ShowLists();
    }
    if (m_tabs) m_tabs->RemoveTabByKey(id);
}

// Users ----------------------------------------------------------------------

void TChat::AddUser(int roomId, const std::string& name, int icon) {
    TChatroom* room = FindRoom(roomId);
    if (!room || room->UsersFrozen() || !room->Users()) return;
    if (icon < 0 || icon >= kIconLimit) icon = 0;
    TMultilist& users = *room->Users();
    for (int row = 0; row < users.RowCount(); ++row) {
        if (users.PlainCell(0, row) != name) continue;
        const std::string cell = users.Cell(0, row);
        if (cell.size() >= 2 && uint8_t(cell[1]) == icon) return;
        RemoveUser(roomId, name);
        break;
    }
    users.AddCell(std::string(1, '\x01') + char(icon) + name);
}

void TChat::RemoveUser(int roomId, const std::string& name) {
    TChatroom* room = FindRoom(roomId);
    if (!room || !room->Users()) return;
    TMultilist& users = *room->Users();
    for (int row = 0; row < users.RowCount(); ++row) {
        const std::string cell = users.Cell(0, row);
        if (cell.size() >= 2 && SameTextAscii(cell.substr(2), name)) {
            users.DeleteRow(row);
            return;
        }
    }
}

// Layout ---------------------------------------------------------------------

void TChat::SetBig(bool big) {
    if (big == m_big) return;
    m_big = big;
    for (auto& room : m_rooms) {
        const bool shown = room->Text() && room->Text()->Visible();
        if (shown) room->Text()->Hide();
        room->SetText(MakeTextList());
        for (const std::string& raw : room->RawMessages()) {
            std::string rest = raw;
            const std::string nameColour = TakeField(rest);
            const std::string textColour = TakeField(rest);
            int32_t name = 0, text = 0;
            if (!ParseInteger(nameColour, name) || !ParseInteger(textColour, text)) continue;
            AddMessage(*room, name, rest, text, false);
        }
        room->Text()->ScrollToEnd();
        if (shown) room->Text()->Show();
    }
}
