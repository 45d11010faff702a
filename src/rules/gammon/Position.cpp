#include "rules/gammon/Position.h"

namespace rules::gammon {

TPosition TPosition::Opening() {
    TPosition position;
    auto put = [&](TColour colour, int point, int count) {
        for (int i = 0; i < count; ++i) position.Land(colour, point);
    };
    put(TColour::White, 1, 2);
    put(TColour::White, 12, 5);
    put(TColour::White, 17, 3);
    put(TColour::White, 19, 5);
    put(TColour::Black, 6, 5);
    put(TColour::Black, 8, 3);
    put(TColour::Black, 13, 5);
    put(TColour::Black, 24, 2);
    return position;
}

std::optional<TPosition> TPosition::FromValues(const std::array<int, kPointCount>& values, int whiteOff,
                                               int blackOff) {
    if (whiteOff < 0 || whiteOff > kCheckersPerColour || blackOff < 0 || blackOff > kCheckersPerColour)
        return std::nullopt;
    TPosition position;
    int white = whiteOff, black = blackOff;
    for (int point = 0; point < kPointCount; ++point) {
        int value = values[point];
        if (!IsPointValue(value)) return std::nullopt;
        position.m_points[point] = value == kBlackBase ? 0 : value;
        white += WhiteCount(value);
        black += BlackCount(value);
    }
    if (white != kCheckersPerColour || black != kCheckersPerColour) return std::nullopt;
    if (BlackCount(values[BarOf(TColour::White)]) > 0 || WhiteCount(values[BarOf(TColour::Black)]) > 0)
        return std::nullopt;
    position.m_off = {whiteOff, blackOff};
    return position;
}

void TPosition::Land(TColour colour, int point) {
    int& value = m_points[point];
    if (colour == TColour::Black && value == 0) value = kBlackBase;
    if (colour == TColour::White && value == kBlackBase) value = 0;
    ++value;
}

void TPosition::Lift(TColour colour, int point) {
    int& value = m_points[point];
    --value;
    if (colour == TColour::Black && value == kBlackBase) value = 0;
}

void TPosition::ApplyStep(TColour colour, int point, int pips) {
    int target = Advance(colour, point, pips);
    Lift(colour, point);
    if (PastEnd(colour, target) > 0) {
        BearOff(colour);
        return;
    }
    TColour other = Other(colour);
    if (Count(other, target) == 1) {
        Lift(other, target);
        Land(other, BarOf(other));
    }
    Land(colour, target);
}

bool TPosition::AllHome(TColour colour) const {
    for (int point = 0; point < kPointCount; ++point)
        if (Count(colour, point) > 0 && !IsHomePoint(colour, point)) return false;
    return true;
}

bool TPosition::NoneFartherThan(TColour colour, int point) const {
    int far = PipsToGo(colour, point);
    for (int other = 0; other < kPointCount; ++other)
        if (Count(colour, other) > 0 && PipsToGo(colour, other) > far) return false;
    return true;
}

bool TPosition::CanStepFrom(TColour colour, int point, int pips) const {
    if (pips <= 0 || !IsPoint(point)) return false;
    int target = Advance(colour, point, pips);
    int past = PastEnd(colour, target);
    if (past == 0) return Count(Other(colour), target) < 2;
    if (!AllHome(colour)) return false;
    return past == 1 || NoneFartherThan(colour, point);
}

int TPosition::PipCount(TColour colour) const {
    int pips = 0;
    for (int point = 0; point < kPointCount; ++point) pips += Count(colour, point) * PipsToGo(colour, point);
    return pips;
}

int TPosition::ResultClass(TColour winner) const {
    TColour loser = Other(winner);
    if (Off(loser) > 0) return 1;
    if (OnBar(loser) > 0) return 3;
    for (int point = 1; point <= 24; ++point)
        if (IsHomePoint(winner, point) && Count(loser, point) > 0) return 3;
    return 2;
}

}  // namespace rules::gammon
