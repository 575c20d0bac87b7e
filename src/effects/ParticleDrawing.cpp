#include "effects/ParticleDrawing.h"

#include <cmath>
#include <string_view>

#include "geometry/Meshes.h"
#include "geometry/Shapes.h"
#include "gfx/ShaderProgram.h"
#include "math/Trigonometry.h"
#include "text/BitmapFont.h"

namespace {

// What the line and disc styles draw over: a lit step's state, without the light.
constexpr DrawState kUnlit{.blend = Blend::Alpha, .depthTest = true};
// Flat sprites: the texture added, neither depth-tested nor writing depth.
constexpr DrawState kAdditiveSprites{.blend = Blend::Additive, .depthTest = false, .depthWrite = false};
// Smoothed lines two pixels wide, added over everything: no texture, no lighting, no depth test.
constexpr DrawState kAdditiveLines{.blend = Blend::Additive, .depthTest = false, .lineWidth = 2, .smoothLines = true};
// Words: the font's picture over what is there, depth-tested without writing depth, never fogged.
constexpr DrawState kWords{.blend = Blend::Alpha, .depthTest = true, .depthWrite = false};

DrawState fogged(DrawState s, const ParticleFrame& frame)
{
    s.fog = frame.fog;
    return s;
}

// The emitter's per-particle rotation of a style at clock time T seconds, degrees:
// (1000 T / 10) × v / 50.
float styleAngle(float T, float v) { return static_cast<float>(1000.0 * T / 10.0 * v / 50.0); }

void rotateForStyle(Gfx& g, const Vec3& at, float T, float v)
{
    g.modelView.push();
    g.modelView.translate(at.x, at.y, at.z);
    g.modelView.rotate(styleAngle(T, v), 1, -1, 0.5f);
}

// Where light 0 stands relative to each lit particle's corner (object space).
Vec3 lightFromCorner(const ParticleEmitter& e) { return {-e.rotation.x, -e.rotation.z, -e.rotation.y}; }

// The half size of a lit cube (styles 6 and 7) of particle size s.
float cubeHalfSize(const ParticleEmitter& e, float s) { return e.drawStyle == DrawStyle::SmallCube ? 0.35f * s : s; }

// Sets light 0 and the material for the particle at its corner and draws its lit solid, if
// its style has one; through `program` when one is given.
void litStep(Gfx& g, const Particle& p, const ParticleEmitter& e, const Vec3& corner, const ParticleFrame& frame,
             ProgramId program)
{
    const float a = p.alpha;
    const Vec3& c = p.colour;
    g.modelView.push();
    g.modelView.translate(corner.x, corner.y, corner.z);
    const Vec3 L = lightFromCorner(e);
    const std::array<float, 4> ambient{0.1f * a, 0.1f * a, 0.1f * a, 1}, full{a, a, a, 1};
    g.setLight({L.x, L.y, L.z, 1}, ambient, full, full);
    g.setModelAmbient(ambient);
    g.setMaterial({0.3f * a, 0.3f * a, 0.3f * a, 1}, {c.x * a, c.y * a, c.z * a, 1}, {0.6f * a, 0.6f * a, 0.6f * a, 1},
                  70);
    g.colour(c.x * a, c.y * a, c.z * a, a);
    DrawState solid = fogged(kLitSolid, frame);
    solid.program = program;
    const float s = p.size;
    switch (e.drawStyle) {
    case DrawStyle::Icosahedron: drawIcosahedron(g, solid, 0.35f * s); break;
    case DrawStyle::Dodecahedron: drawDodecahedron(g, solid, s); break;
    case DrawStyle::SmallCube:
    case DrawStyle::Cube: drawCubeMesh(g, solid, cubeHalfSize(e, s)); break;
    case DrawStyle::Octahedron: drawOctahedron(g, solid, s); break;
    default: break;  // the other styles draw nothing lit
    }
    g.modelView.pop();
}

// A particle's billboard axes, turned by its angle, and its first corner.
struct Sprite {
    Vec3 R, U, C0;
};

Sprite sprite(const Particle& p, const ParticleEmitter& e)
{
    Sprite q{e.right, e.up, {}};
    if (p.angle > 0) {
        const float ca = trig::cos(p.angle), sa = trig::sin(p.angle);
        q.R = e.right * ca + e.up * sa;
        q.U = e.up * ca - e.right * sa;
    }
    q.C0 = p.position - q.R * (p.size / 2) - q.U * (p.size / 2);
    return q;
}

void spriteQuad(Gfx& g, const Sprite& q, float s)
{
    const Vec3 C1 = q.C0 + q.U * s, C2 = C1 + q.R * s, C3 = C2 - q.U * s;
    g.texCoord(0, 0);
    g.vertex(q.C0);
    g.texCoord(0, 1);
    g.vertex(C1);
    g.texCoord(1, 1);
    g.vertex(C2);
    g.texCoord(1, 0);
    g.vertex(C3);
}

void drawParticle(Gfx& g, const Particle& p, const ParticleEmitter& e, const ParticleFrame& frame,
                  ProgramId program)
{
    const float s = p.size, a = p.alpha;
    const Vec3& c = p.colour;
    const Vec3& P = p.position;
    const Sprite q = sprite(p, e);
    const Vec3 C0 = q.C0;
    g.colour(c, a);
    if (!e.textured) {
        g.begin(Primitive::LineStrip, fogged(kUnlit, frame));
        g.vertex(C0);
        g.vertex(Vec3(C0.x + s, C0.y, C0.z + 0.15f));
        g.end();
        return;
    }
    switch (e.drawStyle) {
    case DrawStyle::Sprite:
        g.begin(Primitive::Quads, fogged(kAdditiveSprites, frame).withTexture(e.texture));
        spriteQuad(g, q, s);
        g.end();
        break;
    case DrawStyle::Streak:
        g.begin(Primitive::LineLoop, fogged(kAdditiveLines, frame));
        g.vertex(C0);
        g.vertex(C0 + Vec3(0, 0, s));
        g.end();
        break;
    case DrawStyle::Panel:
        drawPanel(g, fogged(kAdditiveLines, frame), C0, Vec3(-0.9f, -0.0f, 0), s, s, c, 0.5f * a, a);
        break;
    case DrawStyle::WireBox: {
        rotateForStyle(g, P, frame.clockSeconds, p.angle);
        DrawState edges = fogged(kUnlit, frame);
        edges.smoothLines = true;
        drawWireBox(g, edges, 0.5f * s, false);
        g.modelView.pop();
        break;
    }
    case DrawStyle::Spiral: {
        rotateForStyle(g, P, frame.clockSeconds, p.spin);
        DrawState line = fogged(kUnlit, frame);
        line.lineWidth = 3;
        line.smoothLines = true;
        drawSpiral(g, line, 80, 0, -s, 0, c, a, p.spin / 2000);
        g.modelView.pop();
        break;
    }
    case DrawStyle::Disc:
        rotateForStyle(g, P, frame.clockSeconds, p.spin);
        if (P.z > 8.0f) {
            // A black disc that hides what lies behind it, rimmed with a thin white circle.
            DrawState disc = fogged(kUnlit, frame);
            disc.blend = Blend::Off;
            g.colour(0, 0, 0, 0);
            drawDisc(g, disc, Vec3(), 0.5f * s);
            DrawState rim = fogged(kUnlit, frame);
            rim.smoothLines = true;
            g.colour(1, 1, 1, a);
            drawCircle(g, rim, Vec3(), 0.5f * s);
        }
        g.modelView.pop();
        break;
    case DrawStyle::Text:
        if (!e.text || !frame.font) break;  // nothing to write, or nothing to write with
        g.modelView.push();
        g.colour(1, 1, 1, a);
        g.modelView.translate(P.x, P.y, P.z);
        g.modelView.rotate(-e.rotation.x, 1, 0, 0);
        g.modelView.rotate(-e.rotation.y, 0, 1, 0);
        g.modelView.rotate(-e.rotation.z, 0, 0, 1);
        g.modelView.scale(s, s, s);
        frame.font->write(g, kWords, e.text);
        g.modelView.pop();
        break;
    default:
        break;  // the lit solids are drawn by the lit step alone
    }
    litStep(g, p, e, C0, frame, program);
}

// Flat sprites (style 1) and spark streaks (style 11) have the same state for every particle,
// and the lit step after each one draws nothing. So their particles go to the device as one
// batch, in the same order, and the lit step is taken once, for the last particle: the
// picture and the light left behind are those of drawing them one by one.
bool batched(const ParticleEmitter& e)
{
    return e.textured && (e.drawStyle == DrawStyle::Sprite || e.drawStyle == DrawStyle::Streak);
}

// The live particle drawn last, or null when none lives.
const Particle* lastAlive(const ParticleEmitter& e)
{
    const Particle* last = nullptr;
    for (const Particle& p : e.particles)
        if (p.alive) last = &p;
    return last;
}

// Without drawing, a particle but the last is passed over: all that drawing one leaves behind
// (the current colour and texture coordinate; its matrices are popped) the next one sets
// again, so the last one's alone carries on to the frames after.
bool skipped(const Gfx& g, const Particle& p, const Particle* last) { return !g.drawing() && &p != last; }

void drawBatch(Gfx& g, const ParticleEmitter& e, const ParticleFrame& frame)
{
    const Particle* last = lastAlive(e);
    if (!last) return;
    const bool sprites = e.drawStyle == DrawStyle::Sprite;
    // Each streak as its loop of two points draws it: there and back.
    if (sprites)
        g.begin(Primitive::Quads, fogged(kAdditiveSprites, frame).withTexture(e.texture));
    else
        g.begin(Primitive::Lines, fogged(kAdditiveLines, frame));
    for (const Particle& p : e.particles) {
        if (!p.alive || skipped(g, p, last)) continue;
        g.colour(p.colour, p.alpha);
        const Sprite q = sprite(p, e);
        if (sprites) {
            spriteQuad(g, q, p.size);
        } else {
            const Vec3 end = q.C0 + Vec3(0, 0, p.size);
            g.vertex(q.C0);
            g.vertex(end);
            g.vertex(end);
            g.vertex(q.C0);
        }
    }
    g.end();
    litStep(g, *last, e, sprite(*last, e).C0, frame, {});
}

// The billboard axes from the current modelview, for a textured emitter.
void prepareDraw(Gfx& g, ParticleEmitter& e)
{
    if (!e.textured) return;
    Vec3 back;
    switch (e.billboardMode) {
    case BillboardMode::Fixed:
        e.right = {1, 0, 0};
        e.up = {0, 1, 0};
        break;
    case BillboardMode::Camera: cameraAxes(g.modelView.top(), e.right, e.up, back); break;
    case BillboardMode::CameraUpright: {
        Vec3 cameraUp;
        cameraAxes(g.modelView.top(), e.right, cameraUp, back);
        e.up = {0, 1, 0};
        break;
    }
    }
}

void drawEach(Gfx& g, const ParticleEmitter& e, const ParticleFrame& frame, ProgramId program)
{
    const Particle* last = lastAlive(e);
    for (const Particle& p : e.particles)
        if (p.alive && !skipped(g, p, last)) drawParticle(g, p, e, frame, program);
}

}  // namespace

