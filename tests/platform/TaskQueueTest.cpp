// The cross-thread task queue both backends post through.
#include <gtest/gtest.h>
#include <poll.h>

#include <thread>
#include <vector>

#include "platform/posix/TaskQueue.h"

using platform::posix::TTaskQueue;

namespace {
bool Readable(int fd) {
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, 0) == 1 && (p.revents & POLLIN);
}
}  // namespace

TEST(TaskQueue, WakeDescriptorIsReadableExactlyWhileTasksAreQueued) {
    TTaskQueue q;
    ASSERT_GE(q.WakeFd(), 0);
    EXPECT_FALSE(Readable(q.WakeFd()));
    q.Push([] {});
    q.Push([] {});
    EXPECT_TRUE(Readable(q.WakeFd()));
    EXPECT_EQ(q.Drain(), 2);
    EXPECT_FALSE(Readable(q.WakeFd()));
    EXPECT_TRUE(q.Empty());
}

TEST(TaskQueue, DrainRunsOnlyWhatWasQueuedWhenItStarted) {
    TTaskQueue q;
    int runs = 0;
    std::function<void()> again = [&] {
        ++runs;
        q.Push(again);
    };
    q.Push(again);
    EXPECT_EQ(q.Drain(), 1);
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(Readable(q.WakeFd()));  // the re-posted task is waiting
    EXPECT_EQ(q.Drain(), 1);
    EXPECT_EQ(runs, 2);
}

TEST(TaskQueue, NestedDrainGoesOnInOrder) {
    TTaskQueue q;
    std::vector<std::string> order;
    q.Push([&] {
        order.push_back("a begins");
        q.Drain();
        order.push_back("a ends");
    });
    q.Push([&] { order.push_back("b"); });
    q.Push([&] { order.push_back("c"); });
    q.Drain();
    EXPECT_EQ(order, (std::vector<std::string>{"a begins", "b", "c", "a ends"}));
    EXPECT_TRUE(q.Empty());
}

TEST(TaskQueue, CloseRefusesAndDrops) {
    TTaskQueue q;
    bool ran = false;
    q.Push([&] { ran = true; });
    q.Close();
    EXPECT_FALSE(q.Push([&] { ran = true; }));
    EXPECT_EQ(q.Drain(), 0);
    EXPECT_FALSE(ran);
    EXPECT_FALSE(Readable(q.WakeFd()));
}

TEST(TaskQueue, TasksFromManyThreadsRunOnceInTheirThreadsOrder) {
    TTaskQueue q;
    constexpr int kThreads = 4, kEach = 2000;
    std::vector<std::vector<int>> seen(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&q, &seen, t] {
            for (int i = 0; i < kEach; ++i) q.Push([&seen, t, i] { seen[t].push_back(i); });
        });
    }
    // Drain concurrently with the pushes, then once more after them.
    while (true) {
        q.Drain();
        bool all = true;
        for (auto& s : seen) all = all && s.size() == kEach;
        if (all) break;
        pollfd p{q.WakeFd(), POLLIN, 0};
        poll(&p, 1, 100);
    }
    for (auto& th : threads) th.join();
    for (auto& s : seen) {
        ASSERT_EQ(s.size(), static_cast<size_t>(kEach));
        for (int i = 0; i < kEach; ++i) ASSERT_EQ(s[i], i);
    }
    EXPECT_FALSE(Readable(q.WakeFd()));
}
