#include "FuzzHarness.h"

#include <stdlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "platform/Platform.h"
#include "platform/headless/Headless.h"
#include "shell/MyTimer.h"

namespace fuzz {

namespace {

// The headless shell, except that Halt unwinds back to Guarded.
class TThrowingShell : public platform::IShell {
public:
    bool OpenUrl(const std::string&) override { return true; }
    bool StartProgram(const std::string&) override { return true; }
    [[noreturn]] void Halt(int exitCode) override { throw TFuzzHalt{exitCode}; }
};

std::string MakeScratch() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qvfuzzXXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("fuzz: mkdtemp");
        std::abort();
    }
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(ScratchDirectory(), ignored);
    });
    return pattern + "/";
}

}  // namespace

// Never freed: the exit handler that removes the folder runs after the
// destructors of statics made later than it was registered.
const std::string& ScratchDirectory() {
    static const std::string* directory = new std::string(MakeScratch());
    return *directory;
}

void Prepare() {
    static const bool installed = [] {
        auto backend = platform::headless::CreateBackend();
        backend->shell = std::make_unique<TThrowingShell>();
        platform::Install(std::move(backend));
        ScratchDirectory();
        return true;
    }();
    (void)installed;
    platform::headless::Dialogs().ClearBoxes();
}

std::string WriteScratch(const std::string& name, const uint8_t* data, size_t size) {
    // Plain writes: the platform's atomic write syncs the disk, which would
    // cost more than the reading that is being fuzzed.
    const std::string path = ScratchDirectory() + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    const bool written = file != nullptr && (size == 0 || std::fwrite(data, 1, size, file) == size);
    if (file != nullptr && std::fclose(file) != 0) file = nullptr;
    if (!written || file == nullptr) {
        std::fprintf(stderr, "fuzz: cannot write %s\n", path.c_str());
        std::abort();
    }
    return path;
}

bool Guarded(const std::function<void()>& step) {
    try {
        step();
        return true;
    } catch (const TFuzzHalt& halt) {
        // QV_FUZZ_VERBOSE tells which inputs a reader rejected by halting.
        if (std::getenv("QV_FUZZ_VERBOSE")) std::fprintf(stderr, "fuzz: halted (%d)\n", halt.exitCode);
        return false;
    }
}

}  // namespace fuzz
