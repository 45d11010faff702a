#include "ModelClient.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "protocol/FrameCodec.h"

namespace servertest {

ModelClient::ModelClient(server::Server& server, uint16_t port) : m_server(server), m_port(port) {}

ModelClient::~ModelClient() { CloseSocket(); }

bool ModelClient::Connect() {
    CloseSocket();
    m_fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(m_port);
    sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    // The listen backlog completes the handshake without the server's loop.
    if (connect(m_fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0) return false;
    // Each message leaves at once: with Nagle a second small message waits
    // for the server's delayed acknowledgement, longer than a test settles.
    int one = 1;
    setsockopt(m_fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    m_closed = false;
    m_goodbye = false;
    return true;
}

void ModelClient::CloseSocket() {
    if (m_fd >= 0) close(m_fd);
    m_fd = -1;
}

void ModelClient::WriteRaw(const std::string& bytes) {
    size_t at = 0;
    while (at < bytes.size()) {
        ssize_t n = send(m_fd, bytes.data() + at, bytes.size() - at, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            at += static_cast<size_t>(n);
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            m_server.Poll(1);
            ReadAvailable();
        } else {
            return;
        }
    }
}

void ModelClient::OpenResumable() {
    m_resumable = true;
    WriteRaw(protocol::ResumableOpening());
    m_bytesSent = 1;
    m_unackedReceived = 1;
}

void ModelClient::OpenPlain() {
    m_resumable = false;
    WriteRaw(protocol::PlainOpening());
    m_bytesSent = 1;
}

void ModelClient::Send(const std::string& message) {
    protocol::EncodeFrame(message, protocol::TFrameOptions{}, m_sendBuffer);
    Flush();
}

void ModelClient::SendKeepAlive() {
    protocol::AppendKeepAlive(m_sendBuffer);
    Flush();
}

void ModelClient::SendGoodbye() {
    protocol::AppendGoodbye(m_sendBuffer);
    Flush();
}

void ModelClient::Flush() {
    if (m_awaitingResume || m_fd < 0) return;
    std::string rest = m_sendBuffer.substr(static_cast<size_t>(m_sendPosition));
    if (!m_loseOutgoing) WriteRaw(rest);
    m_sendPosition += static_cast<int64_t>(rest.size());
    m_bytesSent += rest.size();
    if (!m_resumable) {
        m_sendBuffer.clear();
        m_sendPosition = 0;
    }
}

void ModelClient::ReadAvailable() {
    if (m_fd < 0) return;
    char buffer[65536];
    for (;;) {
        ssize_t n = recv(m_fd, buffer, sizeof buffer, MSG_DONTWAIT);
        if (n > 0) {
            HandleIncoming(std::string(buffer, static_cast<size_t>(n)));
            continue;
        }
        if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) {
            m_closed = true;
            CloseSocket();
        }
        return;
    }
}

void ModelClient::HandleIncoming(std::string bytes) {
    if (m_awaitingResume) {
        m_receiveBuffer += bytes;
        if (!TakeResumeReply()) return;
        bytes = m_receiveBuffer;
        m_receiveBuffer.clear();
    }
    m_receiveBuffer += bytes;
    CountReceived(bytes.size());
    ProcessFrames();
}

bool ModelClient::TakeResumeReply() {
    if (m_receiveBuffer.empty()) return false;
    if (static_cast<uint8_t>(m_receiveBuffer[0]) != protocol::kResumeReply) {
        // Not a resume: the session is over (normally a goodbye follows).
        m_awaitingResume = false;
        return true;
    }
    protocol::TFrame frame;
    std::string error;
    if (protocol::DecodeFrame(m_receiveBuffer, frame, error) != protocol::DecodeStatus::Complete) return false;
    m_receiveBuffer.erase(0, frame.length);
    m_awaitingResume = false;
    int64_t position = m_sendPosition + frame.number - static_cast<int64_t>(m_bytesSent);
    if (frame.number < 0 || static_cast<uint64_t>(frame.number) > m_bytesSent || position < 0) {
        m_fault = "resume reply " + std::to_string(frame.number) + " with " + std::to_string(m_bytesSent) +
                  " sent and position " + std::to_string(m_sendPosition);
        return true;
    }
    m_sendPosition = position;
    m_bytesSent = static_cast<uint64_t>(frame.number);
    Flush();
    return true;
}

void ModelClient::CountReceived(size_t n) {
    m_bytesReceived += n;
    if (!m_resumable) return;
    m_unackedReceived += n;
    while (m_unackedReceived >= 1000) {
        protocol::AppendAcknowledge(m_sendBuffer);
        ++m_acksQueued;
        m_unackedReceived -= 1000;
    }
    Flush();
}

void ModelClient::ProcessFrames() {
    for (;;) {
        protocol::TFrame frame;
        std::string error;
        protocol::DecodeStatus s = protocol::DecodeFrame(m_receiveBuffer, frame, error);
        if (s == protocol::DecodeStatus::Incomplete) return;
        if (s == protocol::DecodeStatus::Error) {
            m_fault = error;
            return;
        }
        m_receiveBuffer.erase(0, frame.length);
        switch (frame.kind) {
            case protocol::FrameKind::KeepAlive: ++m_keepAlives; break;
            case protocol::FrameKind::Goodbye: m_goodbye = true; m_resumable = false; break;
            case protocol::FrameKind::SessionNumber:
                m_sessionId = static_cast<uint64_t>(frame.number);
                m_hasSessionId = true;
                break;
            case protocol::FrameKind::Acknowledge:
                if (m_sendBuffer.size() < 1000) {
                    m_fault = "acknowledgement with fewer than 1000 bytes held";
                    return;
                }
                ++m_acksReceived;
                m_sendBuffer.erase(0, 1000);
                m_sendPosition -= 1000;
                break;
            case protocol::FrameKind::ResumeReply: m_fault = "unexpected resume reply"; return;
            case protocol::FrameKind::Message: m_messages.push_back(frame.payload); break;
        }
    }
}

bool ModelClient::PumpUntil(const std::function<bool()>& done, int passes) {
    for (int i = 0; i < passes; ++i) {
        if (done()) return true;
        m_server.Poll(5);
        ReadAvailable();
    }
    return done();
}

void ModelClient::Settle(int passes) {
    for (int i = 0; i < passes; ++i) {
        m_server.Poll(1);
        ReadAvailable();
    }
}

bool ModelClient::NextMessage(std::string& message, int passes) {
    if (!PumpUntil([this] { return !m_messages.empty() || m_closed; }, passes) || m_messages.empty())
        return false;
    message = m_messages.front();
    m_messages.pop_front();
    return true;
}

void ModelClient::LoseIncoming() {
    // Whatever arrived but was not yet read is lost with the line.
    char buffer[65536];
    while (m_fd >= 0 && recv(m_fd, buffer, sizeof buffer, MSG_DONTWAIT) > 0) {
    }
}

bool ModelClient::Reconnect() {
    m_loseOutgoing = false;
    if (!Connect()) return false;
    WriteRaw(protocol::ReconnectOpening(m_sessionId, m_bytesReceived));
    m_awaitingResume = true;
    PumpUntil([this] { return !m_awaitingResume || m_closed; });
    return !m_awaitingResume && !m_goodbye && m_resumable && !m_closed;
}

}  // namespace servertest
