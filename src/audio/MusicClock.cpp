#include "audio/MusicClock.h"

#include <algorithm>
#include <cmath>

namespace {
// The share of the distance to the heard position made up at each reading: at 60 readings a
// second a device 0.2 % fast is followed about 0.7 ms behind, and a period's step of 23 ms
// is spread over a few frames.
constexpr double kPull = 0.05;
// Further off than this (the device stalled, or the sound started late), the clock jumps.
constexpr double kResync = 0.2;
}  // namespace

int64_t pictureMicroseconds(double musicSeconds, int64_t startMs, int32_t avOffsetMs)
{
    return std::max<int64_t>(startMs * 1000, std::llround((musicSeconds - avOffsetMs / 1000.0) * 1e6));
}

double MusicClock::update(double counterSeconds, double heardSeconds)
{
    if (!started_) firstHeard_ = heardSeconds;
    started_ = true;
    const double error = heardSeconds - (counterSeconds + offset_);
    // Until the first sample is heard the clock stays where the sound will start.
    if (heardSeconds == firstHeard_ || std::fabs(error) > kResync)
        offset_ += error;
    else
        offset_ += error * kPull;
    last_ = std::max(last_, counterSeconds + offset_);
    return last_;
}
