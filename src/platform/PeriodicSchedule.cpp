#include "platform/PeriodicSchedule.h"

#include <algorithm>
#include <vector>

namespace platform {

int TPeriodicSchedule::Add(int64_t periodCounts, int64_t now, std::function<void()> onTick) {
    if (periodCounts <= 0 || !onTick) return 0;
    int id = m_nextId++;
    TSource s{periodCounts, now, now, 0, 0, std::move(onTick)};
    Schedule(s, now);
    m_sources.emplace(id, std::move(s));
    return id;
}

void TPeriodicSchedule::Remove(int id) { m_sources.erase(id); }

int64_t TPeriodicSchedule::GridAtOrAfter(const TSource& s, int64_t t) {
    if (t <= s.anchor) return s.anchor;
    // A due far in the future stays far without overflowing.
    if (t - s.anchor > kNever - s.period) return kNever;
    int64_t steps = (t - s.anchor + s.period - 1) / s.period;
    if (steps > (kNever - s.anchor) / s.period) return kNever;
    return s.anchor + steps * s.period;
}

// The next deadline: the first grid point after the last tick and after
// `after`, and not before the due time.
void TPeriodicSchedule::Schedule(TSource& s, int64_t after) {
    int64_t from = std::max(s.lastFired, after);
    int64_t next = from == kNever ? kNever : GridAtOrAfter(s, from + 1);
    if (s.due > next) next = GridAtOrAfter(s, s.due);
    s.deadline = next;
}

void TPeriodicSchedule::SetDue(int id, int64_t due) {
    auto it = m_sources.find(id);
    if (it == m_sources.end()) return;
    it->second.due = due;
    // Only the last tick bounds the new deadline: a grid point already
    // passed but not fired is due at once.
    Schedule(it->second, it->second.lastFired);
}

int64_t TPeriodicSchedule::Next() const {
    int64_t next = kNever;
    for (const auto& [id, s] : m_sources) next = std::min(next, s.deadline);
    return next;
}

int TPeriodicSchedule::FireDue(int64_t now) {
    std::vector<std::pair<int64_t, int>> due;
    for (const auto& [id, s] : m_sources)
        if (s.deadline <= now) due.emplace_back(s.deadline, id);
    std::sort(due.begin(), due.end());
    int fired = 0;
    for (const auto& [deadline, id] : due) {
        auto it = m_sources.find(id);
        // An earlier tick may have stopped or re-timed this source.
        if (it == m_sources.end() || it->second.deadline > now) continue;
        TSource& s = it->second;
        s.lastFired = GridAtOrAfter(s, s.deadline);
        Schedule(s, now);
        auto tick = s.onTick;  // the tick may remove its own source
        tick();
        ++fired;
    }
    return fired;
}

int64_t TPeriodicSchedule::Period(int id) const {
    auto it = m_sources.find(id);
    return it == m_sources.end() ? 0 : it->second.period;
}

int64_t TPeriodicSchedule::Deadline(int id) const {
    auto it = m_sources.find(id);
    return it == m_sources.end() ? kNever : it->second.deadline;
}

}  // namespace platform
