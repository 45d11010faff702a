// Set-up of the logon and registration window tests: a tiny skin of their
// own (the painters "Logon" and "register", the buttons, the gender and face
// toggles, a block font and the caret), the layout lines of both windows, a
// fresh session, recorded message boxes, and the connection waits moving
// virtual time.
#pragma once

#include <memory>
#include <string>

#include "FakeWindows.h"
#include "NetFixture.h"
#include "controls/Myedit.h"
#include "controls/SkinFixture.h"
#include "net/Connector.h"
#include "net/LogonUnit.h"
#include "net/Registerunit.h"
#include "net/Session.h"
#include "resources/Inifile.h"

namespace nettest {

using namespace skintest;

constexpr char kLogonSettings[] =
    "[Lobbivex]\n"
    "Server-en=127.0.0.1\n"
    "Nameedit=font1,10,10,150,0\n"
    "Passwordedit=font1,10,30,150,0\n"
    "NameText=10,50,60,56,0,font1\n"
    "PasswordText=10,60,60,66,0,font1\n"
    "HelpText=10,70,60,76,0,font1\n"
    "VerText=10,80,60,86,0,font1\n"
    "OK=10,100\nCancel=40,100\nNew=70,100\n"
    "[Register]\n"
    "Aliasedit=font1,10,10,150,0\nPasswordedit=font1,10,20,150,0\n"
    "Yearedit=font1,10,30,40,0\nMonthedit=font1,60,30,20,0\nDayedit=font1,90,30,20,0\n"
    "GenderEdit=10,50,0\nFaceEdit=10,70,0\n"
    "OK=10,100\nCancel=40,100\n";

constexpr char kLogonTexts[] =
    "[en-Lobbivex]\nVerText=v{1}\n"
    "[en-Register]\nRightinformation={1},{2}\nMale=Male\nFemale=Female\n";

class LogonFixture : public SkinTest {
protected:
    // A fresh session and sockets on top of the skin fixture's states.
    TNetLayer m_netLayer;

    void SetUp() override {
        SkinTest::SetUp();
        TWidths widths = Alphanumerics(4);
        for (uint8_t ch : {'*', ':', '=', '[', ']', ',', '~', '.', '{', '}'}) widths[ch] = 2;
        WritePack({{"font1", BlockFont(6, 2, widths, kWhite)}});
        Solid("cur00001", 1, 6, kBlue);
        Solid("Logon", 200, 150, kGrey);
        Solid("register", 200, 150, kGrey);
        for (const char* button : {"OK", "Cancel", "New", "Boy", "Gir", "Boy1", "Boy2", "Boy3", "Gir1", "Gir2",
                                   "Gir3"}) {
            Solid(std::string(button) + "on", 20, 10, kGreen);
            Solid(std::string(button) + "of", 20, 10, kRed);
        }
        WriteIni(kLogonSettings, kLogonTexts);
        SetMsgBoxes(&boxes);
    }

    TLogon& Logon() {
        if (!logon) {
            logon = std::make_unique<TLogon>();
            logon->Connector().WaitStep = NetFixture::VirtualStep;
        }
        return *logon;
    }
    TRegisterform& Registration() {
        if (!registration) {
            registration = std::make_unique<TRegisterform>();
            registration->TodayDate = [] { return TDate{2025, 6, 15}; };
        }
        return *registration;
    }
    // Fills the registration window for a new account and clicks OK.
    void Register(const std::string& alias, const std::string& password) {
        Registration().Show();
        Registration().AliasEdit()->SetText(alias);
        Registration().PasswordEdit()->SetText(password);
        Registration().YearEdit()->SetText("1990");
        Registration().MonthEdit()->SetText("5");
        Registration().DayEdit()->SetText("17");
        Registration().OkClick();
    }
    void SetPorts(const std::string& key, const std::string& value) {
        SettingsFile().WriteString("Lobbivex", key, value);
    }
    static platform::headless::TWindow& Win(TForm& form) { return Window(*form.Paint()); }
    static void Type(TForm& form, const std::string& text) {
        for (char c : text) Win(form).Char(static_cast<uint8_t>(c));
    }
    static void Click(TForm& form, int x, int y) {
        Win(form).MouseMove(x, y);
        Win(form).MouseDown(platform::ButtonLeft, x, y, platform::LeftButtonHeld);
        Win(form).MouseUp(platform::ButtonLeft, x, y);
    }
    const TBoxCall& LastBox() const {
        static const TBoxCall none{};
        return boxes.calls.empty() ? none : boxes.calls.back();
    }

    TFakeBoxes boxes;
    std::unique_ptr<TLogon> logon;
    std::unique_ptr<TRegisterform> registration;
};

}  // namespace nettest
