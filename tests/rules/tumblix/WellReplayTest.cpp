// A well rebuilt from its player's payloads must equal the player's own
// well after every move; every payload a real game sends must pass the
// referee's check, and made-up ones must not.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "rules/tumblix/OwnGame.h"
#include "rules/tumblix/WellReplay.h"
#include "rules/tumblix/WellText.h"

namespace {

using namespace rules::tumblix;

struct TFeed {
    TWellReplay Replay;
    TCells Preview{};
    std::map<int, int> Codes;
    std::string Log;

    // Whether the last payloads told where the piece is now.
    bool Reported = false;

    // Checks and applies every payload the game sent; false on a refusal.
    testing::AssertionResult Take(TOwnGame& game) {
        Reported = false;
        for (const std::string& bytes : game.TakePayloads()) {
            Reported = Reported || bytes[0] == '2' || bytes[0] == '4' || bytes[0] == '7';
            auto payload = ParsePayload(bytes);
            if (!payload) return testing::AssertionFailure() << "unreadable payload " << int(bytes[0]);
            ++Codes[static_cast<uint8_t>(bytes[0])];
            Log = "last payloads:";
            for (char c : bytes) Log += " " + std::to_string(static_cast<uint8_t>(c));
            TReplayCheck check = Replay.Check(*payload);
            if (check != TReplayCheck::Fits && check != TReplayCheck::NotWellPayload)
                return testing::AssertionFailure() << "refused code " << int(bytes[0]) << ": " << int(check);
            Replay.Apply(*payload);
        }
        ApplyChanges(Preview, Replay.TakeChanges());
        return testing::AssertionSuccess();
    }
};

// Holes (empty cells under a filled one) and the summed column heights.
int Badness(const TWell& well) {
    int bad = 0;
    for (int x = 0; x < TWell::kColumns; ++x) {
        bool roof = false;
        for (int y = 0; y < TWell::kRows; ++y) {
            if (well.Cell(x, y)) {
                if (!roof) bad += TWell::kRows - y;
                roof = true;
            } else if (roof) {
                bad += 8;
            }
        }
    }
    return bad;
}

// A player that clears lines: for each new piece it tries every turn and
// column on a copy of the game and aims for the one that leaves the best
// well. Its moves come one at a time, mixed with gravity, the position
// timer and now and then a junk row, so every payload kind occurs.
class TBot {
public:
    explicit TBot(uint32_t seed) : m_random(seed) {}

    void Move(TOwnGame& game) {
        // A piece that has not moved yet is new.
        if (!game.Moved()) Plan(game);
        switch (m_random.Draw(12)) {
            case 0: game.Tick(); break;
            case 1: game.Sendpos(); break;
            case 2: if (m_random.Draw(6) == 0) game.Annoy(); break;
            case 3: game.BlockDown(); break;
            default: Step(game); break;
        }
    }

private:
    void Plan(const TOwnGame& game) {
        int best = 1 << 30;
        for (int turns = 0; turns < 4; ++turns)
            for (int dx = -6; dx <= 6; ++dx) {
                TOwnGame copy = game;
                for (int t = 0; t < turns; ++t) copy.TurnBlock();
                for (int i = 0; i < (dx < 0 ? -dx : dx); ++i) dx < 0 ? copy.BlockLeft() : copy.BlockRight();
                copy.BlockFastDown();
                TWell stack = copy.Well();
                stack.RemoveBlock(copy.Piece());
                int score = Badness(stack) - 200 * (copy.Lines() - game.Lines());
                if (score < best) best = score, m_turns = turns, m_dx = dx;
            }
    }
    void Step(TOwnGame& game) {
        if (m_turns > 0) --m_turns, game.TurnBlock();
        else if (m_dx < 0) ++m_dx, game.BlockLeft();
        else if (m_dx > 0) --m_dx, game.BlockRight();
        else if (m_random.Draw(2)) game.BlockFastDown();
        else game.DropPress();
    }

