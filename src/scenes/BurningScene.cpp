#include "scenes/BurningScene.h"

#include "gfx/Glu.h"

#include "app/FrameClock.h"
#include "effects/ParticleEmitter.h"
#include "geometry/FloorGrid.h"
#include "geometry/Meshes.h"
#include "gfx/FullScreenQuad.h"
#include "gfx/ProceduralTexture.h"
#include "gfx/Shaping.h"
#include "timeline/Programs.h"
#include "timeline/Timeline.h"

GLuint flashPicture = 0;
GLuint overlayPicture = 0;

namespace {

// The settings every one of the three emitters takes the same way: colours B = A − 0.1.
void configure(ParticleEmitter& e, int pool, const char* label, Vec3 colourStart, Vec3 colourEnd, GLuint flare)
{
    e.allocate(pool, label);
    e.setColourStart(colourStart.x, colourStart.y, colourStart.z, colourStart.x - 0.1f, colourStart.y - 0.1f,
                     colourStart.z - 0.1f);
    e.setColourEnd(colourEnd.x, colourEnd.y, colourEnd.z, colourEnd.x - 0.1f, colourEnd.y - 0.1f, colourEnd.z - 0.1f);
    e.setPosition(0, 0, 0, 0, 0, 0);
    e.useShape = true;
    e.billboardMode = 1;
    e.setTextured(true);
    e.setTexture(flare);
}

// The rock from its arrays; the texture coordinates are its positions again.
void drawRock()
{
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, displacedSphere->positions.data());
    glNormalPointer(GL_FLOAT, 0, displacedSphere->normals.data());
    glTexCoordPointer(3, GL_FLOAT, 0, displacedSphere->positions.data());
    glDrawElements(displacedSphere->primitive, displacedSphere->indexCount, GL_UNSIGNED_SHORT,
                   displacedSphere->indices.data());
}

}  // namespace

void initBurningScene()
{
    overlayPicture = fullScreenQuad->loadTexture("data/gfx/overlay.png", 0);
    flashPicture = fullScreenQuad->loadTexture("data/gfx/flash.png", 0);
    configureBurningEmitters(flareTexture->texture);
}

void configureBurningEmitters(GLuint flare)
{
    configure(hellCircle, 4000, "Hell Circle", {0.9f, 0.4f, 0.35f}, {1.0f, 0.52f, 0.62f}, flare);
    hellCircle.emissionRate = 2500;
    hellCircle.emissionJitter = 10.0f;
    hellCircle.respawn = true;
    hellCircle.lifeMin = 0.025f;
    hellCircle.lifeMax = 5.05f;
    hellCircle.setAlpha(0.02f, 0.08f, 1.0f, 0.5f);
    hellCircle.setShapeKind(2);
    hellCircle.setAcceleration(0, 0, 1, 4.8f, 8.8f);
    hellCircle.speedMin = 2.15f;
    hellCircle.speedMax = 3.35f;
    hellCircle.setDirection(0, 0, 4, 0, 0, 0);
    hellCircle.shapeRadius = 12.5f;
    hellCircle.shapeAngle = 2.5f;
    hellCircle.setDrawStyle(11);
    hellCircle.setSize(4.05f, 3.05f, 1.85f, 1.65f);
    hellCircle.setSpin(1.0f, 1.5f);

    configure(meteoriteFlamme, 3000, "meteorite flamme", {1.0f, 0.48f, 0.5f}, {0.7f, 0.6f, 0.5f}, flare);
    meteoriteFlamme.emissionRate = 2450;
    meteoriteFlamme.emissionJitter = 0;
    meteoriteFlamme.lifeMin = 0.75f;
    meteoriteFlamme.lifeMax = 1.4f;
    meteoriteFlamme.setAlpha(0.8f, 1.0f, 0, 0);
    meteoriteFlamme.setShapeKind(0);
    meteoriteFlamme.setAcceleration(0, 0, 2, 1.5f, 2.0f);
    meteoriteFlamme.speedMin = 3.15f;
    meteoriteFlamme.speedMax = 4.35f;
    meteoriteFlamme.setDirection(0, 0, 2, 2.15f, 0.15f, 0.15f);
    meteoriteFlamme.shapeRadius = 2.5f;
    meteoriteFlamme.shapeAngle = 2.8f;
    meteoriteFlamme.setDrawStyle(1);
    meteoriteFlamme.setSize(1.5f, 1.85f, 0.25f, 0.5f);
    meteoriteFlamme.setSpin(0.1f, 0.5f);

    configure(twinkles, 2500, "twinkles", {0.55f, 0.75f, 1.0f}, {0.4f, 0.7f, 1.0f}, flare);
    twinkles.emissionRate = 1800;
    twinkles.emissionJitter = 0;
    twinkles.lifeMin = 0.075f;
    twinkles.lifeMax = 1.85f;
    twinkles.setAlpha(0.5f, 1.0f, 0, 0);
    twinkles.setShapeKind(3);
    twinkles.setAcceleration(0, 0, -1, 1.5f, 2.0f);
    twinkles.speedMin = 1.15f;
    twinkles.speedMax = 1.35f;
    twinkles.setDirection(0, 0, 1, 0.15f, 0.15f, 0.15f);
    twinkles.shapeRadius = 30.5f;
    twinkles.shapeAngle = 2.8f;
    twinkles.setDrawStyle(1);
    twinkles.setSize(0.5f, 1.85f, 0.65f, 0.5f);
    twinkles.setSpin(0.1f, 0.5f);
}

