// A load driver for the real server over loopback (run through
// scripts/load-server, which starts the server and reads its memory).
//
// N clients register or log on over plain connections, spread over the
// public rooms 1..R, and chat for S seconds: every steady client says a
// line every interval (each line carries its sender, number and send time).
// A few clients only listen and stop reading after a while (the server may
// cut them off; nobody else may wait for them), a few cut their connection
// every ten seconds and log on again. At the end the driver waits until the
// steady members have every line of their room, or a drain time ran out,
// and prints one JSON line: deliveries per second, send-to-delivery latency
// (median, 99th percentile, the longest), disconnects by group, lines lost
// by steady members, and the server's resident memory when idle and under
// load (from /proc, given the server's pid).
//
// Usage: server_load PORT SERVER_PID [--clients N] [--rooms R]
//          [--seconds S] [--interval-ms MS] [--stoppers K] [--reconnecters K]
//          [--line-bytes B]
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "protocol/ClientMessages.h"
#include "protocol/FrameCodec.h"
#include "protocol/LobbyMessages.h"
#include "protocol/Messages.h"

namespace {

int64_t NowUs() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

struct TOptions {
    int port = 0;
    int serverPid = 0;
    int clients = 1000;
    int rooms = 10;
    int seconds = 60;
    int intervalMs = 5000;
    int stoppers = 5;
    int reconnecters = 5;
    int lineBytes = 120;
};

enum class TRole { Steady, Stopper, Reconnecter };
enum class TState { Closed, WaitQuery, WaitPrompt, WaitAnswer, InZone };

struct TClient {
    int index = 0;
    TRole role = TRole::Steady;
    std::string alias;
    int room = 1;
    int fd = -1;
    TState state = TState::Closed;
    std::string in, out;
    bool registered = false;
    bool reading = true;
    int64_t nextLineUs = 0;
    int64_t nextCutUs = 0;
    int sent = 0;
    int disconnects = 0;
    // Per sender: the lines of this client's room it has received.
    std::map<int, int> received;
};

struct TResults {
    std::vector<int64_t> latenciesUs;
    int64_t deliveries = 0;
};

int Connect(const TOptions& o, bool smallBuffer) {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) return -1;
    if (smallBuffer) {
        int size = 4096;
        setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &size, sizeof size);
    }
    int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(static_cast<uint16_t>(o.port));
    sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0) {
        close(fd);
        return -1;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    return fd;
}

void Queue(TClient& c, const std::string& message) { protocol::EncodeFrame(message, protocol::TFrameOptions{}, c.out); }

bool Open(const TOptions& o, TClient& c) {
    c.fd = Connect(o, c.role == TRole::Stopper);
    if (c.fd < 0) return false;
    c.in.clear();
    c.out = protocol::PlainOpening();
    c.state = TState::WaitQuery;
    c.reading = true;
    Queue(c, "O");
    return true;
}

void Close(TClient& c) {
    if (c.fd >= 0) close(c.fd);
    c.fd = -1;
    c.state = TState::Closed;
}

std::string Logon(const TClient& c) {
    protocol::TLogon logon{.Alias = c.alias, .Password = "load-password"};
    if (!c.registered) {
        logon.Registration = true;
        logon.Year = 1990;
        logon.Month = 1;
        logon.Day = 1;
    }
    return protocol::Build(logon);
}

// "L" sender "." number "." send time, padded to the line size.
std::string Line(const TOptions& o, TClient& c) {
    std::string text = "L" + std::to_string(c.index) + "." + std::to_string(++c.sent) + "." + std::to_string(NowUs()) + ".";
    if (static_cast<int>(text.size()) < o.lineBytes) text.append(static_cast<size_t>(o.lineBytes) - text.size(), 'x');
    return text;
}

