// The SDL backend without a display (SDL's dummy video driver): posting,
// waiting, the periodic threads, descriptor readiness, lookups and the shell.
// Nothing here asserts on wall-clock time; waits end on events.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <SDL.h>
#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <cstdlib>
#include <thread>

#include "platform/sdl/Sdl.h"
#include "platform/sdl/SdlLoop.h"

namespace {

class SdlBackend : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        auto backend = platform::sdl::CreateBackend();
        ASSERT_NE(backend, nullptr);
        EXPECT_NE(backend->video, nullptr);  // the dummy driver has video
        EXPECT_NE(backend->audio, nullptr);
        platform::Install(std::move(backend));
    }
    void TearDown() override { platform::Uninstall(); }

    platform::IEventLoop& Loop() { return platform::Loop(); }
    platform::sdl::TLoop& SdlLoop() { return static_cast<platform::sdl::TLoop&>(Loop()); }
    // Waits in the loop until the condition holds.
    template <typename F>
    void WaitUntil(F done) {
        while (!done() && !Loop().Terminated()) Loop().WaitMessage();
    }
};

struct TPair {
    int a = -1, b = -1;
    TPair() {
        int sv[2];
        if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0, sv) == 0) a = sv[0], b = sv[1];
    }
    ~TPair() {
        if (a >= 0) close(a);
        if (b >= 0) close(b);
    }
};

}  // namespace

TEST_F(SdlBackend, WaitsWithoutAWindowOnTheQueueDescriptor) {
    EXPECT_FALSE(SdlLoop().WaitsInSdl());
    SdlLoop().AddWindow();
    EXPECT_FALSE(SdlLoop().WaitsInSdl());  // the dummy driver cannot sleep
    SdlLoop().RemoveWindow();
}

TEST_F(SdlBackend, TaskPostedFromAnotherThreadWakesTheWait) {
    std::atomic<bool> go{false};
    bool ran = false;
    auto main = std::this_thread::get_id();
    bool onMain = false;
    std::thread poster([&] {
        while (!go.load()) std::this_thread::yield();
        Loop().Post([&] {
            ran = true;
            onMain = std::this_thread::get_id() == main;
        });
    });
    go.store(true);
    WaitUntil([&] { return ran; });
    poster.join();
    EXPECT_TRUE(onMain);
    EXPECT_GE(SdlLoop().Wakeups(), 1);
}

TEST_F(SdlBackend, NestedProcessMessagesKeepsTheOrder) {
    std::vector<int> order;
    Loop().Post([&] {
        order.push_back(1);
        Loop().ProcessMessages();
        order.push_back(4);
    });
    Loop().Post([&] { order.push_back(2); });
    Loop().Post([&] { order.push_back(3); });
    Loop().ProcessMessages();
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(SdlBackend, OtherSdlEventsGoToTheSinkAndQuitTerminates) {
    std::vector<Uint32> seen;
    SdlLoop().SetEventSink([&](const SDL_Event& e) { seen.push_back(e.type); });
    Uint32 custom = SDL_RegisterEvents(1);
    ASSERT_NE(custom, static_cast<Uint32>(-1));
    SDL_Event event{};
    event.type = custom;
    ASSERT_EQ(SDL_PushEvent(&event), 1);
    Loop().ProcessMessages();
    EXPECT_EQ(seen, std::vector<Uint32>{custom});
    EXPECT_FALSE(Loop().Terminated());
    event.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&event), 1);
    Loop().ProcessMessages();
    EXPECT_TRUE(Loop().Terminated());
}

