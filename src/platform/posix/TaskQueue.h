// A thread-safe queue of tasks for the main thread, with a wake-up descriptor.
//
// Any thread may Push(); only the main thread drains. The eventfd becomes
// readable whenever tasks are queued, so a loop that waits in poll() wakes for
// posted work. Drain() runs only the tasks queued when it started, so a task
// that posts another does not make one drain run forever.
#pragma once

#include <deque>
#include <mutex>

#include "platform/Platform.h"

namespace platform::posix {

class TTaskQueue {
public:
    TTaskQueue();
    ~TTaskQueue();
    TTaskQueue(const TTaskQueue&) = delete;
    TTaskQueue& operator=(const TTaskQueue&) = delete;

    // False once closed.
    bool Push(Task task);
    // Runs at most the tasks queued when it started; returns how many ran.
    int Drain();
    bool Empty() const;
    // Refuses further tasks and drops the queued ones.
    void Close();
    // Readable while tasks are queued; -1 if it could not be created.
    int WakeFd() const { return m_wakeFd; }

private:
    void ClearWake();

    mutable std::mutex m_mutex;
    std::deque<Task> m_tasks;
    bool m_closed = false;
    int m_wakeFd = -1;
};

}  // namespace platform::posix
