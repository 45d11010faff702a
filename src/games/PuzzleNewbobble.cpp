#include "games/PuzzleNewbobble.h"

#include <algorithm>

#include "rules/puzzle/PuzzleTiming.h"
#include "shell/MyTimer.h"

TNewbobble::TNewbobble(TMygfx* parent, const TMyimagelist& frames)
    : TMyimagelist(parent, frames, 0, 0), m_timer(std::make_unique<TMyTimer>()) {
    SetTransparent(true);
    SetLayer(5);
    m_timer->SetInterval(m_moveInterval);
    m_timer->OnTick = [this](TMyTimer*, int64_t count) { Tick(count); };
}

TNewbobble::~TNewbobble() = default;

void TNewbobble::Launch(const rules::TPuzzleGeometry& geometry, rules::TPuzzlePoint start, int entry,
                        rules::TPuzzleCell target, int colour, int steps) {
    m_flight.emplace(geometry, start, entry, target);
    m_colour = colour;
    MoveTo(start.X, start.Y);
    const TBobbleStrip growth = TBobbleFrames::Growth(colour);
    if (growth.Empty()) {
        SetFrame(colour);  // the bomb has no growth frames
    } else {
        SetFrameInterval(rules::GrowthFrameDelay(steps, m_moveInterval));
        Animate(growth.First, growth.Last, 1);
    }
    Show();
    m_timer->SetEnabled(true);
}

void TNewbobble::SetMoveInterval(int ms) {
    m_moveInterval = ms;
    const bool running = m_timer->Enabled();
    m_timer->SetInterval(ms);
    if (running) m_timer->SetEnabled(true);
}

void TNewbobble::Tick(int64_t intervals) {
    if (!m_flight) return;
    const bool running = !Running || Running();
    if (running && !m_flight->Advance(static_cast<int>(std::min<int64_t>(intervals, 1000)))) {
        const rules::TPuzzlePoint at = m_flight->Position();
        MoveTo(at.X, at.Y);
        return;
    }
    LandNow();
}

void TNewbobble::LandNow() {
    if (!m_flight) return;
    const rules::TPuzzleCell target = m_flight->Target();
    m_flight.reset();
    m_timer->SetEnabled(false);
    StopAnimation();
    Hide();
    if (OnLanded) OnLanded(target, m_colour);
}

void TNewbobble::Abort() {
    m_flight.reset();
    m_timer->SetEnabled(false);
    StopAnimation();
    Hide();
}
