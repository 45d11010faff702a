#include "tables/MatchSetting.h"

#include <algorithm>
#include <array>

namespace server {
namespace {

constexpr std::array<int, 4> kWonGames = {1, 2, 3, 5};
constexpr std::array<int, 6> kGammonPoints = {1, 3, 5, 7, 9, 11};

bool Offered(rules::TGameKind kind, int length) {
    if (kind == rules::TGameKind::Gammon)
        return std::find(kGammonPoints.begin(), kGammonPoints.end(), length) != kGammonPoints.end();
    return std::find(kWonGames.begin(), kWonGames.end(), length) != kWonGames.end();
}

}  // namespace

std::optional<int> ParseMatchLength(rules::TGameKind kind, std::string_view setting) {
    // Two digits at most: every offered length has one or two, and longer
    // texts never reach the arithmetic.
    if (setting.empty() || setting.size() > 2) return std::nullopt;
    int length = 0;
    for (char c : setting) {
        if (c < '0' || c > '9') return std::nullopt;
        length = length * 10 + (c - '0');
    }
    if (!Offered(kind, length)) return std::nullopt;
    return length;
}

std::string DescribeMatchLength(rules::TGameKind kind, int length) {
    const char* unit = kind == rules::TGameKind::Gammon ? " point" : " game";
    return std::to_string(length) + unit + (length == 1 ? "" : "s");
}

}  // namespace server
