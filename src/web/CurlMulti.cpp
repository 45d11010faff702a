#include "web/CurlMulti.h"

#include <curl/curl.h>

#include <utility>
#include <vector>

#include "platform/Platform.h"
#include "shell/MyTimer.h"

namespace web {
namespace {

CURLM* Multi(void* multi) { return static_cast<CURLM*>(multi); }

}  // namespace

void CurlGlobalInit() {
    static const bool done = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    (void)done;
}

std::shared_ptr<TCurlMulti> TCurlMulti::Shared() {
    static std::weak_ptr<TCurlMulti> current;
    std::shared_ptr<TCurlMulti> multi = current.lock();
    if (!multi) {
        multi = std::shared_ptr<TCurlMulti>(new TCurlMulti);
        current = multi;
    }
    return multi;
}

TCurlMulti::TCurlMulti() : m_curlTimer(std::make_unique<TMyTimer>()) {
    CurlGlobalInit();
    m_multi = curl_multi_init();
    if (m_multi) {
        curl_multi_setopt(Multi(m_multi), CURLMOPT_SOCKETFUNCTION, &TCurlMulti::OnSocket);
        curl_multi_setopt(Multi(m_multi), CURLMOPT_SOCKETDATA, this);
        curl_multi_setopt(Multi(m_multi), CURLMOPT_TIMERFUNCTION, &TCurlMulti::OnTimer);
        curl_multi_setopt(Multi(m_multi), CURLMOPT_TIMERDATA, this);
    }
    m_curlTimer->OnTimer = [this](TMyTimer*) {
        m_curlTimer->SetEnabled(false);
        Drive(CURL_SOCKET_TIMEOUT, 0);
    };
}

// The fetchers have removed their transfers by now; what is left are the
// connections curl keeps for reuse, which its clean-up closes.
TCurlMulti::~TCurlMulti() {
    m_curlTimer->SetEnabled(false);
    for (const auto& [fd, watch] : m_watches) platform::Io().Unwatch(watch);
    m_watches.clear();
    if (m_multi) {
        curl_multi_setopt(Multi(m_multi), CURLMOPT_SOCKETFUNCTION, nullptr);
        curl_multi_setopt(Multi(m_multi), CURLMOPT_TIMERFUNCTION, nullptr);
        curl_multi_cleanup(Multi(m_multi));
    }
}

bool TCurlMulti::Add(void* easy, TDone done) {
    if (!m_multi || !easy) return false;
    m_done[easy] = std::move(done);
    if (curl_multi_add_handle(Multi(m_multi), static_cast<CURL*>(easy)) != CURLM_OK) {
        m_done.erase(easy);
        return false;
    }
    return true;
}

void TCurlMulti::Remove(void* easy) {
    auto it = m_done.find(easy);
    if (it == m_done.end()) return;
    m_done.erase(it);
    curl_multi_remove_handle(Multi(m_multi), static_cast<CURL*>(easy));
}

// --- curl's callbacks -------------------------------------------------------

int TCurlMulti::OnSocket(void*, int fd, int what, void* self, void*) {
    static_cast<TCurlMulti*>(self)->Watch(fd, what);
    return 0;
}

int TCurlMulti::OnTimer(void*, long timeoutMs, void* self) {
    static_cast<TCurlMulti*>(self)->ScheduleCurlTimer(timeoutMs);
    return 0;
}

void TCurlMulti::Watch(int fd, int what) {
    auto it = m_watches.find(fd);
    if (what == CURL_POLL_REMOVE) {
        if (it != m_watches.end()) {
            platform::Io().Unwatch(it->second);
            m_watches.erase(it);
        }
        return;
    }
    unsigned mask = 0;
    if (what == CURL_POLL_IN || what == CURL_POLL_INOUT) mask |= platform::IoRead;
    if (what == CURL_POLL_OUT || what == CURL_POLL_INOUT) mask |= platform::IoWrite;
    if (it != m_watches.end()) {
        platform::Io().Modify(it->second, mask);
        return;
    }
    std::weak_ptr<TCurlMulti> weak = weak_from_this();
    const int watch = platform::Io().Watch(fd, mask, [weak](int readyFd, unsigned events) {
        std::shared_ptr<TCurlMulti> self = weak.lock();
        if (!self) return;
        int flags = 0;
        if (events & platform::IoRead) flags |= CURL_CSELECT_IN;
        if (events & platform::IoWrite) flags |= CURL_CSELECT_OUT;
        if (events & (platform::IoError | platform::IoHangup)) flags |= CURL_CSELECT_ERR | CURL_CSELECT_IN;
        self->Drive(readyFd, flags);
    });
    if (watch > 0) m_watches[fd] = watch;
}

// A time-out of 0 asks for an action at once: it runs from the task queue,
// outside curl's own call. -1 stops the timer.
void TCurlMulti::ScheduleCurlTimer(long timeoutMs) {
    m_curlTimer->SetEnabled(false);
    if (timeoutMs < 0) return;
    if (timeoutMs == 0) {
        std::weak_ptr<TCurlMulti> weak = weak_from_this();
        platform::Loop().Post([weak] {
            if (std::shared_ptr<TCurlMulti> self = weak.lock()) self->Drive(CURL_SOCKET_TIMEOUT, 0);
        });
        return;
    }
    m_curlTimer->SetInterval(timeoutMs);
    m_curlTimer->SetEnabled(true);
}

// --- progress ---------------------------------------------------------------

// The multi stays alive until the step is over, even when a done handler
// frees the last fetcher holding it.
void TCurlMulti::Drive(int fd, int events) {
    if (!m_multi) return;
    std::shared_ptr<TCurlMulti> keep = shared_from_this();
    int running = 0;
    curl_multi_socket_action(Multi(m_multi), fd, events, &running);
    DeliverFinished();
}

void TCurlMulti::DeliverFinished() {
    std::vector<std::pair<TDone, int>> finished;
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(Multi(m_multi), &left)) {
        if (message->msg != CURLMSG_DONE) continue;
        auto it = m_done.find(message->easy_handle);
        if (it == m_done.end() || !it->second) continue;
        // Taken out, so the handler runs once; the handle stays in the multi
        // until its owner removes it.
        finished.emplace_back(std::move(it->second), static_cast<int>(message->data.result));
        it->second = nullptr;
    }
    for (auto& [done, code] : finished) done(code);
}

}  // namespace web
