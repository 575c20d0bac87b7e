#include "scenes/TwisterScene.h"

#include <cmath>
#include <utility>

#include "effects/ParticleDrawing.h"
#include "effects/Programs.h"
#include "geometry/FloorGrid.h"
#include "gfx/FullScreenQuad.h"
#include "gfx/ProceduralTexture.h"
#include "gfx/TextureFile.h"
#include "math/Shaping.h"
#include "math/Trigonometry.h"
#include "text/BitmapFont.h"

namespace {

constexpr int kSteps = 64;                  // quads around the column; one more closes it
constexpr float kRingSpacing = 50.0f / 128;  // the column is about 50 units tall

// The floor: its picture added behind what stands on it.
constexpr DrawState kFloor{.blend = Blend::Additive, .depthTest = true};
// The veil over the opening: flat colour over the whole picture.
constexpr DrawState kVeil{.blend = Blend::Alpha};

// Four eye positions circling the column at progress p.
void eyePoints(float p, Vec3 (&points)[4])
{
    const float a = 25 * p;
    const float b = a + 3.1415925f;
    const float c = a / 3 + 3.1415925f;
    const double d = a / 1.5 + 3.1415925;
    points[0] = {7 * trig::sin(a), trig::sin(a / 12) + 3, 3 * trig::cos(0.5f * a) + 1.5f};
    points[1] = {6.85f * trig::sin(b), 0.45f * trig::sin(c) + 1, 2.36f * trig::cos(b)};
    points[2] = {-2.85f * trig::sin(b), static_cast<float>(5 - 2.94 * trig::sin(d)), -2.35f * trig::cos(b)};
    points[3] = {-2.6f * trig::sin(b), -3 - 2.54f * trig::sin(c), 2.38f * trig::cos(b)};
}

void columnCorner(Gfx& g, const ColumnRings& rings, int k, int m)
{
    const float theta = m * 6.2831852f / kSteps;
    g.texCoord((4.0f * m + rings.twist[k]) / 64, k * kRingSpacing);
    g.vertex(trig::cos(theta) * rings.radius[k] + rings.shift[k], k * kRingSpacing, trig::sin(theta) * rings.radius[k]);
}

}  // namespace

void TwisterScene::drawColumn(Gfx& g, const DrawState& state) const
{
    g.begin(Primitive::Quads, state);
    // Without drawing, only the last corner's texture coordinate carries on to the frames after.
    if (!g.drawing()) columnCorner(g, rings_, kRingCount - 1, kSteps + 1);
    for (int i = 0; i < kRingCount && g.drawing(); ++i)
        for (int j = 0; j <= kSteps; ++j) {
            columnCorner(g, rings_, i, j);
            columnCorner(g, rings_, i + 1, j);
            columnCorner(g, rings_, i + 1, j + 1);
            columnCorner(g, rings_, i, j + 1);
        }
    g.end();
}

TwisterScene::TwisterScene()
{
    for (int i = 0; i <= kRingCount; ++i) {
        rings_.twist[i] = 0;
        rings_.radius[i] = i < 128 ? 1.0f : 0.0f;
        rings_.shift[i] = 0;
    }
    for (const Vec3& point : {Vec3(2, 29, 4), Vec3(0, 2.125f, 3), Vec3(4, 4.25f, 2.5f), Vec3(-2, 6.25f, 2.8f),
                              Vec3(2, 8.25f, 2), Vec3(0, 15.2f, 2.9f)})
        eyePath_.addPoint(point);
    for (const Vec3& point : {Vec3(0, -1, 0), Vec3(0, -1, 0), Vec3(0, -1, 0), Vec3(0, -1, 0), Vec3(0, 0, 0),
                              Vec3(0, 0, 0), Vec3(0, 1, 0), Vec3(0, -25, 0)})
        targetPath_.addPoint(point);
}

void TwisterScene::updateRings(float p)
{
    const double q = 60.0 * p;
    for (int k = 0; k < kRingCount; ++k) {
        const double i = k;
        rings_.twist[k] = static_cast<float>(1.35 * trig::sin((i + 1.78 * q) / 12) + 1.35 * trig::sin((i - 1.23 * q) / 18));
        rings_.radius[k] = static_cast<float>(1.3 * trig::sin(0.125 * i + q) + 1.8 + 1.15 * trig::cos((i - 1.8 * q) / 3));
        rings_.shift[k] = static_cast<float>(1.25 * trig::sin((i + 1.23 * q) / 5) + 1.3 * trig::sin((i + 0.9 * q) / 6));
    }
}

void TwisterScene::camera(float p, Vec3& eye, Vec3& target) const
{
    Vec3 points[4];
    eyePoints(p, points);
    if (p <= 0.2f)
        eye = eyePath_.evaluate(p * 0.98f);  // the descent, on the path's first segment
    else if (p <= 0.38f)
        eye = points[2];
    else if (p <= 0.48f)
        eye = points[3];
    else if (p <= 0.58f)
        eye = points[1];
    else if (p <= 0.7f)
        eye = points[3];
    else if (p <= 0.82f)
        eye = points[2];
    else
        eye = points[0];
    target = targetPath_.evaluate(p * 0.98f);
}

Result<TwisterScene> TwisterScene::load(Gfx& g, const std::filesystem::path& gfx)
{
    TwisterScene scene;
    Result<Texture> tunnel = loadTexture(g, (gfx / "tunnel3.jpg").string(), false);
    if (!tunnel) return Failure{tunnel.message()};
    scene.tunnel_ = tunnel.take();
    return scene;
}

void TwisterScene::draw(Gfx& g, float p, const FrameContext& frame, const SceneShared& shared)
{
    g.modelView.loadIdentity();
    Vec3 eye, target;
    camera(p, eye, target);
    lookAt(g.modelView.top(), eye.x, eye.y, eye.z, target.x, target.y, target.z, 0, 1, 0);
    g.modelView.translate(0, -25, 0);

    drawFloorGrid(g, kFloor.withTexture(shared.textures.bigflare.texture.id()), shared.floor,
                  0.85f * sinePulse(p, 0, 1, 2));

    // The fire ring stays as Scene D left it: drawn, never advanced.
    g.modelView.push();
    g.modelView.rotate(90, -1, 0, 0);
    drawParticles(g, shared.emitters.hellCircle, ParticleFrame{frame.elapsed, &shared.font, false});
    g.modelView.pop();

    g.modelView.rotate(-70, 0, 1, 0);

    // The wall: the panel picture, cut into a lattice where the surround picture is bright;
    // blended over what is there by its alpha, depth-tested.
    const DrawState wall{.blend = Blend::Alpha,
                         .depthTest = true,
                         .texture = tunnel_.id(),
                         .moreTextures = {shared.textures.surround.texture.id()},
                         .program = shared.programs.detourage.id(),
                         .uniforms = {{{"dval", 0.15f}}}};
    drawColumn(g, wall);
    updateRings(p);

    // A bluish-white veil over the first 5 %.
    const float f = 1 - linearStep(p, 0, 0.05f);
    if (f > 0) {
        g.colour(0.9f, 0.95f, 1.0f, f);
        shared.quad.draw(g, kVeil);
    }
}
