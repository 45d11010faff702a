// The spam check a chat line passes before it is sent.
//
// istextspam refuses long lines made of few different characters. okay
// judges a line against the last accepted one: privileged users pass; a
// spam text is refused; the first line (or the first after a refusal)
// passes; after a pause of more than four seconds the burst is forgotten;
// a fast line (under 1001 ms after the last one, or under 101 ms per
// character of both lines) passes only when it is the first fast one of a
// burst and shorter than 20 characters. A refused line forgets the last
// line and the burst and raises OnRefused, on which the lobby shows the spam
// window at its chat view.
//
// Time is the monotonic millisecond counter (NowMs), so the gap between two
// lines is right across midnight and across changes of the wall clock.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Fewer than 50 characters are no spam; longer texts are spam when their
// length divided by the number of distinct byte values exceeds 8.
bool istextspam(const std::string& text);

class TSpamCheck {
public:
    static constexpr size_t kSpamMinLength = 50;
    static constexpr size_t kMaxLengthPerDistinct = 8;
    // A pause of at least this many ms ends a burst.
    static constexpr int64_t kPauseMs = 4001;
    // A line sooner than this after the last one is fast.
    static constexpr int64_t kFastMs = 1001;
    // So is one that took less than this per character of both lines.
    static constexpr int64_t kFastMsPerChar = 101;
    // The first fast line of a burst must be shorter than this.
    static constexpr size_t kBurstLength = 20;

    // True: the line may be sent (and becomes the last line).
    bool Check(const std::string& text, int64_t nowMs, bool privileged);
    // Forgets the last line and the burst.
    void Reset();

    std::function<void(TSpamCheck* sender)> OnRefused;

    bool HasLastLine() const { return m_hasLast; }
    int64_t LastTime() const { return m_lastTime; }
    const std::string& LastLine() const { return m_lastLine; }
    int Burst() const { return m_burst; }

private:
    bool Judge(const std::string& text, int64_t nowMs);
    bool Fast(const std::string& text, int64_t elapsed) const;
    void Refuse();

    // The monotonic counter may stand at 0 itself, so "no line yet" is a
    // flag of its own rather than a time of 0.
    bool m_hasLast = false;
    int64_t m_lastTime = 0;
    std::string m_lastLine;
    int m_burst = 0;
};

// The check of the lobby's chat line (the installed context's TLobbyState).
TSpamCheck& SpamCheck();
// SpamCheck().Check at the counter's time, privileged as the session says.
bool okay(const std::string& text);
