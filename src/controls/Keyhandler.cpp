#include "controls/Keyhandler.h"

#include <algorithm>

#include "shell/MyTimer.h"

TKeyhandler::TKeyhandler(TForm& window, int periodMs)
    : m_window(window), m_timer(std::make_unique<TMyTimer>()) {
    m_timer->SetInterval(periodMs);
    // Whole intervals from the first press: a late pass makes up the ticks
    // it missed, one call each.
    m_timer->OnTick = [this](TMyTimer*, int64_t count) {
        const auto alive = m_lifetime.Watch();
        for (int64_t i = 0; i < std::min<int64_t>(count, kMaxCatchUp) && alive && !m_keys.empty(); ++i) Tick();
    };
    m_previous = m_window.SetKeyFilter(this);
}

TKeyhandler::~TKeyhandler() {
    m_lifetime.End();
    if (m_window.KeyFilter() == this) m_window.SetKeyFilter(m_previous);
}

void TKeyhandler::Reset() {
    m_keys.clear();
    m_timer->SetEnabled(false);
}

void TKeyhandler::SetFirstRepeatDelay(int ticks) { m_firstRepeatDelay = std::max(1, ticks); }

bool TKeyhandler::Held(int code) const {
    return std::any_of(m_keys.begin(), m_keys.end(), [code](const TKey& k) { return k.code == code; });
}

bool TKeyhandler::FilterKeyDown(int key, unsigned shift) {
    if (Held(key)) return true;  // the platform's own repeat
    m_keys.push_back(TKey{key, 0, m_firstRepeatDelay});
    if (!m_timer->Enabled()) m_timer->SetEnabled(true);
    return PassKeyDown(key, shift);
}

bool TKeyhandler::FilterKeyUp(int key, unsigned shift) {
    std::erase_if(m_keys, [key](const TKey& k) { return k.code == key; });
    if (m_keys.empty()) m_timer->SetEnabled(false);
    return m_previous ? m_previous->FilterKeyUp(key, shift) : m_window.PreviewKeyUp(key, shift);
}

void TKeyhandler::FilterDeactivated() {
    Reset();
    if (m_previous) m_previous->FilterDeactivated();
}

bool TKeyhandler::PassKeyDown(int key, unsigned shift) {
    return m_previous ? m_previous->FilterKeyDown(key, shift) : m_window.PreviewKeyDown(key, shift);
}

// Keys that fall due are collected first: the window's handling may change
// the held keys, or free the handler.
void TKeyhandler::Tick() {
    std::vector<int> due;
    for (TKey& key : m_keys) {
        if (++key.ticks < key.ticksUntilRepeat) continue;
        key.ticks = 0;
        key.ticksUntilRepeat = 1;
        due.push_back(key.code);
    }
    const auto alive = m_lifetime.Watch();
    for (int code : due) {
        if (!Held(code)) continue;
        PassKeyDown(code, 0);
        if (!alive) return;
    }
}
