// One accepted socket. It reads the client's opening, then carries one
// session's streams; at the end it writes its last bytes, shuts its sending
// side and waits (briefly) for the client to close, so the final messages are
// not destroyed by a reset.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>

namespace server {

class Session;

class Connection {
public:
    enum class State { Opening, Open, Closing };
    enum class ReadResult { Data, WouldBlock, Closed };

    Connection(int fd, uint64_t id, std::string peer, int64_t nowMs);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    int Fd() const { return m_fd; }
    uint64_t Id() const { return m_id; }
    const std::string& Peer() const { return m_peer; }
    // The peer without its port: what the limits per address count.
    const std::string& Address() const { return m_address; }
    State GetState() const { return m_state; }

    uint64_t WatchId() const { return m_watchId; }
    void SetWatchId(uint64_t id) { m_watchId = id; }
    uint32_t Interest() const { return m_interest; }
    void SetInterest(uint32_t interest) { m_interest = interest; }

    // The opening bytes collected so far (at most a few dozen).
    std::string& OpeningBytes() { return m_opening; }

    Session* GetSession() const { return m_session; }
    void Open(Session* session);
    // The connection no longer carries its session (dropped or replaced).
    void Release() { m_session = nullptr; }

    // Bytes written before the session's stream: the "}" reply, and the
    // final bytes while closing.
    void QueueOwn(const std::string& bytes) { m_own += bytes; }

    ReadResult Read(uint8_t* buffer, size_t capacity, size_t& got);
    // Writes what is pending; false when the socket failed.
    bool Flush();
    bool HasOutput() const;
    // Output to write, or a shutdown still to make.
    bool NeedsFlush() const { return HasOutput() || (m_state == State::Closing && !m_shutDown); }

    // Ends the connection gracefully: the session is released, its
    // unwritten bytes are kept as the connection's own final bytes.
    void BeginClose(int64_t deadlineMs);
    int64_t CloseDeadline() const { return m_closeDeadline; }
    // True once everything is written and the sending side is shut.
    bool FinishedWriting() const { return m_shutDown; }

    int64_t LastReceiveAt() const { return m_lastReceiveAt; }
    void Touch(int64_t nowMs) { m_lastReceiveAt = nowMs; }

private:
    bool WriteSome(const char* data, size_t n, size_t& written);

    int m_fd;
    uint64_t m_id;
    std::string m_peer;
    std::string m_address;
    State m_state = State::Opening;
    uint64_t m_watchId = 0;
    uint32_t m_interest = 0;
    std::string m_opening;
    Session* m_session = nullptr;
    std::string m_own;
    int64_t m_lastReceiveAt;
    int64_t m_closeDeadline = 0;
    bool m_shutDown = false;
};

}  // namespace server
