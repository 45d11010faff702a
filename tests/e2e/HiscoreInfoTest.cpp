// The hiscore and information windows on the real server after a few
// games: Bo and Cy (wire users) play three forfeited matches, Bo winning
// both Tumblix matches and Cy the Puzzle match; Eva (the real client) then
// opens the Top 100 from the lobby's tables area and asks for Bo's
// information from the user menu. What her windows show is what the
// server's statistics say: the wins, the drops, the ratings as scores,
// ranked per game and summed over all games.
#include <gtest/gtest.h>

#include "ThreeUsersFixture.h"
#include "WireTables.h"
#include "controls/Bar.h"
#include "controls/Column.h"
#include "controls/Glide.h"
#include "controls/Multilist.h"
#include "controls/Rollover.h"
#include "controls/Text.h"
#include "lobby/Hiscoreform.h"
#include "lobby/Infoform.h"
#include "net/Session.h"

namespace e2etest {
namespace {

using skintest::kBlue;
using skintest::kGreen;
using skintest::kGrey;

constexpr int kTumblix = 1, kPuzzle = 3;
constexpr char kLeaving = 25;
constexpr int kColumnHeight = 40;

class HiscoreInfoTest : public ThreeUsersTest {
protected:
    void SetUp() override {
        ThreeUsersTest::SetUp();
        for (const char* painter : {"top100", "info"}) Solid(painter, 200, 200, kGrey);
        for (const char* button : {"OK", "All", "iClose", "Puz", "Yat"}) {
            Solid(std::string(button) + "on", 6, 10, kGreen);
            Solid(std::string(button) + "of", 6, 10, kBlue);
        }
        Solid("Column", 8, kColumnHeight, kGreen);
        m_hiscore = std::make_unique<THiscoreform>();
        m_info = std::make_unique<TInfoform>();
        Lobby().OnHiscores = [this](int list) { m_hiscore->Open(list); };
    }
    void TearDown() override {
        m_info.reset();
        m_hiscore.reset();
        ThreeUsersTest::TearDown();
    }

    // The loser leaves at once: a forfeit, rated and counted like any match.
    void Forfeit(TWireUser& winner, TWireUser& loser, int kind) {
        const size_t results = AllOf<protocol::TGameResult>(winner).size();
        const size_t ratings = AllOf<protocol::TRatingChange>(loser).size();
        const size_t requests = AllOf<protocol::TJoinRequest>(winner).size();
        winner.Send(OpenTable(kind, "1"));
        ASSERT_TRUE(Sync(winner));
        loser.Send(AskTable(kind, winner.Alias()));
        ASSERT_TRUE(Until([&] { return AllOf<protocol::TJoinRequest>(winner).size() > requests; }));
        const size_t starts = AllOf<protocol::TGameStartMessage>(loser).size();
        winner.Send(StartTable(kind, {loser.Alias()}));
        ASSERT_TRUE(Until([&] { return AllOf<protocol::TGameStartMessage>(loser).size() > starts; }));
        loser.Send(GamePayload(kind, std::string(1, kLeaving)));
        ASSERT_TRUE(Until([&] {
            return AllOf<protocol::TGameResult>(winner).size() > results &&
                   AllOf<protocol::TRatingChange>(loser).size() > ratings;
        }));
    }
    // The user's statistics in the kind as the server tells Cy.
    protocol::TGameStatistics Statistics(const std::string& alias, int kind) {
        const size_t before = AllOf<protocol::TUserInfo>(*cy).size();
        cy->Send(protocol::Build(protocol::TInfoRequest{alias}));
        EXPECT_TRUE(Until([&] { return AllOf<protocol::TUserInfo>(*cy).size() > before; }));
        return AllOf<protocol::TUserInfo>(*cy).back().Games[static_cast<size_t>(kind - 1)];
    }
    int Score(const std::string& alias, int kind) { return std::stoi(Statistics(alias, kind).Score); }
    void ClickOn(const TForm& form, const TRollover& button) {
        const int x = button.X() + button.Width() / 2, y = button.Y() + button.Height() / 2;
        Window(*form.Paint()).MouseMove(x, y);
        Window(*form.Paint()).MouseDown(platform::ButtonLeft, x, y);
    }
    std::vector<std::string> Row(int row) {
        TMultilist& list = *m_hiscore->List();
        return {list.Cell(0, row), list.Cell(1, row), list.Cell(2, row)};
    }

