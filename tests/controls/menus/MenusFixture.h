// Set-up of the glide menu and tab bar tests: the shared skin fixture with a
// pack holding the font "font1", button elements of solid images, and an
// owner window of any size.
#pragma once

#include <memory>
#include <string>

#include "controls/SkinFixture.h"

namespace menutest {

using namespace skintest;

// font1: height 5, every lower-case letter a solid white block 4 wide.
constexpr int kFontHeight = 5, kLetterWidth = 4;

class MenusTest : public SkinTest {
protected:
    void SetUp() override {
        SkinTest::SetUp();
        WritePack({{"font1", FontStrip()}});
        WriteIni("", "");
    }

    static gfxtest::Bytes FontStrip() {
        TWidths widths;
        for (int ch = 'a'; ch <= 'z'; ++ch) widths[uint8_t(ch)] = kLetterWidth;
        return BlockFont(kFontHeight, 2, widths, kWhite);
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

    static platform::headless::TVideo& Video() { return platform::headless::Video(); }
};

}  // namespace menutest
