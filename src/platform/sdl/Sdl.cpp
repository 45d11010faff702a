#include "platform/sdl/Sdl.h"

#include <cstdio>

#include <SDL.h>

#include "platform/sdl/SdlAudio.h"
#include "platform/sdl/SdlDialogs.h"
#include "platform/sdl/SdlIo.h"
#include "platform/sdl/SdlLoop.h"
#include "platform/sdl/SdlShell.h"
#include "platform/sdl/SdlVideo.h"

namespace platform::sdl {
namespace {

// Starts SDL with video, or with events alone where no display can be
// opened, so the loop and the message boxes (which fall back to standard
// error) still work. Returns the subsystems started, 0 on failure.
Uint32 StartSdl() {
    // The client ends through its own windows, never because SDL saw the last
    // one close.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // The windows only copy rectangles of their back buffers to the screen:
    // SDL's software renderer does that with no graphics context per window
    // (an OpenGL context costs megabytes, start-up time and, on a software
    // OpenGL, threads that wake at every present). SDL_RENDER_DRIVER in the
    // environment still chooses another.
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    // ... and the window's own surface without one either (SDL would put
    // an OpenGL texture behind it).
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    const Uint32 full = SDL_INIT_VIDEO | SDL_INIT_EVENTS;
    if (SDL_InitSubSystem(full) == 0) return full;
    // Said once, so a display that cannot be opened says why.
    std::fprintf(stderr, "SDL video: %s\n", SDL_GetError());
    if (SDL_InitSubSystem(SDL_INIT_EVENTS) == 0) return SDL_INIT_EVENTS;
    return 0;
}

}  // namespace

std::unique_ptr<Backend> CreateBackend() {
    Uint32 started = StartSdl();
    if (started == 0) return nullptr;
    auto backend = std::make_unique<Backend>();
    auto loop = std::make_unique<TLoop>(started);
    backend->io = std::make_unique<TIo>(*loop);
    backend->shell = std::make_unique<TShell>(*loop);
    backend->dialogs = std::make_unique<TDialogs>();
    if (started & SDL_INIT_VIDEO) backend->video = std::make_unique<TVideo>(*loop);
    backend->audio = std::make_unique<TAudio>(loop.get());
    backend->loop = std::move(loop);
    return backend;
}

bool VideoStarted() { return SDL_WasInit(SDL_INIT_VIDEO) != 0; }

}  // namespace platform::sdl
