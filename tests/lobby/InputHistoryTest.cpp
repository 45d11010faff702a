// The lobby's helper units: the input history and the ignore list.
#include <gtest/gtest.h>

#include "lobby/IgnoreList.h"
#include "lobby/InputHistory.h"
#include "lobby/UserIcons.h"

namespace {

TEST(InputHistory, FiftyLinesDropTheOldestAndARepeatMovesToTheEnd) {
    TInputHistory history;
    for (int i = 1; i <= 50; ++i) history.Addline("line" + std::to_string(i));
    history.Addline("line51");
    EXPECT_EQ(history.Count(), 50);
    EXPECT_EQ(history.Line(0), "line2");
    history.Addline("line10");
    EXPECT_EQ(history.Count(), 50);
    EXPECT_EQ(history.Line(0), "line2");  // nothing dropped for a repeat
    EXPECT_EQ(history.Line(49), "line10");
    EXPECT_EQ(history.Line(8), "line11");
    EXPECT_EQ(history.Position(), 50);
}

TEST(InputHistory, UpStopsAtTheOldestAndDownEndsInTheEmptyLine) {
    TInputHistory history;
    std::string line = "typed";
    EXPECT_FALSE(history.Previous(line));
    EXPECT_FALSE(history.Next(line));
    history.Addline("a");
    history.Addline("b");
    ASSERT_TRUE(history.Previous(line));
    EXPECT_EQ(line, "b");
    history.Previous(line);
    history.Previous(line);
    EXPECT_EQ(line, "a");
    EXPECT_EQ(history.Position(), 0);
    history.Next(line);
    EXPECT_EQ(line, "b");
    ASSERT_TRUE(history.Next(line));
    EXPECT_EQ(line, "");
    EXPECT_FALSE(history.Next(line));
    // Adding puts the position after the newest again.
    history.Previous(line);
    history.Addline("c");
    history.Previous(line);
    EXPECT_EQ(line, "c");
}

TEST(IgnoreList, NamesAreKeptSortedInLowerCaseAndToggleBackOff) {
    TIgnoreList list;
    EXPECT_TRUE(list.Toggle("Zed"));
    EXPECT_TRUE(list.Toggle("ANNA"));
    EXPECT_TRUE(list.Contains("anna"));
    EXPECT_TRUE(list.Contains("zED"));
    EXPECT_EQ(list.Names(), (std::vector<std::string>{"anna", "zed"}));
    EXPECT_FALSE(list.Toggle("anna"));
    EXPECT_EQ(list.Names(), (std::vector<std::string>{"zed"}));
}

TEST(UserIcons, FortyOneImagesInTheServersOrder) {
    const std::vector<std::string> names = UserIconNames();
    ASSERT_EQ(names.size(), 41u);
    EXPECT_EQ(names[0], "Gir1_gla");
    EXPECT_EQ(names[3], "Boy1_gla");
    EXPECT_EQ(names[6], "Gir1");
    EXPECT_EQ(names[17], "Boy3_new");
    EXPECT_EQ(names[35], "Boy3_psy");
    EXPECT_EQ(names[36], "Neutral");
    EXPECT_EQ(names[38], "SGame2");  // icon 39
    EXPECT_EQ(PlayingGame(39), 2);
    EXPECT_EQ(PlayingGame(37), 0);
    EXPECT_EQ(PlayingGame(42), 0);
    EXPECT_EQ(CheckedUserIcon(0), 0);
    EXPECT_EQ(CheckedUserIcon(41), 41);
    EXPECT_EQ(CheckedUserIcon(42), 0);
}

}  // namespace
