// The flash rules against sequences made here: square-wave flashes of given rates, areas and
// levels, red flashes, kept-up flashing and a slow fade, at 60 frames a second.
#include "FlashRules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

constexpr int kFps = 60;
constexpr int kWidth = 20, kHeight = 10;

struct Rgb {
    uint8_t r, g, b;
};

// The transitions of `frames` frames of kWidth x kHeight, pixel (x, y) of frame n coloured
// by `colour`.
std::vector<FrameTransitions> transitionsOf(int frames, const std::function<Rgb(int n, int x, int y)>& colour)
{
    TransitionDetector detector(kWidth, kHeight, kFps);
    std::vector<FrameTransitions> found;
    std::vector<uint8_t> rgba(kWidth * kHeight * 4);
    for (int n = 0; n < frames; ++n) {
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const Rgb c = colour(n, x, y);
                uint8_t* p = &rgba[(y * kWidth + x) * 4];
                p[0] = c.r, p[1] = c.g, p[2] = c.b, p[3] = 255;
            }
        found.push_back(detector.add(rgba.data()));
    }
    return found;
}

// A square wave of `hz` flashes a second (one light and one dark half each) for `seconds`,
// then steady dark for two seconds.
bool lightAt(int n, double hz, double seconds)
{
    const double t = static_cast<double>(n) / kFps;
    return t < seconds && std::fmod(t * hz, 1.0) < 0.5;
}

FlashJudgement flashing(double hz, double seconds, Rgb light, Rgb dark, double area = 1.0)
{
    const int frames = static_cast<int>((seconds + 2) * kFps);
    return judgeFlashes(transitionsOf(frames,
                                      [&](int n, int x, int) {
                                          const bool inside = x < area * kWidth;
                                          return inside && lightAt(n, hz, seconds) ? light : dark;
                                      }),
                        kFps, 0);
}

constexpr Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255};

TEST(FlashRules, FullScreenFlashesFailAboveThreeASecond)
{
    const FlashJudgement slow = flashing(2, 4, kWhite, kBlack);
    EXPECT_TRUE(slow.passes());
    EXPECT_EQ(slow.mostLuminance, 4);

    const FlashJudgement fast = flashing(4, 4, kWhite, kBlack);
    ASSERT_FALSE(fast.passes());
    ASSERT_EQ(fast.failures.size(), 1u);
    const FlashFailure& failure = fast.failures[0];
    EXPECT_EQ(failure.kind, FlashFailure::Kind::Luminance);
    EXPECT_EQ(failure.most, 8);
    // From the first flash's first turn (its first dark frame) to the last one, 1/8 s before 4 s.
    EXPECT_NEAR(failure.fromMs, 125, 20);
    EXPECT_NEAR(failure.toMs, 3875, 20);
    EXPECT_EQ(fast.mostRed, 0);

    // One line a second, from the first second to the one of the last frame; the seconds
    // that reach into the flashing fail, the calm one after them passes.
    ASSERT_EQ(fast.seconds.size(), 6u);
    EXPECT_EQ(fast.seconds[0].endMs, 1000);
    EXPECT_EQ(fast.seconds[2].luminance, 8);
    EXPECT_EQ(fast.seconds[2].verdict, FlashVerdict::Fail);
    EXPECT_EQ(fast.seconds[4].verdict, FlashVerdict::Fail);
    EXPECT_EQ(fast.seconds[5].endMs, 6000);
    EXPECT_EQ(fast.seconds[5].verdict, FlashVerdict::Pass);
}

TEST(FlashRules, OnlyAQuarterOfThePictureAndADarkerSideBelowTheLimitCount)
{
    EXPECT_TRUE(flashing(4, 4, kWhite, kBlack, 0.2).passes());
    EXPECT_FALSE(flashing(4, 4, kWhite, kBlack, 0.3).passes());
    // Relative luminance 0.85 to 1.0: a large change, but between two light states.
    const FlashJudgement light = flashing(4, 4, kWhite, Rgb{238, 238, 238});
    EXPECT_TRUE(light.passes());
    EXPECT_EQ(light.mostLuminance, 0);
    // Just below 0.8 on the darker side, and a change above 0.1: it counts.
    EXPECT_FALSE(flashing(4, 4, kWhite, Rgb{228, 228, 228}).passes());
    // A change below 0.1 never counts, however fast.
    EXPECT_EQ(flashing(8, 4, Rgb{100, 100, 100}, Rgb{80, 80, 80}).mostLuminance, 0);
}

