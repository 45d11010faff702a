#include "platform/posix/FdWatches.h"

#include <cerrno>

namespace platform::posix {

int TFdWatches::Watch(int fd, unsigned events, IoHandler handler) {
    if (fd < 0 || !handler) return 0;
    for (auto it = m_watches.begin(); it != m_watches.end(); ++it) {
        if (it->second.fd == fd) {
            m_watches.erase(it);
            break;
        }
    }
    int id = m_nextId++;
    m_watches[id] = TWatch{fd, events & (IoRead | IoWrite), std::move(handler)};
    return id;
}

bool TFdWatches::Modify(int watchId, unsigned events) {
    auto it = m_watches.find(watchId);
    if (it == m_watches.end()) return false;
    it->second.events = events & (IoRead | IoWrite);
    return true;
}

void TFdWatches::Unwatch(int watchId) { m_watches.erase(watchId); }

void TFdWatches::Snapshot(std::vector<pollfd>& fds, std::vector<int>& ids) const {
    fds.clear();
    ids.clear();
    for (const auto& [id, w] : m_watches) {
        short mask = 0;
        if (w.events & IoRead) mask |= POLLIN;
        if (w.events & IoWrite) mask |= POLLOUT;
        fds.push_back(pollfd{w.fd, mask, 0});
        ids.push_back(id);
    }
}

std::vector<TPollResult> TFdWatches::Collect(const std::vector<pollfd>& fds,
                                             const std::vector<int>& ids) {
    std::vector<TPollResult> results;
    for (size_t i = 0; i < fds.size() && i < ids.size(); ++i) {
        short r = fds[i].revents;
        if (r == 0) continue;
        unsigned ev = 0;
        if (r & POLLIN) ev |= IoRead;
        if (r & POLLOUT) ev |= IoWrite;
        if (r & (POLLERR | POLLNVAL)) ev |= IoError;
        if (r & POLLHUP) ev |= IoHangup;
        results.push_back(TPollResult{ids[i], fds[i].fd, ev});
    }
    return results;
}

int TFdWatches::Dispatch(const std::vector<TPollResult>& results) {
    int called = 0;
    for (const auto& r : results) {
        auto it = m_watches.find(r.watchId);
        if (it == m_watches.end() || it->second.fd != r.fd) continue;
        // An earlier handler of this pass may have narrowed the mask.
        unsigned events = r.events & (it->second.events | IoError | IoHangup);
        if (events == 0) continue;
        // Copy: the handler may end or replace its own watch.
        IoHandler handler = it->second.handler;
        RunHandler([&] { handler(r.fd, events); });
        ++called;
    }
    return called;
}

int TFdWatches::PollAndDispatch(int timeoutMs, int extraFd, bool* extraReady) {
    std::vector<pollfd> fds;
    std::vector<int> ids;
    Snapshot(fds, ids);
    if (extraFd >= 0) fds.push_back(pollfd{extraFd, POLLIN, 0});
    if (extraReady) *extraReady = false;
    if (fds.empty()) return 0;
    int n;
    do {
        n = poll(fds.data(), fds.size(), timeoutMs);
    } while (n < 0 && errno == EINTR);
    if (n <= 0) return 0;
    if (extraFd >= 0) {
        if (extraReady) *extraReady = (fds.back().revents & POLLIN) != 0;
        fds.pop_back();
    }
    return Dispatch(Collect(fds, ids));
}

}  // namespace platform::posix
