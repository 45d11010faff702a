// The start-up sequence: display check, splash progress and its stored
// count, the debug switch.
#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "controls/Form.h"
#include "controls/Progress.h"
#include "graphics/Paint.h"
#include "graphics/GraphicsFixture.h"
#include "platform/headless/HeadlessVideo.h"
#include "resources/Inifile.h"
#include "resources/Texts.h"
#include "shell/AppContext.h"
#include "shell/MyTimer.h"
#include "shell/Splashform.h"
#include "shell/Startup.h"

namespace {

class StartupTest : public gfxtest::GraphicsTest {
protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        WriteLoose("splash", gfxtest::SolidGiz(200, 100, gfxtest::kBlue));
        WriteLoose("progon", gfxtest::SolidGiz(180, 8, gfxtest::kGreen));
        WriteLoose("win", gfxtest::SolidGiz(40, 30, gfxtest::kRed));
        WriteSettings("");
        WriteFile(Dir() + "text.ini", Text("[en-Message]\r\nchangeres=Change?\r\nwrongres=No mode\r\n"));
        LoadTextsAndSettings(Dir());
    }
    static gfxtest::Bytes Text(const std::string& s) { return gfxtest::Bytes(s.begin(), s.end()); }
    void WriteSettings(const std::string& s) { WriteFile(Dir() + "settings.ini", Text(s)); }

    // Two windows: two surfaces (50 each) and their backgrounds (one load of
    // 10, the second from the cache).
    std::function<void()> TwoWindows() {
        return [this] {
            m_forms.push_back(std::make_unique<TForm>("win"));
            m_forms.push_back(std::make_unique<TForm>("win"));
        };
    }
    int StoredCount() {
        TInifile settings(Dir() + "settings.ini");
        return settings.ReadInteger("Splash", "Count", -1);
    }
    // Runs one start as the program would: settings loaded, windows made,
    // settings saved at the end.
    std::unique_ptr<TStartup> Start(std::vector<std::string> args = {}) {
        LoadTextsAndSettings(Dir());
        auto startup = std::make_unique<TStartup>(m_context, std::move(args));
        EXPECT_TRUE(startup->Prepare(TwoWindows()));
        m_forms.clear();
        SettingsFile().Flush();
        return startup;
    }
    static platform::headless::TDialogs& Boxes() { return platform::headless::Dialogs(); }

    // The client's whole context, on top of the graphics fixture's states;
    // before the forms, which end first.
    TAppContext m_context;
    std::vector<std::unique_ptr<TForm>> m_forms;
};

TEST_F(StartupTest, ProgressCountIsStoredOnTheFirstStartAndKeptOnTheSecond) {
    {
        TStartup first(m_context, {});
        ASSERT_TRUE(first.Prepare(TwoWindows()));
        EXPECT_EQ(first.ProgressTotal(), 50 + 10 + 50);
        EXPECT_EQ(first.Splash()->Progress()->Maximum(), 0);
        m_forms.clear();
        SettingsFile().Flush();
    }
    EXPECT_EQ(StoredCount(), 110);
    WriteSettings("[Splash]\r\nCount=110\r\nMarker=1\r\n");
    {
        TStartup second(m_context, {});
        ASSERT_TRUE(second.Prepare(TwoWindows()));
        EXPECT_EQ(second.Splash()->Progress()->Maximum(), 110);
        // A bar that fills exactly.
        EXPECT_EQ(second.Splash()->Progress()->ShownWidth(), 180);
        EXPECT_FALSE(SettingsFile().Dirty());
        m_forms.clear();
    }
}

TEST_F(StartupTest, DebugSwitchOnlyAsFirstArgumentInAnyCase) {
    EXPECT_TRUE(TStartup(m_context, {"/DEBUG"}).Debug());
    EXPECT_TRUE(TStartup(m_context, {"/Debug", "x"}).Debug());
    EXPECT_FALSE(TStartup(m_context, {"x", "/debug"}).Debug());
    EXPECT_FALSE(TStartup(m_context, {}).Debug());
}

TEST_F(StartupTest, DebugModeRecordsEveryProgressStep) {
    LoadTextsAndSettings(Dir());
    TStartup startup(m_context, {"/debug"});
    ASSERT_TRUE(startup.Prepare(TwoWindows()));
    TInifile debug(Dir() + "debug.ini");
    // The position before the last step (the second window's surface).
    EXPECT_EQ(debug.ReadInteger("Startup", "Tick", -1), 60);
}

TEST_F(StartupTest, NoDebugFileWithoutTheSwitch) {
    Start();
    EXPECT_FALSE(std::filesystem::exists(Dir() + "debug.ini"));
}

