// The options, hiscore and information windows on a tiny skin of their own,
// filled through the dispatcher as the server's messages would, and the
// lobby's ways into them.
#include <gtest/gtest.h>

#include "controls/Bar.h"
#include "controls/Check.h"
#include "controls/Column.h"
#include "controls/Glide.h"
#include "controls/Multilist.h"
#include "controls/Text.h"
#include "lobby/ChatformFixture.h"
#include "lobby/Hiscoreform.h"
#include "lobby/Infoform.h"
#include "lobby/LobbyFixture.h"
#include "lobby/Optionsform.h"
#include "net/Dispatcher.h"
#include "net/Session.h"

namespace {

constexpr int kColumnHeight = 50;

class DialogWindowsTest : public lobbytest::DialogsTest {
protected:
    void SetUp() override {
        DialogsTest::SetUp();
        WriteSkin();
        m_options = std::make_unique<TOptionsform>();
        m_hiscore = std::make_unique<THiscoreform>();
        m_info = std::make_unique<TInfoform>();
        for (auto* sender : {&m_options->Sender, &m_hiscore->Sender})
            *sender = [this](const std::string& message) { sent.push_back(message); };
    }
    void TearDown() override {
        m_info.reset();
        m_hiscore.reset();
        m_options.reset();
        DialogsTest::TearDown();
    }

