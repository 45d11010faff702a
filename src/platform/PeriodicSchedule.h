// TPeriodicSchedule: the periodic sources of one event loop, kept as
// deadlines on the loop's counter instead of as threads.
//
// A source ticks on the grid of its period from the moment it started, and
// never twice for one grid point: a loop that comes late fires it once and
// goes on with the next grid point ahead (missed periods are not made up).
// A source may be told that no tick is wanted before a later time (SetDue);
// it then skips the grid points before that and the loop sleeps through
// them. The loop sleeps until Next() and calls FireDue() when it wakes.
//
// Main thread only. A tick may start, stop or re-time any source, itself
// included.
#pragma once

#include <cstdint>
#include <functional>
#include <map>

namespace platform {

class TPeriodicSchedule {
public:
    static constexpr int64_t kNever = INT64_MAX;

    // A source of periodCounts (> 0) whose first tick is due one period
    // after now; returns its id (> 0).
    int Add(int64_t periodCounts, int64_t now, std::function<void()> onTick);
    void Remove(int id);
    // No tick before due; a due at or before the next grid point changes
    // nothing but undoes an earlier, later due.
    void SetDue(int id, int64_t due);
    // The earliest deadline of all sources, kNever when there is none.
    int64_t Next() const;
    // Fires, once each, the sources whose deadline is at or before now, in
    // the order of their deadlines; returns how many fired.
    int FireDue(int64_t now);

    int Count() const { return static_cast<int>(m_sources.size()); }
    // The period of a source, 0 for an unknown id.
    int64_t Period(int id) const;
    // The deadline of a source, kNever for an unknown id.
    int64_t Deadline(int id) const;

private:
    struct TSource {
        int64_t period;
        int64_t anchor;     // the grid: anchor + k × period
        int64_t lastFired;  // grid point of the last tick (anchor at first)
        int64_t due;        // no tick before this
        int64_t deadline;   // the next tick
        std::function<void()> onTick;
    };
    static void Schedule(TSource& source, int64_t after);
    // The first grid point at or after t.
    static int64_t GridAtOrAfter(const TSource& source, int64_t t);

    std::map<int, TSource> m_sources;
    int m_nextId = 1;
};

}  // namespace platform
