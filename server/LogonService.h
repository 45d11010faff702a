// The logon conversation of a session and the account messages after it:
//   hello "O" -> version query (81, when configured) -> when a signed
//   release is published, the query "update" (81), and the release (83)
//   unless the client has it -> logon prompt (82)
//   -> logon or registration logon -> accepted (1, web password) or refused
//   (255 and a number, after which the session ends);
//   once logged on: account data request "'" -> code 39; account update "(".
// A client that was offered the release may fetch its files before it logs
// on (0x1A name, offset -> 26, see UpdateRelease.h).
// What follows the accepted reply (the world of the zone) is the host's,
// told through LoggedOn.
// Messages that do not fit the session's state are ignored.
//
// Refused before any hashing, so a crowd at the door costs little: a logon
// when every user place is taken ("Errortoomany"), and a logon while its
// address or alias waits after failed logons (also "Errortoomany": the
// password may be right, it was not looked at). A wrong password, an
// unknown alias or a malformed logon counts as a failure.
//
// Hashing and verifying passwords run on the HashWorker, so a logon or a
// registration waits in LogonState::Checking while other sessions are
// served; the answer goes out when the result is back, provided the session
// still exists and still waits for that check.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "AccountStore.h"
#include "HashWorker.h"
#include "LogonMessages.h"
#include "PasswordHasher.h"
#include "Session.h"
#include "SessionHost.h"
#include "UpdateRelease.h"

namespace server {

// What the logon needs from the server that runs it.
class LogonHost : public SessionHost {
public:
    // The session logged on under this alias (any letter case), or null.
    virtual Session* FindOnline(const std::string& alias) = 0;
    virtual void MarkOnline(Session& session) = 0;
    // After the logon-accepted reply: the account as stored now.
    virtual void LoggedOn(Session& session, const Account& account) = 0;
    // After an account update of a logged-on session.
    virtual void ProfileChanged(Session& session, const Account& account) = 0;
    // Every user place is taken.
    virtual bool UsersFull() = 0;
    // The session's address or this alias waits after failed logons.
    virtual bool LogonHeldBack(Session& session, const std::string& alias) = 0;
    virtual void LogonFailed(Session& session, const std::string& alias) = 0;
    virtual void LogonSucceeded(Session& session, const std::string& alias) = 0;
    // A line about a refusal: logged once per address and minute.
    virtual void LogRefusal(Session& session, const std::string& line) = 0;
};

class LogonService {
public:
    LogonService(LogonHost& host, AccountStore& accounts, const PasswordHasher& hasher, HashWorker& worker,
                 std::string versionQuery, UpdateRelease* release = nullptr);

    // Handles one application message. Returns false when it was not one of
    // the logon or account messages (for a logged-on session, the caller
    // passes it on).
    bool Handle(Session& session, const std::string& message);

private:
    using CheckDone = std::function<void(Session&, const HashWorker::Result&)>;

    void Hello(Session& session);
    void VersionAnswer(Session& session, const std::string& message);
    // Asks for the installed release when one is published, else prompts.
    void AskRelease(Session& session);
    void ReleaseAnswer(Session& session, const std::string& installed);
    void Prompt(Session& session);
    void FileRequest(Session& session, const std::string& message);
    void Logon(Session& session, const std::string& message);
    void CheckPassword(Session& session, const LogonRequest& request);
    void PasswordChecked(Session& session, Account& account, const LogonRequest& request, bool verified);
    void Register(Session& session, const LogonRequest& request);
    void Registered(Session& session, const LogonRequest& request, const std::string& hash);
    // Puts the session into Checking and returns the continuation of its
    // check: `then` runs only if the session still waits for it.
    HashWorker::Done AfterCheck(Session& session, CheckDone then);
    void StoreNewHash(int64_t accountId, const std::string& password);
    void Accept(Session& session, Account& account, const LogonRequest& request);
    void Refuse(Session& session, Refusal refusal, const std::string& alias);
    void SendAccountData(Session& session);
    void UpdateAccount(Session& session, const std::string& message);

    LogonHost& m_host;
    AccountStore& m_accounts;
    const PasswordHasher& m_hasher;
    HashWorker& m_worker;
    std::string m_versionQuery;
    UpdateRelease* m_release;
    uint64_t m_lastCheck = 0;
};

}  // namespace server
