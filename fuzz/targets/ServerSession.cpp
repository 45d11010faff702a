// One server session end to end, in process: the real server on loopback
// with a manual clock, a partner user that joins every table the fuzzed
// user opens and is ready for every game, and for each input a fresh
// connection that logs on and then sends the input's bytes as its stream.
//
// Input: byte 0 bit 0 picks the resumable or the plain opening; the rest
// goes to the server as it stands, after the logon.
//
// Checked: every byte the server writes to either user is a valid frame;
// once the input's connection is gone (and its user, if still on, kicked)
// the server holds only the partner's session and user again. Every
// message of the input is also read as each client message (the strict
// readers), and what reads is written again and must read back equal.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "Clock.h"
#include "FuzzHarness.h"
#include "Server.h"
#include "ServerConfig.h"
#include "protocol/FrameCodec.h"
#include "protocol/Messages.h"
#include "rules/GameKind.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

// How long a conversation step may wait for the server (real time: the
// password hashing runs on the server's threads).
constexpr auto kPatience = std::chrono::seconds(10);

bool InTime(std::chrono::steady_clock::time_point start) {
    return std::chrono::steady_clock::now() - start < kPatience;
}

// A user's end of a loopback connection to the server.
class TWire {
public:
    TWire(server::Server& server, uint16_t port) : m_server(server) {
        m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        Check(m_fd >= 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(port);
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        Check(::connect(m_fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0);
        int one = 1;
        ::setsockopt(m_fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) | O_NONBLOCK);
    }
    ~TWire() {
        if (m_fd >= 0) ::close(m_fd);
    }
    TWire(const TWire&) = delete;
    TWire& operator=(const TWire&) = delete;

    // Writes everything, letting the server read meanwhile.
    void Write(std::string_view bytes) {
        const auto start = std::chrono::steady_clock::now();
        while (!bytes.empty() && !m_closed && InTime(start)) {
            ssize_t n = ::send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
            if (n > 0) bytes.remove_prefix(static_cast<size_t>(n));
            if (!bytes.empty()) Pump(1);
        }
    }
    void Send(const std::string& message) {
        std::string frame;
        Check(protocol::EncodeFrame(message, {}, frame));
        Write(frame);
    }
    // One pass of the server, then everything that arrived; false when
    // nothing arrived.
    bool Pump(int waitMs = 0) {
        m_server.Poll(waitMs);
        return Read();
    }
    bool Read() {
        bool got = false;
        char buffer[65536];
        while (!m_closed) {
            ssize_t n = ::recv(m_fd, buffer, sizeof buffer, 0);
            if (n == 0) m_closed = true;
            if (n <= 0) break;
            m_pending.append(buffer, static_cast<size_t>(n));
            got = true;
        }
        CutFrames();
        return got;
    }
    // The next application message, or false when none came in time.
    bool Next(std::string& message) {
        const auto start = std::chrono::steady_clock::now();
        while (m_messages.empty() && !m_closed && InTime(start)) Pump(1);
        if (m_messages.empty()) return false;
        message = std::move(m_messages.front());
        m_messages.pop_front();
        return true;
    }
    std::deque<std::string>& Messages() { return m_messages; }
    bool Closed() const { return m_closed; }

private:
    // The server writes nothing but whole, valid frames.
    void CutFrames() {
        while (true) {
            protocol::TFrame frame;
            std::string error;
            protocol::DecodeStatus status = protocol::DecodeFrame(m_pending, frame, error);
            Check(status != protocol::DecodeStatus::Error);
            if (status == protocol::DecodeStatus::Incomplete) return;
            m_pending.erase(0, frame.length);
            if (frame.kind == protocol::FrameKind::Message) m_messages.push_back(std::move(frame.payload));
        }
    }

    server::Server& m_server;
    int m_fd = -1;
    bool m_closed = false;
    std::string m_pending;
    std::deque<std::string> m_messages;
};

struct TWorld {
    server::ManualClock clock;
    std::unique_ptr<server::Server> server;
    std::unique_ptr<TWire> partner;
    std::string alias = "fuzzer";
    int aliases = 0;
    bool registered = false;
};

std::string LogonOf(const std::string& alias, bool registration) {
    return protocol::Build(protocol::TLogon{.Alias = alias, .Password = "pw", .Distribution = 1, .Machine = 2,
                                            .Registration = registration, .Year = 1990, .Month = 5, .Day = 17,
                                            .Gender = 1, .Face = 2});
}

// Hello, prompt, logon; the server's answer (empty when none came).
std::string LogOn(TWire& wire, const std::string& logon) {
    wire.Send(protocol::Build(protocol::THello{}));
    std::string m;
    if (!wire.Next(m) || m != "R") return {};
    wire.Send(logon);
    return wire.Next(m) ? m : std::string();
}

TWorld& World() {
    static TWorld* world = [] {
        auto* w = new TWorld;
        server::ServerConfig config;
        config.folder = fuzz::ScratchDirectory() + "server/";
        std::filesystem::create_directories(config.folder);
        config.ports = {0};
        config.web.enabled = false;
        config.bindAddress = "127.0.0.1";
        config.hashOpsLimit = 1;
        config.hashMemLimitKiB = 8;
        config.versionQuery.clear();
        config.adminSocket.clear();
        config.access.connectionsPerAddress = 1000000;
        config.access.connectionsPerMinute = 1000000000;
        config.access.freeLogonFailures = 1000000000;
        config.floodFramesPerSecond = 1000000;
        config.floodBurst = 1000000;
        w->server = std::make_unique<server::Server>(config, w->clock);
        w->server->SetLog([](const std::string&) {});
        std::string error;
        Check(w->server->Start(error));
        w->partner = std::make_unique<TWire>(*w->server, w->server->Ports()[0]);
        w->partner->Write(protocol::PlainOpening());
        const std::string answer = LogOn(*w->partner, LogonOf("partner", true));
        Check(!answer.empty() && answer[0] == 1);
        return w;
    }();
    return *world;
}

// The partner joins the fuzzed user's tables and is ready for each game.
void ServePartner(TWorld& w) {
    TWire& partner = *w.partner;
    partner.Read();
    Check(!partner.Closed());
    auto& messages = partner.Messages();
    while (!messages.empty()) {
        std::string m = std::move(messages.front());
        messages.pop_front();
        protocol::TTableOpened table;
        protocol::TGameStartMessage start;
        if (protocol::Parse(m, table) && table.Creator == w.alias)
            partner.Send(protocol::Build(protocol::TAskToJoin{table.Kind, table.Creator}));
        else if (protocol::Parse(m, start))
            partner.Send(protocol::Build(protocol::TGamePayload{rules::KindNumber(start.Kind), ">"}));
    }
}

// A user of the fuzzed stream, logged on; null when the server refused.
std::unique_ptr<TWire> FreshUser(TWorld& w, bool resumable) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        auto wire = std::make_unique<TWire>(*w.server, w.server->Ports()[0]);
        wire->Write(resumable ? protocol::ResumableOpening() : protocol::PlainOpening());
        std::string answer = LogOn(*wire, LogonOf(w.alias, !w.registered));
        if (!answer.empty() && answer[0] == 1) {
            w.registered = true;
            return wire;
        }
        // An earlier input changed the password: go on as somebody new.
        w.alias = "fuzzer" + std::to_string(++w.aliases);
        w.registered = false;
    }
    return nullptr;
}

