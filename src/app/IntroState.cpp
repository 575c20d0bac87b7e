#include "app/IntroState.h"

size_t IntroState::bytes() const
{
    size_t bytes = sizeof(IntroState);
    forEachEmitter(*this, [&](const ParticleEmitter& e) { bytes += e.particles.capacity() * sizeof(Particle); });
    return bytes;
}
