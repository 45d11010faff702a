// The pop-up web window draws its frame as soon as it exists: the skin's
// "Webwindow" picture at the window's edges, never the black of an empty
// back buffer.
#include "graphics/Paint.h"
#include "graphics/PixelFormat.h"
#include "lobby/LobbyFixture.h"
#include "lobby/Webform.h"
#include "web/server/TestHttpServer.h"

namespace lobbytest {
namespace {

class WebformTest : public DialogsTest {};

TEST_F(WebformTest, FrameIsPaintedAroundThePageFromTheStart) {
    WriteLoose("webwindow", gfxtest::SolidGiz(48, 48, gfxtest::kRed));
    webtest::TTestHttpServer server;
    server.Put("/p", {.body = "<html><body></body></html>"});
    TWebform window(server.Url("/p"), 100, 80);
    window.Paint()->MakeBackBuffer();  // read as its first show would paint it
    const platform::Surface& back = window.Paint()->BackBuffer();
    const int bytes = DepthBytesPerPixel(back.depth);
    auto at = [&](int x, int y) {
        return LoadPixel(back.pixels + static_cast<ptrdiff_t>(y) * back.pitch + x * bytes, bytes);
    };
    const uint32_t red = at(2, 2);
    EXPECT_NE(red, 0u);
    EXPECT_EQ(at(window.Width() - 3, window.Height() - 3), red);
    EXPECT_EQ(at(TWebform::kPanelInset + 100 + 10, 40), red);  // right of the page
}

}  // namespace
}  // namespace lobbytest
