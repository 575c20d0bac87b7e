// Where Scene E's ribbons spawn and where its camera goes.
#include <gtest/gtest.h>

#include <cmath>

#include "ExpectVec.h"
#include "scenes/RibbonScene.h"

namespace {

TEST(RibbonScene, SpawnsAtTheStart)
{
    const RibbonSpawns s = ribbonSpawns(0);
    EXPECT_FLOAT_EQ(s.radius[0], 0.15f);
    EXPECT_FLOAT_EQ(s.radius[1], 1.15f);
    EXPECT_FLOAT_EQ(s.radius[2], 0.15f);
    EXPECT_FLOAT_EQ(s.radius[3], 2.65f);
    // With a = 0 the path angles are p = 0.27 and q = -0.27.
    expectVec(s.position[0], 4 * std::sin(-0.27f) + 8, 3 * std::cos(-0.27f) + 3, 30.1f);
    expectVec(s.position[1], 14 * std::cos(0.27f) - 3, 14 * std::sin(0.27f) + 5, 30.1f);
    expectVec(s.position[2], 12 * std::cos(0.27f), 5 * std::sin(-0.27f) - 9, 30.1f);
    expectVec(s.position[3], 1 - 5 * std::cos(-0.27f), 12 - 4 * std::sin(-0.27f), 30.1f);
    // Radii are distances: never negative, though the formulas swing below zero.
    for (float t = 0; t <= 1; t += 0.001f)
        for (float r : ribbonSpawns(t).radius) ASSERT_GE(r, 0.0f) << t;
}

TEST(RibbonScene, CameraMovesFromBehindTheFirstRibbonToBehindTheFourth)
{
    const Vec3 R(3, -2, 30.1f), F(-5, 7, 30.1f);
    Vec3 eye, target;
    ribbonCamera(0, R, F, eye, target);
    expectVec(eye, 3, 24 + 30.1f - 22, -2);  // 24 units above its later height
    expectVec(target, -3, 30.1f, 2);
    ribbonCamera(0.5f, R, F, eye, target);
    expectVec(eye, 3, 30.1f - 22, -2);
    ribbonCamera(1, R, F, eye, target);
    EXPECT_EQ(eye.x, F.x);
    EXPECT_EQ(eye.y, F.z - 23);
    EXPECT_EQ(eye.z, F.y);
    EXPECT_EQ(target.x, -F.x);
    EXPECT_EQ(target.y, F.z);
    EXPECT_EQ(target.z, -F.y);
}

}  // namespace
