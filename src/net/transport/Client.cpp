#include "net/transport/Client.h"

#include <algorithm>
#include <exception>

#include "protocol/FrameCodec.h"
#include "platform/Platform.h"

namespace {

// Runs one event handler of the connection and turns an exception into the
// connection's error report, so none reaches the socket layer or the loop.
template <typename Handler, typename Report>
void Guarded(const TLifetime::TWatch& alive, Handler handler, Report report) {
    try {
        handler();
    } catch (const std::exception& e) {
        if (alive) report(std::string(e.what()));
    } catch (...) {
        if (alive) report(std::string("Unknown exception"));
    }
}

}  // namespace

TClient::TClient() {
    m_keepAliveTimer.SetInterval(kKeepAliveMs);
    m_keepAliveTimer.OnTimer = [this](TMyTimer*) {
        Guarded(m_lifetime.Watch(), [this] { KeepAlive(); }, [this](const std::string& t) { ReportError(t); });
    };
    m_wakeTimer.OnTimer = [](TMyTimer* sender) { sender->SetEnabled(false); };
    WaitStep = [] { platform::Loop().WaitMessage(); };
}

TClient::~TClient() {
    m_lifetime.End();
    if (m_socket) {
        m_socket->OnClose = nullptr;
        m_socket->OnError = nullptr;
    }
}

void TClient::SetPorts(const std::vector<int>& ports) {
    m_ports = ports;
    m_hasPorts = true;
}

void TClient::ClearPorts() {
    m_ports.clear();
    m_hasPorts = false;
}

void TClient::SetSendDelay(int ms) {
    if (ms <= 0) {
        m_sendTimer.reset();
        m_sendDelay = 0;
        return;
    }
    if (!m_sendTimer) {
        m_sendTimer = std::make_unique<TMyTimer>();
        m_sendTimer->OnTimer = [this](TMyTimer*) {
            Guarded(m_lifetime.Watch(), [this] { SendTimerFired(); }, [this](const std::string& t) { ReportError(t); });
        };
    }
    m_sendDelay = ms;
    m_sendTimer->SetInterval(ms);
}

int TClient::GetSendDelay() const { return m_sendTimer ? m_sendDelay : 0; }

void TClient::Open() {
    m_connecting = true;
    m_loggedIn = m_closing = m_reconnecting = m_awaitingResume = false;
    m_socketOpen = m_quitSent = m_closePending = false;
    m_pingTime = 0;
    // A new session starts its counts afresh.
    m_bytesSent = m_bytesReceived = m_unackedReceived = 0;
    m_sessionId = 0;
    m_resumeAt = 0;
    m_sendBuffer.Clear();
    m_receiveBuffer.Clear();
    if (m_sendTimer) m_sendTimer->SetEnabled(false);
    m_keepAliveTimer.SetEnabled(false);
    auto alive = m_lifetime.Watch();
    TryConnect();
    if (alive && WaitForConnect) WaitWhile(m_connecting, alive);
}

// ---------------------------------------------------------------------------
// Connect attempts

void TClient::TryConnect() {
    auto alive = m_lifetime.Watch();
    WaitForNextAttempt();
    if (!alive) return;
    m_lastAttemptAt = NowMs();
    m_attempted = true;
    ReplaceSocket();
    if (m_hasPorts && !m_ports.empty()) {
        Port = m_ports.front();
        std::rotate(m_ports.begin(), m_ports.begin() + 1, m_ports.end());
    }
    m_socket->Connect(Host, static_cast<uint16_t>(Port & 0xFFFF));
}

void TClient::WaitForNextAttempt() {
    auto alive = m_lifetime.Watch();
    while (m_attempted && !platform::Loop().Terminated()) {
        int64_t elapsed = NowMs() - m_lastAttemptAt;
        if (elapsed < 0 || elapsed >= kAttemptGapMs) break;
        Wait(kAttemptGapMs - elapsed);
        if (!alive) return;
    }
    m_wakeTimer.SetEnabled(false);
}

void TClient::ReplaceSocket() {
    if (m_socket) {
        m_socket->OnClose = nullptr;
        m_socket->OnError = nullptr;
    }
    m_socket = std::make_unique<TMyclientsocket>();
    m_socketOpen = false;
    auto report = [this](const std::string& t) { ReportError(t); };
    m_socket->OnRead = [this, report](TMyclientsocket*) { Guarded(m_lifetime.Watch(), [this] { HandleRead(); }, report); };
    m_socket->OnWrite = [this, report](TMyclientsocket*) { Guarded(m_lifetime.Watch(), [this] { Flush(); }, report); };
    m_socket->OnConnect = [this, report](TMyclientsocket*) {
        Guarded(m_lifetime.Watch(), [this] { HandleConnect(); }, report);
    };
    m_socket->OnClose = [this, report](TMyclientsocket*) { Guarded(m_lifetime.Watch(), [this] { HandleClose(); }, report); };
    m_socket->OnError = [this, report](TMyclientsocket*, int32_t code) {
        Guarded(m_lifetime.Watch(), [this, code] { HandleError(code); }, report);
    };
}

