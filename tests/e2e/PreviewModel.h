// What one slot of a watcher's preview strip holds, kept from the preview
// messages alone as a client applies them: the snapshot (74) loads the
// state, the changes edit it the way the preview strip does (a Backgammon
// move onto a lone opposing checker sends that checker to its bar first,
// an undo onto the tray means the tray of the colour whose roll it is),
// the end (94) and the stop (73) are noted. The state is kept in the
// snapshot's own encoding, so it compares directly with a fresh snapshot.
//
// Messages for other slots are skipped; a change before any snapshot, or
// one that does not fit the state, is counted as a fault.
#pragma once

#include <optional>
#include <string>

#include "protocol/PreviewMessages.h"

namespace e2etest {

class TPreviewModel {
public:
    explicit TPreviewModel(int slot) : m_slot(slot) {}

    void Apply(const std::string& message);

    // The state after the last snapshot and the changes since; none before
    // the first snapshot or after a stop.
    const std::optional<protocol::TPreviewState>& State() const { return m_state; }
    bool Ended() const { return m_ended; }
    int Winner() const { return m_winner; }
    int Changes() const { return m_changes; }
    int Faults() const { return m_faults; }

private:
    void Snapshot(const protocol::TPreviewState& state);
    void Tumblix(const std::string& message, protocol::TTumblixSnapshot& s);
    void Gammon(const std::string& message, protocol::TGammonSnapshot& s);
    void Puzzle(const std::string& message, protocol::TPuzzleSnapshot& s);
    void GammonMove(protocol::TGammonSnapshot& s, int point, int distance);
    void GammonUndo(protocol::TGammonSnapshot& s, int to, int from, int hit);

    int m_slot;
    std::optional<protocol::TPreviewState> m_state;
    bool m_ended = false;
    int m_winner = 0;
    int m_changes = 0;
    int m_faults = 0;
};

}  // namespace e2etest
