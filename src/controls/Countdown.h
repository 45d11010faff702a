// TCountdown: a clock that counts whole seconds down on a label, warns once
// when a threshold is reached and reports the time-out (the games' turn
// clocks).
//
// The label comes from settings.ini (section, key), as every layout label;
// it shows minutes without leading zeros, ":" and two digits of seconds
// ("4:05"). The timer polls once a second and hands over every whole second
// elapsed, so a late pass counts all of them at once: the warning comes at
// the first call that leaves the threshold or fewer seconds, and the time-out
// when none is left (the clock then stops at 0:00).
//
// Either event handler may free the clock; nothing of it is touched after.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/Lifetime.h"

class TMyTimer;
class TPaint;
class TText;

class TCountdown {
public:
    using TWarningEvent = std::function<void(TCountdown* sender, int elapsed)>;
    using TTimeoutEvent = std::function<void(TCountdown* sender)>;

    static constexpr int kIntervalMs = 1000;

    // Created hidden and stopped.
    TCountdown(TPaint* surface, TTimeoutEvent onTimeout, const std::string& key,
               const std::string& section);
    ~TCountdown();
    TCountdown(const TCountdown&) = delete;
    TCountdown& operator=(const TCountdown&) = delete;

    // A value of 0 or less leaves that setting as it was.
    void Start(int seconds, int warning);
    void Stop();
    void Show();
    void Hide();

    // On-warning gets the seconds elapsed in the call that reached the
    // threshold.
    TWarningEvent OnWarning;
    TTimeoutEvent OnTimeout;

    int Remaining() const { return m_remaining; }
    int Threshold() const { return m_threshold; }
    bool Warned() const { return m_warned; }
    bool Running() const;
    bool Visible() const { return m_visible; }
    TText* Label() const { return m_label.get(); }
    // "m:ss"; negative counts as 0.
    static std::string Format(int seconds);

private:
    void Elapsed(int seconds);
    void UpdateDisplay();

    std::unique_ptr<TMyTimer> m_timer;
    std::unique_ptr<TText> m_label;
    bool m_visible = false;
    int m_remaining = 0;
    int m_threshold = 0;
    bool m_warned = false;
    // Ended by the destructor, so a handler that frees the clock stops the
    // tick that called it.
    TLifetime m_lifetime;
};
