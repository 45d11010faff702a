#include "platform/PendingPaint.h"

namespace platform {

TPendingPaint::TPendingPaint(std::function<void(const Rect&)> deliver) : m_deliver(std::move(deliver)) {}

TPendingPaint::~TPendingPaint() { *m_alive = false; }

void TPendingPaint::Add(const Rect& area) {
    if (area.Empty()) return;
    m_area = Union(m_area, area);
    if (m_posted) return;
    m_posted = true;
    std::weak_ptr<bool> alive = m_alive;
    Loop().Post([this, alive] {
        auto a = alive.lock();
        if (a && *a) Deliver();
    });
}

void TPendingPaint::Flush() {
    if (!m_area.Empty()) Deliver();
}

void TPendingPaint::Deliver() {
    Rect area = m_area;
    m_area = Rect{};
    m_posted = false;
    if (!area.Empty() && m_deliver) m_deliver(area);
}

}  // namespace platform
