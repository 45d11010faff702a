#include "platform/sdl/SdlShell.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>

#include "platform/Codepage.h"
#include "platform/sdl/SdlLoop.h"
#include "platform/sdl/Spawn.h"

namespace platform::sdl {
namespace {

bool UrlAcceptable(const std::string& url) {
    if (url.empty() || url[0] == '-') return false;
    for (char c : url) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    }
    return true;
}

}  // namespace

bool TShell::OpenUrl(const std::string& url) {
    if (!UrlAcceptable(url)) return false;
    std::string opener = FindExecutable("xdg-open");
    if (opener.empty()) return false;
    return SpawnDetached({opener, Cp1252ToUtf8(url)});
}

bool TShell::StartProgram(const std::string& path) {
    if (path.empty()) return false;
    return SpawnDetached({path});
}

void TShell::Halt(int exitCode) {
    std::fflush(nullptr);
    m_loop.ShutDown();
    SDL_Quit();
    std::_Exit(exitCode);
}

}  // namespace platform::sdl
