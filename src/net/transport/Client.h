// TClient: the session's connection to the game-zone server. It owns the
// client socket, frames outgoing messages into a send buffer, cuts received
// bytes into messages for OnMessage, keeps the connection alive, and in
// resumable mode survives a broken connection by reconnecting and sending
// again what the server did not receive. Tnet is the class the program
// creates; it adds nothing.
//
// Waiting: Open (with WaitForConnect), Reconnect and FindOpenPorts wait by
// pumping the main loop, and a connect attempt waits until 5000 ms have
// passed since the previous one. Each wait is a loop of WaitStep calls until
// its condition changes; WaitStep defaults to one platform WaitMessage(),
// with a wake timer enabled while time must pass, so a wait that only waits
// for time does not block for ever. On the headless backend, where time
// stands still unless the test moves it, a test sets WaitStep to move virtual
// time on (for example one RunFor(1) per step).
//
// Re-entry: handlers run inside these waits, and a handler (OnDisconnect,
// OnMessage, OnError) may destroy this object; every callback is the last
// thing that touches it when it does. The message loop does not nest
// (InReceive): bytes that arrive while OnMessage runs are read and queued,
// and the running loop delivers them.
//
// A close while OnMessage runs (a modal box waits inside it) with frames
// still queued: the queued frames come first when the close cannot overtake
// them. A plain session (or one whose goodbye "|" is among the queued
// frames) ends only after the running loop has delivered what came before
// the close, so the goodbye is read and no reconnect is started for a
// session the server has ended. A resumable session without a queued
// goodbye reconnects at once: the queued frames stay in order in front of
// what the resumed connection brings.
//
// OnDisconnect is an event several owners subscribe to (each holds its
// TSubscription); a subscriber that destroys this object ends the firing.
//
// Failures of the stream itself (a malformed frame, more than 64 MiB
// waiting unprocessed, an acknowledgement without 1000 sent bytes held) are
// protocol errors. Resuming cannot repair a stream the server sent wrong, so
// a protocol error ends the session even in resumable mode: OnError with the
// reason, then the plain close (OnDisconnect).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "protocol/FrameCodec.h"
#include "net/transport/Mysocket.h"
#include "platform/Event.h"
#include "platform/Lifetime.h"
#include "resources/MyMem.h"
#include "shell/MyTimer.h"

class TClient {
public:
    // The least time between two connect attempts.
    static constexpr int64_t kAttemptGapMs = 5000;
    static constexpr int64_t kKeepAliveMs = 60000;
    // Sends wait for the send delay only while this few bytes are unsent.
    static constexpr int64_t kCoalesceLimit = 1200;
    // Received bytes waiting to be cut into messages, at most.
    static constexpr int64_t kMaxUnprocessed = 64ll * 1024 * 1024;
    // Probe connections FindOpenPorts keeps connecting at a time.
    static constexpr size_t kMaxProbes = 50;

    TClient();
    virtual ~TClient();
    TClient(const TClient&) = delete;
    TClient& operator=(const TClient&) = delete;

    // Settings.
    bool Framing = true;
    bool CompressLarge = false;
    int CompressionLevel = 1;
    bool CompressAlways = false;
    bool RetryOnError = true;
    bool WaitForConnect = true;
    bool Resumable = false;
    std::string Host;
    int Port = 0;  // the low 16 bits are the port

    std::function<void(TClient* socket, const std::string& text)> OnMessage;
    std::function<void(TClient* socket)> OnConnect;
    TEvent<TClient* /*socket*/, int /*code*/> OnDisconnect;
    std::function<void(TClient* socket, const std::string& text)> OnError;
    std::function<void(TClient* socket, int code)> OnReconnect;  // code: the reconnect count
    // One step of every wait (see the top of this file).
    std::function<void()> WaitStep;

    void SetHost(const std::string& host) { Host = host; }
    void SetPorts(const std::vector<int>& ports);
    void ClearPorts();
    bool HasPorts() const { return m_hasPorts; }
    const std::vector<int>& Ports() const { return m_ports; }
    void SetSendDelay(int ms);
    int GetSendDelay() const;

    // Starts a session.
    virtual void Open();
    // Frames and queues a message; false when it was not queued (empty,
    // closing, or too long to frame).
    bool Send(const std::string& text);
    void Close();
    void Flush();
    int64_t PendingReceive() const { return m_receiveBuffer.Remaining(); }
    int64_t PendingSend() const { return m_sendBuffer.Remaining(); }
    // Probes the candidate ports of host and returns up to limit of those
    // that accept a connection, in ascending order.
    std::vector<int> FindOpenPorts(const std::string& host, const std::vector<int>& candidates,
                                   int limit);

