// Particles, the floor, the meshes and the stems' layout: what they compute, without GL.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "effects/ParticleEmitter.h"
#include "geometry/FloorGrid.h"
#include "geometry/Meshes.h"
#include "gfx/Random.h"
#include "scenes/StemScene.h"

namespace {

TEST(Particles, EmissionCountFollowsTheJitteredRate)
{
    EXPECT_EQ(emissionCount(2500, 0.02f, 10.0f, 0.5f), 50);
    EXPECT_EQ(emissionCount(2500, 0.02f, 10.0f, 0.0f), -200);
    EXPECT_EQ(emissionCount(2500, 0.02f, 10.0f, 1.0f), 300);
}

TEST(Particles, AFreshEmitterHasItsDefaults)
{
    ParticleEmitter e;
    EXPECT_EQ(e.alphaEndMin, 1.0f);
    EXPECT_EQ(e.alphaEndMax, 1.0f);
    EXPECT_EQ(e.lifeMin, 1.0f);
    EXPECT_EQ(e.lifeMax, 1.0f);
    EXPECT_EQ(e.drawStyle, 1);
    EXPECT_TRUE(e.textured);
    EXPECT_FALSE(e.respawn);
    EXPECT_EQ(e.particleCount, 0);
    EXPECT_EQ(e.speedMax, 0.0f);
    EXPECT_EQ(e.text, nullptr);
    e.update(1.0f);  // never allocated: nothing to emit into
    EXPECT_TRUE(e.particles.empty());
    Vec3 angles(1, 2, 3);
    e.setRotation(angles);
    angles.x = 9;
    EXPECT_EQ(e.rotation.x, 1.0f);  // copied
}

ParticleEmitter steadyEmitter(int pool, float life, bool respawn)
{
    ParticleEmitter e;
    e.allocate(pool, "test");
    e.emissionRate = 100000;
    e.lifeMin = e.lifeMax = life;
    e.respawn = respawn;
    return e;
}

TEST(Particles, ARecordThatDiesIsEmittedAgainInTheSameUpdate)
{
    ParticleEmitter e = steadyEmitter(1, 0.1f, false);
    e.update(0.001f);
    ASSERT_TRUE(e.particles[0].alive);
    // The step of 0.1 s ends its life; the emission then takes the freed record and steps
    // it by a random part of 0.1 s, which leaves it alive.
    e.update(0.1f);
    EXPECT_TRUE(e.particles[0].alive);
    EXPECT_LT(e.particles[0].age, 0.1f);
}

TEST(Particles, RespawningRecordsNeverDieAndZeroLivesNeverHang)
{
    ParticleEmitter e = steadyEmitter(20, 0.05f, true);
    for (int i = 0; i < 50; ++i) {
        e.update(0.037f);
        for (const Particle& p : e.particles) ASSERT_TRUE(p.alive);
    }
    // A respawning emitter whose life is 0 spawns nothing instead of looping for ever.
    ParticleEmitter zero = steadyEmitter(5, 0.0f, true);
    zero.update(0.1f);
    for (const Particle& p : zero.particles) EXPECT_FALSE(p.alive);
}

TEST(Particles, LowParticlesAreLiftedBeforeTheyMove)
{
    ParticleEmitter e = steadyEmitter(1, 10.0f, false);
    Particle p;
    p.emitter = &e;
    p.alive = true;
    p.life = 10;
    p.position = {0, 0, -3.0f};
    p.velocity = {0, 0, 1};
    step(p, 0.5f);
    EXPECT_FLOAT_EQ(p.position.z, -3.0f + 1.3f + 0.5f);
    step(p, 0.5f);  // now above -3: no lift
    EXPECT_FLOAT_EQ(p.position.z, -3.0f + 1.3f + 1.0f);
}

TEST(Particles, SpawnShapesHaveTheirGeometry)
{
    ParticleEmitter e;
    e.useShape = true;
    e.position = {1, 2, 3};
    e.shapeRadius = 4;
    e.shapeAngle = 2.5f;
    for (int i = 0; i < 200; ++i) {
        e.shapeKind = 2;  // circle in the XY plane
        Vec3 d = spawnPoint(e) - e.position;
        EXPECT_NEAR(std::hypot(d.x, d.y), 4.0f, 1e-4f);
        EXPECT_EQ(d.z, 0.0f);
        e.shapeKind = 1;  // sphere
        EXPECT_NEAR(length(spawnPoint(e) - e.position), 4.0f, 1e-4f);
        e.shapeKind = 4;  // cube of edge 4
        d = spawnPoint(e) - e.position;
        EXPECT_LE(std::max({std::fabs(d.x), std::fabs(d.y), std::fabs(d.z)}), 2.0f);
    }
    // Without useShape the spawn point is the origin plus jitter, whatever position holds.
    e.useShape = false;
    e.lifeMin = e.lifeMax = 1;
    Particle p;
    ASSERT_TRUE(spawn(p, e));
    EXPECT_EQ(p.position.x, 0.0f);
}

TEST(Floor, CentreIsBrightAndCornersAreDark)
{
    FloorGrid grid;
    buildFloorGrid(grid, 64, 64, 0.5f, 120.0f, 0.0f, 1.0f);
    const GridVertex& centre = grid.vertices[32 * 64 + 32];
    EXPECT_EQ(centre.position.x, 0.0f);
    EXPECT_EQ(centre.position.z, 0.0f);
    EXPECT_EQ(centre.colour.x, 1.0f);
    EXPECT_EQ(centre.s, 0.5f);
    EXPECT_EQ(grid.vertices[0].colour.x, 0.0f);  // outside the circle: dark, not NaN
    EXPECT_FLOAT_EQ(grid.vertices[63].position.x, 58.125f);
    for (const GridVertex& v : grid.vertices) ASSERT_EQ(v.normal.y, 1.0f);
}

TEST(Meshes, SphereIndicesAndUntouchedVertices)
{
    IndexedMesh mesh;
    buildSphere(mesh, 1.0f, 24, 24);
    EXPECT_EQ(mesh.indexCount, 3312);
    EXPECT_EQ(mesh.indices.size(), 3456u);
    EXPECT_EQ(mesh.vertexCount, 600);
    for (int i = 554; i < 600; ++i)
        for (int k = 0; k < 3; ++k) ASSERT_EQ(mesh.positions[i * 3 + k], 0.0f);
    for (int i = 0; i < mesh.indexCount; ++i) ASSERT_LT(mesh.indices[i], 554);

    // Roughened and re-smoothed, the used normals are unit vectors pointing outward.
    displaceAlongNormals(mesh, 0.45f, 2598);
    rebuildNormals(mesh);
    for (int i = 0; i < 554; ++i) {
        const Vec3 n(mesh.normals[i * 3], mesh.normals[i * 3 + 1], mesh.normals[i * 3 + 2]);
        const Vec3 p(mesh.positions[i * 3], mesh.positions[i * 3 + 1], mesh.positions[i * 3 + 2]);
        ASSERT_NEAR(length(n), 1.0f, 1e-4f);
        ASSERT_GT(n.x * p.x + n.y * p.y + n.z * p.z, 0.0f) << i;
    }
    EXPECT_EQ(mesh.normals[599 * 3], 0.0f);  // unused: stays zero
}

TEST(Meshes, CubeNormalsStayCornerDirectionsWhateverTheScale)
{
    const VertexArrayMesh cube = VertexArrayMesh::buildCube(2, 1, 1);
    ASSERT_EQ(cube.vertexCount, 24);
    ASSERT_EQ(cube.indexCount, 36);
    for (int v = 0; v < 24; ++v) {
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(std::fabs(cube.normals[v * 3 + k]), 1 / std::sqrt(3.0f), 1e-6f);
        EXPECT_EQ(std::fabs(cube.positions[v * 3]), 2.0f);
    }
}

TEST(Stems, LayoutFollowsTheFixedSeedAndTheDrawsInOrder)
{
    std::srand(1);
    initStemScene();
    // The same draws, made here in the order the layout takes them.
    std::srand(1);
    setRandomSeed(109106);
    randomScaled(0.15f);
    randomScaled(0.12f);
    randomScaled(0.12f);
    const float startBase = randomScaled(0.055f);
    const float width = randomScaled(0.9f) + 0.74f;
    const float side = randomScaled(11) - 5.5f;
    const float tipSize = randomScaled(12) + 3.0f;
    const float curlX = randomScaled(0.5f) - 0.25f;
    const float curlY = randomUnit() - 0.5f;
    const StemGroup& g = stemGroups[0];
    EXPECT_EQ(g.startBase, startBase);
    EXPECT_EQ(g.width, width);
    EXPECT_EQ(g.stems[0].side, side);
    EXPECT_EQ(g.stems[0].tipSize, tipSize);
    EXPECT_EQ(g.stems[0].curlX, curlX);
    EXPECT_EQ(g.stems[0].curlY, curlY);
    EXPECT_NEAR(g.base.x, 2.0f, 1e-6f);  // curvePoint(0.5, 0, 2) + (2, -4, -0.15)
    EXPECT_NEAR(g.base.y, -3.5f, 1e-6f);
    for (const StemGroup& group : stemGroups)
        for (const Stem& s : group.stems) {
            const int expected = s.maxLength < 2 ? 30 : s.maxLength < 3 ? 48 : s.maxLength < 4 ? 60 : s.maxLength < 5 ? 75 : 95;
            ASSERT_EQ(s.segments, expected);
            ASSERT_LE(s.start, 0.205f);
        }
}

}  // namespace