    std::vector<std::string> sent;
    std::unique_ptr<TOptionsform> m_options;
    std::unique_ptr<THiscoreform> m_hiscore;
    std::unique_ptr<TInfoform> m_info;

private:
    void WriteSkin() {
        auto loose = [&](const std::string& name, int w, int h) {
            WriteLoose(name, gfxtest::SolidGiz(w, h, gfxtest::kBlue));
        };
        for (const char* painter : {"option", "top100", "info"}) loose(painter, 200, 200);
        for (const char* button : {"chekof", "chekon", "change", "ok", "all", "tumbli", "bg", "puzzle", "yatzy",
                                   "barle", "barrig", "iclose", "tris", "gam", "puz", "yat", "blink"})
            for (const char* state : {"on", "of"}) loose(std::string(button) + state, 6, 10);
        loose("glide", 150, 100);
        loose("column", 10, kColumnHeight);
        WriteIni(Dir() + "settings.ini",
                 "[Message]\n0_mbOk=0,70\n"
                 "[Options]\nSound=10,10,100,font1\nChange=10,40\n0_mbOk=10,70\n"
                 "[Hiscore]\nGamebar=0,0,200,5,font1\nList=font1,0,40,100,10\nListcolwidths=20,100,40\n"
                 "Myname=0,150,50,160\nMyscore=60,150,100,160\nMyplace=110,150,150,160\nOK=0,170\n"
                 "[Info]\nName=0,0,100,10\nGameName=20,100,100,110\nPlacevalue=0,120,50,130\n"
                 "Scorevalue=60,120,100,130\nGamesvalue=110,120,150,130\nColumns=100,20,120,20,140,20\n"
                 "Tumbli=0,100\nBg=0,100\nPuzzle=0,100\nYatzy=0,100\niClose=0,180\n"
                 "[Glide]\nFramewidth=2\n");
        WriteIni(Dir() + "text.ini",
                 "[en-Hiscore]\nAllgames=All\n[en-Chat]\nTumblixname=Tumblix\nBgname=Backgammon\n"
                 "Puzzlename=Puzzle\nYatzyname=Yatzy\n[en-Glide]\nTumblix=Tumblix\nBackgammon=Backgammon\n"
                 "Puzzle=Puzzle\nYatzy=Yatzy\n[en-Options]\nSound=Sound\n");
        UnloadTextsAndSettings();
        LoadTextsAndSettings(Dir());
    }
};

TEST_F(DialogWindowsTest, TheSoundToggleSendsItsOptionAndTheServersOptionsSendNothing) {
    ASSERT_TRUE(m_options->SoundToggle()->Ticked());
    Session().OptionString = "1101";
    m_options->Show();
    Click(*m_options, *m_options->SoundToggle()->Button(1));
    EXPECT_EQ(sent, std::vector<std::string>{std::string("n\x02\x01", 3)});
    EXPECT_EQ(Session().OptionString, "0101");
    EXPECT_FALSE(SoundOn());
    Click(*m_options, *m_options->SoundToggle()->Button(0));
    EXPECT_EQ(sent.back(), std::string("n\x02\x02", 3));
    EXPECT_EQ(Session().OptionString, "1101");
    EXPECT_TRUE(SoundOn());
    // Code 111 moves the toggle and the switch, and sends nothing back.
    sent.clear();
    Dispatch(std::string("o0\x01"));
    EXPECT_FALSE(m_options->SoundToggle()->Ticked());
    EXPECT_FALSE(SoundOn());
    EXPECT_TRUE(sent.empty());
    Click(*m_options, *m_options->ChangeButton());
    EXPECT_EQ(sent, std::vector<std::string>{"'"});
    Click(*m_options, *m_options->OkButton());
    EXPECT_FALSE(m_options->Visible());
}

TEST_F(DialogWindowsTest, AHiscoreTabAsksForItsListOnlyWhileTheWindowIsShown) {
    TBar& bar = *m_hiscore->GameBar();
    ASSERT_EQ(bar.Count(), 5);
    EXPECT_EQ(bar.Tab(1)->Caption(), "All");
    EXPECT_EQ(bar.Tab(3)->Caption(), "Backgammon");
    Click(*m_hiscore, *bar.Tab(3));
    EXPECT_TRUE(sent.empty());

    m_hiscore->Open(2);
    ASSERT_TRUE(m_hiscore->Visible());
    EXPECT_EQ(sent, std::vector<std::string>{"\x18" "2\x01" "1\x01" "100\x01"});
    // Code 24: the labels, then three cells per row; a last row the message
    // ends inside keeps empty cells.
    Dispatch("\x18" "eva\x01" "1544\x01" "2\x01" "1\x01" "bob\x01" "1612\x01" "2\x01" "eva\x01" "1544\x01" "3\x01");
    EXPECT_EQ(m_hiscore->MyName()->Text(), "eva");
    EXPECT_EQ(m_hiscore->MyScore()->Text(), "1544");
    EXPECT_EQ(m_hiscore->MyPlace()->Text(), "2");
    TMultilist& list = *m_hiscore->List();
    ASSERT_EQ(list.RowCount(), 3);
    EXPECT_EQ(list.Cell(1, 0), "bob");
    EXPECT_EQ(list.Cell(2, 1), "1544");
    EXPECT_EQ(list.Cell(0, 2), "3");
    EXPECT_EQ(list.Cell(1, 2), "");

    // Another tab clears the window before it asks.
    Click(*m_hiscore, *bar.Tab(1));
    EXPECT_EQ(sent.back(), "\x18" "0\x01" "1\x01" "100\x01");
    EXPECT_EQ(list.RowCount(), 0);
    EXPECT_EQ(m_hiscore->MyName()->Text(), "");

    // Losing the focus closes it.
    Win(*m_hiscore).Deactivate();
    EXPECT_FALSE(m_hiscore->Visible());
    EXPECT_FALSE(list.Visible());
}

TEST_F(DialogWindowsTest, UserInformationShowsModallyAndAGameNeverPlayedHasEmptyColumns) {
    TUserInfo info{"bob", "2026-12-09", "08:15", "42", "31", {}};
    info.Games[1] = {"1", "1612", 7, 3, 1, 11};
    bool checked = false;
    Script({[&] {
                ASSERT_TRUE(m_info->Visible());
                EXPECT_EQ(m_info->Value("Name")->Text(), "bob");
                EXPECT_EQ(m_info->ShownGame(), 1);
                EXPECT_EQ(m_info->Value("GameName")->Text(), "Tumblix");
                EXPECT_EQ(m_info->Value("Gamesvalue")->Text(), "0");
                for (int c = 0; c < TInfoform::kColumns; ++c) {
                    EXPECT_EQ(m_info->Column(c)->Maximum(), 0);
                    EXPECT_EQ(m_info->Column(c)->ShownHeight(), 0);
                }
                EXPECT_TRUE(m_info->GameButton(1)->Visible());
                EXPECT_FALSE(m_info->GameButton(2)->Visible());
                // Backgammon chosen in the chooser.
                m_info->Chooser()->OnSelect(m_info->Chooser()->Item(1), 1, 0);
            },
            [&] {
                EXPECT_EQ(m_info->Value("GameName")->Text(), "Backgammon");
                EXPECT_EQ(m_info->Value("Placevalue")->Text(), "1");
                EXPECT_EQ(m_info->Value("Scorevalue")->Text(), "1612");
                EXPECT_EQ(m_info->Value("Gamesvalue")->Text(), "11");
                EXPECT_FALSE(m_info->GameButton(1)->Visible());
                EXPECT_TRUE(m_info->GameButton(2)->Visible());
                EXPECT_EQ(m_info->Column(0)->Maximum(), 11);
                // 7 of 11 games of a 50-pixel column, to the nearest pixel.
                EXPECT_EQ(m_info->Column(0)->ShownHeight(), 32);
                EXPECT_EQ(m_info->Column(2)->ShownHeight(), 5);
                checked = true;
                Click(*m_info, *m_info->CloseButton());
            }});
    Dispatch(protocol::Build(info));
    EXPECT_TRUE(checked);
    EXPECT_FALSE(m_info->Visible());
}

// The lobby switches the sound on as it is created, and its buttons open
// the options and, without a hiscore web page, the hiscore window.
class LobbyDialogsTest : public lobbytest::ChatformTest {
protected:
    void SetUp() override {
        SetSoundOn(false);
        ChatformTest::SetUp();
    }
};

TEST_F(LobbyDialogsTest, TheLobbyOpensTheDialogsAndHasSoundFromTheStart) {
    EXPECT_TRUE(SoundOn());
    int options = 0, hiscoreList = -1;
    Lobby().OnOptions = [&] { ++options; };
    Lobby().OnHiscores = [&](int list) { hiscoreList = list; };
    Lobby().OptionButton()->OnClick(Lobby().OptionButton());
    EXPECT_EQ(options, 1);
    Lobby().SetCurrentGame(3);
    Lobby().Top100Button()->OnClick(Lobby().Top100Button());
    EXPECT_EQ(hiscoreList, 3);
}

}  // namespace
