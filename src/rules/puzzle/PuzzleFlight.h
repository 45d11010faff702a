// The stepping of a flying bubble, shared by the simulation that finds a
// shot's target and by the animation a window shows. Each step adds |dx|
// and |dy| (thousandths of a pixel, from the direction table) to two
// accumulators; while either holds 200 or more the bubble moves one pixel
// on that axis and gives 200 back, so a step moves about 5 pixels along the
// direction. A move that brings the bubble against a side wall (its left
// edge onto the left bound, its right edge onto the right bound - 1) turns
// it back horizontally. The caller sees every one-pixel move and may stop
// the flight there.
#pragma once

#include "rules/puzzle/PuzzleCanon.h"
#include "rules/puzzle/PuzzleGeometry.h"

namespace rules {

class TPuzzleFlight {
public:
    static constexpr int kThreshold = 200;

    TPuzzleFlight(const TPuzzleGeometry& geometry, TPuzzlePoint start, int entry);

    // One step. onMove(position) is called after every pixel move; when it
    // returns true the flight stops there and Step returns true.
    template <typename OnMove>
    bool Step(OnMove&& onMove) {
        ++m_steps;
        m_accumulatorX += m_dx < 0 ? -m_dx : m_dx;
        m_accumulatorY += m_dy < 0 ? -m_dy : m_dy;
        while (m_accumulatorX >= kThreshold || m_accumulatorY >= kThreshold) {
            if (m_accumulatorX >= kThreshold) {
                MoveX();
                if (onMove(m_position)) return true;
            }
            if (m_accumulatorY >= kThreshold) {
                MoveY();
                if (onMove(m_position)) return true;
            }
        }
        return false;
    }

    TPuzzlePoint Position() const { return m_position; }
    int Steps() const { return m_steps; }
    TPuzzleDirection CurrentDirection() const { return {m_dx, m_dy}; }

private:
    void MoveX();
    void MoveY();

    TPuzzlePoint m_position;
    int m_dx = 0, m_dy = 0;
    int m_accumulatorX = 0, m_accumulatorY = 0;
    int m_steps = 0;
    int m_left = 0, m_right = 0, m_width = 0;
};

// The flight a window shows once the target is known: one step per timer
// interval from the start point toward the target cell. It ends when the
// bubble has risen to the target's row, or when it starts to move away
// from the target after coming near (within two bubble widths). Where it
// ends is only a picture; the bubble always lands in the target.
class TPuzzleFlightAnimation {
public:
    TPuzzleFlightAnimation(const TPuzzleGeometry& geometry, TPuzzlePoint start, int entry, TPuzzleCell target);

    // Runs `steps` steps (the elapsed timer intervals); true once ended.
    bool Advance(int steps);
    // Ends the flight at once, as a pause or the opponent's next shot does.
    void Finish() { m_finished = true; }

    bool Finished() const { return m_finished; }
    TPuzzlePoint Position() const { return m_flight.Position(); }
    TPuzzleCell Target() const { return m_target; }
    int Steps() const { return m_flight.Steps(); }

private:
    bool ReachedEnd(TPuzzlePoint position);

    TPuzzleFlight m_flight;
    TPuzzleCell m_target;
    TPuzzlePoint m_targetPosition;
    int64_t m_far = 0;
    int64_t m_best = -1;
    bool m_finished = false;
};

}  // namespace rules