TEST_F(StartupTest, LargeDisplayIsLeftAlone) {
    platform::headless::Video().SetDesktopMode({1024, 768, 32});
    auto startup = Start();
    EXPECT_TRUE(Boxes().Boxes().empty());
    EXPECT_FALSE(startup->ResolutionChanged());
}

TEST_F(StartupTest, ShallowDisplayIsOfferedAChangeAndTheFirstSettableDepthWins) {
    UseDepth(8);
    platform::headless::Video().SetDesktopMode({800, 600, 8});
    platform::headless::Video().SetSettableDepths({16, 32});
    auto startup = Start();
    ASSERT_EQ(Boxes().Boxes().size(), 1u);
    EXPECT_EQ(Boxes().Boxes()[0].text, "Change?");
    EXPECT_TRUE(startup->ResolutionChanged());
    EXPECT_EQ(platform::headless::Video().CurrentMode().depth, 16);
    startup->Finish();
    EXPECT_EQ(platform::headless::Video().CurrentMode().depth, 8);
}

TEST_F(StartupTest, RefusedOrImpossibleChangeEndsTheStart) {
    platform::headless::Video().SetDesktopMode({640, 480, 32});
    Boxes().QueueAnswer(platform::BoxResult::No);
    EXPECT_FALSE(TStartup(m_context, {}).Prepare(TwoWindows()));
    EXPECT_TRUE(m_forms.empty());

    Boxes().ClearBoxes();
    platform::headless::Video().SetSettableDepths({});
    EXPECT_FALSE(TStartup(m_context, {}).Prepare(TwoWindows()));
    ASSERT_EQ(Boxes().Boxes().size(), 2u);
    EXPECT_EQ(Boxes().Boxes()[1].text, "No mode");
    EXPECT_TRUE(m_forms.empty());
}

}  // namespace

// From start-up on, an error that escapes a handler of the loop (here the
// splash's paint, then a timer) is shown as "Der skete en fejl!" titled
// "Error"; before the lobby offers its skinned box, in the platform's box.
TEST_F(StartupTest, ErrorsEscapingHandlersAreShownAsTheErrorBox) {
    {
        TStartup startup(m_context, {});
        ASSERT_TRUE(startup.Prepare(TwoWindows()));
        Boxes().ClearBoxes();
        platform::Loop().Post([] { throw std::runtime_error("splash"); });
        platform::Loop().ProcessMessages();
        ASSERT_EQ(Boxes().Boxes().size(), 1u);
        EXPECT_EQ(Boxes().Boxes()[0].kind, platform::BoxKind::Error);
        EXPECT_EQ(Boxes().Boxes()[0].text, "Der skete en fejl!");
        EXPECT_EQ(Boxes().Boxes()[0].caption, "Error");

        TMyTimer timer;
        timer.SetInterval(20);
        timer.OnTimer = [](TMyTimer*) { throw std::logic_error("timer"); };
        timer.SetEnabled(true);
        platform::headless::Loop().RunFor(60);
        EXPECT_GE(Boxes().Boxes().size(), 2u);
        m_forms.clear();
    }
    // Without the start-up the errors propagate again.
    platform::Loop().Post([] { throw std::runtime_error("late"); });
    EXPECT_THROW(platform::Loop().ProcessMessages(), std::runtime_error);
}

// Once the first real window takes the activation, the splash hides itself
// and is freed on the loop's next pass, with its window; one that hid during
// start-up goes when start-up ends.
TEST_F(StartupTest, SplashIsFreedOnceItHidAfterStartUp) {
    {
        TStartup early(m_context, {});
        ASSERT_TRUE(early.Prepare([&] {
            TwoWindows()();
            static_cast<platform::headless::TWindow*>(early.Splash()->Paint()->Window())->Deactivate();
        }));
        EXPECT_EQ(early.ProgressTotal(), 50 + 10 + 50);
        EXPECT_EQ(early.Splash(), nullptr);
        m_forms.clear();
    }
    TStartup startup(m_context, {});
    auto& video = platform::headless::Video();
    ASSERT_TRUE(startup.Prepare(TwoWindows()));
    ASSERT_NE(startup.Splash(), nullptr);
    auto* splash = static_cast<platform::headless::TWindow*>(startup.Splash()->Paint()->Window());
    const size_t windows = video.Windows().size();
    splash->Deactivate();
    ASSERT_NE(startup.Splash(), nullptr);  // not inside its own handler
    EXPECT_FALSE(startup.Splash()->Visible());
    platform::Loop().ProcessMessages();
    EXPECT_EQ(startup.Splash(), nullptr);
    EXPECT_EQ(video.Windows().size(), windows - 1);
    m_forms.clear();
}
