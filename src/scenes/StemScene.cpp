#include "scenes/StemScene.h"

#include "gfx/Glu.h"

#include <cmath>

#include "effects/ParticleDrawing.h"
#include "geometry/FloorGrid.h"
#include "geometry/Meshes.h"
#include "geometry/Shapes.h"
#include "gfx/ProceduralTexture.h"
#include "gfx/Random.h"
#include "gfx/Shaping.h"
#include "text/BitmapFont.h"

StemScene::StemScene()
{
    setRandomSeed(109106);
    for (int i = 0; i < 15; ++i) {
        StemGroup& g = groups_[i];
        randomScaled(0.15f);  // draws that only advance the generator
        randomScaled(0.12f);
        randomScaled(0.12f);
        g.base = curvePoint(0.5f, 0.3f * i, CurveKind::Circle) + Vec3(2.0f, -4.0f, -0.15f);
        g.startBase = randomScaled(0.055f) + 0.0f;
        g.width = randomScaled(0.9f) + 0.74f;
        for (Stem& s : g.stems) {
            s.side = randomScaled(11) - 5.5f;
            s.tipSize = randomScaled(12) + 3.0f;
            s.curlX = randomScaled(0.5f) - 0.25f;
            s.curlY = randomUnit() - 0.5f;
            s.alpha = randomScaled(0.2f) + 0.8f;
            randomScaled(3.2f);
            s.decay = 0.001f;
            s.start = randomScaled(0.15f) + g.startBase;
            s.baseLength = 0;
            s.maxLength = randomScaled(28.5f) + 1.5f;
            s.length = 0;
            s.speed = randomScaled(40) + 35.0f;
            s.boxScale = randomScaled(0.8f) + 0.2f;
            randomScaled(0.75f);
            s.colour = {0.9f, 0.4f, randomScaled(0.2f) + 0.4f};
            s.segments = s.maxLength < 2 ? 30 : s.maxLength < 3 ? 48 : s.maxLength < 4 ? 60 : s.maxLength < 5 ? 75 : 95;
        }
    }
}

float stemT(const Stem& s, int k, float p)
{
    return k / s.segments - s.speed * 0.0263f * linearStep(p, 0.72f + 0.001f * k, 1.0f);
}

Vec3 stemPoint(const StemGroup& g, const Stem& s, int k, float p)
{
    const float t = stemT(s, k, p);
    const float u = 1 - t;
    const float L = t * s.length + u * s.baseLength;
    const float a = L * s.curlX * t, b = L * s.curlY * t;
    const float W = g.width;
    return g.base + Vec3(-s.side * a * W, static_cast<float>(std::cos(std::sin(20.0 * p) + b) * W), L);
}

void stemCamera(float p, Vec3& E, Vec3& T)
{
    if (p < 0.38f) {
        E = {static_cast<float>(3 * std::sin(8.0 * p)), 3 + 20 * linearStep(p, 0.15f, 0.9f),
             static_cast<float>(10 - 2 * p + 3 * std::cos(8.0 * p))};
        T = {0, 1 + 20 * p, 0};
    } else if (p < 0.72f) {
        const Vec3 C = curvePoint(8 * (p - 0.6f) + 4.5f, 5.6f * (p - 0.5f), CurveKind::Circle);
        E = {C.x, static_cast<float>(8 + 20 * (p - 0.6) + 3 * std::sin(20.0 * p)), C.y + 4 + 3 * (p - 0.38f)};
        T = {-C.x, 12 + 10 * (p - 0.6f), -C.y};
    } else {
        const float d = p - 0.72f;
        E = {0, 20 - 25 * d, 12 + 30 * d};
        T = {0, 20 - 40 * d, 0};
    }
}

namespace {

void setLight(const Vec3& T, float F)
{
    const GLfloat position[4] = {T.x + 1, T.z + 1, T.y + 1, 1};  // y and z exchanged
    const GLfloat modelAmbient[4] = {0.1f * F, 0.1f * F, 0.1f * F, F};
    const GLfloat diffuse[4] = {0.33f * F, 0.55f * F, 1.0f * F, F};
    const GLfloat specular[4] = {F, F, F, F};
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, modelAmbient);
    glLightfv(GL_LIGHT0, GL_AMBIENT, modelAmbient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
    const GLfloat matAmbient[4] = {0.3f * F, 0.3f * F, 0.3f * F, F};
    const GLfloat matDiffuse[4] = {F, F, F, F};
    const GLfloat matSpecular[4] = {0.6f * F, 0.6f * F, 0.6f * F, F};
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, matAmbient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, matDiffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, matSpecular);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 80);
}

