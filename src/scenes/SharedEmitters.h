#pragma once

#include <array>

#include "effects/ParticleEmitter.h"

// The emitters that more than one scene draws: the fire ring and its sparks, set up by Scene B
// and shown again by C, D and F, and the eighteen floating greetings, set up with the closing
// scene and drawn by Scene E.
struct SharedEmitters {
    ParticleEmitter hellCircle;
    ParticleEmitter twinkles;
    std::array<ParticleEmitter, 18> greetingEmitters;
};

// The groups greeted by the floating words, one per greeting emitter.
extern const char* const greetingNames[18];

// The fire ring and its sparks, drawn with the given flare texture.
void configureFireRing(SharedEmitters& emitters, TextureId flare);
void configureGreetings(SharedEmitters& emitters);
// The meteor's flames of Scene B, set like the fire ring.
EmitterSettings meteorFlameSettings(TextureId flare);
