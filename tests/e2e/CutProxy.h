// A proxy on loopback between a client and the server that cuts the line at
// planned places. It forwards bytes both ways on a thread of its own; a cut
// delivers exactly the bytes before its place, then ends both sockets
// cleanly (the sending sides are shut, whatever still comes is read and
// thrown away), so neither end sees a reset that could destroy bytes it was
// already given: the cut is exactly where the plan puts it.
//
// Places are offsets in the session's two streams, the byte counts that the
// acknowledgements and the resume reply speak of, so a plan can aim at every
// acknowledgement boundary. To know them the proxy reads each connection's
// opening: after 0xFE both streams start at 0; after a reconnect opening the
// server-to-client stream goes on at the count the client reports, and the
// client-to-server stream at the server's resume reply minus one (the reply
// counts the client's opening byte). Openings and replies are outside both
// streams. A plan can also cut a reconnect inside its handshake: halfway
// through the opening, once the server has resumed but before its reply
// reaches the client, or with only the first half of the reply delivered.
#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace e2etest {

enum class HandshakeCut { InOpening, InReply, BeforeReply };

struct TCutPlan {
    // Stream offsets, ascending: a cut falls when a stream reaches one.
    std::vector<uint64_t> toServer;
    std::vector<uint64_t> toClient;
    // Reconnects (1 = the first) cut inside their handshake.
    std::map<int, HandshakeCut> handshakes;
};

class TCutProxy {
public:
    TCutProxy(uint16_t serverPort, TCutPlan plan);
    ~TCutProxy();
    TCutProxy(const TCutProxy&) = delete;
    TCutProxy& operator=(const TCutProxy&) = delete;

    bool Start(std::string& error);
    uint16_t Port() const { return m_port; }
    // From now on everything is forwarded uncut.
    void StopCutting() { m_cutting.store(false); }

    int StreamCuts() const { return m_streamCuts.load(); }
    int HandshakeCuts() const { return m_handshakeCuts.load(); }
    int Cuts() const { return StreamCuts() + HandshakeCuts(); }
    // Connections that ended with an error the plan did not cause.
    int Resets() const { return m_resets.load(); }
    // Planned stream offsets that a stream went past without being cut
    // there while cutting was on. Each resume starts exactly where its
    // receiver stopped, so with a correct peer on both ends this stays 0.
    int Missed() const { return m_missed.load(); }
    // Where the stream cuts fell, per direction.
    std::vector<uint64_t> CutOffsets(bool toServer) const;
    int Connections() const { return m_connections.load(); }
    std::string Fault() const;

private:
    struct TSide;
    struct TLink;

    void Run();
    void Accept();
    void ReadClient(TLink& link);
    void ReadServer(TLink& link);
    void TakeOpening(TLink& link, const char* data, size_t n);
    void TakeReply(TLink& link, const char* data, size_t n);
    void Stream(TLink& link, TSide& side, const char* data, size_t n);
    void Cut(TLink& link);
    void WritePending(TLink& link);
    void Settle(TLink& link);
    void Reset(TLink& link);
    void Drain(size_t index);
    void SetFault(const std::string& text);

    uint16_t m_serverPort;
    TCutPlan m_plan;
    size_t m_nextToServer = 0;
    size_t m_nextToClient = 0;
    int m_reconnects = 0;
    int m_listen = -1;
    int m_wake = -1;
    uint16_t m_port = 0;
    std::vector<std::unique_ptr<TLink>> m_links;
    std::vector<int> m_draining;
    std::atomic<bool> m_stopping{false};
    std::atomic<bool> m_cutting{true};
    std::atomic<int> m_streamCuts{0};
    std::atomic<int> m_handshakeCuts{0};
    std::atomic<int> m_resets{0};
    std::atomic<int> m_missed{0};
    std::vector<uint64_t> m_cutToServer;  // guarded by m_faultMutex
    std::vector<uint64_t> m_cutToClient;  // guarded by m_faultMutex
    std::atomic<int> m_connections{0};
    mutable std::mutex m_faultMutex;
    std::string m_fault;
    std::thread m_thread;
};

}  // namespace e2etest
