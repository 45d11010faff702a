#include "ChatText.h"

namespace server {
namespace {

constexpr uint8_t kEscape = 1;
constexpr uint8_t kColourCode = 252;

}  // namespace

std::string CleanChatText(std::string_view raw, size_t maxBytes) {
    std::string out;
    bool visible = false;
    for (size_t i = 0; i < raw.size();) {
        uint8_t b = static_cast<uint8_t>(raw[i]);
        if (b == kEscape) {
            bool colour = i + 2 < raw.size() && static_cast<uint8_t>(raw[i + 1]) == kColourCode;
            if (!colour) {
                ++i;
                continue;
            }
            if (out.size() + 3 > maxBytes) break;
            out.append(raw.substr(i, 3));
            i += 3;
            continue;
        }
        ++i;
        if (b < 0x20 || b == 0x7F) continue;
        if (out.size() + 1 > maxBytes) break;
        out.push_back(static_cast<char>(b));
        visible = visible || b != ' ';
    }
    return visible ? out : std::string();
}

ChatBudget::Verdict ChatBudget::Take(int64_t nowMs, int burst, int linesPerMinute) {
    if (nowMs > m_refilledAt) {
        m_tokens += static_cast<double>(nowMs - m_refilledAt) * linesPerMinute / 60000.0;
        if (m_tokens > burst) m_tokens = burst;
    }
    m_refilledAt = nowMs;
    if (m_tokens >= 1.0) {
        m_tokens -= 1.0;
        m_told = false;
        return Verdict::Send;
    }
    if (m_told) return Verdict::Drop;
    m_told = true;
    return Verdict::DropAndTell;
}

}  // namespace server
