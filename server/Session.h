// One client session on the server: its byte streams, where it stands in the
// logon, who it is once logged on, its flood budget and its time stamps. A
// resumable session outlives a dropped socket for the grace period; the
// connection that carries it may change, the session does not.
#pragma once

#include <cstdint>
#include <string>

#include "SessionStream.h"

namespace server {

class Connection;

enum class LogonState {
    AwaitHello,    // waiting for "O"
    AwaitVersion,  // the version query is out
    AwaitLogon,    // the logon prompt is out
    Checking,      // the password is being hashed or verified off the loop
    LoggedOn,
    Refused,       // refused; the session is ending
};

class Session {
public:
    Session(uint32_t id, bool resumable, size_t maxFrameBytes, int64_t nowMs, int floodBurst);

    uint32_t Id() const { return m_id; }
    SessionStream& Stream() { return m_stream; }
    const SessionStream& Stream() const { return m_stream; }
    bool Resumable() const { return m_stream.Resumable(); }

    Connection* Attached() const { return m_connection; }
    void Attach(Connection* connection) { m_connection = connection; }
    void Detach(int64_t nowMs);
    int64_t DetachedAt() const { return m_detachedAt; }
    int64_t CreatedAt() const { return m_createdAt; }

    LogonState State() const { return m_state; }
    void SetState(LogonState state) { m_state = state; }
    bool LoggedOn() const { return m_state == LogonState::LoggedOn; }

    // The password check in progress (0: none). Its result is used only
    // while the session still waits for this very check.
    uint64_t PendingCheck() const { return m_pendingCheck; }
    void SetPendingCheck(uint64_t ticket) { m_pendingCheck = ticket; }

    // The source address of the connection that started the session.
    const std::string& Address() const { return m_address; }
    void SetAddress(const std::string& address) { m_address = address; }

    // A message was not queued because the client let its queue reach the
    // limit: the session must end, whatever it acknowledges later.
    bool Overflowed() const { return m_overflowed; }
    void MarkOverflowed() { m_overflowed = true; }
    // Holds a message a game waits for: written first in the next flush.
    bool Prompt() const { return m_prompt; }
    void SetPrompt(bool prompt) { m_prompt = prompt; }

    // Set at logon.
    const std::string& Alias() const { return m_alias; }
    int64_t AccountId() const { return m_accountId; }
    void SetUser(const std::string& alias, int64_t accountId);
    // The version the client named in its answer to the version query.
    const std::string& ClientVersion() const { return m_clientVersion; }
    void SetClientVersion(const std::string& version) { m_clientVersion = version; }
    // The account data (code 39) last sent had no complete birthday, so the
    // account update may carry one.
    bool BirthdayAsked() const { return m_birthdayAsked; }
    void SetBirthdayAsked(bool asked) { m_birthdayAsked = asked; }
    int PingMs() const { return m_pingMs; }
    // The update download before the logon: the release query is out, the
    // release was announced, and files are being fetched. A fetching session
    // is kept for resumption and has no logon time limit, like a logged-on
    // one, so a cut line does not restart a long download.
    bool ReleaseAsked() const { return m_releaseAsked; }
    void SetReleaseAsked(bool asked) { m_releaseAsked = asked; }
    bool UpdateOffered() const { return m_updateOffered; }
    void SetUpdateOffered(bool offered) { m_updateOffered = offered; }
    bool Updating() const { return m_updating; }
    void SetUpdating(bool updating) { m_updating = updating; }
    // Logged on, or fetching an update: worth keeping when the line drops.
    bool Keepable() const { return LoggedOn() || m_updating; }

    // Ended sessions wait for the end of the loop pass to be freed.
    bool Ended() const { return m_ended; }
    void MarkEnded() { m_ended = true; }
    void SetPingMs(int ms) { m_pingMs = ms; }

    // Flood budget: a token bucket of frames. HasFrameToken marks the
    // session throttled when the bucket is empty.
    bool HasFrameToken();
    void SpendFrameToken() { m_tokens -= 1.0; }
    void Refill(int64_t nowMs, int framesPerSecond, int burst);
    bool Throttled() const { return m_throttled; }

private:
    uint32_t m_id;
    SessionStream m_stream;
    Connection* m_connection = nullptr;
    int64_t m_createdAt;
    int64_t m_detachedAt = 0;
    LogonState m_state = LogonState::AwaitHello;
    std::string m_address;
    bool m_overflowed = false;
    bool m_prompt = false;
    uint64_t m_pendingCheck = 0;
    std::string m_alias;
    int64_t m_accountId = 0;
    std::string m_clientVersion;
    bool m_birthdayAsked = false;
    int m_pingMs = 0;
    bool m_releaseAsked = false;
    bool m_updateOffered = false;
    bool m_updating = false;
    double m_tokens;
    int64_t m_refilledAt;
    bool m_throttled = false;
    bool m_ended = false;
};

}  // namespace server
