// Scene D's balls and camera.
#include <gtest/gtest.h>

#include <cmath>

#include "scenes/MetaballScene.h"

namespace {

TEST(MetaballScene, BallsGrowInAndTheCameraDivesAmongThem)
{
    Random random;
    const MetaballScene scene(random);
    for (const BallMotion& ball : scene.ballMotions()) {
        EXPECT_EQ(ballRadius(ball, 0), 0.0f);
        EXPECT_FLOAT_EQ(ballRadius(ball, 0.1f), ball.size);
        EXPECT_GE(ball.size, 0.45f);
        EXPECT_LT(ball.size, 1.2f);
    }
    // The pulse holds the eye at the dive point through the middle of 0.2 to 0.4 ...
    Vec3 eye, target;
    for (float t : {0.2f + 0.2f / 6 + 1e-4f, 0.3f, 0.2f + 0.2f * 5 / 6 - 1e-4f}) {
        scene.camera(t, eye, target);
        EXPECT_EQ(eye.x, 0.1f) << t;
        EXPECT_EQ(eye.y, 1.0f) << t;
        EXPECT_EQ(eye.z, -3.1f) << t;
    }
    // ... and outside it the eye follows the path plus an orbit of radius 8.
    scene.camera(0, eye, target);
    EXPECT_NEAR(eye.x, 0, 1e-5f);
    EXPECT_NEAR(eye.y, 3, 1e-5f);
    EXPECT_NEAR(eye.z, 18 + 8, 1e-5f);
    EXPECT_FLOAT_EQ(target.y, 2);
    scene.camera(1, eye, target);
    EXPECT_NEAR(eye.x, 2 + 8 * std::sin(8 * 3.1415926f), 1e-4f);
    EXPECT_NEAR(eye.y, 12 - 80, 1e-4f);
    EXPECT_FLOAT_EQ(target.y, 30);
}

}  // namespace
