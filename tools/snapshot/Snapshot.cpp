// snapshot: opens skinned windows of a program directory's skin on the
// headless backend and writes what each window shows as a PNG file.
//
//   snapshot [--depth 15|16|24|32] PROGRAM_DIR OUT_DIR [BACKGROUND ...]
//   snapshot [--depth 15|16|24|32] --client PROGRAM_DIR OUT_DIR
//   snapshot [--depth 15|16|24|32] --tumblix PROGRAM_DIR OUT_DIR
//   snapshot [--depth 15|16|24|32] --puzzle PROGRAM_DIR OUT_DIR
//   snapshot [--depth 15|16|24|32] --gammon PROGRAM_DIR OUT_DIR
//   snapshot [--depth 15|16|24|32] --preview PROGRAM_DIR OUT_DIR
//   snapshot [--depth 15|16|24|32] --dialogs PROGRAM_DIR OUT_DIR
//
// With --client the client starts as it does for a user (splash, every
// window created, the logon window shown) and every window visible after
// start-up is written as OUT_DIR/PAINTER.png.
//
// With --puzzle the client starts likewise and a Puzzle game is played for
// a while (the own canon turned and fired by keys, the opponent's shots and
// trash arriving as payloads); the window is written mid-game as
// OUT_DIR/3_Puzzle.png.
//
// Each BACKGROUND names a window by its background image (default: the
// splash window, "splash"); the window gets its shape and place from the
// skin's settings.ini like in the client, is shown and painted, and its
// screen is written to OUT_DIR/BACKGROUND.png. A name the skin lacks is
// reported and skipped, so one missing window does not hide the others.
// Exit codes: 0 all written, 1 bad usage, 2 a window's image is missing, 3 a
// file could not be written.
//
// With --gammon the client starts the same way and then opens its
// Backgammon table as a game start would (white, a 5-point match), feeds
// it an opening roll that the own player wins and a chat line, and writes
// every visible window.
//
// With --preview the client starts likewise, shows its lobby with four
// running games announced and streamed into the preview strip (Tumblix,
// Backgammon with a hit flown to the bar, Puzzle with a shot in flight, a
// Tumblix game just ended), writes the Tumblix peek menu grown out over it
// as OUT_DIR/Glide.png, and every visible window.
// With --dialogs the client starts the same way, shows the options window,
// the hiscore window with a list as the server sends it, and the user
// information of a player (Backgammon chosen), and writes every visible
// window.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "controls/Form.h"
#include "controls/Glide.h"
#include "lobby/Preview.h"
#include "net/Dispatcher.h"
#include "net/Session.h"
#include "net/SessionWindows.h"
#include "rules/puzzle/PuzzleLayout.h"
#include "rules/puzzle/PuzzlePayload.h"
#include "rules/puzzle/PuzzlePlayer.h"
#include "graphics/GreatBitmap.h"
#include "graphics/Mybitmap.h"
#include "graphics/Paint.h"
#include "lobby/Hiscoreform.h"
#include "lobby/Infoform.h"
#include "lobby/Optionsform.h"
#include "platform/headless/Headless.h"
#include "platform/headless/HeadlessVideo.h"
#include "resources/Paths.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"
#include "shell/MyTimer.h"
#include "shell/AppContext.h"
#include "shell/Startup.h"
#include "shell/Windows.h"

