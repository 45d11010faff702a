#include "platform/PendingPaint.h"

namespace platform {

TPendingPaint::TPendingPaint(std::function<void(const Rect&)> deliver) : m_deliver(std::move(deliver)) {}

TPendingPaint::~TPendingPaint() { m_lifetime.End(); }

void TPendingPaint::Add(const Rect& area) {
    if (area.Empty()) return;
    m_area = Union(m_area, area);
    if (m_posted) return;
    m_posted = true;
    Loop().Post([this, alive = m_lifetime.Watch()] {
        if (alive) Deliver();
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
