// Frames encoded and decoded per second: chat-sized and 30 KB messages,
// plain and compressed (zlib level 1, the connection's default).
#include <benchmark/benchmark.h>

#include <string>

#include "protocol/FrameCodec.h"

namespace {

// Text-like content, so compression has something realistic to do.
std::string Message(size_t n) {
    static const std::string words = "hello table dice move double roll room chat game yatzy puzzle ";
    std::string s;
    for (size_t i = 0; s.size() < n; ++i) s += words.substr((i * 7) % words.size(), 5 + i % 4);
    s.resize(n);
    return s;
}

protocol::TFrameOptions Options(bool compressed) {
    protocol::TFrameOptions o;
    o.compressAlways = compressed;
    return o;
}

void Encode(benchmark::State& state, size_t size, bool compressed) {
    std::string message = Message(size);
    protocol::TFrameOptions options = Options(compressed);
    std::string out;
    for (auto _ : state) {
        out.clear();
        protocol::EncodeFrame(message, options, out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(size));
}

void Decode(benchmark::State& state, size_t size, bool compressed) {
    std::string frame;
    protocol::EncodeFrame(Message(size), Options(compressed), frame);
    protocol::TFrame decoded;
    std::string error;
    for (auto _ : state) {
        protocol::DecodeFrame(frame, decoded, error);
        benchmark::DoNotOptimize(decoded.payload.data());
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(size));
}

constexpr size_t kChat = 40;
constexpr size_t kLarge = 30000;

}  // namespace

BENCHMARK_CAPTURE(Encode, chat_plain, kChat, false);
BENCHMARK_CAPTURE(Encode, chat_compressed, kChat, true);
BENCHMARK_CAPTURE(Encode, large_plain, kLarge, false);
BENCHMARK_CAPTURE(Encode, large_compressed, kLarge, true);
BENCHMARK_CAPTURE(Decode, chat_plain, kChat, false);
BENCHMARK_CAPTURE(Decode, chat_compressed, kChat, true);
BENCHMARK_CAPTURE(Decode, large_plain, kLarge, false);
BENCHMARK_CAPTURE(Decode, large_compressed, kLarge, true);

BENCHMARK_MAIN();
