// The dice statistics of the whole run, fed by the Backgammon and Yatzy
// windows with the own player's rolls and printed by the lobby's
// "/dicestat": single dice per face, two-dice throws per ordered pair, and
// the same counters once per game started (the newest game receives the
// counts). Faces outside 1..6 are not counted.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace rules {

struct TDicestatentry {
    int Rolls = 0;
    int PairRolls = 0;
    std::array<int, 7> FaceCount{};                  // [1..6]
    std::array<std::array<int, 7>, 7> PairCount{};  // [first][second], 1..6
};

class TDicestat {
public:
    int Rolls() const { return m_total.Rolls; }
    int PairRolls() const { return m_total.PairRolls; }
    int FaceCount(int face) const { return IsFace(face) ? m_total.FaceCount[face] : 0; }
    int PairCount(int a, int b) const { return IsFace(a) && IsFace(b) ? m_total.PairCount[a][b] : 0; }
    const std::vector<TDicestatentry>& Entries() const { return m_entries; }

    void CountDie(int face);
    void CountPair(int a, int b);
    // A game starts; the game's number is not kept.
    void NewEntry(int game);

    // Share of a face among all single dice, and of a pair among all
    // throws, in percent; 0 when nothing was counted.
    double FacePercent(int face) const;
    double PairPercent(int a, int b) const;
    // The lines "/dicestat" shows, percentages with two decimals.
    std::vector<std::string> Lines() const;

private:
    static bool IsFace(int face) { return face >= 1 && face <= 6; }
    static void Count(TDicestatentry& entry, int face);

    TDicestatentry m_total;
    std::vector<TDicestatentry> m_entries;
};

}  // namespace rules
