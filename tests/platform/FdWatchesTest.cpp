// The watch table and its poll, over socket pairs and pipes.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <vector>

#include "platform/posix/FdWatches.h"

using platform::IoError;
using platform::IoHangup;
using platform::IoRead;
using platform::IoWrite;
using platform::posix::TFdWatches;
using platform::posix::TPollResult;

namespace {

struct TPair {
    int a = -1, b = -1;
    TPair() {
        int sv[2];
        if (socketpair(AF_UNIX, SOCK_STREAM, 0, sv) == 0) a = sv[0], b = sv[1];
    }
    ~TPair() {
        if (a >= 0) close(a);
        if (b >= 0) close(b);
    }
    void Send() { EXPECT_EQ(write(b, "x", 1), 1); }
    void CloseB() {
        close(b);
        b = -1;
    }
};

struct TCall {
    int fd;
    unsigned events;
    bool operator==(const TCall&) const = default;
};

}  // namespace

TEST(FdWatches, ReadableIsReportedWhileDataWaits) {
    TPair p;
    TFdWatches w;
    std::vector<TCall> calls;
    ASSERT_GT(w.Watch(p.a, IoRead, [&](int fd, unsigned ev) { calls.push_back({fd, ev}); }), 0);
    EXPECT_EQ(w.PollAndDispatch(0, -1, nullptr), 0);
    p.Send();
    EXPECT_EQ(w.PollAndDispatch(0, -1, nullptr), 1);
    EXPECT_EQ(w.PollAndDispatch(0, -1, nullptr), 1);  // level-triggered: not read yet
    EXPECT_EQ(calls, (std::vector<TCall>{{p.a, IoRead}, {p.a, IoRead}}));
    char c;
    ASSERT_EQ(read(p.a, &c, 1), 1);
    EXPECT_EQ(w.PollAndDispatch(0, -1, nullptr), 0);
}

TEST(FdWatches, PeerClosingIsAHangUp) {
    TPair p;
    TFdWatches w;
    unsigned seen = 0;
    w.Watch(p.a, IoRead, [&](int, unsigned ev) { seen = ev; });
    p.CloseB();
    EXPECT_EQ(w.PollAndDispatch(0, -1, nullptr), 1);
    EXPECT_TRUE(seen & IoHangup);

    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    seen = 0;
    w.Watch(fds[0], 0, [&](int, unsigned ev) { seen = ev; });  // errors only
    close(fds[1]);
    w.PollAndDispatch(0, -1, nullptr);
    EXPECT_EQ(seen, static_cast<unsigned>(IoHangup));
    close(fds[0]);
}

TEST(FdWatches, ClosedDescriptorIsAnError) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    TFdWatches w;
    unsigned seen = 0;
    w.Watch(fds[0], IoRead, [&](int, unsigned ev) { seen = ev; });
    close(fds[0]);
    close(fds[1]);
    w.PollAndDispatch(0, -1, nullptr);
    EXPECT_EQ(seen, static_cast<unsigned>(IoError));
}

TEST(FdWatches, WriteMaskFollowsModify) {
    TPair p;
    TFdWatches w;
    int calls = 0;
    int id = w.Watch(p.a, IoWrite, [&](int, unsigned ev) {
        EXPECT_EQ(ev, static_cast<unsigned>(IoWrite));
        ++calls;
    });
    EXPECT_EQ(w.PollAndDispatch(0, -1, nullptr), 1);
    EXPECT_TRUE(w.Modify(id, IoRead));
    EXPECT_EQ(w.PollAndDispatch(0, -1, nullptr), 0);
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(w.Modify(id + 100, IoRead));
}

TEST(FdWatches, HandlerEndingOrNarrowingAnotherWatchInTheSamePass) {
    TPair p, q, r;
    TFdWatches w;
    int second = 0, third = 0;
    int secondId = 0, thirdId = 0;
    w.Watch(p.a, IoRead, [&](int, unsigned) {
        w.Unwatch(secondId);
        w.Modify(thirdId, IoRead);  // no data there: nothing left to report
    });
    secondId = w.Watch(q.a, IoRead, [&](int, unsigned) { ++second; });
    thirdId = w.Watch(r.a, IoWrite, [&](int, unsigned) { ++third; });
    p.Send();
    q.Send();
    EXPECT_EQ(w.PollAndDispatch(0, -1, nullptr), 1);  // three ready, one still wanted
    EXPECT_EQ(second, 0);
    EXPECT_EQ(third, 0);
}

TEST(FdWatches, HandlerEndingItsOwnWatch) {
    TPair p;
    TFdWatches w;
    int calls = 0, id = 0;
    id = w.Watch(p.a, IoRead, [&](int, unsigned) {
        ++calls;
        w.Unwatch(id);
    });
    p.Send();
    w.PollAndDispatch(0, -1, nullptr);
    w.PollAndDispatch(0, -1, nullptr);
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(w.Empty());
}

TEST(FdWatches, WatchingADescriptorAgainReplacesTheWatch) {
    TPair p;
    TFdWatches w;
    int first = 0, second = 0;
    int a = w.Watch(p.a, IoRead, [&](int, unsigned) { ++first; });
    std::vector<pollfd> fds;
    std::vector<int> ids;
    p.Send();
    w.Snapshot(fds, ids);
    ASSERT_EQ(poll(fds.data(), fds.size(), 0), 1);
    auto stale = TFdWatches::Collect(fds, ids);  // results of the old watch

    int b = w.Watch(p.a, IoRead, [&](int, unsigned) { ++second; });
    EXPECT_NE(a, b);
    EXPECT_FALSE(w.Modify(a, IoWrite));
    w.Dispatch(stale);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 0);
    w.PollAndDispatch(0, -1, nullptr);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 1);
}

TEST(FdWatches, ExtraDescriptorAndRefusedWatches) {
    TPair p, extra;
    TFdWatches w;
    EXPECT_EQ(w.Watch(-1, IoRead, [](int, unsigned) {}), 0);
    EXPECT_EQ(w.Watch(p.a, IoRead, nullptr), 0);
    bool ready = true;
    EXPECT_EQ(w.PollAndDispatch(0, extra.a, &ready), 0);
    EXPECT_FALSE(ready);
    extra.Send();
    EXPECT_EQ(w.PollAndDispatch(0, extra.a, &ready), 0);
    EXPECT_TRUE(ready);
}

TEST(FdWatches, SnapshotListsWatchesInOrderWithTheirMasks) {
    TPair p, q;
    TFdWatches w;
    int a = w.Watch(p.a, IoRead | IoWrite, [](int, unsigned) {});
    int b = w.Watch(q.a, IoRead | 0x100, [](int, unsigned) {});
    std::vector<pollfd> fds;
    std::vector<int> ids;
    w.Snapshot(fds, ids);
    ASSERT_EQ(fds.size(), 2u);
    EXPECT_EQ(ids, (std::vector<int>{a, b}));
    EXPECT_EQ(fds[0].events, POLLIN | POLLOUT);
    EXPECT_EQ(fds[1].events, POLLIN);
}
