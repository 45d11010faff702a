// The mouse subscriber lists: order, keys, and changes during a fan-out.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "graphics/Mouse.h"

namespace {

class MouseListTest : public ::testing::Test {
protected:
    TMousemove::THandler Recorder(const std::string& name) {
        return [this, name](TPaint*, TShiftState, int x, int) {
            calls.push_back(name + std::to_string(x));
        };
    }
    TMousemove list;
    std::vector<std::string> calls;
    int a = 0, b = 0, c = 0;  // their addresses are the keys
};

TEST_F(MouseListTest, DispatchesInOrderWithTheArguments) {
    list.Subscribe(&a, Recorder("a"));
    list.Subscribe(&b, Recorder("b"));
    list.Subscribe(&c, nullptr);  // a missing handler adds nothing
    EXPECT_EQ(list.Count(), 2);
    EXPECT_FALSE(list.Subscribed(&c));
    list.Dispatch(nullptr, 0, 7, 0);
    EXPECT_EQ(calls, (std::vector<std::string>{"a7", "b7"}));

    TMouseclick clicks;
    int button = 0, x = 0, y = 0;
    TShiftState shift = 0;
    clicks.Subscribe(&a, [&](TPaint*, int bt, TShiftState s, int px, int py) {
        button = bt, shift = s, x = px, y = py;
    });
    clicks.Dispatch(nullptr, 2, 9, 3, 4);
    EXPECT_EQ(button, 2);
    EXPECT_EQ(shift, 9u);
    EXPECT_EQ(x, 3);
    EXPECT_EQ(y, 4);

    TMousewheel wheel;
    TPoint point;
    int notches = 0;
    wheel.Subscribe(&a, [&](TPaint*, TShiftState, TPoint p, int n) { point = p, notches = n; });
    wheel.Dispatch(nullptr, 0, TPoint{5, 6}, -2);
    EXPECT_EQ(point.x, 5);
    EXPECT_EQ(point.y, 6);
    EXPECT_EQ(notches, -2);
}

TEST_F(MouseListTest, UnsubscribeRemovesTheFirstWithTheKey) {
    list.Subscribe(&a, Recorder("a"));
    list.Subscribe(&b, Recorder("b"));
    list.Subscribe(&a, Recorder("A"));
    EXPECT_TRUE(list.Unsubscribe(&a));
    list.Dispatch(nullptr, 0, 1, 0);
    EXPECT_EQ(calls, (std::vector<std::string>{"b1", "A1"}));
    EXPECT_TRUE(list.Unsubscribe(&a));
    EXPECT_FALSE(list.Unsubscribe(&a));
    EXPECT_EQ(list.Count(), 1);
}

TEST_F(MouseListTest, RemovalDuringTheFanOutSkipsNoOneElse) {
    list.Subscribe(&a, [&](TPaint*, TShiftState, int, int) {
        calls.push_back("a");
        list.Unsubscribe(&a);  // itself
    });
    list.Subscribe(&b, [&](TPaint*, TShiftState, int, int) {
        calls.push_back("b");
        list.Unsubscribe(&c);  // the next one
    });
    list.Subscribe(&c, Recorder("c"));
    list.Subscribe(&calls, Recorder("d"));
    list.Dispatch(nullptr, 0, 1, 0);
    EXPECT_EQ(calls, (std::vector<std::string>{"a", "b", "d1"}));
    calls.clear();
    list.Dispatch(nullptr, 0, 2, 0);
    EXPECT_EQ(calls, (std::vector<std::string>{"b", "d2"}));
    EXPECT_EQ(list.Count(), 2);
}

TEST_F(MouseListTest, SubscriptionsAddedDuringTheFanOutSeeTheNextEvent) {
    list.Subscribe(&a, [&](TPaint*, TShiftState, int, int) {
        calls.push_back("a");
        if (!list.Subscribed(&b)) {
            // Enough to move any vector storage while this handler runs.
            for (int i = 0; i < 64; ++i) list.Subscribe(&c, [](TPaint*, TShiftState, int, int) {});
            list.Subscribe(&b, Recorder("b"));
        }
    });
    list.Dispatch(nullptr, 0, 1, 0);
    EXPECT_EQ(calls, (std::vector<std::string>{"a"}));
    list.Dispatch(nullptr, 0, 2, 0);
    EXPECT_EQ(calls, (std::vector<std::string>{"a", "a", "b2"}));
}

TEST_F(MouseListTest, NestedDispatchAndAListFreedByItsHandler) {
    list.Subscribe(&a, [&](TPaint*, TShiftState, int x, int) {
        calls.push_back("a" + std::to_string(x));
        if (x == 1) {
            list.Unsubscribe(&b);
            list.Dispatch(nullptr, 0, 2, 0);  // a handler that dispatches again
        }
    });
    list.Subscribe(&b, Recorder("b"));
    list.Subscribe(&c, Recorder("c"));
    list.Dispatch(nullptr, 0, 1, 0);
    EXPECT_EQ(calls, (std::vector<std::string>{"a1", "a2", "c2", "c1"}));
    EXPECT_EQ(list.Count(), 2);

    auto owned = std::make_unique<TMousemove>();
    int after = 0;
    owned->Subscribe(&a, [&](TPaint*, TShiftState, int, int) { owned.reset(); });
    owned->Subscribe(&b, [&](TPaint*, TShiftState, int, int) { ++after; });
    owned->Dispatch(nullptr, 0, 0, 0);
    EXPECT_EQ(owned, nullptr);
    EXPECT_EQ(after, 0);
}

}  // namespace
