// SIGINT and SIGTERM, which SDL turns into SDL_QUIT, must reach the main
// thread while it sleeps, or the sleep goes on. Helper threads are started
// with the two blocked (a thread inherits its creator's mask), so the kernel
// delivers them to the main thread; the main thread keeps them blocked
// between checking SDL's queue and sleeping, and takes them only inside the
// sleep itself, so a signal in between cannot be missed.
#pragma once

#include <signal.h>

namespace platform::sdl {

// Blocks SIGINT and SIGTERM on this thread for the scope's lifetime.
class TQuitSignalsBlocked {
public:
    TQuitSignalsBlocked();
    ~TQuitSignalsBlocked();
    TQuitSignalsBlocked(const TQuitSignalsBlocked&) = delete;
    TQuitSignalsBlocked& operator=(const TQuitSignalsBlocked&) = delete;

    // The mask from before the scope, for a sleep that takes the signals.
    const sigset_t& Previous() const { return m_previous; }

private:
    sigset_t m_previous;
};

}  // namespace platform::sdl