namespace {

struct TOptions {
    int depth = 32;
    bool client = false;
    bool tumblix = false;
    bool puzzle = false;
    bool gammon = false;
    bool preview = false;
    bool dialogs = false;
    std::string programDir, outDir;
    std::vector<std::string> windows;
};

int Usage() {
    std::fprintf(stderr,
                 "usage: snapshot [--depth 15|16|24|32] PROGRAM_DIR OUT_DIR [BACKGROUND ...]\n"
                 "       snapshot [--depth 15|16|24|32] --client PROGRAM_DIR OUT_DIR\n"
                 "       snapshot [--depth 15|16|24|32] --gammon PROGRAM_DIR OUT_DIR\n"
                 "       snapshot [--depth 15|16|24|32] --preview PROGRAM_DIR OUT_DIR\n"
                 "       snapshot [--depth 15|16|24|32] --dialogs PROGRAM_DIR OUT_DIR\n");
    return 1;
}

bool ParseOptions(int argc, char** argv, TOptions& options) {
    std::vector<std::string> rest;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--depth" && i + 1 < argc) {
            int32_t depth = 0;
            if (!ParseInteger(argv[++i], depth)) return false;
            if (depth != 15 && depth != 16 && depth != 24 && depth != 32) return false;
            options.depth = depth;
        } else if (arg == "--client") {
            options.client = true;
        } else if (arg == "--tumblix") {
            options.client = options.tumblix = true;
        } else if (arg == "--puzzle") {
            options.client = options.puzzle = true;
        } else if (arg == "--gammon") {
            options.client = options.gammon = true;
        } else if (arg == "--preview") {
            options.client = options.preview = true;
        } else if (arg == "--dialogs") {
            options.client = options.dialogs = true;
        } else {
            rest.push_back(arg);
        }
    }
    if (rest.size() < 2 || (options.client && rest.size() != 2)) return false;
    options.programDir = rest[0];
    options.outDir = rest[1];
    options.windows.assign(rest.begin() + 2, rest.end());
    if (options.windows.empty()) options.windows.push_back("splash");
    return true;
}

// 0 when written, else the exit code of the failure.
int SnapshotWindow(const std::string& background, const std::string& outDir) {
    if (!TMybitmap::Exists(LowerCaseAscii(background))) {
        std::fprintf(stderr, "snapshot: the skin has no image \"%s\"\n", background.c_str());
        return 2;
    }
    TPaint paint(background);
    if (!paint.Valid()) {
        std::fprintf(stderr, "snapshot: no window for \"%s\"\n", background.c_str());
        return 2;
    }
    paint.Window()->Show();
    platform::Loop().ProcessMessages();  // the posted paint copies the face to the screen
    paint.Update();
    auto* window = static_cast<platform::headless::TWindow*>(paint.Window());
    std::string path = (std::filesystem::path(outDir) / (background + ".png")).string();
    if (!window->SavePng(path, true)) {
        std::fprintf(stderr, "snapshot: cannot write %s\n", path.c_str());
        return 3;
    }
    platform::Rect frame = window->Bounds();
    std::printf("%s: %d x %d at %d,%d\n", path.c_str(), frame.Width(), frame.Height(), frame.left,
                frame.top);
    return 0;
}

int SavePaint(TPaint& paint, const std::string& outDir) {
    auto* window = static_cast<platform::headless::TWindow*>(paint.Window());
    std::string path = (std::filesystem::path(outDir) / (paint.BackgroundName() + ".png")).string();
    if (!window->SavePng(path, true)) {
        std::fprintf(stderr, "snapshot: cannot write %s\n", path.c_str());
        return 3;
    }
    platform::Rect frame = window->Bounds();
    std::printf("%s: %d x %d at %d,%d\n", path.c_str(), frame.Width(), frame.Height(), frame.left,
                frame.top);
    return 0;
}

// A Backgammon table a moment after its opening roll.
void OpenGammonTable() {
    TGameStart& start = Session().GameStart;
    start.GameKind = 2;
    start.PlayerCount = 2;
    start.Players[0] = {"eva", "1512"};
    start.Players[1] = {"bob", "1488"};
    start.Param3 = 1;
    start.Param4 = 5;
    Session().Alias = "eva";
    IGameWindow* table = SessionWindows().Games[2];
    if (!table) return;
    table->ShowGame();
    // ">", both opening dice (160, colour, die), "you begin" (162), a chat line (9).
    for (const std::string& payload :
         {std::string(">"), std::string("\xA0\x01\x05", 3), std::string("\xA0\x02\x03", 3), std::string("\xA2"),
          std::string("\x09\x01\x01\x03\x01") + "bob: good luck!" + "\x01"})
        table->NetRead(payload);
    platform::Loop().ProcessMessages();
}

