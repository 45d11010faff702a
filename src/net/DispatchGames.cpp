// The game codes: tables and join requests, the game start and its data,
// running games, results, rating changes and tournament notices.
#include <algorithm>

#include "net/DispatchCodes.h"
#include "net/Dispatcher.h"
#include "net/Session.h"
#include "resources/StrFuncs.h"

namespace dispatch {
namespace {

constexpr int kResultWon = 2;
// The URL entries (code 99) of the game kinds 1..4.
constexpr int kGameUrlEntry[] = {0, 2, 3, 4, 7};

bool ValidKind(int kind) { return kind >= 1 && kind <= 4; }

ITablesView* Tables() { return SessionWindows().Tables; }

// The first two characters of a field as a number.
int LeadingNumber(const std::string& field, int defaultValue) {
    return NumberOr(field.substr(0, 2), defaultValue);
}

// Tumblix and Puzzle: the opponent and one number.
void ReadDuel(TMessageReader& m, TGameStart& start) {
    start.PlayerCount = 2;
    start.Players[0].Name = Session().Alias;
    start.Players[1].Name = m.Field();
    start.Param1 = m.Number(0);
}

void ReadGammon(TMessageReader& m, TGameStart& start) {
    start.PlayerCount = 2;
    start.Players[0].Name = Session().Alias;
    start.Players[1].Name = m.Field();
    start.Param3 = m.Byte();
    start.Param4 = LeadingNumber(m.Field(), 1);
    start.Players[0].Extra = m.Field();
    start.Players[1].Extra = m.Field();
}

void ReadYatzy(TMessageReader& m, TGameStart& start) {
    start.Param1 = m.Number(0);
    start.PlayerCount = std::clamp(m.Number(2), 0, TGameStart::kMaxPlayers);
    start.Param2 = m.Number(2);
    start.Param4 = LeadingNumber(m.Field(), 1);
    for (int i = 0; i < start.PlayerCount; ++i) start.Players[static_cast<size_t>(i)].Name = m.Field();
}

void OpenGameWindow(int kind) {
    TSession& session = Session();
    session.GameRunning = true;
    if (IGameWindow* window = SessionWindows().Games[static_cast<size_t>(kind)]) window->ShowGame();
    const std::string& url = session.GameUrls[static_cast<size_t>(kGameUrlEntry[kind])];
    if (IWebPanels* web = SessionWindows().Web; web && !url.empty()) web->VisitHidden(url);
}

std::string WonText(const std::string& points, TMessageReader& m) {
    std::string x = m.Field(), y = m.Field(), z = m.Field();
    if (points == "0") return "Won0";
    if (NumberOr(x, 0) != 0) return Template("Wonbonus", points + "," + x + "," + y + "," + z);
    return Template("Won", points + "," + z);
}

std::string TournamentKey(int sub) {
    static const char* const kKeys[] = {"ErrorTourGame", "ErrorTourJoined", "ErrorTourRegret",
                                        "InfoTourRegret", "InfoTourJoined"};
    if (sub >= 1 && sub <= 5) return kKeys[sub - 1];
    return "Error code 190-" + std::to_string(sub);
}

}  // namespace

void TableOpened(TMessageReader& m) {
    TTableOpened table;
    table.Kind = m.Byte();
    table.Creator = m.Field();
    table.Number = m.Number(0);
    table.Text = m.Field();
    if (ITablesView* tables = Tables(); tables && ValidKind(table.Kind)) tables->AddTable(table);
}

void TableClosed(TMessageReader& m) {
    int kind = m.Byte();
    std::string creator = m.Field();
    ITablesView* tables = Tables();
    if (!tables || !ValidKind(kind)) return;
    tables->RemoveTable(kind, creator);
    // Aliases are unique without regard to case; the server may spell the
    // own one as stored.
    if (SameTextAscii(creator, Session().Alias)) tables->ClearJoinRequests(kind);
}

void JoinRequest(TMessageReader& m) {
    TJoinRequest request;
    request.Kind = m.Byte();
    request.Joiner = m.Field();
    request.Number = m.Number(0);
    if (ITablesView* tables = Tables(); tables && ValidKind(request.Kind)) tables->AddJoinRequest(request);
}

void GameStarted(TMessageReader& m) {
    TRunningGame game;
    game.Kind = m.Byte();
    int count = m.Byte();
    // Pairs past the end of the message would all be empty.
    for (int i = 0; i < count && !m.AtEnd(); ++i) {
        std::string name = m.Field();
        game.Players.emplace_back(name, m.Field());
    }
    if (!ValidKind(game.Kind)) return;
    if (ITablesView* tables = Tables()) {
        for (const auto& player : game.Players)
            for (int kind = 1; kind <= 4; ++kind) tables->RemoveJoinRequest(kind, player.first);
        tables->AddRunningGame(game);
    }
    if (ILobbyWindow* lobby = SessionWindows().Lobby) lobby->FillFreePreviews();
}

void GameEnded(TMessageReader& m) {
    std::string player = m.Field();
    if (ITablesView* tables = Tables()) tables->RemoveRunningGame(player);
}

void GameStart(TMessageReader& m) {
    int kind = m.Byte();
    // A start while a game window is open is ignored: that window still
    // reads the parameters of its own game.
    if (!ValidKind(kind) || Session().GameRunning) return;
    TGameStart start;
    start.GameKind = kind;
    if (kind == 2)
        ReadGammon(m, start);
    else if (kind == 4)
        ReadYatzy(m, start);
    else
        ReadDuel(m, start);
    Session().GameStart = start;
    OpenGameWindow(kind);
}

void GameData(TMessageReader& m) {
    int length = m.Byte();
    std::string data = m.Bytes(length);
    for (int kind = 1; kind <= 4; ++kind) {
        IGameWindow* window = SessionWindows().Games[static_cast<size_t>(kind)];
        if (window && window->Visible()) {
            window->NetRead(data);
            return;
        }
    }
}

void GameResult(TMessageReader& m) {
    int result = m.Byte();
    std::string points = m.Field();
    std::string text;
    if (result == kResultWon)
        text = WonText(points, m);
    else
        text = points != "0" ? Template("Lost", points) : std::string("Lost0");
    Notice(text, "System");
}

void RatingChange(TMessageReader& m) {
    int game = m.Byte();
    std::string a = m.Field();
    std::string b = m.Field();
    AddRoomLine(Template("Rating", GameName(game) + "," + HundredthsText(b) + "," + HundredthsText(a)));
}

void Tournament(TMessageReader& m) {
    int sub = m.Byte();
    if (sub != 6) {
        Notice(TournamentKey(sub), "Error");
        return;
    }
    std::string number = m.Field();
    std::string a = m.Field();
    std::string b = m.Field();
    AddRoomLine(Template("Tourgame", GameName(NumberOr(number, 0)) + "," + a + "," + b + "," + number));
}

}  // namespace dispatch
