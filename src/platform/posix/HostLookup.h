// Asynchronous host-name lookup: getaddrinfo on a helper thread that only
// posts its result to the main thread.
//
// A lookup that is cancelled, or whose owner is gone, never calls its
// handler: the posted result is checked against the live table on the main
// thread. The destructor waits for running helper threads.
#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/Lifetime.h"
#include "platform/Platform.h"

namespace platform::posix {

// Resolves a host to its IPv4 addresses in host byte order (blocking).
std::vector<uint32_t> ResolveIpv4(const std::string& host);

class THostLookups {
public:
    // post delivers a task to the main thread (the backend's Post).
    explicit THostLookups(std::function<bool(Task)> post);
    ~THostLookups();

    int Start(const std::string& host, LookupHandler handler);
    void Cancel(int lookupId);
    // Helper threads still resolving.
    int Running() const;

private:
    void Deliver(int id, const std::vector<uint32_t>& addresses);
    void ReapFinished();

    struct TWorker {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };

    std::function<bool(Task)> m_post;
    std::map<int, LookupHandler> m_pending;  // main thread only
    std::vector<TWorker> m_workers;          // main thread only
    TLifetime m_lifetime;  // helper threads and posted results check it
    int m_nextId = 1;
};

}  // namespace platform::posix
