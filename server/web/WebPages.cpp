#include "web/WebPages.h"

#include <ctime>

namespace server::web {
namespace {

// The skin's palette: deep ground, ink text, teal and amber accents.
constexpr char kStyle[] =
    "body{margin:6px;background:#121a33;color:#e8ecf8;font-family:sans-serif;font-size:12px}"
    "h1{font-size:15px;color:#2ec4b6;margin:0 0 6px 0}"
    "h2{font-size:13px;color:#ffb23f;margin:8px 0 4px 0}"
    ".line{border-bottom:1px solid #33406a;padding:3px 0}"
    ".mist{color:#8d9ac2}"
    "table{border-collapse:collapse;width:100%}"
    "th{color:#8d9ac2;text-align:left;border-bottom:1px solid #33406a;padding:2px 4px}"
    "td{padding:2px 4px;border-bottom:1px solid #222d4d}"
    "td.n,th.n{text-align:right}"
    "a{color:#7ee8dc}";

std::string Page(const std::string& title, const std::string& body, const std::string& extraStyle = "") {
    return "<!DOCTYPE html><html><head><meta charset=\"windows-1252\"><title>" + EscapeHtml(title) +
           "</title><style>" + kStyle + extraStyle + "</style></head><body>" + body + "</body></html>";
}

// A unix time as UTC text in the strftime format.
std::string Stamp(int64_t unixTime, const char* format) {
    if (unixTime <= 0) return "-";
    const std::time_t t = static_cast<std::time_t>(unixTime);
    std::tm tm{};
    gmtime_r(&t, &tm);
    char text[24];
    std::strftime(text, sizeof text, format, &tm);
    return text;
}

std::string Cell(int64_t value) { return "<td class=\"n\">" + std::to_string(value) + "</td>"; }

}  // namespace

std::string GameName(int kind) {
    static const char* const kNames[] = {"Tumblix", "Backgammon", "Puzzle", "Yatzy"};
    return kind >= 1 && kind <= kGameKinds ? kNames[kind - 1] : "";
}

std::string EscapeHtml(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '&': out += "&amp;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default:
            if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') out += c;
        }
    }
    return out;
}

std::string HomePage(const std::string& zoneName, const VisitCounts& visits) {
    std::string body = "<h1>" + EscapeHtml(zoneName) + "</h1><div class=\"line\"><a href=\"/news\">News</a></div>";
    for (int kind = 1; kind <= kGameKinds; ++kind)
        body += "<div class=\"line\"><a href=\"/top100?Game=" + std::to_string(kind + 1) + "\">Top 100 " +
                GameName(kind) + "</a></div>";
    body += "<h2>Visits since the zone started</h2><table>";
    for (int entry = 1; entry <= kVisitEntries; ++entry)
        body += "<tr><td>" + VisitName(entry) + "</td>" + Cell(visits[static_cast<size_t>(entry - 1)]) + "</tr>";
    return Page(zoneName, body + "</table>");
}

std::string NewsPage(const std::vector<std::string>& lines) {
    std::string body = "<h1>News</h1>";
    if (lines.empty()) body += "<div class=\"mist\">No news today. Have a good game!</div>";
    for (const std::string& line : lines) body += "<div class=\"line\">" + EscapeHtml(line) + "</div>";
    return Page("News", body);
}

// One block per game, two short lines each, so the page fits the lobby's
// 250-pixel pop-up window as well as a wide panel.
std::string ProfilePage(const Profile& p) {
    std::string body = "<h1>" + EscapeHtml(p.alias) + "</h1><div class=\"mist\">Member since " +
                       Stamp(p.createdAt, "%Y-%m-%d") + ", " + std::to_string(p.logonCount) + " visits</div>";
    for (int kind = 1; kind <= kGameKinds; ++kind) {
        const ProfileGame& g = p.games[static_cast<size_t>(kind - 1)];
        body += "<div class=\"line\"><b>" + GameName(kind) + "</b> <span class=\"mist\">";
        body += g.place > 0 ? "rating " + std::to_string(g.rating) + ", place " + std::to_string(g.place)
                            : std::string("not rated yet");
        body += "</span><br>won " + std::to_string(g.won) + " &middot; lost " + std::to_string(g.lost) +
                " &middot; left " + std::to_string(g.dropped) + "</div>";
    }
    return Page(p.alias, body);
}

