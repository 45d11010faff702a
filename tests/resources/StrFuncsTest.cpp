// The shared string, number and colour helpers.
#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <string>

#include "platform/Files.h"
#include "resources/StrFuncs.h"

using namespace std::string_literals;

namespace {

TEST(StrFuncsTest, FieldCutters) {
    std::string text = "a,,b";
    EXPECT_EQ(CutField(text), "a");
    EXPECT_EQ(CutField(text), "");
    EXPECT_EQ(text, "b");
    EXPECT_EQ(CutField(text), "b");
    EXPECT_EQ(text, "");
    EXPECT_EQ(CutField(text), "");

    std::string message = "alias\x01pass,word\x01"s;
    EXPECT_EQ(TakeField(message), "alias");
    EXPECT_EQ(TakeField(message), "pass,word");
    EXPECT_EQ(message, "");

    std::string bytes = "\xF0\x01"s;
    EXPECT_EQ(TakeByte(bytes), 0xF0);
    EXPECT_EQ(TakeByte(bytes), 0x01);
    EXPECT_EQ(TakeByte(bytes), 0);
}

TEST(StrFuncsTest, ReplaceAllDoesNotRescanInsertedText) {
    EXPECT_EQ(ReplaceAll("http://x/{Login}?u={Login}", "{Login}", "a%7B"), "http://x/a%7B?u=a%7B");
    EXPECT_EQ(ReplaceAll("{Login}", "{Login}", "{Login}{Login}"), "{Login}{Login}");
    EXPECT_EQ(ReplaceAll("aaa", "aa", "b"), "ba");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
}

TEST(StrFuncsTest, UrlEncodeKeepsDigitsLettersAndHighBytes) {
    EXPECT_EQ(UrlEncode("a b&c:d"), "a%20b%26c%3Ad");
    EXPECT_EQ(UrlEncode("_x"), "_x");
    EXPECT_EQ(UrlEncode("\x00/09:@AZ[`az{\xFF"s), "%00%2F09%3A%40AZ[`az{\xFF"s);
}

TEST(StrFuncsTest, BytesAsText) {
    EXPECT_EQ(HexByte(0x0A), "0A");
    EXPECT_EQ(HexByte(0xFF), "FF");
    EXPECT_EQ(TwoBytes(0x1234), "\x34\x12"s);
    EXPECT_EQ(TwoBytes(0), "\0\0"s);
}

TEST(StrFuncsTest, ParseIntegerFormats) {
    struct Case {
        const char* text;
        bool ok;
        int32_t value;
    };
    const Case cases[] = {
        {"0", true, 0},           {"  42", true, 42},     {"+5", true, 5},
        {"-7", true, -7},         {"$1f", true, 31},      {"X10", true, 16},
        {"0x10", true, 16},       {"-$10", true, -16},    {"$FFFFFFFF", true, -1},
        {"2147483647", true, INT32_MAX}, {"-2147483648", true, INT32_MIN},
        {"000000000012", true, 12},
        {"2147483648", false, 0}, {"-2147483649", false, 0}, {"$100000000", false, 0},
        {"", false, 0},           {" ", false, 0},        {"-", false, 0},
        {"$", false, 0},          {"0x", false, 0},       {"12a", false, 0},
        {"1 ", false, 0},         {"\t1", false, 0},      {"1.5", false, 0},
        {"--1", false, 0},        {"99999999999999999999999", false, 0},
    };
    for (const Case& c : cases) {
        int32_t value = 12345;
        EXPECT_EQ(ParseInteger(c.text, value), c.ok) << c.text;
        EXPECT_EQ(value, c.ok ? c.value : 12345) << c.text;
    }
}

TEST(StrFuncsTest, AsciiCaseFolding) {
    EXPECT_EQ(LowerCaseAscii("AbC_\xC4"s), "abc_\xC4"s);  // only A-Z fold
    EXPECT_TRUE(SameTextAscii("Gammon", "gAMMON"));
    EXPECT_FALSE(SameTextAscii("\xC4"s, "\xE4"s));
    EXPECT_FALSE(SameTextAscii("ab", "abc"));
}

TEST(StrFuncsTest, TimeOfDay) {
    std::tm local{};
    local.tm_year = 2020 - 1900;
    local.tm_mon = 5;
    local.tm_mday = 15;
    local.tm_hour = 13;
    local.tm_min = 45;
    local.tm_sec = 10;
    local.tm_isdst = -1;
    auto time = std::chrono::system_clock::from_time_t(std::mktime(&local)) + std::chrono::milliseconds(250);
    EXPECT_EQ(TimeOfDayMs(time), ((13 * 60 + 45) * 60 + 10) * 1000 + 250);
    EXPECT_EQ(TimeOfDaySeconds(time), (13 * 60 + 45) * 60 + 10);
    int64_t now = TimeOfDayMs();
    EXPECT_GE(now, 0);
    EXPECT_LT(now, 86400000);
}

TEST(StrFuncsTest, ShadesClampEachChannel) {
    EXPECT_EQ(Lighten(0x00102030, 180), 0x00C4D4E4u);
    EXPECT_EQ(Lighten(0x00F01080, 180), 0x00FFC4FFu);
    EXPECT_EQ(Darken(0x00F01080, 180), 0x003C0000u);
    EXPECT_EQ(Darken(0xAA808080, 80), 0xAA303030u);  // the top byte stays
    EXPECT_EQ(Darken(0x00808080, INT32_MIN), 0x00FFFFFFu);
    EXPECT_EQ(Lighten(0x00808080, INT32_MAX), 0x00FFFFFFu);
}

TEST(StrFuncsTest, VolumeSerialIsTheMachineNumber) {
    EXPECT_EQ(VolumeSerial(), platform::MachineNumber());
}

}  // namespace
