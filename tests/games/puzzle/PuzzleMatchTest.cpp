// Two Puzzle windows play a whole match through the server's referee: the
// keyboard and the shot clock shoot, trash travels, a loss becomes the
// results and the next game. Whenever everything has settled, each
// player's own field, the opponent's copy of it and the referee's copy are
// the same, so the windows and the referee agree on every target.
#include <gmock/gmock.h>

#include <deque>

#include "PuzzleformFixture.h"
#include "referees/PuzzleReferee.h"

namespace {

using namespace puzzletest;

class Host : public server::RefereeHost {
public:
    std::deque<std::pair<int, std::string>> queue;
    bool ended = false;
    server::MatchOutcome outcome;
    void SendTo(int seat, std::string_view payload) override { queue.emplace_back(seat, std::string(payload)); }
    void EndMatch(const server::MatchOutcome& o) override {
        ended = true;
        outcome = o;
    }
    std::string AliasOf(int seat) const override { return seat == 0 ? "Me" : "You"; }
    void SeatLeft(int) override {}
};

class PuzzleMatchTest : public PuzzleformTest {
protected:
    void SetUp() override {
        PuzzleformTest::SetUp();
        m_second = std::make_unique<TPuzzleform>();
        server::RefereeSetup setup;
        setup.kind = rules::TGameKind::Puzzle;
        setup.matchLength = 2;
        setup.seed = kSeed;
        setup.seeds = [this] { return m_nextSeed += 7919; };
        m_referee = std::make_unique<server::PuzzleReferee>(m_host, setup);
        Form().Sender = [this](const std::string& m) { m_referee->Receive(0, std::string_view(m).substr(2)); };
        m_second->Sender = [this](const std::string& m) { m_referee->Receive(1, std::string_view(m).substr(2)); };
    }
    void TearDown() override {
        m_second.reset();
        PuzzleformTest::TearDown();
    }
    TPuzzleform& Seat(int seat) { return seat == 0 ? Form() : *m_second; }
    void Deliver() {
        while (!m_host.queue.empty()) {
            auto [seat, payload] = m_host.queue.front();
            m_host.queue.pop_front();
            Seat(seat).NetRead(payload);
        }
    }
    bool Settled() {
        for (int seat : {0, 1}) {
            TPuzzleform& f = Seat(seat);
            if (!f.OwnScreen().Idle() || !f.OpponentScreen().Idle() || f.Player().QueuedTrash() > 0) return false;
        }
        return m_host.queue.empty();
    }

    Host m_host;
    std::unique_ptr<TPuzzleform> m_second;
    std::unique_ptr<server::PuzzleReferee> m_referee;
    uint32_t m_nextSeed = kSeed;
};

TEST_F(PuzzleMatchTest, TwoWindowsPlayAMatchAndAgreeWithTheRefereeOnEveryField) {
    Form().ShowGame();
    m_second->ShowGame();
    Deliver();
    ASSERT_TRUE(Form().Running());
    ASSERT_TRUE(m_second->Running());
    int checks = 0, trash = 0;
    for (int ms = 0; ms < 20 * 60 * 1000 && !m_host.ended; ms += 5) {
        // Each player turns and fires now and then; the shot clock does
        // the rest.
        if (ms % 400 == 0) {
            const int step = ms / 400;
            auto& win = Window(*Seat(step % 2).Paint());
            const int key = (step / 2) % 3 == 0 ? kLeft : kRight;
            for (int i = 0; i < (step * 5) % 7; ++i) {
                win.KeyDown(key);
                win.KeyUp(key);
            }
            win.KeyDown(kSpace);
            win.KeyUp(kSpace);
        }
        Advance(5);
        Deliver();
        trash += static_cast<int>(Form().Player().QueuedTrash() + m_second->Player().QueuedTrash());
        if (!Form().Running() || !m_second->Running() || !Settled()) continue;
        for (int seat : {0, 1}) {
            ASSERT_EQ(Seat(seat).Player().Field(), m_referee->Field(seat)) << "seat " << seat << " at " << ms;
            ASSERT_EQ(Seat(1 - seat).Opponent().Field(), m_referee->Field(seat)) << "seat " << seat << " at " << ms;
        }
        ++checks;
    }
    ASSERT_TRUE(m_host.ended) << "the match did not end";
    EXPECT_GE(m_referee->GamesWon(0) + m_referee->GamesWon(1), 2);
    EXPECT_GT(checks, 50);
    EXPECT_GT(trash, 0) << "no trash travelled";
    ASSERT_EQ(m_host.outcome.winners.size(), 1u);
    EXPECT_EQ(m_referee->GamesWon(m_host.outcome.winners[0]), 2);
}

}  // namespace
