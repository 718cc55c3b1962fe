// The rounding multiply-divide that link geometry places its points with.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "mul_div.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace {

struct Case {
    int32_t a, b, c, expected;
};

// Halves go away from zero whatever the signs; -1 for no divisor or a
// quotient beyond 32 bits.
const Case kCases[] = {
    {1, 1, 2, 1},          {-1, 1, 2, -1},        {1, -1, 2, -1},     {-1, -1, 2, 1},
    {1, 1, -2, -1},        {3, 1, 2, 2},          {1, 1, 3, 0},       {2, 1, 3, 1},
    {-2, 1, 3, -1},        {2, 1, -3, -1},        {5, 1, 4, 1},       {7, 1, 4, 2},
    {0, -5, 7, 0},         {24192, 10, 30300, 8}, {8064, 100, 40000, 20},
    {16128, 5, 16129, 5},  {8064, 5, 16129, 2},   {7, 3, 0, -1},
    {INT32_MAX, 2, 2, INT32_MAX},                 {INT32_MAX, 2, 1, -1},
    {INT32_MIN, 1, 1, -1}, {-INT32_MAX, 1, 1, -INT32_MAX},
    {65536, 65536, 65536, 65536},                 {1000000, 1000000, 100, -1},
};

TEST(MulDivRounded, RoundsToNearestWithHalvesAwayFromZero) {
    for (const Case &c : kCases)
        EXPECT_EQ(MulDivRounded(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
}

#if defined(_WIN32)
// The platform's own call gives the same answers, on the table and on
// values spread over the whole range.
TEST(MulDivRounded, AgreesWithThePlatform) {
    for (const Case &c : kCases)
        EXPECT_EQ(MulDivRounded(c.a, c.b, c.c), MulDiv(c.a, c.b, c.c))
            << c.a << "*" << c.b << "/" << c.c;
    std::mt19937 random(521);
    std::uniform_int_distribution<int32_t> any(INT32_MIN, INT32_MAX);
    std::uniform_int_distribution<int32_t> small(-20000, 20000);
    for (int i = 0; i < 20000; ++i) {
        int32_t a = i % 2 ? any(random) : small(random);
        int32_t b = small(random), c = i % 3 ? small(random) : any(random);
        ASSERT_EQ(MulDivRounded(a, b, c), MulDiv(a, b, c)) << a << "*" << b << "/" << c;
    }
}
#endif

} // namespace
