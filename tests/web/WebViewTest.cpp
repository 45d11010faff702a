// The browser view against a local HTTP server: a page with its style sheet
// and image, links, and the navigations that must end as the error page
// (time-out, size limit, refused schemes) without ever blocking the loop.
#include "web/WebFixture.h"

namespace webtest {
namespace {

constexpr uint32_t kGreen = 0x00FF00, kRed = 0xFF0000;

// Virtual time runs 1 ms per loop pass while a loopback transfer moves in
// real time, so the transfers that must succeed get an hour.
web::TWebSettings Patient() {
    web::TWebSettings settings = DejaVuSettings();
    settings.Limits.TimeoutMs = 3'600'000;
    return settings;
}

struct TEvents {
    int complete = 0;
    std::vector<std::string> errors, windows;
    void Attach(web::IWebView& view) {
        view.OnComplete = [this] { ++complete; };
        view.OnError = [this](const std::string& reason) { errors.push_back(reason); };
        view.OnNewWindow = [this](const std::string& url) { windows.push_back(url); };
    }
    bool Ended() const { return complete > 0 || !errors.empty(); }
};

class WebViewTest : public WebFixture {};

TEST_F(WebViewTest, PageCompletesOnceWithItsStyleSheetAndImageDrawn) {
    server.Put("/page", {.body = "<html><head><link rel=\"stylesheet\" href=\"/look.css\"></head>"
                                 "<body><div id=\"box\"></div><img src=\"img/dot.png\" style=\"display:block\">"
                                 "</body></html>"});
    server.Put("/look.css", {.type = "text/css", .body = "#box { width: 20px; height: 10px; background: #00ff00; }"});
    server.Put("/img/dot.png", {.type = "image/png", .body = SolidPng(8, 8, 0xFFFF0000)});
    auto view = web::CreateWebView(40, 30, Patient());
    view->SetZeroMargins(true);
    TEvents events;
    events.Attach(*view);

    view->Navigate(server.Url("/page"));
    ASSERT_TRUE(RunUntil([&] { return events.Ended(); }));

    EXPECT_EQ(events.complete, 1);
    EXPECT_TRUE(events.errors.empty());
    EXPECT_FALSE(view->ErrorPage());
    EXPECT_FALSE(view->Loading());
    EXPECT_EQ(PixelAt(*view, 0, 0), kGreen);
    EXPECT_EQ(PixelAt(*view, 19, 9), kGreen);
    EXPECT_EQ(PixelAt(*view, 25, 5), 0xFFFFFFu);  // the default background
    EXPECT_EQ(PixelAt(*view, 0, 10), kRed);  // the image, below the box
    EXPECT_EQ(PixelAt(*view, 7, 17), kRed);
    EXPECT_EQ(PixelAt(*view, 8, 17), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(*view, 7, 18), 0xFFFFFFu);
    Loop().RunFor(50);
    EXPECT_EQ(events.complete, 1);
}

TEST_F(WebViewTest, SilentServerEndsAsErrorPageAfterTheTimeOutWithoutBlocking) {
    web::TWebSettings settings = DejaVuSettings();
    settings.Limits.TimeoutMs = 5000;
    auto view = web::CreateWebView(120, 60, settings);
    TEvents events;
    events.Attach(*view);

    view->Navigate(server.SilentUrl("/never"));
    Loop().RunFor(4900);
    EXPECT_FALSE(events.Ended());
    EXPECT_TRUE(view->Loading());
    Loop().RunFor(200);

    ASSERT_EQ(events.errors.size(), 1u);
    EXPECT_EQ(events.errors[0], "timed out");
    EXPECT_EQ(events.complete, 0);
    EXPECT_TRUE(view->ErrorPage());
    EXPECT_FALSE(view->Loading());
    int dark = 0;  // the error page's text is drawn
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 120; ++x) dark += PixelAt(*view, x, y) < 0x808080 ? 1 : 0;
    EXPECT_GT(dark, 20);
}

TEST_F(WebViewTest, PageBeyondTheSizeLimitEndsAsErrorPage) {
    web::TWebSettings settings = Patient();
    settings.Limits.MaxBytes = 64 * 1024;
    server.Put("/big", {.body = "<html><body>" + std::string(200 * 1024, 'x') + "</body></html>"});
    server.Put("/small", {.body = "<html><body>fits</body></html>"});
    auto view = web::CreateWebView(100, 50, settings);
    TEvents events;
    events.Attach(*view);

    view->Navigate(server.Url("/big"));
    ASSERT_TRUE(RunUntil([&] { return events.Ended(); }));
    ASSERT_EQ(events.errors.size(), 1u);
    EXPECT_EQ(events.errors[0], "too large");
    EXPECT_TRUE(view->ErrorPage());

    // The next navigation starts clean.
    view->Navigate(server.Url("/small"));
    ASSERT_TRUE(RunUntil([&] { return events.complete > 0; }));
    EXPECT_FALSE(view->ErrorPage());
}

TEST_F(WebViewTest, OnlyHttpAndHttpsAreFetched) {
    auto view = web::CreateWebView(100, 50, Patient());
    TEvents events;
    events.Attach(*view);
    for (const char* url : {"file:///etc/passwd", "javascript:alert(1)", "ftp://127.0.0.1/x", "http://"}) {
        view->Navigate(url);
        Loop().RunFor(1);
    }
    EXPECT_EQ(events.errors.size(), 4u);
    EXPECT_TRUE(view->ErrorPage());
    EXPECT_TRUE(server.Requests().empty());
}

TEST_F(WebViewTest, LinkClickNavigatesAndTargetedLinkIsOfferedAsNewWindow) {
    server.Put("/links", {.body = "<html><body style=\"margin:0\">"
                                  "<a href=\"next\" style=\"display:block;height:20px\">next</a>"
                                  "<a href=\"/pop?obwindow=200,300\" target=\"_blank\" "
                                  "style=\"display:block;height:20px\">pop</a></body></html>"});
    server.Put("/next", {.body = "<html><body>second</body></html>"});
    auto view = web::CreateWebView(100, 60, Patient());
    TEvents events;
    events.Attach(*view);
    view->Navigate(server.Url("/links"));
    ASSERT_TRUE(RunUntil([&] { return events.complete == 1; }));

    view->MouseDown(5, 30);
    view->MouseUp(5, 30);
    Loop().RunFor(1);
    ASSERT_EQ(events.windows.size(), 1u);
    EXPECT_EQ(events.windows[0], server.Url("/pop?obwindow=200,300"));
    EXPECT_EQ(view->Url(), server.Url("/links"));

    view->MouseDown(5, 5);
    view->MouseUp(5, 5);
    ASSERT_TRUE(RunUntil([&] { return events.complete == 2; }));
    EXPECT_EQ(view->Url(), server.Url("/next"));
}

}  // namespace
}  // namespace webtest
