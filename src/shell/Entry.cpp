// The program's entry: installs the real platform backend and hands over to
// the start-up sequence.
#include <cstdio>

#include "platform/Files.h"
#include "platform/Platform.h"
#include "platform/sdl/Sdl.h"

int main(int argc, char** argv) {
    (void)argc;
    (void)argv;
    auto backend = platform::sdl::CreateBackend();
    if (!backend) {
        std::fprintf(stderr, "quorvalendix: the display could not be opened\n");
        return 0;
    }
    platform::Install(std::move(backend));
    // The logon window and the windows after it are not built yet; until
    // they are, the program says so instead of pretending to run.
    platform::Dialogs().MessageBox(platform::BoxKind::Information,
                                   "Quorvalendix: the platform layer, timers and settings are in "
                                   "place; the windows are not built yet.",
                                   "Quorvalendix");
    platform::Uninstall();
    return 0;
}
