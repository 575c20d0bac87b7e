// Emitters whose particles are drawn as one batch show the same picture, and leave the same
// light, material and matrices behind, as drawing their particles one at a time.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "GLContext.h"
#include "effects/ParticleDrawing.h"
#include "effects/Programs.h"

namespace {

void fill(ParticleEmitter& e, DrawStyle style, TextureId texture, int count = 40)
{
    e.allocate(count);
    e.drawStyle = style;
    e.texture = texture;
    e.billboardMode = BillboardMode::Fixed;
    for (size_t i = 0; i < e.particles.size(); ++i) {
        Particle& p = e.particles[i];
        p.alive = i % 7 != 3;  // some records free
        const float k = static_cast<float>(i);
        p.position = {0.8f * std::sin(1.7f * k), 0.8f * std::cos(2.3f * k), 0};
        p.size = 0.1f + 0.3f * std::fmod(0.37f * k, 1.0f);
        p.colour = {0.3f + 0.5f * std::fmod(0.13f * k, 1.0f), 0.6f, 0.9f - 0.4f * std::fmod(0.29f * k, 1.0f)};
        p.alpha = 0.2f + 0.7f * std::fmod(0.41f * k, 1.0f);
        p.angle = i % 3 ? 0.0f : 0.5f + 0.1f * k;
    }
}

struct Drawn {
    std::vector<uint8_t> pixels;
    Shading shading;
    Mat4 modelView;
};

// What a drawing has left: the pixels and what later drawing depends on.
Drawn leftBehind() { return {readPixels(), gfx().shading(), gfx().modelView.top()}; }

void expectSame(const Drawn& a, const Drawn& b, const std::string& what)
{
    EXPECT_EQ(a.pixels, b.pixels) << what;
    EXPECT_TRUE(a.shading == b.shading) << what << ": the light or material left differs";
    EXPECT_TRUE(a.modelView == b.modelView) << what << ": the modelview left differs";
}

Drawn draw(ParticleEmitter& e, bool batched)
{
    resetDrawing();
    ortho(gfx().projection.top(), -1, 1, -1, 1, -1, 1);
    gfx().modelView.rotate(70, -1, 0.3f, 0);  // the streaks run along z: tip it towards the viewer's up
    if (batched)
        drawParticles(gfx(), e, ParticleFrame{});
    else
        drawParticlesOneByOne(gfx(), e, ParticleFrame{});
    return leftBehind();
}

TEST(ParticleBatch, SpritesAndStreaksLookAndLeaveStateAsOneByOne)
{
    const Texture texture = flatTexture(255, 200, 120, 180);
    for (DrawStyle style : {DrawStyle::Sprite, DrawStyle::Streak}) {
        ParticleEmitter e;
        fill(e, style, texture.id());
        const Drawn single = draw(e, false);
        const Drawn batch = draw(e, true);
        int lit = 0;
        for (size_t i = 0; i < single.pixels.size(); i += 4) lit += single.pixels[i] > 0;
        EXPECT_GT(lit, 50) << "style " << static_cast<int>(style) << " drew next to nothing";
        expectSame(batch, single, "style " + std::to_string(static_cast<int>(style)));
    }
}

// Lit cubes crowded in depth in front of a perspective camera, shaded by the spot-light
// program: one by one, or batched through its per-particle form.
Drawn drawLitCubes(ParticleEmitter& e, const ShaderProgram& phong, const ShaderProgram& batchProgram)
{
    resetDrawing();
    perspective(gfx().projection.top(), 60, 1, 0.5, 50);
    lookAt(gfx().modelView.top(), 0.3, -0.2, 3.2, 0, 0, 0, 0, 1, 0);
    gfx().modelView.rotate(35, 0.2f, 1, 0.1f);
    e.rotation = Vec3(-4, 3, -3);  // light behind the cubes, off to one side
    LitCubeBatch batch(gfx());
    drawParticlesShaded(gfx(), e, ParticleFrame{}, phong, batchProgram, batch);
    return leftBehind();
}

TEST(ParticleBatch, LitCubesLookAndLeaveStateAsOneByOne)
{
    std::vector<std::string> failures;
    const ShaderProgram phong = buildPhong(gfx().device(), failures);
    const ShaderProgram batch = buildPhongParticles(gfx().device(), failures);
    ASSERT_TRUE(failures.empty()) << failures.front();
    const ShaderProgram none;  // not linked: the cubes are drawn one by one
    for (DrawStyle style : {DrawStyle::SmallCube, DrawStyle::Cube}) {
        ParticleEmitter e;
        fill(e, style, TextureId{}, 400);
        e.billboardMode = BillboardMode::Camera;
        for (size_t i = 0; i < e.particles.size(); ++i) {
            Particle& p = e.particles[i];
            p.position.z = 1.2f * std::sin(0.9f * static_cast<float>(i));
            p.size *= style == DrawStyle::SmallCube ? 1.2f : 0.5f;
            p.alpha = 0.6f + 0.5f * (p.alpha - 0.2f);
        }
        const Drawn single = drawLitCubes(e, phong, none);
        const Drawn batched = drawLitCubes(e, phong, batch);
        int lit = 0, off = 0, worst = 0;
        double total = 0;
        for (size_t i = 0; i < single.pixels.size(); ++i) {
            if (i % 4 == 3) continue;
            const int d = std::abs(single.pixels[i] - batched.pixels[i]);
            lit += i % 4 == 0 && single.pixels[i] > 8;
            total += d;
            off += d > 2;
            worst = std::max(worst, d);
        }
        EXPECT_GT(lit, 400) << "style " << static_cast<int>(style) << " drew next to nothing";
        // The batch works the moved matrices out as the one-by-one draws do; a GL may still
        // round the two ways differently, so a pixel where two cubes cross may change sides.
        EXPECT_LT(total / (kSize * kSize * 3), 1.0 / 4) << "style " << static_cast<int>(style);
        EXPECT_LE(off, 4) << "style " << static_cast<int>(style) << ", worst difference " << worst;
        EXPECT_TRUE(batched.shading == single.shading) << "style " << static_cast<int>(style);
        EXPECT_TRUE(batched.modelView == single.modelView) << "style " << static_cast<int>(style);
    }
}

}  // namespace
