// Software timers: every timed behaviour of the client runs on a TMyTimer.
//
// One dispatcher (TMaintimer) serves all timers from a single periodic source
// (TMultimediaTimer). The source's thread only posts a tick to the main
// thread; timers fire on the main thread. Elapsed time comes from the
// high-resolution counter, so a late pass makes up the missed intervals: a
// 100 ms timer whose main thread was blocked for 350 ms fires three times in
// the next pass.
//
// Re-entry: a handler may disable, re-enable or free its own timer or any
// other during a pass; the pass neither skips nor repeats the others. The
// source runs only while at least one timer is enabled, so an idle client
// takes no timer events.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TMyTimer;

// Milliseconds of the high-resolution counter (64-bit arithmetic).
int64_t NowMs();

// The periodic source: a platform periodic event whose thread posts at most
// one tick at a time to the main thread.
class TMultimediaTimer {
public:
    TMultimediaTimer();
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

    std::function<void(TMultimediaTimer* sender)> OnTimer;

private:
    void Start();
    void Stop();
    void PeriodicEvent();  // on the source's thread
    void HandleTick();     // on the main thread

    bool m_enabled = false;
    int m_minPeriod = 10;
    int m_maxPeriod = 0;
    int m_period = 10;
    int m_timerId = 0;
    std::atomic<bool> m_tickPending{false};
    std::atomic<int64_t> m_lastTick{0};
    // The posted tick checks this, so a tick that outlives the source does
    // nothing.
    std::shared_ptr<std::atomic<bool>> m_alive;
};

// The dispatcher: one per process, created by the first TMyTimer.
class TMaintimer {
public:
    static TMaintimer& Instance();
    // Frees the dispatcher (tests start each case with a fresh one). No timer
    // may be alive.
    static void Reset();

    TMultimediaTimer& Source() { return *m_source; }
    int64_t Frequency() const { return m_frequency; }
    int Count() const { return static_cast<int>(m_timers.size()); }

    void Add(TMyTimer* timer);
    void Remove(TMyTimer* timer);

private:
    TMaintimer();
    void Pass(TMultimediaTimer* sender);
    void Serve(TMyTimer* timer, int64_t now);

    std::unique_ptr<TMultimediaTimer> m_source;
    std::vector<TMyTimer*> m_timers;  // enabled timers, in order of enabling
    bool m_skipFirst = true;
    int m_passIndex = -1;
    int64_t m_frequency = 1000;
};

class TMyTimer {
public:
    TMyTimer();
    ~TMyTimer();  // leaves the dispatcher's list
    TMyTimer(const TMyTimer&) = delete;
    TMyTimer& operator=(const TMyTimer&) = delete;

    void SetInterval(int64_t ms);  // 0 disables
    int64_t Interval() const;      // milliseconds
    void SetEnabled(bool enabled);
    bool Enabled() const { return m_enabled; }

    // Called once per elapsed interval.
    std::function<void(TMyTimer* sender)> OnTimer;
    // Called once per pass with the number of elapsed intervals; when set,
    // OnTimer is not used.
    std::function<void(TMyTimer* sender, int64_t count)> OnTick;
    // The dispatcher frees the timer (delete) after serving it; such a timer
    // must have been created with new.
    bool FreeAfterPass = false;

private:
    friend class TMaintimer;
    bool m_enabled = false;
    int64_t m_interval = 0;  // counter units
    int64_t m_base = 0;
    int64_t m_started = 0;
};
