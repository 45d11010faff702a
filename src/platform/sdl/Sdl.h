// The real backend, on SDL2 (video, events, audio, clipboard, message boxes)
// with POSIX sockets and threads.
#pragma once

#include <memory>

#include "platform/Platform.h"

namespace platform::sdl {

// Initialises SDL and returns the backend; null when SDL cannot start.
std::unique_ptr<Backend> CreateBackend();

}  // namespace platform::sdl
