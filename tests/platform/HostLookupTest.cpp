// Asynchronous host lookups posting back to a main-thread queue.
#include <gtest/gtest.h>
#include <poll.h>

#include <memory>

#include "platform/posix/HostLookup.h"
#include "platform/posix/TaskQueue.h"

using platform::posix::THostLookups;
using platform::posix::TTaskQueue;

namespace {

// Waits (generously; a resolver can be slow) until a task is queued and runs
// it. False if none came.
bool RunNextPosted(TTaskQueue& queue) {
    for (int i = 0; i < 600 && queue.Empty(); ++i) {
        pollfd p{queue.WakeFd(), POLLIN, 0};
        poll(&p, 1, 100);
    }
    return queue.Drain() > 0;
}

}  // namespace

class HostLookup : public ::testing::Test {
protected:
    TTaskQueue m_queue;
    std::unique_ptr<THostLookups> m_lookups =
        std::make_unique<THostLookups>([this](platform::Task t) { return m_queue.Push(std::move(t)); });
};

TEST_F(HostLookup, LocalhostResolvesToLoopback) {
    int calls = 0, gotId = 0;
    std::vector<uint32_t> got;
    int id = m_lookups->Start("localhost", [&](int lookupId, const std::vector<uint32_t>& a) {
        ++calls;
        gotId = lookupId;
        got = a;
    });
    ASSERT_GT(id, 0);
    ASSERT_TRUE(RunNextPosted(m_queue));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(gotId, id);
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(got[0], 0x7F000001u);
}

TEST_F(HostLookup, FailedLookupDeliversNoAddresses) {
    bool called = false;
    std::vector<uint32_t> got{1};
    m_lookups->Start("", [&](int, const std::vector<uint32_t>& a) {
        called = true;
        got = a;
    });
    ASSERT_TRUE(RunNextPosted(m_queue));
    EXPECT_TRUE(called);
    EXPECT_TRUE(got.empty());
}

TEST_F(HostLookup, CancelledLookupNeverCallsBack) {
    bool called = false;
    int id = m_lookups->Start("localhost", [&](int, const std::vector<uint32_t>&) { called = true; });
    m_lookups->Cancel(id);
    ASSERT_TRUE(RunNextPosted(m_queue));  // the result still arrives ...
    EXPECT_FALSE(called);                 // ... and is dropped
}

TEST_F(HostLookup, DestroyingTheTableWithALookupPendingIsSafe) {
    bool called = false;
    m_lookups->Start("localhost", [&](int, const std::vector<uint32_t>&) { called = true; });
    m_lookups.reset();  // waits for the helper thread
    m_queue.Drain();    // a posted result finds the table gone
    EXPECT_FALSE(called);
}

TEST_F(HostLookup, IdsDifferAndAnEmptyHandlerIsRefused) {
    int a = m_lookups->Start("localhost", [](int, const std::vector<uint32_t>&) {});
    int b = m_lookups->Start("localhost", [](int, const std::vector<uint32_t>&) {});
    EXPECT_GT(a, 0);
    EXPECT_NE(a, b);
    EXPECT_EQ(m_lookups->Start("localhost", nullptr), 0);
    ASSERT_TRUE(RunNextPosted(m_queue));
}
