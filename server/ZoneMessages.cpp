#include "ZoneMessages.h"

namespace server {
namespace {

constexpr char kFieldEnd = 0x01;

std::string Code(uint8_t code) { return std::string(1, static_cast<char>(code)); }

void AddField(std::string& m, const std::string& text) {
    m += text;
    m.push_back(kFieldEnd);
}

void AddWord(std::string& m, uint16_t value) {
    m.push_back(static_cast<char>(value & 0xFF));
    m.push_back(static_cast<char>(value >> 8));
}

void AddByte(std::string& m, int value) { m.push_back(static_cast<char>(static_cast<uint8_t>(value))); }

}  // namespace

bool MessageReader::Byte(uint8_t& value) {
    if (m_rest.empty()) return false;
    value = static_cast<uint8_t>(m_rest[0]);
    m_rest.remove_prefix(1);
    return true;
}

bool MessageReader::Word(uint16_t& value) {
    if (m_rest.size() < 2) return false;
    value = static_cast<uint16_t>(static_cast<uint8_t>(m_rest[0]) | static_cast<uint8_t>(m_rest[1]) << 8);
    m_rest.remove_prefix(2);
    return true;
}

bool MessageReader::Field(std::string& text) {
    size_t end = m_rest.find(kFieldEnd);
    if (end == std::string_view::npos) return false;
    text = std::string(m_rest.substr(0, end));
    m_rest.remove_prefix(end + 1);
    return true;
}

std::string UserLeftService(const std::string& name) {
    std::string m = Code(kCodeUserLeft);
    AddField(m, name);
    return m;
}

std::string ChatLine(uint16_t room, int nameColour, int textColour, const std::string& text) {
    std::string m = Code(kCodeChatLine);
    AddWord(m, room);
    AddByte(m, nameColour);
    AddByte(m, textColour);
    AddField(m, text);
    return m;
}

std::string MessageBox(const std::string& text, const std::string& title) {
    std::string m = Code(kCodeMessageBox);
    AddField(m, text);
    AddField(m, title);
    return m;
}

std::string PingAnswer() { return Code(kCodePingAnswer); }

std::string RoomInvitation(int kind, uint16_t room) {
    std::string m = Code(kCodeRoomInvitation);
    AddByte(m, kind);
    AddWord(m, room);
    return m;
}

std::string RoomUserGone(uint16_t room, const std::string& name) {
    std::string m = Code(kCodeRoomUserGone);
    AddWord(m, room);
    AddField(m, name);
    return m;
}

std::string RoomUser(uint16_t room, int icon, const std::string& name) {
    std::string m = Code(kCodeRoomUser);
    AddWord(m, room);
    AddByte(m, icon);
    AddField(m, name);
    return m;
}

std::string RoomOpen(int kind, uint16_t room, int flags, const std::string& title, const std::string& prefix) {
    std::string m = Code(kCodeRoom);
    AddByte(m, kind);
    AddWord(m, room);
    AddByte(m, flags);
    AddField(m, title);
    AddField(m, prefix);
    return m;
}

std::string RoomLeftBy(uint16_t room, const std::string& name) {
    std::string m = Code(kCodeRoomLeftBy);
    AddWord(m, room);
    AddField(m, name);
    return m;
}

std::string ShowRoom(uint16_t room) {
    std::string m = Code(kCodeShowRoom);
    AddWord(m, room);
    return m;
}

std::string UserInfo(const std::string& name, const std::string& date, const std::string& time,
                     int64_t logonCount, int pingMs, const GameRecords& games) {
    std::string m = Code(kCodeUserInfo);
    AddField(m, name);
    AddField(m, date);
    AddField(m, time);
    AddField(m, std::to_string(logonCount));
    AddField(m, std::to_string(pingMs));
    for (const GameRecord& g : games) {
        AddField(m, std::to_string(g.won));
        AddField(m, std::to_string(g.lost));
        AddField(m, std::to_string(g.dropped));
        AddField(m, std::to_string(g.place));
        AddField(m, std::to_string(g.score));
    }
    return m;
}

std::string BannerInterval(int seconds) {
    std::string m = Code(kCodeBannerInterval);
    AddField(m, std::to_string(seconds));
    return m;
}

std::string BannerPeriod(int minutes) {
    std::string m = Code(kCodeBannerPeriod);
    AddField(m, std::to_string(minutes));
    return m;
}

std::string Url(int entry, const std::string& url) {
    std::string m = Code(kCodeUrl);
    AddByte(m, entry);
    AddField(m, url);
    return m;
}

std::string Privileged(bool privileged) {
    std::string m = Code(kCodePrivileged);
    AddByte(m, privileged ? 1 : 0);
    return m;
}

std::string Options(const std::string& digits) {
    std::string m = Code(kCodeOptions);
    AddField(m, digits);
    return m;
}

std::string Question(const std::string& question, const std::vector<std::string>& answers) {
    std::string m = Code(kCodeQuestion);
    AddField(m, question);
    for (const std::string& a : answers) AddField(m, a);
    return m;
}

}  // namespace server
