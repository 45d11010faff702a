// Set-up of the entry, key-repeat and symbol picker tests: fonts "font1"
// (white letters 4 wide, a green "*" 3 wide, blank 2) and "font5" (red
// letters 6 wide), a 1 × 6 blue caret "cur00001", and a focused 100 × 30
// window "bg".
#pragma once

#include <memory>
#include <string>

#include "controls/Form.h"
#include "controls/SkinFixture.h"

namespace edittest {

using namespace skintest;

constexpr int kFontHeight = 6, kLetterWidth = 4, kStarWidth = 3, kWideLetter = 6;

class EditTest : public SkinTest {
protected:
    void SetUp() override {
        SkinTest::SetUp();
        TWidths font1 = Alphanumerics(kLetterWidth);
        font1['*'] = kStarWidth;
        WritePack({{"font1", BlockFont(kFontHeight, 2, font1, kWhite, {{'*', kGreen}})},
                   {"font5", BlockFont(kFontHeight, 2, Alphanumerics(kWideLetter), kRed)}});
        Solid("cur00001", 1, kFontHeight, kBlue);
        Solid("bg", 100, 30, kGrey);
        WriteIni("[Logon]\nName=font1,10,5,40,255\n");
    }
    void TearDown() override {
        m_form.reset();
        SkinTest::TearDown();
    }

    // The window, shown and focused.
    TForm& Form() {
        if (!m_form) {
            m_form = std::make_unique<TForm>("bg");
            m_form->Show();
            m_form->Focus();
        }
        return *m_form;
    }
    platform::headless::TWindow& Win() { return Window(*Form().Paint()); }
    void Type(const std::string& text) {
        for (char c : text) Win().Char(static_cast<uint8_t>(c));
    }
    void Key(int key, unsigned shift = 0) { Win().KeyDown(key, shift); }

    std::unique_ptr<TForm> m_form;
};

}  // namespace edittest
