#pragma once

#include <cstdint>
#include <functional>

struct MusicPlayer;

// Where the clock reads time. The live program reads SDL's performance counter; tests
// and the capture tool put in counters of their own.
struct CounterSource {
    // Ticks per second of the high-resolution counter; false when there is none.
    std::function<bool(int64_t& ticksPerSecond)> frequency;
    std::function<int64_t()> counter;
    // Milliseconds, the fallback when there is no high-resolution counter.
    std::function<int64_t()> tickCount;
};

CounterSource systemCounterSource();
// The system counter moved so that it reads `milliseconds` (in its own ticks) now: after a
// reset at 0 on the manual counter, the clock goes on in real time from that demo time.
CounterSource systemCounterFrom(int64_t milliseconds);
// While a sound device plays the music, after the same reset: microseconds of the track as it
// is heard, smoothed on the performance counter, less the picture's delay avOffsetMs (positive:
// the picture later than the sound), never before startMs.
CounterSource musicCounterFrom(MusicPlayer& music, int64_t startMs, int32_t avOffsetMs);
// Replaces the process-wide counter source; the frequency is queried again on next use.
void setCounterSource(CounterSource source);
// A counter of demo milliseconds that moves only when it is set, from 0: the capture tool's
// clock, and the catch-up before a late start.
void useManualCounter();
void setManualCounter(int64_t milliseconds);

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

    // Starts the clock at zero.
    void reset();
    // Once per frame. A counter that steps backwards below the start zeroes the clock;
    // the next update starts it afresh from that moment, keeping the last frameDelta.
    void update();

private:
    int64_t read();
};

// The intro's clock, reset at the end of loading and updated once per frame.
extern FrameClock frameClock;