// Server messages of the preview strip, as bytes.
std::string Bytes(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes) s.push_back(static_cast<char>(b));
    return s;
}

void GameStarted(int kind, const std::string& a, const std::string& figureA, const std::string& b,
                 const std::string& figureB) {
    Dispatch(Bytes({78, kind, 2}) + a + "\x01" + figureA + "\x01" + b + "\x01" + figureB + "\x01");
}

// Two Tumblix wells with junk at the bottom; seat 2's is higher.
std::string TumblixWells() {
    std::string wells;
    for (int seat = 0; seat < 2; ++seat)
        for (int y = 0; y < 26; ++y)
            for (int x = 0; x < 12; ++x) {
                const bool filled = y >= (seat ? 15 : 19) && (x * 3 + y * 5 + seat) % 7 != 0;
                wells.push_back(static_cast<char>(filled ? (x * 7 + y * 3 + seat) % 9 + 2 : 1));
            }
    return wells;
}

std::string PuzzleGrids() {
    std::string grids;
    for (int seat = 0; seat < 2; ++seat)
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 7; ++x) {
                const bool filled = y < (seat ? 6 : 4) + (x % 3 == 0) && !(y % 2 == 1 && x == 6);
                grids.push_back(static_cast<char>(filled ? (x * 5 + y * 3 + seat) % 6 + 1 : 0));
            }
    return grids;
}

// Four running games streamed into the lobby's preview strip.
void FillPreviews() {
    Session().Alias = "eva";
    if (SessionWindows().Lobby) SessionWindows().Lobby->ShowLobby();
    GameStarted(1, "Annika", "1520", "Bob", "1480");
    GameStarted(2, "Gustav", "1610", "Hal", "1590");
    GameStarted(1, "Cid", "1400", "Dagmar", "1420");
    Dispatch(Bytes({74, 1, 1}) + TumblixWells() + Bytes({4, 3, 2, 5}));
    // Backgammon, black to roll 5 and 3: a white blot on 22 and one black
    // checker on the bar; the cube at 2 with white.
    std::string points(28, '\x01');
    for (auto [point, value] : {std::pair{1, 2}, {12, 4}, {17, 3}, {19, 4}, {22, 1}, {26, 1}, {6, 24}, {8, 23},
                                {13, 25}, {24, 22}, {25, 21}})
        points[static_cast<size_t>(point)] = static_cast<char>(value + 1);
    Dispatch(Bytes({74, 2, 2}) + points + Bytes({3, 6, 4, 2, 3, 2, 5, 1}));
    Dispatch(Bytes({74, 1, 3}) + TumblixWells() + Bytes({2, 2, 3, 3}));
    // Puzzle games are only streamed, never asked for: no names.
    Dispatch(Bytes({74, 3, 4}) + PuzzleGrids() + Bytes({1, 1, 3, 4}));
    // Black enters from the bar onto the white blot on 22 and moves on.
    Dispatch(Bytes({92, 2, 26, 3}));
    Dispatch(Bytes({92, 2, 14, 5}));
    platform::headless::Loop().RunFor(2000);
    Dispatch(Bytes({94, 3, 2}));
    Dispatch(Bytes({140, 4, 1, 2, 50, 3, 5}));
    platform::headless::Loop().RunFor(90);
    platform::Loop().ProcessMessages();
}

// The Tumblix peek menu, grown out over the lobby, as Glide.png.
int SnapshotPeekMenu(const std::string& outDir) {
    auto* strip = dynamic_cast<Tpreview*>(SessionWindows().Previews);
    TGlide* menu = strip ? strip->PeekMenu(1) : nullptr;
    if (!menu) return 2;
    menu->Popup(300, 300);
    platform::headless::Loop().RunFor(400);
    menu->PopupSurface()->Update();
    return SavePaint(*menu->PopupSurface(), outDir);
}

int SaveVisibleWindows(const std::string& outDir) {
    int result = 0;
    for (TForm* form : TForm::All()) {
        if (!form->Visible()) continue;
        form->Paint()->Update();
        int code = SavePaint(*form->Paint(), outDir);
        if (code > result) result = code;
    }
    return result;
}

