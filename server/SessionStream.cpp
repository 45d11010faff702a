#include "SessionStream.h"

namespace server {
namespace {

// Compact a buffer once this much of its front is consumed, and only when
// the bytes moved are no more than the bytes freed.
constexpr size_t kCompactAbove = 64 * 1024;
// An emptied buffer larger than this gives its memory back, so an idle
// session keeps nothing of the burst it received at logon.
constexpr size_t kIdleCapacity = 4 * 1024;

// Drops the consumed front of a buffer (start bytes).
void Trim(std::string& buffer, size_t& start) {
    if (start == buffer.size()) {
        start = 0;
        if (buffer.capacity() > kIdleCapacity) {
            std::string().swap(buffer);
        } else {
            buffer.clear();
        }
    } else if (start > kCompactAbove && start >= buffer.size() - start) {
        buffer.erase(0, start);
        start = 0;
    }
}

}  // namespace

SessionStream::SessionStream(bool resumable, size_t maxFrameBytes)
    : m_resumable(resumable), m_maxFrameBytes(maxFrameBytes) {}

void SessionStream::Receive(const uint8_t* data, size_t n) {
    m_inbox.append(reinterpret_cast<const char*>(data), n);
    m_received += n;
    if (!m_resumable) return;
    while (m_received - m_acknowledgedUpTo >= protocol::kAcknowledgeBytes) {
        protocol::AppendAcknowledge(m_outbox);
        m_acknowledgedUpTo += protocol::kAcknowledgeBytes;
    }
}

protocol::DecodeStatus SessionStream::TakeFrame(protocol::TFrame& frame, std::string& error) {
    if (PendingReceive() == 0) {
        CompactInbox();
        return protocol::DecodeStatus::Incomplete;
    }
    const uint8_t* p = reinterpret_cast<const uint8_t*>(m_inbox.data()) + m_inboxRead;
    protocol::DecodeStatus status = protocol::DecodeFrame(p, PendingReceive(), frame, error, m_maxFrameBytes);
    if (status == protocol::DecodeStatus::Complete) m_inboxRead += frame.length;
    if (status != protocol::DecodeStatus::Error) CompactInbox();
    return status;
}

void SessionStream::CompactInbox() { Trim(m_inbox, m_inboxRead); }

bool SessionStream::SendMessage(std::string_view message) {
    return protocol::EncodeFrame(message, protocol::TFrameOptions{}, m_outbox);
}

void SessionStream::SendRaw(std::string_view bytes) { m_outbox.append(bytes); }

std::string_view SessionStream::Unwritten() const {
    size_t at = m_outboxStart + static_cast<size_t>(m_written - m_outboxBase);
    return std::string_view(m_outbox).substr(at);
}

void SessionStream::MarkWritten(size_t n) {
    m_written += n;
    // Without resumption nothing is ever sent again.
    if (!m_resumable) DropSent(m_written);
}

void SessionStream::DropSent(uint64_t upTo) {
    if (upTo <= m_outboxBase) return;
    m_outboxStart += static_cast<size_t>(upTo - m_outboxBase);
    m_outboxBase = upTo;
    Trim(m_outbox, m_outboxStart);
}

bool SessionStream::Acknowledge() {
    if (!m_resumable) return false;
    uint64_t held = (m_acknowledgements + 1) * protocol::kAcknowledgeBytes - 1;
    if (held > m_written) return false;
    ++m_acknowledgements;
    DropSent(held);
    return true;
}

bool SessionStream::CanResumeFrom(uint64_t clientReceived) const {
    return m_resumable && clientReceived >= m_outboxBase && clientReceived <= m_written;
}

void SessionStream::ResumeFrom(uint64_t clientReceived) { m_written = clientReceived; }

}  // namespace server
