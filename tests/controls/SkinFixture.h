// A shared set-up for control tests that build a tiny skin of their own:
// the graphics fixture's program directory and fresh states on the headless
// backend, with the controls' state on top, block fonts (every glyph a solid block, so drawn text is
// easy to find), solid loose images, settings.ini and text.ini written per
// test, and readers for a window's back buffer.
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

namespace skintest {

using gfxtest::kBlue;
using gfxtest::kGreen;
using gfxtest::kRed;
using gfxtest::kWhite;
constexpr uint16_t kGrey = 0x4210, kYellow = 0x7FE0;

using TWidths = std::map<uint8_t, int>;

// Letters and digits of one width.
inline TWidths Alphanumerics(int width) {
    TWidths widths;
    for (int ch = 'a'; ch <= 'z'; ++ch) widths[uint8_t(ch)] = width;
    for (int ch = 'A'; ch <= 'Z'; ++ch) widths[uint8_t(ch)] = width;
    for (int ch = '0'; ch <= '9'; ++ch) widths[uint8_t(ch)] = width;
    return widths;
}

// A font resource whose glyphs are solid blocks of colour, the ones named
// in own in colours of their own.
inline gfxtest::Bytes BlockFont(int height, int spaceWidth, const TWidths& widths,
                                uint16_t colour, const std::map<uint8_t, uint16_t>& own = {}) {
    int total = 0;
    for (const auto& [ch, width] : widths) total += width;
    std::vector<uint16_t> strip;
    for (int y = 0; y < height; ++y) {
        for (const auto& [ch, width] : widths) {
            auto it = own.find(ch);
            strip.insert(strip.end(), size_t(width), it == own.end() ? colour : it->second);
        }
    }
    return gfxtest::FontResource(height, spaceWidth, widths, gfxtest::Giz(strip, total, height));
}

class SkinTest : public gfxtest::GraphicsTest {
protected:
    // The controls' layer on the graphics fixture's fresh states.
    TControlsLayer m_controlsLayer;

    // settings.ini and text.ini with the given lines, loaded afresh.
    void WriteIni(const std::string& settings, const std::string& texts = "") {
        WriteText(Dir() + "settings.ini", settings);
        WriteText(Dir() + "text.ini", texts);
        LoadTextsAndSettings(Dir());
    }
    void WriteText(const std::string& path, const std::string& lines) {
        std::string text;
        for (char c : lines) text += c == '\n' ? std::string("\r\n") : std::string(1, c);
        WriteFile(path, gfxtest::Bytes(text.begin(), text.end()));
    }
    // Images are looked up by lower-case name, so the file is stored so.
    void Solid(const std::string& name, int width, int height, uint16_t colour) {
        WriteLoose(LowerCaseAscii(name), gfxtest::SolidGiz(width, height, colour));
    }

    static platform::headless::TWindow& Window(const TPaint& paint) {
        return *static_cast<platform::headless::TWindow*>(paint.Window());
    }
    // Reading makes the buffer of a window never shown, as its first show would.
    static uint32_t BackAt(TPaint& paint, int x, int y) {
        paint.MakeBackBuffer();
        const platform::Surface& s = paint.BackBuffer();
        const int bpp = DepthBytesPerPixel(s.depth);
        return LoadPixel(s.pixels + size_t(y) * size_t(s.pitch) + size_t(x) * size_t(bpp), bpp);
    }
    static platform::headless::TLoop& Loop() { return platform::headless::Loop(); }
};

}  // namespace skintest
