#include "link_geometry.h"

#include <algorithm>
#include <cstring>

#include "mul_div.h"

namespace {

// Differences and steps are taken in 64 bits: anchors far outside the view
// must not overflow on the way to the few points that are kept.
int64_t Distance(int32_t from, int32_t to) { return int64_t(to) - from; }

// One axis of a long line, so that both directions share the stepping: a is
// the major axis, b the minor one.
struct Axis {
    int32_t a0, b0, a1, b1, da, db;
    int32_t low, high;         // clip on the major axis
    int32_t bandLow, bandHigh; // clip on the minor axis
};

int32_t MinorAt(const Axis &ax, int32_t a) {
    return int32_t(ax.b0 + int64_t(MulDivRounded(int32_t(Distance(ax.a0, a)), ax.db, ax.da)));
}

bool InBand(const Axis &ax, int32_t b) {
    return Distance(b, ax.bandLow) <= kLinkStep && Distance(ax.bandHigh, b) <= kLinkStep;
}

// The next point S further toward the end, never beyond it.
void Advance(const Axis &ax, int32_t &a, int32_t &b) {
    int64_t next = ax.da >= 0 ? std::min<int64_t>(int64_t(a) + kLinkStep, ax.a1)
                              : std::max<int64_t>(int64_t(a) - kLinkStep, ax.a1);
    a = int32_t(next);
    b = a == ax.a1 ? ax.b1 : MinorAt(ax, a);
}

// Writes through put(index, a, b) so that each caller keeps its own axes.
template <typename Put> int32_t StepAlong(const Axis &ax, Put put) {
    int32_t a = ax.a0, b = ax.b0;
    // Start on the grid of spacing S from a0 that lies within S of the clip.
    if (Distance(ax.a0, ax.low) > kLinkStep) {
        a = int32_t(ax.low - Distance(ax.a0, ax.low) % kLinkStep);
        b = MinorAt(ax, a);
    } else if (Distance(ax.high, ax.a0) > kLinkStep) {
        a = int32_t(ax.high + Distance(ax.high, ax.a0) % kLinkStep);
        b = MinorAt(ax, a);
    }
    int32_t n = 0;
    if (InBand(ax, b)) put(n++, a, b);
    Advance(ax, a, b);
    if (!InBand(ax, b)) return 0;
    put(n++, a, b);
    if (a == ax.a1) return n;
    Advance(ax, a, b);
    if (!InBand(ax, b)) return n;
    put(n, a, b);
    return n + 1;
}

void SetPoint(PixelPoint &p, int64_t x, int64_t y) {
    p.x = int32_t(x);
    p.y = int32_t(y);
}

} // namespace

void InitLinkPath(LinkPath *path, const PixelRect &area, int32_t penWidth) {
    std::memset(path, 0, sizeof *path);
    int32_t m = (penWidth >> 1) + 1;
    path->margin = int16_t(m);
    path->clip = {area.left - m, area.top - m, area.right + m, area.bottom + m};
}

int32_t StepAlongX(LinkPath *path) {
    const PixelRect &c = path->clip;
    Axis ax{path->x0, path->y0, path->x1, path->y1, path->dx, path->dy,
            c.left, c.right, c.top, c.bottom};
    return StepAlong(ax, [path](int32_t i, int32_t x, int32_t y) { path->points[i] = {x, y}; });
}

int32_t StepAlongY(LinkPath *path) {
    const PixelRect &c = path->clip;
    Axis ax{path->y0, path->x0, path->y1, path->x1, path->dy, path->dx,
            c.top, c.bottom, c.left, c.right};
    return StepAlong(ax, [path](int32_t i, int32_t y, int32_t x) { path->points[i] = {x, y}; });
}

int32_t ClipLinkPath(LinkPath *path, int hull) {
    const PixelRect &c = path->clip;
    const int32_t x0 = path->x0, y0 = path->y0, x1 = path->x1, y1 = path->y1;
    if ((c.left > x0 && c.left > x1) || (c.top > y0 && c.top > y1) ||
        (x0 >= c.right && x1 >= c.right) || (y0 >= c.bottom && y1 >= c.bottom))
        return 0;
    const int64_t dx = Distance(x0, x1), dy = Distance(y0, y1);
    path->dx = int32_t(dx);
    path->dy = int32_t(dy);
    PixelPoint *p = path->points;
    int32_t count = 2;
    if (dx == 0) {
        if (dy == 0) return 0;
        if (dy > 0) {
            SetPoint(p[0], x0, std::max(y0, c.top));
            SetPoint(p[1], x0, std::min(y1, c.bottom));
        } else {
            SetPoint(p[0], x0, std::min(y0, c.bottom));
            SetPoint(p[1], x0, std::max(y1, c.top));
        }
    } else if (dy == 0) {
        if (dx > 0) {
            SetPoint(p[0], std::max(x0, c.left), y0);
            SetPoint(p[1], std::min(x1, c.right), y0);
        } else {
            SetPoint(p[0], std::min(x0, c.right), y0);
            SetPoint(p[1], std::max(x1, c.left), y0);
        }
    } else {
        const int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
        if (adx > kLinkLongLine || ady > kLinkLongLine) {
            count = ady < adx ? StepAlongX(path) : StepAlongY(path);
        } else {
            // Short enough for the drawing calls to clip by themselves.
            SetPoint(p[0], x0, y0);
            SetPoint(p[1], x1, y1);
        }
    }
    return hull ? LinkHull(path, count) : count;
}

int32_t LinkHull(LinkPath *path, int32_t n) {
    if (n <= 1 || (path->dx == 0 && path->dy == 0)) return 0;
    const int64_t m = path->margin;
    const bool forward = path->dx > 0 || (path->dx == 0 && path->dy > 0);
    // A middle point of a three-point polyline lies on the segment.
    PixelPoint a = path->points[0], b = path->points[n - 1];
    PixelPoint *p = path->points;
    if (path->dx == 0 || path->dy == 0) {
        if (!forward) std::swap(a, b);
        SetPoint(p[0], a.x - m, a.y - m);
        SetPoint(p[1], b.x + m, a.y - m);
        SetPoint(p[2], b.x + m, b.y + m);
        SetPoint(p[3], a.x - m, b.y + m);
        return 4;
    }
    if ((path->dx > 0) == (path->dy > 0)) {
        // Down-right from a to b (an up-left line read backwards).
        if (path->dx < 0) std::swap(a, b);
        SetPoint(p[0], a.x - m, a.y - m);
        SetPoint(p[1], a.x + m, a.y - m);
        SetPoint(p[2], b.x + m, b.y - m);
        SetPoint(p[3], b.x + m, b.y + m);
        SetPoint(p[4], b.x - m, b.y + m);
        SetPoint(p[5], a.x - m, a.y + m);
    } else {
        // Down-left from a to b (an up-right line read backwards).
        if (path->dx > 0) std::swap(a, b);
        SetPoint(p[0], a.x + m, a.y - m);
        SetPoint(p[1], a.x + m, a.y + m);
        SetPoint(p[2], b.x + m, b.y + m);
        SetPoint(p[3], b.x - m, b.y + m);
        SetPoint(p[4], b.x - m, b.y - m);
        SetPoint(p[5], a.x - m, a.y - m);
    }
    return 6;
}
