#pragma once

#include <gtest/gtest.h>

#include "math/Vec3.h"

// Expects each component of v within tolerance of (x, y, z).
inline void expectVec(const Vec3& v, double x, double y, double z, double tolerance = 1e-5)
{
    EXPECT_NEAR(v.x, x, tolerance);
    EXPECT_NEAR(v.y, y, tolerance);
    EXPECT_NEAR(v.z, z, tolerance);
}
