#include "AdminClient.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "AdminLine.h"

namespace server {
namespace {

int Connect(const std::string& path, std::string& error) {
    sockaddr_un sa{};
    sa.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof sa.sun_path) {
        error = "no usable admin socket path: " + path;
        return -1;
    }
    std::memcpy(sa.sun_path, path.c_str(), path.size() + 1);
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0 || connect(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0) {
        error = "no server answers on " + path + ": " + std::strerror(errno);
        if (fd >= 0) close(fd);
        return -1;
    }
    return fd;
}

bool SendAll(int fd, const std::string& bytes) {
    size_t at = 0;
    while (at < bytes.size()) {
        ssize_t n = send(fd, bytes.data() + at, bytes.size() - at, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        at += static_cast<size_t>(n);
    }
    return true;
}

bool IsLastLine(const std::string& line) { return line == "ok" || line.rfind("error: ", 0) == 0; }

}  // namespace

int RunAdminCommand(const std::string& socketPath, const std::vector<std::string>& words, std::FILE* out,
                    std::FILE* err) {
    std::string error;
    int fd = Connect(socketPath, error);
    if (fd < 0) {
        std::fprintf(err, "quorvalendix-server admin: %s\n", error.c_str());
        return 2;
    }
    std::string line;
    for (const std::string& w : words) line += (line.empty() ? "" : " ") + QuoteWord(w);
    if (!SendAll(fd, line + "\n")) {
        std::fprintf(err, "quorvalendix-server admin: the server closed the channel\n");
        close(fd);
        return 2;
    }
    std::string pending, last;
    char buffer[4096];
    while (!IsLastLine(last)) {
        ssize_t n = recv(fd, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        pending.append(buffer, static_cast<size_t>(n));
        for (size_t end; !IsLastLine(last) && (end = pending.find('\n')) != std::string::npos;) {
            last = pending.substr(0, end);
            pending.erase(0, end + 1);
            std::fprintf(out, "%s\n", last.c_str());
        }
    }
    close(fd);
    if (!IsLastLine(last)) {
        std::fprintf(err, "quorvalendix-server admin: the reply broke off\n");
        return 2;
    }
    return last == "ok" ? 0 : 1;
}

}  // namespace server
