#include "tables/MatchRecorder.h"

#include <algorithm>
#include <cstdlib>

namespace server {
namespace {

bool Contains(const std::vector<int>& seats, int seat) {
    return std::find(seats.begin(), seats.end(), seat) != seats.end();
}

bool ValidSeat(int seat, size_t count) { return seat >= 0 && static_cast<size_t>(seat) < count; }

}  // namespace

std::vector<Glicko> RateMatch(const std::vector<Glicko>& before, const MatchOutcome& outcome) {
    std::vector<Glicko> after = before;
    std::vector<int> beaten = outcome.losers;
    beaten.insert(beaten.end(), outcome.dropped.begin(), outcome.dropped.end());
    auto rate = [&](int seat, const std::vector<int>& opponents, double score) {
        if (!ValidSeat(seat, before.size())) return;
        std::vector<GlickoGame> games;
        for (int o : opponents)
            if (ValidSeat(o, before.size()) && o != seat) games.push_back({before[static_cast<size_t>(o)], score});
        if (!games.empty()) after[static_cast<size_t>(seat)] = RateGlicko2(before[static_cast<size_t>(seat)], games);
    };
    for (int w : outcome.winners) rate(w, beaten, 1.0);
    for (int l : beaten) rate(l, outcome.winners, 0.0);
    return after;
}

GameStanding MatchRecorder::Load(const Player& player, rules::TGameKind kind) const {
    GameStanding standing;
    if (!m_accounts.Standing(player.accountId, rules::KindNumber(kind), standing)) standing = GameStanding{};
    return standing;
}

int64_t MatchRecorder::Rating(const Player& player, rules::TGameKind kind) const {
    return Load(player, kind).rating.Whole();
}

bool MatchRecorder::Record(rules::TGameKind kind, const std::vector<Player>& players, const MatchOutcome& outcome,
                           int64_t unixNow) {
    std::vector<GameStanding> standings;
    std::vector<Glicko> before;
    for (const Player& p : players) {
        standings.push_back(Load(p, kind));
        before.push_back(standings.back().rating);
    }
    std::vector<Glicko> after = RateMatch(before, outcome);
    bool stored = true;
    for (size_t seat = 0; seat < players.size(); ++seat) {
        int s = static_cast<int>(seat);
        bool won = Contains(outcome.winners, s), lost = Contains(outcome.losers, s);
        bool dropped = Contains(outcome.dropped, s);
        if (!won && !lost && !dropped) continue;
        GameStanding& g = standings[seat];
        g.won += won;
        g.lost += lost;
        g.dropped += dropped;
        g.rating = after[seat];
        g.lastPlayedAt = unixNow;
        stored = m_accounts.SaveStanding(players[seat].accountId, rules::KindNumber(kind), g) && stored;
        Report(kind, players[seat], won, before[seat], after[seat]);
    }
    return stored;
}

void MatchRecorder::Report(rules::TGameKind kind, const Player& player, bool won, const Glicko& before,
                           const Glicko& after) {
    MatchResultLine line;
    line.won = won;
    // A rated match always moves the rating; "0" would read as a game that
    // did not count, so the box shows at least one point.
    line.points = std::max<int64_t>(1, std::llabs(after.Whole() - before.Whole()));
    line.note = "Your " + std::string(rules::KindDisplayName(kind)) + " rating is now " +
                std::to_string(after.Whole()) + ".";
    m_events.MatchResult(player.alias, line);
    m_events.RatingChanged(player.alias, kind, before.Hundredths(), after.Hundredths());
}

}  // namespace server
