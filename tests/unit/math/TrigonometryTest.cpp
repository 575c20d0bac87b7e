#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

#include "math/Trigonometry.h"

namespace {

// |got − reference| in units of the last place of the reference rounded to double.
double ulps(double got, long double reference)
{
    const double r = std::fabs(static_cast<double>(reference));
    const double ulp = std::nextafter(r, std::numeric_limits<double>::infinity()) - r;
    return static_cast<double>(std::fabs(static_cast<long double>(got) - reference)) / ulp;
}

// Arguments that stress the reduction: every quadrant and sign, the doubles nearest to
// multiples of π/2 (where the reduced argument is tiny), tiny arguments and the edge of
// exact reduction.
std::vector<double> hardArguments()
{
    std::vector<double> xs = {0.0, -0.0, 1e-300, 1e-9, 0.5, 0.78539816339744828, 0.7853981633974484, 1.0, 2.0,
                              3.0, 100.0, 1647099.0};
    for (int k = -2000; k <= 2000; ++k) {
        const double m = k * 1.5707963267948966;
        xs.insert(xs.end(), {m, std::nextafter(m, 0.0), std::nextafter(m, 1e9), m + 0.4, m - 0.7});
    }
    std::mt19937_64 generator(7);
    for (double range : {1.0, 10.0, 1e3, 1.6e6}) {
        std::uniform_real_distribution<double> pick(-range, range);
        for (int i = 0; i < 50000; ++i) xs.push_back(pick(generator));
    }
    return xs;
}

TEST(Trigonometry, WithinAnUlpOfTheTrueValue)
{
    double worstSin = 0, worstCos = 0, worstTan = 0;
    for (double x : hardArguments()) {
        worstSin = std::max(worstSin, ulps(trig::sin(x), sinl(x)));
        worstCos = std::max(worstCos, ulps(trig::cos(x), cosl(x)));
        worstTan = std::max(worstTan, ulps(trig::tan(x), tanl(x)));
    }
    EXPECT_LT(worstSin, 1.0);
    EXPECT_LT(worstCos, 1.0);
    EXPECT_LT(worstTan, 2.5);
    // The odd and even symmetries hold exactly, down to the sign of zero.
    EXPECT_TRUE(std::signbit(trig::sin(-0.0)));
    for (double x : {0.3, 2.5, 1e5, 3e7, 1e300}) {
        EXPECT_EQ(trig::sin(-x), -trig::sin(x)) << x;
        EXPECT_EQ(trig::cos(-x), trig::cos(x)) << x;
    }
    // Correctly rounded values, bit for bit.
    EXPECT_EQ(trig::sin(1.0), 0x1.aed548f090ceep-1);
    EXPECT_EQ(trig::cos(1.0), 0x1.14a280fb5068cp-1);
}

TEST(Trigonometry, FloatsAreTheTrueValueRounded)
{
    int wrong = 0;
    for (float x = -700.0f; x < 700.0f; x = std::nextafter(x + 0.0071f, 1e9f)) {
        wrong += trig::sin(x) != static_cast<float>(sinl(x));
        wrong += trig::cos(x) != static_cast<float>(cosl(x));
    }
    EXPECT_EQ(wrong, 0);
}

TEST(Trigonometry, BeyondExactReductionAndNotFinite)
{
    for (double x : {2e6, 1e12, -4.5e15, 1.7e308}) {
        EXPECT_LE(std::fabs(trig::sin(x)), 1.0) << x;
        EXPECT_LE(std::fabs(trig::cos(x)), 1.0) << x;
        EXPECT_NEAR(trig::sin(x) * trig::sin(x) + trig::cos(x) * trig::cos(x), 1.0, 1e-15) << x;
    }
    for (double x : {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                     std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_TRUE(std::isnan(trig::sin(x)));
        EXPECT_TRUE(std::isnan(trig::cos(x)));
        EXPECT_TRUE(std::isnan(trig::tan(x)));
        EXPECT_TRUE(std::isnan(trig::sin(static_cast<float>(x))));
    }
}

}  // namespace
