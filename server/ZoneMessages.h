// The messages of the zone, both ways: a reader that cuts the fields of what
// a client sends (raw bytes, 16-bit numbers low byte first, text fields ended
// by 0x01) without ever reading past the message, and builders of what the
// server sends after the logon. Builders take texts as bytes; callers keep
// 0x01 out of names (aliases and room names never hold control bytes).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "AccountStore.h"

namespace server {

// Codes the zone sends.
constexpr uint8_t kCodeUserLeft = 6;
constexpr uint8_t kCodeChatLine = 9;
constexpr uint8_t kCodeMessageBox = 23;
constexpr uint8_t kCodePingAnswer = 30;
constexpr uint8_t kCodeRoomInvitation = 31;
constexpr uint8_t kCodeRoomUserGone = 32;
constexpr uint8_t kCodeRoomUser = 33;
constexpr uint8_t kCodeRoom = 34;
constexpr uint8_t kCodeRoomLeftBy = 35;
constexpr uint8_t kCodeShowRoom = 36;
constexpr uint8_t kCodeUserInfo = 47;
constexpr uint8_t kCodeBannerInterval = 48;
constexpr uint8_t kCodeBannerPeriod = 49;
constexpr uint8_t kCodeUrl = 99;          // "c"
constexpr uint8_t kCodePrivileged = 107;  // "k"
constexpr uint8_t kCodeOptions = 111;     // "o"
constexpr uint8_t kCodeQuestion = 113;    // "q"

// Codes the lobby sends.
constexpr uint8_t kCodeLeaveRoom = ' ';
constexpr uint8_t kCodeEnterRoom = '!';
constexpr uint8_t kCodeCloseRoom = '#';
constexpr uint8_t kCodeSay = 0x08;
constexpr uint8_t kCodeInfoRequest = '/';
constexpr uint8_t kCodeOpenRoom = '+';      // then 0 (private chat) or 1 (forum)
constexpr uint8_t kCodeForumAdd = 0x1F;
constexpr uint8_t kCodeUrlRequest = 'c';
constexpr uint8_t kCodeSetOption = 'n';
constexpr uint8_t kCodeAnswer = 'q';
constexpr uint8_t kCodePingRequest = 0x1E;  // "/ping" of a privileged user

// Room kinds below 2 are private: a private chat of two, and a forum.
constexpr int kPrivateChatKind = 0;
constexpr int kForumKind = 1;

// Reads the fields after a message's code byte.
class MessageReader {
public:
    explicit MessageReader(std::string_view message) : m_rest(message.empty() ? message : message.substr(1)) {}

    bool Byte(uint8_t& value);
    bool Word(uint16_t& value);
    // A text up to the next 0x01, which is consumed; false when there is none.
    bool Field(std::string& text);
    // Everything not read yet.
    std::string_view Rest() const { return m_rest; }

private:
    std::string_view m_rest;
};

std::string UserLeftService(const std::string& name);
// Text is the whole line as shown, "name: text"; a last byte is added for
// the client to drop.
std::string ChatLine(uint16_t room, int nameColour, int textColour, const std::string& text);
std::string MessageBox(const std::string& text, const std::string& title);
std::string PingAnswer();
std::string RoomInvitation(int kind, uint16_t room);
std::string RoomUserGone(uint16_t room, const std::string& name);
std::string RoomUser(uint16_t room, int icon, const std::string& name);
std::string RoomOpen(int kind, uint16_t room, int flags, const std::string& title, const std::string& prefix);
std::string RoomLeftBy(uint16_t room, const std::string& name);
std::string ShowRoom(uint16_t room);
// Name, date, time, logon count, ping, then the four games' records.
std::string UserInfo(const std::string& name, const std::string& date, const std::string& time,
                     int64_t logonCount, int pingMs, const GameRecords& games);
std::string BannerInterval(int seconds);
std::string BannerPeriod(int minutes);
std::string Url(int entry, const std::string& url);
std::string Privileged(bool privileged);
std::string Options(const std::string& digits);
std::string Question(const std::string& question, const std::vector<std::string>& answers);

}  // namespace server
