#include "scenes/MetaballScene.h"

#include <cmath>
#include <memory>
#include <vector>

#include "effects/ParticleDrawing.h"
#include "effects/Programs.h"
#include "geometry/FloorGrid.h"
#include "geometry/Shapes.h"
#include "gfx/ProceduralTexture.h"
#include "math/Random.h"
#include "math/Shaping.h"
#include "math/Trigonometry.h"
#include "text/BitmapFont.h"

namespace {

// Where the camera dives to while the pulse holds it, among the balls.
constexpr Vec3 kDivePoint{0.1f, 1.0f, -3.1f};

// The scene's fog: black from the eye to 120 units.
constexpr float kFogEnd = 120.0f;
// The floor: the flare added behind what stands on it, in the fog.
constexpr DrawState kFloor{.blend = Blend::Additive, .depthTest = true, .fog = true};
// The balls' flares: added in front of what they are behind, writing no depth, in the fog.
constexpr DrawState kBallFlares{.blend = Blend::Additive, .depthTest = true, .depthWrite = false, .fog = true};

}  // namespace

SurfaceArrays::SurfaceArrays()
{
    normals.reserve(1 << 16);
    points.reserve(1 << 16);
}

void SurfaceArrays::vertex(const Vec3& normal, const Vec3& point)
{
    normals.push_back(normal);
    points.push_back(point);
}

void MetaballScene::drawEnvironment(Gfx& g, const FrameContext& frame, const SceneShared& shared)
{
    ParticleEmitter& hellCircle = shared.emitters.hellCircle;
    ParticleEmitter& twinkles = shared.emitters.twinkles;
    const ParticleFrame particles{frame.elapsed, &shared.font, true};
    hellCircle.shapeRadius = 50.0f;
    hellCircle.update(frame.delta, *frame.random);
    twinkles.update(frame.delta, *frame.random);
    // The emitters' +z is the world's up.
    g.modelView.push();
    g.modelView.rotate(90, -1, 0, 0);
    drawParticles(g, hellCircle, particles);
    drawParticles(g, twinkles, particles);
    g.modelView.pop();

    drawFloorGrid(g, kFloor.withTexture(shared.textures.flare.texture.id()), shared.floor, 0.85f);
}

void MetaballScene::drawSurface(Gfx& g, float t, const SceneShared& shared)
{
    // With no texture on unit 0 the cut-out samples black: dark blobs perforated where the
    // circle picture on unit 1 reaches the threshold; opaque, depth-tested, writing depth.
    const DrawState surface{.blend = Blend::Off,
                            .depthTest = true,
                            .moreTextures = {shared.textures.circle.texture.id()},
                            .program = shared.programs.detourage.id(),
                            .uniforms = {{{"dval", 0.205f}}}};
    g.colour(1, 1, 1, 1);
    // Nothing of the surface lasts from one frame to the next: without drawing there is
    // nothing to work out.
    if (!g.drawing()) return;
    const int32_t count = field_->ballCount < 10 ? field_->ballCount : 10;
    for (int32_t k = 0; k < count; ++k) {
        Metaball& ball = field_->balls[static_cast<size_t>(k)];
        ball.centre = ballPosition(ballMotions_[static_cast<size_t>(k)], t);
        ball.radius = ballRadius(ballMotions_[static_cast<size_t>(k)], t);
    }
    evaluateMetaballField(*field_);
    drawFieldSurface(g, surface, *field_, arrays_);
}

// A flare in the middle of each ball, pulsing with the music; the shape pass adds a wider,
// steady one under it.
void MetaballScene::drawSprites(Gfx& g, float t, bool shapePass, const Vec3& right, const Vec3& up,
                                const FrameContext& frame, const SceneShared& shared) const
{
    const DrawState flares = kBallFlares.withTexture(shared.textures.flare.texture.id());
    const float fade = 1 - linearStep(t, 0.84f, 0.99f);
    const float grown = linearStep(t, 0, 0.1f);
    for (const BallMotion& motion : ballMotions_) {
        const Vec3 P = ballPosition(motion, t);
        const float level = frame.beatLevel() * 0.1f;
        if (shapePass) {
            g.colour(0.9f, 0.35f, 0.4f, 0.7f * fade);
            drawBillboard(g, flares, P, right, up, 0.795f * 5 * grown + 1.25f);
        }
        g.colour(0.9f, 0.35f, 0.4f, 0.8f * level * fade + 0.1f);
        drawBillboard(g, flares, P, right, up, 2 * grown);
    }
}

