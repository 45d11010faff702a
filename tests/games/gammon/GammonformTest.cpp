// The Backgammon window against scripted server payloads: what drops,
// quick moves, undos and the end of a turn send, the confirm question, the
// automatic roll, the count-down, the cube and the game's end.
#include <gmock/gmock.h>

#include <fstream>
#include <iterator>

#include "GammonFixture.h"
#include "controls/Countdown.h"
#include "controls/Myedit.h"
#include "games/GammonDialog.h"
#include "resources/Paths.h"

namespace {

using gammontest::GammonformTest;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

constexpr int kMove = 0xA3, kTurnOver = 0xA4, kUndo = 0xAB;

TEST_F(GammonformTest, ShowingSendsReadyAndTheTableBeginsWithTheOpeningRoll) {
    Form().ShowGame();
    EXPECT_THAT(sent, ElementsAre(">"));
    EXPECT_EQ(Form().Own(), rules::gammon::TColour::White);
    EXPECT_FALSE(Form().RollButton()->Visible());
    Net(">");
    EXPECT_TRUE(Form().RollButton()->Visible());
    EXPECT_TRUE(Form().Countdown().Running());
    Click(*Form().RollButton());
    EXPECT_THAT(sent, ElementsAre(">", Bytes({0xA0})));
    EXPECT_FALSE(Form().RollButton()->Visible());
    Net(Bytes({160, 1, 4}));
    Net(Bytes({160, 2, 4}));
    Net(Bytes({161}));  // equal: roll again
    EXPECT_TRUE(Form().RollButton()->Visible());
    EXPECT_THAT(Form().ChatLines(), Contains("Same"));
}

// The opponent may roll the opening die first: the winner still plays both.
TEST_F(GammonformTest, AnOpeningDieRolledBeforeTheOwnIsKept) {
    Open();
    Net(Bytes({160, 2, 2}));
    Click(*Form().RollButton());
    Net(Bytes({160, 1, 5}));
    Net(Bytes({162}));
    ASSERT_TRUE(Form().OwnTurn());
    EXPECT_THAT(Form().ChatLines(), Contains("You start 5 2"));
}

TEST_F(GammonformTest, DropsAndQuickMovesSendEachSingleMoveAndThenTheTurnOver) {
    Open();
    WinOpening(3, 1);
    ASSERT_TRUE(Form().OwnTurn());
    EXPECT_THAT(Form().ChatLines(), Contains("You start 3 1"));

    Drag(1, 6);  // five pips: no die allows it, and black holds the point
    EXPECT_THAT(sent, IsEmpty());
    EXPECT_EQ(Form().Board().Position().Count(rules::gammon::TColour::White, 1), 2);

    Drag(1, 4);
    EXPECT_THAT(sent, ElementsAre(Bytes({kMove, 2, 3})));
    EXPECT_TRUE(Form().UndoButton()->Visible());
    Quick(17);  // the only die left
    EXPECT_THAT(sent, ElementsAre(Bytes({kMove, 2, 3}), Bytes({kMove, 18, 1}), Bytes({kTurnOver})));
    EXPECT_FALSE(Form().OwnTurn());
    EXPECT_FALSE(Form().UndoButton()->Visible());
    EXPECT_FALSE(Form().Countdown().Running());
}

TEST_F(GammonformTest, ACombinedDropSendsTwoSingleMovesAndUndoTakesThemBackOneByOne) {
    Session().OptionString[14] = '1';  // checkers fly
    Session().OptionString[15] = '1';  // confirm, so the turn waits
    Open();
    WinOpening(3, 1);
    Drag(12, 16);  // 3 + 1 in one drop, through 15 (die 1's point is empty)
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_TRUE(Form().Pieces().Flying());
    Loop().RunFor(2000);  // two flights of at most 50 steps of 10 ms
    EXPECT_FALSE(Form().Pieces().Flying());
    auto [x, y] = CheckerCentre(16);
    EXPECT_EQ(OverPoint(16).first, x);
    EXPECT_EQ(sent[0], Bytes({kMove, 13, 3}));
    EXPECT_EQ(sent[1], Bytes({kMove, 16, 1}));
    ASSERT_TRUE(Form().Dialog().Open());
    Click(*Form().Dialog().No());
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[2].substr(2), Bytes({16 + 2, 15 + 2, 1}));
    Click(*Form().UndoButton());
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_EQ(sent[3].substr(2), Bytes({15 + 2, 12 + 2, 1}));
    EXPECT_EQ(Form().Board().Position().Count(rules::gammon::TColour::White, 12), 5);
    EXPECT_FALSE(Form().UndoButton()->Visible());
}

