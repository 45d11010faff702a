#include "platform/sdl/QuitSignals.h"

#include <pthread.h>

namespace platform::sdl {

TQuitSignalsBlocked::TQuitSignalsBlocked() {
    sigset_t quit;
    sigemptyset(&quit);
    sigaddset(&quit, SIGINT);
    sigaddset(&quit, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &quit, &m_previous);
}

TQuitSignalsBlocked::~TQuitSignalsBlocked() { pthread_sigmask(SIG_SETMASK, &m_previous, nullptr); }

}  // namespace platform::sdl
