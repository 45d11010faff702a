#include "ZoneConfig.h"

#include <algorithm>

#include "IniReader.h"
#include "platform/Codepage.h"

namespace server {
namespace {

const char* const kSection = "Zone";
// Room names and tab prefixes longer than this are typing errors.
constexpr size_t kMaxRoomName = 40;
constexpr size_t kMaxPrefix = 32;
// Longer URLs are refused rather than cut, so no client visits half of one.
constexpr size_t kMaxUrl = 1000;
constexpr size_t kMaxOptionDigits = 32;
constexpr size_t kMaxBannerUrls = 16;
constexpr int kMaxWebTabs = 12;
constexpr long long kMaxTabRefresh = 86400;

// A text of the file as the clients' bytes, without control characters
// (which would end or escape a field).
std::string ClientText(const std::string& utf8) {
    std::string out;
    for (char ch : platform::Utf8ToCp1252(utf8))
        if (static_cast<unsigned char>(ch) >= 0x20 && ch != 0x7F) out.push_back(ch);
    return out;
}

std::string Trimmed(std::string text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

bool ParseRoom(const std::string& value, RoomConfig& room) {
    size_t a = value.find(','), b = a == std::string::npos ? a : value.find(',', a + 1);
    size_t c = b == std::string::npos ? b : value.find(',', b + 1);
    if (c == std::string::npos) return false;
    long long kind = 0, flags = 0;
    if (!ParseInteger(value.substr(0, a), kind) || !ParseInteger(value.substr(a + 1, b - a - 1), flags)) return false;
    room.kind = static_cast<int>(kind);
    room.flags = static_cast<int>(flags);
    room.prefix = Trimmed(ClientText(value.substr(b + 1, c - b - 1)));
    room.name = Trimmed(ClientText(value.substr(c + 1)));
    return kind >= 2 && kind <= 255 && flags >= 0 && flags <= 255 && !room.prefix.empty() &&
           room.prefix.size() <= kMaxPrefix && !room.name.empty() && room.name.size() <= kMaxRoomName;
}

void ReadRooms(const IniReader& ini, ZoneConfig& config, std::vector<std::string>& warnings) {
    std::vector<RoomConfig> rooms;
    bool any = false;
    for (int i = 1; i <= kMaxConfiguredRooms; ++i) {
        std::string key = "Room" + std::to_string(i);
        if (!ini.Has(kSection, key)) continue;
        any = true;
        RoomConfig room;
        if (ParseRoom(ini.ReadString(kSection, key, ""), room))
            rooms.push_back(room);
        else
            warnings.push_back(key + " is not \"kind,flags,prefix,name\" with a kind from 2 to 255; left out");
    }
    if (!any) return;
    if (rooms.empty()) {
        warnings.push_back("no usable room; using the default rooms");
        return;
    }
    config.rooms = rooms;
}

void ReadUrls(const IniReader& ini, ZoneConfig& config, std::vector<std::string>& warnings) {
    for (int i = 1; i <= kUrlCount; ++i) {
        std::string key = "Url" + std::to_string(i);
        std::string url = ClientText(ini.ReadString(kSection, key, ""));
        if (url.size() > kMaxUrl)
            warnings.push_back(key + " is longer than " + std::to_string(kMaxUrl) + " bytes; left empty");
        else
            config.urls[static_cast<size_t>(i - 1)] = url;
    }
}

// Long enough for any page's address; longer values are typing errors.
std::string CheckedUrl(const std::string& key, const std::string& url, std::vector<std::string>& warnings) {
    if (url.size() <= kMaxUrl) return url;
    warnings.push_back(key + " names a URL longer than " + std::to_string(kMaxUrl) + " bytes; left out");
    return "";
}

// Banner1..3: the place's URLs separated by spaces (place 2 turns through
// them on each banner request).
void ReadBanners(const IniReader& ini, ZoneConfig& config, std::vector<std::string>& warnings) {
    for (size_t place = 0; place < config.banners.size(); ++place) {
        const std::string key = "Banner" + std::to_string(place + 1);
        const std::string value = ClientText(ini.ReadString(kSection, key, ""));
        std::vector<std::string> urls;
        for (size_t at = 0; at < value.size();) {
            const size_t end = std::min(value.find(' ', at), value.size());
            const std::string url = CheckedUrl(key, value.substr(at, end - at), warnings);
            if (!url.empty() && urls.size() < kMaxBannerUrls) urls.push_back(url);
            at = end + 1;
        }
        if (!urls.empty()) config.banners[place] = urls;
    }
}

// "title|prefix|url|refresh|camera url"; refresh and camera url may be left
// off. False when title, prefix or url is missing or refresh is no number.
bool ParseWebTab(const std::string& key, const std::string& value, protocol::TWebTab& tab,
                 std::vector<std::string>& warnings) {
    std::vector<std::string> parts;
    for (size_t at = 0;;) {
        const size_t bar = value.find('|', at);
        parts.push_back(Trimmed(value.substr(at, bar == std::string::npos ? std::string::npos : bar - at)));
        if (bar == std::string::npos) break;
        at = bar + 1;
    }
    parts.resize(std::max<size_t>(parts.size(), 5));
    long long refresh = 0;
    if (!parts[3].empty() && (!ParseInteger(parts[3], refresh) || refresh < 0 || refresh > kMaxTabRefresh))
        return false;
    tab = {parts[0], parts[1], CheckedUrl(key, parts[2], warnings), static_cast<int>(refresh),
           CheckedUrl(key, parts[4], warnings)};
    return !tab.Title.empty() && !tab.Prefix.empty() && tab.Prefix.size() <= kMaxPrefix && !tab.Url.empty();
}

// Area1Tab1.. and Area2Tab1..: the tabs of web areas 1 and 2.
void ReadWebTabs(const IniReader& ini, ZoneConfig& config, std::vector<std::string>& warnings) {
    for (size_t area = 0; area < config.webTabs.size(); ++area) {
        std::vector<protocol::TWebTab> tabs;
        for (int i = 1; i <= kMaxWebTabs; ++i) {
            const std::string key = "Area" + std::to_string(area + 1) + "Tab" + std::to_string(i);
            if (!ini.Has(kSection, key)) continue;
            protocol::TWebTab tab;
            if (ParseWebTab(key, ClientText(ini.ReadString(kSection, key, "")), tab, warnings))
                tabs.push_back(tab);
            else
                warnings.push_back(key + " is not \"title|prefix|url|refresh|camera url\"; left out");
        }
        if (!tabs.empty()) config.webTabs[area] = tabs;
    }
}

void ReadOptions(const IniReader& ini, ZoneConfig& config, std::vector<std::string>& warnings) {
    if (!ini.Has(kSection, "DefaultOptions")) return;
    std::string digits = ini.ReadString(kSection, "DefaultOptions", "");
    bool ok = !digits.empty() && digits.size() <= kMaxOptionDigits;
    for (char ch : digits) ok = ok && ch >= '0' && ch <= '9';
    if (ok)
        config.defaultOptions = digits;
    else
        warnings.push_back("DefaultOptions is not 1 to 32 digits; using " + config.defaultOptions);
}

}  // namespace

void ReadZoneConfig(const IniReader& ini, ZoneConfig& config, std::vector<std::string>& warnings) {
    ReadRooms(ini, config, warnings);
    ReadUrls(ini, config, warnings);
    ReadBanners(ini, config, warnings);
    ReadWebTabs(ini, config, warnings);
    ReadOptions(ini, config, warnings);
    ReadBounded(ini, kSection, "BannerMinInterval", 0, 86400, config.bannerMinIntervalSeconds, warnings);
    ReadBounded(ini, kSection, "BannerPeriod", 1, 1440, config.bannerPeriodMinutes, warnings);
    ReadBounded(ini, kSection, "NameColour", 0, 255, config.nameColour, warnings);
    ReadBounded(ini, kSection, "TextColour", 0, 255, config.textColour, warnings);
    ReadBounded(ini, kSection, "PrivilegedNameColour", 0, 255, config.privilegedNameColour, warnings);
    ReadBounded(ini, kSection, "NoticeNameColour", 0, 255, config.noticeNameColour, warnings);
    ReadBounded(ini, kSection, "NoticeTextColour", 0, 255, config.noticeTextColour, warnings);
    ReadBounded(ini, kSection, "ChatLineBytes", 20, 4000, config.chatLineBytes, warnings);
    ReadBounded(ini, kSection, "ChatBurst", 1, 1000, config.chatBurst, warnings);
    ReadBounded(ini, kSection, "ChatLinesPerMinute", 1, 6000, config.chatLinesPerMinute, warnings);
    ReadBounded(ini, kSection, "RoomsPerUser", 1, 1000, config.roomsPerUser, warnings);
    ReadBounded(ini, kSection, "ForumMembers", 2, 1000, config.forumMembers, warnings);
    ReadBounded(ini, kSection, "MaxRooms", 1, 60000, config.maxRooms, warnings);
    ReadBounded(ini, kSection, "MaxUploadBytes", 0, 1ll << 40, config.maxUploadBytes, warnings);
}

std::string DefaultZoneIni() {
    ZoneConfig d;
    std::string t;
    auto line = [&](const std::string& text) { t += text + "\r\n"; };
    line("[Zone]");
    line("; Public rooms: kind,flags,prefix,name. The first is where users land;");
    line("; kind 5 has no user list and takes no chat from users (news).");
    for (size_t i = 0; i < d.rooms.size(); ++i) {
        const RoomConfig& r = d.rooms[i];
        line("Room" + std::to_string(i + 1) + "=" + std::to_string(r.kind) + "," + std::to_string(r.flags) + "," +
             r.prefix + "," + r.name);
    }
    line("; URL entries 1..7 the clients ask for (the lobby's hidden panel visits");
    line("; them), the banners of places 1..3 (URLs separated by spaces; place 2");
    line("; turns through them) and the web areas' tabs: keys Area1Tab1.. and");
    line("; Area2Tab1.., each \"title|tab prefix|url|refresh seconds|camera url\".");
    line("; Empty or missing: the pages of the zone's own web site, section [Web].");
    for (int i = 1; i <= kUrlCount; ++i) line("Url" + std::to_string(i) + "=");
    for (int i = 1; i <= 3; ++i) line("Banner" + std::to_string(i) + "=");
    line("BannerMinInterval=" + std::to_string(d.bannerMinIntervalSeconds));
    line("BannerPeriod=" + std::to_string(d.bannerPeriodMinutes));
    line("DefaultOptions=" + d.defaultOptions);
    line("NameColour=" + std::to_string(d.nameColour));
    line("TextColour=" + std::to_string(d.textColour));
    line("PrivilegedNameColour=" + std::to_string(d.privilegedNameColour));
    line("NoticeNameColour=" + std::to_string(d.noticeNameColour));
    line("NoticeTextColour=" + std::to_string(d.noticeTextColour));
    line("ChatLineBytes=" + std::to_string(d.chatLineBytes));
    line("ChatBurst=" + std::to_string(d.chatBurst));
    line("ChatLinesPerMinute=" + std::to_string(d.chatLinesPerMinute));
    line("RoomsPerUser=" + std::to_string(d.roomsPerUser));
    line("ForumMembers=" + std::to_string(d.forumMembers));
    line("MaxRooms=" + std::to_string(d.maxRooms));
    line("; The largest file the operator may upload into the folder uploads/.");
    line("MaxUploadBytes=" + std::to_string(d.maxUploadBytes));
    return t;
}

}  // namespace server
