// The limits per address and alias on their own, in virtual milliseconds.
#include <gtest/gtest.h>

#include "AccessLimits.h"

namespace {

using server::AccessLimits;
using server::AccessSettings;

AccessSettings Settings() {
    AccessSettings s;
    s.connectionsPerAddress = 2;
    s.connectionsPerMinute = 4;
    s.freeLogonFailures = 1;
    s.logonPenaltyMs = 1000;
    s.maxLogonPenaltyMs = 3000;
    return s;
}

TEST(AccessLimitsTest, OpenConnectionsAndAttemptsPerMinuteAreCountedPerAddress) {
    AccessLimits limits(Settings());
    EXPECT_EQ(limits.Admit("a", 0), AccessLimits::Verdict::Allowed);
    EXPECT_EQ(limits.Admit("a", 0), AccessLimits::Verdict::Allowed);
    EXPECT_EQ(limits.Admit("a", 0), AccessLimits::Verdict::TooManyOpen);
    EXPECT_EQ(limits.Admit("b", 0), AccessLimits::Verdict::Allowed);
    limits.Release("a");
    EXPECT_EQ(limits.Admit("a", 0), AccessLimits::Verdict::Allowed);  // the fourth attempt
    limits.Release("a");
    EXPECT_EQ(limits.Admit("a", 59999), AccessLimits::Verdict::TooManyAttempts);
    EXPECT_EQ(limits.Admit("a", 60000), AccessLimits::Verdict::Allowed);
    EXPECT_EQ(limits.OpenFrom("a"), 2);
}

TEST(AccessLimitsTest, TheWaitDoublesUpToItsLongestForAddressAndAliasAlike) {
    AccessLimits limits(Settings());
    limits.LogonFailed("a", "eva", 0);  // free
    EXPECT_FALSE(limits.LogonHeldBack("a", "eva", 0));
    limits.LogonFailed("a", "eva", 0);
    EXPECT_TRUE(limits.LogonHeldBack("a", "eva", 999));
    EXPECT_FALSE(limits.LogonHeldBack("a", "eva", 1000));
    limits.LogonFailed("a", "eva", 1000);
    EXPECT_TRUE(limits.LogonHeldBack("a", "eva", 2999));
    for (int i = 0; i < 10; ++i) limits.LogonFailed("a", "eva", 3000);
    EXPECT_FALSE(limits.LogonHeldBack("a", "eva", 6000));  // never more than 3 s
    // The alias waits wherever it is tried from; the address for any alias.
    EXPECT_TRUE(limits.LogonHeldBack("elsewhere", "eva", 5999));
    EXPECT_TRUE(limits.LogonHeldBack("a", "bob", 5999));
    EXPECT_FALSE(limits.LogonHeldBack("elsewhere", "bob", 0));
    limits.LogonSucceeded("a", "eva");
    EXPECT_FALSE(limits.LogonHeldBack("a", "eva", 3000));
}

TEST(AccessLimitsTest, FailuresAndRecordsAreForgottenInTime) {
    AccessLimits limits(Settings());
    limits.LogonFailed("a", "eva", 0);
    limits.LogonFailed("a", "eva", 600000);  // the first is forgotten: still free
    EXPECT_FALSE(limits.LogonHeldBack("a", "eva", 600000));
    limits.Admit("b", 0);
    limits.Forget(1200000);
    EXPECT_EQ(limits.Records(), 1u);  // b still has its connection open
    limits.Release("b");
    limits.Forget(1200000);
    EXPECT_EQ(limits.Records(), 0u);
}

TEST(AccessLimitsTest, ARefusalIsLoggedOncePerAddressAndMinute) {
    AccessLimits limits(Settings());
    int unlogged = -1;
    EXPECT_TRUE(limits.ShouldLog("a", 0, unlogged));
    EXPECT_EQ(unlogged, 0);
    EXPECT_FALSE(limits.ShouldLog("a", 100, unlogged));
    EXPECT_FALSE(limits.ShouldLog("a", 59999, unlogged));
    EXPECT_TRUE(limits.ShouldLog("b", 100, unlogged));
    EXPECT_TRUE(limits.ShouldLog("a", 60000, unlogged));
    EXPECT_EQ(unlogged, 2);
}

}  // namespace
