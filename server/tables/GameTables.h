// The zone's game tables: open tables, join requests, game starts, the
// running games with their referees, and the results. The zone hands over
// every table request and game payload as parsed values and turns the
// TableEvents into messages; nothing here reads or builds message bytes.
//
// Entry points and the client messages they stand for:
//   OpenTable     0x0B kind, setting      WithdrawTable  0x0C kind
//   AskToJoin     0x10 kind, creator      StartGame      0x11 kind, joiners
//   GamePayload   "G" kind, payload       UserLeft       the session ended
//   Watch         "H" kind, seat-1 alias, slot
//   Tick          call regularly (the table time-out and the referees'
//                 pacing, such as rising levels, read the clock)
// Kind numbers are the raw bytes the client sent; anything out of range is
// ignored. A request that cannot be carried out is answered with Refused,
// except a withdrawal of a table that is already gone (the client's own
// time-out may cross the server's) and payloads from someone not playing
// that kind (a window that closes after its game ended still says so).
//
// A player plays one game at a time. When a game starts, every seated
// player's open tables are withdrawn and their join requests forgotten.
//
// Anyone may watch running games of the kinds with previews in the four
// slots of their preview strip: Watch hands the slot to the game (whose
// preview sends the snapshot and from then on the changes, through the
// PreviewOutlet) after the game that had the slot let go of it (it sends a
// stop). A request for a slot outside 1..4, a kind that does not match,
// an unknown or ended game or a Yatzy game is ignored. A watcher who leaves
// the service is forgotten by every game.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "AccountStore.h"
#include "Clock.h"
#include "tables/MatchRecorder.h"
#include "tables/RunningGame.h"
#include "tables/TableEvents.h"
#include "tables/TableRegistry.h"

namespace server {

// A running game as the running-games list shows it.
struct GameView {
    rules::TGameKind kind;
    std::vector<Seat> seats;
};

class GameTables {
public:
    // Where seeds come from; the default is the system's secure generator.
    using SeedSource = std::function<uint32_t()>;
    static uint32_t SecureSeed();

    GameTables(TableEvents& events, PreviewOutlet& previews, AccountStore& accounts, const Clock& clock,
               SeedSource seeds = SecureSeed);
    GameTables(const GameTables&) = delete;
    GameTables& operator=(const GameTables&) = delete;

    void OpenTable(const Player& user, int kind, std::string_view setting);
    void WithdrawTable(const Player& user, int kind);
    void AskToJoin(const Player& user, int kind, std::string_view creator);
    void StartGame(const Player& user, int kind, const std::vector<std::string>& chosen);
    // The payload is what followed "G" and the kind byte; 1 to 255 bytes.
    void GamePayload(const Player& user, int kind, std::string_view payload);
    void UserLeft(const Player& user);
    void Watch(const Player& watcher, int kind, std::string_view seat1, int slot);
    void Tick();
    // The pages of the game windows' advertisement panels 1..3 (empty:
    // none), sent to every Backgammon and Yatzy match from its start on.
    void SetAdverts(std::array<std::string, 3> urls) { m_adverts = std::move(urls); }

    // For a user who logs on: the tables (code 11 each) and games (78 each).
    const std::vector<Table>& OpenTables() const { return m_tables.Tables(); }
    std::vector<GameView> RunningGames() const;
    // The kind the user is playing, or 0.
    int PlayingKind(std::string_view alias) const;
    // The referee of the game the user is seated in, or null; for tests
    // and previews that compare what the referee keeps.
    const Referee* RefereeOf(std::string_view alias) const {
        const RunningGame* game = GameOf(alias);
        return game ? &game->Judge() : nullptr;
    }

    // The live preview of the game the user is seated in, or null; for
    // tests that compare what watchers hold.
    const GamePreview* PreviewOf(std::string_view alias) const {
        RunningGame* game = GameOf(alias);
        return game ? game->Preview() : nullptr;
    }

private:
    RunningGame* GameOf(std::string_view alias) const;
    // The running game of the kind whose seat 1 is the alias, or null.
    RunningGame* GameBy(rules::TGameKind kind, std::string_view seat1) const;
    bool RefuseWhilePlaying(const Player& user);
    void SeatPlayers(Table& table);
    void FinishIfOver(RunningGame* game);

    TableEvents& m_events;
    PreviewOutlet& m_previews;
    const Clock& m_clock;
    SeedSource m_seeds;
    TableRegistry m_tables;
    MatchRecorder m_recorder;
    std::vector<std::unique_ptr<RunningGame>> m_games;
    std::array<std::string, 3> m_adverts;
};

}  // namespace server
