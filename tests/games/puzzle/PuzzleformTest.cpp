// The Puzzle window driven as the keyboard and the server drive it, in
// virtual time: what it sends, what it draws, and how it answers the
// server's and the opponent's payloads.
#include <gmock/gmock.h>

#include <cstdlib>

#include "PuzzleformFixture.h"
#include "controls/Column.h"
#include "controls/Countdown.h"
#include "controls/Rollover.h"
#include "controls/Text.h"
#include "rules/puzzle/PuzzlePayload.h"
#include "shell/MyTimer.h"

namespace {

using namespace puzzletest;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

rules::TPuzzleCell ShotTarget(const std::string& shot) { return {uint8_t(shot[3]), uint8_t(shot[4])}; }

// The opponent's own side: their shots as their window computes them.
rules::TPuzzlePlayer Opponent(uint32_t seed) {
    rules::TPuzzlePlayer player(rules::PuzzleLayoutGeometry(48, 64));
    player.Start(seed);
    return player;
}

TEST_F(PuzzleformTest, ShownItSaysReadyAndTheServersReadyStartsTheGame) {
    // Created with the other windows at start-up and hidden, the window runs
    // no timer at all: an idle client must not wake for it.
    EXPECT_EQ(TMaintimer::Instance().Count(), 0);
    Form().ShowGame();
    Loop().ProcessMessages();
    EXPECT_THAT(Taken(), ElementsAre(">"));
    EXPECT_FALSE(Form().Running());
    EXPECT_EQ(Form().Label("Name").Text(), "Me");
    EXPECT_EQ(Form().Label("Opponent").Text(), "You");
    EXPECT_EQ(Form().Canon().Frame(), 22);
    // The first colour comes from the game's seed, never a bomb.
    EXPECT_EQ(Form().Preview().Frame(), Opponent(kSeed).NextColour());
    Press(kSpace);
    EXPECT_THAT(Taken(), IsEmpty());  // no game yet

    Form().NetRead(">");
    EXPECT_TRUE(Form().Running());
    EXPECT_TRUE(Form().ShotClockTimer().Enabled());
    EXPECT_TRUE(Form().PauseButton().Visible());
    EXPECT_EQ(Form().Label("Levelvalue").Text(), "1");
    Form().NetRead("8\x03");
    EXPECT_EQ(Form().Level(), 3);
    EXPECT_EQ(Form().ShotClockTimer().Interval(), rules::LevelTimings(3).ShotClockTick);
}

// Alt with a digit goes to the lobby's room and moves nothing here; with
// Ctrl it is no room key.
TEST_F(PuzzleformTest, AltWithADigitAsksTheLobbyForThatRoom) {
    Start();
    std::vector<int> rooms;
    Form().OnLobbyRoom = [&rooms](int room) {
        rooms.push_back(room);
        return true;
    };
    const int frame = Form().Canon().Frame();
    Win().KeyDown('3', platform::AltKey);
    Win().KeyDown('4', platform::AltKey | platform::CtrlKey);
    Win().KeyDown(kLeft, platform::AltKey);
    EXPECT_EQ(rooms, std::vector<int>{3});
    EXPECT_EQ(Form().Canon().Frame(), frame);
    EXPECT_THAT(Taken(), IsEmpty());
}

TEST_F(PuzzleformTest, AShotStraightUpIsSentFliesAndIsDrawnWhereItLands) {
    Start();
    const int colour = Form().Player().NextColour();
    Press(kUp);
    Press(kSpace);  // while the first flies: ignored
    std::vector<std::string> shots = Taken(140);
    ASSERT_EQ(shots.size(), 1u);
    EXPECT_EQ(uint8_t(shots[0][1]), colour);
    EXPECT_NEAR(uint8_t(shots[0][2]), 63, 10);  // frame 22's entry, fine-tuned
    const rules::TPuzzleCell target = ShotTarget(shots[0]);
    EXPECT_EQ(target.Row, 0);
    EXPECT_TRUE(target.Column == 3 || target.Column == 4);
    EXPECT_FALSE(Form().ShotClockTimer().Enabled());

    TNewbobble& flying = Form().OwnScreen().Flying();
    ASSERT_TRUE(flying.Flying());
    const int startY = flying.Y();
    Advance(100);
    EXPECT_LT(flying.Y(), startY);
    EXPECT_NE(CellPixel(Form().OwnScreen(), target), Px(BubbleColour(colour)));
    Settle();
    EXPECT_FALSE(flying.Flying());
    EXPECT_EQ(Form().OwnScreen().Cell(target).Frame(), colour);
    EXPECT_EQ(CellPixel(Form().OwnScreen(), target), Px(BubbleColour(colour)));
    EXPECT_EQ(Form().Preview().Frame(), Form().Player().NextColour());
    // Idle again: the shot clock runs.
    EXPECT_TRUE(Form().ShotClockTimer().Enabled());
    if (const char* png = std::getenv("QV_PUZZLE_PNG")) Win().SavePng(png);
}

TEST_F(PuzzleformTest, TheOpponentsShotsAndTrashAreReplayedOnTheirField) {
    Start();
    rules::TPuzzlePlayer opponent = Opponent(777);
    for (int frame : {22, 10, 35}) {
        rules::TPuzzleFire fire = opponent.Fire(frame);
        ASSERT_FALSE(fire.Lost);
        Form().NetRead(rules::BuildPuzzleShot(fire.Colour, fire.Aim.Entry, fire.Aim.Target));
        EXPECT_EQ(Form().Canon2().Frame(), rules::FrameOfEntry(fire.Aim.Entry));
        EXPECT_TRUE(Form().OpponentScreen().Flying().Flying());
    }
    Settle();
    EXPECT_EQ(Form().Opponent().Field(), opponent.Field());
    for (rules::TPuzzleCell cell : rules::TPuzzleField::AllCells())
        EXPECT_EQ(Form().OpponentScreen().Cell(cell).Frame(), opponent.Field().Colour(cell));
    const rules::TPuzzleCell corner{0, 0};
    Form().NetRead(rules::BuildPuzzlePlaced(5, corner));
    Advance(20);
    EXPECT_TRUE(Form().OpponentScreen().Cell(corner).Playing());  // the "3_in" strip
    Settle();
    EXPECT_EQ(CellPixel(Form().OpponentScreen(), corner), Px(BubbleColour(5)));
    // Nothing is sent for the opponent's field (the own shot clock may
    // have fired meanwhile).
    for (const std::string& p : Taken()) EXPECT_TRUE(uint8_t(p[0]) == 140 || uint8_t(p[0]) == 143);
}

TEST_F(PuzzleformTest, TrashWaitsUntilTheOwnFieldIsIdleAndGoesWhereTheSettleStepMayPutIt) {
    Start();
    Press(kSpace);
    Form().NetRead(rules::BuildPuzzleFallen(4));
    Form().NetRead(rules::BuildPuzzleFallen(6));
    Advance(50);
    EXPECT_THAT(Taken(142), IsEmpty());
    Settle();
    std::vector<std::string> placed = Taken(142);
    ASSERT_EQ(placed.size(), 2u);
    EXPECT_EQ(uint8_t(placed[0][1]), 4);
    EXPECT_EQ(uint8_t(placed[1][1]), 6);
    for (const std::string& p : placed) {
        const rules::TPuzzleCell cell{uint8_t(p[2]), uint8_t(p[3])};
        EXPECT_LE(cell.Row, 1);  // row 0, or under the shot's bubble
        EXPECT_EQ(Form().Player().Field().Colour(cell), uint8_t(p[1]));
        EXPECT_EQ(Form().OwnScreen().Cell(cell).Frame(), uint8_t(p[1]));
    }
    EXPECT_EQ(Form().Player().QueuedTrash(), 0u);
    EXPECT_TRUE(Form().ShotClockTimer().Enabled());
}

TEST_F(PuzzleformTest, TheShotClockFiresByItselfAfterAHundredTicks) {
    Start();  // 300 ms of the clock gone
    const int tick = rules::LevelTimings(1).ShotClockTick;
    int elapsed = 300;
    while (Taken(140).empty() && elapsed < 10000) {
        Advance(5);
        elapsed += 5;
    }
    EXPECT_NEAR(elapsed, 100 * tick, 2 * tick);
    EXPECT_TRUE(Form().OwnScreen().Flying().Flying());
}

// Aims by trying every frame on a copy of the own side, as a greedy player
// would, until a shot cuts bubbles off; each of them must reach the bottom
// and be sent as the opponent's trash.
TEST_F(PuzzleformTest, BubblesCutOffFallAndEachIsSentWhenItReachesTheBottom) {
    Start();
    for (int shot = 0; shot < 300; ++shot) {
        int best = 1 + (shot * 7) % 43, bestFell = 0, bestCleared = 0;
        for (int frame = 1; frame <= 43; ++frame) {
            rules::TPuzzlePlayer trial(Form().Player());
            rules::TPuzzleFire fire = trial.Fire(frame);
            if (fire.Lost) continue;
            int fell = 0, cleared = 0;
            for (const auto& c : fire.Landing.Changes) {
                fell += c.Kind == rules::TPuzzleChangeKind::Fell;
                cleared += c.Clears();
            }
            if (std::tie(fell, cleared) > std::tie(bestFell, bestCleared))
                best = frame, bestFell = fell, bestCleared = cleared;
        }
        while (Form().Canon().Frame() < best) Press(kRight);
        while (Form().Canon().Frame() > best) Press(kLeft);
        Press(kSpace);
        Advance(100);
        ASSERT_TRUE(Form().Running()) << "lost before anything fell";
        Settle();
        std::vector<std::string> out = Taken();
        const auto count = [&](uint8_t code) {
            return std::count_if(out.begin(), out.end(), [&](const std::string& p) { return uint8_t(p[0]) == code; });
        };
        EXPECT_EQ(count(140), 1);
        EXPECT_EQ(count(143), bestCleared);
        EXPECT_EQ(count(141), bestFell);
        if (bestFell == 0) continue;
        for (rules::TPuzzleCell cell : rules::TPuzzleField::AllCells())
            EXPECT_EQ(Form().OwnScreen().Cell(cell).Frame(), Form().Player().Field().Colour(cell));
        return;
    }
    FAIL() << "no shot cut anything off";
}

TEST_F(PuzzleformTest, ALossIsSentAndTheResultShowsTheScoresAndSaysReadyAgain) {
    Start();
    bool lost = false;
    for (int shot = 0; shot < 300 && !lost; ++shot) {
        Press(kSpace);
        Settle();
        for (const std::string& p : Taken()) lost = lost || p == "\x15";
    }
    ASSERT_TRUE(lost);
    EXPECT_FALSE(Form().Running());
    Settle();
    for (rules::TPuzzleCell cell : rules::TPuzzleField::AllCells())
        EXPECT_EQ(Form().OwnScreen().Cell(cell).Frame(), 0);
    Press(kSpace);
    EXPECT_THAT(Taken(), IsEmpty());

    Form().NetRead(rules::BuildPuzzleResult(false, 1, 2, 17, 4242));
    EXPECT_EQ(Form().Label("Namescore").Text(), "0");
    EXPECT_EQ(Form().Label("Opponentscore").Text(), "1");
    EXPECT_THAT(Taken(), ElementsAre(">"));
    EXPECT_EQ(Form().Preview().Frame(), Opponent(4242).NextColour());
    Form().NetRead(">");
    EXPECT_TRUE(Form().Running());
    EXPECT_TRUE(Form().Player().Field().IsAllEmpty());
}

TEST_F(PuzzleformTest, APauseHoldsTheGameForAMinuteTwicePerShowing) {
    Start();
    Form().Pauseclick();
    EXPECT_THAT(Taken(), ElementsAre("="));
    EXPECT_FALSE(Form().Running());
    EXPECT_TRUE(Form().PauseImage().Visible());
    EXPECT_TRUE(Form().Countdown().Running());
    EXPECT_FALSE(Form().PauseButton().Visible());
    Press(kSpace);
    EXPECT_THAT(Taken(140), IsEmpty());
    Advance(61000);
    EXPECT_TRUE(Form().Running());
    EXPECT_FALSE(Form().PauseImage().Visible());
    EXPECT_TRUE(Form().PauseButton().Visible());
    Form().Pauseclick();
    Advance(61000);
    EXPECT_FALSE(Form().PauseButton().Visible());
    Form().Pauseclick();
    EXPECT_THAT(Taken(), ElementsAre("="));
    EXPECT_TRUE(Form().Running());
    // The opponent's pause holds this window too.
    Form().NetRead("=");
    EXPECT_FALSE(Form().Running());
}

TEST_F(PuzzleformTest, UnknownCodesAndTheServersCloseEndTheWindow) {
    for (const std::string& payload : {std::string("\x63"), std::string("\x15")}) {
        Start();
        Form().NetRead(payload);
        EXPECT_FALSE(Form().Visible()) << int(uint8_t(payload[0]));
        EXPECT_THAT(Taken(), ElementsAre("\x19"));
        EXPECT_FALSE(Form().Running());
    }
}

}  // namespace
