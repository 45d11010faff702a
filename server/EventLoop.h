// The server's one event loop: epoll readiness of its sockets, handled on
// the calling thread. Readiness is level-triggered, so a handler that leaves
// bytes unread is called again on the next pass.
//
// A handler may unwatch any descriptor, its own included, while a pass runs:
// events already collected for a watch that has ended are dropped, so no
// handler runs for a closed socket.
#pragma once

#include <cstdint>
#include <functional>
#include <unordered_map>

namespace server {

enum : uint32_t { kReadable = 1, kWritable = 2, kHangup = 4 };

class EventLoop {
public:
    using Handler = std::function<void(uint32_t events)>;

    EventLoop();
    ~EventLoop();
    EventLoop(const EventLoop&) = delete;
    EventLoop& operator=(const EventLoop&) = delete;

    bool Ok() const { return m_epoll >= 0; }
    // Returns a watch id (> 0), or 0 on failure.
    uint64_t Watch(int fd, uint32_t interest, Handler handler);
    bool Modify(uint64_t id, uint32_t interest);
    void Unwatch(uint64_t id);
    // Waits up to timeoutMs (0: does not wait) and runs the handlers of what
    // became ready. Returns the number of events handled.
    int RunOnce(int timeoutMs);
    size_t WatchCount() const { return m_watches.size(); }

private:
    struct Watcher {
        int fd;
        Handler handler;
    };
    int m_epoll = -1;
    uint64_t m_nextId = 1;
    std::unordered_map<uint64_t, Watcher> m_watches;
};

}  // namespace server
