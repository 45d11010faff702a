// Measures how often the SDL backend's main thread wakes up: with nothing to
// do (the target is no wake-ups at all) and with one 10 ms periodic source
// that posts a tick the way the multimedia timer does (the target is 100 per
// second, not more). Each mode runs the loop in WaitMessage for some seconds
// and counts wake-ups two ways: returns from WaitMessage, and the main
// thread's voluntary context switches as the kernel counts them.
//
// "timer" emulates the multimedia timer with the loop's periodic source;
// "mytimer" runs one real 10 ms TMyTimer (its dispatcher and source). The
// window modes create one hidden SDL window first, so the loop sleeps in
// SDL_WaitEvent instead of on its own descriptor.
//
// Usage: idle_wakeups [seconds] [mode...]
//   modes: idle timer mytimer window-idle window-timer (default: all)
#include <SDL.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/InstalledState.h"
#include "platform/sdl/Sdl.h"
#include "platform/sdl/SdlLoop.h"
#include "shell/MyTimer.h"

namespace {

enum class TTimerKind { None, Emulated, MyTimer };

struct TMode {
    std::string name;
    TTimerKind timer;
    bool window;
};

struct TResult {
    double seconds = 0;
    int64_t waits = 0;
    int64_t switches = 0;
    int64_t ticks = 0;
    bool inSdl = false;  // slept in SDL_WaitEvent rather than on the descriptor
};

int64_t VoluntarySwitches() {
    std::ifstream status("/proc/thread-self/status");
    std::string line;
    const std::string key = "voluntary_ctxt_switches:";
    while (std::getline(status, line)) {
        if (line.compare(0, key.size(), key) == 0) return std::atoll(line.c_str() + key.size());
    }
    return -1;
}

// The multimedia timer's way: at most one tick queued at a time.
int StartTicks(platform::IEventLoop& loop, std::atomic<bool>& pending, int64_t& ticks) {
    return loop.StartPeriodic(10, [&loop, &pending, &ticks] {
        if (pending.exchange(true)) return;
        if (!loop.Post([&pending, &ticks] {
                ++ticks;
                pending.store(false);
            })) {
            pending.store(false);
        }
    });
}

bool Measure(const TMode& mode, int seconds, TResult& result) {
    auto backend = platform::sdl::CreateBackend();
    if (!backend) {
        std::fprintf(stderr, "SDL could not start: %s\n", SDL_GetError());
        return false;
    }
    platform::Install(std::move(backend));
    auto& loop = static_cast<platform::sdl::TLoop&>(platform::Loop());
    SDL_Window* window = nullptr;
    if (mode.window) {
        window = SDL_CreateWindow("idle", 0, 0, 64, 64, SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS);
        if (!window) {
            std::fprintf(stderr, "%s: no window: %s\n", mode.name.c_str(), SDL_GetError());
            platform::Uninstall();
            return false;
        }
        loop.AddWindow();
    }
    std::atomic<bool> pending{false};
    int64_t ticks = 0;
    int timer = mode.timer == TTimerKind::Emulated ? StartTicks(loop, pending, ticks) : 0;
    // The timers' state belongs to this backend and ends before it.
    std::unique_ptr<TInstalledState<TTimerState>> timerState;
    std::unique_ptr<TMyTimer> myTimer;
    if (mode.timer == TTimerKind::MyTimer) {
        timerState = std::make_unique<TInstalledState<TTimerState>>();
        myTimer = std::make_unique<TMyTimer>();
        myTimer->OnTimer = [&ticks](TMyTimer*) { ++ticks; };
        myTimer->SetInterval(10);
        myTimer->SetEnabled(true);
    }

    // The only other wake-up: the stop at the end.
    std::thread stopper([&loop, seconds] {
        std::this_thread::sleep_for(std::chrono::seconds(seconds));
        loop.Post([&loop] { loop.Terminate(); });
    });
    loop.ProcessMessages();
    int64_t waitsBefore = loop.Wakeups();
    int64_t switchesBefore = VoluntarySwitches();
    auto start = std::chrono::steady_clock::now();
    while (!loop.Terminated()) loop.WaitMessage();
    auto end = std::chrono::steady_clock::now();
    result.switches = VoluntarySwitches() - switchesBefore;
    result.waits = loop.Wakeups() - waitsBefore;
    result.seconds = std::chrono::duration<double>(end - start).count();
    result.ticks = ticks;
    result.inSdl = loop.WaitsInSdl();
    stopper.join();
    if (timer) loop.StopPeriodic(timer);
    myTimer.reset();
    timerState.reset();
    if (window) {
        loop.RemoveWindow();
        SDL_DestroyWindow(window);
    }
    platform::Uninstall();
    return true;
}

void Report(const TMode& mode, const TResult& r) {
    std::printf("%-13s %-6s %6.2f s  %8.1f  %8.1f  %8.1f\n", mode.name.c_str(),
                r.inSdl ? "sdl" : "fd", r.seconds, r.waits / r.seconds, r.switches / r.seconds,
                r.ticks / r.seconds);
}

}  // namespace

int main(int argc, char** argv) {
    int seconds = argc > 1 ? std::atoi(argv[1]) : 5;
    if (seconds < 1 || seconds > 3600) seconds = 5;
    const std::vector<TMode> all{{"idle", TTimerKind::None, false},
                                 {"timer", TTimerKind::Emulated, false},
                                 {"mytimer", TTimerKind::MyTimer, false},
                                 {"window-idle", TTimerKind::None, true},
                                 {"window-timer", TTimerKind::Emulated, true}};
    std::vector<TMode> modes;
    for (int i = 2; i < argc; ++i) {
        for (const auto& m : all) {
            if (m.name == argv[i]) modes.push_back(m);
        }
    }
    if (modes.empty()) modes = all;

    setenv("SDL_VIDEODRIVER", "x11", 0);  // unless the caller chose another
    std::printf("video driver: %s\n", getenv("SDL_VIDEODRIVER"));
    std::printf("%-13s %-6s %8s  %8s  %8s  %8s\n", "mode", "sleeps", "time", "waits/s", "ctxsw/s",
                "ticks/s");
    int failures = 0;
    for (const auto& mode : modes) {
        TResult result;
        if (Measure(mode, seconds, result)) {
            Report(mode, result);
        } else {
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
