// The headless backend's loop, virtual periodic sources, dialogs and shell.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <stdexcept>
#include <thread>

#include "platform/headless/Headless.h"
#include "platform/headless/HeadlessVideo.h"

namespace hl = platform::headless;

class HeadlessLoop : public ::testing::Test {
protected:
    void SetUp() override { hl::InstallFresh(); }
    void TearDown() override { platform::Uninstall(); }
};

TEST_F(HeadlessLoop, TasksPostedFromAnotherThreadRunOnTheMainThreadInOrder) {
    std::vector<int> seen;
    auto main = std::this_thread::get_id();
    bool onMain = true;
    std::thread poster([&] {
        for (int i = 0; i < 100; ++i) {
            platform::Loop().Post([&, i] {
                seen.push_back(i);
                onMain = onMain && std::this_thread::get_id() == main;
            });
        }
    });
    poster.join();
    platform::Loop().ProcessMessages();
    ASSERT_EQ(seen.size(), 100u);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(seen[i], i);
    EXPECT_TRUE(onMain);
}

TEST_F(HeadlessLoop, WaitMessageSleepsUntilAnotherThreadPosts) {
    // A watch that never fires gives the wait something to sleep on.
    int p[2];
    ASSERT_EQ(pipe(p), 0);
    platform::Io().Watch(p[0], platform::IoRead, [](int, unsigned) {});
    bool ran = false;
    std::thread poster([&] { platform::Loop().Post([&] { ran = true; }); });
    while (!ran) platform::Loop().WaitMessage();
    poster.join();
    EXPECT_GE(hl::Loop().Wakeups(), 1);
    close(p[0]);
    close(p[1]);
}

TEST_F(HeadlessLoop, NestedProcessMessagesKeepsTheOrder) {
    auto& loop = platform::Loop();
    std::vector<std::string> order;
    loop.Post([&] {
        order.push_back("modal begins");
        loop.ProcessMessages();
        order.push_back("modal ends");
    });
    loop.Post([&] { order.push_back("second"); });
    loop.Post([&] { order.push_back("third"); });
    loop.ProcessMessages();
    EXPECT_EQ(order, (std::vector<std::string>{"modal begins", "second", "third", "modal ends"}));
    EXPECT_FALSE(hl::Loop().HasPendingTasks());
}

TEST_F(HeadlessLoop, TerminateEndsWaitingAndPosting) {
    auto& loop = platform::Loop();
    EXPECT_FALSE(loop.Terminated());
    loop.Terminate();
    EXPECT_TRUE(loop.Terminated());
    loop.WaitMessage();  // returns at once, although nothing could arrive
    EXPECT_FALSE(loop.Post([] {}));
    EXPECT_TRUE(loop.Terminated());
}

TEST_F(HeadlessLoop, PeriodicSourcesFireOncePerBoundaryCrossedInTimeOrder) {
    auto& loop = hl::Loop();
    std::vector<std::pair<int, int64_t>> ticks;  // source, counter at the tick
    int a = loop.StartPeriodic(10, [&] { ticks.push_back({1, loop.Counter()}); });
    int b = loop.StartPeriodic(15, [&] { ticks.push_back({2, loop.Counter()}); });
    ASSERT_GT(a, 0);
    ASSERT_GT(b, 0);
    EXPECT_EQ(loop.PeriodicPeriod(b), 15);
    loop.AdvanceMs(9);
    EXPECT_TRUE(ticks.empty());
    loop.AdvanceMs(26);  // to 35 ms
    const int64_t ms = hl::TLoop::kFrequency / 1000;
    std::vector<std::pair<int, int64_t>> expected{
        {1, 10 * ms}, {2, 15 * ms}, {1, 20 * ms}, {1, 30 * ms}, {2, 30 * ms}};
    EXPECT_EQ(ticks, expected);
    EXPECT_EQ(loop.Counter(), 35 * ms);
}

TEST_F(HeadlessLoop, PeriodicSourceStoppedInsideItsOwnTick) {
    auto& loop = hl::Loop();
    int ticks = 0, other = 0;
    int id = 0;
    id = loop.StartPeriodic(10, [&] {
        ++ticks;
        loop.StopPeriodic(id);
    });
    loop.StartPeriodic(10, [&] { ++other; });
    loop.AdvanceMs(100);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(other, 10);
    EXPECT_EQ(loop.PeriodicCount(), 1);
}

