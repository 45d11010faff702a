#include "shell/MyTimer.h"

#include <algorithm>

#include "platform/InstalledState.h"
#include "platform/Platform.h"

namespace {

// Counter frequency read when the newest dispatcher was created; 0 while
// there is none. The source's thread reads it through NowMs, so it is an
// atomic of its own rather than a member of the installed context.
std::atomic<int64_t> g_frequency{0};

// A backend without a usable counter frequency gets a millisecond counter.
int64_t SaneFrequency(int64_t frequency) { return frequency > 0 ? frequency : 1000; }

// counts × 1000 / frequency without overflowing 64 bits for large counts.
int64_t CountsToMs(int64_t counts, int64_t frequency) {
    return counts / frequency * 1000 + counts % frequency * 1000 / frequency;
}

// The same, rounded to the nearest millisecond, so an interval reads back as
// it was set even when the frequency is not a multiple of 1000.
int64_t CountsToMsRounded(int64_t counts, int64_t frequency) {
    return counts / frequency * 1000 + (counts % frequency * 1000 + frequency / 2) / frequency;
}

// ms × frequency / 1000, split so that it stays within 64 bits.
int64_t MsToCounts(int64_t ms, int64_t frequency) {
    return ms / 1000 * frequency + ms % 1000 * frequency / 1000;
}

}  // namespace

int64_t NowMs() {
    auto& loop = platform::Loop();
    int64_t frequency = g_frequency.load();
    if (frequency <= 0) frequency = SaneFrequency(loop.Frequency());
    return CountsToMs(loop.Counter(), frequency);
}

// ---------------------------------------------------------------------------
// TMultimediaTimer

TMultimediaTimer::TMultimediaTimer() {
    ReadCaps();
    m_period = std::max(kDefaultPeriod, m_minPeriod);
    m_lastTick = NowMs();
}

TMultimediaTimer::~TMultimediaTimer() {
    Stop();
    m_lifetime.End();
}

void TMultimediaTimer::ReadCaps() {
    int minPeriod = 0, maxPeriod = 0;
    if (!platform::Loop().TimerCaps(minPeriod, maxPeriod)) {
        // Unknown capabilities: keep the default period and accept no change.
        m_minPeriod = kLowestPeriod;
        m_maxPeriod = 0;
        return;
    }
    m_minPeriod = std::max(minPeriod, kLowestPeriod);
    m_maxPeriod = maxPeriod;
}

void TMultimediaTimer::SetEnabled(bool enabled) {
    if (enabled) {
        m_enabled = true;
        // Also retries an event that failed to start.
        if (m_timerId == 0) Start();
        return;
    }
    if (!m_enabled) return;
    m_enabled = false;
    Stop();
}

void TMultimediaTimer::SetPeriod(int periodMs) {
    if (periodMs == m_period || periodMs < m_minPeriod || periodMs > m_maxPeriod) return;
    m_period = periodMs;
    if (!m_enabled) return;
    Stop();
    Start();
}

void TMultimediaTimer::SetDue(int64_t due) {
    if (due == m_due) return;
    m_due = due;
    if (m_timerId != 0) platform::Loop().SetPeriodicDue(m_timerId, due);
}

void TMultimediaTimer::Start() {
    // The callback gets its guard by value: the period only changes while the
    // event is stopped, but this keeps the source thread off m_period.
    int64_t guardMs = m_period + kRepostSlack;
    m_timerId = platform::Loop().StartPeriodic(m_period, [this, guardMs] { PeriodicEvent(guardMs); });
    if (m_timerId != 0 && m_due != 0) platform::Loop().SetPeriodicDue(m_timerId, m_due);
}

void TMultimediaTimer::Stop() {
    if (m_timerId == 0) return;
    platform::Loop().StopPeriodic(m_timerId);
    m_timerId = 0;
}

