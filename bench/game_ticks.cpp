// The drawing cost of the game windows, headless with the generated skin:
// one game tick of a Tumblix window whose well is nearly full of junk (the
// piece falls one step and the well is redrawn where it changed), and one
// step of a Puzzle shot in flight (the bubble moves and its old and new
// places are redrawn). Each iteration advances virtual time by one timer
// period and presents what changed.
//
// Usage: game_ticks [PROGRAM_DIR] [benchmark options]
//   PROGRAM_DIR holds the skin (default: the build's bin folder).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "controls/Form.h"
#include "games/Puzzle.h"
#include "games/PuzzleNewbobble.h"
#include "games/PuzzleScreen.h"
#include "games/Tumblix.h"
#include "graphics/Paint.h"
#include "net/Session.h"
#include "net/SessionWindows.h"
#include "platform/headless/Headless.h"
#include "platform/headless/HeadlessVideo.h"
#include "resources/Paths.h"
#include "resources/Texts.h"
#include "rules/GameSetup.h"
#include "shell/AppContext.h"
#include "shell/Startup.h"
#include "shell/Windows.h"

namespace {


void StartGame(int kind) {
    TGameStart& start = Session().GameStart;
    start.GameKind = kind;
    start.PlayerCount = 2;
    start.Players[0].Name = "eva";
    start.Players[1].Name = "bob";
    start.Setup = rules::TDuelSetup{"eva", "bob", 20240611};
    IGameWindow* game = SessionWindows().Games[kind];
    game->ShowGame();
    game->NetRead(">");
}

void Present(IGameWindow* game) { dynamic_cast<TForm*>(game)->Paint()->Update(); }

// Twenty junk rows leave six rows for the falling piece.
void FillWell(IGameWindow* game) {
    for (int i = 0; i < 20; ++i) game->NetRead("6");
    platform::headless::Loop().RunFor(200);
}

void TumblixTick(benchmark::State& state) {
    IGameWindow* game = SessionWindows().Games[1];
    auto* form = dynamic_cast<TTumblixForm*>(game);
    StartGame(1);
    FillWell(game);
    for (auto _ : state) {
        if (!form->Running()) {
            state.PauseTiming();
            StartGame(1);
            FillWell(game);
            state.ResumeTiming();
        }
        platform::headless::Loop().RunFor(TTumblixForm::kTickMs);
        Present(game);
    }
    state.SetItemsProcessed(state.iterations());
}

void PuzzleFlightStep(benchmark::State& state) {
    IGameWindow* game = SessionWindows().Games[3];
    auto* form = dynamic_cast<TPuzzleform*>(game);
    auto* window = static_cast<platform::headless::TWindow*>(form->Paint()->Window());
    StartGame(3);
    TNewbobble& flying = form->OwnScreen().Flying();
    int64_t steps = 0;
    for (auto _ : state) {
        if (!flying.Flying()) {
            state.PauseTiming();
            if (!form->Running()) StartGame(3);
            while (!form->OwnScreen().Idle()) platform::headless::Loop().RunFor(10);
            window->KeyDown(32);
            window->KeyUp(32);
            state.ResumeTiming();
        }
        platform::headless::Loop().RunFor(flying.MoveInterval());
        Present(game);
        ++steps;
    }
    state.SetItemsProcessed(steps);
}

}  // namespace

BENCHMARK(TumblixTick)->Unit(benchmark::kMicrosecond);
BENCHMARK(PuzzleFlightStep)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    std::string programDir = QV_PROGRAM_DIR;
    if (argc > 1 && std::strncmp(argv[1], "--", 2) != 0) {
        programDir = argv[1];
        if (programDir.back() != '/') programDir += '/';
        --argc;
        ++argv;
    }
    platform::headless::InstallFresh();
    platform::headless::Video().SetDesktopMode({1024, 768, 32});
    SetProgramDirectory(programDir);
    TAppContext context;
    LoadTextsAndSettings(ProgramDirectory());
    TStartup startup(context, {});
    TWindows windows(context);
    if (!startup.Prepare([&windows] { windows.Create(); })) {
        std::fprintf(stderr, "game_ticks: no skin in %s\n", programDir.c_str());
        return 2;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
