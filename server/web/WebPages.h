// The zone's web pages as HTML text: the news, a user's profile, the top 100
// of a game, the chat-header strip, the banners, the zone camera and the
// small page the lobby's hidden panel visits. Small, valid HTML with
// one style sheet in the zone's colours, laid out with plain blocks and
// tables (no scripts), so the client's browser view draws them well.
//
// Texts are the zone's Windows-1252 bytes; every text from the database or
// the operator is HTML-escaped. Pages declare charset windows-1252.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace server::web {

constexpr int kGameKinds = 4;
// The lobby's hidden panel visits URL entries 1..7 (code 99).
constexpr int kVisitEntries = 7;
using VisitCounts = std::array<int64_t, kVisitEntries>;

struct ProfileGame {
    int64_t won = 0, lost = 0, dropped = 0, rating = 0, place = 0;
};

struct Profile {
    std::string alias;
    int64_t logonCount = 0;
    int64_t createdAt = 0;  // unix time
    std::array<ProfileGame, kGameKinds> games;
};

struct TopRow {
    std::string alias;
    int64_t rating = 0, won = 0, lost = 0, dropped = 0;
};

struct Arrival {
    std::string alias;
    int64_t at = 0;  // unix time of the last logon
};

// What the zone camera shows.
struct ZoneView {
    int64_t members = 0;
    std::vector<Arrival> arrivals;  // the latest logons first
};

// The game's name by kind 1..4 ("" for others).
std::string GameName(int kind);
std::string EscapeHtml(const std::string& text);

// Links to the other pages, and how often each visit entry was visited.
std::string HomePage(const std::string& zoneName, const VisitCounts& visits);
// The newest line first.
std::string NewsPage(const std::vector<std::string>& lines);
std::string ProfilePage(const Profile& profile);
std::string UnknownUserPage(const std::string& alias);
std::string TopPage(int kind, const std::vector<TopRow>& rows);
std::string ChatHeaderPage();
// Banner 1..3 of the zone's own (others give banner 1).
std::string BannerPage(int number);
// Banner place 3, 88 x 31: a link that opens the top list in a pop-up window.
std::string BadgePage();
std::string CameraPage(const ZoneView& view);
std::string CameraTextPage();
// An empty page: the hidden panel's visits only count.
std::string VisitPage();
// What visit entry 1..7 stands for ("" for others).
std::string VisitName(int entry);
std::string NotFoundPage();

}  // namespace server::web
