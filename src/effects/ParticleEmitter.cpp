#include "effects/ParticleEmitter.h"

#include <cmath>
#include <cstring>

#include "app/FrameClock.h"
#include "effects/LitCubeBatch.h"
#include "geometry/Meshes.h"
#include "geometry/Shapes.h"
#include "gfx/Random.h"
#include "text/BitmapFont.h"
#include "timeline/ShaderProgram.h"

ParticleEmitter hellCircle;
ParticleEmitter meteoriteFlamme;
ParticleEmitter twinkles;
ParticleEmitter greetingEmitters[18];
ParticleEmitter ribbon, ribbon2, ribbon3, ribbon4;

namespace {

// One draw of the C library generator in [0, 1].
float u() { return static_cast<float>(rand15() / 32767.0); }
// One draw in [-1, 1].
float signedU() { return 2.0f * u() - 1.0f; }
// first + u × (second − first), u drawn here.
float between(float first, float second) { return first + u() * (second - first); }

}  // namespace

void ParticleEmitter::setPosition(float x, float y, float z, float jx, float jy, float jz)
{
    position = {x, y, z};
    positionJitter = {jx, jy, jz};
}
void ParticleEmitter::setDirection(float x, float y, float z, float jx, float jy, float jz)
{
    direction = {x, y, z};
    directionJitter = {jx, jy, jz};
}
void ParticleEmitter::setSpin(float min, float max)
{
    spinMin = min;
    spinMax = max;
}
void ParticleEmitter::setAcceleration(float x, float y, float z, float min, float max)
{
    acceleration = {x, y, z};
    accelerationMin = min;
    accelerationMax = max;
}
void ParticleEmitter::setColourStart(float r1, float g1, float b1, float r2, float g2, float b2)
{
    colourStartA = {r1, g1, b1};
    colourStartB = {r2, g2, b2};
}
void ParticleEmitter::setColourEnd(float r1, float g1, float b1, float r2, float g2, float b2)
{
    colourEndA = {r1, g1, b1};
    colourEndB = {r2, g2, b2};
}
void ParticleEmitter::setAlpha(float startMin, float startMax, float endMin, float endMax)
{
    alphaStartMin = startMin;
    alphaStartMax = startMax;
    alphaEndMin = endMin;
    alphaEndMax = endMax;
}
void ParticleEmitter::setSize(float startMin, float startMax, float endMin, float endMax)
{
    sizeStartMin = startMin;
    sizeStartMax = startMax;
    sizeEndMin = endMin;
    sizeEndMax = endMax;
}

bool ParticleEmitter::allocate(int32_t count, const char*)
{
    particles.assign(static_cast<size_t>(count), Particle{});
    particleCount = count;
    return true;
}

Vec3 spawnPoint(const ParticleEmitter& e)
{
    const float R = e.shapeRadius;
    switch (e.shapeKind) {
    case 1: return e.position + randomOnSphere(R);
    case 2: return e.position + curvePoint(R, randomRange(0, e.shapeAngle), 2);
    case 3: return e.position + randomAlongAngle(R, randomRange(0, e.shapeAngle));
    case 4: return e.position + randomInCube(R);
    case 5: return e.position + curvePoint(R, randomRange(0, e.shapeAngle), 5);
    case 6: return e.position + curvePoint(R, randomRange(0, e.shapeAngle), 6);
    case 7: return e.position + curvePoint(R, randomRange(0, e.shapeAngle), 7);
    case 8: {
        const Vec3 cube = randomInCube(2 * R);
        const Vec3 sphere = randomOnSphere(R);
        return e.position + lerpVec3(sphere, cube, e.shapeBlend);
    }
    default: return e.position;
    }
}

