// TCountdown: the display, the one warning and the time-out, also after a
// late timer pass.
#include "ButtonsFixture.h"
#include "controls/Countdown.h"
#include "controls/Text.h"

namespace buttontest {
namespace {

class CountdownTest : public ButtonsTest {
protected:
    void SetUp() override {
        ButtonsTest::SetUp();
        WriteIni("[Gammon]\nCountdown=40,2,70,12\n", "");
        paint = MakePaint();
        clock = std::make_unique<TCountdown>(paint.get(), [this](TCountdown*) { ++timeouts; },
                                             "Countdown", "Gammon");
        clock->OnWarning = [this](TCountdown* sender, int elapsed) {
            warnings.push_back(sender->Remaining());
            lastElapsed = elapsed;
        };
    }
    void TearDown() override {
        clock.reset();
        paint.reset();
        ButtonsTest::TearDown();
    }
    std::unique_ptr<TPaint> paint;
    std::unique_ptr<TCountdown> clock;
    std::vector<int> warnings;
    int timeouts = 0, lastElapsed = 0;
};

TEST_F(CountdownTest, ShowsMinutesAndTwoDigitSeconds) {
    EXPECT_EQ(TCountdown::Format(125), "2:05");
    EXPECT_EQ(TCountdown::Format(600), "10:00");
    EXPECT_EQ(TCountdown::Format(9), "0:09");
    clock->Start(125, 30);
    EXPECT_EQ(clock->Label()->Text(), "2:05");
    EXPECT_FALSE(clock->Label()->Visible());  // created hidden
    clock->Show();
    EXPECT_EQ(BackAt(*paint, 40, 5), Px(kWhite));
}

TEST_F(CountdownTest, WarnsOnceAtTheThresholdAndStopsAtZero) {
    clock->Start(125, 30);
    int before = 125;
    for (int second = 0; second < 130 && timeouts == 0; ++second) {
        const size_t warned = warnings.size();
        Loop().RunFor(1000);
        if (warnings.size() > warned) {
            EXPECT_GT(before, 30);
            EXPECT_LE(warnings.back(), 30);
        }
        before = clock->Remaining();
    }
    EXPECT_EQ(warnings.size(), 1u);
    EXPECT_EQ(timeouts, 1);
    EXPECT_EQ(clock->Remaining(), 0);
    EXPECT_FALSE(clock->Running());
    EXPECT_EQ(clock->Label()->Text(), "0:00");

    // A restart without a threshold keeps 30 and warns again.
    clock->Start(40, 0);
    EXPECT_FALSE(clock->Warned());
    Loop().RunFor(12'000);
    EXPECT_EQ(warnings.size(), 2u);
}

TEST_F(CountdownTest, ALatePassCountsEverySecondAtOnce) {
    clock->Start(125, 30);
    Loop().RunFor(1500);
    const int start = clock->Remaining();
    Loop().AdvanceMs(100'000);  // the main thread was blocked
    Loop().ProcessMessages();
    EXPECT_EQ(clock->Remaining(), start - 100);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(lastElapsed, 100);
    Loop().AdvanceMs(200'000);
    Loop().ProcessMessages();
    EXPECT_EQ(timeouts, 1);
    EXPECT_EQ(clock->Remaining(), 0);
}

}  // namespace
}  // namespace buttontest
