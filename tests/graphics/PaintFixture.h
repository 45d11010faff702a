// Shared set-up of the paint surface tests: the graphics fixture plus fresh
// timers, a settings file of the test's own, solid test images as loose GIZ
// files, and readers for the back buffer and the presented screen.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "GraphicsFixture.h"
#include "graphics/Mygfx.h"
#include "graphics/Paint.h"
#include "resources/Texts.h"
#include "shell/MyTimer.h"

namespace painttest {

using gfxtest::kBlue;
using gfxtest::kGreen;
using gfxtest::kRed;
using gfxtest::kWhite;
constexpr uint16_t kYellow = 0x7FE0, kGrey = 0x4210;

// A node that records what it was asked to draw, and can run a step then.
class TSpy : public TMygfx {
public:
    TSpy(TMygfx* parent, const TRect& bounds) : TMygfx(parent) { SetBounds(bounds); }
    void Draw(const TRect& rect) override {
        draws.push_back(rect);
        if (onDraw) onDraw();
    }
    std::vector<TRect> draws;
    std::function<void()> onDraw;
};

inline bool SameRect(const TRect& a, const TRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class PaintTest : public gfxtest::GraphicsTest {
protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        WriteSettings("");
    }

    static platform::headless::TLoop& Loop() { return platform::headless::Loop(); }
    static platform::headless::TVideo& Video() { return platform::headless::Video(); }

    // settings.ini with the given lines (CR LF added), loaded afresh.
    void WriteSettings(const std::string& lines) {
        std::string text;
        size_t start = 0;
        while (start < lines.size()) {
            size_t end = lines.find('\n', start);
            if (end == std::string::npos) end = lines.size();
            text += lines.substr(start, end - start) + "\r\n";
            start = end + 1;
        }
        WriteFile(Dir() + "settings.ini", gfxtest::Bytes(text.begin(), text.end()));
        LoadTextsAndSettings(Dir());
    }

    // A loose image of one colour.
    void Solid(const std::string& name, int width, int height, uint16_t colour) {
        WriteLoose(name, gfxtest::SolidGiz(width, height, colour));
    }

    // The default window: a 40 × 30 grey background "bg".
    std::unique_ptr<TPaint> MakePaint(TFormEvents events = {}) {
        Solid("bg", 40, 30, kGrey);
        auto paint = std::make_unique<TPaint>("bg", platform::WindowKind::Normal, std::move(events));
        EXPECT_TRUE(paint->Valid());
        return paint;
    }

    static platform::headless::TWindow& Headless(TPaint& paint) {
        return *static_cast<platform::headless::TWindow*>(paint.Window());
    }

    // Reading makes the buffer of a window never shown, as its first show would.
    static uint32_t BackAt(TPaint& paint, int x, int y) {
        paint.MakeBackBuffer();
        const platform::Surface& s = paint.BackBuffer();
        int bpp = DepthBytesPerPixel(s.depth);
        return LoadPixel(s.pixels + size_t(y) * size_t(s.pitch) + size_t(x) * size_t(bpp), bpp);
    }

    static uint32_t ScreenAt(TPaint& paint, int x, int y) {
        const platform::Surface& s = paint.BackBuffer();
        int bpp = DepthBytesPerPixel(s.depth);
        const auto& screen = Headless(paint).Screen();
        return LoadPixel(screen.data() + size_t(y) * size_t(s.pitch) + size_t(x) * size_t(bpp), bpp);
    }

    // Delivers the posted paints.
    static void Pump() { Loop().ProcessMessages(); }
};

}  // namespace painttest
