// Set-up of the button, toggle, label and gauge tests: the shared skin
// fixture with a pack holding the font "font1", the two button sounds, a
// grey 120 × 40 window, and a row counter for the window's back buffer.
#pragma once

#include <memory>
#include <string>

#include "controls/SkinFixture.h"
#include "graphics/Sound.h"

namespace buttontest {

using namespace skintest;

// font1: height 5, blank 2 wide; letters 4 wide, digits 3, ":" and "-" 1,
// every glyph a solid white block, so drawn text is easy to find.
constexpr int kFontHeight = 5, kSpaceWidth = 2, kLetterWidth = 4, kDigitWidth = 3;

class ButtonsTest : public SkinTest {
protected:
    void SetUp() override {
        SkinTest::SetUp();
        WritePack({{"font1", FontStrip()}});
        WriteIni("", "");
        for (const char* name : {"Rollover.wav", "Rolldown.wav"}) {
            WriteFile(Dir() + "sound/" + name, {'R', 'I', 'F', 'F'});
        }
        SetSoundOn(true);
    }

    static gfxtest::Bytes FontStrip() {
        TWidths widths;
        for (int ch = 'a'; ch <= 'z'; ++ch) widths[uint8_t(ch)] = kLetterWidth;
        for (int ch = '0'; ch <= '9'; ++ch) widths[uint8_t(ch)] = kDigitWidth;
        widths[':'] = 1;
        widths['-'] = 1;
        return BlockFont(kFontHeight, kSpaceWidth, widths, kWhite);
    }

    // The window: a 120 × 40 grey background "bg".
    std::unique_ptr<TPaint> MakePaint() {
        Solid("bg", 120, 40, kGrey);
        auto paint = std::make_unique<TPaint>("bg");
        EXPECT_TRUE(paint->Valid());
        return paint;
    }

    // How many pixels of row y in [x0, x1) hold the colour.
    int CountInRow(TPaint& paint, int y, int x0, int x1, uint16_t colour) const {
        int count = 0;
        for (int x = x0; x < x1; ++x) count += BackAt(paint, x, y) == Px(colour) ? 1 : 0;
        return count;
    }
    static const std::vector<std::string>& Played() {
        return platform::headless::Audio().Played();
    }
};

}  // namespace buttontest
