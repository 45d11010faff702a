// The server's lobby messages: users coming and going, rooms, chat lines,
// the ping answer, the menu tab and the server's sounds. See
// SessionMessages.h for how Build and Read behave.
#pragma once

#include <string>

#include "protocol/Codes.h"
#include "protocol/FieldReader.h"

namespace protocol {

// Code 6: the user left the service.
struct TUserLeft {
    static constexpr TServerCode kCode = TServerCode::UserLeft;
    std::string Name;
    bool operator==(const TUserLeft&) const = default;
};

// Code 9: a chat line for a room. On the wire the text is followed by one
// more byte, which Read drops and Build adds (byte 1).
struct TChatLine {
    static constexpr TServerCode kCode = TServerCode::ChatLine;
    int Room = 0;
    int NameColour = 0;
    int TextColour = 0;
    std::string Text;
    bool operator==(const TChatLine&) const = default;
};

// Code 30.
struct TPingAnswer {
    static constexpr TServerCode kCode = TServerCode::PingAnswer;
    bool operator==(const TPingAnswer&) const = default;
};

// Code 31: kind 0 someone opened a private chat with the user, kind 1 a
// forum.
struct TRoomNotice {
    static constexpr TServerCode kCode = TServerCode::RoomNotice;
    int Kind = 0;
    int Room = 0;
    bool operator==(const TRoomNotice&) const = default;
};

// Code 32: the user left the room.
struct TUserGone {
    static constexpr TServerCode kCode = TServerCode::UserGone;
    int Room = 0;
    std::string Name;
    bool operator==(const TUserGone&) const = default;
};

// Code 33: a user present in a room.
struct TUserPresent {
    static constexpr TServerCode kCode = TServerCode::UserPresent;
    int Room = 0;
    int Icon = 0;
    std::string Name;
    bool operator==(const TUserPresent&) const = default;
};

// Code 34: a room opened or renamed.
struct TRoomOpen {
    static constexpr TServerCode kCode = TServerCode::RoomOpen;
    int Kind = 0;
    int Room = 0;
    int Flags = 0;  // bit 0: the room has a web-camera page
    std::string Title;
    // The tab prefix as sent; the client uses "Person" for kind 0 and
    // "Forum" for kind 1 whatever was sent.
    std::string Prefix;
    bool operator==(const TRoomOpen&) const = default;
};

// Code 35: Name left the room; when it is the room's title, the room is
// closed.
struct TRoomClosed {
    static constexpr TServerCode kCode = TServerCode::RoomClosed;
    int Room = 0;
    std::string Name;
    bool operator==(const TRoomClosed&) const = default;
};

// Code 36: bring the room forward.
struct TSwitchRoom {
    static constexpr TServerCode kCode = TServerCode::SwitchRoom;
    int Room = 0;
    bool operator==(const TSwitchRoom&) const = default;
};

// Code 42: remove the room and its tab.
struct TRemoveRoom {
    static constexpr TServerCode kCode = TServerCode::RemoveRoom;
    int Room = 0;
    bool operator==(const TRemoveRoom&) const = default;
};

// Code 101: select a tab of the lobby's menu bar (from 1).
struct TMenuTab {
    static constexpr TServerCode kCode = TServerCode::MenuTab;
    int Tab = 0;
    bool operator==(const TMenuTab&) const = default;
};

// Code 100: play a sound.
struct TServerSound {
    static constexpr TServerCode kCode = TServerCode::Sound;
    std::string Name;
    bool operator==(const TServerSound&) const = default;
};

std::string Build(const TUserLeft& m);
std::string Build(const TChatLine& m);
std::string Build(const TPingAnswer& m);
std::string Build(const TRoomNotice& m);
std::string Build(const TUserGone& m);
std::string Build(const TUserPresent& m);
std::string Build(const TRoomOpen& m);
std::string Build(const TRoomClosed& m);
std::string Build(const TSwitchRoom& m);
std::string Build(const TRemoveRoom& m);
std::string Build(const TMenuTab& m);
std::string Build(const TServerSound& m);

bool Read(TFieldReader& r, TUserLeft& m);
bool Read(TFieldReader& r, TChatLine& m);
bool Read(TFieldReader& r, TPingAnswer& m);
bool Read(TFieldReader& r, TRoomNotice& m);
bool Read(TFieldReader& r, TUserGone& m);
bool Read(TFieldReader& r, TUserPresent& m);
bool Read(TFieldReader& r, TRoomOpen& m);
bool Read(TFieldReader& r, TRoomClosed& m);
bool Read(TFieldReader& r, TSwitchRoom& m);
bool Read(TFieldReader& r, TRemoveRoom& m);
bool Read(TFieldReader& r, TMenuTab& m);
bool Read(TFieldReader& r, TServerSound& m);

}  // namespace protocol
