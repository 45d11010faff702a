// The server's notion of time. Every time-out (logon, idle, grace period,
// flood throttle) reads the clock it is given, so tests drive time-outs by
// advancing a ManualClock instead of sleeping.
#pragma once

#include <atomic>
#include <cstdint>

namespace server {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds on a monotonic scale; only differences are meaningful.
    virtual int64_t NowMs() const = 0;
};

// The monotonic system clock.
class SteadyClock : public Clock {
public:
    int64_t NowMs() const override;
};

// A clock that moves only when told to.
class ManualClock : public Clock {
public:
    explicit ManualClock(int64_t startMs = 1000000) : m_now(startMs) {}
    int64_t NowMs() const override { return m_now.load(); }
    void Advance(int64_t ms) { m_now.fetch_add(ms); }

private:
    std::atomic<int64_t> m_now;
};

}  // namespace server
