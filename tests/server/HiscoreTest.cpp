// Hiscore lists: ranked in the account store (one game by rating, all games
// by the sum of whole ratings, ties sharing a place), and answered by the
// zone with the asker's own place.
#include <gtest/gtest.h>

#include "AccountStore.h"
#include "ZoneFixture.h"

namespace servertest {
namespace {

server::GameStanding Played(double rating, int won = 1) {
    server::GameStanding g;
    g.won = won;
    g.rating.rating = rating;
    return g;
}

class HiscoreStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = MakeTempFolder();
        std::string error;
        ASSERT_TRUE(m_store.Open(m_folder + "accounts.db", error)) << error;
        for (const char* alias : {"ann", "Bea", "cid", "dan", "eve"}) {
            server::Account a;
            a.alias = alias;
            a.passwordHash = "h";
            ASSERT_EQ(m_store.Create(a), server::AccountStore::Result::Ok);
            m_ids[alias] = a.id;
        }
    }
    void TearDown() override {
        m_store.Close();
        RemoveFolder(m_folder);
    }
    void Save(const std::string& alias, int game, const server::GameStanding& g) {
        ASSERT_TRUE(m_store.SaveStanding(m_ids[alias], game, g));
    }
    std::vector<server::HiscoreEntry> List(int list, int64_t first = 1, int64_t last = 100) {
        std::vector<server::HiscoreEntry> entries;
        EXPECT_TRUE(m_store.Hiscores(list, first, last, entries));
        return entries;
    }
    server::HiscoreEntry Own(const std::string& alias, int list) {
        server::HiscoreEntry entry;
        EXPECT_TRUE(m_store.HiscoreOf(m_ids[alias], list, entry));
        return entry;
    }

    std::string m_folder;
    server::AccountStore m_store;
    std::map<std::string, int64_t> m_ids;
};

std::string Rows(const std::vector<server::HiscoreEntry>& entries) {
    std::string text;
    for (const auto& e : entries)
        text += std::to_string(e.place) + " " + e.alias + " " + std::to_string(e.score) + "; ";
    return text;
}

TEST_F(HiscoreStoreTest, OneGameRanksItsPlayersByRatingAndTiesShareAPlace) {
    Save("ann", 2, Played(1510.2));
    Save("Bea", 2, Played(1620.0));
    Save("cid", 2, Played(1510.2));
    Save("dan", 2, Played(1400.4));
    Save("eve", 1, Played(1900.0));      // another game
    Save("eve", 2, Played(1700.0, 0));  // a standing without a match is not listed
    EXPECT_EQ(Rows(List(2)), "1 Bea 1620; 2 ann 1510; 2 cid 1510; 4 dan 1400; ");
    EXPECT_EQ(Rows(List(2, 2, 3)), "2 ann 1510; 2 cid 1510; ");
    EXPECT_EQ(Rows(List(2, 5, 100)), "");
    EXPECT_EQ(Rows(List(2, 3, 2)), "");
    EXPECT_EQ(Rows(List(7)), "");
    EXPECT_EQ(Own("cid", 2).place, 2);
    EXPECT_EQ(Own("cid", 2).score, 1510);
    EXPECT_EQ(Own("eve", 2).place, 0);
    EXPECT_EQ(Own("eve", 2).score, 0);
}

TEST_F(HiscoreStoreTest, AllGamesRankByTheSumOfTheWholeRatingsOfTheGamesPlayed) {
    Save("ann", 1, Played(1500.4));
    Save("ann", 3, Played(1500.4));   // shows 3000
    Save("Bea", 2, Played(1500.6));
    Save("Bea", 4, Played(1499.6));   // shows 3001: above ann though its exact sum is lower
    Save("cid", 1, Played(2500.0));   // one game only
    Save("dan", 4, Played(1800.0, 0)); // never played
    EXPECT_EQ(Rows(List(0)), "1 Bea 3001; 2 ann 3000; 3 cid 2500; ");
    EXPECT_EQ(Own("ann", 0).place, 2);
    EXPECT_EQ(Own("ann", 0).score, 3000);
    EXPECT_EQ(Own("dan", 0).place, 0);
}

class ZoneHiscoreTest : public ZoneTest {
protected:
    // The code 24 the client gets for a request of list, first, last.
    std::string Ask(ModelClient& client, const std::string& list, const std::string& first = "1",
                    const std::string& last = "100") {
        client.Messages().clear();
        client.Send("\x18" + Field(list) + Field(first) + Field(last));
        if (!client.PumpUntil([&] { return !client.Messages().empty() && client.Messages().back()[0] == 24; }))
            return "";
        return client.Messages().back();
    }
    void Save(const std::string& alias, int game, double rating) {
        server::Account a;
        ASSERT_EQ(m_server->Accounts().Find(alias, a), server::AccountStore::Result::Ok);
        ASSERT_TRUE(m_server->Accounts().SaveStanding(a.id, game, Played(rating)));
    }
};

TEST_F(ZoneHiscoreTest, TheAnswerCarriesTheOwnPlaceAndThreeCellsPerPlace) {
    auto eva = Enter("eva");
    auto bob = Enter("bob");
    Save("eva", 3, 1550);
    Save("bob", 3, 1600);
    Save("bob", 1, 1450);
    const std::string row1 = Field("1") + Field("bob") + Field("1600");
    const std::string row2 = Field("2") + Field("eva") + Field("1550");
    EXPECT_EQ(Ask(*eva, "3"), "\x18" + Field("eva") + Field("1550") + Field("2") + row1 + row2);
    EXPECT_EQ(Ask(*eva, "3", "2", "5000"), "\x18" + Field("eva") + Field("1550") + Field("2") + row2);
    // All games: bob 1600 + 1450.
    EXPECT_EQ(Ask(*eva, "0"), "\x18" + Field("eva") + Field("1550") + Field("2") + Field("1") + Field("bob") +
                                  Field("3050") + row2);
    EXPECT_EQ(Ask(*eva, "4"), "\x18" + Field("eva") + Field("0") + Field("-"));
    eva->Messages().clear();
    eva->Send("\x18" + Field("9") + Field("1") + Field("100"));
    eva->Send("\x18" + Field("1") + Field("1"));
    EXPECT_TRUE(NothingWithCode(*eva, 24));
}

}  // namespace
}  // namespace servertest
