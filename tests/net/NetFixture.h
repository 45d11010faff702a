// Shared set-up of the connection tests: a fresh headless backend and timer
// dispatcher per case, and a scripted peer: a listening loopback socket the
// test drives itself with plain blocking calls bounded in real time.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "FreshStates.h"
#include "net/transport/Client.h"
#include "platform/headless/Headless.h"
#include "shell/MyTimer.h"

namespace nettest {

// How long a test waits for loopback bytes before it gives up (real time).
// Only a failing test ever waits this long; it is generous so that a loaded
// two-core machine moving tens of megabytes through loopback never trips it.
constexpr int kPatienceMs = 30000;

class TPeer {
public:
    TPeer() {
        m_listen = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_listen, reinterpret_cast<sockaddr*>(&a), sizeof a);
        ::listen(m_listen, 16);
        socklen_t n = sizeof a;
        ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&a), &n);
        m_port = ntohs(a.sin_port);
    }
    ~TPeer() {
        Drop();
        ::close(m_listen);
    }
    TPeer(const TPeer&) = delete;
    TPeer& operator=(const TPeer&) = delete;

    int Port() const { return m_port; }
    bool Connected() const { return m_conn >= 0; }

    bool Accept() {
        Drop();
        if (!Ready(m_listen, POLLIN)) return false;
        m_conn = ::accept(m_listen, nullptr, nullptr);
        return m_conn >= 0;
    }
    void Drop() {
        if (m_conn >= 0) ::close(m_conn);
        m_conn = -1;
    }
    void Write(const std::string& bytes) {
        size_t done = 0;
        while (done < bytes.size()) {
            ssize_t n = ::send(m_conn, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
            if (n <= 0) return;
            done += static_cast<size_t>(n);
        }
    }
    // Reads exactly n bytes; fewer when they do not come in time.
    std::string Read(size_t n) {
        std::string out;
        char buf[65536];
        while (out.size() < n && Ready(m_conn, POLLIN)) {
            size_t want = std::min(sizeof buf, n - out.size());
            ssize_t got = ::recv(m_conn, buf, want, 0);
            if (got <= 0) break;
            out.append(buf, static_cast<size_t>(got));
        }
        return out;
    }
    // Whatever arrives within a short real-time window.
    std::string ReadAvailable(int windowMs = 50) {
        std::string out;
        char buf[65536];
        while (Ready(m_conn, POLLIN, windowMs)) {
            ssize_t got = ::recv(m_conn, buf, sizeof buf, 0);
            if (got <= 0) break;
            out.append(buf, static_cast<size_t>(got));
        }
        return out;
    }
    // True when the client closed its end.
    bool PeerClosed() {
        if (!Ready(m_conn, POLLIN)) return false;
        char c;
        return ::recv(m_conn, &c, 1, MSG_PEEK) == 0;
    }

private:
    static bool Ready(int fd, short events, int timeoutMs = kPatienceMs) {
        pollfd p{fd, events, 0};
        return ::poll(&p, 1, timeoutMs) > 0;
    }
    int m_listen = -1;
    int m_conn = -1;
    int m_port = 0;
};

// A port nobody listens on (bound once, then closed).
inline int ClosedPort() {
    TPeer peer;
    return peer.Port();
}

class NetFixture : public ::testing::Test {
protected:
    // First, so it ends after everything the fixture and its subclasses own.
    TFreshNet m_states;

    void SetUp() override { platform::headless::InstallFresh(); }

public:
    static platform::headless::TLoop& Loop() { return platform::headless::Loop(); }

    // Handles messages, without moving virtual time, until done() holds or
    // the real-time patience runs out.
    static bool PumpUntil(const std::function<bool()>& done) {
        auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(kPatienceMs);
        while (!done()) {
            if (std::chrono::steady_clock::now() > until) return false;
            Loop().ProcessMessages();
        }
        return true;
    }
    // Handles what is ready now, until nothing is (a check that something
    // did not happen follows it); false when something never settles.
    static bool DrainLoop() { return Loop().Drain(); }
    // Host lookups still running on their helper threads.
    static int LookupsRunning() { return static_cast<platform::headless::TIo&>(platform::Io()).LookupsRunning(); }
    // The wait step of a client under test: one virtual millisecond.
    static void VirtualStep() { Loop().RunFor(1); }
};

}  // namespace nettest
