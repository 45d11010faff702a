// The Tumblix window on a tiny skin of its own: what it sends when shown and
// when a game starts, the pixels of a drawn cell, keys with their repeat
// counts, the opponent's payloads, junk rows, the result box, the pause and
// codes it does not know.
//
// Layout: window 400 x 440; own well at (0, 10), opponent's at (200, 10);
// bricks 16 x 16 in colours of their own; the background grey.
#include <gmock/gmock.h>

#include "controls/Check.h"
#include "controls/Keys.h"
#include "controls/MsgBoxes.h"
#include "controls/SkinFixture.h"
#include "controls/Text.h"
#include "games/Tumblix.h"
#include "net/Session.h"
#include "net/SessionWindows.h"

namespace {

using namespace skintest;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr uint32_t kSeed = 12345;
constexpr uint16_t kBrickColours[9] = {0x7C00, 0x03E0, 0x001F, 0x7FE0, 0x7C1F, 0x03FF, 0x4000, 0x0200, 0x0010};

// Records the boxes instead of showing them.
class TBoxes : public IMsgBoxes {
public:
    std::vector<std::string> texts;
    int NewMsgBox(TForm*, int) override { return 1; }
    int MsgBoxIn(const std::string& text, const std::string&, unsigned, int, int defaultResult) override {
        texts.push_back(text);
        return defaultResult;
    }
    void CloseMsgBox(int) override {}
};

class TumblixFormTest : public SkinTest {
protected:
    // The session and sockets on the skin fixture's states.
    TNetLayer m_netLayer;

    void SetUp() override {
        SkinTest::SetUp();
        WriteSkin();
        SetMsgBoxes(&boxes);
        TGameStart& start = Session().GameStart;
        start.GameKind = 1;
        start.Players[0].Name = "eva";
        start.Players[1].Name = "bob";
        start.Setup = rules::TDuelSetup{"eva", "bob", kSeed};
        m_form = std::make_unique<TTumblixForm>();
        m_form->Sender = [this](const std::string& m) { sent.push_back(m.substr(2)); };
        m_form->ShowGame();
        Loop().ProcessMessages();
    }
    void TearDown() override {
        m_form.reset();
        SkinTest::TearDown();
    }
    TTumblixForm& Form() { return *m_form; }
    platform::headless::TWindow& Win() { return Window(*m_form->Paint()); }
    void Start() {
        m_form->NetRead(">");
        sent.clear();
    }
    // n game ticks, counted by the gravity countdown (which stays above 1
    // in these tests).
    void Ticks(int n) {
        const int target = Form().Game().Countdown() - n;
        for (int ms = 0; ms < 10 * n * TTumblixForm::kTickMs && Form().Game().Countdown() > target; ++ms)
            Loop().RunFor(1);
        ASSERT_EQ(Form().Game().Countdown(), target);
    }
    void Tap(int key) {
        Win().KeyDown(key);
        Win().KeyUp(key);
    }
    static std::string B(std::initializer_list<int> bytes) {
        std::string s;
        for (int b : bytes) s += static_cast<char>(b);
        return s;
    }

    TBoxes boxes;
    std::vector<std::string> sent;

private:
    void WriteSkin();
    std::unique_ptr<TTumblixForm> m_form;
};

void TumblixFormTest::WriteSkin() {
    gfxtest::Members pack;
    auto solid = [&](const std::string& name, int w, int h, uint16_t colour) {
        pack.push_back({name, gfxtest::SolidGiz(w, h, colour)});
    };
    solid("1_tris", 400, 440, kGrey);
    for (int n = 1; n <= 9; ++n) solid("1_brick" + std::to_string(n), 16, 16, kBrickColours[n - 1]);
    for (const char* name : {"1_Quit", "1_Minimi", "1_Pause2", "1_Chekof", "1_Chekon"}) {
        solid(std::string(name) + "on", 10, 10, kGreen);
        solid(std::string(name) + "of", 10, 10, kBlue);
    }
    solid("1_Status", 100, 4, kRed);
    solid("1_Status2", 100, 4, kGreen);
    solid("1_pause", 32, 32, kYellow);
    pack.push_back({"font1", BlockFont(6, 2, Alphanumerics(4), kWhite)});
    WritePack(pack);
    WriteIni("[Tris]\nPlayer1=0,10\nPlayer2=200,10\nPreview1=0,430,64,8\nStatus=300,430\n"
             "1_Quit=380,0\n1_Minimi=360,0\n1_Pause2=340,0\nReady=320,0,40,font1\n"
             "Level=0,0,40,8,0,font1\nProcent=40,0,80,8,0,font1\nPausetext=80,0,150,8,0,font1\n",
             "[en-Message]\n1_Wingametext=won {1} {2} {3}\n1_Losegametext=lost {1} {2} {3}\n"
             "1_Waittext=wait\n1_Pausetext=pause {1}\n");
}

TEST_F(TumblixFormTest, ShowingSaysReadyAndTheStartSendsTheFirstPiecesAndDrawsThem) {
    EXPECT_THAT(sent, ElementsAre(">"));
    EXPECT_EQ(Form().NameLabel(TTumblixForm::kOpponent)->Text(), "bob");
    sent.clear();
    Form().NetRead(">");
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0][0], '3');
    EXPECT_EQ(sent[1][0], '2');
    EXPECT_TRUE(Form().GameTick().Enabled());
    EXPECT_EQ(Form().LevelLabel()->Text(), "1");
    EXPECT_EQ(Form().ProcentLabel()->Text(), "0 %");
    // Every cell of the piece shows its brick, the cells beside it the background.
    const auto& well = Form().Game().Well();
    int bricks = 0;
    for (int y = 0; y < 26; ++y)
        for (int x = 0; x < 12; ++x) {
            const int colour = well.Cell(x, y);
            const int px = Form().WellLeft(0) + 16 * x + 8, py = Form().WellTop(0) + 16 * y + 8;
            EXPECT_EQ(BackAt(*Form().Paint(), px, py), Px(colour ? kBrickColours[colour - 1] : kGrey));
            EXPECT_EQ(Form().Drawn(0, x, y), colour);
            bricks += colour != 0;
        }
    EXPECT_GE(bricks, 1);
}

