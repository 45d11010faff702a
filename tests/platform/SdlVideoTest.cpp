// The SDL backend's windows on SDL's dummy video driver: formats at every
// depth, paint requests through the loop, events from SDL's queue, focus and
// activation, the clipboard and window shapes. No display is needed.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/sdl/Sdl.h"
#include "platform/sdl/SdlLoop.h"
#include "platform/sdl/SdlVideo.h"
#include "platform/sdl/SdlWindow.h"

namespace {

class SdlVideo : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        unsetenv("QV_SCREEN_DEPTH");
        auto backend = platform::sdl::CreateBackend();
        ASSERT_NE(backend, nullptr);
        ASSERT_NE(backend->video, nullptr);
        platform::Install(std::move(backend));
    }
    void TearDown() override {
        unsetenv("QV_SCREEN_DEPTH");
        platform::Uninstall();
    }

    static std::unique_ptr<platform::IWindow> Open(int width = 40, int height = 30) {
        platform::WindowParams params;
        params.x = 10;
        params.y = 20;
        params.width = width;
        params.height = height;
        params.title = "Quorvalendix";
        return platform::Video().CreateWindow(params);
    }
    static platform::sdl::TWindow& Sdl(platform::IWindow& w) { return static_cast<platform::sdl::TWindow&>(w); }
    static void Push(SDL_Event event) { SDL_PushEvent(&event); }

    // The presented pixel at (x, y) as 0xRRGGBB.
    static Uint32 ScreenPixel(platform::IWindow& w, int x, int y) {
        SDL_Renderer* renderer = SDL_GetRenderer(Sdl(w).Handle());
        SDL_Rect r{x, y, 1, 1};
        Uint32 pixel = 0;
        SDL_RenderReadPixels(renderer, &r, SDL_PIXELFORMAT_XRGB8888, &pixel, 4);
        return pixel & 0xFFFFFF;
    }
};

}  // namespace

// A pure red pixel written in each depth's own layout reaches the screen as
// red, so the textures hold the back buffer's bytes as they are.
TEST_F(SdlVideo, BackBufferIsPresentedInTheScreenFormatOfEachDepth) {
    struct TCase {
        int depth;
        std::vector<uint8_t> red;
    };
    const TCase cases[] = {{15, {0x00, 0x7C}}, {16, {0x00, 0xF8}}, {24, {0, 0, 0xFF}}, {32, {0, 0, 0xFF, 0}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.depth);
        setenv("QV_SCREEN_DEPTH", std::to_string(c.depth).c_str(), 1);
        EXPECT_EQ(platform::Video().CurrentMode().depth, c.depth);
        auto w = Open(8, 4);
        ASSERT_NE(w, nullptr);
        platform::Surface s = w->BackBuffer();
        EXPECT_EQ(s.depth, c.depth);
        EXPECT_EQ(s.pitch, 8 * static_cast<int>(c.red.size()));
        std::copy(c.red.begin(), c.red.end(), s.pixels + 2 * s.pitch + 3 * c.red.size());
        w->Show();
        w->Present(platform::Rect{0, 0, 8, 4});
        EXPECT_EQ(ScreenPixel(*w, 3, 2), 0xFF0000u);
        EXPECT_EQ(ScreenPixel(*w, 4, 2), 0x000000u);
    }
    setenv("QV_SCREEN_DEPTH", "8", 1);  // not a depth we draw in: the desktop's
    EXPECT_EQ(platform::Video().CurrentMode().depth, 32);
}

TEST_F(SdlVideo, InvalidatedAreasArriveAsOnePaintThroughTheLoop) {
    auto w = Open();
    ASSERT_NE(w, nullptr);
    std::vector<platform::Rect> paints;
    platform::WindowEvents events;
    events.onPaint = [&](const platform::Rect& r) { paints.push_back(r); };
    w->SetEvents(events);
    w->Invalidate(platform::Rect{2, 3, 5, 6});
    w->Invalidate(platform::Rect{10, 1, 12, 4});
    w->Invalidate(platform::Rect{35, 25, 90, 90});  // clipped to the window
    EXPECT_TRUE(paints.empty());
    platform::Loop().ProcessMessages();
    ASSERT_EQ(paints.size(), 1u);
    EXPECT_EQ(paints[0].left, 2);
    EXPECT_EQ(paints[0].top, 1);
    EXPECT_EQ(paints[0].right, 40);
    EXPECT_EQ(paints[0].bottom, 30);
    platform::Loop().ProcessMessages();
    EXPECT_EQ(paints.size(), 1u);

    w->Invalidate(platform::Rect{0, 0, 1, 1});
    w->Update();  // now, not later
    EXPECT_EQ(paints.size(), 2u);
    platform::Loop().ProcessMessages();
    EXPECT_EQ(paints.size(), 2u);

    w->Invalidate(platform::Rect{0, 0, 1, 1});
    w.reset();  // a freed window drops its posted paint
    platform::Loop().ProcessMessages();
    EXPECT_EQ(paints.size(), 2u);
}

