#include "Connection.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "Session.h"

namespace server {

Connection::Connection(int fd, uint64_t id, std::string peer, int64_t nowMs)
    : m_fd(fd), m_id(id), m_peer(std::move(peer)), m_lastReceiveAt(nowMs) {
    size_t colon = m_peer.rfind(':');
    m_address = colon == std::string::npos ? m_peer : m_peer.substr(0, colon);
}

Connection::~Connection() {
    if (m_fd >= 0) close(m_fd);
}

void Connection::Open(Session* session) {
    m_session = session;
    m_state = State::Open;
}

Connection::ReadResult Connection::Read(uint8_t* buffer, size_t capacity, size_t& got) {
    got = 0;
    for (;;) {
        ssize_t n = recv(m_fd, buffer, capacity, 0);
        if (n > 0) {
            got = static_cast<size_t>(n);
            return ReadResult::Data;
        }
        if (n == 0) return ReadResult::Closed;
        if (errno == EINTR) continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK) return ReadResult::WouldBlock;
        return ReadResult::Closed;
    }
}

bool Connection::WriteSome(const char* data, size_t n, size_t& written) {
    written = 0;
    while (written < n) {
        ssize_t k = send(m_fd, data + written, n - written, MSG_NOSIGNAL);
        if (k > 0) {
            written += static_cast<size_t>(k);
            continue;
        }
        if (k < 0 && errno == EINTR) continue;
        if (k < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return true;
        return false;
    }
    return true;
}

bool Connection::HasOutput() const {
    if (!m_own.empty()) return true;
    return m_session && !m_session->Stream().Unwritten().empty();
}

bool Connection::Flush() {
    size_t written = 0;
    if (!m_own.empty()) {
        if (!WriteSome(m_own.data(), m_own.size(), written)) return false;
        m_own.erase(0, written);
        if (!m_own.empty()) return true;
    }
    if (m_session) {
        std::string_view rest = m_session->Stream().Unwritten();
        if (!rest.empty()) {
            if (!WriteSome(rest.data(), rest.size(), written)) return false;
            m_session->Stream().MarkWritten(written);
        }
    }
    if (m_state == State::Closing && !m_shutDown && !HasOutput()) {
        shutdown(m_fd, SHUT_WR);
        m_shutDown = true;
    }
    return true;
}

void Connection::BeginClose(int64_t deadlineMs) {
    if (m_session) {
        std::string_view rest = m_session->Stream().Unwritten();
        m_own.append(rest.data(), rest.size());
        m_session->Stream().MarkWritten(rest.size());
        m_session = nullptr;
    }
    m_state = State::Closing;
    m_closeDeadline = deadlineMs;
}

}  // namespace server
