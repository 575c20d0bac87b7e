#include "scenes/MetaballScene.h"

#include "gfx/Glu.h"

#include <cmath>
#include <memory>
#include <vector>

#include "effects/ParticleDrawing.h"
#include "geometry/FloorGrid.h"
#include "geometry/Shapes.h"
#include "gfx/Fog.h"
#include "gfx/ProceduralTexture.h"
#include "gfx/Programs.h"
#include "gfx/Random.h"
#include "gfx/Shaping.h"
#include "text/BitmapFont.h"

namespace {

// Where the camera dives to while the pulse holds it, among the balls.
constexpr Vec3 kDivePoint{0.1f, 1.0f, -3.1f};

void surfaceState(const SceneShared& shared)
{
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_DEPTH_TEST);
    // With no texture object on unit 0 the program samples black: dark blobs perforated
    // where the circle picture on unit 1 reaches the threshold.
    beginCutOut(shared.programs.detourage, 0.205f, 0, shared.textures.circle.texture.get());
    glColor4f(1, 1, 1, 1);
}

void restoreSpriteState(const SceneShared& shared)
{
    endCutOut();
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glBindTexture(GL_TEXTURE_2D, shared.textures.flare.texture.get());
}

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

void MetaballScene::drawEnvironment(const FrameContext& frame, const SceneShared& shared)
{
    ParticleEmitter& hellCircle = shared.emitters.hellCircle;
    ParticleEmitter& twinkles = shared.emitters.twinkles;
    const ParticleFrame particles{frame.elapsed, &shared.font};
    hellCircle.shapeRadius = 50.0f;
    hellCircle.update(frame.delta);
    twinkles.update(frame.delta);
    // The emitters' +z is the world's up.
    glPushMatrix();
    glRotatef(90, -1, 0, 0);
    drawParticles(hellCircle, particles);
    glDepthMask(GL_FALSE);
    drawParticles(twinkles, particles);
    glDepthMask(GL_TRUE);
    glPopMatrix();

    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glBindTexture(GL_TEXTURE_2D, shared.textures.flare.texture.get());
    drawFloorGrid(shared.floor, 0.85f);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
}

void MetaballScene::drawSurface(float t)
{
    const int32_t count = field_->ballCount < 10 ? field_->ballCount : 10;
    for (int32_t k = 0; k < count; ++k) {
        Metaball& ball = field_->balls[static_cast<size_t>(k)];
        ball.centre = ballPosition(ballMotions_[static_cast<size_t>(k)], t);
        ball.radius = ballRadius(ballMotions_[static_cast<size_t>(k)], t);
    }
    evaluateMetaballField(*field_);
    drawFieldSurface(*field_, arrays_);
}

// A flare in the middle of each ball, pulsing with the music; the shape pass adds a wider,
// steady one under it.
void MetaballScene::drawSprites(float t, bool shapePass, const Vec3& right, const Vec3& up,
                                const FrameContext& frame, const SceneShared& shared) const
{
    const GLuint flare = shared.textures.flare.texture.get();
    const float fade = 1 - linearStep(t, 0.84f, 0.99f);
    const float grown = linearStep(t, 0, 0.1f);
    for (const BallMotion& motion : ballMotions_) {
        const Vec3 P = ballPosition(motion, t);
        const float level = static_cast<float>(frame.beatLevel()) * 0.1f;
        glDepthMask(GL_FALSE);
        if (shapePass) {
            glColor4f(0.9f, 0.35f, 0.4f, 0.7f * fade);
            glBindTexture(GL_TEXTURE_2D, flare);
            drawBillboard(P, right, up, 0.795f * 5 * grown + 1.25f);
        }
        glColor4f(0.9f, 0.35f, 0.4f, 0.8f * level * fade + 0.1f);
        glBindTexture(GL_TEXTURE_2D, flare);
        drawBillboard(P, right, up, 2 * grown);
        glDepthMask(GL_TRUE);
    }
}

void drawFieldSurface(MetaballField& surfaceField, SurfaceArrays& arrays)
{
    static_assert(sizeof(Vec3) == 3 * sizeof(float), "the arrays hand Vec3 lists to GL as packed floats");
    arrays.normals.clear();
    arrays.points.clear();
    polygoniseField(surfaceField, 0.5f, arrays);
    if (arrays.points.empty()) return;
    glDisableClientState(GL_COLOR_ARRAY);
    glClientActiveTexture(GL_TEXTURE0);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(Vec3), arrays.points.data());
    glNormalPointer(GL_FLOAT, sizeof(Vec3), arrays.normals.data());
    // The texture coordinate is the vertex's x and y, which repeats the cut-out picture over
    // the surface.
    glTexCoordPointer(2, GL_FLOAT, sizeof(Vec3), arrays.points.data());
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(arrays.points.size()));
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}

Vec3 ballPosition(const BallMotion& ball, float t)
{
    return ball.base + Vec3(std::sin(t * ball.frequency.x) * ball.amplitude.x,
                            std::cos(t * ball.frequency.y) * ball.amplitude.y,
                            std::sin(t * ball.frequency.z) * ball.amplitude.z);
}

float ballRadius(const BallMotion& ball, float t) { return linearStep(t, 0, 0.1f) * ball.size; }

void MetaballScene::camera(float t, Vec3& eye, Vec3& target) const
{
    const float k = sinePulse(t, 0.2f, 0.4f, 2.0f);
    const float pi = 3.1415926f;
    const Vec3 orbit(8 * std::sin(8 * pi * t), -80 * linearStep(t, 0.8f, 0.95f), 8 * std::cos(8 * pi * t));
    const Vec3 eye0 = cameraPath_.evaluate(t) + orbit;
    eye = k == 0 ? eye0 : lerpVec3(eye0, kDivePoint, k);
    target = {0, 28 * linearStep(t, 0.15f, 0.95f) + 2, 0.1f};
}

MetaballScene::MetaballScene()
{
    cameraPath_.addPoint({0, 3, 18});
    cameraPath_.addPoint({-3, 14, 14.5f});
    cameraPath_.addPoint({-8, 15, 16});
    cameraPath_.addPoint({2, 12, 8});
    field_ = buildMetaballField();
    for (BallMotion& ball : ballMotions_) {
        ball.size = randomScaled(0.75f) + 0.45f;
        ball.base.x = randomScaled(6) - 3;
        ball.base.y = randomScaled(3);
        ball.base.z = randomScaled(4);
        ball.amplitude.z = randomScaled(4) + 2;
        ball.amplitude.y = randomScaled(4) + 2;
        ball.amplitude.x = randomScaled(4) + 2;
        ball.frequency.z = randomScaled(50) + 10;
        ball.frequency.y = randomScaled(70) + 10;
        ball.frequency.x = randomScaled(60) + 10;
    }
}

void MetaballScene::draw(float t, bool shapePass, const FrameContext& frame, const SceneShared& shared)
{
    enableBlackFog(120.0f);

    Vec3 eye, target;
    camera(t, eye, target);
    glLoadIdentity();
    gluLookAt(eye.x, eye.y, eye.z, target.x, target.y, target.z, 0, 1, 0);

    if (!shapePass) drawEnvironment(frame, shared);

    // The balls and their sprites rise from y = -4 to y = 24 over the scene.
    glTranslatef(0, 20 * t + 8 * linearStep(t, 0, 0.05f) - 4, 0);
    Vec3 right, up, back;
    cameraAxes(right, up, back);
    glEnable(GL_DEPTH_TEST);

    surfaceState(shared);
    if (shapePass) drawSurface(t);
    restoreSpriteState(shared);
    drawSprites(t, shapePass, right, up, frame, shared);
}
