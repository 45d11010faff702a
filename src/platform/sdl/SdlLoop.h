// The SDL backend's event loop: SDL events, tasks posted from any thread,
// the high-resolution counter and the periodic sources.
//
// Periodic sources are deadlines of the loop, not threads: WaitMessage sleeps
// until the next deadline (or something arrives) and fires the sources that
// are due. A source told that nothing is due before a later time lets the
// loop sleep until then; with no source the loop sleeps until an event.
//
// Waiting: SDL's own wait sleeps in the window system only while a window
// exists (and only with drivers that implement such a wait); without a window
// it polls every millisecond. So WaitMessage sleeps in SDL_WaitEvent only
// while the video facet reports a window, and otherwise in poll() on the task
// queue's descriptor. Everything that can arrive without a window (posted
// tasks, descriptor readiness, host lookups, ticks) arrives as a posted task;
// a signal that SDL turns into SDL_QUIT interrupts the poll() (see
// QuitSignals.h for how it is kept from slipping past).
//
// Posting pushes an SDL wake-up event only while the main thread sleeps in
// SDL_WaitEvent, and at most one at a time, so SDL's queue never fills with
// them.
//
// Before it sleeps, the loop lets the allocator give back the memory that
// start-up or a burst freed (see THeapTrimmer).
//
// SDL_QUIT (SDL's handling of SIGINT and SIGTERM) terminates the loop.
#pragma once

#include <SDL.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

#include "platform/Memory.h"
#include "platform/Platform.h"
#include "platform/posix/TaskQueue.h"
#include "platform/PeriodicSchedule.h"

namespace platform::sdl {

class TLoop : public IEventLoop {
public:
    static constexpr int64_t kFrequency = 1'000'000'000;  // nanoseconds
    static constexpr int kMinPeriodMs = 1;
    static constexpr int kMaxPeriodMs = 1'000'000;

    // SDL must be initialised (at least its events); sdlFlags are the
    // subsystems this loop releases when it is freed.
    explicit TLoop(Uint32 sdlFlags);
    ~TLoop() override;

    void ProcessMessages() override;
    void WaitMessage() override;
    void Terminate() override { m_terminated.store(true); }
    bool Terminated() const override { return m_terminated.load(); }
    bool Post(Task task) override;
    int64_t Counter() const override;
    int64_t Frequency() const override { return kFrequency; }
    bool TimerCaps(int& minPeriodMs, int& maxPeriodMs) const override;
    int StartPeriodic(int periodMs, std::function<void()> onTick) override;
    void StopPeriodic(int id) override;
    void SetPeriodicDue(int id, int64_t due) override { m_periodic.SetDue(id, due); }

    // For the video facet: the windows that exist decide how the loop waits,
    // and every SDL event that is not the loop's own goes to the sink.
    void AddWindow() { ++m_windows; }
    void RemoveWindow();
    void SetEventSink(std::function<void(const SDL_Event&)> sink) { m_sink = std::move(sink); }
    // Called at the start of every ProcessMessages and WaitMessage, nested
    // ones included (the socket notifier resumes there, see Notifier.h).
    void SetBeforePump(std::function<void()> hook) { m_beforePump = std::move(hook); }

    // Stops the periodic sources and quits SDL before the process ends;
    // posting goes on working, it only stops waking SDL.
    void ShutDown();

    // How WaitMessage sleeps now: true in SDL_WaitEvent, false in poll().
    bool WaitsInSdl() const;
    // How many times WaitMessage returned after sleeping or finding work.
    int64_t Wakeups() const { return m_wakeups; }

private:
    void PumpSdl();
    void HandleEvent(const SDL_Event& event);
    // Milliseconds until the next periodic deadline (rounded up), 0 when one
    // is due, -1 when there is none.
    int MsToNextTick() const;
    void FirePeriodic();
    void WaitInSdl(int timeoutMs);
    void WaitOnQueue(int timeoutMs);
    void WakeSdl();

    posix::TTaskQueue m_queue;
    std::atomic<bool> m_terminated{false};
    Uint32 m_sdlFlags;
    Uint32 m_wakeEvent;
    bool m_driverWaits = false;  // the video driver sleeps in SDL_WaitEvent
    int m_windows = 0;
    std::function<void(const SDL_Event&)> m_sink;
    std::function<void()> m_beforePump;
    int64_t m_wakeups = 0;

    // Cross-thread waking of SDL_WaitEvent.
    std::atomic<bool> m_sdlWaiting{false};
    std::atomic<bool> m_wakePending{false};
    std::mutex m_sdlMutex;  // guards pushing against quitting SDL
    bool m_sdlUp = true;    // written on the main thread, under the mutex

    TPeriodicSchedule m_periodic;  // main thread only
    THeapTrimmer m_trimmer;  // checked before each sleep
};

}  // namespace platform::sdl
