// The shaping functions at and between their ends.
#include <gtest/gtest.h>

#include <cmath>

#include "ExpectVec.h"
#include "math/Shaping.h"
#include "math/Vec3.h"

namespace {

TEST(Shaping, LinearStepAndSinePulseAtTheirEnds)
{
    EXPECT_EQ(linearStep(2.0f, 2.0f, 6.0f), 0.0f);
    EXPECT_EQ(linearStep(6.0f, 2.0f, 6.0f), 1.0f);
    EXPECT_EQ(linearStep(-1.0f, 2.0f, 6.0f), 0.0f);
    EXPECT_EQ(linearStep(9.0f, 2.0f, 6.0f), 1.0f);
    EXPECT_FLOAT_EQ(linearStep(3.0f, 2.0f, 6.0f), 0.25f);

    EXPECT_EQ(sinePulse(2.0f, 2.0f, 6.0f, 1.0f), 0.0f);
    EXPECT_EQ(sinePulse(6.0f, 2.0f, 6.0f, 1.0f), 0.0f);
    EXPECT_EQ(sinePulse(1.0f, 2.0f, 6.0f, 1.0f), 0.0f);
    EXPECT_NEAR(sinePulse(4.0f, 2.0f, 6.0f, 1.0f), 1.0f, 1e-6f);
    EXPECT_NEAR(sinePulse(3.0f, 2.0f, 6.0f, 1.0f), std::sin(kPi / 4.0), 1e-6);
    // A gain above 1 is flat at 1 over the middle and still rises from 0 at the ends.
    EXPECT_EQ(sinePulse(3.0f, 2.0f, 6.0f, 4.0f), 1.0f);
    EXPECT_EQ(sinePulse(5.0f, 2.0f, 6.0f, 4.0f), 1.0f);
    EXPECT_LT(sinePulse(2.01f, 2.0f, 6.0f, 4.0f), 0.1f);
}

TEST(Shaping, ClampAndLerpKeepTheirBounds)
{
    EXPECT_EQ(clampf(0.0f, 0.0f, 1.0f), 0.0f);
    EXPECT_EQ(clampf(1.0f, 0.0f, 1.0f), 1.0f);
    EXPECT_EQ(clampf(-0.5f, 0.0f, 1.0f), 0.0f);
    EXPECT_EQ(clampf(1.5f, 0.0f, 1.0f), 1.0f);
    EXPECT_EQ(lerpClamped(2.0f, 4.0f, -3.0f), 2.0f);
    EXPECT_EQ(lerpClamped(2.0f, 4.0f, 7.0f), 4.0f);
    EXPECT_FLOAT_EQ(lerpClamped(2.0f, 4.0f, 0.25f), 2.5f);
    expectVec(lerpVec3({0, 0, 0}, {2, 4, 6}, 1.5f), 3, 6, 9);  // not clamped
    EXPECT_EQ(absf(-2.5f), 2.5f);
}

}  // namespace
