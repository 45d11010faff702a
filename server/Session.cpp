#include "Session.h"

namespace server {

Session::Session(uint32_t id, bool resumable, size_t maxFrameBytes, int64_t nowMs, int floodBurst)
    : m_id(id),
      m_stream(resumable, maxFrameBytes),
      m_createdAt(nowMs),
      m_tokens(floodBurst),
      m_refilledAt(nowMs) {}

void Session::Detach(int64_t nowMs) {
    m_connection = nullptr;
    m_detachedAt = nowMs;
}

void Session::SetUser(const std::string& alias, int64_t accountId) {
    m_alias = alias;
    m_accountId = accountId;
}

bool Session::HasFrameToken() {
    if (m_tokens >= 1.0) return true;
    m_throttled = true;
    return false;
}

void Session::Refill(int64_t nowMs, int framesPerSecond, int burst) {
    if (nowMs > m_refilledAt) {
        m_tokens += static_cast<double>(nowMs - m_refilledAt) * framesPerSecond / 1000.0;
        if (m_tokens > burst) m_tokens = burst;
    }
    m_refilledAt = nowMs;
    if (m_tokens >= 1.0) m_throttled = false;
}

}  // namespace server
