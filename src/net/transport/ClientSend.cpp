// TClient's sending side: framing into the send buffer, coalescing, the
// keep-alive, and the port probe.
#include <algorithm>
#include <climits>

#include "net/transport/Client.h"

protocol::TFrameOptions TClient::FrameOptions() const {
    protocol::TFrameOptions options;
    options.compressLarge = CompressLarge;
    options.compressAlways = CompressAlways;
    options.level = CompressionLevel;
    return options;
}

bool TClient::Send(const std::string& text) {
    if (text.empty() || m_closing) return false;
    std::string frame;
    if (!Framing)
        frame = text;
    else if (!protocol::EncodeFrame(text, FrameOptions(), frame))
        return false;
    Append(frame);
    SendSoon();
    return true;
}

void TClient::SendSoon() {
    if (m_sendTimer && PendingSend() <= kCoalesceLimit) {
        // A running timer is not restarted: the delay counts from the first
        // bytes that wait.
        m_sendTimer->SetInterval(m_sendDelay);
        if (!m_sendTimer->Enabled()) m_sendTimer->SetEnabled(true);
        return;
    }
    Flush();
}

void TClient::Flush() {
    if (!m_socketOpen || !m_socket || m_connecting || m_reconnecting || m_awaitingResume ||
        m_sendBuffer.Size() == 0)
        return;
    if (m_sendTimer && m_sendTimer->Enabled()) {
        m_sendTimer->SetInterval(1);  // the timer sends, at once
        return;
    }
    int64_t unsent = m_sendBuffer.Remaining();
    if (unsent > 0) {
        int chunk = static_cast<int>(std::min<int64_t>(unsent, INT_MAX));
        int sent = m_socket->SendBytes(m_sendBuffer.Memory() + m_sendBuffer.Position(), chunk);
        m_sendBuffer.SetPosition(m_sendBuffer.Position() + sent);
        m_bytesSent += static_cast<uint64_t>(sent);
    }
    // A resumable session keeps sent bytes until they are acknowledged.
    if (!Resumable && m_sendBuffer.Remaining() == 0) m_sendBuffer.Clear();
}

void TClient::SendTimerFired() {
    m_sendTimer->SetEnabled(false);
    Flush();
}

void TClient::KeepAlive() {
    if (!m_loggedIn || m_closing) return;
    Append(std::string(1, static_cast<char>(protocol::kKeepAlive)));
    Flush();
    m_pingSentAt = NowMs();
}

// Appends bytes at the end of the send buffer; the send cursor stays.
void TClient::Append(const std::string& bytes) {
    int64_t position = m_sendBuffer.Position();
    m_sendBuffer.SetPosition(m_sendBuffer.Size());
    m_sendBuffer.WriteText(bytes);
    m_sendBuffer.SetPosition(position);
}

void TClient::WriteStraight(const std::string& bytes) {
    if (m_socket) m_socket->SendBytes(bytes.data(), static_cast<int>(bytes.size()));
}

std::vector<int> TClient::FindOpenPorts(const std::string& host, const std::vector<int>& candidates,
                                        int limit) {
    std::vector<int> found;
    if (limit <= 0) return found;
    auto alive = m_lifetime.Watch();
    std::vector<std::unique_ptr<TClient>> probes;
    size_t next = 0;
    while (true) {
        while (probes.size() < kMaxProbes && next < candidates.size()) {
            auto probe = std::make_unique<TClient>();
            probe->Host = host;
            probe->Port = candidates[next++];
            probe->WaitForConnect = false;
            probe->RetryOnError = false;
            probe->Open();
            probes.push_back(std::move(probe));
        }
        // Newest to oldest; a probe that has an answer is done.
        for (size_t i = probes.size(); i-- > 0;) {
            if (probes[i]->Connecting()) continue;
            if (probes[i]->LoggedIn())
                found.insert(std::upper_bound(found.begin(), found.end(), probes[i]->Port), probes[i]->Port);
            probes.erase(probes.begin() + static_cast<std::ptrdiff_t>(i));
            if (found.size() >= static_cast<size_t>(limit)) return found;
        }
        if (next >= candidates.size() && probes.empty()) return found;
        auto step = WaitStep;
        if (step) step();
        if (!alive) return found;
    }
}
