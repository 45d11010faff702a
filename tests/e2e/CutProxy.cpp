#include "CutProxy.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "protocol/FrameCodec.h"

namespace e2etest {

// One direction of a link.
struct TCutProxy::TSide {
    int to = -1;          // the socket its bytes are written to
    std::string pending;  // read, not yet written
    uint64_t offset = 0;  // stream offset of the next byte read
    bool known = false;   // offset is known: cuts may fall
    bool ended = false;   // its source has closed
    bool shut = false;    // the destination's sending side is shut
};

// One client connection and its connection to the server.
struct TCutProxy::TLink {
    enum class Phase { Opening, AwaitReply, Stream };
    int client = -1;
    int server = -1;
    Phase phase = Phase::Opening;
    std::string opening;  // the client's opening so far
    std::string reply;    // the server's first bytes while its resume reply is incomplete
    std::string held;     // client bytes after a reconnect opening, until the reply is in
    bool handshakeCut = false;
    HandshakeCut handshake = HandshakeCut::InOpening;
    TSide up;    // client to server
    TSide down;  // server to client
    bool cutting = false;
    bool dead = false;
};

namespace {

constexpr size_t kChunk = 64 * 1024;

void NoDelay(int fd) {
    int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
}

void NonBlocking(int fd) { fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK); }

int ConnectLoopback(uint16_t port) {
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

// Writes what the socket takes; false on a socket error.
bool WriteSome(int fd, std::string& pending) {
    while (!pending.empty()) {
        ssize_t n = send(fd, pending.data(), pending.size(), MSG_NOSIGNAL);
        if (n > 0) {
            pending.erase(0, static_cast<size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    }
    return true;
}

}  // namespace

TCutProxy::TCutProxy(uint16_t serverPort, TCutPlan plan) : m_serverPort(serverPort), m_plan(std::move(plan)) {}

TCutProxy::~TCutProxy() {
    m_stopping.store(true);
    if (m_wake >= 0) {
        uint64_t one = 1;
        [[maybe_unused]] ssize_t ignored = write(m_wake, &one, sizeof one);
    }
    if (m_thread.joinable()) m_thread.join();
    for (auto& link : m_links) {
        if (link->client >= 0) close(link->client);
        if (link->server >= 0) close(link->server);
    }
    for (int fd : m_draining) close(fd);
    if (m_listen >= 0) close(m_listen);
    if (m_wake >= 0) close(m_wake);
}

bool TCutProxy::Start(std::string& error) {
    m_listen = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    m_wake = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof a;
    if (m_listen < 0 || m_wake < 0 || bind(m_listen, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        listen(m_listen, 64) != 0 || getsockname(m_listen, reinterpret_cast<sockaddr*>(&a), &length) != 0) {
        error = "proxy cannot listen";
        return false;
    }
    m_port = ntohs(a.sin_port);
    m_thread = std::thread([this] { Run(); });
    return true;
}

std::string TCutProxy::Fault() const {
    std::lock_guard<std::mutex> lock(m_faultMutex);
    return m_fault;
}

std::vector<uint64_t> TCutProxy::CutOffsets(bool toServer) const {
    std::lock_guard<std::mutex> lock(m_faultMutex);
    return toServer ? m_cutToServer : m_cutToClient;
}

void TCutProxy::SetFault(const std::string& text) {
    std::lock_guard<std::mutex> lock(m_faultMutex);
    if (m_fault.empty()) m_fault = text;
}

// ---------------------------------------------------------------------------
// The loop

void TCutProxy::Run() {
    enum class Kind { Listen, Wake, Client, Server, Drain };
    struct TEntry {
        Kind kind;
        size_t index;
    };
    std::vector<pollfd> fds;
    std::vector<TEntry> entries;
    while (!m_stopping.load()) {
        fds.clear();
        entries.clear();
        fds.push_back({m_listen, POLLIN, 0});
        entries.push_back({Kind::Listen, 0});
        fds.push_back({m_wake, POLLIN, 0});
        entries.push_back({Kind::Wake, 0});
        for (size_t i = 0; i < m_links.size(); ++i) {
            TLink& l = *m_links[i];
            // A side whose destination has bytes waiting is not read (back
            // pressure); a cutting link reads nothing more.
            short c = 0, s = 0;
            if (!l.cutting && !l.up.ended && l.up.pending.empty()) c |= POLLIN;
            if (!l.cutting && !l.down.ended && l.down.pending.empty()) s |= POLLIN;
            if (!l.down.pending.empty()) c |= POLLOUT;
            if (!l.up.pending.empty()) s |= POLLOUT;
            fds.push_back({l.client, c, 0});
            entries.push_back({Kind::Client, i});
            fds.push_back({l.server, s, 0});
            entries.push_back({Kind::Server, i});
        }
        for (size_t i = 0; i < m_draining.size(); ++i) {
            fds.push_back({m_draining[i], POLLIN, 0});
            entries.push_back({Kind::Drain, i});
        }
        if (poll(fds.data(), fds.size(), 100) < 0 && errno != EINTR) {
            SetFault("proxy poll failed");
            return;
        }
        std::vector<size_t> finishedDrains;
        for (size_t k = 0; k < fds.size(); ++k) {
            if (fds[k].revents == 0) continue;
            const TEntry& e = entries[k];
            switch (e.kind) {
                case Kind::Listen: Accept(); break;
                case Kind::Wake: {
                    uint64_t count;
                    [[maybe_unused]] ssize_t ignored = read(m_wake, &count, sizeof count);
                    break;
                }
                case Kind::Client:
                case Kind::Server: {
                    TLink& l = *m_links[e.index];
                    if (l.dead) break;
                    if (fds[k].revents & (POLLIN | POLLHUP | POLLERR)) {
                        if (e.kind == Kind::Client)
                            ReadClient(l);
                        else
                            ReadServer(l);
                    }
                    if (!l.dead) WritePending(l);
                    break;
                }
                case Kind::Drain: finishedDrains.push_back(e.index); break;
            }
        }
        // Drains, back to front so the indices stay valid.
        std::sort(finishedDrains.rbegin(), finishedDrains.rend());
        for (size_t i : finishedDrains) Drain(i);
        for (auto& link : m_links) Settle(*link);
        m_links.erase(std::remove_if(m_links.begin(), m_links.end(), [](const auto& l) { return l->dead; }),
                      m_links.end());
    }
}

void TCutProxy::Accept() {
    for (;;) {
        int client = accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) return;
        int server = ConnectLoopback(m_serverPort);
        if (server < 0) {
            SetFault("proxy cannot reach the server");
            close(client);
            continue;
        }
        NonBlocking(client);
        NonBlocking(server);
        NoDelay(client);
        NoDelay(server);
        auto link = std::make_unique<TLink>();
        link->client = client;
        link->server = server;
        link->up.to = server;
        link->down.to = client;
        m_links.push_back(std::move(link));
        m_connections.fetch_add(1);
    }
}

// Reads once from a socket: > 0 bytes, 0 the peer closed, -1 nothing now,
// -2 an error.
static ssize_t ReadOnce(int fd, char* buffer) {
    for (;;) {
        ssize_t n = recv(fd, buffer, kChunk, 0);
        if (n >= 0) return n;
        if (errno == EINTR) continue;
        return errno == EAGAIN || errno == EWOULDBLOCK ? -1 : -2;
    }
}

void TCutProxy::ReadClient(TLink& l) {
    char buffer[kChunk];
    ssize_t n = ReadOnce(l.client, buffer);
    if (n == -1) return;
    if (n == -2) {
        Reset(l);
        return;
    }
    if (n == 0) {
        l.up.ended = true;
        return;
    }
    size_t got = static_cast<size_t>(n);
    switch (l.phase) {
        case TLink::Phase::Opening: TakeOpening(l, buffer, got); break;
        case TLink::Phase::AwaitReply: l.held.append(buffer, got); break;
        case TLink::Phase::Stream: Stream(l, l.up, buffer, got); break;
    }
}

void TCutProxy::ReadServer(TLink& l) {
    char buffer[kChunk];
    ssize_t n = ReadOnce(l.server, buffer);
    if (n == -1) return;
    if (n == -2) {
        Reset(l);
        return;
    }
    if (n == 0) {
        l.down.ended = true;
        return;
    }
    size_t got = static_cast<size_t>(n);
    if (l.phase == TLink::Phase::AwaitReply)
        TakeReply(l, buffer, got);
    else
        Stream(l, l.down, buffer, got);
}

// ---------------------------------------------------------------------------
// Openings, replies and streams

void TCutProxy::TakeOpening(TLink& l, const char* data, size_t n) {
    l.opening.append(data, n);
    protocol::TOpening opening;
    protocol::OpeningStatus status = protocol::ParseOpening(l.opening, opening);
    if (status == protocol::OpeningStatus::Incomplete) return;
    if (status == protocol::OpeningStatus::Malformed) {
        // Not ours to judge: pass it on, never cut.
        l.phase = TLink::Phase::Stream;
        l.up.pending += l.opening;
        return;
    }
    std::string rest = l.opening.substr(opening.length);
    std::string own = l.opening.substr(0, opening.length);
    if (opening.kind != protocol::OpeningKind::Reconnect) {
        l.up.pending += own;
        l.up.known = l.down.known = true;
        l.phase = TLink::Phase::Stream;
        if (!rest.empty()) Stream(l, l.up, rest.data(), rest.size());
        return;
    }
    int number = ++m_reconnects;
    l.down.offset = opening.bytesReceived;
    l.down.known = true;
    auto planned = m_plan.handshakes.find(number);
    if (planned != m_plan.handshakes.end() && m_cutting.load()) {
        l.handshakeCut = true;
        l.handshake = planned->second;
    }
    if (l.handshakeCut && l.handshake == HandshakeCut::InOpening) {
        l.up.pending += own.substr(0, own.size() / 2);
        m_handshakeCuts.fetch_add(1);
        Cut(l);
        return;
    }
    l.up.pending += own;
    l.held = rest;
    l.phase = TLink::Phase::AwaitReply;
}

void TCutProxy::TakeReply(TLink& l, const char* data, size_t n) {
    l.reply.append(data, n);
    if (static_cast<uint8_t>(l.reply[0]) != protocol::kResumeReply) {
        // A refused resume (the goodbye): pass everything on, uncut.
        l.phase = TLink::Phase::Stream;
        l.up.known = l.down.known = false;
        l.down.pending += l.reply;
        l.up.pending += l.held;
        return;
    }
    protocol::TFrame frame;
    std::string error;
    protocol::DecodeStatus status = protocol::DecodeFrame(l.reply, frame, error);
    if (status == protocol::DecodeStatus::Incomplete) return;
    if (status == protocol::DecodeStatus::Error || frame.number < 1) {
        SetFault("proxy: bad resume reply");
        Reset(l);
        return;
    }
    if (l.handshakeCut && l.handshake != HandshakeCut::InOpening) {
        // The server has resumed; the client gets none or half of its reply.
        if (l.handshake == HandshakeCut::InReply) l.down.pending += l.reply.substr(0, frame.length / 2);
        m_handshakeCuts.fetch_add(1);
        Cut(l);
        return;
    }
    l.down.pending += l.reply.substr(0, frame.length);
    l.up.offset = static_cast<uint64_t>(frame.number) - 1;
    l.up.known = true;
    l.phase = TLink::Phase::Stream;
    std::string rest = l.reply.substr(frame.length);
    std::string held;
    held.swap(l.held);
    if (!held.empty()) Stream(l, l.up, held.data(), held.size());
    if (!rest.empty()) Stream(l, l.down, rest.data(), rest.size());
}

// Passes stream bytes on, up to the next planned cut of their direction.
void TCutProxy::Stream(TLink& l, TSide& side, const char* data, size_t n) {
    if (l.cutting) return;
    bool up = &side == &l.up;
    const std::vector<uint64_t>& points = up ? m_plan.toServer : m_plan.toClient;
    size_t& next = up ? m_nextToServer : m_nextToClient;
    if (!side.known || !m_cutting.load()) {
        side.pending.append(data, n);
        side.offset += n;
        return;
    }
    // A point at or behind the offset was never reached by a crossing chunk:
    // the stream resumed past it.
    for (; next < points.size() && points[next] <= side.offset; ++next) m_missed.fetch_add(1);
    if (next == points.size() || points[next] > side.offset + n) {
        side.pending.append(data, n);
        side.offset += n;
        return;
    }
    size_t take = static_cast<size_t>(points[next] - side.offset);
    side.pending.append(data, take);
    side.offset += take;
    ++next;
    {
        std::lock_guard<std::mutex> lock(m_faultMutex);
        (up ? m_cutToServer : m_cutToClient).push_back(side.offset);
    }
    m_streamCuts.fetch_add(1);
    Cut(l);
}

// ---------------------------------------------------------------------------
// Ending links

void TCutProxy::Cut(TLink& l) { l.cutting = true; }

void TCutProxy::WritePending(TLink& l) {
    if (!WriteSome(l.server, l.up.pending) || !WriteSome(l.client, l.down.pending)) Reset(l);
}

// Finishes what the link's state asks for once its bytes are written: a cut
// shuts both sides and drains them; an end of one stream is passed on.
void TCutProxy::Settle(TLink& l) {
    if (l.dead) return;
    WritePending(l);
    if (l.dead) return;
    if (l.cutting) {
        if (!l.up.pending.empty() || !l.down.pending.empty()) return;
        shutdown(l.client, SHUT_WR);
        shutdown(l.server, SHUT_WR);
        m_draining.push_back(l.client);
        m_draining.push_back(l.server);
        l.client = l.server = -1;
        l.dead = true;
        return;
    }
    for (TSide* side : {&l.up, &l.down}) {
        if (side->ended && side->pending.empty() && !side->shut) {
            shutdown(side->to, SHUT_WR);
            side->shut = true;
        }
    }
    if (l.up.shut && l.down.shut) {
        close(l.client);
        close(l.server);
        l.client = l.server = -1;
        l.dead = true;
    }
}

void TCutProxy::Reset(TLink& l) {
    if (l.dead) return;
    if (!l.cutting) m_resets.fetch_add(1);
    close(l.client);
    close(l.server);
    l.client = l.server = -1;
    l.dead = true;
}

void TCutProxy::Drain(size_t index) {
    char buffer[kChunk];
    ssize_t n = ReadOnce(m_draining[index], buffer);
    if (n == -1 || n > 0) return;
    close(m_draining[index]);
    m_draining.erase(m_draining.begin() + static_cast<std::ptrdiff_t>(index));
}

}  // namespace e2etest
