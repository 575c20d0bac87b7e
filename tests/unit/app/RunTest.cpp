// The run's phases without a window or a GPU: the intro loaded and drawn on a device that draws
// nothing, with a clock the test moves. What a frame shows is read from the music, which hears
// each frame's demo time.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "app/Run.h"
#include "app/Screen.h"
#include "gfx/NullDevice.h"
#include "timeline/Timeline.h"

namespace {

const std::filesystem::path kData = std::filesystem::path(ORVALE_GFX_DIR).parent_path();
constexpr int64_t kMs = 1000;  // microseconds

class RunTest : public ::testing::Test {
protected:
    RunTest() { music.useVirtualOutput(); }
    ~RunTest() override { music.release(); }

    void open(RunSettings settings)
    {
        settings.width = 320;
        settings.height = 180;
        if (settings.data.empty()) settings.data = kData;
        settings.hearDemoTime = true;
        run.emplace(g, music, screen, settings, [this] { return now += step; });
    }
    RunStep tick(bool end = false) { return run->tick({end}); }
    // Ticks until the phase changes, counting the steps of each kind; the step that changed it.
    RunStep tickThrough(::Run::Phase phase, int& shown, int& waited)
    {
        shown = waited = 0;
        for (int i = 0; i < 10000; ++i) {
            const RunStep s = tick();
            shown += s.next == RunStep::Next::Show;
            waited += s.next == RunStep::Next::Wait;
            if (run->phase() != phase) return s;
        }
        ADD_FAILURE() << "the run stays in its phase";
        return {};
    }
    void loadAndSettle()
    {
        int shown, waited;
        tickThrough(::Run::Phase::Loading, shown, waited);
        ASSERT_EQ(run->phase(), ::Run::Phase::Settling);
        now += ::Run::kSettlePause;
    }
    // The demo time of the frame drawn last, ms.
    int64_t shownMs() { return music.heardFrame() * 1000 / Track::kRate; }

