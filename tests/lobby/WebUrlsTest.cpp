// The addresses of the web panels: "Rand=", the login string, "obwindow=".
#include <gtest/gtest.h>

#include "controls/WebUrls.h"

namespace {

TEST(WebUrlsTest, RandJoinsWithQuestionMarkOrAmpersandAndNeverTwice) {
    EXPECT_EQ(WithRand("http://zone/news", 42), "http://zone/news?Rand=42");
    EXPECT_EQ(WithRand("http://zone/news?a=1", 4294967295u), "http://zone/news?a=1&Rand=4294967295");
    EXPECT_EQ(WithRand("http://zone/news?Rand=7&a=1", 42), "http://zone/news?Rand=7&a=1");
    // The name is matched as written, as the servers send it.
    EXPECT_EQ(WithRand("http://zone/x?rand=7", 1), "http://zone/x?rand=7&Rand=1");
}

TEST(WebUrlsTest, LoginStringEncodesAliasAndPasswordOnly) {
    EXPECT_EQ(LoginString("eva:1", "p&w d", "en"), "User=eva%3A1&Password=p%26w%20d&Language=en");
    EXPECT_EQ(FillLogin("http://z/p?{Login}&x={Login}", "User=a"), "http://z/p?User=a&x=User=a");
    EXPECT_EQ(FillLogin("http://z/p?x=1", "User=a"), "http://z/p?x=1");
}

TEST(WebUrlsTest, ObwindowOpensOnlyWithTwoPositiveSizes) {
    int w = -1, h = -1;
    EXPECT_TRUE(ObwindowSize("http://z/p?OBWindow=250,400&x=1", w, h));
    EXPECT_EQ(w, 250);
    EXPECT_EQ(h, 400);
    EXPECT_FALSE(ObwindowSize("http://z/p?obwindow=250,0", w, h));
    EXPECT_FALSE(ObwindowSize("http://z/p?obwindow=0,300", w, h));
    EXPECT_FALSE(ObwindowSize("http://z/p?obwindow=250", w, h));
    EXPECT_FALSE(ObwindowSize("http://z/p?obwindow=a,b", w, h));
    EXPECT_FALSE(ObwindowSize("http://z/p?window=2,3", w, h));
    // A page cannot ask for a window beyond the screen the client needs.
    EXPECT_TRUE(ObwindowSize("http://z/p?obwindow=99999,99999", w, h));
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 600);
}

TEST(WebUrlsTest, FetchableFormEscapesBlanksAndHighBytes) {
    EXPECT_EQ(FetchableForm("http://z/p?Alias=S\xF8ren A"), "http://z/p?Alias=S%F8ren%20A");
    EXPECT_EQ(FetchableForm("http://z/p?a=1&b=%41"), "http://z/p?a=1&b=%41");
}

}  // namespace
