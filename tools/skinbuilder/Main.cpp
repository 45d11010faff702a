// skinbuilder SKIN_DIR OUT_DIR [--fonts DIR]: generates the default skin
// from its sources into a program directory (see SkinBuilder.h).
#include <chrono>
#include <cstdio>
#include <string>

#include "SkinBuilder.h"
#include "platform/InstalledState.h"
#include "platform/headless/Headless.h"
#include "shell/MyTimer.h"

int main(int argc, char** argv) {
    skin::TBuildOptions options;
    if (argc == 5 && std::string(argv[3]) == "--fonts") {
        options.fontDir = argv[4];
    } else if (argc != 3) {
        std::fputs("usage: skinbuilder SKIN_DIR OUT_DIR [--fonts DIR]\n", stderr);
        return 2;
    }
    options.skinDir = argv[1];
    options.outDir = argv[2];
    // The ini writer runs its write-back timer on a platform (the headless one
    // needs no display) and a dispatcher of its own.
    platform::headless::InstallFresh();
    TInstalledStates<TTimerState> states;
    const auto start = std::chrono::steady_clock::now();
    skin::TBuildReport report;
    std::string error;
    if (!skin::BuildSkin(options, report, error)) {
        std::fprintf(stderr, "skinbuilder: %s\n", error.c_str());
        return 1;
    }
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start).count();
    std::printf("skinbuilder: data.pac %lld bytes, %d sounds %lld bytes, %lld ms\n", report.packBytes,
                report.soundCount, report.soundBytes, static_cast<long long>(ms));
    return 0;
}
