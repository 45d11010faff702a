#include "rules/puzzle/PuzzleReplica.h"

#include "rules/puzzle/PuzzleCanon.h"

namespace rules {
namespace {

// Fine-tuning moves a shot at most this far from its frame's entry.
constexpr int kTuningReach = 10;

}  // namespace

void TPuzzleReplica::Reset() {
    m_field.Clear();
    m_bombCredits = 0;
    m_bombAllowed = false;
    m_expectedTrash.clear();
}

int TPuzzleReplica::ShooterFrame(int entry, TPuzzleCell target) const {
    // Only frames whose own entry lies within the tuning reach can have
    // produced this entry; each is aimed as its shooter would.
    for (int frame = 1; frame <= kCanonFrames; ++frame) {
        int own = EntryOfFrame(frame);
        if (own < entry - kTuningReach || own > entry + kTuningReach) continue;
        TPuzzleAim aim = AimShot(m_field, m_geometry, m_geometry.StartPoint(frame), own);
        if (aim.HasTarget && aim.Entry == entry && aim.Target == target) return frame;
    }
    return 0;
}

TPuzzleVerdict TPuzzleReplica::CheckShot(int colour, int entry, TPuzzleCell target) const {
    if (!IsShotColour(colour)) return TPuzzleVerdict::BadColour;
    if (colour == kPuzzleBomb && !m_bombAllowed) return TPuzzleVerdict::BombWithoutCredit;
    if (!IsDirectionEntry(entry)) return TPuzzleVerdict::BadEntry;
    if (!TPuzzleField::IsCell(target)) return TPuzzleVerdict::BadCell;
    if (target.Row >= m_geometry.RowsAboveLine() && colour != kPuzzleBomb) return TPuzzleVerdict::BelowLine;
    if (ShooterFrame(entry, target) == 0) return TPuzzleVerdict::WrongTarget;
    return TPuzzleVerdict::Ok;
}

TPuzzleLanding TPuzzleReplica::ApplyShot(int colour, TPuzzleCell target) {
    if (!IsShotColour(colour) || !TPuzzleField::IsCell(target)) return {};
    // The shooter spends a credit on firing a bomb and draws its next
    // colour before this shot lands and earns anything.
    if (colour == kPuzzleBomb && m_bombCredits > 0) --m_bombCredits;
    m_bombAllowed = m_bombCredits > 0;
    TPuzzleLanding landing = Land(m_field, target, colour);
    m_bombCredits += landing.BombCredits;
    return landing;
}

void TPuzzleReplica::ExpectTrash(int colour) {
    if (IsBubbleColour(colour)) m_expectedTrash.push_back(colour);
}

TPuzzleVerdict TPuzzleReplica::CheckTrash(int colour, TPuzzleCell cell) const {
    if (!IsBubbleColour(colour)) return TPuzzleVerdict::BadColour;
    if (!TPuzzleField::IsCell(cell)) return TPuzzleVerdict::BadCell;
    // The player places trash in the order it arrived, so it must be the
    // oldest colour handed over and not yet placed.
    if (m_expectedTrash.empty() || m_expectedTrash.front() != colour) return TPuzzleVerdict::UnexpectedTrash;
    if (!m_field.IsTrashCandidate(cell, m_geometry.RowsAboveLine())) return TPuzzleVerdict::NotCandidate;
    return TPuzzleVerdict::Ok;
}

bool TPuzzleReplica::ApplyTrash(int colour, TPuzzleCell cell) {
    if (!IsBubbleColour(colour) || !m_field.SetColour(cell, colour)) return false;
    if (!m_expectedTrash.empty() && m_expectedTrash.front() == colour) m_expectedTrash.pop_front();
    return true;
}

}  // namespace rules

