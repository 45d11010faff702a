// Limits per source address and per alias that keep one stranger from
// crowding out everyone else: connections open at once and connection
// attempts per minute for each address, and a growing wait after failed
// logons, for the address and for the alias tried. A logon that comes
// during that wait is refused at once (nothing hangs). It also decides when
// a refusal is worth a log line: once per address and minute.
//
// Time comes in as milliseconds from the server's clock, so tests move it by
// hand. Records that hold nothing any more are dropped by Forget.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

namespace server {

struct AccessSettings {
    // Connections one address may hold open at once (a household or a small
    // office behind one address stays below it).
    int connectionsPerAddress = 16;
    // New connections one address may open per minute, refused ones included.
    int connectionsPerMinute = 60;
    // Failed logons an address or alias may have before the waits begin.
    int freeLogonFailures = 3;
    // The first wait, doubled with every further failure up to the longest.
    int logonPenaltyMs = 2000;
    int maxLogonPenaltyMs = 60000;
};

class AccessLimits {
public:
    enum class Verdict { Allowed, TooManyOpen, TooManyAttempts };

    explicit AccessLimits(AccessSettings settings) : m_settings(settings) {}

    // A new connection from address: counts the attempt and, when allowed,
    // the open connection (give it back with Release).
    Verdict Admit(const std::string& address, int64_t nowMs);
    void Release(const std::string& address);
    int OpenFrom(const std::string& address) const;

    // True while the address or the alias (lower-cased) waits after failures.
    bool LogonHeldBack(const std::string& address, const std::string& aliasKey, int64_t nowMs) const;
    void LogonFailed(const std::string& address, const std::string& aliasKey, int64_t nowMs);
    // A logon that got through: the failures of its address and alias are
    // forgiven.
    void LogonSucceeded(const std::string& address, const std::string& aliasKey);

    // True for the first refusal of an address in a minute; unlogged gets the
    // refusals left out of the log since its previous line.
    bool ShouldLog(const std::string& address, int64_t nowMs, int& unlogged);

    // Drops the records that no longer limit anything.
    void Forget(int64_t nowMs);
    size_t Records() const { return m_addresses.size() + m_aliases.size(); }

private:
    struct Failures {
        int count = 0;
        int64_t lastAt = 0;
        int64_t waitUntil = 0;
    };
    struct AddressRecord {
        int open = 0;
        int64_t windowStart = 0;
        int attempts = 0;
        Failures failures;
        int64_t loggedAt = 0;
        bool logged = false;
        int unlogged = 0;
    };

    void AddFailure(Failures& failures, int64_t nowMs) const;
    bool Idle(const AddressRecord& r, int64_t nowMs) const;

    AccessSettings m_settings;
    std::unordered_map<std::string, AddressRecord> m_addresses;
    std::unordered_map<std::string, Failures> m_aliases;
};

}  // namespace server