TEST_F(GammonformTest, WithConfirmTheTurnEndsOnlyOnYesAndNoUndoesTheLastMove) {
    Session().OptionString[14] = '0';
    Session().OptionString[15] = '1';
    Open();
    EXPECT_TRUE(Form().Confirm());
    WinOpening(3, 1);
    Drag(1, 4);
    Quick(17);
    ASSERT_TRUE(Form().Dialog().Open());
    EXPECT_EQ(sent.size(), 2u);
    EXPECT_FALSE(Form().RollButton()->Visible());
    Click(*Form().Dialog().No());
    ASSERT_EQ(sent.size(), 3u);
    // The checker goes from 18 back to 17, no hit: target + 2, source + 2, 1.
    ASSERT_EQ(sent[2].size(), 5u);
    EXPECT_EQ(sent[2][0], char(kUndo));
    EXPECT_EQ(sent[2].substr(2), Bytes({18 + 2, 17 + 2, 1}));
    EXPECT_TRUE(Form().OwnTurn());
    EXPECT_FALSE(Form().Dialog().Open());
    Quick(17);
    ASSERT_TRUE(Form().Dialog().Open());
    Click(*Form().Dialog().Yes());
    EXPECT_EQ(sent.back(), Bytes({kTurnOver}));
    EXPECT_FALSE(Form().OwnTurn());
}

TEST_F(GammonformTest, AutomaticRollsAtOnceAndTheCountDownWarnsAndCloses) {
    Open();
    WinOpening(5, 2);
    Drag(12, 17);
    Quick(1);
    sent.clear();
    Win().KeyDown('A', platform::AltKey);
    EXPECT_TRUE(Form().Automatic());
    Net(Bytes({164}));
    EXPECT_THAT(sent, ElementsAre(Bytes({0xA5})));
    Net(Bytes({165, 1, 6, 6}));
    EXPECT_TRUE(Form().OwnTurn());
    RunSeconds(151);
    EXPECT_THAT(Form().ChatLines(), Contains("Hurry"));
    EXPECT_TRUE(Form().Visible());
    RunSeconds(30);
    EXPECT_FALSE(Form().Visible());
    EXPECT_EQ(sent.back(), Bytes({0x19}));
}

TEST_F(GammonformTest, TheCubeDoublesAndADeclinedDoubleWinsTheGameAtItsValue) {
    Open();
    WinOpening(5, 2);
    Drag(12, 17);
    Quick(1);
    Net(Bytes({164}));
    sent.clear();
    ASSERT_NE(Form().Pieces().Cube(), nullptr);
    EXPECT_TRUE(Form().Pieces().Cube()->Enabled());
    Form().OfferDouble();
    EXPECT_THAT(sent, ElementsAre(Bytes({0xA9})));
    EXPECT_TRUE(Form().DoublePending());
    EXPECT_FALSE(Form().Countdown().Running());
    Net(Bytes({22}));  // declined
    EXPECT_EQ(sent.back(), Bytes({0x16, 1}));
    EXPECT_EQ(Form().Board().Match().Points(rules::gammon::TColour::White), 1);
    EXPECT_TRUE(Form().RollButton()->Visible());  // the next game's opening roll
    EXPECT_FALSE(Form().NormalRolls());

    // The opponent doubles in the next game; yes takes the cube.
    sent.clear();
    Net(Bytes({169}));
    ASSERT_TRUE(Form().Dialog().Open());
    Click(*Form().Dialog().Yes());
    EXPECT_THAT(sent, ElementsAre(Bytes({0xAA})));
    Net(Bytes({170}));
    EXPECT_EQ(Form().Board().Cube().Value(), 2);
    EXPECT_TRUE(Form().Board().Cube().OwnedBy(rules::gammon::TColour::White));
    Net(Bytes({168, 1}));  // the opponent wins 1 × 2: 1 to 2 of 3
    EXPECT_EQ(Form().Board().Match().Points(rules::gammon::TColour::Black), 2);
    EXPECT_FALSE(Form().MatchOver());
    Net(Bytes({168, 1}));
    EXPECT_TRUE(Form().MatchOver());
    EXPECT_FALSE(Form().RollButton()->Visible());
}

