// The referee of a Puzzle match (two players, bubble shooters).
//
// It keeps a copy of both fields (rules::TPuzzleReplica, laid out with the
// shared layout of rules/puzzle/PuzzleLayout.h) from the payloads it lets
// through, and passes on only what fits them:
// - a shot (140) must be one the shooter's canon yields on that field, in
//   a colour the shooter can have; it lands on the copy and goes to the
//   opponent;
// - a bubble that fell off (141) must have fallen off the sender's copy; it
//   goes to the opponent as trash, which that player must place next;
// - placed trash (142) must be the colour handed over, in a cell the settle
//   step could choose; it is set on the copy and goes to the opponent;
// - an emptied cell (143) only feeds the previews, so it stops here;
// - a pause ("=") is passed on at most twice per player and match.
// Anything else, or anything between two games, is dropped.
//
// A player's loss (21) ends the game: the winner receives 22 and the loser
// 168, each with their own games won + 1, the opponent's + 1, the bubbles
// they cleared in that game (at most 255) and the next game's seed. The
// first to win the match length of games wins the match; otherwise the next
// game starts when both windows have sent ">".
//
// Level: every game starts at level 1 in the windows; the referee raises it
// for both players by one every kLevelStepMs of play, up to kTopLevel, so a
// game speeds up the longer it lasts. Paused time does not count. The pace
// (a minute per level, five levels) keeps the shot clock above a second for
// the first four minutes (2.8 s at level 1, 1.0 s at level 4), and at level
// 5 (0.8 s) a game rarely lasts long.
//
// The previews hear of every shot with the cells its landing changed, of
// placed trash, of the level, and of a new game and each result as a
// restart.
#pragma once

#include <array>
#include <map>

#include "referees/Referee.h"
#include "rules/Random.h"
#include "rules/puzzle/PuzzleReplica.h"

namespace server {

class PuzzleReferee : public Referee {
public:
    static constexpr int64_t kLevelStepMs = 60000;
    static constexpr int kTopLevel = 5;
    static constexpr int kPausesPerMatch = 2;
    // A pause runs this long in the windows (their count-down).
    static constexpr int64_t kPauseMs = 60000;

    PuzzleReferee(RefereeHost& host, const RefereeSetup& setup);

    // For the tests and the previews: a player's field as the referee keeps
    // it, and the game's state.
    const rules::TPuzzleField& Field(int seat) const { return Side(seat).replica.Field(); }
    int GamesWon(int seat) const { return Side(seat).won; }
    int Level() const { return m_level; }
    bool Playing() const { return m_playing; }

protected:
    void OnPayload(int seat, std::string_view payload) override;
    void OnAllReady() override;
    void OnTick(int64_t nowMs) override;

private:
    struct TSide {
        explicit TSide(const rules::TPuzzleGeometry& geometry) : replica(geometry) {}
        rules::TPuzzleReplica replica;
        // Colours that fell off this field and are still to be reported.
        std::map<int, int> fallen;
        int won = 0;
        int cleared = 0;
        int pausesLeft = kPausesPerMatch;
    };

    TSide& Side(int seat) { return m_sides[seat == 0 ? 0 : 1]; }
    const TSide& Side(int seat) const { return m_sides[seat == 0 ? 0 : 1]; }
    int Other(int seat) const { return seat == 0 ? 1 : 0; }

    void Shot(int seat, std::string_view payload);
    void Fallen(int seat, std::string_view payload);
    void Placed(int seat, std::string_view payload);
    void Pause(int seat, std::string_view payload);
    void Lost(int seat);
    uint32_t NextSeed();

    std::array<TSide, 2> m_sides;
    bool m_playing = false;
    int m_level = 1;
    // When the next level is due; -1 until the first tick of a game.
    int64_t m_nextLevelAt = -1;
    // Pause time granted since the last tick, added to the level's due time.
    int64_t m_pausedMs = 0;
    rules::TRandom m_seedChain;
};

}  // namespace server
