// Scene F's camera cuts and its column's rings.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "ExpectVec.h"
#include "scenes/TwisterScene.h"

namespace {

float distance(const Vec3& a, const Vec3& b)
{
    const Vec3 d = a - b;
    return std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
}

TEST(TwisterScene, CameraDescendsThenCutsBetweenViewpoints)
{
    const TwisterScene scene;
    Vec3 eye, target;
    scene.camera(0, eye, target);
    expectVec(eye, 2, 29, 4);
    expectVec(target, 0, -1, 0);
    scene.camera(0.2f, eye, target);
    EXPECT_LT(distance(eye, {0, 2.125f, 3}), 0.3f);  // the descent ends near the second key point

    // At each cut the eye jumps; just before it, the eye still moves smoothly.
    for (float cut : {0.2f, 0.38f, 0.48f, 0.58f, 0.7f, 0.82f}) {
        Vec3 before, at, after;
        scene.camera(cut - 1e-5f, before, target);
        scene.camera(cut, at, target);
        scene.camera(std::nextafter(cut, 1.0f), after, target);
        EXPECT_LT(distance(before, at), 0.01f) << cut;
        EXPECT_GT(distance(at, after), 1.0f) << cut;
    }
}

TEST(TwisterScene, RingsSwayUnclampedAndTheColumnClosesToAPoint)
{
    TwisterScene scene;
    const ColumnRings& rings = scene.rings();
    EXPECT_EQ(rings.radius[0], 1.0f);
    EXPECT_EQ(rings.radius[127], 1.0f);
    EXPECT_EQ(rings.radius[128], 0.0f);
    float lowest = 10, highest = -10;
    for (float p = 0; p <= 1; p += 0.0005f) {
        scene.updateRings(p);
        EXPECT_EQ(rings.radius[kRingCount], 0.0f);
        EXPECT_EQ(rings.twist[kRingCount], 0.0f);
        EXPECT_EQ(rings.shift[kRingCount], 0.0f);
        for (int i = 0; i < kRingCount; ++i) {
            lowest = std::min(lowest, rings.radius[i]);
            highest = std::max(highest, rings.radius[i]);
            ASSERT_LE(std::abs(rings.twist[i]), 2.7f);
            ASSERT_LE(std::abs(rings.shift[i]), 2.55f);
        }
    }
    EXPECT_GE(lowest, -0.65f);
    EXPECT_LT(lowest, 0.0f);  // a negative radius mirrors the ring, it is not clamped
    EXPECT_LE(highest, 4.25f);
    EXPECT_GT(highest, 3.5f);
}

}  // namespace
