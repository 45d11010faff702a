#include "TumblixDuel.h"

#include <algorithm>
#include <optional>

#include "referees/TumblixReferee.h"

namespace e2etest {

using namespace rules::tumblix;

namespace {

// Holes under the stack, the columns' heights and their differences, the
// falling piece left out.
int Badness(const TOwnGame& game) {
    TWell well = game.Well();
    if (game.Piece().Exists()) well.RemoveBlock(game.Piece());
    int holes = 0, heights = 0, bumps = 0, previous = -1;
    for (int x = 0; x < TWell::kColumns; ++x) {
        int top = TWell::kRows;
        for (int y = TWell::kRows - 1; y >= 0; --y)
            if (well.Cell(x, y) != 0) top = y;
        for (int y = top + 1; y < TWell::kRows; ++y)
            if (well.Cell(x, y) == 0) ++holes;
        const int height = TWell::kRows - top;
        heights += height;
        if (previous >= 0) bumps += std::abs(height - previous);
        previous = height;
    }
    return holes * 35 + heights * 5 + bumps * 2;
}

}  // namespace

// Plays the plan on the game until the piece has landed: the turns, a few
// ticks of gravity, a position report, the side steps, then the drop key
// twice (the first press on an unmoved piece only marks it).
bool PlayPlan(TTumblixSide& side, const TTumblixPlan& plan) {
    std::vector<std::function<void()>> keys;
    for (int i = 0; i < plan.turns; ++i) keys.push_back([&] { side.game.TurnBlock(); });
    for (int i = 0; i < 3; ++i) keys.push_back([&] { side.game.Tick(); });
    keys.push_back([&] { side.game.Sendpos(); });
    for (int i = 0; i < std::abs(plan.shift); ++i)
        keys.push_back([&] { plan.shift < 0 ? side.game.BlockLeft() : side.game.BlockRight(); });
    keys.push_back([&] { side.game.DropPress(); });
    keys.push_back([&] { side.game.DropPress(); });
    for (const auto& key : keys) {
        if (side.game.Dead()) break;
        key();
        if (side.Collect()) return true;
    }
    return side.Collect();
}

// The plan that clears most lines and leaves the fewest holes, tried on
// copies of the game.
TTumblixPlan BestPlan(const TTumblixSide& side) {
    TTumblixPlan best;
    int bestScore = -1000000;
    for (int turns = 0; turns < 4; ++turns)
        for (int shift = -7; shift <= 7; ++shift) {
            TTumblixSide trial;
            trial.game = side.game;
            trial.game.TakePayloads();
            PlayPlan(trial, {turns, shift});
            if (trial.game.Dead()) continue;
            const int lines = static_cast<int>(std::count_if(trial.outbox.begin(), trial.outbox.end(),
                                                             [](const std::string& p) { return p[0] == '5'; }));
            const int score = lines * 30 - Badness(trial.game);
            if (score > bestScore) best = {turns, shift}, bestScore = score;
        }
    return best;
}

uint32_t TumblixDuelTest::BeginMatch(const std::string& games) {
    uint32_t seed = 0;
    EXPECT_TRUE(StartMatch(kTumblix, games, seed));
    m_ann.user = ann.get();
    m_ben.user = ben.get();
    // The windows are shown: the seed, then ready.
    for (TTumblixSide* side : {&m_ann, &m_ben}) {
        side->game.Show(seed);
        side->outbox.push_back(">");
        Flush(*side);
    }
    Settle();
    EXPECT_TRUE(m_ann.Playing() && m_ben.Playing()) << "the first game did not start";
    CompareWells("at the start");
    return seed;
}

void TumblixDuelTest::PlayToEnd() {
    int benMoves = 0;
    for (int round = 0; round < 3000 && !(m_ann.closed && m_ben.closed); ++round) {
        for (int i = 0; i < 3 && m_ann.Playing(); ++i) Place(m_ann, BestPlan(m_ann));
        if (HasFatalFailure()) return;
        if (m_ben.Playing()) {
            // Ben turns and steps by a fixed pattern.
            ++benMoves;
            Place(m_ben, {benMoves % 4, (benMoves * 5) % 11 - 5});
        }
        if (HasFatalFailure()) return;
        // Neither plays: a game ended and the next has not begun, which
        // settling would have started; only the end of the match is left.
        if (!m_ann.Playing() && !m_ben.Playing()) Settle();
    }
}

void TumblixDuelTest::Flush(TTumblixSide& side) {
    for (const std::string& payload : side.outbox) SendPayload(*side.user, kTumblix, payload);
    m_sent += side.outbox.size();
    side.outbox.clear();
}

void TumblixDuelTest::Receive(TTumblixSide& side, const std::string& data) {
    const int code = PayloadCode(data);
    if (code == static_cast<int>(TCode::Died)) {
        side.closed = true;
        return;
    }
    std::optional<TPayload> payload = ParsePayload(data);
    ASSERT_TRUE(payload.has_value()) << side.user->Alias() << " cannot read a payload of code " << code;
    if (IsWellReplayCode(code)) {
        side.opponent.Apply(*payload);
        if (code == '5') side.game.AddOpponentLine();
        side.Collect();
        return;
    }
    switch (code) {
        case '6':
            ++side.junkRows;
            side.game.Annoy();
            break;
        case '8':
            ++side.levelUps;
            side.game.NewLevel();
            break;
        case '>':
            side.opponent.Reset();
            side.game.NewGame();
            break;
        case static_cast<int>(TCode::Won):
        case static_cast<int>(TCode::Lost):
            side.results.push_back(std::get<TResult>(*payload));
            side.game.SetSeeds(side.results.back().Seed);
            side.outbox.push_back(">");
            break;
        default: FAIL() << side.user->Alias() << " got the unexpected code " << code;
    }
    side.Collect();
}

void TumblixDuelTest::Process(TTumblixSide& side) {
    for (const std::string& message : TakeNew(*side.user)) {
        protocol::TGameData data;
        if (message.empty() || uint8_t(message[0]) != uint8_t(protocol::TGameData::kCode) ||
            !protocol::Parse(message, data))
            continue;
        Receive(side, data.Payload);
    }
    Flush(side);
}

void TumblixDuelTest::Settle() {
    for (int round = 0; round < 100; ++round) {
        const size_t before = m_sent;
        ASSERT_TRUE(Sync(*ann));
        ASSERT_TRUE(Sync(*ben));
        ASSERT_TRUE(Sync(*ann));
        Process(m_ann);
        Process(m_ben);
        if (m_sent == before) return;
    }
    FAIL() << "the payloads never came to rest";
}

void TumblixDuelTest::CompareWells(const std::string& when) {
    std::optional<TWell> kept[2];
    WithReferee("Ann", [&](const server::Referee* referee) {
        const auto* tumblix = dynamic_cast<const server::TumblixReferee*>(referee);
        if (!tumblix) return;
        for (int seat : {0, 1}) kept[seat] = tumblix->Well(seat).Well();
    });
    if (!kept[0]) return;  // the match has ended
    TTumblixSide* seats[2] = {&m_ann, &m_ben};
    for (int seat : {0, 1}) {
        const TWell& own = seats[seat]->game.Well();
        ASSERT_EQ(*kept[seat], own) << seats[seat]->user->Alias() << "'s well at the referee, " << when;
        ASSERT_EQ(seats[1 - seat]->opponent.Well(), own)
            << seats[seat]->user->Alias() << "'s well at the opponent, " << when;
    }
    ++m_checks;
}

void TumblixDuelTest::Place(TTumblixSide& side, const TTumblixPlan& plan) {
    const bool landed = PlayPlan(side, plan);
    ++side.pieces;
    Flush(side);
    Settle();
    if (landed) {
        ++side.landings;
        CompareWells(side.user->Alias() + "'s piece " + std::to_string(side.pieces));
    }
}

}  // namespace e2etest