void ReadLine(TClient& c, const protocol::TChatLine& line, TResults& results, int64_t now) {
    size_t at = line.Text.find(": L");
    if (at == std::string::npos || line.Room != c.room) return;
    int sender = 0, number = 0;
    long long sentUs = 0;
    if (std::sscanf(line.Text.c_str() + at + 3, "%d.%d.%lld.", &sender, &number, &sentUs) != 3) return;
    int& last = c.received[sender];
    last = std::max(last, number);
    ++results.deliveries;
    results.latenciesUs.push_back(now - sentUs);
}

void Handle(TClient& c, const std::string& message, TResults& results, int64_t now) {
    if (message.empty()) return;
    switch (c.state) {
        case TState::WaitQuery:
            Queue(c, "Q" + message.substr(1) + "3.61\x01");
            c.state = TState::WaitPrompt;
            return;
        case TState::WaitPrompt:
            Queue(c, Logon(c));
            c.state = TState::WaitAnswer;
            return;
        case TState::WaitAnswer:
            if (static_cast<uint8_t>(message[0]) != 1) {
                std::fprintf(stderr, "server_load: %s refused with code %d\n", c.alias.c_str(), message[0]);
                Close(c);
                return;
            }
            c.registered = true;
            c.state = TState::InZone;
            if (c.room != 1) Queue(c, protocol::Build(protocol::TEnterRoom{c.room}));
            return;
        case TState::InZone: {
            protocol::TChatLine line;
            if (protocol::Parse(message, line)) ReadLine(c, line, results, now);
            return;
        }
        case TState::Closed: return;
    }
}

// False when the connection ended.
bool Pump(TClient& c, short revents, TResults& results) {
    if ((revents & (POLLERR | POLLHUP)) != 0 && !(revents & POLLIN)) return false;
    if ((revents & POLLOUT) && !c.out.empty()) {
        ssize_t n = send(c.fd, c.out.data(), c.out.size(), MSG_NOSIGNAL);
        if (n < 0 && errno != EAGAIN) return false;
        if (n > 0) c.out.erase(0, static_cast<size_t>(n));
    }
    if (!(revents & POLLIN)) return true;
    char chunk[65536];
    ssize_t n = recv(c.fd, chunk, sizeof chunk, 0);
    if (n == 0 || (n < 0 && errno != EAGAIN)) return false;
    if (n > 0) c.in.append(chunk, static_cast<size_t>(n));
    const int64_t now = NowUs();
    size_t used = 0;
    for (;;) {
        protocol::TFrame frame;
        std::string error;
        std::string_view rest(c.in.data() + used, c.in.size() - used);
        protocol::DecodeStatus status = protocol::DecodeFrame(rest, frame, error);
        if (status == protocol::DecodeStatus::Incomplete) break;
        if (status == protocol::DecodeStatus::Error) return false;
        used += frame.length;
        if (frame.kind == protocol::FrameKind::Goodbye) return false;
        if (frame.kind == protocol::FrameKind::Message) Handle(c, frame.payload, results, now);
        if (c.state == TState::Closed) return false;
    }
    c.in.erase(0, used);
    return true;
}

// One pass of poll over every open client.
void Poll(std::vector<TClient>& clients, TResults& results, int timeoutMs) {
    std::vector<pollfd> fds;
    std::vector<TClient*> owners;
    for (TClient& c : clients) {
        if (c.fd < 0) continue;
        short events = static_cast<short>((c.reading ? POLLIN : 0) | (c.out.empty() ? 0 : POLLOUT));
        fds.push_back(pollfd{c.fd, events, 0});
        owners.push_back(&c);
    }
    if (fds.empty()) return;
    if (poll(fds.data(), fds.size(), timeoutMs) <= 0) return;
    for (size_t i = 0; i < fds.size(); ++i) {
        if (fds[i].revents == 0) continue;
        TClient& c = *owners[i];
        if (!Pump(c, fds[i].revents, results)) {
            Close(c);
            ++c.disconnects;
        }
    }
}

long ResidentKiB(int pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string key;
    long value = 0;
    while (status >> key) {
        if (key == "VmRSS:") {
            status >> value;
            return value;
        }
        status.ignore(1 << 12, '\n');
    }
    return 0;
}

