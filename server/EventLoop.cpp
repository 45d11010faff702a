#include "EventLoop.h"

#include <sys/epoll.h>
#include <unistd.h>

#include <cerrno>

namespace server {
namespace {

uint32_t ToEpoll(uint32_t interest) {
    uint32_t e = 0;
    if (interest & kReadable) e |= EPOLLIN | EPOLLRDHUP;
    if (interest & kWritable) e |= EPOLLOUT;
    return e;
}

uint32_t FromEpoll(uint32_t e) {
    uint32_t events = 0;
    if (e & EPOLLIN) events |= kReadable;
    if (e & EPOLLOUT) events |= kWritable;
    if (e & (EPOLLHUP | EPOLLERR | EPOLLRDHUP)) events |= kHangup;
    return events;
}

}  // namespace

EventLoop::EventLoop() : m_epoll(epoll_create1(EPOLL_CLOEXEC)) {}

EventLoop::~EventLoop() {
    if (m_epoll >= 0) close(m_epoll);
}

uint64_t EventLoop::Watch(int fd, uint32_t interest, Handler handler) {
    uint64_t id = m_nextId++;
    epoll_event ev{};
    ev.events = ToEpoll(interest);
    ev.data.u64 = id;
    if (epoll_ctl(m_epoll, EPOLL_CTL_ADD, fd, &ev) != 0) return 0;
    m_watches.emplace(id, Watcher{fd, std::move(handler)});
    return id;
}

bool EventLoop::Modify(uint64_t id, uint32_t interest) {
    auto it = m_watches.find(id);
    if (it == m_watches.end()) return false;
    epoll_event ev{};
    ev.events = ToEpoll(interest);
    ev.data.u64 = id;
    return epoll_ctl(m_epoll, EPOLL_CTL_MOD, it->second.fd, &ev) == 0;
}

void EventLoop::Unwatch(uint64_t id) {
    auto it = m_watches.find(id);
    if (it == m_watches.end()) return;
    epoll_ctl(m_epoll, EPOLL_CTL_DEL, it->second.fd, nullptr);
    m_watches.erase(it);
}

int EventLoop::RunOnce(int timeoutMs) {
    constexpr int kBatch = 64;
    epoll_event events[kBatch];
    int n = epoll_wait(m_epoll, events, kBatch, timeoutMs);
    if (n < 0) return errno == EINTR ? 0 : -1;
    for (int i = 0; i < n; ++i) {
        // A copy: epoll_event is packed, so its u64 may be misaligned for a
        // reference.
        const uint64_t id = events[i].data.u64;
        auto it = m_watches.find(id);
        if (it == m_watches.end()) continue;  // unwatched earlier in this pass
        // Copy: the handler may unwatch itself and free the stored one.
        Handler handler = it->second.handler;
        handler(FromEpoll(events[i].events));
    }
    return n;
}

}  // namespace server
