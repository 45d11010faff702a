// The game codes: tables and join requests, the game start and its data,
// running games, results, rating changes and tournament notices.
#include <type_traits>

#include <cstdint>
#include <variant>

#include "net/DispatchCodes.h"
#include "net/Dispatcher.h"
#include "net/Session.h"
#include "resources/StrFuncs.h"

namespace dispatch {
namespace {

// The Backgammon seat numbers the game window reads from Param3.
constexpr int kWhiteSeat = 1, kBlackSeat = 2;
// The URL entries (code 99) of the game kinds 1..4.
constexpr int kGameUrlEntry[] = {0, 2, 3, 4, 7};

bool ValidKind(int kind) { return kind >= 1 && kind <= 4; }

ITablesView* Tables() { return SessionWindows().Tables; }

// The set-up records as the game windows read them today.
void FillStart(const rules::TDuelSetup& setup, TGameStart& start) {
    start.PlayerCount = 2;
    start.Players[0].Name = Session().Alias;
    start.Players[1].Name = setup.Opponent;
    start.Param1 = static_cast<int32_t>(setup.Seed);
}

void FillStart(const rules::TGammonSetup& setup, TGameStart& start) {
    start.PlayerCount = 2;
    start.Players[0].Name = Session().Alias;
    start.Players[1].Name = setup.Opponent;
    start.Param3 = setup.OwnWhite ? kWhiteSeat : kBlackSeat;
    start.Param4 = setup.MatchPoints;
    start.Players[0].Extra = setup.OwnExtra;
    start.Players[1].Extra = setup.OpponentExtra;
}

void FillStart(const rules::TYatzySetup& setup, TGameStart& start) {
    start.Param1 = static_cast<int32_t>(setup.Seed);
    start.PlayerCount = setup.PlayerCount;
    start.Param2 = setup.OwnSeat;
    start.Param4 = setup.MatchLength;
    for (int i = 0; i < start.PlayerCount; ++i)
        start.Players[static_cast<size_t>(i)].Name = setup.Players[static_cast<size_t>(i)];
}

void OpenGameWindow(int kind) {
    TSession& session = Session();
    session.GameRunning = true;
    if (IGameWindow* window = SessionWindows().Games[static_cast<size_t>(kind)]) window->ShowGame();
    const std::string& url = session.GameUrls[static_cast<size_t>(kGameUrlEntry[kind])];
    if (IWebPanels* web = SessionWindows().Web; web && !url.empty()) web->VisitHidden(url);
}

std::string WonText(const protocol::TGameResult& result) {
    const std::string& points = result.Points;
    if (points == "0") return "Won0";
    if (protocol::NumberOr(result.X, 0) != 0)
        return Template("Wonbonus", points + "," + result.X + "," + result.Y + "," + result.Z);
    return Template("Won", points + "," + result.Z);
}

std::string TournamentKey(int sub) {
    static const char* const kKeys[] = {"ErrorTourGame", "ErrorTourJoined", "ErrorTourRegret",
                                        "InfoTourRegret", "InfoTourJoined"};
    if (sub >= 1 && sub <= 5) return kKeys[sub - 1];
    return "Error code 190-" + std::to_string(sub);
}

}  // namespace

void TableOpened(TReader& m) {
    auto table = ReadAs<TTableOpened>(m);
    if (ITablesView* tables = Tables(); tables && ValidKind(table.Kind)) tables->AddTable(table);
}

void TableClosed(TReader& m) {
    auto closed = ReadAs<protocol::TTableClosed>(m);
    ITablesView* tables = Tables();
    if (!tables || !ValidKind(closed.Kind)) return;
    tables->RemoveTable(closed.Kind, closed.Creator);
    // Aliases are unique without regard to case; the server may spell the
    // own one as stored.
    if (SameTextAscii(closed.Creator, Session().Alias)) tables->ClearJoinRequests(closed.Kind);
}

void JoinRequest(TReader& m) {
    auto request = ReadAs<TJoinRequest>(m);
    if (ITablesView* tables = Tables(); tables && ValidKind(request.Kind)) tables->AddJoinRequest(request);
}

void GameStarted(TReader& m) {
    auto game = ReadAs<TRunningGame>(m);
    if (!ValidKind(game.Kind)) return;
    if (ITablesView* tables = Tables()) {
        for (const auto& player : game.Players)
            for (int kind = 1; kind <= 4; ++kind) tables->RemoveJoinRequest(kind, player.first);
        tables->AddRunningGame(game);
    }
    if (ILobbyWindow* lobby = SessionWindows().Lobby) lobby->FillFreePreviews();
}

void GameEnded(TReader& m) {
    std::string player = ReadAs<protocol::TGameEnded>(m).Player;
    if (ITablesView* tables = Tables()) tables->RemoveRunningGame(player);
}

void GameStart(TReader& m) {
    protocol::TGameStartMessage message;
    // A start while a game window is open is ignored: that window still
    // reads the parameters of its own game.
    if (!protocol::Read(m, message) || Session().GameRunning) return;
    // A Yatzy table seats two to four; any other count cannot be played.
    constexpr int kMinYatzy = 2, kMaxYatzy = 4;
    if (message.Kind == rules::TGameKind::Yatzy &&
        (message.SentPlayerCount < kMinYatzy || message.SentPlayerCount > kMaxYatzy)) {
        Notice("Error code 18", "Error");
        return;
    }
    TGameStart start;
    start.GameKind = rules::KindNumber(message.Kind);
    std::visit(
        [&start](auto setup) {
            FillStart(setup, start);
            if constexpr (!std::is_same_v<decltype(setup), rules::TYatzySetup>) setup.Own = Session().Alias;
            start.Setup = setup;
        },
        message.Setup);
    Session().GameStart = start;
    OpenGameWindow(start.GameKind);
}

void GameData(TReader& m) {
    std::string data = ReadAs<protocol::TGameData>(m).Payload;
    for (int kind = 1; kind <= 4; ++kind) {
        IGameWindow* window = SessionWindows().Games[static_cast<size_t>(kind)];
        if (window && window->Visible()) {
            window->NetRead(data);
            return;
        }
    }
}

void GameResult(TReader& m) {
    auto result = ReadAs<protocol::TGameResult>(m);
    std::string text;
    if (result.Result == protocol::TGameResult::kResultWon)
        text = WonText(result);
    else
        text = result.Points != "0" ? Template("Lost", result.Points) : std::string("Lost0");
    Notice(text, "System");
}

void RatingChange(TReader& m) {
    auto change = ReadAs<protocol::TRatingChange>(m);
    AddRoomLine(Template("Rating", GameName(change.Game) + "," + HundredthsText(change.B) + "," +
                                       HundredthsText(change.A)));
}

void Tournament(TReader& m) {
    auto notice = ReadAs<protocol::TTournament>(m);
    if (notice.Sub != protocol::TTournament::kSubGame) {
        Notice(TournamentKey(notice.Sub), "Error");
        return;
    }
    AddRoomLine(Template("Tourgame", GameName(protocol::NumberOr(notice.Number, 0)) + "," + notice.A + "," +
                                         notice.B + "," + notice.Number));
}

}  // namespace dispatch