bool spawn(Particle& p, ParticleEmitter& e)
{
    p.life = between(e.lifeMin, e.lifeMax);
    if (p.life == 0.0f) return false;
    p.age = 0;
    p.position = e.useShape ? spawnPoint(e) : Vec3();
    p.position.x += signedU() * e.positionJitter.x;
    p.position.y += signedU() * e.positionJitter.y;
    p.position.z += signedU() * e.positionJitter.z;
    p.velocity.x = e.direction.x + signedU() * e.directionJitter.x;
    p.velocity.y = e.direction.y + signedU() * e.directionJitter.y;
    p.velocity.z = e.direction.z + signedU() * e.directionJitter.z;
    p.velocity = p.velocity * between(e.speedMin, e.speedMax);
    p.acceleration = e.acceleration * between(e.accelerationMin, e.accelerationMax);
    const float startU = u();
    const Vec3 start = e.colourStartA + (e.colourStartB - e.colourStartA) * startU;
    p.colour = start;
    const float endU = u();
    const Vec3 end = e.colourEndA + (e.colourEndB - e.colourEndA) * endU;
    p.colourRate = (end - start) * (1.0f / p.life);
    p.alpha = between(e.alphaStartMin, e.alphaStartMax);
    p.alphaRate = (between(e.alphaEndMin, e.alphaEndMax) - p.alpha) / p.life;
    p.size = between(e.sizeStartMin, e.sizeStartMax);
    p.sizeRate = (between(e.sizeEndMin, e.sizeEndMax) - p.size) / p.life;
    p.angle = 0;
    p.spin = between(e.spinMin, e.spinMax);
    p.spinAccel = between(e.spinAccelMin, e.spinAccelMax);
    p.alive = true;
    p.emitter = &e;
    return true;
}

void step(Particle& p, float dt)
{
    p.age += dt;
    // A respawning particle is spawned again and stepped by a random part of the step, as
    // often as that part outlives its new life; written as a loop, not a recursion.
    while (!(p.age < p.life)) {
        if (!p.emitter->respawn || !spawn(p, *p.emitter)) {
            // A life of 0 cannot be respawned: the particle dies instead of looping forever.
            p.age = 0;
            p.alive = false;
            return;
        }
        dt = u() * dt;
        p.age += dt;
    }
    p.size += dt * p.sizeRate;
    p.alpha += dt * p.alphaRate;
    p.colour = p.colour + p.colourRate * dt;
    p.velocity = p.velocity + p.acceleration * dt;
    if (p.position.z <= -3.0f) p.position.z += 1.3f;
    p.position = p.position + p.velocity * dt;
    p.spin += dt * p.spinAccel;
    p.angle += dt * p.spin;
}

int emissionCount(int32_t rate, float dt, float jitter, float u)
{
    return static_cast<int>(rate * dt * ((u - 0.5f) * jitter + 1.0f));
}

void ParticleEmitter::update(float dt)
{
    int n = emissionCount(emissionRate, dt, emissionJitter, u());
    for (Particle& p : particles) {
        if (p.alive) step(p, dt);
        if (n > 0 && !p.alive) {
            if (spawn(p, *this)) step(p, u() * dt);
            --n;
        }
    }
}

