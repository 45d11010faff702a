// The referee of a Tumblix match (two players, falling blocks).
//
// It follows both wells through the rules library (TWellReplay), fed with
// what each player reports, and relays what the other window must see: a
// new piece, the first next piece, positions, removed lines, received junk
// rows, bombs and weights. A well payload that does not fit the well as
// tracked, or that comes while no game runs, is refused (dropped).
//
// What it adds on its own:
// - junk rows: the lines a player removes with one landing send the
//   opponent junk rows ("6"): 2 lines one row, 3 two, 4 four, 1 none. The
//   lines of a landing are counted when the next piece enters (or the well
//   is full);
// - level ups ("8", to both) every 20 lines removed by both together;
// - the pause: "=" goes to the opponent as the pause notice, Ready 1 to the
//   opponent, Ready 2 (the pause ends) to both;
// - the result: byte 21 from a player is a full well, the game is lost. The
//   winner receives 22 and the loser 168, each with the games won so far by
//   itself and by the other (+ 1 each), its lines of the round as points
//   and the next game's seed. When both have acknowledged with ">", the
//   next game starts (">" to both), until one has won the match length; at
//   that result both windows are closed (byte 21) and the match ends.
//
// The previews hear of every change of a tracked well, of every level up,
// and of a new game and each result as a restart (the wells, the level or
// the games won changed all at once).
#pragma once

#include <array>
#include <string_view>

#include "referees/Referee.h"
#include "rules/Random.h"
#include "rules/tumblix/Payload.h"
#include "rules/tumblix/WellReplay.h"

namespace server {

class TumblixReferee : public Referee {
public:
    static constexpr int kLinesPerLevel = 20;

    TumblixReferee(RefereeHost& host, const RefereeSetup& setup);

    // What the referee tracks, for tests and previews.
    const rules::tumblix::TWellReplay& Well(int seat) const { return m_wells[Index(seat)]; }
    bool Playing() const { return m_playing; }
    int Wins(int seat) const { return m_wins[Index(seat)]; }
    // The shared level as the windows count it: 1 at the start of a game,
    // one more for every kLinesPerLevel lines of both.
    int Level() const { return 1 + m_bothLines / kLinesPerLevel; }

    // Junk rows for the opponent after a landing that removed lines.
    static int JunkRowsFor(int lines);

protected:
    void OnPayload(int seat, std::string_view payload) override;
    void OnAllReady() override;

private:
    static size_t Index(int seat) { return seat == 0 ? 0 : 1; }
    static int Other(int seat) { return seat == 0 ? 1 : 0; }

    void WellPayload(int seat, const rules::tumblix::TPayload& payload, std::string_view bytes, int code);
    void LineRemoved(int seat);
    void SendJunk(int seat);
    void Lost(int seat);
    void SendResult(int seat, bool won, uint32_t seed);
    void ReadyPayload(int seat, const rules::tumblix::TReady& ready, std::string_view bytes);
    uint32_t NextSeed();

    std::array<rules::tumblix::TWellReplay, 2> m_wells;
    std::array<int, 2> m_wins{};
    // Lines of the current landing, not yet answered with junk.
    std::array<int, 2> m_landingLines{};
    // Lines of the round, the round's points.
    std::array<int, 2> m_roundLines{};
    int m_bothLines = 0;
    bool m_playing = false;
    rules::TRandom m_seeds;
};

}  // namespace server
