#include "platform/headless/Headless.h"

#include "platform/headless/HeadlessVideo.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace platform::headless {

// ---------------------------------------------------------------------------
// Loop

void TLoop::ProcessMessages() {
    if (m_io) m_io->Poll(0, nullptr);
    m_queue.Drain();
}

bool TLoop::Drain(int maxPasses) {
    for (int pass = 0; pass < maxPasses; ++pass) {
        int handled = m_io ? m_io->Poll(0, nullptr) : 0;
        handled += m_queue.Drain();
        if (handled == 0 && m_queue.Empty()) return true;
    }
    return false;
}

void TLoop::WaitMessage() {
    if (m_terminated) return;
    bool tasksReady = !m_queue.Empty();
    if (!tasksReady) {
        // Nothing to wait for would block for ever: a test that waits with
        // no watch and no task has a bug, so fail loudly instead of hanging.
        if (!m_io || m_io->Empty()) {
            std::fprintf(stderr, "headless: WaitMessage with nothing that could arrive\n");
            std::abort();
        }
        m_io->Poll(-1, &tasksReady);
    }
    ++m_wakeups;
    m_queue.Drain();
}

bool TLoop::TimerCaps(int& minPeriodMs, int& maxPeriodMs) const {
    if (!m_capsReadable) return false;
    minPeriodMs = m_minPeriod;
    maxPeriodMs = m_maxPeriod;
    return true;
}

int TLoop::StartPeriodic(int periodMs, std::function<void()> onTick) {
    if (periodMs <= 0 || !onTick) return 0;
    return m_periodic.Add(periodMs * kFrequency / 1000, m_counter, std::move(onTick));
}

void TLoop::StopPeriodic(int id) { m_periodic.Remove(id); }

int TLoop::PeriodicPeriod(int id) const {
    return static_cast<int>(m_periodic.Period(id) * 1000 / kFrequency);
}

void TLoop::AdvanceCounts(int64_t counts) {
    int64_t target = m_counter + counts;
    // One deadline at a time, with the counter at it, so a tick that
    // re-times a source is seen by the next step.
    for (int64_t next = m_periodic.Next(); next <= target; next = m_periodic.Next()) {
        m_counter = std::max(m_counter, next);
        m_periodicTicks += m_periodic.FireDue(m_counter);
    }
    m_counter = target;
}

void TLoop::AdvanceMs(int64_t ms) { AdvanceCounts(ms * kFrequency / 1000); }

void TLoop::RunFor(int64_t ms) {
    for (int64_t i = 0; i < ms; ++i) {
        AdvanceMs(1);
        ProcessMessages();
    }
}

void TLoop::SetTimerCaps(bool readable, int minPeriodMs, int maxPeriodMs) {
    m_capsReadable = readable;
    m_minPeriod = minPeriodMs;
    m_maxPeriod = maxPeriodMs;
}

// ---------------------------------------------------------------------------
// Dialogs

BoxResult TDialogs::MessageBox(BoxKind kind, const std::string& text,
                               const std::string& caption) {
    m_boxes.push_back(TRecordedBox{kind, text, caption});
    if (!m_answers.empty()) {
        BoxResult r = m_answers.front();
        m_answers.pop_front();
        return r;
    }
    return kind == BoxKind::YesNo ? BoxResult::Yes : BoxResult::Ok;
}

// ---------------------------------------------------------------------------
// I/O

TIo::TIo(TLoop& loop)
    : m_loop(loop), m_lookups([&loop](Task t) { return loop.Post(std::move(t)); }) {}

int TIo::Watch(int fd, unsigned events, IoHandler handler) {
    return m_watches.Watch(fd, events, std::move(handler));
}

bool TIo::Modify(int watchId, unsigned events) { return m_watches.Modify(watchId, events); }
void TIo::Unwatch(int watchId) { m_watches.Unwatch(watchId); }

int TIo::LookupHost(const std::string& host, LookupHandler handler) {
    return m_lookups.Start(host, std::move(handler));
}

void TIo::CancelLookup(int lookupId) { m_lookups.Cancel(lookupId); }

int TIo::Poll(int timeoutMs, bool* tasksReady) {
    return m_watches.PollAndDispatch(timeoutMs, m_loop.Queue().WakeFd(), tasksReady);
}

// ---------------------------------------------------------------------------
// Shell

bool TShell::OpenUrl(const std::string& url) {
    m_urls.push_back(url);
    return true;
}

bool TShell::StartProgram(const std::string& path) {
    m_programs.push_back(path);
    return true;
}

void TShell::Halt(int exitCode) {
    // Tests observe this through death tests (EXPECT_EXIT).
    std::fflush(nullptr);
    std::_Exit(exitCode);
}

// ---------------------------------------------------------------------------

std::unique_ptr<Backend> CreateBackend() {
    auto backend = std::make_unique<Backend>();
    auto loop = std::make_unique<TLoop>();
    auto io = std::make_unique<TIo>(*loop);
    loop->AttachIo(io.get());
    backend->loop = std::move(loop);
    backend->io = std::move(io);
    backend->dialogs = std::make_unique<TDialogs>();
    backend->shell = std::make_unique<TShell>();
    backend->video = std::make_unique<TVideo>();
    backend->audio = std::make_unique<TAudio>();
    return backend;
}

void InstallFresh() {
    Uninstall();
    Install(CreateBackend());
}

TLoop& Loop() { return static_cast<TLoop&>(platform::Loop()); }
TDialogs& Dialogs() { return static_cast<TDialogs&>(platform::Dialogs()); }
TShell& Shell() { return static_cast<TShell&>(platform::Shell()); }

}  // namespace platform::headless
