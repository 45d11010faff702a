// The headless backend: the platform for tests and tools.
//
// Time is virtual: the counter stands still until the test advances it, and
// periodic sources fire (on the advancing thread, standing in for a loop
// that sleeps until their deadline) at every deadline crossed, with the
// counter at that deadline. A source told that nothing is due before a later
// time skips its periods until then, as the real loop does. Posted tasks and descriptor
// readiness are real, so sockets over loopback work as in the real backend.
// Message boxes are recorded and answered from a queue the test fills.
#pragma once

#include <atomic>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/PeriodicSchedule.h"
#include "platform/Platform.h"
#include "platform/posix/FdWatches.h"
#include "platform/posix/HostLookup.h"
#include "platform/posix/TaskQueue.h"

namespace platform::headless {

class TIo;

class TLoop : public IEventLoop {
public:
    static constexpr int64_t kFrequency = 1'000'000;  // counts per second

    void ProcessMessages() override;
    void WaitMessage() override;
    void Terminate() override { m_terminated.store(true); }
    bool Terminated() const override { return m_terminated.load(); }
    // Refused once terminated, like the real loop.
    bool Post(Task task) override { return !Terminated() && m_queue.Push(std::move(task)); }
    int64_t Counter() const override { return m_counter; }
    int64_t Frequency() const override { return kFrequency; }
    bool TimerCaps(int& minPeriodMs, int& maxPeriodMs) const override;
    int StartPeriodic(int periodMs, std::function<void()> onTick) override;
    void StopPeriodic(int id) override;
    void SetPeriodicDue(int id, int64_t due) override { m_periodic.SetDue(id, due); }

    // Test controls.
    // Moves virtual time on by ms without running the main thread, firing the
    // periodic sources on the way (as a main thread blocked for ms would see).
    void AdvanceMs(int64_t ms);
    void AdvanceCounts(int64_t counts);
    // Moves time on by ms in 1 ms steps, handling messages after each step
    // (a responsive main thread).
    void RunFor(int64_t ms);
    // Handles messages, without moving time, until a pass finds no
    // descriptor ready and no task queued; false when something is still
    // ready after maxPasses passes (a watch that never settles).
    bool Drain(int maxPasses = 1000);
    void SetTimerCaps(bool readable, int minPeriodMs, int maxPeriodMs);
    int PeriodicCount() const { return m_periodic.Count(); }
    // How many periodic ticks fired so far (the wake-ups a real loop had).
    int64_t PeriodicTicks() const { return m_periodicTicks; }
    // The next deadline of a source, TPeriodicSchedule::kNever when unknown.
    int64_t PeriodicDeadline(int id) const { return m_periodic.Deadline(id); }
    int PeriodicPeriod(int id) const;
    bool HasPendingTasks() const { return !m_queue.Empty(); }
    // How many times WaitMessage found something to do.
    int Wakeups() const { return m_wakeups; }

    void AttachIo(TIo* io) { m_io = io; }
    posix::TTaskQueue& Queue() { return m_queue; }

private:
    posix::TTaskQueue m_queue;
    TIo* m_io = nullptr;
    std::atomic<bool> m_terminated{false};  // read by posting threads
    int64_t m_counter = 0;
    TPeriodicSchedule m_periodic;
    int64_t m_periodicTicks = 0;
    bool m_capsReadable = true;
    int m_minPeriod = 1, m_maxPeriod = 1'000'000;
    int m_wakeups = 0;
};

struct TRecordedBox {
    BoxKind kind;
    std::string text, caption;
};

class TDialogs : public IDialogs {
public:
    BoxResult MessageBox(BoxKind kind, const std::string& text,
                         const std::string& caption) override;
    // Answers for the next boxes; without one, Yes/No boxes answer Yes and
    // the others Ok.
    void QueueAnswer(BoxResult answer) { m_answers.push_back(answer); }
    const std::vector<TRecordedBox>& Boxes() const { return m_boxes; }
    void ClearBoxes() { m_boxes.clear(); }

private:
    std::deque<BoxResult> m_answers;
    std::vector<TRecordedBox> m_boxes;
};

class TIo : public IIo {
public:
    explicit TIo(TLoop& loop);
    int Watch(int fd, unsigned events, IoHandler handler) override;
    bool Modify(int watchId, unsigned events) override;
    void Unwatch(int watchId) override;
    int LookupHost(const std::string& host, LookupHandler handler) override;
    void CancelLookup(int lookupId) override;

    // Polls the watches and the task queue's wake descriptor.
    int Poll(int timeoutMs, bool* tasksReady);
    bool Empty() const { return m_watches.Empty(); }
    // Host lookups whose helper thread has not finished.
    int LookupsRunning() const { return m_lookups.Running(); }

private:
    TLoop& m_loop;
    posix::TFdWatches m_watches;
    posix::THostLookups m_lookups;
};

class TShell : public IShell {
public:
    bool OpenUrl(const std::string& url) override;
    bool StartProgram(const std::string& path) override;
    [[noreturn]] void Halt(int exitCode) override;

    const std::vector<std::string>& OpenedUrls() const { return m_urls; }
    const std::vector<std::string>& StartedPrograms() const { return m_programs; }

private:
    std::vector<std::string> m_urls, m_programs;
};

// A fresh headless backend.
std::unique_ptr<Backend> CreateBackend();
// Installs a fresh headless backend, replacing the current one.
void InstallFresh();

// The installed headless facets (the backend must be headless).
TLoop& Loop();
TDialogs& Dialogs();
TShell& Shell();

}  // namespace platform::headless
