// Messages written out byte for byte as the wire carries them, so that the
// builders and readers are checked against something other than each other.
#include <gtest/gtest.h>

#include "protocol/GamePayload.h"
#include "protocol/Messages.h"

namespace protocoltest {
namespace {

using namespace protocol;
using namespace std::string_literals;

TGameStartMessage GameStartOfGammon() {
    return TGameStartMessage{rules::TGameKind::Gammon, rules::TGammonSetup{"", "bob", false, 7, "w", "b"}, 2};
}

TEST(LiteralBytesTest, SessionReplies) {
    EXPECT_EQ(Build(TLogonAccepted{"abc"}), "\x01" "abc\x01");
    EXPECT_EQ(Build(TLogonRefused{3}), "\xFF\x03"s);
    EXPECT_EQ(Build(TVersionQuery{"lobbivex"}), "Q" "lobbivex\x01");
    EXPECT_EQ(Build(TLogonPrompt{}), "R");
    EXPECT_EQ(Build(TAccountData{1990, 5, 17, 1, 2}), "'" "1990\x01" "5\x01" "17\x01" "1\x01" "2\x01");
}

TEST(LiteralBytesTest, LogonAndAccountUpdate) {
    EXPECT_EQ(Build(TLogon{.Alias = "ib", .Password = "pw", .Distribution = 12, .Machine = 34}),
              "\x04" "0\x01" "0\x01" "ib\x01" "pw\x01" "12\x01" "34\x01");
    TAccountUpdate update{"pw", true, 1985, 6, 1, 1, 0};
    EXPECT_EQ(Build(update), "(" "pw\x01" "1985\x01" "6\x01" "1\x01" "1\x01" "0\x01");
    update.WithBirthday = false;
    EXPECT_EQ(Build(update), "(" "pw\x01" "0\x01");
}

TEST(LiteralBytesTest, LobbyRequests) {
    EXPECT_EQ(Build(TSay{258, "hi"}), "\x08\x02\x01" "hi\x01"s);
    EXPECT_EQ(Build(TLeaveRoom{1}), " \x01\x00"s);
    EXPECT_EQ(Build(TEnterRoom{2}), "!\x02\x00"s);
    EXPECT_EQ(Build(TOpenRoom{0, "eva"}), "+\x00" "eva"s);
    EXPECT_EQ(Build(TForumAdd{3, "bo"}), "\x1F\x03\x00" "bo"s);
    EXPECT_EQ(Build(TInfoRequest{"eva"}), "/eva\x01");
    EXPECT_EQ(Build(THiscoreRequest{0, 1, 100}), "\x18" "0\x01" "1\x01" "100\x01");
    EXPECT_EQ(Build(TBannerRequest{}), "U\x02");
    EXPECT_EQ(Build(TPingReply{250}), "z250");
}

TEST(LiteralBytesTest, TableRequests) {
    EXPECT_EQ(Build(TCreateTable{2, "5"}), "\x0B\x02" "5\x01");
    EXPECT_EQ(Build(TWithdrawTable{4}), "\x0C\x04");
    EXPECT_EQ(Build(TAskToJoin{1, "eva"}), "\x10\x01" "eva\x01");
    EXPECT_EQ(Build(TStartTable{4, {"ann", "bo"}}), "\x11\x04" "ann\x01" "bo\x01");
    EXPECT_EQ(Build(TWatch{1, "eva", 3}), "H\x01" "eva\x01\x03");
    EXPECT_EQ(Build(TGamePayload{2, TPayloadWriter('2').Number(4, 1).Number(0, 2).Take()}), "G\x02" "2\x05\x02");
}

TEST(LiteralBytesTest, FileRequestAndItsStrictReading) {
    EXPECT_EQ(Build(TFileRequest{"data.pac", 16384}), "\x1A" "data.pac\x01" "16384\x01");
    TFileRequest request;
    ASSERT_TRUE(Parse("\x1A" "a b\x01" "0\x01"s, request));
    EXPECT_EQ(request, (TFileRequest{"a b", 0}));
    EXPECT_FALSE(Parse("\x1A" "a\x01" "-1\x01"s, request));
    EXPECT_FALSE(Parse("\x1A" "a\x01" "12"s, request));
    EXPECT_FALSE(Parse("\x1A" "a\x01" "x\x01"s, request));
}

TEST(LiteralBytesTest, ChatLineDropsItsLastByte) {
    TChatLine line;
    ASSERT_TRUE(Parse("\x09\x02\x01\x03\x08" "eva: hi\x01"s, line));
    EXPECT_EQ(line.Room, 258);
    EXPECT_EQ(line.NameColour, 3);
    EXPECT_EQ(line.TextColour, 8);
    EXPECT_EQ(line.Text, "eva: hi");
}

TEST(LiteralBytesTest, GameStartOfEachKind) {
    TGameStartMessage start;
    ASSERT_TRUE(Parse("\x12\x01" "bob\x01" "-1\x01"s, start));
    auto* duel = std::get_if<rules::TDuelSetup>(&start.Setup);
    ASSERT_NE(duel, nullptr);
    EXPECT_EQ(duel->Opponent, "bob");
    EXPECT_EQ(duel->Seed, 0xFFFFFFFFu);

    ASSERT_TRUE(Parse("\x12\x02" "bob\x01" "\x01" "05 points\x01" "w\x01" "b\x01"s, start));
    auto* gammon = std::get_if<rules::TGammonSetup>(&start.Setup);
    ASSERT_NE(gammon, nullptr);
    EXPECT_TRUE(gammon->OwnWhite);
    EXPECT_EQ(gammon->MatchPoints, 5);
    EXPECT_EQ(gammon->OwnExtra, "w");
    EXPECT_EQ(gammon->OpponentExtra, "b");

    ASSERT_TRUE(Parse("\x12\x04" "7\x01" "3\x01" "2\x01" "11\x01" "a\x01" "b\x01" "c\x01"s, start));
    auto* yatzy = std::get_if<rules::TYatzySetup>(&start.Setup);
    ASSERT_NE(yatzy, nullptr);
    EXPECT_EQ(yatzy->Seed, 7u);
    EXPECT_EQ(yatzy->PlayerCount, 3);
    EXPECT_EQ(yatzy->OwnSeat, 2);
    EXPECT_EQ(yatzy->MatchLength, 11);
    EXPECT_EQ(yatzy->Players[2], "c");

    // A count past the seats reads no more names than there are seats.
    ASSERT_TRUE(Parse("\x12\x04" "7\x01" "9\x01" "2\x01" "1\x01" "a\x01" "b\x01" "c\x01" "d\x01" "e\x01"s, start));
    EXPECT_EQ(start.SentPlayerCount, 9);
    EXPECT_EQ(std::get<rules::TYatzySetup>(start.Setup).PlayerCount, 4);

    EXPECT_FALSE(Parse("\x12\x05" "bob\x01"s, start));
}

TEST(LiteralBytesTest, GameDataCutShortKeepsTheBytesPresent) {
    TGameData data;
    ASSERT_TRUE(Parse("G\x09" ">ab"s, data));
    EXPECT_EQ(data.Payload, ">ab");
    EXPECT_EQ(Build(TGameData{">"}), "G\x01>");
}

TEST(LiteralBytesTest, TableAnnouncements) {
    EXPECT_EQ(Build(TTableOpened{2, "eva", 1612, "5 points"}), "\x0B\x02" "eva\x01" "1612\x01" "5 points\x01");
    EXPECT_EQ(Build(TTableClosed{2, "eva"}), "\x0C\x02" "eva\x01");
    EXPECT_EQ(Build(TJoinRequest{2, "bo", 1500}), "\x10\x02" "bo\x01" "1500\x01");
    EXPECT_EQ(Build(TRunningGame{1, {{"a", "fa"}, {"b", "fb"}}}), "N\x01\x02" "a\x01" "fa\x01" "b\x01" "fb\x01");
    EXPECT_EQ(Build(TGameEnded{"a"}), "T" "a\x01");
    EXPECT_EQ(Build(TGameResult{2, "12", "1", "2", "3"}), "p\x02" "12\x01" "1\x01" "2\x01" "3\x01");
    EXPECT_EQ(Build(TGameResult{1, "12", "", "", ""}), "p\x01" "12\x01");
    EXPECT_EQ(Build(TRatingChange{3, "150000", "151234"}), "r\x03" "150000\x01" "151234\x01");
    EXPECT_EQ(Build(GameStartOfGammon()), "\x12\x02" "bob\x01" "\x02" "7\x01" "w\x01" "b\x01"s);
}

}  // namespace
}  // namespace protocoltest
