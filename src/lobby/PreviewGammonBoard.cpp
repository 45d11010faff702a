#include "lobby/PreviewGammonBoard.h"

#include <algorithm>

namespace {

constexpr int kBlackBase = 20;
constexpr int kFirstPoint = 1, kLastPoint = 24;

bool IsPlace(int place) { return place >= 0 && place < TPreviewGammonBoard::kPlaces; }
bool IsBoardPoint(int place) { return place >= kFirstPoint && place <= kLastPoint; }

}  // namespace

TPreviewGammonBoard::TPreviewGammonBoard() { Clear(); }

void TPreviewGammonBoard::Clear() {
    for (auto& stack : m_stacks) stack.clear();
    m_places.fill(kNowhere);
}

void TPreviewGammonBoard::Load(const std::array<uint8_t, kPlaces>& valuesPlus1) {
    Clear();
    int nextWhite = 0, nextBlack = kPerColour;
    for (int place = 0; place < kPlaces; ++place) {
        const int value = valuesPlus1[static_cast<size_t>(place)] - 1;
        const bool black = value > kBlackBase;
        int count = black ? value - kBlackBase : value;
        if (count < 0 || count > kPerColour) count = 0;
        int& next = black ? nextBlack : nextWhite;
        const int end = black ? kCheckers : kPerColour;
        for (; count > 0 && next < end; --count) Put(next++, place);
    }
}

const std::vector<int>& TPreviewGammonBoard::Stack(int place) const {
    static const std::vector<int> kNone;
    return IsPlace(place) ? m_stacks[static_cast<size_t>(place)] : kNone;
}

int TPreviewGammonBoard::PlaceOf(int checker) const {
    return checker >= 0 && checker < kCheckers ? m_places[static_cast<size_t>(checker)] : kNowhere;
}

int TPreviewGammonBoard::Height(int checker) const {
    const std::vector<int>& stack = Stack(PlaceOf(checker));
    const auto it = std::find(stack.begin(), stack.end(), checker);
    return it == stack.end() ? 0 : static_cast<int>(it - stack.begin());
}

int TPreviewGammonBoard::Count(int place, bool white) const {
    const std::vector<int>& stack = Stack(place);
    return static_cast<int>(std::count_if(stack.begin(), stack.end(), [&](int c) { return IsWhite(c) == white; }));
}

int TPreviewGammonBoard::Value(int place) const {
    const int white = Count(place, true), black = Count(place, false);
    return black > 0 ? kBlackBase + black : white;
}

void TPreviewGammonBoard::Put(int checker, int place) {
    m_stacks[static_cast<size_t>(place)].push_back(checker);
    m_places[static_cast<size_t>(checker)] = place;
}

int TPreviewGammonBoard::Take(int place) {
    std::vector<int>& stack = m_stacks[static_cast<size_t>(place)];
    const int checker = stack.back();
    stack.pop_back();
    m_places[static_cast<size_t>(checker)] = kNowhere;
    return checker;
}

// The topmost checker of a colour on the place, or kNowhere.
int TPreviewGammonBoard::TakeOf(int place, bool white) {
    std::vector<int>& stack = m_stacks[static_cast<size_t>(place)];
    for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
        if (IsWhite(*it) != white) continue;
        const int checker = *it;
        stack.erase(std::next(it).base());
        m_places[static_cast<size_t>(checker)] = kNowhere;
        return checker;
    }
    return kNowhere;
}

std::vector<TPreviewGammonBoard::TStep> TPreviewGammonBoard::Move(int point, int distance) {
    if (point < kWhiteBar || point > kBlackBar || distance < 1 || Stack(point).empty()) return {};
    const int checker = Stack(point).back();
    const bool white = IsWhite(checker);
    int target = white ? point + distance : point - distance;
    if (white && target > kLastPoint) target = kWhiteTray;
    if (!white && target < kFirstPoint) target = kBlackTray;
    std::vector<TStep> steps;
    if (IsBoardPoint(target)) {
        const int opposing = Count(target, !white);
        if (opposing >= 2) return {};
        if (opposing == 1) {
            const int bar = white ? kBlackBar : kWhiteBar;
            steps.push_back({Take(target), target, bar});
            Put(steps.back().Checker, bar);
        }
    }
    steps.push_back({Take(point), point, target});
    Put(checker, target);
    return steps;
}

std::vector<TPreviewGammonBoard::TStep> TPreviewGammonBoard::Undo(int to, int from, bool hit, bool whiteToMove) {
    if (to == -1) to = whiteToMove ? kWhiteTray : kBlackTray;
    if (!IsPlace(to) || from < kWhiteBar || from > kBlackBar || Stack(to).empty()) return {};
    const int checker = Take(to);
    Put(checker, from);
    std::vector<TStep> steps{{checker, to, from}};
    const int bar = IsWhite(checker) ? kBlackBar : kWhiteBar;
    if (hit && IsBoardPoint(to)) {
        const int back = TakeOf(bar, !IsWhite(checker));
        if (back != kNowhere) {
            steps.push_back({back, bar, to});
            Put(back, to);
        }
    }
    return steps;
}
