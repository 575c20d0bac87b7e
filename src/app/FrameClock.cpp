#include "app/FrameClock.h"

#include <SDL.h>

#include <memory>
#include <utility>

#include "audio/MusicClock.h"
#include "audio/MusicPlayer.h"

namespace {
struct CounterState {
    CounterSource source = systemCounterSource();
    bool queried = false;
    bool usesTickCount = false;
    int64_t frequency = 0;
};

CounterState& counterState()
{
    static CounterState state;
    return state;
}
}  // namespace

CounterSource systemCounterSource()
{
    return {
        [](int64_t& ticksPerSecond) {
            ticksPerSecond = static_cast<int64_t>(SDL_GetPerformanceFrequency());
            return ticksPerSecond > 0;
        },
        [] { return static_cast<int64_t>(SDL_GetPerformanceCounter()); },
        [] { return static_cast<int64_t>(SDL_GetTicks64()); },
    };
}

CounterSource systemCounterFrom(int64_t milliseconds)
{
    const int64_t frequency = static_cast<int64_t>(SDL_GetPerformanceFrequency());
    const int64_t counterStart = static_cast<int64_t>(SDL_GetPerformanceCounter()) - milliseconds * frequency / 1000;
    const int64_t tickStart = static_cast<int64_t>(SDL_GetTicks64()) - milliseconds;
    return {
        [frequency](int64_t& ticksPerSecond) {
            ticksPerSecond = frequency;
            return ticksPerSecond > 0;
        },
        [counterStart] { return static_cast<int64_t>(SDL_GetPerformanceCounter()) - counterStart; },
        [tickStart] { return static_cast<int64_t>(SDL_GetTicks64()) - tickStart; },
    };
}

CounterSource musicCounterFrom(MusicPlayer& music, int64_t startMs, int32_t avOffsetMs)
{
    auto clock = std::make_shared<MusicClock>();
    auto microseconds = [&music, clock, startMs, avOffsetMs] {
        const double counter = static_cast<double>(SDL_GetPerformanceCounter()) /
                               static_cast<double>(SDL_GetPerformanceFrequency());
        const double heard = clock->update(counter, static_cast<double>(music.heardFrame()) / Track::kRate);
        return pictureMicroseconds(heard, startMs, avOffsetMs);
    };
    return {
        [](int64_t& ticksPerSecond) {
            ticksPerSecond = 1000000;
            return true;
        },
        microseconds,
        [microseconds] { return microseconds() / 1000; },
    };
}

void setCounterSource(CounterSource source)
{
    CounterState& state = counterState();
    state.source = std::move(source);
    state.queried = false;
}

namespace {
int64_t manualMilliseconds = 0;
}  // namespace

void useManualCounter()
{
    manualMilliseconds = 0;
    setCounterSource({[](int64_t& ticksPerSecond) {
                          ticksPerSecond = 1000;
                          return true;
                      },
                      [] { return manualMilliseconds; }, [] { return manualMilliseconds; }});
}

void setManualCounter(int64_t milliseconds) { manualMilliseconds = milliseconds; }

FrameClock frameClock;

int64_t FrameClock::read()
{
    CounterState& state = counterState();
    if (!state.queried) {
        state.usesTickCount = !state.source.frequency(state.frequency);
        if (state.usesTickCount) state.frequency = 1000;
        state.queried = true;
    }
    usesTickCount = state.usesTickCount ? 1 : 0;
    return state.usesTickCount ? state.source.tickCount() : state.source.counter();
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
    const double seconds = static_cast<double>(reading - startTime) / static_cast<double>(counterState().frequency);
    elapsed = static_cast<float>(seconds);
    frameDelta = elapsed - previousElapsed;
    previousElapsed = elapsed;
}
