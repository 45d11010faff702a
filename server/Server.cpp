// The server's loop, sockets and openings. Sessions, frames, time-outs and
// writing are in ServerSessions.cpp.
#include "Server.h"

#include <unistd.h>

#include <cstdio>
#include <ctime>

#include "Listener.h"
#include "web/WebLinks.h"

namespace server {
namespace {

// Bytes read from one socket at a time, and reads per readiness event (so
// one busy client cannot hold the loop).
constexpr size_t kReadChunk = 64 * 1024;
constexpr int kReadsPerEvent = 4;
// The longest opening: 0xFD, two numbers of 20 digits, two 0x01.
constexpr size_t kMaxOpening = 43;
// Threads that hash passwords. Two keep logons flowing while one hash runs
// long, and on a small machine still leave the loop a core of its own.
constexpr int kHashThreads = 2;

void LogToStderr(const std::string& line) {
    char stamp[32];
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &tm);
    std::fprintf(stderr, "%s %s\n", stamp, line.c_str());
}

}  // namespace

Server::Server(ServerConfig config, Clock& clock)
    : m_config(std::move(config)),
      m_clock(clock),
      m_access(m_config.access),
      m_log(LogToStderr),
      m_readBuffer(kReadChunk) {}

Server::~Server() {
    // Before the loop goes: the channel unwatches its sockets.
    m_admin.reset();
    for (int fd : m_listeners) close(fd);
}

bool Server::OpenAdminChannel(std::string& error) {
    std::string path = m_config.AdminSocketPath();
    if (path.empty()) return true;
    m_commands = std::make_unique<AdminCommands>(*m_zone, m_accounts);
    m_admin = std::make_unique<AdminChannel>(m_loop, [this](const std::string& line) {
        Log("operator: " + line.substr(0, 200));
        return m_commands->Execute(line);
    });
    return m_admin->Open(path, error);
}

// A web site that cannot start leaves the zone without one, not down.
void Server::StartWebSite() {
    if (!m_config.web.enabled) return;
    auto site = std::make_unique<web::WebSite>();
    std::string error;
    if (!site->Start(m_config.web, m_config.DatabasePath(), error)) {
        Log("no web site: " + error);
        return;
    }
    m_web = std::move(site);
    web::FillZoneLinks(m_config.zone, m_web->BaseUrl());
    Log("web site at " + m_web->BaseUrl());
}

bool Server::Start(std::string& error) {
    if (!m_loop.Ok()) {
        error = "cannot create the event loop";
        return false;
    }
    if (!PasswordHasher::Initialise()) {
        error = "libsodium cannot be initialised";
        return false;
    }
    if (!m_accounts.Open(m_config.DatabasePath(), error)) return false;
    m_hasher = std::make_unique<PasswordHasher>(m_config.hashOpsLimit, m_config.hashMemLimitKiB * 1024);
    m_hashWorker = std::make_unique<HashWorker>(*m_hasher, kHashThreads);
    if (!m_hashWorker->Ok()) {
        error = "cannot start the password hashing threads";
        return false;
    }
    m_hashWatch = m_loop.Watch(m_hashWorker->WakeFd(), kReadable, [this](uint32_t) { m_hashWorker->Deliver(); });
    if (m_hashWatch == 0) {
        error = "cannot watch the password hashing threads";
        return false;
    }
    LogonHost& host = *this;
    m_release = std::make_unique<UpdateRelease>(m_config.UpdatesPath());
    m_logon = std::make_unique<LogonService>(host, m_accounts, *m_hasher, *m_hashWorker, m_config.versionQuery,
                                             m_release.get());
    StartWebSite();
    m_zone = std::make_unique<Zone>(host, m_accounts, m_clock, m_config.zone);
    if (m_web) m_zone->SetNewsSink([board = &m_web->News()](const std::string& line) { board->Add(line); });
    if (!OpenAdminChannel(error)) return false;
    for (uint16_t port : m_config.ports) {
        uint16_t bound = 0;
        int fd = OpenListener(m_config.bindAddress, port, bound, error);
        if (fd < 0) return false;
        m_listeners.push_back(fd);
        m_ports.push_back(bound);
        m_listenerWatches.push_back(m_loop.Watch(fd, kReadable, [this, fd](uint32_t) { AcceptAll(fd); }));
    }
    std::string ports;
    for (uint16_t p : m_ports) ports += (ports.empty() ? "" : ",") + std::to_string(p);
    Log("listening on " + m_config.bindAddress + " ports " + ports + ", database " + m_config.DatabasePath());
    return true;
}

