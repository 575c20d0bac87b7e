#include "effects/ParticleDrawing.h"

#include <cmath>
#include <cstring>

#include "geometry/Meshes.h"
#include "geometry/Shapes.h"
#include "gfx/ShaderProgram.h"
#include "text/BitmapFont.h"

namespace {

void vertex(const Vec3& v) { glVertex3f(v.x, v.y, v.z); }

// The emitter's per-particle rotation of a style at clock time T seconds, degrees:
// (1000 T / 10) × v / 50.
float styleAngle(float T, float v) { return static_cast<float>(1000.0 * T / 10.0 * v / 50.0); }

void rotateForStyle(const Vec3& at, float T, float v)
{
    glPushMatrix();
    glTranslatef(at.x, at.y, at.z);
    glRotatef(styleAngle(T, v), 1, -1, 0.5f);
}

// The state every lit shape is drawn with; lighting itself is set per particle.
void setLitDrawState()
{
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
}

// Where light 0 stands relative to each lit particle's corner (object space).
Vec3 lightFromCorner(const ParticleEmitter& e) { return {-e.rotation.x, -e.rotation.z, -e.rotation.y}; }

// The half size of a lit cube (styles 6 and 7) of particle size s.
float cubeHalfSize(const ParticleEmitter& e, float s) { return e.drawStyle == DrawStyle::SmallCube ? 0.35f * s : s; }

void litStep(const Particle& p, const ParticleEmitter& e, const Vec3& corner)
{
    const float a = p.alpha;
    const Vec3& c = p.colour;
    glDisable(GL_LIGHTING);
    glPushMatrix();
    glTranslatef(corner.x, corner.y, corner.z);
    setLitDrawState();
    glEnable(GL_LIGHTING);
    const Vec3 L = lightFromCorner(e);
    const GLfloat light[4] = {L.x, L.y, L.z, 1};
    const GLfloat ambient[4] = {0.1f * a, 0.1f * a, 0.1f * a, 1};
    const GLfloat full[4] = {a, a, a, 1};
    glLightfv(GL_LIGHT0, GL_POSITION, light);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, full);
    glLightfv(GL_LIGHT0, GL_SPECULAR, full);
    const GLfloat matAmbient[4] = {0.3f * a, 0.3f * a, 0.3f * a, 1};
    const GLfloat matDiffuse[4] = {c.x * a, c.y * a, c.z * a, 1};
    const GLfloat matSpecular[4] = {0.6f * a, 0.6f * a, 0.6f * a, 1};
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, matAmbient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, matDiffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, matSpecular);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 70);
    glColor4f(c.x * a, c.y * a, c.z * a, a);
    const float s = p.size;
    switch (e.drawStyle) {
    case DrawStyle::Icosahedron: drawIcosahedron(0.35f * s); break;
    case DrawStyle::Dodecahedron: drawDodecahedron(s); break;
    case DrawStyle::SmallCube:
    case DrawStyle::Cube: drawCubeMesh(cubeHalfSize(e, s)); break;
    case DrawStyle::Octahedron: drawOctahedron(s); break;
    default: break;  // the other styles draw nothing lit
    }
    glDisable(GL_LIGHTING);
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_CULL_FACE);
    glPopMatrix();
}

// A particle's billboard axes, turned by its angle, and its first corner.
struct Sprite {
    Vec3 R, U, C0;
};

Sprite sprite(const Particle& p, const ParticleEmitter& e)
{
    Sprite q{e.right, e.up, {}};
    if (p.angle > 0) {
        const float ca = std::cos(p.angle), sa = std::sin(p.angle);
        q.R = e.right * ca + e.up * sa;
        q.U = e.up * ca - e.right * sa;
    }
    q.C0 = p.position - q.R * (p.size / 2) - q.U * (p.size / 2);
    return q;
}

void spriteQuad(const Sprite& q, float s)
{
    const Vec3 C1 = q.C0 + q.U * s, C2 = C1 + q.R * s, C3 = C2 - q.U * s;
    glTexCoord2f(0, 0);
    vertex(q.C0);
    glTexCoord2f(0, 1);
    vertex(C1);
    glTexCoord2f(1, 1);
    vertex(C2);
    glTexCoord2f(1, 0);
    vertex(C3);
}

