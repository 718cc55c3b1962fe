// The window system's multiply-then-divide: the 64-bit product divided with
// the quotient rounded to the nearest integer, halves away from zero. Link
// geometry must place its points exactly as the platform call would, on
// every target, so this is the one routine all targets use.
#pragma once

#include <cstdint>

// a * b / c rounded; -1 when c is 0 or the result does not fit in 32 bits
// (as the platform call answers).
int32_t MulDivRounded(int32_t a, int32_t b, int32_t c);
