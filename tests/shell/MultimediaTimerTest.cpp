// The periodic source on its own: pending ticks, re-posting, capabilities.
#include "TimerFixture.h"

namespace {

class MultimediaTimerTest : public TimerFixture {
protected:
    // A source counting its handled ticks.
    std::unique_ptr<TMultimediaTimer> CountingSource() {
        auto source = std::make_unique<TMultimediaTimer>();
        source->OnTimer = [this](TMultimediaTimer*) { ++m_ticks; };
        return source;
    }
    int m_ticks = 0;
};

TEST_F(MultimediaTimerTest, KeepsAtMostOneTickPendingUntilItWaitedPeriodPlusTen) {
    auto source = CountingSource();
    source->SetEnabled(true);

    Loop().AdvanceMs(10);
    EXPECT_TRUE(source->TickPending());
    // Created at 0: a tick pending since 10 is not posted again up to 0 + 20.
    Loop().AdvanceMs(10);
    Loop().ProcessMessages();
    EXPECT_EQ(m_ticks, 1);
    EXPECT_FALSE(source->TickPending());

    // Handled at 20: posts at 30 and holds back at 40 (not past 20 + 20).
    Loop().AdvanceMs(20);
    Loop().ProcessMessages();
    EXPECT_EQ(m_ticks, 2);
    // Handled at 40: posts at 50, holds back at 60, posts again at 70.
    Loop().AdvanceMs(30);
    Loop().ProcessMessages();
    EXPECT_EQ(m_ticks, 4);
}

TEST_F(MultimediaTimerTest, ResponsiveMainThreadGetsOneTickPerPeriod) {
    auto source = CountingSource();
    source->SetEnabled(true);
    Loop().RunFor(100);
    EXPECT_EQ(m_ticks, 10);
}

TEST_F(MultimediaTimerTest, DisablingStopsTheEventAndSilencesAQueuedTick) {
    auto source = CountingSource();
    source->SetEnabled(true);
    EXPECT_EQ(Loop().PeriodicCount(), 1);
    Loop().AdvanceMs(10);
    source->SetEnabled(false);
    EXPECT_EQ(Loop().PeriodicCount(), 0);
    Loop().ProcessMessages();
    EXPECT_EQ(m_ticks, 0);
    EXPECT_FALSE(source->TickPending());

    source->SetEnabled(true);
    EXPECT_EQ(Loop().PeriodicCount(), 1);
    Loop().RunFor(10);
    EXPECT_EQ(m_ticks, 1);
}

TEST_F(MultimediaTimerTest, QueuedTickOutlivingTheSourceDoesNothing) {
    bool called = false;
    auto source = std::make_unique<TMultimediaTimer>();
    source->OnTimer = [&called](TMultimediaTimer*) { called = true; };
    source->SetEnabled(true);
    Loop().AdvanceMs(10);
    ASSERT_TRUE(Loop().HasPendingTasks());
    source.reset();
    EXPECT_EQ(Loop().PeriodicCount(), 0);
    Loop().ProcessMessages();
    EXPECT_FALSE(called);
}

TEST_F(MultimediaTimerTest, PostsNothingOnceTheLoopIsTerminated) {
    auto source = CountingSource();
    source->SetEnabled(true);
    Loop().Terminate();
    Loop().AdvanceMs(50);
    EXPECT_FALSE(source->TickPending());
    EXPECT_FALSE(Loop().HasPendingTasks());
}

TEST_F(MultimediaTimerTest, RefusedPostLeavesNothingPendingAndTheNextEventRetries) {
    TTestLoop& loop = InstallTestLoop();
    auto source = CountingSource();
    source->SetEnabled(true);

    loop.refusePosts = true;
    loop.AdvanceMs(10);
    EXPECT_FALSE(source->TickPending());

    loop.refusePosts = false;
    loop.AdvanceMs(10);
    EXPECT_TRUE(source->TickPending());
    loop.ProcessMessages();
    EXPECT_EQ(m_ticks, 1);
}

TEST_F(MultimediaTimerTest, PeriodChangesOnlyWithinTheCapabilities) {
    Loop().SetTimerCaps(true, 1, 100);
    auto source = CountingSource();
    EXPECT_EQ(source->MinPeriod(), 10);  // raised from 1
    EXPECT_EQ(source->MaxPeriod(), 100);
    EXPECT_EQ(source->Period(), 10);

    source->SetPeriod(5);
    EXPECT_EQ(source->Period(), 10);
    source->SetPeriod(101);
    EXPECT_EQ(source->Period(), 10);
    source->SetPeriod(100);
    EXPECT_EQ(source->Period(), 100);

    // A period set while disabled is the one the event starts with.
    source->SetPeriod(20);
    source->SetEnabled(true);
    EXPECT_EQ(Loop().PeriodicPeriod(source->TimerId()), 20);
}

TEST_F(MultimediaTimerTest, NewPeriodRestartsARunningEvent) {
    Loop().SetTimerCaps(true, 1, 1000);
    auto source = CountingSource();
    source->SetEnabled(true);
    int first = source->TimerId();

    source->SetPeriod(10);  // unchanged: no restart
    EXPECT_EQ(source->TimerId(), first);

    source->SetPeriod(25);
    EXPECT_NE(source->TimerId(), first);
    EXPECT_EQ(Loop().PeriodicCount(), 1);
    EXPECT_EQ(Loop().PeriodicPeriod(source->TimerId()), 25);
    Loop().RunFor(100);
    EXPECT_EQ(m_ticks, 4);
}

TEST_F(MultimediaTimerTest, MinimumAboveTenBecomesTheDefaultPeriod) {
    Loop().SetTimerCaps(true, 16, 50);
    auto source = CountingSource();
    EXPECT_EQ(source->MinPeriod(), 16);
    EXPECT_EQ(source->Period(), 16);
    source->SetPeriod(15);
    EXPECT_EQ(source->Period(), 16);
}

TEST_F(MultimediaTimerTest, UnreadableCapabilitiesAcceptNoPeriod) {
    Loop().SetTimerCaps(false, 1, 1000);
    auto source = CountingSource();
    EXPECT_EQ(source->MinPeriod(), 10);
    EXPECT_EQ(source->MaxPeriod(), 0);
    source->SetPeriod(20);
    EXPECT_EQ(source->Period(), 10);
    source->SetEnabled(true);
    EXPECT_EQ(Loop().PeriodicPeriod(source->TimerId()), 10);
}

}  // namespace
