// Drawing costs of the graphics layer: a 100 × 100 sprite drawn opaque,
// transparent and translucent into an 800 × 600 back buffer, and DrawText of
// a chat line, at 16 and 32 bits per pixel.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "graphics/GraphicsState.h"
#include "graphics/GreatBitmap.h"
#include "graphics/Myfont.h"
#include "graphics/Mybitmap.h"
#include "platform/InstalledState.h"
#include "platform/headless/Headless.h"
#include "platform/headless/HeadlessVideo.h"
#include "resources/GizEncoder.h"
#include "resources/PackWriter.h"
#include "resources/Paths.h"
#include "resources/Texts.h"
#include "shell/MyTimer.h"

namespace {

constexpr int kScreenW = 800, kScreenH = 600, kSprite = 100;

// A ball on transparent ground: about 78 % of the pixels are opaque, so the
// transparency test takes both branches as a real sprite does.
std::vector<uint8_t> BallStream() {
    std::vector<uint16_t> p(size_t(kSprite) * kSprite, 0);
    for (int y = 0; y < kSprite; ++y)
        for (int x = 0; x < kSprite; ++x) {
            const int dx = x - 50, dy = y - 50;
            if (dx * dx + dy * dy < 50 * 50)
                p[size_t(y * kSprite + x)] = GizPixelFromRgb(uint8_t(100 + x), uint8_t(2 * y), 200);
        }
    std::vector<uint8_t> s;
    GizEncode(p.data(), kSprite, kSprite, s);
    return s;
}

// A font of 13 rows with glyphs 4 to 9 pixels wide and dotted strokes.
std::vector<uint8_t> FontResource() {
    std::vector<int> widths;
    int stripWidth = 0;
    for (int ch = 33; ch <= 255; ++ch) {
        widths.push_back(4 + ch % 6);
        stripWidth += widths.back();
    }
    constexpr int kRows = 13;
    std::vector<uint16_t> strip(size_t(stripWidth) * kRows, 0);
    uint32_t seed = 99;
    for (auto& px : strip) {
        seed = seed * 134775813u + 1;
        if ((seed >> 29) < 3) px = 0x7FFF;
    }
    std::vector<uint8_t> out{0, 0, kRows, 0, 0, 0, 4};
    for (int w : widths) out.push_back(uint8_t(w));
    std::vector<uint8_t> giz;
    GizEncode(strip.data(), stripWidth, kRows, giz);
    out.insert(out.end(), giz.begin(), giz.end());
    return out;
}

// A headless backend at the depth and a program directory with a pack of
// the sprite and the font.
class TScene {
public:
    explicit TScene(int depth) {
        platform::headless::InstallFresh();
        platform::headless::Video().SetDesktopMode({1024, 768, depth});
        std::string dir = (std::filesystem::temp_directory_path() / "qvdrawXXXXXX").string();
        if (mkdtemp(dir.data()) == nullptr) return;
        m_dir = dir + "/";
        std::filesystem::create_directory(m_dir + "gfx");
        TPackWriter pack;
        std::string error;
        pack.Add("ball", BallStream(), error);
        pack.Add("font1", FontResource(), error);
        pack.Write(m_dir + "gfx/data.pac", error);
        SetProgramDirectory(m_dir);
        m_states = std::make_unique<TInstalledStates<TTimerState, TResourcesState, TGraphicsState>>();
        m_screen.assign(size_t(kScreenW) * kScreenH * size_t(depth / 7), 0x33);
        m_surface = {m_screen.data(), kScreenW, kScreenH, kScreenW * (depth / 7), depth};
    }
    ~TScene() {
        m_states.reset();
        std::error_code ignored;
        if (!m_dir.empty()) std::filesystem::remove_all(m_dir, ignored);
    }
    const platform::Surface& Surface() const { return m_surface; }

private:
    std::string m_dir;
    // Fresh registries on this scene's backend and pack.
    std::unique_ptr<TInstalledStates<TTimerState, TResourcesState, TGraphicsState>> m_states;
    std::vector<uint8_t> m_screen;
    platform::Surface m_surface;
};

enum Mode { kOpaque, kTransparent, kTranslucent };

void BM_DrawSprite(benchmark::State& state) {
    TScene scene(int(state.range(0)));
    const Mode mode = Mode(state.range(1));
    TMybitmap* ball = TMybitmap::Load("ball");
    const platform::Rect all = ball->Bounds();
    int x = 0;
    for (auto _ : state) {
        x = (x + 37) % (kScreenW - kSprite);
        if (mode == kOpaque) ball->DrawOpaque(all, scene.Surface(), x, 250);
        else if (mode == kTransparent) ball->DrawTransparent(all, scene.Surface(), x, 250);
        else ball->DrawTranslucent(all, scene.Surface(), x, 250, 12);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kSprite * kSprite);
    ball->Release();
}

void BM_DrawTextChatLine(benchmark::State& state) {
    TScene scene(int(state.range(0)));
    TMyfont* font = TFonts::Instance().GetFont("font1");
    const std::string line = "<Mikkel> hej alle, er der nogen der vil spille backgammon i aften?";
    const platform::Rect clip{10, 0, 790, kScreenH};
    for (auto _ : state) {
        benchmark::DoNotOptimize(font->DrawText(scene.Surface(), clip, line, 12, 300));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * int64_t(line.size()));
    state.counters["line_px"] = double(font->TextWidth(line));
}

}  // namespace

BENCHMARK(BM_DrawSprite)
    ->ArgNames({"depth", "mode"})
    ->ArgsProduct({{16, 32}, {kOpaque, kTransparent, kTranslucent}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawTextChatLine)->ArgName("depth")->Arg(16)->Arg(32)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
