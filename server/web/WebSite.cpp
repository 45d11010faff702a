#include "web/WebSite.h"

#include <arpa/inet.h>
#include <microhttpd.h>
#include <netinet/in.h>

#include "IniReader.h"
#include "web/WebData.h"
#include "web/WebPages.h"

namespace server::web {
namespace {

constexpr char kSection[] = "Web";
constexpr int kTopRows = 100;
constexpr int kCameraRows = 8;
constexpr unsigned kConnectionLimit = 64;
constexpr unsigned kConnectionTimeoutSeconds = 10;
constexpr size_t kMaxQueryValue = 64;

std::string Argument(MHD_Connection* connection, const char* name) {
    const char* value = MHD_lookup_connection_value(connection, MHD_GET_ARGUMENT_KIND, name);
    std::string text = value ? value : "";
    return text.size() > kMaxQueryValue ? text.substr(0, kMaxQueryValue) : text;
}

MHD_Result Answer(void* self, MHD_Connection* connection, const char* url, const char* method, const char*,
                  const char*, size_t*, void**) {
    WebSite::Reply reply;
    if (std::string(method) != "GET" && std::string(method) != "HEAD") {
        reply = {405, NotFoundPage()};
    } else {
        reply = static_cast<WebSite*>(self)->Serve(url, Argument(connection, "Alias"), Argument(connection, "Game"),
                                                   Argument(connection, "n"));
    }
    MHD_Response* response =
        MHD_create_response_from_buffer(reply.body.size(), reply.body.data(), MHD_RESPMEM_MUST_COPY);
    if (!response) return MHD_NO;
    MHD_add_response_header(response, "Content-Type", "text/html; charset=windows-1252");
    MHD_add_response_header(response, "Cache-Control", "no-store");
    const MHD_Result result = MHD_queue_response(connection, static_cast<unsigned>(reply.status), response);
    MHD_destroy_response(response);
    return result;
}

int SmallNumber(const std::string& text, int fallback) {
    long long value = 0;
    return ParseInteger(text, value) && value >= -1000 && value <= 1000 ? static_cast<int>(value) : fallback;
}

}  // namespace

void ReadWebSiteConfig(const IniReader& ini, WebSiteConfig& config, std::vector<std::string>& warnings) {
    ReadBounded(ini, kSection, "Enabled", 0, 1, config.enabled, warnings);
    ReadBounded(ini, kSection, "Port", 0, 65535, config.port, warnings);
    if (ini.Has(kSection, "Address")) config.address = ini.ReadString(kSection, "Address", config.address);
    config.publicUrl = ini.ReadString(kSection, "PublicUrl", "");
    while (!config.publicUrl.empty() && config.publicUrl.back() == '/') config.publicUrl.pop_back();
}

std::string DefaultWebIni() {
    WebSiteConfig d;
    return "[Web]\r\n; The zone's own web site (news, profiles, top lists, banners).\r\n"
           "Enabled=1\r\nAddress=" + d.address + "\r\nPort=" + std::to_string(d.port) +
           "\r\n; The address clients are sent; empty: http://Address:Port.\r\nPublicUrl=\r\n";
}

void NewsBoard::Add(const std::string& line) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_lines.push_front(line);
    if (m_lines.size() > kKept) m_lines.pop_back();
}

std::vector<std::string> NewsBoard::Lines() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return {m_lines.begin(), m_lines.end()};
}

WebSite::WebSite() = default;

WebSite::~WebSite() { Stop(); }

bool WebSite::Start(const WebSiteConfig& config, const std::string& databasePath, std::string& error) {
    m_data = std::make_unique<WebData>();
    if (!m_data->Open(databasePath, error)) return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(config.port));
    if (inet_pton(AF_INET, config.address.c_str(), &address.sin_addr) != 1) {
        error = "the web site's Address " + config.address + " is not an IPv4 address";
        return false;
    }
    m_daemon = MHD_start_daemon(MHD_USE_INTERNAL_POLLING_THREAD, 0, nullptr, nullptr, &Answer, this,
                                MHD_OPTION_SOCK_ADDR, &address, MHD_OPTION_CONNECTION_LIMIT, kConnectionLimit,
                                MHD_OPTION_CONNECTION_TIMEOUT, kConnectionTimeoutSeconds, MHD_OPTION_END);
    if (!m_daemon) {
        error = "the web site cannot listen on " + config.address + " port " + std::to_string(config.port);
        return false;
    }
    m_port = MHD_get_daemon_info(m_daemon, MHD_DAEMON_INFO_BIND_PORT)->port;
    const std::string host = config.address == "0.0.0.0" ? "127.0.0.1" : config.address;
    m_baseUrl = config.publicUrl.empty() ? "http://" + host + ":" + std::to_string(m_port) : config.publicUrl;
    return true;
}

void WebSite::Stop() {
    if (m_daemon) MHD_stop_daemon(m_daemon);
    m_daemon = nullptr;
}

VisitCounts WebSite::Visits() const {
    VisitCounts counts{};
    for (size_t i = 0; i < counts.size(); ++i) counts[i] = m_visits[i].load(std::memory_order_relaxed);
    return counts;
}

WebSite::Reply WebSite::Serve(const std::string& path, const std::string& alias, const std::string& game,
                              const std::string& n) {
    if (path == "/") return {200, HomePage("Quorvalendix", Visits())};
    if (path == "/visit") {
        const int entry = SmallNumber(n, 0);
        if (VisitName(entry).empty()) return {404, NotFoundPage()};
        m_visits[static_cast<size_t>(entry - 1)].fetch_add(1, std::memory_order_relaxed);
        return {200, VisitPage()};
    }
    if (path == "/badge") return {200, BadgePage()};
    if (path == "/camera") return {200, CameraPage(m_data->View(kCameraRows))};
    if (path == "/cameratext") return {200, CameraTextPage()};
    if (path == "/news") return {200, NewsPage(m_news.Lines())};
    if (path == "/chatheader") return {200, ChatHeaderPage()};
    if (path == "/banner") return {200, BannerPage(SmallNumber(n, 1))};
    if (path == "/top100") {
        // The lobby sends the game kind + 1.
        const int kind = SmallNumber(game, 2) - 1;
        if (GameName(kind).empty()) return {404, NotFoundPage()};
        return {200, TopPage(kind, m_data->Top(kind, kTopRows))};
    }
    if (path == "/profile") {
        Profile profile;
        if (!alias.empty() && m_data->FindProfile(alias, profile)) return {200, ProfilePage(profile)};
        return {200, UnknownUserPage(alias)};
    }
    return {404, NotFoundPage()};
}

}  // namespace server::web
