#include "mul_div.h"

int32_t MulDivRounded(int32_t a, int32_t b, int32_t c) {
    if (c == 0) return -1;
    int64_t product = int64_t(a) * b;
    int64_t divisor = c;
    if (divisor < 0) {
        product = -product;
        divisor = -divisor;
    }
    // Rounding by half the divisor before the truncating division moves the
    // quotient away from zero exactly when the remainder is at least half.
    int64_t half = divisor / 2;
    int64_t quotient = (product >= 0 ? product + half : product - half) / divisor;
    if (quotient > INT32_MAX || quotient < -INT32_MAX) return -1;
    return int32_t(quotient);
}