// --- the strict readers against their writers --------------------------------

template <class TMessage>
void Reread(std::string_view message) {
    TMessage first;
    if (!protocol::Parse(message, first)) return;
    TMessage second;
    Check(protocol::Parse(protocol::Build(first), second) && second == first);
}

template <class... TMessages>
void RereadAny(std::string_view message) {
    (Reread<TMessages>(message), ...);
}

void CheckReaders(std::string_view stream) {
    using namespace protocol;
    while (!stream.empty()) {
        TFrame frame;
        std::string error;
        if (DecodeFrame(stream, frame, error) != DecodeStatus::Complete) return;
        stream.remove_prefix(frame.length);
        RereadAny<THello, TVersionAnswer, TLogon, TAccountUpdate, TAccountRequest, TPingReply, TUrlRequest,
                  TAnswer, TBannerRequest, TSetOption, TPingRequest, TLeaveRoom, TEnterRoom, TCloseRoom, TSay,
                  TInfoRequest, TOpenRoom, TForumAdd, TCreateTable, TWithdrawTable, TAskToJoin, TStartTable,
                  TGamePayload, TUploadStart, TUploadChunk, TWatch>(frame.payload);
    }
}

// Polls until the server has nothing more to say for a few passes.
void Settle(TWorld& w, TWire& user) {
    int quiet = 0;
    const auto start = std::chrono::steady_clock::now();
    while (quiet < 3 && InTime(start)) {
        const bool hashing = w.server->HashJobsOutstanding() > 0;
        const bool got = user.Pump(hashing ? 1 : 0);
        ServePartner(w);
        quiet = got || hashing ? 0 : quiet + 1;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    fuzz::Prepare();
    TWorld& w = World();
    const std::string_view stream(reinterpret_cast<const char*>(data + 1), size - 1);
    CheckReaders(stream);

    w.clock.Advance(10);
    w.partner->Write(std::string(1, static_cast<char>(protocol::kKeepAlive)));
    std::unique_ptr<TWire> user = FreshUser(w, (data[0] & 1) != 0);
    Check(user != nullptr);
    user->Write(stream);
    Settle(w, *user);
    user.reset();
    w.server->GetZone().Kick(w.alias, "");
    for (int pass = 0; pass < 3; ++pass) {
        w.server->Poll(0);
        ServePartner(w);
    }
    Check(w.server->SessionCount() == 1 && w.server->UserCount() == 1);
    return 0;
}
