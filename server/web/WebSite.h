// WebSite: the zone's own web site, served over HTTP by libmicrohttpd on a
// thread of its own, so no page ever holds up the zone's loop.
//
// Pages (all GET, nothing needs a password; a login string in the query is
// accepted and ignored):
//   /             links to the news and the top lists
//   /news         the operator's news lines, newest first
//   /profile      ?Alias=name: the user's statistics per game
//   /top100       ?Game=kind+1 (as the lobby sends it): the best 100
//   /chatheader   the strip over the room's chat
//   /banner       ?n=1..3: the zone's own banners
//   /badge        the small banner of place 3
//   /camera       the zone camera: the latest arrivals (a camera tab's page)
//   /cameratext   the words beside the camera
//   /visit        ?n=1..7: the page of URL entry n, which the lobby's hidden
//                 panel visits; counted, the counts show on /
// The database is read through the site's own read-only connection. News
// lines come from the zone through the thread-safe NewsBoard.
//
// Configuration: server.ini [Web]: Enabled (1), Address (127.0.0.1), Port
// (2080, 0: any free port), PublicUrl (the base the clients are sent;
// empty: http://Address:Port, with 127.0.0.1 for an address of 0.0.0.0).
#pragma once

#include <array>
#include <atomic>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "web/WebPages.h"

struct MHD_Daemon;

namespace server {
class IniReader;
}

namespace server::web {

class WebData;

struct WebSiteConfig {
    bool enabled = true;
    std::string address = "127.0.0.1";
    int port = 2080;
    std::string publicUrl;
};

void ReadWebSiteConfig(const IniReader& ini, WebSiteConfig& config, std::vector<std::string>& warnings);
std::string DefaultWebIni();

class NewsBoard {
public:
    static constexpr size_t kKept = 50;
    void Add(const std::string& line);
    // Newest first.
    std::vector<std::string> Lines() const;

private:
    mutable std::mutex m_lock;
    std::deque<std::string> m_lines;
};

class WebSite {
public:
    WebSite();
    ~WebSite();
    WebSite(const WebSite&) = delete;
    WebSite& operator=(const WebSite&) = delete;

    // Opens the database read-only and starts serving; false with an error.
    bool Start(const WebSiteConfig& config, const std::string& databasePath, std::string& error);
    void Stop();
    bool Running() const { return m_daemon != nullptr; }
    int Port() const { return m_port; }
    // Where the clients reach the site, without a trailing "/".
    const std::string& BaseUrl() const { return m_baseUrl; }
    NewsBoard& News() { return m_news; }
    // How often each URL entry 1..7 was visited since the start.
    VisitCounts Visits() const;

    // The page for a path and its query values (on the site's thread).
    struct Reply {
        int status = 200;
        std::string body;
    };
    Reply Serve(const std::string& path, const std::string& alias, const std::string& game, const std::string& n);

private:
    MHD_Daemon* m_daemon = nullptr;
    std::unique_ptr<WebData> m_data;
    NewsBoard m_news;
    std::array<std::atomic<int64_t>, kVisitEntries> m_visits{};
    int m_port = 0;
    std::string m_baseUrl;
};

}  // namespace server::web