void TMultimediaTimer::PeriodicEvent(int64_t guardMs) {
    auto& loop = platform::Loop();
    if (loop.Terminated()) return;
    if (m_tickPending.load() && NowMs() <= m_lastTick.load() + guardMs) return;
    // Pending is raised before posting so that the main thread's clearing of
    // it always comes after; a refused post takes it back.
    m_tickPending = true;
    bool posted = loop.Post([this, alive = m_lifetime.Watch()] {
        if (alive) HandleTick();
    });
    if (!posted) m_tickPending = false;
}

void TMultimediaTimer::HandleTick() {
    auto alive = m_lifetime.Watch();
    m_lastTick = NowMs();
    if (m_enabled && OnTimer) OnTimer(this);
    if (alive) m_tickPending = false;
}

// ---------------------------------------------------------------------------
// TMaintimer

TTimerState::TTimerState() = default;
TTimerState::~TTimerState() { Maintimer.reset(); }

TMaintimer& TMaintimer::Instance() {
    TTimerState& state = TInstalledState<TTimerState>::Get();
    if (!state.Maintimer) state.Maintimer.reset(new TMaintimer());
    return *state.Maintimer;
}

TMaintimer* TMaintimer::Existing() {
    TTimerState* state = TInstalledState<TTimerState>::Current();
    return state ? state->Maintimer.get() : nullptr;
}

TMaintimer::TMaintimer() : m_frequency(SaneFrequency(platform::Loop().Frequency())) {
    g_frequency = m_frequency;
    m_source = std::make_unique<TMultimediaTimer>();
    m_source->OnTimer = [this](TMultimediaTimer* sender) { Pass(sender); };
}

TMaintimer::~TMaintimer() { g_frequency = 0; }

void TMaintimer::Add(TMyTimer* timer) {
    auto it = std::find(m_timers.begin(), m_timers.end(), timer);
    if (it != m_timers.end()) EraseAt(static_cast<int>(it - m_timers.begin()));
    m_timers.push_back(timer);
    m_source->SetEnabled(true);
    PlanNextTick();
}

void TMaintimer::Remove(TMyTimer* timer) {
    auto it = std::find(m_timers.begin(), m_timers.end(), timer);
    if (it == m_timers.end()) return;
    EraseAt(static_cast<int>(it - m_timers.begin()));
    if (m_timers.empty()) {
        m_source->SetEnabled(false);
    } else {
        PlanNextTick();
    }
}

// A timer with a tick handler is due once a whole interval has passed, one
// with an interval handler only once it has been exceeded. Timers whose
// handler runs in an outer pass wait for that pass and are left out.
void TMaintimer::PlanNextTick() {
    if (m_skipFirst) {
        m_source->SetDue(0);
        return;
    }
    int64_t due = INT64_MAX;
    for (const TMyTimer* timer : m_timers) {
        if (timer->m_serving || timer->m_interval <= 0) continue;
        int64_t at = timer->OnTick ? timer->m_base + timer->m_interval * timer->m_quiet
                                   : timer->m_base + timer->m_interval + 1;
        if (at < due) due = at;
    }
    m_source->SetDue(due);
}

void TMaintimer::EraseAt(int position) {
    m_timers.erase(m_timers.begin() + position);
    for (int* passIndex : m_passIndices) {
        if (*passIndex >= position) --*passIndex;
    }
}

void TMaintimer::Pass(TMultimediaTimer*) {
    if (m_skipFirst) {
        m_skipFirst = false;
        PlanNextTick();
        return;
    }
    int64_t now = platform::Loop().Counter();
    int passIndex = 0;
    m_passIndices.push_back(&passIndex);
    for (; passIndex < Count(); ++passIndex) ServeAt(passIndex, now);
    // A nested pass has popped its own index before returning to this one.
    m_passIndices.pop_back();
    if (Existing() == this) PlanNextTick();
}