void Server::Poll(int timeoutMs) {
    m_loop.RunOnce(timeoutMs);
    CheckTimeouts();
    m_zone->Tick();
    FlushAll();
    Reap();
    m_heap.Check(m_clock.NowMs());
}

int Server::PollTimeout() const {
    // Throttled sessions are served again as their budget refills.
    for (const auto& [id, session] : m_sessions)
        if (session->Throttled()) return 20;
    return 500;
}

void Server::Run(const std::atomic<bool>& stop) {
    while (!stop.load()) Poll(PollTimeout());
    Shutdown();
}

void Server::Shutdown() {
    if (m_admin) m_admin->Close();
    for (auto& [id, session] : m_sessions) EndSession(*session, "server shutting down", true);
    for (uint64_t watch : m_listenerWatches) m_loop.Unwatch(watch);
    for (int fd : m_listeners) close(fd);
    m_listeners.clear();
    m_listenerWatches.clear();
    // A short real-time wait: the sockets are closing and each pass
    // returns as soon as something happens.
    constexpr int kShutdownPasses = 20;
    for (int i = 0; i < kShutdownPasses && ConnectionCount() > 0; ++i) {
        FlushAll();
        for (auto& [id, c] : m_connections)
            if (c->FinishedWriting()) CloseNow(*c);
        Poll(50);
    }
    Reap();
}

Session* Server::FindSession(uint32_t id) {
    auto it = m_sessions.find(id);
    return it == m_sessions.end() || it->second->Ended() ? nullptr : it->second.get();
}

void Server::Log(const std::string& line) {
    if (m_log) m_log(line);
}

void Server::LogRefusal(const std::string& address, const std::string& line) {
    int unlogged = 0;
    if (!m_access.ShouldLog(address, m_clock.NowMs(), unlogged)) return;
    Log(unlogged == 0 ? line : line + " (and " + std::to_string(unlogged) + " refusals unlogged in the last minute)");
}

void Server::LogRefusal(Session& session, const std::string& line) {
    LogRefusal(session.Address(), line + " from " + session.Address());
}

bool Server::UsersFull() { return m_online.size() >= static_cast<size_t>(m_config.maxConnections); }

bool Server::LogonHeldBack(Session& session, const std::string& alias) {
    return m_access.LogonHeldBack(session.Address(), AliasKey(alias), m_clock.NowMs());
}

void Server::LogonFailed(Session& session, const std::string& alias) {
    m_access.LogonFailed(session.Address(), AliasKey(alias), m_clock.NowMs());
}

void Server::LogonSucceeded(Session& session, const std::string& alias) {
    m_access.LogonSucceeded(session.Address(), AliasKey(alias));
}

void Server::AcceptAll(int listener) {
    std::string peer;
    for (int fd; (fd = AcceptConnection(listener, peer)) >= 0;) {
        uint64_t id = m_nextConnectionId++;
        auto connection = std::make_unique<Connection>(fd, id, peer, m_clock.NowMs());
        // A refused connection is closed at once (by its destructor).
        if (!Admit(connection->Address())) continue;
        uint64_t watch = m_loop.Watch(fd, kReadable, [this, id](uint32_t events) { OnConnectionEvent(id, events); });
        if (watch == 0) {
            m_access.Release(connection->Address());
            continue;
        }
        connection->SetWatchId(watch);
        connection->SetInterest(kReadable);
        m_connections.emplace(id, std::move(connection));
    }
}

