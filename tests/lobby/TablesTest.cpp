// The game tables in the lobby: what the server announces (11, 12, 16, 78,
// 84, 6) reaches the lists, the buttons follow the own table and the
// chosen joiners, and the own table's time-out withdraws it.
#include "ChatformFixture.h"
#include "lobby/Game.h"
#include "shell/MyTimer.h"

namespace lobbytest {
namespace {

constexpr char kEnd = '\x01';

class TablesTest : public ChatformTest {
protected:
    void SetUp() override {
        ChatformTest::SetUp();
        Lobby().MenuBar()->Select(1);
    }
    TGame& Tables() { return *Lobby().Tables(); }
    const TGame& Node(int kind) { return *Tables().Node(kind); }

    static void Opened(int kind, const std::string& creator, const std::string& number = "1500") {
        Dispatch(std::string("\x0B") + char(kind) + creator + kEnd + number + kEnd + "3 games" + kEnd);
    }
    static void Closed(int kind, const std::string& creator) {
        Dispatch(std::string("\x0C") + char(kind) + creator + kEnd);
    }
    static void AsksToJoin(int kind, const std::string& joiner) {
        Dispatch(std::string("\x10") + char(kind) + joiner + kEnd + "1400" + kEnd);
    }
    void ClickRow(TMultilist& list, int row) {
        const int x = list.X() + 5, y = list.RowsTop() + row * list.RowHeight() + 5;
        Win().MouseDown(platform::ButtonLeft, x, y);
        Win().MouseUp(platform::ButtonLeft, x, y);
    }
    std::vector<std::string> Joiners(int kind) {
        std::vector<std::string> names;
        TMultilist& join = *Node(kind).JoinList();
        for (int row = 0; row < join.RowCount(); ++row) names.push_back(join.PlainCell(0, row));
        return names;
    }
};

TEST_F(TablesTest, AnOpenTableIsListedInBothViewsWithItsKindIconAndBlankFill) {
    Opened(2, "Eva", "x");
    const TGame& gammon = Node(2);
    ASSERT_EQ(gammon.CreatedList()->RowCount(), 1);
    EXPECT_EQ(gammon.CreatedList()->Cell(0, 0), std::string("\x01") + char(39) + "Eva");
    EXPECT_EQ(gammon.Created2List()->Cell(1, 0), "3 games");
    EXPECT_EQ(gammon.Created2List()->Cell(2, 0), "0");  // not a number
    // An unknown kind stops at the sentinel.
    Opened(9, "Bob");
    Closed(2, "Nobody");
    EXPECT_EQ(gammon.CreatedList()->RowCount(), 1);
    Closed(2, "Eva");
    EXPECT_EQ(gammon.Created2List()->RowCount(), 0);
}

TEST_F(TablesTest, JoinRequestsNeedTheOwnTableAndComeOncePerJoiner) {
    AsksToJoin(1, "Bob");
    EXPECT_TRUE(Joiners(1).empty());
    Opened(1, "Me");
    AsksToJoin(1, "Bob");
    AsksToJoin(1, "Bob");
    EXPECT_EQ(Joiners(1), std::vector<std::string>{"Bob"});
    // The joiner's game started elsewhere, or the joiner left the service.
    AsksToJoin(1, "Ann");
    Dispatch(std::string("\x4E\x03\x02") + "Ann" + kEnd + "1" + kEnd + "Zed" + kEnd + "2" + kEnd);
    EXPECT_EQ(Joiners(1), std::vector<std::string>{"Bob"});
    Left("Bob");
    EXPECT_TRUE(Joiners(1).empty());
    // Closing the own table clears what is left.
    AsksToJoin(1, "Cid");
    Closed(1, "Me");
    EXPECT_TRUE(Joiners(1).empty());
}

TEST_F(TablesTest, TwoPlayerKindsChooseOneJoinerAndYatzyThree) {
    Opened(1, "Me");
    AsksToJoin(1, "Bob");
    AsksToJoin(1, "Ann");
    EXPECT_FALSE(Lobby().JoinJaButton()->Visible());
    ClickRow(*Node(1).JoinList(), 0);
    EXPECT_TRUE(Lobby().JoinJaButton()->Visible());
    ClickRow(*Node(1).JoinList(), 1);
    EXPECT_EQ(Node(1).ChosenCount(), 1);
    EXPECT_EQ(Tables().ChosenJoiners(), std::string("Bob") + kEnd);
    // A second click takes the choice back.
    ClickRow(*Node(1).JoinList(), 0);
    EXPECT_EQ(Node(1).ChosenCount(), 0);
    EXPECT_FALSE(Lobby().JoinJaButton()->Visible());

    Lobby().GamesBar()->Select(4);
    Opened(4, "Me");
    for (const char* name : {"A", "B", "C", "D"}) AsksToJoin(4, name);
    for (int row = 0; row < 4; ++row) ClickRow(*Node(4).JoinList(), row);
    EXPECT_EQ(Node(4).ChosenCount(), 3);
    EXPECT_EQ(Tables().ChosenJoiners(), std::string("A\x01" "B\x01" "C\x01"));
}

TEST_F(TablesTest, TheButtonsFollowTheOwnTableAndTheSelection) {
    EXPECT_TRUE(Lobby().CreateButton()->Visible());
    EXPECT_FALSE(Lobby().JoinButton()->Visible());  // nothing listed
    Opened(1, "Me");
    EXPECT_FALSE(Lobby().CreateButton()->Visible());
    EXPECT_TRUE(Lobby().DelButton()->Visible());
    EXPECT_TRUE(Node(1).JoinList()->Visible());
    Opened(1, "Eva");
    ClickRow(*Node(1).CreatedList(), 0);  // the own table
    EXPECT_FALSE(Lobby().JoinButton()->Visible());
    ClickRow(*Node(1).CreatedList(), 1);
    EXPECT_TRUE(Lobby().JoinButton()->Visible());
    EXPECT_EQ(Tables().SelectedCreator(), "Eva");
    Closed(1, "Me");
    EXPECT_TRUE(Lobby().CreateButton()->Visible());
    EXPECT_FALSE(Lobby().DelButton()->Visible());
    EXPECT_TRUE(Node(1).Created2List()->Visible());
}

TEST_F(TablesTest, TheOwnTableIsKnownWhateverLetterCaseTheServerSpellsIt) {
    Opened(1, "ME");
    EXPECT_TRUE(Lobby().DelButton()->Visible());
    EXPECT_TRUE(Node(1).TableTimer()->Enabled());
    Closed(1, "mE");
    EXPECT_TRUE(Lobby().CreateButton()->Visible());
    EXPECT_FALSE(Node(1).TableTimer()->Enabled());
}

TEST_F(TablesTest, AnUnstartedOwnTableIsWithdrawnAfterTwoMinutes) {
    Opened(3, "Me");
    ASSERT_TRUE(Node(3).TableTimer()->Enabled());
    AsksToJoin(3, "Bob");  // does not restart the timer
    Loop().RunFor(TGame::kTableTimeoutMs - 1000);
    EXPECT_TRUE(sent.empty());
    Loop().RunFor(2000);
    EXPECT_EQ(sent, std::vector<std::string>{std::string("\x0C\x03")});
    EXPECT_FALSE(Node(3).TableTimer()->Enabled());
    // A table closed before its time stops the timer at once.
    sent.clear();
    Opened(2, "Me");
    Closed(2, "Me");
    EXPECT_FALSE(Node(2).TableTimer()->Enabled());
    Loop().RunFor(TGame::kTableTimeoutMs + 1000);
    EXPECT_TRUE(sent.empty());
}

TEST_F(TablesTest, RunningGamesFillEverySeatAndEndByAnyPlayer) {
    Dispatch(std::string("\x4E\x04\x02") + "Ann" + kEnd + "1600" + kEnd + "Bob" + kEnd + "1400" + kEnd);
    TMultilist& yatzy = *Tables().GamesList(3);
    ASSERT_EQ(yatzy.RowCount(), 1);
    EXPECT_EQ(yatzy.Cell(2, 0), "Bob");
    EXPECT_EQ(yatzy.Cell(4, 0), "");  // seats 3 and 4 were not listed
    EXPECT_EQ(yatzy.Cell(7, 0), "");
    Dispatch(std::string("\x54") + "Bob" + kEnd);
    EXPECT_EQ(yatzy.RowCount(), 0);
}

}  // namespace
}  // namespace lobbytest
