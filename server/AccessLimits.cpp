#include "AccessLimits.h"

#include <algorithm>

namespace server {
namespace {

constexpr int64_t kMinuteMs = 60000;
// Failures older than this are forgotten.
constexpr int64_t kFailureMemoryMs = 10 * kMinuteMs;
// Aliases remembered at most: strangers may try any number of names, and
// their addresses wait anyway.
constexpr size_t kMaxAliasRecords = 100000;


}  // namespace

AccessLimits::Verdict AccessLimits::Admit(const std::string& address, int64_t nowMs) {
    AddressRecord& r = m_addresses[address];
    if (r.attempts == 0 || nowMs - r.windowStart >= kMinuteMs) {
        r.windowStart = nowMs;
        r.attempts = 0;
    }
    ++r.attempts;
    if (r.attempts > m_settings.connectionsPerMinute) return Verdict::TooManyAttempts;
    if (r.open >= m_settings.connectionsPerAddress) return Verdict::TooManyOpen;
    ++r.open;
    return Verdict::Allowed;
}

void AccessLimits::Release(const std::string& address) {
    auto it = m_addresses.find(address);
    if (it != m_addresses.end() && it->second.open > 0) --it->second.open;
}

int AccessLimits::OpenFrom(const std::string& address) const {
    auto it = m_addresses.find(address);
    return it == m_addresses.end() ? 0 : it->second.open;
}

bool AccessLimits::LogonHeldBack(const std::string& address, const std::string& aliasKey, int64_t nowMs) const {
    auto a = m_addresses.find(address);
    if (a != m_addresses.end() && nowMs < a->second.failures.waitUntil) return true;
    auto n = m_aliases.find(aliasKey);
    return n != m_aliases.end() && nowMs < n->second.waitUntil;
}

void AccessLimits::AddFailure(Failures& f, int64_t nowMs) const {
    if (f.count > 0 && nowMs - f.lastAt >= kFailureMemoryMs) f.count = 0;
    ++f.count;
    f.lastAt = nowMs;
    int beyond = f.count - m_settings.freeLogonFailures;
    if (beyond <= 0) return;
    int64_t wait = m_settings.logonPenaltyMs;
    for (int i = 1; i < beyond && wait < m_settings.maxLogonPenaltyMs; ++i) wait *= 2;
    f.waitUntil = nowMs + std::min<int64_t>(wait, m_settings.maxLogonPenaltyMs);
}

void AccessLimits::LogonFailed(const std::string& address, const std::string& aliasKey, int64_t nowMs) {
    AddFailure(m_addresses[address].failures, nowMs);
    if (aliasKey.empty()) return;
    if (m_aliases.size() >= kMaxAliasRecords && !m_aliases.count(aliasKey)) {
        Forget(nowMs);
        if (m_aliases.size() >= kMaxAliasRecords) return;
    }
    AddFailure(m_aliases[aliasKey], nowMs);
}

void AccessLimits::LogonSucceeded(const std::string& address, const std::string& aliasKey) {
    auto a = m_addresses.find(address);
    if (a != m_addresses.end()) a->second.failures = Failures{};
    m_aliases.erase(aliasKey);
}

bool AccessLimits::ShouldLog(const std::string& address, int64_t nowMs, int& unlogged) {
    AddressRecord& r = m_addresses[address];
    if (r.logged && nowMs - r.loggedAt < kMinuteMs) {
        ++r.unlogged;
        return false;
    }
    unlogged = r.unlogged;
    r.unlogged = 0;
    r.logged = true;
    r.loggedAt = nowMs;
    return true;
}

bool AccessLimits::Idle(const AddressRecord& r, int64_t nowMs) const {
    bool counting = r.attempts > 0 && nowMs - r.windowStart < kMinuteMs;
    bool failing = r.failures.count > 0 && nowMs - r.failures.lastAt < kFailureMemoryMs;
    bool logging = r.logged && nowMs - r.loggedAt < kMinuteMs;
    return r.open == 0 && !counting && !failing && !logging && nowMs >= r.failures.waitUntil;
}

void AccessLimits::Forget(int64_t nowMs) {
    for (auto it = m_addresses.begin(); it != m_addresses.end();)
        it = Idle(it->second, nowMs) ? m_addresses.erase(it) : std::next(it);
    for (auto it = m_aliases.begin(); it != m_aliases.end();) {
        bool old = nowMs - it->second.lastAt >= kFailureMemoryMs && nowMs >= it->second.waitUntil;
        it = old ? m_aliases.erase(it) : std::next(it);
    }
}

}  // namespace server
