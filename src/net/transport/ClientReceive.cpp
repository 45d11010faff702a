// TClient's receiving side: reading the socket, the resume reply, counting
// and acknowledging, and the message loop.
#include <climits>
#include <exception>

#include "net/transport/Client.h"
#include "protocol/ClientMessages.h"
#include "protocol/FrameCodec.h"

namespace {

std::string ProcessingError(const std::string& reason, const std::string& message) {
    std::string shown = message.empty() ? std::string(1, '\0') : message;
    return reason + " - Error in processing data: {" +
           std::to_string(static_cast<uint8_t>(shown[0])) + "} " + shown;
}

}  // namespace

void TClient::HandleRead() {
    if (m_closing) {
        DiscardAvailable();
        return;
    }
    int64_t appendedAt = 0;
    if (!ReadAvailable(appendedAt)) return;
    int64_t counted = m_receiveBuffer.Size() - appendedAt;
    if (m_awaitingResume) {
        if (!TakeResumeReply()) return;
        // Everything after the reply counts; nothing before it was counted.
        counted = m_receiveBuffer.Size() - m_resumeAt;
    }
    CountReceived(counted);
    if (m_socketOpen && !m_inReceive) RunMessageLoop();
}

void TClient::DiscardAvailable() {
    int available = m_socket->Available();
    if (available <= 0) return;
    m_scratch.resize(static_cast<size_t>(available));
    m_socket->Receive(m_scratch.data(), available);
}

// Appends what the socket holds to the receive buffer. False when nothing
// was read or the bytes would pass the unprocessed limit (a protocol error,
// already reported).
bool TClient::ReadAvailable(int64_t& appendedAt) {
    int available = m_socket->Available();
    if (available <= 0) return false;
    if (PendingReceive() + available > kMaxUnprocessed) {
        ProtocolError("Protocol error: more than " + std::to_string(kMaxUnprocessed) +
                      " bytes received and not processed");
        return false;
    }
    m_scratch.resize(static_cast<size_t>(available));
    int got = m_socket->Receive(m_scratch.data(), available);
    if (got <= 0) return false;
    int64_t size = m_receiveBuffer.Size();
    m_receiveBuffer.Reserve(2 * size + 2 * static_cast<int64_t>(got));
    int64_t position = m_receiveBuffer.Position();
    appendedAt = size;
    m_receiveBuffer.SetPosition(size);
    m_receiveBuffer.Write(m_scratch.data(), got);
    m_receiveBuffer.SetPosition(position);
    return true;
}

// Takes the server's resume reply from where the reconnect's bytes begin.
// False while it is incomplete, or when the session cannot be resumed (then
// it has ended as a plain close).
bool TClient::TakeResumeReply() {
    int64_t waiting = m_receiveBuffer.Size() - m_resumeAt;
    if (waiting <= 0) return false;
    const uint8_t* reply = m_receiveBuffer.Memory() + m_resumeAt;
    protocol::TFrame frame;
    std::string error;
    protocol::DecodeStatus status = protocol::DecodeStatus::Error;
    if (reply[0] == protocol::kResumeReply) status = protocol::DecodeFrame(reply, static_cast<size_t>(waiting), frame, error);
    if (status == protocol::DecodeStatus::Incomplete) return false;
    if (status == protocol::DecodeStatus::Error || frame.number < 0) {
        ApplyResume(-1);
        return false;
    }
    int64_t position = m_receiveBuffer.Position();
    m_receiveBuffer.SetPosition(m_resumeAt);
    m_receiveBuffer.DeleteBytes(static_cast<int64_t>(frame.length));
    m_receiveBuffer.SetPosition(position);
    m_awaitingResume = false;
    auto alive = m_lifetime.Watch();
    ApplyResume(frame.number);
    return alive && m_socketOpen;
}

// Sends again what the server lost: it has received `received` bytes of the
// session. A reply that is no number, above what was sent, or reaching back
// past what the send buffer still holds cannot resume the session.
void TClient::ApplyResume(int64_t received) {
    uint64_t held = static_cast<uint64_t>(m_sendBuffer.Position());
    bool resumable = received >= 0 && static_cast<uint64_t>(received) <= m_bytesSent &&
                     m_bytesSent - static_cast<uint64_t>(received) <= held;
    if (!resumable) {
        m_awaitingResume = false;
        Resumable = false;
        m_socket->Close();  // the plain close: OnDisconnect
        return;
    }
    uint64_t back = m_bytesSent - static_cast<uint64_t>(received);
    m_sendBuffer.SetPosition(m_sendBuffer.Position() - static_cast<int64_t>(back));
    m_bytesSent = static_cast<uint64_t>(received);
    Flush();
}

void TClient::CountReceived(int64_t count) {
    if (count <= 0) return;
    m_bytesReceived += static_cast<uint64_t>(count);
    if (!Resumable || m_connecting) return;
    m_unackedReceived += static_cast<uint64_t>(count);
    bool owed = false;
    while (m_unackedReceived >= static_cast<uint64_t>(protocol::kAcknowledgeBytes)) {
        Append(std::string(1, static_cast<char>(protocol::kAcknowledge)));
        m_unackedReceived -= protocol::kAcknowledgeBytes;
        owed = true;
    }
    // Owed acknowledgements leave within the send delay even when the
    // client has nothing to say: a client that only listens would otherwise
    // hold the server's buffer until its next keep-alive and be cut off.
    if (owed) SendSoon();
}

