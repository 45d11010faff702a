// The game-zone server: one process, one epoll loop on one thread. It
// listens on every configured port, reads each connection's opening, runs
// the session's framing (keep-alive answers, session number,
// acknowledgements, resumption within the grace period, goodbye) and the
// logon, and enforces the limits:
//   - a logon beyond MaxConnections users is refused with "Errortoomany";
//   - connections that have not logged on have a pool of their own
//     (AnonymousConnections): when it is full, a new connection takes the
//     place of the one that has waited longest, so strangers cannot keep
//     users out by holding connections; a connection that drops before its
//     logon was accepted ends its session at once (only a logged-on session
//     waits to be resumed);
//   - per source address: connections open at once and new ones per
//     minute; failed logons make the next logon of the address and of the
//     alias wait (AccessLimits.h); each kind of refusal is logged once per
//     address and minute;
//   - a frame above MaxFrameBytes, or any malformed input, ends the session
//     (with a goodbye when resumable: resending the same bytes cannot help);
//   - a session holding more than MaxBufferedBytes unsent or unacknowledged
//     is ended as unresponsive; messages for it are no longer queued, so it
//     costs no more memory and nobody waits for it;
//   - a connection that has not logged on within LogonTimeout is ended; a
//     socket silent for IdleTimeout is dropped (a resumable session then
//     waits for the client for GracePeriod);
//   - frames beyond the flood budget are not read until it refills.
//
// Once a session is logged on, its messages go to the zone (Zone.h), which
// also describes the world to it right after the accepted reply. The
// operator's channel (AdminChannel.h) runs on the same loop.
//
// Time comes from the Clock it is given; Poll runs one pass, so tests drive
// the server from their own thread and move a ManualClock. Password hashing
// runs on worker threads (HashWorker) whose results come back through the
// loop; everything else runs on the loop's thread.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "AccessLimits.h"
#include "HeapTrimmer.h"
#include "AccountStore.h"
#include "AdminChannel.h"
#include "AdminCommands.h"
#include "Clock.h"
#include "Connection.h"
#include "EventLoop.h"
#include "HashWorker.h"
#include "LogonService.h"
#include "PasswordHasher.h"
#include "ServerConfig.h"
#include "Session.h"
#include "UpdateRelease.h"
#include "Zone.h"

namespace server {

// How long a closing socket waits for the client to close after our last byte.
constexpr int64_t kLingerMs = 2000;

class Server : private LogonHost {
public:
    Server(ServerConfig config, Clock& clock);
    ~Server() override;
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    // Opens the database and the listening sockets.
    bool Start(std::string& error);
    const std::vector<uint16_t>& Ports() const { return m_ports; }
    const ServerConfig& Config() const { return m_config; }

    // One pass: waits up to timeoutMs for socket events, handles them, then
    // the time-outs, then writes what is queued.
    void Poll(int timeoutMs);
    // Polls until stop turns true, then shuts down.
    void Run(const std::atomic<bool>& stop);
    // Ends every session with a goodbye and gives the sockets a moment to
    // take their last bytes.
    void Shutdown();

    AccountStore& Accounts() { return m_accounts; }
    // Valid after a successful Start.
    Zone& GetZone() { return *m_zone; }
    // The zone's web site; null when it is off or could not start.
    web::WebSite* Site() { return m_web.get(); }
    size_t SessionCount() const { return m_sessions.size() - m_endedSessions.size(); }
    size_t ConnectionCount() const { return m_connections.size() - m_deadConnections.size(); }
    // Connections open and not logged on.
    size_t AnonymousCount() const;
    size_t UserCount() const { return m_online.size(); }
    const AccessLimits& Access() const { return m_access; }
    Session* FindSession(uint32_t id) override;
    // Password checks submitted and not yet answered.
    size_t HashJobsOutstanding() const { return m_hashWorker ? m_hashWorker->Outstanding() : 0; }
    void SetLog(std::function<void(const std::string&)> log) { m_log = std::move(log); }