namespace {

void vertex(const Vec3& v) { glVertex3f(v.x, v.y, v.z); }

// The emitter's per-particle rotation of a style, degrees: (1000 T / 10) × v / 50.
float styleAngle(float v) { return static_cast<float>(1000.0 * frameClock.elapsed / 10.0 * v / 50.0); }

void rotateForStyle(const Vec3& at, float v)
{
    glPushMatrix();
    glTranslatef(at.x, at.y, at.z);
    glRotatef(styleAngle(v), 1, -1, 0.5f);
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
float cubeHalfSize(const ParticleEmitter& e, float s) { return e.drawStyle == 6 ? 0.35f * s : s; }

void litStep(const Particle& p, const Vec3& corner)
{
    const ParticleEmitter& e = *p.emitter;
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
    case 4: drawIcosahedron(0.35f * s); break;
    case 5: drawDodecahedron(s); break;
    case 6:
    case 7: drawCubeMesh(cubeHalfSize(e, s)); break;
    case 8: drawOctahedron(s); break;
    default: break;
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

Sprite sprite(const Particle& p)
{
    const ParticleEmitter& e = *p.emitter;
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

void drawParticle(const Particle& p)
{
    const ParticleEmitter& e = *p.emitter;
    const float s = p.size, a = p.alpha;
    const Vec3& c = p.colour;
    const Vec3& P = p.position;
    const Sprite q = sprite(p);
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
    case 1: {
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
    case 11:
        glDisable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glDisable(GL_DEPTH_TEST);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        glEnable(GL_LINE_SMOOTH);
        glLineWidth(2);
        glBegin(GL_LINE_LOOP);
        vertex(C0);
        vertex(C0 + Vec3(0, 0, s));
        glEnd();
        glDisable(GL_LINE_SMOOTH);
        break;
    case 12:
        glDisable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glDisable(GL_DEPTH_TEST);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        glEnable(GL_LINE_SMOOTH);
        glLineWidth(2);
        drawPanel(C0, Vec3(-0.9f, -0.0f, 0), s, s, c, 0.5f * a, a);
        break;
    case 0:
        glDisable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        rotateForStyle(P, p.angle);
        glEnable(GL_LINE_SMOOTH);
        glLineWidth(3);
        drawWireBox(0.5f * s, false);
        glLineWidth(1);
        glDisable(GL_LINE_SMOOTH);
        glPopMatrix();
        break;
    case 2:
        glDisable(GL_TEXTURE_2D);
        rotateForStyle(P, p.spin);
        glEnable(GL_LINE_SMOOTH);
        glLineWidth(3);
        drawSpiral(80, 0, -s, 0, c, a, p.spin / 2000);
        glLineWidth(1);
        glDisable(GL_LINE_SMOOTH);
        glPopMatrix();
        break;
    case 10:
        glDisable(GL_TEXTURE_2D);
        rotateForStyle(P, p.spin);
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
    case 9:
        if (!e.text) break;  // nothing to write
        glPushMatrix();
        glDisable(GL_FOG);
        glDisable(GL_LIGHTING);
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glBindTexture(GL_TEXTURE_2D, fontPicture);
        glColor4f(1, 1, 1, a);
        glEnable(GL_DEPTH_TEST);
        glTranslatef(P.x, P.y, P.z);
        glRotatef(-e.rotation.x, 1, 0, 0);
        glRotatef(-e.rotation.y, 0, 1, 0);
        glRotatef(-e.rotation.z, 0, 0, 1);
        glDepthMask(GL_FALSE);
        glListBase(fontListBase - 32);
        glScalef(s, s, s);
        glCallLists(static_cast<GLsizei>(std::strlen(e.text)), GL_UNSIGNED_BYTE, e.text);
        glDepthMask(GL_TRUE);
        glPopMatrix();
        break;
    default:
        break;
    }
    litStep(p, C0);
}

// Flat sprites (style 1) and spark streaks (style 11) set the same state for every particle,
// and the lit step after each one changes nothing they draw. So their particles go to GL as
// one batch, in the same order, and the lit step is set once, for the last particle: the
// picture and the state left behind are those of drawing them one by one.
bool batched(const ParticleEmitter& e) { return e.textured && (e.drawStyle == 1 || e.drawStyle == 11); }

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
    if (e.drawStyle == 1) {
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
        const Sprite q = sprite(p);
        if (e.drawStyle == 1) {
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
    if (e.drawStyle == 1)
        glDepthMask(GL_TRUE);
    else
        glDisable(GL_LINE_SMOOTH);
    litStep(*last, sprite(*last).C0);
}

// The billboard axes from the current matrices (textured), or texturing off (streaks).
void prepareDraw(ParticleEmitter& e)
{
    if (e.textured) {
        Vec3 back;
        switch (e.billboardMode) {
        case 0:
            e.right = {1, 0, 0};
            e.up = {0, 1, 0};
            break;
        case 1: cameraAxes(e.right, e.up, back); break;
        case 2: {
            Vec3 cameraUp;
            cameraAxes(e.right, cameraUp, back);
            e.up = {0, 1, 0};
            break;
        }
        default: break;
        }
    } else {
        glDisable(GL_TEXTURE_2D);
    }
}

void drawEach(const ParticleEmitter& e)
{
    for (const Particle& p : e.particles)
        if (p.alive) drawParticle(p);
}

}  // namespace

void ParticleEmitter::draw()
{
    prepareDraw(*this);
    if (batched(*this))
        drawBatch(*this);
    else
        drawEach(*this);
}

void ParticleEmitter::drawOneByOne()
{
    prepareDraw(*this);
    drawEach(*this);
}

void ParticleEmitter::drawShaded(const ShaderProgram* program, const ShaderProgram* batchProgram)
{
    if (program) program->use();
    const bool cubes = textured && (drawStyle == 6 || drawStyle == 7);
    if (!cubes || !batchProgram || !batchProgram->linked() || !LitCubeBatch::available()) {
        draw();
        return;
    }
    prepareDraw(*this);
    const Particle* last = lastAlive(*this);
    if (!last) return;

    static LitCubeBatch batch;
    batch.begin(particles.size(), lightFromCorner(*this));
    for (const Particle& p : particles)
        if (p.alive && &p != last) batch.add(sprite(p).C0, cubeHalfSize(*this, p.size), p.alpha, p.colour);
    setLitDrawState();  // lighting and fog are the program's
    batch.draw(*batchProgram);
    glUseProgram(program ? program->program : 0);
    drawParticle(*last);
}
