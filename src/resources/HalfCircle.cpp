#include "resources/HalfCircle.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// One octant of a circle of radius r round the origin, from (0, r) to the
// diagonal, x rising.
std::vector<TPathPoint> Octant(int r) {
    std::vector<TPathPoint> points;
    int x = 0, y = r, d = 1 - r;
    while (x <= y) {
        points.push_back({x, y});
        ++x;
        if (d < 0) {
            d += 2 * x + 1;
        } else {
            --y;
            d += 2 * (x - y) + 1;
        }
    }
    return points;
}

void AppendDistinct(std::vector<TPathPoint>& path, TPathPoint p) {
    if (path.empty() || !(path.back() == p)) path.push_back(p);
}

// The upper half (negative y) of the circle round the origin, from (-r, 0)
// over (0, -r) to (r, 0).
std::vector<TPathPoint> UpperHalf(int r) {
    std::vector<TPathPoint> octant = Octant(r);
    std::vector<TPathPoint> path;
    path.reserve(octant.size() * 4);
    for (auto p = octant.begin(); p != octant.end(); ++p) AppendDistinct(path, {-p->Y, -p->X});
    for (auto p = octant.rbegin(); p != octant.rend(); ++p) AppendDistinct(path, {-p->X, -p->Y});
    for (auto p = octant.begin(); p != octant.end(); ++p) AppendDistinct(path, {p->X, -p->Y});
    for (auto p = octant.rbegin(); p != octant.rend(); ++p) AppendDistinct(path, {p->Y, -p->X});
    return path;
}

std::vector<TPathPoint> Thin(const std::vector<TPathPoint>& path, int maxPoints) {
    auto count = static_cast<int64_t>(path.size());
    if (count <= maxPoints) return path;
    if (maxPoints == 1) return {path.back()};
    std::vector<TPathPoint> thinned;
    thinned.reserve(static_cast<size_t>(maxPoints));
    for (int64_t i = 0; i < maxPoints; ++i)
        thinned.push_back(path[static_cast<size_t>(i * (count - 1) / (maxPoints - 1))]);
    return thinned;
}

}  // namespace

std::vector<TPathPoint> HalfCirclePath(TPathPoint start, TPathPoint end, int maxPoints, bool mirrored) {
    if (maxPoints <= 0) return {};
    double dx = static_cast<double>(end.X) - start.X;
    double dy = static_cast<double>(end.Y) - start.Y;
    if (dx == 0 && dy == 0) return {start};
    double length = std::hypot(dx, dy);
    int r = static_cast<int>(std::clamp(std::lround(length / 2), 1L, static_cast<long>(kMaxHalfCircleRadius)));
    // Local point (u, v), u along the diameter from 0 to 2r, maps to
    // start + (u, v) turned to the segment and scaled by length / 2r.
    double scale = 2.0 * r;
    std::vector<TPathPoint> path;
    for (TPathPoint p : Thin(UpperHalf(r), maxPoints)) {
        double u = p.X + r;
        double v = mirrored ? -p.Y : p.Y;
        path.push_back({static_cast<int>(std::lround(start.X + (u * dx - v * dy) / scale)),
                        static_cast<int>(std::lround(start.Y + (u * dy + v * dx) / scale))});
    }
    return path;
}
