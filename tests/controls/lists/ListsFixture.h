// Set-up of the scroll bar, list and chat tests: the shared skin fixture
// with fonts "font1" (white), "font2" (red) and "font3" (green) of blocky
// glyphs, the scroll bar parts "List...", tab and blink images, and a grey
// 200 × 100 window.
#pragma once

#include <memory>
#include <string>

#include "controls/SkinFixture.h"

namespace liststest {

using namespace skintest;

// Every font: height 6, blank 2 wide, letters and digits 4, ":" 2.
constexpr int kFontHeight = 6, kSpaceWidth = 2, kLetterWidth = 4;

class ListsTest : public SkinTest {
protected:
    void SetUp() override {
        SkinTest::SetUp();
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

    static gfxtest::Bytes Font(uint16_t colour) {
        TWidths widths = Alphanumerics(kLetterWidth);
        widths[':'] = 2;
        widths['~'] = 2;
        widths['>'] = 2;
        return BlockFont(kFontHeight, kSpaceWidth, widths, colour);
    }

    // The window: a 200 × 100 grey background "bg".
    std::unique_ptr<TPaint> MakePaint() {
        Solid("bg", 200, 100, kGrey);
        auto paint = std::make_unique<TPaint>("bg");
        EXPECT_TRUE(paint->Valid());
        return paint;
    }
};

}  // namespace liststest
