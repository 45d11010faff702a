// TNewbobble: the flying bubble of a Puzzle field. Launched with the target
// the rules found, it steps along its direction on its timer (one step per
// interval, bouncing off the walls as the simulation did) while growing
// into its full size over the flight, and lands in the target when the
// flight animation ends, or at once when told to (a pause, the opponent's
// next shot, the shot clock) or when its window is not running.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "games/PuzzleFrames.h"
#include "graphics/Myimagelist.h"
#include "rules/puzzle/PuzzleFlight.h"

class TMyTimer;

class TNewbobble : public TMyimagelist {
public:
    TNewbobble(TMygfx* parent, const TMyimagelist& frames);
    ~TNewbobble() override;

    // steps: the simulated flight's length, which paces the growth frames.
    void Launch(const rules::TPuzzleGeometry& geometry, rules::TPuzzlePoint start, int entry,
                rules::TPuzzleCell target, int colour, int steps);
    bool Flying() const { return m_flight.has_value(); }
    // Lands in the target now (nothing when not flying).
    void LandNow();
    // Ends the flight without landing (a field that is emptied).
    void Abort();
    void SetMoveInterval(int ms);
    int MoveInterval() const { return m_moveInterval; }

    // Asked at every timer call; false ends the flight at once.
    std::function<bool()> Running;
    // The bubble is hidden and its flight over; the cell gets the colour.
    std::function<void(rules::TPuzzleCell target, int colour)> OnLanded;

private:
    void Tick(int64_t intervals);

    std::optional<rules::TPuzzleFlightAnimation> m_flight;
    int m_colour = 0;
    int m_moveInterval = 7;
    std::unique_ptr<TMyTimer> m_timer;
};
