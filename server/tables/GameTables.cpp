#include "tables/GameTables.h"

#include <sodium.h>

#include <algorithm>
#include <ctime>

#include "tables/MatchSetting.h"
#include "tables/SeatSetups.h"

namespace server {
namespace {

// Code 71 carries the payload's length in one byte.
constexpr size_t kMaxPayload = 255;

}  // namespace

uint32_t GameTables::SecureSeed() { return randombytes_random(); }

GameTables::GameTables(TableEvents& events, PreviewOutlet& previews, AccountStore& accounts, const Clock& clock,
                       SeedSource seeds)
    : m_events(events),
      m_previews(previews),
      m_clock(clock), m_seeds(std::move(seeds)), m_tables(events), m_recorder(accounts, events) {}

RunningGame* GameTables::GameOf(std::string_view alias) const {
    for (const auto& game : m_games)
        if (game->SeatOf(alias) >= 0) return game.get();
    return nullptr;
}

int GameTables::PlayingKind(std::string_view alias) const {
    const RunningGame* game = GameOf(alias);
    return game ? rules::KindNumber(game->Kind()) : 0;
}

std::vector<GameView> GameTables::RunningGames() const {
    std::vector<GameView> views;
    for (const auto& game : m_games) views.push_back({game->Kind(), game->Seats()});
    return views;
}

bool GameTables::RefuseWhilePlaying(const Player& user) {
    if (!GameOf(user.alias)) return false;
    m_events.Refused(user.alias, TableRefusal::InGame, "");
    return true;
}

void GameTables::OpenTable(const Player& user, int kindNumber, std::string_view setting) {
    auto kind = rules::GameKindOf(kindNumber);
    if (!kind || RefuseWhilePlaying(user)) return;
    auto length = ParseMatchLength(*kind, setting);
    if (!length) {
        m_events.Refused(user.alias, TableRefusal::BadSetting, "");
        return;
    }
    if (auto refusal = m_tables.Open(*kind, user, *length, m_recorder.Rating(user, *kind), m_clock.NowMs()))
        m_events.Refused(user.alias, refusal->reason, refusal->name);
}

void GameTables::WithdrawTable(const Player& user, int kindNumber) {
    if (auto kind = rules::GameKindOf(kindNumber)) m_tables.Withdraw(*kind, user.alias);
}

void GameTables::AskToJoin(const Player& user, int kindNumber, std::string_view creator) {
    auto kind = rules::GameKindOf(kindNumber);
    if (!kind || RefuseWhilePlaying(user)) return;
    if (auto refusal = m_tables.Ask(*kind, user, creator, m_recorder.Rating(user, *kind)))
        m_events.Refused(user.alias, refusal->reason, refusal->name);
}

void GameTables::StartGame(const Player& user, int kindNumber, const std::vector<std::string>& chosen) {
    auto kind = rules::GameKindOf(kindNumber);
    if (!kind || RefuseWhilePlaying(user)) return;
    // A list longer than any table seats is refused before its names are
    // looked at one by one.
    if (chosen.size() >= static_cast<size_t>(rules::MaxPlayers(*kind))) {
        m_events.Refused(user.alias, TableRefusal::PlayerCount, "");
        return;
    }
    for (const std::string& name : chosen) {
        if (GameOf(name)) {
            m_events.Refused(user.alias, TableRefusal::InGame, name);
            return;
        }
    }
    Table table;
    if (auto refusal = m_tables.TakeForStart(*kind, user.alias, chosen, table)) {
        m_events.Refused(user.alias, refusal->reason, refusal->name);
        return;
    }
    SeatPlayers(table);
}

// Seats the creator and the chosen joiners: their other tables and requests
// go, each player gets their set-up, everyone learns of the game, and the
// icons switch.
void GameTables::SeatPlayers(Table& table) {
    std::vector<Player> players{table.creator};
    players.insert(players.end(), table.joiners.begin(), table.joiners.end());
    std::vector<Seat> seats;
    for (const Player& p : players) {
        m_tables.RemovePlayer(p.alias);
        seats.push_back({p.alias, m_recorder.Rating(p, table.kind)});
    }
    uint32_t seed = m_seeds();
    std::vector<SeatSetup> setups = BuildSeatSetups(table.kind, seats, table.matchLength, seed);
    for (size_t i = 0; i < setups.size(); ++i) m_events.GameSetUp(players[i].alias, table.kind, setups[i]);
    m_events.GameStarted(table.kind, seats);
    for (const Player& p : players) m_events.PlayingChanged(p.alias, rules::KindNumber(table.kind));
    RefereeSetup setup{table.kind, static_cast<int>(players.size()), table.matchLength, seed, m_seeds, {}, m_adverts};
    for (const Player& p : players) setup.names.push_back(p.alias);
    m_games.push_back(
        std::make_unique<RunningGame>(m_events, m_previews, setup, std::move(players), std::move(seats)));
}

void GameTables::GamePayload(const Player& user, int kindNumber, std::string_view payload) {
    RunningGame* game = GameOf(user.alias);
    if (!game || rules::KindNumber(game->Kind()) != kindNumber) return;
    if (payload.empty() || payload.size() > kMaxPayload) return;
    game->Judge().Receive(game->SeatOf(user.alias), payload);
    FinishIfOver(game);
}

void GameTables::UserLeft(const Player& user) {
    m_tables.RemovePlayer(user.alias);
    for (const auto& game : m_games)
        if (GamePreview* preview = game->Preview()) preview->Forget(user.alias);
    if (RunningGame* game = GameOf(user.alias)) {
        game->Judge().Leave(game->SeatOf(user.alias));
        FinishIfOver(game);
    }
}

RunningGame* GameTables::GameBy(rules::TGameKind kind, std::string_view seat1) const {
    for (const auto& game : m_games)
        if (game->Kind() == kind && SameAlias(game->Seats().front().alias, seat1)) return game.get();
    return nullptr;
}

void GameTables::Watch(const Player& watcher, int kindNumber, std::string_view seat1, int slot) {
    auto kind = rules::GameKindOf(kindNumber);
    if (!kind || !GamePreview::IsSlot(slot)) return;
    RunningGame* game = GameBy(*kind, seat1);
    GamePreview* preview = game && !game->Outcome() ? game->Preview() : nullptr;
    if (!preview) return;
    for (const auto& other : m_games)
        if (other.get() != game && other->Preview()) other->Preview()->Release(watcher.alias, slot);
    preview->Watch(watcher.alias, slot);
}

void GameTables::Tick() {
    const int64_t now = m_clock.NowMs();
    m_tables.Expire(now);
    // A referee may end its match from its tick, which removes the game
    // from the list; so the games are collected first.
    std::vector<RunningGame*> games;
    for (const auto& game : m_games) games.push_back(game.get());
    for (RunningGame* game : games) {
        game->Judge().Tick(now);
        FinishIfOver(game);
    }
}

// A game whose referee ended the match leaves the list first, so nothing the
// events set off can reach it; then everyone learns of the end, the icons
// switch back, and the match is rated.
void GameTables::FinishIfOver(RunningGame* game) {
    if (!game->Outcome()) return;
    auto it = std::find_if(m_games.begin(), m_games.end(), [&](const auto& g) { return g.get() == game; });
    std::unique_ptr<RunningGame> over = std::move(*it);
    m_games.erase(it);
    m_events.GameEnded(over->Kind(), over->Seats().front().alias);
    for (const Player& p : over->Present()) m_events.PlayingChanged(p.alias, 0);
    m_recorder.Record(over->Kind(), over->Players(), *over->Outcome(), static_cast<int64_t>(std::time(nullptr)));
}

}  // namespace server
