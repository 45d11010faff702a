#include "platform/posix/TaskQueue.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace platform::posix {

TTaskQueue::TTaskQueue() { m_wakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC); }

TTaskQueue::~TTaskQueue() {
    if (m_wakeFd >= 0) close(m_wakeFd);
}

bool TTaskQueue::Push(Task task) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_closed) return false;
    m_tasks.push_back(std::move(task));
    // Written under the lock, like ClearWake(): the descriptor is readable
    // exactly while tasks are queued. Written outside it, a drain could clear
    // it between the push and the write and leave it readable over an empty
    // queue, and a loop waiting on it would spin.
    if (m_wakeFd >= 0) {
        uint64_t one = 1;
        // A full counter (never reached in practice) still leaves it readable.
        [[maybe_unused]] ssize_t n = write(m_wakeFd, &one, sizeof one);
    }
    return true;
}

void TTaskQueue::ClearWake() {
    if (m_wakeFd < 0) return;
    uint64_t value;
    [[maybe_unused]] ssize_t n = read(m_wakeFd, &value, sizeof value);
}

int TTaskQueue::Drain() {
    // Tasks are taken one at a time, so a nested drain (a modal wait inside a
    // task) goes on with the rest of the queue in order instead of leaving it
    // stranded in this call's hands.
    size_t limit;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        limit = m_tasks.size();
    }
    int count = 0;
    for (size_t i = 0; i < limit; ++i) {
        Task task;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_tasks.empty()) break;
            task = std::move(m_tasks.front());
            m_tasks.pop_front();
            if (m_tasks.empty()) ClearWake();
        }
        RunHandler(task);
        ++count;
    }
    return count;
}

bool TTaskQueue::Empty() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_tasks.empty();
}

void TTaskQueue::Close() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_closed = true;
    m_tasks.clear();
    ClearWake();
}

}  // namespace platform::posix
