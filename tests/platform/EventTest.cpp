// Events with subscriptions that end with their owners, and the lifetime
// watch that callbacks ask before touching an object again.
#include <memory>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "platform/Event.h"
#include "platform/Lifetime.h"

namespace {

TEST(Event, EachSubscriptionEndsWithItsToken) {
    TEvent<int> event;
    std::string heard;
    TSubscription a = event.Subscribe([&](int n) { heard += "a" + std::to_string(n); });
    std::optional<TSubscription> b = event.Subscribe([&](int n) { heard += "b" + std::to_string(n); });
    EXPECT_FALSE(event.Subscribe(nullptr).Active());
    event.Fire(1);
    EXPECT_EQ(heard, "a1b1");  // in the order they subscribed
    b.reset();
    event.Fire(2);
    EXPECT_EQ(heard, "a1b1a2");
    // Moving a token over another ends the subscription it held.
    a = event.Subscribe([&](int n) { heard += "c" + std::to_string(n); });
    event.Fire(3);
    EXPECT_EQ(heard, "a1b1a2c3");
    EXPECT_EQ(event.Count(), 1);
}

TEST(Event, HandlersMayChangeTheListOrDestroyTheEventWhileItFires) {
    auto event = std::make_unique<TEvent<>>();
    std::string heard;
    TSubscription second, late;
    TSubscription first = event->Subscribe([&] {
        heard += "1";
        second.Reset();  // not called any more in this firing
        if (!late.Active()) late = event->Subscribe([&] { heard += "L"; });  // waits for the next
    });
    second = event->Subscribe([&] { heard += "2"; });
    event->Fire();
    EXPECT_EQ(heard, "1");
    event->Fire();
    EXPECT_EQ(heard, "11L");

    // A handler that destroys the event's owner ends the firing.
    TSubscription destroyer = event->Subscribe([&] { event.reset(); });
    TSubscription after = event->Subscribe([&] { heard += "X"; });
    heard.clear();
    event->Fire();
    EXPECT_EQ(event, nullptr);
    EXPECT_EQ(heard, "1L");
    // Tokens outlive their event.
    EXPECT_FALSE(after.Active());
    after.Reset();
}

TEST(Lifetime, AWatchOutlivesItsObjectAndSaysWhenItEnded) {
    TLifetime::TWatch watch;
    EXPECT_FALSE(watch);
    {
        TLifetime lifetime;
        watch = lifetime.Watch();
        EXPECT_TRUE(watch);
        TLifetime::TWatch early = lifetime.Watch();
        lifetime.End();
        EXPECT_FALSE(early);
    }
    EXPECT_FALSE(watch.Alive());
}

}  // namespace
