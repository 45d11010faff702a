// TWellReplay: a well rebuilt from its player's payloads ("2" to ":"), as
// the opponent's window shows it and as the server's referee tracks both
// players' wells. Fed every payload its player sends, it holds the same
// cells as that player's own well after each of the player's moves.
//
// Apply follows the payloads as they come, skipping cells outside the well.
// Check says beforehand whether a payload fits the well as tracked, so the
// referee can refuse one that could not have come from a real game; Apply
// does not need it.
//
// A weight or a bomb is forgotten once its ":" or "9" has been replayed:
// the bomb's last reported cell is cleared with the blast (it may have moved
// since it was last reported, when it blew up beside a block), and nothing
// is taken out when the next piece arrives, so rows that moved down into
// its old place in between stay as they are. A weight or bomb that lands on
// the bottom row vanishes from the player's well at once but from the copy
// only with the next piece; when the landing ends the game, it stays.
#pragma once

#include <vector>

#include "rules/tumblix/Payload.h"
#include "rules/tumblix/Well.h"

namespace rules::tumblix {

enum class TReplayCheck {
    Fits,
    // Not a payload that changes a well (pause, level, result...).
    NotWellPayload,
    // Out of order: no next piece announced, no piece to move, not the
    // piece that is falling, a weight or a bomb that is not there.
    Unexpected,
    // The piece does not fit where it is said to be, the row is not full,
    // the junk row is no junk row or the stack reaches the top.
    DoesNotFit,
};

// The codes a player sends that replay on the opponent's copy of its well
// (the window's opponent well, the referee's check, the tests' players).
bool IsWellReplayCode(int code);

class TWellReplay {
public:
    // Empty well, no piece, no next piece: a game is about to start.
    void Reset();

    TReplayCheck Check(const TPayload& payload) const;
    // True when the payload concerned the well (and was applied).
    bool Apply(const TPayload& payload);

    const TWell& Well() const { return m_well; }
    const TPiece& Piece() const { return m_piece; }
    int Next() const { return m_next; }
    // Lines this well's player removed since Reset.
    int Lines() const { return m_lines; }
    // The height for the balance bar, the falling piece not counted.
    int Height() const;
    std::vector<TWellChange> TakeChanges() { return m_well.TakeChanges(); }

private:
    struct TChecker;
    struct TApplier;

    void Enter(const TNewPiece& p);
    void Move(const TPosition& p);
    void Junk(const TJunkRow& p);
    void Blast(const TBombExploded& p);
    void Sink(const TWeightLanded& p);
    // The stack without the falling piece.
    TWell Stack() const;

    TWell m_well;
    TPiece m_piece;
    int m_next = kNoShape;
    int m_lines = 0;
};

}  // namespace rules::tumblix
