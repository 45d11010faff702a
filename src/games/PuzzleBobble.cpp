#include "games/PuzzleBobble.h"

#include "shell/MyTimer.h"

TBobble::TBobble(TMygfx* parent, const TMyimagelist& frames, int x, int y)
    : TMyimagelist(parent, frames, x, y), m_homeX(x), m_homeY(y), m_fallTimer(std::make_unique<TMyTimer>()) {
    SetTransparent(true);
    SetTranslucency(kRestTranslucency);
    m_fallTimer->SetInterval(7);
    m_fallTimer->OnTick = [this](TMyTimer*, int64_t count) { FallTick(count); };
    OnDone = [this](TMyimagelist*) { Played(); };
}

TBobble::~TBobble() = default;

void TBobble::Rest(int colour) {
    if (m_playing) {
        m_playing = false;
        StopAnimation();
    }
    if (m_falling) StopFall();
    m_colour = colour;
    SetTranslucency(kRestTranslucency);
    SetFrame(colour);
}

void TBobble::Play(TBobbleStrip strip, int translucency, int colour) {
    m_colour = colour;
    m_playing = true;
    if (strip.Empty()) {
        Played();
        return;
    }
    SetTranslucency(translucency);
    Animate(strip.First, strip.Last, 1);
}

void TBobble::FinishPlay() {
    if (m_playing) FinishAnimation();
}

void TBobble::Played() {
    if (!m_playing) return;
    m_playing = false;
    SetTranslucency(kRestTranslucency);
    SetFrame(m_colour);
    if (OnPlayed) OnPlayed(this);
}

void TBobble::Fall(int bottom) {
    m_bottom = bottom;
    m_falling = true;
    m_fallTimer->SetEnabled(true);
}

void TBobble::StopFall() {
    m_falling = false;
    m_fallTimer->SetEnabled(false);
    m_colour = 0;
    SetFrame(0);
    MoveTo(m_homeX, m_homeY);
}

void TBobble::SetFallInterval(int ms) {
    const bool running = m_fallTimer->Enabled();
    m_fallTimer->SetInterval(ms);
    if (running) m_fallTimer->SetEnabled(true);
}

void TBobble::FallTick(int64_t intervals) {
    if (!m_falling) return;
    const int64_t y = Y() + kFallStep * intervals;
    if (y < m_bottom) {
        MoveTo(X(), static_cast<int>(y));
        return;
    }
    FinishFall();
}

void TBobble::FinishFall() {
    if (!m_falling) return;
    const int colour = m_colour;
    StopFall();
    if (OnFallen) OnFallen(this, colour);
}
