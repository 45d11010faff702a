// The lobby's preview strip: which running games it asks the server for
// (the watch request "H"), how the server's snapshots and changes reach the
// four slots, and how an ended game lets its slot go after 20 s. The
// server's messages go through the dispatcher as literal bytes.
#include <fstream>
#include <sstream>

#include "ChatformFixture.h"
#include "controls/Glide.h"
#include "controls/Text.h"
#include "graphics/Myimage.h"
#include "graphics/Myimagelist.h"
#include "lobby/Game.h"
#include "lobby/Gammonbrick.h"
#include "lobby/Preview.h"
#include "lobby/PreviewGammon.h"
#include "lobby/PreviewGrid.h"
#include "lobby/PreviewTumblix.h"
#include "lobby/Previewpuzzle.h"
#include "lobby/Singlepreview.h"
#include "protocol/ClientMessages.h"
#include "shell/MyTimer.h"

namespace lobbytest {
namespace {

using namespace std::string_literals;

constexpr char kEnd = '\x01';

std::string ReadText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string Watch(int kind, const std::string& player, int slot) {
    return protocol::Build(protocol::TWatch{kind, player, slot});
}

// Inserts lines after a section's header line of an ini file on disk.
void InsertAfter(std::string& text, const std::string& header, const std::string& lines) {
    std::string crlf;
    for (char c : lines) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const size_t at = text.find(header + "\r\n");
    if (at != std::string::npos) text.insert(at + header.size() + 2, crlf);
}

class PreviewTest : public ChatformTest {
protected:
    void SetUp() override {
        ChatformTest::SetUp();
        WritePreviewSkin();
        m_strip = std::make_unique<Tpreview>(Lobby().Paint(), *Lobby().Tables());
        m_strip->Sender = [this](const std::string& message) { sent.push_back(message); };
        m_strip->Random = [](int) { return 0; };
        SessionWindows().Previews = m_strip.get();
        Lobby().SetPreviews(m_strip.get());
    }
    void TearDown() override {
        Lobby().SetPreviews(nullptr);
        m_strip.reset();
        ChatformTest::TearDown();
    }

    Tpreview& Strip() { return *m_strip; }

    // Code 78: a game of two started.
    static void Started(int kind, const std::string& a, const std::string& figureA, const std::string& b,
                        const std::string& figureB) {
        Dispatch(std::string("\x4E") + char(kind) + '\x02' + a + kEnd + figureA + kEnd + b + kEnd + figureB + kEnd);
    }
    // Code 74 with a Tumblix snapshot whose wells are empty.
    static void TumblixSnapshot(int slot) {
        Dispatch(std::string("\x4A\x01") + char(slot) + std::string(624, '\x01') + "\x05\x01\x01\x00"s);
    }
    static std::string Bytes(std::initializer_list<int> bytes) {
        std::string s;
        for (int b : bytes) s.push_back(static_cast<char>(b));
        return s;
    }

