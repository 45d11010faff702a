// The payload bytes both ways, and that nothing out of range gets through.
#include <gtest/gtest.h>

#include <string>

#include "rules/tumblix/Payload.h"
#include "rules/tumblix/Status.h"

namespace {

using namespace rules::tumblix;

TEST(TumblixPayloadTest, EveryKindSurvivesTheRoundTrip) {
    const TPayload payloads[] = {
        TSignal{TCode::Died},  TSignal{TCode::NewGame}, TSignal{TCode::Junk},   TNewPiece{35, -2, -2},
        TFirstNext{0},         TPosition{11, 25, 17},   TLineRemoved{25},       TBombExploded{-1, 24},
        TWeightLanded{10, 3},  TPause{2},               TReady{2},
        TJunkRow{TRow{1, 2, 3, 4, 5, 6, 7, 0, 1, 2, 3, 0}, 4, -1, 13},
        TResult{false, 0, 2, 9, 4000000000u},
    };
    for (const TPayload& payload : payloads) {
        std::string bytes = BuildPayload(payload);
        auto parsed = ParsePayload(bytes);
        ASSERT_TRUE(parsed) << int(static_cast<uint8_t>(bytes[0]));
        EXPECT_EQ(BuildPayload(*parsed), bytes);
        EXPECT_EQ(bytes.find('\0'), std::string::npos);
    }
    EXPECT_EQ(BuildPayload(TPosition{4, -1, 0}), std::string("4\x07\x02\x01"));
    EXPECT_EQ(BuildPayload(TResult{false, 0, 2, 9, 77})[0], char(168));
}

TEST(TumblixPayloadTest, WinBytes537FillTheTextWith427) {
    auto parsed = ParsePayload(std::string("\x16\x05\x03\x07") + "123456\x01");
    ASSERT_TRUE(parsed);
    const TResult& result = std::get<TResult>(*parsed);
    EXPECT_TRUE(result.Won);
    EXPECT_EQ(result.Placeholders(), "4,2,7");
    EXPECT_EQ(result.Seed, 123456u);
    // A seed that is no number counts as 0; a negative one as its 32 bits.
    EXPECT_EQ(std::get<TResult>(*ParsePayload("\x16\x01\x01\x01x1\x01")).Seed, 0u);
    EXPECT_EQ(ParseSeedText("-1"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseSeedText("4294967296"), 0u);
    EXPECT_EQ(ParseSeedText(""), 0u);
}

TEST(TumblixPayloadTest, MalformedPayloadsGiveNothing) {
    const std::string bad[] = {
        "",                          // no code
        "?",                         // unknown code
        std::string("\x63"),         // 99
        "2\x00\x04\x04",             // next piece 0 - 1
        "2\x25\x04\x04",             // next piece 37 - 1
        "4\x04\x04",                 // short
        "4\x04\x04\x01\x01",         // long
        "5\x1b",                     // row 27 - 1
        std::string("5\x00", 2),     // row -1
        "7\x02\x02\x02\x02\x02\x02\x02\x02\x02\x02\x02\x01\x04\x04\x01",      // 11 cells
        "7\x02\x02\x02\x02\x02\x02\x02\x02\x02\x02\x02\x0c\x01\x04\x04\x01",  // colour 10
        "7\x02\x02\x02\x02\x02\x02\x02\x02\x02\x02\x02\x02\x01\x04\x04",      // no shape
        "@\x03",                     // ready 3
        ">x",                        // trailing byte
        "\x16\x05\x03",              // result without points
    };
    for (const std::string& bytes : bad) EXPECT_FALSE(ParsePayload(bytes)) << testing::PrintToString(bytes);
    EXPECT_EQ(PayloadCode(""), 0);
    EXPECT_EQ(PayloadCode("\xa8"), 168);
}

TEST(TumblixStatusTest, ProgressAndBalance) {
    EXPECT_EQ(ProgressText(27), "35 %");
    EXPECT_EQ(ProgressText(40), "0 %");
    EXPECT_EQ(NextDelay(1, 2), 36);
    // Equal wells meet in the middle; a full own well gives the bar away.
    EXPECT_EQ(BalanceSplit(20, 20, 100), 50);
    EXPECT_EQ(BalanceSplit(0, 26, 100), 0);
    EXPECT_EQ(BalanceSplit(26, 0, 100), 100);
    TBlastArea corner = BlastArea(-1, 24);
    EXPECT_EQ(corner.FirstColumn, 0);
    EXPECT_EQ(corner.LastColumn, 1);
    EXPECT_EQ(corner.FirstRow, 24);
    EXPECT_EQ(corner.LastRow, 25);
    EXPECT_TRUE(BlastArea(40, 3).Empty());
}

}  // namespace