TEST_F(SdlBackend, InterruptSignalEndsAWaitThroughQuit) {
    struct sigaction current {};
    sigaction(SIGINT, nullptr, &current);
    if (current.sa_handler == SIG_DFL || current.sa_handler == SIG_IGN) {
        GTEST_SKIP() << "SDL did not take over SIGINT";
    }
    // Sent while the main thread may already sleep, or not yet: either way
    // the wait must end. A watch keeps the notifier thread alive meanwhile,
    // which must not take the signal.
    TPair p;
    platform::Io().Watch(p.a, platform::IoRead, [](int, unsigned) {});
    pthread_t main = pthread_self();
    std::thread signaller([main] { pthread_kill(main, SIGINT); });
    while (!Loop().Terminated()) Loop().WaitMessage();
    signaller.join();
}

TEST_F(SdlBackend, TerminateEndsWaitingAndPosting) {
    Loop().Terminate();
    EXPECT_TRUE(Loop().Terminated());
    Loop().WaitMessage();  // returns at once
    EXPECT_FALSE(Loop().Post([] {}));
}

TEST_F(SdlBackend, CounterAndCapabilities) {
    EXPECT_EQ(Loop().Frequency(), 1'000'000'000);
    int64_t a = Loop().Counter();
    int64_t b = Loop().Counter();
    EXPECT_LE(a, b);
    int lo = 0, hi = 0;
    ASSERT_TRUE(Loop().TimerCaps(lo, hi));
    EXPECT_EQ(lo, 1);
    EXPECT_EQ(hi, 1'000'000);
    EXPECT_EQ(Loop().StartPeriodic(0, [] {}), 0);
    EXPECT_EQ(Loop().StartPeriodic(1'000'001, [] {}), 0);
    EXPECT_EQ(Loop().StartPeriodic(10, nullptr), 0);
}

// Periodic sources are deadlines of the loop: their ticks come on the main
// thread from WaitMessage, a stopped one never ticks again, and one told
// that nothing is due for a while lets the loop sleep through its periods.
TEST_F(SdlBackend, PeriodicTicksComeFromTheLoopAndSleepUntilDue) {
    auto main = std::this_thread::get_id();
    int ticks = 0;
    bool onMain = true;
    int id = Loop().StartPeriodic(1, [&] {
        onMain = onMain && std::this_thread::get_id() == main;
        ++ticks;
    });
    ASSERT_GT(id, 0);
    WaitUntil([&] { return ticks >= 3; });
    EXPECT_TRUE(onMain);

    // Nothing due for 60 ms: the 1 ms source ticks once, at that time.
    auto& loop = static_cast<platform::sdl::TLoop&>(Loop());
    int64_t start = loop.Counter();
    Loop().SetPeriodicDue(id, start + 60'000'000);
    int before = ticks;
    int64_t waitsBefore = loop.Wakeups();
    WaitUntil([&] { return ticks > before; });
    EXPECT_EQ(ticks, before + 1);
    EXPECT_GE(loop.Counter() - start, 60'000'000);
    EXPECT_LE(loop.Wakeups() - waitsBefore, 3);

    Loop().StopPeriodic(id);
    int atStop = ticks;
    std::atomic<int> other{0};
    int second = Loop().StartPeriodic(1, [&] { ++other; });
    WaitUntil([&] { return other.load() >= 5; });
    Loop().StopPeriodic(second);
    EXPECT_EQ(ticks, atStop);
    Loop().StopPeriodic(id);  // stopping twice is harmless
}

TEST_F(SdlBackend, ReadinessArrivesOnTheMainThreadWhileTheConditionHolds) {
    TPair p;
    auto main = std::this_thread::get_id();
    int reads = 0;
    bool onMain = true;
    int id = platform::Io().Watch(p.a, platform::IoRead, [&](int fd, unsigned ev) {
        EXPECT_EQ(fd, p.a);
        EXPECT_TRUE(ev & platform::IoRead);
        onMain = onMain && std::this_thread::get_id() == main;
        ++reads;  // not read: level-triggered, so it comes again
    });
    ASSERT_GT(id, 0);
    ASSERT_EQ(write(p.b, "x", 1), 1);
    WaitUntil([&] { return reads >= 3; });
    EXPECT_TRUE(onMain);

    unsigned last = 0;
    EXPECT_TRUE(platform::Io().Modify(id, platform::IoRead | platform::IoWrite));
    platform::Io().Watch(p.a, platform::IoRead, [&](int, unsigned ev) { last = ev; });  // replaces
    EXPECT_FALSE(platform::Io().Modify(id, platform::IoRead));
    close(p.b);
    p.b = -1;
    WaitUntil([&] { return (last & platform::IoHangup) != 0; });
}

TEST_F(SdlBackend, HandlerEndingAnotherWatchStopsItsReports) {
    TPair p, q;
    ASSERT_EQ(write(p.b, "x", 1), 1);
    ASSERT_EQ(write(q.b, "x", 1), 1);
    int first = 0, second = 0, secondId = 0;
    platform::Io().Watch(p.a, platform::IoRead, [&](int, unsigned) {
        platform::Io().Unwatch(secondId);
        ++first;
    });
    secondId = platform::Io().Watch(q.a, platform::IoRead, [&](int, unsigned) { ++second; });
    // Either the second was reported with the first and is dropped, or it
    // was not yet reported; later snapshots no longer hold it.
    WaitUntil([&] { return first >= 5; });
    EXPECT_EQ(second, 0);
}

TEST_F(SdlBackend, ReadinessGoesOnDuringAWaitInsideAHandler) {
    TPair p, q;
    bool qSeen = false;
    int depth = 0, reentered = 0;
    bool waited = false;
    platform::Io().Watch(q.a, platform::IoRead, [&](int fd, unsigned) {
        char c;
        while (read(fd, &c, 1) == 1) {
        }
        qSeen = true;
    });
    platform::Io().Watch(p.a, platform::IoRead, [&](int fd, unsigned) {
        if (depth > 0) {
            ++reentered;  // reported again inside the wait: not yet consumed
            return;
        }
        ++depth;
        if (!waited) {
            waited = true;
            // A modal wait: q's data must be reported while this handler runs.
            EXPECT_EQ(write(q.b, "y", 1), 1);
            WaitUntil([&] { return qSeen; });
        }
        char c;
        while (read(fd, &c, 1) == 1) {
        }
        --depth;
    });
    ASSERT_EQ(write(p.b, "x", 1), 1);
    WaitUntil([&] { return waited && depth == 0; });
    EXPECT_TRUE(qSeen);
}

TEST_F(SdlBackend, LocalhostLookupAndCancel) {
    std::vector<uint32_t> got;
    bool done = false, cancelledCalled = false;
    int cancelled = platform::Io().LookupHost("localhost", [&](int, const std::vector<uint32_t>&) {
        cancelledCalled = true;
    });
    platform::Io().CancelLookup(cancelled);
    platform::Io().LookupHost("localhost", [&](int, const std::vector<uint32_t>& a) {
        got = a;
        done = true;
    });
    WaitUntil([&] { return done; });
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(got[0], 0x7F000001u);
    EXPECT_FALSE(cancelledCalled);
}

TEST_F(SdlBackend, ShellRefusesWhatItCannotStart) {
    auto& shell = platform::Shell();
    EXPECT_FALSE(shell.StartProgram(""));
    EXPECT_FALSE(shell.StartProgram("/nonexistent/start"));
    EXPECT_FALSE(shell.StartProgram("/etc/hostname"));  // not executable
    EXPECT_TRUE(shell.StartProgram("/bin/true"));
    EXPECT_FALSE(shell.OpenUrl(""));
    EXPECT_FALSE(shell.OpenUrl("--help"));
    EXPECT_FALSE(shell.OpenUrl("http://example.org/\nrm"));
}

TEST_F(SdlBackend, HaltEndsWithTheCode) {
    EXPECT_EXIT(platform::Shell().Halt(5), ::testing::ExitedWithCode(5), "");
}
