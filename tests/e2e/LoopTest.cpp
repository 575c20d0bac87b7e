// --loop: every pass shows the frames of a new run. After a pass the intro is restarted as the
// loop does it (scenes, emitters and random generators made again without the pictures, the
// clear level, the clock and the music from 0), and a second pass draws the same bytes in
// every scene that carries state from frame to frame.
#include <gtest/gtest.h>

#include <cstdint>
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

// One pass from 0 on the capture's frames, keeping the frames of the moments asked for.
std::map<int, std::vector<uint8_t>> pass(OffscreenIntro& intro, const std::vector<int>& moments)
{
    std::map<int, std::vector<uint8_t>> frames;
    for (int n = 0;; ++n) {
        const int t = n * 1000 / kFps;
        if (t > moments.back()) break;
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

}  // namespace
