// Landing: bursts, bomb credits, the bomb's cells and what falls after.
#include <gtest/gtest.h>

#include "rules/puzzle/PuzzleLanding.h"
#include "PuzzleTestSupport.h"

using rules::TPuzzleCellChange;
using rules::TPuzzleChangeKind;

namespace {

int Count(const rules::TPuzzleLanding& landing, TPuzzleChangeKind kind) {
    int n = 0;
    for (const TPuzzleCellChange& change : landing.Changes) n += change.Kind == kind;
    return n;
}

TEST(PuzzleLandingTest, GroupsOfThreeBurstAndFourOrFiveEarnCredits) {
    struct Case {
        const char* row;
        int group;
        int credits;
    };
    // The shot lands in (0, 1) under a row of 2s; (0, 1) touches (0, 0)
    // and (1, 0), which link the rest of the row.
    for (const Case& c : {Case{"22......", 3, 0}, Case{"222.....", 4, 5}, Case{"2222....", 5, 10},
                          Case{"22222222", 9, 10}}) {
        rules::TPuzzleField field = puzzletest::FieldOf({c.row});
        rules::TPuzzleLanding landing = rules::Land(field, {0, 1}, 2);
        EXPECT_EQ(landing.GroupSize, c.group) << c.row;
        EXPECT_EQ(landing.BombCredits, c.credits) << c.row;
        EXPECT_EQ(Count(landing, TPuzzleChangeKind::Burst), c.group) << c.row;
        EXPECT_TRUE(field.IsAllEmpty()) << c.row;
    }
    rules::TPuzzleField pair = puzzletest::FieldOf({"2......."});
    rules::TPuzzleLanding two = rules::Land(pair, {0, 1}, 2);
    EXPECT_EQ(two.Changes, (rules::TPuzzleCellChanges{{{0, 1}, TPuzzleChangeKind::Landed, 2}}));
    EXPECT_EQ(pair.Colour({0, 1}), 2);
}

TEST(PuzzleLandingTest, BubblesCutOffByABurstFallWithTheirColours) {
    rules::TPuzzleField field = puzzletest::FieldOf({
        "33......",
        ".4.....",
        "..5.....",
    });
    // (0, 1) joins the 3s above into a group of three; (1, 1) hung only
    // from them, and (2, 2) only from (1, 1).
    rules::TPuzzleLanding landing = rules::Land(field, {0, 1}, 3);
    EXPECT_EQ(Count(landing, TPuzzleChangeKind::Burst), 3);
    ASSERT_EQ(Count(landing, TPuzzleChangeKind::Fell), 2);
    EXPECT_EQ(landing.Changes[4], (TPuzzleCellChange{{1, 1}, TPuzzleChangeKind::Fell, 4}));
    EXPECT_EQ(landing.Changes[5], (TPuzzleCellChange{{2, 2}, TPuzzleChangeKind::Fell, 5}));
    EXPECT_TRUE(field.IsAllEmpty());
}

TEST(PuzzleLandingTest, BombTakesItsCellAndTheSixAroundThenLooseBubblesFall) {
    rules::TPuzzleField field = puzzletest::FieldOf({
        "11111111",
        "2222222",
        "33333333",
        "444.444",
        "55555555",
    });
    // A bomb in (3, 3) takes (3, 3), (2, 3), (4, 3) and (3, 2), (4, 2),
    // (3, 4), (4, 4); everything stays hung through the sides.
    rules::TPuzzleLanding landing = rules::Land(field, {3, 3}, rules::kPuzzleBomb);
    EXPECT_EQ(landing.Changes.front(), (TPuzzleCellChange{{3, 3}, TPuzzleChangeKind::Landed, 7}));
    EXPECT_EQ(Count(landing, TPuzzleChangeKind::Bombed), 7);
    EXPECT_EQ(Count(landing, TPuzzleChangeKind::Fell), 0);
    EXPECT_EQ(landing.BombCredits, 0);
    EXPECT_EQ(field.Colour({3, 3}), 0);

    // A bomb at the top beside a chain takes the chain's top two bubbles;
    // the third no longer hangs and falls.
    rules::TPuzzleField chain = puzzletest::FieldOf({"1.......", "2......", "3......."});
    rules::TPuzzleLanding edge = rules::Land(chain, {1, 0}, rules::kPuzzleBomb);
    EXPECT_EQ(Count(edge, TPuzzleChangeKind::Bombed), 3);  // (1, 0), (0, 0), (0, 1)
    EXPECT_EQ(Count(edge, TPuzzleChangeKind::Fell), 1);    // (0, 2)
    EXPECT_TRUE(chain.IsAllEmpty());
}

TEST(PuzzleLandingTest, NothingLandsOutsideTheGridOrWithoutAColour) {
    rules::TPuzzleField field;
    EXPECT_TRUE(rules::Land(field, {7, 1}, 2).Changes.empty());
    EXPECT_TRUE(rules::Land(field, {0, 0}, 0).Changes.empty());
    EXPECT_TRUE(rules::Land(field, {0, 0}, 8).Changes.empty());
    EXPECT_TRUE(field.IsAllEmpty());
}

}  // namespace