void drawBurningScene(float p)
{
    const float freeze = linearStep(p, 0.869f, 1.0f);
    const float fall = linearStep(p, 0.45f, 0.776f);
    const float flash = sinePulse(p, 0.91f, 1.0f, 1.0f);

    ClearLevel = 1 - linearStep(p, 0, 0.12f);
    glLoadIdentity();
    hellCircle.setPosition(0, 0, 0, 0, 0, 0);
    hellCircle.shapeRadius = 12.5f + 50 * linearStep(p, 0.5f, 1.0f);
    twinkles.setPosition(0, 0, 0, 25, 25, 0);
    if (freeze <= 0) {
        hellCircle.update(frameClock.frameDelta + 0.02f);
        twinkles.update(frameClock.frameDelta);
    }

    // The camera comes down from straight above to a low, nearly level view while the world
    // turns 128 degrees about the vertical.
    gluLookAt(2 * p - 2, 132 - 120 * linearStep(p, 0, 0.95f), 5 + 50 * linearStep(p, 0.2f, 0.9f), 0,
              120 * linearStep(p, 0, 0.9f) - 118, 0.1, 0, 1, 0);
    glRotatef(128 * p, 0, 1, 0);

    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
    glEnable(GL_COLOR_MATERIAL);
    if (fall > 0) {
        glPushMatrix();
        const float height = 400 - 405 * fall;
        glTranslatef(0, height, 0);
        meteoriteFlamme.setPosition(0, 0, height, 4.5f, 4.5f, 4.5f);
        glRotatef(1200 * p, 1, -1, 0.5f);
        glColor4f(1, 1, 1, 1);
        glScalef(2.5f, 2.5f, 2.5f);
        drawRock();
        glPopMatrix();
        glDisable(GL_COLOR_MATERIAL);
        if (freeze <= 0) meteoriteFlamme.update(frameClock.frameDelta);
    }

    // The emitters' +z is the world's up.
    glPushMatrix();
    glRotatef(90, -1, 0, 0);
    hellCircle.draw();
    if (fall > 0) meteoriteFlamme.draw();
    glDepthMask(GL_FALSE);
    twinkles.draw();
    glDepthMask(GL_TRUE);
    glPopMatrix();

    glEnable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    if (freeze > 0 && ondeDeChocProgram) ondeDeChocProgram->setUniform("ttime", freeze);
    glBindTexture(GL_TEXTURE_2D, bigflareTexture->texture);
    drawFloorGrid(*floorGrid, 0.85f);
    if (freeze > 0) glUseProgram(0);
    if (flash > 0) {
        glBindTexture(GL_TEXTURE_2D, flashPicture);
        glColor4f(0.5f, 0.8f, 1.0f, flash);
        fullScreenQuad->draw();
    }
}

void releaseBurningScene()
{
    glDeleteTextures(1, &overlayPicture);
    glDeleteTextures(1, &flashPicture);
}
