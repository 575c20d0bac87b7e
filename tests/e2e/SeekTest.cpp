// Pausing and seeking in a run that plays on a clock of the test's, in a small GL context. After
// each batch of seeks made while paused (back, on, repeated, to chapter starts, single frames,
// and across the end of the ribbons' window, whose emitters carry on) the frame held is byte for
// byte the one the capture tool draws at that moment. A pause holds the moment shown while the
// clock runs on, and playing on goes on from it.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "app/FramePixels.h"
#include "app/OffscreenIntro.h"
#include "timeline/Timeline.h"

namespace {

constexpr int kWidth = 160, kHeight = 90;

// Ticks with the controls, then until the run is in the phase.
void tickUntil(::Run& run, ::Run::Phase phase, std::vector<Control> controls = {})
{
    run.tick({false, std::move(controls)});
    for (int i = 0; i < 100000 && run.phase() != phase; ++i) run.tick({});
    ASSERT_EQ(run.phase(), phase);
}

TEST(Seek, SeeksWhilePausedHoldTheCapturedFrameAndPlayingGoesOnFromThere)
{
    using enum Control;
    const std::vector<std::vector<Control>> batches = {
        {Start},
        {On, On},
        {Back},
        {NextChapter},
        {FrameOn},
        {ChapterStart},
        // Back to the start (near the burning circle's start), where a frame back stays.
        {FrameBack, FrameBack},
        // Five chapters on: the twister, then back into the ribbons and on past their end.
        {NextChapter, NextChapter, NextChapter, NextChapter, NextChapter},
        {Back},
        {On, On, FrameOn},
    };
    // Where each batch leads from the start, and the frames the capture tool draws there.
    std::vector<int32_t> moments;
    int32_t t = 0;
    for (const std::vector<Control>& batch : batches) {
        for (const Control c : batch) t = seekTarget(c, t, true).value_or(t);
        moments.push_back(t);
    }
    EXPECT_GT(moments.back(), sceneWindow(TimeWindow::Ribbons).end);
    std::map<int32_t, std::vector<uint8_t>> captured;
    {
        OffscreenIntro::Refusal refusal;
        std::unique_ptr<OffscreenIntro> intro = OffscreenIntro::open(kWidth, kHeight, GLApi::Core, refusal);
        ASSERT_TRUE(intro) << "no headless OpenGL context " << refusal.message;
        for (const int32_t m : moments) {
            intro->run().drawMoment(m);
            std::vector<uint8_t> rows;
            readFrame(intro->gfx(), kWidth, kHeight, rows);
            captured[m] = flipRows(rows.data(), kHeight, size_t{kWidth} * 4);
        }
    }

    int64_t now = 1'000'000'000;
    OffscreenIntro::Refusal refusal;
    // Each reading of the clock moves it 1 ms: the work between frames keeps to its budget.
    std::unique_ptr<OffscreenIntro> intro =
        OffscreenIntro::open(kWidth, kHeight, GLApi::Core, refusal, false, [&now] { return now += 1000; });
    ASSERT_TRUE(intro) << refusal.message;
    ::Run& run = intro->run();
    tickUntil(run, ::Run::Phase::Playing);
    while (run.shownMs() < 500) run.tick({});
    tickUntil(run, ::Run::Phase::Paused, {PlayPause});
    const int32_t pausedAt = run.shownMs();
    const std::vector<uint8_t> held = run.heldPixels();
    ASSERT_EQ(held.size(), size_t{kWidth} * kHeight * 4);
    now += 2'000'000;
    run.tick({});
    EXPECT_EQ(run.shownMs(), pausedAt);
    EXPECT_TRUE(run.heldPixels() == held);

    for (size_t i = 0; i < batches.size(); ++i) {
        tickUntil(run, ::Run::Phase::Paused, batches[i]);
        ASSERT_EQ(run.shownMs(), moments[i]);
        EXPECT_TRUE(run.heldPixels() == captured.at(moments[i])) << "the frame held at " << moments[i] << " ms";
    }
    EXPECT_GT(run.checkpoints().count(), 1u);

    // Playing on from there, after the ribbons' end.
    tickUntil(run, ::Run::Phase::Playing, {PlayPause});
    now += 100'000;
    run.tick({});
    EXPECT_GT(run.shownMs(), moments.back());
    EXPECT_LT(run.shownMs(), moments.back() + 1000);
}

}  // namespace
