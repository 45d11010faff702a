#include "lobby/Spam.h"

#include <bitset>

#include "lobby/LobbyState.h"
#include "net/Session.h"
#include "platform/InstalledState.h"
#include "shell/MyTimer.h"

bool istextspam(const std::string& text) {
    if (text.size() < TSpamCheck::kSpamMinLength) return false;
    std::bitset<256> seen;
    for (char c : text) seen.set(static_cast<uint8_t>(c));
    return text.size() / seen.count() > TSpamCheck::kMaxLengthPerDistinct;
}

bool TSpamCheck::Check(const std::string& text, int64_t nowMs, bool privileged) {
    if (privileged) return true;
    if (!Judge(text, nowMs)) {
        Refuse();
        return false;
    }
    m_hasLast = true;
    m_lastTime = nowMs;
    m_lastLine = text;
    return true;
}

bool TSpamCheck::Judge(const std::string& text, int64_t nowMs) {
    if (istextspam(text)) return false;
    if (!m_hasLast) return true;
    const int64_t elapsed = nowMs - m_lastTime;
    if (elapsed >= kPauseMs) {
        m_burst = 0;
        return true;
    }
    if (!Fast(text, elapsed)) return true;
    const bool allowed = m_burst == 0 && text.size() < kBurstLength;
    ++m_burst;
    return allowed;
}

bool TSpamCheck::Fast(const std::string& text, int64_t elapsed) const {
    if (elapsed < kFastMs) return true;
    const auto characters = static_cast<int64_t>(m_lastLine.size() + text.size());
    // Two empty lines have no pace to judge.
    return characters > 0 && elapsed / characters < kFastMsPerChar;
}

void TSpamCheck::Refuse() {
    Reset();
    if (OnRefused) OnRefused(this);
}

void TSpamCheck::Reset() {
    m_burst = 0;
    m_hasLast = false;
    m_lastTime = 0;
}

TLobbyState& LobbyState() { return TInstalledState<TLobbyState>::Get(); }

TSpamCheck& SpamCheck() { return LobbyState().Spam; }

bool okay(const std::string& text) {
    return SpamCheck().Check(text, NowMs(), Session().Privileged != 0);
}
