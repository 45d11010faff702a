// Software timers and their dispatcher, in virtual time.
#include <memory>
#include <string>
#include <vector>

#include "TimerFixture.h"

namespace {

class MyTimerTest : public TimerFixture {
protected:
    // A timer of the given interval whose on-timer handler records its name.
    std::unique_ptr<TMyTimer> Recording(const std::string& name, int64_t ms) {
        auto timer = std::make_unique<TMyTimer>();
        timer->SetInterval(ms);
        timer->OnTimer = [this, name](TMyTimer*) { m_events.push_back(name); };
        return timer;
    }
    std::vector<std::string> m_events;
};

using Events = std::vector<std::string>;

TEST_F(MyTimerTest, FirstPassAfterCreationFiresNothing) {
    int calls = 0;
    TMyTimer timer;
    timer.SetInterval(1);
    timer.OnTimer = [&calls](TMyTimer*) { ++calls; };
    timer.SetEnabled(true);

    Loop().RunFor(10);
    EXPECT_EQ(calls, 0);
    // The next pass makes up every interval strictly exceeded since 0.
    Loop().RunFor(10);
    EXPECT_EQ(calls, 19);
}

TEST_F(MyTimerTest, FiresWhenTheIntervalIsStrictlyExceededWithoutDrift) {
    SkipFirstPass();
    int calls = 0;
    TMyTimer timer;
    timer.SetInterval(100);
    timer.OnTimer = [&calls](TMyTimer*) { ++calls; };
    timer.SetEnabled(true);  // at 10

    Loop().RunFor(100);  // the pass at 110 sees exactly one interval
    EXPECT_EQ(calls, 0);
    Loop().RunFor(10);
    EXPECT_EQ(calls, 1);
    // The base moves by whole intervals, so ten more come in 1000 ms.
    Loop().RunFor(1000);
    EXPECT_EQ(calls, 11);
}

TEST_F(MyTimerTest, BlockedMainThreadMakesUpMissedIntervalsInOnePass) {
    SkipFirstPass();
    std::vector<int64_t> callTimes;
    std::vector<int64_t> counts;
    TMyTimer perInterval, perPass;
    perInterval.SetInterval(100);
    perInterval.OnTimer = [&callTimes](TMyTimer*) { callTimes.push_back(NowMs()); };
    perPass.SetInterval(100);
    perPass.OnTick = [&counts](TMyTimer*, int64_t count) { counts.push_back(count); };
    perPass.OnTimer = [](TMyTimer*) { ADD_FAILURE() << "on timer used beside on tick"; };
    perInterval.SetEnabled(true);
    perPass.SetEnabled(true);

    Loop().AdvanceMs(350);
    Loop().ProcessMessages();
    EXPECT_EQ(callTimes, (std::vector<int64_t>{360, 360, 360}));
    EXPECT_EQ(counts, (std::vector<int64_t>{3}));

    // Both keep their phase: the next interval ends at 410, which on tick
    // counts at once and on timer once it is exceeded.
    Loop().RunFor(50);
    EXPECT_EQ(callTimes.size(), 3u);
    EXPECT_EQ(counts, (std::vector<int64_t>{3, 1}));
    Loop().RunFor(10);
    EXPECT_EQ(callTimes.size(), 4u);
}

TEST_F(MyTimerTest, HandlerDisablingItsOwnTimerLetsTheNextOnesRun) {
    SkipFirstPass();
    auto a = Recording("a", 10), b = Recording("b", 10), c = Recording("c", 10);
    a->OnTimer = [this](TMyTimer* sender) {
        m_events.push_back("a");
        sender->SetEnabled(false);
    };
    a->SetEnabled(true);
    b->SetEnabled(true);
    c->SetEnabled(true);

    Loop().AdvanceMs(50);  // several intervals behind
    Loop().ProcessMessages();
    EXPECT_EQ(m_events, (Events{"a", "b", "b", "b", "b", "c", "c", "c", "c"}));
    EXPECT_FALSE(a->Enabled());
    EXPECT_EQ(TMaintimer::Instance().Count(), 2);
}

TEST_F(MyTimerTest, TimerDestroyedInsideAnotherHandlerIsNeitherServedNorSkippedOver) {
    SkipFirstPass();
    auto a = Recording("a", 10), b = Recording("b", 10), c = Recording("c", 10),
         d = Recording("d", 10);
    // b frees a timer served before it and one still to come.
    b->OnTimer = [&](TMyTimer*) {
        m_events.push_back("b");
        a.reset();
        c.reset();
    };
    a->SetEnabled(true);
    b->SetEnabled(true);
    c->SetEnabled(true);
    d->SetEnabled(true);

    Loop().RunFor(20);
    EXPECT_EQ(m_events, (Events{"a", "b", "d"}));
    EXPECT_EQ(TMaintimer::Instance().Count(), 2);
}

TEST_F(MyTimerTest, HandlerMayFreeItsOwnTimer) {
    SkipFirstPass();
    auto a = Recording("a", 10), b = Recording("b", 10);
    a->OnTimer = [&](TMyTimer*) {
        m_events.push_back("a");
        a.reset();
    };
    a->SetEnabled(true);
    b->SetEnabled(true);

    Loop().AdvanceMs(50);
    Loop().ProcessMessages();
    EXPECT_EQ(m_events, (Events{"a", "b", "b", "b", "b"}));
}

TEST_F(MyTimerTest, FreeAfterPassFreesTheTimerOnceServed) {
    SkipFirstPass();
    auto alive = std::make_shared<int>(0);
    std::weak_ptr<int> watch = alive;
    auto* once = new TMyTimer();
    once->SetInterval(10);
    once->OnTimer = [this, alive](TMyTimer* sender) {
        m_events.push_back("once");
        sender->FreeAfterPass = true;
    };
    alive.reset();
    auto after = Recording("after", 10);
    once->SetEnabled(true);
    after->SetEnabled(true);

    Loop().RunFor(20);
    EXPECT_EQ(m_events, (Events{"once", "after"}));
    EXPECT_TRUE(watch.expired());  // its handler went with it
    EXPECT_EQ(TMaintimer::Instance().Count(), 1);
}

TEST_F(MyTimerTest, TimerRestartedByItsOwnHandlerStopsCatchingUp) {
    SkipFirstPass();
    int calls = 0;
    TMyTimer timer;
    timer.SetInterval(100);
    timer.OnTimer = [&calls](TMyTimer* sender) {
        ++calls;
        sender->SetEnabled(false);
        sender->SetEnabled(true);
    };
    timer.SetEnabled(true);

    Loop().AdvanceMs(350);
    Loop().ProcessMessages();
    EXPECT_EQ(calls, 1);
    // Restarted at 360: the next call comes once 100 ms have passed since.
    Loop().RunFor(100);
    EXPECT_EQ(calls, 1);
    Loop().RunFor(10);
    EXPECT_EQ(calls, 2);
}

TEST_F(MyTimerTest, OnTickRestartKeepsTheNewStart) {
    SkipFirstPass();
    std::vector<int64_t> counts;
    TMyTimer timer;
    timer.SetInterval(100);
    timer.OnTick = [&counts](TMyTimer* sender, int64_t count) {
        counts.push_back(count);
        if (counts.size() == 1) {
            sender->SetEnabled(false);
            sender->SetEnabled(true);
        }
    };
    timer.SetEnabled(true);

    Loop().AdvanceMs(350);
    Loop().ProcessMessages();
    Loop().RunFor(110);  // one interval after the restart at 360
    EXPECT_EQ(counts, (std::vector<int64_t>{3, 1}));
}

TEST_F(MyTimerTest, ReEnablingRestartsFromNowButEnablingTwiceDoesNot) {
    SkipFirstPass();
    int calls = 0;
    TMyTimer timer;
    timer.SetInterval(100);
    timer.OnTimer = [&calls](TMyTimer*) { ++calls; };
    timer.SetEnabled(true);  // at 10

    Loop().RunFor(50);
    timer.SetEnabled(true);  // already enabled: the interval goes on
    Loop().RunFor(60);       // the pass at 120
    EXPECT_EQ(calls, 1);

    timer.SetEnabled(false);
    timer.SetEnabled(true);  // at 120
    Loop().RunFor(100);
    EXPECT_EQ(calls, 1);
    Loop().RunFor(10);
    EXPECT_EQ(calls, 2);
}

TEST_F(MyTimerTest, IntervalZeroKeepsTheTimerDisabled) {
    TMyTimer timer;
    EXPECT_EQ(timer.Interval(), 0);
    timer.SetEnabled(true);
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(TMaintimer::Instance().Count(), 0);
    EXPECT_EQ(Loop().PeriodicCount(), 0);

    timer.SetInterval(50);
    timer.SetEnabled(true);
    EXPECT_TRUE(timer.Enabled());
    timer.SetInterval(0);
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(Loop().PeriodicCount(), 0);

    timer.SetInterval(-5);
    EXPECT_EQ(timer.Interval(), 0);
    timer.SetEnabled(true);
    EXPECT_FALSE(timer.Enabled());
}

TEST_F(MyTimerTest, SourceRunsExactlyWhileSomeTimerIsEnabled) {
    auto a = Recording("a", 100), b = Recording("b", 100);
    TMultimediaTimer& source = TMaintimer::Instance().Source();
    EXPECT_FALSE(source.Enabled());
    EXPECT_EQ(Loop().PeriodicCount(), 0);

    a->SetEnabled(true);
    b->SetEnabled(true);
    EXPECT_EQ(Loop().PeriodicCount(), 1);
    a->SetEnabled(false);
    EXPECT_EQ(Loop().PeriodicCount(), 1);
    b->SetEnabled(false);
    EXPECT_FALSE(source.Enabled());
    EXPECT_EQ(Loop().PeriodicCount(), 0);

    b->SetEnabled(true);
    EXPECT_EQ(Loop().PeriodicCount(), 1);
    b.reset();  // destroying the last enabled timer stops it as well
    EXPECT_EQ(Loop().PeriodicCount(), 0);
}

TEST_F(MyTimerTest, ModalWaitInAHandlerLetsOtherTimersRunButNotItself) {
    SkipFirstPass();
    int waiterCalls = 0, callsSeenInWait = -1, otherCallsDuringWait = 0;
    auto other = Recording("other", 10);
    TMyTimer waiter;
    waiter.SetInterval(10);
    waiter.OnTimer = [&](TMyTimer*) {
        if (++waiterCalls > 1) return;
        Loop().RunFor(100);
        callsSeenInWait = waiterCalls;
        otherCallsDuringWait = static_cast<int>(m_events.size());
    };
    waiter.SetEnabled(true);
    other->SetEnabled(true);

    Loop().RunFor(20);
    EXPECT_EQ(callsSeenInWait, 1);
    EXPECT_GT(otherCallsDuringWait, 0);
    // Served again after the wait, in later passes.
    Loop().RunFor(20);
    EXPECT_GT(waiterCalls, 1);
}

TEST_F(MyTimerTest, IntervalConvertsThroughTheCounterFrequency) {
    TTestLoop& loop = InstallTestLoop();
    loop.frequency = 3'579'545;  // not a multiple of 1000
    TMyTimer timer;
    for (int64_t ms : {1, 10, 100, 999, 60'000}) {
        timer.SetInterval(ms);
        EXPECT_EQ(timer.Interval(), ms);
    }
    timer.SetInterval(int64_t{1} << 40);
    EXPECT_EQ(timer.Interval(), TMyTimer::kMaxIntervalMs);
}

TEST_F(MyTimerTest, NowMsUsesTheFrequencyReadWhenTheDispatcherWasCreated) {
    TTestLoop& loop = InstallTestLoop();
    loop.frequency = 1'000'000'000;
    TMyTimer timer;  // creates the dispatcher
    // Three years of a nanosecond counter: counts × 1000 exceeds 64 bits.
    loop.AdvanceCounts(100'000'000'000'000'000);
    EXPECT_EQ(NowMs(), 100'000'000'000);
    loop.frequency = 1000;
    EXPECT_EQ(NowMs(), 100'000'000'000);
}

}  // namespace
