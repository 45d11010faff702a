// The byte streams of one session, in both directions, with the counting that
// acknowledgements and resumption rely on. It knows no sockets: the
// connection hands it received bytes and writes what it offers.
//
// Counting. The client counts its own opening byte (0xFE) as sent, and also
// as one byte received from us, as if each side had opened with one byte:
//  - Client to server: the client's send buffer holds only its frames, and
//    it drops 1000 of them for each 0x7F, so we acknowledge every 1000 bytes
//    of frames (the opening excluded). Its BytesSent includes the opening,
//    so the resume reply "}" reports the frame bytes received plus one.
//  - Server to client: the client's acknowledgement count includes the
//    phantom byte, so the k-th 0x7F means it holds 1000k - 1 of our bytes;
//    that is what we may forget. The reconnect opening reports the real
//    count of our bytes it holds (without the phantom); we resend from there.
// Openings and "}" replies are outside both streams. Getting either rule
// one byte wrong loses or repeats a byte on a resume at an acknowledgement
// boundary, which is why this class keeps both in one place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "protocol/FrameCodec.h"

namespace server {

class SessionStream {
public:
    SessionStream(bool resumable, size_t maxFrameBytes);

    bool Resumable() const { return m_resumable; }

    // --- receiving -------------------------------------------------------
    // Appends bytes of the client's stream, counts them and, when resumable,
    // queues one 0x7F for each full 1000.
    void Receive(const uint8_t* data, size_t n);
    // Cuts the next frame. Error also for frames above the frame limit,
    // which the codec checks from the header before anything is inflated.
    protocol::DecodeStatus TakeFrame(protocol::TFrame& frame, std::string& error);
    size_t PendingReceive() const { return m_inbox.size() - m_inboxRead; }
    uint64_t Received() const { return m_received; }
    // The number the "}" reply carries: our received count in the client's
    // units (its opening byte included).
    uint64_t ResumeReplyNumber() const { return m_received + 1; }

    // --- sending ---------------------------------------------------------
    bool SendMessage(std::string_view message);
    void SendRaw(std::string_view bytes);
    // The bytes not yet written to the current socket.
    std::string_view Unwritten() const;
    void MarkWritten(size_t n);
    // Bytes held for sending or resending (unwritten plus unacknowledged).
    size_t Buffered() const { return m_outbox.size() - m_outboxStart; }
    uint64_t Written() const { return m_written; }

    // A 0x7F from the client; false when it acknowledges bytes that were
    // never written (a protocol error).
    bool Acknowledge();
    // Whether a reconnect opening that reports clientReceived can be served:
    // we must still hold every byte from there on, and not have been told of
    // more than we wrote.
    bool CanResumeFrom(uint64_t clientReceived) const;
    // Rewinds the written count so that everything from clientReceived on is
    // written again on the new socket.
    void ResumeFrom(uint64_t clientReceived);

private:
    void CompactInbox();
    void DropSent(uint64_t upTo);

    bool m_resumable;
    size_t m_maxFrameBytes;

    std::string m_inbox;
    size_t m_inboxRead = 0;
    uint64_t m_received = 0;       // client frame bytes received
    uint64_t m_acknowledgedUpTo = 0;  // received bytes we have acknowledged

    // m_outbox[m_outboxStart] is the byte at stream offset m_outboxBase.
    std::string m_outbox;
    size_t m_outboxStart = 0;
    uint64_t m_outboxBase = 0;
    uint64_t m_written = 0;        // stream offset written to the socket
    uint64_t m_acknowledgements = 0;
};

}  // namespace server
