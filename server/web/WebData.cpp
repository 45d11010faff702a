#include "web/WebData.h"

#include "Rating.h"
#include "SqlStatement.h"

namespace server::web {
namespace {
constexpr int kBusyMs = 2000;
}  // namespace

WebData::~WebData() {
    if (m_db) sqlite3_close(m_db);
}

bool WebData::Open(const std::string& path, std::string& error) {
    if (sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
        error = "the web site cannot read " + path;
        if (m_db) sqlite3_close(m_db);
        m_db = nullptr;
        return false;
    }
    sqlite3_busy_timeout(m_db, kBusyMs);
    return true;
}

bool WebData::FindProfile(const std::string& alias, Profile& profile) {
    Statement s(m_db, "SELECT id, alias, logon_count, created_at FROM accounts WHERE alias = ?1 COLLATE NOCASE");
    s.Bind(1, alias);
    if (s.Step() != SQLITE_ROW) return false;
    profile = Profile{};
    profile.alias = s.Text(1);
    profile.logonCount = s.Int(2);
    profile.createdAt = s.Int(3);
    return ReadGames(s.Int(0), profile);
}

// The place counts the players of the game with a higher rating, as the
// zone's own user information does.
bool WebData::ReadGames(int64_t accountId, Profile& profile) {
    Statement s(m_db,
                "SELECT s.game, s.won, s.lost, s.dropped, s.rating,"
                " 1 + (SELECT count(*) FROM statistics o WHERE o.game = s.game AND o.rating > s.rating"
                "      AND o.won + o.lost + o.dropped > 0)"
                " FROM statistics s WHERE s.account_id = ?1");
    s.Bind(1, accountId);
    int rc;
    while ((rc = s.Step()) == SQLITE_ROW) {
        const int64_t game = s.Int(0);
        if (game < 1 || game > kGameKinds) continue;
        ProfileGame& g = profile.games[static_cast<size_t>(game - 1)];
        g.won = s.Int(1);
        g.lost = s.Int(2);
        g.dropped = s.Int(3);
        const bool played = g.won + g.lost + g.dropped > 0;
        g.rating = played ? Glicko{s.Real(4)}.Whole() : 0;
        g.place = played ? s.Int(5) : 0;
    }
    return rc == SQLITE_DONE;
}

std::vector<TopRow> WebData::Top(int kind, int limit) {
    std::vector<TopRow> rows;
    Statement s(m_db,
                "SELECT a.alias, s.rating, s.won, s.lost, s.dropped FROM statistics s"
                " JOIN accounts a ON a.id = s.account_id"
                " WHERE s.game = ?1 AND s.won + s.lost + s.dropped > 0 AND a.banned = 0"
                " ORDER BY s.rating DESC, a.alias LIMIT ?2");
    s.Bind(1, int64_t{kind}).Bind(2, int64_t{limit});
    while (s.Step() == SQLITE_ROW)
        rows.push_back(TopRow{s.Text(0), Glicko{s.Real(1)}.Whole(), s.Int(2), s.Int(3), s.Int(4)});
    return rows;
}

ZoneView WebData::View(int limit) {
    ZoneView view;
    Statement count(m_db, "SELECT count(*) FROM accounts WHERE banned = 0");
    if (count.Step() == SQLITE_ROW) view.members = count.Int(0);
    Statement s(m_db,
                "SELECT alias, last_logon_at FROM accounts WHERE banned = 0 AND last_logon_at > 0"
                " ORDER BY last_logon_at DESC, alias LIMIT ?1");
    s.Bind(1, int64_t{limit});
    while (s.Step() == SQLITE_ROW) view.arrivals.push_back(Arrival{s.Text(0), s.Int(1)});
    return view;
}

}  // namespace server::web