TEST(FlashRules, SaturatedRedFlashesFailTheRedRule)
{
    const FlashJudgement red = flashing(4, 4, Rgb{255, 0, 0}, kBlack);
    EXPECT_EQ(red.mostRed, 8);
    const auto redFailure = std::find_if(red.failures.begin(), red.failures.end(),
                                         [](const FlashFailure& f) { return f.kind == FlashFailure::Kind::Red; });
    EXPECT_NE(redFailure, red.failures.end());
    // Red to bright red (linear 0.6 to 1): both saturated, a large change in redness, yet
    // below 0.1 in luminance: the red rule alone fails it.
    const FlashJudgement redOnly = flashing(4, 4, Rgb{255, 0, 0}, Rgb{204, 0, 0});
    EXPECT_EQ(redOnly.mostLuminance, 0);
    ASSERT_EQ(redOnly.failures.size(), 1u);
    EXPECT_EQ(redOnly.failures[0].kind, FlashFailure::Kind::Red);
    // Orange is not saturated red: no red transitions.
    EXPECT_EQ(flashing(4, 4, Rgb{255, 140, 0}, kBlack).mostRed, 0);
}

TEST(FlashRules, TwoToThreeFlashesASecondFailWhenKeptUpForMoreThanFiveSeconds)
{
    const FlashJudgement kept = flashing(2.5, 6, kWhite, kBlack);
    ASSERT_EQ(kept.failures.size(), 1u);
    EXPECT_EQ(kept.failures[0].kind, FlashFailure::Kind::ExtendedLuminance);
    EXPECT_EQ(kept.failures[0].most, 5);
    EXPECT_GT(kept.failures[0].toMs - kept.failures[0].fromMs, 5000);
    EXPECT_EQ(kept.seconds[3].verdict, FlashVerdict::Extended);

    const FlashJudgement brief = flashing(2.5, 4, kWhite, kBlack);
    EXPECT_TRUE(brief.passes());
    EXPECT_EQ(brief.seconds[2].verdict, FlashVerdict::Warning);
}

TEST(FlashRules, AChangeOverSeveralFramesCountsOnce)
{
    // Black to white and back once a second, each way over 30 frames in steps far below 0.1:
    // two transitions a second, however small each frame's step.
    const FlashJudgement fade = judgeFlashes(transitionsOf(6 * kFps,
                                                           [](int n, int, int) {
                                                               const int phase = n % kFps;
                                                               const int up = phase < 30 ? phase : kFps - phase;
                                                               const auto v = static_cast<uint8_t>(up * 255 / 30);
                                                               return Rgb{v, v, v};
                                                           }),
                                             kFps, 0);
    EXPECT_TRUE(fade.passes());
    EXPECT_EQ(fade.mostLuminance, 2);

    // A slow fade from black to white and back over four seconds: two transitions in all.
    const std::vector<FrameTransitions> slow = transitionsOf(4 * kFps, [](int n, int, int) {
        const auto v = static_cast<uint8_t>(n < 2 * kFps ? n * 255 / (2 * kFps) : (4 * kFps - n) * 255 / (2 * kFps));
        return Rgb{v, v, v};
    });
    int transitions = 0;
    for (const FrameTransitions& t : slow) transitions += t.luminance;
    EXPECT_EQ(transitions, 2);
    EXPECT_TRUE(judgeFlashes(slow, kFps, 0).passes());
}

TEST(FlashRules, AMovingPictureDoesNotFlashHoweverFastItsPixelsChange)
{
    // Black and white bars four pixels wide, moving two pixels a frame: every pixel flips
    // every other frame, but as much of the picture goes dark as goes bright.
    const FlashJudgement moving = judgeFlashes(transitionsOf(4 * kFps,
                                                             [](int n, int x, int) {
                                                                 return (x + 2 * n) / 4 % 2 ? kWhite : kBlack;
                                                             }),
                                               kFps, 0);
    EXPECT_EQ(moving.mostLuminance, 0);
    EXPECT_TRUE(moving.passes());
}

TEST(FlashRules, SecondsAreWholeSecondsOfDemoTime)
{
    // 30 fps from demo time 37.5 s to just before 40.2 s: seconds ending at 38, 39, 40 and 41.
    const std::vector<FrameTransitions> frames(81);
    const FlashJudgement judgement = judgeFlashes(frames, 30, 37500);
    ASSERT_EQ(judgement.seconds.size(), 4u);
    EXPECT_EQ(judgement.seconds.front().endMs, 38000);
    EXPECT_EQ(judgement.seconds.back().endMs, 41000);
    EXPECT_TRUE(judgeFlashes({}, 60, 0).seconds.empty());
}

}  // namespace
