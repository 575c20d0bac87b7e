// When the opening scene's cube groups grow.
#include <gtest/gtest.h>

#include "scenes/OpeningScene.h"

namespace {

TEST(OpeningScene, CubeWindowsFollowOneAnotherInSteps)
{
    CubeWindows cubeWindows;
    fillCubeWindows(cubeWindows);
    EXPECT_FLOAT_EQ(cubeWindows[0][0], 0.3f);
    EXPECT_FLOAT_EQ(cubeWindows[0][1], 0.305f);
    for (int i = 1; i < 121; ++i) EXPECT_EQ(cubeWindows[i][0], cubeWindows[i - 1][1]);
    EXPECT_NEAR(cubeWindows[119][1], 0.9, 1e-4);  // the last group grows in at 90 % of the scene
}

}  // namespace
