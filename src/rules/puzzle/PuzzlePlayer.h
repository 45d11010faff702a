// The own side of a Puzzle game: the own field, the bomb credits, the next
// colour, the trash waiting to be placed, and the game's seed that every
// draw of this side uses.
//
// The field always holds the settled result: Fire lands the shot at once
// and hands back the changes for the window to play when its flight ends.
// The draws happen in the order the game defines them, so the other client
// and the referee can follow: the next colour is drawn right after a shot
// is fired (before that shot's landing earns credits), and each trash
// bubble placed draws its cell. PlaceTrash is the settle step's trash
// round; the window calls it only when its field is idle (nothing flying,
// no animation running).
#pragma once

#include <cstdint>
#include <deque>

#include "rules/Random.h"
#include "rules/puzzle/PuzzleAim.h"
#include "rules/puzzle/PuzzleCanon.h"
#include "rules/puzzle/PuzzleLanding.h"

namespace rules {

struct TPuzzleFire {
    // The shot would rest at or below the death line (or find no free
    // cell) and is not a bomb: the player has lost and nothing flies.
    bool Lost = false;
    int Colour = 0;
    TPuzzlePoint Start;
    TPuzzleAim Aim;
    TPuzzleLanding Landing;
};

// The next colour: draw among 7 until it is a bubble, or the bomb while
// credits are left.
int DrawPuzzleColour(TRandom& random, int bombCredits);

// A shot with no free cell loses, and so does any colour but the bomb
// coming to rest at or below the line.
bool ShotLoses(const TPuzzleGeometry& geometry, const TPuzzleAim& aim, int colour);

class TPuzzlePlayer {
public:
    explicit TPuzzlePlayer(const TPuzzleGeometry& geometry) : m_geometry(geometry) {}

    // Takes the game's seed and draws the first colour (never a bomb), as
    // when the window is shown and after each result.
    void Start(uint32_t seed);
    // A new game: empty field, no credits, no trash waiting. The seed and
    // the next colour carry over.
    void NewGame();

    // Fires the next colour from canon frame 1..43.
    TPuzzleFire Fire(int frame);

    // Queues a trash colour from the opponent; false for a colour outside
    // 1..6.
    bool QueueTrash(int colour);
    // Places queued trash into randomly drawn candidate cells; the list of
    // candidates is taken once for the round.
    TPuzzleCellChanges PlaceTrash();

    const TPuzzleField& Field() const { return m_field; }
    const TPuzzleGeometry& Geometry() const { return m_geometry; }
    int NextColour() const { return m_nextColour; }
    int BombCredits() const { return m_bombCredits; }
    size_t QueuedTrash() const { return m_trash.size(); }
    uint32_t Seed() const { return m_random.Seed(); }

private:
    TPuzzleGeometry m_geometry;
    TPuzzleField m_field;
    TRandom m_random;
    int m_nextColour = 1;
    int m_bombCredits = 0;
    std::deque<int> m_trash;
};

}  // namespace rules
