// Scene C's layout of tufts and stems.
#include <gtest/gtest.h>

#include "math/Random.h"
#include "scenes/StemScene.h"

namespace {

TEST(Stems, LayoutFollowsTheFixedSeedAndTheDrawsInOrder)
{
    Random laidOut;
    const StemScene scene(laidOut);
    // The same draws, made here in the order the layout takes them.
    Random random;
    random.setSeed(109106);
    random.scaled(0.15f);
    random.scaled(0.12f);
    random.scaled(0.12f);
    const float startBase = random.scaled(0.055f);
    const float width = random.scaled(0.9f) + 0.74f;
    const float side = random.scaled(11) - 5.5f;
    const float tipSize = random.scaled(12) + 3.0f;
    const float curlX = random.scaled(0.5f) - 0.25f;
    const float curlY = random.unit() - 0.5f;
    const StemGroup& g = scene.groups()[0];
    EXPECT_EQ(g.startBase, startBase);
    EXPECT_EQ(g.width, width);
    EXPECT_EQ(g.stems[0].side, side);
    EXPECT_EQ(g.stems[0].tipSize, tipSize);
    EXPECT_EQ(g.stems[0].curlX, curlX);
    EXPECT_EQ(g.stems[0].curlY, curlY);
    EXPECT_NEAR(g.base.x, 2.0f, 1e-6f);  // the circle at angle 0, radius 0.5 + (2, -4, -0.15)
    EXPECT_NEAR(g.base.y, -3.5f, 1e-6f);
    for (const StemGroup& group : scene.groups())
        for (const Stem& s : group.stems) {
            const int expected = s.maxLength < 2 ? 30 : s.maxLength < 3 ? 48 : s.maxLength < 4 ? 60 : s.maxLength < 5 ? 75 : 95;
            ASSERT_EQ(s.segments, expected);
            ASSERT_LE(s.start, 0.205f);
        }
}

}  // namespace
