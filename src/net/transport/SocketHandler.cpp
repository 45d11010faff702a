#include "net/transport/SocketHandler.h"

#include <csignal>
#include <memory>

#include <algorithm>

#include "net/transport/Mysocket.h"
#include "platform/InstalledState.h"

TTransportState::TTransportState() = default;
TTransportState::~TTransportState() { Sockets.reset(); }

bool TSocketHandler::Startup() {
    // Sends use MSG_NOSIGNAL as well; this covers any other write.
    std::signal(SIGPIPE, SIG_IGN);
    Instance();
    return true;
}

void TSocketHandler::Shutdown() { TInstalledState<TTransportState>::Get().Sockets.reset(); }

TSocketHandler& TSocketHandler::Instance() {
    auto& handler = TInstalledState<TTransportState>::Get().Sockets;
    if (!handler) handler = std::make_unique<TSocketHandler>();
    return *handler;
}

TSocketHandler* TSocketHandler::Existing() {
    TTransportState* state = TInstalledState<TTransportState>::Current();
    return state ? state->Sockets.get() : nullptr;
}

void TSocketHandler::Add(TMysocket* socket) { m_sockets.push_back(socket); }

void TSocketHandler::Remove(TMysocket* socket) {
    m_sockets.erase(std::remove(m_sockets.begin(), m_sockets.end(), socket), m_sockets.end());
}

TMysocket* TSocketHandler::Find(int handle) const {
    if (handle < 0) return nullptr;
    for (TMysocket* s : m_sockets) {
        if (s->Socket() == handle) return s;
    }
    return nullptr;
}

TMyclientsocket* TSocketHandler::FindLookup(int lookupId) const {
    if (lookupId <= 0) return nullptr;
    for (TMysocket* s : m_sockets) {
        auto* client = dynamic_cast<TMyclientsocket*>(s);
        if (client && client->LookupHandle() == lookupId) return client;
    }
    return nullptr;
}

void TSocketHandler::HandleEvent(int handle, unsigned events) {
    try {
        if (TMysocket* s = Find(handle)) s->HandleEvents(events);
    } catch (...) {
        // A handler's failure must not unwind into the platform loop.
    }
}

void TSocketHandler::HandleLookup(int lookupId, const std::vector<uint32_t>& addresses) {
    try {
        if (TMyclientsocket* s = FindLookup(lookupId)) s->HandleLookupDone(addresses);
    } catch (...) {
    }
}
