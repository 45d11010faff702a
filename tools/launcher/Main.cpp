// start.exe: the launcher in the installation root. The client starts it
// without arguments after it fetched an update and ends. The launcher
// installs the release when every signature checks out (Launcher.h), then
// starts the client again. When the release is refused or cannot be put in
// place it says why, on the standard error and in a message box, and does
// not start the client (which would only fetch the same files again).
#include <SDL.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "Launcher.h"
#include "platform/Files.h"

namespace {

void Tell(const std::string& message, bool error) {
    std::fprintf(stderr, "start.exe: %s\n", message.c_str());
    // Without a display there is no box; the line above stays.
    SDL_ShowSimpleMessageBox(error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION, "Quorvalendix update",
                             message.c_str(), nullptr);
}

}  // namespace

int main() {
    const std::string root = platform::ExecutableDirectory();
    const std::string programDir = root + launcher::kProgramFolder;
    launcher::TResult result = launcher::InstallRelease(root, programDir);
    if (result.Outcome == launcher::TOutcome::Refused || result.Outcome == launcher::TOutcome::Failed) {
        Tell(result.Message, true);
        return 1;
    }
    const std::string client = programDir + launcher::kClientProgram;
    if (chdir(programDir.c_str()) != 0) {
        Tell("The folder " + programDir + " cannot be entered.", true);
        return 1;
    }
    execl(client.c_str(), client.c_str(), static_cast<char*>(nullptr));
    Tell("The program " + client + " cannot be started.", true);
    return 1;
}
