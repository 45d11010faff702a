// The zone's side of the game tables: the lobby's table requests and the
// game windows' payloads and the watch requests go to GameTables as parsed
// values; what the tables decide comes back as TableEvents and leaves here
// as messages, and the previews' messages are queued on their watchers'
// sessions. Events about someone who is no longer logged on are dropped.
#include <type_traits>

#include "Zone.h"

namespace server {
namespace {

protocol::TGameStartMessage StartMessage(rules::TGameKind kind, const SeatSetup& setup) {
    protocol::TGameStartMessage start;
    start.Kind = kind;
    std::visit([&](const auto& s) { start.Setup = s; }, setup);
    if (const auto* yatzy = std::get_if<rules::TYatzySetup>(&setup)) start.SentPlayerCount = yatzy->PlayerCount;
    return start;
}

}  // namespace

bool Zone::HandleTables(ZoneUser& user, const std::string& message) {
    using protocol::TClientCode;
    switch (static_cast<TClientCode>(message[0])) {
        case TClientCode::CreateTable: return Take<protocol::TCreateTable>(user, message, &Zone::OnCreateTable);
        case TClientCode::WithdrawTable: return Take<protocol::TWithdrawTable>(user, message, &Zone::OnWithdrawTable);
        case TClientCode::AskToJoin: return Take<protocol::TAskToJoin>(user, message, &Zone::OnAskToJoin);
        case TClientCode::StartTable: return Take<protocol::TStartTable>(user, message, &Zone::OnStartTable);
        case TClientCode::GamePayload: return Take<protocol::TGamePayload>(user, message, &Zone::OnGamePayload);
        case TClientCode::Watch: return Take<protocol::TWatch>(user, message, &Zone::OnWatch);
        default: return false;
    }
}

void Zone::OnCreateTable(ZoneUser& user, const protocol::TCreateTable& in) {
    m_tables->OpenTable(PlayerOf(user), in.Kind, in.Setting);
}

void Zone::OnWithdrawTable(ZoneUser& user, const protocol::TWithdrawTable& in) {
    m_tables->WithdrawTable(PlayerOf(user), in.Kind);
}

void Zone::OnAskToJoin(ZoneUser& user, const protocol::TAskToJoin& in) {
    m_tables->AskToJoin(PlayerOf(user), in.Kind, in.Creator);
}

void Zone::OnStartTable(ZoneUser& user, const protocol::TStartTable& in) {
    m_tables->StartGame(PlayerOf(user), in.Kind, in.Joiners);
}

void Zone::OnGamePayload(ZoneUser& user, const protocol::TGamePayload& in) {
    m_tables->GamePayload(PlayerOf(user), in.Kind, in.Payload);
}

void Zone::OnWatch(ZoneUser& user, const protocol::TWatch& in) {
    m_tables->Watch(PlayerOf(user), in.Kind, in.Player, in.Slot);
}

void Zone::Tick() { m_tables->Tick(); }

// A user who logs on sees the open tables and the running games.
void Zone::DescribeTables(const ZoneUser& user) {
    for (const Table& t : m_tables->OpenTables())
        SendTo(user, Build(protocol::TTableOpened{rules::KindNumber(t.kind), t.creator.alias,
                                                  static_cast<int>(t.rating), t.text}));
    for (const GameView& game : m_tables->RunningGames()) {
        protocol::TRunningGame running{rules::KindNumber(game.kind), {}};
        for (const Seat& seat : game.seats) running.Players.emplace_back(seat.alias, std::to_string(seat.rating));
        SendTo(user, Build(running));
    }
}

void Zone::SendToAlias(const std::string& alias, std::string_view message) {
    if (ZoneUser* user = UserByName(alias)) SendTo(*user, message);
}

// --- TableEvents ------------------------------------------------------------

void Zone::TableOpened(rules::TGameKind kind, const std::string& creator, int64_t rating, const std::string& text) {
    SendAll(Build(protocol::TTableOpened{rules::KindNumber(kind), creator, static_cast<int>(rating), text}));
}

void Zone::TableClosed(rules::TGameKind kind, const std::string& creator) {
    SendAll(Build(protocol::TTableClosed{rules::KindNumber(kind), creator}));
}

void Zone::JoinRequested(rules::TGameKind kind, const std::string& creator, const std::string& joiner,
                         int64_t rating) {
    SendToAlias(creator, Build(protocol::TJoinRequest{rules::KindNumber(kind), joiner, static_cast<int>(rating)}));
}

void Zone::Refused(const std::string& alias, TableRefusal reason, const std::string& name) {
    if (ZoneUser* user = UserByName(alias)) Box(*user, RefusalText(reason, name));
}

void Zone::GameSetUp(const std::string& alias, rules::TGameKind kind, const SeatSetup& setup) {
    SendToAlias(alias, Build(StartMessage(kind, setup)));
}

void Zone::GameStarted(rules::TGameKind kind, const std::vector<Seat>& seats) {
    protocol::TRunningGame running{rules::KindNumber(kind), {}};
    for (const Seat& seat : seats) running.Players.emplace_back(seat.alias, std::to_string(seat.rating));
    SendAll(Build(running));
}

void Zone::PlayingChanged(const std::string& alias, int kind) { SetPlaying(alias, kind); }

void Zone::GamePayload(const std::string& alias, std::string_view payload) {
    const std::string message = Build(protocol::TGameData{std::string(payload)});
    // An empty build: no message can carry the payload. The player's line
    // is written before the watchers' of the same pass.
    ZoneUser* user = message.empty() ? nullptr : UserByName(alias);
    if (Session* session = user ? m_host.FindSession(user->session) : nullptr) m_host.SendPrompt(*session, message);
}

void Zone::GameEnded(rules::TGameKind, const std::string& alias) { SendAll(Build(protocol::TGameEnded{alias})); }

void Zone::MatchResult(const std::string& alias, const MatchResultLine& line) {
    protocol::TGameResult result;
    result.Result = line.won ? protocol::TGameResult::kResultWon : 1;
    result.Points = std::to_string(line.points);
    if (line.won) {
        result.X = std::to_string(line.bonus);
        result.Y = line.bonusText;
        result.Z = line.note;
    }
    SendToAlias(alias, Build(result));
}

void Zone::RatingChanged(const std::string& alias, rules::TGameKind kind, int64_t oldHundredths,
                         int64_t newHundredths) {
    SendToAlias(alias, Build(protocol::TRatingChange{rules::KindNumber(kind), std::to_string(oldHundredths),
                                                     std::to_string(newHundredths)}));
}

void Zone::ToWatcher(const std::string& alias, std::string_view message) { SendToAlias(alias, message); }

}  // namespace server
