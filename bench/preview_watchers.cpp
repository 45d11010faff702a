// The server's cost of live previews, over loopback: two players in a
// Tumblix game, and the same game watched by 0 or 100 other users.
//
// - BM_PlayerPayload: the latency of one player's payload (a piece moving
//   one column) until the other player has it; with watchers, every move
//   also becomes one preview message (75) to each of them, and the next
//   move waits (untimed) until they all have it. The watchers are not read
//   while a move is timed (their machines are others). The iteration time
//   is the latency.
// - BM_WatchedBurst: the players' side sends 1000 moves at once; an
//   iteration ends when every watcher has every move's preview. Counter:
//   previews delivered per second at full load.
//
// The server runs its own loop on a second thread; the watchers are read
// by a third (poll over their sockets, frames decoded and counted), the
// players by the benchmark thread. On two cores all three share them, so
// the figures are an upper bound of the server's own cost.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "LoopbackServer.h"
#include "protocol/Messages.h"

namespace {

using bench::Client;

constexpr int kTumblix = 1;
constexpr uint8_t kTumblixCells = 75;
constexpr uint8_t kGameData = 71;

std::string Bytes(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes) s += static_cast<char>(b);
    return s;
}

// Reads every watcher's socket on its own thread and counts the Tumblix
// preview messages that arrive.
class WatcherPool {
public:
    explicit WatcherPool(std::vector<std::unique_ptr<Client>>& watchers) : m_watchers(watchers) {
        for (auto& w : m_watchers) fcntl(w->Fd(), F_SETFL, fcntl(w->Fd(), F_GETFL) | O_NONBLOCK);
        m_thread = std::thread([this] { Run(); });
    }
    ~WatcherPool() {
        m_stop.store(true);
        m_thread.join();
    }
    uint64_t Previews() const { return m_previews.load(); }
    // While held, nothing is read: the watchers' machines are not this one,
    // and their reading must not take the players' CPU.
    void Hold(bool held) { m_held.store(held); }

private:
    void Run() {
        std::vector<pollfd> fds;
        for (auto& w : m_watchers) fds.push_back({w->Fd(), POLLIN, 0});
        while (!m_stop.load()) {
            if (m_held.load()) {
                std::this_thread::sleep_for(std::chrono::microseconds(50));
                continue;
            }
            if (poll(fds.data(), fds.size(), 10) <= 0) continue;
            for (size_t i = 0; i < fds.size(); ++i)
                if (fds[i].revents & POLLIN) Drain(*m_watchers[i]);
        }
    }
    void Drain(Client& c) {
        char chunk[65536];
        ssize_t n;
        while ((n = recv(c.Fd(), chunk, sizeof chunk, 0)) > 0) c.Buffer().append(chunk, static_cast<size_t>(n));
        protocol::TFrame frame;
        std::string error;
        size_t at = 0;
        uint64_t counted = 0;
        while (protocol::DecodeFrame(std::string_view(c.Buffer()).substr(at), frame, error) ==
               protocol::DecodeStatus::Complete) {
            at += frame.length;
            if (frame.kind == protocol::FrameKind::Message && !frame.payload.empty() &&
                uint8_t(frame.payload[0]) == kTumblixCells)
                ++counted;
        }
        c.Buffer().erase(0, at);
        m_previews.fetch_add(counted);
    }

    std::vector<std::unique_ptr<Client>>& m_watchers;
    std::atomic<bool> m_stop{false}, m_held{false};
    std::atomic<uint64_t> m_previews{0};
    std::thread m_thread;
};

