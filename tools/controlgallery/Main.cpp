// controlgallery: every skinned control of the client in one window, on the
// default skin and with live data, for judging the look.
//
//   controlgallery [--skin PROGRAM_DIR]
//       opens the window on the real (SDL) backend until it is closed
//       (Escape, or the window system's close).
//   controlgallery [--skin PROGRAM_DIR] --png OUT_DIR [--depth 15|16|24|32]
//       runs headless on virtual time and writes the PNGs of TGalleryShots.
//
// The skin is the program directory's (default: the build's bin/ folder
// beside the tools' folder); the gallery works on a private copy of it with
// its own layout added, and prints at the end what the skin lacked.
// Exit codes: 0 done, 1 bad usage, 2 no skin or no display, 3 a PNG could not
// be written.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "GalleryDir.h"
#include "GalleryLayout.h"
#include "GalleryShots.h"
#include "Galleryform.h"
#include "SkinCheck.h"
#include "controls/ControlsState.h"
#include "graphics/GraphicsState.h"
#include "graphics/GreatBitmap.h"
#include "platform/InstalledState.h"
#include "platform/Files.h"
#include "platform/Platform.h"
#include "platform/headless/Headless.h"
#include "platform/headless/HeadlessVideo.h"
#include "platform/sdl/Sdl.h"
#include "resources/Paths.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"
#include "shell/MyTimer.h"

namespace {

// The headless desktop, larger than the window as a real screen is.
constexpr int kDesktopWidth = 1024, kDesktopHeight = 768;

struct TOptions {
    std::string skinDir;
    std::string pngDir;  // empty: the real window
    int depth = 32;
};

int Usage() {
    std::fprintf(stderr,
                 "usage: controlgallery [--skin PROGRAM_DIR] [--png OUT_DIR [--depth 15|16|24|32]]\n");
    return 1;
}

bool ParseOptions(int argc, char** argv, TOptions& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--skin" && hasValue) {
            options.skinDir = argv[++i];
        } else if (arg == "--png" && hasValue) {
            options.pngDir = argv[++i];
        } else if (arg == "--depth" && hasValue) {
            int32_t depth = 0;
            if (!ParseInteger(argv[++i], depth)) return false;
            if (depth != 15 && depth != 16 && depth != 24 && depth != 32) return false;
            options.depth = depth;
        } else {
            return false;
        }
    }
    // The gallery lies in the build's tools/bin/, the skin in its bin/.
    if (options.skinDir.empty()) options.skinDir = platform::ExecutableDirectory() + "../../bin/";
    return true;
}

bool InstallBackend(const TOptions& options) {
    if (!options.pngDir.empty()) {
        platform::headless::InstallFresh();
        platform::headless::Video().SetDesktopMode({kDesktopWidth, kDesktopHeight, options.depth});
        return true;
    }
    auto backend = platform::sdl::CreateBackend();
    if (!backend || !backend->video) {
        std::fprintf(stderr, "controlgallery: the display could not be opened (try --png)\n");
        return false;
    }
    platform::Install(std::move(backend));
    return true;
}

void RunWindow(TGalleryform& form) {
    platform::IEventLoop& loop = platform::Loop();
    form.OnClose = [&loop](TForm*) { loop.Terminate(); };
    form.Show();
    form.Focus();
    while (!loop.Terminated()) loop.WaitMessage();
}

int RunShots(TGalleryform& form, const std::string& outDir) {
    std::error_code code;
    std::filesystem::create_directories(outDir, code);
    form.Show();
    form.Focus();
    TGalleryShots shots(form, outDir);
    std::string error;
    const bool ok = shots.Run(error);
    for (const std::string& path : shots.Written()) std::printf("%s\n", path.c_str());
    if (ok) return 0;
    std::fprintf(stderr, "controlgallery: %s\n", error.c_str());
    return 3;
}

int RunGallery(const TOptions& options) {
    if (!TSkinCheck::Exists(TGalleryform::kBackground)) {
        std::fprintf(stderr, "controlgallery: the skin has no background \"%s\"\n",
                     TGalleryform::kBackground);
        return 2;
    }
    TSkinCheck skin;
    int result = 0;
    {
        TGalleryform form(skin);
        form.ShowSkinNotes();
        if (options.pngDir.empty()) {
            RunWindow(form);
        } else {
            result = RunShots(form, options.pngDir);
        }
    }
    for (const std::string& note : skin.Notes()) std::fprintf(stderr, "skin: %s\n", note.c_str());
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    TOptions options;
    if (!ParseOptions(argc, argv, options)) return Usage();
    if (!InstallBackend(options)) return 2;
    TGalleryDir dir;
    std::string error;
    if (!dir.Prepare(options.skinDir, error)) {
        std::fprintf(stderr, "controlgallery: %s\n", error.c_str());
        return 2;
    }
    SetProgramDirectory(dir.ProgramDir());
    // Ends before the folder: the private copies of the ini files take the
    // gallery's lines before it goes.
    TInstalledStates<TTimerState, TResourcesState, TGraphicsState, TControlsState> states;
    LoadTextsAndSettings();
    gallery::WriteLayout();
    TGreatBitmap::Instance();  // measures the depth, opens gfx/data.pac
    return RunGallery(options);
}
