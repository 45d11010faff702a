#include "games/yatzy/YatzyformFixture.h"

#include "controls/Rollover.h"
#include "games/YatzyDie.h"

namespace yatzytest {

void YatzyformTest::SetUp() {
    SkinTest::SetUp();
    EchoBoxes();
    WriteSkin();
    SetMsgBoxes(&m_boxes);
    m_form = OpenWindow(1, m_sent);
}

void YatzyformTest::TearDown() {
    m_form.reset();
    SkinTest::TearDown();
}

std::unique_ptr<TYatzyform> YatzyformTest::OpenWindow(int ownSeat, std::vector<std::string>& sent) {
    TGameStart& start = Session().GameStart;
    start.GameKind = 4;
    start.PlayerCount = 2;
    start.Players[0].Name = "eva";
    start.Players[1].Name = "bob";
    start.Setup = rules::TYatzySetup{kSeed, ownSeat, 3, {"eva", "bob"}, 2};
    auto form = std::make_unique<TYatzyform>();
    form->Sender = [&sent](const std::string& message) { sent.push_back(message); };
    form->ShowGame();
    Loop().ProcessMessages();
    return form;
}

std::vector<yz::TClientMessage> YatzyformTest::Sent() {
    std::vector<yz::TClientMessage> messages;
    for (const std::string& m : m_sent) {
        EXPECT_EQ(m.substr(0, 2), std::string("G\x04", 2));
        auto parsed = yz::ParseClientPayload(m.substr(2));
        EXPECT_TRUE(parsed) << parsed.Detail;
        if (parsed) messages.push_back(*parsed.Value);
    }
    m_sent.clear();
    return messages;
}

void YatzyformTest::ClickAt(int x, int y) {
    Win().MouseMove(x, y);
    Win().MouseDown(platform::ButtonLeft, x, y);
    Win().MouseUp(platform::ButtonLeft, x, y);
}

void YatzyformTest::ClickDie(int die) {
    const TYatzyDie& d = Form().Die(die);
    ClickAt(d.X() + d.Size() / 2, d.Y() + d.Size() / 2);
}

void YatzyformTest::ClickRoll() {
    const TRollover& roll = Form().RollButton();
    ClickAt(roll.X() + roll.Width() / 2, roll.Y() + roll.Height() / 2);
}

int YatzyformTest::RowY(int row) { return 30 + 10 * (row - 1) + 5; }

void YatzyformTest::WriteSkin() {
    gfxtest::Members pack;
    TWidths letters = Alphanumerics(4);
    for (uint8_t c : {':', '~', '>', '/', '!', '.', '?', '#', '\'', '-', '+', ' '}) letters[c] = 2;
    pack.push_back({"font1", BlockFont(6, 2, letters, kWhite)});
    pack.push_back({"font99", BlockFont(6, 2, {{'!', 3}, {'A', 4}}, kRed)});
    WritePack(pack);
    Solid("4_Yatzy", 400, 300, kGrey);
    for (const char* name : {"4_Minimi", "4_Close", "4_Symbol", "4_Roll"}) {
        Solid(std::string(name) + "on", 10, 10, kGreen);
        Solid(std::string(name) + "of", 10, 10, kBlue);
    }
    Solid("4_Symbol", 60, 60, kGrey);
    for (const char* name : {"4_Listupon", "4_Listupof", "4_Listdoon", "4_Listdoof", "4_Listbar", "Listupon",
                             "Listupof", "Listdoon", "Listdoof", "Listbar"})
        Solid(name, 8, 10, kYellow);
    for (int n = 1; n <= 6; ++n) {
        Solid("4_Di" + std::to_string(n), 60, 10, kWhite);
        Solid("4_dice0" + std::to_string(n) + "on", 10, 10, kRed);
    }
    for (int n = 1; n <= 4; ++n) Solid("4_Bar" + std::to_string(n) + "on", 30, 4, kYellow);
    Solid("4_Turn", 40, 10, kGreen);
    Solid("forumon", 10, 10, kBlue);
    Solid("forumof", 10, 10, kBlue);
    Solid("cur00001", 1, 6, kBlue);
    WriteIni("[Yatzy]\nYatzy=font1,font1,font1,font1,10,20,10,10,40,20,30\n"
             "4_Minimi=380,0\n4_Close=390,0\n4_Symbol=300,280\n4_Roll=300,100\n"
             "Chat=font1,200,150,100,0\nChatcolwidths=190\nChatedit=font1,0,280,250\nSystemcolor=1\n"
             "Countdown=300,10,340,20,0,font1\nMatchlength=300,30,390,40,0,font1\n"
             "Name1=200,0,230,10,0,font1\nName2=230,0,260,10,0,font1\n"
             "Point1=200,10,230,20,0,font1\nPoint2=230,10,260,20,0,font1\n"
             "Turn1=70,16\nTurn2=100,16\nTurn3=130,16\nTurn4=160,16\nRollNr=320,100\n"
             "Dice1=200,60\nDice2=215,60\nDice3=230,60\nDice4=245,60\nDice5=260,60\nDice6=275,60\n"
             "[Charselect]\n4_List=5,5,30,20,0\n",
             "[en-Yatzy]\nYatzy=Sheet,One,Two,Three,Four,Five,Six,Sum,Bonus,Pair\n"
             "YatzyMaxpoint=Max,5,10\n4_start=Welcome\n4_warning=Hurry\n4_droppedout={1} left\n"
             "4_Matchlength=Best of {1}\n"
             "[en-Message]\n4_Winround=You won\n4_Loseround={1} won\n");
}

}  // namespace yatzytest
