// Set-up of the Backgammon window tests: a tiny skin with every picture the
// window and its options window load (solid blocks, one block font), a
// table started for "Me" (white) against "Opp" over 3 points, and the
// payloads the window sends collected without the "G" 2 prefix.
//
// Layout: window 800 × 600; the board halves at x 28 and 250, y 64, 192 ×
// 456 (points 32 wide), columns 190 high; checkers 30 × 30.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "controls/Rollover.h"
#include "controls/SkinFixture.h"
#include "games/Gammon.h"
#include "games/GammonPieces.h"
#include "games/Gammonoptions.h"
#include "graphics/Myimage.h"
#include "net/Session.h"

namespace gammontest {

using namespace skintest;

class GammonformTest : public SkinTest {
protected:
    // The session and sockets on the skin fixture's states.
    TNetLayer m_netLayer;

    static constexpr int kLeftX = 28, kRightX = 250, kTop = 64, kPoint = 32;

    void SetUp() override {
        SkinTest::SetUp();
        EchoBoxes();
        WriteSkin();
        Session().Alias = "Me";
        Session().OptionString = std::string(20, '0');
        TGameStart& start = Session().GameStart;
        start.GameKind = 2;
        start.PlayerCount = 2;
        start.Players[0] = {"Me", "1500"};
        start.Players[1] = {"Opp", "1600"};
        start.Param3 = 1;
        start.Param4 = 3;
        m_options = std::make_unique<TGammonOptionsform>();
        m_form = std::make_unique<TGammonform>();
        m_form->SetOptionsform(m_options.get());
        m_form->Sender = [this](const std::string& message) { Record(message); };
    }
    void TearDown() override {
        m_form.reset();
        m_options.reset();
        SkinTest::TearDown();
    }

    // Shows the window and starts the table (the server's ">").
    void Open() {
        m_form->ShowGame();
        Loop().ProcessMessages();
        Net(">");
        sent.clear();
    }
    void Net(const std::string& payload) { m_form->NetRead(payload); }
    static std::string Bytes(std::initializer_list<int> bytes) {
        std::string text;
        for (int b : bytes) text += static_cast<char>(b);
        return text;
    }
    // The opening: own die and the opponent's, the own player wins.
    void WinOpening(int own, int opponent) {
        Click(*m_form->RollButton());
        Net(Bytes({160, 1, own}));
        Net(Bytes({160, 2, opponent}));
        Net(Bytes({162}));
        sent.clear();
    }

    // Virtual time, a second per pass as the count-down polls.
    void RunSeconds(int seconds) {
        for (int i = 0; i < seconds; ++i) Loop().RunFor(1000);
    }

    TGammonform& Form() { return *m_form; }
    platform::headless::TWindow& Win() { return Window(*m_form->Paint()); }

    void Click(const TRollover& button) {
        const int x = button.X() + button.Width() / 2, y = button.Y() + button.Height() / 2;
        Win().MouseMove(x, y);
        Win().MouseDown(platform::ButtonLeft, x, y);
        Win().MouseUp(platform::ButtonLeft, x, y);
    }
    // The middle of the picture of a checker on point (own colour white).
    std::pair<int, int> CheckerCentre(int point) {
        int checker = Form().Board().TopChecker(point);
        if (checker < 0) {
            ADD_FAILURE() << "no checker on point " << point;
            return {0, 0};
        }
        TMyimage* image = Form().Pieces().Top(checker);
        return {image->X() + image->Width() / 2, image->Y() + image->Height() / 2};
    }
    // A spot over a board point as white sees it: 12..1 along the top.
    static std::pair<int, int> OverPoint(int point) {
        int column = point <= 12 ? 12 - point : point - 13;
        int x = column < 6 ? kLeftX + column * kPoint : kRightX + (column - 6) * kPoint;
        int y = point <= 12 ? kTop + 100 : kTop + 350;
        return {x + kPoint / 2, y};
    }
    void Drag(int fromPoint, int toPoint) {
        auto [x, y] = CheckerCentre(fromPoint);
        auto [tx, ty] = OverPoint(toPoint);
        Win().MouseMove(x, y);
        Win().MouseDown(platform::ButtonLeft, x, y);
        Win().MouseMove(tx, ty);
        Win().MouseUp(platform::ButtonLeft, tx, ty);
    }
    void Quick(int point) {
        auto [x, y] = CheckerCentre(point);
        Win().MouseMove(x, y);
        Win().MouseDown(platform::ButtonRight, x, y);
        Win().MouseUp(platform::ButtonRight, x, y);
    }