void drawParticles(Gfx& g, ParticleEmitter& e, const ParticleFrame& frame)
{
    prepareDraw(g, e);
    if (batched(e))
        drawBatch(g, e, frame);
    else
        drawEach(g, e, frame, {});
}

void drawParticlesOneByOne(Gfx& g, ParticleEmitter& e, const ParticleFrame& frame)
{
    prepareDraw(g, e);
    drawEach(g, e, frame, {});
}

void drawParticlesShaded(Gfx& g, ParticleEmitter& e, const ParticleFrame& frame, const ShaderProgram& program,
                         const ShaderProgram& batchProgram, LitCubeBatch& batch)
{
    const bool cubes = e.textured && (e.drawStyle == DrawStyle::SmallCube || e.drawStyle == DrawStyle::Cube);
    prepareDraw(g, e);
    if (!cubes || !batchProgram.linked()) {
        drawEach(g, e, frame, program.id());
        return;
    }
    const Particle* last = lastAlive(e);
    if (!last) return;

    batch.begin(g.modelView.top(), g.projection.top(), e.particles.size(), lightFromCorner(e));
    if (g.drawing())
        for (const Particle& p : e.particles)
            if (p.alive && &p != last) batch.add(sprite(p, e).C0, cubeHalfSize(e, p.size), p.alpha, p.colour);
    // Lighting and fog are the program's.
    DrawState cubesState = kLitSolid;
    cubesState.lighting = Lighting::Off;
    cubesState.program = batchProgram.id();
    batch.draw(g, cubesState);
    drawParticle(g, *last, e, frame, program.id());
}