    std::unique_ptr<Tpreview> m_strip;

private:
    void WritePreviewSkin();
};

void PreviewTest::WritePreviewSkin() {
    for (const char* name : {"Peek_tum", "Peek_bac", "Peek_puz"}) Solid(name, 50, 50, kGrey);
    for (const char* name : {"tumblix1", "tumblix2", "tumblix3", "tumblix4", "tumblix5", "tumblix6", "tumblix7",
                             "tumblixL", "tumblixB"})
        Solid(name, 2, 2, kRed);
    for (int colour = 1; colour <= 7; ++colour) Solid("puzzle" + std::to_string(colour), 4, 4, kGreen);
    for (const char* name : {"peek_won", "peek_bon"}) Solid(name, 3, 3, kRed);
    for (const char* name : {"peek_wof", "peek_bof"}) Solid(name, 3, 1, kRed);
    for (const char* colour : {"wdice00", "bdice00"})
        for (int face = 1; face <= 6; ++face) Solid(colour + std::to_string(face), 4, 4, kBlue);
    Solid("double0", 4, 4, kYellow);
    for (int value = 2; value <= 64; value *= 2) Solid("double" + std::to_string(value), 4, 4, kYellow);
    for (int kind = 1; kind <= 3; ++kind)
        for (const char* state : {"on", "of"}) Solid("Peek" + std::to_string(kind) + state, 6, 10, kGreen);
    std::string settings = ReadText(Dir() + "settings.ini"), texts = ReadText(Dir() + "text.ini");
    InsertAfter(settings, "[Chat]",
                "Preview=0,0,100,100,50,50\nPreviewGammon=2,2,26,2,24,46,20,48,2,1,48,2,10,30,20\n");
    InsertAfter(texts, "[en-Chat]",
                "Previewtumblixscore=Lines {1} Level {2} Points {3}\nPreviewGammonscore={1}-{2} of {3}\n"
                "Previewpuzzlescore={1}/{2}/{3}\nPreviewendtext={1} wins\n");
    WriteFile(Dir() + "settings.ini", gfxtest::Bytes(settings.begin(), settings.end()));
    WriteFile(Dir() + "text.ini", gfxtest::Bytes(texts.begin(), texts.end()));
    LoadTextsAndSettings(Dir());
}

TEST_F(PreviewTest, ChoosingTheGameASlotShowsOrAwaitsSendsNothing) {
    Started(1, "Ann", "1500", "Bob", "1400");
    ASSERT_EQ(sent, std::vector<std::string>{Watch(1, "Ann", 1)});
    TumblixSnapshot(1);
    EXPECT_EQ(Strip().ActivePreview(1).ShownAlias(2), "Bob");
    EXPECT_TRUE(Strip().Tumblix(1).Drawn());

    // A click on the running game opens the Tumblix menu; item 1 is slot 1.
    TMultilist& games = *Lobby().Tables()->GamesList(0);
    const int x = games.X() + 5, y = games.RowsTop() + 5;
    Win().MouseDown(platform::ButtonLeft, x, y);
    Win().MouseUp(platform::ButtonLeft, x, y);
    TGlide& menu = *Strip().PeekMenu(1);
    EXPECT_TRUE(menu.Opened());
    sent.clear();
    menu.OnSelect(menu.Item(0), 0, 0);
    EXPECT_TRUE(sent.empty());
    // Slot 2 asks once; while that request is pending the slot asks nothing.
    menu.OnSelect(menu.Item(1), 1, 0);
    menu.OnSelect(menu.Item(1), 1, 0);
    EXPECT_EQ(sent, std::vector<std::string>{Watch(1, "Ann", 2)});
    EXPECT_EQ(Strip().Tumblix(2).RequestedAlias(1), "Ann");
    // Puzzle games are not asked for.
    Strip().PeekMenu(3)->OnSelect(Strip().PeekMenu(3)->Item(2), 0, 1);
    EXPECT_EQ(sent.size(), 1u);
}

TEST_F(PreviewTest, WithoutAnUnwatchedGameOfKindOneOrTwoTheSlotsStayEmpty) {
    Strip().FillFreeSlots();
    Started(3, "Pia", "1200", "Per", "1100");
    Started(4, "Yan", "1", "Yvo", "2");
    EXPECT_TRUE(sent.empty());
    Started(2, "Gus", "1700", "Gil", "1600");
    Started(1, "Tom", "x", "Tim", "y");  // no figure at all is never chosen
    EXPECT_EQ(sent, std::vector<std::string>{Watch(2, "Gus", 1)});
    for (int slot = 1; slot <= Tpreview::kSlots; ++slot) EXPECT_FALSE(Strip().ActivePreview(slot).Active());

    // With the games view closed nothing is asked for.
    sent.clear();
    Lobby().MenuBar()->Select(1);
    Started(2, "Hal", "1", "Hek", "2");
    EXPECT_TRUE(sent.empty());
}

TEST_F(PreviewTest, TheLowestFigureOfTheDrawnKindIsChosen) {
    Lobby().MenuBar()->Select(1);
    Started(1, "Ann", "1500", "Bob", "1400");
    Started(1, "Cid", "900", "Dan", "2000");
    Started(1, "Eve", "1000", "Fay", "800");
    Started(2, "Gus", "10", "Gil", "10");
    std::vector<int> counts;
    Strip().Random = [&](int count) {
        counts.push_back(count);
        return 0;  // kind 1
    };
    Lobby().MenuBar()->Select(2);
    ASSERT_GE(sent.size(), 1u);
    EXPECT_EQ(counts.at(0), 4);
    EXPECT_EQ(sent[0], Watch(1, "Eve", 1));  // seat 2's 800 beats seat 1's 900
}

TEST_F(PreviewTest, AGammonMoveOntoABlotSendsItToTheBarFirstAndAnUndoBringsItBack) {
    // White: one checker on 5, 14 borne off; black: one on 8, 14 borne off.
    std::string points(28, '\x01');
    points[5] = 1 + 1;
    points[8] = 21 + 1;
    points[26] = 14 + 1;
    points[27] = 34 + 1;
    // White's roll of 3 and 4, cube 2 held by seat 2, score 1-0 of 5.
    Dispatch("\x4A\x02\x01"s + points + Bytes({2, 4, 5, 2, 2, 1, 5, 2}));
    TPreviewGammon& gammon = Strip().Gammon(1);
    ASSERT_TRUE(gammon.Active());
    EXPECT_EQ(gammon.DiceState(), 1);
    EXPECT_EQ(gammon.LeftFrame(), 3);
    EXPECT_EQ(gammon.RightFrame(), 4);
    EXPECT_EQ(gammon.CubeValue(), 2);
    EXPECT_EQ(gammon.ScoreLabel()->Text(), "1-0 of 5");
    const TPreviewGammonBoard& board = gammon.Board();
    const int white = board.Stack(5).at(0), black = board.Stack(8).at(0);
    const int whiteX = gammon.Brick(white)->X(), whiteY = gammon.Brick(white)->Y();

    Dispatch("\x5C\x01\x06\x03"s);  // point 5 + 1, distance 3
    EXPECT_EQ(board.Value(8), 1);
    EXPECT_EQ(board.Value(25), 21);
    EXPECT_EQ(board.Value(5), 0);
    EXPECT_EQ(gammon.QueuedFlights(), 2u);
    // The hit checker flies first, one position per 20 ms; the mover waits.
    const int blackX = gammon.Brick(black)->X(), blackY = gammon.Brick(black)->Y();
    Loop().RunFor(4 * TPreviewGammon::kFlightMs);
    EXPECT_TRUE(gammon.Brick(black)->X() != blackX || gammon.Brick(black)->Y() != blackY);
    EXPECT_EQ(gammon.Brick(white)->X(), whiteX);
    EXPECT_EQ(gammon.Brick(white)->Y(), whiteY);
    Loop().RunFor(2 * TPreviewGammon::kFlightPoints * TPreviewGammon::kFlightMs);
    EXPECT_EQ(gammon.QueuedFlights(), 0u);
    EXPECT_NE(gammon.Brick(white)->X(), whiteX);

    // Undo: moved to 8, from 5, with a hit.
    Dispatch("\x5D\x01"s + Bytes({10, 7, 17}));
    EXPECT_EQ(board.Value(5), 1);
    EXPECT_EQ(board.Value(8), 21);
    EXPECT_EQ(board.Stack(8).at(0), black);
    // A move from an empty point changes nothing.
    Dispatch("\x5C\x01\x0B\x01"s);
    EXPECT_EQ(board.Value(10), 0);
    EXPECT_EQ(gammon.QueuedFlights(), 2u);
}

TEST_F(PreviewTest, AGammonDieNotYetRolledOrOutOfRangeShowsABlankDie) {
    std::string points(28, '\x01');
    for (auto [point, value] : std::initializer_list<std::pair<int, int>>{
             {1, 2}, {12, 5}, {17, 3}, {19, 5}, {6, 25}, {8, 23}, {13, 25}, {24, 22}})
        points[static_cast<size_t>(point)] = static_cast<char>(value + 1);
    // The opening roll (state 0 + 1): white rolled 5, black's die is 0 + 1.
    Dispatch("\x4A\x02\x01"s + points + Bytes({1, 6, 1, 1, 1, 1, 3, 0}));
    TPreviewGammon& gammon = Strip().Gammon(1);
    ASSERT_TRUE(gammon.Drawn());
    auto shown = [&] {
        std::vector<int> frames;
        for (int side : {0, 1}) frames.push_back(gammon.DieImage(side).Visible() ? gammon.DieImage(side).Frame() : 0);
        return frames;
    };
    EXPECT_EQ(gammon.DiceState(), 0);
    EXPECT_EQ(shown(), (std::vector<int>{5, 0}));
    // Black rolls 3: its face follows white's six.
    Dispatch("\x5A\x01\x05\x03"s);
    EXPECT_EQ(shown(), (std::vector<int>{5, 9}));
    // Black's turn with a die of 0 and white's again with dice past six.
    Dispatch("\x5B\x01\x02"s);
    Dispatch("\x5A\x01\x00\x06"s);
    EXPECT_EQ(shown(), (std::vector<int>{0, 12}));
    Dispatch("\x5B\x01\x01"s);
    Dispatch("\x5A\x01\x07\xFF"s);
    EXPECT_EQ(shown(), (std::vector<int>{0, 0}));
    // Snapshots with a raw 0 (one below the encoding), a die past six, and
    // states outside 1..4 show no face.
    Dispatch("\x4A\x02\x01"s + points + Bytes({3, 0, 200, 1, 1, 1, 3, 0}));
    EXPECT_EQ(shown(), (std::vector<int>{0, 0}));
    Dispatch("\x4A\x02\x01"s + points + Bytes({0, 1, 1, 1, 3, 0}));
    EXPECT_EQ(gammon.DiceState(), TPreviewGammon::kNoDice);
    EXPECT_EQ(shown(), (std::vector<int>{0, 0}));
    // Hidden with the games view and shown again: still nothing out of range.
    Lobby().MenuBar()->Select(1);
    Dispatch("\x5B\x01\x00"s);
    Dispatch("\x5A\x01\x00\x04"s);
    Lobby().MenuBar()->Select(2);
    EXPECT_EQ(shown(), (std::vector<int>{0, 10}));
}

TEST_F(PreviewTest, AnEndedPreviewFreesItsSlotAfterTwentySecondsAndTheSlotIsFilledAgain) {
    const char* players[] = {"Ann", "Bea", "Cid", "Dan"};
    for (int i = 0; i < 4; ++i) Started(1, players[i], std::to_string(1000 + i), "X" + std::to_string(i), "9999");
    for (int slot = 1; slot <= 4; ++slot) {
        EXPECT_EQ(sent.at(static_cast<size_t>(slot - 1)), Watch(1, players[slot - 1], slot));
        TumblixSnapshot(slot);
    }
    sent.clear();
    Dispatch("\x5E\x03\x02"s);  // slot 3, seat 2 won
    TSinglepreview& ended = Strip().ActivePreview(3);
    EXPECT_TRUE(ended.EndLabel()->Visible());
    EXPECT_EQ(ended.EndLabel()->Text(), "X2 wins");
    // The text stands on a band of its own inside the slot, above the labels.
    const TMyimage& band = *ended.EndBand();
    EXPECT_TRUE(band.Visible());
    EXPECT_GT(band.Layer(), ended.ScoreLabel()->Layer());
    EXPECT_LT(band.Layer(), ended.EndLabel()->Layer());
    EXPECT_GE(band.Width(), ended.EndLabel()->TextWidth());
    EXPECT_GE(band.Height(), ended.EndLabel()->FontHeight());
    const TPreviewPlace& slot = ended.Place();
    EXPECT_GE(band.X(), slot.X);
    EXPECT_LE(band.X() + band.Width(), slot.X + slot.Width);
    EXPECT_GE(band.Y(), slot.Y);
    EXPECT_LE(band.Y() + band.Height(), slot.Y + slot.Height);
    Dispatch("\x54"s + "Cid" + kEnd);
    Started(1, "Eva", "1200", "Eli", "1300");
    EXPECT_TRUE(sent.empty());
    Loop().RunFor(TSinglepreview::kEndMs - 10);
    EXPECT_TRUE(Strip().Tumblix(3).Active());
    EXPECT_TRUE(sent.empty());
    Loop().RunFor(20);
    EXPECT_FALSE(Strip().Tumblix(3).Active());
    EXPECT_FALSE(Strip().Tumblix(3).Drawn());
    EXPECT_FALSE(band.Visible());
    EXPECT_EQ(sent, std::vector<std::string>{Watch(1, "Eva", 3)});
}

TEST_F(PreviewTest, TumblixSnapshotAndChangesReachTheWellsShownOrHidden) {
    std::string wells(624, '\x01');
    wells[25 * 12 + 0] = 3 + 1;             // seat 1, bottom row, column 0: colour 3
    wells[312 + 24 * 12 + 11] = 9 + 1;      // seat 2, row 24, column 11: a bomb
    Dispatch("\x4A\x01\x02"s + wells + Bytes({7, 4, 2, 120}));
    TPreviewTumblix& tumblix = Strip().Tumblix(2);
    EXPECT_EQ(tumblix.Cell(1, 0, 25), 3);
    EXPECT_EQ(tumblix.Cell(2, 11, 24), 9);
    EXPECT_EQ(tumblix.Number(), 7);
    EXPECT_EQ(tumblix.ScoreLabel()->Text(), "Lines 3 Level 1 Points 120");

    // Hidden with the games view, the wells keep changing.
    Lobby().MenuBar()->Select(1);
    EXPECT_FALSE(tumblix.Drawn());
    Dispatch("\x4B\x02\x01\x02"s + Bytes({2, 1, 5, 13, 27, 2}));  // two cells, the second outside
    EXPECT_EQ(tumblix.Cell(1, 1, 0), 4);
    Dispatch("\x4C\x02\x01"s + std::string(12, '\x02'));  // a junk row of colour 1
    EXPECT_EQ(tumblix.Cell(1, 0, 24), 3);
    EXPECT_EQ(tumblix.Cell(1, 5, 25), 1);
    Dispatch("\x4D\x02\x01\x1A"s);  // row 25 removed
    EXPECT_EQ(tumblix.Cell(1, 0, 25), 3);
    EXPECT_EQ(tumblix.Cell(1, 0, 0), 0);
    Dispatch("\x58\x02\x09"s);
    EXPECT_EQ(tumblix.Number(), 9);
    Lobby().MenuBar()->Select(2);
    EXPECT_TRUE(tumblix.Drawn());
    // A Puzzle snapshot in the slot stops the Tumblix preview.
    Dispatch("\x4A\x03\x02"s + std::string(140, '\x00') + Bytes({1, 2, 3, 4}));
    EXPECT_FALSE(tumblix.Active());
    EXPECT_FALSE(tumblix.Drawn());
    EXPECT_TRUE(Strip().Puzzle(2).Drawn());
}

TEST_F(PreviewTest, PuzzleSnapshotAndShotsFlyWhenDrawnAndSettleAtOnceWhenHidden) {
    std::string grids(140, '\x00');
    grids[0] = 2;           // seat 1, row 0, column 0
    grids[70 + 7 + 5] = 7;  // seat 2, row 1, column 5: a bomb
    grids[7 + 6] = 4;       // row 1 has no column 6
    Dispatch("\x4A\x03\x01"s + grids + Bytes({12, 3, 40, 6}));
    TPreviewpuzzle& puzzle = Strip().Puzzle(1);
    EXPECT_EQ(puzzle.Cell(1, 0, 0), 2);
    EXPECT_EQ(puzzle.Cell(2, 5, 1), 7);
    EXPECT_EQ(puzzle.Cell(1, 6, 1), 0);
    EXPECT_EQ(puzzle.ScoreLabel()->Text(), "12/3/40");
    EXPECT_EQ(puzzle.Number(), 6);

    // Straight up (entry 63) into row 3, column 3: it flies, then settles.
    Dispatch("\x8C\x01\x01\x05\x3F\x03\x03"s);
    EXPECT_TRUE(puzzle.Flying(1));
    EXPECT_EQ(puzzle.Cell(1, 3, 3), 0);
    Loop().RunFor(200 * TPreviewpuzzle::kStepMs);
    EXPECT_FALSE(puzzle.Flying(1));
    EXPECT_EQ(puzzle.Cell(1, 3, 3), 5);
    // A cell change finishes a flight under way first.
    Dispatch("\x8C\x01\x01\x06\x00\x02\x02"s);
    Dispatch("\x8F\x01\x01\x00\x00"s);
    EXPECT_FALSE(puzzle.Flying(1));
    EXPECT_EQ(puzzle.Cell(1, 2, 2), 6);
    EXPECT_EQ(puzzle.Cell(1, 0, 0), 0);
    // Up and to the left (153 degrees) it bounces off the left wall.
    Dispatch("\x8C\x01\x01\x01\x00\x06\x00"s);
    const int wall = puzzle.Grid(1)->CellX(0, 0);
    int leftmost = puzzle.Bubble(1)->X(), last = leftmost;
    bool turned = false;
    while (puzzle.Flying(1)) {
        Loop().RunFor(TPreviewpuzzle::kStepMs);
        if (!puzzle.Flying(1)) break;
        const int x = puzzle.Bubble(1)->X();
        leftmost = std::min(leftmost, x);
        turned = turned || x > last;
        last = x;
    }
    EXPECT_EQ(leftmost, wall);
    EXPECT_TRUE(turned);
    EXPECT_EQ(puzzle.Cell(1, 6, 0), 1);
    Lobby().MenuBar()->Select(1);
    Dispatch("\x8C\x01\x02\x01\x7E\x04\x04"s);
    EXPECT_FALSE(puzzle.Flying(2));
    EXPECT_EQ(puzzle.Cell(2, 4, 4), 1);
    Dispatch("\x8E\x01\x02\x03\x00\x09"s);
    Dispatch("\x59\x01\x0B"s);
    EXPECT_EQ(puzzle.Cell(2, 0, 9), 3);
    EXPECT_EQ(puzzle.Number(), 11);
}

}  // namespace
}  // namespace lobbytest
