// The accounts: one SQLite database file in the server's folder. The schema
// carries its version in SQLite's user_version; Open creates a new database
// at the newest version and migrates an older one step by step, each step in
// one transaction. A database from a newer server is refused, not altered.
//
// Aliases compare without regard to ASCII letter case (two users cannot be
// told apart by case alone), and are stored as they were first registered.
//
// Besides the accounts the database holds each account's standing per game
// kind (1 Tumblix, 2 Backgammon, 3 Puzzle, 4 Yatzy: matches won, lost and
// dropped, the Glicko-2 rating, the last match) and the questions the
// operator asked with the answers given (AccountRecords.cpp).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "Rating.h"

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
    std::string options;  // the user's option digits; empty: the zone's default
    bool privileged = false;

    bool HasBirthday() const { return birthYear > 0 && birthMonth > 0 && birthDay > 0; }
};

// One game kind's record of an account as user information shows it. A
// place of 0: no game played yet (the score is then 0 as well).
struct GameRecord {
    int64_t won = 0, lost = 0, dropped = 0;
    int64_t score = 0;  // the rating as a whole number
    int64_t place = 0;  // the rank by rating among the players of that game
};
constexpr int kGameKinds = 4;
using GameRecords = std::array<GameRecord, kGameKinds>;  // index: game kind - 1

// One game kind's standing of an account, as the match results update it.
// A player who never played has the new player's rating and zero counts.
struct GameStanding {
    int64_t won = 0, lost = 0, dropped = 0;
    Glicko rating;
    int64_t lastPlayedAt = 0;  // Unix seconds; 0: never

    int64_t Matches() const { return won + lost + dropped; }
};

// One place of a hiscore list: list 0 is all games together (the sum of
// the whole ratings of the games played), 1..4 one game kind (its rating).
struct HiscoreEntry {
    int64_t place = 0;  // 1 + the number of players above; 0: not listed
    std::string alias;
    int64_t score = 0;
};
constexpr int kAllGamesList = 0;

// A question of the operator to a user, and its answer (0: none yet).
struct QuestionRecord {
    int64_t id = 0;
    std::string alias;
    std::string question;
    std::vector<std::string> answers;
    int64_t askedAt = 0;
    int answer = 0;
    int64_t answeredAt = 0;
};

class AccountStore {
public:
    enum class Result { Ok, NotFound, Exists, Failed };
    // The schema version this server writes.
    static constexpr int kSchemaVersion = 4;

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
    bool SetPrivileged(const std::string& alias, bool privileged);
    bool SetOptions(int64_t id, const std::string& options);
    int64_t Count() const;

    // Statistics: every game kind, zeros where none was played. A place is
    // 1 + the number of players of that game with a higher rating.
    bool Statistics(int64_t id, GameRecords& records) const;
    // One kind's standing; a new player's when the account has none.
    bool Standing(int64_t id, int game, GameStanding& standing) const;
    // Writes one kind's standing as it stands (the caller has added the match).
    bool SaveStanding(int64_t id, int game, const GameStanding& standing);

    // Hiscores (HiscoreRecords.cpp): the entries at positions first..last
    // (from 1) of a list, best first, only players who have played; ties
    // share a place and stand in alias order. An unknown list gives none.
    bool Hiscores(int list, int64_t first, int64_t last, std::vector<HiscoreEntry>& entries) const;
    // The account's own entry of a list: place and score 0 when it is not
    // listed.
    bool HiscoreOf(int64_t id, int list, HiscoreEntry& entry) const;

    // Questions: the new question's id, or 0 on failure.
    int64_t AddQuestion(int64_t accountId, const std::string& question, const std::vector<std::string>& answers,
                        int64_t unixTime);
    bool AnswerQuestion(int64_t questionId, int answer, int64_t unixTime);
    // The newest questions first, of one alias or (empty) of everybody.
    std::vector<QuestionRecord> Questions(const std::string& alias, int limit) const;

private:
    bool Migrate(std::string& error);
    bool Exec(const std::string& sql, std::string& error) const;

    sqlite3* m_db = nullptr;
};

}  // namespace server
