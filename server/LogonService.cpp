#include "LogonService.h"

#include <ctime>

#include "release/Release.h"

namespace server {
namespace {

// Length of the web password sent with an accepted logon.
constexpr int kWebPasswordLength = 16;

int64_t UnixNow() { return static_cast<int64_t>(std::time(nullptr)); }

std::string Quoted(const std::string& alias) {
    // Aliases are checked before they are logged, but a refused one may hold
    // anything: keep the log line printable.
    std::string out = "\"";
    for (char ch : alias.substr(0, kMaxAliasLength * 2))
        out.push_back(static_cast<unsigned char>(ch) < 0x20 ? '?' : ch);
    return out + "\"";
}

}  // namespace

LogonService::LogonService(LogonHost& host, AccountStore& accounts, const PasswordHasher& hasher,
                           HashWorker& worker, std::string versionQuery, UpdateRelease* release)
    : m_host(host),
      m_accounts(accounts),
      m_hasher(hasher),
      m_worker(worker),
      m_versionQuery(std::move(versionQuery)),
      m_release(release) {}

bool LogonService::Handle(Session& session, const std::string& message) {
    uint8_t code = static_cast<uint8_t>(message[0]);
    switch (session.State()) {
        case LogonState::AwaitHello:
            if (code == protocol::CodeByte(protocol::TClientCode::Hello)) Hello(session);
            return true;
        case LogonState::AwaitVersion:
            if (code == protocol::CodeByte(protocol::TClientCode::VersionAnswer)) VersionAnswer(session, message);
            return true;
        case LogonState::AwaitLogon:
            if (code == protocol::CodeByte(protocol::TClientCode::Logon)) Logon(session, message);
            if (code == protocol::CodeByte(protocol::TClientCode::FileRequest)) FileRequest(session, message);
            return true;
        case LogonState::Checking:
        case LogonState::Refused:
            return true;
        case LogonState::LoggedOn:
            break;
    }
    if (code == protocol::CodeByte(protocol::TClientCode::AccountRequest)) {
        SendAccountData(session);
        return true;
    }
    if (code == protocol::CodeByte(protocol::TClientCode::AccountUpdate)) {
        UpdateAccount(session, message);
        return true;
    }
    protocol::TPingReply ping;
    if (protocol::Parse(message, ping)) {
        // The answer to our "{": the client's round trip in milliseconds.
        int64_t ms = ping.Ms;
        session.SetPingMs(ms >= 0 && ms < 3600000 ? static_cast<int>(ms) : 0);
        return true;
    }
    return false;
}

void LogonService::Hello(Session& session) {
    if (m_release) m_release->Refresh();
    if (!m_versionQuery.empty()) {
        m_host.Send(session, protocol::Build(protocol::TVersionQuery{m_versionQuery}));
        session.SetState(LogonState::AwaitVersion);
        return;
    }
    AskRelease(session);
}

void LogonService::VersionAnswer(Session& session, const std::string& message) {
    std::string name, version;
    if (!ParseVersionAnswer(message, name, version)) return;
    if (session.ReleaseAsked()) {
        if (name == release::kVersionKey) ReleaseAnswer(session, version);
        return;
    }
    if (name != m_versionQuery) return;
    session.SetClientVersion(version);
    AskRelease(session);
}

void LogonService::AskRelease(Session& session) {
    if (!m_release || !m_release->Available()) {
        Prompt(session);
        return;
    }
    session.SetReleaseAsked(true);
    m_host.Send(session, protocol::Build(protocol::TVersionQuery{release::kVersionKey}));
    session.SetState(LogonState::AwaitVersion);
}

void LogonService::ReleaseAnswer(Session& session, const std::string& installed) {
    if (m_release->Available() && installed != m_release->Identity()) {
        m_host.Send(session, protocol::Build(protocol::TUpdateItem{m_release->Item()}));
        session.SetUpdateOffered(true);
    }
    Prompt(session);
}

void LogonService::Prompt(Session& session) {
    m_host.Send(session, protocol::Build(protocol::TLogonPrompt{}));
    session.SetState(LogonState::AwaitLogon);
}

void LogonService::FileRequest(Session& session, const std::string& message) {
    protocol::TFileRequest request;
    if (!session.UpdateOffered() || !protocol::Parse(message, request)) return;
    std::string chunk = m_release->Chunk(request.Name, request.Offset);
    if (chunk.empty()) {
        m_host.EndSession(session, "asked for a file the release does not hold: " + request.Name.substr(0, 80));
        return;
    }
    session.SetUpdating(true);
    m_host.Send(session, chunk);
}

void LogonService::Logon(Session& session, const std::string& message) {
    LogonRequest request;
    if (!ParseLogon(message, request)) {
        Refuse(session, Refusal::Password, "");
        return;
    }
    bool replacing = m_host.FindOnline(request.alias) != nullptr;
    if ((m_host.UsersFull() && !replacing) || m_host.LogonHeldBack(session, request.alias)) {
        Refuse(session, Refusal::TooMany, request.alias);
        return;
    }
    if (request.registration)
        Register(session, request);
    else
        CheckPassword(session, request);
}

HashWorker::Done LogonService::AfterCheck(Session& session, CheckDone then) {
    uint64_t ticket = ++m_lastCheck;
    uint32_t id = session.Id();
    session.SetState(LogonState::Checking);
    session.SetPendingCheck(ticket);
    return [this, id, ticket, then = std::move(then)](const HashWorker::Result& result) {
        // The client may have gone, or the session ended, while we hashed.
        Session* waiting = m_host.FindSession(id);
        if (!waiting || waiting->State() != LogonState::Checking || waiting->PendingCheck() != ticket) return;
        waiting->SetPendingCheck(0);
        then(*waiting, result);
    };
}

void LogonService::CheckPassword(Session& session, const LogonRequest& request) {
    Account account;
    AccountStore::Result found = AccountStore::Result::NotFound;
    if (AcceptableAlias(request.alias) && AcceptablePassword(request.password))
        found = m_accounts.Find(request.alias, account);
    if (found == AccountStore::Result::Failed) {
        Refuse(session, Refusal::ServerFault, request.alias);
        return;
    }
    if (found == AccountStore::Result::NotFound) {
        // As slow as a wrong password, so the answer does not tell which.
        m_worker.VerifyDummy(request.password, AfterCheck(session, [this, request](Session& s, const HashWorker::Result&) {
                                 Refuse(s, Refusal::Password, request.alias);
                             }));
        return;
    }
    std::string encoded = account.passwordHash;
    m_worker.Verify(std::move(encoded), request.password,
                    AfterCheck(session, [this, account, request](Session& s, const HashWorker::Result& r) mutable {
                        PasswordChecked(s, account, request, r.verified);
                    }));
}

void LogonService::PasswordChecked(Session& session, Account& account, const LogonRequest& request,
                                   bool verified) {
    if (!verified) {
        Refuse(session, Refusal::Password, request.alias);
        return;
    }
    if (account.banned) {
        Refuse(session, Refusal::Banned, request.alias);
        return;
    }
    if (m_hasher.NeedsRehash(account.passwordHash)) StoreNewHash(account.id, request.password);
    Accept(session, account, request);
}

// Hashes a password at the current limits and stores it when done, whatever
// became of the session that gave it.
void LogonService::StoreNewHash(int64_t accountId, const std::string& password) {
    m_worker.Hash(password, [this, accountId](const HashWorker::Result& r) {
        if (r.hash.empty() || !m_accounts.SetPasswordHash(accountId, r.hash))
            m_host.Log("password hash of account " + std::to_string(accountId) + " not stored");
    });
}

void LogonService::Register(Session& session, const LogonRequest& request) {
    if (!AcceptableAlias(request.alias)) {
        Refuse(session, Refusal::Alias, request.alias);
        return;
    }
    if (!AcceptablePassword(request.password)) {
        Refuse(session, Refusal::Password, request.alias);
        return;
    }
    m_worker.Hash(request.password,
                  AfterCheck(session, [this, request](Session& s, const HashWorker::Result& r) {
                      Registered(s, request, r.hash);
                  }));
}

// The alias is taken only now: of two registrations racing for one alias,
// the first whose hash is done wins, the other is told "Erroralias".
void LogonService::Registered(Session& session, const LogonRequest& request, const std::string& hash) {
    Account account;
    account.alias = request.alias;
    account.birthYear = request.year;
    account.birthMonth = request.month;
    account.birthDay = request.day;
    account.gender = request.gender;
    account.face = request.face;
    account.passwordHash = hash;
    AccountStore::Result created = hash.empty() ? AccountStore::Result::Failed : m_accounts.Create(account);
    if (created != AccountStore::Result::Ok) {
        Refuse(session, created == AccountStore::Result::Exists ? Refusal::Alias : Refusal::ServerFault,
               request.alias);
        return;
    }
    m_host.Log("registered " + Quoted(account.alias));
    Accept(session, account, request);
}

void LogonService::Accept(Session& session, Account& account, const LogonRequest& request) {
    if (Session* other = m_host.FindOnline(account.alias)) {
        // A live session keeps the alias; one waiting to be resumed is a
        // client that went away, and the new logon replaces it.
        if (other->Attached()) {
            Refuse(session, Refusal::Connected, request.alias);
            return;
        }
        m_host.EndSession(*other, "replaced by a new logon");
    }
    // Checked again: other logons may have filled the places while this
    // password was checked.
    if (m_host.UsersFull()) {
        Refuse(session, Refusal::TooMany, request.alias);
        return;
    }
    std::string webPassword = RandomToken(kWebPasswordLength);
    if (!m_accounts.RecordLogon(account.id, webPassword, request.distribution, request.machine, UnixNow())) {
        Refuse(session, Refusal::ServerFault, request.alias);
        return;
    }
    m_host.LogonSucceeded(session, request.alias);
    session.SetUser(account.alias, account.id);
    session.SetState(LogonState::LoggedOn);
    m_host.MarkOnline(session);
    m_host.Send(session, protocol::Build(protocol::TLogonAccepted{webPassword}));
    m_host.Log("logon " + Quoted(account.alias) + " session " + std::to_string(session.Id()));
    // Read back, so the host sees the counters and defaults the store keeps.
    Account stored;
    if (m_accounts.Find(account.alias, stored) == AccountStore::Result::Ok) m_host.LoggedOn(session, stored);
}

void LogonService::Refuse(Session& session, Refusal refusal, const std::string& alias) {
    m_host.Send(session, protocol::Build(protocol::TLogonRefused{static_cast<int>(refusal)}));
    session.SetState(LogonState::Refused);
    if (refusal == Refusal::Password) m_host.LogonFailed(session, alias);
    m_host.LogRefusal(session, "logon refused (" + std::to_string(static_cast<int>(refusal)) + ") " + Quoted(alias));
    m_host.EndSession(session, "logon refused");
}

void LogonService::SendAccountData(Session& session) {
    Account a;
    if (m_accounts.Find(session.Alias(), a) != AccountStore::Result::Ok) return;
    session.SetBirthdayAsked(!a.HasBirthday());
    protocol::TAccountData data{.Gender = a.gender, .Face = a.face};
    if (a.HasBirthday()) {
        data.Year = a.birthYear;
        data.Month = a.birthMonth;
        data.Day = a.birthDay;
    }
    m_host.Send(session, protocol::Build(data));
}

void LogonService::UpdateAccount(Session& session, const std::string& message) {
    AccountUpdate update;
    Account a;
    if (!ParseAccountUpdate(message, update) ||
        m_accounts.Find(session.Alias(), a) != AccountStore::Result::Ok)
        return;
    if (!update.password.empty()) {
        if (!AcceptablePassword(update.password)) return;
        StoreNewHash(a.id, update.password);
    }
    // A birthday once known stays; gender comes with it, as in the window.
    if (update.hasBirthday && !a.HasBirthday() && session.BirthdayAsked()) {
        a.birthYear = update.year;
        a.birthMonth = update.month;
        a.birthDay = update.day;
        a.gender = update.gender;
    }
    // The window lets only privileged users choose a face.
    if (a.privileged) a.face = update.face;
    if (!m_accounts.SetProfile(a.id, a.birthYear, a.birthMonth, a.birthDay, a.gender, a.face)) return;
    session.SetBirthdayAsked(false);
    m_host.ProfileChanged(session, a);
}

}  // namespace server