bool AllInZone(const std::vector<TClient>& clients) {
    return std::all_of(clients.begin(), clients.end(), [](const TClient& c) { return c.state == TState::InZone; });
}

// Logs everybody on (registering first), retrying a refused or cut
// connection a few times.
bool LogOnAll(const TOptions& o, std::vector<TClient>& clients, TResults& results) {
    for (TClient& c : clients) Open(o, c);
    const int64_t deadline = NowUs() + 300'000'000;
    while (!AllInZone(clients) && NowUs() < deadline) {
        Poll(clients, results, 50);
        for (TClient& c : clients)
            if (c.fd < 0) Open(o, c);
    }
    for (TClient& c : clients) c.disconnects = 0;
    return AllInZone(clients);
}

void ChatPhase(const TOptions& o, std::vector<TClient>& clients, TResults& results, long& peakKiB) {
    const int64_t start = NowUs(), end = start + int64_t{o.seconds} * 1'000'000;
    for (TClient& c : clients) {
        c.nextLineUs = start + (int64_t{c.index} * 7919 % o.intervalMs) * 1000;
        c.nextCutUs = start + 10'000'000 + int64_t{c.index} * 100'000;
    }
    int64_t nextSample = start;
    while (NowUs() < end) {
        const int64_t now = NowUs();
        for (TClient& c : clients) {
            if (c.role == TRole::Steady && c.fd >= 0 && now >= c.nextLineUs) {
                Queue(c, protocol::Build(protocol::TSay{c.room, Line(o, c)}));
                c.nextLineUs += int64_t{o.intervalMs} * 1000;
            }
            if (c.role == TRole::Stopper && now >= start + 5'000'000) c.reading = false;
            if (c.role == TRole::Reconnecter && now >= c.nextCutUs) {
                if (c.fd >= 0) Close(c);
                Open(o, c);
                c.nextCutUs += 10'000'000;
            }
        }
        Poll(clients, results, 5);
        if (now >= nextSample) {
            peakKiB = std::max(peakKiB, ResidentKiB(o.serverPid));
            nextSample = now + 500'000;
        }
    }
}

// Lines a steady member still misses from the senders of its room.
int64_t Missing(const std::vector<TClient>& clients) {
    int64_t missing = 0;
    for (const TClient& member : clients) {
        if (member.role != TRole::Steady) continue;
        for (const TClient& sender : clients) {
            if (sender.role != TRole::Steady || sender.room != member.room || sender.sent == 0) continue;
            auto it = member.received.find(sender.index);
            missing += sender.sent - (it == member.received.end() ? 0 : it->second);
        }
    }
    return missing;
}

int64_t Percentile(std::vector<int64_t>& values, double p) {
    if (values.empty()) return 0;
    size_t k = std::min(values.size() - 1, static_cast<size_t>(p * static_cast<double>(values.size())));
    std::nth_element(values.begin(), values.begin() + static_cast<long>(k), values.end());
    return values[k];
}

bool ParseOptions(int argc, char** argv, TOptions& o) {
    if (argc < 3) return false;
    o.port = std::atoi(argv[1]);
    o.serverPid = std::atoi(argv[2]);
    for (int i = 3; i + 1 < argc; i += 2) {
        std::string key = argv[i];
        int value = std::atoi(argv[i + 1]);
        if (key == "--clients") o.clients = value;
        else if (key == "--rooms") o.rooms = value;
        else if (key == "--seconds") o.seconds = value;
        else if (key == "--interval-ms") o.intervalMs = value;
        else if (key == "--stoppers") o.stoppers = value;
        else if (key == "--reconnecters") o.reconnecters = value;
        else if (key == "--line-bytes") o.lineBytes = value;
        else return false;
    }
    return o.port > 0 && o.serverPid > 0 && o.clients > 0 && o.rooms > 0 && o.seconds > 0 && o.intervalMs > 0 &&
           o.stoppers + o.reconnecters < o.clients && o.lineBytes > 0 && o.lineBytes < 4000;
}

}  // namespace