void drawTip(const Stem& s, int j, const Vec3& tip, const Vec3& right, const Vec3& up, float p, float F,
             const FrameContext& frame, GLuint circle)
{
    const float fade = linearStep(p, s.start, 0.5f) - linearStep(p, 0.85f, 1.0f);
    const float beat = static_cast<float>(frame.beatLevel()) * 0.08f;
    glEnable(GL_BLEND);
    glDisable(GL_LIGHTING);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glDepthMask(GL_FALSE);
    glColor4f(1, 1, 1, 0.18f * fade);
    glBindTexture(GL_TEXTURE_2D, circle);
    drawBillboard(tip, right, up, 0.14f * s.tipSize);
    glBindTexture(GL_TEXTURE_2D, circle);
    if (j % 2)
        glColor4f(beat, 0.35f, 0.4f, 0.25f * beat * fade);
    else
        glColor4f(0.1f, 0.5f, 0.75f * beat, 0.25f * beat * fade);
    drawBillboard(tip, right, up, 0.14f * s.tipSize + 0.15f * beat);
    glDepthMask(GL_TRUE);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glEnable(GL_LIGHTING);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_DEPTH_TEST);
    drawLitBox(0.035f * fade * s.tipSize, tip, Vec3(27 * p, 120 * p, 12 * p), true, true,
               s.colour * (0.15f * F * fade * s.boxScale));
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
}

}  // namespace

void StemScene::draw(float p, const FrameContext& frame, const SceneShared& shared)
{
    ParticleEmitter& hellCircle = shared.emitters.hellCircle;
    ParticleEmitter& twinkles = shared.emitters.twinkles;
    const ParticleFrame particles{frame.elapsed, &shared.font};
    const float F = linearStep(p, 0, 0.1f);
    Vec3 E, T;
    stemCamera(p, E, T);
    glLoadIdentity();
    gluLookAt(E.x, E.y, E.z, T.x, T.y, T.z, 0, 1, 0);

    glDisable(GL_LIGHTING);
    glDisable(GL_LIGHT0);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glBindTexture(GL_TEXTURE_2D, shared.textures.flare.texture.get());
    drawFloorGrid(shared.floor, 0.85f);

    hellCircle.update(frame.delta);
    hellCircle.shapeRadius = 48;
    twinkles.update(frame.delta);
    glPushMatrix();
    glRotatef(90, -1, 0, 0);
    drawParticles(hellCircle, particles);
    drawParticles(twinkles, particles);
    glPopMatrix();

    setLight(T, F);
    glDisable(GL_TEXTURE_2D);

    for (StemGroup& g : groups_)
        for (Stem& s : g.stems)
            if (s.alpha > 0 && p > s.start) {
                s.length = p + s.baseLength + (p - s.start) * s.speed;
                if (s.length > s.maxLength) {
                    s.length = s.maxLength;
                    s.alpha -= s.decay;
                }
            }

    glPushMatrix();
    glRotatef(90, -1, 0, 0);
    Vec3 right, up, back;
    cameraAxes(right, up, back);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    for (const StemGroup& g : groups_)
        for (int j = 0; j < 8; ++j) {
            const Stem& s = g.stems[j];
            if (!(s.alpha > 0 && p > s.start)) continue;
            glDisable(GL_TEXTURE_2D);
            glEnable(GL_DEPTH_TEST);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            glDisable(GL_LIGHTING);
            glEnable(GL_LINE_SMOOTH);
            glLineWidth(3);
            glBegin(GL_LINE_STRIP);
            for (int k = 0; k < s.segments; ++k) {
                // Points pulled back below the foot (t < 0) come out transparent.
                glColor4f(s.colour.x, s.colour.y, s.colour.z, stemT(s, k, p) * F * s.alpha);
                const Vec3 point = stemPoint(g, s, k, p);
                glVertex3f(point.x, point.y, point.z);
            }
            glEnd();
            glEnable(GL_LIGHTING);
            drawTip(s, j, stemPoint(g, s, static_cast<int>(s.segments) - 1, p), right, up, p, F, frame,
                    shared.textures.circle.texture.get());
        }
    glPopMatrix();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
}
