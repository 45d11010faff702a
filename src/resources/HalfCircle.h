// The flight path of a moving checker: a half circle whose diameter is the
// segment from the start point to the end point.
//
// The circle is drawn with the midpoint method in four octants, from the
// start round to the end, at a radius of half the segment's length (at most
// kMaxRadius; a longer segment is drawn at that radius and scaled up). The
// points are then turned to the segment's direction and moved to the start,
// so the first point is exactly the start and the last exactly the end.
//
// Unmirrored, the arc lies to the left of the direction of travel as seen on
// the screen (y grows downwards): above the segment when moving right, below
// it when moving left. Mirrored puts it on the other side.
#pragma once

#include <vector>

struct TPathPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TPathPoint&) const = default;
};

// Screens are far smaller; the bound keeps a wild coordinate from producing a
// path of millions of points before thinning.
constexpr int kMaxHalfCircleRadius = 4096;

// At most maxPoints points, evenly spaced along the arc and always including
// the start and the end (only the end when maxPoints is 1; none when it is 0
// or less). Start equal to end gives the start alone.
std::vector<TPathPoint> HalfCirclePath(TPathPoint start, TPathPoint end, int maxPoints, bool mirrored);
