// The program's entry: installs the real platform backend, prepares the
// program directory, the ini files and the image registry, shows the splash
// window and runs the main loop.
//
// The logon window, the windows created behind the splash and the rest of
// the start-up sequence (the display check, the second pack, the progress
// count, "/debug") come with later work; until then the loop runs until the
// splash is dismissed.
#include <cstdio>

#include "graphics/GreatBitmap.h"
#include "platform/Files.h"
#include "platform/Platform.h"
#include "platform/sdl/Sdl.h"
#include "resources/Paths.h"
#include "resources/Texts.h"
#include "shell/MyTimer.h"
#include "shell/Splashform.h"

namespace {

void RunSplash() {
    TSplashform splash;
    bool dismissed = false;
    splash.OnDismiss = [&dismissed] { dismissed = true; };
    splash.Show();
    platform::IEventLoop& loop = platform::Loop();
    while (!dismissed && !loop.Terminated()) loop.WaitMessage();
}

}  // namespace

int main(int argc, char** argv) {
    (void)argc;
    (void)argv;
    auto backend = platform::sdl::CreateBackend();
    if (!backend || !backend->video) {
        std::fprintf(stderr, "quorvalendix: the display could not be opened\n");
        return 0;
    }
    platform::Install(std::move(backend));
    SetProgramDirectory(platform::ExecutableDirectory());
    LoadTextsAndSettings();
    TGreatBitmap::Instance();  // measures the screen depth, opens gfx/data.pac
    RunSplash();
    UnloadTextsAndSettings();
    TGreatBitmap::Destroy();
    TMaintimer::Reset();
    platform::Uninstall();
    return 0;
}
