#include "web/server/TestHttpServer.h"

#include <microhttpd.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace webtest {
namespace {

int ListenSilently(int& port) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) return -1;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 || listen(fd, 8) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        close(fd);
        return -1;
    }
    port = ntohs(address.sin_port);
    return fd;
}

MHD_Result Answer(void* self, MHD_Connection* connection, const char* url, const char*, const char*, const char*,
                  size_t*, void**) {
    const TPage page = static_cast<TTestHttpServer*>(self)->Serve(url);
    MHD_Response* response =
        MHD_create_response_from_buffer(page.body.size(), const_cast<char*>(page.body.data()), MHD_RESPMEM_MUST_COPY);
    MHD_add_response_header(response, "Content-Type", page.type.c_str());
    const MHD_Result result = MHD_queue_response(connection, static_cast<unsigned>(page.status), response);
    MHD_destroy_response(response);
    return result;
}

}  // namespace

TTestHttpServer::TTestHttpServer() {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    m_daemon = MHD_start_daemon(MHD_USE_INTERNAL_POLLING_THREAD | MHD_USE_ERROR_LOG, 0, nullptr, nullptr,
                                &Answer, this,
                                MHD_OPTION_SOCK_ADDR, &address, MHD_OPTION_END);
    if (m_daemon) m_port = MHD_get_daemon_info(m_daemon, MHD_DAEMON_INFO_BIND_PORT)->port;
    m_silent = ListenSilently(m_silentPort);
}

TTestHttpServer::~TTestHttpServer() {
    if (m_daemon) MHD_stop_daemon(m_daemon);
    if (m_silent >= 0) close(m_silent);
}

void TTestHttpServer::Put(const std::string& path, TPage page) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_pages[path] = std::move(page);
}

std::string TTestHttpServer::Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

std::string TTestHttpServer::SilentUrl(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(m_silentPort) + path;
}

std::vector<std::string> TTestHttpServer::Requests() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_requests;
}

TPage TTestHttpServer::Serve(const std::string& path) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_requests.push_back(path);
    auto it = m_pages.find(path);
    if (it == m_pages.end()) return TPage{"text/plain", "not found", 404};
    return it->second;
}

}  // namespace webtest
