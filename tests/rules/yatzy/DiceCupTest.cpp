// Rolling, holding and the roll counter; every client draws the same faces.
#include <gtest/gtest.h>

#include "rules/yatzy/DiceCup.h"
#include "rules/yatzy/Payload.h"

namespace rules::yatzy {
namespace {

const std::vector<int> kAllDice = {1, 2, 3, 4, 5, 6};

TEST(YatzyDiceCupTest, FacesAreTheGeneratorsDrawsBelowSixPlusOne) {
    TRandom random(12345), mirror(12345);
    TDiceCup cup;
    ASSERT_EQ(cup.StartRoll(), kAllDice);
    for (int die : kAllDice) {
        int face = cup.RollDie(die, random);
        EXPECT_EQ(face, static_cast<int>(mirror.Draw(6)) + 1);
        EXPECT_EQ(cup.Face(die), face);
    }
    EXPECT_EQ(random.Seed(), mirror.Seed());
    EXPECT_EQ(cup.RollDie(7, random), 0);
    EXPECT_EQ(random.Seed(), mirror.Seed()) << "a die out of range draws nothing";
}

TEST(YatzyDiceCupTest, FirstRollReleasesEverythingLaterRollsSkipHeldDice) {
    TRandom random(7);
    TDiceCup cup;
    cup.SetHeld(2, true);
    EXPECT_FALSE(cup.CanHold()) << "no holding before the first roll";
    EXPECT_EQ(cup.StartRoll(), kAllDice);
    EXPECT_FALSE(cup.IsHeld(2));
    for (int die : kAllDice) cup.RollDie(die, random);
    EXPECT_TRUE(cup.CanHold());
    cup.SetHeld(2, true);
    cup.SetHeld(5, true);
    int heldFace = cup.Face(2);
    EXPECT_EQ(cup.StartRoll(), (std::vector<int>{1, 3, 4, 6}));
    EXPECT_EQ(cup.Face(2), heldFace);
    EXPECT_FALSE(cup.SetHeld(0, true));
    EXPECT_FALSE(cup.SetHeld(7, true));
}

TEST(YatzyDiceCupTest, AllSixHeldCountsTheRollButRollsNothingAndAFourthRollIsNone) {
    TRandom random(99);
    TDiceCup cup;
    for (int die : cup.StartRoll()) cup.RollDie(die, random);
    for (int die : kAllDice) cup.SetHeld(die, true);
    uint32_t seed = random.Seed();
    EXPECT_TRUE(cup.StartRoll().empty());
    EXPECT_EQ(cup.Rolls(), 2);
    EXPECT_TRUE(cup.StartRoll().empty());
    EXPECT_EQ(cup.Rolls(), 3);
    EXPECT_FALSE(cup.CanRoll());
    EXPECT_FALSE(cup.CanHold());
    EXPECT_TRUE(cup.StartRoll().empty());
    EXPECT_EQ(cup.Rolls(), 3);
    EXPECT_EQ(random.Seed(), seed);
    cup.BeginTurn();
    EXPECT_EQ(cup.Rolls(), 0);
    EXPECT_EQ(cup.StartRoll(), kAllDice);
}

// Client A rolls and sends 0xB8 and 0xB7 per die; client B replays those
// bytes, then B rolls and A replays. Both keep one generator for every roll.
struct TClient {
    TDiceCup Cup;
    TRandom Random;
    std::vector<std::string> Roll(const std::vector<int>& hold) {
        std::vector<std::string> sent;
        for (int die : hold) Cup.SetHeld(die, true);
        sent.push_back(BuildPayload(TClientMessage(TRoll{})));
        for (int die : Cup.StartRoll()) {
            Cup.RollDie(die, Random);
            sent.push_back(BuildPayload(TClientMessage(TRollDie{die})));
        }
        return sent;
    }
    void Replay(const std::vector<std::string>& payloads) {
        for (const std::string& bytes : payloads) {
            auto parsed = ParseClientPayload(bytes);
            ASSERT_TRUE(parsed);
            if (std::holds_alternative<TRoll>(*parsed.Value)) Cup.StartRoll();
            if (auto* die = std::get_if<TRollDie>(&*parsed.Value)) Cup.RollDie(die->Die, Random);
        }
    }
};

TEST(YatzyDiceCupTest, TwoClientsFromOneSeedReplayingEachOthersRollsSeeTheSameFaces) {
    TClient a{{}, TRandom(0xC0FFEE)}, b{{}, TRandom(0xC0FFEE)};
    for (int turn = 0; turn < 6; ++turn) {
        TClient& roller = turn % 2 ? b : a;
        TClient& watcher = turn % 2 ? a : b;
        roller.Cup.BeginTurn();
        watcher.Cup.BeginTurn();
        watcher.Replay(roller.Roll({}));
        watcher.Replay(roller.Roll({1, 4}));
        EXPECT_EQ(roller.Roll({1, 2, 3, 4, 5, 6}).size(), 1u) << "0xB8 and no 0xB7";
        watcher.Replay({BuildPayload(TClientMessage(TRoll{}))});
        ASSERT_EQ(a.Cup.Faces(), b.Cup.Faces()) << "turn " << turn;
        ASSERT_EQ(a.Random.Seed(), b.Random.Seed());
    }
}

}  // namespace
}  // namespace rules::yatzy
