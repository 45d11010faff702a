// One player's Yatzy score sheet: 21 rows, each with its points and a used
// flag, and the texts its column shows.
//
// The computed rows (upper sum 7, bonus 8, total 21) can never be chosen.
// The bonus is worked out once per round: 50 as soon as the used upper rows
// add up to more than 83, 0 once all six are used below that. The player who
// completes it writes the bonus row first and the upper row after it, and
// ChoiceWrites gives exactly that order, so the window sends what the
// referee expects. Whoever only replays others' rows calls Write for each.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "rules/yatzy/Scoring.h"

namespace rules::yatzy {

// Four of each face in the upper rows (4 x (1 + ... + 6) = 84) earns it.
constexpr int kBonusThreshold = 84;
constexpr int kBonusPoints = 50;

// Points written into one row, as the payloads carry them.
struct TRowWrite {
    int Row = 0;
    int Points = 0;
    bool operator==(const TRowWrite&) const = default;
};

class TSheet {
public:
    TSheet() = default;

    // Empties every row for a new round.
    void Reset();

    // Computed rows and rows outside 1..21 count as used.
    bool IsUsed(int row) const;
    bool CanChoose(int row) const { return IsChoosableRow(row) && !IsUsed(row); }
    // A row's points; the computed rows are worked out on the spot.
    int Points(int row) const;

    // Writes points into a choosable row (marking it used) or settles the
    // bonus (row 8). False, changing nothing, for a used or computed row,
    // a settled bonus, or points no dice can give in that row.
    bool Write(int row, int points);
    void Write(const std::vector<TRowWrite>& writes);

    bool BonusSettled() const { return m_bonusSettled; }
    int UpperSum() const;
    bool UpperComplete() const;
    int Total() const;
    // All 18 choosable rows are used: the player's round is over.
    bool IsComplete() const;

    // The column's text in a row: blank, points, "X" for a used 0, and in
    // row 7 the "+ n" / "- n" distance from four of each face until all
    // six upper rows are used.
    std::string CellText(int row) const;

private:
    struct TCell {
        int Points = 0;
        bool Used = false;
    };
    // Index 0 unused, so rows index directly.
    std::array<TCell, kRowCount + 1> m_rows{};
    bool m_bonusSettled = false;

    int UpperPar() const;
};

// What choosing a row with these dice writes, in the order it is sent: the
// bonus first when this row settles it, then the row. Empty when the row
// cannot be chosen.
std::vector<TRowWrite> ChoiceWrites(const TSheet& sheet, int row, const TFaces& faces);

// Points as a cell or a hover preview shows them: "X" for 0.
std::string PointsText(int points);

// The highest points a choosable row can ever hold (the yatzy's 6 x 6 + 50
// in row 20); used to reject impossible numbers from the wire.
int MaxRowPoints(int row);

}  // namespace rules::yatzy
