#include "platform/sdl/PeriodicThread.h"

#include <chrono>
#include <system_error>

#include "platform/sdl/QuitSignals.h"

namespace platform::sdl {

TPeriodicThread::~TPeriodicThread() { Stop(); }

bool TPeriodicThread::Start(int periodMs, std::function<void()> onTick) {
    Stop();
    m_control = std::make_shared<TControl>();
    TQuitSignalsBlocked blocked;  // inherited by the thread
    try {
        m_thread = std::thread(Run, m_control, periodMs, std::move(onTick));
    } catch (const std::system_error&) {
        m_control.reset();
        return false;
    }
    return true;
}

void TPeriodicThread::Stop() {
    if (!m_control) return;
    {
        std::lock_guard<std::mutex> lock(m_control->mutex);
        m_control->stop = true;
    }
    m_control->wake.notify_all();
    if (m_thread.joinable()) {
        // The thread owns its callback and its control block, so from inside
        // the callback it is enough to let it run out.
        if (m_thread.get_id() == std::this_thread::get_id()) {
            m_thread.detach();
        } else {
            m_thread.join();
        }
    }
    m_control.reset();
}

void TPeriodicThread::Run(std::shared_ptr<TControl> control, int periodMs,
                          std::function<void()> onTick) {
    using Clock = std::chrono::steady_clock;
    const auto period = std::chrono::milliseconds(periodMs);
    auto deadline = Clock::now() + period;
    std::unique_lock<std::mutex> lock(control->mutex);
    while (true) {
        if (control->wake.wait_until(lock, deadline, [&] { return control->stop; })) return;
        lock.unlock();
        onTick();
        lock.lock();
        deadline += period;
        auto now = Clock::now();
        if (deadline <= now) {
            auto behind = (now - deadline) / period + 1;
            deadline += behind * period;
        }
    }
}

}  // namespace platform::sdl
