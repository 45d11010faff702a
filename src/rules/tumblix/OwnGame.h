// TOwnGame: the player's own Tumblix well and everything that moves in it:
// the falling piece, gravity, side moves and turns with their wall kicks,
// landing, lines, junk rows, levels, weights and bombs. No graphics, no
// timers: the window calls Tick every game tick and the moves on keys,
// then sends the payloads, plays the sounds and animates the events that
// TakePayloads, TakePendingSound and TakeEvents hand out, and draws what
// Well() now holds.
//
// Once the game has ended (Dead), moves and ticks do nothing until NewGame.
// Animations are not waited for: a weight has sunk and a bomb has blasted,
// lines are gone and the next piece is in by the time a move returns; the
// events carry the intermediate wells for the window to show.
//
// The kick memory outlives the piece it was made with: only a side move
// clears it, so a later turn of another piece may also move it back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "rules/Random.h"
#include "rules/tumblix/OwnEvents.h"
#include "rules/tumblix/Payload.h"
#include "rules/tumblix/PieceSource.h"
#include "rules/tumblix/Status.h"
#include "rules/tumblix/Well.h"

namespace rules::tumblix {

class TOwnGame {
public:
    // A new piece enters at this column, or as near as it fits.
    static constexpr int kStartColumn = 4;
    static constexpr int kSearchReach = 8;

    // The window is shown: both seeds from the set-up, the piece counters
    // reset, an empty well, no piece, not running.
    void Show(uint32_t seed);
    // A result arrived: both seeds for the next game; the game stops.
    void SetSeeds(uint32_t seed);
    // A new game starts (code ">"): empty well, first next piece ("3"),
    // first piece ("2"), level 1, delay 36.
    void NewGame();
    // Puts the game into a given position, running: the well (the piece is
    // put into it), the falling piece and the next one. For tests and
    // tools that need a particular situation.
    void SetPosition(const TWell& well, const TPiece& piece, int next);

    // One gravity step or a step down by key. True when the piece landed.
    bool BlockDown();
    void BlockLeft() { MoveSideways(-1); }
    void BlockRight() { MoveSideways(1); }
    void TurnBlock();
    // Drops the piece to the bottom; returns the rows it fell.
    int BlockFastDown();
    // The drop key: a piece that has not moved yet is only marked as moved
    // (so a stray press does not drop a fresh piece); otherwise it drops.
    void DropPress();
    // One game tick of gravity: counts down and steps when it runs out.
    void Tick();
    // The down key restarts the gravity count.
    void RestartCountdown() { m_countdown = m_delay; }
    // Sends the falling piece's position ("4").
    void Sendpos();

    // Code "6": a junk row pushed in below (Annoy).
    void Annoy();
    // Code "8": the level rises (NewLevel).
    void NewLevel();
    // Code "5" of the opponent: the line counts towards the progress too.
    void AddOpponentLine() { ++m_lines; }

    const TWell& Well() const { return m_well; }
    const TPiece& Piece() const { return m_piece; }
    int Next() const { return m_next; }
    int Level() const { return m_level; }
    int Lines() const { return m_lines; }
    int Delay() const { return m_delay; }
    int Countdown() const { return m_countdown; }
    int KickMemory() const { return m_kick; }
    bool Moved() const { return m_moved; }
    bool Dead() const { return m_dead; }
    TFitReason LastReason() const { return m_reason; }
    // The height for the balance bar, the falling piece not counted.
    int Height() const;
    uint32_t PieceSeed() const { return m_pieces.Seed(); }
    uint32_t JunkSeed() const { return m_junk.Seed(); }

    const std::string& PendingSound() const { return m_pendingSound; }
    std::string TakePendingSound();
    std::vector<std::string> TakePayloads();
    std::vector<TOwnEvent> TakeEvents();
    std::vector<TWellChange> TakeWellChanges() { return m_well.TakeChanges(); }

private:
    // Checkblock, remembering the reason for the turn's wall kicks.
    bool Fits(int shape, int x, int y);
    bool NewBlock();
    void EnterOrDie();
    void Iniplayer();
    void Land();
    void CheckLines();
    void Weightdown();
    void Explode(int x, int y);
    void Die();
    void MoveSideways(int dx);
    bool TryTurn(int shape, int dx, int dy);
    void UndoKick(int shape);
    void Kick(int shape);
    void Send(const TPayload& payload);

    TWell m_well;
    TPiece m_piece;
    int m_next = kNoShape;
    TPieceSource m_pieces;
    TRandom m_junk;
    int m_delay = kFirstDelay;
    int m_countdown = kFirstDelay;
    int m_level = 0;
    int m_lines = 0;
    int m_kick = 0;
    bool m_moved = false;
    bool m_dead = true;
    TFitReason m_reason = TFitReason::BottomOrOccupied;
    std::string m_pendingSound;
    std::vector<std::string> m_payloads;
    std::vector<TOwnEvent> m_events;
};

}  // namespace rules::tumblix