    // When set, it takes the messages of logged-on sessions that the logon
    // does not handle, in place of the zone, and logons are not announced
    // to the zone: the server then speaks only the transport and the logon
    // (for tests of those layers).
    std::function<void(Session&, const std::string&)> OnUserMessage;
    void Send(Session& session, std::string_view message) override;
    void SendPrompt(Session& session, std::string_view message) override;

private:
    // LogonHost
    void EndSession(Session& session, const std::string& reason) override;
    Session* FindOnline(const std::string& alias) override;
    void MarkOnline(Session& session) override;
    void LoggedOn(Session& session, const Account& account) override;
    void ProfileChanged(Session& session, const Account& account) override;
    void Log(const std::string& line) override;
    bool UsersFull() override;
    bool LogonHeldBack(Session& session, const std::string& alias) override;
    void LogonFailed(Session& session, const std::string& alias) override;
    void LogonSucceeded(Session& session, const std::string& alias) override;
    void LogRefusal(Session& session, const std::string& line) override;
    void LogRefusal(const std::string& address, const std::string& line);
    bool OpenAdminChannel(std::string& error);
    void StartWebSite();

    void AcceptAll(int listener);
    bool Admit(const std::string& address);
    bool MakeAnonymousRoom();
    bool Anonymous(const Connection& connection) const;
    void OnConnectionEvent(uint64_t id, uint32_t events);
    void ReadFrom(Connection& connection);
    void HandleBytes(Connection& connection, const uint8_t* data, size_t n);
    void HandleOpening(Connection& connection, const uint8_t* data, size_t n);
    void StartSession(Connection& connection, bool resumable);
    bool ResumeSession(Connection& connection, const protocol::TOpening& opening);
    void Deliver(Session& session, const uint8_t* data, size_t n);
    void ProcessFrames(Session& session);
    void HandleFrame(Session& session, const protocol::TFrame& frame);

    void EndSession(Session& session, const std::string& reason, bool goodbye);
    void AbortSession(Session& session, const std::string& reason);
    void DropConnection(Connection& connection, const std::string& reason);
    void CloseNow(Connection& connection);
    void UpdateInterest(Connection& connection);

    void CheckTimeouts();
    void CheckSession(Session& session, int64_t now);
    void CheckConnection(Connection& connection, int64_t now);
    // Writes every connection with output, the prompt sessions' first.
    void FlushAll();
    void FlushConnection(Connection& c);
    void Reap();
    int PollTimeout() const;
    uint32_t NewSessionId() const;

    ServerConfig m_config;
    Clock& m_clock;
    EventLoop m_loop;
    AccountStore m_accounts;
    std::unique_ptr<PasswordHasher> m_hasher;
    // Declared before the logon, whose continuations it holds, so that it
    // outlives it; it never runs them on destruction.
    std::unique_ptr<HashWorker> m_hashWorker;
    uint64_t m_hashWatch = 0;
    std::unique_ptr<UpdateRelease> m_release;
    std::unique_ptr<LogonService> m_logon;
    // The web site outlives the zone, which feeds its news page.
    std::unique_ptr<web::WebSite> m_web;
    std::unique_ptr<Zone> m_zone;
    std::unique_ptr<AdminCommands> m_commands;
    std::unique_ptr<AdminChannel> m_admin;
    AccessLimits m_access;
    HeapTrimmer m_heap;
    int64_t m_forgottenAt = 0;
    std::function<void(const std::string&)> m_log;

    std::vector<int> m_listeners;
    std::vector<uint64_t> m_listenerWatches;
    std::vector<uint16_t> m_ports;
    uint64_t m_nextConnectionId = 1;
    std::unordered_map<uint64_t, std::unique_ptr<Connection>> m_connections;
    std::unordered_map<uint32_t, std::unique_ptr<Session>> m_sessions;
    std::unordered_map<std::string, uint32_t> m_online;  // lower-cased alias
    std::vector<uint64_t> m_deadConnections;
    std::vector<uint32_t> m_endedSessions;
    std::vector<uint8_t> m_readBuffer;
};

}  // namespace server