void TClient::Wait(int64_t remainingMs) {
    if (remainingMs > 0 && !m_wakeTimer.Enabled()) {
        m_wakeTimer.SetInterval(remainingMs);
        m_wakeTimer.SetEnabled(true);
    }
    auto step = WaitStep;
    if (step) step();
}

void TClient::WaitWhile(const bool& flag, const TLifetime::TWatch& alive) {
    while (alive && flag && !platform::Loop().Terminated()) {
        auto step = WaitStep;
        if (step) step();
    }
}

// ---------------------------------------------------------------------------
// Socket events

void TClient::HandleConnect() {
    if (m_socketOpen) return;
    m_socketOpen = true;
    if (m_reconnecting) {
        m_awaitingResume = true;
        m_reconnecting = false;
        m_resumeAt = m_receiveBuffer.Size();
        WriteStraight(protocol::ReconnectOpening(static_cast<uint64_t>(m_sessionId), m_bytesReceived));
        return;
    }
    m_connecting = false;
    m_loggedIn = true;
    WriteOpening();
    auto alive = m_lifetime.Watch();
    auto onConnect = OnConnect;
    if (onConnect) onConnect(this);
    if (!alive) return;
    m_keepAliveTimer.SetEnabled(true);
    KeepAlive();
}

void TClient::WriteOpening() {
    if (!Framing) return;
    WriteStraight(Resumable ? protocol::ResumableOpening() : protocol::PlainOpening());
    ++m_bytesSent;
    if (Resumable) ++m_unackedReceived;
}

void TClient::HandleError(int code) {
    if (m_connecting) {
        if (RetryOnError) {
            TryConnect();
            return;
        }
        m_connecting = false;
    }
    if (!m_quitSent) {
        ReportError(std::to_string(code));
    } else if (m_socket) {
        // After the goodbye the session ends quietly.
        m_socket->Close();
    }
}

void TClient::ReportError(const std::string& text) {
    if (!m_socket) return;
    if (Resumable) {
        // The close handler reconnects.
        m_socket->Close();
        return;
    }
    auto alive = m_lifetime.Watch();
    auto onError = OnError;
    if (onError) onError(this, text);
    if (!alive) return;
    if (!m_closing)
        Close();
    else if (m_socket)
        m_socket->Close();
}

void TClient::ProtocolError(const std::string& text) {
    Resumable = false;
    ReportError(text);
}

void TClient::HandleClose() {
    if (m_reconnecting) {
        TryConnect();
        return;
    }
    if (!m_socketOpen) return;
    m_socketOpen = false;
    if (m_inReceive && CloseMustWait()) {
        // The running message loop hands on what came before the close and
        // then acts on it (RunMessageLoop).
        m_closePending = true;
        return;
    }
    ActOnClose();
}

void TClient::ActOnClose() {
    m_closePending = false;
    if (Resumable)
        Reconnect();
    else
        EndSession();
}

void TClient::EndSession() {
    m_keepAliveTimer.SetEnabled(false);
    if (m_sendTimer) m_sendTimer->SetEnabled(false);
    OnDisconnect.Fire(this, 0);
}

void TClient::Reconnect() {
    // A connection lost while its resume reply was arriving leaves part of
    // that reply behind the stream's bytes; the next connection sends a
    // reply of its own.
    if (m_awaitingResume) m_receiveBuffer.SetSize(m_resumeAt);
    m_reconnecting = true;
    m_awaitingResume = false;
    ++m_reconnectCount;
    auto alive = m_lifetime.Watch();
    auto onReconnect = OnReconnect;
    if (onReconnect) onReconnect(this, m_reconnectCount);
    if (!alive) return;
    // The first reconnect goes to the port that was in use.
    if (m_hasPorts && !m_ports.empty()) std::rotate(m_ports.rbegin(), m_ports.rbegin() + 1, m_ports.rend());
    TryConnect();
    if (alive) WaitWhile(m_reconnecting, alive);
}

void TClient::Close() {
    if (!m_socket || m_closing) return;
    m_closing = true;
    if (Resumable && m_socketOpen) {
        // The server answers the goodbye by closing the connection.
        Resumable = false;
        m_quitSent = true;
        Append(std::string(1, static_cast<char>(protocol::kGoodbye)));
        Flush();
        return;
    }
    // No connection to say goodbye over: end at once.
    bool wasReconnecting = m_reconnecting;
    Resumable = false;
    m_connecting = m_reconnecting = false;
    auto alive = m_lifetime.Watch();
    m_socket->Close();
    if (alive && wasReconnecting) EndSession();
}
