#include <gtest/gtest.h>

#include "app/FrameClock.h"
#include "app/Frame.h"

namespace {

// A counter the test moves by hand, which the clock reads.
class FrameClockTest : public ::testing::Test {
protected:
    struct ManualCounter {
        int64_t reading = 0;
        int64_t frequency = 0;  // 0: no high-resolution counter

        void install(FrameClock& clock, int64_t ticksPerSecond, int64_t start)
        {
            frequency = ticksPerSecond;
            reading = start;
            clock.setSource({
                [this](int64_t& f) {
                    f = frequency;
                    return frequency > 0;
                },
                [this] { return reading; },
                [this] { return reading; },
            });
        }
    };

    FrameClock clock;
    ManualCounter counter;
};

TEST_F(FrameClockTest, FirstUpdateAfterResetIsZeroAndSameTickGivesNoStep)
{
    counter.install(clock, 1'000'000, 123'456'789);
    clock.reset();
    EXPECT_EQ(clock.elapsed, 0.0f);
    EXPECT_EQ(clock.frameDelta, 0.0f);
    EXPECT_EQ(clock.usesTickCount, 0);

    counter.reading += 16'667;
    clock.update();
    EXPECT_FLOAT_EQ(clock.elapsed, 0.016667f);
    EXPECT_FLOAT_EQ(clock.frameDelta, 0.016667f);

    clock.update();  // same counter reading
    EXPECT_FLOAT_EQ(clock.elapsed, 0.016667f);
    EXPECT_EQ(clock.frameDelta, 0.0f);
}

TEST_F(FrameClockTest, CounterStartingAtZeroCounts)
{
    counter.install(clock, 1000, 0);
    clock.reset();
    counter.reading = 250;
    clock.update();
    EXPECT_FLOAT_EQ(clock.elapsed, 0.25f);
}

TEST_F(FrameClockTest, BackwardStepZeroesTheClockThenRestartsFromZero)
{
    counter.install(clock, 1000, 50'000);
    clock.reset();
    counter.reading = 52'000;
    clock.update();
    ASSERT_FLOAT_EQ(clock.elapsed, 2.0f);
    ASSERT_FLOAT_EQ(clock.frameDelta, 2.0f);

    counter.reading = 49'000;  // below the start
    clock.update();
    EXPECT_EQ(clock.elapsed, 0.0f);
    EXPECT_EQ(clock.previousElapsed, 0.0f);
    EXPECT_FLOAT_EQ(clock.frameDelta, 2.0f);  // kept from the last good update
    EXPECT_EQ(demoMilliseconds(clock.elapsed), 0);

    clock.update();  // starts afresh at 49 000
    EXPECT_EQ(clock.elapsed, 0.0f);
    EXPECT_EQ(clock.frameDelta, 0.0f);
    counter.reading = 49'500;
    clock.update();
    EXPECT_FLOAT_EQ(clock.elapsed, 0.5f);
    EXPECT_EQ(demoMilliseconds(clock.elapsed), 500);
}

TEST_F(FrameClockTest, TickCountFallbackAdvancesInMilliseconds)
{
    counter.install(clock, 0, 7'000'000);  // no high-resolution counter
    clock.reset();
    EXPECT_EQ(clock.usesTickCount, 1);
    counter.reading += 16;
    clock.update();
    EXPECT_FLOAT_EQ(clock.elapsed, 0.016f);
    clock.update();
    EXPECT_EQ(clock.frameDelta, 0.0f);
    counter.reading += 15;
    clock.update();
    EXPECT_FLOAT_EQ(clock.elapsed, 0.031f);
}

TEST_F(FrameClockTest, MillisecondsStayExactAfterWeeksOfUptime)
{
    // A nanosecond counter 11 days after boot: as float32 seconds it would step in 1/16 s.
    const int64_t elevenDays = 11LL * 24 * 3600 * 1'000'000'000;
    counter.install(clock, 1'000'000'000, elevenDays);
    clock.reset();
    for (int ms = 1; ms <= 5; ++ms) {
        counter.reading = elevenDays + ms * 1'000'000LL;
        clock.update();
        EXPECT_EQ(demoMilliseconds(clock.elapsed + 1e-7f), ms);
        EXPECT_NEAR(clock.frameDelta, 0.001f, 1e-6f);
    }
    counter.reading = elevenDays + 206'000'000'000LL;
    clock.update();
    EXPECT_EQ(demoMilliseconds(clock.elapsed), 206'000);
}

TEST(DemoMilliseconds, TruncatesTowardZeroAndSaturates)
{
    EXPECT_EQ(demoMilliseconds(0.0f), 0);
    EXPECT_EQ(demoMilliseconds(1.9995f), 1999);
    EXPECT_EQ(demoMilliseconds(0.0009f), 0);
    EXPECT_EQ(demoMilliseconds(1e9f), 2147483647);
}

}  // namespace
