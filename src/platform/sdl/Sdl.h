// The real backend, on SDL2 (video, events, audio, clipboard, message boxes)
// with POSIX sockets and threads.
//
// Facets built so far: the event loop, message boxes, descriptor readiness
// with host lookup, and the shell; video and audio are null.
#pragma once

#include <memory>

#include "platform/Platform.h"

namespace platform::sdl {

// Initialises SDL and returns the backend; null when SDL cannot start. Where
// no display can be opened SDL starts with events alone: the loop, the
// descriptors and the shell work, message boxes write to standard error.
std::unique_ptr<Backend> CreateBackend();

// Whether SDL's video is running (false after the events-only start).
bool VideoStarted();

}  // namespace platform::sdl
