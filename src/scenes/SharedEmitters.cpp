#include "scenes/SharedEmitters.h"

const char* const greetingNames[18] = {"NORDLUXE", "KRYPTOMOSS", "ZEBRAFUNK", "MOSSBYTE", "VELOXIA",  "QUANTIX",
                                       "GLIMMERA", "PIXELHAVN",  "TORSKI",    "BLUE MOTH", "ARCTURIX", "FENNECO",
                                       "HALCYONE", "RUSTWAVE",   "OMBRELLO",  "LARKSPUR",  "EMBERLING", "SOLVIKEN"};

namespace {

// What Scene B's three emitters have apart: pool, colours (B = A − 0.1), motion and look.
struct FlameLook {
    int32_t pool;
    Vec3 colourStart, colourEnd;
    int32_t emissionRate;
    float emissionJitter;
    bool respawn;
    float lifeMin, lifeMax;
    float alpha[4];  // start min, start max, end min, end max
    SpawnShape shape;
    Vec3 acceleration;
    float accelerationMin, accelerationMax;
    float speedMin, speedMax;
    Vec3 direction, directionJitter;
    float shapeRadius, shapeAngle;
    DrawStyle style;
    float size[4];  // start min, start max, end min, end max
    float spinMin, spinMax;
};

constexpr FlameLook kHellCircle{4000, {0.9f, 0.4f, 0.35f}, {1.0f, 0.52f, 0.62f}, 2500, 10.0f, true, 0.025f, 5.05f,
                                {0.02f, 0.08f, 1.0f, 0.5f}, SpawnShape::Circle, {0, 0, 1}, 4.8f, 8.8f, 2.15f, 3.35f,
                                {0, 0, 4}, {0, 0, 0}, 12.5f, 2.5f, DrawStyle::Streak, {4.05f, 3.05f, 1.85f, 1.65f},
                                1.0f, 1.5f};
constexpr FlameLook kMeteorFlame{3000, {1.0f, 0.48f, 0.5f}, {0.7f, 0.6f, 0.5f}, 2450, 0, false, 0.75f, 1.4f,
                                 {0.8f, 1.0f, 0, 0}, SpawnShape::Point, {0, 0, 2}, 1.5f, 2.0f, 3.15f, 4.35f,
                                 {0, 0, 2}, {2.15f, 0.15f, 0.15f}, 2.5f, 2.8f, DrawStyle::Sprite,
                                 {1.5f, 1.85f, 0.25f, 0.5f}, 0.1f, 0.5f};
constexpr FlameLook kTwinkles{2500, {0.55f, 0.75f, 1.0f}, {0.4f, 0.7f, 1.0f}, 1800, 0, false, 0.075f, 1.85f,
                              {0.5f, 1.0f, 0, 0}, SpawnShape::Angle, {0, 0, -1}, 1.5f, 2.0f, 1.15f, 1.35f,
                              {0, 0, 1}, {0.15f, 0.15f, 0.15f}, 30.5f, 2.8f, DrawStyle::Sprite,
                              {0.5f, 1.85f, 0.65f, 0.5f}, 0.1f, 0.5f};

EmitterSettings flameSettings(const FlameLook& look, GLuint flare)
{
    const Vec3 tenth(0.1f, 0.1f, 0.1f);
    EmitterSettings s;
    s.colourStartA = look.colourStart;
    s.colourStartB = look.colourStart - tenth;
    s.colourEndA = look.colourEnd;
    s.colourEndB = look.colourEnd - tenth;
    s.useShape = true;
    s.billboardMode = BillboardMode::Camera;
    s.textured = true;
    s.texture = flare;
    s.emissionRate = look.emissionRate;
    s.emissionJitter = look.emissionJitter;
    s.respawn = look.respawn;
    s.lifeMin = look.lifeMin;
    s.lifeMax = look.lifeMax;
    s.alphaStartMin = look.alpha[0];
    s.alphaStartMax = look.alpha[1];
    s.alphaEndMin = look.alpha[2];
    s.alphaEndMax = look.alpha[3];
    s.shapeKind = look.shape;
    s.acceleration = look.acceleration;
    s.accelerationMin = look.accelerationMin;
    s.accelerationMax = look.accelerationMax;
    s.speedMin = look.speedMin;
    s.speedMax = look.speedMax;
    s.direction = look.direction;
    s.directionJitter = look.directionJitter;
    s.shapeRadius = look.shapeRadius;
    s.shapeAngle = look.shapeAngle;
    s.drawStyle = look.style;
    s.sizeStartMin = look.size[0];
    s.sizeStartMax = look.size[1];
    s.sizeEndMin = look.size[2];
    s.sizeEndMax = look.size[3];
    s.spinMin = look.spinMin;
    s.spinMax = look.spinMax;
    return s;
}

}  // namespace

void configureFireRing(SharedEmitters& emitters, GLuint flare)
{
    emitters.hellCircle.configure(flameSettings(kHellCircle, flare), kHellCircle.pool);
    emitters.twinkles.configure(flameSettings(kTwinkles, flare), kTwinkles.pool);
}

EmitterSettings meteorFlameSettings(GLuint flare) { return flameSettings(kMeteorFlame, flare); }

void configureGreetings(SharedEmitters& emitters)
{
    EmitterSettings s;
    s.emissionRate = 30;
    s.emissionJitter = 5.0f;
    s.respawn = true;
    s.lifeMin = 3.05f;
    s.lifeMax = 5.05f;
    s.alphaStartMin = 0.15f;
    s.alphaStartMax = 0.3f;
    s.alphaEndMin = 1.0f;
    s.alphaEndMax = 0.8f;
    s.positionJitter = {15, 15, 15};
    s.accelerationMin = 0.02f;
    s.accelerationMax = 0.06f;
    s.speedMax = 0.8f;
    s.speedMin = 0.4f;
    s.direction = {0.51f, 1.0f, 0.51f};
    s.directionJitter = {0, 0, 0.05f};
    s.useShape = true;
    s.billboardMode = BillboardMode::Camera;
    s.textured = true;
    s.drawStyle = DrawStyle::Text;
    s.shapeKind = SpawnShape::Sphere;
    s.shapeAngle = 3.6f;
    s.shapeRadius = 2.0f;
    s.sizeStartMin = 0.03f;
    s.sizeStartMax = 0.045f;
    s.sizeEndMin = 0.18f;
    s.sizeEndMax = 0.15f;
    s.spinMin = 1.0f;
    s.spinMax = 8.0f;
    for (int i = 0; i < 18; ++i) {
        s.text = greetingNames[i];
        emitters.greetingEmitters[static_cast<size_t>(i)].configure(s, 50);
    }
}
