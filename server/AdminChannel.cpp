#include "AdminChannel.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace server {
namespace {

bool Address(const std::string& path, sockaddr_un& sa) {
    sa = sockaddr_un{};
    sa.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof sa.sun_path) return false;
    std::memcpy(sa.sun_path, path.c_str(), path.size() + 1);
    return true;
}

bool SomeoneAnswers(const sockaddr_un& sa) {
    int probe = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (probe < 0) return false;
    bool answers = connect(probe, reinterpret_cast<const sockaddr*>(&sa), sizeof sa) == 0;
    close(probe);
    return answers;
}

}  // namespace

AdminChannel::~AdminChannel() { Close(); }

bool AdminChannel::Open(const std::string& path, std::string& error) {
    sockaddr_un sa;
    if (!Address(path, sa)) {
        error = "the admin socket path is empty or longer than " + std::to_string(sizeof sa.sun_path - 1) +
                " bytes: " + path;
        return false;
    }
    if (SomeoneAnswers(sa)) {
        error = "another server answers on " + path;
        return false;
    }
    unlink(path.c_str());
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    constexpr int kBacklog = 8;
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0 || chmod(path.c_str(), 0600) != 0 ||
        listen(fd, kBacklog) != 0) {
        error = "cannot open the admin socket " + path + ": " + std::strerror(errno);
        if (fd >= 0) close(fd);
        return false;
    }
    m_listener = fd;
    m_path = path;
    m_listenerWatch = m_loop.Watch(fd, kReadable, [this](uint32_t) { AcceptAll(); });
    if (m_listenerWatch == 0) {
        error = "cannot watch the admin socket";
        Close();
        return false;
    }
    return true;
}

void AdminChannel::Close() {
    while (!m_peers.empty()) Drop(m_peers.begin()->first);
    if (m_listenerWatch) m_loop.Unwatch(m_listenerWatch);
    m_listenerWatch = 0;
    if (m_listener >= 0) {
        close(m_listener);
        unlink(m_path.c_str());
    }
    m_listener = -1;
}

void AdminChannel::AcceptAll() {
    for (int fd; (fd = accept4(m_listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC)) >= 0;) {
        if (m_peers.size() >= kMaxAdminPeers) {
            close(fd);
            continue;
        }
        uint64_t watch = m_loop.Watch(fd, kReadable, [this, fd](uint32_t events) { OnEvent(fd, events); });
        if (watch == 0) {
            close(fd);
            continue;
        }
        Peer& peer = m_peers[fd];
        peer.fd = fd;
        peer.watch = watch;
    }
}

void AdminChannel::OnEvent(int fd, uint32_t events) {
    auto it = m_peers.find(fd);
    if (it == m_peers.end()) return;
    if (events & kWritable) WriteTo(it->second);
    // Writing may have finished a closing peer.
    it = m_peers.find(fd);
    if (it != m_peers.end() && (events & (kReadable | kHangup))) ReadFrom(it->second);
}

void AdminChannel::ReadFrom(Peer& peer) {
    char buffer[4096];
    for (;;) {
        ssize_t n = recv(peer.fd, buffer, sizeof buffer, 0);
        if (n > 0) {
            peer.in.append(buffer, static_cast<size_t>(n));
            if (peer.in.size() > kMaxAdminLine && peer.in.find('\n') == std::string::npos) {
                peer.out += "error: line too long\n";
                peer.closing = true;
                break;
            }
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
        // Closed by the operator: whatever was asked is still answered.
        peer.closing = true;
        break;
    }
    RunLines(peer);
    WriteTo(peer);
}

void AdminChannel::RunLines(Peer& peer) {
    size_t end;
    while ((end = peer.in.find('\n')) != std::string::npos) {
        std::string line = peer.in.substr(0, end);
        peer.in.erase(0, end + 1);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() > kMaxAdminLine) {
            peer.out += "error: line too long\n";
            peer.closing = true;
            return;
        }
        peer.out += m_execute(line);
    }
}

void AdminChannel::WriteTo(Peer& peer) {
    while (!peer.out.empty()) {
        ssize_t n = send(peer.fd, peer.out.data(), peer.out.size(), MSG_NOSIGNAL);
        if (n > 0) {
            peer.out.erase(0, static_cast<size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
        Drop(peer.fd);
        return;
    }
    if (peer.out.empty() && peer.closing) {
        Drop(peer.fd);
        return;
    }
    m_loop.Modify(peer.watch, peer.out.empty() ? kReadable : kReadable | kWritable);
}

void AdminChannel::Drop(int fd) {
    auto it = m_peers.find(fd);
    if (it == m_peers.end()) return;
    m_loop.Unwatch(it->second.watch);
    close(fd);
    m_peers.erase(it);
}

}  // namespace server
