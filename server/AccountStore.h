// The accounts: one SQLite database file in the server's folder. The schema
// carries its version in SQLite's user_version; Open creates a new database
// at the newest version and migrates an older one step by step, each step in
// one transaction. A database from a newer server is refused, not altered.
//
// Aliases compare without regard to ASCII letter case (two users cannot be
// told apart by case alone), and are stored as they were first registered.
#pragma once

#include <cstdint>
#include <string>

struct sqlite3;

namespace server {

struct Account {
    int64_t id = 0;
    std::string alias;
    std::string passwordHash;
    int birthYear = 0, birthMonth = 0, birthDay = 0;  // all 0: not known
    int gender = 0;  // 0 male, 1 female
    int face = 0;    // 0..2
    bool banned = false;
    std::string webPassword;
    int64_t logonCount = 0;
    int64_t lastLogonAt = 0;  // Unix seconds
    uint32_t distribution = 0;
    uint32_t machine = 0;

    bool HasBirthday() const { return birthYear > 0 && birthMonth > 0 && birthDay > 0; }
};

class AccountStore {
public:
    enum class Result { Ok, NotFound, Exists, Failed };
    // The schema version this server writes.
    static constexpr int kSchemaVersion = 2;

    AccountStore() = default;
    ~AccountStore();
    AccountStore(const AccountStore&) = delete;
    AccountStore& operator=(const AccountStore&) = delete;

    bool Open(const std::string& path, std::string& error);
    void Close();
    int SchemaVersion() const;

    Result Find(const std::string& alias, Account& account) const;
    // Creates the account (id is filled in); Exists when the alias is taken.
    Result Create(Account& account);
    bool RecordLogon(int64_t id, const std::string& webPassword, uint32_t distribution,
                     uint32_t machine, int64_t unixTime);
    bool SetPasswordHash(int64_t id, const std::string& hash);
    bool SetProfile(int64_t id, int year, int month, int day, int gender, int face);
    bool SetBanned(const std::string& alias, bool banned);
    int64_t Count() const;

private:
    bool Migrate(std::string& error);
    bool Exec(const std::string& sql, std::string& error) const;

    sqlite3* m_db = nullptr;
};

}  // namespace server
