// The intro's state as a value. --loop: every pass shows the frames of a new run. After a pass
// the intro is restarted as the loop does it (the state loading left put back: scenes,
// emitters, random generators, the clear level, what the drawing layer carries and the clock;
// the music from 0), and a second pass draws the same bytes in every scene that carries state
// from frame to frame. A copy taken in the middle and put back draws what followed it. A moment
// is drawn alike whatever was drawn before it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <vector>

#include "app/OffscreenIntro.h"

namespace {

constexpr int kWidth = 160, kHeight = 90, kFps = 8;

std::vector<uint8_t> drawnFrame(OffscreenIntro& intro)
{
    std::vector<uint8_t> rgba(static_cast<size_t>(kWidth) * kHeight * 4);
    intro.gfx().readPixels({0, 0, kWidth, kHeight}, rgba.data());
    return rgba;
}

// One pass on the capture's frames from frame `first`, drawing and keeping the frames of the
// moments asked for.
std::map<int, std::vector<uint8_t>> pass(OffscreenIntro& intro, const std::vector<int>& moments, int first = 0)
{
    std::map<int, std::vector<uint8_t>> frames;
    for (int n = first;; ++n) {
        const int t = n * 1000 / kFps;
        if (t > moments.back()) break;
        const bool kept = std::find(moments.begin(), moments.end(), t) != moments.end();
        intro.gfx().setDrawing(kept);
        intro.render(t);
        for (const int m : moments)
            if (m == t) frames[t] = drawnFrame(intro);
    }
    return frames;
}

TEST(Loop, EveryPassDrawsTheFramesOfTheFirst)
{
    // The fire ring and sparks, the stems, the metaballs and the ribbons.
    const std::vector<int> moments = {20000, 45000, 75000, 100000};
    OffscreenIntro::Refusal refusal;
    std::unique_ptr<OffscreenIntro> intro = OffscreenIntro::open(kWidth, kHeight, GLApi::Core, refusal);
    ASSERT_TRUE(intro) << "no headless OpenGL context " << refusal.message;
    const auto first = pass(*intro, moments);
    intro->restart();
    const auto second = pass(*intro, moments);
    ASSERT_EQ(first.size(), moments.size());
    for (const int t : moments) EXPECT_TRUE(first.at(t) == second.at(t)) << "the second pass differs at " << t << " ms";
}

TEST(IntroState, ACopyPutBackDrawsWhatFollowedIt)
{
    // Taken among the stems; the fire ring, the metaballs and the first ribbons follow.
    constexpr int kCopyAt = 60000;
    const std::vector<int> moments = {kCopyAt, 61000, 75000, 90000};
    OffscreenIntro::Refusal refusal;
    std::unique_ptr<OffscreenIntro> intro = OffscreenIntro::open(kWidth, kHeight, GLApi::Core, refusal);
    ASSERT_TRUE(intro) << "no headless OpenGL context " << refusal.message;
    pass(*intro, {kCopyAt - 1000 / kFps});
    const IntroState copy = intro->run().save();
    std::printf("a copy of the intro's state at %d ms takes %zu bytes\n", kCopyAt, copy.bytes());
    const auto straight = pass(*intro, moments, kCopyAt * kFps / 1000);

    // On into the ribbons first, so that nothing of the frames after the copy is left to help.
    pass(*intro, {110000}, 90000 * kFps / 1000 + 1);
    intro->run().restore(copy);
    const auto restored = pass(*intro, moments, kCopyAt * kFps / 1000);
    ASSERT_EQ(straight.size(), moments.size());
    for (const int t : moments)
        EXPECT_TRUE(straight.at(t) == restored.at(t)) << "the frame at " << t << " ms differs after the copy";
}

TEST(IntroState, AMomentIsDrawnAlikeWhateverWasDrawnBeforeIt)
{
    // Off the grid (14120, 60010, just after the stems end) and on it, visited back and forth.
    const std::vector<int> order = {75000, 14120, 45000, 60010, 14120, 100000, 45000};
    std::map<int, std::vector<uint8_t>> alone;
    for (const int t : order) {
        if (alone.count(t) != 0) continue;
        OffscreenIntro::Refusal refusal;
        std::unique_ptr<OffscreenIntro> intro = OffscreenIntro::open(kWidth, kHeight, GLApi::Core, refusal);
        ASSERT_TRUE(intro) << "no headless OpenGL context " << refusal.message;
        intro->run().drawMoment(t, kFps);
        alone[t] = drawnFrame(*intro);
    }
    OffscreenIntro::Refusal refusal;
    std::unique_ptr<OffscreenIntro> intro = OffscreenIntro::open(kWidth, kHeight, GLApi::Core, refusal);
    ASSERT_TRUE(intro) << "no headless OpenGL context " << refusal.message;
    // An on-grid moment is the frame a straight pass draws there.
    EXPECT_TRUE(pass(*intro, {45000}) == (std::map<int, std::vector<uint8_t>>{{45000, alone.at(45000)}}));
    for (size_t i = 0; i < order.size(); ++i) {
        intro->run().drawMoment(order[i], kFps);
        EXPECT_TRUE(drawnFrame(*intro) == alone.at(order[i])) << order[i] << " ms, moment " << i << " of the run";
    }
}

}  // namespace
