#include "referees/Referee.h"

#include <algorithm>

namespace server {

PreviewSink Referee::s_noPreview;

Referee::Referee(RefereeHost& host, const RefereeSetup& setup)
    : m_host(host), m_setup(setup), m_ready(static_cast<size_t>(std::max(setup.seats, 0)), false) {}

void Referee::Receive(int seat, std::string_view payload) {
    if (m_over || seat < 0 || seat >= Seats() || payload.empty()) return;
    if (payload[0] == kLeaving) {
        OnForfeit(seat);
        return;
    }
    OnPayload(seat, payload);
}

void Referee::Leave(int seat) {
    if (m_over || seat < 0 || seat >= Seats()) return;
    OnForfeit(seat);
}

void Referee::Tick(int64_t nowMs) {
    if (!m_over) OnTick(nowMs);
}

void Referee::OnPayload(int seat, std::string_view payload) {
    if (payload.size() == 1 && payload[0] == kReady) {
        MarkReady(seat);
        return;
    }
    Relay(seat, payload);
}

void Referee::OnAllReady() { SendAll(std::string_view(&kReady, 1)); }

void Referee::OnForfeit(int seat) {
    MatchOutcome outcome;
    for (int other = 0; other < Seats(); ++other) {
        if (other == seat) continue;
        SendTo(other, std::string_view(&kCloseWindow, 1));
        outcome.winners.push_back(other);
    }
    outcome.dropped.push_back(seat);
    EndMatch(outcome);
}

std::vector<std::string> Referee::Adverts(const std::function<std::string(int, const std::string&)>& build) const {
    // A game message carries 255 bytes: the code, the panel, the address
    // and its end byte. A longer address is left out, never cut short.
    constexpr size_t kMaxAddress = 255 - 3;
    std::vector<std::string> payloads;
    for (int panel = 1; panel <= static_cast<int>(m_setup.adverts.size()); ++panel) {
        const std::string& url = m_setup.adverts[static_cast<size_t>(panel - 1)];
        if (!url.empty() && url.size() <= kMaxAddress) payloads.push_back(build(panel, url));
    }
    return payloads;
}

void Referee::MarkReady(int seat) {
    m_ready[static_cast<size_t>(seat)] = true;
    if (std::find(m_ready.begin(), m_ready.end(), false) != m_ready.end()) return;
    std::fill(m_ready.begin(), m_ready.end(), false);
    OnAllReady();
}

void Referee::Relay(int from, std::string_view payload) {
    for (int seat = 0; seat < Seats(); ++seat)
        if (seat != from) SendTo(seat, payload);
}

void Referee::SendTo(int seat, std::string_view payload) {
    if (!m_over) m_host.SendTo(seat, payload);
}

void Referee::SendAll(std::string_view payload) {
    for (int seat = 0; seat < Seats(); ++seat) SendTo(seat, payload);
}

void Referee::EndMatch(const MatchOutcome& outcome) {
    if (m_over) return;
    m_over = true;
    m_host.EndMatch(outcome);
}

}  // namespace server
