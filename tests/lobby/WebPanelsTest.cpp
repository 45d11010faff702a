// The lobby's web panels against a local HTTP server: a refreshing panel
// never shows a blank page, banners report their loads and clicks, the web
// areas of code 106 fill their tabs, panels fetch nothing before they are
// shown (except the hidden one), pop-up windows close and go away on the
// next tick.
#include <chrono>

#include "controls/AdvertPanels.h"
#include "controls/Bar.h"
#include "controls/Browser.h"
#include "controls/Scrollbar.h"
#include "graphics/PixelFormat.h"
#include "lobby/LobbyFixture.h"
#include "lobby/WebPanels.h"
#include "lobby/Webform.h"
#include "platform/headless/HeadlessVideo.h"
#include "web/WebView.h"
#include "web/server/TestHttpServer.h"

namespace lobbytest {
namespace {

std::string ColourPage(const char* colour) {
    return std::string("<html><body style=\"margin:0;background:") + colour + "\"><a href=\"/x\" "
           "style=\"display:block;height:40px\">link</a></body></html>";
}

class WebPanelsTest : public DialogsTest {
protected:
    void SetUp() override {
        DialogsTest::SetUp();
        ASSERT_TRUE(server.Running());
        WriteWebBarImages();
        const std::string panel = ",0,FALSE,TRUE\n", banner = ",0,TRUE,TRUE\n";
        WriteIni(Dir() + "settings.ini", "[Chat]\nReklame1=300,10,60,40" + banner + "Reklame2=300,60,60,40" +
                                             banner + "Reklame3=300,110,60,40" + banner +
                                             "Chatheader=300,160,60,40" + panel + "Chatheaderbig=300,210,60,40" +
                                             panel + "Html=10,40,200,100" + panel +
                                             "Htmlbar1=10,10,200,2,font1\nHtmlbar2=10,10,200,2,font1\n");
        LoadTextsAndSettings(Dir());
        owner = std::make_unique<TForm>("owner");
        owner->Show();
        TBrowser::Random = [] { return 7u; };
    }
    void TearDown() override {
        owner.reset();
        DialogsTest::TearDown();
    }

    // Runs the loop in 1 ms steps until done holds; loopback transfers move
    // in real time meanwhile, and check runs after every step. False after
    // ten real seconds, so a fault fails the test instead of hanging it.
    static bool RunUntil(const std::function<bool()>& done, const std::function<void()>& check = {}) {
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!done()) {
            if (std::chrono::steady_clock::now() > limit) return false;
            Loop().RunFor(1);
            if (check) check();
        }
        return true;
    }

    uint32_t ScreenAt(int x, int y) const {
        owner->Paint()->MakeBackBuffer();  // a window never shown has none yet
        const platform::Surface& back = owner->Paint()->BackBuffer();
        const int bytes = DepthBytesPerPixel(back.depth);
        return LoadPixel(back.pixels + static_cast<ptrdiff_t>(y) * back.pitch + x * bytes, bytes);
    }
    uint32_t Screen(TColour colour) const { return ColourToPixel(colour, owner->Paint()->BackBuffer().depth); }

