// TPendingPaint: the paint requests of one window. Areas asked for before
// the paint arrives are joined into one, and one task is posted to the main
// loop for them; the task does nothing once the window is gone.
#pragma once

#include <functional>
#include <memory>

#include "platform/Lifetime.h"
#include "platform/Platform.h"

namespace platform {

class TPendingPaint {
public:
    // deliver gets the joined area when the paint is due.
    explicit TPendingPaint(std::function<void(const Rect&)> deliver);
    ~TPendingPaint();
    TPendingPaint(const TPendingPaint&) = delete;
    TPendingPaint& operator=(const TPendingPaint&) = delete;

    // Joins the area (already clipped to the window) and posts the paint
    // unless one is posted.
    void Add(const Rect& area);
    // Delivers the pending area now, if any.
    void Flush();
    const Rect& Area() const { return m_area; }

private:
    void Deliver();

    std::function<void(const Rect&)> m_deliver;
    Rect m_area;
    bool m_posted = false;
    TLifetime m_lifetime;  // the posted paint checks it
};

}  // namespace platform