void TClient::RunMessageLoop() {
    auto alive = m_lifetime.Watch();
    m_inReceive = true;
    std::string failure;  // an exception's report text
    std::string protocolError;
    while (!m_closing && (m_socketOpen || m_closePending)) {
        protocol::TFrame frame;
        if (!NextFrame(frame, protocolError)) break;
        try {
            if (!HandleFrame(frame, protocolError)) {
                if (!alive) return;
                break;
            }
        } catch (const std::exception& e) {
            if (!alive) return;
            failure = ProcessingError(e.what(), frame.payload);
            break;
        } catch (...) {
            if (!alive) return;
            failure = ProcessingError("Unknown exception", frame.payload);
            break;
        }
        if (!alive) return;
    }
    m_inReceive = false;
    if (m_receiveBuffer.Position() >= m_receiveBuffer.Size()) {
        m_receiveBuffer.Clear();
        m_resumeAt = 0;
    }
    if (!protocolError.empty())
        ProtocolError(protocolError);
    else if (!failure.empty())
        ReportError(failure);
    if (alive && m_closePending) ActOnClose();
}

// Whether a close found while the message loop runs must wait for the
// queued frames: a plain session's end comes after its last messages, and a
// queued goodbye says the session is over (resuming it would be refused).
// Only the frames before an awaited resume reply are looked at.
bool TClient::CloseMustWait() const {
    int64_t end = m_awaitingResume ? m_resumeAt : m_receiveBuffer.Size();
    int64_t position = m_receiveBuffer.Position();
    if (position >= end) return false;
    if (!Framing) return true;
    while (position < end) {
        protocol::TFrame frame;
        std::string error;
        const uint8_t* bytes = m_receiveBuffer.Memory() + position;
        if (protocol::DecodeFrame(bytes, static_cast<size_t>(end - position), frame, error) !=
            protocol::DecodeStatus::Complete)
            return false;
        if (!Resumable || frame.kind == protocol::FrameKind::Goodbye) return true;
        position += static_cast<int64_t>(frame.length);
    }
    return false;
}

// Cuts the next frame (or, without framing, all unread bytes) from the
// receive buffer. False when there is none yet, or on a protocol error
// (error set). While a resume reply is awaited the bytes from its start on
// are not touched.
bool TClient::NextFrame(protocol::TFrame& frame, std::string& error) {
    int64_t end = m_awaitingResume ? m_resumeAt : m_receiveBuffer.Size();
    int64_t position = m_receiveBuffer.Position();
    if (position >= end) return false;
    const uint8_t* bytes = m_receiveBuffer.Memory() + position;
    size_t waiting = static_cast<size_t>(end - position);
    if (!Framing) {
        frame.payload.assign(reinterpret_cast<const char*>(bytes), waiting);
        frame.length = waiting;
    } else if (protocol::DecodeFrame(bytes, waiting, frame, error) != protocol::DecodeStatus::Complete) {
        return false;
    }
    m_receiveBuffer.SetPosition(position + static_cast<int64_t>(frame.length));
    return true;
}

// Acts on one frame. False when the loop must stop: the session closed, or a
// protocol error (error set).
bool TClient::HandleFrame(const protocol::TFrame& frame, std::string& error) {
    switch (Framing ? frame.kind : protocol::FrameKind::Message) {
        case protocol::FrameKind::KeepAlive:
            m_pingTime = static_cast<int>(NowMs() - m_pingSentAt);
            Send(protocol::Build(protocol::TPingReply{m_pingTime}));
            return true;
        case protocol::FrameKind::Goodbye:
            if (!Resumable) break;
            Resumable = false;
            m_socket->Close();
            return false;
        case protocol::FrameKind::Acknowledge:
            if (!Resumable) break;
            if (TakeAcknowledge()) return true;
            error = "Protocol error: acknowledgement with fewer than " +
                    std::to_string(protocol::kAcknowledgeBytes) + " sent bytes held";
            return false;
        case protocol::FrameKind::SessionNumber:
            if (!Resumable) break;
            m_sessionId = frame.number >= 0 && frame.number <= INT_MAX ? static_cast<int>(frame.number) : 0;
            return true;
        default:
            break;
    }
    auto onMessage = OnMessage;
    if (onMessage) onMessage(this, frame.payload);
    return true;
}

bool TClient::TakeAcknowledge() {
    int64_t position = m_sendBuffer.Position();
    if (position < protocol::kAcknowledgeBytes) return false;
    m_sendBuffer.SetPosition(0);
    m_sendBuffer.DeleteBytes(protocol::kAcknowledgeBytes);
    m_sendBuffer.SetPosition(position - protocol::kAcknowledgeBytes);
    return true;
}
