// The pieces the server benchmarks share: the real server on loopback with
// its loop on a thread of its own (as it runs in its own process), limits
// opened wide so the benchmark measures work and not the limits, and a
// blocking client that speaks the framing.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "Clock.h"
#include "Server.h"
#include "protocol/FrameCodec.h"

namespace bench {

inline std::string Field(const std::string& text) { return text + '\x01'; }

// The logon message of an alias with the password "password".
inline std::string LogonMessage(const std::string& alias, bool registration) {
    std::string m = "\x04" + Field("0") + Field("0") + Field(alias) + Field("password") + Field("0") + Field("0");
    if (registration) m += Field("1990") + Field("1") + Field("1") + Field("0") + Field("0");
    return m;
}

class RunningServer {
public:
    // Hashing at the given limits; beforeStart may hook into the server.
    RunningServer(uint64_t opsLimit, uint64_t memKiB, const std::function<void(server::Server&)>& beforeStart = {}) {
        char pattern[] = "/tmp/qvbenchXXXXXX";
        m_folder = std::string(mkdtemp(pattern)) + "/";
        server::ServerConfig config;
        config.folder = m_folder;
        config.ports = {0};
        config.web.enabled = false;
        config.bindAddress = "127.0.0.1";
        config.adminSocket.clear();
        config.hashOpsLimit = opsLimit;
        config.hashMemLimitKiB = memKiB;
        config.floodBurst = 100000000;
        config.floodFramesPerSecond = 100000000;
        config.maxBufferedBytes = 256 << 20;
        config.access.connectionsPerAddress = 1000000;
        config.access.connectionsPerMinute = 100000000;
        config.anonymousConnections = 10000;
        m_server = std::make_unique<server::Server>(config, m_clock);
        m_server->SetLog(nullptr);
        if (beforeStart) beforeStart(*m_server);
        std::string error;
        if (!m_server->Start(error)) std::abort();
        m_thread = std::thread([this] { m_server->Run(m_stop); });
    }
    ~RunningServer() {
        m_stop.store(true);
        m_thread.join();
        m_server.reset();
        std::filesystem::remove_all(m_folder);
    }
    uint16_t Port() const { return m_server->Ports()[0]; }

private:
    std::string m_folder;
    server::SteadyClock m_clock;
    std::unique_ptr<server::Server> m_server;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

// A blocking client that reads frames.
class Client {
public:
    Client(uint16_t port, bool resumable) {
        m_fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in sa{};
        sa.sin_family = AF_INET;
        sa.sin_port = htons(port);
        sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int one = 1;
        setsockopt(m_fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        if (connect(m_fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0) std::abort();
        Write(resumable ? protocol::ResumableOpening() : protocol::PlainOpening());
    }
    ~Client() { close(m_fd); }
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    int Fd() const { return m_fd; }
    // Received bytes not yet cut into frames.
    std::string& Buffer() { return m_buffer; }

    void Write(const std::string& bytes) {
        for (size_t at = 0; at < bytes.size();) {
            ssize_t n = send(m_fd, bytes.data() + at, bytes.size() - at, MSG_NOSIGNAL);
            if (n <= 0) std::abort();
            at += static_cast<size_t>(n);
        }
    }
    void Send(const std::string& message) {
        std::string frame;
        protocol::EncodeFrame(message, protocol::TFrameOptions{}, frame);
        Write(frame);
    }
    // The next application message (control frames are skipped); empty
    // when the server closes.
    std::string Next() {
        for (;;) {
            protocol::TFrame frame;
            std::string error;
            if (protocol::DecodeFrame(m_buffer, frame, error) == protocol::DecodeStatus::Complete) {
                m_buffer.erase(0, frame.length);
                if (frame.kind == protocol::FrameKind::Message) return frame.payload;
                continue;
            }
            char chunk[65536];
            ssize_t n = recv(m_fd, chunk, sizeof chunk, 0);
            if (n <= 0) return "";
            m_buffer.append(chunk, static_cast<size_t>(n));
        }
    }
    // The next message that starts with these bytes.
    std::string NextStarting(const std::string& start) {
        for (;;) {
            std::string m = Next();
            if (m.empty()) std::abort();
            if (m.compare(0, start.size(), start) == 0) return m;
        }
    }
    void Drain() {
        char chunk[65536];
        while (recv(m_fd, chunk, sizeof chunk, MSG_DONTWAIT) > 0) {
        }
    }
    // Hello, version answer, logon; the server's answer.
    std::string LogOn(const std::string& logon) {
        Send("O");
        std::string query = Next();
        Send("Q" + query.substr(1) + Field("3.61"));
        Next();  // "R"
        Send(logon);
        return Next();
    }
    void Goodbye() { Write("|"); }

private:
    int m_fd;
    std::string m_buffer;
};

}  // namespace bench
