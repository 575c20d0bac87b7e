#include <gtest/gtest.h>

#include "app/FrameClock.h"
#include "app/Frame.h"

namespace {

// A counter the test moves by hand; the clock reads it through the process-wide source.
struct ManualCounter {
    static inline int64_t reading = 0;
    static inline int64_t frequency = 0;  // 0: no high-resolution counter

    static void install(int64_t ticksPerSecond, int64_t start)
    {
        frequency = ticksPerSecond;
        reading = start;
        setCounterSource({
            [](int64_t& f) {
                f = frequency;
                return frequency > 0;
            },
            [] { return reading; },
            [] { return reading; },
        });
    }
};

class FrameClockTest : public ::testing::Test {
protected:
    void TearDown() override { setCounterSource(systemCounterSource()); }
    FrameClock clock;
};

TEST_F(FrameClockTest, FirstUpdateAfterResetIsZeroAndSameTickGivesNoStep)
{
    ManualCounter::install(1'000'000, 123'456'789);
    clock.reset();
    EXPECT_EQ(clock.elapsed, 0.0f);
    EXPECT_EQ(clock.frameDelta, 0.0f);
    EXPECT_EQ(clock.usesTickCount, 0);

    ManualCounter::reading += 16'667;
    clock.update();
    EXPECT_FLOAT_EQ(clock.elapsed, 0.016667f);
    EXPECT_FLOAT_EQ(clock.frameDelta, 0.016667f);

    clock.update();  // same counter reading
    EXPECT_FLOAT_EQ(clock.elapsed, 0.016667f);
    EXPECT_EQ(clock.frameDelta, 0.0f);
}

TEST_F(FrameClockTest, CounterStartingAtZeroCounts)
{
    ManualCounter::install(1000, 0);
    clock.reset();
    ManualCounter::reading = 250;
    clock.update();
    EXPECT_FLOAT_EQ(clock.elapsed, 0.25f);
}

TEST_F(FrameClockTest, BackwardStepZeroesTheClockThenRestartsFromZero)
{
    ManualCounter::install(1000, 50'000);
    clock.reset();
    ManualCounter::reading = 52'000;
    clock.update();
    ASSERT_FLOAT_EQ(clock.elapsed, 2.0f);
    ASSERT_FLOAT_EQ(clock.frameDelta, 2.0f);

    ManualCounter::reading = 49'000;  // below the start
    clock.update();
    EXPECT_EQ(clock.elapsed, 0.0f);
    EXPECT_EQ(clock.previousElapsed, 0.0f);
    EXPECT_FLOAT_EQ(clock.frameDelta, 2.0f);  // kept from the last good update
    EXPECT_EQ(demoMilliseconds(clock.elapsed), 0);

    clock.update();  // starts afresh at 49 000
    EXPECT_EQ(clock.elapsed, 0.0f);
    EXPECT_EQ(clock.frameDelta, 0.0f);
    ManualCounter::reading = 49'500;
    clock.update();
    EXPECT_FLOAT_EQ(clock.elapsed, 0.5f);
    EXPECT_EQ(demoMilliseconds(clock.elapsed), 500);
}

TEST_F(FrameClockTest, TickCountFallbackAdvancesInMilliseconds)
{
    ManualCounter::install(0, 7'000'000);  // no high-resolution counter
    clock.reset();
    EXPECT_EQ(clock.usesTickCount, 1);
    ManualCounter::reading += 16;
    clock.update();
    EXPECT_FLOAT_EQ(clock.elapsed, 0.016f);
    clock.update();
    EXPECT_EQ(clock.frameDelta, 0.0f);
    ManualCounter::reading += 15;
    clock.update();
    EXPECT_FLOAT_EQ(clock.elapsed, 0.031f);
}

TEST_F(FrameClockTest, MillisecondsStayExactAfterWeeksOfUptime)
{
    // A nanosecond counter 11 days after boot: as float32 seconds it would step in 1/16 s.
    const int64_t elevenDays = 11LL * 24 * 3600 * 1'000'000'000;
    ManualCounter::install(1'000'000'000, elevenDays);
    clock.reset();
    for (int ms = 1; ms <= 5; ++ms) {
        ManualCounter::reading = elevenDays + ms * 1'000'000LL;
        clock.update();
        EXPECT_EQ(demoMilliseconds(clock.elapsed + 1e-7f), ms);
        EXPECT_NEAR(clock.frameDelta, 0.001f, 1e-6f);
    }
    ManualCounter::reading = elevenDays + 206'000'000'000LL;
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
