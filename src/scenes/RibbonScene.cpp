#include "scenes/RibbonScene.h"

#include "gfx/Glu.h"

#include <cmath>

#include "app/FrameClock.h"
#include "effects/ParticleEmitter.h"
#include "gfx/Fog.h"
#include "gfx/FullScreenQuad.h"
#include "gfx/ProceduralTexture.h"
#include "gfx/Shaping.h"
#include "scenes/BurningScene.h"
#include "timeline/Programs.h"
#include "timeline/Timeline.h"

namespace {

ParticleEmitter* const ribbons[4] = {&ribbon, &ribbon2, &ribbon3, &ribbon4};

// How each ribbon looks and moves; the rest of their settings are shared.
struct RibbonLook {
    const char* label;  // the fourth reuses the third's
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
    {"ribbon", 500, 0.4f, 2.5f, {1.0f, 0.15f, 0.3f}, {0.85f, 0.15f, 0.3f}, {0.25f, 0.35f, -1}, -2, 3.6f, true, 0.385f, 0.5f, 0.05f},
    {"ribbon2", 500, 0.4f, 2.5f, {0.25f, 0.2f, 1.0f}, {0.7f, 0.4f, 1.0f}, {0, 0, -1}, -1, 3.6f, true, 0.485f, 0.7f, 0.05f},
    {"ribbon3", 800, 2.4f, 2.5f, {0.85f, 0.4f, 0.6f}, {1.0f, 0.3f, 0.4f}, {0, 0, -1}, -1, 3.1415925f, false, 0.485f, 0.65f, 0.05f},
    {"ribbon3", 500, 2.4f, 2.4f, {0.25f, 0.75f, 0.95f}, {0.2f, 0.3f, 0.95f}, {0, 0, -1}, -1, 3.6f, false, 0.385f, 0.45f, 1.05f},
};

// Height of the emitters' plane in their own frame.
constexpr float kRibbonHeight = 30.1f;

void setRibbonAlphas()
{
    ribbon.setAlpha(0.2f, 0.5f, 0.8f, 0.95f);
    for (ParticleEmitter* e : {&ribbon2, &ribbon3, &ribbon4}) e->setAlpha(0.3f, 0.5f, 0.8f, 0.95f);
}

}  // namespace

RibbonSpawns ribbonSpawns(float t)
{
    const float a = 12 * t;
    const float b = 3 * std::sin(a) + 0.27f;
    const float u = a * 511 / 512;
    const float p = 2.5f * u + b, q = -2.5f * u - b;
    RibbonSpawns s;
    s.radius[0] = std::abs(0.15f - 2 * std::sin(12 * t));
    s.radius[1] = std::abs(std::cos(32 * t) + 0.15f);
    s.radius[2] = std::abs(0.15f - 2.3f * std::sin(21 * t));
    s.radius[3] = std::abs(2.5f * std::cos(18 * t) + 0.15f);
    s.position[0] = {4 * std::sin(q) + 8 - 4 * std::sin(25 * t), 3 * std::cos(q) + 6 * std::cos(19 * t) - 3, kRibbonHeight};
    s.position[1] = {14 * std::cos(p) + 3 * std::cos(30 * t) - 6, 14 * std::sin(p) + 5 - 8 * std::sin(12 * t), kRibbonHeight};
    s.position[2] = {12 * std::cos(p) - 8 * std::sin(25 * t), 5 * std::sin(q) + 9 * std::sin(29 * t) - 9, kRibbonHeight};
    s.position[3] = {7 * std::sin(31 * t) + 1 - 5 * std::cos(q), 12 - 5 * std::sin(11 * t) - 4 * std::sin(q), kRibbonHeight};
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

void initRibbonScene()
{
    for (int i = 0; i < 4; ++i) {
        ParticleEmitter& e = *ribbons[i];
        const RibbonLook& look = kLooks[i];
        e.allocate(1500, look.label);
        e.emissionRate = look.emissionRate;
        e.emissionJitter = look.emissionJitter;
        e.respawn = false;
        e.lifeMin = 1.05f;
        e.lifeMax = look.lifeMax;
        const Vec3 &s = look.colourStart, &f = look.colourEnd;
        e.setColourStart(s.x, s.y, s.z, s.x, s.y, s.z);
        e.setColourEnd(f.x, f.y, f.z, f.x, f.y, f.z);
        e.setPosition(0, 0, kRibbonHeight, 0, 0, 0);
        e.setShapeKind(2);
        e.setAcceleration(look.acceleration.x, look.acceleration.y, look.acceleration.z, 8.8f, 10.8f);
        e.speedMin = 1.1f;
        e.speedMax = 1.25f;
        e.setDirection(0, 0, look.directionZ, 0.5f, 0.5f, 0);
        e.shapeAngle = look.shapeAngle;
        e.shapeRadius = 1.8f;
        e.useShape = true;
        e.billboardMode = 1;
        e.setTextured(true);
        e.setTexture(look.flare ? flareTexture->texture : circleTexture->texture);
        e.setDrawStyle(7);
        e.setSize(0.025f, 0.0362f, look.sizeEndMin, look.sizeEndMax);
        e.setSpin(look.spinMin, 0.03f);
    }
    setRibbonAlphas();
}

void drawRibbonScene(float t)
{
    ClearLevel = 0.0f;
    setRibbonAlphas();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glLoadIdentity();

    const RibbonSpawns spawns = ribbonSpawns(t);
    for (int i : {1, 0, 2, 3}) {
        ribbons[i]->shapeRadius = spawns.radius[i];
        const Vec3& P = spawns.position[i];
        ribbons[i]->setPosition(P.x, P.y, P.z, 0, 0, 0);
    }

    Vec3 eye, target;
    ribbonCamera(t, ribbon.position, ribbon4.position, eye, target);
    gluLookAt(eye.x, eye.y, eye.z, target.x, target.y, target.z, 0, 1, 0);
    const Vec3 light = target + Vec3(1, 1, 1);

    // The world turns twice by 220 degrees.
    glRotatef(220 * linearStep(t, 0.3f, 0.6f), -0.1f, -1, 0);
    glRotatef(220 * linearStep(t, 0.9f, 1.0f), 0.08f, 1, -0.05f);

    // The greetings float about a point 40 units in front of the eye.
    glPushMatrix();
    glRotatef(90, 1, 0, 0);
    for (ParticleEmitter& greeting : greetingEmitters) {
        greeting.setPosition(eye.x, eye.y, eye.z - 40, 25, 25, 0);
        greeting.setRotation(eye);
        greeting.update(frameClock.frameDelta);
        greeting.draw();
    }
    glPopMatrix();

    glEnable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    enableBlackFog(75.0f);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glRotatef(90, -1, 0, 0);  // the emitters' +z is the world's up

    for (ParticleEmitter* e : ribbons) e->setRotation(light);  // where the lit cubes' light stands
    for (ParticleEmitter* e : ribbons) e->update(frameClock.frameDelta);

    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    for (ParticleEmitter* e : ribbons) e->drawShaded(phongProgram, phongParticlesProgram);
    glUseProgram(0);
    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);

    // The closing flash: the lit cubes leave texturing off and alpha blending on, so the
    // quad covers the picture in flat bluish white.
    const float f = linearStep(t, 0.98f, 1.0f);
    if (f > 0) {
        glBindTexture(GL_TEXTURE_2D, flashPicture);
        glColor4f(0.9f, 0.95f, 1.0f, f);
        fullScreenQuad->draw();
    }
}
