#include "rules/gammon/LegalPlays.h"

#include <algorithm>
#include <functional>
#include <set>
#include <utility>

namespace rules::gammon {

namespace {

// The dice of a turn as a small multiset: two values, or four equal ones.
struct TDice {
    std::vector<int> Values;
    TDice(int die1, int die2) {
        Values = die1 == die2 ? std::vector<int>(4, die1) : std::vector<int>{die1, die2};
    }
};

bool IsDie(int value) { return value >= 1 && value <= 6; }

using TVisited = std::set<std::pair<TPosition, std::vector<int>>>;

// Every play as a sequence of steps, depth first; the visitor sees each
// complete sequence (one that cannot go on) with the dice it used. A
// position reached again with the same dice left leads to the same plays,
// so it is visited once.
void VisitPlays(const TPosition& position, TColour colour, std::vector<int>& dice, std::vector<int>& used,
                const std::function<void(const TPosition&, const std::vector<int>&)>& visit, TVisited& visited) {
    if (!visited.insert({position, dice}).second) return;
    bool moved = false;
    for (size_t i = 0; i < dice.size(); ++i) {
        int pips = dice[i];
        if (std::find(dice.begin(), dice.begin() + static_cast<long>(i), pips) != dice.begin() + static_cast<long>(i))
            continue;  // equal dice give the same plays
        for (int source = 0; source < kPointCount; ++source) {
            if (!CanStep(position, colour, source, pips)) continue;
            moved = true;
            TPosition next = position;
            next.ApplyStep(colour, source, pips);
            dice.erase(dice.begin() + static_cast<long>(i));
            used.push_back(pips);
            VisitPlays(next, colour, dice, used, visit, visited);
            used.pop_back();
            dice.insert(dice.begin() + static_cast<long>(i), pips);
        }
    }
    if (!moved) visit(position, used);
}

// How many dice a legal play must use, and for a single die of two
// different ones, which value it must be (0 when any).
struct TPlayDemand {
    size_t Count = 0;
    int Die = 0;
};

TPlayDemand DemandOf(const TPosition& start, TColour colour, int die1, int die2) {
    TDice dice(die1, die2);
    TPlayDemand demand;
    std::vector<int> used;
    TVisited visited;
    VisitPlays(
        start, colour, dice.Values, used,
        [&](const TPosition&, const std::vector<int>& play) {
            if (play.size() > demand.Count) demand = {play.size(), 0};
            if (play.size() == 1 && demand.Count == 1) demand.Die = std::max(demand.Die, play[0]);
        },
        visited);
    if (demand.Count != 1 || die1 == die2) demand.Die = 0;
    return demand;
}

bool MeetsDemand(const TPlayDemand& demand, const std::vector<int>& play) {
    return play.size() == demand.Count && (demand.Die == 0 || play[0] == demand.Die);
}


}  // namespace

bool CanStep(const TPosition& position, TColour colour, int source, int pips) {
    if (!IsPoint(source) || position.Count(colour, source) == 0) return false;
    if (position.OnBar(colour) > 0 && source != BarOf(colour)) return false;
    return position.CanStepFrom(colour, source, pips);
}

std::vector<TPosition> LegalFinalPositions(const TPosition& start, TColour colour, int die1, int die2) {
    if (!IsDie(die1) || !IsDie(die2)) return {};
    TPlayDemand demand = DemandOf(start, colour, die1, die2);
    TDice dice(die1, die2);
    std::vector<int> used;
    std::set<TPosition> finals;
    TVisited visited;
    VisitPlays(
        start, colour, dice.Values, used,
        [&](const TPosition& position, const std::vector<int>& play) {
            if (MeetsDemand(demand, play)) finals.insert(position);
        },
        visited);
    return {finals.begin(), finals.end()};
}

TPlayVerdict JudgePlay(const TPosition& start, TColour colour, int die1, int die2, std::span<const TStep> steps) {
    if (!IsDie(die1) || !IsDie(die2)) return TPlayVerdict::Illegal;
    TDice dice(die1, die2);
    TPosition position = start;
    for (const TStep& step : steps) {
        auto die = std::find(dice.Values.begin(), dice.Values.end(), step.Pips);
        if (die == dice.Values.end() || !CanStep(position, colour, step.Source, step.Pips))
            return TPlayVerdict::Illegal;
        position.ApplyStep(colour, step.Source, step.Pips);
        dice.Values.erase(die);
    }
    std::vector<TPosition> legal = LegalFinalPositions(start, colour, die1, die2);
    std::set<TPosition> finals(legal.begin(), legal.end());
    if (finals.contains(position)) return TPlayVerdict::Legal;
    // Legal so far when some continuation with the dice left ends in a
    // legal final position.
    bool reachable = false;
    TVisited visited;
    std::function<void(const TPosition&)> search = [&](const TPosition& here) {
        if (!visited.insert({here, dice.Values}).second) return;
        for (size_t i = 0; i < dice.Values.size() && !reachable; ++i) {
            int pips = dice.Values[i];
            for (int source = 0; source < kPointCount && !reachable; ++source) {
                if (!CanStep(here, colour, source, pips)) continue;
                TPosition next = here;
                next.ApplyStep(colour, source, pips);
                if (finals.contains(next)) reachable = true;
                dice.Values.erase(dice.Values.begin() + static_cast<long>(i));
                search(next);
                dice.Values.insert(dice.Values.begin() + static_cast<long>(i), pips);
            }
        }
    };
    search(position);
    return reachable ? TPlayVerdict::Unfinished : TPlayVerdict::Illegal;
}

}  // namespace rules::gammon
