#include "rules/puzzle/PuzzleAim.h"

#include <optional>

#include "rules/puzzle/PuzzleCanon.h"
#include "rules/puzzle/PuzzleFlight.h"

namespace rules {
namespace {

// Two bubbles collide when they overlap by this much more than touching.
constexpr int kCollisionMargin = 368;
// Fine-tuning moves a shot at most this many entries.
constexpr int kMaxTuning = 10;
// Every real flight reaches the top within a few thousand steps; this only
// guards against a geometry nobody checked.
constexpr int kMaxSteps = 1000000;

class TShotTest {
public:
    TShotTest(const TPuzzleField& field, const TPuzzleGeometry& geometry) : m_field(field), m_geometry(geometry) {}

    // True when the bubble collides at `position`.
    bool Collides(TPuzzlePoint position) {
        if (position.Y <= m_geometry.TopBound()) {
            if (!m_contact) m_contact = position;
            return true;
        }
        int row = (position.Y - m_geometry.TopBound()) / m_geometry.RowPitch();
        bool collision = false;
        if (row < kPuzzleRows) {
            bool inRow = TestRow(row, position);
            bool inRowBelow = TestRow(row + 1, position);
            collision = inRow || inRowBelow;
        }
        if (!collision) m_contact.reset();
        return collision;
    }

    std::optional<TPuzzlePoint> Contact() const { return m_contact; }

private:
    bool TestRow(int row, TPuzzlePoint position) {
        if (row >= kPuzzleRows) return false;
        int64_t touch = m_geometry.SquaredWidth();
        int64_t collision = touch - kCollisionMargin;
        bool collided = false;
        for (int column = 0; column < TPuzzleField::ColumnsInRow(row); ++column) {
            if (!IsShotColour(m_field.Colour({column, row}))) continue;
            int64_t distance = SquaredDistance(position, m_geometry.CellPosition({column, row}));
            if (distance < touch && !m_contact) m_contact = position;
            if (distance < collision) collided = true;
        }
        return collided;
    }

    const TPuzzleField& m_field;
    const TPuzzleGeometry& m_geometry;
    std::optional<TPuzzlePoint> m_contact;
};

void ChooseTarget(const TPuzzleField& field, const TPuzzleGeometry& geometry, TPuzzleAim& aim) {
    for (const TPuzzleCell& cell : TPuzzleField::AllCells()) {
        int colour = field.Colour(cell);
        if (colour != 0 && colour <= kPuzzleColours) continue;
        int64_t distance = SquaredDistance(aim.Contact, geometry.CellPosition(cell));
        if (aim.HasTarget && distance >= aim.Distance) continue;
        aim.HasTarget = true;
        aim.Target = cell;
        aim.Distance = distance;
    }
}

bool IsBetter(const TPuzzleAim& candidate, const TPuzzleAim& kept) {
    return candidate.HasTarget && candidate.Distance < kept.Distance && candidate.Target == kept.Target;
}

}  // namespace

TPuzzleAim SimulateShot(const TPuzzleField& field, const TPuzzleGeometry& geometry, TPuzzlePoint start, int entry) {
    TPuzzleAim aim;
    aim.Entry = entry;
    // A broken layout has no row pitch to find rows by: no target.
    if (!geometry.IsValid()) return aim;
    TShotTest test(field, geometry);
    TPuzzleFlight flight(geometry, start, entry);
    bool collided = false;
    while (!collided && flight.Steps() < kMaxSteps)
        collided = flight.Step([&test](TPuzzlePoint position) { return test.Collides(position); });
    aim.Steps = flight.Steps();
    aim.Contact = test.Contact().value_or(flight.Position());
    ChooseTarget(field, geometry, aim);
    return aim;
}

TPuzzleAim AimShot(const TPuzzleField& field, const TPuzzleGeometry& geometry, TPuzzlePoint start, int entry) {
    TPuzzleAim kept = SimulateShot(field, geometry, start, entry);
    if (!kept.HasTarget || kept.Distance == 0) return kept;
    // An entry outside the table never wins, as if it were one worse.
    auto tryEntry = [&](int candidate) {
        if (IsDirectionEntry(candidate)) return SimulateShot(field, geometry, start, candidate);
        TPuzzleAim worse = kept;
        worse.Entry = candidate;
        worse.Distance = kept.Distance + 1;
        return worse;
    };
    int way = 1;
    TPuzzleAim latest = tryEntry(entry + 1);
    if (!IsBetter(latest, kept)) {
        way = -1;
        latest = tryEntry(entry - 1);
    }
    for (int taken = 0; taken < kMaxTuning && IsBetter(latest, kept); ++taken) {
        kept = latest;
        latest = tryEntry(kept.Entry + way);
    }
    return kept;
}

}  // namespace rules
