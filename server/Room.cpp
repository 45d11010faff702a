#include "Room.h"

#include <algorithm>

#include "ZoneConfig.h"

namespace server {

Room::Room(uint16_t id, int kind, int flags, std::string name, std::string prefix)
    : m_id(id), m_kind(kind), m_flags(flags), m_name(std::move(name)), m_prefix(std::move(prefix)) {}

bool Room::TakesUserChat() const { return m_kind != kNewsRoomKind; }

std::string Room::TitleFor(const std::string& viewerKey) const {
    if (m_kind != kPrivateChatKind) return m_name;
    for (const RoomMember& m : m_members)
        if (m.key != viewerKey) return m.alias;
    return m_name;
}

bool Room::IsOwner(const std::string& key) const { return !m_members.empty() && m_members.front().key == key; }

const RoomMember* Room::Find(const std::string& key) const {
    for (const RoomMember& m : m_members)
        if (m.key == key) return &m;
    return nullptr;
}

bool Room::IsPresent(const std::string& key) const {
    const RoomMember* m = Find(key);
    return m && m->session != 0;
}

void Room::Add(const std::string& key, const std::string& alias, uint32_t session) {
    if (Find(key)) {
        SetSession(key, session);
        return;
    }
    m_members.push_back(RoomMember{key, alias, session});
}

void Room::Remove(const std::string& key) {
    m_members.erase(std::remove_if(m_members.begin(), m_members.end(),
                                   [&](const RoomMember& m) { return m.key == key; }),
                    m_members.end());
}

void Room::SetSession(const std::string& key, uint32_t session) {
    for (RoomMember& m : m_members)
        if (m.key == key) m.session = session;
}

size_t Room::PresentCount() const {
    return static_cast<size_t>(
        std::count_if(m_members.begin(), m_members.end(), [](const RoomMember& m) { return m.session != 0; }));
}

}  // namespace server