void TMaintimer::ServeAt(int& passIndex, int64_t now) {
    TMyTimer* timer = m_timers[passIndex];
    // Its handler is running in an outer pass (a modal wait pumps messages);
    // calling it again would recurse.
    if (timer->m_serving) return;
    TServing serving;
    timer->m_serving = &serving;
    bool alive = timer->OnTick ? ServeTicks(timer, now, serving) : ServeIntervals(timer, now, serving);
    if (!alive) return;
    timer->m_serving = nullptr;
    if (timer->FreeAfterPass) delete timer;
}

namespace {

// Runs one timer handler; an exception that escapes it goes to the
// program's error reporter (when one is installed). False when it threw.
template <typename F>
bool CallHandler(F&& handler) {
    bool returned = false;
    platform::RunHandler([&] {
        handler();
        returned = true;
    });
    return returned;
}

}  // namespace

bool TMaintimer::ServeTicks(TMyTimer* timer, int64_t now, TServing& serving) {
    int64_t interval = timer->m_interval;
    if (interval <= 0) return true;
    int64_t base = timer->m_base;
    int64_t count = (now - base) / interval;
    if (count < timer->m_quiet) return true;
    timer->m_quiet = 1;
    CallHandler([&] { timer->OnTick(timer, count); });
    if (serving.freed) return false;
    // A handler that restarted the timer has already set its new base.
    if (timer->m_base == base) timer->m_base = base + count * interval;
    return true;
}

bool TMaintimer::ServeIntervals(TMyTimer* timer, int64_t now, TServing& serving) {
    if (timer->m_interval <= 0) return true;
    // Nobody listens: skip the elapsed intervals in one step.
    auto skipElapsed = [timer, now] {
        if (now - timer->m_base > timer->m_interval)
            timer->m_base += (now - timer->m_base - 1) / timer->m_interval * timer->m_interval;
    };
    if (!timer->OnTimer) {
        skipElapsed();
        return true;
    }
    while (timer->m_enabled && timer->m_base + timer->m_interval < now) {
        int64_t base = timer->m_base;
        bool returned = CallHandler([&] { timer->OnTimer(timer); });
        if (serving.freed) return false;
        if (!timer->m_enabled || timer->m_base != base) break;
        timer->m_base = base + timer->m_interval;
        // A failing handler is reported once, not once per interval it is
        // behind (nor again by the ticks queued meanwhile).
        if (!returned) {
            skipElapsed();
            break;
        }
    }
    return true;
}

// ---------------------------------------------------------------------------
// TMyTimer

TMyTimer::TMyTimer() { TMaintimer::Instance(); }

TMyTimer::~TMyTimer() {
    if (m_serving) m_serving->freed = true;
    if (TMaintimer* dispatcher = TMaintimer::Existing()) dispatcher->Remove(this);
}

void TMyTimer::SetInterval(int64_t ms) {
    if (ms <= 0) {
        m_interval = 0;
        SetEnabled(false);
        return;
    }
    ms = std::min(ms, kMaxIntervalMs);
    // At least one count, so a set interval never reads as "none".
    m_interval = std::max<int64_t>(1, MsToCounts(ms, TMaintimer::Instance().Frequency()));
    if (m_enabled) TMaintimer::Instance().PlanNextTick();
}

void TMyTimer::SetQuietIntervals(int64_t intervals) {
    m_quiet = std::clamp<int64_t>(intervals, 1, kMaxQuiet);
    if (m_enabled) TMaintimer::Instance().PlanNextTick();
}

int64_t TMyTimer::Interval() const {
    return CountsToMsRounded(m_interval, TMaintimer::Instance().Frequency());
}

void TMyTimer::SetEnabled(bool enabled) {
    if (enabled == m_enabled) return;
    auto& dispatcher = TMaintimer::Instance();
    if (!enabled || m_interval == 0) {
        dispatcher.Remove(this);
        m_started = 0;
        m_enabled = false;
        return;
    }
    m_base = m_started = platform::Loop().Counter();
    m_quiet = 1;
    m_enabled = true;
    dispatcher.Add(this);
}
