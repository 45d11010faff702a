// What the parts that run above the transport (the logon, the zone, the
// operator's channel) need from the server that carries the sessions.
// Sending only queues: it never ends a session or calls back, so callers may
// send while they walk their own lists.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace server {

class Session;

class SessionHost {
public:
    virtual ~SessionHost() = default;
    virtual void Send(Session& session, std::string_view message) = 0;
    // The same for a message a game waits for (a player's game payload):
    // the session is written before those holding only ordinary messages,
    // so a game's traffic never waits behind, say, a hundred watchers' live
    // previews of it.
    virtual void SendPrompt(Session& session, std::string_view message) { Send(session, message); }
    // Ends the session after what is queued, with a goodbye when resumable.
    virtual void EndSession(Session& session, const std::string& reason) = 0;
    // A session that has not ended, by number, or null.
    virtual Session* FindSession(uint32_t id) = 0;
    virtual void Log(const std::string& line) = 0;
};

}  // namespace server
