// Link geometry: which points a link's line gives to the drawing calls and
// which polygon covers it for invalidation.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "link_geometry.h"

namespace {

using Points = std::vector<std::pair<int32_t, int32_t>>;

constexpr PixelRect kArea{0, 0, 400, 300};

LinkPath PathFor(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t penWidth = 1,
                 PixelRect area = kArea) {
    LinkPath path;
    InitLinkPath(&path, area, penWidth);
    path.x0 = x0;
    path.y0 = y0;
    path.x1 = x1;
    path.y1 = y1;
    return path;
}

Points Clip(LinkPath path, int hull = 0) {
    int32_t n = ClipLinkPath(&path, hull);
    Points points;
    for (int32_t i = 0; i < n; ++i) points.emplace_back(path.points[i].x, path.points[i].y);
    return points;
}

TEST(LinkGeometry, MarginAndClipFollowThePenWidth) {
    struct Case {
        int32_t pen, margin;
    } cases[] = {{0, 1}, {1, 1}, {2, 2}, {4, 3}, {5, 3}};
    for (const Case &c : cases) {
        LinkPath path;
        std::memset(&path, 0x5A, sizeof path);
        InitLinkPath(&path, kArea, c.pen);
        EXPECT_EQ(path.margin, c.margin) << c.pen;
        EXPECT_EQ(path.clip.left, -c.margin);
        EXPECT_EQ(path.clip.top, -c.margin);
        EXPECT_EQ(path.clip.right, 400 + c.margin);
        EXPECT_EQ(path.clip.bottom, 300 + c.margin);
        EXPECT_EQ(path.x0 | path.y1 | path.dx | path.points[5].y, 0) << "record cleared";
    }
}

// The default style's link from cell (0,0) to cell (2,1).
TEST(LinkGeometry, ShortSlantedLinkIsPassedWholeAndItsHullIsTheHexagon) {
    EXPECT_EQ(Clip(PathFor(30, 20, 90, 60)), (Points{{30, 20}, {90, 60}}));
    EXPECT_EQ(Clip(PathFor(30, 20, 90, 60), 1),
              (Points{{29, 19}, {31, 19}, {91, 59}, {91, 61}, {89, 61}, {29, 21}}));
}

TEST(LinkGeometry, LinksOutsideOneClipEdgeAreRejected) {
    struct Case {
        int32_t x0, y0, x1, y1;
    } cases[] = {
        {-50, 10, -2, 200},    // both left of the clip
        {401, 10, 900, 200},   // both at or beyond its right edge
        {10, -80, 300, -2},    // both above
        {10, 301, 300, 500},   // both at or below its bottom
        {-500, 400, -2, 20},   // left, though the rows differ
    };
    for (const Case &c : cases) {
        EXPECT_EQ(Clip(PathFor(c.x0, c.y0, c.x1, c.y1)), Points{}) << c.x0 << "," << c.y0;
        EXPECT_EQ(Clip(PathFor(c.x0, c.y0, c.x1, c.y1), 1), Points{});
    }
    // One pixel inside the clip on the left is enough to be drawn.
    EXPECT_EQ(Clip(PathFor(-1, 10, -1, 200)).size(), 2u);
}

TEST(LinkGeometry, AxisParallelLinksAreCutToTheClip) {
    struct Case {
        int32_t x0, y0, x1, y1;
        Points cut;
    } cases[] = {
        {-500, 20, 900, 20, {{-1, 20}, {401, 20}}},
        {900, 20, -500, 20, {{401, 20}, {-1, 20}}},
        {50, 20, 90, 20, {{50, 20}, {90, 20}}},
        {30, -900, 30, 9000, {{30, -1}, {30, 301}}},
        {30, 9000, 30, -900, {{30, 301}, {30, -1}}},
    };
    for (const Case &c : cases) EXPECT_EQ(Clip(PathFor(c.x0, c.y0, c.x1, c.y1)), c.cut) << c.x0;
}

TEST(LinkGeometry, AxisParallelHullIsTheRectangleAroundTheCut) {
    // Pen 4: margin 3.
    EXPECT_EQ(Clip(PathFor(-500, 20, 900, 20, 4), 1),
              (Points{{-6, 17}, {406, 17}, {406, 23}, {-6, 23}}));
    EXPECT_EQ(Clip(PathFor(900, 20, -500, 20, 4), 1),
              (Points{{-6, 17}, {406, 17}, {406, 23}, {-6, 23}}));
    EXPECT_EQ(Clip(PathFor(30, 250, 30, 40, 1), 1),
              (Points{{29, 39}, {31, 39}, {31, 251}, {29, 251}}));
}

TEST(LinkGeometry, SlantedHullsForEveryDirection) {
    const Points downRight{{29, 19}, {31, 19}, {91, 59}, {91, 61}, {89, 61}, {29, 21}};
    EXPECT_EQ(Clip(PathFor(90, 60, 30, 20), 1), downRight) << "up-left is the same hexagon";
    const Points downLeft{{91, 19}, {91, 21}, {31, 61}, {29, 61}, {29, 59}, {89, 19}};
    EXPECT_EQ(Clip(PathFor(90, 20, 30, 60), 1), downLeft);
    EXPECT_EQ(Clip(PathFor(30, 60, 90, 20), 1), downLeft) << "up-right is the same hexagon";
}

// A stepped line's hull spans its first and last point; the middle one is
// on the segment.
TEST(LinkGeometry, SteppedLineHullUsesItsEnds) {
    EXPECT_EQ(Clip(PathFor(0, 0, 40000, 100), 1),
              (Points{{-1, -1}, {1, -1}, {16129, 39}, {16129, 41}, {16127, 41}, {-1, 1}}));
}

TEST(LinkGeometry, EqualEndsGiveNothing) {
    EXPECT_EQ(Clip(PathFor(30, 20, 30, 20)), Points{});
    EXPECT_EQ(Clip(PathFor(30, 20, 30, 20), 1), Points{});
}

TEST(LinkGeometry, LongLinesAreSteppedNearTheClip) {
    struct Case {
        int32_t x0, y0, x1, y1;
        Points points;
    } cases[] = {
        {0, 0, 40000, 100, {{0, 0}, {8064, 20}, {16128, 40}}},
        // Starts far left: the first point is on the S grid from the start.
        {-30000, 0, 300, 10, {{-5808, 8}, {300, 10}}},
        // Far right going left: 401 + 29599 % 8064 = 5808.
        {30000, 0, 100, 10, {{5808, 8}, {100, 10}}},
        // y the major axis (a tie goes to y as well).
        {0, 0, 100, 40000, {{0, 0}, {20, 8064}, {40, 16128}}},
        // The third point would lie more than S right of the clip.
        {0, 0, 20000, 20000, {{0, 0}, {8064, 8064}}},
        // Just over the threshold in one axis only; rounding to nearest.
        {0, 0, 16129, 5, {{0, 0}, {8064, 2}, {16128, 5}}},
        // At most the threshold in both axes: passed whole.
        {0, 0, 16128, 16128, {{0, 0}, {16128, 16128}}},
        // Passes left of the clip: the step after the start leaves the band.
        {-50000, -40000, 20000, 29000, {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Clip(PathFor(c.x0, c.y0, c.x1, c.y1)), c.points) << c.x0 << "->" << c.x1;
}

TEST(LinkGeometry, LongLinesKeepEveryCoordinateNearTheArea) {
    // Whatever the span, what reaches the drawing calls stays within 3 S.
    const int32_t far = 1000000000;
    const int32_t ends[][4] = {{-far, -5, far, 30},    {far, 200, -far, 100},
                               {-far, -far, far, far}, {100, -far, 300, far},
                               {-far, 150, 200, 160},  {-far, 300, far, 0}};
    const int32_t reach = 3 * kLinkStep + 400;
    for (const auto &e : ends) {
        for (int hull : {0, 1}) {
            LinkPath path = PathFor(e[0], e[1], e[2], e[3]);
            int32_t n = ClipLinkPath(&path, hull);
            EXPECT_GE(n, hull ? 4 : 2) << e[0] << "," << e[1] << " hull " << hull;
            for (int32_t i = 0; i < n; ++i) {
                EXPECT_LE(std::abs(path.points[i].x - 200), reach) << e[0];
                EXPECT_LE(std::abs(path.points[i].y - 150), reach) << e[1];
            }
        }
    }
}

TEST(LinkGeometry, HullOfTooFewPointsIsEmpty) {
    LinkPath path = PathFor(30, 20, 90, 60);
    path.dx = 60;
    path.dy = 40;
    EXPECT_EQ(LinkHull(&path, 1), 0);
    EXPECT_EQ(LinkHull(&path, 0), 0);
}

} // namespace
