#pragma once

#include <epoxy/gl.h>

#include <cstdint>
#include <vector>

#include "gfx/Vec3.h"

struct ParticleEmitter;
struct ShaderProgram;

// One particle: where it is and how it moves, looks and ages.
struct Particle {
    Vec3 position;
    Vec3 velocity;      // units per second
    Vec3 acceleration;  // units per second squared, constant over the life
    float angle = 0;    // billboard rotation, radians
    float spin = 0;
    float spinAccel = 0;
    float alpha = 0;
    float alphaRate = 0;  // per second
    Vec3 colour;
    Vec3 colourRate;  // per second
    float size = 0;
    float sizeRate = 0;
    float life = 0;  // seconds
    float age = 0;
    ParticleEmitter* emitter = nullptr;
    bool alive = false;
};

// A particle effect: the ranges each new particle draws its start and end values from, the
// shape it is spawned on, how it is drawn, and a fixed pool of particles. Every pair of
// range values is used as first + u × (second − first), so a pair need not be ordered.
struct ParticleEmitter {
    Vec3 position;        // origin of the spawn shape (with useShape)
    Vec3 positionJitter;  // per-axis half range of the offset added to every spawn point
    Vec3 direction;
    Vec3 directionJitter;
    float speedMin = 0, speedMax = 0;
    float spinMin = 0, spinMax = 0;
    float spinAccelMin = 0, spinAccelMax = 0;
    Vec3 acceleration;
    float accelerationMin = 0, accelerationMax = 0;
    float alphaStartMin = 0, alphaStartMax = 0;
    float alphaEndMin = 1, alphaEndMax = 1;
    float sizeStartMin = 0, sizeStartMax = 0;
    float sizeEndMin = 0, sizeEndMax = 0;
    float shapeRadius = 0;
    float shapeAngle = 0;
    float shapeBlend = 0;
    GLuint texture = 0;  // drawn by style 1
    Vec3 rotation;       // degrees: orientation of style 9, the light of the lit step
    Vec3 colourStartA, colourStartB;
    Vec3 colourEndA, colourEndB;
    float lifeMin = 1, lifeMax = 1;
    int32_t drawStyle = 1;
    int32_t shapeKind = 0;     // spawn shapes 0 to 8
    const char* text = nullptr;  // drawn by style 9; not owned
    bool respawn = false;      // a particle whose life runs out is spawned again at once
    int32_t billboardMode = 0;  // 0 fixed axes, 1 facing the camera, 2 facing it about the vertical
    bool textured = true;       // false: every particle is a thin line streak
    bool useShape = false;
    std::vector<Particle> particles;
    int32_t particleCount = 0;
    int32_t emissionRate = 0;  // particles per second
    float emissionJitter = 0;  // relative random spread of the count per update
    Vec3 right, up;            // billboard axes, set by every draw of a textured emitter

    void setPosition(float x, float y, float z, float jx, float jy, float jz);
    void setDirection(float x, float y, float z, float jx, float jy, float jz);
    void setSpin(float min, float max);
    void setAcceleration(float x, float y, float z, float min, float max);
    void setColourStart(float r1, float g1, float b1, float r2, float g2, float b2);
    void setColourEnd(float r1, float g1, float b1, float r2, float g2, float b2);
    void setAlpha(float startMin, float startMax, float endMin, float endMax);
    void setSize(float startMin, float startMax, float endMin, float endMax);
    void setShapeKind(int32_t kind) { shapeKind = kind; }
    void setDrawStyle(int32_t style) { drawStyle = style; }
    void setTextured(bool on) { textured = on; }
    void setTexture(GLuint name) { texture = name; }
    void setText(const char* string) { text = string; }
    void setRotation(Vec3 angles) { rotation = angles; }

    // Creates the pool of `count` dead particles. The label names the effect; it is not kept.
    bool allocate(int32_t count, const char* label);
    // Emits new particles into free records (lowest index first) and advances the live ones.
    void update(float dt);
    // Draws the live particles with the current matrices.
    void draw();
    // The live particles drawn one at a time, each with its full state: what draw() shows,
    // which batches the styles that allow it.
    void drawOneByOne();
    // draw() with `program` current (none when null). Lit cubes (styles 6 and 7) go to GL as
    // one instanced batch through `batchProgram`, the same shading fed each particle's
    // transform, light and tint per instance: all but the last particle, which is drawn as
    // draw() draws it, so that the state left behind is the same. Without a linked batch
    // program or instancing they are drawn one by one.
    void drawShaded(const ShaderProgram* program, const ShaderProgram* batchProgram);

};

// How many particles an update emits: rate × dt × ((u − 0.5) × jitter + 1), truncated; u is a
// uniform draw in [0, 1]. Negative counts emit nothing.
int emissionCount(int32_t rate, float dt, float jitter, float u);
// Spawns p from the emitter's ranges and shape; false (and p untouched but its life) when
// the drawn life is 0.
bool spawn(Particle& p, ParticleEmitter& e);
// Advances p by dt seconds; a particle whose life runs out dies, or is spawned again.
void step(Particle& p, float dt);
// The spawn point of the emitter's shape, before jitter.
Vec3 spawnPoint(const ParticleEmitter& e);

// The scenes' emitters: the fire ring, the meteor's flames and the sparks of Scene B (also
// shown by C, D and F), the eighteen floating greetings and the four ribbons of Scene E.
extern ParticleEmitter hellCircle;
extern ParticleEmitter meteoriteFlamme;
extern ParticleEmitter twinkles;
extern ParticleEmitter greetingEmitters[18];
extern ParticleEmitter ribbon, ribbon2, ribbon3, ribbon4;
