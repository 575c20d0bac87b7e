#include "app/IntroState.h"

namespace {
size_t particleBytes(const ParticleEmitter& e) { return e.particles.capacity() * sizeof(Particle); }
}  // namespace

size_t IntroState::bytes() const
{
    size_t bytes = sizeof(IntroState) + particleBytes(emitters.hellCircle) + particleBytes(emitters.twinkles) +
                   particleBytes(meteorFlames);
    for (const ParticleEmitter& e : emitters.greetingEmitters) bytes += particleBytes(e);
    for (const ParticleEmitter& e : ribbons) bytes += particleBytes(e);
    return bytes;
}
