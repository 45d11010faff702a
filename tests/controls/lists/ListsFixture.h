// Shared set-up of the scroll bar, list and chat tests: the graphics
// fixture's program directory, fresh timers, and a tiny skin of their own:
// fonts "font1" (white), "font2" and "font3" with blocky glyphs, the scroll
// bar parts "List...", tab images, and settings.ini written per test.
#pragma once

#include <memory>
#include <string>

#include "graphics/GraphicsFixture.h"
#include "graphics/Paint.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"
#include "shell/MyTimer.h"

namespace liststest {

using gfxtest::kBlue;
using gfxtest::kGreen;
using gfxtest::kRed;
using gfxtest::kWhite;
constexpr uint16_t kGrey = 0x4210, kYellow = 0x7FE0;

// Every font: height 6, blank 2 wide, letters and digits 4, ":" 2.
constexpr int kFontHeight = 6, kSpaceWidth = 2, kLetterWidth = 4;

class ListsTest : public gfxtest::GraphicsTest {
protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        TMaintimer::Reset();
        WritePack({{"font1", Font(kWhite)}, {"font2", Font(kRed)}, {"font3", Font(kGreen)}});
        // The scroll bar: 8 × 10 buttons, an 8 × 6 blue thumb.
        for (const char* name : {"Listupon", "Listupof", "Listdoon", "Listdoof"})
            Solid(name, 8, 10, kYellow);
        Solid("Listbar", 8, 6, kBlue);
        for (const char* name : {"Barleon", "Barleof", "Barrigon", "Barrigof"})
            Solid(name, 6, 10, kWhite);
        for (const char* name : {"forumon", "forumof", "Blinkon", "Blinkof"})
            Solid(name, 20, 10, kGreen);
        // TRollover asks for the blink frames in their written case.
        for (const char* name : {"Blinkon", "Blinkof"})
            WriteLoose(name, gfxtest::SolidGiz(20, 10, kGreen));
        WriteIni("", "");
    }
    void TearDown() override {
        UnloadTextsAndSettings();
        GraphicsTest::TearDown();
        TMaintimer::Reset();
    }

    static gfxtest::Bytes Font(uint16_t colour) {
        std::map<uint8_t, int> widths;
        int total = 0;
        for (int ch = 'a'; ch <= 'z'; ++ch) total += widths[uint8_t(ch)] = kLetterWidth;
        for (int ch = 'A'; ch <= 'Z'; ++ch) total += widths[uint8_t(ch)] = kLetterWidth;
        for (int ch = '0'; ch <= '9'; ++ch) total += widths[uint8_t(ch)] = kLetterWidth;
        total += widths[':'] = 2;
        total += widths['~'] = 2;
        total += widths['>'] = 2;
        std::vector<uint16_t> strip(size_t(total) * kFontHeight, colour);
        return gfxtest::FontResource(kFontHeight, kSpaceWidth, widths,
                                     gfxtest::Giz(strip, total, kFontHeight));
    }

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

    // The window: a 200 × 100 grey background "bg".
    std::unique_ptr<TPaint> MakePaint() {
        Solid("bg", 200, 100, kGrey);
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
};

}  // namespace liststest
