// The server over loopback: full logons per second (hello, version query,
// prompt, logon with Argon2id verification, accepted, goodbye) at the
// interactive hashing limits and at the minimum, and how many frames per
// second one logged-on session takes in.
//
// The server runs its own loop on a second thread, as it would in its own
// process; the benchmark thread is the client, on a blocking socket.
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "Clock.h"
#include "Server.h"
#include "protocol/FrameCodec.h"

namespace {

std::string Field(const std::string& text) { return text + '\x01'; }

std::string LogonMessage(const std::string& alias, bool registration) {
    std::string m = "\x04" + Field("0") + Field("0") + Field(alias) + Field("password") + Field("0") + Field("0");
    if (registration) m += Field("1990") + Field("1") + Field("1") + Field("0") + Field("0");
    return m;
}

// A server with its loop on its own thread.
class RunningServer {
public:
    RunningServer(uint64_t opsLimit, uint64_t memKiB) {
        char pattern[] = "/tmp/qvbenchXXXXXX";
        m_folder = std::string(mkdtemp(pattern)) + "/";
        server::ServerConfig config;
        config.folder = m_folder;
        config.ports = {0};
        config.bindAddress = "127.0.0.1";
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
        m_server->OnUserMessage = [this](server::Session&, const std::string&) { m_taken.fetch_add(1); };
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
    uint64_t Taken() const { return m_taken.load(); }

private:
    std::string m_folder;
    server::SteadyClock m_clock;
    std::unique_ptr<server::Server> m_server;
    std::atomic<bool> m_stop{false};
    std::atomic<uint64_t> m_taken{0};
    std::thread m_thread;
};

// A blocking client that reads frames.
class Client {
public:
    explicit Client(uint16_t port) {
        m_fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in sa{};
        sa.sin_family = AF_INET;
        sa.sin_port = htons(port);
        sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int one = 1;
        setsockopt(m_fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        if (connect(m_fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0) std::abort();
        Write(protocol::ResumableOpening());
    }
    ~Client() { close(m_fd); }

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
    // The next application message (control frames are skipped).
    std::string Next() {
        for (;;) {
            protocol::TFrame frame;
            std::string error;
            if (protocol::DecodeFrame(m_buffer, frame, error) == protocol::DecodeStatus::Complete) {
                m_buffer.erase(0, frame.length);
                if (frame.kind == protocol::FrameKind::Message) return frame.payload;
                continue;
            }
            char chunk[4096];
            ssize_t n = recv(m_fd, chunk, sizeof chunk, 0);
            if (n <= 0) return "";
            m_buffer.append(chunk, static_cast<size_t>(n));
        }
    }
    void Drain() {
        char chunk[65536];
        while (recv(m_fd, chunk, sizeof chunk, MSG_DONTWAIT) > 0) {
        }
    }
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

void Logons(benchmark::State& state, uint64_t opsLimit, uint64_t memKiB) {
    RunningServer server(opsLimit, memKiB);
    {
        Client registering(server.Port());
        if (registering.LogOn(LogonMessage("bench", true))[0] != '\x01') std::abort();
        registering.Goodbye();
    }
    for (auto _ : state) {
        Client client(server.Port());
        std::string answer = client.LogOn(LogonMessage("bench", false));
        if (answer.empty() || answer[0] != '\x01') {
            state.SkipWithError("logon refused");
            break;
        }
        client.Goodbye();
        client.Next();  // the server closes
    }
    state.counters["logons/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_LogonInteractiveHash(benchmark::State& state) { Logons(state, 2, 65536); }
void BM_LogonMinimumHash(benchmark::State& state) { Logons(state, 1, 8); }

// Frames of a given size sent by one session in batches; the batch is done
// when the server has handed every frame on.
void BM_SessionFramesIn(benchmark::State& state) {
    RunningServer server(1, 8);
    Client client(server.Port());
    if (client.LogOn(LogonMessage("bench", true))[0] != '\x01') std::abort();
    size_t size = static_cast<size_t>(state.range(0));
    constexpr int kBatch = 1000;
    std::string batch;
    std::string message = "\x08" + std::string(size - 1, 'm');
    for (int i = 0; i < kBatch; ++i) protocol::EncodeFrame(message, protocol::TFrameOptions{}, batch);
    uint64_t expected = 0;
    for (auto _ : state) {
        client.Write(batch);
        expected += kBatch;
        while (server.Taken() < expected) {
            client.Drain();
            std::this_thread::yield();
        }
    }
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(state.iterations() * kBatch), benchmark::Counter::kIsRate);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(batch.size()));
}

}  // namespace

BENCHMARK(BM_LogonInteractiveHash)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_LogonMinimumHash)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SessionFramesIn)->Arg(20)->Arg(120)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
