// TEvent and TSubscription: an event that several owners listen to, each for
// as long as it holds its subscription.
//
// Subscribe returns a TSubscription token; the handler stays subscribed
// until the token is destroyed, reset or moved over. A token may outlive its
// event (unsubscribing then does nothing), and an event may outlive its
// tokens. Fire calls the handlers in the order they subscribed:
// - a handler unsubscribed while the event fires is not called any more;
// - a handler subscribed while the event fires waits for the next one;
// - a handler may destroy the event's owner (and the event with it): the
//   handlers after it are then not called, since the event they belong to
//   is gone.
#pragma once

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "platform/Lifetime.h"

namespace eventdetail {

struct TEntry {
    bool active = true;
};

}  // namespace eventdetail

class TSubscription {
public:
    TSubscription() = default;
    explicit TSubscription(std::weak_ptr<eventdetail::TEntry> entry) : m_entry(std::move(entry)) {}
    ~TSubscription() { Reset(); }
    TSubscription(TSubscription&& other) noexcept : m_entry(std::exchange(other.m_entry, {})) {}
    TSubscription& operator=(TSubscription&& other) noexcept {
        if (this != &other) {
            Reset();
            m_entry = std::exchange(other.m_entry, {});
        }
        return *this;
    }
    TSubscription(const TSubscription&) = delete;
    TSubscription& operator=(const TSubscription&) = delete;

    // Unsubscribes now.
    void Reset() {
        if (auto entry = m_entry.lock()) entry->active = false;
        m_entry.reset();
    }
    // True while the handler is subscribed to an event that exists.
    bool Active() const {
        auto entry = m_entry.lock();
        return entry && entry->active;
    }

private:
    std::weak_ptr<eventdetail::TEntry> m_entry;
};

template <typename... Args>
class TEvent {
public:
    using THandler = std::function<void(Args...)>;

    TEvent() = default;
    TEvent(const TEvent&) = delete;
    TEvent& operator=(const TEvent&) = delete;

    // An empty handler subscribes nothing (the token is inactive).
    [[nodiscard]] TSubscription Subscribe(THandler handler) {
        if (!handler) return {};
        Compact();
        auto entry = std::make_shared<TEntry>();
        entry->handler = std::move(handler);
        m_entries.push_back(entry);
        return TSubscription(entry);
    }

    void Fire(Args... args) {
        auto watch = m_lifetime.Watch();
        // A copy: handlers may subscribe, unsubscribe or destroy the event.
        std::vector<std::shared_ptr<TEntry>> entries = m_entries;
        for (const auto& entry : entries) {
            if (!entry->active) continue;
            entry->handler(args...);
            if (!watch) return;
        }
        Compact();
    }

    // Handlers subscribed now.
    int Count() const {
        int count = 0;
        for (const auto& entry : m_entries) count += entry->active ? 1 : 0;
        return count;
    }

private:
    struct TEntry : eventdetail::TEntry {
        THandler handler;
    };

    void Compact() {
        std::erase_if(m_entries, [](const auto& entry) { return !entry->active; });
    }

    std::vector<std::shared_ptr<TEntry>> m_entries;
    TLifetime m_lifetime;
};