// The limits a new connection must pass: its address's, the pool of
// connections not logged on, and the sockets in all.
bool Server::Admit(const std::string& address) {
    switch (m_access.Admit(address, m_clock.NowMs())) {
        case AccessLimits::Verdict::TooManyOpen:
            LogRefusal(address, "connection from " + address + " refused: too many open from this address");
            return false;
        case AccessLimits::Verdict::TooManyAttempts:
            LogRefusal(address, "connection from " + address + " refused: too many per minute from this address");
            return false;
        case AccessLimits::Verdict::Allowed:
            break;
    }
    // Users, strangers, and as many again closing: beyond that the process
    // would only run out of descriptors.
    size_t sockets = static_cast<size_t>(m_config.maxConnections) + 2 * static_cast<size_t>(m_config.anonymousConnections);
    if (ConnectionCount() < sockets && MakeAnonymousRoom()) return true;
    m_access.Release(address);
    LogRefusal(address, "connection from " + address + " refused: no room for connections that are not logged on");
    return false;
}

bool Server::Anonymous(const Connection& c) const {
    if (c.WatchId() == 0 || c.GetState() == Connection::State::Closing) return false;
    return !c.GetSession() || !c.GetSession()->LoggedOn();
}

size_t Server::AnonymousCount() const {
    size_t n = 0;
    for (const auto& [id, c] : m_connections) n += Anonymous(*c) ? 1 : 0;
    return n;
}

// When the pool of connections not logged on is full, the one that has
// waited longest goes (not one whose password is being checked): holding
// places then takes a stranger a steady stream of new connections, which
// the limits per address stop.
bool Server::MakeAnonymousRoom() {
    Connection* oldest = nullptr;
    size_t count = 0;
    for (auto& [id, c] : m_connections) {
        if (!Anonymous(*c)) continue;
        ++count;
        Session* s = c->GetSession();
        if (s && s->State() == LogonState::Checking) continue;
        if (!oldest || c->Id() < oldest->Id()) oldest = c.get();
    }
    if (count < static_cast<size_t>(m_config.anonymousConnections)) return true;
    if (!oldest) return false;
    LogRefusal(oldest->Address(), "connection from " + oldest->Peer() + " closed: its place went to a newer one");
    if (Session* s = oldest->GetSession())
        AbortSession(*s, "its place went to a newer connection");
    else
        CloseNow(*oldest);
    return true;
}

void Server::OnConnectionEvent(uint64_t id, uint32_t events) {
    auto it = m_connections.find(id);
    if (it == m_connections.end()) return;
    Connection& c = *it->second;
    if ((events & kWritable) && !c.Flush()) {
        DropConnection(c, "write failed");
        return;
    }
    if (events & (kReadable | kHangup)) ReadFrom(c);
}

void Server::ReadFrom(Connection& c) {
    uint64_t id = c.Id();
    for (int i = 0; i < kReadsPerEvent; ++i) {
        if (c.GetState() == Connection::State::Open && c.GetSession() && c.GetSession()->Throttled()) break;
        size_t got = 0;
        Connection::ReadResult r = c.Read(m_readBuffer.data(), m_readBuffer.size(), got);
        if (r == Connection::ReadResult::WouldBlock) break;
        if (r == Connection::ReadResult::Closed) {
            if (c.GetState() == Connection::State::Closing)
                CloseNow(c);
            else
                DropConnection(c, "closed by the client");
            return;
        }
        c.Touch(m_clock.NowMs());
        HandleBytes(c, m_readBuffer.data(), got);
        // The bytes may have closed the connection.
        if (!m_connections.count(id) || c.WatchId() == 0) return;
    }
    UpdateInterest(c);
}