    rules::TRandom m_random;
    int m_turns = 0, m_dx = 0;
};

TEST(TumblixWellReplayTest, PlayedGamesReplayToTheSameWellAndPassTheCheck) {
    std::map<int, int> codes;
    for (uint32_t seed = 1; seed <= 24; ++seed) {
        TOwnGame game;
        game.Show(seed);
        TFeed feed;
        feed.Replay.Reset();
        game.NewGame();
        ASSERT_TRUE(feed.Take(game));
        TBot bot(seed * 7919u);
        TCells ownPreview{};
        for (int move = 0; move < 3000 && !game.Dead(); ++move) {
            bot.Move(game);
            ASSERT_TRUE(feed.Take(game)) << "seed " << seed << " move " << move;
            // Side moves, turns and steps down are only reported by the
            // position timer and the landing. After the end a weight or bomb
            // that went on the bottom row stays in the copy: no next piece
            // comes to take it out.
            if (!feed.Reported || game.Dead()) continue;
            ASSERT_EQ(feed.Replay.Well(), game.Well())
                << "seed " << seed << " move " << move << "\nreplay:\n"
                << tumblix_test::TextOf(feed.Replay.Well()) << "own:\n"
                << tumblix_test::TextOf(game.Well()) << feed.Log;
            ASSERT_EQ(feed.Preview, game.Well().Cells()) << "seed " << seed << " move " << move;
            ApplyChanges(ownPreview, game.TakeWellChanges());
            game.TakeEvents();
            ASSERT_EQ(ownPreview, game.Well().Cells()) << "seed " << seed << " move " << move;
            ASSERT_EQ(feed.Replay.Height(), game.Height());
        }
        for (auto [code, count] : feed.Codes) codes[code] += count;
    }
    // The games went through every kind of change at least a few times.
    for (char code : {'2', '4', '5', '7', '9', ':'}) EXPECT_GE(codes[code], 10) << code;
}

TEST(TumblixWellReplayTest, WeightOnTheBottomRowStaysInTheCopyUntilTheNextPiece) {
    const int weight = ShapeOf(kWeightPiece, 0);
    TWellReplay replay;
    replay.Apply(TFirstNext{weight});
    replay.Apply(TNewPiece{0, 4, 20});
    TOwnGame game;
    game.SetPosition(TWell{}, {weight, 4, 20}, 0);
    game.BlockFastDown();
    auto sent = game.TakePayloads();
    ASSERT_EQ(sent.size(), 2u);
    replay.Apply(*ParsePayload(sent[0]));
    EXPECT_EQ(replay.Well().Cell(5, 25), ColourOf(kWeightPiece));
    EXPECT_EQ(game.Well().Cell(5, 25), 0);
    ASSERT_EQ(replay.Check(*ParsePayload(sent[1])), TReplayCheck::Fits);
    replay.Apply(*ParsePayload(sent[1]));
    EXPECT_EQ(replay.Well(), game.Well());
}

TEST(TumblixWellReplayTest, RowsThatMoveIntoAVanishedWeightsCellStay) {
    // The weight slid under an overhang at (5, 20) and lands on a full row;
    // when that row goes, the overhang moves into the weight's old cell,
    // and the next piece must not take it out again.
    const int weight = ShapeOf(kWeightPiece, 0);
    TWellReplay replay;
    replay.Apply(TFirstNext{weight});
    replay.Apply(TNewPiece{0, 4, -1});
    const TRow rows[] = {{0, 0, 0, 0, 3, 3}, {}, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1},
                         {0, 0, 0, 0, 0, 2}, {0, 0, 0, 0, 0, 2}, {0, 0, 0, 0, 0, 2}};
    for (const TRow& row : rows) replay.Apply(TJunkRow{row, 4, -1, weight});
    replay.Apply(TPosition{4, 20, weight});

    TOwnGame game;
    game.SetPosition(replay.Well(), {weight, 4, 20}, 0);
    game.BlockDown();
    for (const std::string& bytes : game.TakePayloads()) {
        auto payload = ParsePayload(bytes);
        ASSERT_EQ(replay.Check(*payload), TReplayCheck::Fits) << bytes[0];
        replay.Apply(*payload);
    }
    EXPECT_EQ(game.Well().Cell(5, 21), 3);
    EXPECT_EQ(replay.Well(), game.Well()) << tumblix_test::TextOf(replay.Well());
}

TEST(TumblixWellReplayTest, PayloadsThatCannotComeFromTheGameAreRefused) {
    TWellReplay replay;
    EXPECT_EQ(replay.Check(TNewPiece{3, 4, 0}), TReplayCheck::Unexpected);
    EXPECT_EQ(replay.Check(TPosition{4, 0, 3}), TReplayCheck::Unexpected);
    replay.Apply(TFirstNext{0});
    ASSERT_EQ(replay.Check(TNewPiece{1, 4, 20}), TReplayCheck::Fits);
    replay.Apply(TNewPiece{1, 4, 23});  // a square on the floor, columns 5 and 6
    replay.Apply(TNewPiece{8, 4, -1});  // the next square enters at the top
    EXPECT_EQ(replay.Check(TPosition{4, 22, 1}), TReplayCheck::DoesNotFit);
    EXPECT_EQ(replay.Check(TPosition{4, 21, 1}), TReplayCheck::Fits);
    EXPECT_EQ(replay.Check(TPosition{4, 21, 4}), TReplayCheck::Unexpected);  // a T now?
    EXPECT_EQ(replay.Check(TPosition{-3, 5, 1}), TReplayCheck::DoesNotFit);
    EXPECT_EQ(replay.Check(TLineRemoved{25}), TReplayCheck::DoesNotFit);
    EXPECT_EQ(replay.Check(TWeightLanded{4, 20}), TReplayCheck::Unexpected);
    EXPECT_EQ(replay.Check(TBombExploded{4, 20}), TReplayCheck::Unexpected);
    EXPECT_EQ(replay.Check(TJunkRow{TRow{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, 4, -1, 1}),
              TReplayCheck::DoesNotFit);
    EXPECT_EQ(replay.Check(TJunkRow{TRow{1, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, 4, -1, 1}), TReplayCheck::Fits);
    EXPECT_EQ(replay.Check(TSignal{TCode::LevelUp}), TReplayCheck::NotWellPayload);
    EXPECT_FALSE(replay.Apply(TSignal{TCode::LevelUp}));

    // Coordinates far outside the well change nothing there and harm nothing.
    replay.Apply(TBombExploded{200, 200});
    replay.Apply(TWeightLanded{-3, 250});
    replay.Apply(TPosition{250, 250, 1});
    EXPECT_EQ(replay.Well().Cell(5, 25), 1);
}

}  // namespace
