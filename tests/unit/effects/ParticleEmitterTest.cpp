// The particle simulation: emission, ageing, respawning and the spawn shapes, without GL.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "effects/ParticleEmitter.h"

namespace {

ParticleEmitter steadyEmitter(int pool, float life, bool respawn)
{
    ParticleEmitter e;
    e.allocate(pool);
    e.emissionRate = 100000;
    e.lifeMin = e.lifeMax = life;
    e.respawn = respawn;
    return e;
}

TEST(Particles, EmissionCountFollowsTheJitteredRate)
{
    EXPECT_EQ(emissionCount(2500, 0.02f, 10.0f, 0.5f), 50);
    EXPECT_EQ(emissionCount(2500, 0.02f, 10.0f, 0.0f), -200);
    EXPECT_EQ(emissionCount(2500, 0.02f, 10.0f, 1.0f), 300);
}

TEST(Particles, ARecordThatDiesIsEmittedAgainInTheSameUpdate)
{
    Random random;
    ParticleEmitter e = steadyEmitter(1, 0.1f, false);
    e.update(0.001f, random);
    ASSERT_TRUE(e.particles[0].alive);
    // The step of 0.1 s ends its life; the emission then takes the freed record and steps
    // it by a random part of 0.1 s, which leaves it alive.
    e.update(0.1f, random);
    EXPECT_TRUE(e.particles[0].alive);
    EXPECT_LT(e.particles[0].age, 0.1f);
}

TEST(Particles, RespawningRecordsNeverDieAndZeroLivesNeverHang)
{
    Random random;
    ParticleEmitter e = steadyEmitter(20, 0.05f, true);
    for (int i = 0; i < 50; ++i) {
        e.update(0.037f, random);
        for (const Particle& p : e.particles) ASSERT_TRUE(p.alive);
    }
    // A respawning emitter whose life is 0 spawns nothing instead of looping for ever.
    ParticleEmitter zero = steadyEmitter(5, 0.0f, true);
    zero.update(0.1f, random);
    for (const Particle& p : zero.particles) EXPECT_FALSE(p.alive);
}

TEST(Particles, LowParticlesAreLiftedBeforeTheyMove)
{
    Random random;
    ParticleEmitter e = steadyEmitter(1, 10.0f, false);
    Particle p;
    p.alive = true;
    p.life = 10;
    p.position = {0, 0, -3.0f};
    p.velocity = {0, 0, 1};
    step(p, e, 0.5f, random);
    EXPECT_FLOAT_EQ(p.position.z, -3.0f + 1.3f + 0.5f);
    step(p, e, 0.5f, random);  // now above -3: no lift
    EXPECT_FLOAT_EQ(p.position.z, -3.0f + 1.3f + 1.0f);
}

TEST(Particles, SpawnShapesHaveTheirGeometry)
{
    Random random;
    ParticleEmitter e;
    e.useShape = true;
    e.position = {1, 2, 3};
    e.shapeRadius = 4;
    e.shapeAngle = 2.5f;
    for (int i = 0; i < 200; ++i) {
        e.shapeKind = SpawnShape::Circle;  // in the XY plane
        Vec3 d = spawnPoint(e, random) - e.position;
        EXPECT_NEAR(std::hypot(d.x, d.y), 4.0f, 1e-4f);
        EXPECT_EQ(d.z, 0.0f);
        e.shapeKind = SpawnShape::Sphere;
        EXPECT_NEAR(length(spawnPoint(e, random) - e.position), 4.0f, 1e-4f);
        e.shapeKind = SpawnShape::Cube;  // of edge 4
        d = spawnPoint(e, random) - e.position;
        EXPECT_LE(std::max({std::fabs(d.x), std::fabs(d.y), std::fabs(d.z)}), 2.0f);
    }
    // Without useShape the spawn point is the origin plus jitter, whatever position holds.
    e.useShape = false;
    e.lifeMin = e.lifeMax = 1;
    Particle p;
    ASSERT_TRUE(spawn(p, e, random));
    EXPECT_EQ(p.position.x, 0.0f);
}

TEST(Particles, ACopyIsAnIndependentEmitter)
{
    Random random;
    // A copy keeps the particles as they were, and from then on each emitter moves and
    // respawns its own particles by its own settings.
    ParticleEmitter original = steadyEmitter(10, 0.05f, true);
    original.update(0.01f, random);
    ParticleEmitter copy = original;
    copy.lifeMin = copy.lifeMax = 3.0f;
    const std::vector<Particle> before = original.particles;
    for (int i = 0; i < 10; ++i) copy.update(0.04f, random);
    for (size_t i = 0; i < before.size(); ++i) {
        ASSERT_EQ(original.particles[i].age, before[i].age);
        ASSERT_EQ(original.particles[i].position.z, before[i].position.z);
    }
    // The copy's particles were respawned with its own life of 3 s.
    for (const Particle& p : copy.particles) EXPECT_EQ(p.life, 3.0f);
    original.update(0.04f, random);
    for (const Particle& p : original.particles) EXPECT_EQ(p.life, 0.05f);
}

}  // namespace
