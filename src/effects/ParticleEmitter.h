#pragma once

#include <cstdint>
#include <vector>

#include "gfx/DrawState.h"
#include "math/Random.h"
#include "math/Vec3.h"

// How an emitter's particles are drawn, numbered as the scenes' settings number them.
enum class DrawStyle : int32_t {
    WireBox = 0,      // a turning glowing wire cube
    Sprite = 1,       // the emitter's texture on a camera-facing quad, added
    Spiral = 2,       // a turning glowing spiral line
    Icosahedron = 4,  // lit solids
    Dodecahedron = 5,
    SmallCube = 6,    // a lit cube of 0.35 × the particle's size
    Cube = 7,         // a lit cube of the particle's size
    Octahedron = 8,
    Text = 9,         // the emitter's text in the bitmap font
    Disc = 10,        // a black disc with a white rim, beyond z = 8 only
    Streak = 11,      // a short added line along z
    Panel = 12,       // a filled and outlined rectangle
};

// Where new particles appear about the emitter's position (with useShape).
enum class SpawnShape : int32_t {
    Point = 0,
    Sphere = 1,      // on a sphere of the shape radius
    Circle = 2,      // on a circle in the XY plane, angles up to the shape angle
    Angle = 3,       // along an angle, each axis its own radius
    Cube = 4,        // in a cube of side shape radius
    Heart = 5,       // on the curves of the same names
    Tangent = 6,
    FourLeaves = 7,
    SphereToCube = 8,  // between the sphere and a cube, by the shape blend
};

// Which way textured particles face.
enum class BillboardMode : int32_t {
    Fixed = 0,         // the x and y axes
    Camera = 1,        // the camera
    CameraUpright = 2, // the camera, turned about the vertical only
};

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
    bool alive = false;
};

// What an emitter is: the ranges each new particle draws its start and end values from, the
// shape it is spawned on and how it is drawn. Every pair of range values is used as
// first + u × (second − first), so a pair need not be ordered.
struct EmitterSettings {
    Vec3 position{};        // origin of the spawn shape (with useShape)
    Vec3 positionJitter{};  // per-axis half range of the offset added to every spawn point
    Vec3 direction{};
    Vec3 directionJitter{};
    float speedMin = 0, speedMax = 0;
    float spinMin = 0, spinMax = 0;
    float spinAccelMin = 0, spinAccelMax = 0;
    Vec3 acceleration{};
    float accelerationMin = 0, accelerationMax = 0;
    float alphaStartMin = 0, alphaStartMax = 0;
    float alphaEndMin = 1, alphaEndMax = 1;
    float sizeStartMin = 0, sizeStartMax = 0;
    float sizeEndMin = 0, sizeEndMax = 0;
    float shapeRadius = 0;
    float shapeAngle = 0;
    float shapeBlend = 0;
    TextureId texture{};  // drawn by DrawStyle::Sprite
    Vec3 rotation{};     // degrees: orientation of DrawStyle::Text, the light of the lit solids
    Vec3 colourStartA{}, colourStartB{};
    Vec3 colourEndA{}, colourEndB{};
    float lifeMin = 1, lifeMax = 1;
    DrawStyle drawStyle = DrawStyle::Sprite;
    SpawnShape shapeKind = SpawnShape::Point;
    const char* text = nullptr;  // drawn by DrawStyle::Text; not owned
    bool respawn = false;        // a particle whose life runs out is spawned again at once
    BillboardMode billboardMode = BillboardMode::Fixed;
    bool textured = true;  // false: every particle is a thin line streak
    bool useShape = false;
    int32_t emissionRate = 0;  // particles per second
    float emissionJitter = 0;  // relative random spread of the count per update
};

// A particle effect: its settings and a fixed pool of particles. Copies are independent.
struct ParticleEmitter : EmitterSettings {
    std::vector<Particle> particles;
    int32_t particleCount = 0;
    Vec3 right, up;  // billboard axes, set by every draw of a textured emitter

    // Takes the settings and makes a pool of `count` dead particles.
    void configure(const EmitterSettings& settings, int32_t count);
    // Makes the pool of `count` dead particles.
    void allocate(int32_t count);

    void setPosition(float x, float y, float z, float jx, float jy, float jz);
    void setAlpha(float startMin, float startMax, float endMin, float endMax);

    // Emits new particles into free records (lowest index first) and advances the live ones,
    // drawing from the random generators.
    void update(float dt, Random& random);
};

// How many particles an update emits: rate × dt × ((u − 0.5) × jitter + 1), truncated; u is a
// uniform draw in [0, 1]. Negative counts emit nothing.
int emissionCount(int32_t rate, float dt, float jitter, float u);
// Spawns p from the emitter's ranges and shape; false (and p untouched but its life) when
// the drawn life is 0.
bool spawn(Particle& p, const EmitterSettings& e, Random& random);
// Advances p of emitter e by dt seconds; a particle whose life runs out dies, or is spawned again.
void step(Particle& p, const EmitterSettings& e, float dt, Random& random);
// The spawn point of the emitter's shape, before jitter.
Vec3 spawnPoint(const EmitterSettings& e, Random& random);