int main(int argc, char** argv) {
    TOptions o;
    if (!ParseOptions(argc, argv, o)) {
        std::fprintf(stderr, "usage: server_load PORT SERVER_PID [--clients N] [--rooms R] [--seconds S] "
                             "[--interval-ms MS] [--stoppers K] [--reconnecters K] [--line-bytes B]\n");
        return 2;
    }
    std::vector<TClient> clients(static_cast<size_t>(o.clients));
    for (int i = 0; i < o.clients; ++i) {
        TClient& c = clients[static_cast<size_t>(i)];
        c.index = i;
        c.alias = "load" + std::to_string(i);
        c.room = 1 + i % o.rooms;
        c.role = i < o.stoppers ? TRole::Stopper : i < o.stoppers + o.reconnecters ? TRole::Reconnecter : TRole::Steady;
    }
    TResults results;
    const long beforeKiB = ResidentKiB(o.serverPid);
    const int64_t logonStart = NowUs();
    if (!LogOnAll(o, clients, results)) {
        std::fprintf(stderr, "server_load: not every client could log on\n");
        return 1;
    }
    const double logonSeconds = static_cast<double>(NowUs() - logonStart) / 1e6;
    // Let the room changes and the arrival messages settle, and the server
    // give back what the burst left (it checks every five seconds).
    for (int64_t until = NowUs() + 6'000'000; NowUs() < until;) Poll(clients, results, 20);
    const long idleKiB = ResidentKiB(o.serverPid);
    results = TResults{};
    long peakKiB = idleKiB;
    const int64_t chatStart = NowUs();
    ChatPhase(o, clients, results, peakKiB);
    const double chatSeconds = static_cast<double>(NowUs() - chatStart) / 1e6;
    const int64_t deliveredInTime = results.deliveries;
    // Drain: the lines still in flight arrive.
    for (int64_t until = NowUs() + 10'000'000; NowUs() < until && Missing(clients) > 0;) Poll(clients, results, 20);

    int disconnects[3] = {0, 0, 0};
    int64_t linesSent = 0;
    for (const TClient& c : clients) {
        disconnects[static_cast<int>(c.role)] += c.disconnects;
        linesSent += c.sent;
    }
    const int64_t p50 = Percentile(results.latenciesUs, 0.5), p99 = Percentile(results.latenciesUs, 0.99);
    const int64_t longest = results.latenciesUs.empty()
                                ? 0
                                : *std::max_element(results.latenciesUs.begin(), results.latenciesUs.end());
    std::printf("{\"clients\": %d, \"rooms\": %d, \"seconds\": %d, \"logon_s\": %.1f, \"lines_sent\": %lld, "
                "\"deliveries_per_s\": %.0f, \"latency_ms_p50\": %.1f, \"latency_ms_p99\": %.1f, "
                "\"longest_wait_ms\": %.1f, \"disconnects_steady\": %d, \"disconnects_stoppers\": %d, "
                "\"lost\": %lld, \"server_rss_mb_start\": %.1f, \"server_rss_mb_idle\": %.1f, "
                "\"server_rss_mb_peak\": %.1f, \"kb_per_idle_session\": %.1f}\n",
                o.clients, o.rooms, o.seconds, logonSeconds, static_cast<long long>(linesSent),
                static_cast<double>(deliveredInTime) / chatSeconds, static_cast<double>(p50) / 1000.0,
                static_cast<double>(p99) / 1000.0, static_cast<double>(longest) / 1000.0, disconnects[0], disconnects[1],
                static_cast<long long>(Missing(clients)), beforeKiB / 1024.0, idleKiB / 1024.0, peakKiB / 1024.0,
                static_cast<double>(idleKiB - beforeKiB) / o.clients);
    for (TClient& c : clients) Close(c);
    return 0;
}