    // State.
    bool Connecting() const { return m_connecting; }
    bool Reconnecting() const { return m_reconnecting; }
    bool AwaitingResume() const { return m_awaitingResume; }
    bool InReceive() const { return m_inReceive; }
    bool Closing() const { return m_closing; }
    bool LoggedIn() const { return m_loggedIn; }
    bool SocketOpen() const { return m_socketOpen; }
    bool QuitSent() const { return m_quitSent; }
    int SessionId() const { return m_sessionId; }
    int ReconnectCount() const { return m_reconnectCount; }
    int PingTime() const { return m_pingTime; }
    uint64_t BytesSent() const { return m_bytesSent; }
    uint64_t BytesReceived() const { return m_bytesReceived; }
    uint64_t UnackedReceived() const { return m_unackedReceived; }
    int64_t LastAttemptAt() const { return m_lastAttemptAt; }
    TMyclientsocket* Socket() const { return m_socket.get(); }
    const TMymem& SendBuffer() const { return m_sendBuffer; }
    const TMymem& ReceiveBuffer() const { return m_receiveBuffer; }
    TMyTimer* SendTimer() const { return m_sendTimer.get(); }
    TMyTimer& KeepAliveTimer() { return m_keepAliveTimer; }

private:
    // Connecting (Client.cpp).
    void TryConnect();
    void WaitForNextAttempt();
    void ReplaceSocket();
    void Reconnect();
    void HandleConnect();
    void WriteOpening();
    void HandleError(int code);
    void ReportError(const std::string& text);
    void ProtocolError(const std::string& text);
    void HandleClose();
    bool CloseMustWait() const;
    void ActOnClose();
    void EndSession();
    void KeepAlive();
    void SendTimerFired();
    void Wait(int64_t remainingMs);
    void WaitWhile(const bool& flag, const TLifetime::TWatch& alive);

    // Receiving (ClientReceive.cpp).
    void HandleRead();
    void DiscardAvailable();
    bool ReadAvailable(int64_t& appendedAt);
    bool TakeResumeReply();
    void ApplyResume(int64_t received);
    void CountReceived(int64_t count);
    void RunMessageLoop();
    bool NextFrame(protocol::TFrame& frame, std::string& error);
    bool HandleFrame(const protocol::TFrame& frame, std::string& error);
    bool TakeAcknowledge();

    // Sending (ClientSend.cpp).
    void Append(const std::string& bytes);
    // Sends what waits within the send delay (at once without one, or when
    // much waits).
    void SendSoon();
    void WriteStraight(const std::string& bytes);
    protocol::TFrameOptions FrameOptions() const;

    bool m_connecting = false;
    bool m_reconnecting = false;
    bool m_awaitingResume = false;
    bool m_inReceive = false;
    bool m_closing = false;
    bool m_loggedIn = false;
    bool m_socketOpen = false;
    bool m_quitSent = false;
    // The socket closed while the message loop ran with frames queued; the
    // loop acts on the close when it has handled them.
    bool m_closePending = false;
    bool m_hasPorts = false;
    bool m_attempted = false;  // LastAttemptAt holds an attempt
    int m_sessionId = 0;
    int m_reconnectCount = 0;
    int m_pingTime = 0;
    int m_sendDelay = 0;
    uint64_t m_bytesSent = 0;
    uint64_t m_bytesReceived = 0;
    uint64_t m_unackedReceived = 0;
    int64_t m_pingSentAt = 0;
    int64_t m_lastAttemptAt = 0;
    // Where in the receive buffer the resume reply of a reconnect begins.
    int64_t m_resumeAt = 0;
    std::vector<int> m_ports;
    TMymem m_sendBuffer;
    TMymem m_receiveBuffer;
    std::vector<uint8_t> m_scratch;
    std::unique_ptr<TMyTimer> m_sendTimer;
    TMyTimer m_keepAliveTimer;
    TMyTimer m_wakeTimer;  // keeps a timed wait from blocking for ever
    std::unique_ptr<TMyclientsocket> m_socket;
    // Watched across callbacks to see whether a callback destroyed this
    // object.
    TLifetime m_lifetime;
};

class Tnet : public TClient {};