    std::unique_ptr<THiscoreform> m_hiscore;
    std::unique_ptr<TInfoform> m_info;
};

TEST_F(HiscoreInfoTest, AfterAFewGamesTheHiscoresAndTheInformationShowTheStatistics) {
    Forfeit(*bo, *cy, kTumblix);
    Forfeit(*bo, *cy, kTumblix);
    Forfeit(*cy, *bo, kPuzzle);
    const int boTumblix = Score("Bo", kTumblix), cyTumblix = Score("Cy", kTumblix);
    const int boPuzzle = Score("Bo", kPuzzle), cyPuzzle = Score("Cy", kPuzzle);
    ASSERT_GT(boTumblix, 1500);
    ASSERT_LT(cyTumblix, 1500);

    // The Top 100 of the game chosen in the tables area: Bo above Cy, and
    // Eva, who never played, without a place.
    Click(*Lobby().MenuBar()->Tab(1));
    Lobby().SetCurrentGame(kTumblix);
    Click(*Lobby().Top100Button());
    ASSERT_TRUE(m_hiscore->Visible());
    ASSERT_TRUE(Until([&] { return m_hiscore->List()->RowCount() == 2; }));
    EXPECT_EQ(Row(0), (std::vector<std::string>{"1", "Bo", std::to_string(boTumblix)}));
    EXPECT_EQ(Row(1), (std::vector<std::string>{"2", "Cy", std::to_string(cyTumblix)}));
    EXPECT_EQ(m_hiscore->MyName()->Text(), "Eva");
    EXPECT_EQ(m_hiscore->MyScore()->Text(), "0");
    EXPECT_EQ(m_hiscore->MyPlace()->Text(), "-");

    // All games: each player's scores summed.
    m_hiscore->GameBar()->Select(1);
    ASSERT_EQ(m_hiscore->List()->RowCount(), 0);
    ASSERT_TRUE(Until([&] { return m_hiscore->List()->RowCount() == 2; }));
    const int boAll = boTumblix + boPuzzle, cyAll = cyTumblix + cyPuzzle;
    const bool boFirst = boAll >= cyAll;
    EXPECT_EQ(Row(boFirst ? 0 : 1)[1], "Bo");
    EXPECT_EQ(Row(boFirst ? 0 : 1)[2], std::to_string(boAll));
    EXPECT_EQ(Row(boFirst ? 1 : 0)[2], std::to_string(cyAll));

    // Bo's information: two Tumblix matches won (full won column), and the
    // Puzzle match he dropped.
    bool checked = false;
    std::function<void()> checkWhenShown = [&] {
        if (!m_info->Visible()) {
            platform::Loop().Post(checkWhenShown);
            return;
        }
        EXPECT_EQ(m_info->Value("Name")->Text(), "Bo");
        EXPECT_EQ(m_info->Value("Gamesvalue")->Text(), "2");
        EXPECT_EQ(m_info->Value("Scorevalue")->Text(), std::to_string(boTumblix));
        EXPECT_EQ(m_info->Value("Placevalue")->Text(), "1");
        EXPECT_EQ(m_info->Column(0)->ShownHeight(), kColumnHeight);
        EXPECT_EQ(m_info->Column(2)->ShownHeight(), 0);
        m_info->Chooser()->OnSelect(m_info->Chooser()->Item(kPuzzle - 1), kPuzzle - 1, 0);
        EXPECT_EQ(m_info->Value("Gamesvalue")->Text(), "1");
        EXPECT_EQ(m_info->Value("Placevalue")->Text(), "2");
        EXPECT_EQ(m_info->Column(0)->ShownHeight(), 0);
        EXPECT_EQ(m_info->Column(2)->ShownHeight(), kColumnHeight);
        checked = true;
        ClickOn(*m_info, *m_info->CloseButton());
    };
    platform::Loop().Post(checkWhenShown);
    ChooseForUser("Bo", "Info");
    ASSERT_TRUE(Until([&] { return checked && !m_info->Visible(); }));
    // Losing the focus to the information window closed the Top 100.
    EXPECT_FALSE(m_hiscore->Visible());
}

}  // namespace
}  // namespace e2etest
