#include "games/TumblixAnimation.h"

#include <utility>

#include "shell/MyTimer.h"

TTumblixAnimation::TTumblixAnimation() : m_timer(std::make_unique<TMyTimer>()) {
    m_timer->OnTimer = [this](TMyTimer*) { Next(); };
}

TTumblixAnimation::~TTumblixAnimation() = default;

void TTumblixAnimation::Add(int waitMs, std::function<void()> step) {
    m_steps.push_back({waitMs, std::move(step)});
    if (m_steps.size() == 1) Arm();
}

// A step with no wait runs at the next pass of the timers.
void TTumblixAnimation::Arm() {
    m_timer->SetEnabled(false);
    if (m_steps.empty()) return;
    m_timer->SetInterval(m_steps.front().WaitMs > 0 ? m_steps.front().WaitMs : 1);
    m_timer->SetEnabled(true);
}

void TTumblixAnimation::Next() {
    if (m_steps.empty()) {
        m_timer->SetEnabled(false);
        return;
    }
    std::function<void()> run = std::move(m_steps.front().Run);
    m_steps.pop_front();
    Arm();
    if (run) run();
}

void TTumblixAnimation::Finish() {
    m_timer->SetEnabled(false);
    while (!m_steps.empty()) {
        std::function<void()> run = std::move(m_steps.front().Run);
        m_steps.pop_front();
        if (run) run();
    }
}
