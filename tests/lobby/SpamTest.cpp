// The spam check (repeated characters, fast lines, bursts, refusals) and the
// spam window's count.
#include <gtest/gtest.h>

#include "controls/Text.h"
#include "lobby/LobbyFixture.h"
#include "lobby/Spam.h"
#include "lobby/Spamform.h"
#include "net/Session.h"

namespace {

// n characters cycling through the first `distinct` letters.
std::string Cycle(size_t n, int distinct) {
    std::string text;
    for (size_t i = 0; i < n; ++i) text += char('a' + int(i) % distinct);
    return text;
}

TEST(IsTextSpam, LongTextsOfFewDistinctCharacters) {
    EXPECT_TRUE(istextspam(std::string(60, 'x')));
    EXPECT_FALSE(istextspam(Cycle(60, 8)));
    EXPECT_FALSE(istextspam(Cycle(60, 7)));  // 60 / 7 = 8, not above
    EXPECT_TRUE(istextspam(Cycle(60, 6)));
    EXPECT_FALSE(istextspam(std::string(49, 'x')));
}

class SpamCheckTest : public ::testing::Test {
protected:
    void SetUp() override { m_check.OnRefused = [this](TSpamCheck*) { ++m_refusals; }; }
    bool Line(const std::string& text, int64_t at) { return m_check.Check(text, at, false); }
    TSpamCheck m_check;
    int m_refusals = 0;
};

TEST_F(SpamCheckTest, AfterARefusalTheNextLineIsJudgedAsTheFirst) {
    EXPECT_TRUE(Line("hello", 0));  // a time of 0 is still a time
    EXPECT_FALSE(Line(std::string(60, 'x'), 9000));
    EXPECT_TRUE(Line(Cycle(40, 20), 9010));  // fast and long, but first
    EXPECT_FALSE(Line(Cycle(20, 20), 9500));
    EXPECT_EQ(m_refusals, 2);
    EXPECT_TRUE(m_check.Check(std::string(60, 'x'), 9600, true));  // privileged
}

TEST_F(SpamCheckTest, OnlyTheFirstFastLineOfABurstPassesAndOnlyWhenShort) {
    EXPECT_TRUE(Line("hello", 0));
    EXPECT_TRUE(Line(Cycle(19, 19), 500));
    EXPECT_EQ(m_check.Burst(), 1);
    EXPECT_TRUE(Line("one", 3000));   // 2500 ms for 22 characters: not fast
    EXPECT_FALSE(Line("two", 3100));  // the burst goes on
    EXPECT_TRUE(Line(Cycle(30, 20), 3200));
    // 3000 ms for 60 characters is fast, and 30 characters are too many.
    EXPECT_FALSE(Line(Cycle(30, 20), 6200));
    EXPECT_TRUE(Line("three", 7000));
    EXPECT_TRUE(Line("four", 7100));
    EXPECT_TRUE(Line(Cycle(30, 20), 11101));  // a pause of 4001 ends the burst
    EXPECT_EQ(m_check.Burst(), 0);
}

class SpamWindowTest : public lobbytest::DialogsTest {
protected:
    void TearDown() override {
        m_spam.reset();
        m_other.reset();
        DialogsTest::TearDown();
    }
    std::unique_ptr<TSpamform> m_spam;
    std::unique_ptr<TForm> m_other;
};

TEST_F(SpamWindowTest, OkayJudgesOnTheMonotonicCounterUnlessPrivileged) {
    EXPECT_TRUE(okay("hello"));
    Loop().AdvanceMs(500);
    EXPECT_FALSE(okay(Cycle(25, 20)));
    Session().Privileged = 1;
    EXPECT_TRUE(okay(std::string(60, 'x')));
}

TEST_F(SpamWindowTest, CountsFiveToZeroOverSixSecondsWhileTheProgramIsDisabled) {
    m_other = std::make_unique<TForm>("owner");
    m_other->Show();
    m_spam = std::make_unique<TSpamform>();
    m_spam->ShowAt(30, 40);
    EXPECT_EQ(m_spam->Left(), 30);
    EXPECT_EQ(platform::headless::Audio().StopCount(), 1);
    EXPECT_EQ(platform::headless::Audio().Played().size(), 1u);
    Win(*m_spam).CloseRequest();
    EXPECT_TRUE(m_spam->Visible());

    std::vector<std::string> shown;
    std::vector<int64_t> at;
    bool disabled = true;
    const int64_t start = NowMs();
    StartClock(10, [&] {
        if (!m_spam->Counting()) return;
        disabled &= !m_other->Enabled();
        if (!shown.empty() && shown.back() == m_spam->CountLabel()->Text()) return;
        shown.push_back(m_spam->CountLabel()->Text());
        at.push_back(NowMs());
    });
    while (m_spam->Visible()) Loop().WaitMessage();
    const int64_t elapsed = NowMs() - start;
    StopClock();

    EXPECT_EQ(shown, (std::vector<std::string>{"5", "4", "3", "2", "1", "0"}));
    for (size_t i = 1; i < at.size(); ++i) EXPECT_NEAR(at[i] - at[i - 1], 1010, 20) << i;
    EXPECT_NEAR(elapsed, 6100, 100);
    EXPECT_TRUE(disabled);
    EXPECT_TRUE(m_other->Enabled());
}

}  // namespace