// The options and hiscore windows shown and filled and written, then the
// information window, which waits modally (and takes the focus, which
// closes the hiscore window): a task inside its wait chooses Backgammon,
// writes the window and closes it.
int SnapshotDialogs(const std::string& outDir) {
    Session().Alias = "eva";
    for (TForm* form : TForm::All()) {
        if (auto* options = dynamic_cast<TOptionsform*>(form)) options->Show();
        if (auto* hiscore = dynamic_cast<THiscoreform*>(form)) hiscore->Open(2);
    }
    THiscoreList list{"eva", "1544", "2", {}};
    const char* players[][2] = {{"bob", "1612"}, {"eva", "1544"}, {"cat", "1544"}, {"dan", "1490"}};
    for (int i = 0; i < 4; ++i)
        list.Rows.push_back({std::to_string(i < 3 ? i + 1 : 4), players[i][0], players[i][1]});
    list.Rows[2][0] = "2";
    SessionWindows().Hiscore->ShowHiscores(list);
    TUserInfo info{"bob", "2026-12-09", "08:15", "42", "31", {}};
    info.Games[1] = {"1", "1612", 7, 3, 1, 11};
    int result = SaveVisibleWindows(outDir);
    platform::Loop().Post([&] {
        for (TForm* form : TForm::All())
            if (auto* window = dynamic_cast<TInfoform*>(form)) {
                window->ShowGame(2);
                window->Paint()->Update();
                result = std::max(result, SavePaint(*window->Paint(), outDir));
                window->Close();
            }
    });
    SessionWindows().Info->ShowUserInfo(info);
    return result;
}

// The client's start-up, then every visible window.
int SnapshotClient(TAppContext& context, const std::string& outDir, bool gammon, bool preview, bool dialogs) {
    TStartup startup(context, {});
    TWindows windows(context);
    if (!startup.Prepare([&windows] { windows.Create(); })) {
        std::fprintf(stderr, "snapshot: the client refused the display\n");
        return 2;
    }
    windows.ShowMainWindow();
    platform::Loop().ProcessMessages();
    if (gammon) OpenGammonTable();
    if (preview) FillPreviews();
    if (dialogs) return SnapshotDialogs(outDir);
    int result = SaveVisibleWindows(outDir);
    if (preview) result = std::max(result, SnapshotPeekMenu(outDir));
    return result;
}

// With --tumblix: a Tumblix game in play (junk rows below, pieces dropped
// by keys, the opponent's well), written as 1_tris-play.png, and the same
// game paused as 1_tris-pause.png.
int SnapshotTumblix(TAppContext& context, const std::string& outDir) {
    TStartup startup(context, {});
    TWindows windows(context);
    if (!startup.Prepare([&windows] { windows.Create(); })) return 2;
    TGameStart& start = Session().GameStart;
    start.GameKind = 1;
    start.PlayerCount = 2;
    start.Players[0].Name = "eva";
    start.Players[1].Name = "bob";
    start.Setup = rules::TDuelSetup{"eva", "bob", 20240611};
    IGameWindow* game = SessionWindows().Games[1];
    auto* form = dynamic_cast<TForm*>(game);
    if (!game || !form) return 2;
    game->ShowGame();
    game->NetRead(">");
    auto* window = static_cast<platform::headless::TWindow*>(form->Paint()->Window());
    for (int i = 0; i < 4; ++i) game->NetRead("6");
    for (int piece = 0; piece < 6; ++piece) {
        window->KeyDown(piece % 2 ? 37 : 39);
        window->KeyUp(piece % 2 ? 37 : 39);
        window->KeyDown(32);
        window->KeyUp(32);
        window->KeyDown(32);
        window->KeyUp(32);
    }
    // The opponent: a first piece that landed on three junk rows.
    game->NetRead(std::string("3\x05", 2));
    game->NetRead(std::string("2\x02\x07\x03", 4));
    for (const char* row : {"\x03\x04\x05\x02\x06\x07\x08\x09\x03\x04\x05\x06", "\x04\x05\x02\x06\x07\x08\x09\x03\x03\x04\x05\x06",
                            "\x05\x06\x07\x08\x02\x03\x04\x05\x06\x07\x08\x09"})
        game->NetRead(std::string("7") + row + std::string("\x01\x07\x02\x05", 4));
    game->NetRead(std::string("4\x07\x19\x05", 4));
    game->NetRead(std::string("2\x03\x06\x03", 4));
    platform::Loop().ProcessMessages();
    form->Paint()->Update();
    std::string path = (std::filesystem::path(outDir) / "1_tris-play.png").string();
    if (!window->SavePng(path, true)) return 3;
    std::printf("%s\n", path.c_str());
    game->NetRead(std::string("=\x02", 2));
    platform::Loop().ProcessMessages();
    form->Paint()->Update();
    path = (std::filesystem::path(outDir) / "1_tris-pause.png").string();
    if (!window->SavePng(path, true)) return 3;
    std::printf("%s\n", path.c_str());
    return 0;
}

