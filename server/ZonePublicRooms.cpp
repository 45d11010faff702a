// The public rooms: a user is in the one they look at. The client says so
// when it switches tabs (" " and the room left, then "!" and the room
// entered); every client keeps every public room's user list, so each change
// goes to all users.
#include "Zone.h"

namespace server {

void Zone::OnEnterRoom(ZoneUser& user, const protocol::TEnterRoom& in) {
    Room* room = RoomById(static_cast<uint16_t>(in.Room));
    // Entering a private room's tab changes nothing: its members stay members.
    if (room && !room->IsPrivate()) EnterPublic(user, *room);
}

void Zone::OnLeaveRoom(ZoneUser& user, const protocol::TLeaveRoom& in) {
    if (in.Room != 0 && in.Room == user.publicRoom) LeavePublic(user);
}

void Zone::EnterPublic(ZoneUser& user, Room& room) {
    if (user.publicRoom == room.Id()) return;
    // One public room at a time, even when a client skipped its " ".
    LeavePublic(user);
    room.Add(user.key, user.alias, user.session);
    user.publicRoom = room.Id();
    if (room.ShowsUsers()) SendAll(Build(protocol::TUserPresent{room.Id(), user.Icon(), user.alias}));
}

void Zone::LeavePublic(ZoneUser& user) {
    Room* room = RoomById(user.publicRoom);
    user.publicRoom = 0;
    if (!room) return;
    room->Remove(user.key);
    if (room->ShowsUsers()) SendAll(Build(protocol::TUserGone{room->Id(), user.alias}));
}

}  // namespace server
