// What the game tables tell the zone. The tables and the referees decide;
// the zone turns each event into its message and sends it (which message to
// whom is noted at each event). Nothing here knows message bytes.
//
// Aliases in events are as the accounts were registered. An event about a
// user who has gone (a leaver's results) may be dropped by the zone.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "rules/GameKind.h"
#include "rules/GameSetup.h"

namespace server {

// A logged-on user as the tables know them.
struct Player {
    int64_t accountId = 0;
    std::string alias;
};

// A seat of a running game: the alias and the figure the running-games list
// shows beside it (the player's rating in that game).
struct Seat {
    std::string alias;
    int64_t rating = 0;
};

// The start of a game as one player's window reads it: Tumblix and Puzzle
// take a TDuelSetup, Backgammon a TGammonSetup, Yatzy a TYatzySetup.
using SeatSetup = std::variant<rules::TDuelSetup, rules::TGammonSetup, rules::TYatzySetup>;

// The result box of one player at the end of a match: won or lost, the
// rating points gained or lost (whole), a bonus (0: none) with its text,
// and a closing note.
struct MatchResultLine {
    bool won = false;
    int64_t points = 0;
    int64_t bonus = 0;
    std::string bonusText;
    std::string note;
};

// Why a request about tables was not carried out.
enum class TableRefusal {
    BadSetting,     // a match length the kind does not offer
    InGame,         // the user (or a chosen joiner) is playing
    TableOpen,      // the user has a table of that kind already
    NoTable,        // no such table (ask, withdraw, start)
    OwnTable,       // asking to join one's own table
    AlreadyAsked,   // asking the same table twice
    NotAsking,      // a chosen joiner who did not ask, or left since
    PlayerCount,    // too few or too many chosen for the kind
};

// A sentence for the user's message box; name is the alias concerned, if any.
std::string RefusalText(TableRefusal reason, std::string_view name);

class TableEvents {
public:
    virtual ~TableEvents() = default;

    // Code 11 to everyone: the number is the creator's rating in that game,
    // the text describes the match length.
    virtual void TableOpened(rules::TGameKind kind, const std::string& creator, int64_t rating,
                             const std::string& text) = 0;
    // Code 12 to everyone.
    virtual void TableClosed(rules::TGameKind kind, const std::string& creator) = 0;
    // Code 16 to the creator only, with the joiner's rating.
    virtual void JoinRequested(rules::TGameKind kind, const std::string& creator, const std::string& joiner,
                               int64_t rating) = 0;
    // A message box to the user who asked.
    virtual void Refused(const std::string& alias, TableRefusal reason, const std::string& name) = 0;

    // Code 18 to one player: their side of the start.
    virtual void GameSetUp(const std::string& alias, rules::TGameKind kind, const SeatSetup& setup) = 0;
    // Code 78 to everyone, after every player's code 18.
    virtual void GameStarted(rules::TGameKind kind, const std::vector<Seat>& seats) = 0;
    // The user's icon: kind while they play, 0 when they stop (Zone::SetPlaying).
    virtual void PlayingChanged(const std::string& alias, int kind) = 0;
    // Code 71 to one player: a game payload (1..255 bytes).
    virtual void GamePayload(const std::string& alias, std::string_view payload) = 0;
    // Code 84 to everyone: the game in which alias played has ended.
    virtual void GameEnded(rules::TGameKind kind, const std::string& alias) = 0;

    // Code 112 to one player at the end of a match.
    virtual void MatchResult(const std::string& alias, const MatchResultLine& line) = 0;
    // Code 114 to one player: old and new rating in hundredths.
    virtual void RatingChanged(const std::string& alias, rules::TGameKind kind, int64_t oldHundredths,
                               int64_t newHundredths) = 0;
};

}  // namespace server