// Ann and Ben in a running Tumblix game, Ann's square at the top of her
// well; `watchers` users watch it in slot 1.
class WatchedGame {
public:
    explicit WatchedGame(int watchers) : server(1, 8), ann(server.Port(), false), ben(server.Port(), false) {
        LogOn(ann, "ann");
        LogOn(ben, "ben");
        ann.Send(protocol::Build(protocol::TCreateTable{kTumblix, "1"}));
        ann.NextStarting(std::string(1, '\x0B'));
        ben.Send(protocol::Build(protocol::TAskToJoin{kTumblix, "ann"}));
        ann.NextStarting(std::string(1, '\x10'));
        ann.Send(protocol::Build(protocol::TStartTable{kTumblix, {"ben"}}));
        for (Client* c : {&ann, &ben}) {
            c->NextStarting(std::string(1, '\x12'));
            c->Send(protocol::Build(protocol::TGamePayload{kTumblix, ">"}));
        }
        for (Client* c : {&ann, &ben}) c->NextStarting(Game(">"));
        ann.Send(protocol::Build(protocol::TGamePayload{kTumblix, Bytes({'3', 1})}));
        ann.Send(protocol::Build(protocol::TGamePayload{kTumblix, Bytes({'2', 1, 2, 2})}));
        ben.NextStarting(Game(Bytes({'2', 1, 2, 2})));
        for (int i = 0; i < watchers; ++i) {
            m_watchers.push_back(std::make_unique<Client>(server.Port(), false));
            char alias[32];
            std::snprintf(alias, sizeof alias, "watcher%03d", i);
            LogOn(*m_watchers.back(), alias);
            m_watchers.back()->Send(protocol::Build(protocol::TWatch{kTumblix, "ann", 1}));
            m_watchers.back()->NextStarting("J");
        }
        m_pool = std::make_unique<WatcherPool>(m_watchers);
    }

    // Ann's square one column left or right.
    void Move() {
        m_column = 5 - m_column;
        ann.Send(protocol::Build(protocol::TGamePayload{kTumblix, Bytes({'4', m_column, 2, 1})}));
    }
    // A relayed position: code 71, its length 4, then "4".
    void AwaitMoveAtBen() { ben.NextStarting(Bytes({kGameData, 4, '4'})); }
    uint64_t Previews() const { return m_pool->Previews(); }
    void HoldWatchers(bool held) { m_pool->Hold(held); }
    size_t Watchers() const { return m_watchers.size(); }

    bench::RunningServer server;
    Client ann, ben;

private:
    static void LogOn(Client& client, const std::string& alias) {
        if (client.LogOn(bench::LogonMessage(alias, true))[0] != '\x01') std::abort();
    }
    static std::string Game(const std::string& payload) {
        return std::string(1, static_cast<char>(kGameData)) + static_cast<char>(payload.size()) + payload;
    }

    std::vector<std::unique_ptr<Client>> m_watchers;
    std::unique_ptr<WatcherPool> m_pool;
    int m_column = 2;
};

void BM_PlayerPayload(benchmark::State& state) {
    WatchedGame game(static_cast<int>(state.range(0)));
    const uint64_t before = game.Previews();
    uint64_t expected = before;
    for (auto _ : state) {
        game.HoldWatchers(true);
        game.Move();
        game.AwaitMoveAtBen();
        // The next move comes when the watchers have this one, as moves
        // (tens of milliseconds apart) do in a game.
        state.PauseTiming();
        game.HoldWatchers(false);
        expected += game.Watchers();
        while (game.Previews() < expected) std::this_thread::yield();
        state.ResumeTiming();
    }
    state.counters["previews"] = static_cast<double>(game.Previews() - before);
}

void BM_WatchedBurst(benchmark::State& state) {
    WatchedGame game(static_cast<int>(state.range(0)));
    constexpr int kBurst = 1000;
    uint64_t expected = game.Previews();
    for (auto _ : state) {
        for (int i = 0; i < kBurst; ++i) game.Move();
        for (int i = 0; i < kBurst; ++i) game.AwaitMoveAtBen();
        expected += kBurst * game.Watchers();
        while (game.Previews() < expected) std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
    state.counters["previews/s"] = benchmark::Counter(
        static_cast<double>(state.iterations() * kBurst * game.Watchers()), benchmark::Counter::kIsRate);
    state.counters["moves/s"] =
        benchmark::Counter(static_cast<double>(state.iterations() * kBurst), benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(BM_PlayerPayload)->Arg(0)->Arg(100)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_WatchedBurst)->Arg(0)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
