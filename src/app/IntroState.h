#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "app/FrameClock.h"
#include "effects/ParticleEmitter.h"
#include "gfx/Gfx.h"
#include "math/Random.h"
#include "scenes/SharedEmitters.h"
#include "scenes/StemScene.h"
#include "scenes/TwisterScene.h"

// Everything of the intro that changes while it plays, as one value that can be copied out of
// a run and put back into it: the random generators, every emitter, what the scenes carry from
// one frame to the next, the grey the next frame is cleared to, what the drawing layer carries
// (matrix stacks, current attributes, light, material and fog) and the clock. What loading
// makes once (pictures, meshes, programs, render targets) and the scratch space of a frame stay
// with the assets.
struct IntroState {
    Random random;
    SharedEmitters emitters;
    ParticleEmitter meteorFlames;
    std::array<ParticleEmitter, 4> ribbons;
    std::array<StemGroup, 15> stems;
    ColumnRings rings;
    float clearLevel = 0;
    Gfx::Carried drawing;
    FrameClock clock;
    int64_t manualMs = 0;

    // The bytes a copy holds, its particles included.
    size_t bytes() const;
};

// Calls f on each of the state's emitters, always in the same order.
template <typename State, typename F>
void forEachEmitter(State& state, F f)
{
    f(state.emitters.hellCircle);
    f(state.emitters.twinkles);
    for (auto& e : state.emitters.greetingEmitters) f(e);
    f(state.meteorFlames);
    for (auto& e : state.ribbons) f(e);
}
