#include "scenes/StemScene.h"

#include <cmath>

#include "effects/ParticleDrawing.h"
#include "geometry/FloorGrid.h"
#include "geometry/Meshes.h"
#include "geometry/Shapes.h"
#include "gfx/ProceduralTexture.h"
#include "math/Random.h"
#include "math/Shaping.h"
#include "math/Trigonometry.h"
#include "text/BitmapFont.h"

StemScene::StemScene(Random& random)
{
    random.setSeed(109106);
    for (int i = 0; i < 15; ++i) {
        StemGroup& g = groups_[i];
        random.scaled(0.15f);  // draws that only advance the generator
        random.scaled(0.12f);
        random.scaled(0.12f);
        g.base = curvePoint(0.5f, 0.3f * i, CurveKind::Circle) + Vec3(2.0f, -4.0f, -0.15f);
        g.startBase = random.scaled(0.055f) + 0.0f;
        g.width = random.scaled(0.9f) + 0.74f;
        for (Stem& s : g.stems) {
            s.side = random.scaled(11) - 5.5f;
            s.tipSize = random.scaled(12) + 3.0f;
            s.curlX = random.scaled(0.5f) - 0.25f;
            s.curlY = random.unit() - 0.5f;
            s.alpha = random.scaled(0.2f) + 0.8f;
            random.scaled(3.2f);
            s.decay = 0.001f;
            s.start = random.scaled(0.15f) + g.startBase;
            s.baseLength = 0;
            s.maxLength = random.scaled(28.5f) + 1.5f;
            s.length = 0;
            s.speed = random.scaled(40) + 35.0f;
            s.boxScale = random.scaled(0.8f) + 0.2f;
            random.scaled(0.75f);
            s.colour = {0.9f, 0.4f, random.scaled(0.2f) + 0.4f};
            s.segments = s.maxLength < 2 ? 30 : s.maxLength < 3 ? 48 : s.maxLength < 4 ? 60 : s.maxLength < 5 ? 75 : 95;
        }
    }
}

float stemT(const Stem& s, int k, float p)
{
    return k / s.segments - s.speed * 0.0263f * linearStep(p, 0.72f + 0.001f * k, 1.0f);
}

Vec3 stemPoint(const StemGroup& g, const Stem& s, int k, float p)
{
    const float t = stemT(s, k, p);
    const float u = 1 - t;
    const float L = t * s.length + u * s.baseLength;
    const float a = L * s.curlX * t, b = L * s.curlY * t;
    const float W = g.width;
    return g.base + Vec3(-s.side * a * W, static_cast<float>(trig::cos(trig::sin(20.0 * p) + b) * W), L);
}

void stemCamera(float p, Vec3& E, Vec3& T)
{
    if (p < 0.38f) {
        E = {static_cast<float>(3 * trig::sin(8.0 * p)), 3 + 20 * linearStep(p, 0.15f, 0.9f),
             static_cast<float>(10 - 2 * p + 3 * trig::cos(8.0 * p))};
        T = {0, 1 + 20 * p, 0};
    } else if (p < 0.72f) {
        const Vec3 C = curvePoint(8 * (p - 0.6f) + 4.5f, 5.6f * (p - 0.5f), CurveKind::Circle);
        E = {C.x, static_cast<float>(8 + 20 * (p - 0.6) + 3 * trig::sin(20.0 * p)), C.y + 4 + 3 * (p - 0.38f)};
        T = {-C.x, 12 + 10 * (p - 0.6f), -C.y};
    } else {
        const float d = p - 0.72f;
        E = {0, 20 - 25 * d, 12 + 30 * d};
        T = {0, 20 - 40 * d, 0};
    }
}

