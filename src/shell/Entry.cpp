// The program's entry: installs the real platform backend, prepares the
// program directory and the ini files, runs the start-up sequence, the main
// loop until the main window closes, and ends with exit code 0.
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "platform/Files.h"
#include "platform/Platform.h"
#include "platform/sdl/Sdl.h"
#include "resources/Paths.h"
#include "resources/Texts.h"
#include "shell/AppContext.h"
#include "shell/Startup.h"
#include "shell/Windows.h"

namespace {

// The pause between restoring the display and the end of the process.
constexpr int kEndPauseMs = 100;

void RunMainLoop() {
    platform::IEventLoop& loop = platform::Loop();
    while (!loop.Terminated()) loop.WaitMessage();
}

// Everything between installing the backend and taking it down again, so
// the context and the windows end while the display is still there.
void RunClient(int argc, char** argv) {
    SetProgramDirectory(platform::ExecutableDirectory());
    // Declared before everything that uses it, so it ends last.
    TAppContext context;
    LoadTextsAndSettings();

    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
    TStartup startup(context, std::move(args));
    TWindows windows(context);
    windows.OnMainClosed = [] { platform::Loop().Terminate(); };
    if (startup.Prepare([&windows] { windows.Create(); })) {
        windows.ShowMainWindow();
        RunMainLoop();
    }
    startup.Finish();
    std::this_thread::sleep_for(std::chrono::milliseconds(kEndPauseMs));
    // Settings changed in the last second are still written.
    UnloadTextsAndSettings();
}

}  // namespace

int main(int argc, char** argv) {
    auto backend = platform::sdl::CreateBackend();
    if (!backend || !backend->video) {
        std::fprintf(stderr, "quorvalendix: the display could not be opened\n");
        return 0;
    }
    platform::Install(std::move(backend));
    RunClient(argc, argv);
    platform::Uninstall();
    return 0;
}
