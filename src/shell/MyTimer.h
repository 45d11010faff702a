// Software timers: every timed behaviour of the client runs on a TMyTimer.
//
// One dispatcher (TMaintimer) serves all timers from a single periodic source
// (TMultimediaTimer). The source's thread only posts a tick to the main
// thread; timers fire on the main thread. Elapsed time comes from the
// high-resolution counter, so a late pass makes up the missed intervals: a
// 100 ms timer whose main thread was blocked for 350 ms fires three times in
// the next pass.
//
// Timing: a timer fires once its interval has been strictly exceeded, at the
// resolution of the source's period (10 ms by default). The first tick after
// the dispatcher is created is ignored.
//
// Sleeping: after every pass, and whenever a timer is enabled, disabled or
// given a new interval, the dispatcher tells the source when the next timer
// can be due; the source skips its periods until then, so a client whose only
// timer is a 100 ms caret takes ten ticks a second, not a hundred.
//
// Re-entry: a handler may disable, re-enable or free its own timer or any
// other during a pass; the pass neither skips nor repeats the others. A handler
// that pumps the message loop (a modal wait) lets the other timers run in a
// nested pass; its own timer is left out of nested passes until the handler
// returns. The source runs only while at least one timer is enabled, so an
// idle client takes no timer events.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/Lifetime.h"

class TMyTimer;

// Milliseconds of the high-resolution counter (64-bit arithmetic). Safe from
// any thread.
int64_t NowMs();

// The periodic source: a platform periodic event whose thread posts at most
// one tick at a time to the main thread (a second one only when the first has
// waited longer than the period plus 10 ms).
class TMultimediaTimer {
public:
    static constexpr int kDefaultPeriod = 10;
    // The periodic event never runs faster than this.
    static constexpr int kLowestPeriod = 10;
    // A tick waiting longer than the period plus this is posted again.
    static constexpr int kRepostSlack = 10;

    TMultimediaTimer();  // disabled
    ~TMultimediaTimer();
    TMultimediaTimer(const TMultimediaTimer&) = delete;
    TMultimediaTimer& operator=(const TMultimediaTimer&) = delete;

    void SetEnabled(bool enabled);
    bool Enabled() const { return m_enabled; }
    // Accepted only when it differs and lies within the capabilities;
    // restarts the periodic event.
    void SetPeriod(int periodMs);
    int Period() const { return m_period; }
    int MinPeriod() const { return m_minPeriod; }
    int MaxPeriod() const { return m_maxPeriod; }
    bool TickPending() const { return m_tickPending.load(); }
    // No tick is wanted before the counter reaches due (0: the next period).
    void SetDue(int64_t due);
    int64_t Due() const { return m_due; }
    // The running platform periodic event, 0 when none.
    int TimerId() const { return m_timerId; }

    // Called on the main thread for each handled tick while enabled.
    std::function<void(TMultimediaTimer* sender)> OnTimer;

private:
    void ReadCaps();
    void Start();
    void Stop();
    void PeriodicEvent(int64_t guardMs);  // on the source's thread
    void HandleTick();                    // on the main thread

    bool m_enabled = false;
    int m_minPeriod = kLowestPeriod;
    int m_maxPeriod = 0;
    int m_period = kDefaultPeriod;
    int m_timerId = 0;
    int64_t m_due = 0;
    std::atomic<bool> m_tickPending{false};
    std::atomic<int64_t> m_lastTick{0};
    // The posted tick checks this, so a tick that outlives the source does
    // nothing.
    TLifetime m_lifetime;
};

// The dispatcher: one per context (the installed TTimerState), created by the
// first TMyTimer on the backend installed then, living until the context ends.
class TMaintimer {
public:
    // The installed context's dispatcher, created on first use.
    static TMaintimer& Instance();
    // The installed context's dispatcher if it exists, else null.
    static TMaintimer* Existing();
    ~TMaintimer();

