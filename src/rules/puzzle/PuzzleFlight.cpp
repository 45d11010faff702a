#include "rules/puzzle/PuzzleFlight.h"

namespace rules {

TPuzzleFlight::TPuzzleFlight(const TPuzzleGeometry& geometry, TPuzzlePoint start, int entry)
    : m_position(start),
      m_left(geometry.LeftBound()),
      m_right(geometry.RightBound()),
      m_width(geometry.BubbleWidth) {
    TPuzzleDirection direction = Direction(entry);
    m_dx = direction.Dx;
    m_dy = direction.Dy;
}

void TPuzzleFlight::MoveX() {
    m_accumulatorX -= kThreshold;
    if (m_dx <= 0) {
        --m_position.X;
        // At or past the wall, so a bubble started outside still turns.
        if (m_position.X <= m_left) m_dx = -m_dx;
    } else {
        ++m_position.X;
        if (m_position.X + m_width >= m_right - 1) m_dx = -m_dx;
    }
}

void TPuzzleFlight::MoveY() {
    m_accumulatorY -= kThreshold;
    m_position.Y += m_dy <= 0 ? -1 : 1;
}

TPuzzleFlightAnimation::TPuzzleFlightAnimation(const TPuzzleGeometry& geometry, TPuzzlePoint start, int entry,
                                               TPuzzleCell target)
    : m_flight(geometry, start, entry),
      m_target(target),
      m_targetPosition(geometry.CellPosition(target)),
      m_far(2 * int64_t(geometry.SquaredWidth())) {}

bool TPuzzleFlightAnimation::ReachedEnd(TPuzzlePoint position) {
    if (m_targetPosition.Y >= position.Y) return true;
    int64_t distance = SquaredDistance(position, m_targetPosition);
    if (m_best < 0) {
        m_best = distance;
        return false;
    }
    // Far away counts as no measure at all; near the target, the first
    // move away from it ends the flight.
    if (distance > m_far) return false;
    if (distance > m_best) return true;
    m_best = distance;
    return false;
}

bool TPuzzleFlightAnimation::Advance(int steps) {
    for (int i = 0; i < steps && !m_finished; ++i)
        m_finished = m_flight.Step([this](TPuzzlePoint position) { return ReachedEnd(position); });
    return m_finished;
}

}  // namespace rules
