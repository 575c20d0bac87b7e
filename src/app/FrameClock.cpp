#include "app/FrameClock.h"

#include <SDL.h>

#include <utility>

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

void setCounterSource(CounterSource source)
{
    CounterState& state = counterState();
    state.source = std::move(source);
    state.queried = false;
}

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
