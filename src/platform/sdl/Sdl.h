// The real backend, on SDL2 (video, events, audio, clipboard, message boxes)
// with POSIX sockets and threads.
//
// Facets: the event loop, message boxes, descriptor readiness with host
// lookup, the shell, wave playback, and (when SDL's video started) windows,
// input, the display and the clipboard.
#pragma once

#include <memory>

#include "platform/Platform.h"

namespace platform::sdl {

// Initialises SDL and returns the backend; null when SDL cannot start. Where
// no display can be opened SDL starts with events alone: the loop, the
// descriptors, audio and the shell work, message boxes write to standard
// error, and the video facet is null.
std::unique_ptr<Backend> CreateBackend();

// Whether SDL's video is running (false after the events-only start).
bool VideoStarted();

}  // namespace platform::sdl
