// A web-camera tab of a web area: while the camera is off its still strip
// stands in for the live page and runs through its frames on the timer; a
// code 96 that arrives through the dispatcher switches every camera live
// (the live page loads and covers the strip) and back; a camera out of view
// runs no timer.
#include "controls/Browser.h"
#include "graphics/Mybitmap.h"
#include "graphics/Mybitmaplist.h"
#include "graphics/Myimagelist.h"
#include "graphics/PixelFormat.h"
#include "lobby/Camera.h"
#include "lobby/LobbyFixture.h"
#include "lobby/WebPanels.h"
#include "net/Dispatcher.h"
#include "net/SessionWindows.h"
#include "protocol/DialogMessages.h"
#include "shell/MyTimer.h"
#include "web/WebView.h"
#include "web/server/TestHttpServer.h"

namespace lobbytest {
namespace {

class CameraTest : public DialogsTest {
protected:
    void SetUp() override {
        DialogsTest::SetUp();
        ASSERT_TRUE(server.Running());
        WriteWebBarImages();
        // Three still frames of plain colours, the size of the live panel.
        WriteLoose("camera01", gfxtest::SolidGiz(60, 40, kStill[0]));
        WriteLoose("camera02", gfxtest::SolidGiz(60, 40, kStill[1]));
        WriteLoose("camera03", gfxtest::SolidGiz(60, 40, kStill[2]));
        const std::string panel = ",0,FALSE,TRUE\n";
        WriteIni(Dir() + "settings.ini", "[Chat]\nCamera=20,40,60,40" + panel + "Cameratext=100,40,60,40" + panel +
                                             "Html=10,40,200,100" + panel +
                                             "Htmlbar1=10,10,200,2,font1\nHtmlbar2=10,10,200,2,font1\n");
        LoadTextsAndSettings(Dir());
        owner = std::make_unique<TForm>("owner");
        owner->Show();
        panels = std::make_unique<TWebPanels>(owner->Paint());
        SessionWindows().Web = panels.get();
    }
    void TearDown() override {
        panels.reset();
        owner.reset();
        DialogsTest::TearDown();
    }

    static bool RunUntil(const std::function<bool()>& done) {
        for (int i = 0; i < 200000 && !done(); ++i) Loop().RunFor(1);
        return done();
    }
    uint32_t CameraPixel() const {
        owner->Paint()->MakeBackBuffer();  // a window never shown has none yet
        const platform::Surface& back = owner->Paint()->BackBuffer();
        const int bytes = DepthBytesPerPixel(back.depth);
        return LoadPixel(back.pixels + static_cast<ptrdiff_t>(60) * back.pitch + 50 * bytes, bytes);
    }
    // The first pixel of a still frame as decoded for the screen.
    uint32_t Still(int frame) const {
        const TMybitmap* bitmap = m_camera->Still()->Frames()->Get(frame - 1);
        return LoadPixel(bitmap->Pixels(), bitmap->BytesPerPixel());
    }
    // Area 1 with one camera tab, opened.
    TCamera& OpenCameraTab() {
        server.Put("/live", {.body = "<html><body style=\"margin:0;background:#ffffff\"></body></html>"});
        server.Put("/words", {.body = "<html><body>camera</body></html>"});
        TWebTabs tabs;
        tabs.Area = 1;
        tabs.Tabs.push_back({.Title = "Cam", .Prefix = "forum", .Url = server.Url("/live"), .Refresh = 0,
                             .CameraUrl = server.Url("/words")});
        panels->SetWebTabs(tabs);
        panels->OpenArea(1);
        m_camera = panels->AreaCamera(1, 1);
        EXPECT_NE(m_camera, nullptr);
        return *m_camera;
    }

    static constexpr uint16_t kStill[3] = {0x7C00, 0x03E0, 0x001F};  // red, green, blue (15-bit)
    webtest::TTestHttpServer server;
    std::unique_ptr<TForm> owner;
    std::unique_ptr<TWebPanels> panels;
    TCamera* m_camera = nullptr;
};

TEST_F(CameraTest, StripRunsWhileOffAndCodeNinetySixSwitchesItLiveAndBack) {
    TCamera& camera = OpenCameraTab();
    ASSERT_NE(camera.Still(), nullptr);
    EXPECT_EQ(camera.Still()->FrameCount(), 3);
    EXPECT_FALSE(camera.Active());
    EXPECT_EQ(CameraPixel(), Still(1));
    Loop().RunFor(TCamera::kStillFrameMs);
    EXPECT_EQ(CameraPixel(), Still(2));
    Loop().RunFor(TCamera::kStillFrameMs);
    EXPECT_EQ(CameraPixel(), Still(3));
    Loop().RunFor(TCamera::kStillFrameMs);
    EXPECT_EQ(CameraPixel(), Still(1));  // round again
    EXPECT_TRUE(camera.Live().Url().empty());  // an off camera fetches nothing

    Dispatch(protocol::Build(protocol::TCameras{true}));
    EXPECT_TRUE(camera.Active());
    EXPECT_FALSE(camera.Still()->Visible());
    EXPECT_FALSE(camera.Still()->Animating());
    const uint32_t white = ColourToPixel(RgbColour(255, 255, 255), owner->Paint()->BackBuffer().depth);
    ASSERT_TRUE(RunUntil([&] { return CameraPixel() == white; }));
    EXPECT_TRUE(camera.Live().Shown());

    Dispatch(protocol::Build(protocol::TCameras{false}));
    EXPECT_FALSE(camera.Active());
    EXPECT_FALSE(camera.Live().Shown());
    EXPECT_EQ(CameraPixel(), Still(1));  // the strip starts over
    // Started between two ticks of the shared timer: the frame changes at
    // the first tick after its time.
    Loop().RunFor(TCamera::kStillFrameMs + TMultimediaTimer::kDefaultPeriod);
    EXPECT_EQ(CameraPixel(), Still(2));
}

TEST_F(CameraTest, CameraOutOfViewRunsNoTimerAndComesBackWhereItWas) {
    TCamera& camera = OpenCameraTab();
    panels->CloseArea(1);
    EXPECT_FALSE(camera.Still()->Visible());
    EXPECT_FALSE(camera.Still()->Animating());

    // Switched on while out of view: nothing loads until the tab is seen.
    Dispatch(protocol::Build(protocol::TCameras{true}));
    EXPECT_TRUE(camera.Live().Url().empty());
    panels->OpenArea(1);
    EXPECT_FALSE(camera.Still()->Visible());
    const uint32_t white = ColourToPixel(RgbColour(255, 255, 255), owner->Paint()->BackBuffer().depth);
    ASSERT_TRUE(RunUntil([&] { return CameraPixel() == white; }));
}

}  // namespace
}  // namespace lobbytest
