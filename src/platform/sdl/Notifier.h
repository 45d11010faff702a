// The socket notifier: a thread that polls a snapshot of the watched
// descriptors and hands what is ready to the main thread.
//
// Results are posted in the order poll() reports them; then the thread waits
// until the main thread has dispatched them before it polls again. Readiness
// is level-triggered, so a condition that still holds is reported again in
// the next round, and the thread never spins on a condition the main thread
// has not yet had the chance to handle.
//
// Re-entry: a handler may pump the loop (a modal wait). The thread then must
// not wait for that handler to return, or no descriptor would be reported
// during the wait; so a pump inside a delivery (BeforePump) resumes the
// thread at once. A condition the waiting handler has not yet consumed is
// then reported again inside the wait, like a socket message posted anew.
//
// A new snapshot (watch added, changed or ended) wakes the thread through a
// control descriptor; results of the old snapshot that were not yet posted
// are dropped, since a condition that still holds shows up again. The
// delivery checks every result against the live watches anyway.
#pragma once

#include <poll.h>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/Platform.h"
#include "platform/posix/FdWatches.h"

namespace platform::sdl {

class TNotifier {
public:
    using Deliver = std::function<void(const std::vector<posix::TPollResult>&)>;

    // post queues a task for the main thread; deliver runs there.
    TNotifier(std::function<bool(Task)> post, Deliver deliver);
    ~TNotifier();
    TNotifier(const TNotifier&) = delete;
    TNotifier& operator=(const TNotifier&) = delete;

    // Main thread: replaces the snapshot; starts the thread on first use.
    // False when the thread or its control descriptor could not be made.
    bool SetWatches(std::vector<pollfd> fds, std::vector<int> ids);
    // Main thread, at the start of every loop pump.
    void BeforePump();

private:
    struct TShared {
        std::mutex mutex;
        std::condition_variable wake;  // delivering or stop changed
        std::vector<pollfd> fds;
        std::vector<int> ids;
        bool stop = false;
        bool delivering = false;  // results posted and not yet dispatched
        // Main thread only.
        bool alive = true;         // the notifier exists
        bool dispatching = false;  // a delivery's handlers are running
        bool resumed = false;      // ... and the thread was resumed already
        Deliver deliver;
    };

    static void DeliverOnMain(const std::shared_ptr<TShared>& shared,
                              const std::vector<posix::TPollResult>& results);
    static void Resume(TShared& shared);
    bool StartThread();
    void WakeThread();
    static void Run(std::shared_ptr<TShared> shared, int controlFd,
                    std::function<bool(Task)> post);
    // False when the thread is to end.
    static bool PostAndAwait(const std::shared_ptr<TShared>& shared,
                             const std::function<bool(Task)>& post,
                             std::vector<posix::TPollResult> results);

    std::function<bool(Task)> m_post;
    std::shared_ptr<TShared> m_shared;
    int m_controlFd = -1;
    std::thread m_thread;
};

}  // namespace platform::sdl