TEST_F(TumblixFormTest, AHeldKeyMovesOnTheFifthTickAndATapExactlyOnce) {
    Start();
    const int x = Form().Game().Piece().X;
    Tap(vk::Left);
    EXPECT_EQ(Form().Game().Piece().X, x - 1);
    Win().KeyDown(vk::Right);
    Win().KeyDown(vk::Right);  // the platform's repeat changes nothing
    Ticks(4);
    EXPECT_EQ(Form().Game().Piece().X, x - 1);
    Ticks(1);
    EXPECT_EQ(Form().Game().Piece().X, x);
    Ticks(1);
    EXPECT_EQ(Form().Game().Piece().X, x + 1);
    Win().KeyUp(vk::Right);  // a long press makes no extra move
    EXPECT_EQ(Form().Game().Piece().X, x + 1);
    // The piece has moved: the first drop press drops it.
    sent.clear();
    Tap(vk::Space);
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ(sent[0][0], '4');
    EXPECT_EQ(sent.back()[0], '2');
    // A fresh piece is only marked by the first press.
    sent.clear();
    Tap(vk::Space);
    EXPECT_TRUE(sent.empty());
    EXPECT_TRUE(Form().Game().Moved());
}

TEST_F(TumblixFormTest, TheOpponentsPayloadsBuildTheOpponentsWell) {
    Start();
    Form().NetRead(B({'3', 1}));              // a square comes next
    Form().NetRead(B({'2', 3, 2, 26 - 3}));   // it enters at (-1, 23)... reported as x + 3, y + 3
    Form().NetRead(B({'4', 2, 26, 1}));       // and lies at the bottom left
    EXPECT_EQ(Form().Opponent().Well().Cell(0, 25), 1);
    const int px = Form().WellLeft(1) + 8, py = Form().WellTop(1) + 16 * 25 + 8;
    EXPECT_EQ(BackAt(*Form().Paint(), px, py), Px(kBrickColours[0]));
    // A junk row for the own well is answered with the row and the piece.
    sent.clear();
    Form().NetRead("6");
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0][0], '7');
    EXPECT_EQ(sent[0].size(), 17u);
    EXPECT_FALSE(Form().Game().Well().RowEmpty(25));
    // A level up.
    Form().NetRead("8");
    EXPECT_EQ(Form().LevelLabel()->Text(), "2");
    EXPECT_EQ(Form().Game().Delay(), 30);
}

TEST_F(TumblixFormTest, TheResultFillsTheTextThenTheWindowWaitsForTheNextGame) {
    Start();
    Form().NetRead(B({22, 5, 3, 7}) + "99\x01");
    EXPECT_THAT(boxes.texts, ElementsAre("won 4 2 7", "1_Waittext"));
    EXPECT_THAT(sent, ElementsAre(">"));
    EXPECT_FALSE(Form().GameTick().Enabled());
    EXPECT_EQ(Form().Game().PieceSeed(), 99u);
}

TEST_F(TumblixFormTest, ThePauseWaitsForBothPlayersAndAnUnknownCodeClosesTheWindow) {
    Start();
    Tap('P');
    EXPECT_THAT(sent, ElementsAre(B({'=', 2})));
    EXPECT_TRUE(Form().Paused());
    EXPECT_FALSE(Form().GameTick().Enabled());
    EXPECT_TRUE(Form().ReadyToggle()->Visible());
    EXPECT_EQ(Form().PauseLabel()->Text(), "pause 2");
    sent.clear();
    Tap('P');  // ticks Ready
    EXPECT_THAT(sent, ElementsAre(B({64, 1})));
    Form().NetRead(B({64, 1}));  // the opponent is ready too
    EXPECT_THAT(sent, ElementsAre(B({64, 1}), B({64, 2})));
    Form().NetRead(B({64, 2}));
    EXPECT_FALSE(Form().Paused());
    EXPECT_TRUE(Form().GameTick().Enabled());
    EXPECT_EQ(Form().PauseAllowance(), 4);
    sent.clear();
    Form().NetRead("\xC8");
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_THAT(boxes.texts[0], HasSubstr("Wrong control: 200"));
    EXPECT_FALSE(Form().Visible());
    EXPECT_THAT(sent, ElementsAre("\x19"));
}

}  // namespace