// A Puzzle game played for a while in the client's own window.
int SnapshotPuzzle(TAppContext& context, const std::string& outDir) {
    TStartup startup(context, {});
    TWindows windows(context);
    if (!startup.Prepare([&windows] { windows.Create(); })) return 2;
    TGameStart& start = Session().GameStart;
    start.GameKind = 3;
    start.PlayerCount = 2;
    start.Players[0].Name = "Eva";
    start.Players[1].Name = "Bob";
    start.Setup = rules::TDuelSetup{"Eva", "Bob", 20240611};
    IGameWindow* game = SessionWindows().Games[3];
    auto* form = dynamic_cast<TForm*>(game);
    if (form == nullptr) return 2;
    game->ShowGame();
    game->NetRead(">");
    auto* window = static_cast<platform::headless::TWindow*>(form->Paint()->Window());
    rules::TPuzzlePlayer opponent(rules::PuzzleLayoutGeometry(48, 64));
    opponent.Start(20240611);
    const int turns[] = {-6, 4, 9, -3, -12, 2, 7, -9, 12, 0, -4, 5, 10, -7};
    for (int turn : turns) {
        for (int i = 0; i < std::abs(turn); ++i) {
            window->KeyDown(turn < 0 ? 37 : 39);
            window->KeyUp(turn < 0 ? 37 : 39);
        }
        platform::headless::Loop().RunFor(300);
        window->KeyDown(32);
        window->KeyUp(32);
        rules::TPuzzleFire fire = opponent.Fire(22 - turn);
        if (!fire.Lost) game->NetRead(rules::BuildPuzzleShot(fire.Colour, fire.Aim.Entry, fire.Aim.Target));
        platform::headless::Loop().RunFor(1500);
    }
    game->NetRead(rules::BuildPuzzleFallen(2));
    game->NetRead("8\x02");
    window->KeyDown(39);
    window->KeyUp(39);
    window->KeyDown(32);
    window->KeyUp(32);
    platform::headless::Loop().RunFor(120);
    form->Paint()->Update();
    return SavePaint(*form->Paint(), outDir);
}

}  // namespace

int main(int argc, char** argv) {
    TOptions options;
    if (!ParseOptions(argc, argv, options)) return Usage();
    std::error_code error;
    std::filesystem::create_directories(options.outDir, error);

    platform::headless::InstallFresh();
    platform::headless::Video().SetDesktopMode({1024, 768, options.depth});
    SetProgramDirectory(options.programDir);
    TAppContext context;
    LoadTextsAndSettings(ProgramDirectory());

    int result = 0;
    if (options.tumblix) result = SnapshotTumblix(context, options.outDir);
    else if (options.puzzle) result = SnapshotPuzzle(context, options.outDir);
    else if (options.client) result = SnapshotClient(context, options.outDir, options.gammon, options.preview, options.dialogs);
    else for (const std::string& background : options.windows) {
        int code = SnapshotWindow(background, options.outDir);
        if (code > result) result = code;
    }

    return result;
}