TEST_F(SdlVideo, SdlEventsReachTheirWindowInTheClientsNumbers) {
    auto w = Open();
    ASSERT_NE(w, nullptr);
    std::vector<std::string> seen;
    platform::WindowEvents events;
    events.onMouseDown = [&](int b, int x, int y, unsigned s) {
        seen.push_back("down " + std::to_string(b) + " " + std::to_string(x) + "," + std::to_string(y) + " " +
                       std::to_string(s));
    };
    events.onMouseUp = [&](int b, int, int, unsigned s) {
        seen.push_back("up " + std::to_string(b) + " " + std::to_string(s));
    };
    events.onMouseWheel = [&](int d, int x, int y, unsigned) {
        seen.push_back("wheel " + std::to_string(d) + " " + std::to_string(x) + "," + std::to_string(y));
    };
    events.onKeyDown = [&](int k, unsigned) { seen.push_back("key " + std::to_string(k)); };
    events.onChar = [&](uint8_t c) { seen.push_back("char " + std::to_string(c)); };
    events.onCloseRequest = [&] { seen.push_back("close"); };
    w->SetEvents(events);
    w->Show();  // the SDL window exists from the first show on
    const Uint32 id = SDL_GetWindowID(Sdl(*w).Handle());

    SDL_Event e{};
    e.button = SDL_MouseButtonEvent{SDL_MOUSEBUTTONDOWN, 0, id, 0, SDL_BUTTON_RIGHT, SDL_PRESSED, 1, 0, 5, 6};
    Push(e);
    e.button.type = SDL_MOUSEBUTTONUP;
    e.button.state = SDL_RELEASED;
    Push(e);
    e = SDL_Event{};
    e.wheel.type = SDL_MOUSEWHEEL;
    e.wheel.windowID = id;
    e.wheel.y = -2;
    e.wheel.mouseX = 3;
    e.wheel.mouseY = 4;
    Push(e);
    e = SDL_Event{};
    e.key.type = SDL_KEYDOWN;
    e.key.windowID = id;
    e.key.repeat = 1;  // auto-repeat is a key-down like any other
    e.key.keysym.sym = SDLK_RETURN;
    e.key.keysym.scancode = SDL_SCANCODE_RETURN;
    Push(e);
    e = SDL_Event{};
    e.text.type = SDL_TEXTINPUT;
    e.text.windowID = id;
    SDL_strlcpy(e.text.text, "\xC3\xA9\xE4\xB8\xAD", sizeof e.text.text);  // é, 中 dropped
    Push(e);
    e = SDL_Event{};
    e.window.type = SDL_WINDOWEVENT;
    e.window.windowID = id;
    e.window.event = SDL_WINDOWEVENT_CLOSE;
    Push(e);
    platform::Loop().ProcessMessages();

    const std::vector<std::string> expected{"down 2 5,6 16", "up 2 0",  "wheel -240 13,24",
                                            "key 13",       "char 13", "char 233", "close"};
    EXPECT_EQ(seen, expected);
}

// The dummy driver sends no focus events, so Focus moves the focus at once,
// with the activation order of every backend.
TEST_F(SdlVideo, FocusActivatesWindowsAndTheApplication) {
    std::vector<std::string> log;
    platform::Video().SetApplicationEvents([&] { log.push_back("app on"); }, [&] { log.push_back("app off"); });
    auto a = Open(), b = Open();
    ASSERT_TRUE(a && b);
    auto track = [&](platform::IWindow& w, const std::string& name) {
        platform::WindowEvents events;
        events.onActivate = [&log, name] { log.push_back(name + " on"); };
        events.onDeactivate = [&log, name] { log.push_back(name + " off"); };
        w.SetEvents(events);
    };
    track(*a, "a");
    track(*b, "b");
    a->Show();
    b->Show();
    a->Focus();
    b->Focus();
    EXPECT_TRUE(b->Focused());
    EXPECT_FALSE(a->Focused());
    b->Hide();
    const std::vector<std::string> expected{"app on", "a on", "a off", "b on", "b off", "app off"};
    EXPECT_EQ(log, expected);
    platform::Video().SetApplicationEvents(nullptr, nullptr);
}

