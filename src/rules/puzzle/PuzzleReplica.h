// A copy of one player's field kept from that player's messages: the
// window keeps the opponent's field this way, and the server's referee
// keeps both players' fields to check what they send and to feed the
// previews. A shot (colour, direction entry, target cell) is landed by the
// same rules as on the shooter's own field; placed trash is set as it is.
//
// The checks are the referee's: a shot must name a colour the shooter
// could have been given, a target above the line unless it is a bomb, and
// exactly the target and tuned entry the shooter's canon yields on this
// field; placed trash must be a colour the referee handed to that player
// and a cell the settle step could have chosen. The window applies
// without checking.
#pragma once

#include <deque>

#include "rules/puzzle/PuzzleAim.h"
#include "rules/puzzle/PuzzleLanding.h"

namespace rules {

enum class TPuzzleVerdict {
    Ok,
    BadColour,         // not 1..7 (shots) or 1..6 (trash)
    BombWithoutCredit, // a bomb the shooter could not have drawn
    BadEntry,          // a direction entry outside 0..126
    BadCell,           // a cell outside the grid
    BelowLine,         // a bubble resting at or below the line: the shooter lost
    WrongTarget,       // no canon frame yields this entry and target
    NotCandidate,      // trash into a cell the settle step cannot choose
    UnexpectedTrash    // trash of a colour not handed to the player
};

class TPuzzleReplica {
public:
    explicit TPuzzleReplica(const TPuzzleGeometry& geometry) : m_geometry(geometry) {}

    // A new game: empty field, no credits, no trash expected.
    void Reset();

    TPuzzleVerdict CheckShot(int colour, int entry, TPuzzleCell target) const;
    // Lands the shot (cell and colour range-checked only) and follows the
    // shooter's bomb credits.
    TPuzzleLanding ApplyShot(int colour, TPuzzleCell target);

    // The referee hands a trash colour to this player; it must come back
    // placed in the order handed over.
    void ExpectTrash(int colour);
    TPuzzleVerdict CheckTrash(int colour, TPuzzleCell cell) const;
    // Sets the cell; false (nothing changes) for a cell outside the grid or
    // a colour outside 1..6.
    bool ApplyTrash(int colour, TPuzzleCell cell);

    // The canon frame whose tuned shot is exactly (entry, target) on this
    // field, or 0 when none is.
    int ShooterFrame(int entry, TPuzzleCell target) const;

    const TPuzzleField& Field() const { return m_field; }
    const TPuzzleGeometry& Geometry() const { return m_geometry; }
    int BombCredits() const { return m_bombCredits; }
    // The shooter's next colour was drawn while credits were left.
    bool BombAllowed() const { return m_bombAllowed; }

private:
    TPuzzleGeometry m_geometry;
    TPuzzleField m_field;
    int m_bombCredits = 0;
    bool m_bombAllowed = false;
    std::deque<int> m_expectedTrash;
};

}  // namespace rules
