// The half-circle flight path between two points.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "resources/HalfCircle.h"

namespace {

double DistanceFromCentre(TPathPoint p, TPathPoint a, TPathPoint b) {
    return std::hypot(p.X - (a.X + b.X) / 2.0, p.Y - (a.Y + b.Y) / 2.0);
}

TEST(HalfCircleTest, HorizontalPathIsAConnectedArcAboveTheSegment) {
    TPathPoint a{100, 200}, b{160, 200};
    std::vector<TPathPoint> path = HalfCirclePath(a, b, 1000, false);
    ASSERT_GT(path.size(), 60u);
    EXPECT_EQ(path.front(), a);
    EXPECT_EQ(path.back(), b);
    for (size_t i = 0; i < path.size(); ++i) {
        EXPECT_LE(path[i].Y, a.Y);
        EXPECT_NEAR(DistanceFromCentre(path[i], a, b), 30.0, 1.0);
        if (i == 0) continue;
        // Unthinned, the midpoint circle steps to a neighbouring pixel and
        // moves steadily from the start towards the end.
        EXPECT_LE(std::abs(path[i].X - path[i - 1].X), 1);
        EXPECT_LE(std::abs(path[i].Y - path[i - 1].Y), 1);
        EXPECT_FALSE(path[i] == path[i - 1]);
        EXPECT_GE(path[i].X, path[i - 1].X);
    }
    EXPECT_EQ(path[path.size() / 2].Y, a.Y - 30);  // the top of the arc
}

TEST(HalfCircleTest, MirroredAndReversedPathsBulgeTheOtherWay) {
    TPathPoint a{100, 200}, b{160, 200};
    for (TPathPoint p : HalfCirclePath(a, b, 1000, true)) EXPECT_GE(p.Y, a.Y);
    for (TPathPoint p : HalfCirclePath(b, a, 1000, false)) EXPECT_GE(p.Y, a.Y);
}

TEST(HalfCircleTest, ThinnedToAtMostNPointsWithBothEnds) {
    TPathPoint a{10, 300}, b{400, 40};
    for (int n : {2, 15, 50}) {
        std::vector<TPathPoint> path = HalfCirclePath(a, b, n, false);
        ASSERT_EQ(path.size(), static_cast<size_t>(n));
        EXPECT_EQ(path.front(), a);
        EXPECT_EQ(path.back(), b);
        double r = std::hypot(b.X - a.X, b.Y - a.Y) / 2;
        for (TPathPoint p : path) EXPECT_NEAR(DistanceFromCentre(p, a, b), r, 1.5);
    }
    EXPECT_EQ(HalfCirclePath(a, b, 1, false), std::vector<TPathPoint>{b});
    EXPECT_TRUE(HalfCirclePath(a, b, 0, false).empty());
    EXPECT_EQ(HalfCirclePath({3, 4}, {4, 4}, 50, false).back(), (TPathPoint{4, 4}));
}

TEST(HalfCircleTest, DiagonalPathStaysOnTheCircle) {
    TPathPoint a{0, 0}, b{0, 100};  // straight down: left of travel is +x
    std::vector<TPathPoint> path = HalfCirclePath(a, b, 50, false);
    for (TPathPoint p : path) EXPECT_GE(p.X, 0);
    EXPECT_NEAR(path[path.size() / 2].X, 50, 2);
}

TEST(HalfCircleTest, DegenerateAndWildInput) {
    EXPECT_EQ(HalfCirclePath({5, 5}, {5, 5}, 50, false), (std::vector<TPathPoint>{{5, 5}}));
    TPathPoint a{-1000000000, 0}, b{1000000000, 0};
    std::vector<TPathPoint> path = HalfCirclePath(a, b, 50, false);
    ASSERT_EQ(path.size(), 50u);
    EXPECT_EQ(path.front(), a);
    EXPECT_EQ(path.back(), b);
    EXPECT_NEAR(path[25].Y, -1000000000, 2000000);
}

}  // namespace
