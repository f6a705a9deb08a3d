// The program's own sine and cosine give the same bits on every platform:
// the expected values are exact, some of them where C libraries disagree.
#include "raster/trig.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qm {
namespace {

struct Case {
    double x;
    double sin;
    double cos;
};

TEST(Trig, GivesTheSameBitsEverywhere)
{
    const Case cases[] = {
        {-0x1.3fff43419e3p+4, -0x1.d363ee1b1bd0dp-1, 0x1.a20b572718e6cp-2},   // glibc's sine is one bit off
        {-0x1.3ffd21ff2e48fp+4, -0x1.d34816c1f33c5p-1, 0x1.a287c393bc31cp-2}, // glibc's cosine is one bit off
        {0x1.0e510c57218ap+0, 0x1.bd9f4303e5fc2p-1, 0x1.f83de1b9b276ep-2},    // 60.5 degrees
        {0x1.9101c0da1da7ap+2, -0x1.1df0b2b89de2cp-6, 0x1.ffec097f5af8ap-1},  // 359 degrees
        {-0x1.329e93d0d9595p+1, -0x1.5b8bc57520f99p-1, -0x1.77f91eb57c6p-1},  // -137.25 degrees
        {0x1.999999999999ap-4, 0x1.98eaecb8bcb2cp-4, 0x1.fd712f9a817c1p-1},   // within pi/4: no reduction
        {0x1p-30, 0x1p-30, 1.0},                                               // tiny: x and 1
        {0x1.312dp+23, 0x1.aea414a28fc0bp-2, -0x1.d085be7bf7ca3p-1},          // huge: reduced by 2 pi first
    };
    for (const Case& c : cases) {
        EXPECT_EQ(qm::sin(c.x), c.sin) << c.x;
        EXPECT_EQ(qm::cos(c.x), c.cos) << c.x;
    }
    EXPECT_TRUE(std::isnan(qm::sin(INFINITY)));
    EXPECT_TRUE(std::isnan(qm::cos(NAN)));
}

TEST(Trig, StaysWithinAnUlpOfTheLongDoubleValue)
{
    // One unit in the last place of v (sin 0 is 0, whose ilogb is no number).
    auto ulp = [](double v) { return std::nextafter(std::fabs(v), INFINITY) - std::fabs(v); };
    for (int i = -40000; i <= 40000; ++i) {
        const double x = i * 0.000157;
        EXPECT_LE(std::fabs(qm::sin(x) - static_cast<double>(std::sin(static_cast<long double>(x)))), ulp(qm::sin(x)))
            << x;
        EXPECT_LE(std::fabs(qm::cos(x) - static_cast<double>(std::cos(static_cast<long double>(x)))), ulp(qm::cos(x)))
            << x;
    }
}

}  // namespace
}  // namespace qm
