// Set-up of the Puzzle window tests: a tiny skin with the real layout
// numbers (28-pixel bubbles in solid colours of their own, 64-pixel canon
// frames, the fields at 48,64 and 518,64), a TPuzzleform whose payloads
// are collected instead of sent, and helpers to drive it as the server
// and the keyboard do, in virtual time.
#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "controls/SkinFixture.h"
#include "games/Puzzle.h"
#include "games/PuzzleScreen.h"
#include "net/Session.h"
#include "rules/puzzle/PuzzleLayout.h"

namespace puzzletest {

using namespace skintest;

constexpr int kSpace = 32, kLeft = 37, kUp = 38, kRight = 39;
constexpr uint32_t kSeed = 12345;

// The colour of bubble frame n, distinct from the background and each other.
inline uint16_t BubbleColour(int n) { return static_cast<uint16_t>(0x0421 * n + 0x1000); }

class PuzzleformTest : public SkinTest {
protected:
    // The session and sockets on the skin fixture's states.
    TNetLayer m_netLayer;

    void SetUp() override {
        SkinTest::SetUp();
        WriteSkin();
        Session().GameStart.GameKind = 3;
        Session().GameStart.PlayerCount = 2;
        Session().GameStart.Players[0].Name = "Me";
        Session().GameStart.Players[1].Name = "You";
        Session().GameStart.Setup = rules::TDuelSetup{"Me", "You", kSeed};
        m_form = std::make_unique<TPuzzleform>();
        m_form->Sender = [this](const std::string& message) { sent.push_back(message); };
    }
    void TearDown() override {
        m_form.reset();
        SkinTest::TearDown();
    }

    TPuzzleform& Form() { return *m_form; }
    platform::headless::TWindow& Win() { return Window(*m_form->Paint()); }

    // Shown and started by the server's ">".
    void Start() {
        Form().ShowGame();
        Loop().ProcessMessages();
        Form().NetRead(">");
        // Past the 250 ms between two shots, counted from the start.
        Advance(300);
        sent.clear();
    }
    void Press(int key) {
        Win().KeyDown(key);
        Win().KeyUp(key);
    }
    // Virtual time in steps of the main timer's period, each followed by
    // the ticks it posted.
    void Advance(int ms) {
        for (int step = 0; step < ms; step += 5) {
            Loop().AdvanceMs(std::min(5, ms - step));
            Loop().ProcessMessages();
        }
    }
    // Long enough for any flight, burst and fall to end at level 1.
    void Settle() {
        for (int i = 0; i < 40; ++i) Advance(50);
    }
    // The payloads sent since the last call, without the "G" and kind.
    std::vector<std::string> Taken() {
        std::vector<std::string> out;
        for (const std::string& m : sent) out.push_back(m.substr(2));
        sent.clear();
        return out;
    }
    std::vector<std::string> Taken(uint8_t code) {
        std::vector<std::string> out;
        for (const std::string& p : Taken())
            if (!p.empty() && uint8_t(p[0]) == code) out.push_back(p);
        return out;
    }
    // The pixel at the middle of a cell of a screen.
    uint32_t CellPixel(TScreen& screen, rules::TPuzzleCell cell) {
        const rules::TPuzzlePoint at = screen.Geometry().CellPosition(cell);
        return BackAt(*Form().Paint(), at.X + 14, at.Y + 14);
    }

    std::vector<std::string> sent;

private:
    void WriteSkin();
    std::unique_ptr<TPuzzleform> m_form;
};

inline void PuzzleformTest::WriteSkin() {
    gfxtest::Members pack;
    auto solid = [&](const std::string& name, int w, int h, uint16_t colour) {
        pack.push_back({name, gfxtest::SolidGiz(w, h, colour)});
    };
    auto button = [&](const std::string& name) {
        solid(name + "on", 20, 12, kGreen);
        solid(name + "of", 20, 12, kBlue);
    };
    pack.push_back({"font1", BlockFont(6, 2, Alphanumerics(4), kWhite)});
    solid("3_Puzzle", 790, 590, kGrey);
    for (int n = 1; n <= 8; ++n) solid("3_bobble" + std::to_string(n), 28, 28, BubbleColour(n));
    for (int n = 1; n <= 3; ++n) {
        solid("3_out00" + std::to_string(n), 28, 28, kWhite);
        solid("3_bomb0" + std::to_string(n), 28, 28, kRed);
        solid("3_in000" + std::to_string(n), 28, 28, kYellow);
    }
    for (int n = 1; n <= 43; ++n) solid("3_can0" + std::string(n < 10 ? "0" : "") + std::to_string(n), 64, 64, kBlue);
    solid("3_line01", 224, 2, kRed);
    solid("3_line02", 224, 2, kRed);
    solid("3_column", 14, 170, kGreen);
    solid("3_Pause", 100, 50, kYellow);
    for (const char* name : {"3_Close", "3_Minimi", "3_Pause"}) button(name);
    WritePack(pack);
    WriteIni("[Puzzle]\nScreen=48,64\nScreen2=518,64\nCanon=128,466,8,18\nCanon2=598,466,8,18\nline=330\n"
             "Preview=330,300\nProgress=440,300\nName=312,84,478,102,0,font1\n"
             "Namescore=312,104,478,128,0,font1\nOpponent=312,164,478,182,0,font1\n"
             "Opponentscore=312,184,478,208,0,font1\nLeveltext=312,238,400,256,0,font1\n"
             "Levelvalue=400,238,478,256,0,font1\nCountdown=312,494,478,530,0,font1\n"
             "3_Pause=347,500\n3_Close=752,10\n3_Minimi=722,10\n",
             "[en-Message]\n3_wingametext=Won {1} {2} {3}\n3_Losegametext=Lost {1} {2} {3}\n"
             "3_Waittext=Wait\n[en-Puzzle]\nLeveltext=Level\n");
}

}  // namespace puzzletest
