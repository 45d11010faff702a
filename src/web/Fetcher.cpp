#include "web/Fetcher.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <vector>

#include "shell/MyTimer.h"
#include "web/CurlMulti.h"

namespace web {
namespace {

constexpr char kSchemes[] = "http,https";
constexpr long kMaxRedirects = 5;
constexpr char kUserAgent[] = "Quorvalendix";

bool StartsWithNoCase(const std::string& text, const char* prefix) {
    size_t i = 0;
    for (; prefix[i]; ++i) {
        if (i >= text.size()) return false;
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
    }
    return true;
}

}  // namespace

bool FetchableUrl(const std::string& url) {
    return (StartsWithNoCase(url, "http://") && url.size() > 7) ||
           (StartsWithNoCase(url, "https://") && url.size() > 8);
}

std::string ResolveUrl(const std::string& base, const std::string& link) {
    CurlGlobalInit();
    CURLU* handle = curl_url();
    if (!handle) return {};
    std::string result;
    const bool baseOk = base.empty() || curl_url_set(handle, CURLUPART_URL, base.c_str(), 0) == CURLUE_OK;
    char* text = nullptr;
    if (baseOk && curl_url_set(handle, CURLUPART_URL, link.c_str(), CURLU_NON_SUPPORT_SCHEME) == CURLUE_OK &&
        curl_url_get(handle, CURLUPART_URL, &text, 0) == CURLUE_OK) {
        result = text;
        curl_free(text);
    }
    curl_url_cleanup(handle);
    return result;
}

struct TFetcher::TTransfer {
    int Id = 0;
    CURL* Easy = nullptr;
    int64_t Deadline = 0;
    size_t MaxBytes = 0;
    bool TooBig = false;
    TFetchDone Done;
    std::string Body;
};

TFetcher::TFetcher(TFetchLimits limits)
    : m_limits(limits), m_multi(TCurlMulti::Shared()), m_deadline(std::make_unique<TMyTimer>()),
      m_alive(std::make_shared<bool>(true)) {
    m_deadline->OnTimer = [this](TMyTimer*) { ExpireOverdue(); };
}

TFetcher::~TFetcher() {
    *m_alive = false;
    CancelAll();
}

int TFetcher::Start(const std::string& url, TFetchDone done) {
    if (!m_multi->Valid() || !FetchableUrl(url)) return 0;
    CURL* easy = curl_easy_init();
    if (!easy) return 0;
    auto transfer = std::make_unique<TTransfer>();
    transfer->Id = m_nextId++;
    transfer->Easy = easy;
    transfer->Deadline = NowMs() + m_limits.TimeoutMs;
    transfer->MaxBytes = m_limits.MaxBytes;
    transfer->Done = std::move(done);
    curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, kSchemes);
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, kSchemes);
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_USERAGENT, kUserAgent);
    curl_easy_setopt(easy, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(m_limits.MaxBytes));
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &TFetcher::OnBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, transfer.get());
    const int id = transfer->Id;
    std::weak_ptr<bool> alive = m_alive;
    auto ended = [this, alive, id](int code) {
        if (auto flag = alive.lock(); flag && *flag) Finished(id, code);
    };
    if (!m_multi->Add(easy, std::move(ended))) {
        curl_easy_cleanup(easy);
        return 0;
    }
    m_transfers[id] = std::move(transfer);
    PlanDeadline();
    return id;
}

void TFetcher::Cancel(int id) {
    Remove(id);
    PlanDeadline();
}

void TFetcher::CancelAll() {
    while (!m_transfers.empty()) Remove(m_transfers.begin()->first);
    PlanDeadline();
}

void TFetcher::Remove(int id) {
    auto it = m_transfers.find(id);
    if (it == m_transfers.end()) return;
    m_multi->Remove(it->second->Easy);
    curl_easy_cleanup(it->second->Easy);
    m_transfers.erase(it);
}

// --- curl's callbacks -------------------------------------------------------

size_t TFetcher::OnBody(char* data, size_t size, size_t count, void* user) {
    auto* transfer = static_cast<TTransfer*>(user);
    const size_t bytes = size * count;
    if (transfer->Body.size() + bytes > transfer->MaxBytes) {
        transfer->TooBig = true;
        return 0;  // curl ends the transfer with a write error
    }
    transfer->Body.append(data, bytes);
    return bytes;
}

// --- progress ---------------------------------------------------------------

// One transfer has ended in the shared multi: its result, from what curl
// reports of the handle.
void TFetcher::Finished(int id, int curlCode) {
    auto it = m_transfers.find(id);
    if (it == m_transfers.end()) return;
    TTransfer& transfer = *it->second;
    TFetchResult result;
    curl_easy_getinfo(transfer.Easy, CURLINFO_RESPONSE_CODE, &result.Status);
    char* type = nullptr;
    if (curl_easy_getinfo(transfer.Easy, CURLINFO_CONTENT_TYPE, &type) == CURLE_OK && type) result.ContentType = type;
    char* effective = nullptr;
    if (curl_easy_getinfo(transfer.Easy, CURLINFO_EFFECTIVE_URL, &effective) == CURLE_OK && effective)
        result.Url = effective;
    const auto code = static_cast<CURLcode>(curlCode);
    if (transfer.TooBig || code == CURLE_FILESIZE_EXCEEDED) {
        result.Error = "too large";
    } else if (code != CURLE_OK) {
        result.Error = curl_easy_strerror(code);
    } else if (result.Status < 200 || result.Status >= 300) {
        result.Error = "HTTP status " + std::to_string(result.Status);
    } else {
        result.Ok = true;
        result.Body = std::move(transfer.Body);
    }
    Finish(id, std::move(result));
}

// Hands out one result; the handler may free the fetcher, so nothing of it
// is touched afterwards.
void TFetcher::Finish(int id, TFetchResult result) {
    auto it = m_transfers.find(id);
    if (it == m_transfers.end()) return;
    TFetchDone done = std::move(it->second->Done);
    Remove(id);
    PlanDeadline();
    if (done) done(result);
}

void TFetcher::PlanDeadline() {
    m_deadline->SetEnabled(false);
    if (m_transfers.empty()) return;
    int64_t earliest = m_transfers.begin()->second->Deadline;
    for (const auto& [id, transfer] : m_transfers) earliest = std::min(earliest, transfer->Deadline);
    m_deadline->SetInterval(std::max<int64_t>(1, earliest - NowMs()));
    m_deadline->SetEnabled(true);
}

void TFetcher::ExpireOverdue() {
    const int64_t now = NowMs();
    std::vector<int> overdue;
    for (const auto& [id, transfer] : m_transfers)
        if (transfer->Deadline <= now) overdue.push_back(id);
    std::shared_ptr<bool> alive = m_alive;
    for (int id : overdue) {
        if (!*alive) return;
        TFetchResult result;
        result.Error = "timed out";
        Finish(id, std::move(result));
    }
    if (*alive) PlanDeadline();
}

}  // namespace web