    webtest::TTestHttpServer server;
    std::unique_ptr<TForm> owner;
};

TEST_F(WebPanelsTest, RefreshingPanelSwapsOnlyAfterTheHiddenPageLoaded) {
    server.Put("/head", {.body = ColourPage("#00ff00")});
    TBrowser panel(owner->Paint(), TRect{20, 20, 80, 60}, 0, false, true, 300);
    panel.Load(server.Url("/head"));
    panel.Show();
    // The refresh period runs from the showing; the load itself takes a
    // varying number of steps.
    const int64_t shownAt = NowMs();
    ASSERT_TRUE(RunUntil([&] { return panel.Loaded(); }));
    EXPECT_EQ(ScreenAt(50, 50), Screen(RgbColour(0, 255, 0)));
    EXPECT_EQ(server.Requests().back(), "/head");

    server.Put("/head", {.body = ColourPage("#ff0000")});
    Loop().RunFor(299'000 - (NowMs() - shownAt));
    ASSERT_EQ(server.Requests().size(), 1u);
    const uint32_t green = Screen(RgbColour(0, 255, 0)), red = Screen(RgbColour(255, 0, 0));
    bool blank = false;
    ASSERT_TRUE(RunUntil([&] { return ScreenAt(50, 50) == red; },
                         [&] { blank = blank || (ScreenAt(50, 50) != green && ScreenAt(50, 50) != red); }));
    EXPECT_FALSE(blank);
    EXPECT_EQ(server.Requests().size(), 2u);
    EXPECT_FALSE(panel.ErrorPage());
}

TEST_F(WebPanelsTest, BannersReportLoadsAndClicksAndReklame3Plays) {
    server.Put("/ad", {.body = ColourPage("#0000ff")});
    TWebPanels panels(owner->Paint());
    std::vector<std::string> sent;
    panels.Sender = [&](const std::string& m) { sent.push_back(m); };
    panels.LoadBanner(1, server.Url("/ad"));
    ASSERT_TRUE(RunUntil([&] { return panels.Banner(1).Loaded(); }));
    ASSERT_EQ(sent, std::vector<std::string>{"a\x01"});

    Win(*owner).MouseMove(310, 20);
    Win(*owner).MouseDown(platform::ButtonLeft, 310, 20);
    Win(*owner).MouseUp(platform::ButtonLeft, 310, 20);
    EXPECT_EQ(sent.back(), "b\x01");
    // A link of a banner leaves for the platform's browser, never the panel.
    Loop().RunFor(1);
    EXPECT_EQ(panels.Banner(1).View().Url(), server.Url("/ad?Rand=7"));
    ASSERT_EQ(platform::headless::Shell().OpenedUrls().size(), 1u);
    EXPECT_EQ(platform::headless::Shell().OpenedUrls()[0], server.Url("/x"));

    panels.LoadBanner(3, server.Url("/ad"));
    ASSERT_TRUE(RunUntil([&] { return panels.Banner(3).Loaded(); }));
    EXPECT_EQ(sent.size(), 2u);  // Reklame3 reports nothing
    Win(*owner).MouseMove(310, 120);
    Win(*owner).MouseDown(platform::ButtonLeft, 310, 120);
    const auto& sounds = platform::headless::Audio().Played();
    ASSERT_GE(sounds.size(), 2u);
    EXPECT_NE(sounds[sounds.size() - 2].find("Rollover.wav"), std::string::npos);
    EXPECT_NE(sounds.back().find("Rolldown.wav"), std::string::npos);
}

TEST_F(WebPanelsTest, GameWindowPanelsReportWithTheirOwnBytes) {
    server.Put("/ad", {.body = ColourPage("#0000ff")});
    std::vector<std::string> sent;
    TAdvertPanels gammon(owner->Paint(), "Chat", 4, [&](const std::string& m) { sent.push_back(m); });
    gammon.Load(2, server.Url("/ad"));
    gammon.Load(4, server.Url("/ad"));  // no such panel
    ASSERT_TRUE(RunUntil([&] { return gammon.Panel(2).Loaded(); }));
    Win(*owner).MouseMove(310, 70);
    Win(*owner).MouseDown(platform::ButtonLeft, 310, 70);
    Win(*owner).MouseUp(platform::ButtonLeft, 310, 70);
    EXPECT_EQ(sent, (std::vector<std::string>{"a\x05", "b\x05"}));
    EXPECT_EQ(server.Requests().size(), 1u);
}

TEST_F(WebPanelsTest, WebAreaTabsFallBackToForumAndFillTheLogin) {
    server.Put("/news", {.body = ColourPage("#00ff00")});
    TWebPanels panels(owner->Paint());
    panels.SetWebTabs({1, {{"News", "Nosuchtab", server.Url("/news?{Login}"), 0, ""},
                           {"Web", "forum", server.Url("/web"), 0, ""}}});
    ASSERT_EQ(panels.AreaBar(1).Count(), 2);
    EXPECT_EQ(panels.AreaBar(1).Tab(1)->Element(), "forum");

    panels.OpenArea(1);
    TBrowser* page = panels.AreaPage(1, 1);
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(RunUntil([&] { return page->Loaded(); }));
    EXPECT_TRUE(page->Shown());
    EXPECT_EQ(page->Url(), server.Url("/news?User=&Password=&Language=en"));
    EXPECT_FALSE(panels.AreaPage(1, 2)->Wanted());

    panels.CloseArea(1);
    EXPECT_FALSE(page->Shown());
}

TEST_F(WebPanelsTest, PanelsFetchWhenFirstShownAndTheHiddenOneAtOnce) {
    server.Put("/one", {.body = ColourPage("#00ff00")});
    server.Put("/two", {.body = ColourPage("#0000ff")});
    TWebPanels panels(owner->Paint());
    panels.SetWebTabs({1, {{"One", "forum", server.Url("/one"), 0, ""}, {"Two", "forum", server.Url("/two"), 300, ""}}});
    panels.Header(true).Load(server.Url("/two"));
    Loop().RunFor(100);
    EXPECT_TRUE(server.Requests().empty());
    EXPECT_TRUE(panels.AreaPage(1, 2)->LoadPending());

    panels.VisitHidden(server.Url("/one"));
    ASSERT_TRUE(RunUntil([&] { return panels.Hidden().Loaded(); }));
    EXPECT_FALSE(panels.Hidden().Shown());
    ASSERT_EQ(server.Requests().size(), 1u);

    panels.OpenArea(1);
    ASSERT_TRUE(RunUntil([&] { return panels.AreaPage(1, 1)->Loaded(); }));
    EXPECT_EQ(server.Requests().size(), 2u);
    panels.Htmlclick(1, 2);
    TBrowser& second = *panels.AreaPage(1, 2);
    ASSERT_TRUE(RunUntil([&] { return second.Loaded(); }));
    EXPECT_TRUE(second.Shown());
    EXPECT_EQ(ScreenAt(50, 50), Screen(RgbColour(0, 0, 255)));
    EXPECT_EQ(server.Requests(), (std::vector<std::string>{"/one", "/one", "/two"}));
}

TEST_F(WebPanelsTest, PopUpWindowClosesWithOkAndGoesOnTheNextTick) {
    server.Put("/profile", {.body = ColourPage("#00ff00")});
    TWebPanels panels(owner->Paint());
    panels.OpenWebWindow(server.Url("/profile?a=1"), 250, 400, false);
    ASSERT_EQ(panels.WindowCount(), 1);
    TWebform* window = panels.Window(0);
    EXPECT_EQ(window->Width(), 250 + TWebform::kExtraWidth);
    EXPECT_EQ(window->Height(), 400 + TWebform::kExtraHeight);
    ASSERT_TRUE(RunUntil([&] { return window->Browser().Loaded(); }));

    ASSERT_NE(window->OkButton(), nullptr);
    Click(*window, *window->OkButton());
    EXPECT_EQ(panels.WindowCount(), 1);  // not inside its own close
    Loop().RunFor(20);
    EXPECT_EQ(panels.WindowCount(), 0);

    panels.OpenWebWindow(server.Url("/profile"), 250, 0, false);
    EXPECT_EQ(panels.WindowCount(), 0);
}

// The wheel over a long page scrolls it and carries the bar's thumb along.
TEST_F(WebPanelsTest, WheelScrollsTheWindowsPageAndMovesTheThumb) {
    server.Put("/long", {.body = "<html><body style=\"margin:0\"><div style=\"height:2000px\">top</div>"
                                 "</body></html>"});
    TWebPanels panels(owner->Paint());
    panels.OpenWebWindow(server.Url("/long"), 250, 200, false);
    ASSERT_EQ(panels.WindowCount(), 1);
    TWebform* window = panels.Window(0);
    TBrowser& browser = window->Browser();
    ASSERT_TRUE(RunUntil([&] { return browser.Loaded(); }));
    ASSERT_NE(browser.Bar(), nullptr);
    ASSERT_TRUE(browser.Bar()->ThumbShown());
    const int top = browser.Bar()->ThumbY();

    const TRect area = browser.Bounds();
    auto* platformWindow = static_cast<platform::headless::TWindow*>(window->Paint()->Window());
    const platform::Rect frame = platformWindow->Bounds();  // the wheel comes in screen coordinates
    platformWindow->MouseWheel(-3 * TPaint::kWheelNotch, frame.left + area.left + 20, frame.top + area.top + 20);
    EXPECT_EQ(browser.View().ScrollPos(), 3 * TBrowser::kScrollStep);
    EXPECT_EQ(browser.Bar()->Position(), 3 * TBrowser::kScrollStep);
    EXPECT_GT(browser.Bar()->ThumbY(), top);
}

}  // namespace
}  // namespace lobbytest
