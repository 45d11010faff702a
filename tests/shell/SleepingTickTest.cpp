// The tick source sleeps until the next timer is due: the periods in between
// are skipped, a timer enabled meanwhile (from a handler or from other work
// of the loop) wakes it in time, and a handler that throws is reported
// without ending the pass.
#include <stdexcept>
#include <vector>

#include "TimerFixture.h"

namespace {

class SleepingTickTest : public TimerFixture {
protected:
    void TearDown() override {
        platform::SetErrorReporter(nullptr);
        TimerFixture::TearDown();
    }
};

TEST_F(SleepingTickTest, OneCaretTimerTakesTenTicksASecond) {
    SkipFirstPass();
    int calls = 0;
    TMyTimer caret;
    caret.SetInterval(100);
    caret.OnTimer = [&calls](TMyTimer*) { ++calls; };
    caret.SetEnabled(true);
    int64_t before = Loop().PeriodicTicks();
    Loop().RunFor(1010);  // due at 120, 220, ... 1020
    EXPECT_EQ(calls, 10);
    EXPECT_EQ(Loop().PeriodicTicks() - before, 10);

    // Disabled, the source stops; an interval of 0 never starts it.
    caret.SetEnabled(false);
    EXPECT_EQ(Loop().PeriodicCount(), 0);
    caret.SetInterval(0);
    caret.SetEnabled(true);
    EXPECT_EQ(Loop().PeriodicCount(), 0);
}

TEST_F(SleepingTickTest, TimerEnabledWhileTheSourceSleepsFiresOnTime) {
    SkipFirstPass();
    std::vector<int64_t> slow, fast, fromHandler;
    TMyTimer slowTimer, fastTimer, handlerTimer;
    slowTimer.SetInterval(1000);
    slowTimer.OnTimer = [&](TMyTimer*) {
        slow.push_back(NowMs());
        handlerTimer.SetEnabled(true);  // from inside a handler
    };
    fastTimer.SetInterval(30);
    fastTimer.OnTimer = [&](TMyTimer* t) {
        fast.push_back(NowMs());
        t->SetEnabled(false);
    };
    handlerTimer.SetInterval(20);
    handlerTimer.OnTick = [&](TMyTimer* t, int64_t count) {
        fromHandler.push_back(NowMs() * 10 + count);
        t->SetEnabled(false);
    };
    slowTimer.SetEnabled(true);  // at 10: next due after 1010
    Loop().RunFor(90);
    // Enabled by other work of the loop at 100 while the source sleeps: due
    // once 130 is exceeded, at the 10 ms resolution.
    Loop().Post([&] { fastTimer.SetEnabled(true); });
    Loop().ProcessMessages();
    Loop().RunFor(100);
    EXPECT_EQ(fast, (std::vector<int64_t>{140}));
    Loop().RunFor(825);
    EXPECT_EQ(slow, (std::vector<int64_t>{1020}));
    EXPECT_TRUE(fromHandler.empty());
    Loop().RunFor(100);
    EXPECT_EQ(fromHandler, (std::vector<int64_t>{10401}));
}

// The catch-up of a blocked main thread still gives one on-tick call with
// the count, now that the source skips the periods nothing is due in.
TEST_F(SleepingTickTest, CatchUpAfterSleepingGivesOneCallWithTheCount) {
    SkipFirstPass();
    std::vector<int64_t> counts;
    TMyTimer timer;
    timer.SetInterval(100);
    timer.OnTick = [&counts](TMyTimer*, int64_t count) { counts.push_back(count); };
    timer.SetEnabled(true);
    Loop().AdvanceMs(450);
    Loop().ProcessMessages();
    EXPECT_EQ(counts, (std::vector<int64_t>{4}));
}

TEST_F(SleepingTickTest, ThrowingHandlerIsReportedAndTheOthersStillRun) {
    SkipFirstPass();
    int reports = 0;
    platform::SetErrorReporter([&reports] { ++reports; });
    int throwing = 0, other = 0;
    TMyTimer bad, good;
    bad.SetInterval(50);
    bad.OnTimer = [&throwing](TMyTimer*) {
        ++throwing;
        throw std::runtime_error("broken handler");
    };
    good.SetInterval(50);
    good.OnTimer = [&other](TMyTimer*) { ++other; };
    bad.SetEnabled(true);
    good.SetEnabled(true);
    // Blocked for three intervals: the throwing timer is called once in the
    // pass (one report, not three), the other makes up all three.
    Loop().AdvanceMs(165);
    Loop().ProcessMessages();
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(throwing, 1);
    EXPECT_EQ(other, 3);
    EXPECT_TRUE(bad.Enabled());
}

}  // namespace
