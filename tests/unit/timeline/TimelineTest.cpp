// Which windows of the intro run at a time, in what order and with what progress.
#include <gtest/gtest.h>

#include <vector>

#include "timeline/Timeline.h"

namespace {

std::vector<std::pair<int, float>> runsAt(int32_t t)
{
    WindowRun runs[8];
    const int count = windowsAt(t, runs);
    std::vector<std::pair<int, float>> result;
    for (int i = 0; i < count; ++i) result.emplace_back(static_cast<int>(runs[i].window), runs[i].progress);
    return result;
}

TEST(Timeline, SharedBoundariesRunBothWindowsInCompositionOrder)
{
    // Scene B runs after Scene A, so its unbind clears A away: the frame shows B.
    EXPECT_EQ(runsAt(14110), (std::vector<std::pair<int, float>>{{1, 1.0f}, {2, 0.0f}}));
    // Window 4 is composed before window 3: the frame shows Scene C at progress 1.
    EXPECT_EQ(runsAt(60000), (std::vector<std::pair<int, float>>{{4, 0.0f}, {3, 1.0f}}));
    EXPECT_EQ(runsAt(145000), (std::vector<std::pair<int, float>>{{6, 1.0f}, {7, 0.0f}}));
}

TEST(Timeline, ProgressIsLinearInsideAWindow)
{
    const auto runs = runsAt(70000);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].first, 4);
    EXPECT_FLOAT_EQ(runs[0].second, 10000.0f / 28230.0f);
    EXPECT_EQ(sceneProgress(kSceneWindows[0], -5), 0.0f);
    EXPECT_EQ(sceneProgress(kSceneWindows[0], 99999), 1.0f);
}

TEST(Timeline, TheEndQuitsAndBeyondItNothingRuns)
{
    EXPECT_EQ(runsAt(206000), (std::vector<std::pair<int, float>>{{7, 61000.0f / 62000.0f}, {12, 0.0f}}));
    EXPECT_EQ(runsAt(207000), (std::vector<std::pair<int, float>>{{7, 1.0f}, {12, 2.0f / 3.0f}}));
    EXPECT_TRUE(runsAt(207501).empty());
    EXPECT_TRUE(runsAt(-1).empty());
    // The text pages are composed inside the closing window, never on their own.
    for (const auto& [window, progress] : runsAt(162000)) EXPECT_TRUE(window == 7) << window;
}

}  // namespace
