#include "scenes/SharedEmitters.h"

const char* const greetingNames[18] = {"NORDLUXE", "KRYPTOMOSS", "ZEBRAFUNK", "MOSSBYTE", "VELOXIA",  "QUANTIX",
                                       "GLIMMERA", "PIXELHAVN",  "TORSKI",    "BLUE MOTH", "ARCTURIX", "FENNECO",
                                       "HALCYONE", "RUSTWAVE",   "OMBRELLO",  "LARKSPUR",  "EMBERLING", "SOLVIKEN"};

namespace {

// Scene B's three emitters as they differ; every one is a textured camera-facing shape
// emitter drawing the flare, with second colours a tenth darker than the first (flame()).
struct Flame {
    int32_t pool;
    EmitterSettings settings;
};

const Flame kHellCircle{4000,
                        {.direction = {0, 0, 4},
                         .directionJitter = {0, 0, 0},
                         .speedMin = 2.15f, .speedMax = 3.35f,
                         .spinMin = 1.0f, .spinMax = 1.5f,
                         .acceleration = {0, 0, 1}, .accelerationMin = 4.8f, .accelerationMax = 8.8f,
                         .alphaStartMin = 0.02f, .alphaStartMax = 0.08f, .alphaEndMin = 1.0f, .alphaEndMax = 0.5f,
                         .sizeStartMin = 4.05f, .sizeStartMax = 3.05f, .sizeEndMin = 1.85f, .sizeEndMax = 1.65f,
                         .shapeRadius = 12.5f, .shapeAngle = 2.5f,
                         .colourStartA = {0.9f, 0.4f, 0.35f}, .colourEndA = {1.0f, 0.52f, 0.62f},
                         .lifeMin = 0.025f, .lifeMax = 5.05f,
                         .drawStyle = DrawStyle::Streak, .shapeKind = SpawnShape::Circle,
                         .respawn = true,
                         .emissionRate = 2500, .emissionJitter = 10.0f}};
const Flame kMeteorFlame{3000,
                         {.direction = {0, 0, 2},
                          .directionJitter = {2.15f, 0.15f, 0.15f},
                          .speedMin = 3.15f, .speedMax = 4.35f,
                          .spinMin = 0.1f, .spinMax = 0.5f,
                          .acceleration = {0, 0, 2}, .accelerationMin = 1.5f, .accelerationMax = 2.0f,
                          .alphaStartMin = 0.8f, .alphaStartMax = 1.0f, .alphaEndMin = 0, .alphaEndMax = 0,
                          .sizeStartMin = 1.5f, .sizeStartMax = 1.85f, .sizeEndMin = 0.25f, .sizeEndMax = 0.5f,
                          .shapeRadius = 2.5f, .shapeAngle = 2.8f,
                          .colourStartA = {1.0f, 0.48f, 0.5f}, .colourEndA = {0.7f, 0.6f, 0.5f},
                          .lifeMin = 0.75f, .lifeMax = 1.4f,
                          .drawStyle = DrawStyle::Sprite, .shapeKind = SpawnShape::Point,
                          .emissionRate = 2450}};
const Flame kTwinkles{2500,
                      {.direction = {0, 0, 1},
                       .directionJitter = {0.15f, 0.15f, 0.15f},
                       .speedMin = 1.15f, .speedMax = 1.35f,
                       .spinMin = 0.1f, .spinMax = 0.5f,
                       .acceleration = {0, 0, -1}, .accelerationMin = 1.5f, .accelerationMax = 2.0f,
                       .alphaStartMin = 0.5f, .alphaStartMax = 1.0f, .alphaEndMin = 0, .alphaEndMax = 0,
                       .sizeStartMin = 0.5f, .sizeStartMax = 1.85f, .sizeEndMin = 0.65f, .sizeEndMax = 0.5f,
                       .shapeRadius = 30.5f, .shapeAngle = 2.8f,
                       .colourStartA = {0.55f, 0.75f, 1.0f}, .colourEndA = {0.4f, 0.7f, 1.0f},
                       .lifeMin = 0.075f, .lifeMax = 1.85f,
                       .drawStyle = DrawStyle::Sprite, .shapeKind = SpawnShape::Angle,
                       .emissionRate = 1800}};

EmitterSettings flame(const Flame& look, TextureId flare)
{
    const Vec3 tenth(0.1f, 0.1f, 0.1f);
    EmitterSettings s = look.settings;
    s.colourStartB = s.colourStartA - tenth;
    s.colourEndB = s.colourEndA - tenth;
    s.useShape = true;
    s.billboardMode = BillboardMode::Camera;
    s.textured = true;
    s.texture = flare;
    return s;
}

}  // namespace

void configureFireRing(SharedEmitters& emitters, TextureId flare)
{
    emitters.hellCircle.configure(flame(kHellCircle, flare), kHellCircle.pool);
    emitters.twinkles.configure(flame(kTwinkles, flare), kTwinkles.pool);
}

EmitterSettings meteorFlameSettings(TextureId flare) { return flame(kMeteorFlame, flare); }

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
