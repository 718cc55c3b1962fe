// A rectangle in pixels, laid out as the window system's RECT so that it can
// be handed to drawing calls as it is; the right and bottom edges are
// exclusive.
#pragma once

#include <cstdint>

struct PixelRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// A point in pixels, laid out as the window system's POINT.
struct PixelPoint {
    int32_t x;
    int32_t y;
};
