#include "platform/sdl/SdlLoop.h"

#include <poll.h>

#include <chrono>
#include <cstring>

#include "platform/sdl/QuitSignals.h"

namespace platform::sdl {
namespace {

// Drivers whose SDL_WaitEvent sleeps in the window system (given a window)
// and that a push from another thread wakes.
bool DriverWaits() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver) return false;
    for (const char* name : {"x11", "wayland", "windows", "cocoa"}) {
        if (std::strcmp(driver, name) == 0) return true;
    }
    return false;
}

}  // namespace

TLoop::TLoop(Uint32 sdlFlags) : m_sdlFlags(sdlFlags) {
    m_wakeEvent = SDL_RegisterEvents(1);
    if (m_wakeEvent == static_cast<Uint32>(-1)) m_wakeEvent = SDL_USEREVENT;
    m_driverWaits = DriverWaits();
}

TLoop::~TLoop() {
    ShutDown();
    m_queue.Close();
}

void TLoop::ShutDown() {
    m_periodic = TPeriodicSchedule();
    std::lock_guard<std::mutex> lock(m_sdlMutex);
    if (!m_sdlUp) return;
    m_sdlUp = false;
    SDL_QuitSubSystem(m_sdlFlags);
}

// ---------------------------------------------------------------------------
// Handling and waiting

void TLoop::ProcessMessages() {
    if (m_beforePump) m_beforePump();
    PumpSdl();
    FirePeriodic();
    m_queue.Drain();
}

void TLoop::FirePeriodic() {
    if (m_periodic.Count() == 0) return;
    m_periodic.FireDue(Counter());
}

int TLoop::MsToNextTick() const {
    int64_t next = m_periodic.Next();
    if (next == TPeriodicSchedule::kNever) return -1;
    int64_t left = next - Counter();
    if (left <= 0) return 0;
    constexpr int64_t kCountsPerMs = kFrequency / 1000;
    int64_t ms = (left + kCountsPerMs - 1) / kCountsPerMs;
    return ms > kMaxPeriodMs ? kMaxPeriodMs : static_cast<int>(ms);
}

void TLoop::PumpSdl() {
    if (!m_sdlUp) return;  // written only on this thread
    SDL_PumpEvents();
    // Only the events queued now: a handler that causes new events must not
    // keep this call going.
    int count = SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
    for (int i = 0; i < count; ++i) {
        SDL_Event event;
        if (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) != 1) break;
        HandleEvent(event);
    }
}

void TLoop::HandleEvent(const SDL_Event& event) {
    if (event.type == m_wakeEvent) {
        m_wakePending.store(false);
    } else if (event.type == SDL_QUIT) {
        Terminate();
    } else if (m_sink) {
        RunHandler([this, &event] { m_sink(event); });
    }
}

void TLoop::WaitMessage() {
    if (Terminated()) return;
    if (m_beforePump) m_beforePump();
    int timeoutMs = MsToNextTick();
    if (timeoutMs != 0) {
        m_trimmer.Check(Counter() / (kFrequency / 1000));
        if (WaitsInSdl()) {
            WaitInSdl(timeoutMs);
        } else {
            WaitOnQueue(timeoutMs);
        }
    }
    ++m_wakeups;
    ProcessMessages();
}

bool TLoop::WaitsInSdl() const {
    if (m_queue.WakeFd() < 0) return true;  // no descriptor to sleep on
    return m_windows > 0 && m_driverWaits;
}

void TLoop::WaitInSdl(int timeoutMs) {
    if (!m_sdlUp) return;
    // Announced before the queue is checked: a task posted after the check
    // sees the flag and pushes a wake-up event.
    m_sdlWaiting.store(true);
    if (!m_queue.Empty()) {
        m_sdlWaiting.store(false);
        return;
    }
    SDL_Event event;
    int got = timeoutMs < 0 ? SDL_WaitEvent(&event) : SDL_WaitEventTimeout(&event, timeoutMs);
    m_sdlWaiting.store(false);
    if (got) HandleEvent(event);
}

void TLoop::WaitOnQueue(int timeoutMs) {
    // Returns on a posted task, or on a signal (EINTR): SDL turns SIGINT and
    // SIGTERM into SDL_QUIT, which the following pump picks up. Blocked from
    // the check to the sleep, a signal in between waits for ppoll().
    TQuitSignalsBlocked blocked;
    if (m_sdlUp) {
        SDL_PumpEvents();
        if (SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) return;
    }
    pollfd wake{m_queue.WakeFd(), POLLIN, 0};
    timespec timeout{timeoutMs / 1000, static_cast<long>(timeoutMs % 1000) * 1'000'000L};
    ppoll(&wake, 1, timeoutMs < 0 ? nullptr : &timeout, &blocked.Previous());
}

void TLoop::RemoveWindow() {
    if (m_windows > 0) --m_windows;
}

// ---------------------------------------------------------------------------
// Posting

bool TLoop::Post(Task task) {
    if (Terminated()) return false;
    if (!m_queue.Push(std::move(task))) return false;
    if (m_sdlWaiting.load()) WakeSdl();
    return true;
}

void TLoop::WakeSdl() {
    if (m_wakePending.exchange(true)) return;  // one is on its way already
    std::lock_guard<std::mutex> lock(m_sdlMutex);
    SDL_Event event{};
    event.type = m_wakeEvent;
    if (!m_sdlUp || SDL_PushEvent(&event) != 1) m_wakePending.store(false);
}

// ---------------------------------------------------------------------------
// Time

int64_t TLoop::Counter() const {
    auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
}

bool TLoop::TimerCaps(int& minPeriodMs, int& maxPeriodMs) const {
    minPeriodMs = kMinPeriodMs;
    maxPeriodMs = kMaxPeriodMs;
    return true;
}

int TLoop::StartPeriodic(int periodMs, std::function<void()> onTick) {
    if (periodMs < kMinPeriodMs || periodMs > kMaxPeriodMs || !onTick) return 0;
    return m_periodic.Add(static_cast<int64_t>(periodMs) * (kFrequency / 1000), Counter(), std::move(onTick));
}

void TLoop::StopPeriodic(int id) { m_periodic.Remove(id); }

}  // namespace platform::sdl
