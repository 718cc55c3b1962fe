// The geometry of one drawn link: a straight line from the source vertex's
// out-anchor to the target vertex's in-anchor, turned into the polyline that
// is drawn (cut near the painted area, so that coordinates stay small however
// long the link) or into the convex polygon that covers it with its pen, for
// invalidation. Pure arithmetic: callers own the record and issue the drawing.
#pragma once

#include <cstdint>

#include "pixel_rect.h"

// Step along the major axis of a long line, and the span beyond which a
// slanted line is cut in steps rather than passed whole.
constexpr int32_t kLinkStep = 8064;
constexpr int32_t kLinkLongLine = 2 * kLinkStep;

// One record serves every link drawn or invalidated with one pen: the clip
// and margin stay, the end points change per link.
struct LinkPath {
    int32_t x0, y0;   // start point: the source anchor
    int32_t x1, y1;   // end point: the target anchor
    PixelRect clip;   // the area of interest grown by margin on every side
    int32_t dx, dy;   // x1 - x0 and y1 - y0, set by ClipLinkPath
    int16_t margin;   // half the pen width plus one pixel
    PixelPoint points[6]; // the polyline (2 or 3) or the hull (4 or 6)
};

// Clears the record and sets the clip and margin for a pen of penWidth.
void InitLinkPath(LinkPath *path, const PixelRect &area, int32_t penWidth);

// Points written: 0 when nothing of the line can reach the clip area, else
// the 2 or 3 polyline points; with hull non-zero the hull's count instead.
int32_t ClipLinkPath(LinkPath *path, int hull);

// The long-line cases of ClipLinkPath, x or y the major axis: 0 to 3 points.
int32_t StepAlongX(LinkPath *path);
int32_t StepAlongY(LinkPath *path);

// Replaces the n polyline points by the polygon enclosing the line with its
// pen: 0, 4 or 6 points.
int32_t LinkHull(LinkPath *path, int32_t n);
