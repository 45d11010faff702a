// A callback every period on a thread of its own, paced by absolute
// deadlines so the ticks do not drift with the callback's own run time.
//
// A tick that comes too late (the machine was busy or suspended) is not made
// up: the thread goes on with the next deadline still ahead. Stop() joins the
// thread, so when it returns the callback is not running and never runs
// again; called from the callback itself it only ends the thread after the
// callback returns.
#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace platform::sdl {

class TPeriodicThread {
public:
    TPeriodicThread() = default;
    ~TPeriodicThread();
    TPeriodicThread(const TPeriodicThread&) = delete;
    TPeriodicThread& operator=(const TPeriodicThread&) = delete;

    // False when the thread could not be started.
    bool Start(int periodMs, std::function<void()> onTick);
    void Stop();

private:
    struct TControl {
        std::mutex mutex;
        std::condition_variable wake;
        bool stop = false;
    };
    static void Run(std::shared_ptr<TControl> control, int periodMs,
                    std::function<void()> onTick);

    std::shared_ptr<TControl> m_control;
    std::thread m_thread;
};

}  // namespace platform::sdl
