#include "scenes/RibbonScene.h"

#include <cmath>

#include "effects/ParticleDrawing.h"
#include "effects/Programs.h"
#include "gfx/FullScreenQuad.h"
#include "math/Shaping.h"
#include "math/Trigonometry.h"
#include "text/BitmapFont.h"

namespace {

// How each ribbon looks and moves; the rest of their settings are shared.
struct RibbonLook {
    int32_t emissionRate;
    float emissionJitter;
    float lifeMax;
    Vec3 colourStart, colourEnd;
    Vec3 acceleration;
    float directionZ;
    float shapeAngle;
    bool flare;  // the flare texture, else the circle
    float sizeEndMin, sizeEndMax;
    float spinMin;
};

constexpr RibbonLook kLooks[4] = {
    {500, 0.4f, 2.5f, {1.0f, 0.15f, 0.3f}, {0.85f, 0.15f, 0.3f}, {0.25f, 0.35f, -1}, -2, 3.6f, true, 0.385f, 0.5f, 0.05f},
    {500, 0.4f, 2.5f, {0.25f, 0.2f, 1.0f}, {0.7f, 0.4f, 1.0f}, {0, 0, -1}, -1, 3.6f, true, 0.485f, 0.7f, 0.05f},
    {800, 2.4f, 2.5f, {0.85f, 0.4f, 0.6f}, {1.0f, 0.3f, 0.4f}, {0, 0, -1}, -1, 3.1415925f, false, 0.485f, 0.65f, 0.05f},
    {500, 2.4f, 2.4f, {0.25f, 0.75f, 0.95f}, {0.2f, 0.3f, 0.95f}, {0, 0, -1}, -1, 3.6f, false, 0.385f, 0.45f, 1.05f},
};

// Height of the emitters' plane in their own frame.
constexpr float kRibbonHeight = 30.1f;

// The closing flash: the lit cubes leave texturing off and alpha blending on, so the quad
// covers the picture in flat bluish white.
constexpr DrawState kFlash{.blend = Blend::Alpha};

}  // namespace

void RibbonScene::setAlphas()
{
    ribbons_[0].setAlpha(0.2f, 0.5f, 0.8f, 0.95f);
    for (size_t i = 1; i < 4; ++i) ribbons_[i].setAlpha(0.3f, 0.5f, 0.8f, 0.95f);
}

RibbonSpawns ribbonSpawns(float t)
{
    const float a = 12 * t;
    const float b = 3 * trig::sin(a) + 0.27f;
    const float u = a * 511 / 512;
    const float p = 2.5f * u + b, q = -2.5f * u - b;
    RibbonSpawns s;
    s.radius[0] = std::abs(0.15f - 2 * trig::sin(12 * t));
    s.radius[1] = std::abs(trig::cos(32 * t) + 0.15f);
    s.radius[2] = std::abs(0.15f - 2.3f * trig::sin(21 * t));
    s.radius[3] = std::abs(2.5f * trig::cos(18 * t) + 0.15f);
    s.position[0] = {4 * trig::sin(q) + 8 - 4 * trig::sin(25 * t), 3 * trig::cos(q) + 6 * trig::cos(19 * t) - 3, kRibbonHeight};
    s.position[1] = {14 * trig::cos(p) + 3 * trig::cos(30 * t) - 6, 14 * trig::sin(p) + 5 - 8 * trig::sin(12 * t), kRibbonHeight};
    s.position[2] = {12 * trig::cos(p) - 8 * trig::sin(25 * t), 5 * trig::sin(q) + 9 * trig::sin(29 * t) - 9, kRibbonHeight};
    s.position[3] = {7 * trig::sin(31 * t) + 1 - 5 * trig::cos(q), 12 - 5 * trig::sin(11 * t) - 4 * trig::sin(q), kRibbonHeight};
    return s;
}

void ribbonCamera(float t, const Vec3& R, const Vec3& F, Vec3& eye, Vec3& target)
{
    // An emitter position (x, y, z) lies at (x, z, -y) in the world.
    const Vec3 A(R.x, 24 - 24 * linearStep(t, 0, 0.1f) + R.z - 22, R.y), B(F.x, F.z - 23, F.y);
    const Vec3 C(-R.x, R.z, -R.y), D(-F.x, F.z, -F.y);
    const float s = linearStep(t, 0.7f, 1.0f);
    eye = lerpVec3(A, B, s);
    target = lerpVec3(C, D, s);
}

