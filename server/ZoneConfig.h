// The zone's part of server.ini, section [Zone]: the public rooms, the
// settings every client gets after its logon (URLs, banner timing, default
// option digits), chat colours and the limits that keep one user from
// drowning the others. Texts in the file are UTF-8 and become the clients'
// Windows-1252 bytes when read.
//
// Rooms are keys Room1 .. Room32, each "kind,flags,prefix,name" (the name
// last, so it may hold commas). Public rooms have a kind of 2 or more; kind 5
// has no user list and only the operator writes in it (news). When the file
// names any room, its rooms replace the defaults; the first room is where a
// user lands after the logon.
//
// The web links (Url1..7, Banner1..3, Area1Tab1.., Area2Tab1..) left empty
// point at the zone's own web site when it runs (web/WebLinks.h).
#pragma once

#include <array>
#include <string>
#include <vector>

#include "protocol/DialogMessages.h"

namespace server {

class IniReader;

struct RoomConfig {
    int kind = 2;
    int flags = 0;           // bit 0: the room has a web-camera page
    std::string prefix;      // the skin element of its tab
    std::string name;
};

constexpr int kUrlCount = 7;
constexpr int kMaxConfiguredRooms = 32;
// A room of this kind shows no user list and takes no chat from users.
constexpr int kNewsRoomKind = 5;

struct ZoneConfig {
    std::vector<RoomConfig> rooms{
        {2, 0, "Lobby", "Lobby"},
        {2, 0, "Games", "Games"},
        {2, 0, "Help", "Help"},
        {kNewsRoomKind, 0, "News", "News"},
    };
    // URL entries 1..7 of code 99; empty ones the web site fills.
    std::array<std::string, kUrlCount> urls;
    // Banner URLs of places 1..3 (code 85): each place shows its first URL
    // after the logon; place 2 turns to the next one on each "U" request.
    // Empty where the zone has none (the web site fills them).
    std::array<std::vector<std::string>, 3> banners;
    // The tabs of web areas 1 and 2 (code 106) sent after the logon; empty
    // where the zone has none (the web site fills them).
    std::array<std::vector<protocol::TWebTab>, 2> webTabs;
    int bannerMinIntervalSeconds = 30;  // code 48
    int bannerPeriodMinutes = 30;       // code 49
    std::string defaultOptions = "1";   // sound on

    // Colour numbers (the client's fonts "font" + n) of chat lines.
    int nameColour = 3;
    int textColour = 1;
    int privilegedNameColour = 4;
    int noticeNameColour = 5;
    int noticeTextColour = 2;

    int chatLineBytes = 300;     // longer chat lines are cut
    int chatBurst = 5;           // lines in a row before the throttle
    int chatLinesPerMinute = 40; // the steady rate after the burst
    int roomsPerUser = 20;       // private chats and forums open at once
    int forumMembers = 30;
    int maxRooms = 5000;         // private chats and forums in the zone

    // The operator's uploads ("Sysop", privileged) go below this folder
    // (the server's folder + "uploads/", set when server.ini is loaded; not
    // a key of the file), each at most this large. Empty: no uploads.
    std::string uploadFolder;
    long long maxUploadBytes = 64ll * 1024 * 1024;
};

// Reads [Zone] into config (already holding the defaults); values that are
// out of range keep their default and are named in warnings.
void ReadZoneConfig(const IniReader& ini, ZoneConfig& config, std::vector<std::string>& warnings);

// The [Zone] section of a default server.ini (CR LF line ends).
std::string DefaultZoneIni();

}  // namespace server
