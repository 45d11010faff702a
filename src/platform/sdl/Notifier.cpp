#include "platform/sdl/Notifier.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <system_error>

#include "platform/sdl/QuitSignals.h"

namespace platform::sdl {
namespace {

void ClearControl(int fd) {
    uint64_t value;
    [[maybe_unused]] ssize_t n = read(fd, &value, sizeof value);
}

}  // namespace

TNotifier::TNotifier(std::function<bool(Task)> post, Deliver deliver)
    : m_post(std::move(post)), m_shared(std::make_shared<TShared>()) {
    m_shared->deliver = std::move(deliver);
}

TNotifier::~TNotifier() {
    // Deliveries still queued on the main thread find this and do nothing.
    m_shared->alive = false;
    if (m_thread.joinable()) {
        {
            std::lock_guard<std::mutex> lock(m_shared->mutex);
            m_shared->stop = true;
        }
        m_shared->wake.notify_all();
        WakeThread();
        m_thread.join();
    }
    if (m_controlFd >= 0) close(m_controlFd);
}

bool TNotifier::SetWatches(std::vector<pollfd> fds, std::vector<int> ids) {
    bool none = fds.empty();
    {
        std::lock_guard<std::mutex> lock(m_shared->mutex);
        m_shared->fds = std::move(fds);
        m_shared->ids = std::move(ids);
    }
    // The thread starts with the first watch; a process without sockets has
    // none.
    if (!m_thread.joinable()) return none || StartThread();
    WakeThread();
    return true;
}

bool TNotifier::StartThread() {
    if (m_controlFd < 0) m_controlFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (m_controlFd < 0) return false;
    TQuitSignalsBlocked blocked;  // inherited by the thread
    try {
        m_thread = std::thread(Run, m_shared, m_controlFd, m_post);
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void TNotifier::WakeThread() {
    uint64_t one = 1;
    [[maybe_unused]] ssize_t n = write(m_controlFd, &one, sizeof one);
}

void TNotifier::Run(std::shared_ptr<TShared> shared, int controlFd,
                    std::function<bool(Task)> post) {
    std::vector<pollfd> fds;
    std::vector<int> ids;
    while (true) {
        {
            std::lock_guard<std::mutex> lock(shared->mutex);
            if (shared->stop) return;
            fds = shared->fds;
            ids = shared->ids;
        }
        fds.push_back(pollfd{controlFd, POLLIN, 0});
        int n = poll(fds.data(), fds.size(), -1);
        if (n < 0) {
            if (errno != EINTR) {
                // Out of resources for this snapshot: wait for the next one
                // rather than fail in a loop.
                pollfd control{controlFd, POLLIN, 0};
                poll(&control, 1, -1);
            }
            continue;
        }
        bool changed = fds.back().revents != 0;
        fds.pop_back();
        if (changed) {
            ClearControl(controlFd);
            continue;
        }
        auto results = posix::TFdWatches::Collect(fds, ids);
        if (!results.empty() && !PostAndAwait(shared, post, std::move(results))) return;
    }
}

void TNotifier::DeliverOnMain(const std::shared_ptr<TShared>& shared,
                              const std::vector<posix::TPollResult>& results) {
    TShared& s = *shared;
    if (!s.alive) return;
    // A delivery inside a wait of an outer one keeps the outer's state.
    bool outerDispatching = s.dispatching, outerResumed = s.resumed;
    s.dispatching = true;
    s.resumed = false;
    s.deliver(results);
    bool resumed = s.resumed;
    s.dispatching = outerDispatching;
    s.resumed = outerResumed;
    if (!resumed) Resume(s);
}

void TNotifier::BeforePump() {
    TShared& s = *m_shared;
    if (!s.dispatching || s.resumed) return;
    s.resumed = true;
    Resume(s);
}

void TNotifier::Resume(TShared& shared) {
    {
        std::lock_guard<std::mutex> lock(shared.mutex);
        shared.delivering = false;
    }
    shared.wake.notify_all();
}

bool TNotifier::PostAndAwait(const std::shared_ptr<TShared>& shared,
                             const std::function<bool(Task)>& post,
                             std::vector<posix::TPollResult> results) {
    {
        std::lock_guard<std::mutex> lock(shared->mutex);
        shared->delivering = true;
    }
    // A loop that refuses the task has ended: nothing clears the flag, and
    // the thread sleeps until it is stopped.
    post([shared, results = std::move(results)] { DeliverOnMain(shared, results); });
    std::unique_lock<std::mutex> lock(shared->mutex);
    shared->wake.wait(lock, [&] { return !shared->delivering || shared->stop; });
    return !shared->stop;
}

}  // namespace platform::sdl
