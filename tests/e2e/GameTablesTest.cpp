// The game tables on the real server: tables opened, asked for and
// withdrawn in every kind; a game started from the lobby, its window shown,
// the start payload relayed, and a forfeit by closing the window with the
// statistics it leaves; and a start with a joiner who has gone.
//
// Eva works the real lobby and has a game window of the common kind (its
// own game is drawn by each game's window); Bo and Cy speak the messages
// of the protocol library on bare connections.
#include <gtest/gtest.h>

#include "ThreeUsersFixture.h"
#include "WireTables.h"
#include "controls/Bar.h"
#include "controls/Multilist.h"
#include "controls/Rollover.h"
#include "games/Gameform.h"
#include "lobby/Game.h"
#include "net/Session.h"
#include "protocol/Messages.h"

namespace e2etest {
namespace {

constexpr int kGammon = 2;
constexpr char kForfeit = 21;

class GameTablesTest : public ThreeUsersTest {
protected:
    TGame& Tables() { return *Lobby().Tables(); }
    int Listed(int kind) { return Tables().Node(kind)->CreatedList()->RowCount(); }
    template <class TMessage>
    std::vector<TMessage> All(TWireUser& user) { return AllOf<TMessage>(user); }
    template <class TMessage>
    size_t Count(TWireUser& user) { return AllOf<TMessage>(user).size(); }
    void ShowTables(int kind) {
        if (Lobby().MenuState() != 1) Click(*Lobby().MenuBar()->Tab(1));
        Lobby().GamesBar()->Select(kind);
    }
    // Clicks the row of the open table in the list shown without an own table.
    void SelectTable(int kind, int row) {
        TMultilist& list = *Tables().Node(kind)->Created2List();
        const int x = list.X() + 5, y = list.RowsTop() + row * list.RowHeight() + 5;
        Win().MouseDown(platform::ButtonLeft, x, y);
        Win().MouseUp(platform::ButtonLeft, x, y);
    }
};

TEST_F(GameTablesTest, TablesOpenTakeRequestsAndGoInEveryKind) {
    for (int kind = 1; kind <= 4; ++kind) {
        bo->Send(OpenTable(kind, kind == kGammon ? "3" : "2"));
        ASSERT_TRUE(Until([&] { return Listed(kind) == 1; })) << kind;
        cy->Send(AskTable(kind, "Bo"));
        ASSERT_TRUE(Until([&] { return Count<protocol::TJoinRequest>(*bo) == size_t(kind); })) << kind;
        EXPECT_EQ(All<protocol::TJoinRequest>(*bo).back().Joiner, "Cy");
        bo->Send(protocol::Build(protocol::TWithdrawTable{kind}));
        ASSERT_TRUE(Until([&] { return Listed(kind) == 0; })) << kind;
    }
    // A setting the kind does not offer opens nothing and says why.
    bo->Send(OpenTable(1, "7"));
    ASSERT_TRUE(Until([&] { return Count<protocol::TServerBox>(*bo) == 1; }));
    EXPECT_EQ(Listed(1), 0);
}

TEST_F(GameTablesTest, AGameStartedFromTheLobbyEndsWhenEvaClosesHerWindow) {
    TGameform window(kGammon, "Chat", "Chat", "Close", "Minimi");
    bo->Send(OpenTable(kGammon, "3"));
    ShowTables(kGammon);
    ASSERT_TRUE(Until([&] { return Listed(kGammon) == 1; }));
    SelectTable(kGammon, 0);
    ASSERT_TRUE(Lobby().JoinButton()->Visible());
    Click(*Lobby().JoinButton());
    ASSERT_TRUE(Until([&] { return Count<protocol::TJoinRequest>(*bo) == 1; }));
    bo->Send(StartTable(kGammon, {"Eva"}));

    // Both get their start; Eva's window opens and says it is ready.
    ASSERT_TRUE(Until([&] { return window.Visible() && Count<protocol::TGameStartMessage>(*bo) == 1; }));
    EXPECT_TRUE(Session().GameRunning);
    EXPECT_EQ(Tables().GamesList(kGammon - 1)->RowCount(), 1);
    EXPECT_EQ(Listed(kGammon), 0);  // the table went when its game started
    bo->Send(GamePayload(kGammon, ">"));
    ASSERT_TRUE(Until([&] { return window.Started() && bo->Got(protocol::Build(protocol::TGameData{">"})); }));

    // Closing the window forfeits: Bo wins, the game leaves every list.
    window.Close();
    ASSERT_TRUE(Until([&] {
        return bo->Got(protocol::Build(protocol::TGameData{std::string(1, kForfeit)})) &&
               Tables().GamesList(kGammon - 1)->RowCount() == 0 && Count<protocol::TGameResult>(*bo) == 1;
    }));
    EXPECT_FALSE(Session().GameRunning);
    EXPECT_EQ(All<protocol::TGameResult>(*bo).back().Result, protocol::TGameResult::kResultWon);
    ASSERT_TRUE(Until([&] { return Count<protocol::TRatingChange>(*bo) == 1; }));

    // The statistics: Eva dropped the game, Bo won it.
    cy->Send(protocol::Build(protocol::TInfoRequest{"Eva"}));
    ASSERT_TRUE(Until([&] { return Count<protocol::TUserInfo>(*cy) == 1; }));
    const protocol::TGameStatistics eva = All<protocol::TUserInfo>(*cy).back().Games[kGammon - 1];
    EXPECT_EQ(eva.Dropped, 1);
    EXPECT_EQ(eva.Won, 0);
    cy->Send(protocol::Build(protocol::TInfoRequest{"Bo"}));
    ASSERT_TRUE(Until([&] { return Count<protocol::TUserInfo>(*cy) == 2; }));
    const protocol::TGameStatistics boStats = All<protocol::TUserInfo>(*cy).back().Games[kGammon - 1];
    EXPECT_EQ(boStats.Won, 1);
    EXPECT_EQ(boStats.Place, "1");
}

TEST_F(GameTablesTest, AStartWithAJoinerWhoLeftIsRefused) {
    bo->Send(OpenTable(1, "1"));
    cy->Send(AskTable(1, "Bo"));
    ASSERT_TRUE(Until([&] { return Count<protocol::TJoinRequest>(*bo) == 1; }));
    cy->LogOff();
    ASSERT_TRUE(Until([&] { return bo->Got(protocol::Build(protocol::TUserLeft{"Cy"})); }));
    bo->Send(StartTable(1, {"Cy"}));
    ASSERT_TRUE(Until([&] { return Count<protocol::TServerBox>(*bo) == 1; }));
    EXPECT_EQ(Count<protocol::TGameStartMessage>(*bo), 0u);
    EXPECT_EQ(Listed(1), 1);  // the table stays open
}

}  // namespace
}  // namespace e2etest
