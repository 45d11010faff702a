// GIZ decoding of an 800 x 600 window background at 32 and 16 bits per pixel,
// against a plain memcpy of the same number of output bytes: the lobby's
// background from the default skin (when the skin has been built), and a
// generated picture of the same kind.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "resources/Giz.h"
#include "resources/GizEncoder.h"
#include "resources/MyMem.h"
#include "resources/Pack.h"

namespace {

constexpr int kWidth = 800, kHeight = 600;

uint16_t Rgb(int r, int g, int b) {
    return GizPixelFromRgb(uint8_t(r), uint8_t(g), uint8_t(b));
}

// A window background as the skin draws them: a transparent border, a
// vertical gradient (one colour a row: long repeat runs), a title bar with a
// horizontal gradient and a panel with a bevel (literal stretches), flat
// buttons, and a few lines of anti-aliased text (short mixed runs).
std::vector<uint16_t> MakePicture() {
    std::vector<uint16_t> p(size_t(kWidth) * kHeight, 0);
    uint32_t seed = 12345;
    for (int y = 6; y < kHeight - 6; ++y)
        for (int x = 8; x < kWidth - 8; ++x) {
            uint16_t v = Rgb(40 + y / 8, 60 + y / 6, 120 + y / 5);
            if (y < 40) v = Rgb(20 + x * 200 / kWidth, 40 + x / 8, 160);
            else if (x > 500 && x < 760 && y > 80 && y < 520) {
                v = (x == 501 || y == 81) ? Rgb(230, 230, 230) : Rgb(200 - (y - 80) / 4, 200, 210);
                if ((y - 100) % 24 < 12 && y > 100 && y < 500 && x > 510 && x < 740) {
                    seed = seed * 134775813u + 1;
                    if ((seed >> 28) < 7) v = Rgb(int(seed >> 24), int(seed >> 24), int(seed >> 24));
                }
            } else if (y > 540 && y < 580 && (x / 120) % 2 == 0) v = Rgb(90, 140, 60);
            p[size_t(y) * kWidth + size_t(x)] = v;
        }
    return p;
}

const std::vector<uint8_t>& Stream() {
    static const std::vector<uint8_t> stream = [] {
        std::vector<uint8_t> s;
        const auto picture = MakePicture();
        GizEncode(picture.data(), kWidth, kHeight, s);
        return s;
    }();
    return stream;
}

// Decodes the stream into a buffer of the given size on every iteration.
void DecodeInto(benchmark::State& state, const std::vector<uint8_t>& s, int64_t bytes, int depth) {
    std::vector<uint8_t> out(static_cast<size_t>(bytes));
    for (auto _ : state) {
        if (!GizDecode(s.data(), int64_t(s.size()), out.data(), bytes, 0, depth))
            state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}

void BM_GizDecode(benchmark::State& state) {
    const int depth = int(state.range(0));
    const auto& s = Stream();
    const int64_t bytes = int64_t(kWidth) * kHeight * GizBytesPerPixel(depth);
    DecodeInto(state, s, bytes, depth);
    state.counters["stream_bytes"] = double(s.size());
}

// The lobby background of the built default skin; empty when there is none.
const std::vector<uint8_t>& SkinStream() {
    static const std::vector<uint8_t> stream = [] {
        std::vector<uint8_t> s;
        // QV_PACK names another skin's pack.
        const char* path = std::getenv("QV_PACK");
        TMypack pack(path ? path : QV_DEFAULT_PACK);
        int index = pack.IndexOf("chat");
        if (index < 0) return s;
        const uint8_t* member = pack.Member(index);
        if (member) s.assign(member, member + pack.MemberSize(index));
        return s;
    }();
    return stream;
}

void BM_GizDecodeSkin(benchmark::State& state) {
    const int depth = int(state.range(0));
    const auto& s = SkinStream();
    TGizHeader header;
    if (s.empty() || !GizReadHeader(s.data(), int64_t(s.size()), header)) {
        state.SkipWithError("no default skin: build the skin target first");
        return;
    }
    const int64_t bytes = int64_t(header.width) * header.height * GizBytesPerPixel(depth);
    DecodeInto(state, s, bytes, depth);
    state.counters["width"] = header.width;
    state.counters["height"] = header.height;
}

void BM_GizDecodeIntoMymem(benchmark::State& state) {
    const int depth = int(state.range(0));
    const auto& s = Stream();
    const int64_t bytes = int64_t(kWidth) * kHeight * GizBytesPerPixel(depth);
    for (auto _ : state) {
        TMymem pixels;
        TGizHeader h;
        if (!GizDecode(s.data(), int64_t(s.size()), depth, pixels, h)) state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(pixels.Memory());
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}

void BM_Memcpy(benchmark::State& state) {
    const int64_t bytes = int64_t(kWidth) * kHeight * (state.range(0) == 32 ? 4 : 2);
    std::vector<uint8_t> in(static_cast<size_t>(bytes), 0x5A), out(static_cast<size_t>(bytes));
    for (auto _ : state) {
        std::memcpy(out.data(), in.data(), size_t(bytes));
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}

}  // namespace

BENCHMARK(BM_GizDecodeSkin)->Arg(32)->Arg(16)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GizDecode)->Arg(32)->Arg(16)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GizDecodeIntoMymem)->Arg(32)->Arg(16)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Memcpy)->Arg(32)->Arg(16)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
