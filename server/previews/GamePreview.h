// The live preview of one running game: who watches it (alias and the slot
// 1..4 of their preview strip that shows it), the snapshot (74) a watcher
// gets when the slot takes the game and again whenever a new game of the
// match begins, and the end (94). Each watchable kind derives its own
// (TumblixPreview, GammonPreview, PuzzlePreview), which reads the snapshot
// from its referee and turns the referee's changes into that kind's
// messages.
//
// Which game a slot shows is kept here and nowhere else: before a game
// takes a watcher's slot, GameTables has every other game let go of it, so
// each (watcher, slot) belongs to at most one game and, with four slots, a
// watcher watches at most four games.
//
// A change is built into a message once and sent to every watcher with
// only the slot byte set; a game nobody watches builds nothing. Seats in
// messages count from 1 (seat 1 is the table's creator).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "previews/PreviewOutlet.h"
#include "previews/PreviewSink.h"
#include "protocol/PreviewMessages.h"
#include "rules/GameKind.h"

namespace server {

class GamePreview : public PreviewSink {
public:
    static constexpr int kSlots = 4;
    static constexpr bool IsSlot(int slot) { return slot >= 1 && slot <= kSlots; }

    GamePreview(PreviewOutlet& outlet, rules::TGameKind kind) : m_outlet(outlet), m_kind(kind) {}

    rules::TGameKind Kind() const { return m_kind; }
    // The watcher's slot shows this game from now on; the snapshot goes
    // out (again, when the slot showed it already).
    void Watch(const std::string& alias, int slot);
    // The watcher's slot is taken by another game: when this game had it,
    // the watcher is told to stop it (73).
    void Release(const std::string& alias, int slot);
    // The watcher left the service: forgotten, nothing is sent.
    void Forget(const std::string& alias);
    // The match ended with the seat's win: the end (94) goes to everyone
    // watching, who are then forgotten.
    void End(int winnerSeat);

    size_t WatcherCount() const { return m_watchers.size(); }
    bool Watches(const std::string& alias, int slot) const;
    // The whole game as code 74 carries it, for slot 0.
    protocol::TPreviewState Snapshot() const;

    void Restarted() override;

protected:
    using TState = decltype(protocol::TPreviewState::State);
    // The kind's part of the snapshot.
    virtual TState State() const = 0;

    bool Watched() const { return !m_watchers.empty(); }
    // Sends the message (built for slot 0) to every watcher, with the byte
    // at slotAt set to the watcher's slot. An empty message sends nothing.
    void Broadcast(std::string message, size_t slotAt = kSlotByte);

private:
    struct TWatcher {
        std::string alias;
        int slot = 0;
    };
    // Where the slot lies in every change message: after the code.
    static constexpr size_t kSlotByte = 1;
    // In the snapshot the kind comes first.
    static constexpr size_t kSnapshotSlotByte = 2;

    std::vector<TWatcher>::iterator Find(const std::string& alias, int slot);

    PreviewOutlet& m_outlet;
    rules::TGameKind m_kind;
    std::vector<TWatcher> m_watchers;
};

}  // namespace server
