// The built-in shading against the formulas of the fixed-function pipeline it stands in for:
// light 0 per vertex, colour material, fog by eye depth, the clamped vertex colour.
#include <gtest/gtest.h>

#include <cmath>

#include "GLContext.h"

namespace {

// A square facing the eye (normal +z), 2 x 2 units at eye depth `depth`, in the current colour.
void square(const DrawState& state, float depth)
{
    Gfx& g = gfx();
    g.normal(0, 0, 1);
    g.begin(Primitive::Quads, state);
    g.vertex(-1, -1, -depth);
    g.vertex(1, -1, -depth);
    g.vertex(1, 1, -depth);
    g.vertex(-1, 1, -depth);
    g.end();
}

void litScene()
{
    resetDrawing();
    ortho(gfx().projection.top(), -1, 1, -1, 1, -200, 200);
    // Light from straight ahead: n·L = 1, and the half vector towards a viewer at infinity too.
    gfx().setLight({0, 0, 1, 0}, {0.1f, 0.1f, 0.1f, 1}, {1, 1, 1, 1}, {0.2f, 0.2f, 0.2f, 1});
    gfx().setModelAmbient({0.2f, 0.2f, 0.2f, 1});
    gfx().setMaterial({0.5f, 0.5f, 0.5f, 1}, {0.4f, 0.3f, 0.2f, 1}, {1, 1, 1, 1}, 10);
}

const uint8_t* centre(const std::vector<uint8_t>& pixels) { return pixel(pixels, kSize / 2, kSize / 2); }

TEST(Shading, LightOnTheMaterialIsAmbientPlusDiffusePlusSpecular)
{
    litScene();
    square({.lighting = Lighting::Material}, 1);
    // 0.2 × 0.5 + 0.1 × 0.5 + 1 × diffuse + 0.2 × 1 for each channel.
    const auto pixels = readPixels();
    const float diffuse[3] = {0.4f, 0.3f, 0.2f};
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(centre(pixels)[c], (0.35 + diffuse[c]) * 255, 1) << "channel " << c;
}

TEST(Shading, NormalsKeepTheModelviewsScale)
{
    // Scaled down by 4, the unnormalised normal comes out 4 long: the diffuse term quadruples
    // (and saturates), as it does when GL does not normalise normals.
    litScene();
    gfx().modelView.scale(0.25f, 0.25f, 0.25f);
    gfx().setMaterial({0, 0, 0, 1}, {0.2f, 0.1f, 0.05f, 1}, {0, 0, 0, 1}, 0);
    square({.lighting = Lighting::Material}, 4);
    const auto pixels = readPixels();
    EXPECT_NEAR(centre(pixels)[0], 0.8 * 255, 1);
    EXPECT_NEAR(centre(pixels)[1], 0.4 * 255, 1);
    EXPECT_NEAR(centre(pixels)[2], 0.2 * 255, 1);
}

TEST(Shading, ColourMaterialTakesAmbientAndDiffuseFromTheVertex)
{
    litScene();
    gfx().colour(0.6f, 0.2f, 0.0f, 1);
    square({.lighting = Lighting::ColourMaterial}, 1);
    // (0.2 + 0.1) × colour + 1 × colour + specular 0.2.
    const auto pixels = readPixels();
    const float colour[3] = {0.6f, 0.2f, 0.0f};
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(centre(pixels)[c], (1.3 * colour[c] + 0.2) * 255, 1) << "channel " << c;
}

TEST(Shading, FogDarkensLinearlyWithEyeDepthAndSparesWhatIsUnfogged)
{
    for (const float depth : {0.0f, 30.0f, 90.0f, 150.0f}) {
        resetDrawing();
        ortho(gfx().projection.top(), -1, 1, -1, 1, -200, 200);
        gfx().setFog(120);
        gfx().colour(1, 0.5f, 0.25f, 1);
        square({.fog = true}, depth);
        const float f = std::max(0.0f, 1 - depth / 120);
        const auto fogged = readPixels();
        EXPECT_NEAR(centre(fogged)[0], 255 * f, 1) << "eye depth " << depth;
        EXPECT_NEAR(centre(fogged)[1], 127.5 * f, 1) << "eye depth " << depth;
        square({}, depth);
        EXPECT_NEAR(centre(readPixels())[1], 127.5, 1) << "eye depth " << depth;
    }
}

TEST(Shading, VertexColoursAreClampedBeforeTheyBlend)
{
    resetDrawing();
    gfx().colour(0.5f, 0.5f, 0.5f, 1);
    square({}, 0);
    // Alpha 3 clamps to 1: the square replaces what is there instead of tripling it.
    gfx().colour(2.0f, 0.25f, -1.0f, 3.0f);
    square({.blend = Blend::Alpha}, 0);
    const auto pixels = readPixels();
    EXPECT_EQ(centre(pixels)[0], 255);
    EXPECT_NEAR(centre(pixels)[1], 64, 1);
    EXPECT_EQ(centre(pixels)[2], 0);
}

}  // namespace
