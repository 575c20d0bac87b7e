#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "scenes/RibbonScene.h"
#include "scenes/TwisterScene.h"

namespace {

void expectVec(const Vec3& v, float x, float y, float z, float tolerance = 1e-5f)
{
    EXPECT_NEAR(v.x, x, tolerance);
    EXPECT_NEAR(v.y, y, tolerance);
    EXPECT_NEAR(v.z, z, tolerance);
}

float distance(const Vec3& a, const Vec3& b)
{
    const Vec3 d = a - b;
    return std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
}

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

TEST(TwisterScene, CameraDescendsThenCutsBetweenViewpoints)
{
    prepareTwisterScene();
    Vec3 eye, target;
    twisterCamera(0, eye, target);
    expectVec(eye, 2, 29, 4);
    expectVec(target, 0, -1, 0);
    twisterCamera(0.2f, eye, target);
    EXPECT_LT(distance(eye, {0, 2.125f, 3}), 0.3f);  // the descent ends near the second key point

    // At each cut the eye jumps; just before it, the eye still moves smoothly.
    for (float cut : {0.2f, 0.38f, 0.48f, 0.58f, 0.7f, 0.82f}) {
        Vec3 before, at, after;
        twisterCamera(cut - 1e-5f, before, target);
        twisterCamera(cut, at, target);
        twisterCamera(std::nextafter(cut, 1.0f), after, target);
        EXPECT_LT(distance(before, at), 0.01f) << cut;
        EXPECT_GT(distance(at, after), 1.0f) << cut;
    }
}

TEST(TwisterScene, RingsSwayUnclampedAndTheColumnClosesToAPoint)
{
    prepareTwisterScene();
    EXPECT_EQ(ringRadius[0], 1.0f);
    EXPECT_EQ(ringRadius[127], 1.0f);
    EXPECT_EQ(ringRadius[128], 0.0f);
    float lowest = 10, highest = -10;
    for (float p = 0; p <= 1; p += 0.0005f) {
        updateRings(p);
        EXPECT_EQ(ringRadius[kRingCount], 0.0f);
        EXPECT_EQ(ringTwist[kRingCount], 0.0f);
        EXPECT_EQ(ringShift[kRingCount], 0.0f);
        for (int i = 0; i < kRingCount; ++i) {
            lowest = std::min(lowest, ringRadius[i]);
            highest = std::max(highest, ringRadius[i]);
            ASSERT_LE(std::abs(ringTwist[i]), 2.7f);
            ASSERT_LE(std::abs(ringShift[i]), 2.55f);
        }
    }
    EXPECT_GE(lowest, -0.65f);
    EXPECT_LT(lowest, 0.0f);  // a negative radius mirrors the ring, it is not clamped
    EXPECT_LE(highest, 4.25f);
    EXPECT_GT(highest, 3.5f);
}

}  // namespace