void drawFieldSurface(Gfx& g, const DrawState& state, MetaballField& surfaceField, SurfaceArrays& arrays)
{
    static_assert(sizeof(Vec3) == 3 * sizeof(float), "the arrays hand Vec3 lists on as packed floats");
    arrays.normals.clear();
    arrays.points.clear();
    polygoniseField(surfaceField, 0.5f, arrays);
    if (arrays.points.empty()) return;
    VertexArrays a;
    a.positions = &arrays.points.front().x;
    a.normals = &arrays.normals.front().x;
    // The texture coordinate is the vertex's x and y, which repeats the cut-out picture over
    // the surface.
    a.texCoords = &arrays.points.front().x;
    a.texCoordStride = 3;
    a.count = arrays.points.size();
    g.drawArrays(Primitive::Triangles, state, a);
}

Vec3 ballPosition(const BallMotion& ball, float t)
{
    return ball.base + Vec3(trig::sin(t * ball.frequency.x) * ball.amplitude.x,
                            trig::cos(t * ball.frequency.y) * ball.amplitude.y,
                            trig::sin(t * ball.frequency.z) * ball.amplitude.z);
}

float ballRadius(const BallMotion& ball, float t) { return linearStep(t, 0, 0.1f) * ball.size; }

void MetaballScene::camera(float t, Vec3& eye, Vec3& target) const
{
    const float k = sinePulse(t, 0.2f, 0.4f, 2.0f);
    const float pi = 3.1415926f;
    const Vec3 orbit(8 * trig::sin(8 * pi * t), -80 * linearStep(t, 0.8f, 0.95f), 8 * trig::cos(8 * pi * t));
    const Vec3 eye0 = cameraPath_.evaluate(t) + orbit;
    eye = k == 0 ? eye0 : lerpVec3(eye0, kDivePoint, k);
    target = {0, 28 * linearStep(t, 0.15f, 0.95f) + 2, 0.1f};
}

MetaballScene::MetaballScene(Random& random)
{
    cameraPath_.addPoint({0, 3, 18});
    cameraPath_.addPoint({-3, 14, 14.5f});
    cameraPath_.addPoint({-8, 15, 16});
    cameraPath_.addPoint({2, 12, 8});
    field_ = buildMetaballField();
    for (BallMotion& ball : ballMotions_) {
        ball.size = random.scaled(0.75f) + 0.45f;
        ball.base.x = random.scaled(6) - 3;
        ball.base.y = random.scaled(3);
        ball.base.z = random.scaled(4);
        ball.amplitude.z = random.scaled(4) + 2;
        ball.amplitude.y = random.scaled(4) + 2;
        ball.amplitude.x = random.scaled(4) + 2;
        ball.frequency.z = random.scaled(50) + 10;
        ball.frequency.y = random.scaled(70) + 10;
        ball.frequency.x = random.scaled(60) + 10;
    }
}

void MetaballScene::draw(Gfx& g, float t, bool shapePass, const FrameContext& frame, const SceneShared& shared)
{
    g.setFog(kFogEnd);

    Vec3 eye, target;
    camera(t, eye, target);
    g.modelView.loadIdentity();
    lookAt(g.modelView.top(), eye.x, eye.y, eye.z, target.x, target.y, target.z, 0, 1, 0);

    if (!shapePass) drawEnvironment(g, frame, shared);

    // The balls and their sprites rise from y = -4 to y = 24 over the scene.
    g.modelView.translate(0, 20 * t + 8 * linearStep(t, 0, 0.05f) - 4, 0);
    Vec3 right, up, back;
    cameraAxes(g.modelView.top(), right, up, back);

    if (shapePass) drawSurface(g, t, shared);
    drawSprites(g, t, shapePass, right, up, frame, shared);
}
