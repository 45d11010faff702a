// The mouse subscriber lists of a paint surface: TMousemove (pointer moved),
// TMouseclick (button pressed or released) and TMousewheel (wheel turned).
//
// Each list is an ordered set of keyed subscriptions (TaMousemove,
// TaMouseclick, TaMousewheel). The key is any identity the subscriber
// chooses, as a rule its own address; Unsubscribe removes the first
// subscription with that key. Dispatch calls every handler in list order.
//
// Re-entry: a handler may subscribe, unsubscribe (itself or others) or free
// the list while the list dispatches. A subscription removed during a
// dispatch is not called any more by that dispatch; one added during a
// dispatch first sees the next event. A handler being removed is never freed
// while it runs: removed entries stay in place until the outermost dispatch
// ends. When the list itself is freed by a handler, the dispatch stops.
//
// Shift states carry the platform's KeyShift bits: the keys and the mouse
// buttons held (the paint surface adds the pressed button on a press).
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/Lifetime.h"
#include "platform/Platform.h"

class TPaint;

using TShiftState = unsigned;

// The common list machinery; Args are the arguments after the sender.
template <typename... Args>
class TSubscriberList {
public:
    using THandler = std::function<void(TPaint* sender, Args...)>;

    struct TSubscription {
        const void* key = nullptr;
        THandler handler;
        bool removed = false;
    };

    TSubscriberList() = default;
    ~TSubscriberList() { m_lifetime.End(); }
    TSubscriberList(const TSubscriberList&) = delete;
    TSubscriberList& operator=(const TSubscriberList&) = delete;

    // Appends a subscription; a missing handler adds nothing.
    void Subscribe(const void* key, THandler handler) {
        if (!handler) return;
        auto entry = std::make_unique<TSubscription>();
        entry->key = key;
        entry->handler = std::move(handler);
        m_entries.push_back(std::move(entry));
    }

    // Removes the first live subscription with that key; false when none.
    bool Unsubscribe(const void* key) {
        for (size_t i = 0; i < m_entries.size(); ++i) {
            TSubscription& entry = *m_entries[i];
            if (entry.removed || entry.key != key) continue;
            if (m_depth > 0) {
                entry.removed = true;
                m_hasRemoved = true;
            } else {
                m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(i));
            }
            return true;
        }
        return false;
    }

    bool Subscribed(const void* key) const {
        for (const auto& entry : m_entries) {
            if (!entry->removed && entry->key == key) return true;
        }
        return false;
    }

    // Live subscriptions.
    int Count() const {
        int count = 0;
        for (const auto& entry : m_entries) count += entry->removed ? 0 : 1;
        return count;
    }

    void Dispatch(TPaint* sender, Args... args) {
        auto alive = m_lifetime.Watch();
        size_t end = m_entries.size();  // later subscriptions wait for the next event
        ++m_depth;
        for (size_t i = 0; i < end && i < m_entries.size(); ++i) {
            TSubscription* entry = m_entries[i].get();
            if (entry->removed) continue;
            entry->handler(sender, args...);
            if (!alive) return;
        }
        if (--m_depth == 0 && m_hasRemoved) Compact();
    }

private:
    void Compact() {
        std::erase_if(m_entries, [](const auto& entry) { return entry->removed; });
        m_hasRemoved = false;
    }

    // Entries are held by pointer so that appending during a dispatch never
    // moves a handler that is running.
    std::vector<std::unique_ptr<TSubscription>> m_entries;
    int m_depth = 0;
    bool m_hasRemoved = false;
    TLifetime m_lifetime;
};

// Move handlers get (sender, shift state, x, y).
class TMousemove : public TSubscriberList<TShiftState, int, int> {};
using TaMousemove = TMousemove::TSubscription;

// Down and up handlers get (sender, button, shift state, x, y).
class TMouseclick : public TSubscriberList<int, TShiftState, int, int> {};
using TaMouseclick = TMouseclick::TSubscription;

// Wheel handlers get (sender, shift state, point in window coordinates,
// whole notches).
struct TPoint {
    int x = 0, y = 0;
};
class TMousewheel : public TSubscriberList<TShiftState, TPoint, int> {};
using TaMousewheel = TMousewheel::TSubscription;