// Smoothed lines two pixels wide, added over everything: no texture, no lighting, no depth test.
void additiveLines()
{
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_LINE_SMOOTH);
    glLineWidth(2);
}

void drawParticle(const Particle& p, const ParticleEmitter& e, const ParticleFrame& frame)
{
    const float s = p.size, a = p.alpha;
    const Vec3& c = p.colour;
    const Vec3& P = p.position;
    const Sprite q = sprite(p, e);
    const Vec3 C0 = q.C0;
    if (!e.textured) {
        glLineWidth(1);
        glDisable(GL_LINE_SMOOTH);
        glColor4f(c.x, c.y, c.z, a);
        glBegin(GL_LINE_STRIP);
        vertex(C0);
        vertex(Vec3(C0.x + s, C0.y, C0.z + 0.15f));
        glEnd();
        return;
    }
    glColor4f(c.x, c.y, c.z, a);
    switch (e.drawStyle) {
    case DrawStyle::Sprite: {
        glDisable(GL_LIGHTING);
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        glDisable(GL_DEPTH_TEST);
        glBindTexture(GL_TEXTURE_2D, e.texture);
        glDepthMask(GL_FALSE);
        glBegin(GL_QUADS);
        spriteQuad(q, s);
        glEnd();
        glDepthMask(GL_TRUE);
        glDisable(GL_LIGHTING);
        break;
    }
    case DrawStyle::Streak:
        additiveLines();
        glBegin(GL_LINE_LOOP);
        vertex(C0);
        vertex(C0 + Vec3(0, 0, s));
        glEnd();
        glDisable(GL_LINE_SMOOTH);
        break;
    case DrawStyle::Panel:
        additiveLines();
        drawPanel(C0, Vec3(-0.9f, -0.0f, 0), s, s, c, 0.5f * a, a);
        break;
    case DrawStyle::WireBox:
        glDisable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        rotateForStyle(P, frame.clockSeconds, p.angle);
        glEnable(GL_LINE_SMOOTH);
        glLineWidth(3);
        drawWireBox(0.5f * s, false);
        glLineWidth(1);
        glDisable(GL_LINE_SMOOTH);
        glPopMatrix();
        break;
    case DrawStyle::Spiral:
        glDisable(GL_TEXTURE_2D);
        rotateForStyle(P, frame.clockSeconds, p.spin);
        glEnable(GL_LINE_SMOOTH);
        glLineWidth(3);
        drawSpiral(80, 0, -s, 0, c, a, p.spin / 2000);
        glLineWidth(1);
        glDisable(GL_LINE_SMOOTH);
        glPopMatrix();
        break;
    case DrawStyle::Disc:
        glDisable(GL_TEXTURE_2D);
        rotateForStyle(P, frame.clockSeconds, p.spin);
        if (P.z > 8.0f) {
            glDisable(GL_BLEND);
            glEnable(GL_DEPTH_TEST);
            glColor4f(0, 0, 0, 0);
            drawDisc(Vec3(), 0.5f * s);
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            glEnable(GL_LINE_SMOOTH);
            glLineWidth(1);
            glColor4f(1, 1, 1, a);
            drawCircle(Vec3(), 0.5f * s);
            glLineWidth(1);
            glDisable(GL_LINE_SMOOTH);
        }
        glPopMatrix();
        break;
    case DrawStyle::Text:
        if (!e.text || !frame.font) break;  // nothing to write, or nothing to write with
        glPushMatrix();
        glDisable(GL_FOG);
        glDisable(GL_LIGHTING);
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glBindTexture(GL_TEXTURE_2D, frame.font->picture());
        glColor4f(1, 1, 1, a);
        glEnable(GL_DEPTH_TEST);
        glTranslatef(P.x, P.y, P.z);
        glRotatef(-e.rotation.x, 1, 0, 0);
        glRotatef(-e.rotation.y, 0, 1, 0);
        glRotatef(-e.rotation.z, 0, 0, 1);
        glDepthMask(GL_FALSE);
        glListBase(frame.font->listBase() - 32);
        glScalef(s, s, s);
        glCallLists(static_cast<GLsizei>(std::strlen(e.text)), GL_UNSIGNED_BYTE, e.text);
        glDepthMask(GL_TRUE);
        glPopMatrix();
        break;
    default:
        break;  // the lit solids are drawn by the lit step alone
    }
    litStep(p, e, C0);
}

