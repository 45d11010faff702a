// Parsing the logon and account messages, and the alias rules.
#include <gtest/gtest.h>

#include "LogonMessages.h"
#include "ServerFixture.h"

namespace {

using namespace server;
using servertest::Field;

TEST(LogonMessages, ALogonCarriesAliasPasswordAndTheTwoNumbers) {
    LogonRequest r;
    ASSERT_TRUE(ParseLogon(servertest::LogonMessage("ib", "pw"), r));
    EXPECT_EQ(r.alias, "ib");
    EXPECT_EQ(r.password, "pw");
    EXPECT_EQ(r.distribution, 7u);
    EXPECT_EQ(r.machine, 123456u);
    EXPECT_FALSE(r.registration);
}

TEST(LogonMessages, NumbersOutOfRangeReadAsZero) {
    LogonRequest r;
    std::string m = "\x04" + Field("0") + Field("0") + Field("a") + Field("b") + Field("99999999999") +
                    Field("-3") + Field("1990") + Field("13") + Field("1") + Field("7") + Field("9");
    ASSERT_TRUE(ParseLogon(m, r));
    EXPECT_EQ(r.distribution, 0u);
    EXPECT_EQ(r.machine, 0u);
    EXPECT_TRUE(r.registration);
    EXPECT_EQ(r.year, 0);  // month 13: no birthday
    EXPECT_EQ(r.gender, 0);
    EXPECT_EQ(r.face, 0);
}

TEST(LogonMessages, TooFewFieldsOrAnotherCodeIsNoLogon) {
    LogonRequest r;
    EXPECT_FALSE(ParseLogon("\x04" + Field("0") + Field("0") + Field("a") + Field("b") + Field("1"), r));
    EXPECT_FALSE(ParseLogon("\x05" + Field("0") + Field("0") + Field("a") + Field("b") + Field("1") + Field("2"), r));
    EXPECT_FALSE(ParseLogon("", r));
    // A last field without its end byte does not count.
    EXPECT_FALSE(ParseLogon("\x04" + Field("0") + Field("0") + Field("a") + Field("b") + Field("1") + "2", r));
}

TEST(LogonMessages, AliasRulesOfTheLogonWindow) {
    EXPECT_TRUE(AcceptableAlias("ib"));
    EXPECT_TRUE(AcceptableAlias(std::string(16, 'a')));
    EXPECT_FALSE(AcceptableAlias(std::string(17, 'a')));
    EXPECT_FALSE(AcceptableAlias(""));
    for (char ch : std::string("[]=:,~\x01\x1F")) EXPECT_FALSE(AcceptableAlias(std::string("a") + ch + "b")) << int(ch);
    EXPECT_TRUE(AcceptableAlias("\xE6\xF8\xE5"));  // Windows-1252 letters
    EXPECT_FALSE(AcceptableAlias("eva "));
    EXPECT_TRUE(AcceptablePassword(std::string(20, 'p')));
    EXPECT_FALSE(AcceptablePassword(std::string(21, 'p')));
    EXPECT_FALSE(AcceptablePassword("p:w"));
    EXPECT_FALSE(AcceptablePassword(""));
}

TEST(LogonMessages, BirthdaysAreRealDates) {
    EXPECT_TRUE(ValidBirthday(2000, 2, 29));
    EXPECT_FALSE(ValidBirthday(1900, 2, 29));
    EXPECT_TRUE(ValidBirthday(1996, 2, 29));
    EXPECT_FALSE(ValidBirthday(1999, 4, 31));
    EXPECT_FALSE(ValidBirthday(0, 0, 0));
    EXPECT_FALSE(ValidBirthday(1700, 1, 1));
}

TEST(LogonMessages, AccountUpdateWithAndWithoutTheBirthday) {
    AccountUpdate u;
    ASSERT_TRUE(ParseAccountUpdate("(" + Field("pw") + Field("2"), u));
    EXPECT_EQ(u.password, "pw");
    EXPECT_FALSE(u.hasBirthday);
    EXPECT_EQ(u.face, 2);
    ASSERT_TRUE(ParseAccountUpdate("(" + Field("") + Field("1985") + Field("6") + Field("1") + Field("1") + Field("0"), u));
    EXPECT_TRUE(u.hasBirthday);
    EXPECT_EQ(u.year, 1985);
    EXPECT_EQ(u.gender, 1);
    EXPECT_FALSE(ParseAccountUpdate("(" + Field("pw") + Field("1") + Field("2"), u));
}

}  // namespace
