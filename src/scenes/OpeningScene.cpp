#include "scenes/OpeningScene.h"

#include <cmath>

#include "geometry/Shapes.h"
#include "gfx/TextureFile.h"
#include "math/Shaping.h"
#include "math/Trigonometry.h"

namespace {

// The logo's layers, laid over the white page in the order drawn.
constexpr DrawState kLogoLayer{.blend = Blend::Alpha, .depthTest = false};
// The cubes: lit in their own colours, depth-tested among themselves, faded by their alpha.
constexpr DrawState kCubes{.blend = Blend::Alpha, .depthTest = true, .lighting = Lighting::ColourMaterial};

// The waving background: 3.92 x 2 units, rippling in depth along x and slightly in y.
void drawWavingBackground(Gfx& g, const DrawState& state, float w)
{
    for (float y = -1.0f; y < 0.999f; y += 0.25f) {
        g.begin(Primitive::TriangleStrip, state);
        for (float x = -1.0f; x <= 1.01f; x += 0.1f) {
            const float z = static_cast<float>(trig::sin(79.0 * x + 5.5 * w) * 1.96 * 0.03);
            const double phase = w * 0.7 * 8.1;
            const float y2 = y + 0.25f;
            g.texCoord(x / 2 + 0.5f, y / 2 + 0.5f);
            g.vertex(1.96f * x, static_cast<float>(y + 0.02 * trig::sin(14.3 * y - phase)), z);
            g.texCoord(x / 2 + 0.5f, y2 / 2 + 0.5f);
            g.vertex(1.96f * x, static_cast<float>(y2 + 0.02 * trig::sin(14.3 * y2 - phase)), z);
        }
        g.end();
    }
}

struct ArmCube {
    float sign;  // the y of the anchor is mirrored for two of the arms
    float r, g, b;
};
constexpr ArmCube kArms[4] = {{1, 0.65f, 0.95f, 0.5f}, {-1, 0.6f, 0.8f, 0.6f}, {1, 0.75f, 0.85f, 1.0f},
                              {-1, 0.5f, 0.8f, 1.0f}};

}  // namespace

Result<OpeningScene> OpeningScene::load(Gfx& g, const std::filesystem::path& gfx)
{
    OpeningScene scene;
    Result<Texture> background = loadTexture(g, (gfx / "vaskel-logo_background.png").string(), false);
    if (!background) return Failure{background.message()};
    scene.logoBackground_ = background.take();
    Result<Texture> foreground = loadTexture(g, (gfx / "vaskel-logo_foreground.png").string(), false);
    if (!foreground) return Failure{foreground.message()};
    scene.logoForeground_ = foreground.take();
    fillCubeWindows(scene.cubeWindows_);
    return scene;
}

void fillCubeWindows(CubeWindows& windows)
{
    float start = 0.3f, end = 0.305f;
    for (auto& window : windows) {
        window[0] = start;
        window[1] = end;
        start = end;
        end += 0.005f;
    }
}

void OpeningScene::draw(Gfx& g, float p) const
{
    const float fadeBack = sinePulse(p, 0.05f, 0.99f, 1.0f);
    const float fadeFront = sinePulse(p, 0.06f, 1.0f, 2.0f);
    // Light 0 as every light starts: white, from straight behind the eye, on a material that
    // takes the cubes' colours; the light model's dim grey ambient.
    g.modelView.loadIdentity();
    g.setLight({0, 0, 1, 0}, {0, 0, 0, 1}, {1, 1, 1, 1}, {1, 1, 1, 1});
    g.setModelAmbient({0.2f, 0.2f, 0.2f, 1});
    g.setMaterial({0.2f, 0.2f, 0.2f, 1}, {0.8f, 0.8f, 0.8f, 1}, {0, 0, 0, 1}, 0);

    g.modelView.translate(0, 0, -2);
    g.colour(1, 1, 1, fadeBack);
    const float w = linearStep(p, 0, 1) * 14.0f;
    drawWavingBackground(g, kLogoLayer.withTexture(logoBackground_.id()), w);

    g.modelView.translate(0, 0, 0.1f);
    g.colour(1, 1, 1, fadeFront);
    drawTexturedRect(g, kLogoLayer.withTexture(logoForeground_.id()), -1, -1, 1, 1);
    g.modelView.translate(0, 0, -0.25f);

    constexpr float pi = 3.1415925f;
    constexpr CurveKind kTangent = CurveKind::Tangent;
    for (int i = 0; i < 120; ++i) {
        const float f = static_cast<float>(i) / 120.0f;
        const float grow = linearStep(p, cubeWindows_[i][0], cubeWindows_[i][1]);
        const float shrink = grow >= 1.0f ? linearStep(p, cubeWindows_[i][1], cubeWindows_[i][1] + 0.12f) : 0.0f;
        const float alpha = grow - shrink;
        const Vec3 anchors[4] = {curvePoint(2.3f * (1 - f), 2 * pi * (1 - f), kTangent),
                                 curvePoint(2.3f * (1 - f), 2 * pi * f, kTangent),
                                 curvePoint(1.3f * f, 2 * pi * (1 - f), kTangent), curvePoint(f, 2 * pi * f, kTangent)};
        // Outside any push: the turns add up from group to group, winding the arms.
        g.modelView.rotate(static_cast<float>(50.0 * p * f), 1.0f, -0.25f, 0.45f);
        for (int arm = 0; arm < 4; ++arm) {
            const Vec3& a = anchors[arm];
            g.modelView.push();
            g.modelView.translate(a.x, kArms[arm].sign * a.y, a.z);
            g.modelView.rotate(1460 * p, 1, 0.25f, -0.5f);
            g.colour(kArms[arm].r, kArms[arm].g, kArms[arm].b, alpha);
            if (grow < 1.0f) drawCube(g, kCubes, 0.08f * grow);
            if (shrink > 0.0f) drawCube(g, kCubes, 0.08f - 0.08f * shrink);
            g.modelView.pop();
        }
    }
}
