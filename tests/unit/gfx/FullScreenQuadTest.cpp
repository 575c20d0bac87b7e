// The rippled grid's shape.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "gfx/FullScreenQuad.h"

namespace {

TEST(RippledGrid, ElevenStripsOfTwentyTwoVerticesSwayingFromTheFirstFrame)
{
    struct Recorder {
        std::vector<std::vector<RippleVertex>> strips;
        void beginStrip() { strips.emplace_back(); }
        void vertex(const RippleVertex& v) { strips.back().push_back(v); }
        void endStrip() {}
    } recorder;
    rippleGrid(0.0f, recorder);
    ASSERT_EQ(recorder.strips.size(), 11u);
    for (const auto& strip : recorder.strips) EXPECT_EQ(strip.size(), 22u);

    // The last strip starts at 0.99999994, wholly above the top edge.
    EXPECT_FLOAT_EQ(recorder.strips.back()[0].v, 0.99999994f * 0.5f + 0.5f);
    // Texture coordinates are the undisplaced grid; positions are displaced even at t = 0.
    const RippleVertex& first = recorder.strips[0][0];
    EXPECT_FLOAT_EQ(first.u, 0.0f);
    EXPECT_FLOAT_EQ(first.v, 0.0f);
    EXPECT_NEAR(first.x, -1.0 + 0.04 * std::sin(-21.7), 1e-6);
    EXPECT_NEAR(first.y, -1.0 + 0.03 * std::sin(-14.3), 1e-6);
}

}  // namespace
