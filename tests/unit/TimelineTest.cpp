// Which windows of the intro run at a time, in what order and with what progress; the
// rippled grid's shape; the loading bar's reach.
#include <gtest/gtest.h>

#include <vector>

#include "app/Assets.h"
#include "gfx/FullScreenQuad.h"
#include "timeline/Timeline.h"

namespace {

std::vector<std::pair<int, float>> runsAt(int32_t t)
{
    WindowRun runs[8];
    const int count = windowsAt(t, runs);
    std::vector<std::pair<int, float>> result;
    for (int i = 0; i < count; ++i) result.emplace_back(runs[i].window, runs[i].progress);
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

TEST(LoadingBar, GrowsFromItsLeftEndToFullInTwentyOneSteps)
{
    LoadingBar bar;
    bar.setTotal(21);
    bar.current = 1;
    EXPECT_FLOAT_EQ(bar.progress(), 10.0f / 21.0f - 0.1f);
    bar.current = 21;
    EXPECT_FLOAT_EQ(bar.progress(), 9.9f);  // the bar ends at -4.95 + 9.9 = 4.95
}

}  // namespace
