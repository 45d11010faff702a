// The statistics in the account store: schema 3 databases move to ratings,
// and places follow the ratings.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include "AccountStore.h"
#include "ServerFixture.h"

namespace {

class StatisticsStoreTest : public ::testing::Test {
protected:
    void SetUp() override { m_folder = servertest::MakeTempFolder(); }
    void TearDown() override { servertest::RemoveFolder(m_folder); }
    std::string Path() const { return m_folder + "accounts.db"; }
    std::string m_folder;
};

// The schema 3 layout as an older server left it, with played games.
const char* const kSchemaThree =
    "CREATE TABLE accounts (id INTEGER PRIMARY KEY, alias TEXT NOT NULL UNIQUE COLLATE NOCASE,"
    " password_hash TEXT NOT NULL, birth_year INTEGER NOT NULL DEFAULT 0, birth_month INTEGER NOT NULL DEFAULT 0,"
    " birth_day INTEGER NOT NULL DEFAULT 0, gender INTEGER NOT NULL DEFAULT 0, face INTEGER NOT NULL DEFAULT 0,"
    " banned INTEGER NOT NULL DEFAULT 0, created_at INTEGER NOT NULL DEFAULT 0,"
    " web_password TEXT NOT NULL DEFAULT '', logon_count INTEGER NOT NULL DEFAULT 0,"
    " last_logon_at INTEGER NOT NULL DEFAULT 0, distribution INTEGER NOT NULL DEFAULT 0,"
    " machine INTEGER NOT NULL DEFAULT 0, options TEXT NOT NULL DEFAULT '', privileged INTEGER NOT NULL DEFAULT 0);"
    "CREATE TABLE statistics (account_id INTEGER NOT NULL REFERENCES accounts(id), game INTEGER NOT NULL,"
    " won INTEGER NOT NULL DEFAULT 0, lost INTEGER NOT NULL DEFAULT 0, dropped INTEGER NOT NULL DEFAULT 0,"
    " score INTEGER NOT NULL DEFAULT 0, PRIMARY KEY (account_id, game));"
    "CREATE INDEX statistics_by_score ON statistics (game, score);"
    "CREATE TABLE questions (id INTEGER PRIMARY KEY, account_id INTEGER NOT NULL REFERENCES accounts(id),"
    " question TEXT NOT NULL, answers TEXT NOT NULL, asked_at INTEGER NOT NULL,"
    " answer INTEGER NOT NULL DEFAULT 0, answered_at INTEGER NOT NULL DEFAULT 0);"
    "INSERT INTO accounts (alias, password_hash) VALUES ('old', 'h'), ('new', 'h');"
    "INSERT INTO statistics VALUES (1, 3, 4, 2, 1, 999);"
    "PRAGMA user_version=3";

TEST_F(StatisticsStoreTest, SchemaThreeKeepsItsCountsAndStartsEveryoneAtFifteenHundred) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(Path().c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, kSchemaThree, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);

    server::AccountStore store;
    std::string error;
    ASSERT_TRUE(store.Open(Path(), error)) << error;
    EXPECT_EQ(store.SchemaVersion(), 4);
    server::Account old, fresh;
    ASSERT_EQ(store.Find("old", old), server::AccountStore::Result::Ok);
    ASSERT_EQ(store.Find("new", fresh), server::AccountStore::Result::Ok);
    server::GameStanding g;
    ASSERT_TRUE(store.Standing(old.id, 3, g));
    EXPECT_EQ(g.won, 4);
    EXPECT_EQ(g.lost, 2);
    EXPECT_EQ(g.dropped, 1);
    EXPECT_EQ(g.rating.rating, 1500);
    EXPECT_EQ(g.rating.deviation, 350);
    server::GameRecords records;
    ASSERT_TRUE(store.Statistics(old.id, records));
    EXPECT_EQ(records[2].score, 1500);
    EXPECT_EQ(records[2].place, 1);

    // A better-rated newcomer takes the first place.
    server::GameStanding better;
    better.won = 1;
    better.rating.rating = 1612.6;
    ASSERT_TRUE(store.SaveStanding(fresh.id, 3, better));
    ASSERT_TRUE(store.Statistics(old.id, records));
    EXPECT_EQ(records[2].place, 2);
    ASSERT_TRUE(store.Statistics(fresh.id, records));
    EXPECT_EQ(records[2].place, 1);
    EXPECT_EQ(records[2].score, 1613);
    EXPECT_EQ(records[0].place, 0);  // a game never played
    ASSERT_TRUE(store.Standing(fresh.id, 1, g));
    EXPECT_EQ(g.rating.rating, 1500);
    EXPECT_EQ(g.Matches(), 0);
}

}  // namespace
