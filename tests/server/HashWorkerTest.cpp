// The password hashing pool: results come back only through Deliver, on the
// thread that calls it, a continuation may submit the next job, and nothing
// is delivered once the pool is gone.
#include <gtest/gtest.h>
#include <poll.h>

#include <functional>
#include <thread>

#include "HashWorker.h"

namespace {

using server::HashWorker;
using server::PasswordHasher;

bool WakeReady(const HashWorker& worker, int timeoutMs) {
    pollfd p{worker.WakeFd(), POLLIN, 0};
    return ::poll(&p, 1, timeoutMs) > 0;
}

// Delivers as results come in, until done() holds; bounded (about 10 s).
bool DeliverUntil(HashWorker& worker, const std::function<bool()>& done) {
    for (int i = 0; i < 1000 && !done(); ++i)
        if (WakeReady(worker, 10)) worker.Deliver();
    return done();
}

class HashWorkerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(PasswordHasher::Initialise()); }
    PasswordHasher m_hasher{1, 8192};
};

TEST_F(HashWorkerTest, ResultsArriveOnlyThroughDeliverOnTheCallingThread) {
    HashWorker worker(m_hasher, 2);
    ASSERT_TRUE(worker.Ok());
    const auto me = std::this_thread::get_id();
    bool onMyThread = true;
    int calls = 0;
    std::string hash;
    worker.Hash("geheim", [&](const HashWorker::Result& r) {
        hash = r.hash;
        ++calls;
        onMyThread = onMyThread && std::this_thread::get_id() == me;
    });
    EXPECT_EQ(worker.Outstanding(), 1u);
    ASSERT_TRUE(WakeReady(worker, 10000));
    EXPECT_EQ(calls, 0);  // finished, but not yet delivered
    ASSERT_TRUE(DeliverUntil(worker, [&] { return calls == 1; }));
    EXPECT_EQ(worker.Outstanding(), 0u);
    EXPECT_TRUE(m_hasher.Verify(hash, "geheim"));

    bool right = false, wrong = true, dummy = false;
    worker.Verify(hash, "geheim", [&](const HashWorker::Result& r) { right = r.verified; ++calls; });
    worker.Verify(hash, "falsch", [&](const HashWorker::Result& r) { wrong = r.verified; ++calls; });
    worker.VerifyDummy("egal", [&](const HashWorker::Result& r) { dummy = !r.verified; ++calls; });
    EXPECT_EQ(worker.Outstanding(), 3u);
    ASSERT_TRUE(DeliverUntil(worker, [&] { return calls == 4; }));
    EXPECT_TRUE(right);
    EXPECT_FALSE(wrong);
    EXPECT_TRUE(dummy);
    EXPECT_TRUE(onMyThread);
}

TEST_F(HashWorkerTest, AContinuationMaySubmitTheNextJob) {
    HashWorker worker(m_hasher, 1);
    bool verified = false;
    bool done = false;
    worker.Hash("zweimal", [&](const HashWorker::Result& r) {
        worker.Verify(r.hash, "zweimal", [&](const HashWorker::Result& v) {
            verified = v.verified;
            done = true;
        });
    });
    ASSERT_TRUE(DeliverUntil(worker, [&] { return done; }));
    EXPECT_TRUE(verified);
    EXPECT_EQ(worker.Outstanding(), 0u);
}

TEST_F(HashWorkerTest, DestructionDropsWhatWasNotDelivered) {
    int calls = 0;
    {
        HashWorker worker(m_hasher, 2);
        for (int i = 0; i < 6; ++i) worker.Hash("pw", [&](const HashWorker::Result&) { ++calls; });
        ASSERT_TRUE(WakeReady(worker, 10000));
    }
    EXPECT_EQ(calls, 0);
}

}  // namespace