TEST_F(HeadlessLoop, PeriodicTicksPostToAResponsiveMainThread) {
    auto& loop = hl::Loop();
    int handled = 0;
    loop.StartPeriodic(10, [&] { loop.Post([&] { ++handled; }); });
    loop.RunFor(100);
    EXPECT_EQ(handled, 10);
    EXPECT_EQ(loop.StartPeriodic(0, [] {}), 0);
    EXPECT_EQ(loop.StartPeriodic(10, nullptr), 0);
}

TEST_F(HeadlessLoop, TimerCapsCanBeUnreadable) {
    auto& loop = hl::Loop();
    int lo = 0, hi = 0;
    EXPECT_TRUE(loop.TimerCaps(lo, hi));
    EXPECT_EQ(lo, 1);
    EXPECT_EQ(hi, 1'000'000);
    loop.SetTimerCaps(false, 0, 0);
    EXPECT_FALSE(loop.TimerCaps(lo, hi));
}

TEST_F(HeadlessLoop, DialogsAreRecordedAndAnsweredFromTheQueue) {
    auto& dialogs = hl::Dialogs();
    dialogs.QueueAnswer(platform::BoxResult::No);
    EXPECT_EQ(platform::Dialogs().MessageBox(platform::BoxKind::YesNo, "Quit?", "Confirm"),
              platform::BoxResult::No);
    EXPECT_EQ(platform::Dialogs().MessageBox(platform::BoxKind::YesNo, "Again?", "Confirm"),
              platform::BoxResult::Yes);
    EXPECT_EQ(platform::Dialogs().MessageBox(platform::BoxKind::Error, "File not found x", "error"),
              platform::BoxResult::Ok);
    ASSERT_EQ(dialogs.Boxes().size(), 3u);
    EXPECT_EQ(dialogs.Boxes()[0].text, "Quit?");
    EXPECT_EQ(dialogs.Boxes()[2].kind, platform::BoxKind::Error);
    EXPECT_EQ(dialogs.Boxes()[2].caption, "error");
    dialogs.ClearBoxes();
    EXPECT_TRUE(dialogs.Boxes().empty());
}

TEST_F(HeadlessLoop, ShellRecordsAndHaltEndsWithTheCode) {
    EXPECT_TRUE(platform::Shell().OpenUrl("http://example.org/"));
    EXPECT_TRUE(platform::Shell().StartProgram("/opt/start"));
    EXPECT_EQ(hl::Shell().OpenedUrls(), std::vector<std::string>{"http://example.org/"});
    EXPECT_EQ(hl::Shell().StartedPrograms(), std::vector<std::string>{"/opt/start"});
    EXPECT_EXIT(platform::Shell().Halt(3), ::testing::ExitedWithCode(3), "");
}

// With a reporter installed, an exception that escapes a posted task or a
// window's event handler is reported where the loop called it; the loop goes
// on with the next task. Without one it propagates (tests and tools).
TEST_F(HeadlessLoop, HandlerErrorsGoToTheReporter) {
    auto& loop = platform::headless::Loop();
    int reports = 0, after = 0;
    platform::SetErrorReporter([&reports] { ++reports; });
    loop.Post([] { throw std::runtime_error("task"); });
    loop.Post([&after] { ++after; });
    loop.ProcessMessages();
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(after, 1);

    platform::WindowParams params;
    params.width = 4;
    params.height = 4;
    auto window = platform::Video().CreateWindow(params);
    platform::WindowEvents events;
    events.onKeyDown = [](int, unsigned) { throw 42; };
    window->SetEvents(events);
    static_cast<platform::headless::TWindow&>(*window).KeyDown(13, 0);
    EXPECT_EQ(reports, 2);

    platform::SetErrorReporter(nullptr);
    loop.Post([] { throw std::runtime_error("task"); });
    EXPECT_THROW(loop.ProcessMessages(), std::runtime_error);
}

// Xlib ends the process with exit() when the display goes away; tearing the
// backend down then would talk to a dead display and never return, so an
// installed backend is left alone at exit.
TEST(PlatformExit, ABackendStillInstalledAtExitIsNotTornDown) {
    struct TEndsLoudly : hl::TShell {
        ~TEndsLoudly() override { _exit(3); }
    };
    EXPECT_EXIT(
        {
            auto backend = std::make_unique<platform::Backend>();
            backend->shell = std::make_unique<TEndsLoudly>();
            platform::Install(std::move(backend));
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}