RibbonScene::RibbonScene(Gfx& g, TextureId flare, TextureId circle) : batch_(g)
{
    for (size_t i = 0; i < 4; ++i) {
        const RibbonLook& look = kLooks[i];
        EmitterSettings e;
        e.emissionRate = look.emissionRate;
        e.emissionJitter = look.emissionJitter;
        e.respawn = false;
        e.lifeMin = 1.05f;
        e.lifeMax = look.lifeMax;
        e.colourStartA = e.colourStartB = look.colourStart;
        e.colourEndA = e.colourEndB = look.colourEnd;
        e.position = {0, 0, kRibbonHeight};
        e.shapeKind = SpawnShape::Circle;
        e.acceleration = look.acceleration;
        e.accelerationMin = 8.8f;
        e.accelerationMax = 10.8f;
        e.speedMin = 1.1f;
        e.speedMax = 1.25f;
        e.direction = {0, 0, look.directionZ};
        e.directionJitter = {0.5f, 0.5f, 0};
        e.shapeAngle = look.shapeAngle;
        e.shapeRadius = 1.8f;
        e.useShape = true;
        e.billboardMode = BillboardMode::Camera;
        e.textured = true;
        e.texture = look.flare ? flare : circle;
        e.drawStyle = DrawStyle::Cube;
        e.sizeStartMin = 0.025f;
        e.sizeStartMax = 0.0362f;
        e.sizeEndMin = look.sizeEndMin;
        e.sizeEndMax = look.sizeEndMax;
        e.spinMin = look.spinMin;
        e.spinMax = 0.03f;
        ribbons_[i].configure(e, 1500);
    }
    setAlphas();
}

void RibbonScene::draw(Gfx& g, float t, const FrameContext& frame, const SceneShared& shared)
{
    setAlphas();
    const ParticleFrame particles{frame.elapsed, &shared.font, false};
    g.modelView.loadIdentity();

    const RibbonSpawns spawns = ribbonSpawns(t);
    for (int i : {1, 0, 2, 3}) {
        ParticleEmitter& ribbon = ribbons_[static_cast<size_t>(i)];
        ribbon.shapeRadius = spawns.radius[i];
        const Vec3& P = spawns.position[i];
        ribbon.setPosition(P.x, P.y, P.z, 0, 0, 0);
    }

    Vec3 eye, target;
    ribbonCamera(t, ribbons_[0].position, ribbons_[3].position, eye, target);
    lookAt(g.modelView.top(), eye.x, eye.y, eye.z, target.x, target.y, target.z, 0, 1, 0);
    const Vec3 light = target + Vec3(1, 1, 1);

    // The world turns twice by 220 degrees.
    g.modelView.rotate(220 * linearStep(t, 0.3f, 0.6f), -0.1f, -1, 0);
    g.modelView.rotate(220 * linearStep(t, 0.9f, 1.0f), 0.08f, 1, -0.05f);

    // The greetings float about a point 40 units in front of the eye.
    g.modelView.push();
    g.modelView.rotate(90, 1, 0, 0);
    for (ParticleEmitter& greeting : shared.emitters.greetingEmitters) {
        greeting.setPosition(eye.x, eye.y, eye.z - 40, 25, 25, 0);
        greeting.rotation = eye;
        greeting.update(frame.delta, *frame.random);
        drawParticles(g, greeting, particles);
    }
    g.modelView.pop();

    g.modelView.rotate(90, -1, 0, 0);  // the emitters' +z is the world's up

    for (ParticleEmitter& e : ribbons_) e.rotation = light;  // where the lit cubes' light stands
    for (ParticleEmitter& e : ribbons_) e.update(frame.delta, *frame.random);
    // The lit cubes' shading takes no fog.
    for (ParticleEmitter& e : ribbons_)
        drawParticlesShaded(g, e, particles, shared.programs.phong, shared.programs.phongParticles, batch_);

    const float f = linearStep(t, 0.98f, 1.0f);
    if (f > 0) {
        g.colour(0.9f, 0.95f, 1.0f, f);
        shared.quad.draw(g, kFlash);
    }
}
