// Windows-1252 <-> UTF-8 at the platform boundary.
#include <gtest/gtest.h>

#include "platform/Codepage.h"

using platform::Cp1252ToUtf8;
using platform::Utf8ToCp1252;

TEST(Codepage, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    std::string utf8 = Cp1252ToUtf8(all);
    EXPECT_EQ(Utf8ToCp1252(utf8), all);
}

TEST(Codepage, HighBytesBecomeTheirCharacters) {
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");  // euro sign
    EXPECT_EQ(Cp1252ToUtf8("\x8A"), "\xC5\xA0");      // S with caron
    EXPECT_EQ(Cp1252ToUtf8("\x99"), "\xE2\x84\xA2");  // trade mark
    EXPECT_EQ(Cp1252ToUtf8("\x9F"), "\xC5\xB8");      // Y with diaeresis
    EXPECT_EQ(Cp1252ToUtf8("\x83\x88\x98"), "\xC6\x92\xCB\x86\xCB\x9C");
    EXPECT_EQ(Cp1252ToUtf8("\xE6\xF8\xE5"), "\xC3\xA6\xC3\xB8\xC3\xA5");  // Danish letters
    EXPECT_EQ(Cp1252ToUtf8("\xA0\xFF"), "\xC2\xA0\xC3\xBF");
    EXPECT_EQ(Cp1252ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Codepage, UndefinedBytesStandForTheControlsOfTheirNumber) {
    for (unsigned char b : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        std::string byte(1, static_cast<char>(b));
        std::string utf8{static_cast<char>(0xC2), static_cast<char>(b)};
        EXPECT_EQ(Cp1252ToUtf8(byte), utf8) << int(b);
        EXPECT_EQ(Utf8ToCp1252(utf8), byte) << int(b);
    }
}

TEST(Codepage, CharactersWithoutAByteAreDropped) {
    EXPECT_EQ(Utf8ToCp1252("a\xC2\x80" "b"), "ab");             // U+0080: its byte means the euro
    EXPECT_EQ(Utf8ToCp1252("a\xC4\x80" "b"), "ab");             // U+0100
    EXPECT_EQ(Utf8ToCp1252("a\xF0\x9F\x98\x80" "b"), "ab");     // an emoji
    EXPECT_EQ(Utf8ToCp1252("\xE2\x80\x9C" "x\xE2\x80\x9D"), "\x93x\x94");
}

TEST(Codepage, MalformedUtf8BytesAreDropped) {
    EXPECT_EQ(Utf8ToCp1252("A\xFF" "B"), "AB");
    EXPECT_EQ(Utf8ToCp1252("A\x80\xBF" "B"), "AB");             // stray continuations
    EXPECT_EQ(Utf8ToCp1252("\xE2\x82" "A"), "A");               // cut short before a letter
    EXPECT_EQ(Utf8ToCp1252("A\xE2\x82"), "A");                  // cut short at the end
    EXPECT_EQ(Utf8ToCp1252("\xC0\xAF\xE0\x80\xAF"), "");        // overlong forms
    EXPECT_EQ(Utf8ToCp1252("\xED\xA0\x80" "z"), "z");           // a surrogate
    EXPECT_EQ(Utf8ToCp1252("\xF4\x90\x80\x80" "z"), "z");       // above U+10FFFF
    EXPECT_EQ(Utf8ToCp1252("\xC3\xA6\xC3"), "\xE6");
    EXPECT_EQ(Utf8ToCp1252(""), "");
}
