// Emitters whose particles are drawn as one batch show the same picture, and leave the same
// GL state behind, as drawing their particles one at a time.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "GLContext.h"
#include "effects/ParticleDrawing.h"
#include "gfx/Glu.h"
#include "gfx/Programs.h"

namespace {

void fill(ParticleEmitter& e, DrawStyle style, GLuint texture, int count = 40)
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
    std::vector<float> state;
};

// What a drawing has left: the pixels and the state later drawing depends on.
Drawn leftBehind()
{
    Drawn d;
    d.pixels = readPixels();
    for (GLenum cap : {GL_BLEND, GL_DEPTH_TEST, GL_LIGHTING, GL_TEXTURE_2D, GL_LINE_SMOOTH, GL_COLOR_MATERIAL,
                       GL_CULL_FACE, GL_LIGHT0})
        d.state.push_back(glIsEnabled(cap));
    for (GLenum name : {GL_BLEND_SRC_RGB, GL_BLEND_DST_RGB, GL_DEPTH_WRITEMASK, GL_TEXTURE_BINDING_2D, GL_CURRENT_PROGRAM}) {
        GLint v = 0;
        glGetIntegerv(name, &v);
        d.state.push_back(static_cast<float>(v));
    }
    float values[16];
    auto add = [&](int n) { d.state.insert(d.state.end(), values, values + n); };
    glGetFloatv(GL_CURRENT_COLOR, values);
    add(4);
    glGetFloatv(GL_LINE_WIDTH, values);
    add(1);
    glGetFloatv(GL_MODELVIEW_MATRIX, values);
    add(16);
    glGetFloatv(GL_LIGHT_MODEL_AMBIENT, values);
    add(4);
    for (GLenum name : {GL_POSITION, GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR}) {
        glGetLightfv(GL_LIGHT0, name, values);
        add(4);
    }
    for (GLenum name : {GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR, GL_SHININESS}) {
        glGetMaterialfv(GL_FRONT, name, values);
        add(name == GL_SHININESS ? 1 : 4);
    }
    glDepthMask(GL_TRUE);
    glUseProgram(0);
    return d;
}

Drawn draw(ParticleEmitter& e, bool batched)
{
    resetDrawingState();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1, 1, -1, 1, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(70, -1, 0.3f, 0);  // the streaks run along z: tip it towards the viewer's up
    if (batched)
        drawParticles(e, ParticleFrame{});
    else
        drawParticlesOneByOne(e, ParticleFrame{});
    return leftBehind();
}

TEST(ParticleBatch, SpritesAndStreaksLookAndLeaveStateAsOneByOne)
{
    const GLuint texture = flatTexture(255, 200, 120, 180);
    for (DrawStyle style : {DrawStyle::Sprite, DrawStyle::Streak}) {
        ParticleEmitter e;
        fill(e, style, texture);
        const Drawn single = draw(e, false);
        const Drawn batch = draw(e, true);
        int lit = 0;
        for (size_t i = 0; i < single.pixels.size(); i += 4) lit += single.pixels[i] > 0;
        EXPECT_GT(lit, 50) << "style " << static_cast<int>(style) << " drew next to nothing";
        EXPECT_EQ(batch.pixels, single.pixels) << "style " << static_cast<int>(style);
        EXPECT_EQ(batch.state, single.state) << "style " << static_cast<int>(style);
    }
    glDeleteTextures(1, &texture);
}

// Lit cubes crowded in depth in front of a perspective camera, shaded by the spot-light
// program: one by one, or batched through its per-particle form.
Drawn drawLitCubes(ParticleEmitter& e, const ShaderProgram& phong, const ShaderProgram& batchProgram)
{
    resetDrawingState();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60, 1, 0.5, 50);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0.3, -0.2, 3.2, 0, 0, 0, 0, 1, 0);
    glRotatef(35, 0.2f, 1, 0.1f);
    e.rotation = Vec3(-4, 3, -3);  // light behind the cubes, off to one side
    glEnable(GL_DEPTH_TEST);
    LitCubeBatch batch;
    drawParticlesShaded(e, ParticleFrame{}, phong, batchProgram, batch);
    return leftBehind();
}

TEST(ParticleBatch, LitCubesLookAndLeaveStateAsOneByOne)
{
    std::vector<std::string> failures;
    const ShaderProgram phong = buildPhong(failures);
    const ShaderProgram batch = buildPhongParticles(failures);
    ASSERT_TRUE(failures.empty()) << failures.front();
    const ShaderProgram none;  // not linked: the cubes are drawn one by one
    for (DrawStyle style : {DrawStyle::SmallCube, DrawStyle::Cube}) {
        ParticleEmitter e;
        fill(e, style, 0, 400);
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
        // The batch works the moved matrices out as Mesa does, and this GL draws the same
        // pixels; another GL may round its matrices its own way, so a pixel where two cubes
        // cross may change sides.
        EXPECT_LT(total / (kSize * kSize * 3), 1.0 / 4) << "style " << static_cast<int>(style);
        EXPECT_LE(off, 4) << "style " << static_cast<int>(style) << ", worst difference " << worst;
        EXPECT_EQ(batched.state, single.state) << "style " << static_cast<int>(style);
    }
}

}  // namespace