void Server::HandleBytes(Connection& c, const uint8_t* data, size_t n) {
    switch (c.GetState()) {
        case Connection::State::Opening:
            HandleOpening(c, data, n);
            break;
        case Connection::State::Open:
            if (Session* s = c.GetSession()) Deliver(*s, data, n);
            break;
        case Connection::State::Closing:
            // Its goodbye in reply to ours: it has what we sent.
            for (size_t i = 0; i < n; ++i)
                if (data[i] == protocol::kGoodbye && c.FinishedWriting()) {
                    CloseNow(c);
                    return;
                }
            break;
    }
}

void Server::HandleOpening(Connection& c, const uint8_t* data, size_t n) {
    std::string& bytes = c.OpeningBytes();
    bytes.append(reinterpret_cast<const char*>(data), n);
    protocol::TOpening opening;
    protocol::OpeningStatus status = protocol::ParseOpening(bytes, opening);
    if (status == protocol::OpeningStatus::Incomplete && bytes.size() <= kMaxOpening) return;
    if (status != protocol::OpeningStatus::Complete) {
        LogRefusal(c.Address(), "connection from " + c.Peer() + " closed: no valid opening");
        CloseNow(c);
        return;
    }
    std::string rest = bytes.substr(opening.length);
    bytes.clear();
    if (opening.kind == protocol::OpeningKind::Reconnect) {
        if (!ResumeSession(c, opening)) return;
    } else {
        StartSession(c, opening.kind == protocol::OpeningKind::Resumable);
    }
    if (!rest.empty() && c.GetSession())
        Deliver(*c.GetSession(), reinterpret_cast<const uint8_t*>(rest.data()), rest.size());
}

uint32_t Server::NewSessionId() const {
    uint32_t id = RandomSessionNumber();
    while (m_sessions.count(id)) id = RandomSessionNumber();
    return id;
}

void Server::StartSession(Connection& c, bool resumable) {
    uint32_t id = NewSessionId();
    auto session = std::make_unique<Session>(id, resumable, static_cast<size_t>(m_config.maxFrameBytes),
                                             m_clock.NowMs(), m_config.floodBurst);
    session->SetAddress(c.Address());
    session->Attach(&c);
    c.Open(session.get());
    if (resumable) {
        std::string frame;
        protocol::AppendSessionNumber(id, frame);
        session->Stream().SendRaw(frame);
    }
    m_sessions.emplace(id, std::move(session));
}

bool Server::ResumeSession(Connection& c, const protocol::TOpening& opening) {
    Session* s = opening.session <= UINT32_MAX ? FindSession(static_cast<uint32_t>(opening.session)) : nullptr;
    // Only a logged-on session, or one fetching an update, is kept for
    // resumption.
    if (s && !s->Keepable()) s = nullptr;
    if (s && !s->Stream().CanResumeFrom(opening.bytesReceived)) {
        EndSession(*s, "cannot resume from byte " + std::to_string(opening.bytesReceived), false);
        s = nullptr;
    }
    if (!s) {
        // The client learns that its session is over and closes plainly.
        LogRefusal(c.Address(), "reconnect from " + c.Peer() + " to session " + std::to_string(opening.session) +
                                    " refused");
        c.QueueOwn(std::string(1, static_cast<char>(protocol::kGoodbye)));
        c.BeginClose(m_clock.NowMs() + kLingerMs);
        return false;
    }
    if (Connection* old = s->Attached()) {
        old->Release();
        CloseNow(*old);
    }
    s->Stream().ResumeFrom(opening.bytesReceived);
    std::string reply;
    protocol::AppendResumeReply(s->Stream().ResumeReplyNumber(), reply);
    c.QueueOwn(reply);
    s->Attach(&c);
    c.Open(s);
    Log("session " + std::to_string(s->Id()) + " resumed from " + c.Peer());
    return true;
}

}  // namespace server
