#include "rules/yatzy/Sheet.h"

#include <cstdlib>

namespace rules::yatzy {

namespace {

// Six dice showing the best faces for each row, from the sheet's own rules.
constexpr int kMaxPoints[kRowCount + 1] = {
    0,
    6, 12, 18, 24, 30, 36,   // ones .. sixes: six dice of that face
    0, kBonusPoints,         // upper sum and bonus (computed)
    12,                      // one pair: 6, 6
    22,                      // two pairs: 6, 6, 5, 5
    30,                      // three pairs: 6, 6, 5, 5, 4, 4
    18,                      // three of a kind: 6, 6, 6
    24,                      // four of a kind: 6, 6, 6, 6
    33,                      // two times three: 6, 6, 6, 5, 5, 5
    kSmallStraightPoints, kLargeStraightPoints, kFullStraightPoints,
    28,                      // house: 6, 6, 6 and 5, 5
    36,                      // chance: six sixes
    kDiceCount * 6 + kYatzyExtra,
    0,
};

}  // namespace

void TSheet::Reset() { *this = TSheet(); }

bool TSheet::IsUsed(int row) const { return !IsChoosableRow(row) || m_rows[row].Used; }

int TSheet::Points(int row) const {
    switch (row) {
        case kUpperSum: return UpperSum();
        case kBonus: return UpperSum() >= kBonusThreshold ? kBonusPoints : 0;
        case kTotal: return Total();
        default: return IsRow(row) ? m_rows[row].Points : 0;
    }
}

bool TSheet::Write(int row, int points) {
    if (row == kBonus) {
        if (m_bonusSettled || (points != 0 && points != kBonusPoints)) return false;
        m_bonusSettled = true;
        return true;
    }
    if (!CanChoose(row) || points < 0 || points > MaxRowPoints(row)) return false;
    m_rows[row] = {points, true};
    return true;
}

void TSheet::Write(const std::vector<TRowWrite>& writes) {
    for (const TRowWrite& write : writes) Write(write.Row, write.Points);
}

int TSheet::UpperSum() const {
    int sum = 0;
    for (int row = kOnes; row <= kSixes; ++row) sum += m_rows[row].Points;
    return sum;
}

bool TSheet::UpperComplete() const {
    for (int row = kOnes; row <= kSixes; ++row)
        if (!m_rows[row].Used) return false;
    return true;
}

int TSheet::Total() const {
    int total = Points(kUpperSum) + Points(kBonus);
    for (int row = kOnePair; row <= kYatzy; ++row) total += m_rows[row].Points;
    return total;
}

bool TSheet::IsComplete() const {
    for (int row = kFirstRow; row <= kRowCount; ++row)
        if (!IsUsed(row)) return false;
    return true;
}

// How far the used upper rows lie from four dice of each of their faces.
int TSheet::UpperPar() const {
    int par = 0;
    for (int row = kOnes; row <= kSixes; ++row)
        if (m_rows[row].Used) par += m_rows[row].Points - 4 * row;
    return par;
}

std::string TSheet::CellText(int row) const {
    switch (row) {
        case kUpperSum: {
            if (UpperComplete()) return std::to_string(UpperSum());
            int par = UpperPar();
            return (par >= 0 ? "+ " : "- ") + std::to_string(std::abs(par));
        }
        case kBonus:
            if (UpperSum() >= kBonusThreshold) return std::to_string(kBonusPoints);
            return UpperComplete() ? "X" : "";
        case kTotal: return std::to_string(Total());
        default:
            if (!IsRow(row) || !m_rows[row].Used) return "";
            return PointsText(m_rows[row].Points);
    }
}

std::vector<TRowWrite> ChoiceWrites(const TSheet& sheet, int row, const TFaces& faces) {
    if (!sheet.CanChoose(row)) return {};
    TRowWrite choice{row, RowPoints(row, faces)};
    if (!IsUpperRow(row) || sheet.BonusSettled()) return {choice};
    TSheet after = sheet;
    after.Write(row, choice.Points);
    if (after.UpperSum() >= kBonusThreshold) return {{kBonus, kBonusPoints}, choice};
    if (after.UpperComplete()) return {{kBonus, 0}, choice};
    return {choice};
}

std::string PointsText(int points) { return points == 0 ? "X" : std::to_string(points); }

int MaxRowPoints(int row) { return IsRow(row) ? kMaxPoints[row] : 0; }

}  // namespace rules::yatzy