    std::vector<std::string> sent;  // payloads without the "G" 2 prefix
    std::vector<std::string> raw;   // messages sent without it

private:
    void Record(const std::string& message) {
        if (message.size() >= 2 && message[0] == 'G' && message[1] == 2)
            sent.push_back(message.substr(2));
        else
            raw.push_back(message);
    }
    void WriteSkin();

    std::unique_ptr<TGammonOptionsform> m_options;
    std::unique_ptr<TGammonform> m_form;
};

inline void GammonformTest::WriteSkin() {
    gfxtest::Members pack;
    // Names too long for a pack member lie beside it as loose files.
    auto solid = [&](const std::string& name, int w, int h, uint16_t colour) {
        if (name.size() > 11)
            Solid(name, w, h, colour);
        else
            pack.push_back({name, gfxtest::SolidGiz(w, h, colour)});
    };
    auto button = [&](const std::string& name, int w, int h) {
        solid(name + "on", w, h, kGreen);
        solid(name + "of", w, h, kBlue);
    };
    TWidths letters = Alphanumerics(4);
    for (uint8_t c : {':', ',', '?', '!', '.', ' '}) letters[c] = 2;
    pack.push_back({"font1", BlockFont(6, 2, letters, kWhite)});
    pack.push_back({"font99", BlockFont(6, 2, {{'!', 3}, {'A', 4}}, kRed)});
    solid("2_Gammon", 800, 600, kGrey);
    solid("2_Options", 200, 120, kGrey);
    solid("Symbol", 60, 60, kGrey);
    solid("2_Glide", 200, 200, kGrey);
    solid("2_Doubbox", 240, 80, kYellow);
    solid("cur00001", 1, 6, kBlue);
    for (const char* name : {"2_Close", "2_Minimi", "2_Symbol", "2_Roll", "2_Giveup", "2_Regret", "2_option",
                             "2_Doubok", "2_Doubno", "2_Normal", "2_Gammon", "2_Backga", "2_chekof", "2_chekon",
                             "2_mbOk", "Forum"})
        button(name, 20, 10);
    for (int value : {0, 2, 4, 8, 16, 32, 64}) button("2_double" + std::to_string(value), 30, 30);
    solid("2_white", 30, 30, kWhite);
    solid("2_black", 30, 30, kRed);
    solid("2_whiteup", 30, 8, kWhite);
    solid("2_blackup", 30, 8, kRed);
    for (int face = 1; face <= 6; ++face) {
        for (const char* kind : {"wl", "wr", "bl", "br"}) solid("2_dice" + std::string(kind) + std::to_string(face), 20, 20, kYellow);
        solid("2_SDice" + std::to_string(face), 10, 10, kYellow);
    }
    for (const char* prefix : {"", "2_"})
        for (const char* name : {"Listupon", "Listupof", "Listdoon", "Listdoof", "Listbar"})
            solid(prefix + std::string(name), 8, 10, kYellow);
    WritePack(pack);
    WriteIni("[Gammon]\nBoard=28,64,250,64,192,456,190\nTakeout=464,36,10\nDoubledice=467,70\n"
             "Diceanimation=330,280,380,280\nSmalldice=10,10\nSystemcolor=4\n"
             "2_Close=770,4\n2_Minimi=745,4\n2_Symbol=770,570\n2_Roll=520,420\n2_Giveup=560,420\n"
             "2_Regret=600,420\n2_option=640,420\nChatedit=font1,520,570,200\nChat=font1,520,300,100,0\n"
             "Chatcolwidths=250\nList=font1,520,60,60,10\nListcolwidths=80,80,80\nCountdown=520,40,600,50,0,font1\n"
             "Doubleboxx=520\nDoubleboxy=200\nDoubletext=530,205,700,225,0,font1\n2_Doubok=540,250\n"
             "2_Doubno=600,250\n"
             "[2_Glide]\nFramewidth=2\n2_Normal=font1\n2_Gammon=font1\n2_Backgammon=font1\n"
             "[GammonOptions]\nAnims=10,10\nAutomatic=10,30\nConfirm=10,50\n2_mbOk=10,80\n"
             "[Charselect]\nList=5,5,30,20,0\n",
             "[en-Message]\n2_start=Welcome\n2_warning=Hurry\n2_thesame=Same\n2_wonstart=You start {1} {2}\n"
             "2_Confirm=Done?\n2_Matchlength=To {1}\n2_Pointtext=Points\n2_Pips=Pips\n2_Place=Place\n"
             "[en-Gammon]\nDoubletext=Take {1}?\n");
}

}  // namespace gammontest
