// The server over loopback: full logons per second (hello, version query,
// prompt, logon with Argon2id verification, accepted, goodbye) at the
// interactive hashing limits and at the minimum, and how many frames per
// second one logged-on session takes in.
//
// The server runs its own loop on a second thread, as it would in its own
// process; the benchmark thread is the client, on a blocking socket.
#include <benchmark/benchmark.h>

#include <atomic>
#include <thread>

#include "LoopbackServer.h"

namespace {

using bench::Client;
using bench::LogonMessage;
using bench::RunningServer;

void Logons(benchmark::State& state, uint64_t opsLimit, uint64_t memKiB) {
    RunningServer server(opsLimit, memKiB);
    {
        Client registering(server.Port(), true);
        if (registering.LogOn(LogonMessage("bench", true))[0] != '\x01') std::abort();
        registering.Goodbye();
    }
    for (auto _ : state) {
        Client client(server.Port(), true);
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
    std::atomic<uint64_t> taken{0};
    RunningServer server(1, 8, [&](server::Server& s) {
        s.OnUserMessage = [&](server::Session&, const std::string&) { taken.fetch_add(1); };
    });
    Client client(server.Port(), true);
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
        while (taken.load() < expected) {
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
