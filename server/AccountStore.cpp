#include "AccountStore.h"

#include <sqlite3.h>

#include "SqlStatement.h"

namespace server {
namespace {

// Schema steps: step i brings the database from version i to i + 1.
const char* const kMigrations[] = {
    // 1: the accounts.
    "CREATE TABLE accounts ("
    " id INTEGER PRIMARY KEY,"
    " alias TEXT NOT NULL UNIQUE COLLATE NOCASE,"
    " password_hash TEXT NOT NULL,"
    " birth_year INTEGER NOT NULL DEFAULT 0,"
    " birth_month INTEGER NOT NULL DEFAULT 0,"
    " birth_day INTEGER NOT NULL DEFAULT 0,"
    " gender INTEGER NOT NULL DEFAULT 0,"
    " face INTEGER NOT NULL DEFAULT 0,"
    " banned INTEGER NOT NULL DEFAULT 0,"
    " created_at INTEGER NOT NULL DEFAULT (strftime('%s','now')))",
    // 2: what the last logon brought: the web password, counters, the client.
    "ALTER TABLE accounts ADD COLUMN web_password TEXT NOT NULL DEFAULT '';"
    "ALTER TABLE accounts ADD COLUMN logon_count INTEGER NOT NULL DEFAULT 0;"
    "ALTER TABLE accounts ADD COLUMN last_logon_at INTEGER NOT NULL DEFAULT 0;"
    "ALTER TABLE accounts ADD COLUMN distribution INTEGER NOT NULL DEFAULT 0;"
    "ALTER TABLE accounts ADD COLUMN machine INTEGER NOT NULL DEFAULT 0",
    // 3: the zone: stored option digits, the privileged flag, game
    // statistics, and the operator's questions with the answers given.
    "ALTER TABLE accounts ADD COLUMN options TEXT NOT NULL DEFAULT '';"
    "ALTER TABLE accounts ADD COLUMN privileged INTEGER NOT NULL DEFAULT 0;"
    "CREATE TABLE statistics ("
    " account_id INTEGER NOT NULL REFERENCES accounts(id),"
    " game INTEGER NOT NULL,"
    " won INTEGER NOT NULL DEFAULT 0,"
    " lost INTEGER NOT NULL DEFAULT 0,"
    " dropped INTEGER NOT NULL DEFAULT 0,"
    " score INTEGER NOT NULL DEFAULT 0,"
    " PRIMARY KEY (account_id, game));"
    "CREATE INDEX statistics_by_score ON statistics (game, score);"
    "CREATE TABLE questions ("
    " id INTEGER PRIMARY KEY,"
    " account_id INTEGER NOT NULL REFERENCES accounts(id),"
    " question TEXT NOT NULL,"
    " answers TEXT NOT NULL,"
    " asked_at INTEGER NOT NULL,"
    " answer INTEGER NOT NULL DEFAULT 0,"
    " answered_at INTEGER NOT NULL DEFAULT 0)",
    // 4: ratings replace the summed score: the Glicko-2 triple and the time
    // of the last match. Counts survive; every player restarts at 1500.
    "ALTER TABLE statistics ADD COLUMN rating REAL NOT NULL DEFAULT 1500;"
    "ALTER TABLE statistics ADD COLUMN deviation REAL NOT NULL DEFAULT 350;"
    "ALTER TABLE statistics ADD COLUMN volatility REAL NOT NULL DEFAULT 0.06;"
    "ALTER TABLE statistics ADD COLUMN last_played_at INTEGER NOT NULL DEFAULT 0;"
    "DROP INDEX statistics_by_score;"
    "ALTER TABLE statistics DROP COLUMN score;"
    "CREATE INDEX statistics_by_rating ON statistics (game, rating)",
};
static_assert(sizeof kMigrations / sizeof kMigrations[0] == AccountStore::kSchemaVersion);

void ReadAccount(const Statement& s, Account& a) {
    a.id = s.Int(0);
    a.alias = s.Text(1);
    a.passwordHash = s.Text(2);
    a.birthYear = static_cast<int>(s.Int(3));
    a.birthMonth = static_cast<int>(s.Int(4));
    a.birthDay = static_cast<int>(s.Int(5));
    a.gender = static_cast<int>(s.Int(6));
    a.face = static_cast<int>(s.Int(7));
    a.banned = s.Int(8) != 0;
    a.webPassword = s.Text(9);
    a.logonCount = s.Int(10);
    a.lastLogonAt = s.Int(11);
    a.distribution = static_cast<uint32_t>(s.Int(12));
    a.machine = static_cast<uint32_t>(s.Int(13));
    a.options = s.Text(14);
    a.privileged = s.Int(15) != 0;
}

}  // namespace

AccountStore::~AccountStore() { Close(); }

void AccountStore::Close() {
    if (m_db) sqlite3_close(m_db);
    m_db = nullptr;
}

bool AccountStore::Exec(const std::string& sql, std::string& error) const {
    char* message = nullptr;
    if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &message) == SQLITE_OK) return true;
    error = message ? message : "unknown SQLite error";
    sqlite3_free(message);
    return false;
}

bool AccountStore::Open(const std::string& path, std::string& error) {
    Close();
    if (sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        error = "cannot open the database " + path + ": " + (m_db ? sqlite3_errmsg(m_db) : "out of memory");
        Close();
        return false;
    }
    // A logon writes one row; the write-ahead log keeps that cheap and lets
    // an administrator read the file while the server runs.
    sqlite3_busy_timeout(m_db, 2000);
    if (!Exec("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL", error) || !Migrate(error)) {
        error = "database " + path + ": " + error;
        Close();
        return false;
    }
    return true;
}

