// A Tumblix match between the wire users Ann and Ben on the real server,
// played as their windows would play it: each side runs its own well with
// the rules library (TOwnGame), keeps a replayed copy of the opponent's,
// sends every payload its game makes and answers every payload that comes
// in as the window does. Ann places three pieces for each of Ben's and
// chooses her places well, so she clears lines: junk rows travel and the
// level rises. After every landing, once everything has settled, the wells
// are compared with what the referee keeps.
//
// Flush (sending a side's payloads) and CompareWells are virtual, so a test
// can watch the match more closely.
#pragma once

#include <string>
#include <vector>

#include "DuelFixture.h"
#include "rules/tumblix/OwnGame.h"
#include "rules/tumblix/WellReplay.h"

namespace e2etest {

using rules::tumblix::TOwnGame;
using rules::tumblix::TResult;
using rules::tumblix::TWellReplay;

// Where to put a piece: turns, then side steps (negative: left).
struct TTumblixPlan {
    int turns = 0, shift = 0;
};

// One player's window as far as the game goes.
struct TTumblixSide {
    TWireUser* user = nullptr;
    TOwnGame game;
    TWellReplay opponent;
    std::vector<std::string> outbox;
    std::vector<TResult> results;
    int pieces = 0, junkRows = 0, levelUps = 0, landings = 0;
    bool closed = false;

    bool Playing() const { return !closed && !game.Dead(); }
    // Moves the game's payloads to the outbox; true when a piece landed
    // (the next one entered) or the well filled.
    bool Collect() {
        bool landed = false;
        for (std::string& payload : game.TakePayloads()) {
            const int code = rules::tumblix::PayloadCode(payload);
            landed = landed || code == '2' || code == static_cast<int>(rules::tumblix::TCode::Died);
            outbox.push_back(std::move(payload));
        }
        game.TakeEvents();
        game.TakePendingSound();
        return landed;
    }
};


// Plays the plan on the game until the piece has landed; true when it did.
bool PlayPlan(TTumblixSide& side, const TTumblixPlan& plan);
// The plan that clears most lines and leaves the fewest holes.
TTumblixPlan BestPlan(const TTumblixSide& side);

class TumblixDuelTest : public DuelTest {
protected:
    static constexpr int kTumblix = 1;

    // Starts a match of the length, shows both windows and settles; the
    // seed both start messages carry.
    uint32_t BeginMatch(const std::string& games);
    // Plays until both windows are closed (or a fatal failure).
    void PlayToEnd();

    TTumblixSide& Other(TTumblixSide& side) { return &side == &m_ann ? m_ben : m_ann; }
    // Sends the side's outbox.
    virtual void Flush(TTumblixSide& side);
    // What the window does with a payload from the server.
    void Receive(TTumblixSide& side, const std::string& data);
    void Process(TTumblixSide& side);
    // Until nothing moves: every payload either side sent has been handled
    // by the referee, and everything it sent has been answered.
    void Settle();
    // Each well as its player, the referee and the opponent hold it.
    virtual void CompareWells(const std::string& when);
    // One piece of the side, placed by plan, then everything settles and
    // the wells are compared.
    void Place(TTumblixSide& side, const TTumblixPlan& plan);

    TTumblixSide m_ann, m_ben;
    size_t m_sent = 0;
    int m_checks = 0;
};

}  // namespace e2etest