namespace {

// The floor: the flare added, behind what stands on it.
constexpr DrawState kFloor{.blend = Blend::Additive, .depthTest = true};
// A stem: a smooth line three pixels wide over what is there, its alpha fading to the foot.
constexpr DrawState kStem{.blend = Blend::Alpha, .depthTest = true, .lineWidth = 3, .smoothLines = true};
// A tip's glows: the circle added, in front of what they are behind, writing no depth.
constexpr DrawState kGlow{.blend = Blend::Additive, .depthTest = true, .depthWrite = false};
// What the tip's box is drawn over: lit, untextured, its edges added.
constexpr DrawState kTipBox{.blend = Blend::Additive, .depthTest = true, .lighting = Lighting::Material};

void setLight(Gfx& g, const Vec3& T, float F)
{
    const std::array<float, 4> modelAmbient{0.1f * F, 0.1f * F, 0.1f * F, F};
    // y and z exchanged.
    g.setLight({T.x + 1, T.z + 1, T.y + 1, 1}, modelAmbient, {0.33f * F, 0.55f * F, 1.0f * F, F}, {F, F, F, F});
    g.setModelAmbient(modelAmbient);
    g.setMaterial({0.3f * F, 0.3f * F, 0.3f * F, F}, {F, F, F, F}, {0.6f * F, 0.6f * F, 0.6f * F, F}, 80);
}

void drawTip(Gfx& g, const Stem& s, int j, const Vec3& tip, const Vec3& right, const Vec3& up, float p, float F,
             const FrameContext& frame, TextureId circle)
{
    const float fade = linearStep(p, s.start, 0.5f) - linearStep(p, 0.85f, 1.0f);
    const float beat = frame.beatLevel() * 0.08f;
    const DrawState glow = kGlow.withTexture(circle);
    g.colour(1, 1, 1, 0.18f * fade);
    drawBillboard(g, glow, tip, right, up, 0.14f * s.tipSize);
    if (j % 2)
        g.colour(beat, 0.35f, 0.4f, 0.25f * beat * fade);
    else
        g.colour(0.1f, 0.5f, 0.75f * beat, 0.25f * beat * fade);
    drawBillboard(g, glow, tip, right, up, 0.14f * s.tipSize + 0.15f * beat);
    drawLitBox(g, kTipBox, 0.035f * fade * s.tipSize, tip, Vec3(27 * p, 120 * p, 12 * p), true, true,
               s.colour * (0.15f * F * fade * s.boxScale));
}

}  // namespace

void StemScene::draw(Gfx& g, float p, const FrameContext& frame, const SceneShared& shared)
{
    ParticleEmitter& hellCircle = shared.emitters.hellCircle;
    ParticleEmitter& twinkles = shared.emitters.twinkles;
    const ParticleFrame particles{frame.elapsed, &shared.font, false};
    const float F = linearStep(p, 0, 0.1f);
    Vec3 E, T;
    stemCamera(p, E, T);
    g.modelView.loadIdentity();
    lookAt(g.modelView.top(), E.x, E.y, E.z, T.x, T.y, T.z, 0, 1, 0);

    drawFloorGrid(g, kFloor.withTexture(shared.textures.flare.texture.id()), shared.floor, 0.85f);

    hellCircle.update(frame.delta, *frame.random);
    hellCircle.shapeRadius = 48;
    twinkles.update(frame.delta, *frame.random);
    g.modelView.push();
    g.modelView.rotate(90, -1, 0, 0);
    drawParticles(g, hellCircle, particles);
    drawParticles(g, twinkles, particles);
    g.modelView.pop();

    setLight(g, T, F);

    for (StemGroup& g : groups_)
        for (Stem& s : g.stems)
            if (s.alpha > 0 && p > s.start) {
                s.length = p + s.baseLength + (p - s.start) * s.speed;
                if (s.length > s.maxLength) {
                    s.length = s.maxLength;
                    s.alpha -= s.decay;
                }
            }

    g.modelView.push();
    g.modelView.rotate(90, -1, 0, 0);
    Vec3 right, up, back;
    cameraAxes(g.modelView.top(), right, up, back);
    for (const StemGroup& group : groups_)
        for (int j = 0; j < 8; ++j) {
            const Stem& s = group.stems[j];
            if (!(s.alpha > 0 && p > s.start)) continue;
            g.begin(Primitive::LineStrip, kStem);
            // Without drawing, the segments leave nothing behind: the tip sets the colour again.
            for (int k = 0; k < s.segments && g.drawing(); ++k) {
                // Points pulled back below the foot (t < 0) come out transparent.
                g.colour(s.colour, stemT(s, k, p) * F * s.alpha);
                g.vertex(stemPoint(group, s, k, p));
            }
            g.end();
            drawTip(g, s, j, stemPoint(group, s, static_cast<int>(s.segments) - 1, p), right, up, p, F, frame,
                    shared.textures.circle.texture.id());
        }
    g.modelView.pop();
}
