// The field reader's two ways (lenient for the client, strict for the
// server), the numbers in text fields, and the offsets of game payloads.
#include <gtest/gtest.h>

#include "protocol/ClientMessages.h"
#include "protocol/FieldReader.h"
#include "protocol/GamePayload.h"
#include "protocol/Messages.h"

namespace protocoltest {
namespace {

using namespace protocol;
using namespace std::string_literals;

TEST(FieldReaderTest, LenientReadsNeverPassTheEnd) {
    const std::string message = "\x07" "ab\x01" "cd"s;
    TFieldReader r(message);
    EXPECT_EQ(r.Byte(), 7);
    EXPECT_EQ(r.Field(), "ab");
    EXPECT_EQ(r.Field(), "cd");  // no closing byte 1: the rest
    EXPECT_TRUE(r.AtEnd());
    EXPECT_EQ(r.Field(), "");
    EXPECT_EQ(r.Byte(9), 9);
    EXPECT_EQ(r.Word(300), 300);
    EXPECT_EQ(r.Number(5), 5);
    EXPECT_EQ(r.Bytes(3), "");

    TFieldReader half("\x34");
    EXPECT_EQ(half.Word(), 0x34);  // the missing high byte reads as 0
    TFieldReader bytes("xyz");
    EXPECT_EQ(bytes.Bytes(10), "xyz");
    EXPECT_EQ(bytes.Bytes(-1), "");
}

TEST(FieldReaderTest, StrictReadsSayWhatIsMissingAndConsumeNothing) {
    TFieldReader r("\x05" "ab");
    uint16_t word = 0;
    std::string field;
    uint8_t byte = 0;
    EXPECT_FALSE(r.ReadField(field));
    EXPECT_TRUE(r.ReadByte(byte));
    EXPECT_EQ(byte, 5);
    EXPECT_TRUE(r.ReadWord(word));
    EXPECT_EQ(word, 'a' | 'b' << 8);
    EXPECT_FALSE(r.ReadByte(byte));
    EXPECT_FALSE(r.ReadWord(word));

    TSay say;
    EXPECT_FALSE(Parse("\x08\x01"s, say));
    TAskToJoin ask;
    EXPECT_FALSE(Parse("\x10\x01" "eva"s, ask));
    TLogon logon;
    EXPECT_FALSE(Parse("\x04" "0\x01" "0\x01" "a\x01" "b\x01" "1\x01" "2"s, logon));
    EXPECT_EQ(SplitFields("a\x01\x01" "b\x01" "c", 10), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(SplitFields("a\x01" "b\x01", 1).size(), 1u);
}

TEST(FieldReaderTest, NumbersInTextFields) {
    int32_t value = 0;
    EXPECT_TRUE(ParseTextNumber("  -12", value));
    EXPECT_EQ(value, -12);
    EXPECT_TRUE(ParseTextNumber("$FFFFFFFF", value));
    EXPECT_EQ(value, -1);
    EXPECT_TRUE(ParseTextNumber("-2147483648", value));
    EXPECT_EQ(value, INT32_MIN);
    value = 4;
    EXPECT_FALSE(ParseTextNumber("2147483648", value));
    EXPECT_FALSE(ParseTextNumber("12 ", value));
    EXPECT_FALSE(ParseTextNumber("", value));
    EXPECT_EQ(value, 4);
    EXPECT_EQ(NumberOr("x", 30), 30);
    EXPECT_EQ(LeadingNumber("05 points", 1), 5);
    EXPECT_EQ(LeadingNumber("", 1), 1);
}

TEST(FieldReaderTest, PayloadNumbersCarryTheirOffset) {
    std::string payload = TPayloadWriter('7').Number(0, 1).Number(11, 2).Number(252, 3).Text("ab", true).Take();
    EXPECT_EQ(payload, "7\x01\x0D\xFF" "ab\x01");
    TPayloadReader r(payload);
    EXPECT_EQ(r.What(), '7');
    EXPECT_EQ(r.Number(1), 0);
    EXPECT_EQ(r.Number(2), 11);
    EXPECT_EQ(r.Number(3), 252);
    EXPECT_EQ(r.Text(), "ab");
    EXPECT_EQ(r.Number(1, -1), -1);
    EXPECT_EQ(TPayloadReader("").What(), '\0');
}

}  // namespace
}  // namespace protocoltest