std::string UnknownUserPage(const std::string& alias) {
    return Page("Profile", "<h1>Profile</h1><div class=\"mist\">Nobody is called " + EscapeHtml(alias) + ".</div>");
}

std::string TopPage(int kind, const std::vector<TopRow>& rows) {
    std::string body = "<h1>Top 100 " + GameName(kind) + "</h1>";
    if (rows.empty()) return Page("Top 100", body + "<div class=\"mist\">Nobody has played yet.</div>");
    body += "<table><tr><th class=\"n\">#</th><th>Player</th><th class=\"n\">Rating</th><th class=\"n\">Won</th>"
            "<th class=\"n\">Lost</th></tr>";
    for (size_t i = 0; i < rows.size(); ++i)
        body += "<tr>" + Cell(static_cast<int64_t>(i) + 1) + "<td>" + EscapeHtml(rows[i].alias) + "</td>" +
                Cell(rows[i].rating) + Cell(rows[i].won) + Cell(rows[i].lost) + "</tr>";
    return Page("Top 100", body + "</table>");
}

std::string ChatHeaderPage() {
    return Page("Chat", "<div style=\"color:#2ec4b6;font-weight:bold\">Quorvalendix chat</div>"
                        "<div class=\"mist\">Be nice, and have fun!</div>",
                "body{margin:2px 4px}");
}

std::string BannerPage(int number) {
    static const char* const kBanners[][3] = {
        {"Yatzy tonight", "in the Games room at 20:00", "#ffb23f"},
        {"Tumblix duel?", "Open a table and wait for a rival", "#2ec4b6"},
        {"Backgammon", "Match play to 7 with the doubling cube", "#ef476f"},
    };
    const auto& b = kBanners[number >= 1 && number <= 3 ? number - 1 : 0];
    return Page(b[0], std::string("<div style=\"font-size:16px;font-weight:bold;color:") + b[2] + "\">" + b[0] +
                          "</div><div style=\"margin-top:6px\">" + b[1] + "</div>",
                "body{margin:8px;text-align:center}");
}

std::string BadgePage() {
    return Page("Top 100", "<a href=\"/top100?Game=2&amp;obwindow=300,500\" target=\"_blank\" "
                           "style=\"display:block;color:#ffb23f;font-weight:bold;text-decoration:none\">"
                           "Top 100</a><div class=\"mist\" style=\"font-size:9px\">who plays best?</div>",
                "body{margin:2px;text-align:center;font-size:11px}");
}

std::string CameraPage(const ZoneView& view) {
    std::string body = "<h1>Live from the zone</h1><div class=\"mist\">" + std::to_string(view.members) +
                       " members. Latest arrivals:</div>";
    for (const Arrival& a : view.arrivals)
        body += "<div class=\"line\">" + EscapeHtml(a.alias) + " <span class=\"mist\">" + Stamp(a.at, "%Y-%m-%d %H:%M") +
                "</span></div>";
    return Page("Camera", body);
}

std::string CameraTextPage() {
    return Page("Camera", "<h2>The zone camera</h2><div>Who came in last, refreshed every half minute.</div>"
                          "<div class=\"mist\" style=\"margin-top:6px\">When the camera is off, its still "
                          "pictures stand in for it.</div>");
}

std::string VisitPage() { return Page("Visit", "", "body{margin:0}"); }

std::string VisitName(int entry) {
    static const char* const kNames[] = {"Lobby", "Tumblix", "Backgammon", "Puzzle", "Menu", "Rooms", "Yatzy"};
    return entry >= 1 && entry <= kVisitEntries ? kNames[entry - 1] : "";
}

std::string NotFoundPage() { return Page("Not found", "<h1>Not found</h1><div class=\"mist\">No such page.</div>"); }

}  // namespace server::web
