// TFetcher: downloads of pages, style sheets and images for one browser
// view, over libcurl's multi interface.
//
// Nothing blocks and no thread is started: the transfers of every fetcher
// run on the program's one TCurlMulti, which advances them inside the main
// loop and lets views share connections. Only "http" and "https" are
// fetched, redirects included; any other scheme is refused at Start.
//
// Limits: every transfer ends after its time-out (counted on the program's
// clock, so tests drive it with virtual time) and as soon as its body grows
// beyond the size limit; both end as a failed result, never as a partial
// body.
//
// Re-entry: a completion handler may start or cancel transfers or free the
// fetcher; results are handed out only after curl has returned, and the
// remaining ones are dropped once the fetcher is gone.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

class TMyTimer;

namespace web {

class TCurlMulti;

struct TFetchResult {
    bool Ok = false;
    std::string Error;        // why it failed (empty when Ok)
    long Status = 0;          // the HTTP status of the last response
    std::string ContentType;  // as the server sent it
    std::string Url;          // after redirects
    std::string Body;
};

using TFetchDone = std::function<void(const TFetchResult& result)>;

struct TFetchLimits {
    int64_t TimeoutMs = 20000;
    size_t MaxBytes = size_t{2} << 20;
};

// True for an absolute URL whose scheme is http or https (any letter case).
bool FetchableUrl(const std::string& url);
// A link or source of a page made absolute against the page's URL; empty
// when it cannot be resolved.
std::string ResolveUrl(const std::string& base, const std::string& link);

class TFetcher {
public:
    explicit TFetcher(TFetchLimits limits = {});
    ~TFetcher();
    TFetcher(const TFetcher&) = delete;
    TFetcher& operator=(const TFetcher&) = delete;

    // Starts a transfer; returns its id (> 0), or 0 when the URL is not
    // fetchable or curl refused it (done is then never called).
    int Start(const std::string& url, TFetchDone done);
    void Cancel(int id);
    void CancelAll();
    int Active() const { return static_cast<int>(m_transfers.size()); }
    const TFetchLimits& Limits() const { return m_limits; }

private:
    struct TTransfer;

    static size_t OnBody(char* data, size_t size, size_t count, void* transfer);

    void PlanDeadline();
    void ExpireOverdue();
    void Finished(int id, int curlCode);
    void Finish(int id, TFetchResult result);
    void Remove(int id);

    TFetchLimits m_limits;
    std::shared_ptr<TCurlMulti> m_multi;
    std::map<int, std::unique_ptr<TTransfer>> m_transfers;
    std::unique_ptr<TMyTimer> m_deadline;
    int m_nextId = 1;
    // Cleared by the destructor, so queued work and callbacks after a
    // completion handler see that the fetcher is gone.
    std::shared_ptr<bool> m_alive;
};

}  // namespace web
