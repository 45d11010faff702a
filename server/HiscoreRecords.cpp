// The account store's hiscore lists, ranked in SQL over the statistics.
#include <sqlite3.h>

#include "AccountStore.h"
#include "SqlStatement.h"

#include <string>

namespace server {
namespace {

// The ranked players of list ?1. One game ranks by the exact rating (as the
// user information's place does) and shows it whole; all games rank by the
// sum they show, so a higher score never stands below a lower one.
constexpr char kRankedPlayers[] =
    "WITH scores AS ("
    "  SELECT account_id, CAST(SUM(ROUND(rating)) AS INTEGER) AS score,"
    "         CASE WHEN ?1 = 0 THEN SUM(ROUND(rating)) ELSE SUM(rating) END AS rank_key"
    "  FROM statistics"
    "  WHERE (?1 = 0 OR game = ?1) AND game BETWEEN 1 AND 4 AND won + lost + dropped > 0"
    "  GROUP BY account_id),"
    " ranked AS ("
    "  SELECT account_id, score, RANK() OVER (ORDER BY rank_key DESC) AS place FROM scores)"
    " SELECT r.place, a.alias, r.score FROM ranked r JOIN accounts a ON a.id = r.account_id ";

bool KnownList(int list) { return list >= kAllGamesList && list <= kGameKinds; }

HiscoreEntry EntryOf(const Statement& s) { return HiscoreEntry{s.Int(0), s.Text(1), s.Int(2)}; }

}  // namespace

bool AccountStore::Hiscores(int list, int64_t first, int64_t last, std::vector<HiscoreEntry>& entries) const {
    entries.clear();
    if (!KnownList(list) || first < 1 || last < first) return true;
    const std::string sql = std::string(kRankedPlayers) + "ORDER BY r.place, a.alias COLLATE NOCASE LIMIT ?2 OFFSET ?3";
    Statement s(m_db, sql.c_str());
    if (!s.Ok()) return false;
    s.Bind(1, int64_t{list}).Bind(2, last - first + 1).Bind(3, first - 1);
    int rc;
    while ((rc = s.Step()) == SQLITE_ROW) entries.push_back(EntryOf(s));
    return rc == SQLITE_DONE;
}

bool AccountStore::HiscoreOf(int64_t id, int list, HiscoreEntry& entry) const {
    entry = HiscoreEntry{};
    if (!KnownList(list)) return true;
    const std::string sql = std::string(kRankedPlayers) + "WHERE r.account_id = ?2";
    Statement s(m_db, sql.c_str());
    if (!s.Ok()) return false;
    s.Bind(1, int64_t{list}).Bind(2, id);
    int rc = s.Step();
    if (rc == SQLITE_ROW) entry = EntryOf(s);
    return rc == SQLITE_ROW || rc == SQLITE_DONE;
}

}  // namespace server