// Flat sprites (style 1) and spark streaks (style 11) set the same state for every particle,
// and the lit step after each one changes nothing they draw. So their particles go to GL as
// one batch, in the same order, and the lit step is set once, for the last particle: the
// picture and the state left behind are those of drawing them one by one.
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

void drawBatch(const ParticleEmitter& e)
{
    const Particle* last = lastAlive(e);
    if (!last) return;
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glDisable(GL_DEPTH_TEST);
    if (e.drawStyle == DrawStyle::Sprite) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, e.texture);
        glDepthMask(GL_FALSE);
        glBegin(GL_QUADS);
    } else {
        glDisable(GL_TEXTURE_2D);
        glEnable(GL_LINE_SMOOTH);
        glLineWidth(2);
        glBegin(GL_LINES);  // each streak as its loop of two points draws it: there and back
    }
    for (const Particle& p : e.particles) {
        if (!p.alive) continue;
        glColor4f(p.colour.x, p.colour.y, p.colour.z, p.alpha);
        const Sprite q = sprite(p, e);
        if (e.drawStyle == DrawStyle::Sprite) {
            spriteQuad(q, p.size);
        } else {
            const Vec3 end = q.C0 + Vec3(0, 0, p.size);
            vertex(q.C0);
            vertex(end);
            vertex(end);
            vertex(q.C0);
        }
    }
    glEnd();
    if (e.drawStyle == DrawStyle::Sprite)
        glDepthMask(GL_TRUE);
    else
        glDisable(GL_LINE_SMOOTH);
    litStep(*last, e, sprite(*last, e).C0);
}

// The billboard axes from the current matrices (textured), or texturing off (streaks).
void prepareDraw(ParticleEmitter& e)
{
    if (e.textured) {
        Vec3 back;
        switch (e.billboardMode) {
        case BillboardMode::Fixed:
            e.right = {1, 0, 0};
            e.up = {0, 1, 0};
            break;
        case BillboardMode::Camera: cameraAxes(e.right, e.up, back); break;
        case BillboardMode::CameraUpright: {
            Vec3 cameraUp;
            cameraAxes(e.right, cameraUp, back);
            e.up = {0, 1, 0};
            break;
        }
        }
    } else {
        glDisable(GL_TEXTURE_2D);
    }
}

void drawEach(const ParticleEmitter& e, const ParticleFrame& frame)
{
    for (const Particle& p : e.particles)
        if (p.alive) drawParticle(p, e, frame);
}

}  // namespace

void drawParticles(ParticleEmitter& e, const ParticleFrame& frame)
{
    prepareDraw(e);
    if (batched(e))
        drawBatch(e);
    else
        drawEach(e, frame);
}

void drawParticlesOneByOne(ParticleEmitter& e, const ParticleFrame& frame)
{
    prepareDraw(e);
    drawEach(e, frame);
}

void drawParticlesShaded(ParticleEmitter& e, const ParticleFrame& frame, const ShaderProgram& program,
                         const ShaderProgram& batchProgram, LitCubeBatch& batch)
{
    program.use();
    const bool cubes = e.textured && (e.drawStyle == DrawStyle::SmallCube || e.drawStyle == DrawStyle::Cube);
    if (!cubes || !batchProgram.linked() || !LitCubeBatch::available()) {
        drawParticles(e, frame);
        return;
    }
    prepareDraw(e);
    const Particle* last = lastAlive(e);
    if (!last) return;

    batch.begin(e.particles.size(), lightFromCorner(e));
    for (const Particle& p : e.particles)
        if (p.alive && &p != last) batch.add(sprite(p, e).C0, cubeHalfSize(e, p.size), p.alpha, p.colour);
    setLitDrawState();  // lighting and fog are the program's
    batch.draw(batchProgram);
    program.use();
    drawParticle(*last, e, frame);
}
