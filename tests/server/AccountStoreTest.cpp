// The account database: creation, look-up without regard to letter case,
// the schema version and its migration.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include "AccountStore.h"
#include "PasswordHasher.h"
#include "ServerFixture.h"

namespace {

using server::Account;
using server::AccountStore;

class AccountStoreTest : public ::testing::Test {
protected:
    void SetUp() override { m_folder = servertest::MakeTempFolder(); }
    void TearDown() override { servertest::RemoveFolder(m_folder); }
    std::string Path() const { return m_folder + "accounts.db"; }
    std::string m_folder;
};

TEST_F(AccountStoreTest, ANewDatabaseHasTheNewestSchema) {
    AccountStore store;
    std::string error;
    ASSERT_TRUE(store.Open(Path(), error)) << error;
    EXPECT_EQ(store.SchemaVersion(), AccountStore::kSchemaVersion);
    EXPECT_EQ(store.Count(), 0);
}

TEST_F(AccountStoreTest, AliasesAreUniqueWithoutRegardToCase) {
    AccountStore store;
    std::string error;
    ASSERT_TRUE(store.Open(Path(), error));
    Account a;
    a.alias = "Eva";
    a.passwordHash = "h";
    ASSERT_EQ(store.Create(a), AccountStore::Result::Ok);
    Account b;
    b.alias = "eVA";
    b.passwordHash = "h";
    EXPECT_EQ(store.Create(b), AccountStore::Result::Exists);
    Account found;
    ASSERT_EQ(store.Find("EVA", found), AccountStore::Result::Ok);
    EXPECT_EQ(found.alias, "Eva");
    EXPECT_EQ(found.id, a.id);
    EXPECT_EQ(store.Find("other", found), AccountStore::Result::NotFound);
}

TEST_F(AccountStoreTest, ADatabaseOfSchemaOneIsMigratedAndKeepsItsAccounts) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(Path().c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db,
                           "CREATE TABLE accounts (id INTEGER PRIMARY KEY, alias TEXT NOT NULL UNIQUE COLLATE NOCASE,"
                           " password_hash TEXT NOT NULL, birth_year INTEGER NOT NULL DEFAULT 0,"
                           " birth_month INTEGER NOT NULL DEFAULT 0, birth_day INTEGER NOT NULL DEFAULT 0,"
                           " gender INTEGER NOT NULL DEFAULT 0, face INTEGER NOT NULL DEFAULT 0,"
                           " banned INTEGER NOT NULL DEFAULT 0, created_at INTEGER NOT NULL DEFAULT 0);"
                           "INSERT INTO accounts (alias, password_hash, birth_year) VALUES ('old', 'h', 1970);"
                           "PRAGMA user_version=1",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    AccountStore store;
    std::string error;
    ASSERT_TRUE(store.Open(Path(), error)) << error;
    EXPECT_EQ(store.SchemaVersion(), AccountStore::kSchemaVersion);
    Account old;
    ASSERT_EQ(store.Find("old", old), AccountStore::Result::Ok);
    EXPECT_EQ(old.birthYear, 1970);
    EXPECT_TRUE(store.RecordLogon(old.id, "web", 3, 4, 1700000000));
    ASSERT_EQ(store.Find("old", old), AccountStore::Result::Ok);
    EXPECT_EQ(old.logonCount, 1);
    EXPECT_EQ(old.webPassword, "web");
}

TEST_F(AccountStoreTest, ADatabaseFromANewerServerIsRefusedUntouched) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(Path().c_str(), &db), SQLITE_OK);
    sqlite3_exec(db, "PRAGMA user_version=99", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    AccountStore store;
    std::string error;
    EXPECT_FALSE(store.Open(Path(), error));
    EXPECT_NE(error.find("newer"), std::string::npos);
}

TEST(PasswordHasher, VerifiesOnlyTheRightPasswordAndNoticesOtherLimits) {
    ASSERT_TRUE(server::PasswordHasher::Initialise());
    server::PasswordHasher cheap(1, 8192);
    std::string hash = cheap.Hash("geheim");
    ASSERT_FALSE(hash.empty());
    EXPECT_EQ(hash.rfind("$argon2id$", 0), 0u);
    EXPECT_TRUE(cheap.Verify(hash, "geheim"));
    EXPECT_FALSE(cheap.Verify(hash, "Geheim"));
    EXPECT_FALSE(cheap.Verify("", "geheim"));
    EXPECT_FALSE(cheap.NeedsRehash(hash));
    server::PasswordHasher dearer(2, 16384);
    EXPECT_TRUE(dearer.NeedsRehash(hash));
}

}  // namespace
