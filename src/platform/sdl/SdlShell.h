// The SDL backend's shell: URLs open in the desktop's browser (xdg-open),
// programs start detached, and Halt ends the process after SDL is shut down.
#pragma once

#include "platform/Platform.h"

namespace platform::sdl {

class TLoop;

class TShell : public IShell {
public:
    explicit TShell(TLoop& loop) : m_loop(loop) {}
    // False for an empty URL, one that could pass for an option, or one with
    // control characters, and when xdg-open cannot be started.
    bool OpenUrl(const std::string& url) override;
    // Starts the file at path without arguments.
    bool StartProgram(const std::string& path) override;
    [[noreturn]] void Halt(int exitCode) override;

private:
    TLoop& m_loop;
};

}  // namespace platform::sdl
