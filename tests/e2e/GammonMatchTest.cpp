// Backgammon on the real server, a whole 3-point match: two wire users open,
// ask for and start a table from the lobby's messages and then play with
// the rules library's board, sending exactly what the table window sends
// (its own moves through the options, an undo, the cube, the game claims).
// Each player's board replays only what the server relays, so after every
// move, undo and turn both boards must show the same position, and the
// mover's board the one its steps give when applied one by one as the
// server applies them. The first double of the
// match is taken, the redouble declined; the match is played to its end,
// the results and statistics count it, and every die rolled is the one the
// key published at the end derives, whose hash was announced at the start.
#include <gtest/gtest.h>

#include "GammonWirePlayer.h"
#include "referees/FairDice.h"

namespace e2etest {
namespace {

using gm::TColour;
constexpr int kGammon = 2;

class GammonMatchTest : public ThreeUsersTest {
protected:
    std::string ChatContaining(const TGammonPlayer& player, const std::string& part) {
        for (const std::string& line : player.ChatLines())
            if (line.find(part) != std::string::npos) return line;
        return "";
    }
    protocol::TGameStatistics Statistics(const std::string& name) {
        // Eva's lobby asks too; her answers go to her window, not to Bo.
        const size_t before = AllOf<protocol::TUserInfo>(*bo).size();
        bo->Send(protocol::Build(protocol::TInfoRequest{name}));
        EXPECT_TRUE(Until([&] { return AllOf<protocol::TUserInfo>(*bo).size() > before; }));
        const std::vector<protocol::TUserInfo> infos = AllOf<protocol::TUserInfo>(*bo);
        return infos.empty() ? protocol::TGameStatistics{} : infos.back().Games[kGammon - 1];
    }
};

TEST_F(GammonMatchTest, TwoPlayAThreePointMatchWithTheCubeOnTheDiceTheKeyGives) {
    bo->Send(OpenTable(kGammon, "3"));
    ASSERT_TRUE(Sync(*bo));
    cy->Send(AskTable(kGammon, "Bo"));
    ASSERT_TRUE(Until([&] { return AllOf<protocol::TJoinRequest>(*bo).size() == 1; }));
    bo->Send(StartTable(kGammon, {"Cy"}));

    int doubles = 0;
    TGammonPlayer boSide(*bo), cySide(*cy);
    boSide.doublesSeen = cySide.doublesSeen = &doubles;
    ASSERT_TRUE(Until(
        [&] {
            boSide.Read();
            cySide.Read();
            return AllOf<protocol::TGameResult>(*bo).size() == 1 && AllOf<protocol::TGameResult>(*cy).size() == 1;
        },
        2000000))
        << "the match did not end; moves " << boSide.MovesSent() << " + " << cySide.MovesSent();
    boSide.Read();
    cySide.Read();
    EXPECT_EQ(boSide.Faults(), std::vector<std::string>{});
    EXPECT_EQ(cySide.Faults(), std::vector<std::string>{});
    ASSERT_NE(boSide.Colour(), cySide.Colour());

    // Both boards agreed after every turn of every game.
    EXPECT_GT(boSide.TurnEnds().size(), 10u);
    EXPECT_EQ(boSide.TurnEnds(), cySide.TurnEnds());
    // And after every single move and undo, where the mover's board also
    // matched the steps it sent, applied as the server applies them.
    EXPECT_GT(boSide.MoveEnds().size(), boSide.TurnEnds().size());
    EXPECT_EQ(boSide.MoveEnds(), cySide.MoveEnds());
    EXPECT_GE(boSide.GamesWon() + cySide.GamesWon(), 2);

    // The cube: Bo's or Cy's first double was taken, the redouble declined.
    EXPECT_EQ(boSide.Doubles() + cySide.Doubles(), 2);
    EXPECT_EQ(boSide.Accepted() + cySide.Accepted(), 1);
    EXPECT_EQ(boSide.Declined() + cySide.Declined(), 1);
    EXPECT_GE(boSide.Undos() + cySide.Undos(), 2);

    // The match: the same score on both boards, the winner past 3 points.
    const gm::TMatchScore& score = boSide.Board().Match();
    ASSERT_TRUE(score.IsOver());
    const TColour winnerColour = *score.Winner();
    EXPECT_GE(score.Points(winnerColour), 3);
    EXPECT_EQ(cySide.Board().Match().Points(TColour::White), score.Points(TColour::White));
    EXPECT_EQ(cySide.Board().Match().Points(TColour::Black), score.Points(TColour::Black));
    TWireUser& won = boSide.Colour() == winnerColour ? *bo : *cy;
    TWireUser& lost = boSide.Colour() == winnerColour ? *cy : *bo;
    EXPECT_EQ(AllOf<protocol::TGameResult>(won).front().Result, protocol::TGameResult::kResultWon);
    EXPECT_NE(AllOf<protocol::TGameResult>(lost).front().Result, protocol::TGameResult::kResultWon);
    ASSERT_TRUE(Until([&] {
        return AllOf<protocol::TRatingChange>(won).size() == 1 && AllOf<protocol::TRatingChange>(lost).size() == 1;
    }));
    const protocol::TGameStatistics winnerStats = Statistics(won.Alias());
    EXPECT_EQ(winnerStats.Won, 1);
    EXPECT_EQ(winnerStats.Place, "1");
    const protocol::TGameStatistics loserStats = Statistics(lost.Alias());
    EXPECT_EQ(loserStats.Lost, 1);
    EXPECT_EQ(loserStats.Won, 0);

    // The dice: the announced hash is the key's, and the key derives every
    // die both players saw, in order, and no other.
    EXPECT_EQ(boSide.Dice(), cySide.Dice());
    const std::string hashLine = ChatContaining(boSide, "BLAKE2b");
    const std::string keyLine = ChatContaining(cySide, "Dice key: ");
    ASSERT_NE(hashLine, "");
    ASSERT_NE(keyLine, "");
    const std::optional<server::FairDice::Key> key =
        server::FairDice::ParseKey(keyLine.substr(keyLine.find("key: ") + 5, 64));
    ASSERT_TRUE(key);
    EXPECT_NE(hashLine.find(server::FairDice::Commitment(*key)), std::string::npos);
    EXPECT_NE(keyLine.find("(" + std::to_string(boSide.Dice().size()) + " dice)"), std::string::npos) << keyLine;
    for (size_t n = 0; n < boSide.Dice().size(); ++n)
        ASSERT_EQ(boSide.Dice()[n], server::FairDice::DieAt(*key, n)) << n;
}

}  // namespace
}  // namespace e2etest
