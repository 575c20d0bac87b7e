// Demo time locked to the music as heard, with a fake sound device and a fake counter: the
// device takes a period at each callback and holds two (the one playing and the one handed
// over), on a crystal of its own; the picture reads the clock once per 60 Hz frame.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "audio/HeardPosition.h"
#include "audio/MusicClock.h"

namespace {

constexpr int kRate = 44100;
constexpr int64_t kPeriod = 1024;

struct FakeDevice {
    double rate;   // frames per counter second: the device's crystal
    double start;  // counter time of the first callback, seconds

    // Callbacks made by counter time t.
    int64_t callbacks(double t) const
    {
        return t < start ? 0 : static_cast<int64_t>(std::floor((t - start) * rate / kPeriod)) + 1;
    }
    int64_t handedFrames(double t) const { return callbacks(t) * kPeriod; }
    double secondsSinceHandover(double t) const
    {
        const int64_t n = callbacks(t);
        return n == 0 ? t : t - (start + static_cast<double>((n - 1) * kPeriod) / rate);
    }
    // The frame the listener hears at t: the first period plays from the second callback on.
    double heardFrame(double t) const { return (t - start) * rate - kPeriod; }
};

TEST(MusicClock, ThePictureStartsWithTheFirstSampleAndStaysWithADriftingDevice)
{
    for (const double drift : {1.0, 1.002, 0.998}) {
        const FakeDevice device{kRate * drift, 0.3};
        HeardPosition heard;
        MusicClock clock;
        double lastDemo = 0, demoZeroUntil = -1;
        for (int frame = 0;; ++frame) {
            const double t = frame / 60.0;
            const int64_t position = heard.update(device.handedFrames(t), 2 * kPeriod, device.secondsSinceHandover(t),
                                                  kRate);
            const double demo = clock.update(t, static_cast<double>(position) / kRate);
            ASSERT_GE(demo, lastDemo) << "drift " << drift << ": the clock went back at " << t << " s";
            lastDemo = demo;
            if (demo == 0) demoZeroUntil = t;
            if (demo >= 206.0) {
                const double behind = demo - device.heardFrame(t) / kRate;
                EXPECT_LT(std::fabs(behind), 1 / 60.0) << "drift " << drift << ": picture off the music by " << behind;
                break;
            }
        }
        // The last frame that shows demo time 0 is shown as the first sample is heard.
        EXPECT_LE(std::fabs(device.heardFrame(demoZeroUntil)), kPeriod) << "drift " << drift;
    }
}

TEST(MusicClock, ADeviceThatStallsIsFollowedAtOnceWithoutGoingBack)
{
    MusicClock clock;
    EXPECT_DOUBLE_EQ(clock.update(10.0, 150.0), 150.0);  // a late start: the track's time at once
    EXPECT_NEAR(clock.update(10.5, 150.5), 150.5, 1e-9);
    // The device stops for a second: the picture waits where the sound is.
    EXPECT_NEAR(clock.update(11.5, 150.5), 150.5, 1e-9);
    // A jump back of the heard position is never shown.
    EXPECT_GE(clock.update(11.6, 140.0), 150.5);
}

TEST(MusicClock, TheAvOffsetDelaysOrAdvancesThePictureButNeverBeforeTheStart)
{
    EXPECT_EQ(pictureMicroseconds(10.0, 0, 0), 10000000);
    EXPECT_EQ(pictureMicroseconds(10.0, 0, 100), 9900000);   // the picture 100 ms later
    EXPECT_EQ(pictureMicroseconds(10.0, 0, -250), 10250000);  // or earlier
    EXPECT_EQ(pictureMicroseconds(0.05, 0, 100), 0);          // held at the start meanwhile
    EXPECT_EQ(pictureMicroseconds(150.05, 150000, 100), 150000000);
}

}  // namespace
