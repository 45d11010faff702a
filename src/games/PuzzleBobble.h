// TBobble: one cell of a Puzzle field (and the next-bubble preview), a
// sprite on the shared bubble frames. At rest it shows its colour's frame
// (frame 0, nothing, when empty) at translucency level 25. It plays a strip
// once (a burst, a bomb, arriving trash, the frames of a lost game) and
// then rests at the colour it was given, and it falls: 10 pixels down per
// interval of its fall timer until it reaches the bottom bound, where it
// becomes empty and goes back to its cell. Its owner hears of the end of
// either through OnPlayed and OnFallen.
#pragma once

#include <functional>
#include <memory>

#include "games/PuzzleFrames.h"
#include "graphics/Myimagelist.h"

class TMyTimer;

class TBobble : public TMyimagelist {
public:
    static constexpr int kRestTranslucency = 25;
    static constexpr int kFallStep = 10;

    TBobble(TMygfx* parent, const TMyimagelist& frames, int x, int y);
    ~TBobble() override;

    // At rest in the colour (0: empty); stops whatever ran.
    void Rest(int colour);
    int Colour() const { return m_colour; }

    // Plays the strip once at the translucency, then rests at colour. An
    // empty strip ends at once.
    void Play(TBobbleStrip strip, int translucency, int colour);
    bool Playing() const { return m_playing; }
    // Ends a running strip now, as its last frame would.
    void FinishPlay();

    // Falls from the cell toward the bottom bound.
    void Fall(int bottom);
    bool Falling() const { return m_falling; }
    // Stops a fall where it is: empty, back in the cell. No OnFallen.
    void StopFall();
    // The fall ends now as if it had reached the bottom (OnFallen).
    void FinishFall();
    void SetFallInterval(int ms);

    std::function<void(TBobble* sender)> OnPlayed;
    // The fall reached the bottom; colour: the bubble that fell.
    std::function<void(TBobble* sender, int colour)> OnFallen;

private:
    void Played();
    void FallTick(int64_t intervals);

    int m_colour = 0;
    bool m_playing = false;
    bool m_falling = false;
    int m_homeX, m_homeY;
    int m_bottom = 0;
    std::unique_ptr<TMyTimer> m_fallTimer;
};
