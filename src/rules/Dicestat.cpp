#include "rules/Dicestat.h"

#include <cstdio>

namespace rules {

void TDicestat::Count(TDicestatentry& entry, int face) {
    ++entry.Rolls;
    ++entry.FaceCount[face];
}

void TDicestat::CountDie(int face) {
    if (!IsFace(face)) return;
    Count(m_total, face);
    if (!m_entries.empty()) Count(m_entries.back(), face);
}

void TDicestat::CountPair(int a, int b) {
    if (!IsFace(a) || !IsFace(b)) return;
    auto count = [&](TDicestatentry& entry) {
        ++entry.PairRolls;
        ++entry.PairCount[a][b];
        Count(entry, a);
        Count(entry, b);
    };
    count(m_total);
    if (!m_entries.empty()) count(m_entries.back());
}

void TDicestat::NewEntry(int) { m_entries.emplace_back(); }

double TDicestat::FacePercent(int face) const {
    return Rolls() > 0 ? FaceCount(face) * 100.0 / Rolls() : 0.0;
}

double TDicestat::PairPercent(int a, int b) const {
    return PairRolls() > 0 ? PairCount(a, b) * 100.0 / PairRolls() : 0.0;
}

std::vector<std::string> TDicestat::Lines() const {
    auto percent = [](double value) {
        char text[32];
        std::snprintf(text, sizeof text, "%.2f%%", value);
        return std::string(text);
    };
    std::vector<std::string> lines{"System: Dice Stat", "Rolls: " + std::to_string(Rolls())};
    if (Rolls() > 0)
        for (int face = 1; face <= 6; ++face)
            lines.push_back("Dice " + std::to_string(face) + ": " + percent(FacePercent(face)));
    lines.push_back("System: Double roll Stat (Backgam.)");
    lines.push_back("Rolls: " + std::to_string(PairRolls()));
    if (PairRolls() > 0)
        for (int a = 1; a <= 6; ++a)
            for (int b = 1; b <= 6; ++b)
                lines.push_back("Dice " + std::to_string(a) + " & " + std::to_string(b) + ": " +
                                percent(PairPercent(a, b)));
    return lines;
}

}  // namespace rules
