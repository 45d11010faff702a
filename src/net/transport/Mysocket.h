// TMysocket and TMyclientsocket: one non-blocking IPv4 TCP socket with byte
// counters, and the client socket that looks up a host, connects and turns
// readiness into events.
//
// Events of a client socket, all on the main thread, in the order the
// operating system reports them:
//   OnConnect  the connect completed (then OnWrite once, as the socket is
//              writable);
//   OnRead     bytes are waiting; repeated on every loop pass while they wait,
//              so a handler must read them;
//   OnWrite    a send that was cut short can go on (the socket watches for
//              writability only while connecting or while such a send waits,
//              since readiness is level-triggered);
//   OnClose    the peer closed; comes through Close(), exactly once;
//   OnError    a failed connect, a failed lookup (-1), or an error on the
//              connection, with an errno value; also a connect that cannot
//              start (a numeric host with a part above 255: EINVAL), from
//              the loop, never from inside Connect. After OnError the socket
//              reports nothing more.
// Any handler may destroy the socket (a connection replaces its socket from
// inside these events); dispatch stops touching it at once.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Lifetime.h"

class TMysocket {
public:
    TMysocket();                     // a new stream socket
    explicit TMysocket(int handle);  // wraps an existing one
    virtual ~TMysocket();
    TMysocket(const TMysocket&) = delete;
    TMysocket& operator=(const TMysocket&) = delete;

    int Socket() const { return m_socket; }  // -1: no socket
    uint64_t BytesReceived() const { return m_bytesReceived; }
    uint64_t BytesSent() const { return m_bytesSent; }

    // Bytes waiting to be read; 0 on error.
    int Available() const;
    // Reads up to size bytes; 0 on error or when nothing waits.
    int Receive(void* buffer, int size);
    // Sends what the socket accepts now; 0 on error. The caller keeps the
    // unsent rest and sends it on OnWrite.
    int SendBytes(const void* data, int length);
    // Ends the sending direction.
    void Shutdown();
    // The local IPv4 address in dotted form; empty when it cannot be read.
    std::string LocalAddress() const;

    // Readiness of this socket's descriptor, from the handler.
    virtual void HandleEvents(unsigned events) { (void)events; }

protected:
    // A send was cut short: the rest waits for writability.
    virtual void SendBlocked() {}

    int m_socket = -1;
    uint64_t m_bytesReceived = 0;
    uint64_t m_bytesSent = 0;
};

class TMyclientsocket : public TMysocket {
public:
    TMyclientsocket();
    ~TMyclientsocket() override;

    std::function<void(TMyclientsocket* sender)> OnRead;
    std::function<void(TMyclientsocket* sender)> OnWrite;
    std::function<void(TMyclientsocket* sender)> OnClose;
    std::function<void(TMyclientsocket* sender)> OnConnect;
    std::function<void(TMyclientsocket* sender, int32_t code)> OnError;

    int LookupHandle() const { return m_lookupHandle; }  // 0: none
    uint16_t Port() const { return m_port; }
    bool Connected() const { return m_state == TState::Connected; }

    // Connects to host:port; a host of four dot-separated numbers directly,
    // anything else after a host lookup.
    void Connect(const std::string& host, uint16_t port);
    // Connects to an IPv4 address in host byte order.
    void ConnectTo(uint32_t address);
    // Cancels a pending lookup; closes the socket and calls OnClose. Returns
    // -1 when the socket was closed already (and calls nothing), else 0.
    int Close();

    // The numeric-address test: the first four "."-separated parts each
    // parse as a decimal integer; parts after the fourth are not examined.
    static bool IsNumericHost(const std::string& host);
    // The address of a numeric host; false when a part lies outside 0..255.
    static bool ParseNumericHost(const std::string& host, uint32_t& address);

    void HandleEvents(unsigned events) override;
    void HandleLookupDone(const std::vector<uint32_t>& addresses);

protected:
    void SendBlocked() override;

private:
    enum class TState { Created, LookingUp, Connecting, Connected, Failed };

    void ConnectEvent(unsigned events);
    void ConnectedEvents(unsigned events);
    void ReadEvent();
    void Fail(int32_t code);
    void FailLater(int32_t code);
    void Unwatch();
    void SetWatch(unsigned mask);
    int PendingError() const;

    TState m_state = TState::Created;
    int m_lookupHandle = 0;
    int m_watchId = 0;
    unsigned m_watchMask = 0;
    uint16_t m_port = 0;
    // Event dispatch watches it, so it can tell when a handler destroyed
    // this socket.
    TLifetime m_lifetime;
};
