// Private chats and forums.
//
// "+" 0 name opens a private chat of two (or shows the one they share);
// "+" 1 name opens the sender's forum with that user (or adds them to it);
// 0x1F room name adds a user to the sender's forum; "#" room leaves one.
// The user asked gets the room, its users and code 31, which tells them who
// invited them; the one asking also gets code 36 to bring the tab forward.
//
// Leaving: the others get code 35 with the name. A private chat, or a forum
// its owner leaves, is then closed on their side (its title is that name)
// and is removed here; the client sends nothing more for a closed room.
#include "LogonMessages.h"
#include "Zone.h"

namespace server {
namespace {

const char* const kChatPrefix = "Person";
const char* const kForumPrefix = "Forum";

}  // namespace

void Zone::OnOpenRoom(ZoneUser& user, const protocol::TOpenRoom& in) {
    int kind = in.Kind;
    if (kind != kPrivateChatKind && kind != kForumKind) return;
    std::string_view name = in.Name;
    ZoneUser* other = UserByName(name);
    if (!other) {
        Box(user, std::string(name.substr(0, kMaxAliasLength)) + " is not logged on.");
        return;
    }
    if (other == &user) return;
    if (kind == kPrivateChatKind)
        OpenPrivateChat(user, *other);
    else
        OpenForum(user, *other);
}

void Zone::OnForumAdd(ZoneUser& user, const protocol::TForumAdd& in) {
    Room* forum = RoomById(static_cast<uint16_t>(in.Room));
    if (!forum || forum->Kind() != kForumKind || !forum->IsOwner(user.key)) return;
    std::string_view name = in.Name;
    ZoneUser* guest = UserByName(name);
    if (!guest) {
        Box(user, std::string(name.substr(0, kMaxAliasLength)) + " is not logged on.");
        return;
    }
    if (guest != &user) AddToForum(*forum, user, *guest);
}

void Zone::OnCloseRoom(ZoneUser& user, const protocol::TCloseRoom& in) {
    Room* room = RoomById(static_cast<uint16_t>(in.Room));
    if (room && room->IsPrivate() && room->IsPresent(user.key)) LeavePrivate(user, *room);
}

void Zone::OpenPrivateChat(ZoneUser& user, ZoneUser& other) {
    for (uint16_t id : user.privateRooms) {
        const Room& r = m_rooms.at(id);
        if (r.Kind() == kPrivateChatKind && r.IsPresent(other.key)) {
            SendTo(user, Build(protocol::TSwitchRoom{id}));
            return;
        }
    }
    if (!MayOpenRoom(user, &other)) return;
    Room& room = NewPrivateRoom(kPrivateChatKind, "");
    room.Add(user.key, user.alias, user.session);
    room.Add(other.key, other.alias, other.session);
    user.privateRooms.insert(room.Id());
    other.privateRooms.insert(room.Id());
    SendRoomTo(room, user);
    SendRoomTo(room, other);
    SendTo(user, Build(protocol::TSwitchRoom{room.Id()}));
    SendTo(other, Build(protocol::TRoomNotice{kPrivateChatKind, room.Id()}));
}

void Zone::OpenForum(ZoneUser& owner, ZoneUser& guest) {
    for (uint16_t id : owner.privateRooms) {
        Room& r = m_rooms.at(id);
        if (r.Kind() == kForumKind && r.IsOwner(owner.key)) {
            AddToForum(r, owner, guest);
            return;
        }
    }
    if (!MayOpenRoom(owner, &guest)) return;
    Room& forum = NewPrivateRoom(kForumKind, owner.alias);
    forum.Add(owner.key, owner.alias, owner.session);
    owner.privateRooms.insert(forum.Id());
    SendRoomTo(forum, owner);
    SendTo(owner, Build(protocol::TSwitchRoom{forum.Id()}));
    AddToForum(forum, owner, guest);
}

void Zone::AddToForum(Room& forum, ZoneUser& owner, ZoneUser& guest) {
    if (forum.Find(guest.key)) return;
    if (forum.Members().size() >= static_cast<size_t>(m_config.forumMembers)) {
        Box(owner, "Your forum is full.");
        return;
    }
    if (guest.privateRooms.size() >= static_cast<size_t>(m_config.roomsPerUser)) {
        Box(owner, guest.alias + " has too many rooms open.");
        return;
    }
    SendMembers(forum, Build(protocol::TUserPresent{forum.Id(), guest.Icon(), guest.alias}));
    forum.Add(guest.key, guest.alias, guest.session);
    guest.privateRooms.insert(forum.Id());
    SendRoomTo(forum, guest);
    SendTo(guest, Build(protocol::TRoomNotice{kForumKind, forum.Id()}));
}

bool Zone::MayOpenRoom(ZoneUser& user, const ZoneUser* other) {
    size_t limit = static_cast<size_t>(m_config.roomsPerUser);
    if (user.privateRooms.size() >= limit) {
        Box(user, "You have too many rooms open.");
        return false;
    }
    if (other && other->privateRooms.size() >= limit) {
        Box(user, other->alias + " has too many rooms open.");
        return false;
    }
    if (m_privateRoomCount >= static_cast<size_t>(m_config.maxRooms)) {
        Box(user, "No room can be opened now; try again later.");
        return false;
    }
    return true;
}

// At most maxRooms (< 60001) private rooms and 32 public ones exist, so a
// free id among the 65535 is always found.
Room& Zone::NewPrivateRoom(int kind, const std::string& name) {
    while (m_nextRoomId == 0 || m_rooms.count(m_nextRoomId)) ++m_nextRoomId;
    uint16_t id = m_nextRoomId++;
    ++m_privateRoomCount;
    const char* prefix = kind == kPrivateChatKind ? kChatPrefix : kForumPrefix;
    return m_rooms.emplace(id, Room(id, kind, 0, name, prefix)).first->second;
}

void Zone::SendRoomTo(const Room& room, const ZoneUser& user) {
    SendTo(user, Build(protocol::TRoomOpen{room.Kind(), room.Id(), room.Flags(), room.TitleFor(user.key), room.Prefix()}));
    for (const RoomMember& m : room.Members())
        if (const ZoneUser* member = m.session ? UserByKey(m.key) : nullptr)
            SendTo(user, Build(protocol::TUserPresent{room.Id(), member->Icon(), member->alias}));
}

void Zone::LeavePrivate(ZoneUser& user, Room& room) {
    bool closes = room.Kind() == kPrivateChatKind || room.IsOwner(user.key);
    uint16_t id = room.Id();
    room.Remove(user.key);
    user.privateRooms.erase(id);
    SendMembers(room, Build(protocol::TRoomClosed{id, user.alias}));
    if (closes || room.PresentCount() == 0) RemoveRoom(id);
}

void Zone::RemoveRoom(uint16_t id) {
    auto it = m_rooms.find(id);
    if (it == m_rooms.end() || !it->second.IsPrivate()) return;
    for (const RoomMember& m : it->second.Members())
        if (ZoneUser* member = UserByKey(m.key)) member->privateRooms.erase(id);
    m_rooms.erase(it);
    --m_privateRoomCount;
}

void Zone::RejoinPrivateRooms(ZoneUser& user) {
    for (auto& [id, room] : m_rooms) {
        const RoomMember* m = room.IsPrivate() ? room.Find(user.key) : nullptr;
        if (!m || m->session != 0) continue;
        room.SetSession(user.key, user.session);
        user.privateRooms.insert(id);
    }
}

void Zone::AbsentFromPrivateRooms(ZoneUser& user) {
    std::vector<uint16_t> empty;
    for (uint16_t id : user.privateRooms) {
        Room& room = m_rooms.at(id);
        room.SetSession(user.key, 0);
        if (room.PresentCount() == 0) empty.push_back(id);
    }
    for (uint16_t id : empty) RemoveRoom(id);
    user.privateRooms.clear();
}

}  // namespace server
