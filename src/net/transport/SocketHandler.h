// TSocketHandler: the table of live sockets of the installed context, and the place
// where the platform's readiness and host-lookup notifications arrive on the
// main thread before they become a socket's events.
//
// Every socket adds itself on creation and removes itself on destruction.
// A notification is matched against the table by descriptor (readiness) or
// by lookup id (host lookup): one for a socket that is gone is dropped, so
// nothing calls into a freed socket. Exceptions raised by the event
// handlers are caught here and dropped; none reaches the platform loop.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

class TMysocket;
class TMyclientsocket;
class TSocketHandler;

// The transport's part of the application context: the socket table,
// created on first use. Sockets end before it; one that outlives it is no
// longer listed anywhere.
struct TTransportState {
    TTransportState();
    ~TTransportState();
    TTransportState(const TTransportState&) = delete;
    TTransportState& operator=(const TTransportState&) = delete;

    std::unique_ptr<TSocketHandler> Sockets;
};

class TSocketHandler {
public:
    // Start-up and shut-down of the socket layer. On POSIX nothing can fail:
    // start-up stops a write to a closed peer from raising SIGPIPE and
    // creates the installed context's handler; shut-down frees it.
    static bool Startup();
    static void Shutdown();
    // The installed context's handler, created on first use.
    static TSocketHandler& Instance();
    // The installed context's handler if there is one, else null.
    static TSocketHandler* Existing();

    void Add(TMysocket* socket);
    void Remove(TMysocket* socket);
    TMysocket* Find(int handle) const;
    TMyclientsocket* FindLookup(int lookupId) const;
    int Count() const { return static_cast<int>(m_sockets.size()); }

    // Readiness of a descriptor (platform IoEvent bits).
    void HandleEvent(int handle, unsigned events);
    // A finished host lookup; addresses are IPv4 in host byte order.
    void HandleLookup(int lookupId, const std::vector<uint32_t>& addresses);

private:
    std::vector<TMysocket*> m_sockets;  // not owned
};
