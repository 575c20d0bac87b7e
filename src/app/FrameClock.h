#pragma once

#include <cstdint>
#include <functional>

struct MusicPlayer;

// Where a frame clock reads time: the run's own clock, the music as heard or a counter set by
// hand; tests put in counters of their own.
struct CounterSource {
    // Ticks per second of the high-resolution counter; false when there is none.
    std::function<bool(int64_t& ticksPerSecond)> frequency;
    std::function<int64_t()> counter;
    // Milliseconds, the fallback when there is no high-resolution counter.
    std::function<int64_t()> tickCount;
};

// Where a clock reads time in microseconds (a run's own clock, see Run): the counter moved so
// that it reads `milliseconds` of demo time now, going on in real time.
CounterSource runningCounterFrom(std::function<int64_t()> microseconds, int64_t milliseconds);
// While a sound device plays the music: microseconds of the track as it is heard, smoothed on
// the given clock (microseconds), less the picture's delay avOffsetMs (positive: the picture
// later than the sound), never before startMs.
CounterSource musicCounterFrom(MusicPlayer& music, std::function<int64_t()> microseconds, int64_t startMs,
                               int32_t avOffsetMs);
// A counter of demo milliseconds that reads whatever `milliseconds` holds: the capture tool's
// clock, and the catch-up before a late start.
CounterSource manualCounter(const int64_t& milliseconds);

// The one time base of the intro: seconds since reset, and the step between the last two
// updates, both float32. Counter readings are subtracted as 64-bit integers before the
// conversion to float, so the resolution does not depend on the machine's uptime.
class FrameClock {
public:
    // 1 when the millisecond tick count stands in for the high-resolution counter.
    uint8_t usesTickCount = 0;
    bool started = false;
    int64_t startTime = 0;  // counter reading at the start, in counter ticks
    float elapsed = 0.0f;   // seconds since the start, as of the last update
    float frameDelta = 0.0f;  // elapsed minus its value at the previous update
    float previousElapsed = 0.0f;

    // Where the clock reads from now on; the frequency is queried again on next use.
    void setSource(CounterSource source);
    // Starts the clock at zero.
    void reset();
    // Once per frame. A counter that steps backwards below the start zeroes the clock;
    // the next update starts it afresh from that moment, keeping the last frameDelta.
    void update();

private:
    int64_t read();

    CounterSource source_ = {[](int64_t& ticksPerSecond) {
                                 ticksPerSecond = 1000;
                                 return true;
                             },
                             [] { return int64_t{0}; }, [] { return int64_t{0}; }};
    bool queried_ = false;
    bool sourceUsesTickCount_ = false;
    int64_t frequency_ = 0;
};
