// Shared set-up of the dialog tests: a program directory with a tiny skin.
// Box skin 0: painter 200 × 100, buttons Yes, OK, custom 1, No, Cancel (40 ×
// 20, y 70); skin 1 (160 × 80): only OK; skin 2: no button. "owner" is
// 400 × 300. Modal waits pump the loop, so a test queues the answering input
// first: Script runs one step per loop pass, queueing the next step before
// running one (a step may wait in a nested loop).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/Form.h"
#include "controls/Rollover.h"
#include "graphics/GraphicsFixture.h"
#include "graphics/Paint.h"
#include "graphics/Sound.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"
#include "shell/MyTimer.h"

namespace lobbytest {

constexpr int kEnter = 13;

class DialogsTest : public gfxtest::GraphicsTest {
protected:
    // The layers above graphics, on the graphics fixture's fresh states.
    TControlsLayer m_controlsLayer;
    TLobbyLayer m_lobbyLayer;

    void SetUp() override {
        GraphicsTest::SetUp();
        std::map<uint8_t, int> widths;
        for (int ch = '0'; ch <= 'z'; ++ch) widths[uint8_t(ch)] = 4;
        std::vector<uint16_t> strip(widths.size() * 4 * 6, gfxtest::kWhite);
        WritePack({{"font1", gfxtest::FontResource(6, 2, widths,
                                                   gfxtest::Giz(strip, int(widths.size()) * 4, 6))}});
        for (auto [name, w, h] : {std::tuple{"owner", 400, 300}, {"0_message", 200, 100},
                                  {"1_message", 160, 80}, {"2_message", 160, 80},
                                  {"question", 200, 150}, {"spam", 120, 60}})
            WriteLoose(name, gfxtest::SolidGiz(w, h, gfxtest::kBlue));
        for (const char* name : {"0_mbyes", "0_mbok", "0_mbcus1", "0_mbno", "0_mbcan", "1_mbok"})
            for (const char* state : {"on", "of"})
                WriteLoose(std::string(name) + state, gfxtest::SolidGiz(40, 20, gfxtest::kGreen));
        for (const char* name : {"listupon", "listupof", "listdoon", "listdoof", "listbar"})
            WriteLoose(name, gfxtest::SolidGiz(8, 10, gfxtest::kRed));
        for (const char* name : {"spam.wav", "Rollover.wav", "Rolldown.wav"})
            WriteFile(Dir() + "sound/" + name, {'R', 'I', 'F', 'F'});
        WriteIni(Dir() + "settings.ini",
                 "[Message]\n0_Messagetext=10,30,190,40\n0_From=10,5,190,15\n0_Fromtext=10,15,190,25\n"
                 "0_mbYes=0,70\n0_mbOk=0,70\n0_mbCus1=0,70\n0_mbNo=0,70\n0_mbCan=0,70\n1_mbOk=0,50\n"
                 "[Question]\nQuestion=10,10,190,20\nAnswers=font1,10,30,100,60,10\n0_mbOk=80,120\n"
                 "[Chat]\nSpammed=10,10,110,20\nSpamcount=10,30,50,40\n");
        WriteIni(Dir() + "text.ini",
                 "[en-Message]\nsure=Are you sure\ntitle=Please\n0_Fromtext=Quorvalendix\n"
                 "[en-Question]\nWaitanswer=Choose\n[en-Chat]\nSpammed=Slow down\n");
        LoadTextsAndSettings(Dir());
        SetSoundOn(true);
    }

    // The web areas' tab-bar and forum images, for tests that place web panels.
    void WriteWebBarImages() {
        for (const char* name : {"barleon", "barleof", "barrigon", "barrigof", "forumon", "forumof"})
            WriteLoose(name, gfxtest::SolidGiz(10, 10, gfxtest::kGreen));
    }
    // The ini reader wants CR LF line ends.
    void WriteIni(const std::string& path, const std::string& lines) {
        std::string text;
        for (char c : lines) text += c == '\n' ? std::string("\r\n") : std::string(1, c);
        WriteFile(path, gfxtest::Bytes(text.begin(), text.end()));
    }

    static platform::headless::TLoop& Loop() { return platform::headless::Loop(); }
    static platform::headless::TWindow& Win(const TForm& form) {
        return *static_cast<platform::headless::TWindow*>(form.Paint()->Window());
    }
    // A left click in the middle of a button, as the pointer makes it.
    static void Click(const TForm& form, const TRollover& button) {
        const int x = button.X() + button.Width() / 2, y = button.Y() + button.Height() / 2;
        Win(form).MouseMove(x, y);
        Win(form).MouseDown(platform::ButtonLeft, x, y);
    }

    void Script(std::vector<std::function<void()>> steps) {
        m_steps = std::move(steps);
        PostStep(0);
    }
    // Moves virtual time on by stepMs on every loop pass and then observes.
    void StartClock(int stepMs, std::function<void()> observe) {
        m_ticking = true;
        m_clock = [this, stepMs, observe] {
            if (!m_ticking) return;
            Loop().AdvanceMs(stepMs);
            observe();
            Loop().Post(m_clock);
        };
        Loop().Post(m_clock);
    }
    void StopClock() {
        m_ticking = false;
        Loop().ProcessMessages();
    }

private:
    void PostStep(size_t index) {
        if (index >= m_steps.size()) return;
        Loop().Post([this, index] {
            PostStep(index + 1);
            m_steps[index]();
        });
    }

    std::vector<std::function<void()>> m_steps;
    std::function<void()> m_clock;
    bool m_ticking = false;
};

}  // namespace lobbytest
