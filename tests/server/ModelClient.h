// A test client that follows the game-zone client's connection rules byte for
// byte: the opening counted in BytesSent and (resumable) once in
// UnackedReceived, one 0x7F per 1000 received bytes, 1000 bytes dropped from
// the send buffer per 0x7F, the reconnect opening with BytesReceived, and the
// "}" reply moving the send position by R - BytesSent. It drives the real
// server through Poll while it waits, so a test runs on one thread.
//
// Loss is modelled exactly: LoseOutgoing makes the next flushes count bytes
// as sent without writing them (bytes in flight when the line broke), and
// LoseIncoming discards what has arrived without counting it.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>

#include "Server.h"

namespace servertest {

class ModelClient {
public:
    ModelClient(server::Server& server, uint16_t port);
    ~ModelClient();

    bool Connect();
    // Fresh openings.
    void OpenResumable();
    void OpenPlain();
    // Writes raw bytes outside the stream counting (bad input).
    void WriteRaw(const std::string& bytes);
    // Frames and queues one message, then flushes.
    void Send(const std::string& message);
    void SendKeepAlive();
    // The client's goodbye: "|" in its stream.
    void SendGoodbye();
    void Flush();

    // Polls the server and reads until the predicate holds or the pass
    // budget is used up; true when it held.
    bool PumpUntil(const std::function<bool()>& done, int passes = 400);
    // Polls and reads a few passes, for "nothing more arrives" checks.
    void Settle(int passes = 20);
    // Waits for the next application message.
    bool NextMessage(std::string& message, int passes = 400);

    // Connection loss.
    void LoseOutgoing(bool lose) { m_loseOutgoing = lose; }
    void LoseIncoming();
    void CloseSocket();
    // Reconnect opening; then waits for the resume reply. False when the
    // server refused (goodbye) or nothing came.
    bool Reconnect();

    bool Closed() const { return m_closed; }          // the server closed
    bool GotGoodbye() const { return m_goodbye; }
    int KeepAliveAnswers() const { return m_keepAlives; }
    int AcknowledgementsReceived() const { return m_acksReceived; }
    int AcknowledgementsQueued() const { return m_acksQueued; }
    uint64_t SessionId() const { return m_sessionId; }
    bool HasSessionId() const { return m_hasSessionId; }
    uint64_t BytesSent() const { return m_bytesSent; }
    uint64_t BytesReceived() const { return m_bytesReceived; }
    std::deque<std::string>& Messages() { return m_messages; }
    bool ProtocolFault() const { return !m_fault.empty(); }
    const std::string& Fault() const { return m_fault; }

private:
    void ReadAvailable();
    void HandleIncoming(std::string bytes);
    void CountReceived(size_t n);
    void ProcessFrames();
    bool TakeResumeReply();

    server::Server& m_server;
    uint16_t m_port;
    int m_fd = -1;
    bool m_resumable = false;
    bool m_closed = false;
    bool m_goodbye = false;
    bool m_loseOutgoing = false;
    bool m_awaitingResume = false;

    std::string m_sendBuffer;
    int64_t m_sendPosition = 0;
    std::string m_receiveBuffer;

    uint64_t m_bytesSent = 0;
    uint64_t m_bytesReceived = 0;
    uint64_t m_unackedReceived = 0;
    uint64_t m_sessionId = 0;
    bool m_hasSessionId = false;
    int m_keepAlives = 0;
    int m_acksReceived = 0;
    int m_acksQueued = 0;
    std::deque<std::string> m_messages;
    std::string m_fault;
};

}  // namespace servertest