TEST_F(GammonformTest, DumpchatWritesTheTableChatAndSendsNothing) {
    Open();
    Net(Bytes({9, 1, 1, 3, 1}) + "Opp: hello" + "\x01");
    for (char c : std::string("/DumpChat")) Win().Char(static_cast<uint8_t>(c));
    Win().KeyDown(13);
    EXPECT_THAT(sent, IsEmpty());
    std::ifstream file(ProgramDirectory() + "bg.txt", std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_THAT(text, HasSubstr("Opp: hello\r\n"));
    for (char c : std::string("hi")) Win().Char(static_cast<uint8_t>(c));
    Win().KeyDown(13);
    EXPECT_THAT(sent, ElementsAre(std::string("\x08hi\x01")));
    Win().KeyDown(38);  // Up: the line before
    EXPECT_EQ(Form().ChatEntry().Text(), "hi");
}

}  // namespace

namespace {

TEST_F(GammonformTest, OpponentMovesAndUndosAreReplayedAndGiveUpShowsFromTheSixthTurn) {
    Open();
    Click(*Form().RollButton());
    Net(Bytes({160, 1, 2}));
    Net(Bytes({160, 2, 5}));  // the opponent begins
    Net(Bytes({163, 13 + 1, 5}));  // black 13 -> 8
    EXPECT_EQ(Form().Board().Position().Count(rules::gammon::TColour::Black, 8), 4);
    auto record = Form().Board().History();  // own history stays empty
    EXPECT_TRUE(record.empty());
    int checker = Form().Board().TopChecker(8);
    Net(Bytes({171, checker + 1, 8 + 2, 13 + 2, 1}));
    EXPECT_EQ(Form().Board().Position().Count(rules::gammon::TColour::Black, 8), 3);
    EXPECT_EQ(Form().Board().Position().Count(rules::gammon::TColour::Black, 13), 5);
    for (int turn = 1; turn <= 6; ++turn) {
        Net(Bytes({164}));
        EXPECT_EQ(Form().GiveUpButton()->Visible(), turn > 5) << turn;
        Form().Roll();
        Net(Bytes({165, 1, 1, 2}));
        for (int point = 1; point <= 24 && Form().OwnTurn(); ++point) {
            int top = Form().Board().TopChecker(point);
            if (top >= 0 && top < 15) Quick(point);
        }
        EXPECT_FALSE(Form().OwnTurn());
        Net(Bytes({165, 2, 6, 5}));  // the opponent's roll is only shown
    }
    Net(Bytes({164}));
    EXPECT_TRUE(Form().GiveUpButton()->Visible());
    EXPECT_EQ(Form().GiveUpMenuNumber(), 3);
    sent.clear();
    Form().OfferGiveUp(2);
    EXPECT_THAT(sent, ElementsAre(Bytes({0xA6, 2})));
    EXPECT_FALSE(Form().GiveUpButton()->Visible());
}

TEST_F(GammonformTest, TheOptionsAreReadFromAndWrittenToTheOptionString) {
    Session().OptionString[14] = '1';
    Open();
    EXPECT_TRUE(Form().Anims());
    EXPECT_FALSE(Form().Confirm());
    Form().SetConfirm(true);
    Form().SetAnims(false);
    EXPECT_THAT(raw, ElementsAre(std::string("n\x11\x02"), std::string("n\x10\x01")));
    EXPECT_EQ(Session().OptionString.substr(14, 2), "01");
}

}  // namespace
