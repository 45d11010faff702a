// The web site's own read-only connection to the accounts database: the
// profile, top-100 and zone-camera queries of its pages. It runs on the web site's
// thread, so the zone's loop never waits for it (SQLite's WAL or busy
// time-out lets both read while the zone writes).
#pragma once

#include <sqlite3.h>

#include <string>
#include <vector>

#include "web/WebPages.h"

namespace server::web {

class WebData {
public:
    WebData() = default;
    ~WebData();
    WebData(const WebData&) = delete;
    WebData& operator=(const WebData&) = delete;

    // Opens the database file read-only; false with an error text.
    bool Open(const std::string& path, std::string& error);
    // False when no account has that alias (any letter case).
    bool FindProfile(const std::string& alias, Profile& profile);
    // The best players of a game kind by rating, at most limit.
    std::vector<TopRow> Top(int kind, int limit);
    // The member count and the latest logons, at most limit, newest first.
    ZoneView View(int limit);

private:
    bool ReadGames(int64_t accountId, Profile& profile);

    sqlite3* m_db = nullptr;
};

}  // namespace server::web