    NullDevice device;
    Gfx g{device};
    MusicPlayer music;
    TargetScreen screen;
    int64_t now = 1'000'000'000;  // the run's clock, microseconds
    int64_t step = 0;             // how far each reading moves it
    std::optional<::Run> run;  // ::, not the test's own Run()
};

TEST_F(RunTest, LoadsBehindTheBarSettlesPausesAndPlaysOnTheClockToTheEnd)
{
    open({});
    int shown, waited;
    tickThrough(::Run::Phase::Loading, shown, waited);
    EXPECT_EQ(shown, AssetLoader::steps());  // the bar after every step
    ASSERT_EQ(run->phase(), ::Run::Phase::Settling);

    // The settle at the end of loading, then the pause of a start from the beginning, the
    // music already playing through it.
    const int64_t loaded = now;
    RunStep s = tick();
    EXPECT_EQ(s.next, RunStep::Next::Wait);
    EXPECT_EQ(s.wakeAt, loaded + ::Run::kSettlePause);
    now = s.wakeAt;
    s = tick();
    ASSERT_EQ(run->phase(), ::Run::Phase::Playing);
    EXPECT_EQ(s.next, RunStep::Next::Wait);
    EXPECT_EQ(s.wakeAt, now + ::Run::kSettlePause);
    const int64_t started = now;
    now = s.wakeAt;
    s = tick();
    EXPECT_EQ(s.next, RunStep::Next::Show);
    EXPECT_TRUE(s.firstFrame);
    EXPECT_EQ(shownMs(), 300);  // the pause is demo time

    now = started + 16'667 * kMs;
    s = tick();
    EXPECT_EQ(s.next, RunStep::Next::Show);
    EXPECT_FALSE(s.firstFrame);
    EXPECT_NEAR(shownMs(), 16'667, 1);

    // The frame at the end is shown, then the run is over.
    now = started + int64_t{sceneWindow(TimeWindow::End).start} * kMs;
    EXPECT_EQ(tick().next, RunStep::Next::Show);
    EXPECT_EQ(run->phase(), ::Run::Phase::Ended);
    EXPECT_EQ(tick().next, RunStep::Next::End);
}

TEST_F(RunTest, ALoopStartsAnotherPassFromTheBeginningWithItsPause)
{
    open({.loop = true});
    loadAndSettle();
    tick();
    now += ::Run::kSettlePause;
    ASSERT_TRUE(tick().firstFrame);
    now += int64_t{sceneWindow(TimeWindow::End).start} * kMs;
    EXPECT_EQ(tick().next, RunStep::Next::Show);
    ASSERT_EQ(run->phase(), ::Run::Phase::Playing);
    EXPECT_EQ(tick().next, RunStep::Next::Wait);
    now += ::Run::kSettlePause;
    const RunStep s = tick();
    EXPECT_TRUE(s.firstFrame);
    EXPECT_EQ(shownMs(), 300);
}

TEST_F(RunTest, ALateStartCatchesUpInSlicesWithTheBarThenPlaysFromItsMoment)
{
    open({.startMs = 5000});
    loadAndSettle();
    // Each reading of the clock moves it 1 ms: a 25 ms slice runs 25 of the 300 frames, the
    // first of them in the tick that ends the settle.
    step = kMs;
    EXPECT_EQ(tick().next, RunStep::Next::Wait);
    ASSERT_EQ(run->phase(), ::Run::Phase::CatchingUp);
    int shown, waited;
    const RunStep last = tickThrough(::Run::Phase::CatchingUp, shown, waited);
    EXPECT_EQ(shown + waited, 300 / 25 - 1);
    EXPECT_EQ(shown, 5);  // the bar at each second, the last one with the moment itself
    EXPECT_EQ(last.next, RunStep::Next::Show);
    EXPECT_EQ(shownMs(), 5000);
    ASSERT_EQ(run->phase(), ::Run::Phase::Playing);

    // No pause after a late start: the clock runs on from the moment shown.
    step = 0;
    now += 40 * kMs;
    const RunStep s = tick();
    EXPECT_TRUE(s.firstFrame);
    EXPECT_NEAR(shownMs(), 5040, 1);  // through the clock's float seconds
}

TEST_F(RunTest, ASlowFrameStillMovesTheCatchUpOn)
{
    open({.startMs = 1000});
    loadAndSettle();
    step = 100 * kMs;  // each reading is a whole slice later
    tick();
    int shown, waited;
    tickThrough(::Run::Phase::CatchingUp, shown, waited);
    EXPECT_EQ(shown + waited, 60 - 1);  // one frame a tick
}

TEST_F(RunTest, WithoutCatchUpALateStartBeginsAtItsMoment)
{
    open({.startMs = sceneWindow(TimeWindow::Ribbons).start, .catchUp = false});
    loadAndSettle();
    const RunStep s = tick();
    EXPECT_EQ(s.next, RunStep::Next::Show);
    EXPECT_TRUE(s.firstFrame);
    EXPECT_EQ(run->phase(), ::Run::Phase::Playing);
    EXPECT_EQ(shownMs(), sceneWindow(TimeWindow::Ribbons).start);
}

TEST_F(RunTest, AHeldMomentIsReadBackOnceAndShownAtEveryTick)
{
    open({.holdMs = 2000});
    loadAndSettle();
    const RunStep first = tick();  // the clock standing still, the catch-up is done in one slice
    EXPECT_TRUE(first.firstFrame);
    ASSERT_EQ(run->phase(), ::Run::Phase::Holding);
    EXPECT_EQ(run->heldPixels().size(), size_t{320} * 180 * 4);
    EXPECT_EQ(shownMs(), 2000);
    now += 10'000 * kMs;
    const RunStep again = tick();
    EXPECT_EQ(again.next, RunStep::Next::Show);
    EXPECT_FALSE(again.firstFrame);
    EXPECT_EQ(shownMs(), 2000);
}

TEST_F(RunTest, EscapeEndsEveryPhaseAtOnce)
{
    const RunSettings late{.startMs = 3000};
    const auto endIn = [&](const RunSettings& settings, ::Run::Phase phase, int ticks) {
        open(settings);
        step = kMs;
        for (int i = 0; i < ticks; ++i) {
            if (run->phase() == ::Run::Phase::Settling) now += ::Run::kSettlePause;
            tick();
        }
        ASSERT_EQ(run->phase(), phase);
        EXPECT_EQ(tick(true).next, RunStep::Next::End);
        EXPECT_EQ(tick().next, RunStep::Next::End);
    };
    endIn({}, ::Run::Phase::Loading, 3);
    endIn({}, ::Run::Phase::Settling, AssetLoader::steps());
    endIn(late, ::Run::Phase::CatchingUp, AssetLoader::steps() + 1);
    endIn({}, ::Run::Phase::Playing, AssetLoader::steps() + 2);
    endIn({.holdMs = 0}, ::Run::Phase::Holding, AssetLoader::steps() + 2);
}

TEST_F(RunTest, FixedStepsNeitherPauseNorPlay)
{
    open({.fixedStep = true});
    int shown, waited;
    tickThrough(::Run::Phase::Loading, shown, waited);
    ASSERT_EQ(run->phase(), ::Run::Phase::Ready);
    now += 60'000'000 * kMs;
    EXPECT_EQ(tick().next, RunStep::Next::Wait);
    run->frameAt(12'345);
    EXPECT_EQ(shownMs(), 12'345);
}

TEST_F(RunTest, APictureThatCannotBeLoadedFailsTheRunWithItsName)
{
    const std::filesystem::path data = std::filesystem::path(testing::TempDir()) / "orvale-run-test-data";
    std::filesystem::remove_all(data);
    std::filesystem::create_directories(data / "gfx");
    open({.data = data});
    int shown, waited;
    const RunStep s = tickThrough(::Run::Phase::Loading, shown, waited);
    EXPECT_EQ(s.next, RunStep::Next::Fail);
    EXPECT_NE(run->failure().find(".png"), std::string::npos) << run->failure();
    EXPECT_EQ(tick().next, RunStep::Next::Fail);
    EXPECT_EQ(tick(true).next, RunStep::Next::Fail);
    std::filesystem::remove_all(data);
}

}  // namespace
