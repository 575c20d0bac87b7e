#include "effects/ParticleEmitter.h"

#include "math/Random.h"

namespace {

// One draw of the C library generator in [0, 1].
float u(Random& random) { return static_cast<float>(random.rand15() / 32767.0); }
// One draw in [-1, 1].
float signedU(Random& random) { return 2.0f * u(random) - 1.0f; }
// first + u × (second − first), u drawn here.
float between(Random& random, float first, float second) { return first + u(random) * (second - first); }

}  // namespace

void ParticleEmitter::setPosition(float x, float y, float z, float jx, float jy, float jz)
{
    position = {x, y, z};
    positionJitter = {jx, jy, jz};
}

void ParticleEmitter::setAlpha(float startMin, float startMax, float endMin, float endMax)
{
    alphaStartMin = startMin;
    alphaStartMax = startMax;
    alphaEndMin = endMin;
    alphaEndMax = endMax;
}

void ParticleEmitter::configure(const EmitterSettings& settings, int32_t count)
{
    static_cast<EmitterSettings&>(*this) = settings;
    allocate(count);
}

void ParticleEmitter::allocate(int32_t count)
{
    particles.assign(static_cast<size_t>(count), Particle{});
    particleCount = count;
}

Vec3 spawnPoint(const EmitterSettings& e, Random& random)
{
    const float R = e.shapeRadius;
    switch (e.shapeKind) {
    case SpawnShape::Sphere: return e.position + random.onSphere(R);
    case SpawnShape::Circle: return e.position + curvePoint(R, random.range(0, e.shapeAngle), CurveKind::Circle);
    case SpawnShape::Angle: return e.position + random.alongAngle(R, random.range(0, e.shapeAngle));
    case SpawnShape::Cube: return e.position + random.inCube(R);
    case SpawnShape::Heart: return e.position + curvePoint(R, random.range(0, e.shapeAngle), CurveKind::Heart);
    case SpawnShape::Tangent: return e.position + curvePoint(R, random.range(0, e.shapeAngle), CurveKind::Tangent);
    case SpawnShape::FourLeaves:
        return e.position + curvePoint(R, random.range(0, e.shapeAngle), CurveKind::FourLeaves);
    case SpawnShape::SphereToCube: {
        const Vec3 cube = random.inCube(2 * R);
        const Vec3 sphere = random.onSphere(R);
        return e.position + lerpVec3(sphere, cube, e.shapeBlend);
    }
    case SpawnShape::Point: break;
    }
    return e.position;
}

bool spawn(Particle& p, const EmitterSettings& e, Random& random)
{
    p.life = between(random, e.lifeMin, e.lifeMax);
    if (p.life == 0.0f) return false;
    p.age = 0;
    p.position = e.useShape ? spawnPoint(e, random) : Vec3();
    p.position.x += signedU(random) * e.positionJitter.x;
    p.position.y += signedU(random) * e.positionJitter.y;
    p.position.z += signedU(random) * e.positionJitter.z;
    p.velocity.x = e.direction.x + signedU(random) * e.directionJitter.x;
    p.velocity.y = e.direction.y + signedU(random) * e.directionJitter.y;
    p.velocity.z = e.direction.z + signedU(random) * e.directionJitter.z;
    p.velocity = p.velocity * between(random, e.speedMin, e.speedMax);
    p.acceleration = e.acceleration * between(random, e.accelerationMin, e.accelerationMax);
    const float startU = u(random);
    const Vec3 start = e.colourStartA + (e.colourStartB - e.colourStartA) * startU;
    p.colour = start;
    const float endU = u(random);
    const Vec3 end = e.colourEndA + (e.colourEndB - e.colourEndA) * endU;
    p.colourRate = (end - start) * (1.0f / p.life);
    p.alpha = between(random, e.alphaStartMin, e.alphaStartMax);
    p.alphaRate = (between(random, e.alphaEndMin, e.alphaEndMax) - p.alpha) / p.life;
    p.size = between(random, e.sizeStartMin, e.sizeStartMax);
    p.sizeRate = (between(random, e.sizeEndMin, e.sizeEndMax) - p.size) / p.life;
    p.angle = 0;
    p.spin = between(random, e.spinMin, e.spinMax);
    p.spinAccel = between(random, e.spinAccelMin, e.spinAccelMax);
    p.alive = true;
    return true;
}

void step(Particle& p, const EmitterSettings& e, float dt, Random& random)
{
    p.age += dt;
    // A respawning particle is spawned again and stepped by a random part of the step, as
    // often as that part outlives its new life; written as a loop, not a recursion.
    while (!(p.age < p.life)) {
        if (!e.respawn || !spawn(p, e, random)) {
            // A life of 0 cannot be respawned: the particle dies instead of looping forever.
            p.age = 0;
            p.alive = false;
            return;
        }
        dt = u(random) * dt;
        p.age += dt;
    }
    p.size += dt * p.sizeRate;
    p.alpha += dt * p.alphaRate;
    p.colour = p.colour + p.colourRate * dt;
    p.velocity = p.velocity + p.acceleration * dt;
    if (p.position.z <= -3.0f) p.position.z += 1.3f;
    p.position = p.position + p.velocity * dt;
    p.spin += dt * p.spinAccel;
    p.angle += dt * p.spin;
}

int emissionCount(int32_t rate, float dt, float jitter, float u)
{
    return static_cast<int>(rate * dt * ((u - 0.5f) * jitter + 1.0f));
}

void ParticleEmitter::update(float dt, Random& random)
{
    int n = emissionCount(emissionRate, dt, emissionJitter, u(random));
    for (Particle& p : particles) {
        if (p.alive) step(p, *this, dt, random);
        if (n > 0 && !p.alive) {
            if (spawn(p, *this, random)) step(p, *this, u(random) * dt, random);
            --n;
        }
    }
}
