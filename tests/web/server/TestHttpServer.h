// A small HTTP server on a loopback port for the browser tests, on a thread
// of libmicrohttpd's own: the tests give it pages by path and read back the
// paths it was asked for. A second, silent port accepts connections and
// never answers (the kernel completes the handshake; nobody reads).
#pragma once

#include <map>
#include <mutex>
#include <string>
#include <vector>

struct MHD_Daemon;

namespace webtest {

struct TPage {
    std::string type = "text/html; charset=utf-8";
    std::string body;
    int status = 200;
};

class TTestHttpServer {
public:
    TTestHttpServer();
    ~TTestHttpServer();
    bool Running() const { return m_daemon != nullptr && m_silent >= 0; }

    void Put(const std::string& path, TPage page);
    std::string Url(const std::string& path) const;
    // A URL on the silent port.
    std::string SilentUrl(const std::string& path) const;
    std::vector<std::string> Requests() const;

    // The page at path (404 when none), recording the request.
    TPage Serve(const std::string& path);

private:
    MHD_Daemon* m_daemon = nullptr;
    int m_port = 0;
    int m_silent = -1, m_silentPort = 0;
    mutable std::mutex m_lock;
    std::map<std::string, TPage> m_pages;
    std::vector<std::string> m_requests;
};

}  // namespace webtest