TEST_F(SdlVideo, ClipboardCrossesAsUtf8) {
    platform::Video().SetClipboardText("caf\xE9 \x80");
    char* raw = SDL_GetClipboardText();
    EXPECT_STREQ(raw, "caf\xC3\xA9 \xE2\x82\xAC");
    SDL_free(raw);
    SDL_SetClipboardText("\xE2\x80\x9Cq\xE2\x80\x9D \xE4\xB8\xAD");  // “q” 中
    EXPECT_EQ(platform::Video().ClipboardText(), "\x93q\x94 ");
}

TEST_F(SdlVideo, ModesAndWindowLimits) {
    platform::DisplayMode mode = platform::Video().CurrentMode();
    EXPECT_GT(mode.width, 0);
    EXPECT_FALSE(platform::Video().SetMode(platform::DisplayMode{800, 600, 16}));
    EXPECT_FALSE(platform::Video().WorkArea().Empty());
    EXPECT_EQ(Open(0, 10), nullptr);
    EXPECT_EQ(Open(100000, 10), nullptr);
}

TEST(SdlShape, MaskCutsCornersAndTheHole) {
    platform::WindowShape shape;
    EXPECT_EQ(platform::sdl::ShapeMask(shape, 4, 3), std::vector<uint8_t>(12, 1));
    shape.cornerW = 20;
    shape.cornerH = 20;
    auto mask = platform::sdl::ShapeMask(shape, 100, 60);
    auto at = [&](int x, int y) { return mask[static_cast<size_t>(y) * 100 + x]; };
    EXPECT_EQ(at(0, 0), 0);
    EXPECT_EQ(at(99, 59), 0);
    EXPECT_EQ(at(10, 0), 1);  // the corner arc starts at its radius
    EXPECT_EQ(at(3, 3), 1);
    EXPECT_EQ(at(50, 30), 1);
    shape.holeX = 10;
    shape.holeY = 10;
    shape.holeW = 8;
    shape.holeH = 8;
    mask = platform::sdl::ShapeMask(shape, 100, 60);
    EXPECT_EQ(at(50, 30), 0);   // inside the hole
    EXPECT_EQ(at(5, 30), 1);    // the frame
    EXPECT_EQ(at(10, 10), 1);   // the hole's own corner is rounded off
}

// A window costs nothing in SDL until it is first shown, not even its back
// buffer; the owner fills the buffer as the window is about to appear, and
// the first frame is that whole buffer, before any paint is handled. Hidden,
// it gives its texture back, and shown again it shows what the back buffer
// holds by then.
TEST_F(SdlVideo, WindowIsMadeAtItsFirstShowAndPaintsItsWholeBackground) {
    setenv("QV_SCREEN_DEPTH", "32", 1);
    auto w = Open(8, 4);
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(Sdl(*w).Opened());
    EXPECT_FALSE(Sdl(*w).HasBackBuffer());
    EXPECT_EQ(w->Depth(), 32);
    platform::Surface s;
    auto fill = [&s](uint8_t blue) {
        for (int y = 0; y < s.height; ++y)
            for (int x = 0; x < s.width; ++x) s.pixels[y * s.pitch + x * 4] = blue;
    };
    std::vector<platform::Rect> paints;
    platform::WindowEvents events;
    events.onPaint = [&paints](const platform::Rect& r) { paints.push_back(r); };
    int showings = 0;
    events.onShowing = [&] {
        if (++showings > 1) return;
        EXPECT_FALSE(Sdl(*w).Opened());
        s = w->BackBuffer();
        fill(0xFF);
    };
    w->SetEvents(events);

    w->Show();
    ASSERT_TRUE(Sdl(*w).Opened());
    EXPECT_EQ(ScreenPixel(*w, 0, 0), 0x0000FFu);
    EXPECT_EQ(ScreenPixel(*w, 7, 3), 0x0000FFu);
    platform::Loop().ProcessMessages();
    ASSERT_EQ(paints.size(), 1u);
    EXPECT_EQ(paints[0].Width(), 8);
    EXPECT_EQ(paints[0].Height(), 4);

    w->Hide();
    EXPECT_FALSE(Sdl(*w).HasTexture());
    fill(0x80);  // drawn while hidden: nothing reaches the screen
    w->Present(platform::Rect{0, 0, 8, 4});
    w->Show();
    EXPECT_EQ(showings, 2);
    EXPECT_TRUE(Sdl(*w).HasTexture());
    EXPECT_EQ(ScreenPixel(*w, 3, 2), 0x000080u);
}

// A popup sized before its first show appears at that size.
TEST_F(SdlVideo, ShownSizeSetBeforeTheFirstShowIsKept) {
    auto w = Open(40, 30);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->SetShownSize(20, 10));
    w->Show();
    int width = 0, height = 0;
    SDL_GetWindowSize(Sdl(*w).Handle(), &width, &height);
    EXPECT_EQ(width, 20);
    EXPECT_EQ(height, 10);
}
