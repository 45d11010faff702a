#include "rules/tumblix/PieceSource.h"

namespace rules::tumblix {

void TPieceSource::ResetCounters() {
    for (int piece = 0; piece < kPieceCount; ++piece) {
        bool rare = piece == kWeightPiece || piece == kBombPiece;
        m_table[piece] = {true, rare ? kRarePeriod : 1, 0};
    }
}

int TPieceSource::RandomBlock() {
    // Every piece is enabled, so the loop ends: a classic piece is accepted
    // the first time it is drawn.
    for (;;) {
        int shape = static_cast<int>(m_random.Draw(kShapeCount));
        TFrequency& entry = m_table[PieceOf(shape)];
        if (!entry.Enabled) continue;
        if (++entry.Counter < entry.Period) continue;
        entry.Counter = 0;
        return shape;
    }
}

TRow DrawJunkRow(TRandom& junk) {
    constexpr uint32_t kJunkColours = 7;
    constexpr uint32_t kFewestHoles = 3;
    TRow row{};
    for (uint8_t& cell : row) cell = static_cast<uint8_t>(junk.Draw(kJunkColours) + 1);
    uint32_t holes = junk.Draw(2) + kFewestHoles;
    for (uint32_t i = 0; i < holes; ++i) row[junk.Draw(kWellColumns)] = 0;
    return row;
}

}  // namespace rules::tumblix
