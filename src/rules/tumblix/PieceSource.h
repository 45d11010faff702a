// TPieceSource: where the Tumblix pieces come from (RandomBlock). The piece
// seed draws a shape out of 36, so the rotation is random too; a frequency
// table then lets the seven classic pieces through every time they are
// drawn, but the weight and the bomb only every fourth time. Both clients of
// a table and the server's referee keep one each, seeded alike, with the
// counters reset only when the window is shown, and so get the same pieces.
//
// The junk rows of a well come from a second seed (DrawJunkRow), kept apart
// so that junk never shifts the piece sequence.
#pragma once

#include <array>
#include <cstdint>

#include "rules/Random.h"
#include "rules/tumblix/Shapes.h"
#include "rules/tumblix/WellChange.h"

namespace rules::tumblix {

class TPieceSource {
public:
    TPieceSource() { ResetCounters(); }
    explicit TPieceSource(uint32_t seed) : m_random(seed) { ResetCounters(); }

    uint32_t Seed() const { return m_random.Seed(); }
    void SetSeed(uint32_t seed) { m_random.SetSeed(seed); }
    void ResetCounters();

    // The next shape, 0..35.
    int RandomBlock();

private:
    struct TFrequency {
        bool Enabled = true;
        int Period = 1;
        int Counter = 0;
    };
    // The weight and the bomb come through every fourth time they are drawn.
    static constexpr int kRarePeriod = 4;

    TRandom m_random;
    std::array<TFrequency, kPieceCount> m_table{};
};

// The junk row a well receives: each cell from left to right gets colour
// draw(7) + 1, then draw(2) + 3 times a column draw(12) is emptied (the same
// column may come twice).
TRow DrawJunkRow(TRandom& junk);

}  // namespace rules::tumblix
