#pragma once

#include <cstdint>
#include <functional>

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
// Replaces the process-wide counter source; the frequency is queried again on next use.
void setCounterSource(CounterSource source);

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
