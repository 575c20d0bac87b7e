#include "scenes/ClosingScene.h"

#include "effects/ParticleEmitter.h"
#include "geometry/Shapes.h"
#include "gfx/FullScreenQuad.h"
#include "gfx/Shaping.h"
#include "text/BitmapFont.h"
#include "timeline/Timeline.h"

GLuint closingPicture = 0;

// The groups greeted by the floating words of Scene E, one per greeting emitter.
const char* const greetingNames[18] = {"NORDLUXE", "KRYPTOMOSS", "ZEBRAFUNK", "MOSSBYTE", "VELOXIA",  "QUANTIX",
                                       "GLIMMERA", "PIXELHAVN",  "TORSKI",    "BLUE MOTH", "ARCTURIX", "FENNECO",
                                       "HALCYONE", "RUSTWAVE",   "OMBRELLO",  "LARKSPUR",  "EMBERLING", "SOLVIKEN"};

void initClosingScene()
{
    closingPicture = fullScreenQuad->loadTexture("data/gfx/orvale_25.png", 0);
    for (int i = 0; i < 18; ++i) {
        ParticleEmitter& e = greetingEmitters[i];
        e.allocate(50, "compos");
        e.emissionRate = 30;
        e.emissionJitter = 5.0f;
        e.respawn = true;
        e.lifeMin = 3.05f;
        e.lifeMax = 5.05f;
        e.setAlpha(0.15f, 0.3f, 1.0f, 0.8f);
        e.setPosition(0, 0, 0, 15, 15, 15);
        e.setAcceleration(0, 0, 0, 0.02f, 0.06f);
        e.speedMax = 0.8f;
        e.speedMin = 0.4f;
        e.setDirection(0.51f, 1.0f, 0.51f, 0, 0, 0.05f);
        e.useShape = true;
        e.billboardMode = 1;
        e.setTextured(true);
        e.setTexture(fontPicture);
        e.setDrawStyle(9);
        e.setShapeKind(1);
        e.shapeAngle = 3.6f;
        e.shapeRadius = 2.0f;
        e.setText(greetingNames[i]);
        e.setSize(0.03f, 0.045f, 0.18f, 0.15f);
        e.setSpin(1.0f, 8.0f);
    }
}

void drawClosingScene(float p)
{
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    const float a = linearStep(p, 0, 0.05f), b = linearStep(p, 0.9f, 0.95f);
    ClearLevel = 1.0f;
    glDisable(GL_FOG);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    // The poster, 2.24 x 2.59 scaled by half, 1.12 in front of the eye: three quarters of
    // the screen's height, centred, fading in over 5 % of the window and out from 90 % to 95 %.
    glLoadIdentity();
    glTranslatef(0, 0, -1.12f);
    glEnable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, a - b);
    glScalef(0.5f, 0.5f, 1);
    glBindTexture(GL_TEXTURE_2D, closingPicture);
    drawTexturedRect(-1.12f, -1.295f, 1.12f, 1.295f);
}

void releaseClosingScene() { glDeleteTextures(1, &closingPicture); }
