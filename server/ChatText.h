// What a chat line may carry, and how fast a user may send lines.
//
// Chat text is bytes. The lobby's symbol picker and colour codes put the
// escape 1, 252, n into lines, so that escape is kept whole; every other
// control byte (another 1, a line feed, 0x7F ...) is removed, because the
// client would read it as a cell format or an icon. A line is cut to its
// byte limit without splitting an escape.
//
// The budget is a token bucket of lines: a burst, then a steady rate. A
// line beyond it is dropped and the sender told once per empty spell, so a
// flooding client is slowed down and kept, not disconnected.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace server {

// The line as it may be relayed; empty when nothing visible is left.
std::string CleanChatText(std::string_view raw, size_t maxBytes);

class ChatBudget {
public:
    ChatBudget(int burst, int64_t nowMs) : m_tokens(burst), m_refilledAt(nowMs) {}

    enum class Verdict { Send, DropAndTell, Drop };
    // Spends one line's token when there is one.
    Verdict Take(int64_t nowMs, int burst, int linesPerMinute);

private:
    double m_tokens;
    int64_t m_refilledAt;
    bool m_told = false;
};

}  // namespace server
