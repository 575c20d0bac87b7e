#pragma once

#include <cstdint>

// Seconds of the track as the listener hears it, smoothed into a clock a picture can follow.
// The heard position comes from the sound device in steps (it takes its samples a period at a
// time) and its crystal runs at its own rate; this clock runs on the performance counter and
// is pulled a little towards the heard position at each reading, so that it keeps the device's
// rate without its steps. It never goes back.
// The demo time a picture shows for the music clock's reading, in microseconds: the reading
// less the picture's delay avOffsetMs (positive: the picture later than the sound), never
// before the start startMs.
int64_t pictureMicroseconds(double musicSeconds, int64_t startMs, int32_t avOffsetMs);

class MusicClock {
public:
    // counterSeconds: the performance counter now, seconds; heardSeconds: the track's position
    // being heard now, seconds. Returns the clock's reading in seconds of the track.
    double update(double counterSeconds, double heardSeconds);

private:
    bool started_ = false;
    double firstHeard_ = 0;  // the heard position at the first reading
    double offset_ = 0;  // heard position minus counter, smoothed
    double last_ = 0;
};
