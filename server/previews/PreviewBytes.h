// A number as one byte of a preview message: counts that could in theory
// pass 255 (levels, scores, games won) stop there instead of wrapping.
#pragma once

#include <algorithm>

namespace server {

constexpr int NumberByte(int n) { return std::clamp(n, 0, 255); }

}  // namespace server
