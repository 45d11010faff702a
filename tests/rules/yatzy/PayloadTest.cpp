// The payload bytes both ways: exact layouts, round trips, and payloads
// that must be refused before any number in them is used.
#include <gtest/gtest.h>

#include "rules/yatzy/Payload.h"
#include "rules/yatzy/Scoring.h"

namespace rules::yatzy {
namespace {

std::string B(std::initializer_list<int> bytes) {
    std::string out;
    for (int byte : bytes) out.push_back(static_cast<char>(byte));
    return out;
}

TEST(YatzyPayloadTest, ClientPayloadsHaveTheirExactBytes) {
    EXPECT_EQ(BuildPayload(TClientMessage(TReady{})), ">");
    EXPECT_EQ(BuildPayload(TClientMessage(TRoll{})), B({0xB8}));
    EXPECT_EQ(BuildPayload(TClientMessage(TRollDie{4})), B({0xB7, 4}));
    EXPECT_EQ(BuildPayload(TClientMessage(THold{6, true})), B({0xB6, 6, 1}));
    EXPECT_EQ(BuildPayload(TClientMessage(THold{6, false})), B({0xB6, 6, 0}));
    EXPECT_EQ(BuildPayload(TClientMessage(TScore{kBonus, 50})), B({0xB9, 8, '5', '0', 1}));
    EXPECT_EQ(BuildPayload(TClientMessage(TScore{kFullStraight, 0})), B({0xB9, 17, '0', 1}));
    EXPECT_EQ(BuildPayload(TClientMessage(TChatLine{"hej"})), B({8, 'h', 'e', 'j', 1}));
    EXPECT_EQ(BuildPayload(TClientMessage(TLeave{})), B({0x19}));
}

TEST(YatzyPayloadTest, ClientPayloadsRoundTrip) {
    std::string coloured = B({'a', 1, 252, 3, 'b'});
    for (TClientMessage message : {TClientMessage(TReady{}), TClientMessage(TRoll{}), TClientMessage(TRollDie{6}),
                                   TClientMessage(THold{1, true}), TClientMessage(TScore{kYatzy, 86}),
                                   TClientMessage(TChatLine{coloured}), TClientMessage(TLeave{})}) {
        auto parsed = ParseClientPayload(BuildPayload(message));
        ASSERT_TRUE(parsed) << parsed.Detail;
        EXPECT_EQ(BuildPayload(*parsed.Value), BuildPayload(message));
    }
    auto chat = ParseClientPayload(BuildPayload(TClientMessage(TChatLine{coloured})));
    EXPECT_EQ(std::get<TChatLine>(*chat.Value).Text, coloured) << "colour escapes stay inside the text";
}

TEST(YatzyPayloadTest, OutOfRangeAndMalformedClientPayloadsAreRefused) {
    for (const std::string& bytes : {B({0xB7, 0}), B({0xB7, 7}), B({0xB7}), B({0xB7, 1, 1}), B({0xB6, 3, 2}),
                                     B({0xB6, 3}), B({0xB9, 0, '1', 1}), B({0xB9, 22, '1', 1}),
                                     B({0xB9, 9, '1', 'a', 1}), B({0xB9, 9, '1', '2', '3', '4', 1}),
                                     B({0xB9, 9, 1}), B({0xB9, 9, '1'}), B({0xB9, 9, '1', 1, 'x'}), B({0xB9}),
                                     B({0xB8, 0}), B({8, 'a'}), B({8})}) {
        auto parsed = ParseClientPayload(bytes);
        EXPECT_FALSE(parsed) << testing::PrintToString(bytes);
        EXPECT_EQ(parsed.Fault, TParseFault::Malformed);
    }
    EXPECT_EQ(ParseClientPayload("").Fault, TParseFault::Empty);
    EXPECT_EQ(ParseClientPayload(B({0xA5})).Fault, TParseFault::UnknownCode);
    EXPECT_EQ(ParseClientPayload(B({181, 1})).Fault, TParseFault::UnknownCode) << "a server code from a client";
    EXPECT_EQ(ParseClientPayload(std::string(256, '>')).Fault, TParseFault::Malformed);
}

TEST(YatzyPayloadTest, ServerPayloadsHaveTheirBytesAndRoundTrip) {
    EXPECT_EQ(BuildPayload(TServerMessage(TTurn{3})), B({181, 3}));
    EXPECT_EQ(BuildPayload(TServerMessage(TDieHeld{2, true})), B({182, 2, 1}));
    EXPECT_EQ(BuildPayload(TServerMessage(TDieRolled{5})), B({183, 5}));
    EXPECT_EQ(BuildPayload(TServerMessage(TRolled{})), B({184}));
    EXPECT_EQ(BuildPayload(TServerMessage(TRowWritten{kBonus, 50})), B({185, 8, '5', '0', 1}));
    EXPECT_EQ(BuildPayload(TServerMessage(TRoundWon{2})), B({186, 2}));
    EXPECT_EQ(BuildPayload(TServerMessage(TDroppedOut{1})), B({187, 0})) << "187 counts seats from 0";
    TTableChat chat{{0, 0}, {7, 9}, "eva~> hi"};
    EXPECT_EQ(BuildPayload(TServerMessage(chat)), B({9, 0, 0, 7, 9}) + "eva~> hi" + B({1}));
    for (TServerMessage message :
         {TServerMessage(chat), TServerMessage(TClose{}), TServerMessage(TBegin{}),
          TServerMessage(TAdvert{2, "http://x/"}), TServerMessage(TTurn{4}), TServerMessage(TDieHeld{6, false}),
          TServerMessage(TDieRolled{1}), TServerMessage(TRolled{}), TServerMessage(TRowWritten{kChance, 0}),
          TServerMessage(TRoundWon{1}), TServerMessage(TDroppedOut{4})}) {
        auto parsed = ParseServerPayload(BuildPayload(message));
        ASSERT_TRUE(parsed) << parsed.Detail;
        EXPECT_EQ(BuildPayload(*parsed.Value), BuildPayload(message));
    }
    auto held = ParseServerPayload(B({182, 3, 7}));
    EXPECT_TRUE(std::get<TDieHeld>(*held.Value).Held) << "any byte but 0 holds";
}

TEST(YatzyPayloadTest, ServerPayloadsOutOfRangeAreReadingErrorsUnknownCodesAreNot) {
    for (const std::string& bytes : {B({181, 0}), B({181, 5}), B({181}), B({186, 0}), B({187, 4}), B({183, 7}),
                                     B({182, 0, 1}), B({182, 1}), B({185, 22, '1', 1}), B({185, 9, 'x', 1}),
                                     B({185, 9}), B({85, 4, 'u', 1}), B({9, 0, 0, 7})}) {
        auto parsed = ParseServerPayload(bytes);
        EXPECT_FALSE(parsed) << testing::PrintToString(bytes);
        EXPECT_EQ(parsed.Fault, TParseFault::Malformed);
    }
    EXPECT_EQ(ParseServerPayload(B({180})).Fault, TParseFault::UnknownCode);
    EXPECT_EQ(ParseServerPayload(B({188, 1})).Fault, TParseFault::UnknownCode);
    EXPECT_EQ(ParseServerPayload(B({0x19})).Fault, TParseFault::UnknownCode);
}

}  // namespace
}  // namespace rules::yatzy
