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

std::string Date(int64_t unixTime) {
    if (unixTime <= 0) return "-";
    const std::time_t t = static_cast<std::time_t>(unixTime);
    std::tm tm{};
    gmtime_r(&t, &tm);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &tm);
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

std::string HomePage(const std::string& zoneName) {
    std::string body = "<h1>" + EscapeHtml(zoneName) + "</h1><div class=\"line\"><a href=\"/news\">News</a></div>";
    for (int kind = 1; kind <= kGameKinds; ++kind)
        body += "<div class=\"line\"><a href=\"/top100?Game=" + std::to_string(kind + 1) + "\">Top 100 " +
                GameName(kind) + "</a></div>";
    return Page(zoneName, body);
}

std::string NewsPage(const std::vector<std::string>& lines) {
    std::string body = "<h1>News</h1>";
    if (lines.empty()) body += "<div class=\"mist\">No news today. Have a good game!</div>";
    for (const std::string& line : lines) body += "<div class=\"line\">" + EscapeHtml(line) + "</div>";
    return Page("News", body);
}

std::string ProfilePage(const Profile& p) {
    std::string body = "<h1>" + EscapeHtml(p.alias) + "</h1><div class=\"mist\">Member since " +
                       Date(p.createdAt) + ", " + std::to_string(p.logonCount) + " visits</div>";
    body += "<table><tr><th>Game</th><th class=\"n\">Won</th><th class=\"n\">Lost</th><th class=\"n\">Left</th>"
            "<th class=\"n\">Rating</th><th class=\"n\">Place</th></tr>";
    for (int kind = 1; kind <= kGameKinds; ++kind) {
        const ProfileGame& g = p.games[static_cast<size_t>(kind - 1)];
        body += "<tr><td>" + GameName(kind) + "</td>" + Cell(g.won) + Cell(g.lost) + Cell(g.dropped);
        body += g.place > 0 ? Cell(g.rating) + Cell(g.place) : "<td class=\"n\">-</td><td class=\"n\">-</td>";
        body += "</tr>";
    }
    return Page(p.alias, body + "</table>");
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

std::string NotFoundPage() { return Page("Not found", "<h1>Not found</h1><div class=\"mist\">No such page.</div>"); }

}  // namespace server::web
