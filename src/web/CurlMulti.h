// TCurlMulti: the one libcurl multi handle on which the transfers of every
// fetcher run.
//
// A multi handle carries its own connection cache, host name cache and
// socket bookkeeping; with one for all browser views, views that fetch from
// the same site reuse each other's connections and the caches exist once.
// curl's sockets are watched by the platform's descriptor readiness and its
// timer runs on TMyTimer, so every transfer advances inside the main loop.
//
// Lifetime: Shared() hands out the multi while some fetcher holds it and
// makes a new one after the last has let go, so nothing of it (sockets,
// watches, timers) outlives the fetchers.
//
// Re-entry: a transfer's done handler runs after curl has returned. It may
// add or remove transfers, or free its fetcher (and with it, when that was
// the last holder, the multi): the handlers of the other transfers that
// finished in the same step still run if their owners are alive, each
// owner deciding that through its own handler.
#pragma once

#include <functional>
#include <map>
#include <memory>

class TMyTimer;

namespace web {

// libcurl's process-wide set-up, done once before its first use.
void CurlGlobalInit();

class TCurlMulti : public std::enable_shared_from_this<TCurlMulti> {
public:
    // curl's result code of a finished transfer.
    using TDone = std::function<void(int curlCode)>;

    static std::shared_ptr<TCurlMulti> Shared();
    ~TCurlMulti();
    TCurlMulti(const TCurlMulti&) = delete;
    TCurlMulti& operator=(const TCurlMulti&) = delete;

    bool Valid() const { return m_multi != nullptr; }
    // Starts an easy handle; done is called once when it has finished,
    // unless it was removed before. False when curl refused it.
    bool Add(void* easy, TDone done);
    // Takes an easy handle out (finished or not); the caller frees it.
    void Remove(void* easy);
    int Transfers() const { return static_cast<int>(m_done.size()); }

private:
    TCurlMulti();

    static int OnSocket(void* easy, int fd, int what, void* self, void* socketData);
    static int OnTimer(void* multi, long timeoutMs, void* self);

    void Watch(int fd, int what);
    void ScheduleCurlTimer(long timeoutMs);
    void Drive(int fd, int events);
    void DeliverFinished();

    void* m_multi = nullptr;  // CURLM*
    std::map<void*, TDone> m_done;  // easy handle -> its done handler
    std::map<int, int> m_watches;  // descriptor -> platform watch id
    std::unique_ptr<TMyTimer> m_curlTimer;
};

}  // namespace web
