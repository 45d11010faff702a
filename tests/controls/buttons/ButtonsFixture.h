// Shared set-up of the button, toggle, label and gauge tests: the graphics
// fixture's program directory, fresh timers, a tiny skin of its own (solid
// loose images, a pack with the font "font1", settings.ini and text.ini
// written per test), and readers for the window's back buffer.
#pragma once

#include <memory>
#include <string>

#include "graphics/GraphicsFixture.h"
#include "graphics/Paint.h"
#include "graphics/Sound.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"
#include "shell/MyTimer.h"

namespace buttontest {

using gfxtest::kBlue;
using gfxtest::kGreen;
using gfxtest::kRed;
using gfxtest::kWhite;
constexpr uint16_t kGrey = 0x4210, kYellow = 0x7FE0;

// font1: height 5, blank 2 wide; letters 4 wide, digits 3, ":" and "-" 1,
// every glyph a solid white block, so drawn text is easy to find.
constexpr int kFontHeight = 5, kSpaceWidth = 2, kLetterWidth = 4, kDigitWidth = 3;

class ButtonsTest : public gfxtest::GraphicsTest {
protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        TMaintimer::Reset();
        WritePack({{"font1", FontStrip()}});
        WriteIni("", "");
        for (const char* name : {"Rollover.wav", "Rolldown.wav"}) {
            WriteFile(Dir() + "sound/" + name, {'R', 'I', 'F', 'F'});
        }
        SetSoundOn(true);
    }
    void TearDown() override {
        SetSoundOn(false);
        UnloadTextsAndSettings();
        GraphicsTest::TearDown();
        TMaintimer::Reset();
    }

    static gfxtest::Bytes FontStrip() {
        std::map<uint8_t, int> widths;
        int total = 0;
        for (int ch = 'a'; ch <= 'z'; ++ch) total += widths[uint8_t(ch)] = kLetterWidth;
        for (int ch = '0'; ch <= '9'; ++ch) total += widths[uint8_t(ch)] = kDigitWidth;
        total += widths[':'] = 1;
        total += widths['-'] = 1;
        std::vector<uint16_t> strip(size_t(total) * kFontHeight, kWhite);
        return gfxtest::FontResource(kFontHeight, kSpaceWidth, widths,
                                     gfxtest::Giz(strip, total, kFontHeight));
    }

    // settings.ini and text.ini (texts in [en-...] sections) with the given
    // lines, loaded afresh.
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

    // A loose image of one colour. Images are looked up by lower-case name,
    // so the file is stored under that.
    void Solid(const std::string& name, int width, int height, uint16_t colour) {
        WriteLoose(LowerCaseAscii(name), gfxtest::SolidGiz(width, height, colour));
    }

    // The window: a 120 × 40 grey background "bg".
    std::unique_ptr<TPaint> MakePaint() {
        Solid("bg", 120, 40, kGrey);
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
    // How many pixels of row y in [x0, x1) hold the colour.
    int CountInRow(const TPaint& paint, int y, int x0, int x1, uint16_t colour) const {
        int count = 0;
        for (int x = x0; x < x1; ++x) count += BackAt(paint, x, y) == Px(colour) ? 1 : 0;
        return count;
    }
    static const std::vector<std::string>& Played() {
        return platform::headless::Audio().Played();
    }
    static platform::headless::TLoop& Loop() { return platform::headless::Loop(); }
};

}  // namespace buttontest
