#include "net/transport/Mysocket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "net/transport/SocketHandler.h"
#include "platform/Platform.h"

namespace {

// The connection already gathers what it sends for 100 ms; waiting again for
// the peer's delayed acknowledgement would only add latency to chat lines
// and game moves.
int OpenStreamSocket() {
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd >= 0) {
        int one = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    }
    return fd;
}

// A decimal integer with an optional sign that fits 32 bits.
bool ParseInteger(const std::string& text, long long& value) {
    size_t i = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
    if (i == text.size() || text.size() - i > 10) return false;
    long long v = 0;
    for (size_t k = i; k < text.size(); ++k) {
        if (text[k] < '0' || text[k] > '9') return false;
        v = v * 10 + (text[k] - '0');
    }
    value = text[0] == '-' ? -v : v;
    return value >= INT_MIN && value <= INT_MAX;
}

// The first four "."-separated parts; false when there are fewer.
bool FirstFourParts(const std::string& host, std::string parts[4]) {
    size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        size_t dot = host.find('.', start);
        if (dot == std::string::npos) {
            if (i < 3) return false;
            parts[i] = host.substr(start);
        } else {
            parts[i] = host.substr(start, dot - start);
            start = dot + 1;
        }
    }
    return true;
}

// A notification that arrives after the context ended finds no socket.
void WatchHandler(int fd, unsigned events) {
    if (TSocketHandler* handler = TSocketHandler::Existing()) handler->HandleEvent(fd, events);
}

void LookupHandler(int id, const std::vector<uint32_t>& addresses) {
    if (TSocketHandler* handler = TSocketHandler::Existing()) handler->HandleLookup(id, addresses);
}

}  // namespace

// ---------------------------------------------------------------------------
// TMysocket

TMysocket::TMysocket() : m_socket(OpenStreamSocket()) { TSocketHandler::Instance().Add(this); }

TMysocket::TMysocket(int handle) : m_socket(handle) {
    if (m_socket >= 0) ::fcntl(m_socket, F_SETFL, ::fcntl(m_socket, F_GETFL) | O_NONBLOCK);
    TSocketHandler::Instance().Add(this);
}

TMysocket::~TMysocket() {
    if (m_socket != -1) ::close(m_socket);
    if (TSocketHandler* handler = TSocketHandler::Existing()) handler->Remove(this);
}

int TMysocket::Available() const {
    int n = 0;
    if (m_socket < 0 || ::ioctl(m_socket, FIONREAD, &n) != 0) return 0;
    return n < 0 ? 0 : n;
}

int TMysocket::Receive(void* buffer, int size) {
    if (m_socket < 0 || size <= 0) return 0;
    ssize_t n = ::recv(m_socket, buffer, static_cast<size_t>(size), 0);
    if (n <= 0) return 0;
    m_bytesReceived += static_cast<uint64_t>(n);
    return static_cast<int>(n);
}

int TMysocket::SendBytes(const void* data, int length) {
    if (m_socket < 0 || length <= 0) return 0;
    ssize_t n = ::send(m_socket, data, static_cast<size_t>(length), MSG_NOSIGNAL);
    if (n < 0) {
        if (errno == EAGAIN || errno == EWOULDBLOCK) SendBlocked();
        return 0;
    }
    if (n < length) SendBlocked();
    m_bytesSent += static_cast<uint64_t>(n);
    return static_cast<int>(n);
}

void TMysocket::Shutdown() {
    if (m_socket >= 0) ::shutdown(m_socket, SHUT_WR);
}

std::string TMysocket::LocalAddress() const {
    sockaddr_in local{};
    socklen_t length = sizeof local;
    if (m_socket < 0 || ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&local), &length) != 0 ||
        local.sin_family != AF_INET)
        return {};
    char text[INET_ADDRSTRLEN] = {};
    if (!::inet_ntop(AF_INET, &local.sin_addr, text, sizeof text)) return {};
    return text;
}

// ---------------------------------------------------------------------------
// TMyclientsocket

TMyclientsocket::TMyclientsocket() = default;

TMyclientsocket::~TMyclientsocket() {
    m_lifetime.End();
    if (platform::Installed()) {
        if (m_lookupHandle) platform::Io().CancelLookup(m_lookupHandle);
        if (m_watchId) platform::Io().Unwatch(m_watchId);
    }
}

bool TMyclientsocket::IsNumericHost(const std::string& host) {
    std::string parts[4];
    if (!FirstFourParts(host, parts)) return false;
    long long value = 0;
    for (const auto& part : parts) {
        if (!ParseInteger(part, value)) return false;
    }
    return true;
}

bool TMyclientsocket::ParseNumericHost(const std::string& host, uint32_t& address) {
    std::string parts[4];
    if (!FirstFourParts(host, parts)) return false;
    uint32_t result = 0;
    for (const auto& part : parts) {
        long long value = 0;
        if (!ParseInteger(part, value) || value < 0 || value > 255) return false;
        result = result << 8 | static_cast<uint32_t>(value);
    }
    address = result;
    return true;
}

