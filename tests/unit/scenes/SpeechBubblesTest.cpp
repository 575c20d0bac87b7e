// Where and when the speech bubbles show.
#include <gtest/gtest.h>

#include <array>

#include "scenes/SpeechBubbles.h"

namespace {

TEST(SpeechBubbles, FadeSlideAndSitInTheirPlaces)
{
    BubbleDraw draws[3];
    ASSERT_EQ(bubbleLayout(0.1f, 0, draws), 1);  // before its pulse: transparent, at the start offset
    EXPECT_EQ(draws[0].alpha, 0.0f);
    EXPECT_FLOAT_EQ(draws[0].offset.x, -0.1f);
    ASSERT_EQ(bubbleLayout(0.5f, 0, draws), 1);  // the middle of a gain-1 pulse: fully shown, at rest
    EXPECT_FLOAT_EQ(draws[0].alpha, 1.0f);
    EXPECT_NEAR(draws[0].offset.x, 0.0f, 1e-6f);
    ASSERT_EQ(bubbleLayout(0.5f, 3, draws), 1);
    EXPECT_EQ(draws[0].quad.right, 1.0f);  // reaches the right edge before its slide

    // Set 4: 5a alone from 0.83, all three from 0.89 to 0.92, 5c alone until 0.98.
    auto shown = [&](float p) {
        bubbleLayout(p, 4, draws);
        return std::array<bool, 3>{draws[0].alpha > 0, draws[1].alpha > 0, draws[2].alpha > 0};
    };
    EXPECT_EQ(shown(0.85f), (std::array<bool, 3>{true, false, false}));
    EXPECT_EQ(shown(0.905f), (std::array<bool, 3>{true, true, true}));
    EXPECT_EQ(shown(0.96f), (std::array<bool, 3>{false, false, true}));
    EXPECT_EQ(bubbleLayout(0.5f, 5, draws), 0);
}

// A set shows while any of its bubbles is at all opaque; the frame's overlay waits for it then.
TEST(SpeechBubbles, ShowWhileAnyBubbleIsOpaque)
{
    EXPECT_FALSE(SpeechBubbles::shows(0.15f, 0));  // the pulse's first instant is transparent
    EXPECT_TRUE(SpeechBubbles::shows(0.16f, 0));
    EXPECT_FALSE(SpeechBubbles::shows(0.85f, 0));
    EXPECT_FALSE(SpeechBubbles::shows(0.8f, 4));
    EXPECT_TRUE(SpeechBubbles::shows(0.96f, 4));  // the last of the three alone
    EXPECT_FALSE(SpeechBubbles::shows(0.99f, 4));
    EXPECT_FALSE(SpeechBubbles::shows(0.5f, 5));
}

}  // namespace
