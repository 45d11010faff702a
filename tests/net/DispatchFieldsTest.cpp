// How the dispatcher cuts each code's fields: complete messages reach the
// windows with the right values, and messages cut short anywhere read the
// missing fields as their defaults, never past the end.
#include "DispatchFixture.h"

namespace nettest {
namespace {

using DispatchFieldsTest = DispatchFixture;

std::string B(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes) s.push_back(static_cast<char>(b));
    return s;
}

TEST_F(DispatchFieldsTest, EveryPrefixOfEveryCodeIsReadWithoutFailing) {
    // A payload that holds field ends, small numbers and text.
    const std::string payload = B({2, 1, 3}) + F("7") + F("Bob") + B({3, 1, 2, 3, 4, 5, 6}) + F("x");
    for (int code = 0; code < 256; ++code) {
        std::string message = std::string(1, static_cast<char>(code)) + payload;
        for (size_t n = 0; n <= message.size(); ++n) {
            Session().GameRunning = false;
            EXPECT_NO_THROW(Dispatch(message.substr(0, n))) << code << " cut at " << n;
        }
    }
}

TEST_F(DispatchFieldsTest, GameDataDeliversOnlyTheBytesPresentToTheFirstVisibleWindow) {
    games[1].visible = games[2].visible = true;
    Dispatch("G" + B({10}) + "abc");
    EXPECT_EQ(log.calls.back(), "NetRead(2,abc)");
    Dispatch("G" + B({2}) + "abc");
    EXPECT_EQ(log.calls.back(), "NetRead(2,ab)");
    games[1].visible = games[2].visible = false;
    size_t before = log.calls.size();
    Dispatch("G" + B({3}) + "abc");
    EXPECT_EQ(log.calls.size(), before);  // no game window: dropped
}

TEST_F(DispatchFieldsTest, GameStartFillsTheParametersOfEachKind) {
    Session().Alias = "me";
    Session().GameUrls[2] = "tumblix-url";
    Dispatch(B({18, 1}) + F("Bob") + F("7"));
    const TGameStart& s = Session().GameStart;
    EXPECT_EQ(s.GameKind, 1);
    EXPECT_EQ(s.PlayerCount, 2);
    EXPECT_EQ(s.Players[0].Name, "me");
    EXPECT_EQ(s.Players[1].Name, "Bob");
    EXPECT_EQ(s.Param1, 7);
    EXPECT_TRUE(Session().GameRunning);
    EXPECT_TRUE(log.Has("ShowGame(1)"));
    EXPECT_TRUE(log.Has("VisitHidden(tumblix-url)"));

    // A second start while the window is open is ignored.
    Dispatch(B({18, 3}) + F("Eve"));
    EXPECT_EQ(Session().GameStart.GameKind, 1);

    Session().GameRunning = false;
    Dispatch(B({18, 2}) + F("Bob") + B({1}) + F("11x") + F("white") + F("black"));
    EXPECT_EQ(s.GameKind, 2);
    EXPECT_EQ(s.Players[1].Name, "Bob");
    EXPECT_EQ(s.Param3, 1);
    EXPECT_EQ(s.Param4, 11);
    EXPECT_EQ(s.Players[0].Extra, "white");
    EXPECT_EQ(s.Players[1].Extra, "black");

    Session().GameRunning = false;
    Session().GameUrls[7] = "yatzy-url";
    Dispatch(B({18, 4}) + F("3") + F("3") + F("9") + F("250") + F("a") + F("b") + F("c") + F("d"));
    EXPECT_EQ(s.GameKind, 4);
    EXPECT_EQ(s.Param1, 3);
    EXPECT_EQ(s.PlayerCount, 3);
    EXPECT_EQ(s.Param2, 9);
    EXPECT_EQ(s.Param4, 25);
    EXPECT_EQ(s.Players[2].Name, "c");
    EXPECT_EQ(s.Players[3].Name, "");
    EXPECT_TRUE(log.Has("VisitHidden(yatzy-url)"));
}

TEST_F(DispatchFieldsTest, GameStartCutShortTakesTheDefaults) {
    Dispatch(B({18, 4}));
    const TGameStart& s = Session().GameStart;
    EXPECT_EQ(s.Param1, 0);
    EXPECT_EQ(s.PlayerCount, 2);
    EXPECT_EQ(s.Param2, 2);
    EXPECT_EQ(s.Param4, 1);
    Session().GameRunning = false;
    Dispatch(B({18, 2}) + F("Bob"));
    EXPECT_EQ(s.Param3, 2);  // no seat byte: the own colour is not white
    EXPECT_EQ(s.Param4, 1);
    // A Yatzy table of more than four or fewer than two starts nothing and
    // says so.
    for (const char* count : {"200", "1"}) {
        Session().GameRunning = false;
        const size_t shown = log.calls.size();
        Dispatch(B({18, 4}) + F("0") + F(count) + F("2") + F("1") + F("a") + F("b") + F("c") + F("d") + F("e"));
        EXPECT_FALSE(Session().GameRunning) << count;
        EXPECT_EQ(log.calls.size(), shown) << count;
        EXPECT_EQ(LastBox().text, "Error code 18") << count;
    }
    // An unknown kind starts nothing.
    Session().GameRunning = false;
    Dispatch(B({18, 5}) + F("Bob"));
    EXPECT_FALSE(Session().GameRunning);
}

TEST_F(DispatchFieldsTest, ResultTexts) {
    const std::pair<std::string, std::string> cases[] = {
        {B({112, 2}) + F("12") + F("3") + F("4") + F("5"), "12+3/4/5"},
        {B({112, 2}) + F("12") + F("0") + F("4") + F("5"), "12 points, place 5"},
        // A trailing empty argument is no argument: its placeholder stays.
        {B({112, 2}) + F("12"), "12 points, place {2}"},
        {B({112, 2}) + F("0") + F("3"), "Won0"},
        {B({112, 1}) + F("8"), "lost 8"},
        {B({112, 0}) + F("0"), "Lost0"},
    };
    for (const auto& [message, text] : cases) {
        Dispatch(message);
        EXPECT_EQ(LastBox().text, text);
        EXPECT_EQ(LastBox().title, "System");
    }
}

TEST_F(DispatchFieldsTest, RatingLineShowsHundredthsAsDecimals) {
    Dispatch(B({114, 2}) + F("-5") + F("1250"));
    EXPECT_EQ(Lines().back(), "AddLine(Backgammon: 12.5 (-0.05),0,8355711)");
    Dispatch(B({114, 9}) + F("x") + F("1200"));
    EXPECT_EQ(Lines().back(), "AddLine(: 12 (0),0,8355711)");
    EXPECT_EQ(HundredthsText("1234"), "12.34");
    EXPECT_EQ(HundredthsText("7"), "0.07");
}

TEST_F(DispatchFieldsTest, TournamentNotices) {
    const char* keys[] = {"ErrorTourGame", "ErrorTourJoined", "ErrorTourRegret", "InfoTourRegret",
                          "InfoTourJoined"};
    for (int sub = 1; sub <= 5; ++sub) {
        Dispatch(B({190, sub}));
        EXPECT_EQ(LastBox().text, keys[sub - 1]);
        EXPECT_EQ(LastBox().title, "Error");
    }
    Dispatch(B({190, 9}));
    EXPECT_EQ(LastBox().text, "Error code 190-9");
    Dispatch(B({190, 6}) + F("3") + F("Ann") + F("Bo"));
    EXPECT_EQ(Lines().back(), "AddLine(Puzzle|Ann|Bo|3,0,8355711)");
}

TEST_F(DispatchFieldsTest, ChatLineDropsItsLastByteAndIgnoredSenders) {
    Dispatch(B({9, 5, 1, 3, 4}) + "bob: hi" + B({1}));
    EXPECT_EQ(log.calls.back(), "AddChatLine(261,3,4,bob: hi)");
    lobby.ignored = {"bob", "eve", "mal"};
    size_t before = log.calls.size();
    Dispatch(B({9, 1, 0, 0, 0}) + "Bob: hi" + B({1}));
    Dispatch(B({9, 1, 0, 0, 0}) + "EVE~> whisper" + B({1}));
    Dispatch(B({9, 1, 0, 0, 0}) + "* Mal waves" + B({1}));
    EXPECT_EQ(log.calls.size(), before);
    Dispatch(B({9, 1, 0, 0, 0}) + "ann: bob is here" + B({1}));
    EXPECT_EQ(log.calls.size(), before + 1);
}

TEST_F(DispatchFieldsTest, TablesAndRunningGames) {
    Session().Alias = "ida";
    Dispatch(B({11, 2}) + F("Bob") + F("x") + F("7 points"));
    EXPECT_EQ(log.calls.back(), "AddTable(2,Bob,0,7 points)");
    Dispatch(B({12, 2}) + F("Ida"));
    EXPECT_EQ(log.calls.back(), "ClearJoinRequests(2)");
    Dispatch(B({16, 4}) + F("Eve") + F("3"));
    EXPECT_EQ(log.calls.back(), "AddJoinRequest(4,Eve,3)");
    log.calls.clear();
    // Three pairs announced, two present.
    Dispatch(B({78, 1, 3}) + F("Ann") + F("10") + F("Bo") + F("20"));
    EXPECT_EQ(log.calls.size(), 10u);
    EXPECT_EQ(log.calls[4], "RemoveJoinRequest(1,Bo)");
    EXPECT_EQ(log.calls[8], "AddRunningGame(1,Ann/10;Bo/20;)");
    EXPECT_EQ(log.calls[9], "FillFreePreviews()");
    log.calls.clear();
    Dispatch(B({11, 5}) + F("Bob"));  // no such kind
    Dispatch(B({12, 0}) + F("Bob"));
    EXPECT_TRUE(log.calls.empty());
}

TEST_F(DispatchFieldsTest, GammonSnapshotReadsDiceOnlyInTheStatesThatHaveThem) {
    std::string points(28, '\x02');
    Dispatch(B({74, 2, 3}) + points + B({2, 4, 6, 1, 3, 2, 7, 1}));
    EXPECT_EQ(log.calls.back(), "ShowGammon(3)");
    EXPECT_TRUE(previews.gammon.HasDice);
    EXPECT_EQ(previews.gammon.Dice, (std::array<int, 2>{4, 6}));
    EXPECT_EQ(previews.gammon.CubeOwner, 1);
    Dispatch(B({74, 2, 3}) + points + B({4, 1, 3, 2, 7, 1}));
    EXPECT_FALSE(previews.gammon.HasDice);
    EXPECT_EQ(previews.gammon.Cube, 1);
    EXPECT_EQ(previews.gammon.CubeOwner, 1);
    // Cut inside the points: the rest are 0.
    Dispatch(B({74, 2, 1, 5, 6}));
    EXPECT_EQ(previews.gammon.Points[1], 6);
    EXPECT_EQ(previews.gammon.Points[2], 0);
    EXPECT_EQ(previews.gammon.DiceState, 0);
}

TEST_F(DispatchFieldsTest, PreviewsForSlotZeroAreReadAndDropped) {
    Dispatch(B({74, 1, 0}) + std::string(628, '\x01'));
    Dispatch(B({92, 0, 5, 3}));
    Dispatch(B({142, 5, 1, 2, 3, 4}));
    EXPECT_TRUE(log.calls.empty());
    Dispatch(B({74, 1, 4}) + std::string(624, '\x03') + B({9, 8, 7, 6}));
    EXPECT_EQ(previews.tumblix.Boards[623], 3);
    EXPECT_EQ(previews.tumblix.Numbers, (std::array<int, 4>{9, 8, 7, 6}));
    Dispatch(B({140, 1, 2, 3, 126, 5, 6}));
    EXPECT_EQ(log.calls.back(), "PuzzleShot(1,2,3,126,5,6)");
    Dispatch(B({143, 1, 2, 3, 4}));
    EXPECT_EQ(log.calls.back(), "ClearPuzzleCell(1,2,0,3,4)");
}

TEST_F(DispatchFieldsTest, TumblixCellsAreWholeTriplesOnly) {
    Dispatch(B({75, 2, 1, 5, 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(log.calls.back(), "SetTumblixCells(2,1,2)");
    EXPECT_EQ(previews.cells.Cells[1].Colour, 6);
    Dispatch(B({76, 1, 2, 9, 9}));
    EXPECT_EQ(previews.row[1], 9);
    EXPECT_EQ(previews.row[2], 0);
}

TEST_F(DispatchFieldsTest, UpdateChunksAndTheOperatorsUpload) {
    Dispatch(B({24}) + F("me") + F("99") + F("4") + F("a") + F("1") + F("x") + F("b"));
    ASSERT_EQ(dialogs.hiscores.Rows.size(), 2u);  // a last row cut short still counts
    EXPECT_EQ(dialogs.hiscores.Rows[1][2], "");

    Dispatch(B({26}) + F("10") + F("500") + "abc");
    EXPECT_EQ(log.calls.back(), "AddChunk(1,500,abc)");
    dialogs.transferOpen = true;
    Dispatch(B({26}) + F("2") + "abc");
    EXPECT_EQ(log.calls.back(), "AddChunk(0,0,ab)");
    Dispatch(B({26}) + F("-4") + "abc");
    EXPECT_EQ(log.calls.back(), "AddChunk(0,0,)");

    Session().Alias = "sysop";
    Dispatch(B({37}));
    EXPECT_FALSE(log.Has("SendNextChunk()"));
    Session().Alias = "Sysop";
    Dispatch(B({37}));
    EXPECT_TRUE(log.Has("SendNextChunk()"));
}

TEST_F(DispatchFieldsTest, AccountDataSendsTheUpdateUnlessCancelled) {
    dialogs.optionsVisible = true;
    Dispatch(B({39}) + F("1990") + F("0") + F("12") + F("1") + F("2"));
    EXPECT_EQ(boxes.closed, std::vector<int>{0});
    ASSERT_GE(log.calls.size(), 4u);
    EXPECT_EQ(log.calls[0], "EditAccount(1990,0,12,1,2)");
    EXPECT_EQ(log.calls[1], "Lobby.SetEnabled(1)");
    EXPECT_EQ(log.calls[2], "Options.Focus()");
    EXPECT_EQ(log.calls[3], "AccountUpdate(1)");  // the server's date is incomplete
    log.calls.clear();
    Dispatch(B({39}) + F("1990") + F("5") + F("12"));
    EXPECT_EQ(log.calls.back(), "AccountUpdate(0)");
    log.calls.clear();
    Session().RegisterCancelled = true;
    Dispatch(B({39}) + F("1990"));
    EXPECT_FALSE(log.Has("AccountUpdate(1)"));
}

TEST_F(DispatchFieldsTest, RoomPrefixesAndSessionValuesOutOfRange) {
    Dispatch(B({34, 0, 2, 1, 1}) + F("Ann") + F("Given"));
    EXPECT_EQ(log.calls.back(), "OpenRoom(0,258,1,Ann,Person)");
    Dispatch(B({34, 1, 2, 1, 0}) + F("Ann"));
    EXPECT_EQ(log.calls.back(), "OpenRoom(1,258,0,Ann,Forum)");
    Dispatch(B({34, 2, 7}));  // the word's high byte missing
    EXPECT_EQ(log.calls.back(), "OpenRoom(2,7,0,,)");
    Dispatch(B({49}) + F("99999999"));
    EXPECT_GT(Session().BannerPeriodMs, 0);
    Dispatch(B({49}) + F("x"));
    EXPECT_EQ(Session().BannerPeriodMs, 30 * 60000);
    Dispatch(B({48}) + F("-3"));
    EXPECT_EQ(Session().BannerMinInterval, 30);
    Dispatch(B({111}) + F("x1"));  // no digit first: the sound stays
    EXPECT_FALSE(log.Has("SetSoundToggle(0)"));
    Dispatch(B({111}) + F("0110"));
    EXPECT_EQ(log.calls.back(), "SetSoundToggle(0)");
}

TEST_F(DispatchFieldsTest, UrlsBannersAndWebTabsOutOfRangeAreDropped) {
    size_t before = log.calls.size();
    Dispatch(B({99, 8}) + F("none"));
    Dispatch(B({85, 4}) + F("b"));
    Dispatch(B({106}) + F("3") + F("t"));
    EXPECT_EQ(log.calls.size(), before);
    Dispatch(B({106}) + F("2") + F("News") + F("forum") + F("u") + F("30") + F("") + F("Cam"));
    ASSERT_EQ(dialogs.webTabs.Tabs.size(), 2u);
    EXPECT_EQ(dialogs.webTabs.Tabs[0].Refresh, 30);
    EXPECT_EQ(dialogs.webTabs.Tabs[1].Title, "Cam");
    EXPECT_EQ(dialogs.webTabs.Tabs[1].Url, "");
}

}  // namespace
}  // namespace nettest
