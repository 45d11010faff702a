#include "controls/Countdown.h"

#include <algorithm>
#include <limits>

#include "controls/Text.h"
#include "graphics/Paint.h"
#include "shell/MyTimer.h"

TCountdown::TCountdown(TPaint* surface, TTimeoutEvent onTimeout, const std::string& key,
                       const std::string& section)
    : OnTimeout(std::move(onTimeout)) {
    m_label = TText::CreateFromLayout(surface, key, section);
    m_label->Hide();
    m_timer = std::make_unique<TMyTimer>();
    m_timer->SetInterval(kIntervalMs);
    m_timer->OnTick = [this](TMyTimer*, int64_t count) {
        // A pass after a long block can count more seconds than an int holds.
        Elapsed(static_cast<int>(std::min<int64_t>(count, std::numeric_limits<int>::max())));
    };
}

TCountdown::~TCountdown() { m_lifetime.End(); }

std::string TCountdown::Format(int seconds) {
    seconds = std::max(seconds, 0);
    const int rest = seconds % 60;
    return std::to_string(seconds / 60) + ":" + (rest < 10 ? "0" : "") + std::to_string(rest);
}

void TCountdown::Start(int seconds, int warning) {
    if (seconds > 0) {
        m_remaining = seconds;
        m_warned = false;
    }
    if (warning > 0) m_threshold = warning;
    UpdateDisplay();
    m_timer->SetEnabled(true);
}

void TCountdown::Stop() { m_timer->SetEnabled(false); }

bool TCountdown::Running() const { return m_timer->Enabled(); }

void TCountdown::Show() {
    m_visible = true;
    m_label->Show();
}

void TCountdown::Hide() {
    m_visible = false;
    m_label->Hide();
}

void TCountdown::UpdateDisplay() { m_label->SetText(Format(m_remaining)); }

// The display is brought up to date before the events, so a handler that
// restarts or frees the clock finds it consistent.
void TCountdown::Elapsed(int seconds) {
    m_remaining = m_remaining > std::numeric_limits<int>::min() + seconds
                      ? m_remaining - seconds
                      : std::numeric_limits<int>::min();
    const bool warn = !m_warned && m_threshold > 0 && m_threshold >= m_remaining;
    if (warn) m_warned = true;
    const bool timedOut = m_remaining <= 0;
    if (timedOut) {
        m_timer->SetEnabled(false);
        m_remaining = 0;
    }
    UpdateDisplay();
    auto alive = m_lifetime.Watch();
    if (warn && OnWarning) {
        TWarningEvent handler = OnWarning;
        handler(this, seconds);
        if (!alive) return;
    }
    if (timedOut && OnTimeout && m_remaining <= 0) {  // unless restarted
        TTimeoutEvent handler = OnTimeout;
        handler(this);
    }
}