int AccountStore::SchemaVersion() const {
    Statement s(m_db, "PRAGMA user_version");
    return s.Step() == SQLITE_ROW ? static_cast<int>(s.Int(0)) : -1;
}

bool AccountStore::Migrate(std::string& error) {
    int version = SchemaVersion();
    if (version < 0) {
        error = "cannot read the schema version";
        return false;
    }
    if (version > kSchemaVersion) {
        error = "schema version " + std::to_string(version) + " is newer than this server's " +
                std::to_string(kSchemaVersion);
        return false;
    }
    for (; version < kSchemaVersion; ++version) {
        std::string sql = std::string("BEGIN; ") + kMigrations[version] + "; PRAGMA user_version=" +
                          std::to_string(version + 1) + "; COMMIT";
        if (!Exec(sql, error)) {
            std::string ignored;
            Exec("ROLLBACK", ignored);
            error = "migration to schema version " + std::to_string(version + 1) + " failed: " + error;
            return false;
        }
    }
    return true;
}

AccountStore::Result AccountStore::Find(const std::string& alias, Account& account) const {
    Statement s(m_db,
                "SELECT id, alias, password_hash, birth_year, birth_month, birth_day, gender, face,"
                " banned, web_password, logon_count, last_logon_at, distribution, machine, options, privileged"
                " FROM accounts WHERE alias = ?1");
    if (!s.Ok()) return Result::Failed;
    s.Bind(1, alias);
    int rc = s.Step();
    if (rc == SQLITE_DONE) return Result::NotFound;
    if (rc != SQLITE_ROW) return Result::Failed;
    ReadAccount(s, account);
    return Result::Ok;
}

AccountStore::Result AccountStore::Create(Account& a) {
    Statement s(m_db,
                "INSERT INTO accounts (alias, password_hash, birth_year, birth_month, birth_day,"
                " gender, face, banned) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)");
    if (!s.Ok()) return Result::Failed;
    s.Bind(1, a.alias).Bind(2, a.passwordHash).Bind(3, a.birthYear).Bind(4, a.birthMonth);
    s.Bind(5, a.birthDay).Bind(6, a.gender).Bind(7, a.face).Bind(8, a.banned ? 1 : 0);
    int rc = s.Step();
    if (rc == SQLITE_CONSTRAINT) return Result::Exists;
    if (rc != SQLITE_DONE) return Result::Failed;
    a.id = sqlite3_last_insert_rowid(m_db);
    return Result::Ok;
}

bool AccountStore::RecordLogon(int64_t id, const std::string& webPassword, uint32_t distribution,
                               uint32_t machine, int64_t unixTime) {
    Statement s(m_db,
                "UPDATE accounts SET web_password = ?2, distribution = ?3, machine = ?4,"
                " last_logon_at = ?5, logon_count = logon_count + 1 WHERE id = ?1");
    s.Bind(1, id).Bind(2, webPassword).Bind(3, static_cast<int64_t>(distribution));
    s.Bind(4, static_cast<int64_t>(machine)).Bind(5, unixTime);
    return s.Step() == SQLITE_DONE && sqlite3_changes(m_db) == 1;
}

bool AccountStore::SetPasswordHash(int64_t id, const std::string& hash) {
    Statement s(m_db, "UPDATE accounts SET password_hash = ?2 WHERE id = ?1");
    s.Bind(1, id).Bind(2, hash);
    return s.Step() == SQLITE_DONE && sqlite3_changes(m_db) == 1;
}

bool AccountStore::SetProfile(int64_t id, int year, int month, int day, int gender, int face) {
    Statement s(m_db,
                "UPDATE accounts SET birth_year = ?2, birth_month = ?3, birth_day = ?4,"
                " gender = ?5, face = ?6 WHERE id = ?1");
    s.Bind(1, id).Bind(2, year).Bind(3, month).Bind(4, day).Bind(5, gender).Bind(6, face);
    return s.Step() == SQLITE_DONE && sqlite3_changes(m_db) == 1;
}

bool AccountStore::SetBanned(const std::string& alias, bool banned) {
    Statement s(m_db, "UPDATE accounts SET banned = ?2 WHERE alias = ?1");
    s.Bind(1, alias).Bind(2, banned ? 1 : 0);
    return s.Step() == SQLITE_DONE && sqlite3_changes(m_db) == 1;
}

bool AccountStore::SetPrivileged(const std::string& alias, bool privileged) {
    Statement s(m_db, "UPDATE accounts SET privileged = ?2 WHERE alias = ?1");
    s.Bind(1, alias).Bind(2, privileged ? 1 : 0);
    return s.Step() == SQLITE_DONE && sqlite3_changes(m_db) == 1;
}

bool AccountStore::SetOptions(int64_t id, const std::string& options) {
    Statement s(m_db, "UPDATE accounts SET options = ?2 WHERE id = ?1");
    s.Bind(1, id).Bind(2, options);
    return s.Step() == SQLITE_DONE && sqlite3_changes(m_db) == 1;
}

int64_t AccountStore::Count() const {
    Statement s(m_db, "SELECT count(*) FROM accounts");
    return s.Step() == SQLITE_ROW ? s.Int(0) : -1;
}

}  // namespace server
