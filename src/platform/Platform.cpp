// Holds the one installed backend of the process.
#include "platform/Platform.h"

#include <cstdio>
#include <cstdlib>

namespace platform {
namespace {
// Never destroyed at exit: a process that ends through exit() (Xlib does so
// when the display goes away) must not tear windows down on a display that
// no longer answers, which never returns. A normal end calls Uninstall.
std::unique_ptr<Backend>& Slot() {
    static auto* backend = new std::unique_ptr<Backend>;
    return *backend;
}

[[noreturn]] void Missing(const char* facet) {
    std::fprintf(stderr, "platform: no %s facet installed\n", facet);
    std::abort();
}
}  // namespace

namespace {
std::function<void()>& Reporter() {
    static std::function<void()> reporter;
    return reporter;
}
}  // namespace

void SetErrorReporter(std::function<void()> reporter) { Reporter() = std::move(reporter); }

void RunHandler(const std::function<void()>& handler) {
    if (!handler) return;
    if (!Reporter()) {
        handler();
        return;
    }
    try {
        handler();
    } catch (...) {
        // A copy: the report may pump the loop, which may replace it.
        auto report = Reporter();
        if (report) report();
    }
}

void Install(std::unique_ptr<Backend> backend) { Slot() = std::move(backend); }
void Uninstall() { Slot().reset(); }
bool Installed() { return Slot() != nullptr; }

Backend& Current() {
    if (!Slot()) Missing("backend");
    return *Slot();
}

IEventLoop& Loop() {
    auto& b = Current();
    if (!b.loop) Missing("event loop");
    return *b.loop;
}

IDialogs& Dialogs() {
    auto& b = Current();
    if (!b.dialogs) Missing("dialogs");
    return *b.dialogs;
}

IIo& Io() {
    auto& b = Current();
    if (!b.io) Missing("I/O");
    return *b.io;
}

IShell& Shell() {
    auto& b = Current();
    if (!b.shell) Missing("shell");
    return *b.shell;
}

IVideo& Video() {
    auto& b = Current();
    if (!b.video) Missing("video");
    return *b.video;
}

IAudio& Audio() {
    auto& b = Current();
    if (!b.audio) Missing("audio");
    return *b.audio;
}

}  // namespace platform
