// The calm beat of "Fewer flashes": made of the stepped levels before a moment, rising and
// falling over a few frames at a hit, never jumping, and the same however it is asked for.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "audio/CalmBeat.h"

namespace {

// The calm level after each block of a sequence of stepped levels (blocks before it are 0).
std::vector<float> calmAfterEach(const std::vector<int8_t>& levels)
{
    std::vector<float> calm;
    for (size_t b = 0; b < levels.size(); ++b) {
        CalmSteps steps{};
        for (size_t i = 0; i < steps.size() && i <= b; ++i) steps[i] = levels[b - i];
        calm.push_back(calmLevelFromSteps(steps));
    }
    return calm;
}

// Blocks a 60 fps frame apart (5.8 ms blocks: about three).
constexpr int kBlocksPerFrame = 3;

TEST(CalmBeat, ASteadyLevelStaysAndSilenceIsNothing)
{
    for (const int8_t level : {0, 6, 12, 18}) {
        CalmSteps steps;
        steps.fill(level);
        EXPECT_FLOAT_EQ(calmLevelFromSteps(steps), level);
    }
}

TEST(CalmBeat, AHitRisesAndFallsOverAFewFramesInsteadOfJumping)
{
    // Two seconds of 6, a hit of 18 for three blocks, then 6 again.
    std::vector<int8_t> levels(344, 6);
    levels.insert(levels.end(), 3, 18);
    levels.insert(levels.end(), 100, 6);
    const std::vector<float> calm = calmAfterEach(levels);
    const auto hit = calm.begin() + 344;
    const auto peak = std::max_element(hit, calm.end());
    // The peak comes some frames after the hit, and the pulse is gone a few frames after that.
    EXPECT_GE(peak - hit, 2 * kBlocksPerFrame);
    EXPECT_LE(peak - hit, 4 * kBlocksPerFrame);
    EXPECT_GT(*peak, 6.5f);
    EXPECT_NEAR(calm[344 + 20], 6.0f, 0.2f);
    // At most a sixth of the step between two frames; the stepped level jumps by all of it.
    for (size_t b = kBlocksPerFrame; b < calm.size(); ++b)
        EXPECT_LE(std::fabs(calm[b] - calm[b - kBlocksPerFrame]), 12.0f / 6) << b;
}

TEST(CalmBeat, FlickerBecomesAGentleSwingAroundItsMean)
{
    // The stepped level as the hats make it: 0 and 18 in turn, a few blocks each.
    std::vector<int8_t> levels;
    for (int i = 0; i < 600; ++i) levels.push_back(i / 4 % 2 ? 18 : 0);
    const std::vector<float> calm = calmAfterEach(levels);
    const auto [low, high] = std::minmax_element(calm.begin() + 300, calm.end());
    EXPECT_GT(*low, 7.0f);
    EXPECT_LT(*high, 11.0f);
}

}  // namespace
