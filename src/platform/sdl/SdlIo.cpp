#include "platform/sdl/SdlIo.h"

#include "platform/sdl/QuitSignals.h"
#include "platform/sdl/SdlLoop.h"

namespace platform::sdl {

TIo::TIo(TLoop& loop)
    : m_lookups([&loop](Task t) { return loop.Post(std::move(t)); }),
      m_loop(loop),
      m_notifier([&loop](Task t) { return loop.Post(std::move(t)); },
                 [this](const std::vector<posix::TPollResult>& results) {
                     m_watches.Dispatch(results);
                 }) {
    m_loop.SetBeforePump([this] { m_notifier.BeforePump(); });
}

TIo::~TIo() { m_loop.SetBeforePump(nullptr); }

int TIo::Watch(int fd, unsigned events, IoHandler handler) {
    int id = m_watches.Watch(fd, events, std::move(handler));
    if (id == 0) return 0;
    if (!Resnapshot()) {
        m_watches.Unwatch(id);
        return 0;
    }
    return id;
}

bool TIo::Modify(int watchId, unsigned events) {
    if (!m_watches.Modify(watchId, events)) return false;
    Resnapshot();
    return true;
}

void TIo::Unwatch(int watchId) {
    m_watches.Unwatch(watchId);
    Resnapshot();
}

int TIo::LookupHost(const std::string& host, LookupHandler handler) {
    if (!handler) return 0;
    TQuitSignalsBlocked blocked;  // inherited by the helper thread
    return m_lookups.Start(host, std::move(handler));
}

void TIo::CancelLookup(int lookupId) { m_lookups.Cancel(lookupId); }

bool TIo::Resnapshot() {
    std::vector<pollfd> fds;
    std::vector<int> ids;
    m_watches.Snapshot(fds, ids);
    return m_notifier.SetWatches(std::move(fds), std::move(ids));
}

}  // namespace platform::sdl
