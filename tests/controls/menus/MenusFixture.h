// Shared set-up of the glide menu and tab bar tests: the graphics fixture's
// program directory, fresh timers, and a tiny skin of their own (solid loose
// images, a pack with the font "font1", settings.ini and text.ini written
// per test), with readers for a window's back buffer.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "graphics/GraphicsFixture.h"
#include "graphics/Paint.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"
#include "shell/MyTimer.h"

namespace menutest {

using gfxtest::kBlue;
using gfxtest::kGreen;
using gfxtest::kRed;
using gfxtest::kWhite;
constexpr uint16_t kGrey = 0x4210, kYellow = 0x7FE0;

// font1: height 5, every letter a solid white block 4 wide.
constexpr int kFontHeight = 5, kLetterWidth = 4;

class MenusTest : public gfxtest::GraphicsTest {
protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        TMaintimer::Reset();
        WritePack({{"font1", FontStrip()}});
        WriteIni("", "");
    }
    void TearDown() override {
        UnloadTextsAndSettings();
        GraphicsTest::TearDown();
        TMaintimer::Reset();
    }

    static gfxtest::Bytes FontStrip() {
        std::map<uint8_t, int> widths;
        int total = 0;
        for (int ch = 'a'; ch <= 'z'; ++ch) total += widths[uint8_t(ch)] = kLetterWidth;
        std::vector<uint16_t> strip(size_t(total) * kFontHeight, kWhite);
        return gfxtest::FontResource(kFontHeight, 2, widths, gfxtest::Giz(strip, total, kFontHeight));
    }

    // settings.ini and text.ini (texts in [en-...] sections), loaded afresh.
    void WriteIni(const std::string& settings, const std::string& texts) {
        WriteText(Dir() + "settings.ini", settings);
        WriteText(Dir() + "text.ini", texts);
        LoadTextsAndSettings(Dir());
    }
    void WriteText(const std::string& path, const std::string& lines) {
        std::string text;
        for (char c : lines) text += c == '\n' ? std::string("\r\n") : std::string(1, c);
        WriteFile(path, gfxtest::Bytes(text.begin(), text.end()));
    }

    void Solid(const std::string& name, int width, int height, uint16_t colour) {
        WriteLoose(LowerCaseAscii(name), gfxtest::SolidGiz(width, height, colour));
    }
    // A button element: E + "on" and E + "of" of one size.
    void Button(const std::string& element, int width, int height, uint16_t on = kYellow,
                uint16_t of = kBlue) {
        Solid(element + "on", width, height, on);
        Solid(element + "of", width, height, of);
    }

    // An owner window with a grey background of that size.
    std::unique_ptr<TPaint> MakePaint(int width = 300, int height = 100) {
        Solid("bg", width, height, kGrey);
        auto paint = std::make_unique<TPaint>("bg");
        EXPECT_TRUE(paint->Valid());
        return paint;
    }

    static platform::headless::TWindow& Window(TPaint& paint) {
        return *static_cast<platform::headless::TWindow*>(paint.Window());
    }
    static uint32_t BackAt(const TPaint& paint, int x, int y) {
        const platform::Surface& s = paint.BackBuffer();
        const int bpp = DepthBytesPerPixel(s.depth);
        return LoadPixel(s.pixels + size_t(y) * size_t(s.pitch) + size_t(x) * size_t(bpp), bpp);
    }
    static platform::headless::TLoop& Loop() { return platform::headless::Loop(); }
    static platform::headless::TVideo& Video() { return platform::headless::Video(); }
};

}  // namespace menutest