void TMyclientsocket::Connect(const std::string& host, uint16_t port) {
    m_port = port;
    if (IsNumericHost(host)) {
        uint32_t address = 0;
        if (ParseNumericHost(host, address))
            ConnectTo(address);
        else
            FailLater(EINVAL);
        return;
    }
    int id = platform::Io().LookupHost(host, LookupHandler);
    if (id == 0) {
        FailLater(-1);
        return;
    }
    m_lookupHandle = id;
    m_state = TState::LookingUp;
}

void TMyclientsocket::ConnectTo(uint32_t address) {
    m_lookupHandle = 0;
    SetWatch(platform::IoWrite);
    if (m_watchId == 0) {
        FailLater(m_socket < 0 ? EBADF : ENOMEM);
        return;
    }
    m_state = TState::Connecting;
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = htons(m_port);
    peer.sin_addr.s_addr = htonl(address);
    // An immediate success is reported by the writable watch like a late one.
    if (::connect(m_socket, reinterpret_cast<sockaddr*>(&peer), sizeof peer) != 0 && errno != EINPROGRESS)
        FailLater(errno);
}

int TMyclientsocket::Close() {
    if (m_lookupHandle) {
        platform::Io().CancelLookup(m_lookupHandle);
        m_lookupHandle = 0;
    }
    if (m_socket == -1) return -1;
    Unwatch();
    ::close(m_socket);
    m_socket = -1;
    m_state = TState::Failed;
    // Copied: the handler may destroy this socket.
    auto onClose = OnClose;
    if (onClose) onClose(this);
    return 0;
}

void TMyclientsocket::HandleLookupDone(const std::vector<uint32_t>& addresses) {
    m_lookupHandle = 0;
    if (addresses.empty()) {
        Fail(-1);
        return;
    }
    ConnectTo(addresses.front());
}

void TMyclientsocket::HandleEvents(unsigned events) {
    if (m_state == TState::Connecting)
        ConnectEvent(events);
    else if (m_state == TState::Connected)
        ConnectedEvents(events);
}

void TMyclientsocket::ConnectEvent(unsigned events) {
    int error = PendingError();
    if (error == 0 && (events & platform::IoWrite) == 0) error = ECONNREFUSED;
    if (error != 0) {
        Fail(error);
        return;
    }
    m_state = TState::Connected;
    SetWatch(platform::IoRead);
    auto alive = m_lifetime.Watch();
    auto onConnect = OnConnect;
    if (onConnect) onConnect(this);
    if (!alive || m_state != TState::Connected) return;
    auto onWrite = OnWrite;
    if (onWrite) onWrite(this);
}

void TMyclientsocket::ConnectedEvents(unsigned events) {
    if (events & platform::IoError) {
        int error = PendingError();
        Fail(error ? error : EIO);
        return;
    }
    auto alive = m_lifetime.Watch();
    if (events & platform::IoRead) {
        ReadEvent();
    } else if (events & platform::IoHangup) {
        Close();
        return;
    }
    if (!alive || m_state != TState::Connected) return;
    if ((events & platform::IoWrite) && (m_watchMask & platform::IoWrite)) {
        SetWatch(platform::IoRead);
        auto onWrite = OnWrite;
        if (onWrite) onWrite(this);
    }
}

void TMyclientsocket::ReadEvent() {
    if (Available() > 0) {
        auto onRead = OnRead;
        if (onRead) onRead(this);
        return;
    }
    // Readable with nothing to read: the peer's end of stream, or an error.
    char probe;
    ssize_t n = ::recv(m_socket, &probe, 1, MSG_PEEK);
    if (n == 0) {
        Close();
    } else if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
        Fail(errno);
    } else if (n > 0) {
        auto onRead = OnRead;
        if (onRead) onRead(this);
    }
}

void TMyclientsocket::Fail(int32_t code) {
    Unwatch();
    m_state = TState::Failed;
    auto onError = OnError;
    if (onError) onError(this, code);
}

// A failure found while starting a connect is reported like every other
// event, from the loop, so that a handler retrying at once does not recurse.
void TMyclientsocket::FailLater(int32_t code) {
    Unwatch();
    m_state = TState::Failed;
    auto alive = m_lifetime.Watch();
    platform::Loop().Post([this, alive, code] {
        if (!alive) return;
        auto onError = OnError;
        if (onError) onError(this, code);
    });
}

void TMyclientsocket::SendBlocked() {
    if (m_state == TState::Connected) SetWatch(platform::IoRead | platform::IoWrite);
}

void TMyclientsocket::SetWatch(unsigned mask) {
    if (m_socket < 0) return;
    if (m_watchId == 0) {
        m_watchId = platform::Io().Watch(m_socket, mask, WatchHandler);
    } else if (mask != m_watchMask) {
        platform::Io().Modify(m_watchId, mask);
    }
    m_watchMask = mask;
}

void TMyclientsocket::Unwatch() {
    if (m_watchId) platform::Io().Unwatch(m_watchId);
    m_watchId = 0;
    m_watchMask = 0;
}

int TMyclientsocket::PendingError() const {
    int error = 0;
    socklen_t length = sizeof error;
    if (m_socket < 0 || ::getsockopt(m_socket, SOL_SOCKET, SO_ERROR, &error, &length) != 0) return errno;
    return error;
}
