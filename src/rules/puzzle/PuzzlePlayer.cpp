#include "rules/puzzle/PuzzlePlayer.h"

#include "rules/puzzle/PuzzleCanon.h"

namespace rules {

void TPuzzlePlayer::Start(uint32_t seed) {
    m_random.SetSeed(seed);
    m_nextColour = static_cast<int>(m_random.Draw(kPuzzleColours)) + 1;
}

void TPuzzlePlayer::NewGame() {
    m_field.Clear();
    m_bombCredits = 0;
    m_trash.clear();
}

int DrawPuzzleColour(TRandom& random, int bombCredits) {
    for (;;) {
        int colour = static_cast<int>(random.Draw(kPuzzleBomb)) + 1;
        if (colour <= kPuzzleColours || bombCredits > 0) return colour;
    }
}

bool ShotLoses(const TPuzzleGeometry& geometry, const TPuzzleAim& aim, int colour) {
    if (!aim.HasTarget) return true;
    return aim.Target.Row >= geometry.RowsAboveLine() && colour != kPuzzleBomb;
}

TPuzzleFire TPuzzlePlayer::Fire(int frame) {
    TPuzzleFire fire;
    fire.Colour = m_nextColour;
    fire.Start = m_geometry.StartPoint(frame);
    fire.Aim = AimShot(m_field, m_geometry, fire.Start, EntryOfFrame(frame));
    if (ShotLoses(m_geometry, fire.Aim, fire.Colour)) {
        fire.Lost = true;
        return fire;
    }
    if (fire.Colour == kPuzzleBomb && m_bombCredits > 0) --m_bombCredits;
    m_nextColour = DrawPuzzleColour(m_random, m_bombCredits);
    fire.Landing = Land(m_field, fire.Aim.Target, fire.Colour);
    m_bombCredits += fire.Landing.BombCredits;
    return fire;
}

bool TPuzzlePlayer::QueueTrash(int colour) {
    if (!IsBubbleColour(colour)) return false;
    m_trash.push_back(colour);
    return true;
}

TPuzzleCellChanges TPuzzlePlayer::PlaceTrash() {
    TPuzzleCellChanges changes;
    TPuzzleCells candidates = m_field.TrashCandidates(m_geometry.RowsAboveLine());
    while (!m_trash.empty() && !candidates.empty()) {
        auto pick = candidates.begin() + m_random.Draw(static_cast<uint32_t>(candidates.size()));
        int colour = m_trash.front();
        m_trash.pop_front();
        m_field.SetColour(*pick, colour);
        changes.push_back({*pick, TPuzzleChangeKind::Trash, colour});
        candidates.erase(pick);
    }
    return changes;
}

}  // namespace rules
