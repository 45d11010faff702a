#include "platform/posix/HostLookup.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <sys/socket.h>

namespace platform::posix {

std::vector<uint32_t> ResolveIpv4(const std::string& host) {
    std::vector<uint32_t> result;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* list = nullptr;
    if (getaddrinfo(host.c_str(), nullptr, &hints, &list) != 0) return result;
    for (addrinfo* a = list; a; a = a->ai_next) {
        if (a->ai_family != AF_INET || !a->ai_addr) continue;
        auto* in = reinterpret_cast<sockaddr_in*>(a->ai_addr);
        result.push_back(ntohl(in->sin_addr.s_addr));
    }
    freeaddrinfo(list);
    return result;
}

THostLookups::THostLookups(std::function<bool(Task)> post)
    : m_post(std::move(post)) {}

THostLookups::~THostLookups() {
    m_lifetime.End();
    for (auto& w : m_workers) {
        if (w.thread.joinable()) w.thread.join();
    }
}

int THostLookups::Start(const std::string& host, LookupHandler handler) {
    if (!handler) return 0;  // delivering would call an empty function
    ReapFinished();
    int id = m_nextId++;
    m_pending[id] = std::move(handler);
    auto done = std::make_shared<std::atomic<bool>>(false);
    auto alive = m_lifetime.Watch();
    auto post = m_post;
    try {
        std::thread t([this, id, host, done, alive, post] {
            auto addresses = ResolveIpv4(host);
            // The table lives as long as `alive`; the task checks it on the
            // main thread before touching this object.
            if (alive) {
                post([this, id, addresses, alive] {
                    if (alive) Deliver(id, addresses);
                });
            }
            done->store(true);
        });
        m_workers.push_back(TWorker{std::move(t), done});
    } catch (const std::system_error&) {
        m_pending.erase(id);
        return 0;
    }
    return id;
}

void THostLookups::Cancel(int lookupId) { m_pending.erase(lookupId); }

int THostLookups::Running() const {
    int running = 0;
    for (const auto& worker : m_workers) running += worker.done->load() ? 0 : 1;
    return running;
}

void THostLookups::Deliver(int id, const std::vector<uint32_t>& addresses) {
    auto it = m_pending.find(id);
    if (it == m_pending.end()) return;
    LookupHandler handler = std::move(it->second);
    m_pending.erase(it);
    handler(id, addresses);
}

void THostLookups::ReapFinished() {
    for (auto it = m_workers.begin(); it != m_workers.end();) {
        if (it->done->load()) {
            it->thread.join();
            it = m_workers.erase(it);
        } else {
            ++it;
        }
    }
}

}  // namespace platform::posix
