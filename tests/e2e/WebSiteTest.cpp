// The real server's web site in the real lobby's web panels: the banners and
// web tabs the zone sends after the logon point at the site, place 2 turns
// on each banner request, the news page and a profile page open in pop-up
// web windows and show the site's pages (not the error page), and a click
// on a banner reaches the server as "b".
#include <gtest/gtest.h>

#include "ThreeUsersFixture.h"
#include "controls/Browser.h"
#include "graphics/Paint.h"
#include "graphics/PixelFormat.h"
#include "lobby/WebPanels.h"
#include "lobby/Webform.h"
#include "resources/Inifile.h"
#include "resources/Texts.h"
#include "web/WebSite.h"
#include "web/WebView.h"

namespace e2etest {
namespace {

class WebSiteTest : public ThreeUsersTest {
protected:
    std::string SiteUrl() {
        std::string base;
        EXPECT_TRUE(m_server.OnServerThread([&](server::Server& s) {
            if (s.Site()) base = s.Site()->BaseUrl();
        }));
        return base;
    }
    bool LogSays(const std::string& text) const {
        for (const std::string& line : m_server.Log())
            if (line.find(text) != std::string::npos) return true;
        return false;
    }
};

TEST_F(WebSiteTest, LogonBringsBannersAndWebTabsOfTheSiteAndPlaceTwoTurns) {
    const std::string base = SiteUrl();
    ASSERT_FALSE(base.empty());
    EXPECT_TRUE(bo->Got(Build(protocol::TBanner{1, base + "/banner?n=1"})));
    EXPECT_TRUE(bo->Got(Build(protocol::TBanner{2, base + "/banner?n=2"})));
    EXPECT_TRUE(bo->Got(Build(protocol::TBanner{3, base + "/badge"})));
    std::vector<protocol::TWebTab> news{{"News", "News", base + "/news", 60, ""},
                                        {"Web", "Games", base + "/", 0, ""},
                                        {"Camera", "Menu2", base + "/camera", 30, base + "/cameratext"}};
    EXPECT_TRUE(bo->Got(Build(protocol::TWebTabs{1, news})));

    bo->Send(Build(protocol::TBannerRequest{}));
    ASSERT_TRUE(Until([&] { return bo->Got(Build(protocol::TBanner{2, base + "/banner?n=3"})); }));
}

TEST_F(WebSiteTest, NewsAndProfilePagesOpenInWebWindowsAndABannerClickIsReported) {
    const std::string base = SiteUrl();
    ASSERT_TRUE(m_server.OnServerThread([](server::Server& s) { s.Site()->News().Add("Yatzy tonight at eight"); }));
    SettingsFile().WriteString("Chat", "Reklame1", "300,10,90,60,3349010,TRUE,TRUE");
    TWebPanels panels(Lobby().Paint());

    panels.OpenWebWindow(base + "/news", 300, 200, false);
    panels.OpenWebWindow(base + "/profile?{Login}&Alias=Bo&Popup=true", 250, 400, false);
    ASSERT_EQ(panels.WindowCount(), 2);
    TBrowser& newsPage = panels.Window(0)->Browser();
    TBrowser& profile = panels.Window(1)->Browser();
    ASSERT_TRUE(Until([&] { return newsPage.Loaded() && profile.Loaded(); }));
    EXPECT_FALSE(newsPage.ErrorPage());
    EXPECT_FALSE(profile.ErrorPage());
    EXPECT_EQ(profile.Url().find(base + "/profile?User=Eva&Password="), 0u) << profile.Url();
    // The site's deep ground fills the page under its text.
    panels.Window(0)->Paint()->MakeBackBuffer();  // a window never shown has none yet
    const platform::Surface& back = panels.Window(0)->Paint()->BackBuffer();
    const int bytes = DepthBytesPerPixel(back.depth);
    // Inside the frame, in the page's left margin. The window paints its
    // page on a posted repaint after the load.
    ASSERT_GT(back.width, 20);
    ASSERT_GT(back.height, 20);
    const uint32_t ground = ColourToPixel(RgbColour(0x12, 0x1A, 0x33), back.depth);
    auto pixel = [&] { return LoadPixel(back.pixels + (back.height / 2) * back.pitch + 12 * bytes, bytes); };
    EXPECT_TRUE(Until([&] { return pixel() == ground; })) << pixel();

    panels.LoadBanner(1, base + "/banner?n=1");
    ASSERT_TRUE(Until([&] { return panels.Banner(1).Loaded(); }));
    Win().MouseMove(320, 30);
    Win().MouseDown(platform::ButtonLeft, 320, 30);
    Win().MouseUp(platform::ButtonLeft, 320, 30);
    ASSERT_TRUE(Until([&] { return LogSays("banner clicked by Eva"); }));
}

}  // namespace
}  // namespace e2etest
