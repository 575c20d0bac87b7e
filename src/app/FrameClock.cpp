#include "app/FrameClock.h"

#include <memory>
#include <utility>

#include "audio/MusicClock.h"
#include "audio/MusicPlayer.h"

namespace {

// A counter in microseconds: its frequency, and milliseconds for the tick count.
CounterSource microsecondCounter(std::function<int64_t()> microseconds)
{
    return {
        [](int64_t& ticksPerSecond) {
            ticksPerSecond = 1000000;
            return true;
        },
        microseconds,
        [microseconds] { return microseconds() / 1000; },
    };
}

}  // namespace

CounterSource runningCounterFrom(std::function<int64_t()> microseconds, int64_t milliseconds)
{
    const int64_t start = microseconds() - milliseconds * 1000;
    return microsecondCounter([microseconds, start] { return microseconds() - start; });
}

CounterSource musicCounterFrom(MusicPlayer& music, std::function<int64_t()> microseconds, int64_t startMs,
                               int32_t avOffsetMs)
{
    auto clock = std::make_shared<MusicClock>();
    return microsecondCounter([&music, microseconds, clock, startMs, avOffsetMs] {
        const double counter = static_cast<double>(microseconds()) / 1e6;
        const double heard = clock->update(counter, static_cast<double>(music.heardFrame()) / Track::kRate);
        return pictureMicroseconds(heard, startMs, avOffsetMs);
    });
}

CounterSource manualCounter(const int64_t& milliseconds)
{
    return {[](int64_t& ticksPerSecond) {
                ticksPerSecond = 1000;
                return true;
            },
            [&milliseconds] { return milliseconds; }, [&milliseconds] { return milliseconds; }};
}

void FrameClock::setSource(CounterSource source)
{
    source_ = std::move(source);
    queried_ = false;
}

int64_t FrameClock::read()
{
    if (!queried_) {
        sourceUsesTickCount_ = !source_.frequency(frequency_);
        if (sourceUsesTickCount_) frequency_ = 1000;
        queried_ = true;
    }
    usesTickCount = sourceUsesTickCount_ ? 1 : 0;
    return sourceUsesTickCount_ ? source_.tickCount() : source_.counter();
}

void FrameClock::reset()
{
    startTime = read();
    started = true;
    previousElapsed = 0.0f;
    elapsed = 0.0f;
    update();
}

void FrameClock::update()
{
    const int64_t reading = read();
    if (!started) {
        startTime = reading;
        started = true;
    }
    if (reading < startTime) {
        started = false;
        startTime = 0;
        previousElapsed = 0.0f;
        elapsed = 0.0f;
        return;
    }
    const double seconds = static_cast<double>(reading - startTime) / static_cast<double>(frequency_);
    elapsed = static_cast<float>(seconds);
    frameDelta = elapsed - previousElapsed;
    previousElapsed = elapsed;
}
