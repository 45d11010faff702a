// Installed states: nesting restores the previous state, a state ends while
// it is still installed (so what it owns can reach its library), bundles end
// in the reverse order, and a library used outside any context ends the
// process instead of reaching a stale state.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/InstalledState.h"

namespace {

std::vector<std::string> g_log;

struct TLower;
struct TUpper;

// Each records, as it ends, which states are installed at that moment.
struct TLower {
    int value = 0;
    ~TLower() {
        g_log.push_back(std::string("lower ends, lower ") +
                        (TInstalledState<TLower>::Current() == this ? "installed" : "gone") + ", upper " +
                        (TInstalledState<TUpper>::Current() ? "installed" : "gone"));
    }
};

struct TUpper {
    ~TUpper() {
        g_log.push_back(std::string("upper ends, lower ") +
                        (TInstalledState<TLower>::Current() ? "installed" : "gone"));
    }
};

TEST(InstalledState, NestedStatesShadowAndRestoreTheOuterOne) {
    EXPECT_EQ(TInstalledState<TLower>::Current(), nullptr);
    {
        TInstalledState<TLower> outer;
        outer.State().value = 1;
        {
            TInstalledState<TLower> inner;
            EXPECT_EQ(TInstalledState<TLower>::Get().value, 0);
            TInstalledState<TLower>::Get().value = 2;
            EXPECT_EQ(inner.State().value, 2);
        }
        EXPECT_EQ(TInstalledState<TLower>::Current(), &outer.State());
        EXPECT_EQ(TInstalledState<TLower>::Get().value, 1);
    }
    EXPECT_EQ(TInstalledState<TLower>::Current(), nullptr);
}

TEST(InstalledState, BundleEndsTopDownEachStateWhileInstalled) {
    g_log.clear();
    { TInstalledStates<TLower, TUpper> states; }
    EXPECT_EQ(g_log, (std::vector<std::string>{"upper ends, lower installed",
                                               "lower ends, lower installed, upper gone"}));
    EXPECT_EQ(TInstalledState<TLower>::Current(), nullptr);
    EXPECT_EQ(TInstalledState<TUpper>::Current(), nullptr);
}

TEST(InstalledStateDeathTest, UseWithoutAnyStateEndsTheProcess) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(TInstalledState<TUpper>::Get(), "build a context first");
}

}  // namespace
