// TGraphicsState: the graphics library's part of the application context:
// the font and image registries, the list of paint surfaces that receive the
// application's activation events, and the sound switch.
//
// The registries are created on first use (TFonts::Instance,
// TGreatBitmap::Instance), once the backend and the program directory are
// known. The state ends the fonts before the image registry whose bitmaps
// they release.
#pragma once

#include <memory>
#include <vector>

class TFonts;
class TGreatBitmap;
class TPaint;

struct TGraphicsState {
    TGraphicsState();
    ~TGraphicsState();
    TGraphicsState(const TGraphicsState&) = delete;
    TGraphicsState& operator=(const TGraphicsState&) = delete;

    std::unique_ptr<TFonts> Fonts;
    std::unique_ptr<TGreatBitmap> Bitmaps;
    // Every live paint surface, oldest first; not owned.
    std::vector<TPaint*> Surfaces;
    // Off until the lobby window switches it on.
    bool SoundOn = false;
};

// The installed state; the process ends when there is none.
TGraphicsState& GraphicsState();
// The installed state, or null (for destructors that may run after it).
TGraphicsState* CurrentGraphicsState();