    TMultimediaTimer& Source() { return *m_source; }
    int64_t Frequency() const { return m_frequency; }
    int Count() const { return static_cast<int>(m_timers.size()); }

    // Appends the timer (moving it to the end if listed) and runs the source.
    void Add(TMyTimer* timer);
    // Leaves the list; stops the source when the list becomes empty.
    void Remove(TMyTimer* timer);
    // Tells the source when the earliest timer can be due next.
    void PlanNextTick();

private:
    friend class TMyTimer;
    // What a pass knows about the timer it is serving; the timer's destructor
    // marks it, so the pass never touches a freed timer.
    struct TServing {
        bool freed = false;
    };

    TMaintimer();
    TMaintimer(const TMaintimer&) = delete;
    TMaintimer& operator=(const TMaintimer&) = delete;

    void Pass(TMultimediaTimer* sender);
    void ServeAt(int& passIndex, int64_t now);
    // Both return false when the timer was freed by its handler.
    bool ServeTicks(TMyTimer* timer, int64_t now, TServing& serving);
    bool ServeIntervals(TMyTimer* timer, int64_t now, TServing& serving);
    // Deletes the entry and moves every pass index at or after it back by one.
    void EraseAt(int position);

    std::unique_ptr<TMultimediaTimer> m_source;
    std::vector<TMyTimer*> m_timers;  // enabled timers, in order of enabling
    bool m_skipFirst = true;
    // The pass index of every pass in progress (more than one when a handler
    // pumps messages); removals adjust them all.
    std::vector<int*> m_passIndices;
    int64_t m_frequency = 1000;
};

// The timers' part of the application context: the dispatcher, created by
// the first timer (the backend must be installed by then).
struct TTimerState {
    TTimerState();
    ~TTimerState();
    TTimerState(const TTimerState&) = delete;
    TTimerState& operator=(const TTimerState&) = delete;

    std::unique_ptr<TMaintimer> Maintimer;
};

class TMyTimer {
public:
    TMyTimer();   // disabled, interval 0; creates the dispatcher if needed
    ~TMyTimer();  // leaves the list of the installed context's dispatcher
    TMyTimer(const TMyTimer&) = delete;
    TMyTimer& operator=(const TMyTimer&) = delete;

    // Negative counts as 0, which disables the timer; at most kMaxIntervalMs.
    void SetInterval(int64_t ms);
    int64_t Interval() const;  // milliseconds
    // Enabling restarts the interval from now; enabling with interval 0
    // leaves the timer disabled.
    void SetEnabled(bool enabled);
    bool Enabled() const { return m_enabled; }

    // About 24.8 days; keeps milliseconds × counter frequency within 64 bits
    // for counters up to several GHz.
    static constexpr int64_t kMaxIntervalMs = 0x7FFFFFFF;

    // Called once per elapsed interval.
    std::function<void(TMyTimer* sender)> OnTimer;
    // Called once per pass with the number of elapsed intervals; when set,
    // OnTimer is not used.
    std::function<void(TMyTimer* sender, int64_t count)> OnTick;
    // Tick handler only: the next call waits until at least this many whole
    // intervals have passed and then carries them all; back to 1 with every
    // call and every enabling. An owner whose next intervals would change
    // nothing on screen lets the process sleep through them. 1 .. kMaxQuiet.
    void SetQuietIntervals(int64_t intervals);
    static constexpr int64_t kMaxQuiet = 1000;

    // The dispatcher frees the timer (delete) after serving it in a pass; such
    // a timer must have been created with new. A handler sets it to free its
    // own timer safely.
    bool FreeAfterPass = false;

private:
    friend class TMaintimer;
    bool m_enabled = false;
    int64_t m_interval = 0;  // counter units
    int64_t m_base = 0;      // counter value at the start of the current interval
    int64_t m_started = 0;   // counter value when last enabled, 0 when disabled
    int64_t m_quiet = 1;     // whole intervals before the next tick call
    // Set while a pass is serving this timer.
    TMaintimer::TServing* m_serving = nullptr;
};
