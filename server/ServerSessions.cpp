// The server's sessions: frames in, messages out, ending, time-outs and
// writing. The loop and the openings are in Server.cpp.
#include "Server.h"

#include "LogonMessages.h"

namespace server {

void Server::Send(Session& session, std::string_view message) {
    if (session.Ended() || session.Overflowed()) return;
    if (session.Stream().Buffered() >= static_cast<size_t>(m_config.maxBufferedBytes)) {
        // The client takes nothing: it is ended at the end of this pass.
        session.MarkOverflowed();
        return;
    }
    if (!session.Stream().SendMessage(message))
        Log("session " + std::to_string(session.Id()) + ": message of " + std::to_string(message.size()) +
            " bytes not sent");
}

void Server::SendPrompt(Session& session, std::string_view message) {
    Send(session, message);
    session.SetPrompt(true);
}

void Server::Deliver(Session& session, const uint8_t* data, size_t n) {
    session.Stream().Receive(data, n);
    ProcessFrames(session);
}

void Server::ProcessFrames(Session& session) {
    protocol::TFrame frame;
    std::string error;
    while (!session.Ended() && session.HasFrameToken()) {
        protocol::DecodeStatus status = session.Stream().TakeFrame(frame, error);
        if (status == protocol::DecodeStatus::Incomplete) break;
        if (status == protocol::DecodeStatus::Error) {
            EndSession(session, error, true);
            break;
        }
        // An acknowledgement answers bytes this server wrote (one that
        // does not ends the session), so it cannot flood: counted, it held
        // every download to the budget's frame rate.
        if (frame.kind != protocol::FrameKind::Acknowledge) session.SpendFrameToken();
        HandleFrame(session, frame);
    }
}

void Server::HandleFrame(Session& session, const protocol::TFrame& frame) {
    switch (frame.kind) {
        case protocol::FrameKind::KeepAlive: {
            std::string answer;
            protocol::AppendKeepAlive(answer);
            session.Stream().SendRaw(answer);
            return;
        }
        case protocol::FrameKind::Goodbye:
            EndSession(session, "goodbye", false);
            return;
        case protocol::FrameKind::Acknowledge:
            if (!session.Stream().Acknowledge()) EndSession(session, "acknowledgement of bytes never sent", true);
            return;
        case protocol::FrameKind::ResumeReply:
        case protocol::FrameKind::SessionNumber:
            EndSession(session, "a server frame from the client", true);
            return;
        case protocol::FrameKind::Message:
            break;
    }
    if (frame.payload.empty()) return;
    if (m_logon->Handle(session, frame.payload) || !session.LoggedOn()) return;
    if (OnUserMessage)
        OnUserMessage(session, frame.payload);
    else
        m_zone->Handle(session, frame.payload);
}

void Server::EndSession(Session& session, const std::string& reason) { EndSession(session, reason, true); }

void Server::EndSession(Session& session, const std::string& reason, bool goodbye) {
    if (session.Ended()) return;
    session.MarkEnded();
    if (session.LoggedOn()) {
        auto it = m_online.find(AliasKey(session.Alias()));
        if (it != m_online.end() && it->second == session.Id()) m_online.erase(it);
        m_zone->Leave(session);
    }
    if (Connection* c = session.Attached()) {
        if (goodbye && session.Resumable()) {
            std::string bye;
            protocol::AppendGoodbye(bye);
            session.Stream().SendRaw(bye);
        }
        c->BeginClose(m_clock.NowMs() + kLingerMs);
        UpdateInterest(*c);
    }
    bool wasUser = !session.Alias().empty();
    session.Detach(m_clock.NowMs());
    m_endedSessions.push_back(session.Id());
    // Strangers' sessions come and go in numbers: their ends are logged as
    // refusals are, once per address and minute.
    std::string line = "session " + std::to_string(session.Id()) + " ended: " + reason;
    if (wasUser)
        Log(line);
    else
        LogRefusal(session, line);
}

void Server::AbortSession(Session& session, const std::string& reason) {
    if (Connection* c = session.Attached()) {
        c->Release();
        CloseNow(*c);
        session.Detach(m_clock.NowMs());
    }
    EndSession(session, reason, false);
}

Session* Server::FindOnline(const std::string& alias) {
    auto it = m_online.find(AliasKey(alias));
    return it == m_online.end() ? nullptr : FindSession(it->second);
}

void Server::MarkOnline(Session& session) { m_online[AliasKey(session.Alias())] = session.Id(); }

void Server::LoggedOn(Session& session, const Account& account) {
    if (!OnUserMessage) m_zone->Enter(session, account);
}

void Server::ProfileChanged(Session& session, const Account& account) { m_zone->ProfileChanged(session, account); }

void Server::DropConnection(Connection& c, const std::string& reason) {
    Session* s = c.GetSession();
    c.Release();
    CloseNow(c);
    if (!s || s->Ended()) return;
    if (s->Resumable() && s->Keepable()) {
        s->Detach(m_clock.NowMs());
        Log("session " + std::to_string(s->Id()) + " lost its connection (" + reason + "); waiting for a resume");
    } else {
        s->Detach(m_clock.NowMs());
        EndSession(*s, reason, false);
    }
}

void Server::CloseNow(Connection& c) {
    if (c.WatchId() == 0) return;
    m_loop.Unwatch(c.WatchId());
    c.SetWatchId(0);
    m_deadConnections.push_back(c.Id());
}

void Server::UpdateInterest(Connection& c) {
    if (c.WatchId() == 0) return;
    uint32_t interest = 0;
    Session* s = c.GetSession();
    if (!(c.GetState() == Connection::State::Open && s && s->Throttled())) interest |= kReadable;
    if (c.HasOutput()) interest |= kWritable;
    if (interest != c.Interest() && m_loop.Modify(c.WatchId(), interest)) c.SetInterest(interest);
}

void Server::CheckTimeouts() {
    int64_t now = m_clock.NowMs();
    constexpr int64_t kForgetEveryMs = 10000;
    if (now - m_forgottenAt >= kForgetEveryMs) {
        m_access.Forget(now);
        m_forgottenAt = now;
    }
    for (auto& [id, session] : m_sessions)
        if (!session->Ended()) CheckSession(*session, now);
    for (auto& [id, connection] : m_connections)
        if (connection->WatchId() != 0) CheckConnection(*connection, now);
}

void Server::CheckSession(Session& s, int64_t now) {
    if (s.Throttled()) {
        s.Refill(now, m_config.floodFramesPerSecond, m_config.floodBurst);
        if (!s.Throttled()) {
            ProcessFrames(s);
            if (s.Attached()) UpdateInterest(*s.Attached());
        }
    } else {
        s.Refill(now, m_config.floodFramesPerSecond, m_config.floodBurst);
    }
    if (s.Ended()) return;
    if (!s.Keepable() && now - s.CreatedAt() >= m_config.logonTimeoutMs) {
        EndSession(s, "no logon in time", true);
    } else if (!s.Attached() && now - s.DetachedAt() >= m_config.gracePeriodMs) {
        EndSession(s, "not resumed in time", false);
    } else if (s.Overflowed() || s.Stream().Buffered() > static_cast<size_t>(m_config.maxBufferedBytes)) {
        AbortSession(s, "client does not take its data");
    }
}

void Server::CheckConnection(Connection& c, int64_t now) {
    switch (c.GetState()) {
        case Connection::State::Opening:
            if (now - c.LastReceiveAt() >= m_config.logonTimeoutMs) CloseNow(c);
            break;
        case Connection::State::Open:
            if (now - c.LastReceiveAt() >= m_config.idleTimeoutMs) DropConnection(c, "silent too long");
            break;
        case Connection::State::Closing:
            if (now >= c.CloseDeadline()) CloseNow(c);
            break;
    }
}

void Server::FlushAll() {
    for (auto& [id, c] : m_connections) {
        Session* session = c->GetSession();
        if (!session || !session->Prompt()) continue;
        session->SetPrompt(false);
        FlushConnection(*c);
    }
    for (auto& [id, c] : m_connections) FlushConnection(*c);
}

void Server::FlushConnection(Connection& c) {
    if (c.WatchId() == 0 || !c.NeedsFlush()) return;
    if (!c.Flush()) {
        DropConnection(c, "write failed");
        return;
    }
    UpdateInterest(c);
}

void Server::Reap() {
    for (uint64_t id : m_deadConnections) {
        auto it = m_connections.find(id);
        if (it == m_connections.end()) continue;
        m_access.Release(it->second->Address());
        m_connections.erase(it);
    }
    m_deadConnections.clear();
    for (uint32_t id : m_endedSessions) m_sessions.erase(id);
    m_endedSessions.clear();
}

}  // namespace server
